// Edits with history: undo records, groups, undo, redo and the modified state.
#include "buffer/TextBuffer.h"

bool CCrystalTextBuffer::InsertText(CBufferView* source, int line, int pos, std::u16string_view text, int& endLine,
                                    int& endChar) {
  if (!InternalInsertText(source, line, pos, text, endLine, endChar)) return false;
  RecordEdit(true, CPoint(pos, line), CPoint(endChar, endLine), text);
  return true;
}

void CCrystalTextBuffer::RecordEdit(bool insert, CPoint start, CPoint end, std::u16string_view text) {
  if (run.on) {
    // The ring holds the newest 2 * kUndoLimit records; strings keep their room, so a long
    // run allocates nothing once the ring is full.
    constexpr std::size_t kRing = 2 * static_cast<std::size_t>(kUndoLimit);
    if (run.ring.size() < kRing) run.ring.emplace_back();
    UndoRecord& rec = run.ring[run.added % kRing];
    rec.flags = insert ? DWORD{UndoInsert} : DWORD{0};
    rec.start = start;
    rec.end = end;
    rec.text.assign(text);
    ++run.added;
    return;
  }
  const bool autoGroup = !undoGroupOpen;
  if (autoGroup) BeginUndoGroup(false);
  AddUndoRecord(insert, start, end, text);
  if (autoGroup) FlushUndoGroup();
}

void CCrystalTextBuffer::BeginReplaceRun() {
  // Inside an open group the records join it; they go into the history one by one then.
  if (undoGroupOpen) return;
  run.on = true;
  run.added = 0;
}

void CCrystalTextBuffer::EndReplaceRun() {
  if (!run.on) return;
  run.on = false;
  constexpr std::size_t kRing = 2 * static_cast<std::size_t>(kUndoLimit);
  std::size_t first = 0;
  if (run.added >= kRing) {
    // Each record is a group of its own, and the history drops its oldest group when full.
    // After twice its size in such records, whatever it held is gone, the saved state with
    // it, and it holds the newest kUndoLimit of them.
    undo.clear();
    undoPosition = 0;
    savePoint = -1;
    first = run.added - static_cast<std::size_t>(kUndoLimit);
  }
  for (std::size_t i = first; i < run.added; ++i) {
    const UndoRecord& rec = run.ring[i % kRing];
    BeginUndoGroup(false);
    AddUndoRecord(rec.flags & UndoInsert, rec.start, rec.end, rec.text);
    FlushUndoGroup();
  }
  run = ReplaceRun();  // the ring's memory goes back
}

bool CCrystalTextBuffer::DeleteText(CBufferView* source, int startLine, int startChar, int endLine, int endChar) {
  if (readOnly || !initialized) return false;
  std::u16string text;
  GetText(startLine, startChar, endLine, endChar, text, u"\r\n");
  if (!InternalDeleteText(source, startLine, startChar, endLine, endChar)) return false;
  RecordEdit(false, CPoint(startChar, startLine), CPoint(endChar, endLine), text);
  return true;
}

void CCrystalTextBuffer::BeginUndoGroup(bool mergeWithPrevious) {
  undoGroupOpen = true;
  beginGroupPending = undoPosition == 0 || !mergeWithPrevious;
  if (beginGroupPending) return;
  // A long run of typing is cut into steps: a group as large as the history would be
  // dropped whole by its own records, taking the newest typing with it.
  int records = 1;
  for (int i = undoPosition - 1; i > 0 && !(undo[static_cast<std::size_t>(i)].flags & UndoBeginGroup); --i)
    if (++records >= kMergedGroupLimit) break;
  if (records >= kMergedGroupLimit) beginGroupPending = true;
}

void CCrystalTextBuffer::FlushUndoGroup() { undoGroupOpen = false; }

void CCrystalTextBuffer::AddUndoRecord(bool insert, CPoint start, CPoint end, std::u16string_view text) {
  undo.resize(static_cast<std::size_t>(undoPosition));  // the redo tail is forgotten
  if (savePoint > undoPosition) savePoint = -1;          // the saved state was in that tail

  if (static_cast<int>(undo.size()) >= kUndoLimit) {
    // Drop the oldest whole group.
    std::size_t drop = 1;
    while (drop < undo.size() && !(undo[drop].flags & UndoBeginGroup)) ++drop;
    undo.erase(undo.begin(), undo.begin() + static_cast<std::ptrdiff_t>(drop));
    // The save point moves down with the records; if it lay among the dropped ones, no
    // undo position can return to the saved text any more.
    if (savePoint >= 0) savePoint = savePoint >= static_cast<int>(drop) ? savePoint - static_cast<int>(drop) : -1;
  }

  UndoRecord rec;
  rec.flags = insert ? DWORD{UndoInsert} : DWORD{0};
  if (beginGroupPending) {
    beginGroupPending = false;
    rec.flags |= UndoBeginGroup;
  }
  rec.start = start;
  rec.end = end;
  rec.text.assign(text);
  undo.push_back(std::move(rec));
  undoPosition = static_cast<int>(undo.size());
}

void CCrystalTextBuffer::UpdateModifiedAfterHistoryMove() {
  if (modified && undoPosition == savePoint) SetModified(false);
  if (!modified && undoPosition != savePoint) SetModified(true);
}

// A read-only buffer keeps its history where it is: stepping through it would record text
// changes that did not happen.
bool CCrystalTextBuffer::Undo(CPoint& cursor) {
  if (!CanUndo() || readOnly) return false;
  for (;;) {
    --undoPosition;
    const UndoRecord& rec = undo[static_cast<std::size_t>(undoPosition)];
    if (rec.flags & UndoInsert) {
      InternalDeleteText(nullptr, rec.start.y, rec.start.x, rec.end.y, rec.end.x);
      cursor = rec.start;
    } else {
      int line, ch;
      InternalInsertText(nullptr, rec.start.y, rec.start.x, rec.text, line, ch);
      cursor = rec.end;
    }
    if ((rec.flags & UndoBeginGroup) || undoPosition == 0) break;
  }
  UpdateModifiedAfterHistoryMove();
  return true;
}

bool CCrystalTextBuffer::Redo(CPoint& cursor) {
  if (!CanRedo() || readOnly) return false;
  for (;;) {
    const UndoRecord& rec = undo[static_cast<std::size_t>(undoPosition)];
    if (rec.flags & UndoInsert) {
      int line, ch;
      InternalInsertText(nullptr, rec.start.y, rec.start.x, rec.text, line, ch);
      cursor = rec.end;
    } else {
      InternalDeleteText(nullptr, rec.start.y, rec.start.x, rec.end.y, rec.end.x);
      cursor = rec.start;
    }
    ++undoPosition;
    if (undoPosition >= static_cast<int>(undo.size()) || (undo[static_cast<std::size_t>(undoPosition)].flags & UndoBeginGroup))
      break;
  }
  UpdateModifiedAfterHistoryMove();
  return true;
}
