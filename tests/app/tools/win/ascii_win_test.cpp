// The ASCII table on real windows under the real mouse: the magnifier's
// place, colour and status texts, hidden off the body cells, on leaving and
// on deactivation; a double click inserting into an editor; the check boxes
// kept under "TASCII".
#include "app/tools/win/Ascii.h"

#include <gtest/gtest.h>

#include "../../AppRegistryKey.h"
#include "app/tools/AsciiTable.h"
#include "editor/CustomEdit.h"
#include "platform/Registry.h"
#include "platform/win/Screenshot.h"
#include "platform/win/WinTestSupport.h"
#include "../../../kit/win/MouseInput.h"

TQ_TEST_APPLICATION();

namespace {

struct AsciiTable : TAppKeyCase {
  AsciiTable() {
    ascii = new TASCII(Application);
    ascii->SetLeft(60);
    ascii->SetTop(40);
    edit.SetText("xy");
    edit.SetCaretXY(TPoint(2, 1));
    ascii->TargetEditor = [this]() -> TktCustomEdit* { return target ? &edit : nullptr; };
  }
  ~AsciiTable() override {
    MouseRelease();
    delete ascii;
  }
  void ShowTable() {
    ascii->Show();
    ASSERT_TRUE(ActivateForInput(ascii->GetHandle()));
    ASSERT_TRUE(PumpUntil([&] { return ascii->Grid->GetStringGrid()->GetCells(2, 5) == "A"; }));
  }
  // The centre of a cell on the screen, and the grid point it is.
  TPoint CellPoint(int col, int row, TPoint* gridPoint = nullptr) {
    const TPoint p((kAsciiCellWidth + 1) * col + kAsciiCellWidth / 2, (kAsciiCellHeight + 1) * row + kAsciiCellHeight / 2);
    if (gridPoint) *gridPoint = p;
    return ascii->Grid->ClientToScreen(p);
  }
  bool MagnifierShows() { return ascii->Magnifier && ascii->Magnifier->IsHintShowing(); }
  std::string Status(int i) { return ascii->StatusBar->GetPanel(i)->GetText(); }
  void DoubleClick(TPoint at) {
    MousePress(at.X, at.Y);
    MouseRelease();
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpFor(150);
  }

  TASCII* ascii = nullptr;
  TktCustomEdit edit{nullptr};
  bool target = true;
};

TEST_F(AsciiTable, TheMagnifierFollowsTheMouseOverBodyCellsOnly) {
  ShowTable();
  TPoint grid;
  const TPoint a = CellPoint(2, 5, &grid);
  MouseMoveTo(a.X, a.Y);
  ASSERT_TRUE(PumpUntil([&] { return MagnifierShows(); }));
  EXPECT_EQ(Status(0), "Decimal: 65");
  EXPECT_EQ(Status(1), "Hex: 41");
  EXPECT_EQ(Status(2), "OEM: A");
  RECT r{};
  ::GetWindowRect(ascii->Magnifier->GetHandle(), &r);
  // From the window's left and top, not its client area's.
  const TPoint window(ascii->GetLeft(), ascii->GetTop());
  ASSERT_NE(window, ascii->ClientToScreen(TPoint(0, 0))) << "a window without a frame shows no difference";
  EXPECT_EQ(TRect(r.left, r.top, r.right, r.bottom),
            TRect(window.X + grid.X + 30, window.Y + grid.Y + 65, window.X + grid.X + 130, window.Y + grid.Y + 165));
  PumpFor(100);
  auto shot = Capture(ascii->Magnifier->GetHandle());
  EXPECT_EQ(shot->Pixel(4, 4), static_cast<TColor>(0xAAFFAA));
  SaveBitmap(*Capture(ascii->GetHandle()), "ascii_table.bmp");

  // Low in the grid the magnifier opens above the pointer.
  const TPoint low = CellPoint(16, 13, &grid);
  MouseMoveTo(low.X, low.Y);
  ASSERT_TRUE(PumpUntil([&] { return Status(0) == "Decimal: 207"; }));
  ::GetWindowRect(ascii->Magnifier->GetHandle(), &r);
  ASSERT_GE(grid.Y, 250);
  EXPECT_EQ(r.top, window.Y + grid.Y - 35);
  EXPECT_EQ(r.bottom, window.Y + grid.Y + 65);

  // The header strip: a header digit is not a code.
  const TPoint header = ascii->Grid->ClientToScreen(TPoint(kAsciiCellWidth / 2 + 5, 100));
  MouseMoveTo(header.X, header.Y);
  ASSERT_TRUE(PumpUntil([&] { return !MagnifierShows(); }));
  EXPECT_EQ(Status(0), "Decimal: 207");

  // The font panel beside the grid, then the grid again and away from the window.
  MouseMoveTo(a.X, a.Y);
  ASSERT_TRUE(PumpUntil([&] { return MagnifierShows(); }));
  const TPoint panel = ascii->Panel->ClientToScreen(TPoint(80, 200));
  MouseMoveTo(panel.X, panel.Y);
  EXPECT_TRUE(PumpUntil([&] { return !MagnifierShows(); }));
  MouseMoveTo(a.X, a.Y);
  ASSERT_TRUE(PumpUntil([&] { return MagnifierShows(); }));
  MouseMoveTo(5, 1000);
  EXPECT_TRUE(PumpUntil([&] { return !MagnifierShows(); }));
}

TEST_F(AsciiTable, DeactivationHidesTheMagnifier) {
  ShowTable();
  const TPoint a = CellPoint(2, 5);
  MouseMoveTo(a.X, a.Y);
  ASSERT_TRUE(PumpUntil([&] { return MagnifierShows(); }));
  // Another program's window takes the focus: the application deactivates.
  HWND other = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 700, 600, 80, 40, nullptr, nullptr,
                                 nullptr, nullptr);
  ::SetForegroundWindow(other);
  ::SetActiveWindow(other);
  PumpFor(100);
  ::SendMessageA(Application->GetHandle(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_TRUE(PumpUntil([&] { return !MagnifierShows(); }));
  ::DestroyWindow(other);
}

TEST_F(AsciiTable, ADoubleClickInsertsTheCharacterAsOneUndoStep) {
  ShowTable();
  const std::string before = edit.GetText();
  DoubleClick(CellPoint(2, 5));
  ASSERT_EQ(edit.GetText(), "xAy\r\n");
  edit.Undo();
  EXPECT_EQ(edit.GetText(), before);

  // Code 0 is no text: nothing goes in and the selection stays.
  edit.SetSelStart(1);
  edit.SetSelEnd(2);
  DoubleClick(CellPoint(1, 1));
  EXPECT_EQ(edit.GetText(), before);
  EXPECT_EQ(edit.GetSelText(), "x");

  // No document (or its hex view showing): nothing.
  target = false;
  DoubleClick(CellPoint(2, 5));
  EXPECT_EQ(edit.GetText(), before);
}

TEST_F(AsciiTable, BoldAndItalicAreKeptUnderTASCII) {
  ShowTable();
  ascii->Bold->SetChecked(true);
  EXPECT_TRUE(ascii->Grid->GetFont().Style.Contains(fsBold));
  EXPECT_TRUE(ascii->Magnifier->GetFont().Style.Contains(fsBold));
  ascii->Italic->SetChecked(false);
  ascii->Close();
  EXPECT_FALSE(ascii->GetVisible());
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(ProgramRegistryKey() + "\\TASCII", false));
  EXPECT_EQ(registry.ReadString("Bold_Checked"), "True");
  EXPECT_EQ(registry.ReadString("Italic_Checked"), "False");
}

TEST_F(AsciiTable, TheCharacterSetReachesGridAndMagnifier) {
  ShowTable();
  ascii->Charset->SetItemIndex(ascii->Charset->GetItems()->IndexOf("SYMBOL_CHARSET"));
  ascii->Charset->OnChange(ascii->Charset);
  EXPECT_EQ(ascii->Grid->GetFont().CharSet, 2);
  EXPECT_EQ(ascii->Magnifier->GetFont().CharSet, 2);
  EXPECT_EQ(ascii->FontBox->GetFontName(), "Arial");
}

}  // namespace
