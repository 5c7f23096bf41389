// The registry of window classes.
#include "platform/ui/WindowClass.h"

#include <map>

#include "platform/ui/Wnd.h"

namespace {

// Class names are ASCII on the handheld; folding the ASCII letters is all the case rule needs.
std::u16string Folded(std::u16string_view name) {
  std::u16string key(name);
  for (char16_t& c : key)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return key;
}

std::map<std::u16string, WindowClassFactory>& Classes() {
  static std::map<std::u16string, WindowClassFactory> classes;
  return classes;
}

}  // namespace

bool RegisterClass(std::u16string_view className, WindowClassFactory factory) {
  if (className.empty() || !factory) return false;
  Classes()[Folded(className)] = std::move(factory);
  return true;
}

bool UnregisterClass(std::u16string_view className) { return Classes().erase(Folded(className)) != 0; }

bool IsClassRegistered(std::u16string_view className) { return Classes().count(Folded(className)) != 0; }

std::unique_ptr<CWnd> CreateWindowOfClass(std::u16string_view className, const CREATESTRUCT& cs) {
  const auto found = Classes().find(Folded(className));
  if (found == Classes().end()) return nullptr;
  std::unique_ptr<CWnd> w = found->second(cs);
  if (w && !w->IsWindow()) return nullptr;  // a factory that made a window it could not create
  return w;
}
