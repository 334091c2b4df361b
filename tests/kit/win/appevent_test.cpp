// Application events as components: chaining, stopping, the application's
// own handlers at the end of the walk and back in place afterwards, and
// every event arriving from the application as the program meets it.
#include "kit/win/AppEvent.h"

#include "platform/win/Actions.h"
#include "platform/win/HintWindow.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

class TPadForm : public TForm {
public:
  explicit TPadForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(60, 60, 200, 100);
    Pad = new TCustomControl(this);
    Pad->SetAlign(alClient);
    Pad->SetParent(this);
  }
  TCustomControl* Pad;
};

}  // namespace

TEST(AppEvents, NewestFirstThenTheApplicationsOwnAndChainedFalseStops) {
  std::vector<std::string> log;
  Application->OnDeactivate = [&](TObject*) { log.push_back("application"); };
  auto older = std::make_unique<TAppEvents>(nullptr);
  auto newer = std::make_unique<TAppEvents>(nullptr);
  older->OnDeactivate = [&](TObject* sender) {
    EXPECT_EQ(sender, Application);
    log.push_back("older");
  };
  newer->OnDeactivate = [&](TObject*) { log.push_back("newer"); };
  auto deactivate = [] {
    Application->AppActivation(true);
    Application->AppActivation(false);
    Application->ProcessMessages();
  };
  deactivate();
  EXPECT_EQ(log, (std::vector<std::string>{"newer", "older", "application"}));
  log.clear();
  newer->SetChained(false);
  deactivate();
  EXPECT_EQ(log, std::vector<std::string>{"newer"});
  log.clear();
  // An instance without a handler still ends the walk when not chained.
  newer->OnDeactivate = nullptr;
  deactivate();
  EXPECT_TRUE(log.empty());
  newer->SetChained(true);
  deactivate();
  EXPECT_EQ(log, (std::vector<std::string>{"older", "application"}));
  newer.reset();
  older.reset();
  Application->OnDeactivate = nullptr;
}

TEST(AppEvents, HandledEndsTheWalkForMessagesShortCutsAndActions) {
  auto form = std::make_unique<TPadForm>(nullptr);
  form->Show();
  std::vector<std::string> log;
  Application->OnMessage = [&](MSG& m, bool&) {
    if (m.message == WM_USER + 9) log.push_back("application");
  };
  auto older = std::make_unique<TAppEvents>(nullptr);
  auto newer = std::make_unique<TAppEvents>(nullptr);
  older->OnMessage = [&](MSG& m, bool&) {
    if (m.message == WM_USER + 9) log.push_back("older");
  };
  bool stop = true;
  newer->OnMessage = [&](MSG& m, bool& handled) {
    if (m.message != WM_USER + 9) return;
    log.push_back("newer");
    handled = stop;
  };
  ::PostMessageA(form->GetHandle(), WM_USER + 9, 0, 0);
  Application->ProcessMessages();
  EXPECT_EQ(log, std::vector<std::string>{"newer"});
  log.clear();
  stop = false;
  ::PostMessageA(form->GetHandle(), WM_USER + 9, 0, 0);
  Application->ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"newer", "older", "application"}));

  // Actions: handled by the newer instance, the action's own handler is skipped.
  TBasicAction action(nullptr);
  bool own = false;
  action.OnExecute = [&](TObject*) { own = true; };
  log.clear();
  older->OnActionExecute = [&](TBasicAction*, bool&) { log.push_back("older action"); };
  newer->OnActionExecute = [&](TBasicAction* a, bool& handled) {
    log.push_back("newer action");
    handled = a == &action;
  };
  EXPECT_TRUE(action.Execute());
  EXPECT_FALSE(own);
  EXPECT_EQ(log, std::vector<std::string>{"newer action"});
  newer.reset();
  older.reset();
  Application->OnMessage = nullptr;
}

TEST(AppEvents, TheApplicationGetsItsHandlersBackWhenTheLastInstanceGoes) {
  for (bool newestFirst : {true, false}) {
    int own = 0;
    Application->OnHint = [&](TObject*) { ++own; };
    auto a = std::make_unique<TAppEvents>(nullptr);
    auto b = std::make_unique<TAppEvents>(nullptr);
    int viaInstances = 0;
    a->OnHint = [&](TObject*) { ++viaInstances; };
    Application->SetHint(newestFirst ? "one" : "uno");
    EXPECT_EQ(viaInstances, 1);
    EXPECT_EQ(own, 1);
    if (newestFirst) {
      b.reset();
      a.reset();
    } else {
      a.reset();
      b.reset();
    }
    // The application's own handler is in place again and alone.
    Application->SetHint(newestFirst ? "two" : "dos");
    EXPECT_EQ(own, 2);
    EXPECT_EQ(viaInstances, 1);
    Application->OnHint = nullptr;
  }
}

TEST(AppEvents, AHandlerPutInMeanwhileStaysAndForwardsToWhatItReplaced) {
  std::vector<std::string> log;
  Application->OnMinimize = [&](TObject*) { log.push_back("application"); };
  auto e = std::make_unique<TAppEvents>(nullptr);
  e->OnMinimize = [&](TObject*) { log.push_back("instance"); };
  // Another component replaces the handler and keeps the one it found.
  TNotifyEvent previous = Application->OnMinimize;
  Application->OnMinimize = [&](TObject* s) {
    log.push_back("replacement");
    previous(s);
  };
  e.reset();
  Application->Minimize();
  Application->Restore();
  EXPECT_EQ(log, (std::vector<std::string>{"replacement", "application"}));
  log.clear();
  // It restores what it found when it goes: the application's own handler runs.
  Application->OnMinimize = previous;
  Application->Minimize();
  Application->Restore();
  EXPECT_EQ(log, std::vector<std::string>{"application"});
  Application->OnMinimize = nullptr;
}

TEST(AppEvents, EveryEventArrivesFromTheApplication) {
  auto form = std::make_unique<TPadForm>(nullptr);
  auto second = std::make_unique<TPadForm>(nullptr);
  second->SetLeft(400);
  form->Pad->SetHint("hint");
  form->Pad->SetShowHint(true);
  form->Show();
  ::SetForegroundWindow(form->GetHandle());
  Application->ProcessMessages();
  Application->SetHintPause(10);

  auto e = std::make_unique<TAppEvents>(nullptr);
  std::set<std::string> fired;
  auto mark = [&](const char* name) { return [&fired, name](auto&&...) { fired.insert(name); }; };
  e->OnActionExecute = mark("ActionExecute");
  e->OnActionUpdate = mark("ActionUpdate");
  e->OnShortCut = mark("ShortCut");
  e->OnActivate = mark("Activate");
  e->OnDeactivate = mark("Deactivate");
  e->OnException = mark("Exception");
  e->OnIdle = [&](TObject*, bool& done) {
    fired.insert("Idle");
    done = false;
  };
  e->OnHelp = [&](uint16_t, intptr_t, bool& callHelp) {
    fired.insert("Help");
    callHelp = false;
    return true;
  };
  e->OnHint = mark("Hint");
  e->OnMessage = mark("Message");
  e->OnMinimize = mark("Minimize");
  e->OnPaintIcon = mark("PaintIcon");
  e->OnRestore = mark("Restore");
  e->OnShowHint = mark("ShowHint");
  e->OnSettingsChanged = mark("SettingsChanged");
  e->OnActiveControlChange = mark("ActiveControlChange");
  e->OnActiveFormChange = mark("ActiveFormChange");

  TBasicAction action(nullptr);
  action.Execute();
  action.Update();
  ::PostMessageA(form->Pad->GetHandle(), WM_KEYDOWN, VK_F8, 1);  // ShortCut, Message
  Application->ProcessMessages();
  Application->AppActivation(false);
  Application->AppActivation(true);
  Application->ProcessMessages();
  ::PostMessageA(form->Pad->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  form->Pad->OnClick = [](TObject*) { throw EConvertError("click failed"); };
  ::PostMessageA(form->Pad->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  Application->ProcessMessages();
  Application->HandleMessage();  // nothing waiting: idles
  Application->HelpContext(7);
  Application->SetHint("a hint");
  Application->Minimize();
  ::RedrawWindow(Application->GetHandle(), nullptr, nullptr, RDW_INTERNALPAINT | RDW_UPDATENOW);
  Application->Restore();
  ::PostMessageA(form->Pad->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  PumpUntil([&] { return fired.count("ShowHint") > 0; }, 2000);
  ::SendMessageA(Application->GetHandle(), WM_SETTINGCHANGE, 0, 0);
  form->Pad->SetFocus();
  second->Show();
  ::SetActiveWindow(second->GetHandle());
  Application->ProcessMessages();

  const std::set<std::string> all = {
      "ActionExecute", "ActionUpdate", "ShortCut", "Activate",  "Deactivate", "Exception",
      "Idle",          "Help",         "Hint",     "Message",   "Minimize",   "PaintIcon",
      "Restore",       "ShowHint",     "SettingsChanged", "ActiveControlChange",
      "ActiveFormChange"};
  std::vector<std::string> missing;
  for (const std::string& name : all)
    if (!fired.count(name)) missing.push_back(name);
  EXPECT_TRUE(missing.empty()) << "not fired: " << ::testing::PrintToString(missing);
}

TEST(AppEvents, LoadedCopiesTheSettingsToTheApplication) {
  TAppEvents e(nullptr);
  e.SetHintColor(clAqua);
  e.SetHintPause(900);
  e.SetHintShortPause(70);
  e.SetHintHidePause(4000);
  e.SetShowHint(false);
  e.SetShowMainForm(false);
  e.SetMouseDragThreshold(9);
  e.SetBiDiMode(bdRightToLeft);
  Application->SetHintPause(500);
  e.SetHintPause(900);
  EXPECT_EQ(Application->GetHintPause(), 500);  // not before it is loaded
  e.Loaded();
  EXPECT_EQ(Application->GetHintColor(), clAqua);
  EXPECT_EQ(Application->GetHintPause(), 900);
  EXPECT_EQ(Application->GetHintShortPause(), 70);
  EXPECT_EQ(Application->GetHintHidePause(), 4000);
  EXPECT_FALSE(Application->GetShowHint());
  EXPECT_FALSE(Application->GetShowMainForm());
  EXPECT_EQ(Application->GetMouseDragThreshold(), 9);
  EXPECT_EQ(Application->GetBiDiMode(), bdRightToLeft);
}
