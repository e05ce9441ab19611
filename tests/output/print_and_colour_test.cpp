// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "output/ink_colour.h"
#include "output/print_signature.h"
#include "support/fake_message_box.h"
#include "support/fake_platform.h"

using namespace yz;
using yz::testing::FakeColorDialog;
using yz::testing::FakeMessageBox;
using yz::testing::FakePrinter;

TEST(PrintClick, OnePageAtTheCanvasSizeOnTheWindow) {
  FakePrinter printer;
  FakeMessageBox messages;
  QImage picture(388, 261, QImage::Format_RGB32);
  PrintSignatureClick(picture, 5820, 3920, printer, messages);
  PrintSignatureClick(picture, 2880, 1440, printer, messages);
  ASSERT_EQ(printer.pages.size(), 2);
  EXPECT_NEAR(printer.pages[0].widthInches, 4.04, 0.005);
  EXPECT_NEAR(printer.pages[0].heightInches, 2.72, 0.005);
  EXPECT_DOUBLE_EQ(printer.pages[1].widthInches, 2.0);
  EXPECT_DOUBLE_EQ(printer.pages[1].heightInches, 1.0);
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST(PrintClick, AFailureIsShownWithItsNumberAndDescription) {
  FakePrinter printer;
  printer.failure = PrintError(482, "没有设置默认打印机。");
  FakeMessageBox messages;
  PrintSignatureClick(QImage(), 5820, 3920, printer, messages);
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "错误号: 482\r\n\r\n错误描述: 没有设置默认打印机。");
  EXPECT_EQ(messages.shown[0].style, 48);
  EXPECT_EQ(messages.shown[0].caption, "砚舟签名设计");
}

TEST(DialogCentring, CentresOnTheWholeScreenTruncatingTowardZero) {
  EXPECT_EQ(CenteredDialogOrigin(1024 * 15, 768 * 15, 15, 15, QRect(0, 0, 451, 331)), QPoint(286, 218));
  EXPECT_EQ(CenteredDialogOrigin(800 * 15, 600 * 15, 15, 15, QRect(5, 5, 1001, 601)), QPoint(-100, 0));
  EXPECT_EQ(CenteredDialogOrigin(800 * 15, 600 * 15, 15, 15, QRect(0, 0, 1003, 603)), QPoint(-101, -1));
}

TEST(InkColour, OpensOnTheCurrentColourWithBlackCustomColoursEveryTime) {
  FakeColorDialog dialog;
  dialog.answer = {true, 0xFF0000};  // blue
  EXPECT_EQ(ChooseInkColour(nullptr, 192, dialog), std::optional<Colour>(0xFF0000));
  dialog.answer = {false, 0x00FF00};
  EXPECT_EQ(ChooseInkColour(nullptr, 0xFF0000, dialog), std::nullopt);
  ASSERT_EQ(dialog.requests.size(), 2);
  EXPECT_EQ(dialog.requests[0].initial, 192u);
  EXPECT_EQ(dialog.requests[1].initial, 0xFF0000u);
  for (const auto& request : dialog.requests) {
    for (const Colour c : request.customColours) EXPECT_EQ(c, kBlack);
    ASSERT_TRUE(request.placeOnOpen);
  }
}
