// Keyword tables of the C family, Basic and PHP, the keyword tests and the number test.
#include "syntax/Keywords.h"

#include <vector>

#include "platform/base/CharClass.h"
#include "syntax/SyntaxLanguage.h"

namespace {

// clang-format off
// C, C++, C# and Java words together, since one table serves every C-family file.
constexpr std::u16string_view kCKeywords[] = {
    u"__asm", u"enum", u"__multiple_inheritance", u"template", u"auto", u"__except",
    u"__single_inheritance", u"this", u"__based", u"explicit", u"__virtual_inheritance",
    u"thread", u"bool", u"extern", u"mutable", u"throw", u"break", u"false", u"naked", u"true",
    u"case", u"__fastcall", u"namespace", u"try", u"catch", u"__finally", u"new", u"__try",
    u"__cdecl", u"float", u"operator", u"typedef", u"char", u"for", u"private", u"typeid",
    u"class", u"friend", u"protected", u"typename", u"const", u"goto", u"public", u"union",
    u"const_cast", u"if", u"register", u"unsigned", u"continue", u"inline", u"reinterpret_cast",
    u"using", u"__declspec", u"__inline", u"return", u"uuid", u"default", u"int", u"short",
    u"__uuidof", u"delete", u"__int8", u"signed", u"virtual", u"dllexport", u"__int16",
    u"sizeof", u"void", u"dllimport", u"__int32", u"static", u"volatile", u"do", u"__int64",
    u"static_cast", u"wmain", u"double", u"__leave", u"__stdcall", u"while", u"dynamic_cast",
    u"long", u"struct", u"xalloc", u"else", u"main", u"switch", u"interface", u"persistent",
    u"_persistent", u"transient", u"depend", u"ondemand", u"transient", u"cset", u"useindex",
    u"indexdef", u"until", u"event", u"get", u"set", u"internal", u"override", u"bool",
    u"string", u"event", u"delegate", u"base", u"abstract", u"assert", u"boolean", u"byte",
    u"extends", u"final", u"finally", u"implements", u"import", u"instanceof", u"native",
    u"null", u"package", u"strictfp", u"super", u"synchronized", u"throws",
};

// "Select Case" and the words with $ or # never match a word of the C-family parser; the
// markup parser's words may hold #, so Input# can match in server script.
constexpr std::u16string_view kBasicKeywords[] = {
    u"As", u"ByRef", u"ByVal", u"Dim", u"If", u"Else", u"End", u"For", u"Function", u"Next",
    u"New", u"Not", u"Nothing", u"Protected", u"Private", u"Public", u"Sub", u"Then", u"Abs",
    u"And", u"AppActivate", u"Asc", u"Atn", u"Beep", u"Begin", u"Call", u"CDbl", u"ChDir",
    u"ChDrive", u"CheckBox", u"Chr", u"CInt", u"Class", u"CLng", u"Close", u"Const", u"Cos",
    u"CreateObject", u"CSng", u"CStr", u"CVar", u"CurDir", u"Date", u"Declare", u"Dialog",
    u"Dir", u"DlgEnable", u"DlgText", u"DlgVisible", u"Do", u"Double", u"Loop", u"EOF",
    u"Erase", u"Exit", u"Exp", u"False", u"Fix", u"Friend", u"To", u"Step", u"Next", u"Format",
    u"Friend", u"GetObject", u"Global", u"GoSub", u"Return", u"GoTo", u"Hex", u"Hour",
    u"Imports", u"Inherits", u"Input", u"InputBox", u"InStr", u"Int", u"Is", u"IsDate",
    u"IsEmpty", u"IsNull", u"IsNumeric", u"Kill", u"LBound", u"LCase", u"LCase$", u"Left",
    u"Left$", u"Len", u"Let", u"Line", u"Input#", u"Log", u"Long", u"Me", u"Mid", u"Minute",
    u"MkDir", u"Month", u"MsgBox", u"MyBase", u"New", u"Now", u"Oct", u"On", u"Or",
    u"Overloads", u"Overrides", u"Error", u"Open", u"Option", u"Base", u"Print", u"Rem",
    u"Right", u"RmDir", u"Rnd", u"Second", u"Seek", u"Seek", u"Select Case", u"SendKeys",
    u"Set", u"Shell", u"Sin", u"Space", u"Sqr", u"Static", u"Stop", u"Str", u"StrComp",
    u"String", u"StringFunction", u"Tan", u"Time", u"TimeSerial", u"TimeValue", u"Trim",
    u"True", u"LTrim", u"RTrim", u"Type", u"UBound", u"UCase", u"Val", u"VarType", u"While",
    u"Wend", u"With", u"WithEvents", u"Write", u"Year",
};

constexpr std::u16string_view kPhpKeywords[] = {
    u"and", u"as", u"break", u"case", u"class", u"declare", u"default", u"do", u"echo", u"else",
    u"elseif", u"for", u"foreach", u"function", u"if", u"new", u"or", u"print", u"return",
    u"static", u"switch", u"var", u"while",
};
// clang-format on

// Case is folded for ASCII letters only: the tables are ASCII, and a non-ASCII letter whose
// lower case happens to be ASCII (the Kelvin sign, dotted capital I) must not be taken for a
// keyword letter and then overwritten.
char16_t FoldAscii(char16_t c) {
  return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

bool EqualsNoCase(const char16_t* word, int length, std::u16string_view entry) {
  if (entry.size() != static_cast<size_t>(length)) return false;
  for (int k = 0; k < length; ++k)
    if (FoldAscii(word[k]) != FoldAscii(entry[k])) return false;
  return true;
}

// The first entry of the table equal to the word in any case, or null.
const std::u16string_view* FindNoCase(std::span<const std::u16string_view> table, const char16_t* word, int length) {
  for (const std::u16string_view& entry : table)
    if (EqualsNoCase(word, length, entry)) return &entry;
  return nullptr;
}

// The C table by first unit and length: most identifiers meet one entry, or none.
struct CKeywordIndex {
  static constexpr int kLongest = 24;
  std::vector<std::u16string_view> byFirst[128][kLongest + 1];
  CKeywordIndex() {
    for (const std::u16string_view& e : kCKeywords)
      if (e.size() <= kLongest) byFirst[e[0]][e.size()].push_back(e);
  }
};
const CKeywordIndex& CIndex() {
  static const CKeywordIndex index;
  return index;
}

bool IsHexDigit(char16_t c) {
  return plat::IsDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

}  // namespace

std::span<const std::u16string_view> CKeywordTable() {
  return kCKeywords;
}
std::span<const std::u16string_view> BasicKeywordTable() {
  return kBasicKeywords;
}
std::span<const std::u16string_view> PhpKeywordTable() {
  return kPhpKeywords;
}

bool IsKeyword(const char16_t* word, int length) {
  if (word == nullptr || length <= 0) return false;
  switch (GetSyntaxLanguage()) {
    case LanguageC:
      if (word[0] >= 128 || length > CKeywordIndex::kLongest) return false;
      for (const std::u16string_view& entry : CIndex().byFirst[word[0]][length])
        if (std::u16string_view(word, static_cast<std::size_t>(length)) == entry) return true;
      return false;
    case LanguageBasic:
      return FindNoCase(kBasicKeywords, word, length) != nullptr;
    default:
      return false;
  }
}

bool IsBasicKeyword(char16_t* word, int length) {
  if (word == nullptr || length <= 0) return false;
  const std::u16string_view* entry = FindNoCase(kBasicKeywords, word, length);
  if (entry == nullptr) return false;
  for (int k = 0; k < length; ++k)
    if (word[k] != (*entry)[k]) word[k] = (*entry)[k];
  return true;
}

bool IsPhpKeyword(const char16_t* word, int length) {
  if (word == nullptr || length <= 0) return false;
  return FindNoCase(kPhpKeywords, word, length) != nullptr;
}

bool IsNumber(const char16_t* word, int length) {
  if (word == nullptr || length <= 0) return false;
  if (length >= 3 && word[0] == u'0' && word[1] == u'x') {
    for (int k = 2; k < length; ++k)
      if (!IsHexDigit(word[k])) return false;
    return true;
  }
  if (!plat::IsDigit(word[0])) return false;
  for (int k = 1; k < length; ++k) {
    const char16_t c = word[k];
    if (!plat::IsDigit(c) && c != u'+' && c != u'-' && c != u'.' && c != u'e' && c != u'E') return false;
  }
  return true;
}
