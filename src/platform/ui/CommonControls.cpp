// InitCommonControls: dialog templates learn to build drop-down lists and list views.
#include "platform/ui/CommonControls.h"

#include <memory>

#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListCtrl.h"

void InitCommonControls() {
  SetDialogControlFactory(DialogItemKind::ComboBox, [](CDialog& dialog, const DialogItemTemplate& item, const CRect& rect) {
    auto combo = std::make_unique<CComboBox>();
    // A template's scroll bar styles are the opened list's, which adds a bar when it
    // needs one; the field itself never scrolls.
    const DWORD style = (item.style & ~DWORD{WS_VSCROLL | WS_HSCROLL}) | WS_CHILD | WS_VISIBLE;
    if (!combo->Create(&dialog, rect, style, item.id, item.text)) return std::unique_ptr<CWnd>();
    return std::unique_ptr<CWnd>(std::move(combo));
  });
  SetDialogControlFactory(DialogItemKind::ListView, [](CDialog& dialog, const DialogItemTemplate& item, const CRect& rect) {
    auto list = std::make_unique<CListCtrl>();
    // The list shows and hides its scroll bars as its rows and columns need them.
    const DWORD style = (item.style & ~DWORD{WS_VSCROLL | WS_HSCROLL}) | WS_CHILD | WS_VISIBLE;
    if (!list->Create(style, rect, &dialog, item.id)) return std::unique_ptr<CWnd>();
    return std::unique_ptr<CWnd>(std::move(list));
  });
}
