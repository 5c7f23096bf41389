// The font families installed on the system, as the Options dialog lists them.
#pragma once
#include <string>
#include <vector>

namespace plat::gfx {

// The families whose faces are fixed pitch (fontconfig's monospaced and dual-width
// spacing), each name once, in the order fontconfig enumerates them.
std::vector<std::u16string> ListFixedPitchFamilies();

}  // namespace plat::gfx
