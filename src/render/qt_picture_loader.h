// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QImage>

#include "render/file_stamp.h"
#include "seams/picture_loader.h"

namespace yz {

// Decodes background pictures with QImageReader. The size a file declares is checked before any
// pixel is decoded, so a small file claiming a huge picture is refused instead of exhausting
// memory.
//
// A drag redraws on every mouse move, so by default the last few decoded pictures are kept and
// handed out again while their file's stamp is unchanged; a changed file is decoded afresh and a
// deleted one fails as it always does. Caching::Naive decodes every time, for comparison.
class QtPictureLoader : public PictureLoader {
 public:
  static constexpr qint64 kMaxPixels = 4096LL * 4096LL;
  static constexpr int kKeptPictures = 4;
  enum class Caching { KeepDecoded, Naive };

  explicit QtPictureLoader(Caching caching = Caching::KeepDecoded) : caching_(caching) {}
  void SetCachingEnabled(bool on) {
    caching_ = on ? Caching::KeepDecoded : Caching::Naive;
    if (!on) kept_.clear();
  }
  QImage LoadPicture(const QString& path) override;
  int DecodeCount() const { return decodes_; }

 private:
  QImage Decode(const QString& path);
  struct Kept {
    FileStamp stamp;
    QImage picture;
  };
  Caching caching_;
  QHash<QString, Kept> kept_;
  int decodes_ = 0;
};

}  // namespace yz
