// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

namespace yz {

class IncrementalUpdate;

// The fully qualified names of the document's signature fields that hold no signature yet.
QStringList EmptySignatureFields(QPDF& pdf);

// A document's own empty signature field and the widget that shows it.
struct SignatureFieldPlace {
  QPDFObjectHandle field;
  QPDFObjectHandle widget;  // the field itself when the two are merged
  int page = 0;             // index into the document's pages
};

// Finds the empty signature field `name`. Throws Failure naming the fields there are when it is
// missing, not a signature field, already signed or on no page.
SignatureFieldPlace FindEmptySignatureField(QPDF& pdf, const std::vector<QPDFPageObjectHelper>& pages,
                                            const QString& name, const QString& path);

// A field name the document does not use yet: Signature1, Signature2, …
QString NewSignatureFieldName(QPDF& pdf);

// Lists a new signature field in the catalogue's /AcroForm (made when missing) and sets
// /SigFlags 3 (signatures exist, append only), telling the update what changed.
void ListSignatureField(QPDF& pdf, IncrementalUpdate& update, const QPDFObjectHandle& field);
// Sets /SigFlags 3 on an existing /AcroForm (a signature put into a field it already lists).
void MarkSigned(QPDF& pdf, IncrementalUpdate& update);

}  // namespace yz
