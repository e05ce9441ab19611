#pragma once

#include <QImage>
#include <QString>
#include <stdexcept>

namespace yz {

// Prints one page on the system's default printer: the picture at the top-left of the printable
// area at the given size in inches. Throws PrintError.
class Printer {
 public:
  virtual ~Printer() = default;
  virtual void PrintPicture(const QImage& picture, double widthInches, double heightInches) = 0;
};

class PrintError : public std::runtime_error {
 public:
  PrintError(int number, const QString& description)
      : std::runtime_error(description.toStdString()), number_(number), description_(description) {}
  int number() const { return number_; }
  const QString& description() const { return description_; }

 private:
  int number_;
  QString description_;
};

}  // namespace yz
