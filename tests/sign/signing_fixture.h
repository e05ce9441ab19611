// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

#include "sign/sign_document.h"
#include "sign/stamp_art.h"

namespace yz::testing {

// A PDF written object by object with a correct cross-reference table: object i + 1 is
// objects[i], object 1 the catalogue.
QByteArray PdfFromObjects(const std::vector<QByteArray>& objects);

// A one-page document with a signed signature field.
QByteArray SignedFormPdf();
QByteArray StreamObject(const QByteArray& data, const QByteArray& extraKeys = {});

// One page of every kind a signer must place exactly on, in this order:
//  1 plain, 2 /Rotate 90, 3 /Rotate 180, 4 /Rotate 270 (1-4 share one resources object),
//  5 /Rotate -90 and resources inherited from an intermediate page-tree node,
//  6 a crop box inset in a media box away from the origin, 7 both with /Rotate 90,
//  8 content leaving two saves open after scaling, 9 content restoring more than it saved.
// Each page says "Page N" in Helvetica and has a black square in its own coordinates.
QByteArray PageKindsPdf();
inline constexpr int kPageKinds = 9;

// `count` plain letter pages, each with its number and a black square at 20-60 mm across and
// 100-140 mm down.
QByteArray PlainPdf(int count);

// A stamp shaped like a 「 with a dot in the opposite corner, in pure blue, 40 × 60 pixels of ink:
// no turn or mirror of it looks the same.
StampArt BlueStamp();
// Which pixels of `ink` (40 × 60, top-left origin) the stamp covers.
bool BlueStampCovers(double x, double y);

// A pure red square: laid over black, shows whether its ink multiplies with the page.
StampArt RedSquare();

// Writes bytes to a file; false if it could not.
bool WriteBytes(const QString& path, const QByteArray& bytes);

// The page of a PDF as a viewer shows it (crop box, rotation) at 144 dots per inch.
QImage RenderPage(const QString& pdf, int page, int dpi = 144);
// Every pixel of the picture where the blue stamp's ink is (blue well over red and green).
QRect BlueBounds(const QImage& picture);
bool IsBlue(QRgb pixel);

// Runs a tool and returns its standard output; `status` gets its exit status.
QByteArray ToolOutput(const QString& program, const QStringList& arguments, int* status = nullptr);

// A plan for one document with one stamp of the given kind on the pages.
SigningPlan OneStampPlan(const QString& document, const QString& output, const QString& pages,
                         QPointF topLeftMm, double widthMm);

}  // namespace yz::testing
