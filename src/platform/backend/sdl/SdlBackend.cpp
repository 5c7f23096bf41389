// The SDL2 backend: the window and its texture, the event wait, the clock, modifiers, clipboard, text input and cursor.
#include "platform/backend/sdl/SdlBackend.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/base/Strings.h"
#include "platform/ui/Messages.h"

namespace {

using plat::sdl::kMinScreenSide;

// A larger factor would only make a window no desktop can show.
constexpr int kMaxScale = 16;

// SDL turns SIGINT and SIGTERM into SDL_QUIT only when it next looks for events, and its
// wait is not woken by a signal: a long wait looks again this often, so that Ctrl+C in
// the terminal closes the program without waiting for the next mouse move.
constexpr int kSignalCheckMs = 250;

int ChooseScale(int screenWidth, int screenHeight) {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
  return std::min(kMaxScale, plat::sdl::FitScale(screenWidth, screenHeight, usable.w, usable.h));
}

// The handheld's text breaks lines with CR LF and the buffer splits only at CR; the host's
// clipboard holds LF. Each side gets its own convention at the boundary.
std::u16string ToHostLineEnds(const std::u16string& text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')) out.push_back(text[i]);
  return out;
}

std::u16string FromHostLineEnds(const std::u16string& text) {
  std::u16string out;
  out.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) out.push_back(u'\r');
    out.push_back(text[i]);
  }
  return out;
}

}  // namespace

std::unique_ptr<CSdlBackend> CSdlBackend::Create(int screenWidth, int screenHeight, int scale) {
  std::unique_ptr<CSdlBackend> backend(new CSdlBackend());
  if (!backend->Open(screenWidth, screenHeight, scale)) return nullptr;
  return backend;
}

std::unique_ptr<IBackend> CreateSdlBackend(int screenWidth, int screenHeight, int scale) {
  return CSdlBackend::Create(screenWidth, screenHeight, scale);
}

bool CSdlBackend::Open(int screenWidth, int screenHeight, int scale) {
  // An editor window sits among others: keep the desktop's compositor running for it.
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "tovin: cannot start SDL video: %s\n", SDL_GetError());
    return false;
  }
  videoStarted = true;
  layout.screenWidth = std::max(kMinScreenSide, screenWidth);
  layout.screenHeight = std::max(kMinScreenSide, screenHeight);
  layout.scale = scale >= 1 ? std::min(scale, kMaxScale) : ChooseScale(layout.screenWidth, layout.screenHeight);
  // Untitled until the application gives its name (SetTitle).
  window = SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, layout.screenWidth * layout.scale,
                            layout.screenHeight * layout.scale, SDL_WINDOW_RESIZABLE);
  if (!window) {
    std::fprintf(stderr, "tovin: cannot open the SDL window: %s\n", SDL_GetError());
    return false;
  }
  SDL_SetWindowMinimumSize(window, kMinScreenSide * layout.scale, kMinScreenSide * layout.scale);
  SDL_GetWindowSize(window, &layout.windowWidth, &layout.windowHeight);
  renderer = SDL_CreateRenderer(window, -1, 0);
  if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer) {
    std::fprintf(stderr, "tovin: cannot draw into the SDL window: %s\n", SDL_GetError());
    return false;
  }
  // Black until the window manager composes the first screen.
  if (!frame.Create(layout.screenWidth, layout.screenHeight) || !RebuildTexture()) return false;
  // Hosts without cursors of their own (SDL's dummy video) give none; the calls below
  // then leave the cursor alone.
  arrowCursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
  waitCursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
  SDL_StartTextInput();
  Render();
  return true;
}

CSdlBackend::~CSdlBackend() {
  if (waitCursor) SDL_FreeCursor(waitCursor);
  if (arrowCursor) SDL_FreeCursor(arrowCursor);
  if (texture) SDL_DestroyTexture(texture);
  if (renderer) SDL_DestroyRenderer(renderer);
  if (window) SDL_DestroyWindow(window);
  if (videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool CSdlBackend::RebuildTexture() {
  if (texture) SDL_DestroyTexture(texture);
  // RGB888 is 32-bit 0x00RRGGBB, the bitmap's own pixel layout: no conversion per frame.
  texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, frame.GetWidth(),
                              frame.GetHeight());
  if (!texture) {
    std::fprintf(stderr, "tovin: cannot make a %dx%d SDL texture: %s\n", frame.GetWidth(), frame.GetHeight(),
                 SDL_GetError());
    return false;
  }
  // Whole-factor magnification of small text stays sharp only without filtering.
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
  SDL_UpdateTexture(texture, nullptr, frame.GetBits(), frame.GetWidth() * static_cast<int>(sizeof(std::uint32_t)));
  return true;
}

void CSdlBackend::Render() {
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  if (texture) {
    const SDL_Rect dst = layout.Destination();
    SDL_RenderCopy(renderer, texture, nullptr, &dst);
  }
  SDL_RenderPresent(renderer);
}

void CSdlBackend::Present(const CBitmap& screen, const CRect& dirty) {
  if (screen.IsEmpty()) return;
  const int w = screen.GetWidth();
  const int h = screen.GetHeight();
  if (w != frame.GetWidth() || h != frame.GetHeight()) {
    // The screen was resized: everything is new, the texture included.
    if (!frame.Create(w, h)) return;
    std::copy(screen.GetBits(), screen.GetBits() + static_cast<std::size_t>(w) * h, frame.GetBits());
    layout.screenWidth = w;
    layout.screenHeight = h;
    RebuildTexture();
    Render();
    return;
  }
  const CRect r(std::max(dirty.left, 0), std::max(dirty.top, 0), std::min(dirty.right, w), std::min(dirty.bottom, h));
  if (r.IsRectEmpty()) return;
  for (int y = r.top; y < r.bottom; ++y) std::copy(screen.Row(y) + r.left, screen.Row(y) + r.right, frame.Row(y) + r.left);
  if (texture) {
    const SDL_Rect rect{r.left, r.top, r.Width(), r.Height()};
    SDL_UpdateTexture(texture, &rect, frame.Row(r.top) + r.left, w * static_cast<int>(sizeof(std::uint32_t)));
  }
  Render();
}

void CSdlBackend::OnWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      layout.windowWidth = event.data1;
      layout.windowHeight = event.data2;
      // The border changes at once; the screen's new size follows when it is composed.
      Render();
      break;
    case SDL_WINDOWEVENT_EXPOSED: Render(); break;
    default: break;
  }
}

bool CSdlBackend::WaitEvent(UiEvent& event, int timeoutMs) {
  const std::uint64_t until = SDL_GetTicks64() + static_cast<std::uint64_t>(std::max(timeoutMs, 0));
  for (;;) {
    int slice = kSignalCheckMs;
    if (timeoutMs >= 0) {
      const std::uint64_t now = SDL_GetTicks64();
      slice = now >= until ? 0 : static_cast<int>(std::min<std::uint64_t>(until - now, kSignalCheckMs));
    }
    SDL_Event e;
    if (!(slice == 0 ? SDL_PollEvent(&e) : SDL_WaitEventTimeout(&e, slice))) {
      if (timeoutMs >= 0 && SDL_GetTicks64() >= until) return false;
      continue;
    }
    if (e.type == SDL_WINDOWEVENT) {
      OnWindowEvent(e.window);
    } else if (e.type == SDL_RENDER_TARGETS_RESET || e.type == SDL_RENDER_DEVICE_RESET) {
      // The renderer lost the texture's pixels (or the texture): draw it again from our copy.
      if (RebuildTexture()) Render();
    }
    // Events that mean nothing to the user interface are the host's own: keep waiting.
    if (!translator.Translate(e, layout, event)) continue;
    if (event.kind == UiEvent::Kind::Resize) {
      // Pen positions until the next frame already map to the new screen.
      layout.screenWidth = event.point.x;
      layout.screenHeight = event.point.y;
    }
    return true;
  }
}

std::uint64_t CSdlBackend::NowMs() { return SDL_GetTicks64(); }

bool CSdlBackend::IsKeyDown(UINT vk) {
  const SDL_Keymod mod = SDL_GetModState();
  switch (vk) {
    case VK_SHIFT: return (mod & KMOD_SHIFT) != 0;
    case VK_CONTROL: return (mod & KMOD_CTRL) != 0;
    case VK_MENU: return (mod & KMOD_ALT) != 0;
    default: return false;
  }
}

void CSdlBackend::SetClipboardText(const std::u16string& text) {
  if (SDL_SetClipboardText(plat::Narrow(ToHostLineEnds(text)).c_str()) != 0)
    std::fprintf(stderr, "tovin: cannot set the clipboard: %s\n", SDL_GetError());
}

std::optional<std::u16string> CSdlBackend::GetClipboardText() {
  char* utf8 = SDL_GetClipboardText();
  if (!utf8) return std::nullopt;
  std::u16string text = plat::Widen(utf8);
  SDL_free(utf8);
  if (text.empty()) return std::nullopt;
  return FromHostLineEnds(text);
}

void CSdlBackend::SetTextInput(bool on) {
  if (on) SDL_StartTextInput();
  else SDL_StopTextInput();
}

void CSdlBackend::SetTitle(const std::u16string& title) {
  if (window) SDL_SetWindowTitle(window, plat::Narrow(title).c_str());
}

void CSdlBackend::Raise() {
  if (!window) return;
  if (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(window);
  SDL_RaiseWindow(window);
}

void CSdlBackend::SetWaitCursor(bool on) {
  if (SDL_Cursor* c = on ? waitCursor : arrowCursor) SDL_SetCursor(c);
}
