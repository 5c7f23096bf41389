// The screen's size and the window's zoom, as TOVIN_SCREEN and TOVIN_SCALE give them.
#pragma once
#include <string>
#include <vector>

struct CScreenSettings {
  static constexpr int kMinSide = 120;   // the smallest screen the frame can be laid out on
  static constexpr int kMaxSide = 8192;  // beyond this the screen's bitmap alone is too big
  static constexpr int kMaxScale = 16;

  int width = 480;
  int height = 640;
  int scale = 0;  // 0: the largest whole factor that fits the desktop
  std::vector<std::string> complaints;  // one line for each value refused
};

// Reads both variables ("640x480", "2"); an empty or missing one keeps the default. A value
// that is not well formed ("2x", "480", "0x0", "-2") is refused with a line in complaints
// and the default stays.
CScreenSettings ReadScreenSettings();
