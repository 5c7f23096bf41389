// Test helpers for the text buffer: a view that records notifications, the whole text as
// one string, and a message-box recorder.
#pragma once
#include <string>
#include <vector>

#include "buffer/TextBuffer.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Strings.h"

struct Notice {
  DWORD flags;
  int line;
};

class RecordingView : public CBufferView {
 public:
  void OnBufferUpdate(CBufferView*, CUpdateContext* context, DWORD flags, int line) override {
    notices.push_back({flags, line});
    if (context)
      for (auto* p : tracked) context->RecalcPoint(*p);
  }
  std::vector<Notice> notices;
  std::vector<CPoint*> tracked;
};

inline std::string AllText(const CCrystalTextBuffer& b) {
  std::u16string t;
  const int last = b.GetLineCount() - 1;
  b.GetText(0, 0, last, b.GetLineLength(last), t, u"|");
  return plat::Narrow(t);
}

class MessageRecorder {
 public:
  MessageRecorder() {
    plat::SetAppName(u"Tovin");  // messages may name the program, as the application names it
    old = plat::SetMessageBoxHandler([this](std::u16string_view text, std::u16string_view, unsigned) {
      messages.push_back(plat::Narrow(text));
      return plat::IDOK;
    });
  }
  ~MessageRecorder() { plat::SetMessageBoxHandler(std::move(old)); }
  std::vector<std::string> messages;

 private:
  plat::MessageBoxHandler old;
};
