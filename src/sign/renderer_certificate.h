// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <optional>

#include "export/render_arguments.h"
#include "sign/signing_plan.h"

namespace yz {

// The first line of a password file (without its line break). Throws Failure when it cannot be
// read, naming it.
QString PasswordFromFile(const QString& path);

// The certificate the renderer's arguments name, opened once for every document: its password
// from --certificate-password-file, else YZ_CERTIFICATE_PASSWORD, else none; checked for
// signing now (validity, key usage). Nothing when no certificate is asked for. Throws Failure
// with the one reason it cannot be used.
std::optional<CertificateSigning> RendererCertificate(const RenderArguments::Signing& signing);

}  // namespace yz
