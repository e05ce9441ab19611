// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/sign_document.h"

namespace yz {

StampArts DrawStampArts(const SigningPlan& plan, const StampTools& tools) {
  StampArts arts;
  for (const Stamp& stamp : plan.stamps) arts.stamps.push_back(StampArtFor(stamp, tools));
  if (plan.seam) arts.seam = DrawingArt(plan.seam->seal, tools);
  return arts;
}

SigningResult SignDocument(const SigningPlan& plan, const StampArts&, const SigningProgress&) {
  SigningResult result;
  result.failure = QStringLiteral("签署文档尚未完成：%1 没有写出").arg(plan.documentPath);
  return result;
}

}  // namespace yz
