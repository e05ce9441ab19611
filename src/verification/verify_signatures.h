// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <vector>

#include "verification/document_signatures.h"

namespace yz {

// Whether a certificate chain (DER, the signer's own first) leads to a certificate the user's
// certificate database trusts, at `at`: a timestamp token's time, else now.
struct TrustAnswer {
  bool trusted = false;
  QString reason;  // why not, in the user's words
};
using TrustCheck =
    std::function<TrustAnswer(const std::vector<QByteArray>& chainDer, const QDateTime& at)>;

// Lists the document's signature fields and checks every signature in them: its byte ranges
// sane and hashed (the whole file read once, a chunk at a time, never held whole), its CMS
// checked against that digest, the revision it covers, and its certificate put to `trust`
// (none: every certificate is Unknown, "not checked"). Never throws; what goes wrong with the
// document is in `failure`, what goes wrong with a signature in its check.
DocumentSignatures VerifyDocumentSignatures(const QString& path, const QString& password = {},
                                            const TrustCheck& trust = {});

}  // namespace yz
