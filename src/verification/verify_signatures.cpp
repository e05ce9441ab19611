// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "verification/verify_signatures.h"

#include <algorithm>

#include "verification/signature_reading.h"
#include "verification/signed_ranges.h"

namespace yz {

namespace {

using Verdict = SignatureCheck::Verdict;

bool SupportedFormat(const QString& subFilter) {
  return subFilter == QStringLiteral("adbe.pkcs7.detached") ||
         subFilter == QStringLiteral("ETSI.CAdES.detached");
}

QString UnsupportedFormat(const QString& subFilter) {
  if (subFilter.isEmpty()) return QStringLiteral("签名没有说明格式（缺少 /SubFilter）");
  if (subFilter == QStringLiteral("ETSI.RFC3161"))
    return QStringLiteral("这是文档时间戳（ETSI.RFC3161），本程序不核验");
  return QStringLiteral("不支持的签名格式 %1").arg(subFilter);
}

Verdict VerdictOf(CmsCheck::Verdict verdict) {
  switch (verdict) {
    case CmsCheck::Verdict::Intact: return Verdict::Intact;
    case CmsCheck::Verdict::Altered: return Verdict::Altered;
    case CmsCheck::Verdict::Unverifiable: break;
  }
  return Verdict::Unverifiable;
}

// Which revision a signature's ranges end with: the one whose %%EOF (with or without the line
// end after it) is where they stop.
void Coverage(SignatureCheck& check, const std::vector<qint64>& byteRange, qint64 fileSize,
              const std::vector<RevisionScanner::Revision>& revisions) {
  check.revisions = int(revisions.size());
  // Ranges that cannot be a signature's cover nothing (and their sum could overflow).
  if (byteRange.size() != 4 || byteRange[2] < 0 || byteRange[3] < 0 || byteRange[2] > fileSize ||
      byteRange[3] > fileSize)
    return;
  const qint64 end = byteRange[2] + byteRange[3];
  check.coversWholeDocument = end == fileSize;
  for (size_t i = 0; i < revisions.size(); ++i)
    if (end >= revisions[i].eofEnd && end <= revisions[i].end) {
      check.coversRevision = int(i) + 1;
      return;
    }
}

void Trust(SignatureCheck& check, const CmsCheck& cms, const QDateTime& signingTime,
           const TrustCheck& trust) {
  check.trust = SignatureCheck::Trust::Unknown;
  if (cms.chain.empty()) {
    check.trustReason = QStringLiteral("签名里没有证书");
  } else if (!trust) {
    check.trustReason = QStringLiteral("没有核对证书是否可信");
  } else {
    const TrustAnswer answer = trust(cms.chain, signingTime);
    if (answer.trusted) check.trust = SignatureCheck::Trust::Trusted;
    check.trustReason = answer.reason;
  }
}

int CheckEverySignature(DocumentFile& file, std::vector<SignatureFieldReading>& readings,
                        const TrustCheck& trust) {
  // A document without signatures is not read through: opening one stays quick.
  if (std::all_of(readings.begin(), readings.end(),
                  [](const SignatureFieldReading& reading) { return reading.field.empty; }))
    return 0;
  // First what can be judged without reading the file, then one pass for every signature.
  std::vector<std::vector<FileSpan>> toHash;
  std::vector<int> hashed(readings.size(), -1);
  for (size_t i = 0; i < readings.size(); ++i) {
    SignatureFieldReading& reading = readings[i];
    if (reading.field.empty) continue;
    SignatureCheck& check = reading.field.check.emplace();
    check.verdict = Verdict::Unverifiable;
    if (!reading.malformed.isEmpty()) {
      check.reason = reading.malformed;
      continue;
    }
    if (!SupportedFormat(reading.field.subFilter)) {
      check.reason = UnsupportedFormat(reading.field.subFilter);
      continue;
    }
    const SignedRanges ranges = CheckByteRange(reading.field.byteRange, file.size());
    check.reason = ranges.problem;
    if (check.reason.isEmpty())
      check.reason = CheckGapHoldsContents(file.descriptor(), ranges.gap, reading.contents);
    if (!check.reason.isEmpty()) continue;
    hashed[i] = int(toHash.size());
    toHash.push_back(ranges.spans);
  }
  const FilePassResult pass = ReadFileOnce(file.descriptor(), file.size(), toHash, file.path());

  const QByteArray noDigest(32, '\0');
  for (size_t i = 0; i < readings.size(); ++i) {
    DocumentSignature& field = readings[i].field;
    if (field.empty) continue;
    SignatureCheck& check = *field.check;
    Coverage(check, field.byteRange, file.size(), pass.revisions);
    // A signature that cannot be judged is still read for the name and time it carries.
    const CmsCheck cms = CheckCmsSignature(DerObject(readings[i].contents),
                                           hashed[i] >= 0 ? pass.digests[size_t(hashed[i])] : noDigest);
    TakeSignerFromCms(field, cms);
    if (hashed[i] >= 0) {
      check.verdict = VerdictOf(cms.verdict);
      check.reason = cms.reason;
    }
    // A time the signer merely states (/M) could be set back into the certificate's life, so
    // only a timestamp authority's time is taken; otherwise the certificate is judged as of now.
    Trust(check, cms, field.timeFromTimestamp ? field.signingTime : QDateTime::currentDateTimeUtc(),
          trust);
  }
  return int(pass.revisions.size());
}

}  // namespace

DocumentSignatures VerifyDocumentSignatures(const QString& path, const QString& password,
                                            const TrustCheck& trust) {
  return ReadDocumentSignatures(path, password,
                                [&](DocumentFile& file, std::vector<SignatureFieldReading>& readings) {
                                  return CheckEverySignature(file, readings, trust);
                                });
}

}  // namespace yz
