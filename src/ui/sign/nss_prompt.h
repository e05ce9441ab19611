// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace yz {

// Asks the user for a secret: `prompt` says whose, `wrongBefore` that the last answer was wrong.
// Nothing when the user gave up.
using AskSecret = std::function<std::optional<QString>(const QString& prompt, bool wrongBefore)>;

// The password dialog of the signing window (a password field; a wrong answer said in red).
std::optional<QString> AskSecretInDialog(const QString& prompt, bool wrongBefore);

// Makes NSS ask for a database's password through `ask` (the dialog when none is given), on the
// GUI thread whatever thread NSS asks from: a signing on the worker thread waits for the answer.
void UseWindowNssPrompt(AskSecret ask = {});

}  // namespace yz
