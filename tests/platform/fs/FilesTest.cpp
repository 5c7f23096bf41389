// Files, temporary names and replacing a file in one step.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "common/TempDevice.h"
#include "platform/fs/AtomicFile.h"
#include "platform/fs/Files.h"

using namespace plat::fs;

TEST(Files, AttributesOpenReadWrite) {
  TempDevice dev;
  const auto path = dev.DocDevice("n.txt");
  EXPECT_EQ(GetFileAttributes(path), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(plat::GetLastError(), plat::ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(GetFileAttributes(u"\\My Documents\\no\\n.txt"), INVALID_FILE_ATTRIBUTES);
  {
    File f;
    ASSERT_EQ(f.Open(path, File::Access::Write), 0u);
    EXPECT_EQ(f.Write("hello", 5), 0u);
    EXPECT_EQ(f.Close(), 0u);
  }
  EXPECT_EQ(GetFileAttributes(path), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(GetFileAttributes(u"\\My Documents") & FILE_ATTRIBUTE_DIRECTORY);
  File f;
  ASSERT_EQ(f.Open(path, File::Access::Read), 0u);
  char buf[16];
  std::size_t got = 0;
  EXPECT_EQ(f.Read(buf, sizeof buf, got), 0u);
  EXPECT_EQ(std::string(buf, got), "hello");
  File missing;
  EXPECT_EQ(missing.Open(dev.DocDevice("none"), File::Access::Read), plat::ERROR_FILE_NOT_FOUND);
  File folder;
  EXPECT_EQ(folder.Open(u"\\My Documents", File::Access::Read), plat::ERROR_ACCESS_DENIED);
}

TEST(Files, OnlyRegularFilesOpenAndAFifoNeverBlocks) {
  TempDevice dev;
  ASSERT_EQ(mkfifo(dev.DocHost("pipe").c_str(), 0600), 0);
  ASSERT_EQ(mkdir(dev.DocHost("dir").c_str(), 0700), 0);
  ASSERT_EQ(symlink("/dev/zero", dev.DocHost("zero").c_str()), 0);
  for (const char* name : {"pipe", "dir", "zero"}) {
    for (auto access : {File::Access::Read, File::Access::Write}) {
      File f;
      EXPECT_EQ(f.Open(dev.DocDevice(name), access), plat::ERROR_ACCESS_DENIED) << name;
      EXPECT_FALSE(f.IsOpen()) << name;
    }
  }
  struct stat st;
  ASSERT_EQ(stat(dev.DocHost("pipe").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));  // opening for writing did not replace it
}

TEST(Files, ReadOnlyAttributeComesFromWhatTheUserMayWrite) {
  TempDevice dev;
  TempDevice::WriteHostFile(dev.DocHost("ro.txt"), "x");
  // Root may write anything, so the refusal is injected where the check is made.
  SetFaultHook([](FsOp op, const std::string& host) -> std::uint32_t {
    return op == FsOp::Write && host.ends_with("ro.txt") ? plat::ERROR_ACCESS_DENIED : 0;
  });
  EXPECT_TRUE(GetFileAttributes(dev.DocDevice("ro.txt")) & FILE_ATTRIBUTE_READONLY);
  SetFaultHook(nullptr);
  EXPECT_FALSE(GetFileAttributes(dev.DocDevice("ro.txt")) & FILE_ATTRIBUTE_READONLY);
}

TEST(Files, TempNamesAreUniqueAndCreated) {
  TempDevice dev;
  std::u16string a, b;
  ASSERT_EQ(CreateTempFile(u"\\My Documents", u"CRE", a), 0u);
  ASSERT_EQ(CreateTempFile(u"\\My Documents\\", u"CRE", b), 0u);
  EXPECT_NE(a, b);
  EXPECT_TRUE(a.starts_with(u"\\My Documents\\CRE"));
  EXPECT_TRUE(a.ends_with(u".tmp"));
  EXPECT_TRUE(Exists(a));
  EXPECT_EQ(MoveFile(a, b), plat::ERROR_ALREADY_EXISTS);
  EXPECT_EQ(DeleteFile(b), 0u);
  EXPECT_EQ(MoveFile(a, b), 0u);
  EXPECT_FALSE(Exists(a));
  EXPECT_EQ(CreateTempFile(u"\\My Documents\\missing", u"CRE", a), plat::ERROR_FILE_NOT_FOUND);
}

namespace {

// Stands for a file system without unnamed temporary files.
std::uint32_t RefuseUnnamed(FsOp op, const std::string&) {
  return op == FsOp::CreateUnnamed ? plat::ERROR_NOT_SUPPORTED : 0;
}

}  // namespace

TEST(AtomicReplace, KeepsTheOldFileWholeOnAnyFailure) {
  TempDevice dev;
  const std::string host = dev.DocHost("t.txt");
  TempDevice::WriteHostFile(host, "old contents");
  for (bool named : {false, true}) {
    for (FsOp op : {FsOp::Write, FsOp::Sync, FsOp::Close, FsOp::Replace, FsOp::CreateTemp}) {
      SetFaultHook([op, named](FsOp o, const std::string& h) -> std::uint32_t {
        if (named && RefuseUnnamed(o, h)) return plat::ERROR_NOT_SUPPORTED;
        return o == op ? plat::ERROR_DISK_FULL : 0;
      });
      AtomicFile f;
      std::uint32_t e = f.Begin(dev.DocDevice("t.txt"), u"CRE");
      if (!e) e = f.Write("new", 3);
      if (!e) e = f.Commit();
      EXPECT_EQ(e, plat::ERROR_DISK_FULL) << static_cast<int>(op) << " named " << named;
      SetFaultHook(nullptr);
      EXPECT_EQ(TempDevice::ReadHostFile(host), "old contents");
      EXPECT_EQ(TempDevice::ListHost(dev.DocumentsHost()), "t.txt") << "temporary file left behind";
    }
  }
}

TEST(AtomicReplace, TheNewTextHasNoNameUntilItReplacesTheFile) {
  TempDevice dev;
  const std::string host = dev.DocHost("t.txt");
  TempDevice::WriteHostFile(host, "old");
  const std::string big(3u << 20, 'n');  // past the write buffer: part of it is on disk
  {
    AtomicFile f;
    ASSERT_EQ(f.Begin(dev.DocDevice("t.txt"), u"CRE"), 0u);
    ASSERT_EQ(f.Write(big.data(), big.size()), 0u);
    EXPECT_EQ(TempDevice::ListHost(dev.DocumentsHost()), "t.txt");
    ASSERT_EQ(f.Commit(), 0u);
  }
  EXPECT_EQ(TempDevice::ReadHostFile(host), big);
  EXPECT_EQ(TempDevice::ListHost(dev.DocumentsHost()), "t.txt");

  // Killed in the middle of writing, the program leaves the old file and nothing else.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    AtomicFile f;
    if (f.Begin(dev.DocDevice("t.txt"), u"CRE") == 0 && f.Write(big.data(), big.size()) == 0) raise(SIGKILL);
    _exit(1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the save did not get as far as writing";
  EXPECT_EQ(TempDevice::ReadHostFile(host), big);
  EXPECT_EQ(TempDevice::ListHost(dev.DocumentsHost()), "t.txt");
}

TEST(AtomicReplace, WithoutUnnamedFilesANamedTemporaryServesAndIsCleanedUp) {
  TempDevice dev;
  const std::string host = dev.DocHost("t.txt");
  TempDevice::WriteHostFile(host, "old");
  chmod(host.c_str(), 0640);
  SetFaultHook(RefuseUnnamed);
  {
    AtomicFile f;
    ASSERT_EQ(f.Begin(dev.DocDevice("t.txt"), u"CRE"), 0u);
    ASSERT_EQ(f.Write("new", 3), 0u);
    const std::string temp = f.TempHostPath();
    EXPECT_TRUE(temp.starts_with(dev.DocumentsHost() + "/CRE") && temp.ends_with(".tmp")) << temp;
    EXPECT_TRUE(TempDevice::HostExists(temp));
    ASSERT_EQ(f.Commit(), 0u);
    EXPECT_FALSE(TempDevice::HostExists(temp));
  }
  EXPECT_EQ(TempDevice::ReadHostFile(host), "new");
  struct stat st;
  ASSERT_EQ(stat(host.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  {
    AtomicFile f;
    ASSERT_EQ(f.Begin(dev.DocDevice("t.txt"), u"CRE"), 0u);
    ASSERT_EQ(f.Write("lost", 4), 0u);
  }  // given up without a commit
  SetFaultHook(nullptr);
  EXPECT_EQ(TempDevice::ReadHostFile(host), "new");
  EXPECT_EQ(TempDevice::ListHost(dev.DocumentsHost()), "t.txt");
}

TEST(AtomicReplace, KeepsModeFollowsLinksRefusesFolders) {
  TempDevice dev;
  const std::string real = dev.DocHost("real.txt");
  TempDevice::WriteHostFile(real, "a");
  chmod(real.c_str(), 06751);
  ASSERT_EQ(symlink("real.txt", dev.DocHost("link.txt").c_str()), 0);
  AtomicFile f;
  ASSERT_EQ(f.Begin(dev.DocDevice("link.txt"), u"CRE"), 0u);
  ASSERT_EQ(f.Write("through the link", 16), 0u);
  ASSERT_EQ(f.Commit(), 0u);
  struct stat st;
  ASSERT_EQ(lstat(dev.DocHost("link.txt").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(TempDevice::ReadHostFile(real), "through the link");
  ASSERT_EQ(stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0751u);  // set-id bits are not carried over

  mkdir(dev.DocHost("dir").c_str(), 0755);
  AtomicFile g;
  EXPECT_EQ(g.Begin(dev.DocDevice("dir"), u"CRE"), plat::ERROR_ACCESS_DENIED);
  AtomicFile h;
  EXPECT_NE(h.Begin(dev.DocDevice("missing/x.txt"), u"CRE"), 0u);
}
