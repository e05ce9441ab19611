// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDir>
#include <QImage>
#include <QRect>
#include <functional>

#include "app/catalogue.h"
#include "render/qt_canvas.h"
#include "render/qt_font_registry.h"
#include "render/qt_picture_loader.h"
#include "signature_fixture.h"
#include "support/temp_installation.h"

namespace yz::test {

inline const QString kWenKai = QStringLiteral("/usr/share/fonts/truetype/lxgw-wenkai/LXGWWenKai-Regular.ttf");
inline const QString kWenKaiBold = QStringLiteral("/usr/share/fonts/truetype/lxgw-wenkai/LXGWWenKai-Bold.ttf");
inline const QString kHeiBold = QStringLiteral("/usr/share/fonts/truetype/cwtex/cwheib.ttf");
// A font that fontconfig does not list, so its face exists only while registered.
inline const QString kUnlistedFont = QStringLiteral("/usr/share/qt6/doc/global/template/style/icomoon.ttf");

// DrawSignature on the real canvas (picMain's inner 384 × 257 pixels) over a light background,
// with system fonts copied into a temporary installation under the installed file names.
class RealCanvasTest : public ::testing::Test {
 protected:
  RealCanvasTest() {
    backgroundPaths << install.writePicture(QStringLiteral("images/bg.png"), 388, 261, 0xF4EBD9);
  }
  void AddStyle(const QString& name, const QString& path) {
    controls.entries << name;
    fontPaths << path;
  }
  // The installation the build assembles, listed by its own catalogue; false when not built.
  bool UseSampleInstallation() {
    const QString appPath = QStringLiteral(YZ_APP_DIR "/");
    if (!QDir(appPath + QStringLiteral("fonts")).exists()) return false;
    const Catalogue catalogue = LoadCatalogue(appPath);
    controls.entries = catalogue.styleNames;
    fontPaths = catalogue.FontPaths;
    singleFaceNames = catalogue.SingleFaceNames;
    backgroundPaths = catalogue.BackgroundPaths;
    return true;
  }
  void Draw(qint32 x = -1, qint32 y = -1) {
    controls.Take(DrawSignature(
        controls.Request(x, y),
        TestInstallation(controls, fontPaths, backgroundPaths, singleFaceNames, compoundSurnames),
        {canvas, fonts, pictures}));
    const QByteArray dir = qgetenv("YZ_SAVE_IMAGES");  // look at what was drawn
    if (!dir.isEmpty())
      canvas.Image().save(QString::fromLocal8Bit(dir) + QLatin1Char('/') +
                          QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                          QStringLiteral(".png"));
  }
  // The handle in pixels.
  QRect HandlePixels() const {
    return QRectF(controls.handle.left / 15, controls.handle.top / 15, controls.handle.width / 15,
                  controls.handle.height / 15)
        .toAlignedRect();
  }

  QStringList journal;
  yz::testing::TempInstallation install;
  QtFontRegistry fonts;
  QtCanvas canvas{fonts, QSize(384, 257)};
  QtPictureLoader pictures;
  TestSelections controls;
  QStringList fontPaths;
  QStringList backgroundPaths;
  QString singleFaceNames = QStringLiteral(",");
  QString compoundSurnames;
};

// Bounds and count of the pixels that satisfy `is`.
struct Ink {
  QRect bounds;
  int count = 0;
};
inline Ink FindInk(const QImage& image, const std::function<bool(QRgb)>& is,
                   const QRect& within = QRect()) {
  Ink ink;
  const QRect area = within.isNull() ? image.rect() : within.intersected(image.rect());
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (is(image.pixel(x, y))) {
        ink.bounds |= QRect(x, y, 1, 1);
        ++ink.count;
      }
  return ink;
}
inline bool IsDark(QRgb p) { return qGray(p) < 110; }
inline bool IsSealRed(QRgb p) { return qRed(p) > 150 && qGreen(p) < 60 && qBlue(p) < 60; }
inline bool IsWhite(QRgb p) { return qRed(p) > 235 && qGreen(p) > 235 && qBlue(p) > 235; }

}  // namespace yz::test
