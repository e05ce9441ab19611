// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "verification/signed_fixtures.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include "sign/signing_fixture.h"

namespace yz::testing {

namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A text string as PDF holds any text: UTF-16BE with its byte-order mark.
QByteArray TextString(const QString& text) {
  QByteArray utf16 = "\xFE\xFF";
  for (QChar c : text) utf16 += char(c.unicode() >> 8), utf16 += char(c.unicode() & 0xFF);
  return '<' + utf16.toHex() + '>';
}

const QByteArray kPage = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R";

}  // namespace

QByteArray SignedFixtures::Run(const QString& program, const QStringList& arguments,
                               const QByteArray& input, bool* ok) const {
  QProcess process;
  process.setWorkingDirectory(folder_.path());
  process.start(program, arguments);
  process.write(input);
  process.closeWriteChannel();
  const bool done = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0;
  if (ok) *ok = done;
  if (!done && !ok)
    error_ +=
        program + ' ' + arguments.join(' ') + ": " + process.readAllStandardError() + '\n';
  return process.readAllStandardOutput();
}

SignedFixtures::SignedFixtures() {
  const QString trusting = TrustingDatabase(), db = QStringLiteral("sql:") + trusting;
  QDir().mkpath(trusting);
  WriteBytes(Path(QStringLiteral("noise")), QByteArray(64, 'x') + QByteArray::number(qint64(this)));
  Run(QStringLiteral("certutil"), {"-N", "-d", db, "--empty-password"});
  // A CA the database trusts for everything, and a leaf for signing issued by it.
  Run(QStringLiteral("certutil"),
      {"-S", "-d", db, "-n", "ca", "-s", "CN=Fixture CA", "-x", "-t", "CT,C,C", "-k", "rsa", "-g",
       "2048", "-2", "-z", Path("noise"), "-v", "60"},
      "y\n0\ny\n");
  Run(QStringLiteral("certutil"),
      {"-S", "-d", db, "-n", "leaf", "-s", "CN=签名测试人", "-c", "ca", "-t", ",,", "-k", "rsa",
       "-g", "2048", "-m", "1001", "-z", Path("noise"), "-v", "60", "--keyUsage",
       "digitalSignature,nonRepudiation"});
  // The same certificates where the CA is only known, not trusted.
  const QString doubting = DoubtingDatabase();
  QDir().mkpath(doubting);
  for (const QString& file : QDir(trusting).entryList(QDir::Files))
    QFile::copy(trusting + '/' + file, doubting + '/' + file);
  Run(QStringLiteral("certutil"), {"-M", "-d", "sql:" + doubting, "-n", "ca", "-t", ",,"});
  // The leaf's key and the CA for openssl.
  Run(QStringLiteral("pk12util"), {"-o", Path("leaf.p12"), "-n", "leaf", "-d", db, "-W", "fixture"});
  Run(QStringLiteral("openssl"), {"pkcs12", "-in", Path("leaf.p12"), "-passin", "pass:fixture",
                                  "-nodes", "-clcerts", "-out", Path("leaf.pem")});
  WriteBytes(Path("ca.pem"), Run(QStringLiteral("certutil"), {"-L", "-d", db, "-n", "ca", "-a"}));
}

QString SignedFixtures::Plain(const QString& name) const {
  const QByteArray content = "BT /F1 12 Tf 72 700 Td (Plain) Tj ET";
  WriteBytes(Path(name), PdfFromObjects({"<< /Type /Catalog /Pages 2 0 R >>",
                                         "<< /Type /Pages /Count 1 /Kids [3 0 R] >>", kPage + " >>",
                                         StreamObject(content)}));
  return Path(name);
}

bool SignedFixtures::PopplerSign(const QString& input, const QString& output,
                                 const QString& field, const QString& password) const {
  bool ok = false;
  QStringList arguments{"-add-signature", "-nssdir", "sql:" + TrustingDatabase(), "-nick", "leaf",
                        "-new-signature-field-name", field, "-reason", "fixture"};
  if (!password.isEmpty()) arguments << "-upw" << password << "-opw" << password;
  Run(QStringLiteral("pdfsig"), arguments << input << output, {}, &ok);
  return ok;
}

QString SignedFixtures::HandSign(const QString& name, const HandSigned& how) const {
  const QString path = Plain(name);
  QByteArray pdf = ReadAll(path);
  const qint64 previous = pdf.mid(pdf.lastIndexOf("startxref") + 9).trimmed().split('\n').first().toLongLong();
  constexpr int kRoom = 8192;
  const QByteArray reference =
      how.docMdp ? "/Reference [<< /Type /SigRef /TransformMethod /DocMDP /TransformParams << "
                   "/Type /TransformParams /P " + QByteArray::number(*how.docMdp) + " /V /1.2 >> >>] "
                 : QByteArray();
  // Room for any 64-bit offset, so that ranges of any size can be written in.
  const QByteArray placeholder = "/ByteRange [0 " + QByteArray(3 * 20, ' ') + "]";
  std::vector<std::pair<int, qsizetype>> offsets;
  const auto object = [&](int number, const QByteArray& body) {
    offsets.emplace_back(number, pdf.size());
    pdf += QByteArray::number(number) + " 0 obj\n" + body + "\nendobj\n";
  };
  pdf += '\n';
  object(5, "<< /Type /Sig /Filter /Adobe.PPKLite /SubFilter /" + how.subFilter + ' ' + reference +
                "/M (D:20261211093000+08'00') /Name (Fixture Name) /Reason " + TextString(QStringLiteral("审阅")) +
                " /Location " + TextString(QStringLiteral("杭州")) + ' ' + placeholder + " /Contents <" + QByteArray(2 * kRoom, '0') + "> >>");
  object(6, "<< /FT /Sig /T (Cades) /Type /Annot /Subtype /Widget /Rect [0 0 0 0] /F 132 /P 3 0 R /V 5 0 R >>");
  object(7, "<< /FT /Sig /T (Empty) /Type /Annot /Subtype /Widget /Rect [100 100 300 150] /F 4 /P 3 0 R >>");
  object(1, "<< /Type /Catalog /Pages 2 0 R /AcroForm << /Fields [6 0 R 7 0 R] /SigFlags 3 >> " +
                QByteArray(how.docMdp ? "/Perms << /DocMDP 5 0 R >> " : "") + ">>");
  object(3, kPage + " /Annots [6 0 R 7 0 R] >>");
  const qsizetype xref = pdf.size();
  pdf += "xref\n0 1\n0000000000 65535 f \n";
  for (const auto& [number, offset] : offsets)
    pdf += QByteArray::number(number) + " 1\n" + QByteArray::number(offset).rightJustified(10, '0') +
           " 00000 n \n";
  pdf += "trailer\n<< /Size 8 /Root 1 0 R /Prev " + QByteArray::number(previous) +
         " >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";

  const qsizetype gapStart = pdf.indexOf("/Contents <", pdf.indexOf("5 0 obj", previous)) + 10;
  const qsizetype gapEnd = gapStart + 2 * kRoom + 2;
  const QByteArray ranges = how.byteRange.value_or(
      "0 " + QByteArray::number(gapStart) + ' ' + QByteArray::number(gapEnd) + ' ' +
      QByteArray::number(pdf.size() - gapEnd));
  pdf.replace(pdf.indexOf(placeholder), placeholder.size(),
              ("/ByteRange [" + ranges + "]").leftJustified(placeholder.size(), ' '));
  QByteArray der = how.contents.value_or(QByteArray());
  if (!how.contents) {
    WriteBytes(Path(name + ".tbs"), pdf.left(gapStart) + pdf.mid(gapEnd));
    der = Run(QStringLiteral("openssl"),
              {"cms", "-sign", "-binary", "-cades", "-md", "sha256", "-outform", "DER", "-signer",
               Path("leaf.pem"), "-certfile", Path("ca.pem"), "-in", Path(name + ".tbs")});
  }
  const QByteArray hex = der.toHex().leftJustified(2 * kRoom, '0', true);
  pdf.replace(gapStart + 1, 2 * kRoom, hex);
  WriteBytes(path, pdf);
  return path;
}

qint64 StreamByteAfter(const QString& path, qint64 from) {
  const QByteArray bytes = ReadAll(path);
  qint64 stream = bytes.indexOf("stream", from);
  while (stream > 0 && bytes[stream - 1] == 'd') stream = bytes.indexOf("stream", stream + 1);
  return stream < 0 ? -1 : stream + 20;
}

void FlipByte(const QString& path, qint64 at) {
  QFile file(path);
  if (at < 0 || !file.open(QIODevice::ReadWrite) || !file.seek(at)) return;
  char c = 0;
  file.getChar(&c);
  file.seek(at);
  file.putChar(char(c ^ 0x20));
}

const SignedFixtures& Fixtures() {
  static const SignedFixtures fixtures;
  return fixtures;
}

}  // namespace yz::testing
