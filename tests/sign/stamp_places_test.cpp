// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Stamps proposed on real pages, drawn by poppler from documents written here: the signature
// lands in white space at the text's end or on its signature line, inside the text's margins and
// above the footer; the seal over its end, the date under it; a full page says it had no room.
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cmath>

#include "sign/signing_fixture.h"
#include "sign/stamp_places.h"

using namespace yz;
using namespace yz::testing;

namespace {

constexpr int kDpi = 100;
constexpr double kUnitsPerMm = 720 / 25.4;  // the writer's units
const QString kRealDocument = QStringLiteral("/usr/share/doc/libtasn1-doc/libtasn1.pdf");
const QString kProse = QStringLiteral("本合同一式两份双方各执一份自签字盖章之日起生效未尽事宜另行协商");
const StampSizesMm kAllStamps{QSizeF(50, 20), QSizeF(25, 25), QSizeF(40, 6)};

// One page of a document, written in millimetres with a Chinese text face, then drawn by poppler.
class Page {
 public:
  explicit Page(QSizeF mm = {210, 297})
      : path_(folder_.filePath(QStringLiteral("页.pdf"))), mm_(mm), writer_(path_) {
    const bool landscape = mm.width() > mm.height();
    writer_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                      landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF()));
    writer_.setResolution(720);
    painter_.begin(&writer_);
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(int(4 * kUnitsPerMm));  // 4 mm, a usual line of text
    painter_.setFont(font);
  }

  // Lines of prose from `top`, 7 mm apart, filling `left` to `right`; the last `lastShare` full.
  void Prose(double left, double right, double top, int lines, double lastShare = 0.4) {
    const double em = QFontMetricsF(painter_.font(), &writer_).horizontalAdvance(QChar(u'字')) / kUnitsPerMm;
    for (int line = 0; line < lines; ++line) {
      const double share = line + 1 == lines ? lastShare : 1;
      const int count = int((right - left) * share / em);
      QString text;
      while (text.size() < count) text += kProse;
      Text(left, top + 7 * line, text.left(count));
    }
  }
  // Text with its top-left at x, y; its box in millimetres.
  QRectF Text(double x, double y, const QString& text) {
    const QRectF box = painter_.boundingRect(QRectF(x * kUnitsPerMm, y * kUnitsPerMm, 1e6, 1e6),
                                             Qt::AlignLeft | Qt::AlignTop, text);
    painter_.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
    return QRectF(box.topLeft() / kUnitsPerMm, box.size() / kUnitsPerMm);
  }
  // A hairline rule to sign on, 0.3 mm thick, its top at `y`.
  void Rule(double left, double right, double y) {
    const QRectF mm(left, y, right - left, 0.3);
    painter_.fillRect(QRectF(mm.topLeft() * kUnitsPerMm, mm.size() * kUnitsPerMm), Qt::black);
  }

  // Ends the document and draws it; the picture the proposal is made from and judged on.
  const QImage& Picture() {
    if (picture_.isNull()) {
      painter_.end();
      picture_ = RenderPage(path_, 1, kDpi);
    }
    return picture_;
  }
  QSizeF Mm() const { return mm_; }

 private:
  QTemporaryDir folder_;
  QString path_;
  QSizeF mm_;
  QPdfWriter writer_;
  QPainter painter_;
  QImage picture_;
};

int DarkPixels(const QImage& picture, const QSizeF& pageMm, const QRectF& mm) {
  const double sx = picture.width() / pageMm.width(), sy = picture.height() / pageMm.height();
  const QRect area = QRectF(mm.left() * sx, mm.top() * sy, mm.width() * sx, mm.height() * sy).toRect() &
                     picture.rect();
  int dark = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) dark += qGray(picture.pixel(x, y)) < 160;
  return dark;
}

struct Boxes {
  QRectF signature;
  std::optional<QRectF> seal, date;
};

Boxes BoxesOf(const StampPlaces& places, const StampSizesMm& sizes) {
  Boxes boxes{QRectF(places.signature, sizes.signature), {}, {}};
  if (places.seal) boxes.seal = QRectF(*places.seal, *sizes.seal);
  if (places.date) boxes.date = QRectF(*places.date, *sizes.date);
  return boxes;
}

// What holds wherever the stamps land: every box on the page and between the text's margins,
// over no ink when there was room; the seal over the signature's end only, the date under it.
Boxes ExpectSound(Page& page, const StampPlaces& places, const StampSizesMm& sizes,
                  double marginLeft, double marginRight) {
  const Boxes boxes = BoxesOf(places, sizes);
  EXPECT_EQ(places.seal.has_value(), sizes.seal.has_value());
  EXPECT_EQ(places.date.has_value(), sizes.date.has_value());
  std::vector<std::pair<const char*, QRectF>> all{{"signature", boxes.signature}};
  if (boxes.seal) all.emplace_back("seal", *boxes.seal);
  if (boxes.date) all.emplace_back("date", *boxes.date);
  for (const auto& [name, box] : all) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(QRectF(QPointF(), page.Mm()).contains(box));
    EXPECT_GE(box.left(), marginLeft - 0.5);
    EXPECT_LE(box.right(), marginRight + 0.5);
    if (places.roomFound) EXPECT_EQ(DarkPixels(page.Picture(), page.Mm(), box), 0);
  }
  const QRectF& signature = boxes.signature;
  if (boxes.seal) {
    EXPECT_GT(boxes.seal->left(), signature.left() + signature.width() / 2);
    EXPECT_LT(boxes.seal->left(), signature.right());
    EXPECT_TRUE(boxes.seal->intersects(signature));
  }
  if (boxes.date) {
    EXPECT_GE(boxes.date->top(), signature.bottom());
    EXPECT_LT(boxes.date->top(), signature.bottom() + 15);
    EXPECT_TRUE(boxes.date->left() < signature.right() && boxes.date->right() > signature.left());
  }
  return boxes;
}

StampPlaces Suggest(Page& page, const StampSizesMm& sizes = kAllStamps,
                    const std::vector<QRectF>& labels = {}) {
  return SuggestStampPlaces(page.Picture(), page.Mm(), sizes, labels);
}

TEST(StampPlacesTest, OnATextPageTheStampsFollowTheTextsEndInsideItsMargins) {
  Page page;
  page.Prose(25, 185, 25, 16);  // the last line ends near the left
  const StampPlaces places = Suggest(page);
  EXPECT_TRUE(places.roomFound);
  EXPECT_FALSE(places.onSignatureLine);
  const Boxes boxes = ExpectSound(page, places, kAllStamps, 25, 185);
  const double textEnd = 25 + 7 * 15 + 4;
  EXPECT_GT(boxes.signature.top(), textEnd);
  EXPECT_LT(boxes.signature.top(), textEnd + 15);

  // Drawn coarser or finer, the page gives the same places within a few millimetres.
  for (const int dpi : {50, 200}) {
    const QImage other = page.Picture().scaled(page.Picture().size() * dpi / kDpi, Qt::IgnoreAspectRatio,
                                               Qt::SmoothTransformation);
    const StampPlaces again = SuggestStampPlaces(other, page.Mm(), kAllStamps, {});
    EXPECT_NEAR(again.signature.x(), places.signature.x(), 2) << dpi;
    EXPECT_NEAR(again.signature.y(), places.signature.y(), 2) << dpi;
  }
}

TEST(StampPlacesTest, ASignatureLineTakesTheSignatureWhetherRuledOrUnderscored) {
  {
    SCOPED_TRACE("ruled");
    Page page;
    page.Prose(25, 185, 25, 10);
    page.Text(85, 236, QStringLiteral("经办人"));
    page.Rule(110, 180, 240);
    const StampPlaces places = Suggest(page);
    EXPECT_TRUE(places.roomFound);
    EXPECT_TRUE(places.onSignatureLine);
    const Boxes boxes = ExpectSound(page, places, kAllStamps, 25, 185);
    EXPECT_LE(boxes.signature.bottom(), 240);
    EXPECT_GT(boxes.signature.bottom(), 237);
    EXPECT_TRUE(boxes.signature.left() >= 105 && boxes.signature.right() <= 185);
    EXPECT_GT(boxes.date->top(), 240.3);  // under the line the name is written on
  }
  {
    SCOPED_TRACE("underscored");
    Page page;
    page.Prose(25, 185, 25, 10);
    const QRectF line = page.Text(60, 220, QStringLiteral("签字：____________________"));
    const StampPlaces places = Suggest(page);
    EXPECT_TRUE(places.onSignatureLine);
    const Boxes boxes = ExpectSound(page, places, kAllStamps, 25, 185);
    EXPECT_LE(boxes.signature.bottom(), line.bottom());
    EXPECT_GT(boxes.signature.bottom(), line.center().y());
    EXPECT_GT(boxes.signature.left(), 70);  // after the label, over the underscores
  }
}

TEST(StampPlacesTest, ASigningLabelTakesTheSignatureBesideItOrOnItsLine) {
  {
    SCOPED_TRACE("a label alone");
    Page page;
    page.Prose(25, 185, 25, 20, 1);
    const QRectF label = page.Text(110, 200, QStringLiteral("签名："));
    const StampPlaces places = Suggest(page, kAllStamps, {label});
    EXPECT_TRUE(places.roomFound);
    EXPECT_TRUE(places.onSignatureLine);
    const Boxes boxes = ExpectSound(page, places, kAllStamps, 25, 185);
    const QRectF& signature = boxes.signature;
    const bool beside = signature.left() >= label.right() && signature.left() <= label.right() + 10 &&
                        signature.top() < label.bottom() && signature.bottom() > label.top();
    const bool after = signature.top() >= label.bottom() && signature.top() <= label.bottom() + 8 &&
                       signature.left() <= label.right();
    EXPECT_TRUE(beside || after) << signature.left() << "," << signature.top();
  }
  {
    SCOPED_TRACE("a label printed under its line, over a lower line of its own");
    Page page;
    page.Prose(25, 185, 25, 12);
    page.Rule(40, 110, 200);
    const QRectF label = page.Text(40, 202, QStringLiteral("Signature"));
    page.Rule(40, 110, 245);
    page.Text(40, 247, QStringLiteral("Witness"));
    const StampPlaces places = Suggest(page, kAllStamps, {label});
    EXPECT_TRUE(places.onSignatureLine);
    const Boxes boxes = ExpectSound(page, places, kAllStamps, 25, 185);
    EXPECT_LE(boxes.signature.bottom(), 200);
    EXPECT_GT(boxes.signature.bottom(), 197);
  }
  {
    SCOPED_TRACE("labels packed too close for a name: still by one of them, said to be short of room");
    Page page;
    page.Prose(25, 185, 25, 25, 0.7);
    page.Text(25, 215, QStringLiteral("甲方（盖章）："));
    page.Text(110, 215, QStringLiteral("乙方（盖章）："));
    const QRectF first = page.Text(25, 228, QStringLiteral("法定代表人（签字）："));
    const QRectF second = page.Text(110, 228, QStringLiteral("法定代表人（签字）："));
    page.Text(25, 241, QStringLiteral("日期：    年  月  日"));
    page.Text(110, 241, QStringLiteral("日期：    年  月  日"));
    const std::vector<QRectF> labels{first, second};
    const StampPlaces places = Suggest(page, kAllStamps, labels);
    EXPECT_FALSE(places.roomFound);
    EXPECT_TRUE(places.onSignatureLine);
    const QRectF signature = ExpectSound(page, places, kAllStamps, 25, 185).signature;
    const bool byALabel = std::any_of(labels.begin(), labels.end(), [&](const QRectF& label) {
      return signature.left() >= label.left() && signature.left() <= label.right() + 10 &&
             signature.top() < label.bottom() + 8 && signature.bottom() > label.top();
    });
    EXPECT_TRUE(byALabel) << signature.left() << "," << signature.top();
  }
}

TEST(StampPlacesTest, AFullPageFallsBackLowOnTheRightAndSaysSo) {
  Page page;
  page.Prose(20, 190, 15, 39, 1);
  const StampPlaces places = Suggest(page);
  EXPECT_FALSE(places.roomFound);
  EXPECT_FALSE(places.onSignatureLine);
  const Boxes boxes = ExpectSound(page, places, kAllStamps, 20, 190);
  EXPECT_GT(boxes.signature.top(), 297 / 2.0);
  EXPECT_GT(boxes.seal->right(), 190 - 5);
}

TEST(StampPlacesTest, APageNumberAndItsRuleAreFooterNeverTheTextsEnd) {
  for (const bool ruled : {false, true}) {
    SCOPED_TRACE(ruled ? "under a rule" : "alone");
    Page page;
    page.Prose(25, 185, 25, 22, 0.3);        // the text ends low, at 176 mm
    if (ruled) page.Rule(25, 185, 277);      // the footer's own rule over its page number
    const double footerTop = page.Text(100, 284, QStringLiteral("- 3 -")).top();
    const StampPlaces places = Suggest(page);
    EXPECT_TRUE(places.roomFound);
    const Boxes boxes = ExpectSound(page, places, kAllStamps, 25, 185);
    for (const QRectF& box : {boxes.signature, *boxes.seal, *boxes.date})
      EXPECT_LT(box.bottom(), (ruled ? 277 : footerTop) - 2);
    EXPECT_LT(boxes.signature.top(), 176 + 15);
  }
}

TEST(StampPlacesTest, ALandscapePageKeepsTheStampsOnItAndOffItsText) {
  Page page({297, 210});
  page.Prose(20, 277, 20, 12, 0.9);
  ASSERT_GT(page.Picture().width(), page.Picture().height());
  const StampSizesMm signatureOnly{QSizeF(60, 24), {}, {}};
  const StampPlaces places = Suggest(page, signatureOnly);
  EXPECT_TRUE(places.roomFound);
  const Boxes boxes = ExpectSound(page, places, signatureOnly, 20, 277);
  EXPECT_GT(boxes.signature.top(), 20 + 7 * 11 + 4);
  EXPECT_LT(boxes.signature.bottom(), 210 - 10);
}

TEST(StampPlacesTest, ABlankOrTransparentPageNoPictureOrAStampTooLargeStillGetPlacesOnThePage) {
  const QSizeF a4(210, 297);
  const QRectF onPage(QPointF(), a4);
  QImage white(827, 1170, QImage::Format_RGB32);
  white.fill(Qt::white);
  const StampPlaces blank = SuggestStampPlaces(white, a4, kAllStamps, {});
  EXPECT_TRUE(blank.roomFound);
  const Boxes boxes = BoxesOf(blank, kAllStamps);
  for (const QRectF& box : {boxes.signature, *boxes.seal, *boxes.date}) {
    EXPECT_TRUE(onPage.adjusted(20, 20, -20, -20).contains(box));  // off the bare margins
  }

  QImage transparent(827, 1170, QImage::Format_ARGB32_Premultiplied);
  transparent.fill(Qt::transparent);
  const StampPlaces clear = SuggestStampPlaces(transparent, a4, kAllStamps, {});
  EXPECT_TRUE(clear.roomFound);
  EXPECT_EQ(clear.signature, blank.signature);  // read as laid on white paper

  const StampPlaces noPicture = SuggestStampPlaces(QImage(), a4, kAllStamps, {});
  EXPECT_TRUE(onPage.contains(QRectF(noPicture.signature, kAllStamps.signature)));

  const StampSizesMm tooLarge{QSizeF(400, 100), QSizeF(25, 25), {}};
  const StampPlaces over = SuggestStampPlaces(white, a4, tooLarge, {});
  EXPECT_FALSE(over.roomFound);
  EXPECT_TRUE(over.seal.has_value());
  EXPECT_FALSE(over.date.has_value());
  EXPECT_GE(over.signature.x(), 0);

  const double nan = std::nan("");
  const StampPlaces odd = SuggestStampPlaces(white, QSizeF(nan, -1), {QSizeF(nan, 20), {}, QSizeF(-3, 6)}, {});
  EXPECT_TRUE(std::isfinite(odd.signature.x()) && std::isfinite(odd.signature.y()));
  EXPECT_TRUE(odd.date.has_value());
}

TEST(StampPlacesTest, OnARealManualsPagesTheStampsCoverNoText) {
  if (!QFile::exists(kRealDocument)) GTEST_SKIP() << "libtasn1-doc is not installed";
  const QSizeF letter(215.9, 279.4);
  int withRoom = 0;
  for (const int number : {1, 2, 5, 17, 36}) {
    SCOPED_TRACE("page " + std::to_string(number));
    const QImage picture = RenderPage(kRealDocument, number, kDpi);
    ASSERT_FALSE(picture.isNull());
    const StampPlaces places = SuggestStampPlaces(picture, letter, kAllStamps, {});
    const Boxes boxes = BoxesOf(places, kAllStamps);
    for (const QRectF& box : {boxes.signature, *boxes.seal, *boxes.date}) {
      EXPECT_TRUE(QRectF(QPointF(), letter).contains(box));
      if (places.roomFound) EXPECT_EQ(DarkPixels(picture, letter, box), 0);
    }
    withRoom += places.roomFound;
  }
  EXPECT_GE(withRoom, 3);
}

}  // namespace
