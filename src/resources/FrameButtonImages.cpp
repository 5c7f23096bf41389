// The menu bar's button images drawn by code at 16 x 16 and 32 x 32 (magenta is transparent).
#include <algorithm>
#include <cmath>

#include "platform/gfx/Bitmap.h"
#include "platform/shell/MenuBar.h"

namespace {

constexpr COLORREF kMask = kMenuBarImageMask;

// Shapes in a 16-unit square, filled wherever a pixel's centre falls inside, so the same
// drawing serves both sizes.
class Canvas {
 public:
  Canvas(CBitmap& b, int left, int size) : bmp(b), ox(left), px(size), scale(size / 16.0) {}

  template <class Inside>
  void Fill(COLORREF c, Inside inside) {
    for (int y = 0; y < px; ++y)
      for (int x = 0; x < px; ++x)
        if (inside((x + 0.5) / scale, (y + 0.5) / scale)) bmp.SetPixel(ox + x, y, c);
  }
  void Rect(double l, double t, double r, double b, COLORREF c) {
    Fill(c, [=](double x, double y) { return x >= l && x < r && y >= t && y < b; });
  }
  // A filled rectangle with an edge one unit wide.
  void Box(double l, double t, double r, double b, COLORREF fill, COLORREF edge) {
    Rect(l, t, r, b, edge);
    Rect(l + 1, t + 1, r - 1, b - 1, fill);
  }
  void Disc(double cx, double cy, double radius, COLORREF c) {
    Fill(c, [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; });
  }
  // A stroke of width w from (x0, y0) to (x1, y1), with round ends.
  void Line(double x0, double y0, double x1, double y1, double w, COLORREF c) {
    Fill(c, [=](double x, double y) {
      const double dx = x1 - x0, dy = y1 - y0;
      const double len2 = dx * dx + dy * dy;
      const double t = len2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0, 1.0) : 0.0;
      const double ex = x0 + t * dx - x, ey = y0 + t * dy - y;
      return ex * ex + ey * ey <= w * w / 4;
    });
  }
  void Triangle(double ax, double ay, double bx, double by, double cx, double cy, COLORREF c) {
    auto side = [](double px1, double py1, double qx, double qy, double rx, double ry) {
      return (qx - px1) * (ry - py1) - (qy - py1) * (rx - px1);
    };
    Fill(c, [=](double x, double y) {
      const double d1 = side(ax, ay, bx, by, x, y), d2 = side(bx, by, cx, cy, x, y), d3 = side(cx, cy, ax, ay, x, y);
      return (d1 >= 0 && d2 >= 0 && d3 >= 0) || (d1 <= 0 && d2 <= 0 && d3 <= 0);
    });
  }

 private:
  CBitmap& bmp;
  int ox;
  int px;
  double scale;
};

constexpr COLORREF kPage = RGB(255, 255, 255);
constexpr COLORREF kPageEdge = RGB(96, 108, 132);
constexpr COLORREF kLensRim = RGB(30, 64, 140);
constexpr COLORREF kLensGlass = RGB(206, 232, 255);
constexpr COLORREF kHandle = RGB(120, 84, 44);

void ShowProject(Canvas& c) {
  // The folder, its tab darker.
  c.Rect(1, 1.5, 5, 3.5, RGB(214, 160, 40));
  c.Box(1, 2.5, 10, 8, RGB(250, 208, 84), RGB(160, 114, 22));
  // The tree down to its two files.
  const COLORREF tree = RGB(200, 204, 212);
  c.Rect(3, 8, 4, 14.75, tree);
  c.Rect(3, 9.75, 7.5, 10.75, tree);
  c.Rect(3, 13.75, 7.5, 14.75, tree);
  c.Box(7, 8.5, 11, 12, kPage, kPageEdge);
  c.Box(7, 12.5, 11, 16, kPage, kPageEdge);
  c.Rect(12, 9.75, 16, 10.75, kPage);
  c.Rect(12, 13.75, 16, 14.75, kPage);
}

void FileOutline(Canvas& c) {
  c.Box(2, 0.5, 14.5, 15.5, kPage, kPageEdge);
  // Entries and their members, indented under them.
  for (int row = 0; row < 4; ++row) {
    const double y = 2.5 + 3 * row;
    const double indent = (row % 2) * 2;
    c.Rect(4 + indent, y, 5.75 + indent, y + 1.75, row % 2 ? RGB(0, 150, 150) : RGB(40, 90, 210));
    c.Rect(7 + indent, y + 0.4, 12.5, y + 1.4, RGB(90, 90, 96));
  }
}

void Lens(Canvas& c, double cx, double cy, double radius, double handleEnd, double handleWidth) {
  c.Line(cx + radius * 0.6, cy + radius * 0.6, handleEnd, handleEnd, handleWidth, kHandle);
  c.Disc(cx, cy, radius, kLensRim);
  c.Disc(cx, cy, radius * 0.74, kLensGlass);
  c.Disc(cx - radius * 0.3, cy - radius * 0.3, radius * 0.22, RGB(255, 255, 255));
}

void Find(Canvas& c) {
  Lens(c, 6.25, 6.25, 5.25, 14.5, 2.75);
}

void FindNext(Canvas& c) {
  Lens(c, 5.25, 5.25, 4.5, 10.5, 2.25);
  // The arrow onwards.
  const COLORREF green = RGB(46, 176, 72);
  c.Rect(7, 11.75, 11.5, 14.75, green);
  c.Triangle(11, 9.25, 15.75, 13.25, 11, 17.25, green);
}

void DrawStrip(CBitmap& strip, int size) {
  strip.Create(size * 4, size);
  strip.Fill(kMask);
  void (*const icons[])(Canvas&) = {ShowProject, FileOutline, Find, FindNext};
  for (int i = 0; i < 4; ++i) {
    Canvas c(strip, i * size, size);
    icons[i](c);
  }
}

}  // namespace

void DrawFrameButtons16(CBitmap& strip) {
  DrawStrip(strip, 16);
}
void DrawFrameButtons32(CBitmap& strip) {
  DrawStrip(strip, 32);
}
