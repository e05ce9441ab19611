// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "sign/signing_plan.h"
#include "sign/stamp_art.h"

namespace yz {

// A date written by hand under a signature is about as tall as a line of text.
inline constexpr double kDateHeightMm = 5;
inline constexpr double kDateGapMm = 2;

enum class DateSide { Under, Beside };

// The date stamp that goes with a signature stamp: on the same pages, kDateHeightMm tall, under
// it (left edges aligned) or beside it (to its right, bottoms aligned), kDateGapMm away, in the
// signature's ink (black where that ink is white: a white date would not show on paper).
Stamp DateStampBy(const Stamp& signature, const StampArt& signatureArt, const QString& text,
                  const StampArt& dateArt, DateSide side = DateSide::Under);

}  // namespace yz
