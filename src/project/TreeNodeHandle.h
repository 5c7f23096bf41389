// The handle of a node of the project window's tree, kept by the project without knowing
// the window: an opaque value, empty until the window has made the node.
#pragma once
#include <cstdint>

struct TreeNodeHandle {
  std::uintptr_t value = 0;

  bool IsEmpty() const { return value == 0; }
  explicit operator bool() const { return value != 0; }
  friend bool operator==(TreeNodeHandle, TreeNodeHandle) = default;
};
