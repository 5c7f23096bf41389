// What the buffer tells its views after a change: update flags, and the context that moves
// stored positions across an insert or a delete.
#pragma once
#include "platform/base/Types.h"

enum : DWORD {
  UpdateHorzRange = 0x0001,  // a line's text changed; the horizontal extent may differ
  UpdateVertRange = 0x0002,  // lines were added or removed
  UpdateOneLine = 0x0100,    // only the line at the index changed
  UpdateFlagsOnly = 0x0200,  // only that line's flags changed
  UpdateReset = 0x1000,      // the whole text was replaced (line index -1)
};

// Moves a stored position (character in x, line in y) across one change.
class CUpdateContext {
 public:
  virtual ~CUpdateContext() = default;
  virtual void RecalcPoint(CPoint& point) = 0;
};

// The text of start..end was inserted.
class CInsertContext final : public CUpdateContext {
 public:
  CInsertContext(CPoint start, CPoint end) : start(start), end(end) {}
  void RecalcPoint(CPoint& point) override;
  CPoint start, end;
};

// The range start..end was removed.
class CDeleteContext final : public CUpdateContext {
 public:
  CDeleteContext(CPoint start, CPoint end) : start(start), end(end) {}
  void RecalcPoint(CPoint& point) override;
  CPoint start, end;
};

// Matches of one length in one line were each replaced by the same text, one after the
// other (a delete and an insert each): a position moves as that run of edits moves it.
class CReplaceContext final : public CUpdateContext {
 public:
  CReplaceContext(int line, const int* starts, int count, int length, int replacementLength)
      : line(line), starts(starts), count(count), length(length), replacementLength(replacementLength) {}
  void RecalcPoint(CPoint& point) override;
  int line;
  const int* starts;  // where the matches stood before the first was replaced
  int count, length, replacementLength;
};

// A view attached to a buffer; the text view implements it.
class CBufferView {
 public:
  virtual void OnBufferUpdate(CBufferView* source, CUpdateContext* context, DWORD flags, int line) = 0;

 protected:
  ~CBufferView() = default;
};
