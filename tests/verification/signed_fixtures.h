// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <optional>

namespace yz::testing {

// Signed documents made without this program's own signer: an NSS certificate database
// (certutil) holding a CA and a leaf it issued, poppler's pdfsig signing with it, and by-hand
// incremental updates whose CMS `openssl cms -sign -cades` makes.
class SignedFixtures {
 public:
  SignedFixtures();
  bool ok() const { return error_.isEmpty(); }
  const QString& error() const { return error_; }

  QString Path(const QString& name) const { return folder_.filePath(name); }
  QString TrustingDatabase() const { return Path(QStringLiteral("trusting")); }  // the CA trusted
  QString DoubtingDatabase() const { return Path(QStringLiteral("doubting")); }  // the CA not

  // A one-page document without signatures (objects 1 catalogue, 2 pages, 3 page, 4 content).
  QString Plain(const QString& name) const;
  // pdfsig's own signature on `input`, appended as a new revision, into a new signature field.
  // `password` opens an encrypted `input` (user and owner password alike).
  bool PopplerSign(const QString& input, const QString& output, const QString& field,
                   const QString& password = {}) const;

  // A by-hand update appended to Plain(): a signature field `Cades` signed with an
  // ETSI.CAdES.detached CMS over its byte ranges and an empty field `Empty` at
  // [100 100 300 150] on the page. With `docMdp`, the signature certifies with that P.
  // `contents` replaces the CMS (garbage, say), `byteRange` the ranges as written, `subFilter`
  // the format the dictionary claims.
  struct HandSigned {
    std::optional<int> docMdp;
    std::optional<QByteArray> contents;
    std::optional<QByteArray> byteRange;
    QByteArray subFilter = "ETSI.CAdES.detached";
  };
  QString HandSign(const QString& name, const HandSigned& how) const;

 private:
  QByteArray Run(const QString& program, const QStringList& arguments, const QByteArray& input = {},
                 bool* ok = nullptr) const;
  QTemporaryDir folder_;
  mutable QString error_;
};

// Where a byte can be changed without touching the file's structure: inside the first stream
// that starts at or after `from`.
qint64 StreamByteAfter(const QString& path, qint64 from);
// Changes the byte at `at` (to another letter case, or another symbol).
void FlipByte(const QString& path, qint64 at);

// The fixtures of the suite, made once (a database and keys take seconds).
const SignedFixtures& Fixtures();

}  // namespace yz::testing
