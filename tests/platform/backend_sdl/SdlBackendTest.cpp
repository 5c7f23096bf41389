// Tests of the SDL backend on SDL's dummy video driver: pixels shown, window events, clipboard and text input.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/backend/sdl/SdlBackend.h"
#include "platform/ui/Messages.h"

namespace {

// Every pixel different, so that a wrong offset or row pitch shows.
std::uint32_t Gradient(int x, int y, std::uint32_t salt) {
  return ((static_cast<std::uint32_t>(x) & 0xFF) << 16) | ((static_cast<std::uint32_t>(y) & 0xFF) << 8) | salt;
}

void FillGradient(CBitmap& bitmap, std::uint32_t salt) {
  for (int y = 0; y < bitmap.GetHeight(); ++y)
    for (int x = 0; x < bitmap.GetWidth(); ++x) bitmap.Row(y)[x] = Gradient(x, y, salt);
}

class SdlBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // No display in tests: SDL's dummy driver keeps the window and its pixels in memory.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    unsetenv("TOVIN_SCALE");
  }
  void Open(int w, int h, int scale) {
    backend = CSdlBackend::Create(w, h, scale);
    ASSERT_NE(backend, nullptr) << SDL_GetError();
  }
  // The window's pixel at (x, y) as 0x00RRGGBB.
  std::uint32_t WindowPixel(int x, int y) {
    SDL_Renderer* r = SDL_GetRenderer(backend->GetWindow());
    std::uint32_t p = 0xDEADBEEF;
    const SDL_Rect rect{x, y, 1, 1};
    EXPECT_EQ(SDL_RenderReadPixels(r, &rect, SDL_PIXELFORMAT_RGB888, &p, 4), 0) << SDL_GetError();
    return p & 0x00FFFFFF;
  }
  // Every window pixel that shows screen pixel (x, y) at this scale and offset.
  void ExpectShown(int x, int y, std::uint32_t want) {
    const plat::sdl::ScreenLayout& l = backend->GetLayout();
    const SDL_Rect d = l.Destination();
    for (int dy = 0; dy < l.scale; ++dy)
      for (int dx = 0; dx < l.scale; ++dx)
        EXPECT_EQ(WindowPixel(d.x + x * l.scale + dx, d.y + y * l.scale + dy), want) << "screen pixel " << x << "," << y;
  }
  // Handles everything SDL has queued; true when something reached the user interface.
  bool Drain(UiEvent& last) {
    bool any = false;
    UiEvent e;
    while (backend->WaitEvent(e, 0)) {
      last = e;
      any = true;
    }
    return any;
  }

  std::unique_ptr<CSdlBackend> backend;
};

}  // namespace

TEST_F(SdlBackendTest, ShowsTheScreenMagnifiedByWholePixels) {
  Open(160, 120, 2);
  int w = 0, h = 0;
  SDL_GetWindowSize(backend->GetWindow(), &w, &h);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 240);
  CBitmap screen;
  ASSERT_TRUE(screen.Create(160, 120));
  FillGradient(screen, 0x55);
  backend->Present(screen, CRect(0, 0, 160, 120));
  for (const CPoint p : {CPoint(0, 0), CPoint(1, 0), CPoint(0, 1), CPoint(77, 33), CPoint(159, 119)})
    ExpectShown(p.x, p.y, Gradient(p.x, p.y, 0x55));
}

TEST_F(SdlBackendTest, PresentingADirtyRectangleShowsItsPixelsInTheirPlace) {
  Open(160, 120, 2);
  CBitmap screen;
  ASSERT_TRUE(screen.Create(160, 120));
  FillGradient(screen, 0x11);
  backend->Present(screen, CRect(0, 0, 160, 120));
  FillGradient(screen, 0x22);
  backend->Present(screen, CRect(10, 20, 30, 40));
  for (const CPoint p : {CPoint(10, 20), CPoint(29, 20), CPoint(10, 39), CPoint(29, 39), CPoint(17, 31)})
    ExpectShown(p.x, p.y, Gradient(p.x, p.y, 0x22));
  // A dirty rectangle reaching past the screen is held to it.
  FillGradient(screen, 0x33);
  backend->Present(screen, CRect(-40, -40, 1000, 1000));
  ExpectShown(0, 0, Gradient(0, 0, 0x33));
  ExpectShown(159, 119, Gradient(159, 119, 0x33));
}

TEST_F(SdlBackendTest, AnExposedWindowShowsTheLastFrameAgain) {
  Open(160, 120, 2);
  CBitmap screen;
  ASSERT_TRUE(screen.Create(160, 120));
  FillGradient(screen, 0x44);
  backend->Present(screen, CRect(0, 0, 160, 120));
  // What another window's passing leaves behind.
  SDL_Renderer* r = SDL_GetRenderer(backend->GetWindow());
  SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
  SDL_RenderClear(r);
  ASSERT_EQ(WindowPixel(2 * 50, 2 * 60), 0u);
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = SDL_GetWindowID(backend->GetWindow());
  e.window.event = SDL_WINDOWEVENT_EXPOSED;
  ASSERT_EQ(SDL_PushEvent(&e), 1);
  UiEvent last;
  EXPECT_FALSE(Drain(last));  // exposure is the backend's own business
  ExpectShown(50, 60, Gradient(50, 60, 0x44));
}

TEST_F(SdlBackendTest, ResizingTheWindowResizesTheScreenAndLetterboxesTheRest) {
  Open(120, 120, 3);
  UiEvent last;
  Drain(last);
  // Two window pixels more than whole multiples each way: one pixel of border each side.
  SDL_SetWindowSize(backend->GetWindow(), 3 * 150 + 2, 3 * 130 + 2);
  ASSERT_TRUE(Drain(last));
  EXPECT_EQ(last.kind, UiEvent::Kind::Resize);
  EXPECT_EQ(last.point, CPoint(150, 130));
  // The window manager then presents the whole screen at its new size.
  CBitmap screen;
  ASSERT_TRUE(screen.Create(150, 130));
  FillGradient(screen, 0x66);
  backend->Present(screen, CRect(0, 0, 150, 130));
  EXPECT_EQ(WindowPixel(0, 0), 0u);
  EXPECT_EQ(WindowPixel(3 * 150 + 1, 3 * 130 + 1), 0u);
  ExpectShown(0, 0, Gradient(0, 0, 0x66));
  ExpectShown(149, 129, Gradient(149, 129, 0x66));
  EXPECT_EQ(WindowPixel(1, 1), Gradient(0, 0, 0x66));
  // The pen lands on the new screen through the border.
  SDL_Event e{};
  e.type = SDL_MOUSEBUTTONDOWN;
  e.button.button = SDL_BUTTON_LEFT;
  e.button.x = 1 + 3 * 10 + 2;
  e.button.y = 1 + 3 * 20;
  ASSERT_EQ(SDL_PushEvent(&e), 1);
  ASSERT_TRUE(Drain(last));
  EXPECT_EQ(last.kind, UiEvent::Kind::PenDown);
  EXPECT_EQ(last.point, CPoint(10, 20));
}

TEST_F(SdlBackendTest, WaitEventSkipsWhatMeansNothingAndDeliversKeysAndText) {
  Open(160, 120, 1);
  UiEvent last;
  Drain(last);
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_VOLUMEUP;  // no virtual-key code
  ASSERT_EQ(SDL_PushEvent(&key), 1);
  key.key.keysym.sym = SDLK_x;
  key.key.keysym.scancode = SDL_SCANCODE_X;
  ASSERT_EQ(SDL_PushEvent(&key), 1);
  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  SDL_strlcpy(text.text.text, "x", sizeof text.text.text);
  ASSERT_EQ(SDL_PushEvent(&text), 1);
  UiEvent e;
  ASSERT_TRUE(backend->WaitEvent(e, 0));
  EXPECT_EQ(e.kind, UiEvent::Kind::KeyDown);
  EXPECT_EQ(e.key, UINT{'X'});
  ASSERT_TRUE(backend->WaitEvent(e, 0));
  EXPECT_EQ(e.kind, UiEvent::Kind::Text);
  EXPECT_EQ(e.text, u"x");
  EXPECT_FALSE(backend->WaitEvent(e, 0));
}

TEST_F(SdlBackendTest, ModifiersComeFromTheHostsKeyboardState) {
  Open(160, 120, 1);
  SDL_SetModState(KMOD_LSHIFT);
  EXPECT_TRUE(backend->IsKeyDown(VK_SHIFT));
  EXPECT_FALSE(backend->IsKeyDown(VK_CONTROL));
  EXPECT_FALSE(backend->IsKeyDown(VK_MENU));
  SDL_SetModState(static_cast<SDL_Keymod>(KMOD_RCTRL | KMOD_LALT));
  EXPECT_FALSE(backend->IsKeyDown(VK_SHIFT));
  EXPECT_TRUE(backend->IsKeyDown(VK_CONTROL));
  EXPECT_TRUE(backend->IsKeyDown(VK_MENU));
  SDL_SetModState(KMOD_NONE);
}

TEST_F(SdlBackendTest, ClipboardCarriesUnicodeWithEachSidesLineEnds) {
  Open(160, 120, 1);
  backend->SetClipboardText(u"int \u00E9;\r\n// \U0001F600\r\n");
  char* host = SDL_GetClipboardText();
  ASSERT_NE(host, nullptr);
  EXPECT_STREQ(host, "int \xC3\xA9;\n// \xF0\x9F\x98\x80\n");
  SDL_free(host);
  EXPECT_EQ(backend->GetClipboardText(), std::optional<std::u16string>(u"int \u00E9;\r\n// \U0001F600\r\n"));
  // Text copied by a host program with LF line ends pastes as the buffer's lines.
  SDL_SetClipboardText("a\nb\r\nc");
  EXPECT_EQ(backend->GetClipboardText(), std::optional<std::u16string>(u"a\r\nb\r\nc"));
  backend->SetClipboardText(u"");
  EXPECT_EQ(backend->GetClipboardText(), std::nullopt);
}

TEST_F(SdlBackendTest, TextInputStartsOnAndFollowsTheTextFields) {
  Open(160, 120, 1);
  EXPECT_TRUE(SDL_IsTextInputActive());
  backend->SetTextInput(false);
  EXPECT_FALSE(SDL_IsTextInputActive());
  backend->SetTextInput(true);
  EXPECT_TRUE(SDL_IsTextInputActive());
}

TEST_F(SdlBackendTest, AGivenScaleIsUsedOrTheDesktopIsFitted) {
  Open(120, 130, 3);
  EXPECT_EQ(backend->GetLayout().scale, 3);
  int w = 0, h = 0;
  SDL_GetWindowSize(backend->GetWindow(), &w, &h);
  EXPECT_EQ(w, 360);
  EXPECT_EQ(h, 390);
  backend.reset();
  Open(120, 130, 0);
  SDL_Rect usable{};
  ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0);
  EXPECT_EQ(backend->GetLayout().scale, plat::sdl::FitScale(120, 130, usable.w, usable.h));
  EXPECT_GT(backend->GetLayout().scale, 1);  // the dummy desktop is far larger than 120 x 130
}

TEST_F(SdlBackendTest, NoBackendWhenVideoCannotStart) {
  setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
  EXPECT_EQ(CreateSdlBackend(160, 120, 1), nullptr);
}
