// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "verification/file_pass.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <openssl/evp.h>
#include <unistd.h>

#include "seams/failure.h"

namespace yz {

namespace {

constexpr qint64 kChunk = 1 << 20;

// SHA-256 by OpenSSL, which uses the processor's own instructions for it where there are some:
// hashing is most of a large document's check.
class Sha256 {
 public:
  Sha256() : context_(EVP_MD_CTX_new()) {
    if (!context_ || EVP_DigestInit_ex(context_, EVP_sha256(), nullptr) != 1)
      throw Failure(QStringLiteral("无法计算 SHA-256 摘要"));
  }
  ~Sha256() { EVP_MD_CTX_free(context_); }
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;
  void Add(QByteArrayView bytes) { EVP_DigestUpdate(context_, bytes.data(), size_t(bytes.size())); }
  QByteArray Result() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context_, digest, &length);
    return QByteArray(reinterpret_cast<const char*>(digest), length);
  }

 private:
  EVP_MD_CTX* context_;
};

}  // namespace

FilePassResult ReadFileOnce(int descriptor, qint64 size,
                            const std::vector<std::vector<FileSpan>>& signedSpans,
                            const QString& path) {
  std::vector<std::unique_ptr<Sha256>> hashes;
  for (size_t i = 0; i < signedSpans.size(); ++i) hashes.push_back(std::make_unique<Sha256>());
  RevisionScanner revisions;
  QByteArray buffer(kChunk, Qt::Uninitialized);
  for (qint64 at = 0; at < size;) {
    const qint64 want = std::min(kChunk, size - at);
    const ssize_t got = ::pread(descriptor, buffer.data(), size_t(want), at);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0)
      throw Failure(QStringLiteral("读取文档时出错：%1（%2）")
                        .arg(path, got < 0 ? QString::fromLocal8Bit(std::strerror(errno))
                                           : QStringLiteral("文件在读取时变短了")));
    const QByteArrayView chunk(buffer.constData(), got);
    revisions.Feed(chunk);
    for (size_t i = 0; i < signedSpans.size(); ++i)
      for (const FileSpan& span : signedSpans[i]) {
        const qint64 from = std::max(span.start, at);
        const qint64 to = std::min(span.start + span.length, at + got);
        if (from < to) hashes[i]->Add(chunk.sliced(from - at, to - from));
      }
    at += got;
  }
  FilePassResult result;
  for (const auto& hash : hashes) result.digests.push_back(hash->Result());
  result.revisions = revisions.revisions();
  return result;
}

}  // namespace yz
