// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDateTime>

namespace yz {

// A PDF date string (D:YYYYMMDDHHmmSSOHH'mm', every part after the year optional) as UTC; an
// invalid QDateTime when it is not one. A missing offset is read as UTC, as readers do.
QDateTime ParsePdfDate(const QByteArray& text);

}  // namespace yz
