// libFuzzer target for the pure text rules: decoding the compound-surname table, splitting
// names against it (cut surrogate pairs included), the catalogue's display-name rules and the
// two ways a size text is read. Any crash, hang or sanitizer report is a finding.
#include <QString>
#include <cstddef>
#include <cstdint>

#include "app/mod_pub.h"
#include "app/name_rules.h"
#include "render/font_size.h"
#include "render/split_signature_name.h"
#include "seams/failure.h"
#include "ui/style_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
  const QString table = modPub::DecodeCodePage936(bytes);
  // Names: the decoded text itself, its halves, and raw 16-bit units (lone surrogates too).
  const QString half = table.left(table.size() / 2);
  const QString units(reinterpret_cast<const QChar*>(data), int(size / 2));
  for (const QString& name : {table, half, units, table.right(3)}) {
    for (const QString& style : {QStringLiteral("公文签"), QStringLiteral("英文签"), name}) {
      const yz::SignatureParts parts =
          yz::SplitSignatureName(style, QStringLiteral(",宋体,"), table, name, name);
      if (parts.first.size() + parts.middle.size() + parts.last.size() > name.size() + 1) __builtin_trap();
    }
    yz::SingleFaceDisplayName(name);
    yz::BackgroundDisplayName(name);
    yz::StylePrefix(name);
    yz::LeadingNumber(name);
    try {
      yz::ParseFontSize(name);
    } catch (const yz::Failure&) {
    }
  }
  return 0;
}
