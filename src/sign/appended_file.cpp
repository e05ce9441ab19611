// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/appended_file.h"

#include <QFile>
#include <QFileDevice>
#include <memory>
#include <openssl/evp.h>

#include "export/whole_file.h"
#include "seams/failure.h"

namespace yz {

namespace {

constexpr qint64 kChunk = 1 << 20;

// SHA-256 through OpenSSL, which uses the processor's own instructions: the hash is most of a
// large document's signing time, and Qt's portable one takes about three times as long.
class Sha256 {
 public:
  Sha256() : context_(EVP_MD_CTX_new(), EVP_MD_CTX_free) {
    EVP_DigestInit_ex(context_.get(), EVP_sha256(), nullptr);
  }
  void Add(QByteArrayView bytes) { EVP_DigestUpdate(context_.get(), bytes.data(), size_t(bytes.size())); }
  QByteArray Result() {
    QByteArray digest(EVP_MAX_MD_SIZE, Qt::Uninitialized);
    unsigned int length = 0;
    EVP_DigestFinal_ex(context_.get(), reinterpret_cast<unsigned char*>(digest.data()), &length);
    digest.resize(length);
    return digest;
  }

 private:
  std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> context_;
};

}  // namespace

void WriteAppended(const QString& original, qint64 originalSize, const QByteArray& update,
                   const QString& output, const std::optional<SignatureGap>& gap,
                   const SignDigest& sign, const CopyProgress& progress, const CheckWritten& check) {
  QFile source(original);
  if (!source.open(QIODevice::ReadOnly))
    throw Failure(QStringLiteral("无法读取文档：%1（%2）").arg(original, source.errorString()));
  std::optional<Failure> failure;
  bool stopped = false;
  const QString reason = WriteFileThrough(output, originalSize + update.size(), [&](QFileDevice& file) {
    Sha256 hash;
    QByteArray chunk;
    for (qint64 done = 0; done < originalSize;) {
      chunk = source.read(std::min(kChunk, originalSize - done));
      if (chunk.isEmpty())
        return QStringLiteral("原文件在签署过程中被改动或截短了：%1").arg(original);
      hash.Add(chunk);
      if (file.write(chunk) != chunk.size()) return file.errorString();
      done += chunk.size();
      if (progress && !progress(done, originalSize)) {
        stopped = true;
        return QStringLiteral("已取消");
      }
    }
    const qint64 updateAt = file.pos();
    if (file.write(update) != update.size()) return file.errorString();
    // The temporary file has no name of its own to give; its descriptor has one.
    const auto checked = [&]() -> QString {
      if (!check) return {};
      if (!file.flush()) return file.errorString();
      if (const QString problem = check(QStringLiteral("/proc/self/fd/%1").arg(file.handle()));
          !problem.isEmpty()) {
        failure = Failure(problem);
        return problem;
      }
      return {};
    };
    if (!gap) return checked();
    hash.Add(QByteArrayView(update).first(gap->at));
    hash.Add(QByteArrayView(update).sliced(gap->at + gap->length));
    QByteArray hex;
    try {
      hex = sign(hash.Result()).toHex().toUpper();
    } catch (const Failure& error) {
      failure = error;
      return error.message();
    }
    const qint64 digits = gap->length - 2;
    if (hex.size() > digits) {
      failure = Failure(QStringLiteral("签名（%1 字节）比预留的位置（%2 字节）大，没有写出文件")
                            .arg(hex.size() / 2)
                            .arg(digits / 2));
      return failure->message();
    }
    hex.append(QByteArray(digits - hex.size(), '0'));
    if (!file.seek(updateAt + gap->at + 1) || file.write(hex) != hex.size()) return file.errorString();
    return checked();
  });
  if (stopped) throw AppendStopped{};
  if (failure) throw *failure;
  if (!reason.isEmpty())
    throw Failure(QStringLiteral("无法保存签署后的文档：%1\n原因：%2").arg(output, reason));
}

}  // namespace yz
