// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/skin.h"

// The artwork is compiled into the ui library; a static library must register it itself.
static void InitArtwork() { Q_INIT_RESOURCE(artwork); }

namespace yz {

namespace {
bool WantsFineArtwork(qreal devicePixelRatio) { return devicePixelRatio > 1; }
}  // namespace

QPixmap LoadSkin(qreal devicePixelRatio) {
  InitArtwork();
  if (!WantsFineArtwork(devicePixelRatio)) return QPixmap(QStringLiteral(":/skin.png"));
  QPixmap skin(QStringLiteral(":/skin@2x.png"));
  skin.setDevicePixelRatio(2);
  return skin;
}

const QPixmap& Skin::For(qreal devicePixelRatio) {
  if (pixmap_.isNull() ||
      WantsFineArtwork(devicePixelRatio) != WantsFineArtwork(pixmap_.devicePixelRatio())) {
    pixmap_ = LoadSkin(devicePixelRatio);
  }
  return pixmap_;
}

QIcon AppIcon() {
  InitArtwork();
  QIcon icon;
  // addFile also takes the file's "@2x" sibling when a screen's device pixel ratio is above 1.
  for (const int size : {32, 64, 128, 256}) icon.addFile(QStringLiteral(":/icon-%1.png").arg(size));
  return icon;
}

}  // namespace yz
