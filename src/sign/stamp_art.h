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
#include "seams/colour.h"
#include "seams/picture_loader.h"
#include "sign/signing_plan.h"

class QPainter;

namespace yz {

// What drawing a stamp needs: the installation and the tools the signature is drawn with.
struct StampTools {
  const Installation& installation;
  QtFontRegistry& fonts;
  PictureLoader& pictures;
};

// A stamp as it is put on pages: the program's own vector drawing of it, tight to its ink, and
// the same as a one-page PDF whose page box is exactly the ink (so that a slice of it is never
// empty and a placement puts the ink, not a margin, where it was asked).
struct StampArt {
  VectorDrawing drawing;  // (0, 0) is the ink's top-left; no ground, no background picture
  QSizeF ink;             // the ink's size in the drawing's pixels (96 to the inch)
  QSizeF inkMm;           // the same in millimetres: the stamp's natural size
  QByteArray pdf;         // the one-page PDF: outlines only, no fonts

  // The stamp's height for a width, both in millimetres, keeping its proportions.
  double HeightForWidth(double widthMm) const;
};

// Draws the signature or seal of a request (without its background). Throws Failure for a step
// that cannot be drawn, or when the name leaves no ink at all.
StampArt DrawingArt(const DrawingRequest& request, const StampTools& tools);

// Any drawing's shapes as a stamp (its background and ground are left out). Throws Failure when
// it has no ink.
StampArt ArtOfDrawing(VectorDrawing drawing, const QString& title);

// A line of text (the date) as outlines in the dialogs' face, in `ink`.
StampArt TextArt(const QString& text, Colour ink);

// The art of one stamp of a plan, whatever its kind.
StampArt StampArtFor(const Stamp& stamp, const StampTools& tools);

// Paints the art into `target` (in the painter's coordinates), stretched to it: a preview over
// a page, or a picture of the stamp.
void PaintStampArt(QPainter& painter, const StampArt& art, const QRectF& target);

}  // namespace yz
