// The run buffer a line parser appends colour runs to, with the rules every parser obeys.
#pragma once
#include "view/ColorModel.h"

// Appends runs to the caller's buffer. A run is kept only when the buffer is empty or the
// previous run does not start after it, so runs stay in non-decreasing order; and never past
// the buffer's capacity (3 x the line length), whatever the parser asks for. Without a
// buffer every append is dropped and the parser only tracks its state.
class CRunBuffer {
 public:
  CRunBuffer(ColorRun* runs, int& runCount, int lineLength) : runs(runs), count(runCount), capacity(3 * lineLength) {
    if (count < 0) count = 0;
  }

  bool Present() const { return runs != nullptr; }

  void Add(int charPos, int colorIndex) {
    if (runs == nullptr || count >= capacity) return;
    if (count > 0 && runs[count - 1].charPos > charPos) return;
    runs[count].charPos = charPos;
    runs[count].colorIndex = colorIndex;
    ++count;
  }

 private:
  ColorRun* runs;
  int& count;
  int capacity;
};
