// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QSizeF>
#include <QString>

#include "render/vector_drawing.h"

namespace yz {

// A drawing as a document that keeps it sharp at any size and opens without any font: SVG with
// the glyphs as paths and the background embedded as a picture under them, or a one-page PDF of
// the canvas's size (96 pixels to the inch).
QByteArray SvgDocument(const VectorDrawing& drawing, const QString& title);
QByteArray PdfDocument(const VectorDrawing& drawing, const QString& title);
// The same on a page of `pagePoints` (whole points), the drawing at its top-left.
QByteArray PdfDocument(const VectorDrawing& drawing, const QString& title,
                       const QSizeF& pagePoints);

// Whether a file name asks for a vector document (.svg or .pdf) rather than a picture.
bool IsVectorFile(const QString& path);

}  // namespace yz
