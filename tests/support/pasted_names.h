// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <utility>

namespace yz::testing {

// Names as pasted from web pages and chat programs, every direction control among them, each
// with the characters a reader sees of it. Three characters, so each is a part of its own.
inline const std::pair<QString, QString> kPastedNames[] = {
    {QStringLiteral("\u202e纪元朗\u202d\u202c"), QStringLiteral("纪元朗")},
    {QStringLiteral("纪元\u202e朗"), QStringLiteral("纪元朗")},
    {QStringLiteral("\u200f纪\u202b元\u202c\u202a朗\u202c\u200e\u061c"), QStringLiteral("纪元朗")},
    {QStringLiteral("\u2067纪\u2069\u2066元\u2069\u2068朗\u2069"), QStringLiteral("纪元朗")},
    {QStringLiteral("\u202bחנה\u202c\u200f"), QStringLiteral("חנה")},
};

}  // namespace yz::testing
