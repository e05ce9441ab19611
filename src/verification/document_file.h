// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <memory>

#include <qpdf/QPDF.hh>

#include "seams/failure.h"

namespace yz {

// Why a document's signatures cannot be read, with the user's words for it.
class UnreadableDocument : public Failure {
 public:
  enum class Kind { Unreadable, NotPdf, Damaged, NeedsPassword, WrongPassword };
  UnreadableDocument(Kind kind, const QString& message) : Failure(message), kind_(kind) {}
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

// A regular file opened once and read by the PDF library through that same descriptor, so
// that the bytes hashed later are the bytes the library parsed, whatever happens to the path
// meanwhile. Read-only throughout.
class DocumentFile {
 public:
  // Throws UnreadableDocument: missing, not a regular file (a named pipe would block for
  // ever), not a PDF, damaged beyond the library's repair, a password needed or wrong.
  DocumentFile(const QString& path, const QString& password);
  DocumentFile(const DocumentFile&) = delete;
  DocumentFile& operator=(const DocumentFile&) = delete;

  QPDF& pdf() { return *pdf_; }
  int descriptor() const { return fd_.fd; }
  qint64 size() const { return size_; }
  const QString& path() const { return path_; }

 private:
  // Closed however the constructor leaves, by a throw too.
  struct Descriptor {
    int fd = -1;
    ~Descriptor();
  };
  QString path_;
  Descriptor fd_;
  qint64 size_ = 0;
  std::unique_ptr<QPDF> pdf_;
};

}  // namespace yz
