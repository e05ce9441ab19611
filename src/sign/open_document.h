// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include "seams/failure.h"

namespace yz {

// Why a document could not be opened, with the user's words for it.
class DocumentProblem : public Failure {
 public:
  enum class Kind { Unreadable, NotPdf, Damaged, NeedsPassword, WrongPassword, NoPages };
  DocumentProblem(Kind kind, const QString& message) : Failure(message), kind_(kind) {}
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

// A document read by the PDF library, with its pages in order.
struct OpenedDocument {
  std::unique_ptr<QPDF> pdf;
  std::vector<QPDFPageObjectHelper> pages;
  QStringList warnings;  // damage the library repaired while reading it
};

// Opens the document at `path` with `password` (empty for none). Throws DocumentProblem.
OpenedDocument OpenDocument(const QString& path, const QString& password);

// Whether the owner's restrictions forbid changing the pages (unless the owner's password
// opened it). The library does not enforce them; a signer must.
bool ModificationForbidden(QPDF& pdf);

// Whether a signature field of the document holds a signature.
bool HoldsDigitalSignatures(QPDF& pdf);

// The library's warnings since the last call, as one line for the user, or nothing.
QStringList RepairWarnings(QPDF& pdf, const QString& path);

// The user's words for an error the library threw while reading the document.
QString DamagedDocument(const QString& path, const std::exception& error);

}  // namespace yz
