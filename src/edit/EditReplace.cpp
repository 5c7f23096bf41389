// CCrystalEditView: the replace command, its saved selection and its settings.
#include "edit/CrystalEditView.h"
#include "edit/ReplaceDialog.h"
#include "platform/registry/Registry.h"

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
