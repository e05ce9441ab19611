// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "certificates/http_post.h"

#include <QDeadlineTimer>
#include <QTcpSocket>
#include <QUrl>

#include "seams/failure.h"

namespace yz {

namespace {

// A timestamp response is a few kilobytes; an answer far larger is not one.
constexpr qsizetype kLargestResponse = 1024 * 1024;

struct Response {
  int status = 0;
  QByteArray headers;  // lower-cased
  QByteArray body;
};

// Joins the chunks of a chunked transfer into `body`; false while they are incomplete or malformed.
bool Dechunk(const QByteArray& raw, QByteArray* body) {
  qsizetype at = 0;
  for (;;) {
    const qsizetype lineEnd = raw.indexOf("\r\n", at);
    if (lineEnd < 0) return false;
    bool ok = false;
    const qsizetype size = raw.mid(at, lineEnd - at).split(';').front().trimmed().toLongLong(&ok, 16);
    if (!ok || size < 0 || size > kLargestResponse) return false;
    if (size == 0) return true;
    if (lineEnd + 2 + size > raw.size()) return false;
    *body += raw.mid(lineEnd + 2, size);
    at = lineEnd + 2 + size + 2;
  }
}

Response ParseResponse(const QByteArray& raw, bool* complete) {
  Response response;
  *complete = false;
  const qsizetype headerEnd = raw.indexOf("\r\n\r\n");
  if (headerEnd < 0) return response;
  const QByteArray head = raw.left(headerEnd);
  const QList<QByteArray> statusLine = head.split('\n').front().trimmed().split(' ');
  if (statusLine.size() >= 2) response.status = statusLine.at(1).toInt();
  response.headers = head.toLower();
  const QByteArray rest = raw.mid(headerEnd + 4);
  if (response.headers.contains("transfer-encoding: chunked")) {
    *complete = Dechunk(rest, &response.body);
    return response;
  }
  const qsizetype lengthAt = response.headers.indexOf("\ncontent-length:");
  if (lengthAt >= 0) {
    const qsizetype lineEnd = response.headers.indexOf('\r', lengthAt + 1);
    const qsizetype length = response.headers.mid(lengthAt + 16, lineEnd - lengthAt - 16).trimmed().toLongLong();
    response.body = rest.left(length);
    *complete = rest.size() >= length;
    return response;
  }
  response.body = rest;  // the server's closing the connection ends the body
  return response;
}

}  // namespace

QByteArray HttpPost(const QString& url, const QByteArray& contentType, const QByteArray& body,
                    int timeoutMs) {
  const QUrl parsed(url);
  if (!parsed.isValid() || parsed.host().isEmpty())
    throw Failure(QStringLiteral("时间戳服务器的地址不对：%1").arg(url));
  if (parsed.scheme() != QLatin1String("http"))
    throw Failure(QStringLiteral("时间戳服务器只能用 http:// 地址（时间戳本身已签名，不需要加密传输）：%1").arg(url));
  const QDeadlineTimer deadline(timeoutMs);
  QTcpSocket socket;
  socket.connectToHost(parsed.host(), quint16(parsed.port(80)));
  if (!socket.waitForConnected(int(deadline.remainingTime())))
    throw Failure(QStringLiteral("连不上时间戳服务器：%1（%2）").arg(url, socket.errorString()));
  QByteArray path = parsed.path(QUrl::FullyEncoded).toLatin1();
  if (path.isEmpty()) path = "/";
  if (parsed.hasQuery()) path += '?' + parsed.query(QUrl::FullyEncoded).toLatin1();
  QByteArray host = parsed.host(QUrl::FullyEncoded).toLatin1();
  if (parsed.port() > 0) host += ':' + QByteArray::number(parsed.port());
  const QByteArray request = "POST " + path + " HTTP/1.1\r\nHost: " + host +
                             "\r\nContent-Type: " + contentType +
                             "\r\nContent-Length: " + QByteArray::number(body.size()) +
                             "\r\nConnection: close\r\nUser-Agent: yanzhou-sign\r\n\r\n" + body;
  socket.write(request);
  while (socket.bytesToWrite() > 0) {
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
      throw Failure(QStringLiteral("无法把请求发给时间戳服务器：%1（%2）").arg(url, socket.errorString()));
  }
  QByteArray raw;
  bool complete = false;
  Response response;
  for (;;) {
    raw += socket.readAll();
    if (raw.size() > kLargestResponse)
      throw Failure(QStringLiteral("时间戳服务器的回答太大，不是时间戳：%1").arg(url));
    response = ParseResponse(raw, &complete);
    if (complete) break;
    if (socket.state() != QAbstractSocket::ConnectedState && socket.bytesAvailable() == 0) break;
    if (deadline.hasExpired())
      throw Failure(QStringLiteral("时间戳服务器在 %1 秒内没有回答：%2").arg(timeoutMs / 1000.0).arg(url));
    if (!socket.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime()))) &&
        socket.error() != QAbstractSocket::RemoteHostClosedError && deadline.hasExpired())
      throw Failure(QStringLiteral("时间戳服务器在 %1 秒内没有回答：%2").arg(timeoutMs / 1000.0).arg(url));
  }
  if (response.status == 0)
    throw Failure(QStringLiteral("时间戳服务器的回答不是 HTTP：%1").arg(url));
  if (response.status != 200)
    throw Failure(QStringLiteral("时间戳服务器拒绝了请求（HTTP %1）：%2").arg(response.status).arg(url));
  if (!complete && response.headers.contains("content-length"))
    throw Failure(QStringLiteral("时间戳服务器的回答不完整：%1").arg(url));
  return response.body;
}

}  // namespace yz
