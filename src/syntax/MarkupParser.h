// The line parser of markup files with embedded server script (ASP-style Basic or PHP).
#pragma once
#include "view/ColorModel.h"

// State carried from line to line by the markup parser.
enum : ParseCookie {
  MarkupCookieComment = 0x01,        // <!-- ... -->, or a line comment inside script
  MarkupCookieTag = 0x02,            // after <, before the tag name has been coloured
  MarkupCookieScriptComment = 0x04,  // /* ... */ inside script
  MarkupCookieString = 0x08,         // "..." in a tag's attributes or inside script
  MarkupCookieEntity = 0x10,         // & ... ;
  MarkupCookieScript = 0x20,         // between <% or <? and %> or ?>
  MarkupCookieAttributes = 0x40,     // inside a tag after its name
  MarkupCookieAll = 0x7F,
};

// Colours one line of markup. phpScript chooses the script rules: off for Basic script (the
// Basic keywords with their case corrected in place, ' comments), on for PHP (the PHP
// keywords in any case, // comments). Runs are appended as ColorizeLineForLanguage describes.
// Tags, attributes and script line comments are only followed when runs are asked for, so a
// cookie computed without runs does not know about them.
ParseCookie ColorizeMarkupLine(ParseCookie cookie, char16_t* text, int length, ColorRun* runs, int& runCount,
                               bool phpScript);
