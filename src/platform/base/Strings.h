// UTF-16 text helpers: conversion to and from UTF-8, case, trimming, search and number text.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

// UTF-8 (host strings, literals) to UTF-16 and back. Invalid bytes become U+DC80+byte and back.
std::u16string Widen(std::string_view utf8);
std::string Narrow(std::u16string_view text);

std::u16string ToUpper(std::u16string_view text);
std::u16string ToLower(std::u16string_view text);
// Upper-cases n units from src into dst (dst may equal src).
void ToUpperInPlace(char16_t* text, std::size_t n);

std::u16string TrimLeft(std::u16string_view text);
std::u16string TrimRight(std::u16string_view text);
std::u16string Trim(std::u16string_view text);

// Index of the first occurrence of needle at or after from, or -1.
std::ptrdiff_t Find(std::u16string_view text, std::u16string_view needle, std::size_t from = 0);
// Replaces every occurrence present in text; returns the number replaced.
int ReplaceAllIn(std::u16string& text, std::u16string_view what, std::u16string_view with);

bool EqualsNoCase(std::u16string_view a, std::u16string_view b);

std::u16string FromInt(long long value);
// Groups digits by thousands with the given separator: 1234567 -> "1,234,567".
std::u16string FromIntGrouped(long long value, char16_t separator = u',');
// Parses an optionally signed decimal integer; false when the text is not one or overflows int.
bool ToInt(std::u16string_view text, int& value);

}  // namespace plat
