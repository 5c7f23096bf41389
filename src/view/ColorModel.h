// The colour model shared by the text view and the line parsers: colour slots, the parse
// state carried from line to line, and the colour runs a parser emits.
#pragma once
#include <cstdint>

// Parse state at the end of a line; the state before line 0 is 0.
using ParseCookie = std::uint32_t;
constexpr ParseCookie kCookieUnknown = 0xFFFFFFFF;  // never returned by a parser

struct ColorIndex {
  enum : int {
    Whitespace = 0,  // right of the text end, and rows below the last line
    Background = 1,
    NormalText = 2,
    Margin = 3,
    SelectionBackground = 4,
    SelectionText = 5,
    Keyword = 6,
    Comment = 7,
    Number = 8,
    String = 9,
    Preprocessor = 10,
    ScriptTag = 11,
  };
};

// A run of one colour from charPos to the next run's charPos (the last to the line end).
struct ColorRun {
  std::int32_t charPos;
  std::int32_t colorIndex;
};
