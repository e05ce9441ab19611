// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <qpdf/QPDF.hh>

namespace yz {

// What a certified document's author allows after certifying it (the certification signature's
// DocMDP permission): readers report any other change as breaking that signature.
enum class Certified {
  No,                 // not certified: any appended change keeps earlier signatures valid
  NoChanges,          // P=1: nothing may be added, not even a signature
  FormsAndSignatures, // P=2: filling forms and signing the document's own signature fields
  Annotations,        // P=3: also new signature fields and annotations (stamps)
};

Certified CertificationOf(QPDF& pdf);

// Why the document's certification forbids what a signing wants to add, in the user's words;
// empty when it allows it. `newField`: a signature field not already in the document;
// `stamps`: stamp annotations (a seal, a date, a 骑缝章, marks on further pages).
QString CertificationRefusal(Certified certified, bool newField, bool stamps, const QString& path);

}  // namespace yz
