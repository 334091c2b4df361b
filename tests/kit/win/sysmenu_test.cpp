// The window-menu extension on Wine's real window menu: the entries it
// mirrors, commands and shortcuts, and removing exactly what it added.
#include "kit/win/FisSysMenu.h"

#include "kit/win/RxHook.h"
#include "platform/win/Forms.h"
#include "platform/win/InputSupport.h"
#include "platform/win/Menus.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

std::vector<std::string> MenuTexts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    char text[256] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    texts.push_back(text);
  }
  return texts;
}

UINT StateAt(HMENU menu, int pos) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE | MIIM_FTYPE;
  ::GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &info);
  return info.fState | info.fType;
}

struct SysMenu : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    form->HandleNeeded();
    popup = new TPopupMenu(form.get());
    stay = AddItem(popup->GetItems(), "&Stay on top");
    stay->SetShortCut(ShortCut('T', TShiftState{ssCtrl}));
    stay->OnClick = [this](TObject*) {
      ++stayClicks;
      stay->SetChecked(!stay->GetChecked());
    };
    AddItem(popup->GetItems(), "-");
    gone = AddItem(popup->GetItems(), "Gone");
    gone->SetEnabled(false);
    sub = AddItem(popup->GetItems(), "&Windows");
    inner = AddItem(sub, "Next");
    inner->OnClick = [this](TObject*) { ++innerClicks; };
    standard = MenuTexts(::GetSystemMenu(form->GetHandle(), FALSE));
  }
  TMenuItem* AddItem(TMenuItem* parent, const char* caption) {
    auto* item = new TMenuItem(form.get());
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }
  HMENU WindowMenu() { return ::GetSystemMenu(form->GetHandle(), FALSE); }

  std::unique_ptr<TForm> form;
  TPopupMenu* popup = nullptr;
  TMenuItem *stay = nullptr, *gone = nullptr, *sub = nullptr, *inner = nullptr;
  int stayClicks = 0, innerClicks = 0;
  std::vector<std::string> standard;
};

TEST_F(SysMenu, MirrorsThePopupBelowASeparator) {
  ASSERT_GE(standard.size(), 7u);
  auto* ext = new TfisSysMenu(form.get());
  ext->SetMenu(popup);
  const auto texts = MenuTexts(WindowMenu());
  ASSERT_EQ(texts.size(), standard.size() + 5);
  const size_t n = standard.size();
  EXPECT_EQ(texts[n], "");  // our separator
  EXPECT_EQ(::GetMenuItemID(WindowMenu(), static_cast<int>(n)), kSysMenuSeparatorId);
  EXPECT_EQ(texts[n + 1], "&Stay on top\tCtrl+T");
  EXPECT_EQ(::GetMenuItemID(WindowMenu(), static_cast<int>(n + 1)), stay->GetCommand());
  EXPECT_TRUE(StateAt(WindowMenu(), static_cast<int>(n + 2)) & MFT_SEPARATOR);
  EXPECT_EQ(texts[n + 3], "Gone");
  EXPECT_TRUE(StateAt(WindowMenu(), static_cast<int>(n + 3)) & MFS_GRAYED);
  EXPECT_EQ(texts[n + 4], "&Windows");
  HMENU own = ::GetSubMenu(WindowMenu(), static_cast<int>(n + 4));
  ASSERT_NE(own, nullptr);
  EXPECT_NE(own, sub->GetHandle()) << "a sub-menu of its own";
  EXPECT_EQ(MenuTexts(own), std::vector<std::string>{"Next"});
  // A second one on the form is refused.
  try {
    new TfisSysMenu(form.get());
    ADD_FAILURE();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "Only one instance allowed");
  }
}

TEST_F(SysMenu, ACommandRunsTheItemAndShowsItsNewCheck) {
  auto* ext = new TfisSysMenu(form.get());
  ext->SetMenu(popup);
  const int pos = static_cast<int>(standard.size() + 1);
  EXPECT_FALSE(StateAt(WindowMenu(), pos) & MFS_CHECKED);
  ::SendMessageA(form->GetHandle(), WM_SYSCOMMAND, stay->GetCommand(), 0);
  EXPECT_EQ(stayClicks, 1);
  EXPECT_TRUE(StateAt(WindowMenu(), pos) & MFS_CHECKED);
  ::SendMessageA(form->GetHandle(), WM_SYSCOMMAND, inner->GetCommand(), 0);
  EXPECT_EQ(innerClicks, 1);
  // A greyed item does not run; a radio item's check is a radio mark.
  ::SendMessageA(form->GetHandle(), WM_SYSCOMMAND, gone->GetCommand(), 0);
  stay->SetRadioItem(true);
  ext->Rebuild();
  EXPECT_TRUE(StateAt(WindowMenu(), pos) & MFT_RADIOCHECK);
}

TEST_F(SysMenu, ShortcutsWorkWhileTheFormIsActive) {
  auto* ext = new TfisSysMenu(form.get());
  ext->SetMenu(popup);
  form->Show();
  ::SetForegroundWindow(form->GetHandle());
  ASSERT_TRUE(PumpUntil([&] { return Screen->GetActiveForm() == form.get(); }));
  SendKey('T', {VK_CONTROL});
  PumpUntil([&] { return stayClicks > 0; }, 1000);
  EXPECT_EQ(stayClicks, 1);
  EXPECT_TRUE(StateAt(WindowMenu(), static_cast<int>(standard.size() + 1)) & MFS_CHECKED);
  // Other keys run nothing and leave the entries as they are (a rebuild
  // would give the sub-menu entry a new menu of its own).
  const int subPos = static_cast<int>(standard.size() + 4);
  HMENU before = ::GetSubMenu(WindowMenu(), subPos);
  SendKey('Q', {VK_CONTROL});
  SendKey('A');
  PumpFor(50);
  EXPECT_EQ(stayClicks, 1);
  EXPECT_EQ(::GetSubMenu(WindowMenu(), subPos), before);
}

TEST_F(SysMenu, RemovingLeavesTheSystemsAndOtherEntries) {
  auto* ext = new TfisSysMenu(form.get());
  ext->SetMenu(popup);
  // Another program part adds its own entry after ours.
  ::AppendMenuA(WindowMenu(), MF_STRING, 0x3300, "Someone else's");
  ext->SetEnabled(false);
  auto expected = standard;
  expected.push_back("Someone else's");
  EXPECT_EQ(MenuTexts(WindowMenu()), expected);
  ext->SetEnabled(true);
  ext->SetEnabled(false);
  EXPECT_EQ(MenuTexts(WindowMenu()), expected);
  // Wine's own last entry is still there.
  EXPECT_NE(std::find(standard.begin(), standard.end(), "&About Wine"), standard.end());
}

TEST_F(SysMenu, ThePopupsSubMenuSurvivesTheComponent) {
  auto* ext = new TfisSysMenu(form.get());
  ext->SetMenu(popup);
  HMENU subHandle = sub->GetHandle();
  ext->SetEnabled(false);
  EXPECT_TRUE(::IsMenu(subHandle));
  ext->SetEnabled(true);
  delete ext;
  EXPECT_TRUE(::IsMenu(subHandle));
  EXPECT_EQ(MenuTexts(WindowMenu()), standard);
  // The popup still opens with its sub-menu.
  bool opened = false;
  WhenMenuOpen([&] {
    opened = OpenMenuWindow() != nullptr;
    SendKey(VK_ESCAPE);
  });
  form->Show();
  popup->Popup(150, 150);
  PumpFor(50);
  EXPECT_TRUE(opened);
  EXPECT_EQ(::GetMenuItemCount(sub->GetHandle()), 1);
}

TEST_F(SysMenu, AFreedPopupTakesItsEntries) {
  auto* ext = new TfisSysMenu(form.get());
  ext->SetMenu(popup);
  delete popup;
  EXPECT_EQ(ext->GetMenu(), nullptr);
  EXPECT_EQ(MenuTexts(WindowMenu()), standard);
}

TEST_F(SysMenu, AHookAddedLaterStaysWhenTheComponentGoes) {
  auto* ext = new TfisSysMenu(form.get());
  ext->SetMenu(popup);
  int seen = 0;
  auto* later = new TRxWindowHook(form.get());
  later->BeforeMessage = [&](TObject*, TMessage& m, bool&) {
    if (m.Msg == WM_USER + 5) ++seen;
  };
  later->SetWinControl(form.get());
  delete ext;
  ::SendMessageA(form->GetHandle(), WM_USER + 5, 0, 0);
  EXPECT_EQ(seen, 1);
  // And after the form's window menu lost our entries, commands do nothing.
  ::SendMessageA(form->GetHandle(), WM_SYSCOMMAND, stay->GetCommand(), 0);
  EXPECT_EQ(stayClicks, 0);
}

// A form made hidden, whose window waits for its first showing: the entries
// and their commands come with the window, and the component makes none.
class TLateForm : public TForm {
public:
  using TForm::TForm;
  TfisSysMenu* Ext = nullptr;

protected:
  void CreateWnd() override {
    TForm::CreateWnd();
    if (Ext) Ext->FormWindowCreated();
  }
};

TEST(SysMenuOnALateWindow, EntriesAndCommandsComeWithTheFormsWindow) {
  TLateForm form(nullptr);
  auto* popup = new TPopupMenu(&form);
  auto* run = new TMenuItem(&form);
  run->SetCaption("&Run");
  int clicks = 0;
  run->OnClick = [&](TObject*) { ++clicks; };
  popup->GetItems()->Add(run);
  form.Ext = new TfisSysMenu(&form, true);
  form.Ext->SetMenu(popup);
  EXPECT_FALSE(form.HandleAllocated());
  form.HandleNeeded();
  const auto texts = MenuTexts(::GetSystemMenu(form.GetHandle(), FALSE));
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[texts.size() - 2], "");
  EXPECT_EQ(texts.back(), "&Run");
  ::SendMessageA(form.GetHandle(), WM_SYSCOMMAND, run->GetCommand(), 0);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
