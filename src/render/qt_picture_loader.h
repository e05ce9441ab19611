#pragma once

#include "seams/picture_loader.h"

namespace yz {

// Decodes background pictures with QImageReader. The size a file declares is checked before any
// pixel is decoded, so a small file claiming a huge picture is refused instead of exhausting
// memory.
class QtPictureLoader : public PictureLoader {
 public:
  static constexpr qint64 kMaxPixels = 4096LL * 4096LL;

  QImage LoadPicture(const QString& path) override;
};

}  // namespace yz
