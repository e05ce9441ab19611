// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Paints the skin and the icons into a resources directory:
//   yz-artwork <resources-dir> [--preview <file.png>]
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "icon_art.h"
#include "lettering.h"
#include "skin_art.h"

namespace {

bool Save(const QImage& image, const QString& path) {
  if (image.save(path, "PNG")) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

bool WriteText(const QString& text, const QString& path) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.isEmpty() || (args.size() != 1 && args.size() != 3) || (args.size() == 3 && args[1] != "--preview")) {
    std::fprintf(stderr, "usage: yz-artwork <resources-dir> [--preview <file.png>]\n");
    return 2;
  }
  const QString missing = art::LoadLetteringFaces();
  if (!missing.isEmpty()) {
    std::fprintf(stderr, "lettering face missing or unreadable: %s\n", qPrintable(missing));
    return 1;
  }
  const QDir out(args[0]);
  if (!QDir().mkpath(out.filePath("icons"))) {
    std::fprintf(stderr, "cannot create %s\n", qPrintable(out.filePath("icons")));
    return 1;
  }
  const QImage skin = art::SkinImage();
  bool ok = Save(skin, out.filePath("skin.png"));
  // Screens of device pixel ratio 2 get the same drawings at twice the pixels, named as Qt and
  // the icon theme look for them.
  ok = Save(art::SkinImage(2), out.filePath("skin@2x.png")) && ok;
  for (const int size : {32, 64, 128, 256}) {
    const QString name = QStringLiteral("icons/yanzhou-sign-%1").arg(size);
    ok = Save(art::IconImage(size), out.filePath(name + ".png")) && ok;
    ok = Save(art::IconImage(size, 2), out.filePath(name + "@2x.png")) && ok;
  }
  ok = WriteText(art::ToSvg(art::IconDrawing(true), art::kIconUnits, 256), out.filePath("icons/yanzhou-sign.svg")) &&
       ok;
  if (args.size() == 3) ok = Save(art::SkinPreview(skin), args[2]) && ok;
  return ok ? 0 : 1;
}
