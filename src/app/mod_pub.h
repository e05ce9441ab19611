// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>


namespace yz {
class MessageBox;
}

// Start-up's readers: the application folder and the compound-surname table's text. What they
// find is kept in one Installation value (app/installation.h), never in globals.
namespace modPub {

// AppPath for an executable living in `executableDir` (no trailing "/" needed).
QString AppPathFor(const QString& executableDir);

// The largest text file read. The compound-surname table is a few kilobytes; a file far larger
// is damaged, and reading it whole would hold the start-up for seconds and gigabytes.
inline constexpr qint64 kMaxTextFileBytes = 1 << 20;

// The whole file decoded from code page 936 (GBK with its user-defined areas in the private-use
// area), one trailing CR LF removed. A missing or unreadable file, or one larger than
// kMaxTextFileBytes, shows the warning "不存在该文件或该文件不能访问！" with the path on a line
// of its own and gives an empty text; invalid bytes become U+FFFD.
QString ReadTextFile(const QString& path, yz::MessageBox& messages);

// Code page 936 bytes to text, as ReadTextFile decodes them.
QString DecodeCodePage936(const QByteArray& bytes);

}  // namespace modPub
