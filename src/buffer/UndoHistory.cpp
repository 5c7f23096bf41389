// Edits with history: undo records, groups, undo, redo and the modified state.
#include "buffer/TextBuffer.h"

bool CCrystalTextBuffer::InsertText(CBufferView* source, int line, int pos, std::u16string_view text, int& endLine,
                                    int& endChar) {
  if (!InternalInsertText(source, line, pos, text, endLine, endChar)) return false;
  const bool autoGroup = !undoGroupOpen;
  if (autoGroup) BeginUndoGroup(false);
  AddUndoRecord(true, CPoint(pos, line), CPoint(endChar, endLine), text);
  if (autoGroup) FlushUndoGroup();
  return true;
}

bool CCrystalTextBuffer::DeleteText(CBufferView* source, int startLine, int startChar, int endLine, int endChar) {
  if (readOnly || !initialized) return false;
  std::u16string text;
  GetText(startLine, startChar, endLine, endChar, text, u"\r\n");
  if (!InternalDeleteText(source, startLine, startChar, endLine, endChar)) return false;
  const bool autoGroup = !undoGroupOpen;
  if (autoGroup) BeginUndoGroup(false);
  AddUndoRecord(false, CPoint(startChar, startLine), CPoint(endChar, endLine), text);
  if (autoGroup) FlushUndoGroup();
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
