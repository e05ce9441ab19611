#include "ui/skin.h"

// The artwork is compiled into the ui library; a static library must register it itself.
static void InitArtwork() { Q_INIT_RESOURCE(artwork); }

namespace yz {

QPixmap LoadSkin() {
  InitArtwork();
  return QPixmap(QStringLiteral(":/skin.png"));
}

QIcon AppIcon() {
  InitArtwork();
  QIcon icon;
  for (const int size : {32, 64, 128, 256}) icon.addFile(QStringLiteral(":/icon-%1.png").arg(size));
  return icon;
}

}  // namespace yz
