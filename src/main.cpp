// The executable tovin: opens the file named on its command line in an editor window.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/FilePrompt.h"
#include "app/LanguageForPath.h"
#include "buffer/TextBuffer.h"
#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/backend/sdl/SdlBackend.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Strings.h"
#include "platform/fs/Mounts.h"
#include "platform/gfx/Dpi.h"
#include "platform/ui/WindowManager.h"
#include "resources/AppResources.h"
#include "syntax/SyntaxLanguage.h"
#include "edit/CrystalEditView.h"
#include "edit/FindDialog.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"

#ifndef TOVIN_SAMPLES_DIR
#define TOVIN_SAMPLES_DIR "samples"
#endif

namespace {

// The view of the open file, coloured by the language its extension chose.
class CEditorView : public CCrystalEditView {
 public:
  ParseCookie ColorizeLine(ParseCookie cookie, int line, ColorRun* runs, int& runCount) override {
    // The parser may correct the case of a Basic keyword in the line's own text.
    auto* text = const_cast<char16_t*>(GetLineText(line));
    return ColorizeLineForLanguage(cookie, text, GetLineLength(line), runs, runCount);
  }
};

// The window around the view: the work area of the screen, captioned "Tovin".
class CEditorFrame : public CWnd {
 public:
  CEditorView view;
  CCrystalTextBuffer* buffer = nullptr;
  std::u16string path;
  std::u16string filter = u"*.*";  // the file prompt starts where it was left

  // Ctrl+S saves the text in place until the program has its File menu.
  bool PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN && msg->wParam == 'S' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0) {
      if (buffer && !path.empty() && !buffer->SaveToFile(path))
        plat::MessageBox(u"Failed to save " + path + u".", u"Tovin", plat::MB_OK | plat::MB_ICONERROR);
      return true;
    }
    // Ctrl+O asks for a file and shows it in place of this one until the program has its
    // File menu.
    if (msg->message == WM_KEYDOWN && msg->wParam == 'O' && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) >= 0) {
      std::u16string chosen = path;
      if (buffer && PromptForFile(chosen, filter, AFX_IDS_OPENFILE)) {
        view.DetachFromBuffer();
        buffer->LoadFromFile(chosen);
        SetSyntaxLanguage(LanguageForPath(chosen));
        path = chosen;
        view.AttachToBuffer(buffer);
      }
      view.SetFocus();
      return true;
    }
    return CWnd::PreTranslateMessage(msg);
  }

  // Find (Ctrl+F) searches from the caret; Replace (Ctrl+H) is the view's own.
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override {
    if (id != ID_EDIT_FIND) return CWnd::OnCmdMsg(id, code, ui);
    if (code == CN_COMMAND) {
      CFindDialog dlg(&view);
      dlg.currentPos = view.GetCaretPos();
      view.SetShowInactiveSelection(true);
      dlg.DoModal();
      view.SetShowInactiveSelection(false);
      view.SetFocus();
    }
    return true;
  }

 protected:
  int OnCreate() override {
    if (!view.CreateView(this, GetClientRect())) return -1;
    return 0;
  }
  void OnSize(UINT, int cx, int cy) override {
    if (view.IsWindow()) view.MoveWindow(CRect(0, 0, cx, cy), true);
  }
};

bool ParseScreenSize(const char* text, int& w, int& h) {
  return text && std::sscanf(text, "%dx%d", &w, &h) == 2 && w > 0 && h > 0;
}

}  // namespace

int main(int argc, char** argv) {
  // The whole command line is one path: a name with spaces may arrive as several words.
  std::string hostPath;
  for (int i = 1; i < argc; ++i) hostPath += (i > 1 ? " " : "") + std::string(argv[i]);
  if (hostPath.empty()) hostPath = TOVIN_SAMPLES_DIR "/hello.cpp";

  int width = 480, height = 640;
  ParseScreenSize(std::getenv("TOVIN_SCREEN"), width, height);
  const char* headlessEnv = std::getenv("TOVIN_HEADLESS");
  const bool headless = headlessEnv && std::string(headlessEnv) == "1";
  UseAppResources();

  std::unique_ptr<CHeadlessScreen> headlessScreen;
  if (headless) {
    headlessScreen = std::make_unique<CHeadlessScreen>(width, height);
  } else {
    const char* scaleEnv = std::getenv("TOVIN_SCALE");
    auto backend = CreateSdlBackend(width, height, scaleEnv ? std::atoi(scaleEnv) : 0);
    if (!backend) {
      std::fprintf(stderr, "tovin: no screen to show (set TOVIN_HEADLESS=1 to draw in memory)\n");
      return 1;
    }
    CWindowManager::Get().Start(std::move(backend), width, height);
  }
  auto& wm = CWindowManager::Get();

  CCrystalTextBuffer buffer;
  auto frame = std::make_unique<CEditorFrame>();
  if (!frame->Create(nullptr, wm.GetWorkArea(), WS_VISIBLE | WS_CAPTION, 0, u"Tovin")) {
    std::fprintf(stderr, "tovin: cannot create the window\n");
    return 1;
  }
  frame->view.SetFont(MakeLogFont(u"Courier New", PointsToLogFontHeight(8)));

  const std::u16string path = plat::fs::ToDevice(hostPath);
  SetSyntaxLanguage(LanguageForPath(path));
  if (path.empty()) {
    plat::MessageBox(plat::Widen(hostPath) + u" lies outside the device's folders.", u"Tovin", plat::MB_OK);
    buffer.InitNew(0);
  } else {
    buffer.LoadFromFile(path);
  }
  frame->view.AttachToBuffer(&buffer);
  frame->buffer = &buffer;
  frame->path = path;
  frame->view.SetFocus();

  int code = 0;
  if (headless) {
    wm.ProcessPending();
    const char* shot = std::getenv("TOVIN_SCREENSHOT");
    if (shot && *shot && !headlessScreen->SavePng(shot)) {
      std::fprintf(stderr, "tovin: cannot write %s\n", shot);
      code = 1;
    }
  } else {
    code = wm.Run();
  }
  frame->view.DetachFromBuffer();
  frame.reset();
  headlessScreen.reset();
  if (!headless) wm.Shutdown();
  return code;
}
