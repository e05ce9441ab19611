// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "certificates/openssl_support.h"

#include <algorithm>
#include <mutex>
#include <openssl/err.h>
#include <openssl/provider.h>
#include <openssl/sha.h>

namespace yz::ossl {

void StartProviders() {
  static std::once_flag once;
  std::call_once(once, [] {
    // Deliberately never unloaded: the process may sign until it ends.
    OSSL_PROVIDER_load(nullptr, "legacy");
    OSSL_PROVIDER_load(nullptr, "default");
    ERR_clear_error();
  });
}

QString TakeErrors() {
  QStringList texts;
  while (const unsigned long code = ERR_get_error()) {
    char text[256];
    ERR_error_string_n(code, text, sizeof text);
    texts << QString::fromLatin1(text);
  }
  return texts.join(QStringLiteral("; "));
}

QByteArray CertificateDer(const X509* certificate) { return ToDer(certificate, i2d_X509); }

Certificate CertificateFromDer(const QByteArray& der) {
  const auto* cursor = reinterpret_cast<const unsigned char*>(der.constData());
  Certificate certificate(d2i_X509(nullptr, &cursor, der.size()));
  ERR_clear_error();
  return certificate;
}

QByteArray Sha256(const QByteArray& data) {
  QByteArray digest(SHA256_DIGEST_LENGTH, '\0');
  SHA256(reinterpret_cast<const unsigned char*>(data.constData()), data.size(),
         reinterpret_cast<unsigned char*>(digest.data()));
  return digest;
}

QDateTime ToDateTime(const ASN1_TIME* time) {
  struct tm parts {};
  if (time == nullptr || ASN1_TIME_to_tm(time, &parts) != 1) return {};
  return QDateTime(QDate(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday),
                   QTime(parts.tm_hour, parts.tm_min, parts.tm_sec), Qt::UTC);
}

std::vector<X509*> OrderChain(X509* leaf, STACK_OF(X509) * others) {
  std::vector<X509*> chain{leaf};
  std::vector<X509*> rest;
  for (int i = 0; others != nullptr && i < sk_X509_num(others); ++i) {
    X509* candidate = sk_X509_value(others, i);
    const auto same = [candidate](X509* kept) { return X509_cmp(candidate, kept) == 0; };
    if (!same(leaf) && std::none_of(rest.begin(), rest.end(), same)) rest.push_back(candidate);
  }
  // Each step takes the issuer of the last certificate placed; a self-signed one ends the walk.
  for (bool found = true; found && !rest.empty();) {
    found = false;
    X509* last = chain.back();
    if (X509_check_issued(last, last) == X509_V_OK) break;
    for (auto it = rest.begin(); it != rest.end(); ++it) {
      if (X509_check_issued(*it, last) == X509_V_OK) {
        chain.push_back(*it);
        rest.erase(it);
        found = true;
        break;
      }
    }
  }
  chain.insert(chain.end(), rest.begin(), rest.end());
  return chain;
}

}  // namespace yz::ossl
