// The settings store: values kept across a reload, profile sections as nested keys, the
// file's escaping, damaged and oversized files, and failed writes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "common/TempDevice.h"
#include "platform/base/Debug.h"
#include "platform/base/Strings.h"
#include "platform/fs/Files.h"
#include "platform/registry/Registry.h"

using namespace std::string_literals;

namespace {

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reg.Reload();
    reg.SetRegistryKey(u"Farrowby Tovin");
    reg.SetApplicationName(u"Tovin");
  }
  void TearDown() override {
    plat::fs::SetFaultHook(nullptr);
    reg.SetMaxFileBytes(CRegistry::kMaxFileBytes);
    reg.Reload();
  }
  std::string FileHost() const { return dev.RootHost() + "/Windows/registry.ini"; }
  std::string FileBytes() const { return TempDevice::ReadHostFile(FileHost()); }
  void WriteFile(const std::string& bytes) {
    std::filesystem::create_directories(dev.RootHost() + "/Windows");
    TempDevice::WriteHostFile(FileHost(), bytes);
    reg.Reload();
  }

  TempDevice dev;
  CRegistry& reg = CRegistry::Get();
};

constexpr char16_t kKey[] = u"Software\\Farrowby Tovin\\Tovin\\Settings";

}  // namespace

TEST_F(RegistryTest, ValuesSurviveAReloadUnderBothRoots) {
  EXPECT_FALSE(TempDevice::HostExists(dev.RootHost() + "/Windows"));
  ASSERT_TRUE(reg.SetValue(HKEY_CURRENT_USER, kKey, u"TabSize", DWORD{4}));
  ASSERT_TRUE(reg.SetValue(HKEY_CURRENT_USER, kKey, u"Font", u"Courier New"));
  ASSERT_TRUE(reg.SetValue(HKEY_CLASSES_ROOT, u".cpp", u"", u"Tovin.Source"));
  ASSERT_TRUE(reg.SetValue(HKEY_CURRENT_USER, kKey, u"Big", DWORD{0xFFFFFFFF}));
  EXPECT_TRUE(TempDevice::HostExists(FileHost()));  // the folder is made on the first write

  reg.Reload();
  DWORD n = 0;
  std::u16string s;
  EXPECT_TRUE(reg.GetValue(HKEY_CURRENT_USER, kKey, u"TabSize", n));
  EXPECT_EQ(n, 4u);
  EXPECT_TRUE(reg.GetValue(HKEY_CURRENT_USER, kKey, u"big", n));  // names ignore case
  EXPECT_EQ(n, 0xFFFFFFFFu);
  EXPECT_TRUE(reg.GetValue(HKEY_CURRENT_USER, u"software\\FARROWBY TOVIN\\tovin\\settings", u"Font", s));
  EXPECT_EQ(s, u"Courier New");
  EXPECT_TRUE(reg.GetValue(HKEY_CLASSES_ROOT, u".cpp", u"", s));
  EXPECT_EQ(s, u"Tovin.Source");
  // The roots are apart, and a value of the other type is not there.
  EXPECT_FALSE(reg.GetValue(HKEY_CLASSES_ROOT, kKey, u"Font", s));
  EXPECT_FALSE(reg.GetValue(HKEY_CURRENT_USER, kKey, u"Font", n));
  EXPECT_FALSE(reg.GetValue(HKEY_CURRENT_USER, kKey, u"TabSize", s));
  // Names keep the case they were first given.
  EXPECT_EQ(reg.EnumValues(HKEY_CURRENT_USER, kKey), (std::vector<std::u16string>{u"Big", u"Font", u"TabSize"}));
}

TEST_F(RegistryTest, UnchangedValuesDoNotRewriteTheFile) {
  ASSERT_TRUE(reg.SetValue(HKEY_CURRENT_USER, kKey, u"A", DWORD{1}));
  int replaces = 0;
  plat::fs::SetFaultHook([&](plat::fs::FsOp op, const std::string&) -> std::uint32_t {
    if (op == plat::fs::FsOp::Replace) ++replaces;
    return 0;
  });
  EXPECT_TRUE(reg.SetValue(HKEY_CURRENT_USER, kKey, u"a", DWORD{1}));
  EXPECT_EQ(replaces, 0);
  EXPECT_TRUE(reg.SetValue(HKEY_CURRENT_USER, kKey, u"A", DWORD{2}));
  EXPECT_EQ(replaces, 1);
  EXPECT_TRUE(reg.Flush());  // nothing pending
  EXPECT_EQ(replaces, 1);
}

TEST_F(RegistryTest, ProfileSectionsWithBackslashesAreNestedKeys) {
  EXPECT_EQ(reg.GetProfileInt(u"CrystalEdit\\Replace", u"WholeWord", 7), 7);
  EXPECT_EQ(reg.GetProfileString(u"CrystalEdit\\Replace", u"Text", u"none"), u"none");
  ASSERT_TRUE(reg.WriteProfileInt(u"CrystalEdit\\Replace", u"WholeWord", 1));
  ASSERT_TRUE(reg.WriteProfileInt(u"CrystalEdit\\Find", u"Origin", -3));
  ASSERT_TRUE(reg.WriteProfileString(u"CrystalEdit\\Replace", u"Text", u"old"));
  ASSERT_TRUE(reg.WriteProfileString(u"CrystalEdit\\Replace", u"Text", u"new"));
  reg.Reload();
  EXPECT_EQ(reg.GetProfileInt(u"CrystalEdit\\Replace", u"WholeWord", 0), 1);
  EXPECT_EQ(reg.GetProfileInt(u"CrystalEdit\\Find", u"Origin", 0), -3);
  EXPECT_EQ(reg.GetProfileString(u"CrystalEdit\\Replace", u"Text"), u"new");
  const std::u16string app = u"Software\\Farrowby Tovin\\Tovin";
  EXPECT_TRUE(reg.KeyExists(HKEY_CURRENT_USER, app + u"\\CrystalEdit\\Replace"));
  EXPECT_TRUE(reg.KeyExists(HKEY_CURRENT_USER, app + u"\\CrystalEdit"));  // implied by its children
  EXPECT_EQ(reg.EnumKeys(HKEY_CURRENT_USER, app + u"\\CrystalEdit"), (std::vector<std::u16string>{u"Find", u"Replace"}));
  EXPECT_EQ(reg.EnumKeys(HKEY_CURRENT_USER, u"Software"), (std::vector<std::u16string>{u"Farrowby Tovin"}));
  // Without a registry key the application sits straight under Software.
  reg.SetRegistryKey(u"");
  EXPECT_EQ(reg.GetProfileKey(u"Recent"), u"Software\\Tovin\\Recent");
}

TEST_F(RegistryTest, TextOfEveryKindRoundTripsAndTheFileStaysReadableUtf8) {
  const std::u16string withNul = u"C:\\path \"quoted\"\nline2\r\ttab \u00e9\u65e5\U0001F600 lone\xDC81 nul\0end"s;
  const std::u16string name = u"na\"me\\ \u00fc";
  ASSERT_TRUE(reg.SetValue(HKEY_CURRENT_USER, kKey, name, withNul));
  reg.Reload();
  std::u16string back;
  ASSERT_TRUE(reg.GetValue(HKEY_CURRENT_USER, kKey, name, back));
  EXPECT_EQ(back, withNul);
  const std::string bytes = FileBytes();
  // One line per value: the line breaks are escaped, and the lone surrogate too, rather
  // than written as a byte that is not UTF-8.
  EXPECT_NE(bytes.find("\"na\\\"me\\\\ \xC3\xBC\"=\"C:\\\\path \\\"quoted\\\"\\nline2\\r\\ttab \xC3\xA9"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("\\udc81"), std::string::npos);
  EXPECT_EQ(bytes.find('\x81' + std::string(" nul")), std::string::npos);
  EXPECT_NE(bytes.find("[HKEY_CURRENT_USER\\Software\\Farrowby Tovin\\Tovin\\Settings]"), std::string::npos);
}

TEST_F(RegistryTest, DamagedFileKeepsItsGoodLines) {
  std::string junk = "[HKEY_CURRENT_USER\\Software\\App]\n"
                     "\"Good\"=dword:0000002a\n"
                     "\"Unterminated\"=\"abc\n"
                     "\"BadEscape\"=\"a\\qb\"\n"
                     "\"TooLong\"=dword:123456789\n"
                     "\"NotHex\"=dword:12g4\n"
                     "\"Trailing\"=\"x\" junk\n"
                     "garbage line without quotes\n";
  junk += std::string("\"Bin\x00\xFF\"=\x01\x02\n", 11);  // a NUL and bytes that are not UTF-8
  junk += "\"Text\"=\"kept\"\r\n"
          "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
          "\"Orphan\"=dword:00000001\n"
          "[HKEY_CURRENT_USER\\Soft\x01ware]\n"
          "\"Orphan2\"=dword:00000001\n"
          "[HKEY_CURRENT_USER\\Software\\App\n"
          "\"Orphan3\"=dword:00000001\n"
          "[hkey_current_user\\software\\app]\n"
          "\"Later\"=\"same key, other spelling\"\n";
  WriteFile(junk);
  DWORD n = 0;
  std::u16string s;
  EXPECT_TRUE(reg.GetValue(HKEY_CURRENT_USER, u"Software\\App", u"Good", n));
  EXPECT_EQ(n, 42u);
  EXPECT_TRUE(reg.GetValue(HKEY_CURRENT_USER, u"Software\\App", u"Text", s));
  EXPECT_EQ(s, u"kept");
  EXPECT_TRUE(reg.GetValue(HKEY_CURRENT_USER, u"Software\\App", u"Later", s));
  EXPECT_EQ(reg.EnumValues(HKEY_CURRENT_USER, u"Software\\App"), (std::vector<std::u16string>{u"Good", u"Later", u"Text"}));
  EXPECT_EQ(reg.EnumKeys(HKEY_CURRENT_USER, u"Software"), (std::vector<std::u16string>{u"App"}));
  // A change writes a clean file holding what was good.
  ASSERT_TRUE(reg.SetValue(HKEY_CURRENT_USER, u"Software\\App", u"New", DWORD{1}));
  reg.Reload();
  EXPECT_EQ(reg.EnumValues(HKEY_CURRENT_USER, u"Software\\App"), (std::vector<std::u16string>{u"Good", u"Later", u"New", u"Text"}));
}

TEST_F(RegistryTest, OversizedFilesStringsAndNamesAreRefused) {
  // A string line past the bound is skipped; the line after it is read.
  WriteFile("[HKEY_CURRENT_USER\\Software\\App]\n\"Long\"=\"" + std::string(CRegistry::kMaxStringUnits + 1, 'a') +
            "\"\n\"Short\"=\"" + std::string(CRegistry::kMaxStringUnits, 'a') + "\"\n");
  std::u16string s;
  EXPECT_FALSE(reg.GetValue(HKEY_CURRENT_USER, u"Software\\App", u"Long", s));
  EXPECT_TRUE(reg.GetValue(HKEY_CURRENT_USER, u"Software\\App", u"Short", s));
  EXPECT_EQ(s.size(), CRegistry::kMaxStringUnits);

  const std::string before = FileBytes();
  EXPECT_FALSE(reg.SetValue(HKEY_CURRENT_USER, u"Software\\App", u"Long", std::u16string(CRegistry::kMaxStringUnits + 1, u'a')));
  EXPECT_FALSE(reg.SetValue(HKEY_CURRENT_USER, u"Software\\Bad\nName", u"x", DWORD{1}));
  EXPECT_FALSE(reg.SetValue(HKEY_CURRENT_USER, u"Software\\" + std::u16string(256, u'k'), u"x", DWORD{1}));
  EXPECT_FALSE(reg.SetValue(HKEY_CURRENT_USER, u"Software", std::u16string(256, u'n'), DWORD{1}));
  EXPECT_FALSE(reg.SetValue(static_cast<HKEY>(0x80000002u), u"Software", u"x", DWORD{1}));
  EXPECT_EQ(FileBytes(), before);
  // Many values that together would pass the file bound: the one that would is refused,
  // so the file can always be read back. (A bound of 1 MiB keeps the file small; control
  // characters are written as six-byte escapes, so few values reach it.)
  reg.SetMaxFileBytes(1u << 20);
  const std::u16string chunk(CRegistry::kMaxStringUnits, u'\x01');
  int stored = 0;
  while (stored < 100 && reg.SetValue(HKEY_CURRENT_USER, u"Software\\Fill", u"v" + plat::FromInt(stored), chunk)) ++stored;
  EXPECT_GT(stored, 2);
  EXPECT_LT(stored, 100);
  EXPECT_LE(FileBytes().size(), reg.GetMaxFileBytes());
  reg.Reload();
  EXPECT_EQ(static_cast<int>(reg.EnumValues(HKEY_CURRENT_USER, u"Software\\Fill").size()), stored);
}

namespace {
std::string debugText;
void KeepDebugText(std::u16string_view text) { debugText += plat::Narrow(text); }
}  // namespace

// A store the program could not read whole would lose what it did not read if it were
// written back: such a file stays as it is for the whole session.
TEST_F(RegistryTest, AStoreNotReadWholeIsNeverWrittenOver) {
  plat::SetDebugSink(KeepDebugText);
  // Past the size bound (a sparse file: nothing much is written here).
  WriteFile("[HKEY_CURRENT_USER\\Software\\App]\n\"Good\"=dword:00000001\n");
  ASSERT_EQ(truncate(FileHost().c_str(), static_cast<off_t>(CRegistry::kMaxFileBytes) + 1), 0);
  struct stat before {}, after {};
  ASSERT_EQ(stat(FileHost().c_str(), &before), 0);
  debugText.clear();
  DWORD n = 0;
  EXPECT_FALSE(reg.GetValue(HKEY_CURRENT_USER, u"Software\\App", u"Good", n));
  EXPECT_FALSE(reg.SetValue(HKEY_CURRENT_USER, kKey, u"Mode", DWORD{1}));
  EXPECT_TRUE(reg.GetValue(HKEY_CURRENT_USER, kKey, u"Mode", n));  // the session has its change
  EXPECT_EQ(n, 1u);
  EXPECT_FALSE(reg.Flush());
  ASSERT_EQ(stat(FileHost().c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_size, before.st_size);
  EXPECT_NE(debugText.find("registry: "), std::string::npos);
  EXPECT_TRUE(debugText.ends_with("\n")) << debugText;

  // A file that cannot be opened or read: the same.
  const std::string text = "[HKEY_CURRENT_USER\\Software\\App]\n\"Good\"=dword:00000001\n";
  for (auto failing : {plat::fs::FsOp::Open, plat::fs::FsOp::Read}) {
    WriteFile(text);
    plat::fs::SetFaultHook([failing](plat::fs::FsOp op, const std::string& host) -> std::uint32_t {
      return op == failing && host.ends_with("registry.ini") ? plat::ERROR_ACCESS_DENIED : 0;
    });
    EXPECT_EQ(reg.GetProfileInt(u"Settings", u"Mode", 7), 7);  // defaults
    EXPECT_FALSE(reg.SetValue(HKEY_CURRENT_USER, kKey, u"Mode", DWORD{2}));
    EXPECT_FALSE(reg.Flush());
    plat::fs::SetFaultHook(nullptr);
    EXPECT_EQ(FileBytes(), text);
    EXPECT_FALSE(reg.Flush()) << "written later in the same session";
    EXPECT_EQ(FileBytes(), text);
  }
  // The next session reads it as usual; a missing file is no reason to hold back.
  reg.Reload();
  EXPECT_TRUE(reg.GetValue(HKEY_CURRENT_USER, u"Software\\App", u"Good", n));
  std::filesystem::remove(FileHost());
  reg.Reload();
  EXPECT_TRUE(reg.SetValue(HKEY_CURRENT_USER, kKey, u"Mode", DWORD{3}));
  EXPECT_TRUE(TempDevice::HostExists(FileHost()));
  plat::SetDebugSink(nullptr);
}

TEST_F(RegistryTest, FailedWriteKeepsTheOldFileAndIsRetried) {
  ASSERT_TRUE(reg.SetValue(HKEY_CURRENT_USER, kKey, u"Mode", DWORD{1}));
  const std::string before = FileBytes();
  for (auto failing : {plat::fs::FsOp::Write, plat::fs::FsOp::Sync, plat::fs::FsOp::Replace, plat::fs::FsOp::CreateTemp}) {
    plat::fs::SetFaultHook([failing](plat::fs::FsOp op, const std::string&) -> std::uint32_t {
      return op == failing ? plat::ERROR_DISK_FULL : 0;
    });
    EXPECT_FALSE(reg.SetValue(HKEY_CURRENT_USER, kKey, u"Mode", DWORD{2}));
    EXPECT_EQ(FileBytes(), before);
    EXPECT_FALSE(reg.Flush());
    EXPECT_EQ(TempDevice::ListHost(dev.RootHost() + "/Windows"), "registry.ini");  // no temporary left
  }
  // The running program sees its change; the file gets it once writing works again.
  DWORD n = 0;
  EXPECT_TRUE(reg.GetValue(HKEY_CURRENT_USER, kKey, u"Mode", n));
  EXPECT_EQ(n, 2u);
  plat::fs::SetFaultHook(nullptr);
  EXPECT_TRUE(reg.Flush());
  reg.Reload();
  EXPECT_TRUE(reg.GetValue(HKEY_CURRENT_USER, kKey, u"Mode", n));
  EXPECT_EQ(n, 2u);
}

TEST_F(RegistryTest, DeletingKeysAndValues) {
  ASSERT_TRUE(reg.SetValue(HKEY_CURRENT_USER, u"Software\\A\\B", u"x", DWORD{1}));
  ASSERT_TRUE(reg.SetValue(HKEY_CURRENT_USER, u"Software\\A\\C\\D", u"y", DWORD{2}));
  ASSERT_TRUE(reg.SetValue(HKEY_CURRENT_USER, u"Software\\A C", u"z", DWORD{3}));  // not under A
  ASSERT_TRUE(reg.CreateKey(HKEY_CURRENT_USER, u"Software\\A\\Empty"));
  reg.Reload();
  EXPECT_EQ(reg.EnumKeys(HKEY_CURRENT_USER, u"Software\\A"), (std::vector<std::u16string>{u"B", u"C", u"Empty"}));
  EXPECT_TRUE(reg.DeleteKey(HKEY_CURRENT_USER, u"software\\a\\c"));
  EXPECT_FALSE(reg.KeyExists(HKEY_CURRENT_USER, u"Software\\A\\C\\D"));
  EXPECT_FALSE(reg.DeleteKey(HKEY_CURRENT_USER, u"Software\\A\\C"));
  EXPECT_FALSE(reg.DeleteKey(HKEY_CURRENT_USER, u""));  // never a whole root
  EXPECT_TRUE(reg.DeleteValue(HKEY_CURRENT_USER, u"Software\\A\\B", u"X"));
  EXPECT_FALSE(reg.DeleteValue(HKEY_CURRENT_USER, u"Software\\A\\B", u"X"));
  reg.Reload();
  EXPECT_EQ(reg.EnumKeys(HKEY_CURRENT_USER, u"Software\\A"), (std::vector<std::u16string>{u"B", u"Empty"}));
  EXPECT_TRUE(reg.EnumValues(HKEY_CURRENT_USER, u"Software\\A\\B").empty());
  DWORD n = 0;
  EXPECT_TRUE(reg.GetValue(HKEY_CURRENT_USER, u"Software\\A C", u"z", n));
}
