// Menus and actions in real windows: the menu bar follows its items, pop-up
// menus run what keys choose, shortcuts go to the form's menu, the focused
// control's pop-up menus and the action lists in that order, and linked
// items follow their actions.
#include "platform/ShortCuts.h"
#include "platform/TypInfo.h"
#include "platform/win/Actions.h"
#include "platform/win/Application.h"
#include "platform/win/Forms.h"
#include "platform/win/Menus.h"
#include "platform/win/InputSupport.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

class TTestBox : public TCustomControl {
public:
  explicit TTestBox(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
};

class TMenuTestForm : public TForm {
public:
  explicit TMenuTestForm(TComponent* owner) : TForm(owner) {
    SetCaption("Menu test form");
    SetBounds(60, 60, 360, 260);
    Panel = new TTestBox(this);
    Panel->SetName("Panel");
    Panel->SetAlign(alClient);
    Panel->SetParent(this);
    Box = new TTestBox(this);
    Box->SetName("Box");
    Box->SetBounds(20, 20, 120, 80);
    Box->SetParent(Panel);
  }
  TTestBox* Panel;
  TTestBox* Box;
};

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const char* name, const char* caption) {
  auto* item = new TMenuItem(owner);
  item->SetName(name);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

std::string EntryText(HMENU menu, UINT pos) {
  char text[256] = {};
  ::GetMenuStringA(menu, pos, text, sizeof text, MF_BYPOSITION);
  return text;
}

std::vector<std::string> EntryTexts(HMENU menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) texts.push_back(EntryText(menu, UINT(i)));
  return texts;
}

class MenuTest : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TMenuTestForm(Application);
    Form->Show();
    ::SetForegroundWindow(Form->GetHandle());
    Form->Box->SetFocus();
    Application->ProcessMessages();
  }
  void TearDown() override {
    delete Form;
    Application->ProcessMessages();
  }
  TMenuTestForm* Form = nullptr;
};

TEST_F(MenuTest, TheMenuBarShowsItemsMadeBeforeItAndFollowsEveryChange) {
  auto form = std::make_unique<TMenuTestForm>(nullptr);
  auto* menu = new TMainMenu(form.get());
  TMenuItem* file = NewItem(form.get(), menu->GetItems(), "FileMenu", "&File");
  TMenuItem* open = NewItem(form.get(), file, "OpenItem", "&Open");
  open->SetShortCut(scCtrl | 'O');
  TMenuItem* save = NewItem(form.get(), file, "SaveItem", "&Save");
  save->SetChecked(true);
  form->SetMenu(menu);
  form->Show();

  HMENU bar = ::GetMenu(form->GetHandle());
  ASSERT_EQ(bar, menu->GetHandle());
  EXPECT_EQ(EntryTexts(bar), (std::vector<std::string>{"&File"}));
  HMENU sub = ::GetSubMenu(bar, 0);
  ASSERT_EQ(sub, file->GetHandle());
  EXPECT_EQ(EntryTexts(sub), (std::vector<std::string>{"&Open\tCtrl+O", "&Save"}));
  EXPECT_TRUE(::GetMenuState(sub, 1, MF_BYPOSITION) & MF_CHECKED);

  // Stored settings and language files reach items by name.
  SetPropText(form->FindComponent("OpenItem"), "Caption", "&Load");
  SetPropText(form->FindComponent("SaveItem"), "Enabled", "False");
  EXPECT_EQ(EntryText(sub, 0), "&Load\tCtrl+O");
  EXPECT_TRUE(::GetMenuState(sub, 1, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(GetPropText(save, "Checked"), "True");

  // Items come, go and hide at run time.
  auto* fresh = new TMenuItem(form.get());
  fresh->SetName("NewItem");
  fresh->SetCaption("&New");
  file->Insert(0, fresh);
  EXPECT_EQ(EntryTexts(sub), (std::vector<std::string>{"&New", "&Load\tCtrl+O", "&Save"}));
  save->SetVisible(false);
  EXPECT_EQ(EntryTexts(sub), (std::vector<std::string>{"&New", "&Load\tCtrl+O"}));
  save->SetCaption("Save &All");  // a hidden item changes without showing
  EXPECT_EQ(EntryTexts(sub), (std::vector<std::string>{"&New", "&Load\tCtrl+O"}));
  file->Delete(0);
  EXPECT_EQ(form->FindComponent("NewItem"), nullptr);
  save->SetVisible(true);
  EXPECT_EQ(EntryTexts(sub), (std::vector<std::string>{"&Load\tCtrl+O", "Save &All"}));

  // A window made anew shows the same bar.
  form->RecreateWnd();
  ASSERT_EQ(::GetMenu(form->GetHandle()), menu->GetHandle());
  EXPECT_EQ(EntryTexts(::GetSubMenu(::GetMenu(form->GetHandle()), 0)),
            (std::vector<std::string>{"&Load\tCtrl+O", "Save &All"}));

  // The window's menu command runs the item.
  int clicks = 0;
  open->OnClick = [&](TObject*) { ++clicks; };
  ::SendMessageA(form->GetHandle(), WM_COMMAND, open->GetCommand(), 0);
  EXPECT_EQ(clicks, 1);

  // Freeing the menu takes the bar away; the form forgets it.
  delete menu;
  EXPECT_EQ(form->GetMenu(), nullptr);
  EXPECT_EQ(::GetMenu(form->GetHandle()), nullptr);
}

TEST_F(MenuTest, RadioItemsOfAGroupCheckOneAtATime) {
  auto* popup = new TPopupMenu(Form);
  TMenuItem* a = NewItem(Form, popup->GetItems(), "A", "A");
  TMenuItem* b = NewItem(Form, popup->GetItems(), "B", "B");
  TMenuItem* c = NewItem(Form, popup->GetItems(), "C", "C");
  TMenuItem* other = NewItem(Form, popup->GetItems(), "Other", "Other");
  for (TMenuItem* item : {a, b, c, other}) item->SetRadioItem(true);
  other->SetGroupIndex(1);
  other->SetChecked(true);
  a->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->GetChecked());
  EXPECT_TRUE(b->GetChecked());
  EXPECT_FALSE(c->GetChecked());
  EXPECT_TRUE(other->GetChecked());  // another group
  HMENU menu = popup->GetHandle();
  EXPECT_TRUE(::GetMenuState(menu, 1, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_FALSE(::GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED);
}

TEST_F(MenuTest, APopupItemChosenByKeysRunsAfterTheMenuClosedAndASubMenuClicksFirst) {
  auto* popup = new TPopupMenu(Form);
  std::vector<std::string> log;
  popup->OnPopup = [&](TObject*) { log.push_back("popup"); };
  TMenuItem* sub = NewItem(Form, popup->GetItems(), "Sub", "Sub");
  NewItem(Form, sub, "Stale", "Stale");
  NewItem(Form, popup->GetItems(), "Second", "Second");
  // The sub-menu fills itself when it opens: the item chosen in it does not
  // exist before.
  sub->OnClick = [&](TObject*) {
    log.push_back("sub opens");
    sub->Clear();
    auto* fresh = new TMenuItem(Form);
    fresh->SetCaption("Fresh");
    fresh->OnClick = [&](TObject*) {
      log.push_back("fresh");
      delete Form->Box;  // the control the menu was opened for
      Form->Box = nullptr;
    };
    sub->Add(fresh);
  };
  popup->SetPopupComponent(Form->Box);
  WhenMenuOpen([] {
    SendKey(VK_DOWN);
    SendKey(VK_RIGHT);
    SendKey(VK_RETURN);
  });
  TPoint at = Form->ClientToScreen(TPoint(30, 30));
  popup->Popup(at.X, at.Y);
  // The choice is delivered later, through the message queue.
  EXPECT_EQ(log, (std::vector<std::string>{"popup", "sub opens"}));
  ASSERT_TRUE(PumpUntil([&] { return log.size() == 3; }));
  EXPECT_EQ(log.back(), "fresh");
  EXPECT_EQ(popup->GetPopupComponent(), nullptr);
}

TEST_F(MenuTest, ARightClickAndTheMenuKeyShowTheNearestPopupUpTheParents) {
  auto* popup = new TPopupMenu(Form);
  NewItem(Form, popup->GetItems(), "First", "First");
  Form->Panel->SetPopupMenu(popup);  // the box has none of its own
  std::vector<TComponent*> openedFor;
  popup->OnPopup = [&](TObject*) { openedFor.push_back(popup->GetPopupComponent()); };

  WhenMenuOpen([] { SendKey(VK_ESCAPE); });
  TPoint p = Form->Box->ClientToScreen(TPoint(10, 10));
  SendClick(p.X, p.Y, true);
  ASSERT_TRUE(PumpUntil([&] { return openedFor.size() == 1; }));
  EXPECT_EQ(openedFor[0], Form->Panel);

  int clicks = 0;
  popup->GetItems()->GetItem(0)->OnClick = [&](TObject*) { ++clicks; };
  WhenMenuOpen([] {
    SendKey(VK_DOWN);
    SendKey(VK_RETURN);
  });
  SendKey(VK_APPS);
  ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }));
  EXPECT_EQ(openedFor.size(), 2u);

  // Without any pop-up menu up the chain the click is left alone.
  delete popup;
  EXPECT_EQ(Form->Panel->GetPopupMenu(), nullptr);
  ::SendMessageA(Form->Box->GetHandle(), WM_CONTEXTMENU, WPARAM(Form->Box->GetHandle()), MAKELPARAM(-1, -1));
  EXPECT_EQ(openedFor.size(), 2u);
}

TEST_F(MenuTest, ShortCutsGoToTheMenuThenTheFocusedControlsPopupsThenTheActionLists) {
  std::vector<std::string> log;
  auto record = [&log](const char* what) { return [&log, what](TObject*) { log.push_back(what); }; };
  auto* bar = new TMainMenu(Form);
  TMenuItem* top = NewItem(Form, bar->GetItems(), "Top", "&Top");
  NewItem(Form, top, "BarM", "M")->SetShortCut(scCtrl | 'M');
  NewItem(Form, top, "BarB", "B")->SetShortCut(scCtrl | 'B');
  NewItem(Form, top, "BarOff", "Off")->SetShortCut(scCtrl | 'O');
  for (const char* name : {"BarM", "BarB", "BarOff"})
    static_cast<TMenuItem*>(Form->FindComponent(name))->OnClick = record(name);
  static_cast<TMenuItem*>(Form->FindComponent("BarOff"))->SetEnabled(false);
  Form->SetMenu(bar);

  auto* boxMenu = new TPopupMenu(Form);
  NewItem(Form, boxMenu->GetItems(), "BoxP", "P")->SetShortCut(scCtrl | 'P');
  NewItem(Form, boxMenu->GetItems(), "BoxG", "G")->SetShortCut(scCtrl | 'G');
  Form->Box->SetPopupMenu(boxMenu);
  auto* panelMenu = new TPopupMenu(Form);
  NewItem(Form, panelMenu->GetItems(), "PanelQ", "Q")->SetShortCut(scCtrl | 'Q');
  Form->Panel->SetPopupMenu(panelMenu);
  for (const char* name : {"BoxP", "BoxG", "PanelQ"})
    static_cast<TMenuItem*>(Form->FindComponent(name))->OnClick = record(name);

  auto* list = new TActionList(Form);
  auto action = [&](const char* name, TShortCut sc, bool enabled) {
    auto* a = new TAction(Form);
    a->SetName(name);
    a->SetActionList(list);
    a->SetShortCut(sc);
    a->SetEnabled(enabled);
    a->OnExecute = record(name);
  };
  action("aE", scCtrl | 'E', true);
  action("aB", scCtrl | 'B', true);  // the menu's Ctrl+B comes first
  action("aG", scCtrl | 'G', true);  // the box's pop-up Ctrl+G comes first
  action("aD", scCtrl | 'D', false);
  action("aO", scCtrl | 'O', true);  // the menu's disabled item leaves Ctrl+O to the action

  std::vector<std::string> boxKeys;
  Form->Box->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState shift) {
    if (shift.Contains(ssCtrl) && key != VK_CONTROL) boxKeys.push_back(std::string(1, char(key)));
  };

  struct TCase {
    char Key;
    const char* Runs;  // nullptr: nothing runs, the box gets the key
  };
  const TCase cases[] = {{'M', "BarM"}, {'B', "BarB"},   {'P', "BoxP"}, {'G', "BoxG"},
                         {'Q', "PanelQ"}, {'E', "aE"},   {'O', "aO"},   {'D', nullptr}};
  for (const TCase& c : cases) {
    log.clear();
    boxKeys.clear();
    SendKey(WORD(c.Key), {VK_CONTROL});
    PumpUntil([&] { return !log.empty() || !boxKeys.empty(); });
    PumpFor(50);
    if (c.Runs) {
      EXPECT_EQ(log, (std::vector<std::string>{c.Runs})) << "Ctrl+" << c.Key;
      EXPECT_TRUE(boxKeys.empty()) << "Ctrl+" << c.Key;
    } else {
      EXPECT_TRUE(log.empty()) << "Ctrl+" << c.Key;
      EXPECT_EQ(boxKeys, (std::vector<std::string>{std::string(1, c.Key)})) << "Ctrl+" << c.Key;
    }
  }
}

// Counts the frame recalculations that redrawing the menu bar causes.
class TFrameCountForm : public TMenuTestForm {
public:
  using TMenuTestForm::TMenuTestForm;
  int FrameChanges = 0;

protected:
  void WndProc(TMessage& msg) override {
    if (msg.Msg == WM_NCCALCSIZE) ++FrameChanges;
    TMenuTestForm::WndProc(msg);
  }
};

TEST_F(MenuTest, OnlyChangesToTheBarsOwnItemsRedrawTheBar) {
  // Every redraw of the bar repaints the window's frame; a command that
  // enables a dozen drop-down items must not pay for a dozen.
  auto form = std::make_unique<TFrameCountForm>(nullptr);
  auto* menu = new TMainMenu(form.get());
  TMenuItem* file = NewItem(form.get(), menu->GetItems(), "FileMenu", "&File");
  TMenuItem* open = NewItem(form.get(), file, "OpenItem", "&Open");
  NewItem(form.get(), file, "SaveItem", "&Save");
  form->SetMenu(menu);
  form->Show();
  form->FrameChanges = 0;
  open->SetEnabled(false);
  open->SetCaption("&Load");
  EXPECT_EQ(form->FrameChanges, 0);
  EXPECT_EQ(EntryTexts(file->GetHandle()), (std::vector<std::string>{"&Load", "&Save"}));

  file->SetCaption("&Data");
  EXPECT_GT(form->FrameChanges, 0);
  form->FrameChanges = 0;
  TMenuItem* edit = NewItem(form.get(), menu->GetItems(), "EditMenu", "&Edit");
  EXPECT_GT(form->FrameChanges, 0);
  form->FrameChanges = 0;
  delete edit;  // taken off the bar
  EXPECT_GT(form->FrameChanges, 0);
  EXPECT_EQ(EntryTexts(::GetMenu(form->GetHandle())), (std::vector<std::string>{"&Data"}));
}

TEST_F(MenuTest, AFormWithoutAMenuBarAnswersTheShortCutsOfTheMainMenusItOwns) {
  // The main window shows its main menu through a tool bar, not as its bar.
  auto* menu = new TMainMenu(Form);
  TMenuItem* top = NewItem(Form, menu->GetItems(), "Top", "&Top");
  int clicks = 0;
  TMenuItem* item = NewItem(Form, top, "Item", "Item");
  item->SetShortCut(scCtrl | scShift | 'K');
  item->OnClick = [&](TObject*) { ++clicks; };
  SendKey('K', {VK_CONTROL, VK_SHIFT});
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }, 2000));
}

TEST_F(MenuTest, LinkedItemsFollowTheirActionAndRunIt) {
  auto* list = new TActionList(Form);
  auto* save = new TAction(Form);
  save->SetName("aFileSave");
  save->SetActionList(list);
  save->SetCaption("&Save");
  save->SetShortCut(scCtrl | 'S');
  save->SetHint("Save|Saves the document");
  int runs = 0;
  save->OnExecute = [&](TObject*) { ++runs; };

  auto* popup = new TPopupMenu(Form);
  TMenuItem* item = NewItem(Form, popup->GetItems(), "SaveItem", "");
  item->SetAction(save);
  HMENU menu = popup->GetHandle();
  EXPECT_EQ(EntryText(menu, 0), "&Save\tCtrl+S");
  EXPECT_EQ(item->GetHint(), "Save|Saves the document");

  save->SetEnabled(false);
  EXPECT_TRUE(::GetMenuState(menu, 0, MF_BYPOSITION) & MF_GRAYED);
  ::SendMessageA(Form->GetHandle(), WM_COMMAND, item->GetCommand(), 0);
  EXPECT_EQ(runs, 0);
  save->SetEnabled(true);
  save->SetChecked(true);
  EXPECT_TRUE(::GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED);
  ::SendMessageA(Form->GetHandle(), WM_COMMAND, item->GetCommand(), 0);
  EXPECT_EQ(runs, 1);
  // An action the application handles centrally runs nothing of its own.
  Application->OnActionExecute = [](TBasicAction*, bool& handled) { handled = true; };
  item->Click();
  Application->OnActionExecute = nullptr;
  EXPECT_EQ(runs, 1);
  save->SetVisible(false);
  EXPECT_EQ(::GetMenuItemCount(menu), 0);

  // Actions made and freed at run time, listed with their shortcuts.
  auto* rollUp = new TAction(list);
  rollUp->SetName("i0");
  rollUp->SetTag(0);
  rollUp->SetShortCut(TextToShortCut("Ctrl+PageUp"));
  rollUp->SetActionList(list);
  std::vector<std::string> keys;
  for (int i = 0; i < list->GetActionCount(); ++i)
    keys.push_back(ShortCutToText(static_cast<TCustomAction*>(list->GetAction(i))->GetShortCut()));
  EXPECT_EQ(keys, (std::vector<std::string>{"Ctrl+S", "Ctrl+PageUp"}));
  delete rollUp;
  EXPECT_EQ(list->GetActionCount(), 1);
  EXPECT_EQ(list->FindComponent("i0"), nullptr);

  // The published state round-trips as text.
  SetPropText(save, "Caption", "Save &As");
  SetPropText(save, "ShortCut", IntToStr(scCtrl | scShift | 'S'));
  EXPECT_EQ(item->GetCaption(), "Save &As");
  EXPECT_EQ(item->GetShortCut(), scCtrl | scShift | 'S');
  EXPECT_EQ(GetPropText(save, "Checked"), "True");

  // A freed action leaves its items as they were, unlinked.
  delete save;
  EXPECT_EQ(item->GetAction(), nullptr);
  EXPECT_EQ(item->GetCaption(), "Save &As");
  item->Click();
  EXPECT_EQ(runs, 1);
}

TEST_F(MenuTest, ControlsFollowTheirActionAndAClickRunsIt) {
  auto* list = new TActionList(Form);
  auto* action = new TAction(Form);
  action->SetActionList(list);
  action->SetCaption("Go");
  action->SetHint("Goes");
  int runs = 0;
  action->OnExecute = [&](TObject*) { ++runs; };
  TTestBox* button = Form->Box;
  button->SetAction(action);
  HWND wnd = button->GetHandle();
  char text[16] = {};
  ::GetWindowTextA(wnd, text, sizeof text);
  EXPECT_STREQ(text, "Go");
  EXPECT_EQ(button->GetHint(), "Goes");

  action->SetEnabled(false);
  EXPECT_FALSE(::IsWindowEnabled(wnd));
  action->SetEnabled(true);
  EXPECT_TRUE(::IsWindowEnabled(wnd));
  TPoint p = button->ClientToScreen(TPoint(10, 10));
  SendClick(p.X, p.Y);
  EXPECT_TRUE(PumpUntil([&] { return runs == 1; }, 2000));
  action->SetVisible(false);
  EXPECT_FALSE(::IsWindowVisible(wnd));
  delete action;
  EXPECT_EQ(button->GetAction(), nullptr);
}

}  // namespace
