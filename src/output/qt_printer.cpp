// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "output/qt_printer.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <functional>

#include "output/cups_queue.h"

namespace yz {

namespace {

QString WithQueueMessage(const QString& text, const QString& message) {
  return message.isEmpty() ? text : text + QStringLiteral("（%1）").arg(message);
}

// A queue that would lose or hold the job is refused before anything is sent.
void CheckQueueTakesJobs(const QString& name) {
  const std::optional<QueueState> state = QueryCupsQueue(name);
  if (!state) return;
  if (!state->acceptingJobs) {
    throw PrintError(kPrinterRefused,
                     WithQueueMessage(QStringLiteral("打印机“%1”目前不接受打印任务。请在系统的打印机设置中让它接受任务后再打印。")
                                          .arg(name),
                                      state->message));
  }
  if (state->paused) {
    throw PrintError(kPrinterPaused,
                     WithQueueMessage(QStringLiteral("打印机“%1”已暂停，签名没有送出。请在系统的打印机设置中恢复它后再打印。")
                                          .arg(name),
                                      state->message));
  }
}

// One document of one page on the default printer, painted by `paint` in the printer's device
// units with (0, 0) at the printable area's top-left: inside the printer's own margins, widened
// to `margin` points where they are narrower.
void PrintOnDefaultPrinter(const QString& title, double margin,
                           const std::function<void(QPainter&, QPrinter&)>& paint) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull() || info.printerName().isEmpty()) {
    throw PrintError(kNoDefaultPrinter,
                     QStringLiteral("没有设置默认打印机。请先在系统的打印机设置中添加一台打印机并设为默认。"));
  }
  CheckQueueTakesJobs(info.printerName());

  QPrinter printer(info, QPrinter::HighResolution);
  printer.setFullPage(false);
  // Qt lays a page out with margins of its own; the printable area starts at the device's.
  QPageLayout layout = printer.pageLayout();
  layout.setUnits(QPageLayout::Point);
  const QMarginsF least = layout.minimumMargins();
  printer.setPageMargins(QMarginsF(std::max(least.left(), margin), std::max(least.top(), margin),
                                   std::max(least.right(), margin),
                                   std::max(least.bottom(), margin)),
                         QPageLayout::Point);
  printer.setDocName(title);
  QPainter painter;
  if (!painter.begin(&printer)) {
    throw PrintError(kPrintIncomplete,
                     QStringLiteral("无法在打印机“%1”上开始打印。请检查它是否已连接并处于就绪状态。")
                         .arg(info.printerName()));
  }
  paint(painter, printer);
  if (!painter.end()) {
    throw PrintError(kPrintIncomplete,
                     QStringLiteral("打印任务没有完成（打印机“%1”）。").arg(info.printerName()));
  }
  // The job is handed over inside end(), whose result does not say whether it was taken.
  if (const std::optional<QString> refusal = LastCupsRefusal()) {
    throw PrintError(kPrinterRefused, QStringLiteral("打印机“%1”拒绝了打印任务：%2")
                                          .arg(info.printerName(), *refusal));
  }
}

}  // namespace

void QtPrinter::PrintPicture(const QImage& picture, double widthInches, double heightInches) {
  if (picture.isNull()) {
    throw PrintError(kNothingToPrint, QStringLiteral("画布上没有可打印的图片。"));
  }
  PrintOnDefaultPrinter(QStringLiteral("签名"), 0, [&](QPainter& painter, QPrinter& printer) {
    const QRectF target(0, 0, widthInches * printer.resolution(),
                        heightInches * printer.resolution());
    painter.drawImage(target, picture);
  });
}

void QtPrinter::PrintPage(const QString& title, double margin, const PagePainter& paint) {
  PrintOnDefaultPrinter(title, margin, [&](QPainter& painter, QPrinter& printer) {
    const double perPoint = printer.resolution() / 72.0;
    painter.scale(perPoint, perPoint);
    paint(painter, printer.pageLayout().paintRect(QPageLayout::Point).size());
  });
}

}  // namespace yz
