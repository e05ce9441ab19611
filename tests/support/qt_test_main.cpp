// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Widgets, fonts and pictures need a Qt application; tests run it on the offscreen platform so
// that no display is needed.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                  : qgetenv("QT_QPA_PLATFORM"));
  // Settings the tests write land in a folder of their own, never in a user's.
  QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
