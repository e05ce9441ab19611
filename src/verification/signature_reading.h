// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "verification/document_file.h"
#include "verification/document_signatures.h"
#include "verification/signature_fields.h"

namespace yz {

// Opens the document, reads its signature fields and hands them to `inspect` (which may read
// the file further and returns the number of revisions it counted), then gathers the result.
// Whatever goes wrong on the way ends up in the result's `failure`, never thrown.
using InspectFields =
    std::function<int(DocumentFile& file, std::vector<SignatureFieldReading>& readings)>;
DocumentSignatures ReadDocumentSignatures(const QString& path, const QString& password,
                                          const InspectFields& inspect);

}  // namespace yz
