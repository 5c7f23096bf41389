// The window classes by name: a class is a factory that makes a window of that kind, so a
// dialog template can name its controls ("BUTTON", "EDIT", "SysListView32") without the
// dialog knowing any control's type. Names compare without regard to case.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/base/Types.h"

class CWnd;

// What a window of a class is created with: its parent, its place in the parent's client
// area (pixels), its style and id, and its text.
struct CREATESTRUCT {
  CWnd* parent = nullptr;
  CRect rect;
  DWORD style = 0;
  UINT id = 0;
  std::u16string_view text;
};

// Makes the window and creates it as cs asks (a class may adjust the style it was given);
// null when the window could not be created.
using WindowClassFactory = std::function<std::unique_ptr<CWnd>(const CREATESTRUCT& cs)>;

// Registers the class, replacing one of the same name; false for an empty name or factory.
bool RegisterClass(std::u16string_view className, WindowClassFactory factory);
// False when no such class was registered.
bool UnregisterClass(std::u16string_view className);
bool IsClassRegistered(std::u16string_view className);
// A new window of the class, created as cs says; null when the class is unknown or its
// window could not be created.
std::unique_ptr<CWnd> CreateWindowOfClass(std::u16string_view className, const CREATESTRUCT& cs);
