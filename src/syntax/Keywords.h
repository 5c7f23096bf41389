// Keyword tables of the C family, Basic and PHP, the keyword tests and the number test.
#pragma once
#include <span>
#include <string_view>

// The tables in their order; duplicates are harmless and kept.
std::span<const std::u16string_view> CKeywordTable();
std::span<const std::u16string_view> BasicKeywordTable();
std::span<const std::u16string_view> PhpKeywordTable();

// Whether the whole word is a keyword of the current language: the C-family table with exact
// case for LanguageC, the Basic table in any case for LanguageBasic (without correcting the
// case: the word is read-only here), never for any other language.
bool IsKeyword(const char16_t* word, int length);

// Whether the whole word is in the Basic table, in any case. A match whose case differs is
// overwritten in place with the table's spelling, so drawing a line corrects the case of its
// Basic keywords in the document (not an edit: no undo, no modified flag).
bool IsBasicKeyword(char16_t* word, int length);

// Whether the whole word is in the PHP table, in any case; nothing is rewritten.
bool IsPhpKeyword(const char16_t* word, int length);

// Hexadecimal with a lower-case 0x prefix, or a decimal digit followed by digits and the
// characters of a decimal or exponent form (+ - . e E).
bool IsNumber(const char16_t* word, int length);
