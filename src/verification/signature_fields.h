// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include <qpdf/QPDF.hh>

#include "certificates/signer.h"
#include "verification/document_signatures.h"

namespace yz {

// One signature field as the document's objects state it, before anything is checked.
struct SignatureFieldReading {
  DocumentSignature field;  // the signer is /Name until the CMS is read
  QByteArray contents;      // /Contents as the library parsed it
  QString malformed;        // why its dictionary cannot be a signature, if it cannot
};

// Every signature field of the document's form, in the form's order. Throws what the library
// throws on objects damaged beyond its repair.
std::vector<SignatureFieldReading> ReadSignatureFields(QPDF& pdf);

// The signer and time the CMS tells, where it tells them, over what the dictionary claims.
void TakeSignerFromCms(DocumentSignature& field, const CmsCheck& cms);

}  // namespace yz
