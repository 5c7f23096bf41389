// UTF-16 text helpers.
#include "platform/base/Strings.h"

#include <climits>

#include "platform/base/CharClass.h"

namespace plat {

std::u16string Widen(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  std::size_t i = 0;
  const auto* b = reinterpret_cast<const unsigned char*>(s.data());
  const std::size_t n = s.size();
  while (i < n) {
    unsigned c = b[i];
    if (c < 0x80) {
      out.push_back(static_cast<char16_t>(c));
      ++i;
      continue;
    }
    std::size_t len = 0;
    unsigned cp = 0, min = 0;
    if (c >= 0xC2 && c <= 0xDF) len = 2, cp = c & 0x1F, min = 0x80;
    else if (c >= 0xE0 && c <= 0xEF) len = 3, cp = c & 0x0F, min = 0x800;
    else if (c >= 0xF0 && c <= 0xF4) len = 4, cp = c & 0x07, min = 0x10000;
    bool ok = len != 0 && i + len <= n;
    for (std::size_t k = 1; ok && k < len; ++k) {
      if ((b[i + k] & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (b[i + k] & 0x3F);
    }
    if (ok && (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
    if (!ok) {
      out.push_back(static_cast<char16_t>(0xDC00 + c));
      ++i;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += len;
  }
  return out;
}

std::string Narrow(std::u16string_view t) {
  std::string out;
  out.reserve(t.size());
  for (std::size_t i = 0; i < t.size(); ++i) {
    unsigned c = t[i];
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c >= 0xDC80 && c <= 0xDCFF) {
      out.push_back(static_cast<char>(c - 0xDC00));  // a carried undecodable byte
    } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < t.size() && t[i + 1] >= 0xDC00 && t[i + 1] <= 0xDFFF) {
      unsigned cp = 0x10000 + ((c - 0xD800) << 10) + (t[i + 1] - 0xDC00);
      ++i;
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

void ToUpperInPlace(char16_t* text, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    char16_t c = text[i];
    if (c < 0x80) {
      if (c >= u'a' && c <= u'z') text[i] = static_cast<char16_t>(c - 32);
    } else {
      text[i] = ToUpperChar(c);
    }
  }
}

std::u16string ToUpper(std::u16string_view text) {
  std::u16string s(text);
  ToUpperInPlace(s.data(), s.size());
  return s;
}

std::u16string ToLower(std::u16string_view text) {
  std::u16string s(text);
  for (auto& c : s) c = ToLowerChar(c);
  return s;
}

std::u16string TrimLeft(std::u16string_view t) {
  std::size_t i = 0;
  while (i < t.size() && IsSpace(t[i])) ++i;
  return std::u16string(t.substr(i));
}

std::u16string TrimRight(std::u16string_view t) {
  std::size_t n = t.size();
  while (n > 0 && IsSpace(t[n - 1])) --n;
  return std::u16string(t.substr(0, n));
}

std::u16string Trim(std::u16string_view t) { return TrimLeft(TrimRight(t)); }

std::ptrdiff_t Find(std::u16string_view text, std::u16string_view needle, std::size_t from) {
  if (from > text.size()) return -1;
  auto p = text.find(needle, from);
  return p == std::u16string_view::npos ? -1 : static_cast<std::ptrdiff_t>(p);
}

int ReplaceAllIn(std::u16string& text, std::u16string_view what, std::u16string_view with) {
  if (what.empty()) return 0;
  int count = 0;
  std::u16string out;
  std::size_t pos = 0;
  for (;;) {
    auto hit = text.find(what, pos);
    if (hit == std::u16string::npos) break;
    out.append(text, pos, hit - pos);
    out.append(with);
    pos = hit + what.size();
    ++count;
  }
  if (count) {
    out.append(text, pos);
    text.swap(out);
  }
  return count;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (ToUpperChar(a[i]) != ToUpperChar(b[i])) return false;
  return true;
}

std::u16string FromInt(long long v) {
  std::string s = std::to_string(v);
  return std::u16string(s.begin(), s.end());
}

std::u16string FromIntGrouped(long long v, char16_t sep) {
  const unsigned long long magnitude = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  std::string digits = std::to_string(magnitude);
  std::u16string out;
  const std::size_t n = digits.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0 && sep) out.push_back(sep);
    out.push_back(static_cast<char16_t>(digits[i]));
  }
  return v < 0 ? u"-" + out : out;
}

bool ToInt(std::u16string_view t, int& value) {
  std::size_t i = 0;
  bool neg = false;
  if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) neg = t[i++] == u'-';
  if (i == t.size()) return false;
  long long v = 0;
  for (; i < t.size(); ++i) {
    if (t[i] < u'0' || t[i] > u'9') return false;
    v = v * 10 + (t[i] - u'0');
    if (v > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (neg) v = -v;
  if (v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

}  // namespace plat
