// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "verification/signature_fields.h"

#include <map>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include "verification/doc_mdp.h"
#include "verification/pdf_date.h"

namespace yz {

namespace {

QString Text(QPDFObjectHandle value) {
  return value.isString() ? QString::fromStdString(value.getUTF8Value()) : QString();
}

QString NameOf(QPDFObjectHandle value) {
  return value.isName() ? QString::fromStdString(value.getName()).mid(1) : QString();
}

// Which page each widget lies on, by the pages' own /Annots (a widget's /P may be missing or
// wrong).
std::map<QPDFObjGen, int> WidgetPages(QPDF& pdf) {
  std::map<QPDFObjGen, int> pages;
  int index = 0;
  for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
    QPDFObjectHandle annotations = page.getObjectHandle().getKey("/Annots");
    if (annotations.isArray())
      for (QPDFObjectHandle annotation : annotations.aitems())
        if (annotation.isIndirect()) pages.emplace(annotation.getObjGen(), index);
    ++index;
  }
  return pages;
}

void ReadDictionary(SignatureFieldReading& reading, QPDFObjectHandle v, QPDF& pdf) {
  DocumentSignature& field = reading.field;
  field.signer = Text(v.getKey("/Name"));
  field.signingTime = ParsePdfDate(QByteArray::fromStdString(
      v.getKey("/M").isString() ? v.getKey("/M").getStringValue() : std::string()));
  field.reason = Text(v.getKey("/Reason"));
  field.location = Text(v.getKey("/Location"));
  field.contactInfo = Text(v.getKey("/ContactInfo"));
  field.subFilter = NameOf(v.getKey("/SubFilter"));
  QPDFObjectHandle range = v.getKey("/ByteRange");
  if (range.isArray())
    for (QPDFObjectHandle number : range.aitems()) {
      if (!number.isInteger()) {
        reading.malformed = QStringLiteral("签名的 /ByteRange 里有不是整数的项");
        break;
      }
      field.byteRange.push_back(number.getIntValue());
    }
  else
    reading.malformed = QStringLiteral("签名没有 /ByteRange");
  QPDFObjectHandle contents = v.getKey("/Contents");
  if (contents.isString())
    reading.contents = QByteArray::fromStdString(contents.getStringValue());
  else if (reading.malformed.isEmpty())
    reading.malformed = QStringLiteral("签名没有 /Contents");

  const std::optional<int> permission = DocMdpPermissionOf(v);
  QPDFObjectHandle certified = pdf.getRoot().getKey("/Perms").getKey("/DocMDP");
  field.certification = permission.has_value() ||
                        (certified.isIndirect() && v.isIndirect() &&
                         certified.getObjGen() == v.getObjGen());
  if (field.certification) field.docMdpPermission = permission.value_or(DocMdpPermission(pdf).value_or(2));
}

}  // namespace

std::vector<SignatureFieldReading> ReadSignatureFields(QPDF& pdf) {
  std::vector<SignatureFieldReading> readings;
  QPDFAcroFormDocumentHelper forms(pdf);
  if (!forms.hasAcroForm()) return readings;
  const std::map<QPDFObjGen, int> widgetPages = WidgetPages(pdf);
  for (QPDFFormFieldObjectHelper formField : forms.getFormFields()) {
    if (formField.getFieldType() != "/Sig") continue;
    SignatureFieldReading& reading = readings.emplace_back();
    DocumentSignature& field = reading.field;
    field.fieldName = QString::fromStdString(formField.getFullyQualifiedName());
    for (QPDFAnnotationObjectHelper widget : forms.getAnnotationsForField(formField)) {
      const QPDFObjectHandle::Rectangle box = widget.getRect();
      field.rectangle = QRectF(QPointF(box.llx, box.lly), QPointF(box.urx, box.ury)).normalized();
      const auto page = widgetPages.find(widget.getObjectHandle().getObjGen());
      if (page != widgetPages.end()) field.page = page->second;
      break;  // a field with several widgets is not one readers sign: its first place is told
    }
    QPDFObjectHandle v = formField.getValue();
    if (v.isNull()) {
      field.empty = true;
    } else if (!v.isDictionary()) {
      reading.malformed = QStringLiteral("签名域的值不是签名字典");
    } else {
      ReadDictionary(reading, v, pdf);
    }
  }
  return readings;
}

void TakeSignerFromCms(DocumentSignature& field, const CmsCheck& cms) {
  if (!cms.signer.subject.isEmpty()) field.signer = cms.signer.subject;
  if (cms.timestamp.isValid()) {
    field.signingTime = cms.timestamp.toUTC();
    field.timeFromTimestamp = true;
  }
}

}  // namespace yz
