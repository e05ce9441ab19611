// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

#include "app/catalogue.h"

namespace yz {

class MessageBox;

// Everything the program reads from its application folder, filled once at start-up and only
// read afterwards: the window, the renderer, the tests and the benchmark each hold their own.
struct Installation {
  QString AppPath;           // the executable's folder, ending in exactly one "/"
  QString CompoundSurnames;  // the whole text of data/fuxing.dat; empty if it could not be read
  qint32 OffsetX = 250;      // twips by which a centred default position moves left
  qint32 OffsetY = 500;      // ... and up
  Catalogue catalogue;       // the styles and backgrounds found under AppPath
};

// Reads the table (an unreadable one is warned about through `messages` and left empty) and
// lists the styles and backgrounds under appPath, which ends in "/".
Installation LoadInstallation(const QString& appPath, MessageBox& messages);

}  // namespace yz
