// The line parser of C-family files: comments, strings, character literals, preprocessor
// lines, keywords and numbers, with the comment rules of Basic and the keyword-less text mode.
#include "syntax/CFamilyParser.h"

#include <cstddef>
#include <cstring>

#include "platform/base/CharClass.h"
#include "platform/base/UnitScan.h"
#include "syntax/Keywords.h"
#include "syntax/RunBuffer.h"
#include "syntax/SyntaxLanguage.h"

namespace {

bool IsWordChar(char16_t c) {
  if (c < 128) return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
  return plat::IsAlpha(c) || plat::IsDigit(c);
}

// ASCII characters that, outside any string, comment or directive, neither change the
// state nor start or end a word (bit 1), for colouring words.
struct CPlainTable {
  unsigned char bits[128] = {};
  CPlainTable() {
    for (int c = 0; c < 128; ++c) {
      const bool special = c == '"' || c == '\'' || c == '/' || c == '*';
      const bool word = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
      if (!special && !word) bits[c] = 1;
    }
  }
};
const CPlainTable kPlain;

// The first index from i on (length when none) holding one of the Stops; eight units at a
// time through the compiler's vector types (any target GCC and Clang build for).
template <char16_t... Stops>
int SkipTo(const char16_t* text, int i, int length) {
  while (i + 8 <= length) {
    const plat::Units8 v = plat::LoadUnits8(text + i);
    if (plat::AnyLane(((v == static_cast<unsigned short>(Stops)) | ...))) break;
    i += 8;
  }
  while (i < length && !((text[i] == Stops) || ...)) ++i;
  return i;
}

// Where the pair First, Second first stands in text[0, n) (the index of First), or n;
// eight places at a time.
template <char16_t First, char16_t Second>
std::ptrdiff_t FindPair(const char16_t* text, std::ptrdiff_t n) {
  std::ptrdiff_t i = 0;
  for (; i + 9 <= n; i += 8) {
    const plat::Units8 a = plat::LoadUnits8(text + i), b = plat::LoadUnits8(text + i + 1);
    if (plat::AnyLane((a == static_cast<unsigned short>(First)) & (b == static_cast<unsigned short>(Second)))) break;
  }
  for (; i + 1 < n; ++i)
    if (text[i] == First && text[i + 1] == Second) return i;
  return n;
}

template <char16_t First, char16_t Second>
bool HoldsPair(const char16_t* text, int length) {
  return FindPair<First, Second>(text, length) < length;
}

// The colour of text in the given state; runs that resume after a token take it.
int StateColor(ParseCookie cookie) {
  if (cookie & (CCookieLineComment | CCookieBlockComment)) return ColorIndex::Comment;
  if (cookie & (CCookieString | CCookieChar)) return ColorIndex::String;
  if (cookie & CCookiePreprocessor) return ColorIndex::Preprocessor;
  return ColorIndex::NormalText;
}

class CCFamilyLine {
 public:
  CCFamilyLine(ParseCookie cookie, char16_t* text, int length, ColorRun* runs, int& runCount)
      : cookie(cookie & CCookieAll),
        text(text),
        length(length),
        language(GetSyntaxLanguage()),
        out(runs, runCount, length) {}

  ParseCookie Run();

 private:
  char16_t At(int i) const { return i >= 0 && i < length ? text[i] : u'\0'; }
  // Two characters ending at i.
  bool PairEndsAt(int i, char16_t first, char16_t second) const {
    return i >= 1 && text[i - 1] == first && text[i] == second;
  }
  bool StartsBasicComment(int i) const {
    if (language != LanguageBasic) return false;
    return text[i] == u'\'' || (At(i) == u'R' && At(i + 1) == u'e' && At(i + 2) == u'm');
  }
  void SetPending(int pos) {
    pending = true;
    pendingPos = pos;
  }
  void CloseWord(int end);

  ParseCookie cookie;
  char16_t* text;
  int length;
  int language;
  CRunBuffer out;
  bool pending = true;  // a run in the state's colour is due at pendingPos
  int pendingPos = 0;
  int wordStart = -1;  // start of the open word, or -1
};

// Colours the word from wordStart to end as a keyword or a number; any other word keeps the
// colour of the run before it.
void CCFamilyLine::CloseWord(int end) {
  char16_t* word = text + wordStart;
  const int wordLength = end - wordStart;
  const bool keyword = language == LanguageBasic ? IsBasicKeyword(word, wordLength) : IsKeyword(word, wordLength);
  if (keyword)
    out.Add(wordStart, ColorIndex::Keyword);
  else if (IsNumber(word, wordLength))
    out.Add(wordStart, ColorIndex::Number);
  wordStart = -1;
}

ParseCookie CCFamilyLine::Run() {
  // A # may open a preprocessor line only while nothing but white space has been seen, and
  // only when the line does not start inside a string, a literal or a line comment.
  bool preprocessorPossible = (cookie & ~ParseCookie(CCookieBlockComment)) == 0;
  int commentStart = -1;  // where a comment to the end of the line starts (not at //)
  int wordEnd = length;   // where a word still open after the scan ends
  for (int i = 0;; ++i) {
    if (pending) {
      out.Add(pendingPos, StateColor(cookie));
      pending = false;
    }
    if (i == length) break;
    if (language == LanguageC) {
      // Stretches that cannot change anything are passed over in tight loops; what stops
      // them goes through the full rules below.
      if (cookie == 0 && preprocessorPossible) {
        // Indentation leaves a directive possible and opens no word.
        if (wordStart < 0)
          while (i < length && (text[i] == u' ' || text[i] == u'\t')) ++i;
      } else if (cookie == 0 && !out.Present()) {
        // Only the state is wanted: a quote or a slash may change it, and a star only right
        // after a slash, which stopped the scan the unit before.
        if (!(text[i] == u'*' && i > 0 && text[i - 1] == u'/')) i = SkipTo<u'"', u'\'', u'/'>(text, i, length);
      } else if (cookie == 0) {
        // Words and the plain characters between them; a word ended by a plain character is
        // closed here, with the run that resumes after it.
        for (;;) {
          if (wordStart < 0) {
            while (i < length && text[i] < 128 && (kPlain.bits[text[i]] & 1)) ++i;
            if (i == length || !IsWordChar(text[i])) break;
            wordStart = i;
          }
          while (i < length && IsWordChar(text[i])) ++i;
          if (i == length || text[i] >= 128 || !(kPlain.bits[text[i]] & 1)) break;
          CloseWord(i);
          out.Add(i, StateColor(cookie));
          ++i;
        }
      } else if (cookie == CCookieString) {
        i = SkipTo<u'"'>(text, i, length);
      } else if (cookie == CCookieChar) {
        i = SkipTo<u'\''>(text, i, length);
      } else if (cookie == CCookieBlockComment) {
        i = SkipTo<u'/'>(text, i, length);
      }
      if (i == length) break;
    }
    const char16_t c = text[i];

    if (cookie & CCookieLineComment) {
      commentStart = i;
      break;
    }
    if (cookie & CCookieString) {
      if (c == u'"' && At(i - 1) != u'\\') {
        cookie &= ~ParseCookie(CCookieString);
        SetPending(i + 1);
      }
      continue;
    }
    if (cookie & CCookieChar) {
      // Only C ends a literal within the line; elsewhere an apostrophe is prose or a Basic
      // comment, and the rest of the line is scanned as usual but keeps the string colour.
      if (language == LanguageC) {
        if (c == u'\'' && At(i - 1) != u'\\') {
          cookie &= ~ParseCookie(CCookieChar);
          SetPending(i + 1);
        }
        continue;
      }
    }
    if (cookie & CCookieBlockComment) {
      if (PairEndsAt(i, u'*', u'/')) {
        cookie &= ~ParseCookie(CCookieBlockComment);
        SetPending(i + 1);
      }
      continue;
    }
    if (PairEndsAt(i, u'/', u'/')) {
      out.Add(i - 1, ColorIndex::Comment);
      cookie |= CCookieLineComment;
      wordEnd = i - 1;
      break;
    }
    if (StartsBasicComment(i)) {
      commentStart = i;
      break;
    }
    if (cookie & CCookiePreprocessor) {
      // The directive keeps its colour; only a block comment can interrupt it.
      if (PairEndsAt(i, u'/', u'*')) {
        out.Add(i - 1, ColorIndex::Comment);
        cookie |= CCookieBlockComment;
      }
      continue;
    }
    if (c == u'"') {
      out.Add(i, ColorIndex::String);
      cookie |= CCookieString;
      continue;
    }
    if (c == u'\'') {
      out.Add(i, ColorIndex::String);
      cookie |= CCookieChar;
      continue;
    }
    if (PairEndsAt(i, u'/', u'*')) {
      out.Add(i - 1, ColorIndex::Comment);
      cookie |= CCookieBlockComment;
      continue;
    }
    if (preprocessorPossible) {
      if (c == u'#') {
        out.Add(i, ColorIndex::Preprocessor);
        cookie |= CCookiePreprocessor;
        continue;
      }
      // A comment before the # does not make it ordinary text; the / of /* is looked at
      // before its * is seen.
      if (!plat::IsSpace(c) && !(c == u'/' && At(i + 1) == u'*')) preprocessorPossible = false;
    }
    if (!out.Present()) continue;  // words only matter for colouring
    if (IsWordChar(c)) {
      if (wordStart < 0) wordStart = i;
    } else if (wordStart >= 0) {
      CloseWord(i);
      SetPending(i);
    }
  }

  if (commentStart >= 0) {
    out.Add(commentStart, ColorIndex::Comment);
    cookie |= CCookieLineComment;
    wordEnd = commentStart;
  }
  if (wordStart >= 0) CloseWord(wordEnd);

  // A trailing backslash carries every state to the next line; otherwise only a block
  // comment goes on.
  if (text[length - 1] == u'\\') return cookie;
  return cookie & CCookieBlockComment;
}

// Kept apart, so that a line the quick look settles does not pay for setting up the scan.
[[gnu::noinline]] ParseCookie ScanLine(ParseCookie cookie, char16_t* text, int length, ColorRun* runs, int& runCount) {
  return CCFamilyLine(cookie, text, length, runs, runCount).Run();
}

}  // namespace

void ColorizeCLines(ParseCookie cookie, const char16_t* const* texts, const int* lengths, int n, ParseCookie* out) {
  int dummy = 0;
  auto one = [&](int i) {
    cookie = out[i] = ColorizeCLine(cookie, const_cast<char16_t*>(texts[i]), lengths[i], nullptr, dummy);
  };
  for (int i = 0; i < n;) {
    const int end = plat::StretchEnd(texts, lengths, i, n);
    // Outside a comment the state stays nothing up to a line that holds a /* or ends in a
    // backslash; within one it stays the comment up to a line that holds a */. One search
    // over the stretch finds that line, and only it is scanned: a pair found across two
    // lines (or on the unit between them) only has a line scanned that did not need it.
    while (i < end) {
      const ParseCookie state = cookie & CCookieAll;
      if (lengths[i] <= 0 || (state != 0 && state != CCookieBlockComment)) {
        one(i++);
        continue;
      }
      const char16_t* from = texts[i];
      const std::ptrdiff_t span = texts[end - 1] + lengths[end - 1] - from;
      const char16_t* stop =
          from + (state == 0 ? FindPair<u'/', u'*'>(from, span) : FindPair<u'*', u'/'>(from, span));
      while (i < end && texts[i] + lengths[i] <= stop) {
        if (state == 0 && lengths[i] > 0 && texts[i][lengths[i] - 1] == u'\\') break;
        cookie = out[i++] = state;
      }
      if (i < end) one(i++);
    }
  }
}

ParseCookie ColorizeCLine(ParseCookie cookie, char16_t* text, int length, ColorRun* runs, int& runCount) {
  if (text == nullptr || length <= 0) return cookie & CCookieBlockComment;
  if (runs == nullptr) {
    // Only the state is wanted, and most lines need no scan for it: outside a comment only a
    // /* or a trailing backslash carries anything to the next line, and within one only a */
    // can change it.
    const ParseCookie state = cookie & CCookieAll;
    if (state == 0 && text[length - 1] != u'\\' && !HoldsPair<u'/', u'*'>(text, length)) return 0;
    if (state == CCookieBlockComment && !HoldsPair<u'*', u'/'>(text, length)) return CCookieBlockComment;
  }
  return ScanLine(cookie, text, length, runs, runCount);
}
