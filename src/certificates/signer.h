// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace yz {

// What a person sees of a certificate when choosing one, and what signing checks before it
// uses it.
struct CertificateSummary {
  QString subject;          // the common name, or the whole subject where it has none
  QString issuer;           // likewise
  QDateTime validFrom;      // UTC
  QDateTime validTo;        // UTC
  bool hasKeyUsage = false;  // no keyUsage extension: the key may be used for anything
  QStringList keyUsage;     // its bits by name: digitalSignature, nonRepudiation, …
  QString source;           // where it lives: a file's path, or an NSS database and nickname
};

// Why the certificate cannot sign at `when`, in the user's words (expired, not yet valid, a key
// usage that allows neither digitalSignature nor nonRepudiation); empty when it can.
QString CertificateProblem(const CertificateSummary& certificate, const QDateTime& when);

// A private key with its certificate chain, wherever the key lives: a PKCS#12 file's key held
// in memory, or a key inside an NSS database that never leaves it. The signing code asks for
// a Signer and never for a library.
class Signer {
 public:
  virtual ~Signer() = default;
  virtual CertificateSummary Summary() const = 0;
  // DER of the signer's own certificate first, then the rest of its chain as far as known.
  virtual std::vector<QByteArray> ChainDer() const = 0;
  // The signature value over `data` hashed with SHA-256, in the key's own scheme (RSA PKCS#1
  // v1.5, or ECDSA as a DER Ecdsa-Sig-Value). Throws Failure in the user's words.
  virtual QByteArray SignSha256(const QByteArray& data) const = 0;
};

// An RFC 3161 timestamp authority to ask for a token over the signature value.
struct TimestampAuthority {
  QString url;          // http://…; empty: no timestamp
  int timeoutMs = 20000;
};

// The detached CAdES signature (CMS SignedData, DER) of a document whose signed bytes hash to
// `sha256Digest`: contentType, messageDigest and signing-certificate-v2 signed, no signingTime
// (PAdES baseline B-B), the chain included; with an authority, its token over the signature
// value as the unsigned signature-time-stamp attribute (B-T). Throws Failure.
QByteArray MakeCadesSignature(const Signer& signer, const QByteArray& sha256Digest,
                              const TimestampAuthority& authority = {});

// How many bytes the /Contents placeholder must hold for this signer's signatures (bytes of
// DER: the hexadecimal string takes twice as many digits): measured
// on a trial signature with slack for the few bytes an ECDSA value varies by, plus room for
// a timestamp token when an authority is given. Throws Failure.
int SignatureRoom(const Signer& signer, const TimestampAuthority& authority = {});

// What a CMS signature found in a document says of the bytes it covers.
struct CmsCheck {
  enum class Verdict {
    Intact,        // its messageDigest is the bytes' digest and its signature verifies
    Altered,       // the digest does not match: changed since signing
    Unverifiable,  // malformed, or an algorithm this program cannot check
  };
  Verdict verdict = Verdict::Unverifiable;
  QString reason;                 // for Altered and Unverifiable, in the user's words
  CertificateSummary signer;      // as far as it could be read
  std::vector<QByteArray> chain;  // the certificates the CMS carries, the signer's first
  QDateTime timestamp;            // a timestamp token's time, when it carries one (UTC)
  QDateTime signingTime;          // the signed signingTime other programs put in, when present (UTC)
};

// Checks a detached CMS signature against the SHA-256 digest of the bytes it claims to cover.
// Never throws.
CmsCheck CheckCmsSignature(const QByteArray& cmsDer, const QByteArray& sha256Digest);

}  // namespace yz
