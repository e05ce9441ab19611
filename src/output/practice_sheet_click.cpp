// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/practice_sheet_click.h"

#include "export/practice_sheet.h"
#include "output/export_signature.h"
#include "output/print_signature.h"

namespace yz {

void PrintPracticeSheetClick(const DrawingRequest& request, const Installation& installation,
                             QtFontRegistry& fonts, PictureLoader& pictures, Printer& printer,
                             MessageBox& messages) {
  const PracticeSheet sheet = MakePracticeSheet(request, installation, fonts, pictures);
  try {
    printer.PrintPage(QStringLiteral("练字帖"), kSheetMargin,
                      [&sheet](QPainter& painter, const QSizeF& printable) {
                        PaintPracticeSheet(painter, sheet, printable);
                      });
  } catch (const PrintError& error) {
    messages.Show(PrintFailureText(error.number(), error.description()), kMbExclamation);
  }
}

void ExportPracticeSheetClick(QWidget* owner, const DrawingRequest& request,
                              const Installation& installation, QtFontRegistry& fonts,
                              PictureLoader& pictures, SaveDialog& dialog, MessageBox& messages) {
  const auto chosen =
      AskForExportFile(owner, QStringLiteral("导出练字帖"),
                       {{QStringLiteral("PDF 练字帖 (*.pdf)"), QStringLiteral("pdf")}}, dialog,
                       messages);
  if (!chosen) return;
  const QString& path = chosen->first;
  WritePracticeSheetFile(request, installation, fonts, pictures, path);
  messages.Show(QStringLiteral("导出完毕！") + "\r\n" + path, kMbInformation);
}

}  // namespace yz
