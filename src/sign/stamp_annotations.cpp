// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/stamp_annotations.h"

#include <qpdf/QPDFMatrix.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QUtil.hh>

#include "sign/incremental_update.h"
#include "sign/pdfa_claim.h"

namespace yz {

namespace {

constexpr int kPrintFlag = 4;  // the annotation flag readers print by

std::string Decimal(double value) { return QUtil::double_to_string(value, 4); }

std::string Key(const QTransform& m, const QRectF& region, const QRectF& ink, InkBlend blend) {
  std::string key;
  for (double value : {m.m11(), m.m12(), m.m21(), m.m22(), region.width(), region.height(),
                       ink.left() - region.left(), ink.top() - region.top(), ink.width(),
                       ink.height()})
    key += Decimal(value) + ' ';
  return key + (blend == InkBlend::Multiply ? "m" : "n");
}

}  // namespace

StampAppearances::StampAppearances(QPDF& pdf, bool opaque) : pdf_(pdf), opaque_(opaque) {}

QPDFObjectHandle StampAppearances::Imported(const StampArt& art) {
  if (const auto it = imported_.find(&art); it != imported_.end()) return it->second;
  auto& source = sources_.emplace_back(std::make_unique<QPDF>());
  source->processMemoryFile("stamp", art.pdf.constData(), size_t(art.pdf.size()));
  QPDFPageObjectHelper page = QPDFPageDocumentHelper(*source).getAllPages().at(0);
  QPDFObjectHandle form = pdf_.copyForeignObject(page.getFormXObjectForPage());
  if (opaque_) RemoveTransparency(form);
  return imported_[&art] = form;
}

QRectF StampAppearances::ShownRect(const PageFrame& frame, QPDFObjectHandle rect) {
  if (!rect.isRectangle()) return {};
  const QPDFObjectHandle::Rectangle r = rect.getArrayAsRectangle();
  const QRectF user = QRectF(QPointF(r.llx, r.lly), QPointF(r.urx, r.ury)).normalized();
  const QRectF up = frame.ShownToUser().inverted().mapRect(user);  // y up, from the lower left
  const double height = frame.ShownPoints().height();
  return QRectF(up.left(), height - up.bottom(), up.width(), up.height());
}

StampAppearances::Appearance StampAppearances::For(const StampArt& art, const PageFrame& frame,
                                                   const InkPlace& place, InkBlend blend) {
  // The appearance's own space is the shown page's (y up) with its origin at the region's lower
  // left; its /Matrix turns that into the page's user space, so that readers, which draw
  // annotations in user space and then turn the page, show the art upright.
  const double height = frame.ShownPoints().height();
  const QRectF region = place.clip ? *place.clip : place.ink;
  const QRectF regionUp(region.left(), height - region.bottom(), region.width(), region.height());
  const QTransform toUser = frame.ShownToUser();
  const QTransform turn(toUser.m11(), toUser.m12(), toUser.m21(), toUser.m22(), 0, 0);
  Appearance appearance;
  const QRectF rect = toUser.mapRect(regionUp);
  appearance.rect = QPDFObjectHandle::newArray(
      QPDFObjectHandle::Rectangle(rect.left(), rect.top(), rect.right(), rect.bottom()));

  const std::string key = Key(turn, region, place.ink, blend) + std::to_string(quintptr(&art));
  if (const auto it = forms_.find(key); it != forms_.end()) {
    appearance.form = it->second;
    return appearance;
  }
  QPDFObjectHandle art_form = Imported(art);
  const QPDFObjectHandle::Rectangle box = art_form.getDict().getKey("/BBox").getArrayAsRectangle();
  const double sx = place.ink.width() / (box.urx - box.llx);
  const double sy = place.ink.height() / (box.ury - box.lly);
  const double inkLeft = place.ink.left() - region.left();
  const double inkBottom = region.bottom() - place.ink.bottom();  // y up, from the region's bottom
  std::string content = "q\n";
  QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
  resources.replaceKey("/XObject", QPDFObjectHandle::parse("<< >>"));
  resources.getKey("/XObject").replaceKey("/Art", art_form);
  if (blend == InkBlend::Multiply) {
    if (!multiply_.isInitialized())
      multiply_ = pdf_.makeIndirectObject(
          QPDFObjectHandle::parse("<< /Type /ExtGState /BM /Multiply >>"));
    resources.replaceKey("/ExtGState", QPDFObjectHandle::parse("<< >>"));
    resources.getKey("/ExtGState").replaceKey("/Ink", multiply_);
    content += "/Ink gs\n";
  }
  content += Decimal(sx) + " 0 0 " + Decimal(sy) + " " + Decimal(inkLeft - box.llx * sx) + " " +
             Decimal(inkBottom - box.lly * sy) + " cm\n/Art Do\nQ\n";
  QPDFObjectHandle form = QPDFObjectHandle::newStream(&pdf_, content);
  QPDFObjectHandle dict = form.getDict();
  dict.replaceKey("/Type", QPDFObjectHandle::newName("/XObject"));
  dict.replaceKey("/Subtype", QPDFObjectHandle::newName("/Form"));
  dict.replaceKey("/BBox", QPDFObjectHandle::newArray(
                               QPDFObjectHandle::Rectangle(0, 0, region.width(), region.height())));
  dict.replaceKey("/Matrix", QPDFObjectHandle::newArray(QPDFMatrix(
                                 turn.m11(), turn.m12(), turn.m21(), turn.m22(), 0, 0)));
  dict.replaceKey("/Resources", resources);
  appearance.form = forms_[key] = form;
  return appearance;
}

void AddToAnnots(IncrementalUpdate& update, QPDFPageObjectHelper& page,
                 const QPDFObjectHandle& annotation) {
  QPDFObjectHandle dict = page.getObjectHandle();
  QPDFObjectHandle annots = dict.getKey("/Annots");
  if (!annots.isArray()) {
    dict.replaceKey("/Annots", QPDFObjectHandle::newArray({annotation}));
    update.Changed(dict);
    return;
  }
  annots.appendItem(annotation);
  update.Changed(annots.isIndirect() ? annots : dict);
}

QPDFObjectHandle AddStampAnnotation(QPDF& pdf, IncrementalUpdate& update, QPDFPageObjectHelper& page,
                                    const StampAppearances::Appearance& appearance,
                                    const QString& what) {
  QPDFObjectHandle annotation = pdf.makeIndirectObject(QPDFObjectHandle::parse(
      "<< /Type /Annot /Subtype /Stamp /F " + std::to_string(kPrintFlag) + " >>"));
  annotation.replaceKey("/Rect", appearance.rect);
  annotation.replaceKey("/P", page.getObjectHandle());
  annotation.replaceKey("/Contents", QPDFObjectHandle::newUnicodeString(what.toStdString()));
  annotation.replaceKey("/AP", QPDFObjectHandle::newDictionary());
  annotation.getKey("/AP").replaceKey("/N", appearance.form);
  AddToAnnots(update, page, annotation);
  update.Add(annotation);
  return annotation;
}

}  // namespace yz
