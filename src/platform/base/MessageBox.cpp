// The message-box entry point and its replaceable handler.
#include "platform/base/MessageBox.h"

#include <cstdio>

#include "platform/base/Strings.h"

namespace plat {
namespace {
MessageBoxHandler& Handler() {
  static MessageBoxHandler handler;
  return handler;
}
std::u16string& AppName() {
  static std::u16string name;
  return name;
}
}  // namespace

void SetAppName(std::u16string_view name) { AppName() = name; }
const std::u16string& GetAppName() { return AppName(); }

int MessageBox(std::u16string_view text, unsigned type) { return MessageBox(text, AppName(), type); }

int MessageBox(std::u16string_view text, std::u16string_view caption, unsigned type) {
  if (Handler()) return Handler()(text, caption, type);
  std::fprintf(stderr, "%s: %s\n", Narrow(caption).c_str(), Narrow(text).c_str());
  // Nobody can answer: the safe answer keeps the user's text (Cancel where it is offered).
  switch (type & 0xF) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL: return IDCANCEL;
    case MB_YESNO: return IDNO;
    default: return IDOK;
  }
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  MessageBoxHandler old = std::move(Handler());
  Handler() = std::move(handler);
  return old;
}

}  // namespace plat
