// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// A document's bytes, damaged any way, opened and its signatures listed and verified: never a
// crash or a throw, and every verdict consistent with the ranges and revisions it names.
// Input: the file's bytes.
#include <QByteArray>
#include <QFile>
#include <unistd.h>

#include "fuzz_check.h"
#include "verification/verify_signatures.h"

namespace {

const QString& ScratchFile() {
  static const QString path =
      QStringLiteral("/tmp/yz-fuzz-signatures-%1.pdf").arg(QString::number(::getpid()));
  return path;
}

void CheckVerified(const yz::DocumentSignatures& document, qint64 size) {
  for (const yz::DocumentSignature& field : document.fields) {
    YZ_FUZZ_CHECK(field.empty != field.check.has_value());
    if (field.empty) continue;
    const yz::SignatureCheck& check = *field.check;
    YZ_FUZZ_CHECK(check.revisions == document.revisions);
    YZ_FUZZ_CHECK(check.coversRevision >= 0 && check.coversRevision <= check.revisions);
    if (check.verdict != yz::SignatureCheck::Verdict::Intact) {
      YZ_FUZZ_CHECK(!check.reason.isEmpty());
      continue;
    }
    // Intact only over ranges a signature can have: from the start, within the file.
    const std::vector<qint64>& r = field.byteRange;
    YZ_FUZZ_CHECK(r.size() == 4 && r[0] == 0 && r[1] < r[2] && r[2] + r[3] <= size);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    QFile file(ScratchFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    file.write(reinterpret_cast<const char*>(data), qint64(size));
  }
  const yz::DocumentSignatures verified = yz::VerifyDocumentSignatures(ScratchFile());
  const yz::DocumentSignatures listed = yz::ListDocumentSignatures(ScratchFile());
  YZ_FUZZ_CHECK(verified.failure.isEmpty() == listed.failure.isEmpty());
  if (!verified.failure.isEmpty()) {
    YZ_FUZZ_CHECK(verified.fields.empty());
    return 0;
  }
  CheckVerified(verified, qint64(size));
  YZ_FUZZ_CHECK(listed.fields.size() == verified.fields.size());
  for (size_t i = 0; i < listed.fields.size(); ++i) {
    YZ_FUZZ_CHECK(listed.fields[i].fieldName == verified.fields[i].fieldName);
    YZ_FUZZ_CHECK(!listed.fields[i].check.has_value());
  }
  return 0;
}
