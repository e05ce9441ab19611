// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "verification/signature_reading.h"

#include "verification/doc_mdp.h"

namespace yz {

DocumentSignatures ReadDocumentSignatures(const QString& path, const QString& password,
                                          const InspectFields& inspect) {
  DocumentSignatures result;
  try {
    DocumentFile file(path, password);
    std::vector<SignatureFieldReading> readings;
    try {
      readings = ReadSignatureFields(file.pdf());
      result.docMdpPermission = DocMdpPermission(file.pdf());
    } catch (const Failure&) {
      throw;
    } catch (const std::exception& error) {
      throw Failure(QStringLiteral("文档已损坏，无法读取其中的签名：%1（%2）")
                        .arg(path, QString::fromStdString(error.what()).trimmed()));
    }
    result.revisions = inspect(file, readings);
    result.repaired = !file.pdf().getWarnings().empty();
    for (SignatureFieldReading& reading : readings) result.fields.push_back(std::move(reading.field));
  } catch (const UnreadableDocument& problem) {
    using Kind = UnreadableDocument::Kind;
    if (problem.kind() == Kind::NeedsPassword) result.access = DocumentSignatures::Access::NeedsPassword;
    if (problem.kind() == Kind::WrongPassword) result.access = DocumentSignatures::Access::WrongPassword;
    result.failure = problem.message();
  } catch (const Failure& failure) {
    result.failure = failure.message();
  } catch (const std::exception& error) {
    result.failure = QStringLiteral("无法读取文档里的签名：%1（%2）")
                         .arg(path, QString::fromStdString(error.what()).trimmed());
  }
  if (!result.failure.isEmpty()) result.fields.clear();
  return result;
}

}  // namespace yz
