// Loading and saving the text: line ends, the line-length limit, code pages, safe saving.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "buffer/BufferTestSupport.h"
#include "common/TempDevice.h"
#include "platform/base/CodePage.h"
#include "platform/fs/Files.h"

using plat::fs::FsOp;

namespace {

// Loads bytes from a file and saves them back; returns what was written.
std::string RoundTrip(TempDevice& dev, const std::string& bytes, int* mode = nullptr, int* lines = nullptr) {
  TempDevice::WriteHostFile(dev.DocHost("in.txt"), bytes);
  CCrystalTextBuffer b;
  EXPECT_TRUE(b.LoadFromFile(dev.DocDevice("in.txt")));
  if (mode) *mode = b.GetCRLFMode();
  if (lines) *lines = b.GetLineCount();
  EXPECT_TRUE(b.SaveToFile(dev.DocDevice("out.txt")));
  return TempDevice::ReadHostFile(dev.DocHost("out.txt"));
}

const std::string kRefusal = "Tovin is unable to open files that contain more than 2048 characters on a single line.";

}  // namespace

TEST(Load, DetectsLineEndsAndRoundTripsByteForByte) {
  TempDevice dev;
  struct Case {
    std::string bytes;
    int mode, lines;
  } cases[] = {
      {"a\r\nb\r\nc", 0, 3},
      {"a\n\rb\n\r", 1, 3},
      {"a\nb\n", 2, 3},
      {"", 0, 1},
      {"no line end", 0, 1},
      {"x\r\r\ny\r\n", 0, 2},        // "\r\r\n" stays inside the line
      {"cr\ronly\rends", 0, 1},      // CR alone never ends a line
      {"x\n\ra\n\n\rb", 1, 2},       // "\n\n\r": the second LF breaks the match
      {"one\r\n\r\n\r\n", 0, 4},
  };
  for (const auto& c : cases) {
    int mode = -1, lines = 0;
    EXPECT_EQ(RoundTrip(dev, c.bytes, &mode, &lines), c.bytes);
    EXPECT_EQ(mode, c.mode) << c.bytes;
    EXPECT_EQ(lines, c.lines) << c.bytes;
  }
}

TEST(Load, SplitsLinesAsTheMatchRuleSays) {
  TempDevice dev;
  TempDevice::WriteHostFile(dev.DocHost("f.txt"), "x\r\r\ny\r\r\r\nz");
  CCrystalTextBuffer b;
  ASSERT_TRUE(b.LoadFromFile(dev.DocDevice("f.txt")));
  EXPECT_EQ(AllText(b), "x\r\r\ny\r\r|z");  // an odd run of CRs before LF ends the line
}

TEST(Load, DetectionUsesOnlyTheFirstBlock) {
  TempDevice dev;
  // LF line ends in the first block decide; CR LF later on leaves the CR in each line.
  std::string bytes;
  while (bytes.size() < 40000) bytes += "lf line\n";
  bytes += "crlf line\r\nlast";
  TempDevice::WriteHostFile(dev.DocHost("f.txt"), bytes);
  CCrystalTextBuffer b;
  ASSERT_TRUE(b.LoadFromFile(dev.DocDevice("f.txt")));
  EXPECT_EQ(b.GetCRLFMode(), 2);
  const int n = b.GetLineCount();
  EXPECT_EQ(std::u16string(b.GetLineChars(n - 2), b.GetLineLength(n - 2)), u"crlf line\r");
  // A mode given by the caller is used as it is.
  TempDevice::WriteHostFile(dev.DocHost("g.txt"), "a\r\nb");
  ASSERT_TRUE(b.LoadFromFile(dev.DocDevice("g.txt"), 2));
  EXPECT_EQ(AllText(b), "a\r|b");
}

TEST(Load, RefusesLinesAtTheLimitAndResets) {
  TempDevice dev;
  MessageRecorder rec;
  CCrystalTextBuffer b;
  RecordingView view;
  b.AddView(&view);
  const std::string line2047(2047, 'q');
  TempDevice::WriteHostFile(dev.DocHost("ok.txt"), "a\r\n" + line2047);
  ASSERT_TRUE(b.LoadFromFile(dev.DocDevice("ok.txt")));
  EXPECT_EQ(b.GetLineLength(1), 2047);
  TempDevice::WriteHostFile(dev.DocHost("ok2.txt"), line2047.substr(1) + "\n");  // 2046 + LF
  EXPECT_TRUE(b.LoadFromFile(dev.DocDevice("ok2.txt")));
  EXPECT_TRUE(rec.messages.empty());

  for (const std::string& bad : {line2047 + "\r\n", line2047.substr(1) + "\r\n", line2047 + "x", "a\n" + line2047 + "\n"}) {
    view.notices.clear();
    TempDevice::WriteHostFile(dev.DocHost("bad.txt"), bad);
    EXPECT_FALSE(b.LoadFromFile(dev.DocDevice("bad.txt")));
    EXPECT_EQ(b.GetLineCount(), 1);
    EXPECT_EQ(b.GetLineLength(0), 0);
    EXPECT_EQ(b.GetCRLFMode(), 0);
    EXPECT_FALSE(b.GetReadOnly());
    ASSERT_FALSE(view.notices.empty());
    EXPECT_EQ(view.notices.back().flags, DWORD{UpdateReset});
  }
  EXPECT_EQ(rec.messages.size(), 4u);
  EXPECT_EQ(rec.messages[0], kRefusal);
  b.RemoveView(&view);
}

TEST(Load, MissingFileIsOneEmptyReadOnlyLine) {
  TempDevice dev;
  CCrystalTextBuffer b;
  b.InitNew(2);
  EXPECT_TRUE(b.LoadFromFile(dev.DocDevice("none.txt")));
  EXPECT_EQ(b.GetLineCount(), 1);
  EXPECT_TRUE(b.GetReadOnly());
  EXPECT_EQ(b.GetCRLFMode(), 2);  // nothing read: the mode stays
}

TEST(Load, ReadFailingPartWayKeepsWhatWasReadReadOnly) {
  TempDevice dev;
  std::string big;
  while (big.size() < 3u << 20) big += "some line of text\n";
  TempDevice::WriteHostFile(dev.DocHost("big.txt"), big);
  int reads = 0;
  plat::fs::SetFaultHook([&reads](FsOp op, const std::string&) -> std::uint32_t {
    return op == FsOp::Read && ++reads == 2 ? plat::ERROR_READ_FAULT : 0;
  });
  CCrystalTextBuffer b;
  EXPECT_FALSE(b.LoadFromFile(dev.DocDevice("big.txt")));
  plat::fs::SetFaultHook(nullptr);
  EXPECT_TRUE(b.GetReadOnly());
  EXPECT_GT(b.GetLineCount(), 1000);
  EXPECT_LT(b.GetLineCount(), static_cast<int>(big.size() / 18));
  int end = 0, ch = 0;
  EXPECT_FALSE(b.InsertText(nullptr, 0, 0, u"x", end, ch));  // nothing to save over the file by accident
}

TEST(Load, InvalidUtf8AndSingleByteCodePagesRoundTrip) {
  TempDevice dev;
  std::mt19937 rng(11);
  std::string bytes;
  for (int i = 0; i < 5000; ++i) {
    const unsigned r = rng() % 16;
    bytes.push_back(r == 0 ? '\n' : static_cast<char>(r < 6 ? rng() & 0xFF : 'a' + r));
  }
  EXPECT_EQ(RoundTrip(dev, bytes), bytes);
  ASSERT_TRUE(plat::CodePage::SetSystem("CP1252"));
  std::string all;
  for (int c = 1; c < 256; ++c)
    if (c != '\n' && c != '\r') all.push_back(static_cast<char>(c));
  all += "\r\nend";
  EXPECT_EQ(RoundTrip(dev, all), all);
  CCrystalTextBuffer b;
  ASSERT_TRUE(b.LoadFromFile(dev.DocDevice("in.txt")));
  EXPECT_EQ(b.GetLineChars(0)[0x80 - 3], u'\u20AC');  // byte 0x80 is the euro sign there
  ASSERT_TRUE(plat::CodePage::SetSystem("UTF-8"));
}

TEST(Load, LargeFileSplitsAcrossReadChunks) {
  TempDevice dev;
  std::string bytes;
  int n = 0;
  while (bytes.size() < (5u << 20) / 2) {
    bytes += "line " + std::to_string(n) + (n % 7 ? " with some words\r\n" : "\r\n");
    ++n;
  }
  EXPECT_EQ(RoundTrip(dev, bytes), bytes);
  CCrystalTextBuffer b;
  ASSERT_TRUE(b.LoadFromFile(dev.DocDevice("in.txt")));
  EXPECT_EQ(b.GetLineCount(), n + 1);
  EXPECT_EQ(std::u16string(b.GetLineChars(n - 1), b.GetLineLength(n - 1)),
            plat::Widen("line " + std::to_string(n - 1) + ((n - 1) % 7 ? " with some words" : "")));
}

TEST(Save, WritesTheChosenLineEndsAndClearsModified) {
  TempDevice dev;
  CCrystalTextBuffer b;
  b.InitNew(0);
  int l, c;
  ASSERT_TRUE(b.InsertText(nullptr, 0, 0, u"one\r\ntwo\rthree", l, c));
  EXPECT_TRUE(b.IsModified());
  ASSERT_TRUE(b.SaveToFile(dev.DocDevice("s.txt"), 2, false));
  EXPECT_EQ(TempDevice::ReadHostFile(dev.DocHost("s.txt")), "one\ntwo\nthree");
  EXPECT_TRUE(b.IsModified());
  ASSERT_TRUE(b.SaveToFile(dev.DocDevice("s.txt")));
  EXPECT_EQ(TempDevice::ReadHostFile(dev.DocHost("s.txt")), "one\r\ntwo\r\nthree");
  EXPECT_FALSE(b.IsModified());
  EXPECT_EQ(b.GetSavePoint(), b.GetUndoPosition());
  // Lines longer than the load limit are written whole.
  const std::u16string longLine(5000, u'\u00e9');
  ASSERT_TRUE(b.InsertText(nullptr, 0, 0, longLine, l, c));
  ASSERT_TRUE(b.SaveToFile(dev.DocDevice("s.txt")));
  EXPECT_EQ(TempDevice::ReadHostFile(dev.DocHost("s.txt")).size(), 10000u + 15u);
}

TEST(Save, FailureLeavesTheOldFileByteForByte) {
  TempDevice dev;
  const std::string old = "old\r\ntext\r\n";
  TempDevice::WriteHostFile(dev.DocHost("f.txt"), old);
  CCrystalTextBuffer b;
  ASSERT_TRUE(b.LoadFromFile(dev.DocDevice("f.txt")));
  int l, c;
  ASSERT_TRUE(b.InsertText(nullptr, 0, 0, u"new ", l, c));
  for (FsOp op : {FsOp::CreateTemp, FsOp::Write, FsOp::Sync, FsOp::Replace}) {
    plat::fs::SetFaultHook([op](FsOp o, const std::string&) -> std::uint32_t { return o == op ? plat::ERROR_DISK_FULL : 0; });
    EXPECT_FALSE(b.SaveToFile(dev.DocDevice("f.txt")));
    plat::fs::SetFaultHook(nullptr);
    EXPECT_EQ(TempDevice::ReadHostFile(dev.DocHost("f.txt")), old);
    EXPECT_EQ(TempDevice::ListHost(dev.DocumentsHost()), "f.txt");
    EXPECT_TRUE(b.IsModified());
  }
  // A folder in place of the file, or a folder that does not exist, is refused.
  EXPECT_FALSE(b.SaveToFile(u"\\My Documents"));
  EXPECT_FALSE(b.SaveToFile(dev.DocDevice("missing\\f.txt")));
}

TEST(Save, UnwritableFolderFailsForAnOrdinaryUser) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to drop to another user";
  TempDevice dev;
  const std::string folder = dev.DocHost("locked");
  mkdir(folder.c_str(), 0755);
  TempDevice::WriteHostFile(folder + "/f.txt", "keep");
  chmod((folder + "/f.txt").c_str(), 0666);
  // The child drops to nobody: the folder stays unwritable for it, so no temporary file can
  // be made and the file keeps its bytes.
  const pid_t pid = fork();
  if (pid == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
    CCrystalTextBuffer b;
    b.InitNew(0);
    int l, c;
    b.InsertText(nullptr, 0, 0, u"replacement", l, c);
    _exit(b.SaveToFile(dev.DocDevice("locked\\f.txt")) ? 1 : 0);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(TempDevice::ReadHostFile(folder + "/f.txt"), "keep");
}

// A text large enough that its pages are made ready on a second thread while it loads:
// once with the first read all ASCII and the rest mostly not (fewer units than guessed),
// once the other way round (more units than guessed).
TEST(Load, LargeTextsWithTheirPagesMadeReadyAheadRoundTrip) {
  TempDevice dev;
  const std::string ascii = "int value = compute(other) + 42; // a plain line\n";
  const std::string wide = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE2\x82\xAC \xF0\x9F\x98\x80 \xC3\xA9t\xC3\xA9\n";
  for (int order = 0; order < 2; ++order) {
    std::string bytes;
    const std::string& head = order == 0 ? ascii : wide;
    const std::string& tail = order == 0 ? wide : ascii;
    while (bytes.size() < (std::size_t{3} << 20) / 2) bytes += head;
    const std::size_t headLines = bytes.size() / head.size();
    while (bytes.size() < (std::size_t{36} << 20)) bytes += tail;
    const int lines = static_cast<int>(headLines + (bytes.size() - headLines * head.size()) / tail.size()) + 1;
    int mode = -1, got = 0;
    EXPECT_TRUE(RoundTrip(dev, bytes, &mode, &got) == bytes) << "order " << order;
    EXPECT_EQ(got, lines);
    CCrystalTextBuffer b;
    ASSERT_TRUE(b.LoadFromFile(dev.DocDevice("in.txt")));
    const std::u16string headText = plat::Widen(head.substr(0, head.size() - 1));
    const std::u16string tailText = plat::Widen(tail.substr(0, tail.size() - 1));
    for (int line : {0, static_cast<int>(headLines) - 1})
      EXPECT_EQ(std::u16string(b.GetLineChars(line), b.GetLineLength(line)), headText) << line;
    for (int line : {static_cast<int>(headLines), lines / 2, lines - 2})
      EXPECT_EQ(std::u16string(b.GetLineChars(line), b.GetLineLength(line)), tailText) << line;
    EXPECT_EQ(b.GetLineLength(lines - 1), 0);
  }
}

TEST(Save, LoadedLinesWrittenInRunsComeOutAsTheyStandAfterEdits) {
  // Loaded lines are written many at a time where they still lie as loaded; lines edited in
  // place, moved by growing, removed or added, long lines (whose room is not one byte) and
  // lines beyond ASCII break the runs. Every line end (one byte or two) and code page must give the text as it
  // stands, and runs longer than a write piece must split cleanly.
  TempDevice dev;
  std::mt19937 rng(5);
  std::vector<std::u16string> model;
  for (int i = 0; i < 12000; ++i) {
    const unsigned kind = rng() % 20;
    std::u16string line;
    if (kind == 0) line.clear();
    else if (kind == 1) line.assign(130 + rng() % 600, u'w');
    else line = plat::Widen("line " + std::to_string(i) + std::string(rng() % 30, 'x'));
    if (kind == 2) line += u"\u00e9\u20ac";
    model.push_back(line);
  }
  for (const char* page : {"UTF-8", "CP1252"}) {
    ASSERT_TRUE(plat::CodePage::SetSystem(page));
    const plat::CodePage& cp = plat::CodePage::System();
    std::string bytes;
    for (std::size_t i = 0; i < model.size(); ++i) bytes += cp.ToBytes(model[i]) + (i + 1 < model.size() ? "\n" : "");
    TempDevice::WriteHostFile(dev.DocHost("in.txt"), bytes);
    CCrystalTextBuffer b;
    ASSERT_TRUE(b.LoadFromFile(dev.DocDevice("in.txt")));
    std::vector<std::u16string> now = model;
    int l, c;
    for (int e = 0; e < 300; ++e) {
      const int y = static_cast<int>(rng() % now.size());
      const int len = static_cast<int>(now[static_cast<std::size_t>(y)].size());
      switch (rng() % 4) {
        case 0:  // shorter, in place
          if (len > 0) {
            ASSERT_TRUE(b.DeleteText(nullptr, y, 0, y, 1));
            now[static_cast<std::size_t>(y)].erase(0, 1);
          }
          break;
        case 1:  // as long as before, in place
          if (len > 0) {
            ASSERT_TRUE(b.DeleteText(nullptr, y, len - 1, y, len));
            ASSERT_TRUE(b.InsertText(nullptr, y, len - 1, u"Z", l, c));
            now[static_cast<std::size_t>(y)].back() = u'Z';
          }
          break;
        case 2:  // longer: moves
          ASSERT_TRUE(b.InsertText(nullptr, y, 0, u"grown ", l, c));
          now[static_cast<std::size_t>(y)].insert(0, u"grown ");
          break;
        default:  // a line ends after the first unit: one line more
          if (len > 1) {
            ASSERT_TRUE(b.InsertText(nullptr, y, 1, u"\r\n", l, c));
            now.insert(now.begin() + y + 1, now[static_cast<std::size_t>(y)].substr(1));
            now[static_cast<std::size_t>(y)].resize(1);
          }
          break;
      }
    }
    for (int mode : {CrlfModeUnix, CrlfModeMac, CrlfModeDos}) {
      const std::string eol = mode == CrlfModeUnix ? "\n" : mode == CrlfModeMac ? "\n\r" : "\r\n";
      std::string want;
      for (std::size_t i = 0; i < now.size(); ++i) want += cp.ToBytes(now[i]) + (i + 1 < now.size() ? eol : "");
      ASSERT_TRUE(b.SaveToFile(dev.DocDevice("out.txt"), mode, false));
      EXPECT_TRUE(TempDevice::ReadHostFile(dev.DocHost("out.txt")) == want) << page << ", mode " << mode;
    }
  }
  ASSERT_TRUE(plat::CodePage::SetSystem("UTF-8"));
}
