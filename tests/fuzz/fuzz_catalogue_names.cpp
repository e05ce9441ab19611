// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The catalogue's name rules over any file name: display names, the style prefix and the
// listing order. Input: three names as raw 16-bit units, apart at each 0xFFFF unit.
#include <QString>
#include <QStringList>
#include <algorithm>

#include "app/directory_listing.h"
#include "app/name_rules.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString all(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
  const QStringList names = all.split(QChar(0xFFFF));
  const QString a = names.value(0), b = names.value(1), c = names.value(2);

  for (const QString& name : {a, b, c}) {
    const QString face = yz::SingleFaceDisplayName(name);
    YZ_FUZZ_CHECK(name.startsWith(face));
    YZ_FUZZ_CHECK(name.contains(u'(') ? name.size() - face.size() >= 1 : !face.contains(u'.'));
    const QString background = yz::BackgroundDisplayName(name);
    YZ_FUZZ_CHECK(name.contains(background) && !background.contains(u'.'));
    if (!name.contains(u'-')) YZ_FUZZ_CHECK(name.startsWith(background));
    YZ_FUZZ_CHECK(yz::StylePrefix(name) == name.left(3));
  }

  // The listing order is a strict total order: std::sort relies on it.
  const auto before = [](const QString& x, const QString& y) { return yz::ListsBefore(x, y); };
  YZ_FUZZ_CHECK(!before(a, a));
  if (a != b) YZ_FUZZ_CHECK(before(a, b) != before(b, a));
  QString order[] = {a, b, c};
  std::sort(std::begin(order), std::end(order));
  do {
    if (before(order[0], order[1]) && before(order[1], order[2]))
      YZ_FUZZ_CHECK(before(order[0], order[2]));
  } while (std::next_permutation(std::begin(order), std::end(order)));
  return 0;
}
