// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

#include "seams/message_box.h"
#include "seams/printer.h"

namespace yz {

// The click on imgPrint: one page on the default printer with the canvas picture at the top-left
// of the printable area, at the canvas's size on the window. Failures are shown, not thrown.
void PrintSignatureClick(const QImage& picture, float widthTwips, float heightTwips,
                         Printer& printer, MessageBox& messages);

// The message for a failed print.
QString PrintFailureText(int number, const QString& description);

}  // namespace yz
