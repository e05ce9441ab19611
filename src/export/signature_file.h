// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "app/installation.h"
#include "render/drawing_request.h"
#include "render/qt_font_registry.h"
#include "seams/picture_loader.h"

namespace yz {

// Draws the request and writes it to `path` in the type its name asks for: .svg and .pdf as
// shapes (sharp at any size, no font needed), anything else as a picture at the request's scale.
// The file is replaced whole or not at all; throws Failure with the path and the reason.
void WriteSignatureFile(const DrawingRequest& request, const Installation& installation,
                        QtFontRegistry& fonts, PictureLoader& pictures, const QString& path);

}  // namespace yz
