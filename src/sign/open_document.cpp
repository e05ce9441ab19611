// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/open_document.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <sys/stat.h>
#include <unistd.h>

#include "sign/file_kind.h"

namespace yz {

namespace {

// Readers accept the header anywhere in the first kilobyte.
constexpr qint64 kHeaderWindow = 1024;

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using OpenFile = std::unique_ptr<FILE, FileCloser>;

// Opens the document for the library to read, only if it is a regular file: opening a pipe
// waits for a writer (the program would hang), a device never ends, and neither can be read
// again from the start as the library must. The file is opened without waiting and checked
// before a byte is read, so that nothing swapped in between is read instead.
OpenFile OpenRegularFile(const QString& path) {
  using Kind = DocumentProblem::Kind;
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    if (error == ENOENT) throw DocumentProblem(Kind::Unreadable, QStringLiteral("找不到文档：%1").arg(path));
    throw DocumentProblem(Kind::Unreadable, QStringLiteral("无法读取文档：%1（%2）")
                                                .arg(path, QString::fromLocal8Bit(std::strerror(error))));
  }
  struct stat status {};
  const QString kind = ::fstat(fd, &status) == 0 ? NotRegularFile(status) : QStringLiteral("特殊文件");
  if (!kind.isEmpty()) {
    ::close(fd);
    if (S_ISDIR(status.st_mode))
      throw DocumentProblem(Kind::NotPdf, QStringLiteral("“%1”是文件夹，不是 PDF 文档").arg(path));
    throw DocumentProblem(Kind::NotPdf,
                          QStringLiteral("“%1”是%2，不是普通文件：只能签署存在磁盘上的 PDF 文件（请先把它存成文件）")
                              .arg(path, kind));
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  OpenFile file(::fdopen(fd, "rb"));
  if (!file) {
    ::close(fd);
    throw DocumentProblem(Kind::Unreadable, QStringLiteral("无法读取文档：%1").arg(path));
  }
  return file;
}

// Looks at the start of the file for what every PDF begins with; leaves it at the start.
void CheckHeader(FILE* file, const QString& path) {
  using Kind = DocumentProblem::Kind;
  QByteArray start(kHeaderWindow, '\0');
  start.resize(qsizetype(std::fread(start.data(), 1, size_t(kHeaderWindow), file)));
  if (std::ferror(file))
    throw DocumentProblem(Kind::Unreadable, QStringLiteral("无法读取文档：%1").arg(path));
  std::rewind(file);
  if (start.isEmpty())
    throw DocumentProblem(Kind::NotPdf, QStringLiteral("文档是空的（0 字节），不是 PDF：%1").arg(path));
  if (!start.contains("%PDF-"))
    throw DocumentProblem(Kind::NotPdf,
                          QStringLiteral("“%1”不是 PDF 文档（开头没有 PDF 的标记）").arg(path));
}

}  // namespace

QString DamagedDocument(const QString& path, const std::exception& error) {
  return QStringLiteral("文档已损坏，无法修复，不能签署：%1（%2）")
      .arg(path, QString::fromStdString(error.what()).trimmed());
}

QStringList RepairWarnings(QPDF& pdf, const QString& path) {
  const std::vector<QPDFExc> warnings = pdf.getWarnings();
  if (warnings.empty()) return {};
  return {QStringLiteral("文档有 %1 处损坏，已自动修复后签署，请核对结果：%2")
              .arg(warnings.size())
              .arg(path)};
}

OpenedDocument OpenDocument(const QString& path, const QString& password) {
  using Kind = DocumentProblem::Kind;
  OpenFile file = OpenRegularFile(path);
  CheckHeader(file.get(), path);
  OpenedDocument document;
  document.pdf = std::make_unique<QPDF>();
  QPDF& pdf = *document.pdf;
  pdf.setSuppressWarnings(true);
  const QByteArray name = QFile::encodeName(path);
  const QByteArray secret = password.toUtf8();
  try {
    pdf.processFile(name.constData(), file.release(), true, secret.constData());
    document.pages = QPDFPageDocumentHelper(pdf).getAllPages();
  } catch (const QPDFExc& error) {
    if (error.getErrorCode() == qpdf_e_password) {
      if (password.isEmpty())
        throw DocumentProblem(Kind::NeedsPassword,
                              QStringLiteral("文档有打开密码，需要密码才能签署：%1").arg(path));
      throw DocumentProblem(Kind::WrongPassword,
                            QStringLiteral("密码不对，打不开文档：%1").arg(path));
    }
    if (error.getErrorCode() == qpdf_e_system)
      throw DocumentProblem(Kind::Unreadable,
                            QStringLiteral("无法读取文档：%1（%2）")
                                .arg(path, QString::fromStdString(error.getMessageDetail())));
    throw DocumentProblem(Kind::Damaged, DamagedDocument(path, error));
  } catch (const std::exception& error) {
    throw DocumentProblem(Kind::Damaged, DamagedDocument(path, error));
  }
  if (document.pages.empty())
    throw DocumentProblem(Kind::NoPages, QStringLiteral("文档里没有页面，无处签署：%1").arg(path));
  document.warnings = RepairWarnings(pdf, path);
  return document;
}

bool ModificationForbidden(QPDF& pdf) {
  return pdf.isEncrypted() && !pdf.ownerPasswordMatched() && !pdf.allowModifyOther();
}

bool HoldsDigitalSignatures(QPDF& pdf) {
  QPDFAcroFormDocumentHelper forms(pdf);
  if (!forms.hasAcroForm()) return false;
  for (QPDFFormFieldObjectHelper field : forms.getFormFields())
    if (field.getFieldType() == "/Sig" && field.getValue().isDictionary()) return true;
  return false;
}

}  // namespace yz
