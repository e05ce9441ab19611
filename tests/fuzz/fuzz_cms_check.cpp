// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The check of a CMS signature found in a document: any bytes, a verdict and never a crash.
// Input: the CMS bytes; they are checked against the digest of "fuzz", which the seeds sign.
#include "fuzz_check.h"
#include "certificates/openssl_support.h"
#include "certificates/signer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const QByteArray digest = yz::ossl::Sha256("fuzz");
  const yz::CmsCheck check =
      yz::CheckCmsSignature(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), digest);
  // Every verdict but intact carries its reason; an intact one names its signer.
  YZ_FUZZ_CHECK((check.verdict == yz::CmsCheck::Verdict::Intact) == check.reason.isEmpty());
  if (check.verdict == yz::CmsCheck::Verdict::Intact) YZ_FUZZ_CHECK(!check.chain.empty());
  return 0;
}
