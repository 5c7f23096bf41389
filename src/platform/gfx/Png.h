// Writing a bitmap to a PNG file (screenshots of the headless screen).
#pragma once
#include <string>

class CBitmap;

namespace plat::gfx {

// Writes bitmap as an 8-bit RGB PNG at hostPath (a host path, not a device path). False
// for an empty bitmap or any failure to open or write; a partly written file is removed.
bool SavePng(const CBitmap& bitmap, const std::string& hostPath);

}  // namespace plat::gfx
