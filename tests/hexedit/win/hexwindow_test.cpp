// The hex view's window on a form: keys through the message loop, the
// mouse, scrolling, saving, the posted state message and the pixels.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "hexedit/HexTranslations.h"
#include "hexedit/win/HexEditWindow.h"
#include "platform/TypInfo.h"
#include "platform/win/Application.h"
#include "platform/win/Forms.h"
#include "platform/win/WinTestSupport.h"

namespace fs = std::filesystem;

TQ_TEST_APPLICATION();

namespace {

class THexTestForm : public TForm {
public:
  explicit THexTestForm(TComponent* owner) : TForm(owner) {
    SetCaption("Hex test");
    SetBorderStyle(bsNone);
    SetBounds(40, 40, 720, 400);
    View = new THexEditWindow(this);
    View->SetName("HexView");
    View->SetAlign(alClient);
    View->SetParent(this);
  }
  THexEditWindow* View;
};

class HexWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    static const fs::path base = fs::temp_directory_path();
    Dir = (base / ("tqhexwin-" + std::string(
                       ::testing::UnitTest::GetInstance()->current_test_info()->name()))).string();
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    _putenv_s("TMP", Dir.c_str());
    _putenv_s("TEMP", Dir.c_str());
    Form = new THexTestForm(Application);
    Hex = Form->View->GetHex();
    TFontData font = Hex->GetFont();
    font.Name = "Fixedsys";
    font.Height = FontSizeToHeight(11, 96);
    Hex->SetFont(font);
    Form->Show();
    ::SetForegroundWindow(Form->GetHandle());
    Form->View->SetFocus();
    ::UpdateWindow(Form->GetHandle());
    Application->ProcessMessages();
  }
  void TearDown() override {
    delete Form;
    Application->ProcessMessages();
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }

  std::string Path(const std::string& name) const { return (fs::path(Dir) / name).string(); }
  void WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string ReadFile(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void Load(const std::string& bytes) {
    WriteFile("data.bin", bytes);
    ASSERT_TRUE(Hex->LoadFromFile(Path("data.bin")));
    Application->ProcessMessages();
  }
  std::string Data() { return Hex->GetBytes(0, Hex->GetDataSize()); }
  HWND Wnd() const { return Form->View->GetHandle(); }

  void Key(WORD vk, TShiftState mods = TShiftState()) { PostKey(Wnd(), vk, mods); }
  void Type(const std::string& text) { PostText(Wnd(), text); }
  void ClickCell(int col, int row, WPARAM keys = 0) {
    const TRect r = Hex->Grid().CellRect(col, row);
    const LPARAM p = MAKELPARAM(r.Left + 2, r.Top + 2);
    ::SendMessageA(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON | keys, p);
    ::SendMessageA(Wnd(), WM_LBUTTONUP, keys, p);
  }
  COLORREF Pixel(const TRect& r, int dx, int dy) {
    ::RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = ::GetDC(Wnd());
    const COLORREF c = ::GetPixel(dc, r.Left + dx, r.Top + dy);
    ::ReleaseDC(Wnd(), dc);
    return c;
  }

  std::string Dir;
  THexTestForm* Form = nullptr;
  THexEditor* Hex = nullptr;
};

}  // namespace

TEST(HexOemTables, TheNativeTableIsTheSystemsCodePage) {
  THexOemTables system{}, table{};
  SystemOemTables(system);
  Cp437OemTables(table);
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(table.ToOem[b], system.ToOem[b]) << "to OEM " << b;
    EXPECT_EQ(table.FromOem[b], system.FromOem[b]) << "from OEM " << b;
  }
}

TEST_F(HexWindowTest, AsksForArrowsTabsAndCharacters) {
  const LRESULT code = ::SendMessageA(Wnd(), WM_GETDLGCODE, 0, 0);
  EXPECT_TRUE(code & DLGC_WANTARROWS);
  EXPECT_TRUE(code & DLGC_WANTTAB);
  EXPECT_TRUE(code & DLGC_WANTCHARS);
  Hex->SetWantTabs(false);
  EXPECT_FALSE(::SendMessageA(Wnd(), WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);
}

TEST_F(HexWindowTest, TypingInBothPanesAndModes) {
  Load("\x12\x34\x56\x78");
  int fired = 0;
  Hex->OnStateChanged = [&](TObject*) { ++fired; };
  Hex->ChangeByte(3, 0x78, 0x79);
  EXPECT_EQ(fired, 0) << "the state change is posted, not sent";
  Application->ProcessMessages();
  EXPECT_GT(fired, 0);
  Type("ab");
  EXPECT_EQ(Data(), "\xAB\x34\x56\x79");
  Key(VK_TAB);
  EXPECT_TRUE(Hex->CaretInCharPane());
  Type("Q");
  EXPECT_EQ(Data(), "\xABQ\x56\x79");
  Hex->SetAllowInsertMode(true);
  Key(VK_INSERT);
  EXPECT_TRUE(Hex->InsertActive());
  Type("z");
  EXPECT_EQ(Data(), "\xABQz\x56\x79");
  Key(VK_BACK);
  EXPECT_EQ(Data(), "\xABQ\x56\x79");
  Key(VK_DELETE);
  EXPECT_EQ(Data(), "\xABQ\x79");
  Key(VK_TAB, TShiftState{ssShift});
  EXPECT_FALSE(Hex->CaretInCharPane());
  Type("9");
  EXPECT_EQ(Data(), "\xABQ\x90\x79");
  EXPECT_TRUE(Hex->Undo());
  EXPECT_EQ(Data(), "\xABQ\x79");
}

TEST_F(HexWindowTest, AltEntryTypesAnOemCode) {
  Load("abcd");
  Key(VK_TAB);
  // Alt+keypad composition depends on the X keyboard: the key-up of Alt and
  // the character come from here.
  ::SendMessageA(Wnd(), WM_SYSKEYUP, VK_MENU, 0xC0380001);
  ::SendMessageA(Wnd(), WM_CHAR, 0xE9, 0);
  EXPECT_EQ(uint8_t(Data()[0]), OemTables().ToOem[0xE9]);
}

TEST_F(HexWindowTest, MarkersAndSelection) {
  Load(std::string(200, 'm'));
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key('5', TShiftState{ssCtrl, ssShift});
  EXPECT_EQ(Hex->GetMarker(5), 2);
  Key(VK_HOME, TShiftState{ssCtrl});
  EXPECT_EQ(Hex->GetRow(), 0);
  Key('5', TShiftState{ssCtrl});
  EXPECT_EQ(Hex->GetRow(), 2);
  Key(VK_RIGHT, TShiftState{ssShift});
  Key(VK_RIGHT, TShiftState{ssShift});
  Key(VK_RIGHT, TShiftState{ssShift});
  EXPECT_EQ(Hex->GetSelFirst(), 32);
  EXPECT_EQ(Hex->GetSelLast(), 33);
  // The mouse: a press and a drag.
  const TRect a = Hex->Grid().CellRect(4, 0), b = Hex->Grid().CellRect(8, 1);
  ::SendMessageA(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.Left + 2, a.Top + 2));
  ::SendMessageA(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(b.Left + 2, b.Top + 2));
  ::SendMessageA(Wnd(), WM_LBUTTONUP, 0, MAKELPARAM(b.Left + 2, b.Top + 2));
  EXPECT_EQ(Hex->GetSelFirst(), 1);
  EXPECT_EQ(Hex->GetSelLast(), 19);
}

TEST_F(HexWindowTest, ScrollsAndSavesWithABackup) {
  Load(std::string(16 * 500, 's'));
  ::SendMessageA(Wnd(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_GT(Hex->Grid().GetTopRow(), 0);
  ::SendMessageA(Wnd(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(Hex->Grid().GetTopRow(), Hex->Grid().GetMaxTopRow());
  // The bar follows every move, whether or not its thumb had to be drawn
  // again: row by row the thumb stays put, a page moves it.
  auto bar = [&] {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    ::GetScrollInfo(Wnd(), SB_VERT, &si);
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof sbi;
    ::GetScrollBarInfo(Wnd(), OBJID_VSCROLL, &sbi);
    return std::pair{si.nPos, sbi.xyThumbTop};
  };
  const auto bottom = bar();
  EXPECT_EQ(bottom.first, Hex->Grid().GetTopRow());
  ::SendMessageA(Wnd(), WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(bar().first, bottom.first - 1);
  Key(VK_PRIOR);
  Key(VK_PRIOR);
  Application->ProcessMessages();
  EXPECT_EQ(bar().first, Hex->Grid().GetTopRow());
  EXPECT_LT(bar().second, bottom.second);
  Key(VK_NEXT, TShiftState{ssCtrl});
  Type("00");
  ASSERT_TRUE(Hex->SaveToFile(Path("data.bin")));
  EXPECT_EQ(ReadFile("data.bak"), std::string(16 * 500, 's'));
  EXPECT_EQ(ReadFile("data.bin").find('\0'), size_t(Hex->GetCursorPosition() - 1));
}

TEST_F(HexWindowTest, ColoursOnTheScreen) {
  Load("\x12\x34\x56\x78\x9A\xBC");
  Hex->SetMarker(1, 0);
  ClickCell(2, 0);
  Type("7");  // byte 0 changed: maroon on $A8FFFF
  ClickCell(2 + 2 * 4, 0);
  Key(VK_RIGHT, TShiftState{ssShift});
  Key(VK_RIGHT, TShiftState{ssShift});  // byte 4 selected
  Key(VK_LEFT);
  Key(VK_LEFT);
  Key(VK_LEFT);
  Key(VK_LEFT);
  ::SetCaretPos(-50, -50);  // the caret inverts what lies under it
  ::HideCaret(Wnd());
  const TRect changed = Hex->Grid().CellRect(2, 0);
  EXPECT_EQ(Pixel(changed, 0, 0), COLORREF(0xA8FFFF));
  ClickCell(2 + 2 * 4, 0);
  Key(VK_RIGHT, TShiftState{ssShift});
  Key(VK_RIGHT, TShiftState{ssShift});
  ::HideCaret(Wnd());
  const TRect selected = Hex->Grid().CellRect(2 + 2 * 4, 0);
  // Byte 4 is in the third group (odd colour): the background is the group
  // colour, the digit its inverse.
  EXPECT_EQ(Pixel(selected, Hex->GetCharWidth() - 1, 1), COLORREF(ColorToRGB(clBlue)));
  const TRect marker = Hex->Grid().CellRect(1, 0);
  EXPECT_EQ(Pixel(marker, 0, 0), COLORREF(ColorToRGB(clMaroon)));
  // The selected digit's own pixels are the inverse of blue (yellow).
  bool inverse = false;
  HDC dc = ::GetDC(Wnd());
  for (int y = selected.Top; y < selected.Bottom && !inverse; ++y)
    for (int x = selected.Left; x < selected.Left + Hex->GetCharWidth(); ++x)
      if (::GetPixel(dc, x, y) == COLORREF(0x00FFFF)) inverse = true;
  ::ReleaseDC(Wnd(), dc);
  EXPECT_TRUE(inverse);
}

TEST_F(HexWindowTest, PublishedControlProperties) {
  THexEditWindow* view = Form->View;
  for (const char* name : {"Align", "BorderStyle", "Ctl3D", "Enabled", "Font", "GridLineWidth",
                           "ParentCtl3D", "ParentShowHint", "PopupMenu", "ScrollBars", "ShowHint",
                           "TabOrder", "TabStop", "Visible"})
    EXPECT_TRUE(IsPublishedProp(view, name)) << name;
  EXPECT_EQ(GetPropText(view, "GridLineWidth"), "0");
  EXPECT_FALSE(GetPropInfo(view, "GridLineWidth")->IsWritable()) << "the cells must touch";
  EXPECT_EQ(GetPropText(view, "TabStop"), "True");
  EXPECT_EQ(GetPropText(view, "Ctl3D"), "False");

  Load(std::string(16 * 200, 'b'));
  auto style = [&] { return ::GetWindowLongA(Wnd(), GWL_STYLE); };
  auto exStyle = [&] { return ::GetWindowLongA(Wnd(), GWL_EXSTYLE); };
  // By default a flat single border and both scroll bars.
  EXPECT_TRUE(style() & WS_BORDER);
  EXPECT_FALSE(exStyle() & WS_EX_CLIENTEDGE);
  EXPECT_EQ(style() & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
  SetPropText(view, "Ctl3D", "True");
  EXPECT_TRUE(exStyle() & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(style() & WS_BORDER);
  EXPECT_FALSE(view->GetParentCtl3D());
  SetPropText(view, "BorderStyle", "bsNone");
  EXPECT_FALSE(exStyle() & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(style() & WS_BORDER);
  SetPropText(view, "ScrollBars", "ssVertical");
  EXPECT_EQ(style() & (WS_HSCROLL | WS_VSCROLL), WS_VSCROLL);
  // The new window goes on showing the data and taking keys.
  view->SetFocus();
  Key(VK_NEXT);
  Application->ProcessMessages();
  EXPECT_GT(Hex->Grid().GetTopRow(), 0);
  EXPECT_EQ(style() & (WS_HSCROLL | WS_VSCROLL), WS_VSCROLL) << "no bar comes back by itself";

  // The control's font is the view's, "Courier" 12 unless set.
  {
    THexEditWindow fresh(nullptr);
    EXPECT_EQ(fresh.GetFont().Name, "Courier");
    EXPECT_EQ(fresh.GetFont().Height, FontSizeToHeight(12, 96));
    EXPECT_EQ(fresh.GetHex()->GetFont(), fresh.GetFont());
  }
  TFontData font = view->GetFont();
  const int width = Hex->GetCharWidth();
  font.Name = "Courier New";
  font.Height = FontSizeToHeight(20, 96);
  view->SetFont(font);
  EXPECT_EQ(Hex->GetFont().Name, "Courier New");
  EXPECT_GT(Hex->GetCharWidth(), width);
  SetPropText(view, "Align", "alNone");
  EXPECT_EQ(view->GetAlign(), alNone);
}

TEST_F(HexWindowTest, EveryRowShowsItsDigitsInTheirGroupColours) {
  // Painting draws a row's characters of one colour in one call, their
  // advances placing each on its cell: every row gets its digits, each in
  // its group's colour.
  Load(std::string(16 * 4, '\x88'));
  ::SetCaretPos(-50, -50);
  ::HideCaret(Wnd());
  ::InvalidateRect(Wnd(), nullptr, FALSE);
  ::UpdateWindow(Wnd());
  auto has = [&](const TRect& r, TColor color) {
    HDC dc = ::GetDC(Wnd());
    bool found = false;
    for (int y = r.Top; y < r.Bottom && !found; ++y)
      for (int x = r.Left; x < r.Left + Hex->GetCharWidth() && !found; ++x)
        found = ::GetPixel(dc, x, y) == COLORREF(ColorToRGB(color));
    ::ReleaseDC(Wnd(), dc);
    return found;
  };
  for (int row = 0; row < 4; ++row) {
    EXPECT_TRUE(has(Hex->Grid().CellRect(2, row), clBlue)) << row;
    EXPECT_TRUE(has(Hex->Grid().CellRect(6, row), clNavy)) << row;
    EXPECT_FALSE(has(Hex->Grid().CellRect(6, row), clBlue)) << row;
    EXPECT_TRUE(has(Hex->Grid().CellRect(0, row), clBlack)) << row;  // the offset
  }
  EXPECT_FALSE(has(Hex->Grid().CellRect(2, 4), clBlue)) << "no fifth row";
}
