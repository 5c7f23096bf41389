// One copy per user: a second process finds the first and asks it to bring its window forward.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/base/Errors.h"
#include "platform/shell/SingleInstance.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/Wnd.h"

namespace {

constexpr char16_t kName[] = u"{6B1F3C52-7A0E-4D8B-9F21-3C5E8A7D4B10}";

// A child process acting as the second copy: 0 when it saw the mutex held and its request
// was answered with the result wanted.
int SecondCopy(const char16_t* caption, ActivateResult wanted) {
  const pid_t pid = fork();
  if (pid == 0) {
    auto mutex = CNamedMutex::Create(kName);
    const bool held = mutex && !mutex->IsOwner() && plat::GetLastError() == plat::ERROR_ALREADY_EXISTS;
    const bool answered = ActivateRunningWindow(kName, caption) == wanted;
    _exit(held && answered ? 0 : 1);
  }
  return pid;
}

class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tovin-instance-XXXXXX";
    folder = mkdtemp(tmpl);
    setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    screen = std::make_unique<CHeadlessScreen>(480, 640);
    ASSERT_TRUE(main.Create(nullptr, CWindowManager::Get().GetWorkArea(), WS_VISIBLE | WS_CAPTION, 0, u"Tovin"));
    ASSERT_TRUE(
        dialog.Create(nullptr, CWindowManager::Get().GetWorkArea(), WS_VISIBLE | WS_CAPTION | WS_POPUP, 0, u"Other"));
  }
  void TearDown() override {
    main.DestroyWindow();
    dialog.DestroyWindow();
    screen.reset();
    unsetenv("XDG_RUNTIME_DIR");
    std::filesystem::remove_all(folder);
  }
  // Answers the child until it ends; its exit status.
  int Serve(CNamedMutex& mutex, pid_t child) {
    int status = 0;
    for (int i = 0; i < 500; ++i) {
      mutex.Poll(20);
      if (waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return -1;
  }

  std::string folder;
  std::unique_ptr<CHeadlessScreen> screen;
  CWnd main;
  CWnd dialog;
};

}  // namespace

TEST_F(SingleInstanceTest, ASecondCopyFindsTheFirstAndBringsItsWindowForward) {
  auto mutex = CNamedMutex::Create(kName);
  ASSERT_TRUE(mutex);
  EXPECT_TRUE(mutex->IsOwner());
  EXPECT_EQ(plat::GetLastError(), plat::ERROR_SUCCESS);
  ASSERT_NE(CWindowManager::Get().GetTopLevels().back(), &main);

  EXPECT_EQ(Serve(*mutex, SecondCopy(u"Tovin", ActivateResult::Activated)), 0);
  EXPECT_EQ(mutex->Activations(), 1);
  EXPECT_EQ(CWindowManager::Get().GetTopLevels().back(), &main);
}

TEST_F(SingleInstanceTest, OnlyTheExactCaptionIsFound) {
  auto mutex = CNamedMutex::Create(kName);
  ASSERT_TRUE(mutex && mutex->IsOwner());
  EXPECT_EQ(Serve(*mutex, SecondCopy(u"tovin", ActivateResult::NoWindow)), 0);
  // A document's title has replaced the caption: nothing to bring forward.
  main.SetWindowText(u"hello.cpp");
  EXPECT_EQ(Serve(*mutex, SecondCopy(u"Tovin", ActivateResult::NoWindow)), 0);
  EXPECT_EQ(mutex->Activations(), 0);
}

TEST_F(SingleInstanceTest, TheLockIsPrivateAndGoesWithItsHolder) {
  {
    auto first = CNamedMutex::Create(kName);
    ASSERT_TRUE(first && first->IsOwner());
    struct stat st;
    ASSERT_EQ(stat(first->LockPath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(first->LockPath(), folder + "/" + "{6B1F3C52-7A0E-4D8B-9F21-3C5E8A7D4B10}");
    EXPECT_FALSE(CNamedMutex::Create(u"../escape"));
  }
  // The first copy has ended: nobody answers, and the next copy is the first.
  EXPECT_EQ(ActivateRunningWindow(kName, u"Tovin", 500), ActivateResult::NoAnswer);
  auto next = CNamedMutex::Create(kName);
  ASSERT_TRUE(next);
  EXPECT_TRUE(next->IsOwner());
}

TEST_F(SingleInstanceTest, AnOpenDialogStaysAboveTheWindowBroughtForward) {
  auto mutex = CNamedMutex::Create(kName);
  ASSERT_TRUE(mutex && mutex->IsOwner());
  bool stillOnTop = false;
  screen->SetModalHook([&](CWnd*) {
    Serve(*mutex, SecondCopy(u"Tovin", ActivateResult::Activated));
    stillOnTop = CWindowManager::Get().GetTopLevels().back() == &dialog;
  });
  CWindowManager::Get().RunModalLoop(&dialog);
  EXPECT_TRUE(stillOnTop);
  EXPECT_EQ(mutex->Activations(), 1);
}
