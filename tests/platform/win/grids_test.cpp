// The grids in real windows: cells painted where the model says, clicks and
// keys moving the current cell, scroll bars over millions of rows, and the
// in-place editor writing the cell.
#include "platform/win/Forms.h"
#include "platform/win/GridWindow.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

TQ_TEST_APPLICATION();

namespace {

class TGridForm : public TForm {
public:
  explicit TGridForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(50, 50, 400, 300);
    Strings = new TStringGridWindow(this);
    Strings->SetName("Grid");
    Strings->SetBounds(0, 0, 400, 150);
    Strings->SetParent(this);
    Draw = new TDrawGridWindow(this);
    Draw->SetName("Draw");
    Draw->SetBorder(false);
    Draw->SetBounds(0, 150, 400, 150);
    Draw->SetParent(this);
  }
  TStringGridWindow* Strings;
  TDrawGridWindow* Draw;
};

void Show(TForm* form) {
  form->Show();
  ::UpdateWindow(form->GetHandle());
  ::SetForegroundWindow(form->GetHandle());
  Application->ProcessMessages();
}

void Key(TWinControl* to, WPARAM key) {
  ::PostMessageA(to->GetHandle(), WM_KEYDOWN, key, 1);
  ::PostMessageA(to->GetHandle(), WM_KEYUP, key, 0xC0000001);
  Application->ProcessMessages();
}

void Type(TWinControl* to, const char* text) {
  for (; *text; ++text) ::PostMessageA(to->GetHandle(), WM_CHAR, static_cast<unsigned char>(*text), 1);
  Application->ProcessMessages();
}

HWND FocusedWindow() { return ::GetFocus(); }

TEST(GridWindow, EditingACellWritesTheCell) {
  auto form = std::make_unique<TGridForm>(nullptr);
  TStringGrid* g = form->Strings->GetStringGrid();
  g->SetOptions(g->GetOptions() + goEditing);
  g->SetCells(2, 1, "old");
  Show(form.get());
  form->Strings->SetFocus();
  g->FocusCell(2, 1, true);

  // F2 opens the editor over the cell with the cell's text.
  Key(form->Strings, VK_F2);
  ASSERT_TRUE(form->Strings->GetEditorMode());
  TWinControl* edit = form->Strings->GetInplaceEditor();
  EXPECT_EQ(FocusedWindow(), edit->GetHandle());
  TRect cell = g->CellRect(2, 1);
  EXPECT_EQ(edit->GetBoundsRect(), cell);
  char text[32] = {};
  ::GetWindowTextA(edit->GetHandle(), text, sizeof text);
  EXPECT_STREQ(text, "old");
  // Typing replaces the selected text; Enter writes it and gives the focus back.
  Type(edit, "new");
  Key(edit, VK_RETURN);
  EXPECT_FALSE(form->Strings->GetEditorMode());
  EXPECT_EQ(g->GetCells(2, 1), "new");
  EXPECT_EQ(FocusedWindow(), form->Strings->GetHandle());

  // A character typed on the grid starts editing with it; Esc drops the edit.
  Type(form->Strings, "x");
  ASSERT_TRUE(form->Strings->GetEditorMode());
  ::GetWindowTextA(edit->GetHandle(), text, sizeof text);
  EXPECT_STREQ(text, "x");
  Key(edit, VK_ESCAPE);
  EXPECT_FALSE(form->Strings->GetEditorMode());
  EXPECT_EQ(g->GetCells(2, 1), "new");

  // Down in the editor writes the cell and moves on.
  Type(form->Strings, "yz");
  Key(edit, VK_DOWN);
  EXPECT_EQ(g->GetCells(2, 1), "yz");
  EXPECT_EQ(g->GetRow(), 2);
  EXPECT_FALSE(form->Strings->GetEditorMode());

  // Without goEditing the keys only navigate.
  g->SetOptions(g->GetOptions() - goEditing);
  Type(form->Strings, "q");
  Key(form->Strings, VK_F2);
  EXPECT_FALSE(form->Strings->GetEditorMode());
  EXPECT_EQ(g->GetCells(2, 2), "");
}

TEST(GridWindow, CellsArePaintedWhereTheModelPutsThemAndClicksChooseThem) {
  auto form = std::make_unique<TGridForm>(nullptr);
  TDrawGrid* g = form->Draw->GetDrawGrid();
  g->SetDefaultColWidth(40);
  g->SetDefaultRowHeight(20);
  g->OnDrawCell = [&](ICanvas& c, int col, int row, const TRect& r, TGridDrawState) {
    if (col == 3 && row == 2) {
      c.SetBrushColor(clRed);
      c.FillRect(r);
    }
  };
  Show(form.get());
  HWND wnd = form->Draw->GetHandle();
  ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  TRect r = g->CellRect(3, 2);
  ASSERT_FALSE(r.IsEmpty());
  HDC dc = ::GetDC(wnd);
  EXPECT_EQ(::GetPixel(dc, r.Left + 5, r.Top + 5), RGB(255, 0, 0));
  EXPECT_NE(::GetPixel(dc, r.Left - 5, r.Top + 5), RGB(255, 0, 0));
  ::ReleaseDC(wnd, dc);

  // A click on a cell makes it current and takes the focus.
  LPARAM at = MAKELPARAM(r.Left + 3, r.Top + 3);
  ::PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageA(wnd, WM_LBUTTONUP, 0, at);
  Application->ProcessMessages();
  EXPECT_EQ(g->GetCol(), 3);
  EXPECT_EQ(g->GetRow(), 2);
  EXPECT_EQ(FocusedWindow(), wnd);
  Key(form->Draw, VK_RIGHT);
  EXPECT_EQ(g->GetCol(), 4);
}

TEST(GridWindow, ScrollBarsCarryPositionsPastSixteenBits) {
  auto form = std::make_unique<TGridForm>(nullptr);
  TDrawGrid* g = form->Draw->GetDrawGrid();
  // Set before the window exists.
  g->SetRowCount(10'000'000);
  g->SetDefaultRowHeight(15);
  Show(form.get());
  HWND wnd = form->Draw->GetHandle();
  ::SendMessageA(wnd, WM_VSCROLL, SB_BOTTOM, 0);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(::GetScrollInfo(wnd, SB_VERT, &si));
  EXPECT_EQ(si.nMax, 10'000'000 - 2);
  EXPECT_EQ(si.nPos, g->GetTopRow() - 1);
  EXPECT_GT(si.nPos, 0xFFFF);
  EXPECT_EQ(g->GetTopRow(), g->GetMaxTopRow());
  ::SendMessageA(wnd, WM_VSCROLL, SB_PAGEUP, 0);
  EXPECT_EQ(g->GetTopRow(), g->GetMaxTopRow() - g->GetVisibleRowCount());

  // A new window (a border change) keeps the view and gets the bar again.
  int top = g->GetTopRow();
  form->Draw->SetBorder(true);
  ASSERT_NE(form->Draw->GetHandle(), nullptr);
  EXPECT_EQ(g->GetTopRow(), top);
  ASSERT_TRUE(::GetScrollInfo(form->Draw->GetHandle(), SB_VERT, &si));
  EXPECT_EQ(si.nPos, top - 1);
}

}  // namespace
