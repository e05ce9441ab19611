// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <ostream>

#include "render/draw_signature.h"
#include "seams/failure.h"
#include "support/fake_font_registry.h"
#include "support/fake_picture_loader.h"
#include "support/recording_canvas.h"

// Readable QStrings in assertion messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace yz::test {

// The selections a test draws with, named after the window's controls they stand for, and
// where the last drawing left the drag handle.
struct TestSelections {
  int imgIndex = 0;
  QString sizeText = QStringLiteral("72");
  Colour ink = kBlack;
  int fontIndex = 0;
  QStringList entries;
  QString textCN;
  QString textEN;
  struct {
    float left = -1, top = -1, width = -1, height = -1;
  } handle;
  int moves = 0;

  DrawingRequest Request(qint32 x, qint32 y) const {
    DrawingRequest request;
    request.style = fontIndex;
    request.background = imgIndex;
    request.sizeText = sizeText;
    request.ink = ink;
    request.textCN = textCN;
    request.textEN = textEN;
    request.x = x;
    request.y = y;
    return request;
  }
  // Keeps the handle the drawing placed; a failed step throws its Failure, as the window does.
  void Take(const Drawing& drawing) {
    if (drawing.handle) {
      handle = {drawing.handle->left, drawing.handle->top, drawing.handle->width,
                drawing.handle->height};
      ++moves;
    }
    if (drawing.failure) throw Failure(*drawing.failure);
  }
  // "Move left,top,width,height" in twips, or "" when no drawing placed the handle.
  QString HandleMove() const {
    if (moves == 0) return QString();
    return QStringLiteral("Move %1,%2,%3,%4")
        .arg(Twips(handle.left), Twips(handle.top), Twips(handle.width), Twips(handle.height));
  }
};

inline Installation TestInstallation(const TestSelections& controls, const QStringList& fontPaths,
                                     const QStringList& backgroundPaths,
                                     const QString& singleFaceNames,
                                     const QString& compoundSurnames) {
  Installation installation;
  installation.CompoundSurnames = compoundSurnames;
  installation.catalogue.styleNames = controls.entries;
  installation.catalogue.FontPaths = fontPaths;
  installation.catalogue.SingleFaceNames = singleFaceNames;
  installation.catalogue.BackgroundPaths = backgroundPaths;
  for (qsizetype i = 0; i < backgroundPaths.size(); ++i)
    installation.catalogue.backgroundNames << QString::number(i);
  return installation;
}

// One drawing's world: a recording canvas 5761 × 3840 twips, a counting registry, one
// background and a style list the test fills.
class SignatureTest : public ::testing::Test {
 protected:
  explicit SignatureTest(float scaleWidth = 5761) : canvas{scaleWidth, 3840, &journal} {
    pictures.Add(QStringLiteral("/app/images/bg.jpg"), 40, 30);
    backgroundPaths << QStringLiteral("/app/images/bg.jpg");
  }

  void AddStyle(const QString& name, const QString& path) {
    controls.entries << name;
    fontPaths << path;
  }

  void Draw(qint32 x = -1, qint32 y = -1) {
    controls.Take(DrawSignature(
        controls.Request(x, y),
        TestInstallation(controls, fontPaths, backgroundPaths, singleFaceNames, compoundSurnames),
        {canvas, fonts, pictures}));
  }
  // The journal from the first line that starts with `prefix` on.
  QStringList JournalFrom(const QString& prefix) const {
    for (qsizetype i = 0; i < journal.size(); ++i)
      if (journal[i].startsWith(prefix)) return journal.mid(i);
    return {};
  }

  QStringList journal;
  RecordingCanvas canvas;
  FakeFontRegistry fonts{&journal};
  FakePictureLoader pictures{&journal};
  TestSelections controls;
  QStringList fontPaths;
  QStringList backgroundPaths;
  QString singleFaceNames = QStringLiteral(",");
  QString compoundSurnames;
};

}  // namespace yz::test
