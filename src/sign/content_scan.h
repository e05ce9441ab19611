// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>

#include <qpdf/Pipeline.hh>

namespace yz {

// Reads a page's content streams as the PDF readers' lexers do, byte by byte as the data arrives,
// holding nothing but its state, and tells what the content leaves behind at its end: saves the
// drawing did not restore, restores made with nothing saved, and an open string, array,
// dictionary or inline image that would swallow whatever follows. Each stream is piped through it
// in turn; the end of a stream ends a word (both readers treat it so) but not a string.
// What content leaves behind at the point read so far.
struct ContentState {
  enum class Mode : std::uint8_t { Between, Word, Comment, String, Hex, Less, Greater, ImageData };
  Mode mode = Mode::Between;
  char word[3] = {};  // the first bytes of the current word: operators of interest are short
  int wordLength = 0;
  long long stringDepth = 0;
  bool escaped = false;
  long long nesting = 0;    // arrays and dictionaries open
  bool inlineDict = false;  // between BI and ID
  int imageMatch = 0;       // progress through whitespace, E, I at the end of image data
  long long depth = 0, textObjects = 0, markedContent = 0;
  bool restoredWithNothingSaved = false;

  // How many saves (q) are open; restores (Q) with nothing saved are not counted.
  long long OpenSaves() const { return depth; }
  // Whether some restore came with nothing saved: one reader ignores it, another stops drawing.
  bool RestoredTooMuch() const { return restoredWithNothingSaved; }
  bool InTextObject() const { return textObjects > 0; }
  long long OpenMarkedContent() const { return markedContent; }
  // Whether the content stops between tokens (a word or a comment ends at the next line), so
  // that operators written after it are read as operators.
  bool EndsCleanly() const;
  // Whether the data stops inside a literal string, an inline image's data or a pending < or >:
  // there the readers run one stream on into the next without a break.
  bool RunsOn() const;
};

// Reads a page's content streams as the PDF readers' lexers do, byte by byte as the data arrives,
// holding nothing but its state, and tells what the content leaves behind at its end: saves the
// drawing did not restore, restores made with nothing saved, and an open string, array,
// dictionary or inline image that would swallow whatever follows. Each stream is piped through it
// in turn; the end of a stream ends a word (both readers treat it so) but not a string.
class ContentScan : public Pipeline {
 public:
  ContentScan();

  void write(unsigned char const* data, size_t length) override;
  // The end of one content stream.
  void finish() override;

  const ContentState& State() const { return s_; }
  // Goes back to a state, to take back the bytes of a stream that turned out to be unreadable.
  void Restore(const ContentState& state) { s_ = state; }

 private:
  void EndWord();
  void Between(unsigned char c);

  ContentState s_;
};

}  // namespace yz
