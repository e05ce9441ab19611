// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace yz {

// The invisible direction controls (Unicode's Bidi_Control property): U+061C, U+200E, U+200F,
// U+202A to U+202E and U+2066 to U+2069. Text pasted from web pages and chat programs often
// carries them.
bool IsDirectionControl(QChar character);

// A name as a signature draws it: without direction controls, every other character kept as
// typed. A signature lays its characters out itself, part by part, in the order of the name (the
// surname first, a seal's cells in their fixed places), so an override or embedding could only
// ever act inside one separately drawn part; dropped, the characters a reader sees are the ones
// drawn, whatever controls stood between them.
QString WithoutDirectionControls(const QString& name);

}  // namespace yz
