// An application with one template on a headless screen, whose targets log the commands they see.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/TempDevice.h"
#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Strings.h"
#include "platform/dialogs/MessageBoxWnd.h"
#include "platform/framework/CommandBar.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/RecentFileList.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"
#include "platform/fs/AtomicFile.h"
#include "platform/fs/Files.h"
#include "platform/registry/Registry.h"
#include "platform/shell/MenuBar.h"
#include "platform/ui/WindowManager.h"
#include "resources/AppResources.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"

// Who was asked to run which command, who ran it, and what each target is told to do.
struct CommandLog {
  std::vector<std::string> asked;  // targets asked to run a command, in order
  std::vector<std::string> ran;    // "target:id"
  std::map<std::string, std::set<UINT>> handles;
  std::map<std::string, std::set<UINT>> disables;  // update handlers that grey
  std::set<UINT> forwardToFrame;                   // the view passes these to its frame
  int updatesAsked = 0;

  bool Ask(const std::string& who, UINT id, int code, CCmdUI* ui) {
    if (code == CN_UPDATE_COMMAND_UI) {
      ++updatesAsked;
      if (!disables[who].count(id)) return false;
      ui->Enable(false);
      return true;
    }
    asked.push_back(who);
    if (!handles[who].count(id)) return false;
    ran.push_back(who + ":" + std::to_string(id));
    return true;
  }
};
inline CommandLog* g_log = nullptr;

class TestDoc : public CDocument {
 public:
  std::string text;
  bool failSave = false;
  int reads = 0;
  std::vector<std::u16string> saved;
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override {
    return (g_log && g_log->Ask("doc", id, code, ui)) || CDocument::OnCmdMsg(id, code, ui);
  }
  bool OnSaveDocument(std::u16string_view path) override {
    saved.emplace_back(path);
    if (failSave) return false;
    return CDocument::OnSaveDocument(path);
  }
  void DeleteContents() override { text.clear(); }
  bool Serialize(CDocumentFile& file) override {
    if (file.IsStoring()) return file.writing->Write(text.data(), text.size()) == 0;
    ++reads;
    char buf[4096];
    std::size_t got = 0;
    do {
      if (file.reading->Read(buf, sizeof buf, got) != 0) return false;
      text.append(buf, got);
    } while (got == sizeof buf);
    return true;
  }
};

class TestView : public CView {
 public:
  int initialUpdates = 0;
  void OnInitialUpdate() override { ++initialUpdates; }
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override {
    if (g_log && code == CN_COMMAND && g_log->forwardToFrame.count(id)) {
      g_log->asked.push_back("view");
      GetParentFrame()->SendMessage(WM_COMMAND, id, 0);
      return true;
    }
    return g_log && g_log->Ask("view", id, code, ui);
  }

 protected:
  void OnDraw(CDC*) override {}
};

// The frame builds its menu bar as the program's main frame does.
class TestFrame : public CFrameWnd {
 public:
  CCommandBar commandBar;

 protected:
  int OnCreate() override {
    if (CFrameWnd::OnCreate() == -1) return -1;
    const CSize s = CWindowManager::Get().GetScreenSize();
    if (!commandBar.Create(this) || !commandBar.InsertMenuBar(IDR_MAINFRAME) || !commandBar.AddAdornments(0) ||
        !commandBar.LoadToolBar(IsHighResolutionScreen(s.cx, s.cy) ? IDR_MAINFRAME_LARGE : IDR_MAINFRAME))
      return -1;
    return 0;
  }
  bool OnFrameCmdMsg(UINT id, int code, CCmdUI* ui) override {
    return (g_log && g_log->Ask("frame", id, code, ui)) || CFrameWnd::OnFrameCmdMsg(id, code, ui);
  }
};

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp(u"Tovin") {}
  std::vector<std::u16string> prompts;  // what each file prompt proposed
  std::u16string answer;                // what it answers (empty: the user cancels)
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override {
    return (g_log && g_log->Ask("app", id, code, ui)) || CWinApp::OnCmdMsg(id, code, ui);
  }
  bool DoPromptFileName(std::u16string& path, bool) override {
    prompts.push_back(path);
    if (answer.empty()) return false;
    path = answer;
    return true;
  }
};

class FrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(480, 640); }
  void TearDown() override {
    app.reset();
    screen.reset();
    g_log = nullptr;
  }
  void Start(int width, int height) {
    UseAppResources();
    CRegistry::Get().Reload();
    screen = std::make_unique<CHeadlessScreen>(width, height);
    g_log = &log;
    app = std::make_unique<TestApp>();
    app->SetRegistryKey(u"Farrowby Tovin");
    app->LoadStdProfileSettings(3);
    app->AddDocTemplate(std::make_unique<CSingleDocTemplate>(IDR_MAINFRAME, RuntimeClass<TestDoc>(),
                                                             RuntimeClass<TestFrame>(), RuntimeClass<TestView>()));
    app->OnFileNew();
    Flush();
  }
  TestDoc* Doc() { return static_cast<TestDoc*>(Template()->GetOpenDocument()); }
  TestFrame* Frame() { return static_cast<TestFrame*>(Template()->GetFrame()); }
  TestView* View() { return static_cast<TestView*>(Frame()->GetActiveView()); }
  CSingleDocTemplate* Template() { return static_cast<CSingleDocTemplate*>(app->GetDocTemplates().front().get()); }
  CMenuBar* Bar() { return SHFindMenuBar(Frame()); }
  void Flush() { CWindowManager::Get().ProcessPending(); }
  // Answers each message box with the button answer gives for its text, recording it.
  void AnswerBoxes(std::function<int(const std::string&)> answer) {
    screen->SetModalHook([this, answer](CWnd* w) {
      if (auto* box = dynamic_cast<CMessageBoxWnd*>(w)) {
        messages.push_back(plat::Narrow(box->Text()));
        box->Press(answer(messages.back()));
      }
    });
  }
  void TapButton(int index) {
    const CRect r = Bar()->GetButtonRectOnScreen(index);
    screen->Tap(r.left + r.Width() / 2, r.top + r.Height() / 2);
  }
  // A document with text, saved as a file, then changed.
  void OpenModified(const std::string& name, const std::string& bytes) {
    TempDevice::WriteHostFile(device.DocHost(name), bytes);
    ASSERT_NE(app->OpenDocumentFile(device.DocDevice(name)), nullptr);
    Doc()->text += "+";
    Doc()->SetModifiedFlag(true);
  }

  TempDevice device;
  CommandLog log;
  std::unique_ptr<CHeadlessScreen> screen;
  std::unique_ptr<TestApp> app;
  std::vector<std::string> messages;
};
