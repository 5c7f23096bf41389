// CSampleDoc: the program's one document: the text buffer of the open file, its syntax
// language, new/open/save with the program's own messages, and the font record the view
// draws with. CDocTextBuffer hands the buffer's modified state to the document.
#pragma once
#include <memory>
#include <string>

#include "buffer/TextBuffer.h"
#include "navigation/ViewHosts.h"
#include "platform/framework/Document.h"

class CSampleDoc;

class CDocTextBuffer : public CCrystalTextBuffer {
 public:
  explicit CDocTextBuffer(CSampleDoc* owner) : owner(owner) {}
  // The document's modified flag is the one modified state; the buffer stores none.
  void SetModified(bool flag) override;

 private:
  CSampleDoc* owner;
};

class CSampleDoc : public CDocument, public CTextDocumentHost {
 public:
  static constexpr char16_t kUntitled[] = u"Untitled.cpp";

  CSampleDoc();
  ~CSampleDoc() override;

  CCrystalTextBuffer* GetTextBuffer() override { return textBuffer.get(); }
  LOGFONT& GetFontInfo() override { return fontInfo; }

  void DeleteContents() override;
  bool OnNewDocument() override;
  bool OnOpenDocument(std::u16string_view path) override;
  // Saves through the buffer; a read-only file or a failed save is reported, the text
  // stays as it is and the answer is false.
  bool OnSaveDocument(std::u16string_view path) override;
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

  // Save: a new text, a text whose file was refused and a read-only file ask for a name;
  // true when saved. The save question before New, Open and Exit comes here too.
  bool DoFileSave() override;
  // Save As: asks for a name, saves, and reads the saved file back; true when saved.
  bool SaveAs();
  void OnToggleReadOnly();
  // Whether the last open refused the file (a line too long) or got only part of it: such
  // a text is never saved over that file by a plain Save.
  bool LoadWasRefused() const { return loadRefused; }

 private:
  std::unique_ptr<CDocTextBuffer> textBuffer;
  LOGFONT fontInfo{};
  bool loadRefused = false;
};
