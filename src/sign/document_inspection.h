// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include "sign/docmdp.h"

namespace yz {

// What the window needs to know of a document before the user places stamps on it.
struct DocumentInspection {
  enum class Access {
    Open,            // read (with the password given, if it needed one)
    NeedsPassword,   // encrypted with a user password and none was given
    WrongPassword,   // a password was given and it does not open the document
  };
  // Set when the document cannot be signed at all, in the user's words: not a PDF, damaged
  // beyond repair, no pages, unreadable. Empty otherwise.
  QString failure;
  Access access = Access::Open;
  int pageCount = 0;
  QList<QSizeF> pageSizesMm;      // each page as a viewer shows it: after crop and rotation
  QList<int> pageRotations;       // each page's rotation, 0, 90, 180 or 270 degrees clockwise
  bool modificationForbidden = false;  // the owner's restrictions forbid changes: refused
  // Digital signatures stay valid: stamps (and a certificate's signature) are appended after
  // the original bytes; only SigningPlan::goOnDespiteSignatures rewrites the file and breaks them.
  bool holdsDigitalSignatures = false;
  QStringList emptySignatureFields;  // its own unsigned signature fields (SigningPlan::fieldName)
  Certified certification = Certified::No;  // what a certifying signature still allows
  QStringList warnings;           // damage the reader repaired, in the user's words

  bool CanSign() const {
    return failure.isEmpty() && access == Access::Open && !modificationForbidden;
  }
};

// Opens the document (with `password` if given) and reads what it is. Never throws; all that
// goes wrong is in the result.
DocumentInspection InspectDocument(const QString& path, const QString& password = {});

}  // namespace yz
