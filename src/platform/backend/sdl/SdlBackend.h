// The real screen through SDL2: a resizable window showing the handheld screen magnified, with keyboard, text input, mouse, touch and clipboard.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/backend/sdl/SdlInput.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/Backend.h"

class CSdlBackend : public IBackend {
 public:
  // Opens the window for a screen of this size (at least 120 x 120). A scale of 1 or more
  // is used as given (up to 16); below 1 it is the largest whole factor that fits the
  // desktop. Null, with the reason on stderr, when SDL's video cannot start or the window
  // cannot be made.
  static std::unique_ptr<CSdlBackend> Create(int screenWidth, int screenHeight, int scale);
  ~CSdlBackend() override;
  CSdlBackend(const CSdlBackend&) = delete;
  CSdlBackend& operator=(const CSdlBackend&) = delete;

  void Present(const CBitmap& screen, const CRect& dirty) override;
  bool WaitEvent(UiEvent& event, int timeoutMs) override;
  std::uint64_t NowMs() override;
  bool IsKeyDown(UINT vk) override;
  void SetClipboardText(const std::u16string& text) override;
  std::optional<std::u16string> GetClipboardText() override;
  void SetTextInput(bool on) override;
  void SetWaitCursor(bool on) override;
  void Raise() override;
  void SetTitle(const std::u16string& title) override;
  bool CanWait() const override { return true; }
  bool CaretBlinks() const override { return true; }

  // The host window, for whoever must reach SDL itself (the tests read its pixels back).
  SDL_Window* GetWindow() const { return window; }
  const plat::sdl::ScreenLayout& GetLayout() const { return layout; }

 private:
  CSdlBackend() = default;
  bool Open(int screenWidth, int screenHeight, int scale);
  // Makes the texture match the last frame's size and fills it from the whole frame.
  bool RebuildTexture();
  // Draws the texture into the window, letterboxed, and shows it.
  void Render();
  void OnWindowEvent(const SDL_WindowEvent& event);

  bool videoStarted = false;
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  SDL_Cursor* arrowCursor = nullptr;
  SDL_Cursor* waitCursor = nullptr;
  plat::sdl::ScreenLayout layout;
  plat::sdl::CSdlEventTranslator translator;
  // The last frame presented, kept so that an exposed window or a lost texture can be
  // drawn again without asking the window manager to compose.
  CBitmap frame;
};

// The backend the program starts on a display; null when SDL video cannot start.
std::unique_ptr<IBackend> CreateSdlBackend(int screenWidth, int screenHeight, int scale);
