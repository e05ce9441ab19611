// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Damaged or odd files in an installation, drawn on the real canvas: every font case still draws
// the name in a substitute face and leaves nothing registered; every picture case fails with a
// message naming the file instead of crashing or exhausting memory.
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <sys/stat.h>
#include <unistd.h>

#include "real_canvas_fixture.h"
#include "seams/failure.h"
#include "support/crafted_pictures.h"

namespace yz::test {
namespace {

using testing::CraftedBmp;
using testing::CraftedGif;
using testing::CraftedPng;

QByteArray Head(const QString& path, qint64 bytes) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.read(bytes);
}

QByteArray RandomBytes(int size) {
  QRandomGenerator random(20261208);
  QByteArray bytes(size, '\0');
  for (char& b : bytes) b = char(random.bounded(256));
  return bytes;
}

// A hang is a failure too: a file that blocks its reader must not stop the window.
struct Deadline {
  explicit Deadline(unsigned seconds) { ::alarm(seconds); }
  ~Deadline() { ::alarm(0); }
};

enum class Kind { File, Folder, Fifo, SelfLink };
struct BadFont {
  const char* what;
  Kind kind;
  QByteArray bytes;
};

std::vector<BadFont> BadFonts() {
  const QByteArray real = Head(kWenKai, 1 << 20);
  return {{"empty", Kind::File, {}},
          {"cut after its header", Kind::File, real.left(200)},
          {"cut in its tables", Kind::File, real.left(64 * 1024)},
          {"random bytes", Kind::File, RandomBytes(40000)},
          {"a font header over random bytes", Kind::File, real.left(12) + RandomBytes(40000)},
          {"a folder", Kind::Folder, {}},
          {"a named pipe", Kind::Fifo, {}},
          {"a link to itself", Kind::SelfLink, {}}};
}

QString MakeBadFont(testing::TempInstallation& install, const QString& relative, const BadFont& bad) {
  const QString path = install.appPath() + relative;
  QDir().mkpath(QFileInfo(path).path());
  const QByteArray native = QFile::encodeName(path);
  switch (bad.kind) {
    case Kind::File: install.writeFile(relative, bad.bytes); break;
    case Kind::Folder: QDir().mkpath(path); break;
    case Kind::Fifo: EXPECT_EQ(::mkfifo(native.constData(), 0644), 0); break;
    case Kind::SelfLink: EXPECT_EQ(::symlink(native.constData(), native.constData()), 0); break;
  }
  return path;
}

TEST_F(RealCanvasTest, ABrokenSingleFaceFontDrawsInASubstituteFace) {
  ASSERT_FALSE(Head(kWenKai, 16).isEmpty());
  int n = 0;
  for (const BadFont& bad : BadFonts()) {
    SCOPED_TRACE(bad.what);
    const Deadline deadline(60);
    fontPaths.clear();
    controls.entries.clear();
    const QString file = QString("fonts/电脑字/坏%1(坏字).dat").arg(++n);
    AddStyle(QStringLiteral("草书"), MakeBadFont(install, file, bad));
    controls.textCN = QStringLiteral("纪元朗");
    EXPECT_NO_THROW(Draw());
    EXPECT_GT(FindInk(canvas.Image(), IsDark).count, 1000);
    EXPECT_EQ(fonts.RegisteredPathCount(), 0);
  }
}

TEST_F(RealCanvasTest, BrokenStyleFontsDrawInASubstituteFace) {
  int n = 0;
  for (const BadFont& bad : BadFonts()) {
    SCOPED_TRACE(bad.what);
    const Deadline deadline(60);
    const QString style = QString("fonts/坏%1/").arg(++n);
    for (int i = 1; i <= 3; ++i) MakeBadFont(install, style + QString("abc%1.dat").arg(i), bad);
    fontPaths.clear();
    controls.entries.clear();
    AddStyle(QStringLiteral("公文签"), install.appPath() + style + "abc");
    controls.textCN = QStringLiteral("纪元朗");
    EXPECT_NO_THROW(Draw());
    EXPECT_GT(FindInk(canvas.Image(), IsDark).count, 1000);
    EXPECT_GT(controls.handle.width, 0);
    EXPECT_EQ(fonts.RegisteredPathCount(), 0);
  }
}

TEST_F(RealCanvasTest, AStyleFolderMixingPrefixesDrawsWhatItFinds) {
  // The prefix comes from the first file listed; the other two names lead nowhere.
  install.copyFile(kWenKai, QStringLiteral("fonts/混合/abc1.dat"));
  install.copyFile(kWenKai, QStringLiteral("fonts/混合/xyz2.dat"));
  install.copyFile(kWenKai, QStringLiteral("fonts/混合/xyz3.dat"));
  AddStyle(QStringLiteral("混合"), install.appPath() + QStringLiteral("fonts/混合/abc"));
  controls.textCN = QStringLiteral("纪元朗");
  EXPECT_NO_THROW(Draw());
  EXPECT_GT(FindInk(canvas.Image(), IsDark).count, 1000);
  EXPECT_EQ(fonts.RegisteredPathCount(), 0);
}

// --- pictures -----------------------------------------------------------------------------

// Every format Qt reads here, each declaring a picture far larger than the limit (or none at
// all) in a file of a few bytes.
TEST(BadPictures, EachFailsWithThePathInsteadOfDecodingHugeOrBrokenPixels) {
  testing::TempInstallation install;
  const QByteArray deflatedZeros = qCompress(QByteArray(4096, '\0')).mid(4);
  const struct {
    const char* name;
    QByteArray bytes;
  } cases[] = {
      {"png-bomb.png", CraftedPng(60000, 60000, deflatedZeros)},
      {"png-tall.png", CraftedPng(1, 0x7FFFFFFF, deflatedZeros)},
      {"png-zero.png", CraftedPng(0, 0, deflatedZeros)},
      {"bmp-bomb.bmp", CraftedBmp(60000, 60000)},
      {"bmp-negative.bmp", CraftedBmp(-5, -5)},
      {"gif-bomb.gif", CraftedGif(65535, 65535)},
      {"jpeg-bomb.jpg", QByteArray::fromHex("ffd8ffc0000b08ffffffff01011100ffd9")},
      {"ppm-bomb.ppm", "P6\n60000 60000\n255\n\x01\x02\x03"},
      {"pgm-bomb.pgm", "P5\n2000000000 2000000000\n255\n\x01"},
      {"xpm-bomb.xpm", "/* XPM */\nstatic char *b[] = {\"60000 60000 1 1\",\"a c #000000\",\"a\"};\n"},
      {"xbm-bomb.xbm", "#define b_width 60000\n#define b_height 60000\nstatic char b_bits[] = {0x00};\n"},
      {"svg-bomb.svg", "<svg xmlns='http://www.w3.org/2000/svg' width='100000' height='100000'/>"},
      {"ico-empty.ico", QByteArray::fromHex("000001000100000000000100200000000000160000")},
      {"random.png", RandomBytes(5000)},
      {"random.jpg", QByteArray::fromHex("ffd8ffe0") + RandomBytes(5000)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = install.writeFile(QStringLiteral("images/") + c.name, c.bytes);
    try {
      const QImage picture = QtPictureLoader(QtPictureLoader::Caching::Naive).LoadPicture(path);
      ADD_FAILURE() << "decoded " << picture.width() << "×" << picture.height();
    } catch (const Failure& failure) {
      EXPECT_TRUE(failure.message().startsWith(QStringLiteral("无法读取背景图片：") + path))
          << failure.message().toStdString();
    }
  }
}

// A valid picture within the pixel bound whose decoded form still needs more memory than the
// loader allows: 16-bit channels make 4096 × 2049 pixels 67 MB. Its 8-bit twin (34 MB) loads.
TEST(BadPictures, TheAllocationLimitRefusesAPictureTooLargeInBytes) {
  testing::TempInstallation install;
  const auto png = [](int bytesPerPixel, char bitDepth) {
    const int width = 4096, height = 2049;
    const QByteArray rows(qsizetype(height) * (1 + bytesPerPixel * width), '\0');  // filter 0
    return CraftedPng(width, height, qCompress(rows, 9).mid(4), bitDepth);
  };
  const QString wide = install.writeFile(QStringLiteral("images/深.png"), png(6, 16));
  const QString plain = install.writeFile(QStringLiteral("images/浅.png"), png(3, 8));
  EXPECT_LT(QFileInfo(wide).size(), 200 * 1024);
  EXPECT_EQ(QtPictureLoader().LoadPicture(plain).size(), QSize(4096, 2049));
  EXPECT_THROW(QtPictureLoader().LoadPicture(wide), Failure);
}

TEST(BadPictures, ANamedPipeOrALinkLoopIsNoPicture) {
  testing::TempInstallation install;
  const Deadline deadline(60);
  const QString pipe = install.makeFolder("images") + "/pipe.png";
  const QString loop = install.appPath() + "images/loop.png";
  ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
  ASSERT_EQ(::symlink(QFile::encodeName(loop).constData(), QFile::encodeName(loop).constData()), 0);
  for (const QString& path : {pipe, loop}) {
    EXPECT_THROW(QtPictureLoader().LoadPicture(path), Failure) << path.toStdString();
  }
}

}  // namespace
}  // namespace yz::test
