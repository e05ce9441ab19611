// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

namespace yz {

// POSTs `body` to an http:// URL with HTTP/1.1 and returns the response body of a 200 answer.
// Blocking, with `timeoutMs` for the whole exchange; needs no event loop, so it works in the
// renderer and in a worker thread alike. Throws Failure naming the URL and what went wrong.
QByteArray HttpPost(const QString& url, const QByteArray& contentType, const QByteArray& body,
                    int timeoutMs);

}  // namespace yz
