// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRectF>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include "sign/page_frame.h"
#include "sign/signing_plan.h"
#include "sign/stamp_art.h"

namespace yz {

class IncrementalUpdate;

// Where a stamp's ink goes on one page: points of the page as shown, from its top-left, y down.
// With a `clip` the annotation covers exactly that and shows the ink only inside it (a slice of
// a 骑缝章, a signature field larger than the ink).
struct InkPlace {
  QRectF ink;
  std::optional<QRectF> clip;
};

// A stamp on a page as an annotation rather than page content: its /Rect in the page's default
// user space and an appearance (a form XObject) that draws the vector art upright there, however
// the page is rotated, cropped or scaled. Appearances of the same art, page turn and place are
// stored once.
class StampAppearances {
 public:
  // `opaque`: the document claims the first archival part; the art is drawn without transparency.
  StampAppearances(QPDF& pdf, bool opaque);

  struct Appearance {
    QPDFObjectHandle rect;  // array, default user space
    QPDFObjectHandle form;  // indirect form XObject for /AP /N
  };
  Appearance For(const StampArt& art, const PageFrame& frame, const InkPlace& place,
                 InkBlend blend);

  // The shown-space rectangle (y down, from the page's top-left) a /Rect of the page covers.
  static QRectF ShownRect(const PageFrame& frame, QPDFObjectHandle rect);

 private:
  QPDFObjectHandle Imported(const StampArt& art);

  QPDF& pdf_;
  bool opaque_;
  std::vector<std::unique_ptr<QPDF>> sources_;  // the library copies stream data only when asked
  std::map<const StampArt*, QPDFObjectHandle> imported_;
  std::map<std::string, QPDFObjectHandle> forms_;
  QPDFObjectHandle multiply_;
};

// A stamp annotation (/Subtype /Stamp, printed) of `appearance` for `page`, added to its
// /Annots; the update is told what changed.
QPDFObjectHandle AddStampAnnotation(QPDF& pdf, IncrementalUpdate& update, QPDFPageObjectHelper& page,
                                    const StampAppearances::Appearance& appearance,
                                    const QString& what);

// Adds an annotation to the page's /Annots, telling the update which object changed.
void AddToAnnots(IncrementalUpdate& update, QPDFPageObjectHelper& page,
                 const QPDFObjectHandle& annotation);

}  // namespace yz
