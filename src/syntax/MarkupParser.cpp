// The line parser of markup files: tags, attribute names, strings, markup comments, character
// entities and server-script blocks with their strings, comments and keywords.
#include "syntax/MarkupParser.h"

#include "platform/base/CharClass.h"
#include "syntax/Keywords.h"
#include "syntax/RunBuffer.h"

namespace {

bool IsWordChar(char16_t c) {
  return plat::IsAlpha(c) || plat::IsDigit(c) || c == u'-' || c == u'#' || c == u':' || c == u'_';
}

int StateColor(ParseCookie cookie) {
  if (cookie & (MarkupCookieComment | MarkupCookieScriptComment)) return ColorIndex::Comment;
  if (cookie & MarkupCookieScript) return ColorIndex::ScriptTag;
  if (cookie & MarkupCookieString) return ColorIndex::String;
  return ColorIndex::NormalText;
}

// What goes on to the next line: script line comments end with the line, entities never
// continue; markup comments, tags, strings, script blocks and their block comments do.
ParseCookie StateAtLineEnd(ParseCookie cookie) {
  if (cookie & MarkupCookieScript) return cookie & ~ParseCookie(MarkupCookieComment | MarkupCookieEntity);
  return cookie & ~ParseCookie(MarkupCookieEntity);
}

class CMarkupLine {
 public:
  CMarkupLine(ParseCookie cookie, char16_t* text, int length, ColorRun* runs, int& runCount, bool phpScript)
      : cookie(cookie), text(text), length(length), php(phpScript), out(runs, runCount, length) {}

  ParseCookie Run();

 private:
  char16_t At(int i) const { return i >= 0 && i < length ? text[i] : u'\0'; }
  bool PairEndsAt(int i, char16_t first, char16_t second) const {
    return i >= 1 && text[i - 1] == first && text[i] == second;
  }
  bool IsScriptKeyword(int start, int end) {
    return php ? IsPhpKeyword(text + start, end - start) : IsBasicKeyword(text + start, end - start);
  }
  void SetPending(int pos) {
    pending = true;
    pendingPos = pos;
  }
  void FollowWordsAndTags(int i);
  void CloseWordAtLineEnd();

  ParseCookie cookie;
  char16_t* text;
  int length;
  bool php;
  CRunBuffer out;
  bool pending = true;  // a run in the state's colour is due at pendingPos
  int pendingPos = 0;
  int wordStart = -1;  // start of the open word, or -1
};

// Words and the characters between them: tag names, attribute names, the < and > that open
// and close tags, script words and script line comments. Only looked at when colouring.
void CMarkupLine::FollowWordsAndTags(int i) {
  const char16_t c = text[i];
  if (IsWordChar(c)) {
    if (wordStart < 0) wordStart = i;
    return;
  }
  if (!(cookie & MarkupCookieScript)) {
    // The first word after < names the tag; every later word in the tag is an attribute name.
    if (wordStart >= 0 && (cookie & MarkupCookieTag)) {
      out.Add(wordStart, ColorIndex::Keyword);
      cookie = (cookie & ~ParseCookie(MarkupCookieTag)) | MarkupCookieAttributes;
      wordStart = -1;
      SetPending(i);
    }
    if (wordStart >= 0 && (cookie & MarkupCookieAttributes)) {
      out.Add(wordStart, ColorIndex::Number);
      wordStart = -1;
      SetPending(i);
    }
    if (c == u'<') {
      cookie |= MarkupCookieTag;
      wordStart = -1;
      return;
    }
    if (c == u'>' && (cookie & (MarkupCookieTag | MarkupCookieAttributes))) {
      cookie &= ~ParseCookie(MarkupCookieTag | MarkupCookieAttributes);
      wordStart = -1;
      return;
    }
  } else if (wordStart < 0) {
    // A comment mark right after a word is part of the script's text, not a comment.
    const bool commentStarts = php ? (c == u'/' && At(i + 1) == u'/') : c == u'\'';
    if (commentStarts) {
      out.Add(i, ColorIndex::Comment);
      cookie |= MarkupCookieComment;
      return;
    }
  } else {
    out.Add(wordStart, IsScriptKeyword(wordStart, i) ? ColorIndex::Keyword : ColorIndex::ScriptTag);
    wordStart = -1;
    SetPending(i);
  }
}

// A word still open at the end of the line: a tag name or an attribute name gets its colour,
// a script word only when it is a keyword. The state is left alone, so a tag broken right
// after its name still waits for a name on the next line.
void CMarkupLine::CloseWordAtLineEnd() {
  if (wordStart < 0) return;
  // Script comes first, as in the middle of a line: a <? or <% inside a tag leaves the tag's
  // attribute bit set, but the word after it is script.
  if (cookie & MarkupCookieScript) {
    if (IsScriptKeyword(wordStart, length)) out.Add(wordStart, ColorIndex::Keyword);
  } else if (cookie & MarkupCookieTag) {
    out.Add(wordStart, ColorIndex::Keyword);
  } else if (cookie & MarkupCookieAttributes) {
    out.Add(wordStart, ColorIndex::Number);
  }
  wordStart = -1;
}

ParseCookie CMarkupLine::Run() {
  for (int i = 0;; ++i) {
    if (pending) {
      out.Add(pendingPos, StateColor(cookie));
      pending = false;
    }
    if (i == length) break;
    const char16_t c = text[i];

    // Strings have no escape character.
    if (cookie & MarkupCookieString) {
      if (c == u'"') {
        cookie &= ~ParseCookie(MarkupCookieString);
        SetPending(i + 1);
      }
      continue;
    }
    if (cookie & MarkupCookieComment) {
      if (i >= 2 && c == u'>' && text[i - 1] == u'-' && text[i - 2] == u'-') {
        cookie &= ~ParseCookie(MarkupCookieComment);
        SetPending(i + 1);
      }
      continue;
    }
    if (cookie & MarkupCookieScriptComment) {
      if (PairEndsAt(i, u'*', u'/')) {
        cookie &= ~ParseCookie(MarkupCookieScriptComment);
        SetPending(i + 1);
      }
      continue;
    }
    if (cookie & MarkupCookieScript) {
      // The closing %> or ?> keeps the script colour; what follows is markup again.
      if (c == u'>' && (At(i - 1) == u'%' || At(i - 1) == u'?')) {
        cookie &= ~ParseCookie(MarkupCookieScript);
        SetPending(i + 1);
        continue;
      }
      if (PairEndsAt(i, u'/', u'*')) {
        out.Add(i - 1, ColorIndex::Comment);
        cookie |= MarkupCookieScriptComment;
        continue;
      }
    }
    if (c == u'"' && (cookie & (MarkupCookieAttributes | MarkupCookieScript))) {
      out.Add(i, ColorIndex::String);
      cookie |= MarkupCookieString;
      continue;
    }
    // && is an operator, not an entity; an & at the end of the line starts one.
    if (!(cookie & MarkupCookieScript) && c == u'&' && At(i + 1) != u'&') {
      out.Add(i, ColorIndex::String);
      cookie |= MarkupCookieEntity;
      continue;
    }
    if (cookie & MarkupCookieEntity) {
      if (i >= 2 && c == u';') {
        cookie &= ~ParseCookie(MarkupCookieEntity);
        SetPending(i + 1);
      }
      continue;
    }
    if (i >= 3 && c == u'-' && text[i - 1] == u'-' && text[i - 2] == u'!' && text[i - 3] == u'<') {
      out.Add(i - 3, ColorIndex::Comment);
      cookie = (cookie & ~ParseCookie(MarkupCookieComment | MarkupCookieTag)) | MarkupCookieComment;
      continue;
    }
    if (PairEndsAt(i, u'<', u'%') || PairEndsAt(i, u'<', u'?')) {
      out.Add(i - 1, ColorIndex::ScriptTag);
      cookie = (cookie & ~ParseCookie(MarkupCookieTag)) | MarkupCookieScript;
      continue;
    }
    if (out.Present()) FollowWordsAndTags(i);
  }
  if (out.Present()) CloseWordAtLineEnd();
  return StateAtLineEnd(cookie);
}

}  // namespace

ParseCookie ColorizeMarkupLine(ParseCookie cookie, char16_t* text, int length, ColorRun* runs, int& runCount,
                               bool phpScript) {
  // Only this parser's own bits are carried: a cookie left by the C-family parser (after the
  // language changed) or the unknown marker must not leak into the result.
  cookie &= MarkupCookieAll;
  // An empty line ends a block comment inside script (a comment left open by mistake then
  // colours no more than its paragraph); everything else goes on as across any line.
  if (text == nullptr || length <= 0) return StateAtLineEnd(cookie & ~ParseCookie(MarkupCookieScriptComment));
  return CMarkupLine(cookie, text, length, runs, runCount, phpScript).Run();
}
