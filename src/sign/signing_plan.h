// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QPointF>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "certificates/signer.h"

#include "render/drawing_request.h"
#include "seams/colour.h"
#include "sign/page_selection.h"

namespace yz {

// How a stamp's ink meets the page: multiplied with it, as seal paste lets the black text
// under its red strokes show, or painted over it.
enum class InkBlend { Multiply, Normal };

// One stamp placed on pages of a document. Positions and sizes are millimetres from the
// top-left corner of the page as a viewer shows it (after its crop box and its rotation), and
// they are the ink's: the top-left of the ink lands at `topLeftMm`, the ink is `widthMm` wide
// and as tall as its proportions make it.
struct Stamp {
  enum class Kind { Signature, Seal, Date };
  Kind kind = Kind::Signature;
  DrawingRequest request;  // Signature and Seal: what to draw (its background is never drawn)
  QString dateText;        // Date: the text, e.g. 2026年12月10日
  Colour dateInk = kBlack; // Date: its colour
  PageSelection pages;
  QPointF topLeftMm;
  double widthMm = 50;
  InkBlend blend = InkBlend::Normal;
};

inline constexpr int kDefaultSeamSlices = 10;
inline constexpr double kDefaultSealWidthMm = 30;
inline constexpr double kDefaultSignatureWidthMm = 50;

// A 骑缝章: one seal cut into vertical slices, one slice at the right edge of each page, so
// that the slices of the pages laid side by side in page order make the seal whole. Pages are
// taken in runs of at most `maxSlices`; beyond that the seal starts again over the next run
// (runs are made as even as the count allows, so that no run is left with a sliver of pages).
struct SeamStamp {
  DrawingRequest seal;
  PageSelection pages;
  bool skipFirst = false;          // leave the first of the chosen pages (a cover) out
  int maxSlices = kDefaultSeamSlices;
  double widthMm = kDefaultSealWidthMm;  // the whole seal's ink width
  std::optional<double> topMm;     // the ink's top from the page's top; none: centred
  InkBlend blend = InkBlend::Multiply;
};

// A digital signature made with a certificate's key, whose visible face is the plan's first
// signature stamp (else its seal; with only a 骑缝章, an invisible signature).
struct CertificateSigning {
  std::shared_ptr<const Signer> signer;
  TimestampAuthority timestamp;  // its url empty: no timestamp
  QString reason;                // shown by readers as the signature's reason; may be empty
  QString location;
  QString contactInfo;
};

// Everything needed to sign one document. The output is a new file; it is the document itself
// only when asked for by name.
struct SigningPlan {
  QString documentPath;
  QString outputPath;
  QString password;                   // the user (or owner) password, if the document has one
  bool goOnDespiteSignatures = false;  // write even though existing digital signatures break
  std::vector<Stamp> stamps;
  std::optional<SeamStamp> seam;
  // With a certificate the document is signed digitally: everything placed goes into one
  // update appended after the original bytes. Without one, a document that already holds
  // signatures gets its stamps appended the same way (unless goOnDespiteSignatures).
  std::optional<CertificateSigning> certificate;
  // The document's own empty signature field to sign into (its fully qualified name): the
  // signature stamp (else the seal) is drawn in it, fitted to the field, instead of at its own
  // place; empty: a new field. Needs a certificate.
  QString fieldName;
};

// What a stamp of that kind is called in messages: 签名, 印章, 日期.
QString StampKindName(Stamp::Kind kind);

// The name a signed copy gets by default: <original>-已签.pdf beside the original.
QString DefaultSignedPath(const QString& documentPath);

// A date as it is written under a signature: 2026年12月10日.
QString DateText(const QDate& date = QDate::currentDate());

}  // namespace yz
