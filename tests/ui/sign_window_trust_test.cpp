// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The signing window a person can trust: nothing placed is lost on closing, every page and
// stamp is reachable by keyboard, stamps keep to pages of other shapes, page lists are checked
// as typed, and the choices are remembered from one run to the next.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QDir>
#include <QSettings>

#include "ui/sign/placed_stamp.h"
#include "ui/sign_window_fixture.h"

using namespace yz;
using yz::testing::SignWindowTest;
using yz::testing::WriteMixedPdf;
using yz::testing::WritePdf;

namespace {

// Dark pixels of the page view as drawn inside `box` (widget pixels).
int InkIn(SignPageView& view, const QRectF& box) {
  view.DrawSharpNow();
  const QImage shot = view.grab().toImage();
  int dark = 0;
  for (int y = int(box.top()) + 1; y < int(box.bottom()) - 1; ++y)
    for (int x = int(box.left()) + 1; x < int(box.right()) - 1; ++x)
      dark += qGray(shot.pixel(x, y)) < 160;
  return dark;
}

TEST(PlaceOnPage, KeepsTheNearestCornerAndPullsInsideWhatWouldHangOff) {
  const QSizeF a4(210, 297), across(297, 210), ticket(40, 60);
  // Low on the right of an upright page: the same distance from the bottom-right corner across.
  const PlacedStamp low{Stamp::Kind::Signature, 1, QPointF(140, 250), 50, a4};
  bool pulled = true;
  const PlacedStamp there = PlaceOnPage(low, 0.4, across, &pulled);
  EXPECT_NEAR(there.topLeftMm.x(), 297 - 70, 1e-9);
  EXPECT_NEAR(there.topLeftMm.y(), 210 - 47, 1e-9);
  EXPECT_FALSE(pulled);
  EXPECT_EQ(there.widthMm, 50);
  // High on the left keeps its distance from the top-left corner: unchanged.
  const PlacedStamp high{Stamp::Kind::Seal, 1, QPointF(20, 30), 30, a4};
  EXPECT_EQ(PlaceOnPage(high, 1, across).topLeftMm, QPointF(20, 30));
  // A ticket cannot keep 20 mm beside a 30 mm seal: pulled inside and said so.
  const PlacedStamp small = PlaceOnPage(high, 1, ticket, &pulled);
  EXPECT_TRUE(pulled);
  EXPECT_TRUE(QRectF(QPointF(), ticket).contains(StampBoxMm(small, 1)));
  // The same size, or a stamp that never knew its page: exactly where it was put.
  EXPECT_EQ(PlaceOnPage(low, 0.4, a4), low);
  const PlacedStamp unsized{Stamp::Kind::Signature, 1, QPointF(300, 300), 50, {}};
  EXPECT_EQ(PlaceOnPage(unsized, 0.4, ticket), unsized);
  EXPECT_EQ(KeptOnPage(QPointF(-5, 290), QSizeF(50, 20), a4), QPointF(0, 277));
}

TEST_F(SignWindowTest, ThePaintedButtonUnderTheCanvasOpensItAndOverlapsNoControl) {
  QWidget* button = window->imgSignDocument;
  EXPECT_TRUE(button->toolTip().contains(QStringLiteral("Ctrl+Shift+S")));
  EXPECT_EQ(window->size(), QSize(719, 459)) << "the window keeps its size";
  EXPECT_TRUE(window->rect().contains(button->geometry()));
  for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (control != button && control->isVisible())
      EXPECT_FALSE(control->geometry().intersects(button->geometry())) << control->metaObject()->className();
  openDialog.answer = document;
  QTest::mouseClick(button, Qt::LeftButton);
  auto* signing = window->findChild<SignWindow*>();
  ASSERT_TRUE(signing);
  EXPECT_TRUE(signing->isVisible());
  EXPECT_EQ(signing->DocumentPath(), document);
}

TEST_F(SignWindowTest, ClosingWithUnsavedStampsAsksAndCancelKeepsEverything) {
  SignWindow& signing = Opened();
  // Nothing placed by the user yet: every way of closing closes at once.
  signing.reject();
  EXPECT_FALSE(signing.isVisible());
  EXPECT_TRUE(messages.askedToSave.isEmpty());

  SignWindow& again = Opened();
  Drag(*again.view, Centre(*again.view, 0), Centre(*again.view, 0) + QPoint(-40, -40));
  const PlacedStamps placed = again.stamps.Stamps();
  messages.saveAnswer = MessageBox::SaveAnswer::Cancel;
  QTest::keyClick(&again, Qt::Key_Escape);  // reaches the dialog through reject()
  again.close();                            // 关闭 and the title bar
  EXPECT_FALSE(window->close()) << "the main window stays open too";
  EXPECT_EQ(messages.askedToSave.size(), 3);
  EXPECT_TRUE(messages.askedToSave.front().text.contains(QStringLiteral("合同.pdf")));
  EXPECT_TRUE(again.isVisible());
  EXPECT_EQ(again.stamps.Stamps(), placed) << "取消 keeps everything";

  // Turning the date on is an undo step like the rest: undone, and it is on again after redo.
  again.choices->chkDate->setChecked(true);
  again.undo->trigger();
  EXPECT_FALSE(again.choices->chkDate->isChecked());
  again.redo->trigger();
  EXPECT_TRUE(again.choices->chkDate->isChecked());

  // 保存 writes the signed copy and then closes; 不保存 closes with nothing written.
  messages.saveAnswer = MessageBox::SaveAnswer::Save;
  saveDialog.answer = {true, dir.filePath(QStringLiteral("已签.pdf")), 1};
  again.close();
  EXPECT_FALSE(again.isVisible());
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("已签.pdf"))));
  messages.shown.clear();  // 签署完毕
  SignWindow& third = Opened();
  Drag(*third.view, Centre(*third.view, 0), Centre(*third.view, 0) + QPoint(-20, 0));
  messages.saveAnswer = MessageBox::SaveAnswer::Discard;
  const int saves = saveDialog.calls;
  EXPECT_TRUE(window->close());
  EXPECT_EQ(saveDialog.calls, saves);
}

TEST_F(SignWindowTest, PageKeysTurnPagesWhereverTheFocusIsAndNeverChangeADropDown) {
  SignWindow* signing = OpenSigning(WritePdf(dir.filePath(QStringLiteral("长.pdf")), 30));
  ASSERT_TRUE(signing && signing->isVisible());
  SignChoices& choices = *signing->choices;
  choices.cboPages->setCurrentIndex(SignChoices::kAllPages);
  choices.cboPages->setFocus();
  QTest::keyClick(choices.cboPages, Qt::Key_PageDown);
  QTest::keyClick(choices.cboPages, Qt::Key_PageDown);
  EXPECT_EQ(signing->view->Page(), 3);
  EXPECT_EQ(choices.cboPages->currentIndex(), SignChoices::kAllPages);
  QTest::keyClick(choices.cboPages, Qt::Key_End);
  EXPECT_EQ(signing->view->Page(), 30);
  QTest::keyClick(signing->pageList, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(signing->view->Page(), 1);
  EXPECT_EQ(signing->pageList->currentRow(), 0);
  // A text field keeps Home and End for its own editing; Page Down still turns the page.
  choices.txtDate->setText(QStringLiteral("2026年"));
  choices.chkDate->setChecked(true);
  choices.txtDate->setCursorPosition(0);
  QTest::keyClick(choices.txtDate, Qt::Key_End);
  EXPECT_EQ(choices.txtDate->cursorPosition(), choices.txtDate->text().size());
  EXPECT_EQ(signing->view->Page(), 1);
  QTest::keyClick(choices.txtDate, Qt::Key_PageDown);
  EXPECT_EQ(signing->view->Page(), 2);
  // The page box: "第 [n] / 30 页" goes to the page typed.
  EXPECT_EQ(signing->lblPageCount->text(), QStringLiteral("/ 30 页"));
  signing->spnPage->setValue(17);
  EXPECT_EQ(signing->view->Page(), 17);
  EXPECT_EQ(signing->pageList->currentRow(), 16);

  // 仅第 N 页 is the page on screen when it is chosen.
  choices.cboPages->setCurrentIndex(SignChoices::kThisPage);
  emit choices.cboPages->activated(SignChoices::kThisPage);
  EXPECT_EQ(choices.cboPages->currentText(), QStringLiteral("仅第 17 页"));
  EXPECT_EQ(signing->Plan().stamps.front().pages, PageSelection::Page(17));
  // The thumbnails mark the pages that get a stamp.
  EXPECT_TRUE(signing->pageList->IsMarked(17));
  EXPECT_FALSE(signing->pageList->IsMarked(1));
  choices.cboPages->setCurrentIndex(SignChoices::kOddPages);
  EXPECT_TRUE(signing->pageList->IsMarked(1));
  EXPECT_FALSE(signing->pageList->IsMarked(2));
}

TEST_F(SignWindowTest, AListIsCheckedAsTypedAndShowsNoStampsWhileWrong) {
  SignWindow& signing = Opened();
  SignChoices& choices = *signing.choices;
  const QRectF stamp = signing.view->StampRectPx(0);
  EXPECT_GT(InkIn(*signing.view, stamp), 20);
  choices.cboPages->setCurrentIndex(SignChoices::kListedPages);
  choices.txtPages->setText(QStringLiteral("2,40-50"));
  EXPECT_FALSE(choices.lblPagesProblem->isHidden());
  EXPECT_TRUE(choices.lblPagesProblem->text().contains(QStringLiteral("40"))) << choices.lblPagesProblem->text().toStdString();
  EXPECT_EQ(InkIn(*signing.view, stamp), 0) << "no stamps while the list is wrong";
  choices.txtPages->setText(QStringLiteral("1,3"));
  EXPECT_TRUE(choices.lblPagesProblem->isHidden());
  EXPECT_GT(InkIn(*signing.view, stamp), 20);
  choices.grpSeam->setChecked(true);
  choices.txtSeamPages->setText(QStringLiteral("x"));
  EXPECT_FALSE(choices.lblSeamPagesProblem->isHidden());
}

TEST_F(SignWindowTest, TheKeyboardAloneSelectsMovesResizesAndDeletesAStamp) {
  SignWindow& signing = Opened();
  SignPageView& view = *signing.view;
  view.setFocus();
  EXPECT_EQ(view.Selected(), -1);
  QTest::keyClick(&view, Qt::Key_Tab);
  ASSERT_EQ(view.Selected(), 0) << "Tab reaches the stamp";
  const PlacedStamp before = signing.stamps.Stamps().front();
  for (int i = 0; i < 3; ++i) QTest::keyClick(&view, Qt::Key_Right);
  QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
  const PlacedStamp moved = signing.stamps.Stamps().front();
  EXPECT_NEAR(moved.topLeftMm.x(), before.topLeftMm.x() + 3, 1e-9);
  EXPECT_NEAR(moved.topLeftMm.y(), before.topLeftMm.y() + 10, 1e-9);
  QTest::keyClick(&view, Qt::Key_Plus);
  EXPECT_NEAR(signing.stamps.Stamps().front().widthMm, before.widthMm * 1.1, 1e-9);
  // It stops at the page's edge however often the key is pressed.
  for (int i = 0; i < 40; ++i) QTest::keyClick(&view, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(signing.stamps.Stamps().front().topLeftMm.x(), 0);
  EXPECT_FALSE(view.accessibleDescription().isEmpty());
  signing.undo->trigger();
  signing.undo->trigger();
  signing.undo->trigger();
  EXPECT_EQ(signing.stamps.Stamps().front(), before) << "held keys are one step each";
  QTest::keyClick(&view, Qt::Key_Delete);
  EXPECT_TRUE(signing.stamps.Stamps().isEmpty());
  // Every control says what it is to a screen reader.
  for (QWidget* control : signing.findChildren<QWidget*>()) {
    if (!control->isVisibleTo(&signing) || control->focusPolicy() == Qt::NoFocus) continue;
    // The editor inside a spin box or combo box speaks for the box.
    if (qobject_cast<QAbstractSpinBox*>(control->parentWidget()) || qobject_cast<QComboBox*>(control->parentWidget()))
      continue;
    const auto* button = qobject_cast<QAbstractButton*>(control);
    EXPECT_TRUE(!control->accessibleName().isEmpty() || (button && !button->text().isEmpty()))
        << control->metaObject()->className() << " " << control->objectName().toStdString();
  }
}

TEST_F(SignWindowTest, ZoomByKeysAndWheelMakesTheSeamStripReadable) {
  SignWindow& signing = Opened();
  SignPageView& view = *signing.view;
  signing.choices->grpSeam->setChecked(true);
  view.SetZoom(2);
  EXPECT_EQ(signing.lblZoom->text(), QStringLiteral("200 %"));
  const double sliceMm = signing.choices->spnSeamWidth->value() / 3;  // three pages, one run
  EXPECT_GE(sliceMm * view.PageRectPx().width() / view.PageMm().width(), 20) << "a strip of 20 pixels or more";
  signing.zoomIn->trigger();
  EXPECT_NEAR(view.Zoom(), 2.5, 1e-9);
  Wheel(view, QPoint(10, 10), -1, Qt::ControlModifier);
  EXPECT_LT(view.Zoom(), 2.5);
  signing.fitWidth->trigger();
  QCoreApplication::processEvents();
  EXPECT_NEAR(view.PageRectPx().width(), signing.scroller->viewport()->width() - 2 * SignPageView::kMarginPx,
              signing.style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
  signing.fitPage->trigger();
  EXPECT_EQ(view.FitMode(), SignPageView::Fit::Page);
  EXPECT_EQ(signing.lblZoom->text(), QStringLiteral("%1 %").arg(qRound(view.Zoom() * 100)));
}

TEST_F(SignWindowTest, StampsKeepToPagesOfOtherShapesWithANoteWhenPulledInside) {
  SignWindow* signing = OpenSigning(WriteMixedPdf(dir.filePath(QStringLiteral("mixed.pdf"))));
  ASSERT_TRUE(signing && signing->isVisible());
  SignChoices& choices = *signing->choices;
  choices.chkSeal->setChecked(true);
  choices.cboPages->setCurrentIndex(SignChoices::kAllPages);
  const QList<QSizeF> sizes = {signing->view->PageMm(), {}, {}};
  signing->ShowPage(2);
  EXPECT_GT(signing->view->PageMm().width(), signing->view->PageMm().height());
  EXPECT_TRUE(signing->PageNote().isEmpty()) << signing->PageNote().toStdString();
  signing->ShowPage(3);
  EXPECT_FALSE(signing->PageNote().isEmpty()) << "the ticket is too small for the places of A4";
  const SigningPlan plan = signing->Plan();
  // One stamp per shape of page, each inside its own pages.
  int stampsOnTicket = 0;
  for (const Stamp& stamp : plan.stamps) {
    for (const int page : ResolvePages(stamp.pages, 3)) {
      const QSizeF pageMm = page == 1 ? sizes[0] : page == 2 ? sizes[0].transposed() : QSizeF(40, 60);
      if (page == 3) ++stampsOnTicket;
      const QRectF box(stamp.topLeftMm, QSizeF(stamp.widthMm, 0.1));
      if (stamp.widthMm < pageMm.width())
        EXPECT_TRUE(QRectF(QPointF(), pageMm).adjusted(-0.01, -0.01, 0.01, 0.01).contains(box))
            << "page " << page;
    }
  }
  EXPECT_EQ(stampsOnTicket, 2) << "the signature and the seal";
}

TEST_F(SignWindowTest, ChoicesAndFoldersAreRememberedAndBadSettingsFallBackQuietly) {
  {
    SignWindow& signing = Opened();
    EXPECT_TRUE(openDialog.lastFolder.isEmpty()) << "the first time: the dialog's own choice";
    SignChoices& choices = *signing.choices;
    choices.chkSeal->setChecked(true);
    choices.cboSealStyle->setCurrentText(QStringLiteral("篆印体-阴文"));
    choices.chkMultiply->setChecked(false);
    choices.chkDate->setChecked(true);
    choices.cboDatePlace->setCurrentIndex(1);
    choices.grpSeam->setChecked(true);
    choices.spnSeamSlices->setValue(4);
    choices.spnSeamTop->setValue(80);
    signing.view->SetZoom(1.5);
    choices.txtDate->setText(QStringLiteral("2020年1月1日"));
  }
  window.reset();  // the program ends
  WindowTest::SetUp();
  window->show();
  SignWindow& signing = Opened();
  EXPECT_EQ(openDialog.lastFolder, QDir(dir.path()).absolutePath()) << "the last folder";
  SignChoices& choices = *signing.choices;
  EXPECT_TRUE(choices.chkSeal->isChecked());
  EXPECT_EQ(choices.cboSealStyle->currentText(), QStringLiteral("篆印体-阴文"));
  EXPECT_FALSE(choices.chkMultiply->isChecked());
  EXPECT_TRUE(choices.chkDate->isChecked());
  EXPECT_EQ(choices.cboDatePlace->currentIndex(), 1);
  EXPECT_TRUE(choices.grpSeam->isChecked());
  EXPECT_EQ(choices.spnSeamSlices->value(), 4);
  EXPECT_EQ(choices.spnSeamTop->value(), 80);
  EXPECT_NEAR(signing.view->Zoom(), 1.5, 1e-9);
  EXPECT_EQ(choices.DateText(), DateText()) << "the date is always today's";
  EXPECT_EQ(signing.stamps.Stamps().size(), 2u) << "the seal is placed with the signature";
  EXPECT_EQ(remembered::RecentDocuments(), QStringList{QFileInfo(document).absoluteFilePath()});

  // Settings that no longer fit: a style gone, numbers out of range, a folder removed.
  window.reset();
  {
    const auto settings = remembered::Settings();
    settings->setValue(QStringLiteral("signing/sealStyle"), QStringLiteral("早已删除的款式"));
    settings->setValue(QStringLiteral("signing/seamSlices"), QStringLiteral("很多"));
    settings->setValue(QStringLiteral("signing/seamTop"), 1e9);
    settings->setValue(QStringLiteral("signing/zoom"), -3);
    settings->setValue(QStringLiteral("signing/date"), QStringLiteral("也许"));
    settings->setValue(QStringLiteral("signing/openFolder"), dir.filePath(QStringLiteral("不存在")));
  }
  WindowTest::SetUp();
  window->show();
  SignWindow& fresh = Opened();
  EXPECT_TRUE(messages.shown.isEmpty());
  EXPECT_EQ(fresh.choices->cboSealStyle->currentIndex(), 0);
  EXPECT_EQ(fresh.choices->spnSeamSlices->value(), kDefaultSeamSlices);
  EXPECT_EQ(fresh.choices->spnSeamTop->value(), -1);
  EXPECT_EQ(fresh.view->FitMode(), SignPageView::Fit::Page);
  EXPECT_TRUE(openDialog.lastFolder.isEmpty());
}

}  // namespace
