#include "output/qt_printer.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace yz {

void QtPrinter::PrintPicture(const QImage& picture, double widthInches, double heightInches) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull() || info.printerName().isEmpty()) {
    throw PrintError(kNoDefaultPrinter,
                     QStringLiteral("没有设置默认打印机。请先在系统的打印机设置中添加一台打印机并设为默认。"));
  }
  QPrinter printer(info, QPrinter::HighResolution);
  printer.setFullPage(false);  // coordinates start at the printable area's corner
  printer.setDocName(QStringLiteral("签名"));
  QPainter painter;
  if (!painter.begin(&printer)) {
    throw PrintError(kPrinterRefused,
                     QStringLiteral("打印机“%1”没有接受打印任务。请检查它是否已连接并处于就绪状态。")
                         .arg(info.printerName()));
  }
  const QRectF target(0, 0, widthInches * printer.resolution(), heightInches * printer.resolution());
  painter.drawImage(target, picture);
  if (!painter.end()) {
    throw PrintError(kPrintIncomplete,
                     QStringLiteral("打印任务没有完成（打印机“%1”）。").arg(info.printerName()));
  }
}

}  // namespace yz
