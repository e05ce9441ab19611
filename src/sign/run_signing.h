// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTextStream>

#include "app/installation.h"
#include "export/render_arguments.h"
#include "export/render_plan.h"

namespace yz {

// The renderer's --sign: signs each document with the stamps the arguments ask for, each into
// its own new file (--out, a file for one document or a folder; left out, <original>-已签.pdf
// beside it), printing each written path on `out` and each warning on `err`. A document that
// cannot be signed gets one line on `err` and the others are still signed; returns
// kRenderedOk when all were written, else kRenderFailed. Throws BadArguments for arguments that
// hold for no document (a page list that cannot be read, a seal style that is not one).
int RunSigning(const RenderArguments& arguments, const PlannedPicture& signature,
               const Installation& installation, QTextStream& out, QTextStream& err);

}  // namespace yz
