// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace yz {

// Face of a style-directory font file: its file name up to the first "." ("…/abc1.dat" → "abc1").
QString FaceNameOf(const QString& fontFile);

// Face of a single-face font file: from the last "(" to the next ")" (to the end when no ")"
// follows). Without any "(" the text is read from the start of the path.
QString SingleFaceNameOf(const QString& fontPath);

}  // namespace yz
