// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QString>

namespace yz {

// Decodes a picture file. Throws Failure (with the path and the reason) for a file that is
// missing, unreadable, not a picture, or too large to decode safely.
class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  virtual QImage LoadPicture(const QString& path) = 0;
};

}  // namespace yz
