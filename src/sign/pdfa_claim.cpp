// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/pdfa_claim.h"

#include <QRegularExpression>
#include <algorithm>
#include <QString>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <set>

namespace yz {

namespace {

// Keeps the first bytes piped to it: the claim sits near the start of the metadata, and a
// document's metadata may be as large as it likes.
class FirstBytes : public Pipeline {
 public:
  explicit FirstBytes(size_t most) : Pipeline("first bytes", nullptr), most_(most) {}
  void write(unsigned char const* data, size_t length) override {
    const size_t room = most_ - std::min(most_, size_t(bytes_.size()));
    bytes_.append(reinterpret_cast<const char*>(data), qsizetype(std::min(room, length)));
  }
  void finish() override {}
  const QByteArray& Bytes() const { return bytes_; }

 private:
  size_t most_;
  QByteArray bytes_;
};

}  // namespace

int ClaimedPdfAPart(QPDF& pdf) {
  constexpr size_t kMostMetadata = 1 << 20;
  try {
    QPDFObjectHandle metadata = pdf.getRoot().getKey("/Metadata");
    if (!metadata.isStream()) return 0;
    FirstBytes first(kMostMetadata);
    metadata.pipeStreamData(&first, nullptr, 0, qpdf_dl_specialized, true);
    const QString xmp = QString::fromUtf8(first.Bytes());
    // The identification schema's prefix is whatever the metadata binds its namespace to.
    static const QRegularExpression binding(
        QStringLiteral(R"(xmlns:([A-Za-z_][\w.-]*)\s*=\s*["']http://www\.aiim\.org/pdfa/ns/id/["'])"));
    const QRegularExpressionMatch bound = binding.match(xmp);
    if (!bound.hasMatch()) return 0;
    const QString prefix = QRegularExpression::escape(bound.captured(1));
    // As an attribute (pdfaid:part="1") or as an element (<pdfaid:part>1</pdfaid:part>).
    const QRegularExpression part(prefix + QStringLiteral(R"(:part\s*(?:=\s*["']\s*|>\s*)(\d+))"));
    const QRegularExpressionMatch claimed = part.match(xmp);
    return claimed.hasMatch() ? claimed.captured(1).toInt() : 0;
  } catch (const std::exception&) {
    return 0;  // metadata the library cannot read claims nothing a reader could check
  }
}

namespace {

class TransparencyRemoval {
 public:
  void Object(QPDFObjectHandle object) {
    if (object.isIndirect() && !seen_.insert(object.getObjGen()).second) return;
    if (object.isStream()) {
      QPDFObjectHandle dict = object.getDict();
      dict.removeKey("/Group");
      dict.removeKey("/SMask");
      dict.removeKey("/SMaskInData");
      Resources(dict.getKey("/Resources"));
    } else if (object.isDictionary()) {
      Resources(object.getKey("/Resources"));  // a pattern's or a font's own resources
    }
  }

 private:
  void Resources(QPDFObjectHandle resources) {
    if (!resources.isDictionary()) return;
    for (const char* kind : {"/XObject", "/Pattern", "/Shading", "/Font"})
      if (QPDFObjectHandle named = resources.getKey(kind); named.isDictionary())
        for (auto& [name, value] : named.ditems()) Object(value);
    if (QPDFObjectHandle states = resources.getKey("/ExtGState"); states.isDictionary())
      for (auto& [name, state] : states.ditems()) State(state);
  }

  void State(QPDFObjectHandle state) {
    if (!state.isDictionary() || (state.isIndirect() && !seen_.insert(state.getObjGen()).second))
      return;
    for (const char* alpha : {"/CA", "/ca"})
      if (state.hasKey(alpha)) state.replaceKey(alpha, QPDFObjectHandle::newReal(1.0, 1));
    if (state.hasKey("/SMask")) state.replaceKey("/SMask", QPDFObjectHandle::newName("/None"));
    if (state.hasKey("/BM")) state.replaceKey("/BM", QPDFObjectHandle::newName("/Normal"));
  }

  std::set<QPDFObjGen> seen_;
};

}  // namespace

void RemoveTransparency(QPDFObjectHandle form) { TransparencyRemoval().Object(form); }

StampBlending::StampBlending(QPDF& pdf, const QString& documentPath)
    : path_(documentPath), opaque_(ClaimedPdfAPart(pdf) == 1) {}

InkBlend StampBlending::For(InkBlend asked, QStringList& warnings) {
  if (!opaque_ || asked == InkBlend::Normal) return asked;
  if (!told_)
    warnings << QStringLiteral("文档声明符合 PDF/A-1，其中不能有透明效果：印章改为直接盖上（不与页面相乘），会遮住其下的文字：%1")
                    .arg(path_);
  told_ = true;
  return InkBlend::Normal;
}

}  // namespace yz
