// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QStringList>
#include <vector>

#include "seams/canvas.h"

namespace yz::test {

// A Canvas that draws nothing and records every operation with its arguments and the state in
// force at that moment (face, size, colour). Metrics are deterministic: a text's width is the
// sum of its characters' widths, configurable per face and per character; the height of one line
// is configurable per face. When given a journal, it also appends one readable line per
// operation, so that tests can check the order of canvas, font and handle operations together.
class RecordingCanvas : public Canvas {
 public:
  struct Op {
    QString kind;  // "Cls", "Picture", "FontName", "FontSize", "ForeColor", "FontTransparent",
                   // "Print", "TextWidth", "TextHeight", "DrawMode", "Line"
    QString text;  // printed or measured text, face for FontName
    float x = 0, y = 0, x2 = 0, y2 = 0;  // Print: current point; Line: corners
    QString face;
    double size = 0;
    Colour colour = 0;  // ForeColor at a Print, the line's colour at a Line
    bool transparent = false;
    LineStyle style = LineStyle::Box;
    int number = 0;  // DrawMode, picture width
  };

  explicit RecordingCanvas(float scaleWidth = 5760, float scaleHeight = 3840,
                           QStringList* journal = nullptr);

  // Metrics. Lookup order: (face, character), face, default.
  void SetDefaultCharWidth(float twips) { defaultWidth_ = twips; }
  void SetFaceCharWidth(const QString& face, float twips) { faceWidth_[face] = twips; }
  void SetCharWidth(const QString& face, const QString& character, float twips) {
    charWidth_[face + u'\x1f' + character] = twips;
  }
  void SetDefaultLineHeight(float twips) { defaultHeight_ = twips; }
  void SetLineHeight(const QString& face, float twips) { faceHeight_[face] = twips; }

  const std::vector<Op>& Ops() const { return ops_; }
  std::vector<Op> OpsOf(const QString& kind) const;
  std::vector<Op> Prints() const { return OpsOf(QStringLiteral("Print")); }
  void ClearRecord() { ops_.clear(); }

  void Cls() override;
  void SetPicture(const QImage& picture) override;
  void SetFontName(const QString& face) override;
  QString FontName() const override { return face_; }
  void SetFontSize(double points) override;
  double FontSize() const override { return size_; }
  void SetForeColor(Colour colour) override;
  Colour ForeColor() const override { return colour_; }
  void SetFontTransparent(bool transparent) override;
  void SetCurrentX(float x) override { x_ = x; }
  void SetCurrentY(float y) override { y_ = y; }
  float CurrentX() const override { return x_; }
  float CurrentY() const override { return y_; }
  void Print(const QString& text) override;
  float TextWidth(const QString& text) const override;
  float TextHeight(const QString& text) const override;
  float ScaleWidth() const override { return scaleWidth_; }
  float ScaleHeight() const override { return scaleHeight_; }
  void SetDrawMode(int mode) override;
  void Line(float x1, float y1, float x2, float y2, Colour colour, LineStyle style) override;
  QImage Image() const override { return picture_; }

 private:
  Op Make(const QString& kind) const;
  void Record(const Op& op, const QString& line) const;

  float scaleWidth_, scaleHeight_;
  QStringList* journal_;
  mutable std::vector<Op> ops_;
  QImage picture_;
  QString face_;
  double size_ = 9;
  Colour colour_ = kBlack;
  bool transparent_ = false;
  float x_ = 0, y_ = 0;
  float defaultWidth_ = 300, defaultHeight_ = 400;
  QHash<QString, float> faceWidth_, charWidth_, faceHeight_;
};

// Twips as the journal writes them: whole numbers without a point, fractions as they are.
QString Twips(double value);

}  // namespace yz::test
