// The process-wide syntax language and the line colouring dispatch the text view calls.
#pragma once
#include "view/ColorModel.h"

// Syntax languages; the document picks one from the file's extension.
enum : int {
  LanguageC = 0,       // C, C++, C#, Java and every extension not listed elsewhere
  LanguageBasic = 1,   // C-family parser with Basic comments and the Basic keywords
  LanguageMarkup = 2,  // markup with Basic server script
  LanguageText = 3,    // C-family parser without keywords
  LanguagePhp = 4,     // markup with PHP server script
};

// One value for the whole program (LanguageC at start); every view colours with it.
void SetSyntaxLanguage(int language);
int GetSyntaxLanguage();

// Colours one line (its own characters, without a line end) by the current language:
// markup languages go to the markup parser with their script keywords, every other value to
// the C-family parser. text is writable because Basic keywords get their case corrected in
// place. runs may be null (only the cookie is computed); otherwise it holds 3 x length
// entries and runs are appended from index runCount on, runCount growing with each one.
// Returns the state at the end of the line, to be passed in for the next line.
ParseCookie ColorizeLineForLanguage(ParseCookie cookie, char16_t* text, int length, ColorRun* runs, int& runCount);

// The states at the ends of n lines (texts[i], lengths[i]) into out[i], the first line
// starting in cookie: what ColorizeLineForLanguage without runs gives line after line, in one
// pass where the parser can. Lines that lie one after the other in memory, one unit apart,
// may have the unit between read.
void ColorizeLinesForLanguage(ParseCookie cookie, const char16_t* const* texts, const int* lengths, int n, ParseCookie* out);
