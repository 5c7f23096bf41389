// The command route, disabled commands, the frame's keys, and the idle and pop-up updates.
#include "platform/framework/FrameworkFixture.h"
#include "platform/ui/Menu.h"


namespace {
constexpr UINT kAnyCommand = 40123;
}

using RoutingTest = FrameworkTest;

TEST_F(RoutingTest, CommandsGoViewDocumentFrameApplication) {
  Frame()->SendMessage(WM_COMMAND, kAnyCommand, 0);
  EXPECT_EQ(log.asked, (std::vector<std::string>{"view", "doc", "frame", "app"}));
  EXPECT_TRUE(log.ran.empty());

  // The first target that handles it runs it; the later ones are not asked.
  log.handles["app"] = {kAnyCommand};
  log.handles["frame"] = {kAnyCommand};
  log.asked.clear();
  Frame()->SendMessage(WM_COMMAND, kAnyCommand, 0);
  EXPECT_EQ(log.ran, std::vector<std::string>{"frame:40123"});
  EXPECT_EQ(log.asked, (std::vector<std::string>{"view", "doc", "frame"}));

  log.handles["doc"] = {kAnyCommand};
  log.ran.clear();
  Frame()->SendMessage(WM_COMMAND, kAnyCommand, 0);
  EXPECT_EQ(log.ran, std::vector<std::string>{"doc:40123"});
}

TEST_F(RoutingTest, ACommandSentToTheViewTakesTheSameRouteOnce) {
  log.handles["app"] = {kAnyCommand};
  View()->SendMessage(WM_COMMAND, kAnyCommand, 0);
  EXPECT_EQ(log.asked, (std::vector<std::string>{"view", "doc", "frame", "app"}));
  EXPECT_EQ(log.ran, std::vector<std::string>{"app:40123"});
}

TEST_F(RoutingTest, AViewPassingACommandToItsFrameReachesTheFrameWithoutLooping) {
  log.forwardToFrame = {ID_EDIT_FIND};
  log.handles["frame"] = {ID_EDIT_FIND};
  View()->SendMessage(WM_COMMAND, ID_EDIT_FIND, 0);
  EXPECT_EQ(log.ran, std::vector<std::string>{"frame:57636"});
  EXPECT_EQ(log.asked, (std::vector<std::string>{"view", "frame"}));
}

TEST_F(RoutingTest, ADisabledCommandIsIgnoredFromKeysAndMessages) {
  // Ctrl+S is the frame's key for Save, which the document runs: without a path it asks
  // for one.
  screen->Key('S', CHeadlessScreen::Ctrl);
  EXPECT_EQ(app->prompts.size(), 1u);

  log.disables["doc"] = {ID_FILE_SAVE};
  screen->Key('S', CHeadlessScreen::Ctrl);
  Frame()->SendMessage(WM_COMMAND, ID_FILE_SAVE, 0);
  EXPECT_EQ(app->prompts.size(), 1u);

  // Disabled at the front of the route, handled further on: still not run.
  log.disables["view"] = {kAnyCommand};
  log.handles["app"] = {kAnyCommand};
  Frame()->SendMessage(WM_COMMAND, kAnyCommand, 0);
  EXPECT_TRUE(log.ran.empty());
}

TEST_F(RoutingTest, NextAndPreviousPaneDoNothingWithoutASplitter) {
  log.handles["frame"] = {ID_NEXT_PANE, ID_PREV_PANE};
  screen->Key(0x75);  // F6
  screen->Key(0x75, CHeadlessScreen::Shift);
  EXPECT_TRUE(log.ran.empty());
}

TEST_F(RoutingTest, TheFramesKeysGiveTheirCommands) {
  log.handles["frame"] = {ID_SHOW_PROJECT, ID_TOOLS_FILE_OUTLINE, ID_FIND_NEXT, ID_EDIT_GOTO_LINE};
  screen->Key('1', CHeadlessScreen::Ctrl);
  screen->Key('2', CHeadlessScreen::Ctrl);
  screen->Key('3', CHeadlessScreen::Ctrl);
  screen->Key('G', CHeadlessScreen::Ctrl);
  screen->Key('G');  // no Ctrl: no command
  EXPECT_EQ(log.ran, (std::vector<std::string>{"frame:32778", "frame:32771", "frame:32779", "frame:32775"}));
}

TEST_F(RoutingTest, IdleUpdatesEnableAndDisableTheBarsButtons) {
  log.handles["frame"] = {ID_FIND_NEXT};
  log.disables["frame"] = {ID_FIND_NEXT};
  app->OnIdle(0);
  EXPECT_FALSE(Bar()->IsButtonEnabled(ID_FIND_NEXT));
  Bar()->SendMessage(TB_ENABLEBUTTON, ID_EDIT_FIND, 0);
  app->OnIdle(0);
  EXPECT_TRUE(Bar()->IsButtonEnabled(ID_EDIT_FIND));  // no update handler: enabled
  TapButton(Bar()->FindButton(ID_FIND_NEXT));
  EXPECT_TRUE(log.ran.empty());

  log.disables["frame"].clear();
  app->OnIdle(0);
  EXPECT_TRUE(Bar()->IsButtonEnabled(ID_FIND_NEXT));
  TapButton(Bar()->FindButton(ID_FIND_NEXT));
  EXPECT_EQ(log.ran, std::vector<std::string>{"frame:32779"});
}

TEST_F(RoutingTest, RunAsksTheUpdateHandlersWhenIdleThenClosesAndWritesTheRecentFiles) {
  TempDevice::WriteHostFile(device.DocHost("a.txt"), "a");
  ASSERT_NE(app->OpenDocumentFile(device.DocDevice("a.txt")), nullptr);
  log.updatesAsked = 0;
  // The test screen has nothing to wait for: the loop runs its idle work once and ends.
  app->Run();
  EXPECT_GT(log.updatesAsked, 0);
  EXPECT_EQ(Template()->GetFrame(), nullptr);
  EXPECT_EQ(app->m_pMainWnd, nullptr);
  CRegistry::Get().Reload();
  EXPECT_EQ(CRegistry::Get().GetProfileString(u"Recent File List", u"File1"), device.DocDevice("a.txt"));
}

TEST_F(RoutingTest, APopupGreysWhatItsUpdateHandlersDisableAndSendsTheChoice) {
  log.disables["doc"] = {ID_FILE_SAVE};
  std::vector<std::u16string> texts;
  bool saveChosen = true, openChosen = false;
  screen->SetModalHook([&](CWnd*) {
    texts = TrackedMenuTexts();
    saveChosen = ChooseTrackedMenuItem(ID_FILE_SAVE);
    openChosen = ChooseTrackedMenuItem(ID_FILE_OPEN);
  });
  TapButton(0);
  ASSERT_EQ(texts.size(), 11u);
  EXPECT_EQ(texts[3], u"&Save\tCtrl+S");
  CMenu* file = Bar()->GetPopup(0);
  EXPECT_TRUE(file->GetMenuState(3) & MF_GRAYED);
  EXPECT_FALSE(file->GetMenuState(2) & MF_GRAYED);
  EXPECT_FALSE(saveChosen);
  EXPECT_TRUE(openChosen);
  EXPECT_EQ(app->prompts.size(), 1u);  // Open ran: the application's prompt was asked
}

TEST_F(RoutingTest, TheMenuBarFollowsTheScreenWhenItTurns) {
  screen->Resize(640, 480);
  const CSize s = CWindowManager::Get().GetScreenSize();
  EXPECT_EQ(Bar()->GetWindowRect(), CRect(0, s.cy - CWindowManager::Get().GetMenuBarHeight(), s.cx, s.cy));
  EXPECT_EQ(View()->GetWindowRect(), CWindowManager::Get().GetWorkArea());
}

TEST_F(RoutingTest, ClosingTheHostWindowAsksTheFrameNotTheBar) {
  OpenModified("a.txt", "a");
  AnswerBoxes([](const std::string&) { return plat::IDCANCEL; });
  UiEvent quit;
  quit.kind = UiEvent::Kind::Quit;
  CWindowManager::Get().Dispatch(quit);
  EXPECT_EQ(messages, std::vector<std::string>{"Save changes to a.txt?"});
  EXPECT_TRUE(Frame()->IsWindow());
}
