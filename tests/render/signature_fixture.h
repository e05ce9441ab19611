#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <functional>
#include <ostream>

#include "render/draw_signature.h"
#include "support/fake_font_registry.h"
#include "support/fake_picture_loader.h"
#include "support/recording_canvas.h"

// Readable QStrings in assertion messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace yz::test {

// The window state a drawing reads, set directly by the test. MoveHandle and SetFontListIndex
// are journalled beside the canvas and registry operations.
class FakeSignatureControls : public SignatureControls {
 public:
  explicit FakeSignatureControls(QStringList* journal) : journal_(journal) {}

  bool IsLoading() const override { return loading; }
  int ImgListIndex() const override { return imgIndex; }
  QString SizeText() const override { return sizeText; }
  Colour InkColour() const override { return ink; }
  int FontListIndex() const override { return fontIndex; }
  void SetFontListIndex(int index) override {
    journal_->append(QStringLiteral("SelectStyle %1").arg(index));
    fontIndex = index;
    if (onStyleSelected) onStyleSelected();
  }
  QString FontListEntry(int index) const override { return entries.value(index); }
  QString FontText() const override { return fontIndex < 0 ? QString() : entries.value(fontIndex); }
  QString TextCN() const override { return textCN; }
  QString TextEN() const override { return textEN; }
  void MoveHandle(float left, float top, float width, float height) override {
    journal_->append(QStringLiteral("Move %1,%2,%3,%4")
                         .arg(Twips(left), Twips(top), Twips(width), Twips(height)));
    handle = {left, top, width, height};
    ++moves;
  }

  bool loading = false;
  int imgIndex = 0;
  QString sizeText = QStringLiteral("72");
  Colour ink = kBlack;
  int fontIndex = 0;
  QStringList entries;
  QString textCN;
  QString textEN;
  std::function<void()> onStyleSelected;
  struct {
    float left = -1, top = -1, width = -1, height = -1;
  } handle;
  int moves = 0;

 private:
  QStringList* journal_;
};

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

  DrawingContext Context() {
    return DrawingContext{controls, canvas,     fonts,           pictures, fontPaths,
                          backgroundPaths, singleFaceNames, compoundSurnames};
  }
  void Draw(qint32 x = -1, qint32 y = -1) {
    DrawingContext context = Context();
    DrawSignature(context, x, y);
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
  FakeSignatureControls controls{&journal};
  QStringList fontPaths;
  QStringList backgroundPaths;
  QString singleFaceNames = QStringLiteral(",");
  QString compoundSurnames;
};

}  // namespace yz::test
