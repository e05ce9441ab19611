// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <set>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>

namespace yz {

// How the file's last cross-reference section is written; an update is written the same way,
// so that a reader that could read the file can read the update.
enum class XrefKind { Table, Stream };

// Where a file's last revision ends, read from its bytes (not from what the PDF library
// repaired): the offset `startxref` names and the kind of section found there.
struct FileEnd {
  qint64 size = 0;       // the file's length in bytes
  qint64 startxref = 0;  // the offset of the last cross-reference section
  XrefKind kind = XrefKind::Table;
};

// Reads the end of the file at `path`. Throws Failure when its last cross-reference section
// cannot be found where the file says: appending to such a file would leave an update that
// readers cannot follow.
FileEnd ReadFileEnd(const QString& path);

// One revision appended after a document's original bytes: the objects the PDF library made
// or changed, each written by hand, a cross-reference section of the file's own kind and a
// trailer repeating the previous one's entries with /Prev. The library holds the document
// opened from the same file; new objects get numbers above every object it holds.
class IncrementalUpdate {
 public:
  IncrementalUpdate(QPDF& pdf, const FileEnd& end);

  // A number for an object whose bytes the caller writes itself (the signature dictionary,
  // whose /Contents and /ByteRange are patched after the update is laid out).
  QPDFObjectHandle Reserve();
  void SetRaw(const QPDFObjectHandle& reserved, const QByteArray& bytes);
  // An object of the original document that was changed and must be written again.
  void Changed(const QPDFObjectHandle& object);
  // A new indirect object (and everything new it reaches) the update must hold.
  void Add(const QPDFObjectHandle& object);
  // Whether `object` is one the update made.
  bool IsNew(const QPDFObjectHandle& object) const;

  struct Laid {
    QByteArray bytes;                        // everything after the original bytes
    std::map<int, qint64> rawOffsets;        // reserved object number → its offset in `bytes`
  };
  // Writes the update. Offsets in it count from the start of the whole file.
  Laid Write() const;

 private:
  void Reach(QPDFObjectHandle object, std::set<int>& seen, std::set<int>& found) const;
  QByteArray Serialised(QPDFObjectHandle object) const;
  int Generation(int number) const;
  QByteArray XrefTable(const std::map<int, qint64>& offsets, int size) const;
  QByteArray XrefStream(std::map<int, qint64> offsets, int number, qint64 at) const;
  QByteArray TrailerEntries() const;

  QPDF& pdf_;
  FileEnd end_;
  int firstNew_ = 0;
  int oldSize_ = 0;
  std::map<int, QPDFObjectHandle> changed_;  // by number, as the library holds them
  std::map<int, QPDFObjectHandle> added_;
  std::map<int, QByteArray> raw_;
};

}  // namespace yz
