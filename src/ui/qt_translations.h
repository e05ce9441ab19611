// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QCoreApplication;

namespace yz {

// Qt's own dialogs and buttons (the save dialog, the colour dialog, message-box buttons) speak
// the program's language, Chinese, whatever the user's locale: loads Qt's simplified Chinese
// catalogue from the system's Qt translations. Returns false, and everything stays as Qt has it,
// when the catalogue is not installed.
bool InstallChineseQtTranslations(QCoreApplication& application);

}  // namespace yz
