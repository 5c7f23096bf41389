// The outline, go-to-line and options dialogs answered as a user answers them, and where
// the caret lands after a jump.
#include <algorithm>
#include <optional>

#include "edit/CrystalEditView.h"
#include "navigation/NavigationCommands.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ListBox.h"
#include "platform/dialogs/MessageBoxWnd.h"
#include "platform/ui/WindowDC.h"
#include "resources/ResourceIds.h"
#include "syntax/SyntaxLanguage.h"
#include "view/ViewFixture.h"

class NavigationTest : public ViewHarness<CCrystalEditView> {
 protected:
  void SetUp() override {
    ViewHarness::SetUp();
    InstallMessageBoxUi();  // message boxes come up as windows, as under the application
  }
  // Message boxes are recorded (with whether a wait cursor showed over them) and answered
  // OK; dialogs of the given class go to onDialog.
  template <class Dialog>
  void Answer(std::function<void(Dialog&)> onDialog) {
    screen->SetModalHook([this, onDialog](CWnd* w) {
      if (auto* box = dynamic_cast<CMessageBoxWnd*>(w)) {
        messages.push_back(plat::Narrow(box->Text()));
        waitOverMessage = waitOverMessage || CWindowManager::Get().GetWaitCursorCount() > 0;
        box->Press(IDOK);
      } else if (auto* d = dynamic_cast<Dialog*>(w)) {
        onDialog(*d);
      }
    });
  }
  std::optional<int> Outline(int language, std::function<void(COutlineDialog&, CListBox&)> steps, int expect = IDOK) {
    Answer<COutlineDialog>([&](COutlineDialog& d) { steps(d, *dynamic_cast<CListBox*>(d.GetDlgItem(IDC_OUTLINE_LIST))); });
    COutlineDialog dialog(buffer, language, view.get());
    EXPECT_EQ(dialog.DoModal(), expect);
    return dialog.GetSelectedLine();
  }
  static CPoint ItemPoint(CListBox& list, int index) {
    CRect r;
    list.GetItemRect(index, &r);
    CPoint p(r.left + 20, (r.top + r.bottom) / 2);
    list.ClientToScreen(p);
    return p;
  }
  bool LineVisible(int line) {
    const int top = view->GetFirstVisibleLine();
    return line >= top && line < top + view->GetScreenLines();
  }

  std::vector<std::string> messages;
  bool waitOverMessage = false;
};

namespace {

const char kSource[] =
    "#include <stdio.h>\n"
    "\n"
    "static int Add(int a, int b)\n"
    "{\n"
    "  return a + b;\n"
    "}\n"
    "\n"
    "int main(int argc, char** argv) {\n"
    "  return Add(argc, 1);\n"
    "}\n"
    "void AVeryLongFunctionNameThatCannotFitTheNarrowScreenOfAHandheld(int firstArgument, int second) {\n"
    "}\n";

}  // namespace

TEST_F(NavigationTest, OutlineListsTheFunctionsAndAnswersTheChosenLine) {
  SetText(kSource);
  auto tapSecond = [&](COutlineDialog& d, CListBox& list) {
    ASSERT_EQ(list.GetCount(), 3);
    std::u16string text;
    list.GetText(1, text);
    EXPECT_EQ(text, u"int main(int argc, char** argv) {");
    EXPECT_EQ(list.GetItemData(0), DWORD_PTR{2});
    EXPECT_EQ(list.GetCurSel(), 0);
    // The list fills the dialog, and the long entry can be scrolled into view.
    EXPECT_EQ(list.GetWindowRect(), d.GetClientRectOnScreen());
    list.GetText(2, text);
    EXPECT_EQ(list.GetHorizontalExtent(), CClientDC(&list).GetTextExtent(text).cx);
    EXPECT_TRUE(list.GetStyle() & WS_HSCROLL);
    const CPoint second = ItemPoint(list, 1);
    screen->Tap(second.x, second.y);
    d.PressButton(IDOK);
  };
  EXPECT_EQ(Outline(LanguageC, tapSecond), std::optional<int>(7));
  // A double tap confirms; so does Enter after the arrow keys.
  EXPECT_EQ(Outline(LanguageC, [&](COutlineDialog&, CListBox& list) {
              const CPoint third = ItemPoint(list, 2);
              screen->DoubleTap(third.x, third.y);
            }),
            std::optional<int>(10));
  EXPECT_EQ(Outline(LanguageC, [&](COutlineDialog&, CListBox&) {
              screen->Key(VK_DOWN);
              screen->Key(VK_RETURN);
            }),
            std::optional<int>(7));
  // Nothing selected: OK answers no line, and Cancel never answers one.
  EXPECT_FALSE(Outline(LanguageC, [](COutlineDialog& d, CListBox& list) {
                 list.SetCurSel(-1);
                 d.PressButton(IDOK);
               }).has_value());
  EXPECT_FALSE(Outline(LanguageC, [](COutlineDialog& d, CListBox&) { d.PressButton(IDCANCEL); }, IDCANCEL).has_value());
  EXPECT_TRUE(messages.empty());
}

TEST_F(NavigationTest, OutlineScansBasicByKeywordsAndSaysWhenThereIsNothing) {
  SetText("Public Sub Main()\n  total = subtotal\nEnd Sub\n");
  std::vector<DWORD_PTR> lines;
  Outline(LanguageBasic, [&](COutlineDialog& d, CListBox& list) {
    for (int i = 0; i < list.GetCount(); ++i) lines.push_back(list.GetItemData(i));
    d.PressButton(IDOK);
  });
  EXPECT_EQ(lines, (std::vector<DWORD_PTR>{0, 1}));
  // Read as C the text has no braces: the message, and the dialog never shows.
  bool shown = false;
  EXPECT_FALSE(Outline(LanguageC, [&](COutlineDialog&, CListBox&) { shown = true; }, IDCANCEL).has_value());
  EXPECT_FALSE(shown);
  EXPECT_EQ(messages, std::vector<std::string>{"No functions were identified in this file."});
  EXPECT_FALSE(waitOverMessage);
  EXPECT_EQ(CWindowManager::Get().GetWaitCursorCount(), 0);
}

TEST_F(NavigationTest, OutlineJumpShowsTheEntryWithTheLinesAfterIt) {
  SetLines(100);
  ASSERT_GT(view->GetScreenLines(), 11);
  view->SetSelection(CPoint(0, 1), CPoint(2, 3));
  OutlineJump(*view, 50);
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 50));
  EXPECT_TRUE(LineVisible(60));  // ten lines of the body below the entry
  CPoint s, e;
  view->GetSelection(s, e);
  EXPECT_EQ(s, e);  // the old selection is gone
  OutlineJump(*view, 20);  // upward the entry comes to the top
  EXPECT_EQ(view->GetFirstVisibleLine(), 20);
  OutlineJump(*view, 95);  // near the end the first move stops at the last line
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 95));
  MoveToPosition(*view, CPoint(40, 300));
  EXPECT_EQ(view->GetCaretPos(), CPoint(7, 99));  // "line 99": clamped to the text
}

TEST_F(NavigationTest, GoToLineShowsTheCaretsLineAndLandsOnTheNumberWithinTheText) {
  SetLines(100);
  view->MoveCaretTo(CPoint(0, 12));
  Answer<CGotoLineDialog>([&](CGotoLineDialog& d) {
    EXPECT_EQ(d.GetDlgItemText(IDC_CURRENT_LINE), u"Current Line:  12");
    EXPECT_EQ(d.GetDlgItemText(IDC_NUMBER_EDIT), u"0");
    screen->Type(u"4");  // the number has the focus, its text selected
    screen->Key(VK_UP);  // and the arrow keys step it
    EXPECT_EQ(d.GetDlgItemText(IDC_NUMBER_EDIT), u"5");
    screen->Key(VK_RETURN);
  });
  CGotoLineDialog dialog(view.get());
  dialog.currentLine = view->GetCaretPos().y;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.lineNumber, 5);
  GoToLine(*view, dialog.lineNumber);
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 4));
  EXPECT_TRUE(LineVisible(6));
  for (int n : {0, 1}) {
    GoToLine(*view, 70);
    GoToLine(*view, n);
    EXPECT_EQ(view->GetCaretPos(), CPoint(0, 0)) << n;
    EXPECT_TRUE(LineVisible(0)) << n;  // going up, the caret's line comes into view too
  }
  // The last lines: the last but one shows the last below it; a number at or beyond the
  // line count goes to the last line.
  GoToLine(*view, 99);
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 98));
  EXPECT_TRUE(LineVisible(99));
  for (int n : {100, 101, 5000}) {
    GoToLine(*view, 1);
    GoToLine(*view, n);
    EXPECT_EQ(view->GetCaretPos(), CPoint(0, 99)) << n;
    EXPECT_TRUE(LineVisible(99)) << n;
  }
  SetLines(1);
  GoToLine(*view, 3);
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 0));
}

TEST_F(NavigationTest, OptionsOffersFixedPitchFacesChoosesByPrefixAndChecksTheSize) {
  std::vector<std::u16string> offered;
  std::u16string chosenAtStart;
  Answer<COptionsDialog>([&](COptionsDialog& d) {
    auto* names = dynamic_cast<CComboBox*>(d.GetDlgItem(IDC_FONT_NAME));
    for (int i = 0; i < names->GetCount(); ++i) offered.push_back(names->GetLBText(i));
    chosenAtStart = names->GetLBText(names->GetCurSel());
    EXPECT_EQ(d.GetDlgItemText(IDC_NUMBER_EDIT), u"8");
    d.SetDlgItemText(IDC_NUMBER_EDIT, u"21");
    d.PressButton(IDOK);  // refused: the dialog stays, the size has the focus
    d.SetDlgItemText(IDC_NUMBER_EDIT, u"19");
    screen->Key(VK_UP);
    screen->Key(VK_UP);  // the arrows stop at the top of the range
    EXPECT_EQ(d.GetDlgItemText(IDC_NUMBER_EDIT), u"20");
    names->SelectString(-1, u"dejavu sans m");
    d.PressButton(IDOK);
  });
  COptionsDialog options(8, u"Courier New", view.get());
  EXPECT_EQ(options.DoModal(), IDOK);
  EXPECT_EQ(messages, std::vector<std::string>{"Please enter an integer between 2 and 20."});
  EXPECT_EQ(options.fontSize, 20);
  EXPECT_EQ(options.fontName, u"DejaVu Sans Mono");
  EXPECT_NE(std::find(offered.begin(), offered.end(), u"Liberation Mono"), offered.end());
  EXPECT_EQ(std::find(offered.begin(), offered.end(), u"Liberation Sans"), offered.end());
  // Courier New is drawn with its metric twin, and that is the face the list shows.
  EXPECT_EQ(chosenAtStart, u"Liberation Mono");

  Answer<COptionsDialog>([&](COptionsDialog& d) { d.PressButton(IDOK); });
  COptionsDialog prefix(10, u"liberation", view.get());
  EXPECT_EQ(prefix.DoModal(), IDOK);
  EXPECT_EQ(prefix.fontName, u"Liberation Mono");
  COptionsDialog unknown(10, u"No Such Face", view.get());
  EXPECT_EQ(unknown.DoModal(), IDOK);
  EXPECT_EQ(unknown.fontName, u"");  // confirmed without a choice: the platform's default face
}
