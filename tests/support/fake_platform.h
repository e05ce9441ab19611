#pragma once

#include <QImage>
#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

#include "seams/browser.h"
#include "seams/color_dialog.h"
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
  Result answer;
  std::function<void()> onShow;
  int calls = 0;
  QString lastTitle;
  QStringList lastFilters;
  int lastFilterIndex = 0;
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
  QList<Page> pages;
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
