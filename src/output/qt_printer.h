// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "seams/printer.h"

namespace yz {

// Error numbers of a failed print, shown with the description.
enum PrintErrorNumber {
  kNoDefaultPrinter = 482,  // no printer is set up as the default
  kPrinterRefused = 483,    // the queue takes no jobs, or refused this one
  kPrintIncomplete = 484,   // the print document could not be started or finished
  kPrinterPaused = 485,     // the queue is stopped; nothing was sent, so nothing prints later
  kNothingToPrint = 486,    // the canvas holds no picture
};

// One page on the system's default printer (CUPS), no dialog. The picture's top-left lies at
// the printer's own printable-area corner, not inside Qt's default page margins.
class QtPrinter : public Printer {
 public:
  void PrintPicture(const QImage& picture, double widthInches, double heightInches) override;
  void PrintPage(const QString& title, double margin, const PagePainter& paint) override;
};

}  // namespace yz
