// Window hooks on real windows: the order in which chained hooks see a
// message, stopping, removal in any order (also under a later subclasser),
// and windows that are made again.
#include "kit/win/RxHook.h"

#include "platform/win/Forms.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

constexpr UINT kPing = WM_USER + 7;

std::vector<std::string>* gLog = nullptr;

// A form that writes down the messages it handles itself.
class THookedForm : public TForm {
public:
  explicit THookedForm(TComponent* owner) : TForm(owner) { SetBorderStyle(bsNone); }

protected:
  void WndProc(TMessage& msg) override {
    if (msg.Msg == kPing) {
      if (gLog) gLog->push_back("form");
      msg.Result = 100;
      return;
    }
    if (msg.Msg == WM_DESTROY && gLog) gLog->push_back("form destroy");
    TForm::WndProc(msg);
  }
};

TRxWindowHook* MakeHook(TComponent* owner, TWinControl* control, const std::string& name,
                        std::vector<std::string>& log, UINT stopBefore = 0, UINT stopAfter = 0) {
  auto* h = new TRxWindowHook(owner);
  h->BeforeMessage = [&log, name, stopBefore](TObject*, TMessage& m, bool& handled) {
    if (m.Msg != kPing && m.Msg != WM_DESTROY) return;
    log.push_back(name + " before");
    if (m.Msg == stopBefore) {
      handled = true;
      m.Result = 7;
    }
  };
  h->AfterMessage = [&log, name, stopAfter](TObject*, TMessage& m, bool& handled) {
    if (m.Msg != kPing) return;
    log.push_back(name + " after " + std::to_string(m.Result));
    if (m.Msg == stopAfter) handled = true;
  };
  h->SetWinControl(control);
  return h;
}

WNDPROC ProcOf(HWND wnd) { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(wnd, GWLP_WNDPROC)); }

// Another part of a program subclassing the window after our hooks did.
WNDPROC gForeignPrev = nullptr;
int gForeignCalls = 0;
LRESULT CALLBACK ForeignProc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == kPing) ++gForeignCalls;
  return ::CallWindowProcA(gForeignPrev, wnd, msg, w, l);
}

class RxHook : public ::testing::Test {
protected:
  void SetUp() override {
    gLog = &Log;
    Form = std::make_unique<THookedForm>(nullptr);
  }
  void TearDown() override {
    Form.reset();
    Application->ProcessMessages();  // lets the hook list free what it holds
    gLog = nullptr;
    EXPECT_EQ(WindowHookControlCount(), 0);
    EXPECT_EQ(WindowHookInstallCount(), 0);
  }
  LRESULT Ping() { return ::SendMessageA(Form->GetHandle(), kPing, 0, 0); }

  std::vector<std::string> Log;
  std::unique_ptr<THookedForm> Form;
};

}  // namespace

TEST_F(RxHook, NewestHookSeesMessagesFirstBeforeAndAfterTheControl) {
  MakeHook(Form.get(), Form.get(), "A", Log);
  MakeHook(Form.get(), Form.get(), "B", Log);
  EXPECT_EQ(Ping(), 100);
  EXPECT_EQ(Log, (std::vector<std::string>{"B before", "A before", "form", "B after 100",
                                           "A after 100"}));
  EXPECT_EQ(WindowHookControlCount(), 1);  // one control hook, shared
  EXPECT_EQ(WindowHookInstallCount(), 1);
}

TEST_F(RxHook, HandledStopsOlderHooksAndTheControlButNotDestroy) {
  MakeHook(Form.get(), Form.get(), "A", Log);
  MakeHook(Form.get(), Form.get(), "B", Log, kPing);
  EXPECT_EQ(Ping(), 7);
  EXPECT_EQ(Log, std::vector<std::string>{"B before"});
  Log.clear();
  // An after handler stops the older after handlers.
  Form = std::make_unique<THookedForm>(nullptr);
  MakeHook(Form.get(), Form.get(), "A", Log);
  MakeHook(Form.get(), Form.get(), "B", Log, 0, kPing);
  EXPECT_EQ(Ping(), 100);
  EXPECT_EQ(Log, (std::vector<std::string>{"B before", "A before", "form", "B after 100"}));
  Log.clear();
  // WM_DESTROY reaches the form even when a hook says it handled it.
  auto* h = MakeHook(nullptr, Form.get(), "C", Log, WM_DESTROY);
  Form->SetBorderStyle(bsSingle);  // destroys the window and makes a new one
  EXPECT_EQ(Log, (std::vector<std::string>{"C before", "form destroy"}));
  Form.reset();
  EXPECT_EQ(h->GetWinControl(), nullptr);  // the control went: the hook forgets it
  delete h;
}

TEST_F(RxHook, HooksComeOffInAnyOrder) {
  HWND wnd = Form->GetHandle();
  WNDPROC original = ProcOf(wnd);
  const std::vector<std::vector<int>> orders = {{0, 1, 2}, {2, 1, 0}, {1, 0, 2}, {1, 2, 0}};
  for (const auto& order : orders) {
    std::vector<TRxWindowHook*> hooks = {MakeHook(nullptr, Form.get(), "A", Log),
                                         MakeHook(nullptr, Form.get(), "B", Log),
                                         MakeHook(nullptr, Form.get(), "C", Log)};
    std::vector<std::string> names = {"A", "B", "C"};
    std::vector<bool> alive = {true, true, true};
    for (int victim : order) {
      delete hooks[victim];
      alive[victim] = false;
      Log.clear();
      EXPECT_EQ(Ping(), 100);
      std::vector<std::string> expected;
      for (int i = 2; i >= 0; --i)
        if (alive[i]) expected.push_back(names[i] + " before");
      expected.push_back("form");
      for (int i = 2; i >= 0; --i)
        if (alive[i]) expected.push_back(names[i] + " after 100");
      EXPECT_EQ(Log, expected);
    }
    EXPECT_EQ(ProcOf(wnd), original);  // our procedure is out of the chain
    Application->ProcessMessages();
    EXPECT_EQ(WindowHookControlCount(), 0);
    EXPECT_EQ(WindowHookInstallCount(), 0);
  }
}

TEST_F(RxHook, ALaterSubclasserKeepsOurProcedureAsAPassThroughUntilItLeaves) {
  HWND wnd = Form->GetHandle();
  WNDPROC original = ProcOf(wnd);
  auto* a = MakeHook(nullptr, Form.get(), "A", Log);
  gForeignCalls = 0;
  gForeignPrev = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
  delete a;
  Application->ProcessMessages();
  // We cannot step out from under the subclasser; messages still flow and no
  // hook handler runs.
  EXPECT_EQ(ProcOf(wnd), &ForeignProc);
  Log.clear();
  EXPECT_EQ(Ping(), 100);
  EXPECT_EQ(Log, std::vector<std::string>{"form"});
  EXPECT_EQ(gForeignCalls, 1);
  EXPECT_EQ(WindowHookInstallCount(), 1);

  // A new hook takes over the pass-through instead of chaining a second time.
  auto* b = MakeHook(nullptr, Form.get(), "B", Log);
  EXPECT_EQ(WindowHookInstallCount(), 1);
  Log.clear();
  EXPECT_EQ(Ping(), 100);
  EXPECT_EQ(Log, (std::vector<std::string>{"B before", "form", "B after 100"}));
  delete b;

  // The subclasser leaves; our pass-through follows at the next message.
  ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gForeignPrev));
  EXPECT_EQ(Ping(), 100);
  EXPECT_EQ(ProcOf(wnd), original);
  Application->ProcessMessages();
  EXPECT_EQ(WindowHookInstallCount(), 0);
  EXPECT_EQ(Ping(), 100);
}

TEST_F(RxHook, AWindowDestroyedUnderAPassThroughFreesIt) {
  HWND wnd = Form->GetHandle();
  auto* a = MakeHook(nullptr, Form.get(), "A", Log);
  gForeignPrev = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
  delete a;
  EXPECT_EQ(WindowHookInstallCount(), 1);
  Form.reset();  // TearDown checks that nothing is left
}

TEST_F(RxHook, ARecreatedWindowIsHookedAgain) {
  MakeHook(Form.get(), Form.get(), "A", Log);
  HWND first = Form->GetHandle();
  Form->SetBorderStyle(bsSingle);  // needs a new window
  HWND second = Form->GetHandle();
  ASSERT_NE(first, second);
  Application->ProcessMessages();  // the hook list hooks the new window
  Log.clear();
  EXPECT_EQ(Ping(), 100);
  EXPECT_EQ(Log, (std::vector<std::string>{"A before", "form", "A after 100"}));
  EXPECT_EQ(WindowHookInstallCount(), 1);
}

TEST_F(RxHook, ActivationMakesTheWindowAndInactiveHooksSeeNothing) {
  auto child = new TCustomControl(Form.get());
  child->SetParent(Form.get());
  EXPECT_FALSE(child->HandleAllocated());
  auto* h = MakeHook(Form.get(), child, "child", Log);
  EXPECT_TRUE(child->HandleAllocated());
  EXPECT_EQ(::SendMessageA(child->GetHandle(), kPing, 0, 0), 0);
  EXPECT_EQ(Log, (std::vector<std::string>{"child before", "child after 0"}));
  Log.clear();
  h->SetActive(false);
  ::SendMessageA(child->GetHandle(), kPing, 0, 0);
  EXPECT_TRUE(Log.empty());
  h->SetActive(true);
  ::SendMessageA(child->GetHandle(), kPing, 0, 0);
  EXPECT_EQ(Log.size(), 2u);
  // Moved to another control: the first is left alone.
  Log.clear();
  h->SetWinControl(Form.get());
  ::SendMessageA(child->GetHandle(), kPing, 0, 0);
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(Ping(), 100);
  EXPECT_EQ(Log.size(), 3u);
}

TEST_F(RxHook, ALoadedHookWithoutControlHooksItsOwnerForm) {
  auto* h = new TRxWindowHook(Form.get());
  h->BeforeMessage = [&](TObject* sender, TMessage& m, bool&) {
    if (m.Msg == kPing) Log.push_back(sender == h ? "owner form hooked" : "?");
  };
  EXPECT_EQ(h->GetWinControl(), nullptr);
  h->Loaded();
  EXPECT_EQ(h->GetWinControl(), Form.get());
  Ping();
  EXPECT_EQ(Log, (std::vector<std::string>{"owner form hooked", "form"}));
}

TEST_F(RxHook, AHandlerMayRemoveHooksWhileAMessageIsUnderWay) {
  TRxWindowHook* a = MakeHook(nullptr, Form.get(), "A", Log);
  auto* b = new TRxWindowHook(nullptr);
  b->SetWinControl(Form.get());
  b->BeforeMessage = [&](TObject*, TMessage& m, bool&) {
    if (m.Msg != kPing) return;
    Log.push_back("B removes A and itself");
    delete a;
    a = nullptr;
    b->SetActive(false);
  };
  EXPECT_EQ(Ping(), 100);
  EXPECT_EQ(Log, (std::vector<std::string>{"B removes A and itself", "form"}));
  delete b;
}

TEST_F(RxHook, AControlThatCannotHaveAWindowLeavesTheHookDetached) {
  auto* orphan = new TCustomControl(Form.get());  // no parent: no window possible
  auto* h = new TRxWindowHook(Form.get());
  EXPECT_THROW(h->SetWinControl(orphan), EComponentError);
  EXPECT_EQ(h->GetWinControl(), orphan);
  Application->ProcessMessages();
  EXPECT_EQ(WindowHookControlCount(), 0);
  // Once it has a parent the hook can be activated.
  orphan->SetParent(Form.get());
  h->SetActive(false);
  h->SetActive(true);
  EXPECT_TRUE(orphan->HandleAllocated());
  EXPECT_EQ(WindowHookInstallCount(), 1);
}
