// Device paths and the host file system: the mount table and the mapping both ways.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace plat::fs {

struct Mount {
  std::u16string device;  // "\", "\My Documents", "\Storage Card"
  std::string host;       // absolute host folder, no trailing slash except for "/"
};

// The table, most specific device prefix first. Read from TOVIN_ROOT, TOVIN_DOCUMENTS and
// TOVIN_STORAGE on first use; ReloadMounts reads them again (tests set them first).
const std::vector<Mount>& Mounts();
void ReloadMounts();

// Resolves "." and ".." and doubled separators of a device path; always starts with '\'.
std::u16string NormalizeDevicePath(std::u16string_view path);
// Host path for a device path; false (ERROR_INVALID_NAME) when a name holds a NUL.
// Both '\\' and '/' separate names.
bool ToHost(std::u16string_view devicePath, std::string& hostPath);
// Device path of the most specific mount holding a host path (absolute or relative to the
// working folder; made absolute lexically); empty when no mount holds it.
std::u16string ToDevice(std::string_view hostPath);
// Makes a host path absolute and resolves "." and ".." without following links.
std::string AbsoluteHostPath(std::string_view hostPath);

}  // namespace plat::fs
