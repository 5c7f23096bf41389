// The settings store: keys and values in memory, read from the file at first use and
// written back atomically after each change; and the profile operations.
#include "platform/registry/Registry.h"

#include <algorithm>
#include <optional>

#include "platform/base/Debug.h"
#include "platform/base/Strings.h"
#include "platform/fs/AtomicFile.h"
#include "platform/fs/Files.h"

namespace {

std::u16string_view RootName(HKEY root) {
  return root == HKEY_CLASSES_ROOT ? std::u16string_view(u"HKEY_CLASSES_ROOT") : std::u16string_view(u"HKEY_CURRENT_USER");
}

bool IsRoot(HKEY root) { return root == HKEY_CLASSES_ROOT || root == HKEY_CURRENT_USER; }

// The whole file; empty when there is none; nothing when it is there but could not be read
// whole (past the size bound, not a regular file, or a failed open or read).
std::optional<std::string> ReadStoreFile(std::size_t maxBytes) {
  plat::fs::File f;
  if (const auto e = f.Open(CRegistry::kFilePath, plat::fs::File::Access::Read)) {
    if (e == plat::ERROR_FILE_NOT_FOUND || e == plat::ERROR_PATH_NOT_FOUND) return std::string();
    return std::nullopt;
  }
  const long long size = f.Size();
  if (size < 0 || static_cast<unsigned long long>(size) > maxBytes) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::size_t got = 0;
  if (f.Read(bytes.data(), bytes.size(), got)) return std::nullopt;
  bytes.resize(got);
  return bytes;
}

}  // namespace

CRegistry& CRegistry::Get() {
  static CRegistry registry;
  return registry;
}

void CRegistry::Reload() {
  keys.clear();
  loaded = false;
  dirty = false;
  writable = true;
}

void CRegistry::EnsureLoaded() {
  if (loaded) return;
  loaded = true;
  const std::optional<std::string> text = ReadStoreFile(maxFileBytes);
  if (!text) {
    // Writing now would replace the user's settings with the few this session makes.
    writable = false;
    plat::DebugOut("registry: the settings file could not be read whole; it is kept as it is and not written "
                   "while the program runs, which starts from the defaults\n");
  }
  keys = plat::registry::ParseRegistryText(text ? *text : std::string());
}

bool CRegistry::Flush() {
  EnsureLoaded();
  return !dirty || Write();
}

bool CRegistry::Write() { return WriteText(plat::registry::FormatRegistryText(keys)); }

bool CRegistry::WriteText(const std::string& text) {
  dirty = true;
  if (!writable || text.size() > maxFileBytes) return false;
  const std::u16string_view path(kFilePath);
  plat::fs::CreateDirectory(path.substr(0, path.rfind(u'\\')));  // it may exist already
  plat::fs::AtomicFile file;
  if (file.Begin(path, u"registry") || file.Write(text.data(), text.size()) || file.Commit()) return false;
  dirty = false;
  return true;
}

bool CRegistry::FullPath(HKEY root, std::u16string_view key, std::u16string& path, std::u16string& folded) const {
  std::u16string rest;
  if (!IsRoot(root) || !plat::registry::NormalizeKeyPath(key, rest)) return false;
  path = std::u16string(RootName(root));
  if (!rest.empty()) path += u"\\" + rest;
  if (path.size() > kMaxPathUnits) return false;
  folded = plat::ToLower(path);
  return true;
}

CRegistry::Value* CRegistry::FindValue(HKEY root, std::u16string_view key, std::u16string_view name) {
  EnsureLoaded();
  std::u16string path, folded;
  if (!FullPath(root, key, path, folded)) return nullptr;
  auto k = keys.find(folded);
  if (k == keys.end()) return nullptr;
  auto v = k->second.values.find(plat::ToLower(name));
  return v == k->second.values.end() ? nullptr : &v->second;
}

bool CRegistry::Store(HKEY root, std::u16string_view key, std::u16string_view name, const Value& value) {
  EnsureLoaded();
  std::u16string path, folded;
  if (name.size() > kMaxNameUnits || value.text.size() > kMaxStringUnits || !FullPath(root, key, path, folded)) return false;
  const bool newKey = keys.find(folded) == keys.end();
  Key& k = keys[folded];
  if (newKey) k.path = path;
  const std::u16string foldedName = plat::ToLower(name);
  auto old = k.values.find(foldedName);
  if (old != k.values.end() && old->second.isString == value.isString && old->second.number == value.number &&
      old->second.text == value.text)
    return !dirty || Write();  // unchanged: only a pending write is owed
  std::optional<Value> previous;
  if (old != k.values.end()) previous = old->second;
  Value& v = k.values[foldedName];
  v = value;
  v.name = previous ? previous->name : std::u16string(name);
  const std::string text = plat::registry::FormatRegistryText(keys);
  if (text.size() > maxFileBytes) {
    // Past the bound the file could never be read back: the change is refused whole.
    if (previous) v = *previous;
    else k.values.erase(foldedName);
    if (newKey) keys.erase(folded);
    return false;
  }
  return WriteText(text);
}

bool CRegistry::SetValue(HKEY root, std::u16string_view key, std::u16string_view name, std::u16string_view value) {
  Value v;
  v.isString = true;
  if (value.size() > kMaxStringUnits) return false;
  v.text = value;
  return Store(root, key, name, v);
}

bool CRegistry::SetValue(HKEY root, std::u16string_view key, std::u16string_view name, DWORD value) {
  Value v;
  v.number = value;
  return Store(root, key, name, v);
}

bool CRegistry::GetValue(HKEY root, std::u16string_view key, std::u16string_view name, std::u16string& value) {
  const Value* v = FindValue(root, key, name);
  if (!v || !v->isString) return false;
  value = v->text;
  return true;
}

bool CRegistry::GetValue(HKEY root, std::u16string_view key, std::u16string_view name, DWORD& value) {
  const Value* v = FindValue(root, key, name);
  if (!v || v->isString) return false;
  value = v->number;
  return true;
}

bool CRegistry::DeleteValue(HKEY root, std::u16string_view key, std::u16string_view name) {
  EnsureLoaded();
  std::u16string path, folded;
  if (!FullPath(root, key, path, folded)) return false;
  auto k = keys.find(folded);
  if (k == keys.end() || k->second.values.erase(plat::ToLower(name)) == 0) return false;
  return Write();
}

bool CRegistry::CreateKey(HKEY root, std::u16string_view key) {
  EnsureLoaded();
  std::u16string path, folded;
  if (!FullPath(root, key, path, folded)) return false;
  if (KeyExists(root, key)) return true;
  keys[folded].path = path;
  return Write();
}

bool CRegistry::DeleteKey(HKEY root, std::u16string_view key) {
  EnsureLoaded();
  std::u16string path, folded;
  if (!FullPath(root, key, path, folded) || folded.find(u'\\') == std::u16string::npos) return false;  // never a root
  // The key itself and every key whose path continues it past a backslash.
  const std::u16string below = folded + u"\\";
  bool any = keys.erase(folded) > 0;
  for (auto it = keys.lower_bound(below); it != keys.end() && it->first.starts_with(below);) {
    it = keys.erase(it);
    any = true;
  }
  return any && Write();
}

bool CRegistry::KeyExists(HKEY root, std::u16string_view key) {
  EnsureLoaded();
  std::u16string path, folded;
  if (!FullPath(root, key, path, folded)) return false;
  if (keys.count(folded)) return true;
  // A key with keys under it exists though it was never made itself.
  const std::u16string below = folded + u"\\";
  auto it = keys.lower_bound(below);
  return it != keys.end() && it->first.starts_with(below);
}

std::vector<std::u16string> CRegistry::EnumKeys(HKEY root, std::u16string_view key) {
  EnsureLoaded();
  std::vector<std::u16string> names;
  std::u16string path, folded;
  if (!FullPath(root, key, path, folded)) return names;
  const std::u16string below = folded + u"\\";
  std::u16string lastFolded;
  for (auto it = keys.lower_bound(below); it != keys.end() && it->first.starts_with(below); ++it) {
    // The next name along; keys sort by their folded paths, so each child's run is together.
    const std::size_t end = it->first.find(u'\\', below.size());
    const std::size_t len = (end == std::u16string::npos ? it->first.size() : end) - below.size();
    const std::u16string childFolded = it->first.substr(below.size(), len);
    if (!names.empty() && childFolded == lastFolded) continue;
    lastFolded = childFolded;
    names.push_back(it->second.path.substr(below.size(), len));
  }
  return names;
}

std::vector<std::u16string> CRegistry::EnumValues(HKEY root, std::u16string_view key) {
  EnsureLoaded();
  std::vector<std::u16string> names;
  std::u16string path, folded;
  if (!FullPath(root, key, path, folded)) return names;
  auto k = keys.find(folded);
  if (k != keys.end())
    for (const auto& [foldedName, v] : k->second.values) names.push_back(v.name);
  return names;
}

std::u16string CRegistry::GetProfileKey(std::u16string_view section) const {
  std::u16string key = u"Software";
  if (!registryKey.empty()) key += u"\\" + registryKey;
  if (!appName.empty()) key += u"\\" + appName;
  if (!section.empty()) key += u"\\" + std::u16string(section);
  return key;
}

int CRegistry::GetProfileInt(std::u16string_view section, std::u16string_view entry, int defaultValue) {
  DWORD v = 0;
  return GetValue(HKEY_CURRENT_USER, GetProfileKey(section), entry, v) ? static_cast<int>(v) : defaultValue;
}

bool CRegistry::WriteProfileInt(std::u16string_view section, std::u16string_view entry, int value) {
  return SetValue(HKEY_CURRENT_USER, GetProfileKey(section), entry, static_cast<DWORD>(value));
}

std::u16string CRegistry::GetProfileString(std::u16string_view section, std::u16string_view entry,
                                           std::u16string_view defaultValue) {
  std::u16string v;
  return GetValue(HKEY_CURRENT_USER, GetProfileKey(section), entry, v) ? v : std::u16string(defaultValue);
}

bool CRegistry::WriteProfileString(std::u16string_view section, std::u16string_view entry, std::u16string_view value) {
  return SetValue(HKEY_CURRENT_USER, GetProfileKey(section), entry, value);
}
