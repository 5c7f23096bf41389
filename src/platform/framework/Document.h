// CDocument: path, title, modified flag, new/open/save with their messages, the save question, views.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/Wnd.h"

class CView;
class CDocTemplate;
namespace plat::fs {
class File;
class AtomicFile;
}  // namespace plat::fs

// What Serialize reads from or writes to: the file opened for the one or the other.
struct CDocumentFile {
  plat::fs::File* reading = nullptr;
  plat::fs::AtomicFile* writing = nullptr;
  bool IsStoring() const { return writing != nullptr; }
};

class CDocument : public CCmdTarget {
 public:
  CDocument();
  ~CDocument() override;
  CDocument(const CDocument&) = delete;
  CDocument& operator=(const CDocument&) = delete;

  const std::u16string& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(std::u16string_view title);
  const std::u16string& GetPathName() const { return m_strPathName; }
  // Stores the full path, makes the file's name the title and, unless told not to, puts
  // the path at the front of the application's recent files.
  virtual void SetPathName(std::u16string_view path, bool addToRecentFiles = true);
  bool IsModified() const { return m_bModified; }
  virtual void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

  // Empties the document, clears its path and its modified flag.
  virtual bool OnNewDocument();
  // Opens the file for reading; when it cannot, shows the message for the cause ("%1 was
  // not found.", "%1 contains an incorrect path.", "Unable to read from %1, it is opened by
  // someone else.", else "Failed to open document.") and answers false with the document
  // unchanged. Otherwise empties the document, reads it through Serialize and clears the
  // modified flag.
  virtual bool OnOpenDocument(std::u16string_view path);
  // Writes the document through Serialize (replacing the file in one step) and clears the
  // modified flag; false, after "Failed to save document.", when that fails.
  virtual bool OnSaveDocument(std::u16string_view path);
  virtual void DeleteContents() {}
  // Reads or writes the document's contents; false when that failed. The default has
  // nothing to move.
  virtual bool Serialize(CDocumentFile& file) {
    (void)file;
    return true;
  }
  virtual void OnCloseDocument();

  // Asks "Save changes to %1?" for a modified document: Yes saves (DoFileSave), No goes
  // on without saving, Cancel stops. False when the caller must not go on: cancelled, or
  // the save failed (the document and its text stay as they are).
  virtual bool SaveModified();
  // Saves to the path, or asks for one when it is empty (Save As); true when saved.
  virtual bool DoSave(std::u16string_view path, bool replace = true);
  // Saves to the document's path; a document without one, or whose file is read-only,
  // asks for a new name.
  virtual bool DoFileSave();
  void OnFileSave() { DoFileSave(); }
  void OnFileSaveAs() { DoSave({}); }

  // The document's command map: Save and Save As.
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

  // Views showing the document (not owned).
  void AddView(CView* view);
  void RemoveView(CView* view);
  const std::vector<CView*>& GetViews() const { return views; }
  // Repaints every view but sender.
  void UpdateAllViews(CView* sender);

  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

 private:
  friend class CDocTemplate;
  std::u16string m_strTitle;
  std::u16string m_strPathName;
  bool m_bModified = false;
  std::vector<CView*> views;
  CDocTemplate* m_pDocTemplate = nullptr;
};

// The message for a file that could not be opened for reading: by the handheld's error
// number, with the path in place of %1.
std::u16string FileOpenErrorMessage(std::uint32_t error, std::u16string_view path);
