// The debug output stream: diagnostic lines on stderr, only when TOVIN_DEBUG=1.
#pragma once
#include <string_view>

namespace plat {

bool DebugEnabled();
void DebugOut(std::u16string_view text);
void DebugOut(std::string_view text);
// Tests capture the stream; an empty sink restores stderr.
void SetDebugSink(void (*sink)(std::u16string_view));

}  // namespace plat
