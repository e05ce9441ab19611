// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

#include <qpdf/QPDFWriter.hh>

namespace yz {

// Writes the writer's document into memory (it must not have been given an output) and returns
// the bytes. Throws what the library throws.
QByteArray WriteToMemory(QPDFWriter& writer);

}  // namespace yz
