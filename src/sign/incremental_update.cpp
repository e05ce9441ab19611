// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/incremental_update.h"

#include <QFile>
#include <QRegularExpression>
#include <qpdf/Buffer.hh>

#include "seams/failure.h"

namespace yz {

namespace {

// Readers look for startxref in the file's last kilobyte; a little more costs nothing.
constexpr qint64 kTailWindow = 2048;
// What a section must show at its start to be recognised.
constexpr qint64 kHeadWindow = 1024;
// Object numbers are kept above the old /Size unless that would take this many placeholders.
constexpr int kMostNumbersSkipped = 10000;

QByteArray Read(QFile& file, qint64 at, qint64 length) {
  if (!file.seek(at)) return {};
  return file.read(length);
}

QByteArray Line(const QByteArray& text) { return text + '\n'; }

// Entries of a trailer or cross-reference stream dictionary that describe that section only.
bool BelongsToSection(const std::string& key) {
  static const std::set<std::string> own = {"/Size", "/Prev", "/XRefStm", "/Type", "/W",
                                            "/Index", "/Filter", "/DecodeParms", "/Length",
                                            "/DL", "/F", "/FFilter", "/FDecodeParms"};
  return own.count(key) > 0;
}

}  // namespace

FileEnd ReadFileEnd(const QString& path) {
  QFile file(path);
  const QString damaged =
      QStringLiteral("文档的交叉引用表已损坏，无法在原文件后追加签署（追加的内容将无法读取）：%1").arg(path);
  if (!file.open(QIODevice::ReadOnly))
    throw Failure(QStringLiteral("无法读取文档：%1（%2）").arg(path, file.errorString()));
  FileEnd end;
  end.size = file.size();
  const qint64 from = std::max<qint64>(0, end.size - kTailWindow);
  const QByteArray tail = Read(file, from, end.size - from);
  static const QRegularExpression startxref(QStringLiteral("startxref\\s+(\\d+)\\s+%%EOF"));
  qint64 found = -1;
  for (auto it = startxref.globalMatch(QString::fromLatin1(tail)); it.hasNext();)
    found = it.next().captured(1).toLongLong();
  if (found <= 0 || found >= end.size) throw Failure(damaged);
  end.startxref = found;
  const QByteArray head = Read(file, found, kHeadWindow);
  static const QRegularExpression object(QStringLiteral("^\\d+\\s+\\d+\\s+obj\\b"));
  if (head.startsWith("xref"))
    end.kind = XrefKind::Table;
  else if (object.match(QString::fromLatin1(head)).hasMatch() && head.contains("/XRef"))
    end.kind = XrefKind::Stream;
  else
    throw Failure(damaged);
  return end;
}

IncrementalUpdate::IncrementalUpdate(QPDF& pdf, const FileEnd& end) : pdf_(pdf), end_(end) {
  QPDFObjectHandle size = pdf_.getTrailer().getKey("/Size");
  oldSize_ = size.isInteger() ? int(size.getIntValue()) : 0;
  // A free entry at the end of the old table is left free: new numbers start above /Size.
  for (int skipped = 0; int(pdf_.getObjectCount()) + 1 < oldSize_ && skipped < kMostNumbersSkipped;
       ++skipped)
    pdf_.makeIndirectObject(QPDFObjectHandle::newNull());
  firstNew_ = int(pdf_.getObjectCount()) + 1;
}

QPDFObjectHandle IncrementalUpdate::Reserve() {
  // A dictionary, not a null: the library drops a key whose value is null.
  QPDFObjectHandle object = pdf_.makeIndirectObject(QPDFObjectHandle::newDictionary());
  raw_[object.getObjectID()] = {};
  return object;
}

void IncrementalUpdate::SetRaw(const QPDFObjectHandle& reserved, const QByteArray& bytes) {
  raw_[reserved.getObjectID()] = bytes;
}

void IncrementalUpdate::Changed(const QPDFObjectHandle& object) {
  if (!object.isIndirect()) return;
  (IsNew(object) ? added_ : changed_)[object.getObjectID()] = object;
}

void IncrementalUpdate::Add(const QPDFObjectHandle& object) { Changed(object); }

bool IncrementalUpdate::IsNew(const QPDFObjectHandle& object) const {
  return object.isIndirect() && object.getObjectID() >= firstNew_;
}

void IncrementalUpdate::Reach(QPDFObjectHandle object, std::set<int>& seen,
                              std::set<int>& found) const {
  if (object.isIndirect()) {
    if (!IsNew(object) || !seen.insert(object.getObjectID()).second) return;
    found.insert(object.getObjectID());
  }
  if (object.isStream()) {
    Reach(object.getDict(), seen, found);
  } else if (object.isArray()) {
    for (QPDFObjectHandle item : object.getArrayAsVector()) Reach(item, seen, found);
  } else if (object.isDictionary()) {
    for (auto& [key, value] : object.getDictAsMap()) Reach(value, seen, found);
  }
}

QByteArray IncrementalUpdate::Serialised(QPDFObjectHandle object) const {
  QByteArray out = QByteArray::number(object.getObjectID()) + ' ' +
                   QByteArray::number(object.getGeneration()) + " obj\n";
  if (const auto raw = raw_.find(object.getObjectID()); raw != raw_.end()) return out + raw->second + "\nendobj\n";
  if (!object.isStream()) return out + QByteArray::fromStdString(object.unparseResolved()) + "\nendobj\n";
  const std::shared_ptr<Buffer> data = object.getRawStreamData();
  QPDFObjectHandle dict = object.getDict().shallowCopy();
  dict.replaceKey("/Length", QPDFObjectHandle::newInteger(qlonglong(data->getSize())));
  out += QByteArray::fromStdString(dict.unparse()) + "\nstream\n";
  out.append(reinterpret_cast<const char*>(data->getBuffer()), qsizetype(data->getSize()));
  return out + "\nendstream\nendobj\n";
}

QByteArray IncrementalUpdate::TrailerEntries() const {
  QByteArray out;
  for (auto [key, value] : pdf_.getTrailer().getDictAsMap())
    if (!BelongsToSection(key) && !value.isNull())
      out += ' ' + QByteArray::fromStdString(key) + ' ' + QByteArray::fromStdString(value.unparse());
  return out + " /Prev " + QByteArray::number(end_.startxref);
}

int IncrementalUpdate::Generation(int number) const {
  const auto it = changed_.find(number);
  return it == changed_.end() ? 0 : QPDFObjectHandle(it->second).getGeneration();
}

QByteArray IncrementalUpdate::XrefTable(const std::map<int, qint64>& offsets, int size) const {
  QByteArray out = "xref\n";
  for (auto it = offsets.begin(); it != offsets.end();) {
    auto last = it;
    int count = 1;
    while (std::next(last) != offsets.end() && std::next(last)->first == last->first + 1) {
      ++last;
      ++count;
    }
    out += Line(QByteArray::number(it->first) + ' ' + QByteArray::number(count));
    for (int i = 0; i < count; ++i, ++it) {
      const int generation = Generation(it->first);
      out += QByteArray::number(it->second).rightJustified(10, '0') + ' ' +
             QByteArray::number(generation).rightJustified(5, '0') + " n\r\n";
    }
  }
  return out + "trailer\n<< /Size " + QByteArray::number(size) + TrailerEntries() + " >>\n";
}

QByteArray IncrementalUpdate::XrefStream(std::map<int, qint64> offsets, int number,
                                         qint64 at) const {
  offsets[number] = at;
  QByteArray index, data;
  for (auto it = offsets.begin(); it != offsets.end();) {
    const int first = it->first;
    int count = 0;
    for (int expected = first; it != offsets.end() && it->first == expected; ++it, ++expected) {
      ++count;
      data += char(1);
      for (int shift = 32; shift >= 0; shift -= 8) data += char((it->second >> shift) & 0xff);
      const int generation = Generation(it->first);
      data += char((generation >> 8) & 0xff);
      data += char(generation & 0xff);
    }
    index += QByteArray::number(first) + ' ' + QByteArray::number(count) + ' ';
  }
  return QByteArray::number(number) + " 0 obj\n<< /Type /XRef /Size " +
         QByteArray::number(number + 1) + " /W [1 5 2] /Index [" + index.trimmed() + "] /Length " +
         QByteArray::number(data.size()) + TrailerEntries() + " >>\nstream\n" + data +
         "\nendstream\nendobj\n";
}

IncrementalUpdate::Laid IncrementalUpdate::Write() const {
  std::set<int> seen, numbers;
  for (const auto& [number, changed] : changed_) {
    numbers.insert(number);
    QPDFObjectHandle object = changed;
    if (object.isStream()) object = object.getDict();
    if (object.isArray())
      for (QPDFObjectHandle item : object.getArrayAsVector()) Reach(item, seen, numbers);
    else if (object.isDictionary())
      for (auto& [key, value] : object.getDictAsMap()) Reach(value, seen, numbers);
  }
  for (const auto& [number, added] : added_) Reach(added, seen, numbers);
  for (const auto& [number, bytes] : raw_) numbers.insert(number);

  Laid laid;
  laid.bytes = "\n";  // the original may end without a line break after %%EOF
  std::map<int, qint64> offsets;
  for (int number : numbers) {
    const auto changed = changed_.find(number);
    QPDFObjectHandle object =
        changed != changed_.end() ? changed->second : pdf_.getObjectByID(number, 0);
    offsets[number] = end_.size + laid.bytes.size();
    if (raw_.count(number)) laid.rawOffsets[number] = laid.bytes.size();
    laid.bytes += Serialised(object);
  }
  const int size = std::max(oldSize_, offsets.empty() ? 0 : offsets.rbegin()->first + 1);
  const qint64 xrefAt = end_.size + laid.bytes.size();
  if (end_.kind == XrefKind::Table)
    laid.bytes += XrefTable(offsets, size);
  else
    laid.bytes += XrefStream(offsets, size, xrefAt);
  laid.bytes += "startxref\n" + QByteArray::number(xrefAt) + "\n%%EOF\n";
  return laid;
}

}  // namespace yz
