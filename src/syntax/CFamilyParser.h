// The line parser of C-family files, which also serves Basic and plain text.
#pragma once
#include "view/ColorModel.h"

// State carried from line to line by the C-family parser.
enum : ParseCookie {
  CCookieLineComment = 0x01,   // // (in Basic, ' and Rem) to the end of the line
  CCookiePreprocessor = 0x02,  // a line started by #
  CCookieBlockComment = 0x04,  // /* ... */
  CCookieString = 0x08,        // "..."
  CCookieChar = 0x10,          // '...'
  CCookieAll = 0x1F,
};

// Colours one line of a C-family file under the current syntax language (C, Basic or text).
// Runs are appended as ColorizeLineForLanguage describes; without runs only the cookie is
// computed, and it is the same cookie as with runs. Basic keywords in text get their case
// corrected in place (only when runs are asked for, since words are only looked at then).
ParseCookie ColorizeCLine(ParseCookie cookie, char16_t* text, int length, ColorRun* runs, int& runCount);

// The states at the ends of n lines (texts[i], lengths[i]) into out[i], the first line
// starting in cookie: the same states ColorizeCLine gives line after line. Where a line's
// text is followed, one unit on, by the next one's (as loaded text lies), the unit between
// is read too, so that many lines are looked at in one pass.
void ColorizeCLines(ParseCookie cookie, const char16_t* const* texts, const int* lengths, int n, ParseCookie* out);
