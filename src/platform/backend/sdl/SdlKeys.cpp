// SDL2 key codes to the handheld's virtual-key codes.
#include "platform/backend/sdl/SdlInput.h"
#include "platform/ui/Messages.h"

namespace plat::sdl {
namespace {

// Codes the program's table leaves out because only this translation needs them.
constexpr UINT kVkClear = 0x0C;
constexpr UINT kVkPause = 0x13;
constexpr UINT kVkCapital = 0x14;
constexpr UINT kVkSnapshot = 0x2C;
constexpr UINT kVkLeftWin = 0x5B;
constexpr UINT kVkRightWin = 0x5C;
constexpr UINT kVkApps = 0x5D;
constexpr UINT kVkNumpad0 = 0x60;
constexpr UINT kVkMultiply = 0x6A;
constexpr UINT kVkAdd = 0x6B;
constexpr UINT kVkSubtract = 0x6D;
constexpr UINT kVkDecimal = 0x6E;
constexpr UINT kVkDivide = 0x6F;
constexpr UINT kVkF13 = 0x7C;
constexpr UINT kVkNumLock = 0x90;
constexpr UINT kVkScroll = 0x91;
constexpr UINT kVkOem1 = 0xBA;       // ;:
constexpr UINT kVkOemPlus = 0xBB;    // =+
constexpr UINT kVkOemComma = 0xBC;   // ,<
constexpr UINT kVkOemMinus = 0xBD;   // -_
constexpr UINT kVkOemPeriod = 0xBE;  // .>
constexpr UINT kVkOem2 = 0xBF;       // /?
constexpr UINT kVkOem3 = 0xC0;       // `~
constexpr UINT kVkOem4 = 0xDB;       // [{
constexpr UINT kVkOem5 = 0xDC;       // \|
constexpr UINT kVkOem6 = 0xDD;       // ]}
constexpr UINT kVkOem7 = 0xDE;       // '"
constexpr UINT kVkOem102 = 0xE2;     // the extra key beside left Shift on ISO keyboards

// Keys named by what they do; a layout may move them (Caps Lock made Escape), so the key
// code, not the key's place, decides.
UINT NamedKey(SDL_Keycode sym, Uint16 mod) {
  if (sym >= SDLK_F1 && sym <= SDLK_F12) return VK_F1 + static_cast<UINT>(sym - SDLK_F1);
  if (sym >= SDLK_F13 && sym <= SDLK_F24) return kVkF13 + static_cast<UINT>(sym - SDLK_F13);
  const bool numLock = (mod & KMOD_NUM) != 0;
  switch (sym) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    case SDLK_LGUI: return kVkLeftWin;
    case SDLK_RGUI: return kVkRightWin;
    case SDLK_APPLICATION: return kVkApps;
    case SDLK_CAPSLOCK: return kVkCapital;
    case SDLK_PAUSE: return kVkPause;
    case SDLK_PRINTSCREEN: return kVkSnapshot;
    case SDLK_SCROLLLOCK: return kVkScroll;
    case SDLK_NUMLOCKCLEAR: return kVkNumLock;
    case SDLK_KP_DIVIDE: return kVkDivide;
    case SDLK_KP_MULTIPLY: return kVkMultiply;
    case SDLK_KP_MINUS: return kVkSubtract;
    case SDLK_KP_PLUS: return kVkAdd;
    // With Num Lock off the keypad moves the caret, as on the handheld's own keyboards.
    case SDLK_KP_0: return numLock ? kVkNumpad0 : VK_INSERT;
    case SDLK_KP_1: return numLock ? kVkNumpad0 + 1 : VK_END;
    case SDLK_KP_2: return numLock ? kVkNumpad0 + 2 : VK_DOWN;
    case SDLK_KP_3: return numLock ? kVkNumpad0 + 3 : VK_NEXT;
    case SDLK_KP_4: return numLock ? kVkNumpad0 + 4 : VK_LEFT;
    case SDLK_KP_5: return numLock ? kVkNumpad0 + 5 : kVkClear;
    case SDLK_KP_6: return numLock ? kVkNumpad0 + 6 : VK_RIGHT;
    case SDLK_KP_7: return numLock ? kVkNumpad0 + 7 : VK_HOME;
    case SDLK_KP_8: return numLock ? kVkNumpad0 + 8 : VK_UP;
    case SDLK_KP_9: return numLock ? kVkNumpad0 + 9 : VK_PRIOR;
    case SDLK_KP_PERIOD: return numLock ? kVkDecimal : VK_DELETE;
    default: return 0;
  }
}

// Letters, digits and punctuation by what the layout types on the key.
UINT TypedKey(SDL_Keycode sym) {
  if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + static_cast<UINT>(sym - SDLK_a);
  if (sym >= SDLK_0 && sym <= SDLK_9) return '0' + static_cast<UINT>(sym - SDLK_0);
  switch (sym) {
    case SDLK_SEMICOLON: return kVkOem1;
    case SDLK_EQUALS:
    case SDLK_PLUS: return kVkOemPlus;
    case SDLK_COMMA: return kVkOemComma;
    case SDLK_MINUS: return kVkOemMinus;
    case SDLK_PERIOD: return kVkOemPeriod;
    case SDLK_SLASH: return kVkOem2;
    case SDLK_BACKQUOTE: return kVkOem3;
    case SDLK_LEFTBRACKET: return kVkOem4;
    case SDLK_BACKSLASH: return kVkOem5;
    case SDLK_RIGHTBRACKET: return kVkOem6;
    case SDLK_QUOTE: return kVkOem7;
    default: return 0;
  }
}

// The same keys by their place on a US keyboard: the layout types a letter of another
// script there, a dead key, or a symbol with no code of its own (the top row of a French
// keyboard types "&" where the digit 1 is, and is still the key '1').
UINT PlacedKey(SDL_Scancode code) {
  if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) return 'A' + static_cast<UINT>(code - SDL_SCANCODE_A);
  if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return '1' + static_cast<UINT>(code - SDL_SCANCODE_1);
  switch (code) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_SEMICOLON: return kVkOem1;
    case SDL_SCANCODE_EQUALS: return kVkOemPlus;
    case SDL_SCANCODE_COMMA: return kVkOemComma;
    case SDL_SCANCODE_MINUS: return kVkOemMinus;
    case SDL_SCANCODE_PERIOD: return kVkOemPeriod;
    case SDL_SCANCODE_SLASH: return kVkOem2;
    case SDL_SCANCODE_GRAVE: return kVkOem3;
    case SDL_SCANCODE_LEFTBRACKET: return kVkOem4;
    case SDL_SCANCODE_BACKSLASH:
    case SDL_SCANCODE_NONUSHASH: return kVkOem5;
    case SDL_SCANCODE_RIGHTBRACKET: return kVkOem6;
    case SDL_SCANCODE_APOSTROPHE: return kVkOem7;
    case SDL_SCANCODE_NONUSBACKSLASH: return kVkOem102;
    default: return 0;
  }
}

}  // namespace

UINT VirtualKeyFromSdl(const SDL_Keysym& key) {
  if (UINT vk = NamedKey(key.sym, key.mod)) return vk;
  if (UINT vk = TypedKey(key.sym)) return vk;
  return PlacedKey(key.scancode);
}

}  // namespace plat::sdl
