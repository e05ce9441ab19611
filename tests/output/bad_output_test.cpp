// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Saving where it cannot work: a read-only folder, a read-only existing file, a full and a
// read-only file system. Each click ends with a message naming the file and the reason, no
// confirmation, no half-written file, and any file that was there untouched.
//
// Root ignores permission bits, so the permission cases run in a child process as "nobody";
// the file-system cases mount a small tmpfs, which takes root.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>
#include <cstring>
#include <functional>
#include <grp.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "export/picture_file.h"
#include "export/run_renderer.h"
#include "output/save_signature.h"
#include "seams/failure.h"
#include "support/fake_message_box.h"
#include "support/fake_platform.h"

namespace {

constexpr uid_t kNobody = 65534;

// How the click ended, as a child process reports it.
struct Outcome {
  bool failed = false;
  QString message;      // the Failure's words
  bool confirmed = false;  // a "保存完毕！" was shown
};

QImage FlatPicture(QSize size = {388, 261}) {
  QImage picture(size, QImage::Format_RGB32);
  picture.fill(QColor(244, 235, 217));
  return picture;
}

// One click on 保存签名 for `path`, in a child process run as `user` (when this one is root).
Outcome SaveInChild(const QString& path, uid_t user, const QImage& picture = FlatPicture()) {
  int channel[2];
  if (::pipe(channel) != 0) return {true, QStringLiteral("no pipe")};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    if (::geteuid() == 0 && user != 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(user) != 0 || ::setuid(user) != 0) ::_exit(10);
    }
    yz::testing::FakeSaveDialog dialog;
    dialog.answer = {true, path, 1};
    yz::testing::FakeMessageBox messages;
    QByteArray report;
    try {
      yz::SaveSignatureClick(nullptr, picture, dialog, messages);
      report = "ok\n";
    } catch (const yz::Failure& failure) {
      report = "failed\n" + failure.message().toUtf8();
    }
    if (!messages.shown.isEmpty()) report.prepend("confirmed ");
    if (::write(channel[1], report.constData(), size_t(report.size())) < 0) ::_exit(12);
    ::_exit(0);
  }
  ::close(channel[1]);
  QByteArray report;
  char buffer[4096];
  for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) report.append(buffer, n);
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  Outcome outcome;
  outcome.confirmed = report.startsWith("confirmed ");
  if (outcome.confirmed) report.remove(0, 10);
  outcome.failed = !report.startsWith("ok\n");
  outcome.message = QString::fromUtf8(report.mid(report.indexOf('\n') + 1));
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    outcome.message = QStringLiteral("child ended with status %1").arg(status);
  return outcome;
}

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteOld(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("old signature");
}

// A folder of its own, owned by the user the click runs as.
class BadOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    folder = dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(folder));
    Own(dir.path());
    Own(folder);
  }
  void TearDown() override {
    if (mounted) ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
  }
  // Gives the path to the unprivileged user, so that only the permission bits decide.
  void Own(const QString& path) {
    if (::geteuid() == 0) ASSERT_EQ(::chown(QFile::encodeName(path).constData(), kNobody, kNobody), 0);
  }
  uid_t User() const { return ::geteuid() == 0 ? kNobody : ::geteuid(); }
  bool MountTmpfs(const char* options, unsigned long flags = 0) {
    if (::geteuid() != 0) {
      errno = EPERM;
      return false;
    }
    mounted = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", flags, options) == 0;
    return mounted;
  }
  // Takes every free block of the mounted folder.
  void FillDisk() {
    const int fd = ::open(QFile::encodeName(folder + "/filler").constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    const QByteArray block(4096, 'x');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {
    }
    ::close(fd);
  }
  // The renderer on the sample installation: its status and what it said on standard error.
  std::pair<int, QString> Render(const QStringList& options) {
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int status = yz::RunRenderer(
        QStringList{"yanzhou-sign-render"} + options, QStringLiteral(YZ_APP_DIR "/"), outStream,
        errStream);
    errStream.flush();
    return {status, err};
  }
  // What the folder holds, to see that nothing was left behind.
  QStringList Entries() const {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  }
  // `reason`: the words the user is told why, "" where any reason will do.
  void ExpectRefused(const Outcome& outcome, const QString& path, const QString& reason) {
    EXPECT_TRUE(outcome.failed) << "saved into " << path.toStdString();
    EXPECT_FALSE(outcome.confirmed);
    EXPECT_TRUE(outcome.message.startsWith(QStringLiteral("无法保存签名图片：") + path))
        << outcome.message.toStdString();
    EXPECT_TRUE(outcome.message.contains(QStringLiteral("\n原因：") + reason)) << outcome.message.toStdString();
  }

  QTemporaryDir dir;
  QString folder;
  bool mounted = false;
};

TEST_F(BadOutputTest, AReadOnlyFolderGetsNoFile) {
  ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
  const QString path = folder + QStringLiteral("/签名");
  ExpectRefused(SaveInChild(path, User()), path + ".bmp",
                QStringLiteral("没有在文件夹“%1”中写入的权限").arg(folder));
  EXPECT_TRUE(Entries().isEmpty()) << Entries().join(' ').toStdString();
}

TEST_F(BadOutputTest, AReadOnlyExistingFileIsKept) {
  const QString path = folder + QStringLiteral("/签名.bmp");
  WriteOld(path);
  Own(path);
  ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
  ExpectRefused(SaveInChild(path, User()), path, QStringLiteral("文件是只读的"));
  EXPECT_EQ(Contents(path), "old signature");
  EXPECT_EQ(Entries(), QStringList({QStringLiteral("签名.bmp")}));
}

// Small pictures matter most: they fit the write buffer, so the disk only refuses them when the
// last bytes are flushed on the way to replacing the old file.
TEST_F(BadOutputTest, AFullFileSystemKeepsTheOldPictureWholeInTheWindowAndTheRenderer) {
  if (!MountTmpfs("size=1m,mode=0777"))
    GTEST_SKIP() << "a full disk is not tried: no tmpfs could be mounted here (" << std::strerror(errno)
                 << "); it takes root with CAP_SYS_ADMIN";
  QImage noise(388, 261, QImage::Format_RGB32);
  for (int y = 0; y < noise.height(); ++y)
    for (int x = 0; x < noise.width(); ++x) noise.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x ^ y) % 256));
  const struct {
    const char* what;
    QImage picture;
  } pictures[] = {{"small", FlatPicture({40, 30})}, {"large", noise}};
  for (const char* type : {"bmp", "jpg", "png"}) {
    for (const auto& p : pictures) {
      SCOPED_TRACE(std::string(p.what) + " " + type);
      const QString path = folder + QStringLiteral("/签名.") + type;
      yz::WritePictureFile(FlatPicture({60, 40}), path);
      Own(path);
      const QByteArray old = Contents(path);
      FillDisk();
      ExpectRefused(SaveInChild(path, User(), p.picture), path, QStringLiteral("磁盘空间不足"));
      EXPECT_EQ(Contents(path), old);
      EXPECT_EQ(Entries(), QStringList({"filler", QStringLiteral("签名.") + type}));
      QFile::remove(folder + "/filler");
      QFile::remove(path);
    }
  }
  // The renderer: a small transparent PNG and a large BMP over pictures it drew before.
  for (const QString name : {QStringLiteral("sig.png"), QStringLiteral("sig.bmp")}) {
    SCOPED_TRACE(name.toStdString());
    const QString path = folder + '/' + name;
    QStringList options{"--out", path};
    if (name.endsWith("png")) options << "--background" << "none";
    Render(options + QStringList{"--name", QStringLiteral("元朗")});
    const QByteArray old = Contents(path);
    ASSERT_GT(old.size(), 1000);
    FillDisk();
    const auto [status, errors] = Render(options);
    EXPECT_EQ(status, yz::kRenderFailed);
    EXPECT_EQ(errors.count('\n'), 1) << errors.toStdString();
    EXPECT_TRUE(errors.contains(path + QStringLiteral(" 原因：磁盘空间不足"))) << errors.toStdString();
    EXPECT_EQ(Contents(path), old);
    EXPECT_EQ(Entries(), QStringList({"filler", name}));
    QFile::remove(folder + "/filler");
    QFile::remove(path);
  }
}

TEST_F(BadOutputTest, AReadOnlyFileSystemRefusesEvenRoot) {
  if (!MountTmpfs("size=64k")) GTEST_SKIP() << "mounting needs root";
  WriteOld(folder + QStringLiteral("/签名.bmp"));
  ASSERT_EQ(::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs",
                    MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
  const QString path = folder + QStringLiteral("/签名.bmp");
  ExpectRefused(SaveInChild(path, 0), path, QStringLiteral("所在的磁盘是只读的"));
  EXPECT_EQ(Contents(path), "old signature");
  EXPECT_EQ(Entries(), QStringList({QStringLiteral("签名.bmp")}));
}

// Only a regular file is ever replaced, and only under the very name asked for: devices, pipes
// and sockets, also behind a link, are refused and stay what they were; a link to a picture
// stays a link; a dangling link is named with its target; a name that is not UTF-8 is refused.
TEST_F(BadOutputTest, OnlyARegularFileUnderTheNameAskedForIsReplaced) {
  const auto path = [&](const QString& name) { return folder + '/' + name; };
  const auto node = [&](const QString& name) { return QFile::encodeName(path(name)); };
  ASSERT_EQ(::mkfifo(node("管道.png").constData(), 0644), 0);
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, node("套接字.png").constData(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  QStringList specials{QStringLiteral("管道.png"), QStringLiteral("套接字.png")};
  if (::geteuid() == 0) {  // a character device like /dev/null, made here
    ASSERT_EQ(::mknod(node("设备.png").constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
    specials << QStringLiteral("设备.png");
  }
  for (const QString& special : QStringList(specials)) {
    ASSERT_TRUE(QFile::link(special, path("链接到" + special)));
    specials << "链接到" + special;
  }
  for (const QString& special : specials) {
    SCOPED_TRACE(special.toStdString());
    const auto [status, errors] = Render({"--out", path(special)});
    EXPECT_EQ(status, yz::kRenderFailed);
    EXPECT_TRUE(errors.contains(QStringLiteral("不是普通文件"))) << errors.toStdString();
    const Outcome click = SaveInChild(path(special), 0);
    ExpectRefused(click, path(special), QString());
    EXPECT_TRUE(click.message.contains(QStringLiteral("不是普通文件"))) << click.message.toStdString();
  }
  struct stat status {};
  ASSERT_EQ(::stat(node("管道.png").constData(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
  if (::geteuid() == 0) {
    ASSERT_EQ(::stat(node("设备.png").constData(), &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
  }
  ::close(listener);

  WriteOld(path("旧.png"));
  ASSERT_TRUE(QFile::link("旧.png", path("链接.png")));
  EXPECT_EQ(Render({"--out", path("链接.png")}).first, yz::kRenderedOk);
  EXPECT_TRUE(QFileInfo(path("链接.png")).isSymLink());
  EXPECT_TRUE(Contents(path("旧.png")).startsWith("\x89PNG"));

  ASSERT_TRUE(QFile::link(path("无此文件夹/签名.png"), path("断链.png")));
  const auto [status2, dangling] = Render({"--out", path("断链.png")});
  EXPECT_EQ(status2, yz::kRenderFailed);
  EXPECT_TRUE(dangling.contains(path("无此文件夹/签名.png"))) << dangling.toStdString();

  // The bytes FF FE as the command line decodes them: two U+FFFD, the name of another file.
  const QString decoded = QString::fromLocal8Bit("\xFF\xFE.png");
  WriteOld(path(decoded));
  const auto [status3, notUtf8] = Render({"--out", path(decoded)});
  EXPECT_EQ(status3, yz::kBadArguments);
  EXPECT_EQ(notUtf8.count('\n'), 1) << notUtf8.toStdString();
  EXPECT_EQ(Contents(path(decoded)), "old signature");
}

}  // namespace
