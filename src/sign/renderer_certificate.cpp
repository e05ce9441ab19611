// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/renderer_certificate.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include "certificates/nss_databases.h"
#include "certificates/pkcs12_file.h"
#include "seams/failure.h"

namespace yz {

namespace {

// A password file is a line, not a document: anything longer is the wrong file.
constexpr qint64 kLongestPasswordFile = 64 * 1024;

std::optional<QString> CertificatePassword(const RenderArguments::Signing& s) {
  if (s.certificatePasswordFile) return PasswordFromFile(*s.certificatePasswordFile);
  if (qEnvironmentVariableIsSet("YZ_CERTIFICATE_PASSWORD"))
    return qEnvironmentVariable("YZ_CERTIFICATE_PASSWORD");
  return std::nullopt;
}

}  // namespace

QString PasswordFromFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) throw Failure(QStringLiteral("找不到密码文件：%1").arg(path));
  if (!info.isFile()) throw Failure(QStringLiteral("密码文件须是普通文件：%1").arg(path));
  if (info.size() > kLongestPasswordFile)
    throw Failure(QStringLiteral("“%1”太大，不像密码文件（只读它的第一行）").arg(path));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw Failure(QStringLiteral("无法读取密码文件：%1（%2）").arg(path, file.errorString()));
  QByteArray line = file.readLine(kLongestPasswordFile);
  while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
  return QString::fromUtf8(line);
}

std::optional<CertificateSigning> RendererCertificate(const RenderArguments::Signing& s) {
  if (!s.WithCertificate()) return std::nullopt;
  CertificateSigning signing;
  const std::optional<QString> password = CertificatePassword(s);
  if (s.certificate) {
    signing.signer = OpenPkcs12(*s.certificate, password.value_or(QString()));
  } else {
    // The database asks through NSS; a password that did not open it will not on a retry.
    SetNssPasswordPrompt([password](const QString&, bool retry) -> std::optional<QString> {
      if (retry) return std::nullopt;
      return password;
    });
    signing.signer = OpenNssSigner(*s.nssDatabase, *s.nssNickname);
  }
  if (const QString problem = CertificateProblem(signing.signer->Summary(), QDateTime::currentDateTimeUtc());
      !problem.isEmpty())
    throw Failure(problem + QStringLiteral("，没有签署任何文档"));
  signing.reason = s.reason;
  signing.location = s.location;
  signing.timestamp.url = s.timestampUrl;
  return signing;
}

}  // namespace yz
