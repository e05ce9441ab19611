// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

namespace yz {

// Writes `bytes` as a new file at `path`, readable by its owner only (mode 0600) from its first
// byte on: into a temporary file beside it, synced, then given its name. An existing file at
// `path` is never replaced. Throws Failure naming the file.
void WriteNewPrivateFile(const QString& path, const QByteArray& bytes);

}  // namespace yz
