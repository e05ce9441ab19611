// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <memory>
#include <openssl/asn1.h>
#include <openssl/bio.h>
#include <openssl/cms.h>
#include <openssl/evp.h>
#include <openssl/pkcs12.h>
#include <openssl/x509.h>
#include <vector>

// Owners of OpenSSL's objects and the few conversions every part of the room needs.
namespace yz::ossl {

template <typename T, void (*Free)(T*)>
struct Deleter {
  void operator()(T* p) const { Free(p); }
};
template <typename T, void (*Free)(T*)>
using Owned = std::unique_ptr<T, Deleter<T, Free>>;

using Bio = Owned<BIO, BIO_free_all>;
using Certificate = Owned<X509, X509_free>;
using Key = Owned<EVP_PKEY, EVP_PKEY_free>;
using KeyContext = Owned<EVP_PKEY_CTX, EVP_PKEY_CTX_free>;
using DigestContext = Owned<EVP_MD_CTX, EVP_MD_CTX_free>;
using Pkcs12 = Owned<PKCS12, PKCS12_free>;
using Cms = Owned<CMS_ContentInfo, CMS_ContentInfo_free>;

inline void FreeCertificates(STACK_OF(X509) * stack) { sk_X509_pop_free(stack, X509_free); }
using Certificates = Owned<STACK_OF(X509), FreeCertificates>;

// Loads the "legacy" provider (RC2-40 and 3DES of old PKCS#12 files) and the "default" one
// beside it, once per process: a provider loaded by hand stops the default one loading by
// itself, and without it SHA-256, EC keys and AES stop working.
void StartProviders();

// The texts of OpenSSL's error queue, emptied; for the detail after a reason.
QString TakeErrors();

// Any of OpenSSL's objects as DER through its i2d function; empty when it cannot be encoded.
template <typename T>
QByteArray ToDer(const T* object, int (*encode)(const T*, unsigned char**)) {
  unsigned char* bytes = nullptr;
  const int length = object ? encode(object, &bytes) : 0;
  if (length <= 0) return {};
  QByteArray der(reinterpret_cast<const char*>(bytes), length);
  OPENSSL_free(bytes);
  return der;
}

QByteArray CertificateDer(const X509* certificate);
Certificate CertificateFromDer(const QByteArray& der);  // null when it is not one
QByteArray Sha256(const QByteArray& data);
QDateTime ToDateTime(const ASN1_TIME* time);  // invalid when unreadable

// The signer's certificate first, then each one's issuer as far as `others` holds it, then
// whatever else `others` holds; no certificate twice.
std::vector<X509*> OrderChain(X509* leaf, STACK_OF(X509) * others);

}  // namespace yz::ossl
