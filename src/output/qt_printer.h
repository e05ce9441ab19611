#pragma once

#include "seams/printer.h"

namespace yz {

// Error numbers of a failed print, shown with the description.
enum PrintErrorNumber {
  kNoDefaultPrinter = 482,  // no printer is set up as the default
  kPrinterRefused = 483,    // the queue would not start the job
  kPrintIncomplete = 484,   // the job could not be finished
};

// One page on the system's default printer (CUPS), no dialog.
class QtPrinter : public Printer {
 public:
  void PrintPicture(const QImage& picture, double widthInches, double heightInches) override;
};

}  // namespace yz
