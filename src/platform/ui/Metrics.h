// Lengths of the light theme, given at 96 DPI and drawn at the screen's logical DPI.
#pragma once
#include "platform/gfx/Dpi.h"

namespace plat::ui {

// A length given at 96 DPI, in pixels at the logical DPI.
inline int Scaled(int px96) { return px96 * plat::gfx::GetLogicalDpi() / 96; }

}  // namespace plat::ui
