// The main window under real keys through the X server: Alt shortcuts give
// the keys back to the editor (Alt alone still enters the menu bar).
#include "../../win/MainFormFixture.h"
#include "platform/win/InputSupport.h"
#include "platform/win/XInput.h"
#include "kit/win/MenuBar.h"
#include "platform/win/Menus.h"
#include "platform/win/ToolWin.h"
#include "platform/win/WindowCapture.h"

TQ_TEST_APPLICATION();

namespace {

class MainFormKeyboard : public MainFormCase {
protected:
  void Front() {
    ::SetForegroundWindow(Form->GetHandle());
    ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == Form->GetHandle(); }));
  }
  std::string FirstLine() { return Docs().CurrentEditor()->GetLines()->Get(0); }
  static bool InMenuMode() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetCurrentThreadId(), &info) &&
           (info.flags & (GUI_INMENUMODE | GUI_SYSTEMMENUMODE | GUI_POPUPMENUMODE)) != 0;
  }
};

TEST_F(MainFormKeyboard, AnAltShortcutLeavesNoMenuModeAndTheNextKeysAreTyped) {
  Open();
  Docs().FileNew();
  Docs().FileNew();
  Form->SetActivePageIndex(0);
  Front();
  ::SetFocus(EditorWnd());
  // A menu left active would hold the test in its loop: end it after a
  // while, so the checks fail instead of the test hanging.
  RunLater(5000, [] {
    if (InMenuMode()) ::EndMenu();
  });
  RunX("key --delay 50 alt+2 a b");
  ASSERT_TRUE(PumpUntil([&] { return Form->GetActivePageIndex() == 1 && FirstLine() == "ab"; }, 8000))
      << "tab " << Form->GetActivePageIndex() << ", text \"" << FirstLine() << "\"";
  EXPECT_FALSE(InMenuMode());
  SaveWindowCapture(Form->GetHandle(), "mainform_after_alt_shortcut");

  // Alt alone still enters the menu bar; Esc leaves it.
  bool entered = false;
  RunLater(200, [&] {
    entered = InMenuMode();
    SendKey(VK_ESCAPE);
    SendKey(VK_ESCAPE);
  });
  SendKey(VK_MENU);
  ASSERT_TRUE(PumpUntil([&] { return entered; }));
  ASSERT_TRUE(PumpUntil([&] { return !InMenuMode(); }));
  Docs().CurrentEditor()->SetModified(false);
  Form->SetActivePageIndex(0);
  Docs().CurrentEditor()->SetModified(false);
}

}  // namespace

namespace {

// The menu open now (its handle), once one opens; it is closed again.
HMENU OpenedMenu(const std::string& keys) {
  HMENU opened = nullptr;
  bool done = false;
  WhenMenuOpen([&] {
    HWND wnd = ::FindWindowA("#32768", nullptr);
    if (wnd) opened = reinterpret_cast<HMENU>(::SendMessageA(wnd, 0x01E1 /* MN_GETHMENU */, 0, 0));
    ::EndMenu();
    done = true;
  });
  RunX(keys);
  PumpUntil([&] { return done; }, 8000);
  return opened;
}

TEST_F(MainFormKeyboard, WithTheBigBarF10AndAltAloneReachTheMenusByKeys) {
  Open();
  Docs().FileNew();
  const bool panels[6] = {true, true, true, true, true, true};
  Form->ShowToolBar(2, panels);
  Front();
  ::SetFocus(EditorWnd());
  TMenuBar* bar = Form->GetMenuBar();
  ASSERT_GE(bar->GetButtonCount(), 2);
  const HMENU file = bar->GetButton(0)->GetMenuItem()->GetHandle();
  const HMENU edit = bar->GetButton(1)->GetMenuItem()->GetHandle();
  EXPECT_EQ(OpenedMenu("key --delay 80 F10 Right Down"), edit);
  SaveWindowCapture(Form->GetHandle(), "mainform_big_bar_menu_keys");
  EXPECT_EQ(OpenedMenu("key --delay 80 alt Return"), file);
  // Esc leaves the mode: the next keys are typed again.
  RunX("key --delay 80 F10 Escape x");
  EXPECT_TRUE(PumpUntil([&] { return FirstLine() == "x"; }, 8000)) << FirstLine();
  Docs().CurrentEditor()->SetModified(false);
}

}  // namespace
