// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/print_signature.h"

namespace yz {

QString PrintFailureText(int number, const QString& description) {
  return QStringLiteral("错误号: %1\r\n\r\n错误描述: %2").arg(number).arg(description);
}

void PrintSignatureClick(const QImage& picture, float widthTwips, float heightTwips,
                         Printer& printer, MessageBox& messages) {
  try {
    printer.PrintPicture(picture, widthTwips / 1440.0, heightTwips / 1440.0);
  } catch (const PrintError& error) {
    messages.Show(PrintFailureText(error.number(), error.description()), kMbExclamation);
  }
}

}  // namespace yz
