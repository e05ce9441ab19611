// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The object identifiers a CAdES signature is written with.
namespace yz::oid {

inline constexpr char kData[] = "1.2.840.113549.1.7.1";
inline constexpr char kSignedData[] = "1.2.840.113549.1.7.2";
inline constexpr char kContentType[] = "1.2.840.113549.1.9.3";
inline constexpr char kMessageDigest[] = "1.2.840.113549.1.9.4";
inline constexpr char kSigningCertificateV2[] = "1.2.840.113549.1.9.16.2.47";
inline constexpr char kSignatureTimeStampToken[] = "1.2.840.113549.1.9.16.2.14";
inline constexpr char kSha256[] = "2.16.840.1.101.3.4.2.1";
inline constexpr char kRsaEncryption[] = "1.2.840.113549.1.1.1";
inline constexpr char kEcdsaWithSha256[] = "1.2.840.10045.4.3.2";

}  // namespace yz::oid
