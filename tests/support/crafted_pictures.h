// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace yz::testing {

// Picture files built byte by byte, declaring whatever size a test needs (far more than their
// few bytes hold, when it wants a decompression bomb).

// A truecolour PNG with the given zlib stream as its only IDAT chunk.
QByteArray CraftedPng(quint32 width, quint32 height, const QByteArray& zlibPixels,
                      char bitDepth = 8);
// A 24-bit BMP header followed by 64 bytes of pixels.
QByteArray CraftedBmp(qint32 width, qint32 height);
// A GIF whose screen and only image declare the size, with a tiny LZW stream.
QByteArray CraftedGif(quint16 width, quint16 height);

}  // namespace yz::testing
