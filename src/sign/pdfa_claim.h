// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include "sign/signing_plan.h"

class QPDF;
class QPDFObjectHandle;

namespace yz {

// The part of the archival PDF standard (PDF/A) the document's metadata claims to conform to:
// 1, 2, 3 or 4, or 0 for no claim. Part 1 forbids transparency of any kind (blend modes other
// than normal, constant alpha below 1, soft masks, transparency groups), so what is added to
// such a document must paint opaquely or the claim stops being true.
int ClaimedPdfAPart(QPDF& pdf);

// Takes every kind of transparency out of a form XObject copied into such a document and of
// what it draws through its resources: transparency groups, soft masks, constant alpha below 1,
// blend modes. The stamp art is drawn opaque anyway; what its drawing library adds by habit
// (a page group, an alpha of 1 spelt out) must not void the claim.
void RemoveTransparency(QPDFObjectHandle form);

// The blend stamps are painted with in a document: as asked, but never multiplied into a
// document claiming the first part; the user is told once (in `warnings`) that the stamps now
// cover what is under them.
class StampBlending {
 public:
  StampBlending(QPDF& pdf, const QString& documentPath);
  bool Opaque() const { return opaque_; }
  InkBlend For(InkBlend asked, QStringList& warnings);

 private:
  QString path_;
  bool opaque_ = false;
  bool told_ = false;
};

}  // namespace yz
