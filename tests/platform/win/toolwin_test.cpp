// The control bar's bands and grips, and tool bars with their buttons, in
// real windows.
#include "platform/win/WinApi.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/Actions.h"
#include "platform/win/Forms.h"
#include "platform/win/Menus.h"
#include "platform/win/ToolBarText.h"
#include "platform/win/ToolWin.h"
#include "platform/win/WinTestSupport.h"
#include "InputSupport.h"

TQ_TEST_APPLICATION();

namespace {

class TBand : public TCustomControl {
public:
  explicit TBand(TComponent* owner) : TCustomControl(owner) {}

protected:
  void Paint() override {
    GetCanvas()->SetBrushColor(clYellow);
    GetCanvas()->FillRect(GetClientRect());
  }
};

std::unique_ptr<TForm> MakeForm() {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetBounds(60, 60, 400, 200);
  return form;
}

void Show(TForm* form) {
  form->Show();
  ::UpdateWindow(form->GetHandle());
  ::SetForegroundWindow(form->GetHandle());
  Application->ProcessMessages();
}

TEST(ControlBar, BandsSitAtTheirPlaceAndMoveByTheGrip) {
  auto form = MakeForm();
  auto* bar = new TControlBar(form.get());
  bar->SetBounds(0, 0, 400, 80);
  bar->SetParent(form.get());
  TBand* bands[2];
  const int lefts[2] = {11, 150};
  for (int i = 0; i < 2; ++i) {
    bands[i] = new TBand(form.get());
    bands[i]->SetBounds(lefts[i], 0, 100, 26);
    bands[i]->SetParent(bar);
  }
  std::vector<TControl*> moved;
  bar->OnBandMove = [&](TObject*, TControl* band) { moved.push_back(band); };
  Show(form.get());
  HWND wnd = bar->GetHandle();
  ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r{};
  ::GetWindowRect(bands[1]->GetHandle(), &r);
  POINT p{r.left, r.top};
  ::ScreenToClient(wnd, &p);
  EXPECT_EQ(p.x, 150);
  EXPECT_EQ(p.y, 0);
  // The grip's ridges left of the band.
  HDC dc = ::GetDC(wnd);
  EXPECT_EQ(::GetPixel(dc, 150 - TControlBar::GripWidth + 4, 10), ::GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(::GetPixel(dc, 150 - TControlBar::GripWidth + 3, 10), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  ::ReleaseDC(wnd, dc);

  EXPECT_EQ(bar->GripAt(145, 10), bands[1]);
  EXPECT_EQ(bar->GripAt(160, 10), nullptr);
  // Dragging the grip 40 pixels right and 30 down drops the band on the next row.
  ::PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(145, 10));
  ::PostMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(185, 40));
  ::PostMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(185, 40));
  Application->ProcessMessages();
  EXPECT_EQ(bands[1]->GetLeft(), 190);
  EXPECT_EQ(bands[1]->GetTop(), 26);
  EXPECT_EQ(moved, std::vector<TControl*>{bands[1]});
  // A drag off the bar stops at its edges.
  ::PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(185, 30));
  ::PostMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-300, -300));
  ::PostMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(-300, -300));
  Application->ProcessMessages();
  EXPECT_EQ(bands[1]->GetLeft(), TControlBar::GripWidth);
  EXPECT_EQ(bands[1]->GetTop(), 0);
}

TEST(ToolBar, ButtonsMadeBeforeTheWindowClickWithCaptionsAndHints) {
  auto form = MakeForm();
  auto* bar = new TToolBar(form.get());
  bar->SetShowCaptions(true);
  std::vector<std::string> log;
  auto* open = new TToolButton(form.get());
  open->SetCaption("Open");
  open->SetHint("Open a file|Opens a file in a new tab");
  open->OnClick = [&](TObject*) { log.push_back("open"); };
  open->SetToolBar(bar);
  auto* wrap = new TToolButton(form.get());
  wrap->SetCaption("Wrap");
  wrap->SetStyle(tbsCheck);
  wrap->OnClick = [&](TObject*) { log.push_back(wrap->GetDown() ? "wrap on" : "wrap off"); };
  wrap->SetToolBar(bar);
  auto* action = new TBasicAction(form.get());
  action->OnExecute = [&](TObject*) { log.push_back("action"); };
  auto* run = new TToolButton(form.get());
  run->SetCaption("Run");
  run->SetAction(action);
  run->SetToolBar(bar);
  bar->SetParent(form.get());
  Show(form.get());
  HWND wnd = bar->GetHandle();
  EXPECT_EQ(::SendMessageA(wnd, TB_BUTTONCOUNT, 0, 0), 3);

  auto click = [&](int i) {
    TRect r = bar->GetButtonRect(i);
    LPARAM at = MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    ::PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(wnd, WM_LBUTTONUP, 0, at);
    Application->ProcessMessages();
  };
  click(0);
  click(1);
  click(1);
  click(2);
  EXPECT_EQ(log, (std::vector<std::string>{"open", "wrap on", "wrap off", "action"}));
  // A disabled button does nothing; a caption set later shows.
  open->SetEnabled(false);
  click(0);
  EXPECT_EQ(log.size(), 4u);
  open->SetCaption("Load");
  EXPECT_EQ(ToolButtonText(wnd, 0), "Load");
  // The tool tip holds the hint's short part.
  EXPECT_EQ(ToolButtonTip(wnd, 0), "Open a file");

  // A button freed at run time leaves the bar.
  delete wrap;
  EXPECT_EQ(::SendMessageA(wnd, TB_BUTTONCOUNT, 0, 0), 2);
  EXPECT_EQ(bar->GetButtonCount(), 2);
}

class TFocusBox : public TCustomControl {
public:
  explicit TFocusBox(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
};

TMenuItem* NewItem(TComponent* owner, TMenuItem* parent, const char* caption, std::vector<std::string>& log) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  item->OnClick = [&log, item](TObject*) { log.push_back(item->GetCaption()); };
  parent->Add(item);
  return item;
}

// The top of the visible pop-up menu window, or INT_MIN without one.
int OpenMenuTop() {
  HWND menu = OpenMenuWindow();
  if (!menu) return INT_MIN;
  RECT r{};
  ::GetWindowRect(menu, &r);
  return r.top;
}

// After the current drop-down gave way to the next one (the old menu window
// may still be up for a moment), runs func in the new one.
void InNextMenu(std::function<void()> func) {
  RunLater(150, [func = std::move(func)]() mutable { WhenMenuOpen(std::move(func)); });
}

TEST(ToolBar, MenuButtonsDropTheirItemsBelowAndMoveWithLeftAndRight) {
  auto form = MakeForm();
  std::vector<std::string> log;
  auto* menu = new TMainMenu(form.get());
  TMenuItem* file = NewItem(form.get(), menu->GetItems(), "&File", log);
  NewItem(form.get(), file, "New", log);
  TMenuItem* recent = NewItem(form.get(), file, "Recent", log);
  NewItem(form.get(), recent, "a.txt", log);
  TMenuItem* edit = NewItem(form.get(), menu->GetItems(), "&Edit", log);
  NewItem(form.get(), edit, "Cut", log);
  auto* bar = new TToolBar(form.get());
  for (TMenuItem* item : {file, edit}) {
    auto* b = new TToolButton(form.get());
    b->SetMenuItem(item);  // before the bar has a window
    b->SetToolBar(bar);
  }
  bar->SetParent(form.get());
  auto* box = new TFocusBox(form.get());
  box->SetBounds(10, 60, 100, 40);
  box->SetParent(form.get());
  Show(form.get());
  ::SetForegroundWindow(form->GetHandle());
  ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == form->GetHandle(); }));
  box->SetFocus();
  HWND wnd = bar->GetHandle();
  EXPECT_EQ(ToolButtonText(wnd, 1), "&Edit");

  // A real click drops Edit's items right below its button.
  TRect r = bar->GetButtonRect(1);
  TPoint below = bar->ClientToScreen(TPoint(r.Left, r.Bottom));
  int top = INT_MIN;
  WhenMenuOpen([&] {
    top = OpenMenuTop();
    SendKey(VK_DOWN);
    SendKey(VK_RETURN);
  });
  TPoint mid = bar->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  SendClick(mid.X, mid.Y);
  ASSERT_TRUE(PumpUntil([&] { return log.size() == 2; }));
  EXPECT_EQ(log, (std::vector<std::string>{"&Edit", "Cut"}));
  EXPECT_GE(top, below.Y - 1);
  EXPECT_LE(top, below.Y + 4);

  // Alt+F opens File; Right goes on to Edit, Left back to File; Right on an
  // item with a sub-menu opens that instead.
  log.clear();
  WhenMenuOpen([] {
    SendKey(VK_RIGHT);
    InNextMenu([] {
      SendKey(VK_LEFT);
      InNextMenu([] {
        SendKey(VK_DOWN);
        SendKey(VK_DOWN);
        SendKey(VK_RIGHT);
        RunLater(150, [] { SendKey(VK_RETURN); });
      });
    });
  });
  SendKey('F', {VK_MENU});
  ASSERT_TRUE(PumpUntil([&] { return log.size() == 5; }, 5000)) << log.size();
  EXPECT_EQ(log, (std::vector<std::string>{"&File", "&Edit", "&File", "Recent", "a.txt"}));

  // A menu item freed at run time unbinds its button.
  delete edit;
  EXPECT_EQ(bar->GetButton(1)->GetMenuItem(), nullptr);
}

TEST(ToolBar, ADropDownMenuOpensBelowTheButtonOnTheSideItIsAlignedTo) {
  auto form = MakeForm();
  std::vector<std::string> log;
  auto* menu = new TPopupMenu(form.get());
  NewItem(form.get(), menu->GetItems(), "First", log);
  auto* bar = new TToolBar(form.get());
  bar->SetShowCaptions(true);
  auto* whole = new TToolButton(form.get());
  whole->SetCaption("Whole");
  whole->SetStyle(tbsDropDown);
  whole->SetDropDownMenu(menu);
  whole->OnClick = [&](TObject*) { log.push_back("whole clicked"); };
  whole->SetToolBar(bar);
  bar->SetParent(form.get());
  Show(form.get());
  ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == form->GetHandle(); }));

  const TRect r = bar->GetButtonRect(0);
  const TPoint mid = bar->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
  const TPoint bottomRight = bar->ClientToScreen(TPoint(r.Right, r.Bottom));
  const TPoint bottomLeft = bar->ClientToScreen(TPoint(r.Left, r.Bottom));
  for (const TPopupAlignment alignment : {paLeft, paRight}) {
    menu->SetAlignment(alignment);
    RECT shown{INT_MIN, INT_MIN, INT_MIN, INT_MIN};
    WhenMenuOpen([&] {
      ::GetWindowRect(OpenMenuWindow(), &shown);
      SendKey(VK_DOWN);
      SendKey(VK_RETURN);
    });
    const size_t before = log.size();
    SendClick(mid.X, mid.Y);
    ASSERT_TRUE(PumpUntil([&] { return log.size() == before + 1; }));
    EXPECT_EQ(log.back(), "First") << "a press that drops the menu clicks nothing";
    if (alignment == paLeft) EXPECT_EQ(shown.left, bottomLeft.X - 1);
    else EXPECT_EQ(shown.right, bottomRight.X + 1);
    EXPECT_GE(shown.top, bottomLeft.Y - 1);
    EXPECT_LE(shown.top, bottomLeft.Y + 4);
  }
  EXPECT_EQ(menu->GetPopupComponent(), whole);
  // A freed menu leaves a button that only clicks.
  delete menu;
  EXPECT_EQ(whole->GetDropDownMenu(), nullptr);
  SendClick(mid.X, mid.Y);
  ASSERT_TRUE(PumpUntil([&] { return log.back() == "whole clicked"; }));
}

}  // namespace
