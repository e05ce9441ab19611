// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/signature_field.h"

#include <QSet>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>

#include "seams/failure.h"
#include "sign/incremental_update.h"

namespace yz {

namespace {

constexpr int kSignaturesExist = 1, kAppendOnly = 2;

QString NameOf(QPDFFormFieldObjectHelper& field) {
  return QString::fromStdString(field.getFullyQualifiedName());
}

// The /AcroForm dictionary, made (and put in the catalogue) when missing.
QPDFObjectHandle AcroForm(QPDF& pdf, IncrementalUpdate& update) {
  QPDFObjectHandle root = pdf.getRoot();
  QPDFObjectHandle form = root.getKey("/AcroForm");
  if (!form.isDictionary()) {
    form = pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Fields [ ] >>"));
    root.replaceKey("/AcroForm", form);
    update.Changed(root);
  }
  update.Changed(form.isIndirect() ? form : root);
  return form;
}

void SetSigFlags(QPDFObjectHandle form) {
  QPDFObjectHandle flags = form.getKey("/SigFlags");
  const long long old = flags.isInteger() ? flags.getIntValue() : 0;
  form.replaceKey("/SigFlags", QPDFObjectHandle::newInteger(old | kSignaturesExist | kAppendOnly));
}

}  // namespace

QStringList EmptySignatureFields(QPDF& pdf) {
  QPDFAcroFormDocumentHelper forms(pdf);
  QStringList names;
  if (!forms.hasAcroForm()) return names;
  for (QPDFFormFieldObjectHelper field : forms.getFormFields())
    if (field.getFieldType() == "/Sig" && !field.getValue().isDictionary()) names << NameOf(field);
  return names;
}

SignatureFieldPlace FindEmptySignatureField(QPDF& pdf, const std::vector<QPDFPageObjectHelper>& pages,
                                            const QString& name, const QString& path) {
  QPDFAcroFormDocumentHelper forms(pdf);
  const QStringList empty = EmptySignatureFields(pdf);
  const QString offered = empty.isEmpty() ? QStringLiteral("文档里没有空的签名域")
                                          : QStringLiteral("空的签名域有：%1").arg(empty.join(QStringLiteral("、")));
  if (forms.hasAcroForm())
    for (QPDFFormFieldObjectHelper field : forms.getFormFields()) {
      if (NameOf(field) != name) continue;
      if (field.getFieldType() != "/Sig")
        throw Failure(QStringLiteral("“%1”不是签名域（%2）：%3").arg(name, offered, path));
      if (field.getValue().isDictionary())
        throw Failure(QStringLiteral("签名域“%1”已经签过名了（%2）：%3").arg(name, offered, path));
      // A field merged with its widget is its own widget; otherwise its widgets are its kids.
      std::vector<QPDFObjectHandle> widgets{field.getObjectHandle()};
      QPDFObjectHandle kids = field.getObjectHandle().getKey("/Kids");
      if (kids.isArray()) widgets = kids.getArrayAsVector();
      for (QPDFObjectHandle widget : widgets)
        for (size_t i = 0; i < pages.size(); ++i) {
          QPDFObjectHandle page = pages[i].getObjectHandle();
          QPDFObjectHandle annots = page.getKey("/Annots");
          if (!annots.isArray()) continue;
          for (QPDFObjectHandle annotation : annots.getArrayAsVector())
            if (annotation.getObjGen() == widget.getObjGen())
              return {field.getObjectHandle(), widget, int(i)};
        }
      throw Failure(QStringLiteral("签名域“%1”不在任何页面上：%2").arg(name, path));
    }
  throw Failure(QStringLiteral("文档里没有名为“%1”的签名域（%2）：%3").arg(name, offered, path));
}

QString NewSignatureFieldName(QPDF& pdf) {
  QSet<QString> taken;
  QPDFAcroFormDocumentHelper forms(pdf);
  if (forms.hasAcroForm())
    for (QPDFFormFieldObjectHelper field : forms.getFormFields()) taken.insert(NameOf(field));
  for (int n = 1;; ++n)
    if (const QString name = QStringLiteral("Signature%1").arg(n); !taken.contains(name)) return name;
}

void ListSignatureField(QPDF& pdf, IncrementalUpdate& update, const QPDFObjectHandle& field) {
  QPDFObjectHandle form = AcroForm(pdf, update);
  QPDFObjectHandle fields = form.getKey("/Fields");
  if (!fields.isArray()) {
    form.replaceKey("/Fields", QPDFObjectHandle::newArray({field}));
  } else {
    fields.appendItem(field);
    if (fields.isIndirect()) update.Changed(fields);
  }
  SetSigFlags(form);
}

void MarkSigned(QPDF& pdf, IncrementalUpdate& update) { SetSigFlags(AcroForm(pdf, update)); }

}  // namespace yz
