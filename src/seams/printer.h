// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <functional>
#include <stdexcept>

class QPainter;

namespace yz {

// Paints one page in vector form: the painter's unit is the point (1/72 inch), (0, 0) is the
// printable area's top-left and `printable` its size.
using PagePainter = std::function<void(QPainter& painter, const QSizeF& printable)>;

// Prints one page on the system's default printer. Throws PrintError.
class Printer {
 public:
  virtual ~Printer() = default;
  // The picture at the top-left of the printable area at the given size in inches.
  virtual void PrintPicture(const QImage& picture, double widthInches, double heightInches) = 0;
  // A page painted by `paint` on the printer's own page size, as the document `title`, with
  // margins of at least `margin` points (more where the printer cannot print nearer the edge).
  virtual void PrintPage(const QString& title, double margin, const PagePainter& paint) = 0;
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
