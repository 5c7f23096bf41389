// The message box window: the text, its buttons, and the caption bar title; and the
// handler that shows it for every plat::MessageBox.
#pragma once
#include <string>
#include <vector>

#include "platform/ui/Wnd.h"

class CMessageBoxWnd : public CWnd {
 public:
  CMessageBoxWnd(std::u16string_view text, std::u16string_view caption, unsigned type);
  // Shows the box over the work area and waits for an answer (IDOK, IDCANCEL, IDYES, IDNO).
  int DoModal();

  const std::u16string& Text() const { return message; }
  const std::u16string& Caption() const { return GetWindowText(); }
  // Answers the box as a press on the button with this identifier; false if it has none.
  bool Press(int id);
  const std::vector<int>& Buttons() const { return buttons; }

 protected:
  void OnPaint() override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnKeyDown(UINT vk, UINT repCnt, UINT flags) override;
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

 private:
  CRect ButtonRect(int index) const;
  std::u16string message;
  unsigned type;
  std::vector<int> buttons;
};

// Makes plat::MessageBox show a CMessageBoxWnd over the work area (and wait for its answer)
// whenever a screen is running; the application installs it at start-up, as do tests that
// answer message boxes as windows. Installing it again changes nothing.
void InstallMessageBoxUi();
