// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QList>
#include <QPainter>
#include <QStringList>
#include <functional>
#include <optional>

#include "seams/browser.h"
#include "seams/color_dialog.h"
#include "seams/open_dialog.h"
#include "seams/printer.h"
#include "seams/save_dialog.h"

namespace yz::testing {

// Records every address instead of opening it.
class FakeBrowser : public Browser {
 public:
  void Open(const QString& url) override { opened << url; }
  QStringList opened;
};

// Answers with a scripted result and records what it was asked.
class FakeSaveDialog : public SaveDialog {
 public:
  Result GetSaveFileName(QWidget*, const QString& title, const QStringList& filters,
                         int filterIndex) override {
    ++calls;
    lastTitle = title;
    lastFilters = filters;
    lastFilterIndex = filterIndex;
    if (onShow) onShow();
    return answer;
  }
  Result GetSaveFileNameAt(QWidget* owner, const QString& title, const QStringList& filters,
                           int filterIndex, const QString& proposed) override {
    lastProposed = proposed;
    return GetSaveFileName(owner, title, filters, filterIndex);
  }
  Result answer;
  QString lastProposed;
  std::function<void()> onShow;
  int calls = 0;
  QString lastTitle;
  QStringList lastFilters;
  int lastFilterIndex = 0;
};

// Answers with a scripted path ("" for cancel) and counts how often it was asked.
class FakeOpenDialog : public OpenDialog {
 public:
  QString GetOpenFileName(QWidget*, const QString&, const QStringList& filters,
                          const QString& folder) override {
    ++calls;
    lastFilters = filters;
    lastFolder = folder;
    return answer;
  }
  QString answer;
  int calls = 0;
  QStringList lastFilters;
  QString lastFolder;
};

class FakePrinter : public Printer {
 public:
  struct Page {
    QImage picture;
    double widthInches;
    double heightInches;
  };
  void PrintPicture(const QImage& picture, double widthInches, double heightInches) override {
    if (failure) throw *failure;
    pages.append({picture, widthInches, heightInches});
  }
  // Paints the page on A4 inside the margin at 72 dots per inch and keeps it as a picture.
  void PrintPage(const QString& title, double margin, const PagePainter& paint) override {
    if (failure) throw *failure;
    const QSizeF printable(595 - 2 * margin, 842 - 2 * margin);
    QImage page(printable.toSize(), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    paint(painter, printable);
    painter.end();
    pages.append({page, printable.width() / 72, printable.height() / 72});
    titles << title;
  }
  QList<Page> pages;
  QStringList titles;
  std::optional<PrintError> failure;
};

class FakeColorDialog : public ColorDialog {
 public:
  Result ChooseColor(const Request& request) override {
    requests.append(request);
    return answer;
  }
  QList<Request> requests;
  Result answer;
};

}  // namespace yz::testing
