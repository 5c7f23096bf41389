// The system code page: UTF-8 decoded by hand, single-byte sets through a table from iconv.
#include "platform/base/CodePage.h"

#include <iconv.h>
#include <langinfo.h>

#include <cctype>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/base/UnitScan.h"

namespace plat {
namespace {

std::unique_ptr<CodePage>& SystemSlot() {
  static std::unique_ptr<CodePage> slot;
  return slot;
}

std::string Upper(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string LocaleCharset() {
  // The user's locale decides; a program that never called setlocale sees "C" here, so ask
  // the environment's locale without changing the process's own.
  std::string cs;
  if (locale_t loc = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0))) {
    cs = nl_langinfo_l(CODESET, loc);
    freelocale(loc);
  }
  // The plain C locale reports ASCII; its bytes above 127 are best treated as UTF-8.
  if (cs.empty() || cs == "ANSI_X3.4-1968" || cs == "ASCII") cs = "UTF-8";
  return cs;
}

// Decodes one UTF-8 sequence at b[0..n); returns its length, or 0 when b[0] starts no valid
// sequence. Overlong forms, surrogates and values past U+10FFFF are invalid.
inline std::size_t DecodeUtf8(const unsigned char* b, std::size_t n, unsigned& cp) {
  const unsigned c = b[0];
  if (c >= 0xC2 && c <= 0xDF) {
    if (n < 2 || (b[1] & 0xC0) != 0x80) return 0;
    cp = ((c & 0x1F) << 6) | (b[1] & 0x3F);
    return 2;
  }
  if (c >= 0xE0 && c <= 0xEF) {
    if (n < 3 || (b[1] & 0xC0) != 0x80 || (b[2] & 0xC0) != 0x80) return 0;
    cp = ((c & 0x0F) << 12) | ((b[1] & 0x3F) << 6) | (b[2] & 0x3F);
    if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return 3;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    if (n < 4 || (b[1] & 0xC0) != 0x80 || (b[2] & 0xC0) != 0x80 || (b[3] & 0xC0) != 0x80) return 0;
    cp = ((c & 0x07) << 18) | ((b[1] & 0x3F) << 12) | ((b[2] & 0x3F) << 6) | (b[3] & 0x3F);
    if (cp < 0x10000 || cp > 0x10FFFF) return 0;
    return 4;
  }
  return 0;
}

}  // namespace

std::unique_ptr<CodePage> CodePage::Create(const std::string& requested) {
  std::unique_ptr<CodePage> cp(new CodePage());
  std::string name = requested.empty() ? LocaleCharset() : requested;
  cp->name = name;
  const std::string up = Upper(name);
  if (up == "UTF-8" || up == "UTF8" || up == "CP65001") {
    cp->utf8 = true;
    cp->name = "UTF-8";
    return cp;
  }
  iconv_t cd = iconv_open("UTF-16LE", name.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
  cp->toByte.assign(65536, 0);
  cp->hasByte.assign(65536, false);
  for (unsigned b = 0; b < 256; ++b) {
    char in = static_cast<char>(b);
    unsigned char out[8] = {};
    char* ip = &in;
    char* op = reinterpret_cast<char*>(out);
    std::size_t il = 1, ol = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const std::size_t r = iconv(cd, &ip, &il, &op, &ol);
    char16_t w;
    if (r != static_cast<std::size_t>(-1) && il == 0 && sizeof out - ol == 2) {
      w = static_cast<char16_t>(out[0] | (out[1] << 8));
    } else {
      w = static_cast<char16_t>(0xDC00 + b);  // undefined in the set: carried as itself
    }
    cp->toWide[b] = w;
    if (!cp->hasByte[w]) {  // the first byte that yields a character is the one written back
      cp->hasByte[w] = true;
      cp->toByte[w] = static_cast<unsigned char>(b);
    }
  }
  iconv_close(cd);
  for (unsigned b = 0x80; b < 256; ++b) {  // carried bytes always write back as themselves
    const auto carried = static_cast<char16_t>(0xDC00 + b);
    cp->hasByte[carried] = true;
    cp->toByte[carried] = static_cast<unsigned char>(b);
  }
  return cp;
}

const CodePage& CodePage::System() {
  static std::once_flag once;
  std::call_once(once, [] {
    if (SystemSlot()) return;
    const char* env = std::getenv("TOVIN_CODEPAGE");
    auto cp = Create(env && *env ? env : "");
    if (!cp) cp = Create("UTF-8");
    SystemSlot() = std::move(cp);
  });
  return *SystemSlot();
}

bool CodePage::SetSystem(const std::string& name) {
  auto cp = Create(name);
  if (!cp) return false;
  System();
  SystemSlot() = std::move(cp);
  return true;
}

namespace {
using Bytes8 = unsigned char __attribute__((vector_size(8)));
}  // namespace

std::size_t CodePage::ToWide(const char* bytes, std::size_t n, char16_t* out) const {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes);
  if (!utf8) {
    for (std::size_t i = 0; i < n; ++i) out[i] = toWide[b[i]];
    return n;
  }
  std::size_t i = 0, o = 0;
  while (i < n) {
    // Runs of ASCII widen without decoding; this is nearly all of a source file. Sixteen
    // bytes at a time through the compiler's vector types, then eight.
    while (i + 16 <= n) {
      std::uint64_t w0, w1;
      std::memcpy(&w0, b + i, 8);
      std::memcpy(&w1, b + i + 8, 8);
      if ((w0 | w1) & 0x8080808080808080ULL) break;
      Bytes8 lo, hi;
      std::memcpy(&lo, b + i, 8);
      std::memcpy(&hi, b + i + 8, 8);
      const Units8 wideLo = __builtin_convertvector(lo, Units8), wideHi = __builtin_convertvector(hi, Units8);
      std::memcpy(out + o, &wideLo, sizeof wideLo);
      std::memcpy(out + o + 8, &wideHi, sizeof wideHi);
      i += 16;
      o += 16;
    }
    while (i + 8 <= n) {
      std::uint64_t w;
      std::memcpy(&w, b + i, 8);
      if (w & 0x8080808080808080ULL) break;
      for (int k = 0; k < 8; ++k) out[o + k] = b[i + k];
      i += 8;
      o += 8;
    }
    if (i >= n) break;
    const unsigned c = b[i];
    if (c < 0x80) {
      out[o++] = static_cast<char16_t>(c);
      ++i;
      continue;
    }
    unsigned cp = 0;
    const std::size_t len = DecodeUtf8(b + i, n - i, cp);
    if (len == 0) {
      out[o++] = static_cast<char16_t>(0xDC00 + c);
      ++i;
    } else if (cp >= 0x10000) {
      cp -= 0x10000;
      out[o++] = static_cast<char16_t>(0xD800 + (cp >> 10));
      out[o++] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
      i += len;
    } else {
      out[o++] = static_cast<char16_t>(cp);
      i += len;
    }
  }
  return o;
}

std::size_t CodePage::ToBytes(const char16_t* t, std::size_t n, char* out) const {
  if (!utf8) {
    for (std::size_t i = 0; i < n; ++i)
      out[i] = hasByte[t[i]] ? static_cast<char>(toByte[t[i]]) : '?';
    return n;
  }
  std::size_t o = 0;
  for (std::size_t i = 0; i < n; ++i) {
    // Runs of ASCII narrow without encoding, eight units at a time through the compiler's
    // vector types.
    while (i + 8 <= n) {
      Units8 v;
      std::memcpy(&v, t + i, sizeof v);
      const Units8 high = v & static_cast<unsigned short>(0xFF80);
      std::uint64_t h[2];
      std::memcpy(h, &high, sizeof h);
      if (h[0] | h[1]) break;
      const Bytes8 narrow = __builtin_convertvector(v, Bytes8);
      std::memcpy(out + o, &narrow, sizeof narrow);
      i += 8;
      o += 8;
    }
    if (i >= n) break;
    const unsigned c = t[i];
    if (c < 0x80) {
      out[o++] = static_cast<char>(c);
    } else if (c < 0x800) {
      out[o++] = static_cast<char>(0xC0 | (c >> 6));
      out[o++] = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c >= 0xDC80 && c <= 0xDCFF) {
      out[o++] = static_cast<char>(c - 0xDC00);  // a byte that did not decode on load
    } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && t[i + 1] >= 0xDC00 && t[i + 1] <= 0xDFFF) {
      const unsigned cp = 0x10000 + ((c - 0xD800) << 10) + (t[i + 1] - 0xDC00);
      ++i;
      out[o++] = static_cast<char>(0xF0 | (cp >> 18));
      out[o++] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out[o++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out[o++] = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      // Any other unit, a lone surrogate included, as three bytes so nothing is dropped.
      out[o++] = static_cast<char>(0xE0 | (c >> 12));
      out[o++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out[o++] = static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return o;
}

std::u16string CodePage::ToWide(std::string_view bytes) const {
  std::u16string s(bytes.size(), u'\0');
  s.resize(ToWide(bytes.data(), bytes.size(), s.data()));
  return s;
}

std::string CodePage::ToBytes(std::u16string_view text) const {
  std::string s(MaxBytes(text.size()), '\0');
  s.resize(ToBytes(text.data(), text.size(), s.data()));
  return s;
}

bool CodePage::CanEncode(char16_t c) const {
  if (utf8) return !(c >= 0xD800 && c <= 0xDFFF);
  return hasByte[c] && !(c >= 0xDC80 && c <= 0xDCFF);
}

}  // namespace plat
