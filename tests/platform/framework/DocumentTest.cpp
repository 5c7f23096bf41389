// The document and its template: the save question, failing saves, file errors, one frame and view.
#include "platform/framework/FrameworkFixture.h"
#include "platform/ui/Menu.h"

using plat::fs::FsOp;


using DocumentTest = FrameworkTest;

TEST_F(DocumentTest, NewAfterCancelKeepsTheDocument) {
  OpenModified("a.txt", "alpha");
  TestDoc* doc = Doc();
  AnswerBoxes([](const std::string&) { return plat::IDCANCEL; });
  EXPECT_EQ(Template()->OpenDocumentFile({}), nullptr);
  app->OnFileNew();
  EXPECT_EQ(messages, (std::vector<std::string>{"Save changes to a.txt?", "Save changes to a.txt?"}));
  EXPECT_EQ(doc->text, "alpha+");
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(doc->GetPathName(), device.DocDevice("a.txt"));
}

TEST_F(DocumentTest, NewAfterNoDiscardsTheChangesWithoutSaving) {
  OpenModified("a.txt", "alpha");
  AnswerBoxes([](const std::string&) { return plat::IDNO; });
  app->OnFileNew();
  EXPECT_EQ(Doc()->text, "");
  EXPECT_FALSE(Doc()->IsModified());
  EXPECT_EQ(Doc()->GetPathName(), u"");
  EXPECT_EQ(Doc()->GetTitle(), u"Untitled");
  EXPECT_EQ(TempDevice::ReadHostFile(device.DocHost("a.txt")), "alpha");
}

TEST_F(DocumentTest, NewAfterYesSavesThenStartsAfresh) {
  OpenModified("a.txt", "alpha");
  AnswerBoxes([](const std::string&) { return plat::IDYES; });
  app->OnFileNew();
  EXPECT_EQ(TempDevice::ReadHostFile(device.DocHost("a.txt")), "alpha+");
  EXPECT_EQ(Doc()->text, "");
  EXPECT_TRUE(app->prompts.empty());  // it had a path: no name asked for
}

TEST_F(DocumentTest, YesOnAnUntitledDocumentAsksForANameAndCancellingThatKeepsIt) {
  Doc()->text = "draft";
  Doc()->SetModifiedFlag(true);
  AnswerBoxes([](const std::string&) { return plat::IDYES; });
  app->OnFileNew();
  EXPECT_EQ(messages, std::vector<std::string>{"Save changes to Untitled?"});
  EXPECT_EQ(app->prompts, std::vector<std::u16string>{u"Untitled"});
  EXPECT_EQ(Doc()->text, "draft");  // the prompt was cancelled: nothing lost

  app->answer = device.DocDevice("draft.txt");
  app->OnFileNew();
  EXPECT_EQ(TempDevice::ReadHostFile(device.DocHost("draft.txt")), "draft");
  EXPECT_EQ(Doc()->text, "");
}

TEST_F(DocumentTest, AFailingSaveKeepsTheDocumentOnNewAndOnClose) {
  OpenModified("a.txt", "alpha");
  Doc()->failSave = true;
  AnswerBoxes([](const std::string&) { return plat::IDYES; });
  EXPECT_EQ(Template()->OpenDocumentFile({}), nullptr);
  EXPECT_EQ(Doc()->text, "alpha+");
  EXPECT_TRUE(Doc()->IsModified());
  EXPECT_EQ(Doc()->saved.size(), 1u);

  Frame()->SendMessage(WM_CLOSE);
  EXPECT_TRUE(Frame()->IsWindow());
  EXPECT_EQ(app->m_pMainWnd, Frame());
  EXPECT_EQ(Doc()->text, "alpha+");
}

TEST_F(DocumentTest, ExitAfterNoClosesTheFrameAndEndsTheProgram) {
  OpenModified("a.txt", "alpha");
  AnswerBoxes([](const std::string&) { return plat::IDNO; });
  Frame()->SendMessage(WM_COMMAND, ID_APP_EXIT, 0);
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_FALSE(Frame()->IsWindow());
  EXPECT_EQ(app->m_pMainWnd, nullptr);
}

TEST_F(DocumentTest, ExitChosenFromTheFileMenuTakesTheFrameAndItsBar) {
  OpenModified("a.txt", "alpha");
  auto choose = [](CWnd* w) {
    if (auto* box = dynamic_cast<CMessageBoxWnd*>(w)) box->Press(plat::IDNO);
    else ChooseTrackedMenuItem(ID_APP_EXIT);
  };
  screen->SetModalHook(choose);
  TapButton(0);
  EXPECT_FALSE(Frame()->IsWindow());
  EXPECT_EQ(SHFindMenuBar(Frame()), nullptr);
  EXPECT_EQ(CWindowManager::Get().drawMenuBar, nullptr);
}

TEST_F(DocumentTest, FilesThatDoNotOpenShowTheCauseAndLeaveTheDocumentAlone) {
  OpenModified("a.txt", "alpha");
  Doc()->SetModifiedFlag(false);
  AnswerBoxes([](const std::string&) { return plat::IDOK; });
  EXPECT_EQ(app->OpenDocumentFile(device.DocDevice("missing.txt")), nullptr);
  EXPECT_EQ(app->OpenDocumentFile(device.DocDevice("no folder/b.txt")), nullptr);

  TempDevice::WriteHostFile(device.DocHost("busy.txt"), "x");
  plat::fs::SetFaultHook([](FsOp op, const std::string& host) -> std::uint32_t {
    if (op != FsOp::Open) return 0;
    if (host.find("busy") != std::string::npos) return plat::ERROR_SHARING_VIOLATION;
    return host.find("locked") != std::string::npos ? plat::ERROR_ACCESS_DENIED : 0;
  });
  EXPECT_EQ(app->OpenDocumentFile(device.DocDevice("busy.txt")), nullptr);
  TempDevice::WriteHostFile(device.DocHost("locked.txt"), "x");
  EXPECT_EQ(app->OpenDocumentFile(device.DocDevice("locked.txt")), nullptr);
  plat::fs::SetFaultHook(nullptr);

  const std::string docs = "\\My Documents\\";
  EXPECT_EQ(messages, (std::vector<std::string>{
                          docs + "missing.txt was not found.", docs + "no folder\\b.txt contains an incorrect path.",
                          "Unable to read from " + docs + "busy.txt, it is opened by someone else.",
                          "Failed to open document."}));
  EXPECT_EQ(Doc()->text, "alpha+");
  EXPECT_EQ(Doc()->GetTitle(), u"a.txt");
  EXPECT_EQ(Doc()->GetPathName(), device.DocDevice("a.txt"));
}

TEST_F(DocumentTest, OpeningTakesThePathAsTitleAndTheSameFileIsNotReadAgain) {
  TempDevice::WriteHostFile(device.DocHost("notes.txt"), "one");
  TestDoc* before = Doc();
  ASSERT_EQ(app->OpenDocumentFile(u"\\My Documents\\sub\\..\\notes.txt"), before);
  EXPECT_EQ(Doc()->GetPathName(), device.DocDevice("notes.txt"));
  EXPECT_EQ(Doc()->GetTitle(), u"notes.txt");
  EXPECT_EQ(Doc()->text, "one");
  EXPECT_EQ((*app->m_pRecentFileList)[0], device.DocDevice("notes.txt"));

  TempDevice::WriteHostFile(device.DocHost("notes.txt"), "two");
  EXPECT_EQ(app->OpenDocumentFile(u"\\MY DOCUMENTS\\NOTES.TXT"), before);
  EXPECT_EQ(Doc()->reads, 1);
  EXPECT_EQ(Doc()->text, "one");
}

TEST_F(DocumentTest, TheTemplateMakesOneFrameAndViewAndUpdatesTheViewOnce) {
  TestFrame* frame = Frame();
  TestView* view = View();
  EXPECT_EQ(app->m_pMainWnd, frame);
  EXPECT_EQ(frame->GetWindowText(), u"Tovin");
  EXPECT_EQ(frame->GetWindowRect(), CWindowManager::Get().GetWorkArea());
  EXPECT_EQ(view->GetDocument(), Doc());
  EXPECT_EQ(CWnd::GetFocus(), view);
  TempDevice::WriteHostFile(device.DocHost("a.txt"), "a");
  app->OnFileNew();
  app->OpenDocumentFile(device.DocDevice("a.txt"));
  EXPECT_EQ(Frame(), frame);
  EXPECT_EQ(View(), view);
  EXPECT_EQ(view->initialUpdates, 1);
}

TEST_F(DocumentTest, SaveWritesInPlaceAndAReadOnlyFileAsksForANewName) {
  OpenModified("a.txt", "alpha");
  Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE, 0);
  EXPECT_EQ(TempDevice::ReadHostFile(device.DocHost("a.txt")), "alpha+");
  EXPECT_FALSE(Doc()->IsModified());
  EXPECT_TRUE(app->prompts.empty());

  // The file cannot be written: Save asks for another name instead.
  Doc()->text = "beta";
  Doc()->SetModifiedFlag(true);
  plat::fs::SetFaultHook([](FsOp op, const std::string& host) -> std::uint32_t {
    return op == FsOp::Write && host.find("a.txt") != std::string::npos ? plat::ERROR_ACCESS_DENIED : 0;
  });
  app->answer = device.DocDevice("b.txt");
  Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE, 0);
  plat::fs::SetFaultHook(nullptr);
  EXPECT_EQ(app->prompts, std::vector<std::u16string>{device.DocDevice("a.txt")});
  EXPECT_EQ(TempDevice::ReadHostFile(device.DocHost("b.txt")), "beta");
  EXPECT_EQ(Doc()->GetTitle(), u"b.txt");
  EXPECT_EQ((*app->m_pRecentFileList)[0], device.DocDevice("b.txt"));
}

TEST_F(DocumentTest, AFailedSaveAsLeavesTheChosenFileAndThePathAsTheyWere) {
  OpenModified("a.txt", "alpha");
  TempDevice::WriteHostFile(device.DocHost("old.txt"), "precious");
  plat::fs::SetFaultHook(
      [](FsOp op, const std::string&) -> std::uint32_t { return op == FsOp::Sync ? plat::ERROR_DISK_FULL : 0; });
  AnswerBoxes([](const std::string&) { return plat::IDOK; });
  app->answer = device.DocDevice("old.txt");
  Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE_AS, 0);
  plat::fs::SetFaultHook(nullptr);
  EXPECT_EQ(messages, std::vector<std::string>{"Failed to save document."});
  EXPECT_EQ(TempDevice::ReadHostFile(device.DocHost("old.txt")), "precious");
  EXPECT_EQ(Doc()->GetPathName(), device.DocDevice("a.txt"));
  EXPECT_TRUE(Doc()->IsModified());
}
