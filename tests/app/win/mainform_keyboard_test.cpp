// The main window under real keys through the X server: Alt shortcuts give
// the keys back to the editor (Alt alone still enters the menu bar).
#include "MainFormFixture.h"
#include "platform/win/InputSupport.h"
#include "platform/win/XInput.h"
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
