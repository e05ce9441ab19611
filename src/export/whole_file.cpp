// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "export/whole_file.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace yz {

namespace {

QByteArray Encoded(const QString& path) { return QFile::encodeName(path); }

QString KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return QStringLiteral("文件夹");
  if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("设备");
  if (S_ISFIFO(mode)) return QStringLiteral("命名管道");
  if (S_ISSOCK(mode)) return QStringLiteral("套接字");
  return QStringLiteral("特殊文件");
}

// Where the bytes must go: `path` itself, or the last target of the symbolic links it starts.
// Sets `reason` instead when that is nothing a picture may replace.
QString FileToReplace(const QString& path, QString& reason) {
  QString target = path;
  for (int hops = 0; QFileInfo(target).isSymLink(); ++hops) {
    if (hops == 40) {
      reason = QStringLiteral("“%1”是一串绕回自身的符号链接").arg(path);
      return {};
    }
    target = QFileInfo(target).symLinkTarget();
  }
  const QFileInfo folder(QFileInfo(target).absolutePath());
  if (target != path && !folder.isDir()) {
    reason = QStringLiteral("“%1”是指向“%2”的链接，而文件夹“%3”不存在")
                 .arg(path, target, folder.filePath());
    return {};
  }
  struct stat status {};
  if (::stat(Encoded(target).constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
    const QString what = target == path ? QStringLiteral("“%1”").arg(path)
                                        : QStringLiteral("“%1”指向的“%2”").arg(path, target);
    reason = QStringLiteral("%1是%2，不是普通文件，不能用图片替换").arg(what, KindOf(status.st_mode));
    return {};
  }
  const long nameMax = ::pathconf(Encoded(folder.filePath()).constData(), _PC_NAME_MAX);
  if (Encoded(QFileInfo(target).fileName()).size() > (nameMax > 0 ? nameMax : NAME_MAX)) {
    reason = QStringLiteral("文件名太长（最多 %1 字节）").arg(nameMax > 0 ? nameMax : NAME_MAX);
    return {};
  }
  return target;
}

// Why writing `path` failed, from the state of the disk and folder first (the system's error
// number can be overwritten on the way back through Qt), then from that number.
QString ReasonFor(const QString& path, int error, qint64 bytesNeeded) {
  const QFileInfo target(path);
  const QFileInfo folder(target.absolutePath());
  if (!folder.isDir()) return QStringLiteral("文件夹“%1”不存在").arg(folder.filePath());
  struct statvfs disk {};
  const bool known = ::statvfs(Encoded(folder.filePath()).constData(), &disk) == 0;
  if (error == EROFS || (known && (disk.f_flag & ST_RDONLY)))
    return QStringLiteral("所在的磁盘是只读的");
  if (target.exists() && !target.isWritable()) return QStringLiteral("文件是只读的");
  if (!folder.isWritable())
    return QStringLiteral("没有在文件夹“%1”中写入的权限").arg(folder.filePath());
  if (error == ENOSPC || error == EDQUOT ||
      (known && qint64(disk.f_bavail) * qint64(disk.f_frsize) < bytesNeeded))
    return QStringLiteral("磁盘空间不足");
  switch (error) {
    case EACCES:
    case EPERM:
      return QStringLiteral("没有写入“%1”的权限").arg(path);
    case EFBIG:
      return QStringLiteral("文件超出了系统允许的大小");
    case ENAMETOOLONG:
      return QStringLiteral("路径太长");
    case EIO:
      return QStringLiteral("读写磁盘时出错");
    default:
      return QStringLiteral("写入时出错（系统错误号 %1）").arg(error);
  }
}

}  // namespace

QString WriteFileThrough(const QString& path, qint64 size,
                         const std::function<QString(QFileDevice& file)>& fill) {
  QString reason;
  const QString target = FileToReplace(path, reason);
  if (!reason.isEmpty()) return reason;
  QSaveFile file(target);
  errno = 0;
  if (!file.open(QIODevice::WriteOnly)) return ReasonFor(target, errno, size);
  errno = 0;
  if (const QString refusal = fill(file); !refusal.isEmpty()) {
    const int error = errno;
    file.cancelWriting();
    return file.error() == QFileDevice::NoError ? refusal : ReasonFor(target, error, size);
  }
  // commit() does not look at an error of the last flush, so every step is checked here: a
  // full disk often shows only when the last buffered bytes go out.
  errno = 0;
  const bool written =
      file.flush() && file.error() == QFileDevice::NoError && ::fsync(file.handle()) == 0;
  if (!written) {
    const int error = errno;
    file.cancelWriting();
    return ReasonFor(target, error, size);
  }
  errno = 0;
  if (!file.commit()) return ReasonFor(target, errno, size);
  return {};
}

QString WriteFileWhole(const QString& path, const QByteArray& bytes) {
  return WriteFileThrough(path, bytes.size(), [&](QFileDevice& file) {
    return file.write(bytes) == bytes.size() ? QString() : file.errorString();
  });
}

}  // namespace yz
