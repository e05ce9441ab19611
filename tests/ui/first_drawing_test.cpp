// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's own drawing rules, on the recording canvas: nothing is drawn while the lists are
// filled, and a drawing without a selected style selects the first one and draws twice.
#include <gtest/gtest.h>

#include "render/signature_fixture.h"
#include "support/fake_message_box.h"
#include "support/fake_platform.h"
#include "ui/frm_main.h"

namespace yz::test {
namespace {

class FirstDrawingTest : public ::testing::Test {
 protected:
  FirstDrawingTest() {
    pictures.Add(QStringLiteral("/app/images/01-a.png"), 40, 30);
    pictures.Add(QStringLiteral("/app/images/02-b.png"), 40, 30);
    Installation installation;
    installation.AppPath = QStringLiteral("/app/");
    Catalogue& c = installation.catalogue;
    c.styleNames = QStringList{QStringLiteral("篆印体"), QStringLiteral("公文签")};
    c.FontPaths = QStringList{QStringLiteral("/app/fonts/电脑字/篆印体(ZY).dat"),
                              QStringLiteral("/app/fonts/公文签/abc")};
    c.SingleFaceNames = QStringLiteral(",篆印体,");
    c.backgroundNames = QStringList{QStringLiteral("a"), QStringLiteral("b")};
    c.BackgroundPaths = QStringList{QStringLiteral("/app/images/01-a.png"),
                                    QStringLiteral("/app/images/02-b.png")};
    window = std::make_unique<frmMain>(
        FormServices{canvas, fonts, pictures, messages, browser, saveDialog, printer, colorDialog,
                     openDialog},
        installation);
  }

  QStringList journal;
  RecordingCanvas canvas{5820, 3920, &journal};
  FakeFontRegistry fonts{&journal};
  FakePictureLoader pictures{&journal};
  yz::testing::FakeMessageBox messages;
  yz::testing::FakeBrowser browser;
  yz::testing::FakeSaveDialog saveDialog;
  yz::testing::FakePrinter printer;
  yz::testing::FakeColorDialog colorDialog;
  yz::testing::FakeOpenDialog openDialog;
  std::unique_ptr<frmMain> window;
};

TEST_F(FirstDrawingTest, TheLoadDrawsOnceWhateverItsSelectionsFire) {
  window->Form_Load();
  EXPECT_EQ(journal.filter(QStringLiteral("Cls")).size(), 1);
  EXPECT_EQ(canvas.Prints().size(), 3u);  // 纪元朗 in 公文签, the default
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(FirstDrawingTest, WithNoStyleSelectedTheFirstIsSelectedAndTheNameDrawnTwice) {
  window->Form_Load();
  window->cboFont->setCurrentIndex(-1);
  window->cboSize->setEditText(QStringLiteral("72"));
  journal.clear();
  const size_t before = canvas.Prints().size();
  window->Redraw();
  // Selecting 篆印体 capped the size and turned the ink red before its own complete drawing;
  // the first drawing then printed the seal again over it.
  EXPECT_EQ(window->cboFont->currentIndex(), 0);
  EXPECT_EQ(window->cboSize->currentText(), QStringLiteral("48"));
  EXPECT_EQ(journal.filter(QStringLiteral("Cls")).size(), 2);
  const auto all = canvas.Prints();
  const std::vector prints(all.begin() + std::ptrdiff_t(before), all.end());
  ASSERT_EQ(prints.size(), 8u);
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(prints[i].text, prints[i + 4].text);
  for (const auto& print : prints) {
    EXPECT_EQ(print.colour, kDarkRed);
    EXPECT_EQ(print.size, 48);
  }
  EXPECT_EQ(fonts.RegisteredPathCount(), 0);
}

}  // namespace
}  // namespace yz::test
