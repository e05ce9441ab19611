// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Damaged compound-surname tables, from the file's bytes to the cut name: the reader stays
// silent for any file that exists, and the lookup never reads past the table's end. An entry
// reads " XY-?Z": Z, four places after XY, stands for the surname.
#include <QFile>
#include <gtest/gtest.h>

#include "app/mod_pub.h"
#include "render/split_signature_name.h"
#include "support/fake_message_box.h"
#include "support/temp_installation.h"

namespace {

TEST(BadTable, EveryDamagedTableStillCutsTheName) {
  const QByteArray ouyang("\xC5\xB7\xD1\xF4");  // 欧阳 in code page 936
  const QString replacement(QChar(0xFFFD));
  const struct {
    const char* what;
    QByteArray bytes;
    QString first, middle, last;  // of "欧阳娜"
  } cases[] = {
      {"empty", "", "欧", "阳", "娜"},
      {"only CR LF", "\r\n", "欧", "阳", "娜"},
      {"a lone CR", "\r", "欧", "阳", "娜"},
      {"an entry without its hyphen", " " + ouyang, "欧", "阳", "娜"},
      {"an entry cut off after its hyphen", " " + ouyang + "-", "", "", "娜"},
      {"the substitute four places on lies past the end", " " + ouyang + "-x\r\n", "", "", "娜"},
      {"a lead byte cut off at the end", " " + ouyang + "-x\xAA", replacement, "", "娜"},
      {"an invalid byte as the substitute", " " + ouyang + "-x\xFF", replacement, "", "娜"},
      {"an invalid byte inside the surname", " \xC5\xB7\xFF\xD1\xF4-xQ", "欧", "阳", "娜"},
      {"a sound entry behind invalid bytes", "\x81\x20\xFE" " " + ouyang + "-xQ\r\n", "Q", "", "娜"},
      {"a sound entry behind almost a megabyte of other characters",
       QByteArray(modPub::kMaxTextFileBytes - 8, '\x81') + " " + ouyang + "-xQ", "Q", "", "娜"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    yz::testing::TempInstallation install;
    yz::testing::FakeMessageBox messages;
    const QString table =
        modPub::ReadTextFile(install.writeFile("data/fuxing.dat", c.bytes), messages);
    EXPECT_TRUE(messages.shown.isEmpty());
    const yz::SignatureParts parts = yz::SplitSignatureName(
        QStringLiteral("公文签"), QStringLiteral(","), table, QStringLiteral("欧阳娜"), QString());
    EXPECT_TRUE(parts.draw);
    EXPECT_EQ(parts.first, c.first);
    EXPECT_EQ(parts.middle, c.middle);
    EXPECT_EQ(parts.last, c.last);
  }
}

// The table is a few kilobytes: anything past the cap is damage, unreadable like a missing
// table (one warning, no table), and is not read into memory at all, even when it is sparse.
TEST(BadTable, ATableLargerThanTheCapIsUnreadable) {
  yz::testing::TempInstallation install;
  const QString path = install.writeFile("data/fuxing.dat", QByteArray(modPub::kMaxTextFileBytes, ' '));
  yz::testing::FakeMessageBox messages;
  EXPECT_EQ(modPub::ReadTextFile(path, messages).size(), modPub::kMaxTextFileBytes);
  EXPECT_TRUE(messages.shown.isEmpty());
  for (const qint64 size : {modPub::kMaxTextFileBytes + 1, qint64(400) << 20}) {
    QFile file(path);
    ASSERT_TRUE(file.resize(size));
    EXPECT_EQ(modPub::ReadTextFile(path, messages), "");
  }
  ASSERT_EQ(messages.shown.size(), 2);
  EXPECT_TRUE(messages.shown[1].text.startsWith(QStringLiteral("不存在该文件或该文件不能访问！")));
  EXPECT_TRUE(messages.shown[1].text.endsWith(path));
}

}  // namespace
