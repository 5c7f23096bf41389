// Starting programs: argument splitting, device paths mapped, help viewer and browser, a real start.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
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

TEST(ProcessStart, ARealProgramRunsInItsWorkingFolderWithoutAShell) {
  TempDevice device;
  PROCESS_INFORMATION pi;
  // The word with a space and the shell's own characters reach the program as they are.
  ASSERT_TRUE(CreateProcessW(u"touch.exe", u"\"made here.txt\" \"$HOME;x\"", &pi, u"\\My Documents"));
  ASSERT_GT(pi.dwProcessId, 0);
  int status = -1;
  ASSERT_EQ(waitpid(pi.dwProcessId, &status, 0), pi.dwProcessId);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_TRUE(TempDevice::HostExists(device.DocHost("made here.txt")));
  EXPECT_TRUE(TempDevice::HostExists(device.DocHost("$HOME;x")));
  EXPECT_FALSE(CreateProcessW(u"no-such-program-here", u"", &pi));
}
