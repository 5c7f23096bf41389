// The settings store: keys and values under the two roots the program writes (the current
// user's software key and the classes root), kept in a text file in the device root, and
// the framework's profile operations on top of it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Types.h"

enum class HKEY : std::uint32_t { ClassesRoot = 0x80000000u, CurrentUser = 0x80000001u };
inline constexpr HKEY HKEY_CLASSES_ROOT = HKEY::ClassesRoot;
inline constexpr HKEY HKEY_CURRENT_USER = HKEY::CurrentUser;

// Key paths are names joined by backslashes ("Software\Farrowby Tovin\Tovin"); names of
// keys and values compare without regard to case and keep the case they were made with.
// The store is read from its file at first use and the file is replaced (atomically)
// whenever a value changes; a write that fails leaves the old file, answers false, and is
// tried again by the next change or Flush. A file that is there but could not be read
// whole is never written: the session runs on what it holds in memory.
class CRegistry {
 public:
  static constexpr char16_t kFilePath[] = u"\\Windows\\registry.ini";
  // Bounds that keep a damaged or hostile file from costing unbounded memory: a bigger
  // file is not read (nor written over), a longer string is refused.
  static constexpr std::size_t kMaxFileBytes = 64u << 20;
  static constexpr std::size_t kMaxStringUnits = 32u << 10;  // 64 KiB of UTF-16
  static constexpr std::size_t kMaxNameUnits = 255;           // one key name, or a value's name
  static constexpr std::size_t kMaxPathUnits = 1024;

  static CRegistry& Get();

  // The file bound in force, kMaxFileBytes unless lowered (tests that fill the store to
  // its bound lower it to keep their files small).
  void SetMaxFileBytes(std::size_t bytes) { maxFileBytes = bytes; }
  std::size_t GetMaxFileBytes() const { return maxFileBytes; }

  // Forgets everything held; the file is read again at the next use.
  void Reload();
  // Writes the file if a change has not reached it yet; false when that fails.
  bool Flush();

  // False when the key path or name is not acceptable, the string is too long, the store
  // would grow past its bound, or the file could not be written (the value is then held
  // and written with the next change, unless the file is not written this session).
  bool SetValue(HKEY root, std::u16string_view key, std::u16string_view name, std::u16string_view value);
  bool SetValue(HKEY root, std::u16string_view key, std::u16string_view name, DWORD value);
  // False when there is no such value or it has the other type.
  bool GetValue(HKEY root, std::u16string_view key, std::u16string_view name, std::u16string& value);
  bool GetValue(HKEY root, std::u16string_view key, std::u16string_view name, DWORD& value);
  bool DeleteValue(HKEY root, std::u16string_view key, std::u16string_view name);
  bool CreateKey(HKEY root, std::u16string_view key);
  // Deletes the key with everything under it; false when it did not exist.
  bool DeleteKey(HKEY root, std::u16string_view key);
  bool KeyExists(HKEY root, std::u16string_view key);
  // Names of the keys directly under key, and of its values, sorted without regard to case.
  std::vector<std::u16string> EnumKeys(HKEY root, std::u16string_view key);
  std::vector<std::u16string> EnumValues(HKEY root, std::u16string_view key);

  // The profile: values under Software\<registry key>\<application>\<section>; sections
  // may hold backslashes and so name deeper keys.
  void SetRegistryKey(std::u16string_view company) { registryKey = company; }
  void SetApplicationName(std::u16string_view name) { appName = name; }
  std::u16string GetProfileKey(std::u16string_view section) const;
  int GetProfileInt(std::u16string_view section, std::u16string_view entry, int defaultValue);
  bool WriteProfileInt(std::u16string_view section, std::u16string_view entry, int value);
  std::u16string GetProfileString(std::u16string_view section, std::u16string_view entry,
                                  std::u16string_view defaultValue = {});
  bool WriteProfileString(std::u16string_view section, std::u16string_view entry, std::u16string_view value);

  struct Value {
    std::u16string name;
    bool isString = false;
    DWORD number = 0;
    std::u16string text;
  };
  struct Key {
    std::u16string path;  // "HKEY_CURRENT_USER\Software\...", as first spelt
    std::map<std::u16string, Value> values;  // by the lower-cased name
  };
  using KeyMap = std::map<std::u16string, Key>;  // by the lower-cased path

 private:
  CRegistry() = default;
  void EnsureLoaded();
  // The full path of a key, and its lower-cased form; false when a name is not acceptable.
  bool FullPath(HKEY root, std::u16string_view key, std::u16string& path, std::u16string& folded) const;
  Value* FindValue(HKEY root, std::u16string_view key, std::u16string_view name);
  bool Store(HKEY root, std::u16string_view key, std::u16string_view name, const Value& value);
  bool Write();
  bool WriteText(const std::string& text);

  KeyMap keys;
  bool loaded = false;
  bool dirty = false;
  bool writable = true;  // false once the file was found but not read whole
  std::size_t maxFileBytes = kMaxFileBytes;
  std::u16string registryKey;
  std::u16string appName;  // the application gives it (CWinApp)
};

// The file's text: reading it as far as it makes sense, and writing it.
namespace plat::registry {
// Bad lines are skipped; a value before any good key line is dropped.
CRegistry::KeyMap ParseRegistryText(std::string_view bytes);
std::string FormatRegistryText(const CRegistry::KeyMap& keys);
// Splits a full path into checked names (no empty names, control characters or lone
// surrogates; bounded lengths) and joins them again; false when it is not acceptable.
bool NormalizeKeyPath(std::u16string_view path, std::u16string& normalized);
}  // namespace plat::registry
