// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QApplication;

namespace modPub {

// The program's start: reads the installation beside the executable (the compound-surname
// table, the styles and pictures), shows the window (its load event fills the lists and draws)
// and runs until the window is closed.
int Main(QApplication& application);

}  // namespace modPub
