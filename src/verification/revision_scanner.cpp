// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "verification/revision_scanner.h"

#include <algorithm>

namespace yz {

namespace {

constexpr QByteArrayView kStartxref("startxref");
constexpr QByteArrayView kEof("%%EOF");

bool PointsAtZero(const QByteArray& afterStartxref) {
  const QByteArray value = afterStartxref.trimmed();
  qsizetype digits = 0;
  while (digits < value.size() && value[digits] >= '0' && value[digits] <= '9') ++digits;
  return digits > 0 && value.left(digits).toLongLong() == 0;
}

}  // namespace

void RevisionScanner::ContinueAfterEof(QByteArrayView bytes, qsizetype from) {
  for (qsizetype i = from; i < bytes.size() && eol_ != Eol::None; ++i) {
    const char c = bytes[i];
    if (c == '\n') {
      ++revisions_.back().end;
      eol_ = Eol::None;
    } else if (c == '\r' && eol_ == Eol::Any) {
      ++revisions_.back().end;
      eol_ = Eol::AfterCr;
    } else {
      eol_ = Eol::None;
    }
  }
}

void RevisionScanner::Token(const QByteArray& window, qsizetype at, bool startxref,
                            qint64 windowStart) {
  if (startxref) {
    startxrefSeen_ = true;
    afterStartxref_ = window.mid(at + kStartxref.size(), kCapture);
    return;
  }
  if (!startxrefSeen_) return;
  startxrefSeen_ = false;
  if (PointsAtZero(afterStartxref_)) return;
  const qint64 end = windowStart + at + kEof.size();
  revisions_.push_back({end, end});
  eol_ = Eol::Any;
  ContinueAfterEof(window, at + kEof.size());
}

void RevisionScanner::Feed(QByteArrayView chunk) {
  if (chunk.isEmpty()) return;
  // What the previous chunk left open: the bytes after a startxref, the line end after %%EOF.
  if (startxrefSeen_ && afterStartxref_.size() < kCapture)
    afterStartxref_ += chunk.first(std::min(chunk.size(), kCapture - afterStartxref_.size())).toByteArray();
  ContinueAfterEof(chunk, 0);

  const QByteArray window = carry_ + chunk.toByteArray();
  const qint64 windowStart = offset_ - carry_.size();
  // A token wholly inside the carried bytes was seen with the previous chunk.
  const auto fresh = [&](qsizetype at, qsizetype length) { return at + length > carry_.size(); };
  qsizetype nextStart = window.indexOf(kStartxref), nextEof = window.indexOf(kEof);
  while (nextStart >= 0 || nextEof >= 0) {
    const bool startxref = nextEof < 0 || (nextStart >= 0 && nextStart < nextEof);
    const qsizetype at = startxref ? nextStart : nextEof;
    if (fresh(at, startxref ? kStartxref.size() : kEof.size()))
      Token(window, at, startxref, windowStart);
    if (startxref)
      nextStart = window.indexOf(kStartxref, at + 1);
    else
      nextEof = window.indexOf(kEof, at + 1);
  }
  offset_ += chunk.size();
  const qsizetype keep = std::max(kStartxref.size(), kEof.size()) - 1;
  carry_ = window.right(keep);
}

}  // namespace yz
