// Folder listing with the handheld's wildcard patterns.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Types.h"

namespace plat::fs {

struct FindData {
  std::u16string name;
  DWORD attributes = 0;
  std::uint64_t size = 0;
  std::int64_t writeTime = 0;  // seconds since 1970, UTC
};

// '*' matches any run, '?' any one character, case-insensitively; "*.*" also matches a
// name without a dot, as "*" does.
bool WildcardMatch(std::u16string_view pattern, std::u16string_view name);

// Lists the entries of folder whose names match pattern ("." and ".." never). The device
// root also lists its mount points as folders. ERROR_PATH_NOT_FOUND for a missing folder.
std::uint32_t ListFolder(std::u16string_view folder, std::u16string_view pattern, std::vector<FindData>& out);

}  // namespace plat::fs
