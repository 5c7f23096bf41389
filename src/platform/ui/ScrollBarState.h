// The state of a window's scroll bar and the arithmetic of its thumb.
#pragma once
#include <algorithm>

#include "platform/base/Types.h"

struct ScrollBarState {
  int min = 0;
  int max = 0;
  int page = 0;
  int pos = 0;
  int trackPos = 0;
  bool disabledNoScroll = false;
  // Pen tracking of the thumb.
  bool tracking = false;
  int grabOffset = 0;

  // Largest position the thumb can reach.
  int MaxPos() const { return std::max(min, max - std::max(page - 1, 0)); }
  bool CanScroll() const { return max > min && (page == 0 || page <= max - min); }

  // Thumb extent along a track of trackLength pixels: its offset and length.
  void Thumb(int trackLength, int minThumb, int& offset, int& length) const {
    const long long range = static_cast<long long>(max) - min + 1;
    if (range <= 0 || trackLength <= 0) {
      offset = 0;
      length = trackLength;
      return;
    }
    length = page > 0 ? static_cast<int>(trackLength * std::min<long long>(page, range) / range) : minThumb;
    length = std::clamp(length, std::min(minThumb, trackLength), trackLength);
    const int span = MaxPos() - min;
    const int shown = tracking ? trackPos : pos;
    offset = span > 0 ? static_cast<int>(static_cast<long long>(trackLength - length) * (shown - min) / span) : 0;
    offset = std::clamp(offset, 0, trackLength - length);
  }

  // The position a thumb offset stands for.
  int PosFromOffset(int trackLength, int thumbLength, int offset) const {
    const int free = trackLength - thumbLength;
    if (free <= 0) return min;
    const int span = MaxPos() - min;
    const long long p = min + (static_cast<long long>(std::clamp(offset, 0, free)) * span + free / 2) / free;
    return static_cast<int>(p);
  }
};
