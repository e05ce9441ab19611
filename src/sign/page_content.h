// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include <qpdf/QPDFObjectHandle.hh>

class QPDFPageObjectHelper;

namespace yz {

// Adds `object` to the page's own resources under a new name of the given kind ("/XObject",
// "/ExtGState") and returns the name. Resources inherited from the page tree or shared with
// other pages are copied for this page first, so the name never appears on another page.
std::string AddPageResource(QPDFPageObjectHelper& page, const std::string& kind,
                            QPDFObjectHandle object, const std::string& prefix);

// Draws `drawing` (content-stream operators) over the page. The page's own content is wrapped
// so that whatever graphics state it leaves behind (unclosed q, a q too many closed) is undone
// before the drawing starts: the drawing begins in the page's default state.
void DrawOverPage(QPDFPageObjectHelper& page, const std::string& drawing);

}  // namespace yz
