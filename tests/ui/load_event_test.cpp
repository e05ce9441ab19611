// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_fixture.h"

using namespace yz;
using namespace yz::testing;

// The load event on installations that break its assumptions: each still ends with a usable
// window and says what is wrong once.
class LoadEventTest : public ::testing::Test, public WindowServices<QtPictureLoader> {
 protected:
  void AddStyle(const QString& name) {
    for (int i = 1; i <= 3; ++i) {
      install.copyFile(QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"),
                       QString("fonts/%1/abc%2.dat").arg(name).arg(i));
    }
  }
  frmMain& Load() { return OpenWindow(); }
  bool CanvasHasInk() const {
    const QImage image = canvas.Image();
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        if (qGray(image.pixel(x, y)) < 80) return true;
      }
    }
    return false;
  }
};

TEST_F(LoadEventTest, WithoutTheDefaultStyleTheFirstStyleIsSelectedAndDrawn) {
  AddStyle("毛体");
  AddStyle("行书签");
  install.writePicture("images/01-白纸.png", 388, 261, 0xFFFFFF);
  install.writePicture("images/02-宣纸.png", 388, 261, 0xF4EBD9);
  frmMain& w = Load();
  EXPECT_EQ(w.cboFont->currentText(), "毛体");
  EXPECT_TRUE(messages.shown.isEmpty());
  EXPECT_TRUE(CanvasHasInk());
}

TEST_F(LoadEventTest, ASinglePictureIsTheDefault) {
  AddStyle("公文签");
  install.writePicture("images/01-白纸.png", 388, 261, 0xFFFFFF);
  frmMain& w = Load();
  EXPECT_EQ(w.cboImg->currentIndex(), 0);
  EXPECT_TRUE(messages.shown.isEmpty());
  EXPECT_TRUE(CanvasHasInk());
}

TEST_F(LoadEventTest, NoPicturesLeavesAWorkingWindowAndOneMessage) {
  AddStyle("公文签");
  frmMain& w = Load();
  EXPECT_EQ(w.cboImg->count(), 0);
  EXPECT_EQ(w.cboSize->count(), 19);
  EXPECT_EQ(w.cboSize->currentText(), "72");
  EXPECT_FALSE(w.IsLoading());
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].style, kMbExclamation);
}

TEST_F(LoadEventTest, ABrokenDefaultPictureIsReportedOnceWithItsPath) {
  AddStyle("公文签");
  install.writePicture("images/01-白纸.png", 388, 261, 0xFFFFFF);
  install.writeFile("images/02-坏图.png", "not a picture");
  frmMain& w = Load();
  EXPECT_EQ(w.cboImg->currentText(), "坏图");
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].text.contains("02-坏图.png")) << messages.shown[0].text.toStdString();
  EXPECT_EQ(w.cboSize->currentText(), "72");  // the load still finished
}

TEST_F(LoadEventTest, NoStylesAtAllStillLoads) {
  install.writePicture("images/01-白纸.png", 388, 261, 0xFFFFFF);
  frmMain& w = Load();
  EXPECT_EQ(w.cboFont->count(), 0);
  EXPECT_EQ(w.cboSize->count(), 19);
  EXPECT_FALSE(w.IsLoading());
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].text.contains(install.appPath() + "fonts/"));
  // Every later redraw says the same and the window goes on.
  window->txtCN->setText("纪");
  EXPECT_EQ(messages.shown.size(), 2);
}
