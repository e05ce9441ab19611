// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/rounding.h"

#include <cmath>
#include <limits>

#include "seams/failure.h"

namespace yz {
namespace {

qint32 Narrow(double whole) {
  if (!(whole >= std::numeric_limits<qint32>::min() && whole <= std::numeric_limits<qint32>::max()))
    throw Failure(QStringLiteral("位置超出范围，无法绘制（%1）").arg(whole));
  return qint32(whole);
}

}  // namespace

qint32 RoundHalfEven(double value) {
  if (!std::isfinite(value)) throw Failure(QStringLiteral("位置不是有效的数字，无法绘制"));
  double whole = std::floor(value);
  const double fraction = value - whole;
  // Explicit rather than std::nearbyint so the result never depends on the FPU rounding mode.
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return Narrow(whole);
}

qint32 CheckedSum(qint64 sum) { return Narrow(double(sum)); }

}  // namespace yz
