// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "certificates/timestamp_client.h"

#include <openssl/err.h>
#include <openssl/rand.h>
#include <openssl/ts.h>

#include "certificates/http_post.h"
#include "certificates/openssl_support.h"
#include "seams/failure.h"

namespace yz {

namespace {

using Request = ossl::Owned<TS_REQ, TS_REQ_free>;
using Response = ossl::Owned<TS_RESP, TS_RESP_free>;
using VerifyContext = ossl::Owned<TS_VERIFY_CTX, TS_VERIFY_CTX_free>;
using Imprint = ossl::Owned<TS_MSG_IMPRINT, TS_MSG_IMPRINT_free>;
using Algorithm = ossl::Owned<X509_ALGOR, X509_ALGOR_free>;
using Integer = ossl::Owned<ASN1_INTEGER, ASN1_INTEGER_free>;
using TokenInfo = ossl::Owned<TS_TST_INFO, TS_TST_INFO_free>;
using Pkcs7 = ossl::Owned<PKCS7, PKCS7_free>;

Request BuildRequest(const QByteArray& digest) {
  Request request(TS_REQ_new());
  Imprint imprint(TS_MSG_IMPRINT_new());
  Algorithm algorithm(X509_ALGOR_new());
  unsigned char nonceBytes[8];
  if (!request || !imprint || !algorithm || RAND_bytes(nonceBytes, sizeof nonceBytes) != 1)
    return nullptr;
  nonceBytes[0] &= 0x7f;  // a positive INTEGER
  Integer nonce(ASN1_INTEGER_new());
  BIGNUM* number = BN_bin2bn(nonceBytes, sizeof nonceBytes, nullptr);
  const bool built =
      nonce && number && BN_to_ASN1_INTEGER(number, nonce.get()) != nullptr &&
      X509_ALGOR_set0(algorithm.get(), OBJ_nid2obj(NID_sha256), V_ASN1_NULL, nullptr) == 1 &&
      TS_MSG_IMPRINT_set_algo(imprint.get(), algorithm.get()) == 1 &&
      TS_MSG_IMPRINT_set_msg(imprint.get(), reinterpret_cast<unsigned char*>(const_cast<char*>(digest.constData())),
                             int(digest.size())) == 1 &&
      TS_REQ_set_version(request.get(), 1) == 1 &&
      TS_REQ_set_msg_imprint(request.get(), imprint.get()) == 1 &&
      TS_REQ_set_nonce(request.get(), nonce.get()) == 1 && TS_REQ_set_cert_req(request.get(), 1) == 1;
  BN_free(number);
  return built ? std::move(request) : nullptr;
}

// The status text an authority sent with a refusal, for the reason shown.
QString StatusText(TS_RESP* response) {
  const TS_STATUS_INFO* status = TS_RESP_get_status_info(response);
  const STACK_OF(ASN1_UTF8STRING)* texts = status ? TS_STATUS_INFO_get0_text(status) : nullptr;
  QStringList lines;
  for (int i = 0; texts != nullptr && i < sk_ASN1_UTF8STRING_num(texts); ++i) {
    const ASN1_UTF8STRING* text = sk_ASN1_UTF8STRING_value(texts, i);
    lines << QString::fromUtf8(reinterpret_cast<const char*>(ASN1_STRING_get0_data(text)),
                               ASN1_STRING_length(text));
  }
  const long code = status ? ASN1_INTEGER_get(TS_STATUS_INFO_get0_status(status)) : -1;
  return QStringLiteral("状态 %1%2").arg(code).arg(lines.isEmpty() ? QString() : QStringLiteral("：") + lines.join(' '));
}

// Whether the token's own signature covers its content, with the certificate it carries; whom
// that certificate belongs to is a question of trust, not of integrity.
bool TokenSignatureIntact(const QByteArray& token) {
  const auto* cursor = reinterpret_cast<const unsigned char*>(token.constData());
  const ossl::Cms cms(d2i_CMS_ContentInfo(nullptr, &cursor, token.size()));
  return cms && CMS_verify(cms.get(), nullptr, nullptr, nullptr, nullptr,
                           CMS_NO_SIGNER_CERT_VERIFY | CMS_BINARY) == 1;
}

}  // namespace

QByteArray RequestTimestampToken(const TimestampAuthority& authority, const QByteArray& signatureValue) {
  ossl::StartProviders();
  const Request request = BuildRequest(ossl::Sha256(signatureValue));
  const QByteArray query = ossl::ToDer(request.get(), i2d_TS_REQ);
  if (query.isEmpty())
    throw Failure(QStringLiteral("无法生成时间戳请求（%1）").arg(ossl::TakeErrors()));
  const QByteArray answer = HttpPost(authority.url, "application/timestamp-query", query, authority.timeoutMs);
  const auto* cursor = reinterpret_cast<const unsigned char*>(answer.constData());
  const Response response(d2i_TS_RESP(nullptr, &cursor, answer.size()));
  if (!response) {
    ossl::TakeErrors();
    throw Failure(QStringLiteral("时间戳服务器的回答不是时间戳（RFC 3161）：%1").arg(authority.url));
  }
  const long status = ASN1_INTEGER_get(TS_STATUS_INFO_get0_status(TS_RESP_get_status_info(response.get())));
  // 0 granted, 1 granted with modifications; everything else is a refusal.
  if ((status != 0 && status != 1) || TS_RESP_get_token(response.get()) == nullptr)
    throw Failure(QStringLiteral("时间戳服务器没有给出时间戳（%1）：%2").arg(StatusText(response.get()), authority.url));
  // The version, the imprint and the nonce must be the ones asked; the authority's own
  // signature is a reader's to judge against its trust.
  VerifyContext context(TS_REQ_to_TS_VERIFY_CTX(request.get(), nullptr));
  if (!context || TS_RESP_verify_response(context.get(), response.get()) != 1) {
    const QString detail = ossl::TakeErrors();
    throw Failure(QStringLiteral("时间戳服务器给的时间戳不是对这份签名的（%1）：%2").arg(detail, authority.url));
  }
  const QByteArray token = ossl::ToDer(TS_RESP_get_token(response.get()), i2d_PKCS7);
  if (token.isEmpty()) throw Failure(QStringLiteral("无法读出时间戳（%1）").arg(ossl::TakeErrors()));
  return token;
}

QDateTime TimestampTokenTime(const QByteArray& token, const QByteArray& signatureValue) {
  const auto* cursor = reinterpret_cast<const unsigned char*>(token.constData());
  const Pkcs7 pkcs7(d2i_PKCS7(nullptr, &cursor, token.size()));
  const TokenInfo info(pkcs7 ? PKCS7_to_TS_TST_INFO(pkcs7.get()) : nullptr);
  QDateTime time;
  if (info) {
    const TS_MSG_IMPRINT* imprint = TS_TST_INFO_get_msg_imprint(info.get());
    const X509_ALGOR* algorithm = TS_MSG_IMPRINT_get_algo(const_cast<TS_MSG_IMPRINT*>(imprint));
    const ASN1_OCTET_STRING* hashed = TS_MSG_IMPRINT_get_msg(const_cast<TS_MSG_IMPRINT*>(imprint));
    const EVP_MD* digest = algorithm ? EVP_get_digestbyobj(algorithm->algorithm) : nullptr;
    unsigned char expected[EVP_MAX_MD_SIZE];
    unsigned int expectedLength = 0;
    if (digest != nullptr && hashed != nullptr &&
        EVP_Digest(signatureValue.constData(), signatureValue.size(), expected, &expectedLength, digest, nullptr) == 1 &&
        int(expectedLength) == ASN1_STRING_length(hashed) &&
        memcmp(expected, ASN1_STRING_get0_data(hashed), expectedLength) == 0 && TokenSignatureIntact(token))
      time = ossl::ToDateTime(TS_TST_INFO_get_time(info.get()));
  }
  ERR_clear_error();
  return time;
}

}  // namespace yz
