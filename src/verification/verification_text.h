// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "verification/document_signatures.h"

namespace yz {

// The user's words for what checking a signature found, the same in the window and the
// renderer.
QString VerdictText(const SignatureCheck& check);   // 有效, 签名后已被修改 or 无法验证, with the reason
QString CoverageText(const SignatureCheck& check);  // 覆盖整个文档, 覆盖第 N 版（共 M 版）, …
QString TrustText(const SignatureCheck& check);     // 证书可信, or 证书身份未知 and why
QString SignerText(const DocumentSignature& signature);
QString SigningTimeText(const DocumentSignature& signature);  // UTC, or 时间不明

// One signature on one line, its parts separated by tabs: field name, signer, verdict, time,
// coverage, trust. What the renderer's --verify prints.
QString SignatureLine(const DocumentSignature& signature);

}  // namespace yz
