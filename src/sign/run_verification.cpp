// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/run_verification.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "export/run_renderer.h"
#include "sign/renderer_certificate.h"
#include "verification/nss_trust.h"
#include "verification/verification_text.h"
#include "verification/verify_signatures.h"

namespace yz {

int RunVerification(const RenderArguments& arguments, QTextStream& out, QTextStream& err) {
  const RenderArguments::Verifying& v = *arguments.verifying;
  const QString program = QCoreApplication::applicationName();
  const auto fail = [&](const QString& reason) {
    err << program << ": " << OneLine(reason) << Qt::endl;
    return int(kRenderFailed);
  };
  QString password = v.password;
  TrustCheck trust;
  try {
    if (v.passwordFile) password = PasswordFromFile(*v.passwordFile);
  } catch (const Failure& failure) {
    return fail(QStringLiteral("--password-file：%1").arg(failure.message()));
  }
  try {
    trust = NssTrust(v.nssDatabase);
  } catch (const Failure& failure) {
    return fail(QStringLiteral("--nss-db：%1").arg(failure.message()));
  }
  const DocumentSignatures document = VerifyDocumentSignatures(v.document, password, trust);
  if (!document.failure.isEmpty()) return fail(document.failure);
  if (document.SignatureCount() == 0 && document.repaired)
    return fail(QStringLiteral("文档已损坏，读不出其中的数字签名（文档能读的部分里没有签名）：%1").arg(v.document));
  if (document.SignatureCount() == 0)
    return fail(document.EmptyFieldCount() > 0
                    ? QStringLiteral("文档里没有数字签名（只有 %1 个空的签名域）：%2")
                          .arg(document.EmptyFieldCount())
                          .arg(v.document)
                    : QStringLiteral("文档里没有数字签名：%1").arg(v.document));
  bool allIntact = true;
  for (const DocumentSignature& signature : document.fields) {
    if (signature.empty) continue;
    out << OneLine(SignatureLine(signature)) << Qt::endl;
    allIntact = allIntact && signature.check->verdict == SignatureCheck::Verdict::Intact;
  }
  return allIntact ? kRenderedOk : kRenderFailed;
}

}  // namespace yz
