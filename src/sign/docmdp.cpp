// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/docmdp.h"

namespace yz {

namespace {

// The library warns (and counts it as damage) when a key is asked of what is not a dictionary.
QPDFObjectHandle Key(QPDFObjectHandle dictionary, const std::string& key) {
  return dictionary.isDictionary() ? dictionary.getKey(key) : QPDFObjectHandle::newNull();
}

}  // namespace

Certified CertificationOf(QPDF& pdf) {
  QPDFObjectHandle signature = Key(Key(pdf.getRoot(), "/Perms"), "/DocMDP");
  if (!signature.isDictionary()) return Certified::No;
  long long permission = 2;  // what a certification that does not say allows
  QPDFObjectHandle references = Key(signature, "/Reference");
  if (references.isArray())
    for (QPDFObjectHandle reference : references.getArrayAsVector()) {
      if (!Key(reference, "/TransformMethod").isNameAndEquals("/DocMDP")) continue;
      QPDFObjectHandle p = Key(Key(reference, "/TransformParams"), "/P");
      if (p.isInteger()) permission = p.getIntValue();
    }
  switch (permission) {
    case 1: return Certified::NoChanges;
    case 3: return Certified::Annotations;
    default: return Certified::FormsAndSignatures;
  }
}

QString CertificationRefusal(Certified certified, bool newField, bool stamps, const QString& path) {
  switch (certified) {
    case Certified::NoChanges:
      return QStringLiteral("文档经过认证签名，认证者不允许任何修改（DocMDP P=1），再签署会使认证失效：%1")
          .arg(path);
    case Certified::FormsAndSignatures:
      if (stamps)
        return QStringLiteral(
                   "文档经过认证签名，只允许在文档自带的空签名域中签名（DocMDP P=2）：不能加盖印章、日期、骑缝章或其他页上的标记（阅读器对此判断不一，会报认证失效）：%1")
            .arg(path);
      if (newField)
        return QStringLiteral(
                   "文档经过认证签名，只允许在文档自带的空签名域中签名（DocMDP P=2）：请用 --field 选一个空签名域：%1")
            .arg(path);
      return {};
    case Certified::Annotations:
    case Certified::No:
      return {};
  }
  return {};
}

}  // namespace yz
