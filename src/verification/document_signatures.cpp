// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "verification/document_signatures.h"

#include <algorithm>

#include "verification/signed_ranges.h"
#include "verification/signature_reading.h"

namespace yz {

int DocumentSignatures::SignatureCount() const {
  return int(std::count_if(fields.begin(), fields.end(),
                           [](const DocumentSignature& field) { return !field.empty; }));
}

int DocumentSignatures::EmptyFieldCount() const { return int(fields.size()) - SignatureCount(); }

DocumentSignatures ListDocumentSignatures(const QString& path, const QString& password) {
  return ReadDocumentSignatures(path, password, [](DocumentFile&,
                                                   std::vector<SignatureFieldReading>& readings) {
    // Listing hashes nothing: the CMS is read for its signer and time alone, against a digest
    // no bytes have, and its verdict is left aside.
    const QByteArray noDigest(32, '\0');
    for (SignatureFieldReading& reading : readings)
      if (!reading.field.empty && reading.malformed.isEmpty())
        TakeSignerFromCms(reading.field, CheckCmsSignature(DerObject(reading.contents), noDigest));
    return 0;
  });
}

}  // namespace yz
