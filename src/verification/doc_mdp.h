// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

namespace yz {

// What a certified document allows after its certification signature (DocMDP P): 1 no
// changes at all, 2 filling in forms and signing its own signature fields, 3 also annotations.
// nullopt when the document is not certified. A value outside 1 to 3 is read as 1: a signer
// must not take a damaged permission for a looser one.
std::optional<int> DocMdpPermission(QPDF& pdf);

// The DocMDP P a signature dictionary's /Reference names, if it is a certification's.
std::optional<int> DocMdpPermissionOf(QPDFObjectHandle signature);

}  // namespace yz
