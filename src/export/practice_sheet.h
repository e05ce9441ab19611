// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include "app/installation.h"
#include "render/drawing_request.h"
#include "render/qt_font_registry.h"
#include "render/vector_drawing.h"
#include "seams/picture_loader.h"

class QPainter;

namespace yz {

// A page to learn a signature by hand: the signature as the model in its ink, then pale copies
// to trace over, then empty frames to copy it freely.
struct PracticeSheet {
  VectorDrawing signature;  // cropped to its ink: (0, 0) is the ink's top-left, no ground
  QString heading;          // the name, the style and the size
};

// Draws the request's signature whole (also what the canvas would cut off), without background.
// Throws Failure for a step that cannot be drawn, or when the name leaves nothing to draw.
PracticeSheet MakePracticeSheet(const DrawingRequest& request, const Installation& installation,
                                QtFontRegistry& fonts, PictureLoader& pictures);

// Where the frames go on a printable area, in points. Rows run model, pale, then empty.
struct SheetLayout {
  double scale = 1;  // below 1: the signature shrunk so that it fits the page
  QSizeF signature;  // the signature as drawn, scale applied
  QSizeF frame;
  double headingHeight = 0;
  int columns = 1;
  int paleRows = 3;
  int emptyRows = 1;
  double columnStep = 0;  // frame left to next frame left
  double rowStep = 0;

  int Rows() const { return 1 + paleRows + emptyRows; }
  QRectF Frame(int row, int column) const;
};

// At the chosen size where it fits: a frame a little larger than the signature, as many across
// as the width takes, as many rows as the height takes; never fewer than the model, three pale
// rows and one empty row, scaling the signature down where they would not fit.
SheetLayout LayOutSheet(const QSizeF& signaturePoints, const QSizeF& printable);

// Paints the sheet with (0, 0) at the printable area's top-left, in points. The heading is
// drawn as outlines, so that a document of the page needs no font.
void PaintPracticeSheet(QPainter& painter, const PracticeSheet& sheet, const QSizeF& printable);

// The least margin round the sheet, in points: half an inch, also where a printer could print
// right up to the paper's edge.
inline constexpr double kSheetMargin = 36;

// The sheet as a one-page A4 portrait PDF.
QByteArray PracticeSheetPdf(const PracticeSheet& sheet);

// Draws the request's sheet and writes it to `path` as PDF, whole or not at all. Throws Failure
// with the path and the reason.
void WritePracticeSheetFile(const DrawingRequest& request, const Installation& installation,
                            QtFontRegistry& fonts, PictureLoader& pictures, const QString& path);

}  // namespace yz
