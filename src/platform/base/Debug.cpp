// The debug output stream.
#include "platform/base/Debug.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/base/Strings.h"

namespace plat {
namespace {
void (*debugSink)(std::u16string_view) = nullptr;
}

bool DebugEnabled() {
  static const bool enabled = [] {
    const char* v = std::getenv("TOVIN_DEBUG");
    return v && std::strcmp(v, "1") == 0;
  }();
  return enabled;
}

void DebugOut(std::u16string_view text) {
  if (debugSink) {
    debugSink(text);
    return;
  }
  if (!DebugEnabled()) return;
  const std::string s = Narrow(text);
  std::fwrite(s.data(), 1, s.size(), stderr);
}

void DebugOut(std::string_view text) {
  if (!debugSink && !DebugEnabled()) return;
  DebugOut(Widen(text));
}

void SetDebugSink(void (*sink)(std::u16string_view)) { debugSink = sink; }

}  // namespace plat
