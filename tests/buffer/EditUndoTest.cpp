// Edits, notifications, position contexts, undo groups and the history limit.
#include <gtest/gtest.h>

#include "buffer/BufferTestSupport.h"
#include "common/TempDevice.h"

#include <algorithm>

namespace {

struct Fixture {
  CCrystalTextBuffer b;
  RecordingView view;
  explicit Fixture(const char16_t* text = u"") {
    b.InitNew(0);
    int l, c;
    if (*text) b.InsertText(nullptr, 0, 0, text, l, c);
    b.AddView(&view);
    view.notices.clear();
  }
  ~Fixture() { b.RemoveView(&view); }
  bool Insert(int line, int ch, const char16_t* text) {
    int l, c;
    return b.InsertText(nullptr, line, ch, text, l, c);
  }
};

// A buffer whose modified state lives elsewhere, as the document's does.
class ForwardingBuffer : public CCrystalTextBuffer {
 public:
  void SetModified(bool flag) override { documentModified = flag; }
  bool documentModified = false;
};

}  // namespace

TEST(Edit, InsertSplitsAtCrAndNotifiesOnce) {
  Fixture f(u"xyz");
  int l = 0, c = 0;
  ASSERT_TRUE(f.b.InsertText(nullptr, 0, 2, u"a\r\nb", l, c));
  EXPECT_EQ(AllText(f.b), "xya|bz");
  EXPECT_EQ(l, 1);
  EXPECT_EQ(c, 1);
  ASSERT_EQ(f.view.notices.size(), 1u);
  EXPECT_EQ(f.view.notices[0].flags, 0x0003u);
  EXPECT_EQ(f.view.notices[0].line, 0);

  ASSERT_TRUE(f.b.InsertText(nullptr, 1, 0, u"a\nb", l, c));  // a lone LF is text
  EXPECT_EQ(AllText(f.b), "xya|a\nbbz");
  EXPECT_EQ(f.view.notices.back().flags, 0x0101u);
  ASSERT_TRUE(f.b.InsertText(nullptr, 0, 0, u"1\r2\r\r3", l, c));  // CR alone and CR CR
  EXPECT_EQ(AllText(f.b), "1|2||3xya|a\nbbz");
}

TEST(Edit, DeleteWithinAndAcrossLines) {
  Fixture f(u"abcdef\r\nghi\r\njkl");
  ASSERT_TRUE(f.b.DeleteText(nullptr, 0, 1, 0, 3));
  EXPECT_EQ(AllText(f.b), "adef|ghi|jkl");
  EXPECT_EQ(f.view.notices.back().flags, 0x0101u);
  ASSERT_TRUE(f.b.DeleteText(nullptr, 0, 2, 2, 1));
  EXPECT_EQ(AllText(f.b), "adkl");
  EXPECT_EQ(f.view.notices.back().flags, 0x0003u);
  EXPECT_EQ(f.view.notices.back().line, 0);
  // Positions outside the text are refused, nothing changes.
  const auto before = f.view.notices.size();
  EXPECT_FALSE(f.b.DeleteText(nullptr, 0, 3, 0, 9));
  EXPECT_FALSE(f.b.DeleteText(nullptr, 0, 0, 5, 0));
  EXPECT_FALSE(f.Insert(-1, 0, u"x"));
  EXPECT_FALSE(f.Insert(0, 5, u"x"));
  EXPECT_EQ(f.view.notices.size(), before);
  EXPECT_EQ(AllText(f.b), "adkl");
}

TEST(Edit, ReadOnlyRefusesSilently) {
  Fixture f(u"abc");
  f.b.SetReadOnly(true);
  EXPECT_FALSE(f.Insert(0, 0, u"x"));
  EXPECT_FALSE(f.b.DeleteText(nullptr, 0, 0, 0, 1));
  EXPECT_TRUE(f.view.notices.empty());
  EXPECT_EQ(f.b.GetUndoRecordCount(), 1);
  CPoint p;
  EXPECT_FALSE(f.b.Undo(p));  // history does not move while nothing may change
  EXPECT_EQ(AllText(f.b), "abc");
}

TEST(Edit, AccessorsAnswerSafelyOutsideTheText) {
  Fixture f(u"abc");
  EXPECT_EQ(f.b.GetLineLength(-1), 0);
  EXPECT_EQ(f.b.GetLineLength(1), 0);
  EXPECT_EQ(f.b.GetLineChars(1), nullptr);
  EXPECT_EQ(f.b.GetLineChars(-5), nullptr);
  EXPECT_EQ(f.b.GetLineFlags(99), 0u);
  f.b.SetLineFlag(99, 1, true);
  f.b.SetLineFlag(-7, 1, true);
  EXPECT_TRUE(f.view.notices.empty());
  std::u16string t;
  f.b.GetText(-3, -1, 42, 42, t);
  EXPECT_EQ(t, u"abc");
}

TEST(LineFlags, OneBitFlagsMoveBetweenLines) {
  Fixture f(u"a\rb\rc");
  f.b.SetLineFlag(1, 0x3, true);  // two bits: nothing happens
  EXPECT_EQ(f.b.GetLineFlags(1), 0u);
  EXPECT_TRUE(f.view.notices.empty());
  f.b.SetLineFlag(0, 0x4, true);
  f.b.SetLineFlag(2, 0x4, true, true);  // moves from line 0 to line 2
  EXPECT_EQ(f.b.GetLineFlags(0), 0u);
  EXPECT_EQ(f.b.GetLineFlags(2), 0x4u);
  ASSERT_EQ(f.view.notices.size(), 3u);
  EXPECT_EQ(f.view.notices[1].flags, 0x0300u);
  EXPECT_EQ(f.view.notices[1].line, 0);
  EXPECT_EQ(f.view.notices[2].line, 2);
  f.b.SetLineFlag(1, 0x4, true, false);  // kept on both lines
  EXPECT_EQ(f.b.FindLineWithFlag(0x4), 1);
  EXPECT_EQ(f.b.GetLineWithFlag(0x4), 1);
  EXPECT_EQ(f.b.GetLineWithFlag(0x6), -1);
  EXPECT_EQ(f.b.FindLineWithFlag(0x6), 1);
  f.b.SetLineFlag(-1, 0x4, false);  // -1: the first line holding it
  EXPECT_EQ(f.b.FindLineWithFlag(0x4), 2);
}

TEST(Contexts, MovePositionsAcrossInsertsAndDeletes) {
  Fixture f(u"0123456789\r\nabcdefghij\r\nKLMNOPQRST");
  CPoint before(3, 0), at(5, 1), after(8, 1), below(2, 2);
  f.view.tracked = {&before, &at, &after, &below};
  ASSERT_TRUE(f.Insert(1, 5, u"xx\r\nyyy"));  // inserted at (5,1), ends at (3,2)
  EXPECT_EQ(before, CPoint(3, 0));
  EXPECT_EQ(at, CPoint(5, 1));  // at the insert point: stays
  EXPECT_EQ(after, CPoint(6, 2));
  EXPECT_EQ(below, CPoint(2, 3));
  // Delete (2,1)..(4,2): a position after the range on its last line keeps its distance.
  ASSERT_TRUE(f.b.DeleteText(nullptr, 1, 2, 2, 4));
  EXPECT_EQ(at, CPoint(2, 1));
  EXPECT_EQ(after, CPoint(4, 1));
  EXPECT_EQ(below, CPoint(2, 2));
  CPoint inside(1, 2);
  f.view.tracked = {&inside};
  ASSERT_TRUE(f.b.DeleteText(nullptr, 1, 1, 2, 3));
  EXPECT_EQ(inside, CPoint(1, 1));
}

TEST(Undo, GroupsAndCursorPositions) {
  Fixture f(u"xyz");
  CPoint cursor;
  // A multi-line paste: undo puts the cursor at its start, redo at its end.
  ASSERT_TRUE(f.Insert(0, 1, u"ab\r\ncd"));
  EXPECT_EQ(AllText(f.b), "xab|cdyz");
  ASSERT_TRUE(f.b.Undo(cursor));
  EXPECT_EQ(AllText(f.b), "xyz");
  EXPECT_EQ(cursor, CPoint(1, 0));
  ASSERT_TRUE(f.b.Redo(cursor));
  EXPECT_EQ(AllText(f.b), "xab|cdyz");
  EXPECT_EQ(cursor, CPoint(2, 1));
  ASSERT_TRUE(f.b.Undo(cursor));

  // Typing inside one group undoes in one step; a merged group joins the previous one.
  f.b.BeginUndoGroup();
  f.Insert(0, 3, u"1");
  f.Insert(0, 4, u"2");
  f.b.FlushUndoGroup();
  f.b.BeginUndoGroup(true);
  f.Insert(0, 5, u"3");
  f.b.FlushUndoGroup();
  f.b.BeginUndoGroup(false);
  f.b.DeleteText(nullptr, 0, 0, 0, 1);
  f.b.FlushUndoGroup();
  EXPECT_EQ(AllText(f.b), "yz123");
  ASSERT_TRUE(f.b.Undo(cursor));
  EXPECT_EQ(AllText(f.b), "xyz123");
  EXPECT_EQ(cursor, CPoint(1, 0));
  ASSERT_TRUE(f.b.Undo(cursor));
  EXPECT_EQ(AllText(f.b), "xyz");
  EXPECT_TRUE(f.b.CanUndo());  // the first insert of the fixture remains
  ASSERT_TRUE(f.b.Redo(cursor));
  EXPECT_EQ(AllText(f.b), "xyz123");
  ASSERT_TRUE(f.b.Redo(cursor));
  EXPECT_FALSE(f.b.CanRedo());
  // A new edit forgets the redo tail.
  f.b.Undo(cursor);
  f.Insert(0, 0, u"!");
  EXPECT_FALSE(f.b.CanRedo());
  EXPECT_EQ(AllText(f.b), "!xyz123");
}

TEST(Undo, ModifiedStateFollowsTheSavePoint) {
  // The buffer's own flag: cleared when undo returns to the save point.
  CCrystalTextBuffer own;
  own.InitNew(0);
  int l, c;
  CPoint p;
  own.InsertText(nullptr, 0, 0, u"a", l, c);
  EXPECT_TRUE(own.IsModified());
  own.Undo(p);
  EXPECT_FALSE(own.IsModified());
  own.Redo(p);
  EXPECT_TRUE(own.IsModified());

  // A buffer that forwards the flag: its own flag stays off, so every change marks the
  // document, undo and redo included, and nothing here clears the document's flag.
  ForwardingBuffer b;
  b.InitNew(0);
  b.InsertText(nullptr, 0, 0, u"a", l, c);
  EXPECT_TRUE(b.documentModified);
  EXPECT_FALSE(b.IsModified());
  b.documentModified = false;
  b.Undo(p);
  EXPECT_TRUE(b.documentModified);
  b.documentModified = false;
  b.Redo(p);
  EXPECT_TRUE(b.documentModified);

}

TEST(Undo, HistoryLimitDropsTheOldestGroupAndTheSavePointWithIt) {
  ForwardingBuffer b;
  b.InitNew(0);
  int l, c;
  CPoint p;
  // One group of 10 records, then single records up to the limit.
  b.BeginUndoGroup();
  for (int i = 0; i < 10; ++i) b.InsertText(nullptr, 0, 0, u"g", l, c);
  b.FlushUndoGroup();
  for (int i = 10; i < CCrystalTextBuffer::kUndoLimit; ++i) b.InsertText(nullptr, 0, 0, u"s", l, c);
  EXPECT_EQ(b.GetUndoRecordCount(), 1024);
  b.InsertText(nullptr, 0, 0, u"t", l, c);  // the 10-record group goes
  EXPECT_EQ(b.GetUndoRecordCount(), 1015);
  EXPECT_TRUE(b.GetUndoRecordFlags(0) & UndoBeginGroup);
  EXPECT_EQ(b.GetSavePoint(), -1);  // the empty text can no longer be reached
  int undone = 0;
  while (b.CanUndo() && b.Undo(p)) ++undone;
  EXPECT_EQ(undone, 1015);
  EXPECT_EQ(b.GetLineLength(0), 10);  // the dropped group's text stays
}

TEST(Undo, SavePointMovesDownWithDroppedRecords) {
  TempDevice dev;
  CCrystalTextBuffer b;
  b.InitNew(0);
  int l, c;
  CPoint p;
  for (int i = 0; i < 1000; ++i) b.InsertText(nullptr, 0, 0, u"a", l, c);
  ASSERT_TRUE(b.SaveToFile(dev.DocDevice("f.txt")));
  EXPECT_FALSE(b.IsModified());
  for (int i = 0; i < 100; ++i) b.InsertText(nullptr, 0, 0, u"b", l, c);  // 76 oldest records drop
  EXPECT_EQ(b.GetSavePoint(), 1000 - 76);
  for (int i = 0; i < 99; ++i) b.Undo(p);
  EXPECT_TRUE(b.IsModified());
  b.Undo(p);
  EXPECT_FALSE(b.IsModified());  // the text is the saved text again
  EXPECT_EQ(AllText(b), TempDevice::ReadHostFile(dev.DocHost("f.txt")));

  // Saved, undone, and the redo tail replaced by a new edit: the saved text is gone.
  b.Undo(p);
  b.InsertText(nullptr, 0, 0, u"c", l, c);
  EXPECT_EQ(b.GetSavePoint(), -1);
  b.Undo(p);
  EXPECT_TRUE(b.IsModified());

  // Saved early, then the saved state falls out of the history: never unmodified again.
  b.InitNew(0);
  for (int i = 0; i < 10; ++i) b.InsertText(nullptr, 0, 0, u"a", l, c);
  ASSERT_TRUE(b.SaveToFile(dev.DocDevice("f.txt")));
  for (int i = 0; i < 1100; ++i) b.InsertText(nullptr, 0, 0, u"b", l, c);
  EXPECT_EQ(b.GetSavePoint(), -1);
  while (b.CanUndo()) {
    b.Undo(p);
    ASSERT_TRUE(b.IsModified());
  }
}

TEST(Undo, GroupLargerThanTheHistoryIsDroppedWhole) {
  CCrystalTextBuffer b;
  b.InitNew(0);
  int l, c;
  b.BeginUndoGroup();
  for (int i = 0; i < CCrystalTextBuffer::kUndoLimit; ++i) b.InsertText(nullptr, 0, 0, u"x", l, c);
  b.InsertText(nullptr, 0, 0, u"y", l, c);  // still inside the open group
  b.FlushUndoGroup();
  EXPECT_EQ(b.GetUndoRecordCount(), 1);
  CPoint p;
  ASSERT_TRUE(b.Undo(p));
  EXPECT_EQ(b.GetLineLength(0), CCrystalTextBuffer::kUndoLimit);
  EXPECT_FALSE(b.CanUndo());
}

// Edits at the first, middle and last line of a large loaded text, in every order, each
// undone and redone: the text, the line flags and the positions must come out as a plain
// model of the lines says.
TEST(Edit, FarApartEditsOnALargeTextInEveryOrder) {
  TempDevice dev;
  std::string bytes;
  constexpr int kLines = 30000;
  for (int i = 0; i < kLines; ++i) bytes += "line " + std::to_string(i) + "\n";
  TempDevice::WriteHostFile(dev.DocHost("big.txt"), bytes);
  CCrystalTextBuffer b;
  ASSERT_TRUE(b.LoadFromFile(dev.DocDevice("big.txt")));
  std::vector<int> order = {0, 1, 2};
  do {
    ASSERT_TRUE(b.LoadFromFile(dev.DocDevice("big.txt")));
    std::vector<std::string> model;
    for (int i = 0; i < kLines; ++i) model.push_back("line " + std::to_string(i));
    model.push_back("");
    b.SetLineFlag(kLines - 1, 0x0200, true, false);  // a flag that must ride along with its line
    int flagged = kLines - 1;
    int undoneTo = -1;
    for (int k : order) {
      const int line = k == 0 ? 0 : k == 1 ? kLines / 2 : b.GetLineCount() - 1;
      int l, c;
      // Type into a loaded line (its text moves out of the packed arena), split it, join
      // the next line onto the following one.
      ASSERT_TRUE(b.InsertText(nullptr, line, 0, u"ab", l, c));
      model[line] = "ab" + model[line];
      ASSERT_TRUE(b.InsertText(nullptr, line, 1, u"\r\r", l, c));
      model.insert(model.begin() + line + 1, {"", model[line].substr(1)});
      model[line] = "a";
      if (flagged > line) flagged += 2;
      if (line + 3 < b.GetLineCount()) {
        ASSERT_TRUE(b.DeleteText(nullptr, line + 2, static_cast<int>(model[line + 2].size()), line + 3, 0));
        model[line + 2] += model[line + 3];
        model.erase(model.begin() + line + 3);
        if (flagged > line + 2) --flagged;
      }
      undoneTo = b.GetUndoPosition();
    }
    ASSERT_EQ(b.GetLineCount(), static_cast<int>(model.size()));
    for (int i = 0; i < b.GetLineCount(); ++i)
      ASSERT_EQ(plat::Narrow(std::u16string(b.GetLineChars(i), b.GetLineLength(i))), model[i]) << "line " << i;
    EXPECT_EQ(b.GetLineWithFlag(0x0200), flagged);
    // Undo everything: the loaded text again; redo everything: the edited text again.
    CPoint cursor;
    while (b.CanUndo()) ASSERT_TRUE(b.Undo(cursor));
    ASSERT_EQ(b.GetLineCount(), kLines + 1);
    std::u16string all;
    b.GetText(0, 0, kLines, 0, all, u"\n");
    EXPECT_EQ(plat::Narrow(all), bytes);
    while (b.CanRedo()) ASSERT_TRUE(b.Redo(cursor));
    EXPECT_EQ(b.GetUndoPosition(), undoneTo);
    ASSERT_EQ(b.GetLineCount(), static_cast<int>(model.size()));
    for (int i = 0; i < b.GetLineCount(); i += 997)
      ASSERT_EQ(plat::Narrow(std::u16string(b.GetLineChars(i), b.GetLineLength(i))), model[i]) << "line " << i;
  } while (std::next_permutation(order.begin(), order.end()));
}
