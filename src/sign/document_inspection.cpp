// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/document_inspection.h"

namespace yz {

DocumentInspection InspectDocument(const QString& path, const QString&) {
  DocumentInspection inspection;
  inspection.failure = QStringLiteral("签署文档尚未完成：还不能读取 %1").arg(path);
  return inspection;
}

}  // namespace yz
