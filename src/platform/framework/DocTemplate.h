// Document templates: the document, frame and view that go together; the single-document template.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ui/Wnd.h"

class CDocument;
class CFrameWnd;
class CView;

// What a frame needs to make its view (the creation context).
struct CCreateContext {
  std::function<std::unique_ptr<CView>()> newView;
  CDocument* currentDoc = nullptr;
  class CDocTemplate* newDocTemplate = nullptr;
};

class CDocTemplate : public CCmdTarget {
 public:
  using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
  using FrameFactory = std::function<std::unique_ptr<CFrameWnd>()>;
  using ViewFactory = std::function<std::unique_ptr<CView>()>;

  // The classes by their factories; the resource number names the frame's accelerator
  // table and the string whose first line is the window title.
  CDocTemplate(UINT resourceId, DocumentFactory document, FrameFactory frame, ViewFactory view);
  ~CDocTemplate() override;
  CDocTemplate(const CDocTemplate&) = delete;
  CDocTemplate& operator=(const CDocTemplate&) = delete;

  // Opens path as the document, or a new empty document for an empty path; null when it
  // could not be (the user cancelled the save question, or the file did not open).
  virtual CDocument* OpenDocumentFile(std::u16string_view path, bool makeVisible = true) = 0;
  // Destroys the frames and documents of the template (their windows go first).
  virtual void CloseAllDocuments(bool endSession) = 0;
  // The open document, if any (a template of one document).
  virtual CDocument* GetOpenDocument() const = 0;

  UINT GetResourceId() const { return resourceId; }
  // The n-th line of the template's string (0: the window title).
  std::u16string GetDocString(int index) const;

 protected:
  std::unique_ptr<CDocument> CreateNewDocument();
  // Makes the frame window with its view for doc; null when the frame could not be made.
  std::unique_ptr<CFrameWnd> CreateNewFrame(CDocument* doc);
  // The view's first update, then the frame shown and the view given the focus.
  void InitialUpdateFrame(CFrameWnd* frame, CDocument* doc, bool makeVisible);

 private:
  UINT resourceId;
  DocumentFactory newDocument;
  FrameFactory newFrame;
  ViewFactory newView;
};

class CSingleDocTemplate : public CDocTemplate {
 public:
  using CDocTemplate::CDocTemplate;
  ~CSingleDocTemplate() override;

  // The first time makes the document, the frame (which makes the view) and gives the view
  // its initial update; later the same ones are reused after the save question. Opening
  // the path the document already has brings its frame forward and reads nothing.
  CDocument* OpenDocumentFile(std::u16string_view path, bool makeVisible = true) override;
  void CloseAllDocuments(bool endSession) override;
  CDocument* GetOpenDocument() const override { return document.get(); }
  CFrameWnd* GetFrame() const { return frame.get(); }

 private:
  std::unique_ptr<CDocument> document;
  std::unique_ptr<CFrameWnd> frame;
};

// A factory for a class the template makes: RuntimeClass<CSampleDoc>().
template <class T>
auto RuntimeClass() {
  return [] { return std::make_unique<T>(); };
}
