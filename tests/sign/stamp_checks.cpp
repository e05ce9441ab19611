// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/stamp_checks.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "sign/signing_fixture.h"

namespace yz::testing {

namespace {

constexpr double kDpi = 144;
constexpr double kPixelsPerMm = kDpi / 25.4;

// How much of the blue on the page is the stamp drawn upright at its place, and how much of the
// stamp is there: 1 for a perfect match; a turned or mirrored stamp scores far lower.
double UprightOverlap(const QImage& page, const QRectF& expected) {
  int both = 0, either = 0;
  const QRect area = expected.toAlignedRect().adjusted(-4, -4, 4, 4) & page.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const bool want = BlueStampCovers((x + 0.5 - expected.left()) * 40 / expected.width(),
                                        (y + 0.5 - expected.top()) * 60 / expected.height());
      const bool got = IsBlue(page.pixel(x, y));
      both += want && got;
      either += want || got;
    }
  }
  return either ? double(both) / either : 0;
}

}  // namespace

QImage RenderPageWithMupdf(const QString& pdf, int page, int dpi) {
  QTemporaryDir folder;
  const QString png = folder.filePath(QStringLiteral("page.png"));
  ToolOutput(QStringLiteral("mutool"), {QStringLiteral("draw"), QStringLiteral("-q"), QStringLiteral("-r"),
                                        QString::number(dpi), QStringLiteral("-o"), png, pdf,
                                        QString::number(page)});
  return QImage(png).convertToFormat(QImage::Format_RGB32);
}

void ExpectBlueStampAt(const QImage& picture, const QRectF& mm) {
  ASSERT_FALSE(picture.isNull());
  const QRectF expected(mm.topLeft() * kPixelsPerMm, mm.size() * kPixelsPerMm);
  const QRect found = BlueBounds(picture);
  EXPECT_NEAR(found.left(), expected.left(), 1);
  EXPECT_NEAR(found.top(), expected.top(), 1);
  EXPECT_NEAR(found.right() + 1, expected.right(), 1);
  EXPECT_NEAR(found.bottom() + 1, expected.bottom(), 1);
  EXPECT_GT(UprightOverlap(picture, expected), 0.9);
}

void ExpectStampAt(const QString& pdf, int page) {
  SCOPED_TRACE("page " + std::to_string(page));
  ExpectBlueStampAt(RenderPage(pdf, page), QRectF(30, 40, 25, 37.5));
}

}  // namespace yz::testing
