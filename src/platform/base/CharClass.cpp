// Unicode character classes built once from the C library's UTF-8 tables (not the user's
// locale, so that word characters are the same everywhere).
#include "platform/base/CharClass.h"

#include <array>
#include <clocale>
#include <cwctype>
#include <locale.h>
#include <wctype.h>

namespace plat {
namespace {

enum : unsigned char { kAlpha = 1, kDigit = 2, kSpace = 4 };

// Zero digits of the decimal-digit blocks in the Basic Multilingual Plane; each block holds ten.
constexpr char16_t kDigitZeros[] = {
    0x0030, 0x0660, 0x06F0, 0x07C0, 0x0966, 0x09E6, 0x0A66, 0x0AE6, 0x0B66, 0x0BE6,
    0x0C66, 0x0CE6, 0x0D66, 0x0DE6, 0x0E50, 0x0ED0, 0x0F20, 0x1040, 0x1090, 0x17E0,
    0x1810, 0x1946, 0x19D0, 0x1A80, 0x1A90, 0x1B50, 0x1BB0, 0x1C40, 0x1C50, 0xA620,
    0xA8D0, 0xA900, 0xA9D0, 0xA9F0, 0xAA50, 0xABF0, 0xFF10};

struct Tables {
  std::array<unsigned char, 65536> classes{};
  std::array<char16_t, 65536> upper{};
  std::array<char16_t, 65536> lower{};

  Tables() {
    locale_t loc = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    for (unsigned c = 0; c < 65536; ++c) {
      upper[c] = lower[c] = static_cast<char16_t>(c);
      if (c >= 0xD800 && c <= 0xDFFF) continue;  // surrogate halves have no class
      const auto w = static_cast<wint_t>(c);
      unsigned char k = 0;
      if (loc) {
        if (iswalpha_l(w, loc)) k |= kAlpha;
        if (iswspace_l(w, loc)) k |= kSpace;
        const wint_t u = towupper_l(w, loc), l = towlower_l(w, loc);
        if (u < 0x10000 && !(u >= 0xD800 && u <= 0xDFFF)) upper[c] = static_cast<char16_t>(u);
        if (l < 0x10000 && !(l >= 0xD800 && l <= 0xDFFF)) lower[c] = static_cast<char16_t>(l);
      } else if (c < 128) {
        if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') k |= kAlpha;
        if (c == ' ' || (c >= 9 && c <= 13)) k |= kSpace;
        if (c >= 'a' && c <= 'z') upper[c] = static_cast<char16_t>(c - 32);
        if (c >= 'A' && c <= 'Z') lower[c] = static_cast<char16_t>(c + 32);
      }
      classes[c] = k;
    }
    for (char16_t zero : kDigitZeros)
      for (unsigned d = 0; d < 10; ++d) {
        classes[zero + d] |= kDigit;
        classes[zero + d] &= static_cast<unsigned char>(~kAlpha);
      }
    if (loc) freelocale(loc);
  }
};

const Tables& T() {
  static const Tables tables;
  return tables;
}

}  // namespace

bool IsAlpha(char16_t c) { return T().classes[c] & kAlpha; }
bool IsDigit(char16_t c) { return T().classes[c] & kDigit; }
bool IsSpace(char16_t c) { return T().classes[c] & kSpace; }
char16_t ToUpperChar(char16_t c) { return T().upper[c]; }
char16_t ToLowerChar(char16_t c) { return T().lower[c]; }

}  // namespace plat
