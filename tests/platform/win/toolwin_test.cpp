// The control bar's bands and grips, and tool bars with their buttons, in
// real windows.
#include "platform/win/WinApi.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win/Actions.h"
#include "platform/win/Forms.h"
#include "platform/win/ToolWin.h"
#include "platform/win/WinTestSupport.h"

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
  char text[32] = {};
  TBBUTTON tb{};
  ::SendMessageA(wnd, TB_GETBUTTON, 0, reinterpret_cast<LPARAM>(&tb));
  ::SendMessageA(wnd, TB_GETBUTTONTEXTA, tb.idCommand, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Load");

  // The tool tip holds the hint's short part.
  HWND tips = reinterpret_cast<HWND>(::SendMessageA(wnd, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tips, nullptr);
  char tip[80] = {};
  TOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = wnd;
  ti.uId = static_cast<UINT_PTR>(tb.idCommand);
  ti.lpszText = tip;
  ::SendMessageA(tips, TTM_GETTEXTA, sizeof tip, reinterpret_cast<LPARAM>(&ti));
  EXPECT_STREQ(tip, "Open a file");

  // A button freed at run time leaves the bar.
  delete wrap;
  EXPECT_EQ(::SendMessageA(wnd, TB_BUTTONCOUNT, 0, 0), 2);
  EXPECT_EQ(bar->GetButtonCount(), 2);
}

}  // namespace
