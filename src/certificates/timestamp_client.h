// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDateTime>

#include "certificates/signer.h"

namespace yz {

// Asks the authority for an RFC 3161 token over the SHA-256 of `signatureValue` (with a nonce
// and the authority's certificate asked for) and returns the token (a CMS ContentInfo, DER)
// once the answer is granted and its imprint and nonce are the ones asked. Throws Failure.
QByteArray RequestTimestampToken(const TimestampAuthority& authority, const QByteArray& signatureValue);

// The time a token states, when the token is intact and its imprint is the hash of
// `signatureValue`; invalid otherwise. Never throws.
QDateTime TimestampTokenTime(const QByteArray& token, const QByteArray& signatureValue);

}  // namespace yz
