// What the project window asks of the application that opens it, so that it needs neither
// the application nor its main frame: the main frame's window, the recent files, opening a
// document, the file prompt and its last filter.
#pragma once
#include <string>
#include <string_view>

#include "platform/base/Types.h"

class CWnd;

class CProjectWindowHost {
 public:
  // The main frame, whose title the window shows the project in; may be null.
  virtual CWnd* GetProjectFrame() = 0;
  // Gives the main frame the focus and activates it, after a file was opened.
  virtual void ActivateProjectFrame() = 0;
  // Entry index (0-based) of the recent files; false past the list's end.
  virtual bool GetRecentFile(int index, std::u16string& path) const = 0;
  virtual void AddToRecentFileList(std::u16string_view path) = 0;
  // Opens the path as the document; a missing file is reported by the document.
  virtual void OpenProjectFile(std::u16string_view path) = 0;
  // The file prompt: path and filter in and out, as the application's Open asks.
  virtual bool PromptForProjectFile(std::u16string& path, std::u16string& filter, UINT titleId) = 0;
  virtual std::u16string& GetLastFilter() = 0;

 protected:
  ~CProjectWindowHost() = default;
};
