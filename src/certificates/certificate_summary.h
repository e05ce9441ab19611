// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <openssl/x509.h>

#include "certificates/signer.h"

namespace yz {

// What a certificate says of itself, for the list a person chooses from; `source` says where
// it was found.
CertificateSummary SummarizeCertificate(const X509* certificate, const QString& source = {});
// The same from DER; a summary whose subject is empty when the bytes are not a certificate.
CertificateSummary SummarizeCertificateDer(const QByteArray& der, const QString& source = {});

// The key-usage half of CertificateProblem: why the certificate's keyUsage forbids signing
// (neither digitalSignature nor nonRepudiation), empty when it allows it or has none.
QString KeyUsageProblem(const CertificateSummary& certificate);

}  // namespace yz
