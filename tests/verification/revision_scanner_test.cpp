// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Where revisions end, whatever the chunks the file is read in, and the dates signatures carry.
#include <gtest/gtest.h>

#include "verification/pdf_date.h"
#include "verification/revision_scanner.h"

namespace yz {
namespace {

std::vector<std::pair<qint64, qint64>> Ends(const QByteArray& file, qsizetype chunk) {
  RevisionScanner scanner;
  for (qsizetype at = 0; at < file.size(); at += chunk) scanner.Feed(QByteArrayView(file).sliced(at, std::min(chunk, file.size() - at)));
  std::vector<std::pair<qint64, qint64>> ends;
  for (const RevisionScanner::Revision& r : scanner.revisions()) ends.emplace_back(r.eofEnd, r.end);
  return ends;
}

TEST(RevisionScanner, FindsEachRevisionEndInAnyChunking) {
  // A linearized first-page trailer (startxref 0), a revision ending in CR LF, one ending in
  // LF, a %%EOF without a startxref before it (inside a stream, say), one ending in CR and one
  // at the very end without a line end.
  const QByteArray first = "%PDF-1.7\ntrailer<<>>\nstartxref\n0\n%%EOF\n";
  const QByteArray second = "1 0 obj<<>>endobj\nstartxref\r\n9\r\n%%EOF\r\n";
  const QByteArray third = "stream %%EOF endstream\nstartxref 120\n%%EOF\n";
  const QByteArray fourth = "startxref\n200\n%%EOF\r";
  const QByteArray fifth = "x startxref\n300\n%%EOF";
  const QByteArray file = first + second + third + fourth + fifth;
  qint64 at = first.size();
  const std::vector<std::pair<qint64, qint64>> expected = {
      {at + second.size() - 2, at + second.size()},
      {at + second.size() + third.size() - 1, at + second.size() + third.size()},
      {file.size() - fifth.size() - 1, file.size() - fifth.size()},
      {file.size(), file.size()},
  };
  for (qsizetype chunk : {qsizetype(1), qsizetype(2), qsizetype(3), qsizetype(7), qsizetype(9),
                          qsizetype(64), file.size()})
    EXPECT_EQ(Ends(file, chunk), expected) << "chunk " << chunk;
}

TEST(PdfDate, ReadsEveryFormSignaturesUse) {
  const QDateTime noon(QDate(2026, 12, 11), QTime(12, 0), Qt::UTC);
  EXPECT_EQ(ParsePdfDate("D:20261211200000+08'00'"), noon);
  EXPECT_EQ(ParsePdfDate("D:20261211200000+08'00"), noon);
  EXPECT_EQ(ParsePdfDate("D:20261211070000-05'00'"), noon);
  EXPECT_EQ(ParsePdfDate("D:20261211120000Z"), noon);
  EXPECT_EQ(ParsePdfDate("20261211120000"), noon);
  EXPECT_EQ(ParsePdfDate("D:2026"), QDateTime(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC));
  for (const char* bad : {"", "D:", "D:20261311", "D:2026121125", "tomorrow", "D:20261211+24'00'"})
    EXPECT_FALSE(ParsePdfDate(bad).isValid()) << bad;
}

}  // namespace
}  // namespace yz
