// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QString>

namespace art {

// The faces the artwork letters with, loaded from their files so that the result does not
// depend on what the font configuration would pick.
enum class Face { KaiBold, KaiRegular, Sans };

// Registers the font files; returns an empty string, or what is missing.
QString LoadLetteringFaces();
QFont Lettering(Face face, double pixelSize);

}  // namespace art
