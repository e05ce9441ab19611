// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace yz {

// How installed file names become list entries and font faces.

// A style's file prefix: the first three characters of the first file its folder lists.
QString StylePrefix(const QString& firstFileName);

// "A(B)(C).dat" is shown as "A(B)": everything before the last "(". A name without "(" is shown
// up to its first "." (the whole name when it has none), so it still reads as a name.
QString SingleFaceDisplayName(const QString& fileName);

// "01-宣纸.jpg" is shown as "宣纸": after the first "-" up to the next "."; without "-" the name
// up to its first ".".
QString BackgroundDisplayName(const QString& fileName);

}  // namespace yz
