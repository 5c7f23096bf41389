// CCrystalEditView: the replace command, its saved selection and its settings, and
// replacing every match at once.
#include <algorithm>
#include <vector>

#include "edit/CrystalEditView.h"
#include "edit/ReplaceDialog.h"
#include "platform/registry/Registry.h"
#include "view/LineSearch.h"

namespace {
constexpr char16_t kSection[] = u"CrystalEdit\\Replace";
}

void CCrystalEditView::OnEditReplace() {
  if (!QueryEditable()) return;
  auto& reg = CRegistry::Get();
  CReplaceDialog dlg(this);
  dlg.matchCase = reg.GetProfileInt(kSection, u"MatchCase", 0);
  dlg.wholeWord = reg.GetProfileInt(kSection, u"WholeWord", 0);
  dlg.searchText = reg.GetProfileString(kSection, u"FindWhat", u"");
  dlg.replaceText = reg.GetProfileString(kSection, u"ReplaceWith", u"");
  if (HasSelection()) {
    CPoint start, end;
    GetSelection(start, end);
    PushSelection(start, end);
    dlg.scope = 0;
    dlg.currentPos = start;
    dlg.enableScopeSelection = true;
    dlg.blockBegin = start;
    dlg.blockEnd = end;
  } else {
    dlg.scope = 1;
    dlg.currentPos = caret;
    dlg.enableScopeSelection = false;
  }
  // The found text stays visible while the dialog has the focus.
  SetShowInactiveSelection(true);
  dlg.DoModal();
  SetShowInactiveSelection(false);
  if (selectionPushed) PopSelection();
  reg.WriteProfileInt(kSection, u"MatchCase", dlg.matchCase);
  reg.WriteProfileInt(kSection, u"WholeWord", dlg.wholeWord);
  reg.WriteProfileString(kSection, u"FindWhat", dlg.searchText);
  reg.WriteProfileString(kSection, u"ReplaceWith", dlg.replaceText);
}

namespace {
// The column reached from column over n units, tabs going to the next stop.
int AdvanceColumns(int column, const char16_t* text, int n, int tabSize) {
  for (int i = 0; i < n; ++i) column = text[i] == u'\t' ? column + tabSize - column % tabSize : column + 1;
  return column;
}

// Ends a replace run of the buffer however the replacing ends.
class CReplaceRunScope {
 public:
  explicit CReplaceRunScope(CCrystalTextBuffer* buffer) : buffer(buffer) { buffer->BeginReplaceRun(); }
  ~CReplaceRunScope() { buffer->EndReplaceRun(); }
  CReplaceRunScope(const CReplaceRunScope&) = delete;
  CReplaceRunScope& operator=(const CReplaceRunScope&) = delete;

 private:
  CCrystalTextBuffer* buffer;
};
}  // namespace

bool CCrystalEditView::ReplaceAllFrom(CPoint first, const std::u16string& search, const std::u16string& replacement,
                                      DWORD flags, CPoint& next) {
  if (!QueryEditable() || search.empty() || (flags & SearchUp) || replacement.find(u'\r') != replacement.npos)
    return false;
  const int count = GetLineCount();
  const int L = static_cast<int>(search.size()), R = static_cast<int>(replacement.size()), grow = R - L;
  if (first.y < 0 || first.y >= count || first.x < 0 || first.x + L > GetLineLength(first.y)) return false;

  // The loop this stands for makes each replacement with the caret put at the match, then
  // at the end of the replacement, then selects the next match: three moves that each
  // scroll the view just enough to show their place. The view is scrolled once, to where
  // those moves would have left it.
  const int lines = GetScreenLines(), chars = GetScreenChars();
  int top = firstVisibleLine, left = firstVisibleColumn;
  auto scrollTo = [&](int y) {
    if (y >= top + lines) top = y - lines + 1;
    if (y < top) top = y;
    top = std::clamp(top, 0, std::max(0, count - 1));
  };
  // A column of line y shown; longest() gives the longest line as the text stands then,
  // which matters only when the column is the first one shown.
  auto showColumn = [&](int col, auto&& longest) {
    if (col > left + chars) left = col - chars;
    if (col < left) left = col;
    if (left >= col && left > 0) {
      const int maxLen = longest();
      if (left >= maxLen) left = maxLen - 1;
    }
    if (left < 0) left = 0;
  };

  CLineSearch finder(search, flags);
  std::vector<int> starts;
  std::u16string original;  // the line before its replacements, when columns need its tabs
  CPoint last(-1, -1);       // the last replacement made, where it starts
  {
    CReplaceRunScope run(buffer);
    for (int y = first.y; y < count; ++y) {
      // Lines that cannot hold a match are passed over many at a time.
      if (y != first.y) {
        y = FindLineThatMayHold(finder, y, count);
        if (y < 0) break;
      }
      const char16_t* text = GetLineText(y);
      const int length = GetLineLength(y);
      // Each match is found in the line as the replacements before it have left it: after
      // them the original units follow, and only the unit just before a match may differ.
      starts.clear();
      int from = 0, before = CLineSearch::kOwnUnit;
      finder.SetLine(text, length);
      for (int at = y == first.y ? first.x : finder.Find(0); at >= 0; at = finder.Find(from, before)) {
        starts.push_back(at);
        if (R > 0) before = finder.Fold(replacement.back());
        else if (at > from) before = finder.Unit(at - 1);
        else if (before == CLineSearch::kOwnUnit) before = CLineSearch::kNoUnit;  // a match at the line's start
        from = at + L;
      }
      if (starts.empty()) continue;
      const int n = static_cast<int>(starts.size());

      // Selecting the first match here (the caller selected the very first one).
      scrollTo(y);
      if (y != first.y) showColumn(CharToColumn(y, starts[0] + L), [&] { return GetMaxLineLength(); });

      const bool tabs = buffer->MayHoldTabs() || replacement.find(u'\t') != replacement.npos;
      if (tabs) original.assign(text, static_cast<std::size_t>(length));
      if (!buffer->ReplaceInLine(this, y, starts.data(), n, L, replacement)) break;

      // The line's columns as each replacement leaves it: up to a match the text is as it
      // ends up, after it still the original.
      int others = -1;
      auto longestWith = [&](int done) {
        return [&, done] {
          if (others < 0) others = GetLongestOtherLine(y);
          int own;
          if (!tabs) own = length + done * grow;
          else if (done == n) own = CharToColumn(y, GetLineLength(y));
          else own = AdvanceColumns(CharToColumn(y, starts[done] + done * grow), original.data() + starts[done],
                                    length - starts[done], tabSize);
          return std::max(others, own);
        };
      };
      for (int i = 0; i < n; ++i) {
        const int at = starts[i] + i * grow;
        showColumn(CharToColumn(y, at), longestWith(i));
        showColumn(CharToColumn(y, at + R), longestWith(i + 1));
        if (i + 1 < n) {
          const int nextAt = starts[i + 1] + (i + 1) * grow;
          const int end = tabs ? AdvanceColumns(CharToColumn(y, nextAt), original.data() + starts[i + 1], L, tabSize)
                               : nextAt + L;
          showColumn(end, longestWith(i + 1));
        }
      }
      last = CPoint(starts[n - 1] + (n - 1) * grow, y);
    }
  }
  if (last.y < 0) return false;

  // The state the last replacement leaves.
  const CPoint end(last.x + R, last.y);
  idealColumn = CharToColumn(last.y, last.x);
  ScrollToLine(top);
  ScrollToChar(left);
  SetSelection(last, end);
  anchor = caret = end;
  UpdateCaret();
  next = end;
  return true;
}
