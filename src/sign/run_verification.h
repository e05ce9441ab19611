// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTextStream>

#include "export/render_arguments.h"

namespace yz {

// The renderer's --verify: one line on `out` per signature of the document, beginning with its
// field name and signer, then its verdict, time, coverage and trust (tab-separated). Returns
// kRenderedOk when every signature is intact (trust aside), kRenderFailed when any is altered
// or cannot be checked, when the document holds none or cannot be read (the reason on `err`).
int RunVerification(const RenderArguments& arguments, QTextStream& out, QTextStream& err);

}  // namespace yz
