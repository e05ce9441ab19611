// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// 签署 PDF 文档… in the window: opening, placing and resizing stamps, undo, the page choices
// and where the signed copy goes, on generated documents.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QProgressDialog>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest/QTest>

#include "seams/failure.h"
#include "sign/signing_fixture.h"
#include "ui/sign_window_fixture.h"

using namespace yz;
using yz::testing::Bytes;
using yz::testing::SignWindowTest;
using yz::testing::WriteMixedPdf;
using yz::testing::WritePdf;

namespace {

void FromTheMiddle(SignWindow& signing) {
  // Where the stamps start depends on the page; these tests move them from its middle.
  PlacedStamps stamps = signing.stamps.Stamps();
  for (PlacedStamp& stamp : stamps) stamp.topLeftMm = QPointF(60, 120);
  signing.stamps.Set(stamps);
}

TEST_F(SignWindowTest, TheMenuOpensTheChosenDocumentWithTheSignatureOnItsFirstPage) {
  openDialog.answer.clear();
  QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(openDialog.calls, 1);
  EXPECT_TRUE(openDialog.lastFilters.front().contains(QStringLiteral("*.pdf")));
  EXPECT_EQ(window->findChild<SignWindow*>(), nullptr) << "a cancelled dialog opens nothing";

  SignWindow& signing = Opened();
  EXPECT_EQ(signing.PageCount(), 3);
  EXPECT_EQ(signing.pageList->count(), 3);
  EXPECT_EQ(signing.view->Page(), 1);
  ASSERT_EQ(signing.stamps.Stamps().size(), 1u);
  const PlacedStamp& stamp = signing.stamps.Stamps().front();
  EXPECT_EQ(stamp.kind, Stamp::Kind::Signature);
  EXPECT_EQ(stamp.widthMm, kDefaultSignatureWidthMm);
  const QRectF page(QPointF(0, 0), signing.view->PageMm());
  EXPECT_NEAR(page.width(), 210, 0.5);
  EXPECT_TRUE(page.contains(StampBoxMm(stamp, 0.3))) << "the default place is on the page";
  // The page is drawn over white paper, with the document's own text on it.
  signing.view->DrawSharpNow();
  const QImage pixels = signing.view->PagePixels().convertToFormat(QImage::Format_Grayscale8);
  ASSERT_FALSE(pixels.isNull());
  EXPECT_EQ(pixels.pixelColor(pixels.width() - 2, pixels.height() - 2), QColor(Qt::white));
  int dark = 0;
  for (int y = 0; y < pixels.height() / 3; ++y)
    for (int x = 0; x < pixels.width() / 2; ++x) dark += qGray(pixels.pixel(x, y)) < 128;
  EXPECT_GT(dark, 10) << "the page's text is drawn";
}

TEST_F(SignWindowTest, DraggingPlacesTheInkInMillimetresOnThePageShown) {
  SignWindow& signing = Opened();
  FromTheMiddle(signing);
  SignPageView& view = *signing.view;
  const PlacedStamp before = signing.stamps.Stamps().front();
  const double pxPerMm = view.PageRectPx().width() / view.PageMm().width();
  ASSERT_GT(pxPerMm, 1);
  const QPoint from = Centre(view, 0);
  Drag(view, from, from + QPoint(60, 90));
  const PlacedStamp moved = signing.stamps.Stamps().front();
  EXPECT_NEAR(moved.topLeftMm.x(), before.topLeftMm.x() + 60 / pxPerMm, 1e-6);
  EXPECT_NEAR(moved.topLeftMm.y(), before.topLeftMm.y() + 90 / pxPerMm, 1e-6);
  EXPECT_EQ(moved.widthMm, before.widthMm);
  EXPECT_EQ(signing.history.count(), 1) << "one drag, one step to undo";
  // The pixel under the pointer is the millimetre the plan gets.
  const QPointF mm = view.ToMm(view.ToPx(QPointF(30, 40)));
  EXPECT_NEAR(mm.x(), 30, 1e-9);
  EXPECT_NEAR(mm.y(), 40, 1e-9);

  // On page 2 the stamp of page 1 is faint; dragging it brings it to page 2 ("本页").
  signing.pageList->setCurrentRow(1);
  EXPECT_EQ(view.Page(), 2);
  Drag(view, Centre(view, 0), Centre(view, 0) + QPoint(10, 0));
  EXPECT_EQ(signing.stamps.Stamps().front().page, 2);
  const SigningPlan plan = signing.Plan();
  ASSERT_EQ(plan.stamps.size(), 1u);
  EXPECT_EQ(plan.stamps[0].pages, PageSelection::Page(2));
  EXPECT_EQ(plan.stamps[0].topLeftMm, signing.stamps.Stamps().front().topLeftMm);
  EXPECT_EQ(plan.documentPath, document);
  EXPECT_EQ(plan.stamps[0].request.background, std::nullopt) << "no background on a page";
}

TEST_F(SignWindowTest, ResizingKeepsTheProportionsByHandleAndWheel) {
  SignWindow& signing = Opened();
  FromTheMiddle(signing);
  SignPageView& view = *signing.view;
  QTest::mouseClick(&view, Qt::LeftButton, {}, Centre(view, 0));
  ASSERT_EQ(view.Selected(), 0);
  const QRectF box = view.StampRectPx(0);
  const double ratio = box.height() / box.width();
  const QPoint corner = box.bottomRight().toPoint();
  Drag(view, corner, corner + QPoint(60, 0));
  const QRectF grown = view.StampRectPx(0);
  EXPECT_NEAR(grown.width(), box.width() + 60, 1.0);
  EXPECT_NEAR(grown.height() / grown.width(), ratio, 1e-6);
  EXPECT_NEAR(grown.left(), box.left(), 1e-6) << "the opposite corner stays";
  EXPECT_NEAR(grown.top(), box.top(), 1e-6);
  // Dragging the top-left handle towards the inside shrinks it about the bottom-right corner.
  Drag(view, grown.topLeft().toPoint(), grown.topLeft().toPoint() + QPoint(40, 40));
  const QRectF shrunk = view.StampRectPx(0);
  EXPECT_NEAR(shrunk.right(), grown.right(), 1e-6);
  EXPECT_NEAR(shrunk.bottom(), grown.bottom(), 1e-6);
  EXPECT_LT(shrunk.width(), grown.width());

  const double width = signing.stamps.Stamps().front().widthMm;
  const QPointF centre = view.StampRectPx(0).center();
  const int steps = signing.history.count();
  Wheel(view, centre.toPoint(), 1);
  Wheel(view, centre.toPoint(), 1);
  EXPECT_NEAR(signing.stamps.Stamps().front().widthMm, width * 1.21, 1e-6);
  EXPECT_NEAR(view.StampRectPx(0).center().x(), centre.x(), 1e-6) << "about its centre";
  EXPECT_NEAR(view.StampRectPx(0).height() / view.StampRectPx(0).width(), ratio, 1e-6);
  EXPECT_EQ(signing.history.count(), steps + 1) << "one turn of the wheel, one step";
  for (int i = 0; i < 80; ++i) Wheel(view, view.StampRectPx(0).center().toPoint(), -1);
  EXPECT_EQ(signing.stamps.Stamps().front().widthMm, kMinStampWidthMm);
}

TEST_F(SignWindowTest, DeleteUndoAndRedoPutBackExactlyWhatWasThere) {
  SignWindow& signing = Opened();
  SignPageView& view = *signing.view;
  signing.choices->chkSeal->setChecked(true);
  ASSERT_EQ(signing.stamps.Stamps().size(), 2u);
  const PlacedStamps placed = signing.stamps.Stamps();
  Drag(view, Centre(view, 0), Centre(view, 0) + QPoint(30, 30));
  const PlacedStamps moved = signing.stamps.Stamps();
  const int seal = signing.stamps.IndexOf(Stamp::Kind::Seal);
  QTest::mouseClick(&view, Qt::LeftButton, {}, Centre(view, seal));
  QTest::keyClick(&view, Qt::Key_Delete);
  const PlacedStamps deleted = signing.stamps.Stamps();
  EXPECT_EQ(signing.stamps.IndexOf(Stamp::Kind::Seal), -1);
  EXPECT_FALSE(signing.choices->chkSeal->isChecked()) << "the box says what is on the page";

  QTest::keyClick(&signing, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(signing.stamps.Stamps(), moved);
  EXPECT_TRUE(signing.choices->chkSeal->isChecked());
  QTest::keyClick(&signing, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(signing.stamps.Stamps(), placed);
  QTest::keyClick(&signing, Qt::Key_Y, Qt::ControlModifier);
  QTest::keyClick(&signing, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(signing.stamps.Stamps(), deleted);
  EXPECT_FALSE(signing.choices->chkSeal->isChecked());
}

TEST_F(SignWindowTest, ThePageChoicesDateAndSeamReachThePlan) {
  SignWindow& signing = Opened();
  SignChoices& choices = *signing.choices;
  const auto pages = [&] { return signing.Plan().stamps.front().pages; };
  EXPECT_EQ(pages(), PageSelection::Page(1));
  choices.cboPages->setCurrentIndex(SignChoices::kAllPages);
  EXPECT_EQ(pages(), PageSelection::All());
  choices.cboPages->setCurrentIndex(SignChoices::kOddPages);
  EXPECT_EQ(pages(), PageSelection::Odd());
  choices.cboPages->setCurrentIndex(SignChoices::kEvenPages);
  EXPECT_EQ(pages(), PageSelection::Even());
  choices.cboPages->setCurrentIndex(SignChoices::kListedPages);
  choices.txtPages->setText(QStringLiteral("1,3-5"));
  EXPECT_EQ(pages(), (PageSelection{PageSelection::Kind::List, {{1, 1}, {3, 5}}}));
  // A page beyond the document's end is refused before anything is asked or written.
  signing.save->trigger();
  EXPECT_EQ(saveDialog.calls, 0);
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown.front().text.contains(QStringLiteral("5"))) << messages.shown.front().text.toStdString();
  choices.txtPages->setText(QStringLiteral("1，x"));
  EXPECT_THROW(signing.Plan(), Failure);
  choices.txtPages->setText(QStringLiteral("2"));

  choices.chkDate->setChecked(true);
  EXPECT_EQ(choices.txtDate->text(), DateText());
  choices.txtDate->setText(QStringLiteral("2026年12月11日"));
  SigningPlan plan = signing.Plan();
  ASSERT_EQ(plan.stamps.size(), 2u);
  const Stamp signature = plan.stamps[0];  // a copy: the plan is made again below
  const Stamp date = plan.stamps[1];
  EXPECT_EQ(date.kind, Stamp::Kind::Date);
  EXPECT_EQ(date.dateText, QStringLiteral("2026年12月11日"));
  EXPECT_EQ(date.pages, signature.pages);
  EXPECT_GT(date.topLeftMm.y(), signature.topLeftMm.y()) << "under the signature";
  choices.cboDatePlace->setCurrentIndex(1);
  plan = signing.Plan();
  EXPECT_GT(plan.stamps[1].topLeftMm.x(), signature.topLeftMm.x() + signature.widthMm) << "beside it";

  EXPECT_FALSE(plan.seam);
  choices.grpSeam->setChecked(true);
  choices.cboSeamStyle->setCurrentIndex(choices.cboSeamStyle->findText(QStringLiteral("篆印体-阴文")));
  choices.spnSeamSlices->setValue(4);
  choices.txtSeamPages->setText(QStringLiteral("2-3"));
  choices.chkSkipFirst->setChecked(true);
  choices.spnSeamTop->setValue(120);
  plan = signing.Plan();
  ASSERT_TRUE(plan.seam);
  EXPECT_EQ(plan.seam->maxSlices, 4);
  EXPECT_EQ(plan.seam->pages, (PageSelection{PageSelection::Kind::List, {{2, 3}}}));
  EXPECT_TRUE(plan.seam->skipFirst);
  EXPECT_EQ(plan.seam->topMm, 120.0);
  EXPECT_EQ(window->catalogue.styleNames.value(plan.seam->seal.style), QStringLiteral("篆印体-阴文"));
  choices.spnSeamTop->setValue(-1);
  EXPECT_EQ(signing.Plan().seam->topMm, std::nullopt) << "居中";
}

TEST_F(SignWindowTest, TheSignedCopyGoesBesideTheOriginalUnlessTheUserChoosesOtherwise) {
  SignWindow& signing = Opened();
  const QByteArray original = Bytes(document);
  saveDialog.answer = {};
  signing.btnSave->click();
  EXPECT_EQ(saveDialog.calls, 1);
  EXPECT_EQ(saveDialog.lastProposed, dir.filePath(QStringLiteral("合同-已签.pdf")));
  EXPECT_FALSE(QFile::exists(saveDialog.lastProposed)) << "cancelled: nothing written";

  saveDialog.answer = {true, dir.filePath(QStringLiteral("签好的")), 1};
  signing.btnSave->click();
  const QString written = dir.filePath(QStringLiteral("签好的.pdf"));
  ASSERT_FALSE(messages.shown.isEmpty());
  EXPECT_EQ(messages.shown.back().style, kMbInformation) << messages.shown.back().text.toStdString();
  EXPECT_TRUE(messages.shown.back().text.contains(written));
  EXPECT_TRUE(QFile::exists(written));
  EXPECT_EQ(Bytes(document), original) << "the original is never written";

  // Unless the user picks it: then the page shown is the signed one, the signature's ink in it.
  const auto inkUnderStamp = [&signing] {
    signing.view->DrawSharpNow();
    const QImage page = signing.view->PagePixels();
    const QRectF box = signing.view->StampRectPx(0).translated(-signing.view->PageRectPx().topLeft());
    int dark = 0;
    for (int y = int(box.top()); y < int(box.bottom()); ++y)
      for (int x = int(box.left()); x < int(box.right()); ++x) dark += qGray(page.pixel(x, y)) < 128;
    return dark;
  };
  EXPECT_EQ(inkUnderStamp(), 0);
  saveDialog.answer = {true, document, 1};
  signing.btnSave->click();
  EXPECT_NE(Bytes(document), original);
  EXPECT_GT(inkUnderStamp(), 20);
}

TEST_F(SignWindowTest, AStampOffThePageIsWarnedAboutBeforeSaving) {
  // A drag stops at the page's edge; a page too small for the stamp is what is left to warn of.
  SignWindow* signing = OpenSigning(WriteMixedPdf(dir.filePath(QStringLiteral("mixed.pdf"))));
  ASSERT_TRUE(signing && signing->isVisible());
  SignPageView& view = *signing->view;
  const QPoint from = Centre(view, 0);
  Drag(view, from, QPoint(int(view.PageRectPx().right()) + 200, from.y()));
  EXPECT_TRUE(QRectF(QPointF(), view.PageMm()).contains(view.Shown(0).topLeftMm + QPointF(1, 1)));
  EXPECT_NEAR(view.StampRectPx(0).right(), view.PageRectPx().right(), 1.0) << "stopped at the edge";
  signing->choices->cboPages->setCurrentIndex(SignChoices::kAllPages);
  messages.answer = false;
  saveDialog.answer = {true, dir.filePath(QStringLiteral("x.pdf")), 1};
  signing->btnSave->click();
  ASSERT_EQ(messages.asked.size(), 1);
  EXPECT_TRUE(messages.asked.front().text.contains(QStringLiteral("超出了第 3 页")))
      << messages.asked.front().text.toStdString();
  EXPECT_EQ(saveDialog.calls, 0) << "declined: not saved";
}

TEST_F(SignWindowTest, BadDocumentsSayWhyAndOpenNothing) {
  const QString text = dir.filePath(QStringLiteral("说明.pdf"));
  QFile file(text);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("this is not a PDF\n");
  file.close();
  SignWindow* signing = OpenSigning(text);
  ASSERT_TRUE(signing);
  EXPECT_FALSE(signing->isVisible());
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown.front().text.contains(QStringLiteral("说明.pdf")))
      << messages.shown.front().text.toStdString();

  // A user password is asked for until it opens the document, or the user gives up.
  const QString locked = dir.filePath(QStringLiteral("locked.pdf"));
  ASSERT_EQ(QProcess::execute(QStringLiteral("qpdf"), {QStringLiteral("--encrypt"), QStringLiteral("秘密"),
                                                      QStringLiteral("owner"), QStringLiteral("256"),
                                                      QStringLiteral("--"), document, locked}),
            0);
  QStringList prompts;
  QStringList answers{QStringLiteral("wrong"), QStringLiteral("秘密")};
  signing->askPassword = [&](const QString& prompt) -> std::optional<QString> {
    prompts << prompt;
    if (answers.isEmpty()) return std::nullopt;
    return answers.takeFirst();
  };
  EXPECT_TRUE(signing->Open(locked));
  ASSERT_EQ(prompts.size(), 2);
  EXPECT_TRUE(prompts[1].contains(QStringLiteral("密码不对")));
  EXPECT_EQ(signing->PageCount(), 3);
  EXPECT_EQ(signing->Plan().password, QStringLiteral("秘密"));
  prompts.clear();
  EXPECT_FALSE(signing->Open(locked)) << "given up";
  EXPECT_EQ(prompts.size(), 1);
}

TEST_F(SignWindowTest, AThousandPagesOpenWithOnlyTheThumbnailsInViewDrawn) {
  const QString big = WritePdf(dir.filePath(QStringLiteral("big.pdf")), 1000);
  SignWindow* signing = OpenSigning(big);
  ASSERT_TRUE(signing && signing->isVisible());
  SignPageList& list = *signing->pageList;
  EXPECT_EQ(list.count(), 1000);
  for (int i = 0; i < 50; ++i) QCoreApplication::processEvents();
  EXPECT_GT(list.DrawnCount(), 0);
  EXPECT_LT(list.DrawnCount(), 20) << "only what is in view";
  EXPECT_TRUE(list.IsDrawn(1));
  EXPECT_FALSE(list.IsDrawn(1000));
  list.verticalScrollBar()->setValue(list.verticalScrollBar()->maximum());
  for (int i = 0; i < 50; ++i) QCoreApplication::processEvents();
  EXPECT_TRUE(list.IsDrawn(1000));
  EXPECT_LT(list.DrawnCount(), 40);
  QTest::keyClick(signing->view, Qt::Key_PageDown);
  EXPECT_EQ(signing->view->Page(), 2);

  // Saving a thousand pages runs beside the window; 取消 in its progress stops it, nothing written.
  signing->choices->cboPages->setCurrentIndex(SignChoices::kAllPages);
  const QString out = dir.filePath(QStringLiteral("big-已签.pdf"));
  saveDialog.answer = {true, out, 1};
  QTimer::singleShot(0, signing, [signing] {
    auto* progress = signing->findChild<QProgressDialog*>();
    ASSERT_TRUE(progress && progress->findChild<QPushButton*>());
    progress->findChild<QPushButton*>()->click();  // 取消
  });
  signing->btnSave->click();
  ASSERT_FALSE(messages.shown.isEmpty());
  EXPECT_TRUE(messages.shown.back().text.contains(QStringLiteral("取消"))) << messages.shown.back().text.toStdString();
  EXPECT_FALSE(QFile::exists(out));
}

TEST_F(SignWindowTest, EveryPageKindIsPreviewedAsAViewerShowsIt) {
  // Each page has a black square at 20-60 mm across, 100-140 mm down its box as drawn; a viewer
  // shows it turned with the page. The preview (drawn by one library) must show it where the
  // page sizes the placement uses (read by the other) put it, on every kind of page.
  const QString kinds = dir.filePath(QStringLiteral("kinds.pdf"));
  ASSERT_TRUE(yz::testing::WriteBytes(kinds, yz::testing::PageKindsPdf()));
  SignWindow* signing = OpenSigning(kinds);
  ASSERT_TRUE(signing && signing->isVisible());
  ASSERT_EQ(signing->PageCount(), yz::testing::kPageKinds);
  const int turns[yz::testing::kPageKinds] = {0, 90, 180, 270, 270, 0, 90, 0, 0};
  SignPageView& view = *signing->view;
  for (int page = 1; page <= yz::testing::kPageKinds; ++page) {
    signing->ShowPage(page);
    view.DrawSharpNow();
    const QImage pixels = view.PagePixels();
    const QSizeF shown = view.PageMm();
    const int turn = turns[page - 1];
    const QSizeF box = turn % 180 ? shown.transposed() : shown;
    // (u, v) from the top-left of the box as drawn, to the page as shown (turned clockwise).
    const auto shownAt = [&](double u, double v) {
      switch (turn) {
        case 90: return QPointF(box.height() - v, u);
        case 180: return QPointF(box.width() - u, box.height() - v);
        case 270: return QPointF(v, box.width() - u);
        default: return QPointF(u, v);
      }
    };
    const double pxPerMm = pixels.width() / shown.width();
    const auto grey = [&](double u, double v) {
      const QPointF at = shownAt(u, v) * pxPerMm;
      return qGray(pixels.pixel(int(at.x()), int(at.y())));
    };
    EXPECT_LT(grey(40, 120), 64) << "page " << page << ": the square's middle";
    EXPECT_GT(grey(80, 120), 192) << "page " << page << ": beside the square";
    EXPECT_GT(grey(40, 160), 192) << "page " << page << ": under the square";
  }
  signing->ShowPage(2);
  EXPECT_GT(view.PageMm().width(), view.PageMm().height()) << "/Rotate 90 shows a letter page across";
}

TEST_F(SignWindowTest, ADocumentWithDigitalSignaturesIsStampedByAppendingWithoutAQuestion) {
  const QString signedForm = dir.filePath(QStringLiteral("已有签名.pdf"));
  ASSERT_TRUE(yz::testing::WriteBytes(signedForm, yz::testing::SignedFormPdf()));
  SignWindow* signing = OpenSigning(signedForm);
  ASSERT_TRUE(signing && signing->isVisible());
  EXPECT_TRUE(messages.asked.isEmpty()) << "appending keeps its signatures: nothing to ask";
  EXPECT_FALSE(signing->Plan().goOnDespiteSignatures);
  saveDialog.answer = {true, dir.filePath(QStringLiteral("重签.pdf")), 1};
  signing->btnSave->click();
  EXPECT_TRUE(yz::testing::Bytes(dir.filePath(QStringLiteral("重签.pdf"))).startsWith(yz::testing::SignedFormPdf()));
  EXPECT_TRUE(messages.asked.isEmpty());
}

}  // namespace
