// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "verification/verification_text.h"

#include <QStringList>

namespace yz {

QString VerdictText(const SignatureCheck& check) {
  QString verdict;
  switch (check.verdict) {
    case SignatureCheck::Verdict::Intact: return QStringLiteral("有效");
    case SignatureCheck::Verdict::Altered: verdict = QStringLiteral("签名后已被修改"); break;
    case SignatureCheck::Verdict::Unverifiable: verdict = QStringLiteral("无法验证"); break;
  }
  return check.reason.isEmpty() ? verdict : verdict + QStringLiteral("（%1）").arg(check.reason);
}

QString CoverageText(const SignatureCheck& check) {
  if (check.coversWholeDocument)
    return check.revisions > 1
               ? QStringLiteral("覆盖整个文档（第 %1 版，共 %1 版）").arg(check.revisions)
               : QStringLiteral("覆盖整个文档");
  if (check.coversRevision > 0)
    return QStringLiteral("覆盖第 %1 版（共 %2 版），之后追加的内容不在签名内")
        .arg(check.coversRevision)
        .arg(check.revisions);
  return QStringLiteral("签名范围没有止于文档某一版的结尾");
}

QString TrustText(const SignatureCheck& check) {
  if (check.trust == SignatureCheck::Trust::Trusted) return QStringLiteral("证书可信");
  return check.trustReason.isEmpty() ? QStringLiteral("证书身份未知")
                                     : QStringLiteral("证书身份未知（%1）").arg(check.trustReason);
}

QString SignerText(const DocumentSignature& signature) {
  return signature.signer.isEmpty() ? QStringLiteral("签名者不明") : signature.signer;
}

QString SigningTimeText(const DocumentSignature& signature) {
  if (!signature.signingTime.isValid()) return QStringLiteral("时间不明");
  const QString time =
      signature.signingTime.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss 'UTC'"));
  return signature.timeFromTimestamp ? time + QStringLiteral("（时间戳）") : time;
}

QString SignatureLine(const DocumentSignature& signature) {
  QStringList parts{signature.fieldName, SignerText(signature)};
  if (signature.check)
    parts << VerdictText(*signature.check) << SigningTimeText(signature)
          << CoverageText(*signature.check) << TrustText(*signature.check);
  else
    parts << SigningTimeText(signature);
  for (QString& part : parts) part.replace('\t', ' ').replace('\n', ' ');
  return parts.join('\t');
}

}  // namespace yz
