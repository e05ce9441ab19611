// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "certificates/der_writer.h"

#include <QList>
#include <algorithm>

namespace yz::der {

namespace {

QByteArray Length(qsizetype length) {
  if (length < 0x80) return QByteArray(1, char(length));
  QByteArray bytes;
  for (qsizetype rest = length; rest > 0; rest >>= 8) bytes.prepend(char(rest & 0xff));
  bytes.prepend(char(0x80 | bytes.size()));
  return bytes;
}

// The content after a tag and its length: what an IMPLICIT retagging keeps.
QByteArray ContentOf(const QByteArray& encoding) {
  const auto first = static_cast<unsigned char>(encoding.at(1));
  const int skip = first < 0x80 ? 2 : 2 + (first & 0x7f);
  return encoding.mid(skip);
}

void Base128(QByteArray& out, unsigned long long value) {
  QByteArray bytes(1, char(value & 0x7f));
  for (value >>= 7; value > 0; value >>= 7) bytes.prepend(char(0x80 | (value & 0x7f)));
  out += bytes;
}

}  // namespace

QByteArray Tagged(unsigned char tag, const QByteArray& content) {
  return char(tag) + Length(content.size()) + content;
}

QByteArray Sequence(std::initializer_list<QByteArray> items) {
  QByteArray content;
  for (const QByteArray& item : items) content += item;
  return Tagged(0x30, content);
}

QByteArray SetOf(std::vector<QByteArray> members, unsigned char tag) {
  std::sort(members.begin(), members.end());  // byte-wise, which is DER's order
  QByteArray content;
  for (const QByteArray& member : members) content += member;
  return Tagged(tag, content);
}

QByteArray Oid(const char* dotted) {
  const QList<QByteArray> parts = QByteArray(dotted).split('.');
  QByteArray content;
  Base128(content, parts.at(0).toULongLong() * 40 + parts.at(1).toULongLong());
  for (qsizetype i = 2; i < parts.size(); ++i) Base128(content, parts.at(i).toULongLong());
  return Tagged(0x06, content);
}

QByteArray OctetString(const QByteArray& bytes) { return Tagged(0x04, bytes); }

QByteArray SmallInteger(int value) { return Tagged(0x02, QByteArray(1, char(value))); }

QByteArray Null() { return QByteArray("\x05\x00", 2); }

QByteArray Explicit(int n, const QByteArray& encoding) { return Tagged(0xa0 | n, encoding); }

QByteArray Implicit(int n, const QByteArray& constructed) {
  return Tagged(0xa0 | n, ContentOf(constructed));
}

}  // namespace yz::der
