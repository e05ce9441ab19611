// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <initializer_list>
#include <vector>

// The few DER encodings a CMS signature is put together from. The signed attributes must be
// exactly the bytes that were signed, so they are written here rather than left to a library
// that adds attributes of its own.
namespace yz::der {

QByteArray Tagged(unsigned char tag, const QByteArray& content);
QByteArray Sequence(std::initializer_list<QByteArray> items);
// A SET OF in DER order (its members sorted by their encodings), as signed attributes must be.
QByteArray SetOf(std::vector<QByteArray> members, unsigned char tag = 0x31);
QByteArray Oid(const char* dotted);  // "1.2.840.113549.1.7.2"
QByteArray OctetString(const QByteArray& bytes);
QByteArray SmallInteger(int value);
QByteArray Null();
// [n] EXPLICIT around a whole encoding, and the IMPLICIT retagging of a constructed one.
QByteArray Explicit(int n, const QByteArray& encoding);
QByteArray Implicit(int n, const QByteArray& constructed);

}  // namespace yz::der
