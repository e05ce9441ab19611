#pragma once

#include <QString>
#include <QtGlobal>


namespace yz {
class MessageBox;
}

// Program-wide state fixed once at start-up and only read afterwards.
namespace modPub {

// The executable's own directory, ending in exactly one "/" (the root stays "/").
extern QString AppPath;
// The whole text of data/fuxing.dat, one trailing CR LF removed; empty if it could not be read.
extern QString CompoundSurnames;
// Twips by which a centred default position moves left and up.
extern qint32 OffsetX;  // 250
extern qint32 OffsetY;  // 500

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
