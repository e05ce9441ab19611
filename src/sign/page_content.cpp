// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/page_content.h"

#include <algorithm>
#include <qpdf/Pl_Discard.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

namespace yz {

namespace {

// How deep the content's saves go: below the start at its lowest point (restores with nothing
// saved), and how many are left open at its end.
class SaveDepth : public QPDFObjectHandle::TokenFilter {
 public:
  void handleToken(const QPDFTokenizer::Token& token) override {
    if (token.isWord("q")) {
      ++depth_;
    } else if (token.isWord("Q")) {
      --depth_;
      lowest_ = std::min(lowest_, depth_);
    }
  }
  int Lowest() const { return lowest_; }
  int AtEnd() const { return depth_; }

 private:
  int depth_ = 0;
  int lowest_ = 0;
};

QPDFObjectHandle OwnCopy(QPDFObjectHandle parent, const std::string& key) {
  QPDFObjectHandle value = parent.getKey(key);
  if (!value.isDictionary()) {
    value = QPDFObjectHandle::newDictionary();
  } else if (value.isIndirect()) {
    value = value.shallowCopy();
  } else {
    return value;
  }
  parent.replaceKey(key, value);
  return value;
}

}  // namespace

std::string AddPageResource(QPDFPageObjectHelper& page, const std::string& kind,
                            QPDFObjectHandle object, const std::string& prefix) {
  QPDFObjectHandle resources = page.getAttribute("/Resources", true);
  if (!resources.isDictionary()) {
    resources = QPDFObjectHandle::newDictionary();
    page.getObjectHandle().replaceKey("/Resources", resources);
  }
  // The kind's own dictionary may be shared even where the resources are not.
  QPDFObjectHandle names = OwnCopy(resources, kind);
  int suffix = 1;
  const std::string name = resources.getUniqueResourceName(prefix, suffix);
  names.replaceKey(name, object);
  return name;
}

void DrawOverPage(QPDFPageObjectHelper& page, const std::string& drawing) {
  SaveDepth depth;
  Pl_Discard discard;
  page.filterContents(&depth, &discard);
  // Enough saves first that the content's extra restores never reach the page's default state,
  // and as many restores after as leave it exactly there.
  const int saves = 1 - depth.Lowest();
  const int restores = saves + depth.AtEnd();
  QPDF& pdf = *page.getObjectHandle().getOwningQPDF();
  std::string before, after;
  for (int i = 0; i < saves; ++i) before += "q\n";
  for (int i = 0; i < restores; ++i) after += "Q\n";
  page.addPageContents(QPDFObjectHandle::newStream(&pdf, before), true);
  page.addPageContents(QPDFObjectHandle::newStream(&pdf, "\n" + after + drawing), false);
}

}  // namespace yz
