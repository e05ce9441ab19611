// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <map>
#include <string>
#include <vector>

#include <qpdf/QPDFObjGen.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include "sign/content_scan.h"

class QPDFPageObjectHelper;

namespace yz {

// Adds `object` to the page's own resources under a new name of the given kind ("/XObject",
// "/ExtGState") and returns the name. Resources inherited from the page tree or shared with
// other pages are copied for this page first, so the name never appears on another page.
std::string AddPageResource(QPDFPageObjectHelper& page, const std::string& kind,
                            QPDFObjectHandle object, const std::string& prefix);

// What a page's content streams leave behind at their end, and where one runs on into the next.
struct ContentEnd {
  ContentState state;
  std::vector<bool> readable;  // one per stream: false for filters no reader knows
  std::vector<bool> runsOn;    // one per stream but the last
};
// The ends found so far, by the page's content streams: pages that share their content (a
// document repeating its pages, pages drawn from one template) have it read once.
using ContentEnds = std::map<std::vector<QPDFObjGen>, ContentEnd>;

// Draws `drawing` (content-stream operators) over the page, starting in the page's default
// state, and leaves the page's own drawing exactly as it was. The content is read through as it
// streams out of the file (never held whole). Content that ends tidily is wrapped: a save first,
// and after it the text object, marked content and saves it left open closed. Content no closing
// can tidy (a restore with nothing saved, an open string, array, dictionary or inline image)
// becomes a form XObject drawn first, which readers read on its own. `known`, when given, keeps
// what was read for the next pages.
void DrawOverPage(QPDFPageObjectHelper& page, const std::string& drawing, ContentEnds* known = nullptr);

}  // namespace yz
