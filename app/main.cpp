// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>

#include "ui/start_up.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  return modPub::Main(application);
}
