// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>

#include "app/installation.h"

#include "export/render_plan.h"

namespace yz {

enum RendererExit { kRenderedOk = 0, kRenderFailed = 1, kBadArguments = 2 };

// The renderer program: reads the command line (program name first), draws every picture asked
// for from the installation under appPath (ending in "/") and writes it, printing each written
// path on `out`. Bad arguments give kBadArguments and a one-line reason on `err`, nothing
// written; a picture that cannot be drawn or written gives kRenderFailed and its reason, told
// after every other picture asked for was made.
//
// Signing documents (--sign) is done by `signDocuments`, handed in by the program because it
// lives in a room above this one: it gets the parsed arguments, the signature planned from
// them and the installation, and returns the exit status. Without it --sign is refused.
using SignDocuments = std::function<int(const RenderArguments& arguments,
                                        const PlannedPicture& signature,
                                        const Installation& installation, QTextStream& out,
                                        QTextStream& err)>;
//
// Checking a document's signatures (--verify) is likewise done by `verifyDocument`, which
// returns the exit status; without it --verify is refused. It needs no installation.
using VerifyDocument =
    std::function<int(const RenderArguments& arguments, QTextStream& out, QTextStream& err)>;
int RunRenderer(const QStringList& arguments, const QString& appPath, QTextStream& out,
                QTextStream& err, const SignDocuments& signDocuments = {},
                const VerifyDocument& verifyDocument = {});

// The renderer's one-line form of a reason that may span lines.
QString OneLine(QString text);

}  // namespace yz
