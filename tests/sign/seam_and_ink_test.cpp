// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The 骑缝章: its slices at the pages' right edges rebuild the seal, run by run; and the seal's
// ink multiplies with the page unless plain painting is asked for.
#include <QPainterPath>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "sign/seam_slices.h"
#include "sign/signing_fixture.h"

using namespace yz;
using namespace yz::testing;

namespace {

constexpr double kPixelsPerMm = 144 / 25.4;
// 336 pixels at 144 dpi: slices of 84 and 112 whole pixels for runs of four and three, so that
// every cut falls between pixels and the comparison measures the slices, not the smoothing of
// edges drawn at different fractions of a pixel. The seal whole is drawn at a whole pixel too.
constexpr double kSealMm = 336 / kPixelsPerMm;
constexpr double kWholeLeftMm = 567 / kPixelsPerMm;

// A square frame with a block in one corner, in blue, as a seal is a frame with characters.
StampArt SealLike() {
  VectorDrawing drawing;
  QPainterPath path;
  path.addRect(0, 0, 60, 60);
  path.addRect(5, 5, 50, 50);
  path.addRect(10, 10, 18, 30);
  path.addEllipse(35, 35, 15, 15);
  drawing.shapes.push_back({path, QColor(0, 0, 255)});
  return ArtOfDrawing(drawing, QStringLiteral("seal"));
}

using Mask = std::vector<std::vector<bool>>;  // [row][column]

// The blue of the picture's columns from `left` on, cut to the rows of `rows`.
void AppendColumns(Mask& mask, const QImage& picture, int left, int right) {
  if (mask.empty()) mask.resize(size_t(picture.height()));
  for (int y = 0; y < picture.height(); ++y)
    for (int x = left; x < right; ++x) mask[size_t(y)].push_back(IsBlue(picture.pixel(x, y)));
}

Mask CroppedToInk(const Mask& mask) {
  int top = INT_MAX, bottom = -1, left = INT_MAX, right = -1;
  for (size_t y = 0; y < mask.size(); ++y)
    for (size_t x = 0; x < mask[y].size(); ++x)
      if (mask[y][x]) {
        top = std::min(top, int(y)), bottom = std::max(bottom, int(y));
        left = std::min(left, int(x)), right = std::max(right, int(x));
      }
  Mask cropped;
  for (int y = top; y <= bottom; ++y)
    cropped.emplace_back(mask[size_t(y)].begin() + left, mask[size_t(y)].begin() + right + 1);
  return cropped;
}

double IntersectionOverUnion(const Mask& a, const Mask& b) {
  int both = 0, either = 0;
  for (size_t y = 0; y < std::max(a.size(), b.size()); ++y) {
    for (size_t x = 0; x < 2000; ++x) {
      const bool p = y < a.size() && x < a[y].size() && a[y][x];
      const bool q = y < b.size() && x < b[y].size() && b[y][x];
      both += p && q;
      either += p || q;
    }
  }
  return either ? double(both) / either : 0;
}

SigningResult SignWithSeam(const QString& input, const QString& output, const StampArt& art,
                           const QString& pages, bool skipFirst, int slices) {
  SigningPlan plan;
  plan.documentPath = input;
  plan.outputPath = output;
  SeamStamp seam;
  seam.pages = ParsePageSelection(pages);
  seam.skipFirst = skipFirst;
  seam.maxSlices = slices;
  seam.widthMm = kSealMm;
  seam.topMm = 50;
  plan.seam = seam;
  StampArts arts;
  arts.seam = art;
  return SignDocument(plan, arts);
}

}  // namespace

TEST(Seam, RunsAreAsEvenAsTheCountAllowsAndEveryPageGetsItsSlice) {
  const auto counts = [](int pages, int most) {
    QList<int> numbers, counts;
    for (int page = 1; page <= pages; ++page) numbers << page;
    for (const SeamSlice& slice : PlanSeamSlices(numbers, most)) counts << slice.count;
    return counts;
  };
  EXPECT_EQ(counts(7, 4), QList<int>({4, 4, 4, 4, 3, 3, 3}));
  EXPECT_EQ(counts(9, 4), QList<int>({3, 3, 3, 3, 3, 3, 3, 3, 3}));
  EXPECT_EQ(counts(3, 10), QList<int>({3, 3, 3}));
  EXPECT_EQ(counts(2, 0), QList<int>({1, 1}));
  EXPECT_TRUE(counts(0, 5).isEmpty());
  EXPECT_EQ(PlanSeamSlices({2, 5, 9}, 5),
            QList<SeamSlice>({{2, 0, 3}, {5, 1, 3}, {9, 2, 3}}));
  SeamStamp seam;
  seam.pages = ParsePageSelection(QStringLiteral("odd"));
  seam.skipFirst = true;
  EXPECT_EQ(SeamPages(seam, 8), QList<int>({3, 5, 7}));
}

TEST(Seam, SlicesSideBySideRebuildTheSealAndNoneIsEmpty) {
  QTemporaryDir folder;
  const StampArt seal = SealLike();
  const QString input = folder.filePath(QStringLiteral("seven.pdf"));
  const QString output = folder.filePath(QStringLiteral("seven-signed.pdf"));
  ASSERT_TRUE(WriteBytes(input, PlainPdf(7)));
  const SigningResult result = SignWithSeam(input, output, seal, QStringLiteral("all"), false, 4);
  ASSERT_TRUE(result.Ok()) << result.failure.toStdString();
  EXPECT_TRUE(result.warnings.isEmpty()) << result.warnings.join('\n').toStdString();

  // The seal whole, as a stamp of the same width on a page of its own.
  const QString one = folder.filePath(QStringLiteral("one.pdf"));
  const QString oneSigned = folder.filePath(QStringLiteral("one-signed.pdf"));
  ASSERT_TRUE(WriteBytes(one, PlainPdf(1)));
  StampArts arts;
  arts.stamps.push_back(seal);
  ASSERT_TRUE(SignDocument(OneStampPlan(one, oneSigned, QStringLiteral("all"), {kWholeLeftMm, 50}, kSealMm), arts).Ok());
  Mask whole;
  const QImage wholePage = RenderPage(oneSigned, 1);
  AppendColumns(whole, wholePage, 0, wholePage.width());
  whole = CroppedToInk(whole);

  // Seven pages in runs of at most four: four slices, then three.
  for (const auto& [first, count] : std::vector<std::pair<int, int>>{{1, 4}, {5, 3}}) {
    SCOPED_TRACE("run from page " + std::to_string(first));
    Mask joined;
    for (int page = first; page < first + count; ++page) {
      const QImage picture = RenderPage(output, page);
      const int left = int(std::lround(picture.width() - 336.0 / count));
      const QRect ink = BlueBounds(picture);
      EXPECT_GE(ink.left(), left - 1) << "page " << page;  // only at the edge
      EXPECT_FALSE(ink.isEmpty()) << "page " << page;
      EXPECT_NEAR(ink.top(), 50 * kPixelsPerMm, 1) << "page " << page;
      AppendColumns(joined, picture, left, picture.width());
    }
    EXPECT_GE(IntersectionOverUnion(CroppedToInk(joined), whole), 0.99);
  }
}

TEST(Seam, SkipsTheFirstPageAndLeavesUnchosenPagesBare) {
  QTemporaryDir folder;
  const QString input = folder.filePath(QStringLiteral("in.pdf"));
  const QString output = folder.filePath(QStringLiteral("out.pdf"));
  ASSERT_TRUE(WriteBytes(input, PlainPdf(5)));
  ASSERT_TRUE(SignWithSeam(input, output, SealLike(), QStringLiteral("2-5"), true, 10).Ok());
  for (int page = 1; page <= 5; ++page)
    EXPECT_EQ(BlueBounds(RenderPage(output, page, 36)).isEmpty(), page <= 2) << "page " << page;
}

// A red square over the page's black square: multiplied, the black shows through the red; painted,
// the red covers it. Beside the black, the red is red either way.
TEST(SealInk, MultipliesWithThePageUnlessPlainPaintingIsAsked) {
  QTemporaryDir folder;
  const QString input = folder.filePath(QStringLiteral("in.pdf"));
  ASSERT_TRUE(WriteBytes(input, PlainPdf(1)));
  StampArts arts;
  arts.stamps.push_back(RedSquare());
  for (const InkBlend blend : {InkBlend::Multiply, InkBlend::Normal}) {
    const QString output = folder.filePath(QStringLiteral("out.pdf"));
    SigningPlan plan = OneStampPlan(input, output, QStringLiteral("all"), {40, 110}, 30);
    plan.stamps[0].blend = blend;
    ASSERT_TRUE(SignDocument(plan, arts).Ok());
    const QImage page = RenderPage(output, 1);
    const QRgb overBlack = page.pixel(QPoint(50 * kPixelsPerMm, 125 * kPixelsPerMm));
    const QRgb overWhite = page.pixel(QPoint(65 * kPixelsPerMm, 125 * kPixelsPerMm));
    EXPECT_EQ(qRed(overBlack) < 60, blend == InkBlend::Multiply) << qRed(overBlack);
    EXPECT_GT(qRed(overWhite), 200);
    EXPECT_LT(qGreen(overWhite), 60);
  }
}
