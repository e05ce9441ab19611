// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QImage>
#include <QStringList>

#include "seams/picture_loader.h"

namespace yz::test {

// Hands out the pictures it was given by path; any other path fails the way a missing file does.
class FakePictureLoader : public PictureLoader {
 public:
  explicit FakePictureLoader(QStringList* journal = nullptr) : journal_(journal) {}

  void Add(const QString& path, const QImage& picture) { pictures_[path] = picture; }
  // A picture of the given size filled with one colour.
  void Add(const QString& path, int width, int height, const QColor& colour = Qt::white);

  QImage LoadPicture(const QString& path) override;
  QStringList Loaded() const { return loaded_; }

 private:
  QStringList* journal_;
  QHash<QString, QImage> pictures_;
  QStringList loaded_;
};

}  // namespace yz::test
