// What the application's view asks of its document and its frame, so that it needs
// neither class: the document holds the text and the font record, the frame the editor
// font, the last search text and the font settings.
#pragma once
#include <string>

#include "platform/gfx/Font.h"

class CCrystalTextBuffer;

class CTextDocumentHost {
 public:
  virtual CCrystalTextBuffer* GetTextBuffer() = 0;
  // The logical-font record the view draws with.
  virtual LOGFONT& GetFontInfo() = 0;

 protected:
  ~CTextDocumentHost() = default;
};

class CEditorFrameHost {
 public:
  // The search text of the last Find confirmed through the frame; false when empty.
  virtual bool GetSearchText(std::u16string& text) = 0;
  // The editor font's record, as the frame made it.
  virtual LOGFONT GetEditorFontRecord() = 0;
  virtual int GetFontSize() = 0;
  virtual std::u16string GetFontName() = 0;
  // Takes a new size and face and rebuilds the editor font.
  virtual void ChangeEditorFont(int size, const std::u16string& name) = 0;

 protected:
  ~CEditorFrameHost() = default;
};
