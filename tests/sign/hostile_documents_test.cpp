// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Documents and paths made to hurt a signer: pipes and devices in place of files, a page whose
// content inflates to hundreds of megabytes, content that breaks off mid-token or restores more
// than it saved, and an archival document whose claim a blended seal would make false.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <qpdf/Pl_Buffer.hh>
#include <qpdf/Pl_Flate.hh>
#include <qpdf/QPDF.hh>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "sign/document_inspection.h"
#include "sign/signing_fixture.h"
#include "sign/test_signer.h"

using namespace yz;
using namespace yz::testing;

namespace {

constexpr double kPixelsPerMm = 144 / 25.4;
// The blue stamp at 30, 40 mm, 25 mm wide (37.5 mm tall), as rendered at 144 dpi.
const QRect kStampArea = QRectF(30 * kPixelsPerMm, 40 * kPixelsPerMm, 25 * kPixelsPerMm,
                                37.5 * kPixelsPerMm).toAlignedRect();

SigningResult SignBlue(const QString& input, const QString& output) {
  StampArts arts;
  arts.stamps.push_back(BlueStamp());
  return SignDocument(OneStampPlan(input, output, QStringLiteral("all"), {30, 40}, 25), arts);
}

// A one-page letter document whose page draws the given content streams, with Helvetica as /F1
// and an optional-content group /Hidden that is switched off.
QByteArray PageOfStreams(const std::vector<QByteArray>& streams) {
  std::vector<QByteArray> objects = {
      "<< /Type /Catalog /Pages 2 0 R /OCProperties << /OCGs [5 0 R] /D << /OFF [5 0 R] >> >> >>",
      "<< /Type /Pages /Count 1 /Kids [3 0 R] /MediaBox [0 0 612 792] >>", "",
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
      "<< /Type /OCG /Name (hidden) >>"};
  QByteArray refs;
  for (const QByteArray& stream : streams) {
    objects.push_back(StreamObject(stream));
    refs += QByteArray::number(qsizetype(objects.size())) + " 0 R ";
  }
  objects[2] = "<< /Type /Page /Parent 2 0 R /Resources << /Font << /F1 4 0 R >> "
               "/Properties << /Hidden 5 0 R >> >> /Contents [" + refs + "] >>";
  return PdfFromObjects(objects);
}

QImage RenderWithMupdf(const QString& pdf) {
  QTemporaryDir folder;
  const QString png = folder.filePath(QStringLiteral("page.png"));
  ToolOutput(QStringLiteral("mutool"), {QStringLiteral("draw"), QStringLiteral("-q"), QStringLiteral("-r"),
                                        QStringLiteral("144"), QStringLiteral("-o"), png, pdf, QStringLiteral("1")});
  return QImage(png).convertToFormat(QImage::Format_RGB32);
}

// How many pixels differ between two renderings of a page, the stamp's place left out.
int DifferencesOutsideStamp(const QImage& before, const QImage& after) {
  if (before.size() != after.size()) return -1;
  const QRect stamp = kStampArea.adjusted(-2, -2, 2, 2);
  int differences = 0;
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x)
      differences += !stamp.contains(x, y) && before.pixel(x, y) != after.pixel(x, y);
  return differences;
}

// Runs `work` on another thread for at most `seconds`; on time out, opens the pipe's writing end
// (which lets a reader blocked opening it go on) so that the test ends either way.
template <typename Result>
std::optional<Result> WithinTime(std::function<Result()> work, const QString& pipe, int seconds) {
  std::future<Result> running = std::async(std::launch::async, work);
  if (running.wait_for(std::chrono::seconds(seconds)) == std::future_status::ready)
    return running.get();
  const int fd = ::open(QFile::encodeName(pipe).constData(), O_RDWR | O_NONBLOCK);
  if (fd >= 0) ::close(fd);
  running.wait();
  return std::nullopt;
}

// The deflated data of `piece` repeated `times` times, made piece by piece.
QByteArray DeflatedRepeats(const std::string& piece, long long times) {
  Pl_Buffer compressed("bomb");
  Pl_Flate deflate("deflate", &compressed, Pl_Flate::a_deflate);
  std::string block;
  while (block.size() < (1 << 16)) block += piece;
  const auto perBlock = static_cast<long long>(block.size() / piece.size());
  for (long long done = 0; done < times; done += perBlock) {
    const size_t count = size_t(std::min(perBlock, times - done)) * piece.size();
    deflate.write(reinterpret_cast<const unsigned char*>(block.data()), count);
  }
  deflate.finish();
  const std::unique_ptr<Buffer> buffer(compressed.getBuffer());
  return QByteArray(reinterpret_cast<const char*>(buffer->getBuffer()), qsizetype(buffer->getSize()));
}

long ResidentKilobytes() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
  return 0;
}

// AddressSanitizer keeps up to this much freed memory aside on purpose (its quarantine).
#if defined(__SANITIZE_ADDRESS__)
constexpr long kKeptFreedKilobytes = 256 * 1024;
#else
constexpr long kKeptFreedKilobytes = 0;
#endif

struct ChildRun {
  bool signedOk = false;
  long peakKilobytes = -1;
};

// Signs in a child process, so that its peak memory is its own; gives up after five minutes.
ChildRun SignInChild(const QString& input, const QString& output, const StampArts& arts) {
  const SigningPlan plan = OneStampPlan(input, output, QStringLiteral("all"), {30, 40}, 25);
  const pid_t child = ::fork();
  if (child == 0) _exit(SignDocument(plan, arts).Ok() ? 0 : 1);
  for (int tenths = 0; tenths < 3000; ++tenths) {
    int status = 0;
    struct rusage usage {};
    if (::wait4(child, &status, WNOHANG, &usage) == child)
      return {WIFEXITED(status) && WEXITSTATUS(status) == 0, usage.ru_maxrss};
    ::usleep(100000);
  }
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  return {};
}

}  // namespace

// Only regular files are read or replaced: a pipe, a device or a folder gets its reason at
// once, and nothing waits for a writer that never comes.
TEST(HostilePaths, PipesDevicesAndFoldersAreRefusedWithoutWaiting) {
  QTemporaryDir folder;
  const QString pipe = folder.filePath(QStringLiteral("x.pdf"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  const QString document = folder.filePath(QStringLiteral("合同.pdf"));
  ASSERT_TRUE(WriteBytes(document, PlainPdf(1)));
  const QString output = folder.filePath(QStringLiteral("合同-已签.pdf"));

  const struct {
    QString input, reason;
  } inputs[] = {{pipe, QStringLiteral("是命名管道，不是普通文件")},
                {QStringLiteral("/dev/zero"), QStringLiteral("是设备文件，不是普通文件")},
                {folder.path(), QStringLiteral("是文件夹")}};
  for (const auto& c : inputs) {
    SCOPED_TRACE(c.input.toStdString());
    const auto signing = WithinTime<SigningResult>([&] { return SignBlue(c.input, output); }, pipe, 20);
    ASSERT_TRUE(signing.has_value()) << "signing waited on the pipe";
    EXPECT_EQ(int(signing->outcome), int(SigningResult::Outcome::Failed));
    EXPECT_TRUE(signing->failure.contains(c.reason)) << signing->failure.toStdString();
    const auto inspection = WithinTime<DocumentInspection>([&] { return InspectDocument(c.input); }, pipe, 20);
    ASSERT_TRUE(inspection.has_value()) << "inspecting waited on the pipe";
    EXPECT_TRUE(inspection->failure.contains(c.reason)) << inspection->failure.toStdString();
    EXPECT_FALSE(QFile::exists(output));
  }

  // A pipe or a folder where the signed copy should go is left as it is.
  const QString folderTarget = folder.filePath(QStringLiteral("已签.pdf"));
  ASSERT_TRUE(QDir().mkpath(folderTarget));
  for (const QString& target : {pipe, folderTarget}) {
    SCOPED_TRACE(target.toStdString());
    const auto signing = WithinTime<SigningResult>([&] { return SignBlue(document, target); }, pipe, 20);
    ASSERT_TRUE(signing.has_value()) << "signing waited on the pipe";
    EXPECT_TRUE(signing->failure.contains(QStringLiteral("不是普通文件"))) << signing->failure.toStdString();
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &status), 0);
    EXPECT_FALSE(S_ISREG(status.st_mode));
  }
}

// A page whose content inflates to 256 MB, a few hundred kilobytes on disk: balanced (the
// content is wrapped as it stands) and restoring with nothing saved (the content becomes a form,
// copied as the file is written). Either way the signer's memory stays far below the content's
// size, and the content stays compressed in the signed file.
TEST(HostileContent, ABombOfContentIsSignedInLittleMemory) {
  constexpr long long kInflated = 256LL << 20;
  QTemporaryDir folder;
  StampArts arts;
  arts.stamps.push_back(BlueStamp());
  for (const std::string piece : {"q Q ", "Q   "}) {
    SCOPED_TRACE(piece);
    const QString input = folder.filePath(QStringLiteral("bomb.pdf"));
    const QString output = folder.filePath(QStringLiteral("bomb-signed.pdf"));
    const QByteArray deflated = DeflatedRepeats(piece, kInflated / static_cast<long long>(piece.size()));
    ASSERT_TRUE(WriteBytes(input, PdfFromObjects({"<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Count 1 /Kids [3 0 R] /MediaBox [0 0 612 792] >>",
        "<< /Type /Page /Parent 2 0 R /Contents 4 0 R >>",
        StreamObject(deflated, "/Filter /FlateDecode")})));
    ASSERT_LT(QFile(input).size(), 2 << 20);
    const long before = ResidentKilobytes();
    const ChildRun run = SignInChild(input, output, arts);
    ASSERT_TRUE(run.signedOk);
    EXPECT_LT(run.peakKilobytes - before, 96 * 1024 + kKeptFreedKilobytes) << "peak " << run.peakKilobytes << " kB";
    EXPECT_LT(QFile(output).size(), 4 << 20);
  }
}

// Pages whose content a reader stumbles over, each drawn before and after signing by both
// readers: outside the stamp not a pixel changes, and the stamp is there in full.
TEST(HostileContent, BrokenContentDrawsAsBeforeAndTheStampShowsInBothReaders) {
  const QByteArray square = "0 1 0 rg 72 72 144 144 re f ";
  const QByteArray hello = "BT /F1 24 Tf 72 300 Td (Hello) Tj ET ";
  const struct {
    const char* what;
    std::vector<QByteArray> streams;
  } pages[] = {
      {"more restores than saves, a colour after them",
       {"1 0 0 rg 72 72 144 144 re f Q 0 1 0 rg 300 72 144 144 re f"}},
      {"an operator split between streams", {square + "1 0 0 rg 300 72 144 144 r", "e f"}},
      {"a string split between streams", {"BT /F1 24 Tf 72 300 Td (Hel", "lo) Tj ET"}},
      {"an unterminated string", {square + hello + "(abc"}},
      {"an open array", {square + hello + "["}},
      {"an open dictionary", {square + hello + "<<"}},
      {"an inline image cut short", {square + "q 144 0 0 144 300 72 cm BI /W 4 /H 4 /BPC 8 /CS /G ID \x01\x80"}},
      {"hidden marked content and a text object left open",
       {square + "/OC /Hidden BDC 1 0 0 rg 300 72 144 144 re f BT /F1 24 Tf 72 300 Td (Hello) Tj"}},
      {"a hundred saves left open", {QByteArray("q ").repeated(100) + "2 0 0 2 0 0 cm " + square}},
  };
  QTemporaryDir folder;
  const QString input = folder.filePath(QStringLiteral("in.pdf"));
  const QString output = folder.filePath(QStringLiteral("out.pdf"));
  for (const auto& page : pages) {
    SCOPED_TRACE(page.what);
    ASSERT_TRUE(WriteBytes(input, PageOfStreams(page.streams)));
    const SigningResult result = SignBlue(input, output);
    ASSERT_TRUE(result.Ok()) << result.failure.toStdString();
    const std::pair<const char*, std::function<QImage(const QString&)>> readers[] = {
        {"poppler", [](const QString& pdf) { return RenderPage(pdf, 1); }},
        {"mupdf", RenderWithMupdf}};
    for (const auto& [reader, render] : readers) {
      SCOPED_TRACE(reader);
      const QImage before = render(input), after = render(output);
      ASSERT_FALSE(before.isNull() || after.isNull());
      EXPECT_EQ(DifferencesOutsideStamp(before, after), 0);
      const QRect stamp = BlueBounds(after);
      EXPECT_NEAR(stamp.left(), kStampArea.left(), 2);
      EXPECT_NEAR(stamp.top(), kStampArea.top(), 2);
      EXPECT_NEAR(stamp.right(), kStampArea.right(), 2);
      EXPECT_NEAR(stamp.bottom(), kStampArea.bottom(), 2);
    }
    int status = -1;
    ToolOutput(QStringLiteral("qpdf"), {QStringLiteral("--check"), output}, &status);
    EXPECT_NE(status, 2);  // errors in the page's own content are warnings (3), not damage
  }
}

namespace {

// A page with a black square where the seal goes, its metadata claiming the given part of the
// archival standard (as an attribute or an element, under the usual prefix or another).
QByteArray ArchivalPdf(int part, bool asElement) {
  const QByteArray claim =
      asElement ? "<rdf:Description rdf:about='' xmlns:id='http://www.aiim.org/pdfa/ns/id/'>"
                  "<id:part>" + QByteArray::number(part) + "</id:part><id:conformance>B</id:conformance>"
                  "</rdf:Description>"
                : "<rdf:Description rdf:about='' xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\" "
                  "pdfaid:part=\"" + QByteArray::number(part) + "\" pdfaid:conformance=\"B\"/>";
  const QByteArray xmp = "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?><x:xmpmeta xmlns:x='adobe:ns:meta/'>"
                         "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>" + claim +
                         "</rdf:RDF></x:xmpmeta><?xpacket end='w'?>";
  constexpr double mm = 72 / 25.4;
  const QByteArray square = QStringLiteral("0 0 0 rg %1 %2 %3 %3 re f").arg(40 * mm).arg(792 - 150 * mm).arg(40 * mm).toLatin1();
  return PdfFromObjects({"<< /Type /Catalog /Pages 2 0 R /Metadata 5 0 R >>",
                         "<< /Type /Pages /Count 1 /Kids [3 0 R] /MediaBox [0 0 612 792] >>",
                         "<< /Type /Page /Parent 2 0 R /Contents 4 0 R >>", StreamObject(square),
                         StreamObject(xmp, "/Type /Metadata /Subtype /XML")});
}

// Nothing in a whole file (as qpdf --qdf spells it) that the first archival part forbids.
void ExpectNothingTransparent(const QString& written) {
  EXPECT_FALSE(written.contains(QRegularExpression(QStringLiteral(R"(/BM\s*/(?!Normal|Compatible))"))));
  EXPECT_FALSE(written.contains(QRegularExpression(QStringLiteral(R"(/(CA|ca)\s+0?\.\d)"))));
  EXPECT_FALSE(written.contains(QRegularExpression(QStringLiteral(R"(/SMask(?!\s*/None))"))));
  EXPECT_FALSE(written.contains(QRegularExpression(QStringLiteral(R"(/S\s*/Transparency)"))));
}

}  // namespace

// A seal multiplies with the page, which the first part of the archival standard forbids: in a
// document claiming it the seal is painted over the page instead (covering the black under it),
// nothing transparent is written, and the user is told. Later parts allow blending: kept.
TEST(ArchivalDocuments, APdfA1ClaimStaysTrueAndTheUserIsTold) {
  QTemporaryDir folder;
  const QString input = folder.filePath(QStringLiteral("档案.pdf"));
  const QString output = folder.filePath(QStringLiteral("档案-已签.pdf"));
  StampArts arts;
  arts.stamps.push_back(RedSquare());
  const struct {
    int part;
    bool asElement;
  } claims[] = {{1, false}, {1, true}, {2, false}};
  for (const auto& c : claims) {
    SCOPED_TRACE("part " + std::to_string(c.part) + (c.asElement ? " as an element" : ""));
    ASSERT_TRUE(WriteBytes(input, ArchivalPdf(c.part, c.asElement)));
    SigningPlan plan = OneStampPlan(input, output, QStringLiteral("all"), {30, 110}, 30);
    plan.stamps[0].blend = InkBlend::Multiply;
    const SigningResult result = SignDocument(plan, arts);
    ASSERT_TRUE(result.Ok()) << result.failure.toStdString();
    const bool opaque = c.part == 1;
    EXPECT_EQ(result.warnings.join('\n').contains(QStringLiteral("PDF/A-1")), opaque);
    const QRgb overBlack = RenderPage(output, 1).pixel(QPoint(50 * kPixelsPerMm, 125 * kPixelsPerMm));
    EXPECT_EQ(qRed(overBlack) > 200, opaque) << qRed(overBlack);
    const QString written = QString::fromLatin1(ToolOutput(
        QStringLiteral("qpdf"), {QStringLiteral("--qdf"), QStringLiteral("--object-streams=disable"), output, QStringLiteral("-")}));
    EXPECT_EQ(written.contains(QStringLiteral("/Multiply")), !opaque);
    if (opaque) ExpectNothingTransparent(written);
  }
}

// Stamps appended as annotations follow the same rule: a document claiming the first part,
// signed with a certificate (the seal is the signature's face), then stamped again with a seal
// and a 骑缝章 after that signature. Each time the user is told, the seals cover the black under
// them, no appearance holds anything transparent, and the signature stays valid.
TEST(ArchivalDocuments, StampsAppendedToAPdfA1DocumentArePaintedOpaque) {
  QTemporaryDir folder;
  const TestCertificate certificate = MakeTestCertificate(folder.path());
  ASSERT_TRUE(certificate.signer) << "openssl could not make a test certificate";
  const QString input = folder.filePath(QStringLiteral("档案.pdf"));
  const QString signedPath = folder.filePath(QStringLiteral("档案-已签.pdf"));
  const QString stamped = folder.filePath(QStringLiteral("档案-又盖.pdf"));
  ASSERT_TRUE(WriteBytes(input, ArchivalPdf(1, false)));
  StampArts arts;
  arts.stamps.push_back(RedSquare());
  SigningPlan first = OneStampPlan(input, signedPath, QStringLiteral("all"), {30, 110}, 30);
  first.stamps[0].kind = Stamp::Kind::Seal;
  first.stamps[0].blend = InkBlend::Multiply;
  first.certificate = CertificateSigning{};
  first.certificate->signer = certificate.signer;
  SigningPlan again = OneStampPlan(signedPath, stamped, QStringLiteral("all"), {45, 115}, 30);
  again.stamps[0].blend = InkBlend::Multiply;
  again.seam = SeamStamp{};
  again.seam->pages = ParsePageSelection(QStringLiteral("all"));
  again.seam->widthMm = 30;
  const struct {
    const SigningPlan& plan;
    QPoint overBlack;  // millimetres
  } steps[] = {{first, {50, 125}}, {again, {70, 140}}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.plan.outputPath.toStdString());
    StampArts stepArts = arts;
    if (step.plan.seam) stepArts.seam = RedSquare();
    const SigningResult result = SignDocument(step.plan, stepArts);
    ASSERT_TRUE(result.Ok()) << result.failure.toStdString();
    EXPECT_TRUE(result.appended);
    EXPECT_EQ(result.warnings.join('\n').count(QStringLiteral("PDF/A-1")), 1) << result.warnings.join('\n').toStdString();
    const QRgb pixel = RenderPage(step.plan.outputPath, 1).pixel(step.overBlack * kPixelsPerMm);
    EXPECT_GT(qRed(pixel), 200) << qRed(pixel);
    ExpectNothingTransparent(QString::fromLatin1(ToolOutput(
        QStringLiteral("qpdf"), {QStringLiteral("--qdf"), QStringLiteral("--object-streams=disable"),
                                 step.plan.outputPath, QStringLiteral("-")})));
    const QString pdfsig = QString::fromUtf8(ToolOutput(QStringLiteral("pdfsig"), {step.plan.outputPath}));
    EXPECT_EQ(pdfsig.count(QStringLiteral("Signature is Valid.")), 1) << pdfsig.toStdString();
  }
}

// Pages that share one content stream (a document repeating a page), read once: each page
// stamped draws as before with its stamp, and the page left out stays bare.
TEST(HostileContent, PagesSharingTheirContentAreEachStampedAlike) {
  QTemporaryDir folder;
  const QString input = folder.filePath(QStringLiteral("in.pdf"));
  const QString output = folder.filePath(QStringLiteral("out.pdf"));
  for (const QByteArray content : {QByteArray("0 1 0 rg 72 72 144 144 re f q"),
                                   QByteArray("1 0 0 rg Q 0 1 0 rg 72 72 144 144 re f [")}) {
    SCOPED_TRACE(content.toStdString());
    QByteArray kids;
    std::vector<QByteArray> objects = {"<< /Type /Catalog /Pages 2 0 R >>", "", StreamObject(content)};
    for (int page = 0; page < 3; ++page) {
      objects.push_back("<< /Type /Page /Parent 2 0 R /Contents 3 0 R >>");
      kids += QByteArray::number(qsizetype(objects.size())) + " 0 R ";
    }
    objects[1] = "<< /Type /Pages /Count 3 /Kids [" + kids + "] /MediaBox [0 0 612 792] >>";
    ASSERT_TRUE(WriteBytes(input, PdfFromObjects(objects)));
    StampArts arts;
    arts.stamps.push_back(BlueStamp());
    ASSERT_TRUE(SignDocument(OneStampPlan(input, output, QStringLiteral("1,3"), {30, 40}, 25), arts).Ok());
    const QImage bare = RenderPage(input, 1);
    for (int page = 1; page <= 3; ++page) {
      SCOPED_TRACE("page " + std::to_string(page));
      const QImage after = RenderPage(output, page);
      EXPECT_EQ(DifferencesOutsideStamp(bare, after), 0);
      EXPECT_EQ(BlueBounds(after).isEmpty(), page == 2);
    }
  }
}
