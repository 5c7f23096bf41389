// Unicode character classes (alphabetic, digit, space) and case mapping for UTF-16 units.
#pragma once

namespace plat {

bool IsAlpha(char16_t c);
bool IsDigit(char16_t c);
bool IsSpace(char16_t c);
char16_t ToUpperChar(char16_t c);
char16_t ToLowerChar(char16_t c);

}  // namespace plat
