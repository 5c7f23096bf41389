// The list editor, a tool's properties and the arguments prompt, used as a user uses them:
// taps on the list, the buttons pressed, the fields typed into.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/base/Strings.h"
#include "platform/controls/ListBox.h"
#include "platform/ui/WindowManager.h"
#include "resources/AppResources.h"
#include "resources/ResourceIds.h"
#include "tools/ToolsMenu.h"
#include "tools/dialogs/ToolsDialogs.h"

namespace {

class ToolsDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseAppResources();
    screen = std::make_unique<CHeadlessScreen>(480, 640);
    // Each modal window takes the next step given; without one it ends as cancelled.
    screen->SetModalHook([this](CWnd* w) {
      if (steps.empty()) return;
      auto step = std::move(steps.front());
      steps.pop_front();
      step(*dynamic_cast<CDialog*>(w));
    });
  }
  void Add(std::initializer_list<const char16_t*> names) {
    for (const char16_t* name : names) {
      auto* tool = new ToolItem();
      tool->SetDescription(name);
      tools.AddTool(tool);
    }
  }
  std::string Names() const {
    std::string out;
    for (int i = 0; i < tools.GetCount(); ++i) {
      std::u16string d;
      tools.GetAt(i)->GetDescription(d);
      out += (i ? "," : "") + plat::Narrow(d);
    }
    return out;
  }
  // Runs the list editor with editing steps; the last step ends it.
  int Customize(std::function<void(CCustomizeToolsDialog&)> inEditor) {
    steps.push_front([this, inEditor](CDialog& d) {
      editor = &d;
      inEditor(dynamic_cast<CCustomizeToolsDialog&>(d));
    });
    CCustomizeToolsDialog editor(tools);
    return editor.DoModal();
  }
  // What a nested dialog does when it opens, queued behind the editor's own step.
  void Then(std::function<void(CDialog&)> step) { steps.push_back(std::move(step)); }

  void TapEntry(CCustomizeToolsDialog& d, int index) {
    CRect r;
    ASSERT_EQ(d.List()->GetItemRect(index, &r), LB_OKAY);
    d.List()->ClientToScreen(r);
    screen->Tap(r.left + 4, (r.top + r.bottom) / 2);
  }
  static bool On(CDialog& d, UINT id) { return d.GetDlgItem(id)->IsWindowEnabled(); }
  // Modify, Remove, Up, Down as "1" for enabled.
  static std::string Buttons(CDialog& d) {
    std::string out;
    for (UINT id : {IDC_TOOLS_MODIFY, IDC_TOOLS_REMOVE, IDC_TOOLS_UP, IDC_TOOLS_DOWN}) out += On(d, id) ? '1' : '0';
    return out;
  }

  std::unique_ptr<CHeadlessScreen> screen;
  std::deque<std::function<void(CDialog&)>> steps;
  ToolsMenu tools;
  CDialog* editor = nullptr;  // the list editor while it is open
};

}  // namespace

TEST_F(ToolsDialogsTest, TheButtonsFollowTheNumberOfToolsAndTheSelection) {
  Customize([](CCustomizeToolsDialog& d) {
    EXPECT_EQ(d.List()->GetCount(), 0);
    EXPECT_EQ(Buttons(d), "0000");
    EXPECT_TRUE(On(d, IDC_TOOLS_ADD));
  });
  Add({u"Compile"});
  Customize([](CCustomizeToolsDialog& d) {
    EXPECT_EQ(d.List()->GetCurSel(), 0);  // the first entry is selected when nothing was
    EXPECT_EQ(Buttons(d), "1100");
  });
  Add({u"Terminal", u"Make"});
  Customize([this](CCustomizeToolsDialog& d) {
    EXPECT_EQ(Buttons(d), "1101");
    TapEntry(d, 1);
    EXPECT_EQ(d.List()->GetCurSel(), 1);
    EXPECT_EQ(Buttons(d), "1111");
    TapEntry(d, 2);
    EXPECT_EQ(Buttons(d), "1110");
    TapEntry(d, 0);
    EXPECT_EQ(Buttons(d), "1101");
  });
}

TEST_F(ToolsDialogsTest, AddShowsAnUntitledToolAndOnlyOkAddsIt) {
  Add({u"Compile"});
  bool editorDisabled = false;
  Then([&](CDialog& p) {  // cancelled: nothing added
    EXPECT_EQ(p.GetDlgItemText(IDC_TOOL_DESCRIPTION), u"Untitled");
    EXPECT_EQ(p.GetDlgItemText(IDC_TOOL_COMMAND_LINE), u"");
    EXPECT_EQ(p.IsDlgButtonChecked(IDC_TOOL_PROMPT), UINT{BST_UNCHECKED});
    p.SetDlgItemText(IDC_TOOL_DESCRIPTION, u"Lost");
    p.PressButton(IDCANCEL);
  });
  Then([&](CDialog& p) {
    editorDisabled = !editor->IsWindowEnabled();
    p.SetDlgItemText(IDC_TOOL_DESCRIPTION, u"Terminal");
    p.SetDlgItemText(IDC_TOOL_COMMAND_LINE, u"x-terminal-emulator");
    p.SetDlgItemText(IDC_TOOL_WORKING_DIR, u"\\My Documents");
    p.PressButton(IDC_TOOL_PROMPT);
    p.PressButton(IDOK);
  });
  Customize([&](CCustomizeToolsDialog& d) {
    d.PressButton(IDC_TOOLS_ADD);
    EXPECT_EQ(d.List()->GetCount(), 1);
    EXPECT_EQ(Names(), "Compile");
    d.PressButton(IDC_TOOLS_ADD);
    EXPECT_TRUE(d.IsWindowEnabled());
    ASSERT_EQ(d.List()->GetCount(), 2);
    std::u16string text;
    d.List()->GetText(1, text);
    EXPECT_EQ(text, u"Terminal");
    EXPECT_EQ(d.List()->GetCurSel(), 1);  // the new tool is selected
    EXPECT_EQ(Buttons(d), "1110");
  });
  EXPECT_TRUE(editorDisabled);
  EXPECT_EQ(Names(), "Compile,Terminal");
  // Confirmed, the tool holds every key, the arguments empty and the prompt set.
  ToolItem* added = tools.GetAt(1);
  EXPECT_EQ(added->GetProperties().GetCount(), 5);
  std::u16string value = u"unset";
  EXPECT_TRUE(added->GetArguments(value));
  EXPECT_EQ(value, u"");
  EXPECT_TRUE(added->GetWorkingDir(value));
  EXPECT_EQ(value, u"\\My Documents");
  EXPECT_TRUE(added->GetPromptForArgs());
}

TEST_F(ToolsDialogsTest, ModifyShowsTheStoredValuesAndStoresOnlyOnOk) {
  Add({u"Compile", u"Terminal"});
  tools.GetAt(1)->SetArguments(u"-e $FilePath");
  tools.GetAt(1)->SetPromptForArgs(true);
  Then([](CDialog& p) {  // a double tap opens the tool; cancelled, it keeps its values
    EXPECT_EQ(p.GetDlgItemText(IDC_TOOL_DESCRIPTION), u"Terminal");
    EXPECT_EQ(p.GetDlgItemText(IDC_TOOL_ARGUMENTS), u"-e $FilePath");
    EXPECT_EQ(p.IsDlgButtonChecked(IDC_TOOL_PROMPT), UINT{BST_CHECKED});
    p.SetDlgItemText(IDC_TOOL_DESCRIPTION, u"Changed");
  });
  Then([](CDialog& p) {
    p.SetDlgItemText(IDC_TOOL_DESCRIPTION, u"Shell");
    p.PressButton(IDC_TOOL_PROMPT);
    p.PressButton(IDOK);
  });
  Customize([this](CCustomizeToolsDialog& d) {
    CRect r;
    d.List()->GetItemRect(1, &r);
    d.List()->ClientToScreen(r);
    screen->DoubleTap(r.left + 4, (r.top + r.bottom) / 2);
    EXPECT_EQ(Names(), "Compile,Terminal");
    d.PressButton(IDC_TOOLS_MODIFY);
    std::u16string text;
    d.List()->GetText(1, text);
    EXPECT_EQ(text, u"Shell");
    EXPECT_EQ(d.List()->GetCurSel(), 1);
  });
  EXPECT_EQ(Names(), "Compile,Shell");
  EXPECT_FALSE(tools.GetAt(1)->GetPromptForArgs());
  EXPECT_EQ(tools.GetAt(1)->GetProperties().GetCount(), 5);
  // The other tool was never opened and keeps its one key.
  EXPECT_EQ(tools.GetAt(0)->GetProperties().GetCount(), 1);
}

TEST_F(ToolsDialogsTest, MovingAndRemovingKeepTheSelectionOnTheEntryTheUserExpects) {
  Add({u"A", u"B", u"C"});
  const int result = Customize([this](CCustomizeToolsDialog& d) {
    TapEntry(d, 1);
    d.PressButton(IDC_TOOLS_UP);
    EXPECT_EQ(Names(), "B,A,C");
    EXPECT_EQ(d.List()->GetCurSel(), 0);
    EXPECT_EQ(Buttons(d), "1101");
    EXPECT_FALSE(d.PressButton(IDC_TOOLS_UP));  // disabled at the top
    d.PressButton(IDC_TOOLS_DOWN);
    d.PressButton(IDC_TOOLS_DOWN);
    EXPECT_EQ(Names(), "A,C,B");
    EXPECT_EQ(d.List()->GetCurSel(), 2);
    EXPECT_EQ(Buttons(d), "1110");
    // Removing the last entry selects the one before it; removing in the middle keeps the place.
    d.PressButton(IDC_TOOLS_REMOVE);
    EXPECT_EQ(Names(), "A,C");
    EXPECT_EQ(d.List()->GetCurSel(), 1);
    TapEntry(d, 0);
    d.PressButton(IDC_TOOLS_REMOVE);
    EXPECT_EQ(Names(), "C");
    EXPECT_EQ(d.List()->GetCurSel(), 0);
    EXPECT_EQ(Buttons(d), "1100");
    d.PressButton(IDC_TOOLS_REMOVE);
    EXPECT_EQ(d.List()->GetCount(), 0);
    EXPECT_EQ(Buttons(d), "0000");
    d.PressButton(IDCANCEL);
  });
  // Cancelled, the list editor has still changed the list: it works on the list itself.
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(tools.GetCount(), 0);
}

TEST_F(ToolsDialogsTest, TheArgumentsPromptIsTitledWithTheToolAndStartsWithItsArguments) {
  Then([](CDialog& p) {
    EXPECT_EQ(p.GetWindowText(), u"Compile");
    EXPECT_EQ(p.GetDlgItemText(IDC_TOOL_ARGUMENTS_PROMPT), u"-c $FileName.cpp");
    p.SetDlgItemText(IDC_TOOL_ARGUMENTS_PROMPT, u"-O2 -c $FileName.cpp");
    p.PressButton(IDOK);
  });
  CToolArgumentsDialog ask(u"Compile", u"-c $FileName.cpp");
  ASSERT_EQ(ask.DoModal(), IDOK);
  EXPECT_EQ(ask.arguments, u"-O2 -c $FileName.cpp");
}
