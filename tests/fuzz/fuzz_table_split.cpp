// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The compound-surname table from its bytes to the cut name: code page 936 decoding, the lookup
// of the first two units and the split into three parts, with names of any 16-bit units (lone
// surrogates too). Input: a style byte, the table's bytes, then the name's units.
#include <fuzzer/FuzzedDataProvider.h>

#include <QString>

#include "app/mod_pub.h"
#include "fuzz_check.h"
#include "render/name_characters.h"
#include "render/split_signature_name.h"

namespace {

void CheckDecoding(const QByteArray& bytes, const QString& text) {
  // One unit at most per byte, all in the basic plane: code page 936 has no surrogates.
  YZ_FUZZ_CHECK(text.size() <= bytes.size());
  bool ascii = true;
  for (const char b : bytes) ascii = ascii && uchar(b) < 0x80;
  if (ascii) YZ_FUZZ_CHECK(text == QString::fromLatin1(bytes));
  for (const QChar unit : text) YZ_FUZZ_CHECK(!unit.isSurrogate());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const int kind = input.ConsumeIntegralInRange(0, 3);
  const std::string tableBytes = input.ConsumeRandomLengthString(4096);
  const std::vector<uint8_t> rest = input.ConsumeRemainingBytes<uint8_t>();
  const QByteArray bytes(tableBytes.data(), qsizetype(tableBytes.size()));
  const QString table = modPub::DecodeCodePage936(bytes);
  CheckDecoding(bytes, table);

  const QString name(reinterpret_cast<const QChar*>(rest.data()), qsizetype(rest.size() / 2));
  static const QString kStyles[] = {QStringLiteral("公文签"), QStringLiteral("英文签"),
                                    QStringLiteral("宋体"), QString()};
  const QString& style = kStyles[kind];
  const yz::SignatureParts parts =
      yz::SplitSignatureName(style, QStringLiteral(",宋体,"), table, name, name);
  const QString joined = parts.first + parts.middle + parts.last;
  if (kind == 2) {
    YZ_FUZZ_CHECK(joined.isEmpty());  // a single-face name reached without its font
  } else if (kind == 1 || !table.contains(u' ' + name.left(2) + u'-')) {
    YZ_FUZZ_CHECK(joined == name);  // nothing lost, nothing added
    YZ_FUZZ_CHECK(parts.draw == (kind == 1 || !name.isEmpty()));
  } else {
    // A compound surname: one unit from the table stands for the first two.
    YZ_FUZZ_CHECK(yz::NameCharacters(parts.first).size() <= 1);
    YZ_FUZZ_CHECK(parts.middle + parts.last == name.mid(2));
  }
  // One character, a pair of surrogates counting as one.
  YZ_FUZZ_CHECK(yz::NameCharacters(parts.last).size() <= 1);
  return 0;
}
