// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

namespace yz {

// What checking one signature found. Trust is told beside the verdict and never changes it.
struct SignatureCheck {
  enum class Verdict {
    Intact,        // 有效: its byte ranges hash to what it signed and its CMS verifies
    Altered,       // 签名后已被修改: the digest of its byte ranges is not the one it signed
    Unverifiable,  // 无法验证: malformed ranges or CMS, an unsupported format or algorithm
  };
  Verdict verdict = Verdict::Unverifiable;
  QString reason;  // why, for Altered and Unverifiable, in the user's words

  // The revision its byte ranges end with, counted from 1; 0 when they end where no
  // revision ends. Updates appended after it are not its business: they never make it invalid.
  int coversRevision = 0;
  int revisions = 0;                 // of the whole document
  bool coversWholeDocument = false;  // its ranges reach the file's last byte

  enum class Trust {
    Trusted,  // its certificate chains to one the certificate database trusts
    Unknown,  // not (or not checked): the reason says which
  };
  Trust trust = Trust::Unknown;
  QString trustReason;
};

// A signature field of a document: a signature, or an empty field waiting for one.
struct DocumentSignature {
  QString fieldName;   // fully qualified, as readers show it
  bool empty = false;  // no signature in it yet: the document's own place for one
  int page = -1;       // its widget's page, from 0; -1 when on no page
  QRectF rectangle;    // its widget's /Rect in that page's default user space (points)

  // For a signature (empty == false):
  QString signer;            // the signing certificate's name, else the dictionary's /Name
  QDateTime signingTime;     // UTC: a timestamp token's time when present, else /M; may be invalid
  bool timeFromTimestamp = false;
  QString reason;
  QString location;
  QString contactInfo;
  QString subFilter;               // adbe.pkcs7.detached, ETSI.CAdES.detached, …
  std::vector<qint64> byteRange;   // as written: start, length, start, length
  bool certification = false;      // the document's certification (DocMDP) signature
  int docMdpPermission = 0;        // its P (1 to 3) when certification; 0 otherwise

  std::optional<SignatureCheck> check;  // set by VerifyDocumentSignatures on signatures
};

// The signature fields of a document, in the document's own order.
struct DocumentSignatures {
  enum class Access { Open, NeedsPassword, WrongPassword };
  Access access = Access::Open;
  QString failure;  // why it could not be read (password cases too), in the user's words
  std::vector<DocumentSignature> fields;
  std::optional<int> docMdpPermission;  // the document's certification permission, if certified
  int revisions = 0;  // counted by VerifyDocumentSignatures where it holds signatures; else 0
  bool repaired = false;  // the file is damaged and was read as repaired: fields may be lost

  int SignatureCount() const;
  int EmptyFieldCount() const;
};

// Reads the document's signature fields (with `password` if it is encrypted), without
// hashing anything: names, signers, times, empty fields, the certification. Never throws;
// what goes wrong is in `failure`.
DocumentSignatures ListDocumentSignatures(const QString& path, const QString& password = {});

}  // namespace yz
