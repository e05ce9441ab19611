// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/recording_canvas.h"

#include "render/name_characters.h"

namespace yz::test {

QString Twips(double value) { return QString::number(value, 'g', 10); }

RecordingCanvas::RecordingCanvas(float scaleWidth, float scaleHeight, QStringList* journal)
    : scaleWidth_(scaleWidth), scaleHeight_(scaleHeight), journal_(journal) {}

std::vector<RecordingCanvas::Op> RecordingCanvas::OpsOf(const QString& kind) const {
  std::vector<Op> found;
  for (const Op& op : ops_)
    if (op.kind == kind) found.push_back(op);
  return found;
}

RecordingCanvas::Op RecordingCanvas::Make(const QString& kind) const {
  Op op;
  op.kind = kind;
  op.face = face_;
  op.size = size_;
  op.colour = colour_;
  op.transparent = transparent_;
  op.x = x_;
  op.y = y_;
  return op;
}

void RecordingCanvas::Record(const Op& op, const QString& line) const {
  ops_.push_back(op);
  if (journal_) journal_->append(line);
}

void RecordingCanvas::Cls() {
  Record(Make(QStringLiteral("Cls")), QStringLiteral("Cls"));
}

void RecordingCanvas::SetPicture(const QImage& picture) {
  picture_ = picture;
  Op op = Make(QStringLiteral("Picture"));
  op.number = picture.width();
  Record(op, QStringLiteral("Picture %1x%2").arg(picture.width()).arg(picture.height()));
}

void RecordingCanvas::SetFontName(const QString& face) {
  face_ = face;
  Op op = Make(QStringLiteral("FontName"));
  op.text = face;
  Record(op, QStringLiteral("FontName ") + face);
}

void RecordingCanvas::SetFontSize(double points) {
  size_ = points;
  Record(Make(QStringLiteral("FontSize")), QStringLiteral("FontSize ") + Twips(points));
}

void RecordingCanvas::SetForeColor(Colour colour) {
  colour_ = colour;
  Record(Make(QStringLiteral("ForeColor")), QStringLiteral("ForeColor %1").arg(colour));
}

void RecordingCanvas::SetFontTransparent(bool transparent) {
  transparent_ = transparent;
  Record(Make(QStringLiteral("FontTransparent")),
         QStringLiteral("FontTransparent %1").arg(transparent ? 1 : 0));
}

void RecordingCanvas::Print(const QString& text) {
  Op op = Make(QStringLiteral("Print"));
  op.text = text;
  Record(op, QStringLiteral("Print %1 @%2,%3 [%4]").arg(text, Twips(x_), Twips(y_), face_));
}

float RecordingCanvas::TextWidth(const QString& text) const {
  float width = 0;
  // A real face measures a character beyond 16 bits as one glyph, not as two halves.
  for (const QString& c : NameCharacters(text)) {
    const QString key = face_ + u'\x1f' + c;
    width += charWidth_.contains(key) ? charWidth_[key] : faceWidth_.value(face_, defaultWidth_);
  }
  Op op = Make(QStringLiteral("TextWidth"));
  op.text = text;
  Record(op, QStringLiteral("TextWidth %1 [%2]").arg(text, face_));
  return width;
}

float RecordingCanvas::TextHeight(const QString& text) const {
  Op op = Make(QStringLiteral("TextHeight"));
  op.text = text;
  Record(op, QStringLiteral("TextHeight %1 [%2]").arg(text, face_));
  return faceHeight_.value(face_, defaultHeight_);
}

void RecordingCanvas::SetDrawMode(int mode) {
  Op op = Make(QStringLiteral("DrawMode"));
  op.number = mode;
  Record(op, QStringLiteral("DrawMode %1").arg(mode));
}

void RecordingCanvas::Line(float x1, float y1, float x2, float y2, Colour colour, LineStyle style) {
  Op op = Make(QStringLiteral("Line"));
  op.x = x1;
  op.y = y1;
  op.x2 = x2;
  op.y2 = y2;
  op.colour = colour;
  op.style = style;
  Record(op, QStringLiteral("Line %1 %2,%3-%4,%5 %6")
                 .arg(style == LineStyle::Box ? QStringLiteral("B") : QStringLiteral("BF"), Twips(x1),
                      Twips(y1), Twips(x2), Twips(y2))
                 .arg(colour));
}

}  // namespace yz::test
