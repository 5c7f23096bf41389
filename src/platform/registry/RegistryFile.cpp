// The settings file's text: UTF-8 lines, a "[HKEY_...\path]" line for each key followed by
// its values, "name"=dword:0000002a or "name"="text" with \\ \" \n \r \t and \uXXXX escapes.
// Reading skips whatever does not parse, so a damaged file loses only its damaged lines.
#include <cstdio>

#include "platform/base/Strings.h"
#include "platform/registry/Registry.h"

namespace plat::registry {
namespace {

constexpr std::u16string_view kRootNames[] = {u"HKEY_CLASSES_ROOT", u"HKEY_CURRENT_USER"};

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Characters a key name may not hold: controls, and surrogates that do not pair up.
bool IsCleanName(std::u16string_view name) {
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char16_t c = name[i];
    if (c < 0x20 || c == 0x7F) return false;
    if (IsHigh(c)) {
      if (i + 1 >= name.size() || !IsLow(name[i + 1])) return false;
      ++i;
    } else if (IsLow(c)) {
      return false;
    }
  }
  return true;
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// A quoted string starting at pos; pos ends after the closing quote. False on a bad escape,
// a missing quote, or more than limit units.
bool ParseQuoted(std::u16string_view line, std::size_t& pos, std::u16string& out, std::size_t limit) {
  out.clear();
  if (pos >= line.size() || line[pos] != u'"') return false;
  for (++pos; pos < line.size(); ++pos) {
    char16_t c = line[pos];
    if (c == u'"') {
      ++pos;
      return true;
    }
    if (c == u'\\') {
      if (++pos >= line.size()) return false;
      switch (line[pos]) {
        case u'\\': c = u'\\'; break;
        case u'"': c = u'"'; break;
        case u'n': c = u'\n'; break;
        case u'r': c = u'\r'; break;
        case u't': c = u'\t'; break;
        case u'u': {
          if (pos + 4 >= line.size()) return false;
          int v = 0;
          for (int k = 1; k <= 4; ++k) {
            const int h = HexValue(line[pos + k]);
            if (h < 0) return false;
            v = v * 16 + h;
          }
          c = static_cast<char16_t>(v);
          pos += 4;
          break;
        }
        default: return false;
      }
    }
    if (out.size() >= limit) return false;
    out.push_back(c);
  }
  return false;
}

std::string Quote(std::u16string_view text) {
  std::u16string q = u"\"";
  q.reserve(text.size() + 2);
  char16_t buf[8];
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool paired = (IsHigh(c) && i + 1 < text.size() && IsLow(text[i + 1])) || (IsLow(c) && i > 0 && IsHigh(text[i - 1]));
    switch (c) {
      case u'\\': q += u"\\\\"; continue;
      case u'"': q += u"\\\""; continue;
      case u'\n': q += u"\\n"; continue;
      case u'\r': q += u"\\r"; continue;
      case u'\t': q += u"\\t"; continue;
      default: break;
    }
    if (c < 0x20 || c == 0x7F || ((IsHigh(c) || IsLow(c)) && !paired)) {
      // Lone surrogates carry bytes that were not UTF-8; escaped, the file stays valid UTF-8.
      static constexpr char16_t kHex[] = u"0123456789abcdef";
      buf[0] = u'\\';
      buf[1] = u'u';
      for (int k = 0; k < 4; ++k) buf[2 + k] = kHex[(c >> (12 - 4 * k)) & 0xF];
      q.append(buf, 6);
      continue;
    }
    q.push_back(c);
  }
  q.push_back(u'"');
  return Narrow(q);
}

// Reads one value line into key; nothing happens when it does not parse.
void ParseValueLine(std::u16string_view line, CRegistry::Key& key) {
  CRegistry::Value v;
  std::size_t pos = 0;
  if (!ParseQuoted(line, pos, v.name, CRegistry::kMaxNameUnits)) return;
  if (pos >= line.size() || line[pos] != u'=') return;
  ++pos;
  constexpr std::u16string_view kDword = u"dword:";
  if (line.substr(pos, kDword.size()) == kDword) {
    pos += kDword.size();
    const std::size_t digits = line.size() - pos;
    if (digits == 0 || digits > 8) return;
    for (; pos < line.size(); ++pos) {
      const int h = HexValue(line[pos]);
      if (h < 0) return;
      v.number = v.number * 16 + static_cast<DWORD>(h);
    }
  } else {
    if (!ParseQuoted(line, pos, v.text, CRegistry::kMaxStringUnits) || pos != line.size()) return;
    v.isString = true;
  }
  key.values[ToLower(v.name)] = std::move(v);
}

}  // namespace

bool NormalizeKeyPath(std::u16string_view path, std::u16string& normalized) {
  normalized.clear();
  if (path.size() > CRegistry::kMaxPathUnits) return false;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t stop = path.find(u'\\', start);
    if (stop == std::u16string_view::npos) stop = path.size();
    const std::u16string_view name = path.substr(start, stop - start);
    // Empty names (a leading, trailing or doubled backslash) are dropped.
    if (!name.empty()) {
      if (name.size() > CRegistry::kMaxNameUnits || !IsCleanName(name)) return false;
      if (!normalized.empty()) normalized.push_back(u'\\');
      normalized.append(name);
    }
    start = stop + 1;
  }
  return true;
}

CRegistry::KeyMap ParseRegistryText(std::string_view bytes) {
  CRegistry::KeyMap keys;
  CRegistry::Key* current = nullptr;
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view raw = bytes.substr(at, end - at);
    at = end + 1;
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    while (!raw.empty() && (raw.front() == ' ' || raw.front() == '\t')) raw.remove_prefix(1);
    if (raw.empty() || raw.front() == ';' || raw.front() == '#') continue;
    const std::u16string line = Widen(raw);
    if (line.front() != u'[') {
      if (current) ParseValueLine(line, *current);
      continue;
    }
    // A key line: a root name, then the path. A bad one drops the values after it.
    current = nullptr;
    if (line.size() < 2 || line.back() != u']') continue;
    const std::u16string_view inner = std::u16string_view(line).substr(1, line.size() - 2);
    const std::u16string_view rootPart = inner.substr(0, inner.find(u'\\'));
    std::u16string rest;
    if (!NormalizeKeyPath(inner.substr(rootPart.size()), rest)) continue;
    for (std::u16string_view root : kRootNames) {
      if (!EqualsNoCase(root, rootPart)) continue;
      std::u16string full(root);
      if (!rest.empty()) full += u"\\" + rest;
      CRegistry::Key& key = keys[ToLower(full)];
      if (key.path.empty()) key.path = full;
      current = &key;
    }
  }
  return keys;
}

std::string FormatRegistryText(const CRegistry::KeyMap& keys) {
  std::string out = "; Settings: a [key] line, then its values as \"name\"=dword:hex or \"name\"=\"text\".\n";
  char hex[16];
  for (const auto& [folded, key] : keys) {
    out += "\n[" + Narrow(key.path) + "]\n";
    for (const auto& [foldedName, v] : key.values) {
      out += Quote(v.name);
      if (v.isString) {
        out += "=" + Quote(v.text) + "\n";
      } else {
        std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(v.number));
        out += std::string("=dword:") + hex + "\n";
      }
    }
  }
  return out;
}

}  // namespace plat::registry
