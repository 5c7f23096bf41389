// CCrystalTextBuffer: the lines of the open file, loading and saving, line flags, change
// notification, edits and the undo history.
#pragma once
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "buffer/BufferView.h"
#include "buffer/LineStore.h"

// Line-end modes; -1 given to load or save means detect, or keep the current mode.
enum : int { CrlfModeDos = 0, CrlfModeMac = 1, CrlfModeUnix = 2, CrlfModeAuto = -1 };

// Undo record flags.
enum : DWORD { UndoInsert = 0x0001, UndoBeginGroup = 0x0100 };

class CCrystalTextBuffer {
 public:
  static constexpr int kMaxLineBytes = 2048;  // a line (with its line end) must stay below this
  static constexpr int kUndoLimit = 1024;
  // A group that merges with the previous one (typing) grows to at most this many records,
  // so that the newest typing always fits in the history and undoes.
  static constexpr int kMergedGroupLimit = 256;

  CCrystalTextBuffer() = default;
  CCrystalTextBuffer(const CCrystalTextBuffer&) = delete;
  CCrystalTextBuffer& operator=(const CCrystalTextBuffer&) = delete;
  virtual ~CCrystalTextBuffer();

  bool InitNew(int crlfMode = CrlfModeDos);
  // True when the text stands in the buffer. False when it was refused for a line too long
  // (the buffer is then a new empty text) or when a read failed part-way (what was read is
  // kept, read-only).
  bool LoadFromFile(std::u16string_view path, int crlfMode = CrlfModeAuto);
  bool SaveToFile(std::u16string_view path, int crlfMode = CrlfModeAuto, bool clearModified = true);
  void FreeAll();

  bool IsInitialized() const { return initialized; }
  int GetLineCount() const { return lines.Count(); }
  // False when no line holds a tab (known from loading and kept through edits), so that a
  // line's columns are its length.
  bool MayHoldTabs() const { return mayHoldTabs; }
  int GetLineLength(int line) const;
  const char16_t* GetLineChars(int line) const;
  DWORD GetLineFlags(int line) const;
  void SetLineFlag(int line, DWORD flag, bool set, bool removeFromPreviousLine = true);
  int FindLineWithFlag(DWORD flag) const;
  int GetLineWithFlag(DWORD flag) const;
  int GetCRLFMode() const { return crlfMode; }
  void SetCRLFMode(int mode);
  bool GetReadOnly() const { return readOnly; }
  void SetReadOnly(bool flag) { readOnly = flag; }
  bool IsModified() const { return modified; }
  virtual void SetModified(bool flag) { modified = flag; }

  // f(text, length) for every line in order, for passes over the whole text.
  template <class F>
  void ForEachLine(F&& f) const {
    lines.ForEach([&](const LineRecord& r) { f(static_cast<const char16_t*>(r.text), static_cast<int>(r.length)); });
  }

  // The first line from first on (below end) whose text passes test(text, length), or -1;
  // the records are walked in order, without a lookup per line. Only reads the buffer.
  template <class Test>
  int FindLine(int first, int end, Test&& test) const {
    return lines.FindFrom(first, end, [&](const LineRecord& r) { return test(static_cast<const char16_t*>(r.text), static_cast<int>(r.length)); });
  }

  // The text of a range with the given line end between lines ("\r\n" when none).
  void GetText(int startLine, int startChar, int endLine, int endChar, std::u16string& text,
               const char16_t* crlf = nullptr) const;

  void AddView(CBufferView* view);
  void RemoveView(CBufferView* view);
  void UpdateViews(CBufferView* source, CUpdateContext* context, DWORD flags, int line = -1);

  // Edits; false (nothing changed) when the buffer is read-only or a position is outside
  // the text. In the inserted text CR, and CR LF, end a line; a lone LF is text.
  bool InsertText(CBufferView* source, int line, int pos, std::u16string_view text, int& endLine, int& endChar);
  bool DeleteText(CBufferView* source, int startLine, int startChar, int endLine, int endChar);

  // Replaces, in one line, the count units-long matches at starts (in order, apart, where
  // they stand now) by replacement, exactly as a delete and an insert for each one after
  // the other would, with their undo records; the views are told once. False (nothing
  // changed) when an edit is not possible.
  bool ReplaceInLine(CBufferView* source, int line, const int* starts, int count, int length,
                     std::u16string_view replacement);
  // Between these, the undo records of ReplaceInLine are kept aside and go into the
  // history at the end, only as many as it would keep of them: a run of many thousands of
  // replacements pushes all but the newest out of the history anyway. No undo group is
  // opened, and nothing is undone, in between.
  void BeginReplaceRun();
  void EndReplaceRun();

  bool CanUndo() const { return undoPosition > 0; }
  bool CanRedo() const { return undoPosition < static_cast<int>(undo.size()); }
  bool Undo(CPoint& cursor);
  bool Redo(CPoint& cursor);
  void BeginUndoGroup(bool mergeWithPrevious = false);
  void FlushUndoGroup();

  // Undo state, for the views' update handlers and for tests.
  int GetUndoPosition() const { return undoPosition; }
  int GetUndoRecordCount() const { return static_cast<int>(undo.size()); }
  // The undo position at the last save; -1 once no undo position can reach it any more.
  int GetSavePoint() const { return savePoint; }
  DWORD GetUndoRecordFlags(int index) const { return undo[index].flags; }

 protected:
  struct UndoRecord {
    DWORD flags = 0;
    CPoint start, end;
    std::u16string text;
  };

  // The undo records of a replace run: the newest kept ones, in a ring, and how many came.
  struct ReplaceRun {
    bool on = false;
    std::vector<UndoRecord> ring;
    std::size_t added = 0;
  };

  bool InternalInsertText(CBufferView* source, int line, int pos, std::u16string_view text, int& endLine, int& endChar);
  bool InternalDeleteText(CBufferView* source, int startLine, int startChar, int endLine, int endChar);
  void AddUndoRecord(bool insert, CPoint start, CPoint end, std::u16string_view text);
  // An edit's undo record as InsertText and DeleteText add it (in a group of its own unless
  // one is open), or into the replace run while one is on.
  void RecordEdit(bool insert, CPoint start, CPoint end, std::u16string_view text);
  void UpdateModifiedAfterHistoryMove();

  // Line text.
  void AppendToLine(int line, const char16_t* text, int n);
  void InsertLines(int at, const LineRecord* records, int n);
  LineRecord NewLine(const char16_t* text, int n);
  void FreeLineText(LineRecord& rec);
  // Units the line's text block holds.
  int LineCapacityOf(const LineRecord& rec) const;

  CLineArray lines;
  CTextArena arena;
  bool initialized = false;
  bool mayHoldTabs = true;
  bool readOnly = false;
  bool modified = false;
  int crlfMode = CrlfModeDos;

  std::deque<UndoRecord> undo;  // the oldest group leaves from the front
  int undoPosition = 0;
  int savePoint = 0;
  bool undoGroupOpen = false;
  bool beginGroupPending = false;
  ReplaceRun run;
  std::u16string replaceScratch;  // reused by every ReplaceInLine

  std::vector<CBufferView*> views;

  friend class CBufferLoader;
};
