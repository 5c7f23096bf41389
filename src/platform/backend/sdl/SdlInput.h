// Pure translation from SDL2 to the user interface: where the screen sits in the window, virtual-key codes, input events.
#pragma once
#include <SDL.h>

#include "platform/base/Types.h"
#include "platform/ui/Backend.h"

namespace plat::sdl {

// The smallest screen the window may shrink to, in screen pixels each way.
constexpr int kMinScreenSide = 120;

// Where the handheld screen sits in the host window: magnified by a whole factor and
// centred, with the rest of the window, where it is not a whole multiple left as a black border.
struct ScreenLayout {
  int screenWidth = 0;   // screen pixels
  int screenHeight = 0;
  int scale = 1;         // window pixels per screen pixel, each way
  int windowWidth = 0;   // window pixels
  int windowHeight = 0;

  // The window rectangle the magnified screen is drawn into.
  SDL_Rect Destination() const;
  // The screen pixel under a window pixel, held to the screen so that a press or a drag
  // that leaves the screen still lands on its edge.
  CPoint ToScreen(int windowX, int windowY) const;
};

// The largest whole factor at which a screen fits in the usable part of the desktop;
// at least 1, so that a screen larger than the desktop still opens.
int FitScale(int screenWidth, int screenHeight, int usableWidth, int usableHeight);

// The screen a window of this size shows at this scale: the whole multiples that fit,
// never smaller than kMinScreenSide.
CSize ScreenSizeForWindow(int windowWidth, int windowHeight, int scale);

// The virtual-key code of a key, or 0 for a key the program has no code for. Letters,
// digits and punctuation follow what the layout types, and fall back to the key's place
// on a US keyboard when the layout types another script there, as the handheld does.
UINT VirtualKeyFromSdl(const SDL_Keysym& key);

// Turns SDL's input events into the user interface's. It remembers which mouse button or
// finger is acting as the pen, because the screen knows one pen only: a second button or
// finger pressed meanwhile is not a new press. It also remembers the modifiers of the last
// key event, which decide whether the text that follows it was typed.
class CSdlEventTranslator {
 public:
  // True when event means something to the user interface; out then holds it. Window
  // housekeeping (exposure, the texture) is the backend's, not this translator's.
  bool Translate(const SDL_Event& event, const ScreenLayout& layout, UiEvent& out);

  bool IsPenDown() const { return penButton >= 0 || fingerDown; }

 private:
  bool TranslateMouse(const SDL_Event& event, const ScreenLayout& layout, UiEvent& out);
  bool TranslateFinger(const SDL_Event& event, const ScreenLayout& layout, UiEvent& out);

  int penButton = -1;  // the UI button (0 left, 1 right) held as the pen, or -1
  bool fingerDown = false;
  Uint16 keyMods = 0;  // modifiers as of the last key event, in event order
  SDL_TouchID touchId = 0;
  SDL_FingerID fingerId = 0;
};

}  // namespace plat::sdl
