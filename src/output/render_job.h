#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "app/catalogue.h"
#include "render/qt_font_registry.h"
#include "seams/colour.h"
#include "seams/picture_loader.h"

namespace yz {

// The window's picMain: 5820 × 3920 twips, 388 × 261 pixels inside its border.
inline constexpr QSize kCanvasInnerPixels{388, 261};

// One picture's selections, as the window's controls would hold them.
struct RenderJob {
  int styleIndex = 0;        // cboFont
  int backgroundIndex = -1;  // cboImg; ignored when transparent
  bool transparent = false;  // no picture at all, alpha 0 outside the ink
  QString sizeText = QStringLiteral("72");
  Colour ink = kBlack;
  QString textCN;
  QString textEN;
  qint32 x = -1;
  qint32 y = -1;
  int scale = 1;
};

// Draws the job with the window's own drawing entry on a fresh canvas of the window's size,
// `scale` times as many pixels in each direction. Throws Failure as the drawing does.
QImage RenderJobImage(const RenderJob& job, const Catalogue& catalogue,
                      const QString& compoundSurnames, QtFontRegistry& fonts,
                      PictureLoader& pictures);

}  // namespace yz
