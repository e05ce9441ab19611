// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// A stamp placed on every kind of page lands upright, exactly where it was asked, on exactly the
// pages asked, and the document's own text, fonts and structure stay as they were.
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <set>

#include "sign/signing_fixture.h"
#include "sign/stamp_checks.h"

using namespace yz;
using namespace yz::testing;

namespace {

const QString kRealDocument = QStringLiteral("/usr/share/doc/libtasn1-doc/libtasn1.pdf");

struct Signed {
  QTemporaryDir folder;
  QString input, output;
  SigningResult result;
  StampArt art = BlueStamp();
};

// Signs `bytes` (or the file at `path`) with the blue stamp at 30, 40 mm, 25 mm wide.
void Sign(Signed& s, const QString& pages, const QByteArray& bytes, const QString& path = {}) {
  s.input = path.isEmpty() ? s.folder.filePath(QStringLiteral("文档.pdf")) : path;
  if (path.isEmpty()) ASSERT_TRUE(WriteBytes(s.input, bytes));
  s.output = s.folder.filePath(QStringLiteral("文档-已签.pdf"));
  StampArts arts;
  arts.stamps.push_back(s.art);
  s.result = SignDocument(OneStampPlan(s.input, s.output, pages, {30, 40}, 25), arts);
  ASSERT_TRUE(s.result.Ok()) << s.result.failure.toStdString();
}

QList<int> PagesWithBlue(const QString& pdf, int count) {
  QList<int> pages;
  for (int page = 1; page <= count; ++page)
    if (!BlueBounds(RenderPage(pdf, page, 36)).isEmpty()) pages << page;
  return pages;
}

// The names of the stamps a page's own resources hold, and the objects they name.
std::set<std::string> StampNames(QPDFPageObjectHelper& page, std::set<QPDFObjGen>* objects = nullptr) {
  std::set<std::string> names;
  QPDFObjectHandle xobjects = page.getAttribute("/Resources", false).getKey("/XObject");
  if (!xobjects.isDictionary()) return names;
  for (const std::string& key : xobjects.getKeys()) {
    if (key.rfind("/YzStamp", 0) != 0) continue;
    names.insert(key);
    if (objects) objects->insert(xobjects.getKey(key).getObjGen());
  }
  return names;
}

}  // namespace

TEST(Placement, TheStampLandsUprightWhereAskedOnEveryPageKindAndOnARealDocument) {
  Signed kinds;
  Sign(kinds, QStringLiteral("all"), PageKindsPdf());
  for (int page = 1; page <= kPageKinds; ++page) ExpectStampAt(kinds.output, page);
  ASSERT_TRUE(QFileInfo::exists(kRealDocument))
      << "the set-up installs libtasn1-doc for a document no one here wrote";
  Signed real;
  Sign(real, QStringLiteral("3"), {}, kRealDocument);
  ExpectStampAt(real.output, 3);
}

TEST(Placement, OnlyThePagesAskedForCarryTheStamp) {
  for (const auto& [pages, expected] :
       std::vector<std::pair<QString, QList<int>>>{{QStringLiteral("2,4-5"), {2, 4, 5}},
                                                   {QStringLiteral("odd"), {1, 3, 5, 7, 9}},
                                                   {QStringLiteral("even"), {2, 4, 6, 8}}}) {
    SCOPED_TRACE(pages.toStdString());
    Signed s;
    Sign(s, pages, PageKindsPdf());
    EXPECT_EQ(PagesWithBlue(s.output, kPageKinds), expected);
  }
}

// Text and fonts as before, a clean structure, and the file larger by about one stamp however
// many pages carry it.
TEST(Placement, TheDocumentsOwnContentIsUntouched) {
  QTemporaryDir folder;
  const QString kinds = folder.filePath(QStringLiteral("kinds.pdf"));
  ASSERT_TRUE(WriteBytes(kinds, PageKindsPdf()));
  for (const QString& input : {kinds, kRealDocument}) {
    SCOPED_TRACE(input.toStdString());
    Signed s;
    Sign(s, QStringLiteral("all"), {}, input);
    const auto text = [](const QString& pdf) {
      return ToolOutput(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    };
    // Each font's name, type, encoding and flags, not the object numbers a rewrite renumbers,
    // nor the order, which follows the keys of the font dictionaries (the library sorts them).
    const auto fonts = [](const QString& pdf) {
      QStringList lines;
      for (const QString& line : QString::fromUtf8(ToolOutput(QStringLiteral("pdffonts"), {pdf})).split('\n'))
        lines << line.left(line.lastIndexOf(QRegularExpression(QStringLiteral("\\s+\\d+\\s+\\d+\\s*$"))));
      lines.sort();
      return lines.join('\n').toStdString();
    };
    EXPECT_FALSE(text(input).isEmpty());
    EXPECT_EQ(text(s.output).toStdString(), text(input).toStdString());
    EXPECT_EQ(fonts(s.output), fonts(input));
    int status = -1;
    const QByteArray check = ToolOutput(QStringLiteral("qpdf"), {QStringLiteral("--check"), s.output}, &status);
    EXPECT_EQ(status, 0) << check.toStdString();
    EXPECT_TRUE(check.contains("No syntax or stream encoding errors")) << check.toStdString();

    const qint64 growth = QFileInfo(s.output).size() - QFileInfo(input).size();
    const int pages = QString::fromLatin1(ToolOutput(QStringLiteral("qpdf"), {QStringLiteral("--show-npages"), input})).toInt();
    EXPECT_GT(growth, s.art.pdf.size() / 2);
    EXPECT_LT(growth, s.art.pdf.size() + 400 * pages + 2000) << "pages: " << pages;
  }
}

// Pages 1-4 share one resources object and page 5 inherits its resources from the page tree:
// a stamp on one of them names itself on that page alone, and one stamp on every page is one
// object in the file.
TEST(Placement, AStampsNameStaysOnItsOwnPageAndItIsStoredOnce) {
  for (const int only : {1, 5}) {
    SCOPED_TRACE("stamped page " + std::to_string(only));
    Signed s;
    Sign(s, QString::number(only), PageKindsPdf());
    QPDF pdf;
    pdf.processFile(QFile::encodeName(s.output).constData());
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
    for (int page = 1; page <= kPageKinds; ++page)
      EXPECT_EQ(StampNames(pages[size_t(page - 1)]).size(), page == only ? 1u : 0u) << "page " << page;
  }
  Signed all;
  Sign(all, QStringLiteral("all"), PageKindsPdf());
  QPDF pdf;
  pdf.processFile(QFile::encodeName(all.output).constData());
  std::set<QPDFObjGen> objects;
  for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
    EXPECT_EQ(StampNames(page, &objects).size(), 1u);
  EXPECT_EQ(objects.size(), 1u);
}
