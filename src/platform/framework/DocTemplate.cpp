// Document templates: making the document, frame and view; the single template's New and Open.
#include "platform/framework/DocTemplate.h"

#include "platform/base/Strings.h"
#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"
#include "platform/fs/Mounts.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WaitCursor.h"

namespace {

bool SamePath(std::u16string_view a, std::u16string_view b) {
  if (a.empty() || b.empty()) return false;
  auto full = [](std::u16string_view p) {
    return !p.empty() && p[0] == u'\\' ? plat::fs::NormalizeDevicePath(p) : std::u16string(p);
  };
  return plat::EqualsNoCase(full(a), full(b));
}

}  // namespace

CDocTemplate::CDocTemplate(UINT id, DocumentFactory document, FrameFactory frame, ViewFactory view)
    : resourceId(id), newDocument(std::move(document)), newFrame(std::move(frame)), newView(std::move(view)) {}

CDocTemplate::~CDocTemplate() = default;

std::u16string CDocTemplate::GetDocString(int index) const {
  const CResourceModule* module = AfxGetResourceHandle();
  std::u16string text = module ? module->LoadString(resourceId) : std::u16string();
  std::size_t begin = 0;
  for (int i = 0; i < index; ++i) {
    const auto nl = text.find(u'\n', begin);
    if (nl == std::u16string::npos) return {};
    begin = nl + 1;
  }
  const auto end = text.find(u'\n', begin);
  return text.substr(begin, end == std::u16string::npos ? std::u16string::npos : end - begin);
}

std::unique_ptr<CDocument> CDocTemplate::CreateNewDocument() {
  std::unique_ptr<CDocument> doc = newDocument ? newDocument() : nullptr;
  if (doc) doc->m_pDocTemplate = this;
  return doc;
}

std::unique_ptr<CFrameWnd> CDocTemplate::CreateNewFrame(CDocument* doc) {
  std::unique_ptr<CFrameWnd> frame = newFrame ? newFrame() : nullptr;
  if (!frame) return nullptr;
  CCreateContext context;
  context.newView = newView;
  context.currentDoc = doc;
  context.newDocTemplate = this;
  if (!frame->LoadFrame(resourceId, WS_CAPTION, nullptr, &context)) return nullptr;
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument*, bool makeVisible) {
  CView* view = frame->GetActiveView();
  if (view) view->OnInitialUpdate();
  if (makeVisible) frame->ActivateFrame();
  if (view && view->IsWindow()) view->SetFocus();
}

CSingleDocTemplate::~CSingleDocTemplate() {
  CloseAllDocuments(true);
}

CDocument* CSingleDocTemplate::OpenDocumentFile(std::u16string_view path, bool makeVisible) {
  const bool newDocument = !document;
  if (!newDocument) {
    // The file shown already: nothing to read again, nothing to ask.
    if (!path.empty() && SamePath(document->GetPathName(), path)) {
      if (frame) frame->ActivateFrame();
      return document.get();
    }
    if (!document->SaveModified()) return nullptr;  // the user kept the document
  } else {
    document = CreateNewDocument();
    if (!document) return nullptr;
  }
  bool newFrame = false;
  if (!frame) {
    frame = CreateNewFrame(document.get());
    if (!frame) {
      if (newDocument) document.reset();
      return nullptr;
    }
    newFrame = true;
  }
  // Whatever fails before the frame has been shown takes the new frame and document away.
  auto abandon = [&] {
    if (!newFrame) return;
    frame.reset();
    if (newDocument) document.reset();
  };
  if (path.empty()) {
    document->SetTitle(u"Untitled");
    if (!document->OnNewDocument()) {
      abandon();
      return nullptr;
    }
  } else {
    CWaitCursor wait;
    const bool wasModified = document->IsModified();
    document->SetModifiedFlag(false);
    if (!document->OnOpenDocument(path)) {
      if (newFrame) {
        abandon();
      } else if (!document->IsModified()) {
        document->SetModifiedFlag(wasModified);  // the document is as it was
      } else {
        // Reading began and stopped half-way: what is left is no document; start afresh.
        document->SetTitle(u"Untitled");
        document->OnNewDocument();
      }
      return nullptr;
    }
    document->SetPathName(path);
  }
  if (newFrame) {
    if (CWinApp* app = AfxGetApp(); app && !app->m_pMainWnd) app->m_pMainWnd = frame.get();
    InitialUpdateFrame(frame.get(), document.get(), makeVisible);
  } else if (makeVisible) {
    frame->ActivateFrame();
  }
  return document.get();
}

void CSingleDocTemplate::CloseAllDocuments(bool) {
  // The frame and its view go first: the view lets go of the document's contents.
  if (frame) frame->DestroyWindow();
  frame.reset();
  if (document) document->OnCloseDocument();
  document.reset();
}
