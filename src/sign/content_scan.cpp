// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/content_scan.h"

#include <algorithm>
#include <array>

namespace yz {

namespace {

enum Class : std::uint8_t { kRegular, kSpace, kDelimiter };

constexpr std::array<std::uint8_t, 256> Classes() {
  std::array<std::uint8_t, 256> classes{};
  for (unsigned char c : {'\0', '\t', '\n', '\f', '\r', ' '}) classes[c] = kSpace;
  for (unsigned char c : {'(', ')', '<', '>', '[', ']', '{', '}', '/', '%'}) classes[c] = kDelimiter;
  return classes;
}
constexpr std::array<std::uint8_t, 256> kClasses = Classes();

// Whether the word just read, `length` bytes long, is `name`.
template <size_t N>
bool Is(const ContentScan::State& s, int length, const char (&name)[N]) {
  return length == int(N - 1) && std::equal(name, name + N - 1, s.word);
}

}  // namespace

ContentScan::ContentScan() : Pipeline("content scan", nullptr) {}

void ContentScan::EndWord() {
  State& s = s_;
  s.mode = Mode::Between;
  const int length = s.wordLength;
  s.wordLength = 0;
  if (length == 0 || length > 3 || s.nesting > 0) return;
  if (s.inlineDict) {
    if (Is(s, length, "ID")) {
      s.inlineDict = false;
      s.mode = Mode::ImageData;
      s.imageMatch = 0;
    }
    return;
  }
  if (Is(s, length, "q")) {
    ++s.depth;
  } else if (Is(s, length, "Q")) {
    // A restore with nothing saved changes nothing (or stops the drawing); the depth stays.
    if (s.depth > 0) --s.depth; else s.lowest = -1;
  } else if (Is(s, length, "BT")) {
    ++s.textObjects;
  } else if (Is(s, length, "ET")) {
    s.textObjects = std::max(0LL, s.textObjects - 1);
  } else if (Is(s, length, "BMC") || Is(s, length, "BDC")) {
    ++s.markedContent;
  } else if (Is(s, length, "EMC")) {
    s.markedContent = std::max(0LL, s.markedContent - 1);
  } else if (Is(s, length, "BI")) {
    s.inlineDict = true;
  }
}

// A byte that starts something new, after whitespace or the end of a token.
void ContentScan::Between(unsigned char c) {
  State& s = s_;
  switch (c) {
    case '(': s.mode = Mode::String; s.stringDepth = 1; s.escaped = false; return;
    case '<': s.mode = Mode::Less; return;
    case '>': s.mode = Mode::Greater; return;
    case '[': ++s.nesting; return;
    case ']': s.nesting = std::max(0LL, s.nesting - 1); return;
    case '%': s.mode = Mode::Comment; return;
    case ')': case '{': case '}': return;
    default: break;
  }
  if (kClasses[c] == kSpace) return;
  s.mode = Mode::Word;  // a name (from /) is a word too, never an operator
  s.word[0] = char(c);
  s.wordLength = 1;
}

void ContentScan::write(unsigned char const* data, size_t length) {
  State& s = s_;
  for (size_t i = 0; i < length; ++i) {
    const unsigned char c = data[i];
    switch (s.mode) {
      case Mode::Between:
        Between(c);
        break;
      case Mode::Word:
        if (kClasses[c] == kRegular) {
          if (s.wordLength < 3) s.word[s.wordLength] = char(c);
          if (s.wordLength < 4) ++s.wordLength;  // four means "longer than any of interest"
          break;
        }
        EndWord();
        // The single whitespace after ID belongs to the operator; the data starts after it.
        if (s.mode == Mode::ImageData && kClasses[c] == kSpace) break;
        if (s.mode == Mode::ImageData) --i; else Between(c);
        break;
      case Mode::Comment:
        if (c == '\n' || c == '\r') s.mode = Mode::Between;
        break;
      case Mode::String:
        if (s.escaped) {
          s.escaped = false;
        } else if (c == '\\') {
          s.escaped = true;
        } else if (c == '(') {
          ++s.stringDepth;
        } else if (c == ')' && --s.stringDepth == 0) {
          s.mode = Mode::Between;
        }
        break;
      case Mode::Hex:
        if (c == '>') s.mode = Mode::Between;
        break;
      case Mode::Less:
        if (c == '<') {
          ++s.nesting;
          s.mode = Mode::Between;
        } else {
          s.mode = Mode::Hex;
          if (c == '>') s.mode = Mode::Between;
        }
        break;
      case Mode::Greater:
        s.mode = Mode::Between;
        if (c == '>') s.nesting = std::max(0LL, s.nesting - 1); else Between(c);
        break;
      case Mode::ImageData:
        // The data ends at whitespace, "EI", then whitespace or a delimiter.
        if (s.imageMatch == 3 && kClasses[c] != kRegular) {
          s.mode = Mode::Between;
          Between(c);
        } else if (kClasses[c] == kSpace) {
          s.imageMatch = 1;
        } else if (s.imageMatch == 1 && c == 'E') {
          s.imageMatch = 2;
        } else if (s.imageMatch == 2 && c == 'I') {
          s.imageMatch = 3;
        } else {
          s.imageMatch = 0;
        }
        break;
    }
  }
}

void ContentScan::finish() {
  if (s_.mode == Mode::Word) EndWord();
  if (s_.mode == Mode::ImageData && s_.imageMatch == 3) s_.mode = Mode::Between;
}

bool ContentScan::EndsCleanly() const {
  const bool between = s_.mode == Mode::Between || s_.mode == Mode::Word ||
                       s_.mode == Mode::Comment || s_.mode == Mode::Greater;
  return between && s_.nesting == 0 && !s_.inlineDict;
}

bool ContentScan::RunsOn() const {
  return s_.mode == Mode::String || s_.mode == Mode::ImageData || s_.mode == Mode::Less ||
         s_.mode == Mode::Greater;
}

}  // namespace yz
