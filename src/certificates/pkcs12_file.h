// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <memory>

#include "certificates/signer.h"
#include "seams/failure.h"

namespace yz {

// The password does not open the file: the one failure worth asking the password again for.
class WrongCertificatePassword : public Failure {
 public:
  using Failure::Failure;
};

// The key and chain of a PKCS#12 file (.p12/.pfx), old RC2-40 ones included. Throws Failure
// with the one reason the window shows: the file is missing or not a file, damaged or not
// PKCS#12, the password is wrong, it holds no private key, or its certificate is not the key's.
std::unique_ptr<Signer> OpenPkcs12(const QString& path, const QString& password);

// The bytes of a PKCS#12 file, read only when it is a regular file of sensible size. Throws
// Failure (missing, a folder, a pipe or device, unreadable, too large).
QByteArray ReadPkcs12File(const QString& path);

}  // namespace yz
