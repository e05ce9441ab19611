// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sign/content_scan.h"

#include <algorithm>
#include <array>

namespace yz {

namespace {

using Mode = ContentState::Mode;

enum Class : std::uint8_t { kRegular, kSpace, kDelimiter };

constexpr std::array<std::uint8_t, 256> Classes() {
  std::array<std::uint8_t, 256> classes{};
  for (unsigned char c : {'\0', '\t', '\n', '\f', '\r', ' '}) classes[c] = kSpace;
  for (unsigned char c : {'(', ')', '<', '>', '[', ']', '{', '}', '/', '%'}) classes[c] = kDelimiter;
  return classes;
}
constexpr std::array<std::uint8_t, 256> kClasses = Classes();

// The bytes that mean something inside a literal string.
constexpr std::array<bool, 256> InString() {
  std::array<bool, 256> special{};
  for (unsigned char c : {'(', ')', '\\'}) special[c] = true;
  return special;
}
constexpr std::array<bool, 256> kInString = InString();

// Whether the word just read, `length` bytes long, is `name`.
template <size_t N>
bool Is(const ContentState& s, int length, const char (&name)[N]) {
  return length == int(N - 1) && std::equal(name, name + N - 1, s.word);
}

}  // namespace

ContentScan::ContentScan() : Pipeline("content scan", nullptr) {}

void ContentScan::EndWord() {
  ContentState& s = s_;
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
    if (s.depth > 0) --s.depth; else s.restoredWithNothingSaved = true;
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
  ContentState& s = s_;
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

// Each mode takes as many bytes as belong to it in one tight loop: content is mostly numbers,
// operators and text, and a page's content is read whole for every signing.
void ContentScan::write(unsigned char const* data, size_t length) {
  ContentState& s = s_;
  const unsigned char* at = data;
  const unsigned char* const end = data + length;
  while (at < end) {
    switch (s.mode) {
      case Mode::Between:
        while (at < end && kClasses[*at] == kSpace) ++at;
        if (at < end) Between(*at++);
        break;
      case Mode::Word: {
        const unsigned char* const start = at;
        while (at < end && kClasses[*at] == kRegular) ++at;
        // Four means "longer than any operator of interest".
        for (const unsigned char* c = start; c < at && s.wordLength < 4; ++c, ++s.wordLength)
          if (s.wordLength < 3) s.word[s.wordLength] = char(*c);
        if (at == end) break;
        const unsigned char c = *at++;
        EndWord();
        // The single whitespace after ID belongs to the operator; the data starts after it.
        if (s.mode == Mode::ImageData) {
          if (kClasses[c] != kSpace) --at;
        } else {
          Between(c);
        }
        break;
      }
      case Mode::Comment:
        while (at < end && *at != '\n' && *at != '\r') ++at;
        if (at < end) s.mode = Mode::Between;
        break;
      case Mode::String:
        if (s.escaped) {
          s.escaped = false;
          ++at;
          break;
        }
        while (at < end && !kInString[*at]) ++at;
        if (at == end) break;
        switch (*at++) {
          case '\\': s.escaped = true; break;
          case '(': ++s.stringDepth; break;
          default:
            if (--s.stringDepth == 0) s.mode = Mode::Between;
        }
        break;
      case Mode::Hex:
        while (at < end && *at != '>') ++at;
        if (at < end) {
          ++at;
          s.mode = Mode::Between;
        }
        break;
      case Mode::Less: {
        const unsigned char c = *at++;
        if (c == '<') {
          ++s.nesting;
          s.mode = Mode::Between;
        } else {
          s.mode = c == '>' ? Mode::Between : Mode::Hex;
        }
        break;
      }
      case Mode::Greater: {
        const unsigned char c = *at++;
        s.mode = Mode::Between;
        if (c == '>') s.nesting = std::max(0LL, s.nesting - 1); else Between(c);
        break;
      }
      case Mode::ImageData: {
        // The data ends at whitespace, "EI", then whitespace or a delimiter.
        const unsigned char c = *at++;
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
}

void ContentScan::finish() {
  if (s_.mode == Mode::Word) EndWord();
  if (s_.mode == Mode::ImageData && s_.imageMatch == 3) s_.mode = Mode::Between;
}

bool ContentState::EndsCleanly() const {
  const bool between =
      mode == Mode::Between || mode == Mode::Word || mode == Mode::Comment || mode == Mode::Greater;
  return between && nesting == 0 && !inlineDict;
}

bool ContentState::RunsOn() const {
  return mode == Mode::String || mode == Mode::ImageData || mode == Mode::Less ||
         mode == Mode::Greater;
}

}  // namespace yz
