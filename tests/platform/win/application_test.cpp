// The application object's events, each brought about the way the program
// meets it (messages, keys, activation, minimizing, idling, hints), and its
// message boxes, answered by a helper thread as a user would.
#include "platform/ErrorText.h"
#include "platform/win/Actions.h"
#include "platform/win/Application.h"
#include "platform/win/HintWindow.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

class TLoggingForm : public TForm {
public:
  explicit TLoggingForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(50, 50, 200, 120);
    Pad = new TCustomControl(this);
    Pad->SetAlign(alClient);
    Pad->SetParent(this);
  }
  std::vector<UINT> Seen;
  TCustomControl* Pad;

protected:
  void WndProc(TMessage& msg) override {
    if (msg.Msg >= WM_USER && msg.Msg < WM_USER + 100) Seen.push_back(msg.Msg);
    TForm::WndProc(msg);
  }
};

void ShowNow(TForm* form) {
  form->Show();
  ::UpdateWindow(form->GetHandle());
  ::SetForegroundWindow(form->GetHandle());
  Application->ProcessMessages();
}

// Answers the next top-level window of this process that has the given
// caption (or any dialog box when caption is empty) from another thread.
class TBoxAnswerer {
public:
  using TAction = std::function<void(HWND box)>;
  TBoxAnswerer(std::string caption, TAction action)
      : FCaption(std::move(caption)), FAction(std::move(action)) {
    FThread = std::thread([this] { Run(); });
  }
  ~TBoxAnswerer() { FThread.join(); }
  std::string Caption, Text;
  std::atomic<bool> Found{false};

private:
  struct TSearch {
    TBoxAnswerer* Self;
    HWND Result;
  };
  static BOOL CALLBACK Check(HWND wnd, LPARAM data) {
    auto* s = reinterpret_cast<TSearch*>(data);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    if (pid != ::GetCurrentProcessId() || !::IsWindowVisible(wnd)) return TRUE;
    char caption[128] = {}, cls[64] = {};
    ::GetWindowTextA(wnd, caption, sizeof caption);
    ::GetClassNameA(wnd, cls, sizeof cls);
    bool match = s->Self->FCaption.empty() ? std::string(cls) == "#32770"
                                           : s->Self->FCaption == caption;
    if (!match) return TRUE;
    s->Result = wnd;
    return FALSE;
  }
  void Run() {
    for (int i = 0; i < 500 && !Found; ++i) {
      TSearch s{this, nullptr};
      ::EnumWindows(&Check, reinterpret_cast<LPARAM>(&s));
      if (s.Result) {
        char buf[512] = {};
        ::GetWindowTextA(s.Result, buf, sizeof buf);
        Caption = buf;
        ::GetDlgItemTextA(s.Result, 0xFFFF, buf, sizeof buf);  // a system box's text
        Text = buf;
        Found = true;
        FAction(s.Result);
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  std::string FCaption;
  TAction FAction;
  std::thread FThread;
};

HWND FindChildByText(HWND parent, const char* text) {
  struct T {
    const char* Text;
    HWND Found;
  } t{text, nullptr};
  ::EnumChildWindows(
      parent,
      [](HWND w, LPARAM d) -> BOOL {
        auto* t = reinterpret_cast<T*>(d);
        char buf[64] = {};
        ::GetWindowTextA(w, buf, sizeof buf);
        if (std::string(buf) != t->Text) return TRUE;
        t->Found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&t));
  return t.Found;
}

}  // namespace

TEST(Application, OnMessageSeesMessagesFirstAndCanKeepThemFromTheirWindow) {
  auto form = std::make_unique<TLoggingForm>(nullptr);
  ShowNow(form.get());
  std::vector<UINT> fromQueue;
  Application->OnMessage = [&](MSG& msg, bool& handled) {
    if (msg.message < WM_USER || msg.message >= WM_USER + 100) return;
    fromQueue.push_back(msg.message);
    handled = msg.message == WM_USER + 2;
  };
  ::PostMessageA(form->GetHandle(), WM_USER + 1, 0, 0);
  ::PostMessageA(form->GetHandle(), WM_USER + 2, 0, 0);
  Application->ProcessMessages();
  Application->OnMessage = nullptr;
  EXPECT_EQ(fromQueue, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
  EXPECT_EQ(form->Seen, std::vector<UINT>{WM_USER + 1});
}

TEST(Application, ShortCutsGoToTheFormThenTheApplicationThenTheMainForm) {
  auto* main = Application->CreateForm<TLoggingForm>();
  auto other = std::make_unique<TLoggingForm>(nullptr);
  ShowNow(main);
  ShowNow(other.get());
  std::vector<std::string> log;
  WORD eat = 0;
  other->OnShortCut = [&](TWMKey& k, bool& handled) {
    log.push_back("form");
    handled = k.CharCode == eat && eat == VK_F2;
  };
  Application->OnShortCut = [&](TWMKey& k, bool& handled) {
    log.push_back("application");
    handled = k.CharCode == eat && eat == VK_F3;
  };
  main->OnShortCut = [&](TWMKey& k, bool& handled) {
    log.push_back("main");
    handled = k.CharCode == eat && eat == VK_F4;
  };
  other->Pad->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) {
    log.push_back("control " + std::to_string(key));
  };
  for (WORD key : {VK_F2, VK_F3, VK_F4, VK_F5}) {
    eat = key;
    ::PostMessageA(other->Pad->GetHandle(), WM_KEYDOWN, key, 1);
    Application->ProcessMessages();
  }
  Application->OnShortCut = nullptr;
  EXPECT_EQ(log, (std::vector<std::string>{"form",                                     // F2
                                           "form", "application",                      // F3
                                           "form", "application", "main",              // F4
                                           "form", "application", "main", "control 116"}));
  delete main;
}

TEST(Application, IdleRunsWhenTheQueueIsEmpty) {
  int idles = 0;
  Application->OnIdle = [&](TObject* sender, bool& done) {
    EXPECT_EQ(sender, Application);
    ++idles;
    done = false;  // do not wait for a message
  };
  Application->ProcessMessages();
  Application->HandleMessage();
  Application->OnIdle = nullptr;
  EXPECT_EQ(idles, 1);
}

TEST(Application, MinimizeAndRestoreHideAndShowTheFormsAndTellTheirListeners) {
  auto* main = Application->CreateForm<TLoggingForm>();
  ShowNow(main);
  std::vector<std::string> log;
  Application->OnMinimize = [&](TObject*) { log.push_back("minimize"); };
  Application->OnRestore = [&](TObject*) { log.push_back("restore"); };
  // The main form's minimize command minimizes the application.
  ::SendMessageA(main->GetHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(Application->IsMinimized());
  EXPECT_FALSE(::IsWindowVisible(main->GetHandle()));
  Application->Minimize();  // already: nothing more
  ::SendMessageA(Application->GetHandle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(Application->IsMinimized());
  EXPECT_TRUE(::IsWindowVisible(main->GetHandle()));
  EXPECT_EQ(log, (std::vector<std::string>{"minimize", "restore"}));

  // While minimized the application window paints the icon.
  int paints = 0;
  Application->OnPaintIcon = [&](TObject* sender, ICanvas& canvas) {
    EXPECT_EQ(sender, Application);
    EXPECT_EQ(canvas.GetBrushColor(), clWindow);
    ++paints;
  };
  ::RedrawWindow(Application->GetHandle(), nullptr, nullptr, RDW_INTERNALPAINT | RDW_UPDATENOW);
  EXPECT_EQ(paints, 0);  // not minimized: nothing to paint
  Application->Minimize();
  ::RedrawWindow(Application->GetHandle(), nullptr, nullptr, RDW_INTERNALPAINT | RDW_UPDATENOW);
  Application->ProcessMessages();
  EXPECT_EQ(paints, 1);
  Application->Restore();
  Application->OnPaintIcon = nullptr;
  Application->OnMinimize = nullptr;
  Application->OnRestore = nullptr;
  delete main;
}

TEST(Application, ActivationByAnotherProgramsWindowIsReported) {
  auto form = std::make_unique<TLoggingForm>(nullptr);
  ShowNow(form.get());
  ASSERT_TRUE(PumpUntil([] { return Application->GetActive(); }));
  std::vector<std::string> log;
  Application->OnDeactivate = [&](TObject*) { log.push_back("deactivate"); };
  Application->OnActivate = [&](TObject*) { log.push_back("activate"); };
  // Another thread's window counts as another application.
  std::atomic<HWND> foreign{nullptr};
  std::atomic<bool> quit{false};
  std::thread other([&] {
    HWND w = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 400, 400, 50, 50,
                               nullptr, nullptr, nullptr, nullptr);
    foreign = w;
    while (!quit) {
      MSG m;
      while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&m);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::DestroyWindow(w);
  });
  ASSERT_TRUE(PumpUntil([&] { return foreign.load() != nullptr; }));
  ::SetForegroundWindow(foreign);
  EXPECT_TRUE(PumpUntil([&] { return !log.empty(); }));
  ::SetForegroundWindow(form->GetHandle());
  EXPECT_TRUE(PumpUntil([&] { return log.size() >= 2; }));
  quit = true;
  other.join();
  Application->OnActivate = nullptr;
  Application->OnDeactivate = nullptr;
  EXPECT_EQ(log, (std::vector<std::string>{"deactivate", "activate"}));
}

TEST(Application, ActiveFormChangesAreReported) {
  auto a = std::make_unique<TLoggingForm>(nullptr);
  auto b = std::make_unique<TLoggingForm>(nullptr);
  b->SetLeft(300);
  ShowNow(a.get());
  ShowNow(b.get());
  int changes = 0;
  Application->OnActiveFormChange = [&](TObject*) { ++changes; };
  ::SetActiveWindow(a->GetHandle());
  EXPECT_EQ(Application->GetActiveForm(), a.get());
  ::SetActiveWindow(b->GetHandle());
  EXPECT_EQ(Application->GetActiveForm(), b.get());
  Application->OnActiveFormChange = nullptr;
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(b->IsActive());
  EXPECT_FALSE(a->IsActive());
}

TEST(Application, HintsFollowTheMouse) {
  auto form = std::make_unique<TLoggingForm>(nullptr);
  form->Pad->SetHint("Short|The long hint");
  form->Pad->SetShowHint(true);
  ShowNow(form.get());
  Application->SetHintPause(20);
  std::vector<std::string> hints;
  Application->OnHint = [&](TObject*) { hints.push_back(Application->GetHint()); };
  std::string shown;
  TControl* hintControl = nullptr;
  bool allow = true;
  Application->OnShowHint = [&](std::string& text, bool& canShow, THintInfo& info) {
    shown = text;
    hintControl = info.HintControl;
    text = "Changed";
    canShow = allow;
  };
  Application->OnIdle = [](TObject*, bool& done) { done = false; };
  TPoint p = form->Pad->ClientToScreen(TPoint(20, 20));
  ::SetCursorPos(p.X, p.Y);
  ::PostMessageA(form->Pad->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  ASSERT_TRUE(PumpUntil([&] {
    Application->HandleMessage();  // idles: takes the long hint of the control under the mouse
    return !shown.empty() && !hints.empty();
  }));
  EXPECT_EQ(hints.front(), "The long hint");
  EXPECT_EQ(shown, "Short");
  EXPECT_EQ(hintControl, form->Pad);
  THintWindow* window = Application->GetHintWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->IsHintShowing());
  EXPECT_EQ(window->GetText(), "Changed");
  EXPECT_EQ(window->GetColor(), clInfoBk);
  // A key press takes it away.
  ::PostMessageA(form->Pad->GetHandle(), WM_KEYDOWN, VK_SHIFT, 1);
  Application->ProcessMessages();
  EXPECT_FALSE(window->IsHintShowing());
  // OnShowHint may refuse.
  allow = false;
  shown.clear();
  ::PostMessageA(form->Pad->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(21, 21));
  ASSERT_TRUE(PumpUntil([&] { return !shown.empty(); }));
  EXPECT_FALSE(window->IsHintShowing());
  Application->OnIdle = nullptr;
  Application->OnHint = nullptr;
  Application->OnShowHint = nullptr;
}

TEST(Application, HelpActionsAndSettingsChanges) {
  std::vector<std::string> log;
  Application->OnHelp = [&](uint16_t command, intptr_t data, bool& callHelp) {
    log.push_back("help " + std::to_string(command) + " " + std::to_string(data));
    callHelp = false;
    return true;
  };
  EXPECT_TRUE(Application->HelpContext(42));
  Application->OnHelp = nullptr;
  EXPECT_FALSE(Application->HelpContext(42));  // no handler, no help file

  TBasicAction action(nullptr);
  action.OnExecute = [&](TObject*) { log.push_back("own execute"); };
  action.OnUpdate = [&](TObject*) { log.push_back("own update"); };
  bool central = true;
  Application->OnActionExecute = [&](TBasicAction* a, bool& handled) {
    EXPECT_EQ(a, &action);
    log.push_back("central execute");
    handled = central;
  };
  Application->OnActionUpdate = [&](TBasicAction*, bool& handled) {
    log.push_back("central update");
    handled = central;
  };
  EXPECT_TRUE(action.Execute());
  EXPECT_TRUE(action.Update());
  central = false;
  EXPECT_TRUE(action.Execute());
  Application->OnActionExecute = nullptr;
  Application->OnActionUpdate = nullptr;

  Application->OnSettingsChanged = [&](TObject*) { log.push_back("settings"); };
  ::SendMessageA(Application->GetHandle(), WM_SETTINGCHANGE, 0, 0);
  Application->OnSettingsChanged = nullptr;
  EXPECT_EQ(log, (std::vector<std::string>{"help 1 42", "central execute", "central update",
                                           "central execute", "own execute", "settings"}));
}

TEST(Application, UnexpectedErrorsAreShownInAPlainBox) {
  Application->SetTitle("Tarnquill");
  std::string seen;
  auto old = Application->SetMessageBoxFunc([&](const std::string& text, const std::string& caption,
                                                unsigned flags) {
    seen = caption + "|" + text + "|" + std::to_string(flags);
    return IDOK;
  });
  ShowUnexpectedError("MainForm", 1806, "Access denied");
  Application->SetMessageBoxFunc(old);
  EXPECT_EQ(seen, "Tarnquill|" + UnexpectedErrorText("MainForm", 1806, "Access denied") + "|0");
}

TEST(Application, SystemMessageBoxesAreAnswered) {
  TBoxAnswerer answerer("", [](HWND box) {
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
  });
  int r = MessageDlg("Do you want to save this file?", mtWarning,
                     TMsgDlgButtons{mbYes, mbNo, mbCancel});
  EXPECT_TRUE(answerer.Found);
  EXPECT_EQ(r, mrNo);
  EXPECT_EQ(answerer.Caption, "Warning");
  EXPECT_EQ(answerer.Text, "Do you want to save this file?");
}

TEST(Application, MessageDlgMakesItsOwnDialogForButtonsTheSystemLacks) {
  {
    TBoxAnswerer answerer("Warning", [](HWND box) {
      HWND all = FindChildByText(box, "&All");
      if (all) ::PostMessageA(all, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(MessageDlg("Replace string 'a' with 'b'?", mtWarning,
                         TMsgDlgButtons{mbYes, mbNo, mbCancel, mbAll}),
              mrAll);
    EXPECT_TRUE(answerer.Found);
  }
  {
    // Escape means Cancel; the buttons are there in order.
    std::vector<bool> present;
    TBoxAnswerer answerer("Warning", [&](HWND box) {
      for (const char* t : {"&Yes", "&No", "Cancel", "&All"}) present.push_back(FindChildByText(box, t));
      HWND yes = FindChildByText(box, "&Yes");
      ::PostMessageA(yes, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    EXPECT_EQ(MessageDlg("Replace?", mtWarning, TMsgDlgButtons{mbYes, mbNo, mbCancel, mbAll}),
              mrCancel);
    EXPECT_EQ(present, (std::vector<bool>{true, true, true, true}));
  }
  // A test or script may answer every dialog itself.
  Application->SetMessageDlgFunc([](const std::string& text, TMsgDlgType type, TMsgDlgButtons b) {
    return b.Contains(mbAll) && type == mtWarning && text == "q" ? mrAll : mrNo;
  });
  EXPECT_EQ(MessageDlg("q", mtWarning, TMsgDlgButtons{mbYes, mbAll}), mrAll);
  Application->SetMessageDlgFunc(nullptr);
}

TEST(Application, AHintShownLongEnoughStaysAwayWhileTheMouseStaysOnItsControl) {
  auto form = std::make_unique<TLoggingForm>(nullptr);
  form->Pad->SetHint("Tip");
  form->Pad->SetShowHint(true);
  ShowNow(form.get());
  Application->SetHintPause(10);
  Application->SetHintHidePause(60);
  int shows = 0;
  Application->OnShowHint = [&](std::string&, bool&, THintInfo&) { ++shows; };
  ::PostMessageA(form->Pad->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  ASSERT_TRUE(PumpUntil([&] { return shows == 1; }));
  THintWindow* window = Application->GetHintWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->IsHintShowing());
  EXPECT_TRUE(PumpUntil([&] { return !window->IsHintShowing(); }));
  ::PostMessageA(form->Pad->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(22, 22));
  PumpFor(100);
  EXPECT_EQ(shows, 1);
  EXPECT_FALSE(window->IsHintShowing());
  Application->OnShowHint = nullptr;
  Application->SetHintHidePause(2500);
}
