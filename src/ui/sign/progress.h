// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "sign/sign_document.h"

class QWidget;

namespace yz {

// Signs on a worker thread while the window stays live: a save that takes longer than a moment
// shows its progress over `owner`, and 取消 there stops it with nothing written.
SigningResult SignWithProgress(QWidget* owner, const SigningPlan& plan, const StampArts& arts);

}  // namespace yz
