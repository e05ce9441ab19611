// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

#include "app/catalogue.h"
#include "export/render_arguments.h"
#include "render/drawing_request.h"

namespace yz {

struct PlannedPicture {
  DrawingRequest request;
  QString path;
};

// One picture per style asked for, with the window's selections for what the arguments leave
// out: the style 公文签 (else the first), the second background (else the only one), size 72 and
// the ink that picking the style sets; a size above the style's cap comes down to it, as a pick
// in the window does, unless --size was given. Throws BadArguments for a style or background the
// installation does not have.
QList<PlannedPicture> PlanPictures(const RenderArguments& arguments, const Catalogue& catalogue);

// A file name (without extension) for a style's picture: no folder separators, control or
// shell-hostile characters, no leading dot or dash, at most 200 bytes of UTF-8.
QString StyleFileStem(const QString& styleName);

}  // namespace yz
