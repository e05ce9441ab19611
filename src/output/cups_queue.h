// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <optional>

namespace yz {

// What the print system says about one queue, and about the last request this thread made.
// Qt prints through CUPS but tells neither whether a queue takes jobs nor whether a submitted
// job was refused (QPainter::end succeeds either way), so these ask CUPS itself. libcups is
// loaded at run time, as Qt's print support does; without it nothing is known.
struct QueueState {
  bool acceptingJobs = true;
  bool paused = false;
  QString message;  // the queue's own state message, when it has one
};

std::optional<QueueState> QueryCupsQueue(const QString& name);

// CUPS's reason for refusing the last request of this thread, if it refused it.
std::optional<QString> LastCupsRefusal();

}  // namespace yz
