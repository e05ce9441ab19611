// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "verification/verify_signatures.h"

namespace yz {

// The trust the desktop's programs share (what Firefox, Thunderbird and Okular trust): an NSS
// certificate database's trust settings, judged at the time the check is given. `database` is a
// database's folder, opened now; empty, the shared ~/.pki/nssdb is used (or whichever the
// process opened already). Throws Failure when the folder given holds no database NSS can open.
TrustCheck NssTrust(const QString& database = {});

}  // namespace yz
