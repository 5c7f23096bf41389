// Starting programs: argument splitting, device paths mapped, help viewer and browser, a real start.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "common/TempDevice.h"
#include "platform/base/Strings.h"
#include "platform/fs/Mounts.h"
#include "platform/shell/Process.h"

namespace {

std::vector<std::string> Split(const char16_t* line) {
  std::vector<std::string> out;
  for (const auto& w : SplitCommandLine(line)) out.push_back(plat::Narrow(w));
  return out;
}

using Words = std::vector<std::string>;

// Records each start instead of running it.
class ProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetSpawnHook([this](const SpawnRequest& r) {
      started.push_back(r);
      return true;
    });
  }
  void TearDown() override {
    SetSpawnHook(nullptr);
    SetHelpFolders({});
  }
  TempDevice device;
  std::vector<SpawnRequest> started;
};

}  // namespace

TEST(SplitCommandLine, BlanksQuotesAndBackslashes) {
  EXPECT_EQ(Split(u""), Words{});
  EXPECT_EQ(Split(u"  \t "), Words{});
  EXPECT_EQ(Split(u"a  b\tc"), (Words{"a", "b", "c"}));
  EXPECT_EQ(Split(u"\"a b\" c"), (Words{"a b", "c"}));
  EXPECT_EQ(Split(u"x\"a b\"y"), Words{"xa by"});  // quotes group inside a word
  EXPECT_EQ(Split(u"\"\" b"), (Words{"", "b"}));   // an empty quoted word is a word
  EXPECT_EQ(Split(u"\\My Documents\\a"), (Words{"\\My", "Documents\\a"}));
  EXPECT_EQ(Split(u"a\\\\b"), Words{"a\\\\b"});        // backslashes without a quote stay
  EXPECT_EQ(Split(u"a\\\"b"), Words{"a\"b"});          // \" is a quote
  EXPECT_EQ(Split(u"a\\\\\"b c\""), Words{"a\\b c"});  // \\" is a backslash, then quoting
  EXPECT_EQ(Split(u"a\\\\\\\"b"), Words{"a\\\"b"});    // \\\" is a backslash and a quote
  EXPECT_EQ(Split(u"\"unclosed quote"), Words{"unclosed quote"});
}

TEST_F(ProcessTest, ProgramsGetTheirWordsWithDevicePathsMapped) {
  SHELLEXECUTEINFO info;
  info.lpFile = u"gcc";
  info.lpParameters = u"-c \"\\My Documents\\my file.c\" -o \\out.o";
  info.lpDirectory = u"\\My Documents";
  ASSERT_TRUE(ShellExecuteEx(&info));
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].argv,
            (Words{"gcc", "-c", device.DocumentsHost() + "/my file.c", "-o", device.RootHost() + "/out.o"}));
  EXPECT_EQ(started[0].workingFolder, device.DocumentsHost());
}

TEST_F(ProcessTest, TheHelpViewerOpensTheHelpPageAtItsAnchor) {
  TempDevice::WriteHostFile(device.StorageHost() + "/Tovin.htm", "<html></html>");
  SetHelpFolders({device.RootHost(), device.StorageHost()});
  PROCESS_INFORMATION pi;
  ASSERT_TRUE(CreateProcessW(u"peghelp.exe", u"file:Tovin.htm#Main_Contents", &pi));
  EXPECT_TRUE(CloseHandle(pi.hProcess));
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].argv, (Words{"xdg-open", "file://" + device.StorageHost() + "/Tovin.htm#Main_Contents"}));

  // No page anywhere: nothing starts.
  SetHelpFolders({device.RootHost()});
  EXPECT_FALSE(CreateProcessW(u"\\Windows\\PEGHELP.EXE", u"file:Tovin.htm#Main_Contents", &pi));
  EXPECT_EQ(started.size(), 1u);
}

TEST_F(ProcessTest, TheHelpPageIsFoundBesideTheProgramOrInTheSourceTree) {
  EXPECT_FALSE(FindHelpFile("Tovin.htm").empty());
  EXPECT_TRUE(FindHelpFile("../Tovin.htm").empty());
}

TEST_F(ProcessTest, TheBrowserAndDocumentsOpenWithTheDesktop) {
  PROCESS_INFORMATION pi;
  ASSERT_TRUE(CreateProcessW(u"iexplore.exe", u"http://example.org/tovin", &pi));
  TempDevice::WriteHostFile(device.DocHost("readme.txt"), "hello");
  SHELLEXECUTEINFO info;
  info.lpFile = device.DocDevice("readme.txt");
  ASSERT_TRUE(ShellExecuteEx(&info));
  ASSERT_EQ(started.size(), 2u);
  EXPECT_EQ(started[0].argv, (Words{"xdg-open", "http://example.org/tovin"}));
  EXPECT_EQ(started[1].argv, (Words{"xdg-open", device.DocHost("readme.txt")}));

  info.lpFile = device.DocDevice("missing.txt");
  EXPECT_FALSE(ShellExecuteEx(&info));
  info.lpFile.clear();
  EXPECT_FALSE(ShellExecuteEx(&info));
  EXPECT_EQ(started.size(), 2u);
}

// A started program is collected by the editor once it ends: it is gone from the process
// table (not left as a zombie) without anyone waiting for it. False after ten seconds.
bool Collected(int pid) {
  for (int i = 0; i < 1000; ++i) {
    if (kill(pid, 0) != 0 && errno == ESRCH) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// Children of this process that ended and were never collected.
int Zombies() {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    // pid (name) state ppid ...: the name may hold blanks and parentheses.
    const auto close = line.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(line.substr(close + 1));
    char state = 0;
    long ppid = 0;
    rest >> state >> ppid;
    if (state == 'Z' && ppid == getpid()) ++count;
  }
  return count;
}

TEST(ProcessStart, ARealProgramGetsItsWordsAndFolderAndIsCollectedWhenItEnds) {
  TempDevice device;
  const int zombiesBefore = Zombies();
  PROCESS_INFORMATION pi;
  // The word with a space and the shell's own characters reach the program as they are.
  ASSERT_TRUE(CreateProcessW(u"touch.exe", u"\"made here.txt\" \"$HOME;x\"", &pi, u"\\My Documents"));
  ASSERT_GT(pi.dwProcessId, 0);
  EXPECT_TRUE(Collected(pi.dwProcessId));
  EXPECT_TRUE(TempDevice::HostExists(device.DocHost("made here.txt")));
  EXPECT_TRUE(TempDevice::HostExists(device.DocHost("$HOME;x")));

  // A program writes the words it was given and its folder; quotes, blanks and a device
  // path among the words arrive as the handheld's rules split them.
  TempDevice::WriteHostFile(device.DocHost("report.sh"), "pwd > report.txt\nfor w in \"$@\"; do echo \"[$w]\" >> report.txt; done\n");
  SHELLEXECUTEINFO info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpFile = u"sh";
  info.lpParameters = u"report.sh \"two words\" say\\\"hi\\\" \"\\My Documents\\a.b.cpp\"";
  info.lpDirectory = u"\\My Documents";
  ASSERT_TRUE(ShellExecuteEx(&info));
  ASSERT_GT(info.hProcess, 0);
  EXPECT_TRUE(Collected(info.hProcess));
  EXPECT_EQ(TempDevice::ReadHostFile(device.DocHost("report.txt")),
            std::filesystem::canonical(device.DocumentsHost()).string() + "\n[two words]\n[say\"hi\"]\n[" +
                device.DocumentsHost() + "/a.b.cpp]\n");

  // A folder that does not exist, a program that is nowhere: nothing runs, and nothing is
  // left half started.
  EXPECT_FALSE(CreateProcessW(u"no-such-program-here", u"", &pi));
  info.lpParameters = u"report.sh";
  info.lpDirectory = u"\\My Documents\\missing";
  EXPECT_FALSE(ShellExecuteEx(&info));
  info.lpFile = u"/bin/true";
  EXPECT_FALSE(ShellExecuteEx(&info));
  EXPECT_EQ(Zombies(), zombiesBefore);
}
