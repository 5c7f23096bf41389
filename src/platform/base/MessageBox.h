// The message-box entry point. The user interface installs the handler that draws the box;
// until then (and in tests that install a recorder) the text goes to the handler given.
#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace plat {

enum : unsigned {
  MB_OK = 0x0,
  MB_OKCANCEL = 0x1,
  MB_YESNOCANCEL = 0x3,
  MB_YESNO = 0x4,
  MB_ICONERROR = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONWARNING = 0x30,
  MB_ICONINFORMATION = 0x40,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

using MessageBoxHandler =
    std::function<int(std::u16string_view text, std::u16string_view caption, unsigned type)>;

// The program's name, which captions the message boxes that name no caption of their own
// and which messages may speak of. The application gives it at start-up; empty until then.
void SetAppName(std::u16string_view name);
const std::u16string& GetAppName();

// Shows a message box and returns the button pressed (the safe answer when nobody can
// answer). Without a caption the box is captioned with the program's name.
int MessageBox(std::u16string_view text, unsigned type = MB_OK);
int MessageBox(std::u16string_view text, std::u16string_view caption, unsigned type = MB_OK);
// Installs a handler and returns the previous one; an empty handler restores stderr.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace plat
