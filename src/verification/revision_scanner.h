// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

namespace yz {

// Where each revision of a document ends: every update appended to a PDF closes with
// "startxref <offset> %%EOF", so each %%EOF after a startxref ends one. The first-page trailer
// of a linearized file says "startxref 0" and is no revision of its own. Fed the file's bytes in
// order, a chunk at a time, with memory that does not grow with the file.
class RevisionScanner {
 public:
  struct Revision {
    qint64 eofEnd = 0;  // just after "%%EOF"
    qint64 end = 0;     // after the end-of-line that follows it, if any
  };

  void Feed(QByteArrayView chunk);
  const std::vector<Revision>& revisions() const { return revisions_; }

 private:
  void ContinueAfterEof(QByteArrayView bytes, qsizetype from);
  void Token(const QByteArray& window, qsizetype at, bool startxref, qint64 windowStart);

  static constexpr qsizetype kCapture = 32;  // enough for the whitespace and offset after startxref
  std::vector<Revision> revisions_;
  QByteArray carry_;           // the last bytes of the previous chunk: tokens may straddle
  qint64 offset_ = 0;          // of the next chunk
  bool startxrefSeen_ = false;
  QByteArray afterStartxref_;  // up to kCapture bytes after the last startxref
  enum class Eol { None, Any, AfterCr } eol_ = Eol::None;  // line end still to absorb
};

}  // namespace yz
