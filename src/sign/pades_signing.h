// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include "sign/sign_document.h"

namespace yz {

// Thrown out of the appending when the progress callback says stop; nothing is written.
struct SigningStopped {};

// Signs by appending one update after the original bytes, when that is the way for the plan:
// a certificate (a digital signature whose visible face is the signature stamp, every other
// stamp an annotation it covers), or a document that already holds signatures (its stamps as
// annotations, so that the earlier signatures stay valid). Returns nothing when the plan is for
// the whole rewrite instead. The original is a byte-for-byte prefix of the output. Throws
// Failure, DocumentProblem or SigningStopped.
std::optional<SigningResult> SignByAppendingWhenDue(const SigningPlan& plan, const StampArts& arts,
                                                    const SigningProgress& progress);

}  // namespace yz
