// The menu bar: one caption button per top-level item, rebound when the
// menu changes, emptied when the menu goes.
#include "kit/win/MenuBar.h"

#include "platform/win/Forms.h"
#include "platform/win/InputSupport.h"
#include "platform/win/Menus.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

struct MenuBar : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 400, 200);
    menu = new TMainMenu(form.get());
    for (const char* c : {"&File", "&Edit", "&View", "&Help"}) {
      auto* item = new TMenuItem(form.get());
      item->SetCaption(c);
      menu->GetItems()->Add(item);
      for (const char* s : {"One", "Two"}) {
        auto* subItem = new TMenuItem(form.get());
        subItem->SetCaption(s);
        item->Add(subItem);
      }
    }
    bar = new TMenuBar(form.get());
    bar->SetParent(form.get());
    bar->SetAlign(alTop);
  }
  std::vector<std::string> Captions() {
    std::vector<std::string> c;
    for (int i = 0; i < bar->GetButtonCount(); ++i) c.push_back(bar->GetButton(i)->GetCaption());
    return c;
  }
  std::unique_ptr<TForm> form;
  TMainMenu* menu = nullptr;
  TMenuBar* bar = nullptr;
};

TEST_F(MenuBar, OneButtonPerTopLevelItem) {
  EXPECT_TRUE(bar->GetFlat());
  EXPECT_TRUE(bar->GetShowCaptions());
  bar->SetMenu(menu);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"&File", "&Edit", "&View", "&Help"}));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(bar->GetButton(i)->GetMenuItem(), menu->GetItems()->GetItem(i));
  // The same menu again changes nothing.
  TToolButton* first = bar->GetButton(0);
  bar->SetMenu(menu);
  EXPECT_EQ(bar->GetButton(0), first);
  // Rebinding shows new captions (a language file changed them).
  menu->GetItems()->GetItem(0)->SetCaption("&Datei");
  bar->SetMenu(nullptr);
  EXPECT_EQ(bar->GetButtonCount(), 0);
  bar->SetMenu(menu);
  EXPECT_EQ(Captions()[0], "&Datei");
}

TEST_F(MenuBar, AButtonDropsItsItemsSubMenu) {
  bar->SetMenu(menu);
  form->Show();
  ::SetForegroundWindow(form->GetHandle());
  PumpFor(50);
  int items = -1;
  WhenMenuOpen([&] {
    HWND m = OpenMenuWindow();
    HMENU shown = reinterpret_cast<HMENU>(::SendMessageA(m, 0x01E1 /* MN_GETHMENU */, 0, 0));
    items = ::GetMenuItemCount(shown);
    SendKey(VK_ESCAPE);
  });
  bar->DropDown(bar->GetButton(1));
  EXPECT_EQ(items, 2);
}

TEST_F(MenuBar, AFreedMenuLeavesAnEmptyBar) {
  bar->SetMenu(menu);
  delete menu;
  EXPECT_EQ(bar->GetMenu(), nullptr);
  EXPECT_EQ(bar->GetButtonCount(), 0);
}

}  // namespace

namespace {

BYTE WindowStyleOf(TToolBar* bar, int index) {
  TBBUTTON b{};
  ::SendMessageA(bar->GetHandle(), TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&b));
  return b.fsStyle;
}

}  // namespace

// The buttons size to their captions and form one group; the bar draws no edges.
TEST_F(MenuBar, ButtonsSizeToTheirCaptionsAsOneGroup) {
  menu->GetItems()->GetItem(3)->SetCaption("&Help and everything about it");
  bar->SetMenu(menu);
  form->Show();
  EXPECT_EQ(bar->GetEdgeBorders(), 0u);
  for (int i = 0; i < bar->GetButtonCount(); ++i) {
    EXPECT_TRUE(bar->GetButton(i)->GetAutoSize()) << i;
    EXPECT_TRUE(bar->GetButton(i)->GetGrouped()) << i;
    EXPECT_EQ(WindowStyleOf(bar, i) & (BTNS_AUTOSIZE | BTNS_GROUP), BTNS_AUTOSIZE | BTNS_GROUP) << i;
  }
  EXPECT_GT(bar->GetButtonRect(3).Width(), 2 * bar->GetButtonRect(1).Width());
}
