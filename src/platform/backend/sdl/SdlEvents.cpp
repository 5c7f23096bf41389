// The screen's place in the SDL window, and SDL2 input events turned into the user interface's.
#include <algorithm>
#include <cmath>

#include "platform/backend/sdl/SdlInput.h"
#include "platform/base/Strings.h"

namespace plat::sdl {

SDL_Rect ScreenLayout::Destination() const {
  const int w = screenWidth * scale;
  const int h = screenHeight * scale;
  // A window smaller than the magnified screen shows its top-left part rather than
  // centring it off the window's edge.
  return SDL_Rect{std::max(0, (windowWidth - w) / 2), std::max(0, (windowHeight - h) / 2), w, h};
}

CPoint ScreenLayout::ToScreen(int windowX, int windowY) const {
  const SDL_Rect d = Destination();
  const int s = std::max(1, scale);
  // Floor division, so that the border's pixels left of or above the screen are not
  // rounded onto the screen's first column or row from the wrong side.
  auto toScreen = [s](int v, int origin, int size) {
    const int rel = v - origin;
    const int q = rel >= 0 ? rel / s : -((-rel + s - 1) / s);
    return std::clamp(q, 0, std::max(0, size - 1));
  };
  return CPoint(toScreen(windowX, d.x, screenWidth), toScreen(windowY, d.y, screenHeight));
}

int FitScale(int screenWidth, int screenHeight, int usableWidth, int usableHeight) {
  if (screenWidth <= 0 || screenHeight <= 0) return 1;
  return std::max(1, std::min(usableWidth / screenWidth, usableHeight / screenHeight));
}

CSize ScreenSizeForWindow(int windowWidth, int windowHeight, int scale) {
  const int s = std::max(1, scale);
  return CSize{std::max(kMinScreenSide, windowWidth / s), std::max(kMinScreenSide, windowHeight / s)};
}

bool CSdlEventTranslator::Translate(const SDL_Event& event, const ScreenLayout& layout, UiEvent& out) {
  out = UiEvent{};
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      keyMods = event.key.keysym.mod;
      const UINT vk = VirtualKeyFromSdl(event.key.keysym);
      if (vk == 0) return false;
      out.kind = event.type == SDL_KEYDOWN ? UiEvent::Kind::KeyDown : UiEvent::Kind::KeyUp;
      out.key = vk;
      out.repeat = event.type == SDL_KEYDOWN && event.key.repeat != 0;
      return true;
    }
    case SDL_TEXTINPUT:
      // Alt with a letter is a command key on the handheld and types nothing there; the
      // X server still composes its letter. AltGr (right Alt) types characters and stays.
      if ((keyMods & KMOD_LALT) && !(keyMods & (KMOD_RALT | KMOD_MODE))) return false;
      // The text is a zero-terminated UTF-8 array; a code point never arrives split.
      out.text = Widen(event.text.text);
      if (out.text.empty()) return false;
      out.kind = UiEvent::Kind::Text;
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEMOTION: return TranslateMouse(event, layout, out);
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP: return TranslateFinger(event, layout, out);
    case SDL_WINDOWEVENT: {
      if (event.window.event != SDL_WINDOWEVENT_SIZE_CHANGED) return false;
      const CSize size = ScreenSizeForWindow(event.window.data1, event.window.data2, layout.scale);
      // A window that grew by less than one screen pixel only widens the border.
      if (size.cx == layout.screenWidth && size.cy == layout.screenHeight) return false;
      out.kind = UiEvent::Kind::Resize;
      out.point = CPoint(size.cx, size.cy);
      return true;
    }
    case SDL_QUIT: out.kind = UiEvent::Kind::Quit; return true;
    default: return false;
  }
}

bool CSdlEventTranslator::TranslateMouse(const SDL_Event& event, const ScreenLayout& layout, UiEvent& out) {
  if (event.type == SDL_MOUSEMOTION) {
    // SDL copies touches into mouse events too; the finger events already carry them.
    if (event.motion.which == SDL_TOUCH_MOUSEID) return false;
    out.kind = UiEvent::Kind::PenMove;
    out.button = std::max(penButton, 0);
    out.point = layout.ToScreen(event.motion.x, event.motion.y);
    return true;
  }
  if (event.button.which == SDL_TOUCH_MOUSEID) return false;
  int button = -1;
  if (event.button.button == SDL_BUTTON_LEFT) button = 0;
  else if (event.button.button == SDL_BUTTON_RIGHT) button = 1;
  if (button < 0) return false;
  if (event.type == SDL_MOUSEBUTTONDOWN) {
    if (IsPenDown()) return false;  // the pen is already down: one press at a time
    penButton = button;
    out.kind = UiEvent::Kind::PenDown;
  } else {
    if (button != penButton) return false;  // the release of a press that was not the pen
    penButton = -1;
    out.kind = UiEvent::Kind::PenUp;
  }
  out.button = button;
  out.point = layout.ToScreen(event.button.x, event.button.y);
  return true;
}

bool CSdlEventTranslator::TranslateFinger(const SDL_Event& event, const ScreenLayout& layout, UiEvent& out) {
  const SDL_TouchFingerEvent& f = event.tfinger;
  const bool isPen = fingerDown && f.touchId == touchId && f.fingerId == fingerId;
  if (event.type == SDL_FINGERDOWN) {
    if (IsPenDown()) return false;
    fingerDown = true;
    touchId = f.touchId;
    fingerId = f.fingerId;
    out.kind = UiEvent::Kind::PenDown;
  } else if (!isPen) {
    return false;
  } else if (event.type == SDL_FINGERMOTION) {
    out.kind = UiEvent::Kind::PenMove;
  } else {
    fingerDown = false;
    out.kind = UiEvent::Kind::PenUp;
  }
  // Finger positions are fractions of the window, not pixels.
  const int x = static_cast<int>(std::floor(f.x * static_cast<float>(layout.windowWidth)));
  const int y = static_cast<int>(std::floor(f.y * static_cast<float>(layout.windowHeight)));
  out.button = 0;
  out.point = layout.ToScreen(x, y);
  return true;
}

}  // namespace plat::sdl
