// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>

namespace art {

enum class Pictogram { Save, Print, Handwrite, Help, SignDocument };

// A painted button filling area exactly: a softly shaded tile with a pictogram and its label,
// stacked when the tile is tall and side by side when it is wide.
void PaintButton(QPainter& p, const QRect& area, const QString& label, Pictogram pictogram,
                 const QColor& colour);

}  // namespace art
