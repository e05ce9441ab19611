// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/crafted_pictures.h"

#include <QtEndian>

namespace yz::testing {

namespace {

quint32 Crc32(const QByteArray& bytes) {
  quint32 crc = 0xFFFFFFFFu;
  for (const char byte : bytes) {
    crc ^= quint8(byte);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

QByteArray PngChunk(const char* type, const QByteArray& data) {
  QByteArray length(4, '\0'), crc(4, '\0');
  qToBigEndian(quint32(data.size()), length.data());
  const QByteArray body = QByteArray(type, 4) + data;
  qToBigEndian(Crc32(body), crc.data());
  return length + body + crc;
}

}  // namespace

QByteArray CraftedPng(quint32 width, quint32 height, const QByteArray& zlibPixels, char bitDepth) {
  QByteArray header(13, '\0');
  qToBigEndian(width, header.data());
  qToBigEndian(height, header.data() + 4);
  header[8] = bitDepth;
  header[9] = 2;  // truecolour
  return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) +
         PngChunk("IDAT", zlibPixels) + PngChunk("IEND", {});
}

QByteArray CraftedBmp(qint32 width, qint32 height) {
  QByteArray bmp(54, '\0');
  bmp[0] = 'B';
  bmp[1] = 'M';
  qToLittleEndian(quint32(54), bmp.data() + 10);  // pixels start after the headers
  qToLittleEndian(quint32(40), bmp.data() + 14);  // BITMAPINFOHEADER
  qToLittleEndian(width, bmp.data() + 18);
  qToLittleEndian(height, bmp.data() + 22);
  qToLittleEndian(quint16(1), bmp.data() + 26);   // planes
  qToLittleEndian(quint16(24), bmp.data() + 28);  // bits per pixel
  return bmp + QByteArray(64, '\x7F');
}

QByteArray CraftedGif(quint16 width, quint16 height) {
  QByteArray screen(7, '\0');
  qToLittleEndian(width, screen.data());
  qToLittleEndian(height, screen.data() + 2);
  QByteArray image(10, '\0');
  image[0] = ',';
  qToLittleEndian(width, image.data() + 5);
  qToLittleEndian(height, image.data() + 7);
  return QByteArray("GIF89a", 6) + screen + image + QByteArray("\x02\x02\x44\x01\x00;", 6);
}

}  // namespace yz::testing
