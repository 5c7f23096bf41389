// The executable tovin: the application on the handheld screen, in a window or in memory.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/SampleApp.h"
#include "app/ScreenSettings.h"
#include "platform/backend/headless/HeadlessScreen.h"
#include "platform/backend/sdl/SdlBackend.h"
#include "platform/base/Strings.h"
#include "platform/dialogs/MessageBoxWnd.h"
#include "platform/ui/WindowManager.h"
#include "resources/AppResources.h"

#ifndef TOVIN_SAMPLES_DIR
#define TOVIN_SAMPLES_DIR "samples"
#endif

int main(int argc, char** argv) {
  // The whole command line is one path: a name with blanks may arrive as several words.
  std::string hostPath;
  for (int i = 1; i < argc; ++i) hostPath += (i > 1 ? " " : "") + std::string(argv[i]);

  const CScreenSettings screen = ReadScreenSettings();
  for (const std::string& line : screen.complaints) std::fprintf(stderr, "%s\n", line.c_str());
  const int width = screen.width, height = screen.height;
  const char* headlessEnv = std::getenv("TOVIN_HEADLESS");
  const bool headless = headlessEnv && std::string(headlessEnv) == "1";
  UseAppResources();

  const char* shot = std::getenv("TOVIN_SCREENSHOT");
  bool shotTaken = false;
  int code = 0;
  std::unique_ptr<CHeadlessScreen> headlessScreen;
  if (headless) {
    headlessScreen = std::make_unique<CHeadlessScreen>(width, height);
    // Nobody answers a message in memory: it goes to stderr, so that a run that stops says
    // why. The first window that opens on its own (the project window of a project opened
    // from the command line) is the screen the user would see first.
    headlessScreen->SetModalHook([&](CWnd* window) {
      if (auto* box = dynamic_cast<CMessageBoxWnd*>(window)) {
        std::fprintf(stderr, "%s: %s\n", plat::Narrow(CSampleApp::kAppName).c_str(),
                     plat::Narrow(box->Text()).c_str());
      } else if (shot && *shot && !shotTaken) {
        shotTaken = true;
        if (!headlessScreen->SavePng(shot)) {
          std::fprintf(stderr, "tovin: cannot write %s\n", shot);
          code = 1;
        }
      }
    });
  } else {
    auto backend = CreateSdlBackend(width, height, screen.scale);
    if (!backend) {
      std::fprintf(stderr, "tovin: no screen to show (TOVIN_HEADLESS=1 draws in memory)\n");
      return 1;
    }
    CWindowManager::Get().Start(std::move(backend), width, height);
  }

  CSampleApp app;
  app.singleInstance = !headless;
  app.SetHostCommandLine(hostPath);

  if (!headless) {
    code = AfxWinMain(app);
    CWindowManager::Get().Shutdown();
    return code;
  }
  // In memory: start as usual, draw one screen, and write it where asked.
  if (!app.InitInstance()) {
    app.CloseAllDocuments(true);
    app.ExitInstance();
    return 1;
  }
  app.OnIdle(0);  // the menu bar's buttons as the idle update leaves them
  CWindowManager::Get().ProcessPending();
  if (shot && *shot && !shotTaken && !headlessScreen->SavePng(shot)) {
    std::fprintf(stderr, "tovin: cannot write %s\n", shot);
    code = 1;
  }
  app.CloseAllDocuments(true);
  app.ExitInstance();
  headlessScreen.reset();
  return code;
}
