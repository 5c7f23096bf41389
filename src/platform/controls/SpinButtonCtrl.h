// CSpinButtonCtrl: the up-down control, a pair of arrow buttons that step a number within
// a range, usually kept in the text of a buddy edit beside it.
#pragma once
#include <memory>

#include "platform/controls/Control.h"
#include "platform/ui/WindowClass.h"

// The up-down control's window class.
constexpr char16_t UPDOWN_CLASS[] = u"msctls_updown32";

// Styles in the low word.
enum : DWORD {
  UDS_WRAP = 0x0001,         // stepping past one end goes round to the other
  UDS_SETBUDDYINT = 0x0002,  // the buddy's text is the position, read before and written after each step
  UDS_ALIGNRIGHT = 0x0004,   // sits at the buddy's right edge, the buddy narrowed to make room
  UDS_ALIGNLEFT = 0x0008,
  UDS_AUTOBUDDY = 0x0010,    // the buddy is the control created just before it
  UDS_ARROWKEYS = 0x0020,    // Up and Down in the buddy step too (see TranslateBuddyKey)
  UDS_HORZ = 0x0040,         // left and right arrows instead of up and down
  UDS_NOTHOUSANDS = 0x0080,  // the buddy's number is written without thousands separators
};

class CSpinButtonCtrl : public CControl {
 public:
  static constexpr UINT_PTR kRepeatTimer = 1;
  static constexpr UINT kRepeatDelayMs = 400;  // the pen held on an arrow starts repeating
  static constexpr UINT kRepeatPeriodMs = 100;

  using CWnd::Create;
  bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
  // Makes and creates a window of this class for the class registry (a template's item).
  static std::unique_ptr<CWnd> Make(const CREATESTRUCT& cs);

  // The window whose text holds the number; placed beside with UDS_ALIGNRIGHT/LEFT.
  // Returns the previous buddy.
  CWnd* SetBuddy(CWnd* buddy);
  CWnd* GetBuddy() const;

  // The up arrow steps from lower towards upper; lower may be the larger one.
  void SetRange(int lower, int upper);
  void SetRange32(int lower, int upper) { SetRange(lower, upper); }
  void GetRange(int& lower, int& upper) const;
  // Clamped into the range; the buddy shows it with UDS_SETBUDDYINT. Returns the old one.
  int SetPos(int pos);
  // With UDS_SETBUDDYINT the buddy's number as it stands now (the user may have typed
  // it), clamped into the range; the last position when its text is no number.
  int GetPos() const;

  // One step up (towards upper) or down, as a tap on that arrow gives it.
  void Step(bool up);
  // The arrows' halves of the control, in client coordinates.
  CRect UpRect() const;
  CRect DownRect() const;

  // A key for the buddy of a spin with UDS_ARROWKEYS steps that spin; true when taken.
  // A dialog holding such spins calls this from its PreTranslateMessage.
  static bool TranslateBuddyKey(const MSG& msg);

 protected:
  int OnCreate() override;
  void OnPaint() override;
  bool OnEraseBkgnd(CDC* dc) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnCaptureChanged(CWnd* newCapture) override;
  void OnTimer(UINT_PTR id) override;

 private:
  // The buddy while it is still one of our siblings (it may have gone first).
  CWnd* LiveBuddy() const;
  void PlaceBesideBuddy();
  void WriteBuddy();
  void StopRepeat();

  CWnd* buddy = nullptr;
  int lower = 0;
  int upper = 100;
  int pos = 0;
  int pressed = 0;  // the arrow the pen holds down: 1 up, -1 down, 0 none
};
