// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "sign/signing_plan.h"
#include "sign/stamp_art.h"

namespace yz {

// The art of every stamp of a plan, drawn once and used for every document signed with it.
struct StampArts {
  std::vector<StampArt> stamps;  // one per SigningPlan::stamps, in the same order
  std::optional<StampArt> seam;  // when the plan has a 骑缝章
};

// Draws the plan's stamps. Needs the fonts, so it runs where the drawing runs (the window's
// thread). Throws Failure for a stamp that cannot be drawn.
StampArts DrawStampArts(const SigningPlan& plan, const StampTools& tools);

// Told how far the signing is, `done` of `total` steps (twice the page count: each page stamped,
// then the file written), starting with 0 and ending with total; returning false cancels, and
// nothing is written.
using SigningProgress = std::function<bool(int done, int total)>;

struct SigningResult {
  enum class Outcome {
    Written,
    Failed,           // `failure` says why; nothing was written
    NeedsPassword,    // the document needs a user password (ask for it and sign again)
    WrongPassword,
    HoldsSignatures,  // it holds digital signatures and the plan did not say to go on
    Cancelled,        // the progress callback said stop; nothing was written
  };
  Outcome outcome = Outcome::Failed;
  QString writtenPath;   // the absolute path written, when Written
  QStringList warnings;  // repaired damage, stamps reaching off the page, and the like
  QString failure;       // the reason in the user's words, naming the document, unless Written
  bool appended = false;    // written as an update after the original bytes (earlier signatures
                            // stay valid), not rewritten
  QString signatureField;   // the field the digital signature went into, when signed with one

  bool Ok() const { return outcome == Outcome::Written; }
};

// Signs one document: opens and checks it (password, restrictions, existing signatures, page
// numbers), places each stamp as a form XObject stored once, puts the 骑缝章's slices on the
// pages' right edges, and writes the whole new file through the atomic write, so that a failure
// at any step leaves the output path as it was. Uses no fonts or widgets: it may run on a worker
// thread. Never throws.
SigningResult SignDocument(const SigningPlan& plan, const StampArts& arts,
                           const SigningProgress& progress = {});

}  // namespace yz
