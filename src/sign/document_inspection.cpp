// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/document_inspection.h"

#include "sign/open_document.h"
#include "sign/page_frame.h"
#include "sign/signature_field.h"

namespace yz {

DocumentInspection InspectDocument(const QString& path, const QString& password) {
  DocumentInspection inspection;
  try {
    OpenedDocument document = OpenDocument(path, password);
    inspection.pageCount = int(document.pages.size());
    for (QPDFPageObjectHelper& page : document.pages) {
      const PageFrame frame = FrameOfPage(page);
      inspection.pageSizesMm.append(frame.ShownMillimetres());
      inspection.pageRotations.append(frame.rotation);
    }
    inspection.modificationForbidden = ModificationForbidden(*document.pdf);
    inspection.holdsDigitalSignatures = HoldsDigitalSignatures(*document.pdf);
    inspection.emptySignatureFields = EmptySignatureFields(*document.pdf);
    inspection.certification = CertificationOf(*document.pdf);
    inspection.warnings = document.warnings + RepairWarnings(*document.pdf, path);
  } catch (const DocumentProblem& problem) {
    if (problem.kind() == DocumentProblem::Kind::NeedsPassword)
      inspection.access = DocumentInspection::Access::NeedsPassword;
    else if (problem.kind() == DocumentProblem::Kind::WrongPassword)
      inspection.access = DocumentInspection::Access::WrongPassword;
    else
      inspection.failure = problem.message();
  } catch (const std::exception& error) {
    inspection.failure = DamagedDocument(path, error);
  }
  return inspection;
}

}  // namespace yz
