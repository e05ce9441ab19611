// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "verification/document_file.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <qpdf/QPDFExc.hh>

namespace yz {

namespace {

using Kind = UnreadableDocument::Kind;

// Readers accept the header anywhere in the first kilobyte.
constexpr size_t kHeaderWindow = 1024;

QString SystemReason() { return QString::fromLocal8Bit(std::strerror(errno)); }

}  // namespace

DocumentFile::DocumentFile(const QString& path, const QString& password) : path_(path) {
  const QByteArray name = QFile::encodeName(path);
  // Not blocking: opening a named pipe for reading would otherwise wait for a writer.
  fd_.fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd_.fd < 0) {
    if (errno == ENOENT) throw UnreadableDocument(Kind::Unreadable, QStringLiteral("找不到文档：%1").arg(path));
    throw UnreadableDocument(Kind::Unreadable,
                             QStringLiteral("无法读取文档：%1（%2）").arg(path, SystemReason()));
  }
  struct stat info {};
  if (::fstat(fd_.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const bool folder = S_ISDIR(info.st_mode);
    throw UnreadableDocument(Kind::NotPdf,
                             folder ? QStringLiteral("“%1”是文件夹，不是 PDF 文档").arg(path)
                                    : QStringLiteral("“%1”不是普通文件（是管道、设备或套接字），不能读取").arg(path));
  }
  ::fcntl(fd_.fd, F_SETFL, ::fcntl(fd_.fd, F_GETFL) & ~O_NONBLOCK);
  size_ = info.st_size;
  char start[kHeaderWindow];
  const ssize_t got = ::pread(fd_.fd, start, sizeof start, 0);
  if (got <= 0 || !QByteArrayView(start, got).contains("%PDF-")) {
    throw UnreadableDocument(Kind::NotPdf,
                             got <= 0 ? QStringLiteral("文档是空的（0 字节），不是 PDF：%1").arg(path)
                                      : QStringLiteral("“%1”不是 PDF 文档（开头没有 PDF 的标记）").arg(path));
  }

  // The library reads (and closes) its own duplicate of the descriptor.
  const int own = ::dup(fd_.fd);
  FILE* stream = own < 0 ? nullptr : ::fdopen(own, "rb");
  if (!stream) {
    if (own >= 0) ::close(own);
    throw UnreadableDocument(Kind::Unreadable,
                             QStringLiteral("无法读取文档：%1（%2）").arg(path, SystemReason()));
  }
  pdf_ = std::make_unique<QPDF>();
  pdf_->setSuppressWarnings(true);
  const QByteArray secret = password.toUtf8();
  try {
    pdf_->processFile(name.constData(), stream, true, secret.constData());
  } catch (const QPDFExc& error) {
    if (error.getErrorCode() == qpdf_e_password)
      throw UnreadableDocument(
          password.isEmpty() ? Kind::NeedsPassword : Kind::WrongPassword,
          password.isEmpty() ? QStringLiteral("文档有打开密码，需要密码才能读取其中的签名：%1").arg(path)
                             : QStringLiteral("密码不对，打不开文档：%1").arg(path));
    throw UnreadableDocument(Kind::Damaged, QStringLiteral("文档已损坏，无法读取其中的签名：%1（%2）")
                                                .arg(path, QString::fromStdString(error.what()).trimmed()));
  } catch (const std::exception& error) {
    throw UnreadableDocument(Kind::Damaged, QStringLiteral("文档已损坏，无法读取其中的签名：%1（%2）")
                                                .arg(path, QString::fromStdString(error.what()).trimmed()));
  }
}

DocumentFile::Descriptor::~Descriptor() {
  if (fd >= 0) ::close(fd);
}

}  // namespace yz
