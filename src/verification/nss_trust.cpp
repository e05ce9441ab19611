// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "verification/nss_trust.h"

#include "certificates/nss_databases.h"

namespace yz {

TrustCheck NssTrust(const QString& database) {
  if (!database.isEmpty()) OpenNssDatabase(database);
  return [](const std::vector<QByteArray>& chainDer, const QDateTime& at) {
    TrustAnswer answer;
    answer.trusted = NssTrustsChain(chainDer, at.isValid() ? at : QDateTime::currentDateTimeUtc(),
                                    &answer.reason);
    return answer;
  };
}

}  // namespace yz
