// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "certificates/private_file.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "seams/failure.h"

namespace yz {

void WriteNewPrivateFile(const QString& path, const QByteArray& bytes) {
  const auto fail = [&](const QString& why) {
    return Failure(QStringLiteral("无法保存文件：%1（%2）").arg(path, why));
  };
  // QTemporaryFile creates its file with mode 0600 and a name no one else can take.
  QTemporaryFile temporary(path + QStringLiteral(".XXXXXX"));
  if (!temporary.open()) throw fail(temporary.errorString());
  if (temporary.write(bytes) != bytes.size() || !temporary.flush()) throw fail(temporary.errorString());
  if (::fsync(temporary.handle()) != 0) throw fail(QString::fromLocal8Bit(std::strerror(errno)));
  // link() rather than rename(): it fails when the name is taken instead of replacing the file.
  const QByteArray from = QFile::encodeName(temporary.fileName());
  const QByteArray to = QFile::encodeName(path);
  if (::link(from.constData(), to.constData()) != 0) {
    if (errno == EEXIST) throw fail(QStringLiteral("同名文件已存在"));
    // Folders on file systems without hard links: check, then rename.
    const bool noLinks = errno == EPERM || errno == EOPNOTSUPP;
    if (noLinks && QFileInfo::exists(path)) throw fail(QStringLiteral("同名文件已存在"));
    if (!noLinks || ::rename(from.constData(), to.constData()) != 0)
      throw fail(QString::fromLocal8Bit(std::strerror(errno)));
    temporary.setAutoRemove(false);
  }
  temporary.close();  // the temporary name goes with the object; the linked name stays
  const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
}

}  // namespace yz
