// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

namespace yz {

// The file type a name asks for: ".jpg"/".jpeg" real JPEG, ".png" PNG, anything else an
// uncompressed 24-bit BMP.
QByteArray PictureFormatFor(const QString& path);

// Writes the picture so that the file's content matches its name, whole or not at all (see
// WriteFileWhole): a failure never leaves a half-written file nor destroys the one that was
// there. Throws Failure with the path and the reason in the user's words.
void WritePictureFile(const QImage& picture, const QString& path);

}  // namespace yz
