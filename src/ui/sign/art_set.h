// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include "sign/stamp_art.h"

namespace yz {

// The art of each stamp the signing window shows, drawn by the same code that signs the
// document, so that what the page shows is what the file gets.
struct SignArtSet {
  std::optional<StampArt> signature;
  std::optional<StampArt> seal;
  std::optional<StampArt> date;
  std::optional<StampArt> seam;  // the 骑缝章's seal, whole

  const StampArt* For(Stamp::Kind kind) const {
    const std::optional<StampArt>& art =
        kind == Stamp::Kind::Seal ? seal : kind == Stamp::Kind::Date ? date : signature;
    return art ? &*art : nullptr;
  }
  // Height per width of the stamp's ink; 1 while there is no art to say.
  double HeightPerWidth(Stamp::Kind kind) const {
    const StampArt* art = For(kind);
    return art && art->inkMm.width() > 0 ? art->inkMm.height() / art->inkMm.width() : 1;
  }
};

}  // namespace yz
