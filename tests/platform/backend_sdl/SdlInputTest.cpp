// Tests of the SDL translation: the screen's place in the window, virtual-key codes, and input events.
#include <gtest/gtest.h>

#include "platform/backend/sdl/SdlInput.h"
#include "platform/ui/Messages.h"

using plat::sdl::CSdlEventTranslator;
using plat::sdl::ScreenLayout;
using plat::sdl::VirtualKeyFromSdl;

namespace {

SDL_Keysym Key(SDL_Keycode sym, SDL_Scancode code = SDL_SCANCODE_UNKNOWN, Uint16 mod = KMOD_NONE) {
  SDL_Keysym k{};
  k.sym = sym;
  k.scancode = code;
  k.mod = mod;
  return k;
}

// A 160 x 120 screen at twice its size, in a window 10 pixels wider and 6 taller than that.
ScreenLayout Layout() { return ScreenLayout{160, 120, 2, 330, 246}; }

SDL_Event MouseButton(Uint32 type, Uint8 button, int x, int y, Uint32 which = 0) {
  SDL_Event e{};
  e.type = type;
  e.button.button = button;
  e.button.x = x;
  e.button.y = y;
  e.button.which = which;
  return e;
}

SDL_Event MouseMotion(int x, int y, Uint32 which = 0) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = x;
  e.motion.y = y;
  e.motion.which = which;
  return e;
}

SDL_Event Finger(Uint32 type, SDL_FingerID finger, float x, float y) {
  SDL_Event e{};
  e.type = type;
  e.tfinger.touchId = 7;
  e.tfinger.fingerId = finger;
  e.tfinger.x = x;
  e.tfinger.y = y;
  return e;
}

}  // namespace

TEST(SdlScreenLayout, CentresTheMagnifiedScreenAndMapsWindowPixelsBack) {
  const ScreenLayout l = Layout();
  const SDL_Rect d = l.Destination();
  EXPECT_EQ(d.x, 5);
  EXPECT_EQ(d.y, 3);
  EXPECT_EQ(d.w, 320);
  EXPECT_EQ(d.h, 240);
  EXPECT_EQ(l.ToScreen(5, 3), CPoint(0, 0));
  EXPECT_EQ(l.ToScreen(6, 4), CPoint(0, 0));
  EXPECT_EQ(l.ToScreen(7, 5), CPoint(1, 1));
  EXPECT_EQ(l.ToScreen(5 + 2 * 37 + 1, 3 + 2 * 81), CPoint(37, 81));
  EXPECT_EQ(l.ToScreen(324, 242), CPoint(159, 119));
}

TEST(SdlScreenLayout, PointsOnTheBorderOrOutsideTheWindowLandOnTheScreensEdge) {
  const ScreenLayout l = Layout();
  EXPECT_EQ(l.ToScreen(4, 2), CPoint(0, 0));  // the border just left of and above the screen
  EXPECT_EQ(l.ToScreen(-50, 100), CPoint(0, 48));
  EXPECT_EQ(l.ToScreen(329, 245), CPoint(159, 119));
  EXPECT_EQ(l.ToScreen(5000, -3), CPoint(159, 0));
}

TEST(SdlScreenLayout, ScaleIsTheLargestWholeFactorThatFitsTheDesktop) {
  EXPECT_EQ(plat::sdl::FitScale(480, 640, 1920, 1400), 2);
  EXPECT_EQ(plat::sdl::FitScale(480, 640, 1280, 1024), 1);
  EXPECT_EQ(plat::sdl::FitScale(100, 100, 1000, 350), 3);
  // A desktop smaller than the screen still gets a window.
  EXPECT_EQ(plat::sdl::FitScale(480, 640, 300, 300), 1);
}

TEST(SdlScreenLayout, ResizedWindowGivesTheScreenItsWholeMultiplesAtLeast120) {
  EXPECT_EQ(plat::sdl::ScreenSizeForWindow(961, 1281, 2), (CSize{480, 640}));
  EXPECT_EQ(plat::sdl::ScreenSizeForWindow(1282, 962, 2), (CSize{641, 481}));
  EXPECT_EQ(plat::sdl::ScreenSizeForWindow(100, 900, 3), (CSize{120, 300}));
}

TEST(SdlKeys, LettersDigitsAndFunctionKeysHaveTheirVirtualKeyCodes) {
  EXPECT_EQ(VirtualKeyFromSdl(Key(SDLK_a, SDL_SCANCODE_A)), UINT{'A'});
  EXPECT_EQ(VirtualKeyFromSdl(Key(SDLK_z, SDL_SCANCODE_Z)), UINT{'Z'});
  EXPECT_EQ(VirtualKeyFromSdl(Key(SDLK_0, SDL_SCANCODE_0)), UINT{'0'});
  EXPECT_EQ(VirtualKeyFromSdl(Key(SDLK_9, SDL_SCANCODE_9)), UINT{'9'});
  EXPECT_EQ(VirtualKeyFromSdl(Key(SDLK_F1)), UINT{VK_F1});
  EXPECT_EQ(VirtualKeyFromSdl(Key(SDLK_F5)), 0x74u);
  EXPECT_EQ(VirtualKeyFromSdl(Key(SDLK_F12)), UINT{VK_F12});
}

TEST(SdlKeys, EditingAndMovementKeysHaveTheirVirtualKeyCodes) {
  const std::pair<SDL_Keycode, UINT> keys[] = {
      {SDLK_LEFT, VK_LEFT},     {SDLK_RIGHT, VK_RIGHT},     {SDLK_UP, VK_UP},         {SDLK_DOWN, VK_DOWN},
      {SDLK_HOME, VK_HOME},     {SDLK_END, VK_END},         {SDLK_PAGEUP, VK_PRIOR},  {SDLK_PAGEDOWN, VK_NEXT},
      {SDLK_INSERT, VK_INSERT}, {SDLK_DELETE, VK_DELETE},   {SDLK_BACKSPACE, VK_BACK}, {SDLK_TAB, VK_TAB},
      {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_SPACE, VK_SPACE},
      {SDLK_LSHIFT, VK_SHIFT},  {SDLK_RSHIFT, VK_SHIFT},    {SDLK_LCTRL, VK_CONTROL}, {SDLK_RCTRL, VK_CONTROL},
      {SDLK_LALT, VK_MENU},     {SDLK_RALT, VK_MENU},
  };
  for (const auto& [sym, vk] : keys) EXPECT_EQ(VirtualKeyFromSdl(Key(sym)), vk) << SDL_GetKeyName(sym);
}

TEST(SdlKeys, PunctuationKeysHaveTheirOemCodes) {
  const std::pair<SDL_Keycode, UINT> keys[] = {
      {SDLK_SEMICOLON, 0xBA}, {SDLK_EQUALS, 0xBB},      {SDLK_COMMA, 0xBC},     {SDLK_MINUS, 0xBD},
      {SDLK_PERIOD, 0xBE},    {SDLK_SLASH, 0xBF},       {SDLK_BACKQUOTE, 0xC0}, {SDLK_LEFTBRACKET, 0xDB},
      {SDLK_BACKSLASH, 0xDC}, {SDLK_RIGHTBRACKET, 0xDD}, {SDLK_QUOTE, 0xDE},
  };
  for (const auto& [sym, vk] : keys) EXPECT_EQ(VirtualKeyFromSdl(Key(sym)), vk) << SDL_GetKeyName(sym);
}

TEST(SdlKeys, KeysFollowTheLayoutAndFallBackToTheirPlaceForOtherScripts) {
  // French: the key where US has Q types 'a', and the digit row types symbols.
  EXPECT_EQ(VirtualKeyFromSdl(Key(SDLK_a, SDL_SCANCODE_Q)), UINT{'A'});
  EXPECT_EQ(VirtualKeyFromSdl(Key(SDLK_AMPERSAND, SDL_SCANCODE_1)), UINT{'1'});
  // Russian: the key where US has F types a Cyrillic letter.
  EXPECT_EQ(VirtualKeyFromSdl(Key(0x0430, SDL_SCANCODE_F)), UINT{'F'});
  // The extra ISO key beside left Shift.
  EXPECT_EQ(VirtualKeyFromSdl(Key(SDLK_LESS, SDL_SCANCODE_NONUSBACKSLASH)), 0xE2u);
}

TEST(SdlKeys, KeypadTypesDigitsWithNumLockAndMovesWithout) {
  EXPECT_EQ(VirtualKeyFromSdl(Key(SDLK_KP_8, SDL_SCANCODE_KP_8, KMOD_NUM)), 0x68u);
  EXPECT_EQ(VirtualKeyFromSdl(Key(SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NUM)), 0x60u);
  EXPECT_EQ(VirtualKeyFromSdl(Key(SDLK_KP_8, SDL_SCANCODE_KP_8)), UINT{VK_UP});
  EXPECT_EQ(VirtualKeyFromSdl(Key(SDLK_KP_3, SDL_SCANCODE_KP_3)), UINT{VK_NEXT});
  EXPECT_EQ(VirtualKeyFromSdl(Key(SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD)), UINT{VK_DELETE});
}

TEST(SdlKeys, KeysWithoutACodeGiveNoKeyEvent) {
  CSdlEventTranslator t;
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym = Key(SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP);
  UiEvent out;
  EXPECT_EQ(VirtualKeyFromSdl(e.key.keysym), 0u);
  EXPECT_FALSE(t.Translate(e, Layout(), out));
}

TEST(SdlEvents, KeyPressesCarryTheCodeAndTheRepeatFlag) {
  CSdlEventTranslator t;
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.keysym = Key(SDLK_DOWN, SDL_SCANCODE_DOWN);
  e.key.repeat = 1;
  UiEvent out;
  ASSERT_TRUE(t.Translate(e, Layout(), out));
  EXPECT_EQ(out.kind, UiEvent::Kind::KeyDown);
  EXPECT_EQ(out.key, UINT{VK_DOWN});
  EXPECT_TRUE(out.repeat);
  e.type = SDL_KEYUP;
  ASSERT_TRUE(t.Translate(e, Layout(), out));
  EXPECT_EQ(out.kind, UiEvent::Kind::KeyUp);
  EXPECT_EQ(out.key, UINT{VK_DOWN});
  EXPECT_FALSE(out.repeat);
}

TEST(SdlEvents, TypedTextArrivesAsUtf16) {
  CSdlEventTranslator t;
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  SDL_strlcpy(e.text.text, "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", sizeof e.text.text);  // é € 😀
  UiEvent out;
  ASSERT_TRUE(t.Translate(e, Layout(), out));
  EXPECT_EQ(out.kind, UiEvent::Kind::Text);
  EXPECT_EQ(out.text, u"\u00E9\u20AC\U0001F600");
}

TEST(SdlEvents, LettersTypedWithLeftAltAreCommandsButAltGrTypes) {
  CSdlEventTranslator t;
  auto key = [&t](Uint32 type, SDL_Keycode sym, SDL_Scancode code, Uint16 mod) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym = Key(sym, code, mod);
    UiEvent out;
    return t.Translate(e, Layout(), out);
  };
  auto typed = [&t](const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, utf8, sizeof e.text.text);
    UiEvent out;
    return t.Translate(e, Layout(), out) ? out.text : u"(nothing)";
  };
  ASSERT_TRUE(key(SDL_KEYDOWN, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT));
  ASSERT_TRUE(key(SDL_KEYDOWN, SDLK_x, SDL_SCANCODE_X, KMOD_LALT));
  EXPECT_EQ(typed("x"), u"(nothing)");
  ASSERT_TRUE(key(SDL_KEYUP, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_NONE));
  EXPECT_EQ(typed("x"), u"x");
  // AltGr+Q on a German keyboard.
  ASSERT_TRUE(key(SDL_KEYDOWN, SDLK_RALT, SDL_SCANCODE_RALT, KMOD_RALT));
  ASSERT_TRUE(key(SDL_KEYDOWN, SDLK_q, SDL_SCANCODE_Q, KMOD_RALT));
  EXPECT_EQ(typed("@"), u"@");
}

TEST(SdlEvents, LeftButtonIsThePenAtTheScreenPixelUnderIt) {
  CSdlEventTranslator t;
  UiEvent out;
  ASSERT_TRUE(t.Translate(MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5 + 20, 3 + 40), Layout(), out));
  EXPECT_EQ(out.kind, UiEvent::Kind::PenDown);
  EXPECT_EQ(out.button, 0);
  EXPECT_EQ(out.point, CPoint(10, 20));
  ASSERT_TRUE(t.Translate(MouseMotion(5 + 60, 3 + 80), Layout(), out));
  EXPECT_EQ(out.kind, UiEvent::Kind::PenMove);
  EXPECT_EQ(out.point, CPoint(30, 40));
  ASSERT_TRUE(t.Translate(MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 5 + 62, 3 + 82), Layout(), out));
  EXPECT_EQ(out.kind, UiEvent::Kind::PenUp);
  EXPECT_EQ(out.point, CPoint(31, 41));
  // A move with no button held still goes to the UI, which ignores hovering itself.
  ASSERT_TRUE(t.Translate(MouseMotion(5, 3), Layout(), out));
  EXPECT_EQ(out.kind, UiEvent::Kind::PenMove);
}

TEST(SdlEvents, RightButtonIsThePenWithButtonOneAndOtherButtonsAreIgnored) {
  CSdlEventTranslator t;
  UiEvent out;
  EXPECT_FALSE(t.Translate(MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 50, 50), Layout(), out));
  ASSERT_TRUE(t.Translate(MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 50, 50), Layout(), out));
  EXPECT_EQ(out.kind, UiEvent::Kind::PenDown);
  EXPECT_EQ(out.button, 1);
  ASSERT_TRUE(t.Translate(MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 50, 50), Layout(), out));
  EXPECT_EQ(out.kind, UiEvent::Kind::PenUp);
  EXPECT_EQ(out.button, 1);
}

TEST(SdlEvents, ASecondButtonWhileThePenIsDownIsNotANewPress) {
  CSdlEventTranslator t;
  UiEvent out;
  ASSERT_TRUE(t.Translate(MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 50, 50), Layout(), out));
  EXPECT_FALSE(t.Translate(MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 60, 60), Layout(), out));
  EXPECT_FALSE(t.Translate(MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 60, 60), Layout(), out));
  EXPECT_TRUE(t.IsPenDown());
  ASSERT_TRUE(t.Translate(MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 60, 60), Layout(), out));
  EXPECT_EQ(out.kind, UiEvent::Kind::PenUp);
  EXPECT_EQ(out.button, 0);
  EXPECT_FALSE(t.IsPenDown());
}

TEST(SdlEvents, MouseEventsSdlMakesFromTouchesAreIgnored) {
  CSdlEventTranslator t;
  UiEvent out;
  EXPECT_FALSE(t.Translate(MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 50, 50, SDL_TOUCH_MOUSEID), Layout(), out));
  EXPECT_FALSE(t.Translate(MouseMotion(60, 60, SDL_TOUCH_MOUSEID), Layout(), out));
  EXPECT_FALSE(t.Translate(MouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 60, 60, SDL_TOUCH_MOUSEID), Layout(), out));
  EXPECT_FALSE(t.IsPenDown());
}

TEST(SdlEvents, OneFingerIsThePenAtItsPlaceInTheWindow) {
  CSdlEventTranslator t;
  UiEvent out;
  // Half-way across the 330-pixel window is window pixel 165, screen pixel (165 - 5) / 2.
  ASSERT_TRUE(t.Translate(Finger(SDL_FINGERDOWN, 1, 0.5f, 0.25f), Layout(), out));
  EXPECT_EQ(out.kind, UiEvent::Kind::PenDown);
  EXPECT_EQ(out.button, 0);
  EXPECT_EQ(out.point, CPoint(80, 29));
  // A second finger neither presses nor drags nor lifts the pen.
  EXPECT_FALSE(t.Translate(Finger(SDL_FINGERDOWN, 2, 0.9f, 0.9f), Layout(), out));
  EXPECT_FALSE(t.Translate(Finger(SDL_FINGERMOTION, 2, 0.8f, 0.8f), Layout(), out));
  EXPECT_FALSE(t.Translate(Finger(SDL_FINGERUP, 2, 0.8f, 0.8f), Layout(), out));
  EXPECT_FALSE(t.Translate(MouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 50, 50), Layout(), out));
  ASSERT_TRUE(t.Translate(Finger(SDL_FINGERMOTION, 1, 0.0f, 1.0f), Layout(), out));
  EXPECT_EQ(out.kind, UiEvent::Kind::PenMove);
  EXPECT_EQ(out.point, CPoint(0, 119));
  ASSERT_TRUE(t.Translate(Finger(SDL_FINGERUP, 1, 0.0f, 1.0f), Layout(), out));
  EXPECT_EQ(out.kind, UiEvent::Kind::PenUp);
  EXPECT_FALSE(t.IsPenDown());
}

TEST(SdlEvents, ResizingTheWindowResizesTheScreenOnlyByWholePixels) {
  CSdlEventTranslator t;
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
  e.window.data1 = 641;
  e.window.data2 = 481;
  UiEvent out;
  ASSERT_TRUE(t.Translate(e, Layout(), out));
  EXPECT_EQ(out.kind, UiEvent::Kind::Resize);
  EXPECT_EQ(out.point, CPoint(320, 240));
  // Within the same whole multiple only the border changes.
  e.window.data1 = 321;
  e.window.data2 = 241;
  EXPECT_FALSE(t.Translate(e, Layout(), out));
  e.window.event = SDL_WINDOWEVENT_EXPOSED;
  EXPECT_FALSE(t.Translate(e, Layout(), out));
}

TEST(SdlEvents, ClosingTheWindowQuits) {
  CSdlEventTranslator t;
  SDL_Event e{};
  e.type = SDL_QUIT;
  UiEvent out;
  ASSERT_TRUE(t.Translate(e, Layout(), out));
  EXPECT_EQ(out.kind, UiEvent::Kind::Quit);
}
