// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "verification/doc_mdp.h"

namespace yz {

namespace {

constexpr int kDefaultPermission = 2;  // what a transform without /P means

int Permission(QPDFObjectHandle params) {
  if (!params.isDictionary() || !params.hasKey("/P")) return kDefaultPermission;
  QPDFObjectHandle p = params.getKey("/P");
  if (!p.isInteger()) return 1;
  const long long value = p.getIntValue();
  return value >= 1 && value <= 3 ? int(value) : 1;
}

}  // namespace

std::optional<int> DocMdpPermissionOf(QPDFObjectHandle signature) {
  if (!signature.isDictionary()) return std::nullopt;
  QPDFObjectHandle references = signature.getKey("/Reference");
  if (!references.isArray()) return std::nullopt;
  for (QPDFObjectHandle reference : references.aitems()) {
    if (!reference.isDictionary()) continue;
    QPDFObjectHandle method = reference.getKey("/TransformMethod");
    if (method.isName() && method.getName() == "/DocMDP")
      return Permission(reference.getKey("/TransformParams"));
  }
  return std::nullopt;
}

std::optional<int> DocMdpPermission(QPDF& pdf) {
  QPDFObjectHandle perms = pdf.getRoot().getKey("/Perms");
  if (!perms.isDictionary() || !perms.hasKey("/DocMDP")) return std::nullopt;
  QPDFObjectHandle signature = perms.getKey("/DocMDP");
  // The catalogue says the document is certified even where the signature's own transform
  // is missing or damaged: it is then held to the default.
  return DocMdpPermissionOf(signature).value_or(signature.isDictionary() ? kDefaultPermission : 1);
}

}  // namespace yz
