// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/written_pdf.h"

#include <qpdf/Buffer.hh>

namespace yz {

QByteArray WriteToMemory(QPDFWriter& writer) {
  writer.setOutputMemory();
  writer.write();
  const std::shared_ptr<Buffer> buffer = writer.getBufferSharedPointer();
  return QByteArray(reinterpret_cast<const char*>(buffer->getBuffer()),
                    qsizetype(buffer->getSize()));
}

}  // namespace yz
