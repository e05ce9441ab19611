// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Odd names and sizes typed into the real window. A name is never an error: every style draws
// it or draws nothing, and leaves no font registered. A size that is not a sane number gives
// one message naming it, and the next good size draws again.
#include <QApplication>
#include <QKeyEvent>
#include <cmath>

#include "support/pasted_names.h"
#include "window_fixture.h"

using yz::testing::WindowTest;

namespace {

QString Units(std::initializer_list<char16_t> units) {
  QString text;
  for (const char16_t unit : units) text += QChar(unit);
  return text;
}

const QString kBeyond = QString::fromUcs4(U"\U00020000");  // two units, D840 DC00

struct OddName {
  const char* what;
  QString text;
};

std::vector<OddName> OddNames() {
  return {{"empty", QString()},
          {"one space", QStringLiteral(" ")},
          {"10 000 characters", QString(10000, QChar(0x7EAA))},
          {"characters above U+FFFF", kBeyond + kBeyond + kBeyond},
          {"a pair cut in two at the surname", Units({0xD840}) + QStringLiteral("元朗")},
          {"a pair cut in two at the end", QStringLiteral("纪元") + Units({0xD840})},
          {"a lone low surrogate first", Units({0xDC00, 0xDC00})},
          {"a pair split by the surname cut", QStringLiteral("纪") + kBeyond},
          {"control characters", Units({0x01, 0x09, 0x0A, 0x0D, 0x1B, 0x7F, 0x200B})},
          {"right-to-left text", QStringLiteral("שלום עולם")},
          {"Arabic joined letters", QStringLiteral("محمد")},
          {"a right-to-left override", Units({0x202E}) + QStringLiteral("纪元朗")},
          {"combining marks only", Units({0x0301, 0x0301, 0x0301})},
          {"noncharacters", Units({0xFFFE, 0xFFFF, 0xFDD0})}};
}

class BadInputTest : public WindowTest {
 protected:
  void PressEnterInSize(const QString& text) {
    window->cboSize->setEditText(text);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(window->cboSize->lineEdit(), &enter);
  }
};

TEST_F(BadInputTest, EveryStyleDrawsEveryOddNameWithoutAMessage) {
  for (const QString& style : {QStringLiteral("公文签"), QStringLiteral("英文签2"),
                               QStringLiteral("行楷"), QStringLiteral("篆印体"),
                               QStringLiteral("篆印体-阴文")}) {
    Pick(window->cboFont, style);
    for (const OddName& name : OddNames()) {
      SCOPED_TRACE(style.toStdString() + ": " + name.what);
      window->txtCN->setText(name.text);
      window->txtEN->setText(name.text);
      window->Redraw();  // an empty box draws only on a redraw from elsewhere
      EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.value(0).text.toStdString();
      messages.shown.clear();
      EXPECT_EQ(fonts.RegisteredPathCount(), 0);
      EXPECT_TRUE(std::isfinite(window->imgMove->Left()) && std::isfinite(window->imgMove->Top()));
      EXPECT_GE(window->imgMove->TwipsWidth(), 0);
    }
  }
  // Still the same window: a plain name draws ink again.
  Pick(window->cboFont, QStringLiteral("公文签"));
  window->txtCN->setText(QStringLiteral("纪元朗"));
  EXPECT_GT(window->imgMove->TwipsWidth(), 0);
}

// Pasted with direction controls, a name draws as the characters a reader sees of it.
TEST_F(BadInputTest, EveryStyleDrawsAPastedNameAsItsVisibleCharacters) {
  for (const QString& style : {QStringLiteral("公文签"), QStringLiteral("英文签2"),
                               QStringLiteral("行楷"), QStringLiteral("篆印体")}) {
    Pick(window->cboFont, style);
    for (const auto& [pasted, seen] : yz::testing::kPastedNames) {
      for (QLineEdit* box : {window->txtCN, window->txtEN}) box->setText(seen);
      const QImage expected = canvas.Image();
      for (QLineEdit* box : {window->txtCN, window->txtEN}) box->setText(pasted);
      EXPECT_TRUE(canvas.Image() == expected) << style.toStdString() << pasted.toStdString();
    }
  }
}

TEST_F(BadInputTest, SizesThatAreNotSaneNumbersAreNamedInOneMessage) {
  const struct {
    const char* text;
    bool draws;
  } cases[] = {{"", false},      {"abc", false},   {"0", false},     {"-5", false},
               {"1e9", false},   {"2161", false},  {"   12", true},   {"12abc", false},
               {"60.5", true},   {"1e-300", false}, {"0x10", false},  {"７２", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    messages.shown.clear();
    PressEnterInSize(QString::fromUtf8(c.text));
    if (c.draws) {
      EXPECT_TRUE(messages.shown.isEmpty());
    } else {
      ASSERT_EQ(messages.shown.size(), 1);
      EXPECT_EQ(messages.shown[0].style, 48);
      EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("“%1”").arg(QString::fromUtf8(c.text))))
          << messages.shown[0].text.toStdString();
    }
    EXPECT_EQ(fonts.RegisteredPathCount(), 0);
    messages.shown.clear();
    PressEnterInSize(QStringLiteral("72"));
    EXPECT_TRUE(messages.shown.isEmpty());
  }
}

TEST_F(BadInputTest, PickingAStyleMendsOnlySizesAboveItsCap) {
  // The cap reads the number at the start of the text; what it does not change still fails.
  const struct {
    const char* text;
    const char* after;
    int messages;
  } cases[] = {{"2161", "72", 0}, {"1e9", "72", 0}, {"12abc", "12abc", 1},
               {"-5", "-5", 1},   {"", "", 1},      {"9 9", "72", 0},
               // Found by fuzzing: the drawing skipped this space, the cap did not.
               {"\u3000" "200", "72", 0}, {"\n100", "72", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    messages.shown.clear();
    window->cboSize->setEditText(QString::fromUtf8(c.text));
    Pick(window->cboFont, QStringLiteral("毛体"));
    EXPECT_EQ(window->cboSize->currentText(), QString::fromUtf8(c.after));
    EXPECT_EQ(messages.shown.size(), c.messages);
  }
}

}  // namespace
