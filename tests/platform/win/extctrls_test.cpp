// The gallery of every standard and common control (saved as gallery.bmp
// for a person to look at), controls without a window over a windowed parent in pixels,
// pictures of the three kinds, panel bevels, the spin edit under real keys
// and clicks, a scroll box and an owner-drawn combo box.
#include "platform/win/Application.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/FormBuilder.h"
#include "platform/win/Forms.h"
#include "platform/win/GridWindow.h"
#include "platform/win/Menus.h"
#include "platform/win/RealInput.h"
#include "platform/win/Screenshot.h"
#include "platform/win/Spin.h"
#include "platform/win/StdCtrls.h"
#include "platform/win/ToolWin.h"
#include "platform/win/WinTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

COLORREF Rgb(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)) & 0xFFFFFF; }

COLORREF PixelOf(const TBitmap& bmp, int x, int y) { return static_cast<COLORREF>(bmp.Pixel(x, y)); }

// A solid bitmap of a colour (owned by whoever takes it).
HBITMAP SolidBitmap(int w, int h, COLORREF color) {
  HDC screen = ::GetDC(nullptr);
  HBITMAP bmp = ::CreateCompatibleBitmap(screen, w, h);
  HDC mem = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(mem, bmp);
  TBrushObject brush(::CreateSolidBrush(color));
  RECT r{0, 0, w, h};
  ::FillRect(mem, &r, brush.Get());
  ::SelectObject(mem, old);
  ::DeleteDC(mem);
  ::ReleaseDC(nullptr, screen);
  return bmp;
}

class TGalleryForm : public TForm {
public:
  explicit TGalleryForm(TComponent* owner) : TForm(owner) {
    SetName("Gallery");
    SetBorderStyle(bsNone);
    SetBounds(0, 0, 640, 620);
    Make<TLabel>(this).Parent(this).Name("Label").Bounds(8, 8, 120, 16).Caption("&Label:");
    Make<TEdit>(this).Parent(this).Name("Edit").Bounds(130, 6, 140, 21).Text("Edit text");
    Make<TButton>(this).Parent(this).Name("Button").Bounds(280, 4, 75, 25).Caption("&Button");
    Make<TCheckBox>(this).Parent(this).Name("Check").Bounds(370, 8, 110, 17).Caption("Check box")
        .With([](TCheckBox* c) { c->SetChecked(true); });
    Make<TRadioButton>(this).Parent(this).Name("Radio").Bounds(490, 8, 120, 17).Caption("Radio button")
        .With([](TRadioButton* r) { r->SetChecked(true); });
    auto* group = Make<TGroupBox>(this).Parent(this).Name("Group").Bounds(8, 36, 180, 90).Caption("Group box").Get();
    Make<TEdit>(this).Parent(group).Name("InGroup").Bounds(10, 24, 150, 21).Text("inside");
    Make<TRadioGroup>(this).Parent(this).Name("RadioGroup").Bounds(196, 36, 180, 90).Caption("Radio group")
        .With([](TRadioGroup* g) {
          g->GetItems()->SetText("First\r\nSecond\r\nThird\r\n");
          g->SetItemIndex(1);
        });
    Make<TMemo>(this).Parent(this).Name("Memo").Bounds(384, 36, 240, 90)
        .With([](TMemo* m) { m->GetLines()->SetText("Memo line one\r\nline two\r\n"); });
    Make<TSpinEdit>(this).Parent(this).Name("Spin").Bounds(8, 136, 80, 21)
        .With([](TSpinEdit* s) { s->SetValue(42); });
    Make<TComboBox>(this).Parent(this).Name("Combo").Bounds(96, 136, 140, 21)
        .With([](TComboBox* c) {
          c->GetItems()->SetText("drop-down\r\nsecond\r\n");
          c->SetItemIndex(0);
        });
    Make<TComboBox>(this).Parent(this).Name("ComboList").Bounds(244, 136, 140, 21)
        .With([](TComboBox* c) {
          c->SetStyle(csDropDownList);
          c->GetItems()->SetText("drop-down list\r\n");
          c->SetItemIndex(0);
        });
    Make<TListBox>(this).Parent(this).Name("List").Bounds(392, 136, 120, 80)
        .With([](TListBox* l) {
          l->GetItems()->SetText("list box\r\nsecond\r\nthird\r\n");
          l->SetItemIndex(0);
        });
    Panel = Make<TPanel>(this).Parent(this).Name("Panel").Bounds(8, 226, 200, 60).Caption("Panel");
    Panel->SetColor(clNavy);
    Panel->GetFontObject()->SetColor(clWhite);
    OnPanel = Make<TLabel>(this).Parent(Panel).Name("OnPanel").Bounds(8, 8, 60, 14).Caption("on panel");
    OnPanel->SetColor(clYellow);
    ClearLabel = Make<TLabel>(this).Parent(Panel).Name("ClearLabel").Bounds(120, 8, 60, 14).Caption("clear");
    ClearLabel->SetTransparent(true);
    auto* book = Make<TNotebook>(this).Parent(this).Name("Book").Bounds(216, 226, 160, 60).Get();
    book->GetPages()->SetText("Page one\r\nPage two\r\n");
    Make<TLabel>(this).Parent(book->FindPage("Page two")).Name("OnPage").Bounds(4, 4, 140, 16).Caption("notebook page two");
    book->SetActivePage("Page two");
    Image = Make<TImage>(this).Parent(this).Name("Image").Bounds(384, 226, 48, 48);
    Image->GetPicture().SetBitmap(SolidBitmap(48, 48, RGB(0, 160, 0)));
    auto* box = Make<TScrollBox>(this).Parent(this).Name("ScrollBox").Bounds(440, 226, 180, 80).Get();
    Make<TButton>(this).Parent(box).Name("Far").Bounds(8, 120, 90, 25).Caption("Scrolled");
    Make<TProgressBar>(this).Parent(this).Name("Progress").Bounds(8, 300, 200, 16)
        .With([](TProgressBar* p) { p->SetPosition(60); });
    AddCommonControls();
  }
  TPanel* Panel;
  TPageControl* Pages;
  TLabel* OnPanel;
  TLabel* ClearLabel;
  TImage* Image;

private:
  // The lower half: bars, tabs, tree, list and grids.
  void AddCommonControls() {
    auto* menu = new TMainMenu(this);
    auto* file = new TMenuItem(this);
    file->SetCaption("&File");
    menu->GetItems()->Add(file);
    auto* open = new TMenuItem(this);
    open->SetCaption("&Open");
    file->Add(open);
    auto* bands = Make<TControlBar>(this).Parent(this).Name("ControlBar").Bounds(8, 324, 300, 30).Get();
    auto* bar = Make<TToolBar>(this).Parent(bands).Name("ToolBar").Bounds(TControlBar::GripWidth, 2, 280, 26)
                    .With([](TToolBar* b) {
                      b->SetAlign(alNone);
                      b->SetShowCaptions(true);
                    })
                    .Get();
    auto* fileButton = new TToolButton(this);
    fileButton->SetMenuItem(file);
    fileButton->SetToolBar(bar);
    for (const char* caption : {"Save", "Wrap"}) {
      auto* b = new TToolButton(this);
      b->SetCaption(caption);
      b->SetHint(caption);
      b->SetToolBar(bar);
    }
    Pages = Make<TPageControl>(this).Parent(this).Name("Pages").Bounds(316, 316, 308, 90);
    for (const char* caption : {"First sheet", "Second sheet"}) {
      auto* sheet = new TTabSheet(this);
      sheet->SetCaption(caption);
      sheet->SetPageControl(Pages);
    }
    Make<TLabel>(this).Parent(Pages->GetPage(0)).Name("OnSheet").Bounds(8, 8, 160, 16).Caption("on the first sheet");
    Make<TTabSet>(this).Parent(this).Name("TabSet").Bounds(8, 360, 300, 26)
        .With([](TTabSet* t) {
          t->GetTabs()->SetText("one.txt\r\ntwo.c\r\n");
          t->SetTabIndex(0);
        });
    Make<TTreeView>(this).Parent(this).Name("Tree").Bounds(8, 414, 180, 150)
        .With([](TTreeView* t) {
          TTreeNode* root = t->AddChild(nullptr, "Site");
          t->AddChild(t->AddChild(root, "htdocs"), "index.html");
          t->AddChild(root, "logs");
          root->Expand(true);
        });
    Make<TListView>(this).Parent(this).Name("ListView").Bounds(196, 414, 220, 150)
        .With([](TListView* l) {
          l->SetViewStyle(vsReport);
          l->AddColumn("Name", 100);
          l->AddColumn("Size", 60);
          l->AddItem("readme.txt", {"1 KB"});
          l->AddItem("main.c", {"4 KB"});
        });
    Make<TStringGridWindow>(this).Parent(this).Name("StringGrid").Bounds(424, 414, 200, 80)
        .With([](TStringGridWindow* g) {
          TStringGrid* grid = g->GetStringGrid();
          grid->SetColCount(3);
          grid->SetRowCount(4);
          grid->SetCells(1, 1, "cell");
        });
    Make<TDrawGridWindow>(this).Parent(this).Name("DrawGrid").Bounds(424, 500, 200, 64);
    Make<TStatusBar>(this).Parent(this).Name("StatusBar")
        .With([](TStatusBar* b) {
          for (const char* text : {"Ln 1, Col 1", "\tInsert", "\t\tANSI"}) {
            TStatusPanel* p = b->AddPanel();
            p->SetWidth(150);
            p->SetText(text);
          }
        });
  }
};

}  // namespace

TEST(ExtCtrls, GalleryShowsEveryControlAndLabelsOverAPanel) {
  auto form = std::make_unique<TGalleryForm>(nullptr);
  form->Show();
  ::UpdateWindow(form->GetHandle());
  PumpFor(200);
  ::RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  std::unique_ptr<TBitmap> shot = Capture(form->GetHandle());
  SaveBitmap(*shot, "gallery.bmp");

  // A label without a window over its windowed parent: its own colour, with
  // the panel's around it; a transparent one shows the panel through.
  TPoint on(form->Panel->GetLeft() + form->OnPanel->GetLeft(), form->Panel->GetTop() + form->OnPanel->GetTop());
  EXPECT_EQ(PixelOf(*shot, on.X + 1, on.Y + 1), RGB(255, 255, 0));
  EXPECT_EQ(PixelOf(*shot, on.X - 2, on.Y + 1), Rgb(clNavy));
  TPoint clear(form->Panel->GetLeft() + form->ClearLabel->GetLeft() + 58,
               form->Panel->GetTop() + form->ClearLabel->GetTop() + 1);
  EXPECT_EQ(PixelOf(*shot, clear.X, clear.Y), Rgb(clNavy));
  // The raised bevel: light on top, dark at the bottom.
  TRect p = form->Panel->GetBoundsRect();
  EXPECT_EQ(PixelOf(*shot, p.Left + 20, p.Top), Rgb(clBtnHighlight));
  EXPECT_EQ(PixelOf(*shot, p.Left + 20, p.Bottom - 1), Rgb(clBtnShadow));
  // A group box is filled with its colour inside its frame.
  EXPECT_EQ(PixelOf(*shot, 8 + 90, 36 + 80), Rgb(clBtnFace));
  // The image's bitmap.
  TRect i = form->Image->GetBoundsRect();
  EXPECT_EQ(PixelOf(*shot, i.Left + 24, i.Top + 24), RGB(0, 160, 0));
}

TEST(ExtCtrls, ImagesShowBitmapsIconsAndMetafilesAndLoadByExtension) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetBounds(0, 0, 200, 100);
  form->SetColor(clWhite);
  auto* image = Make<TImage>(form.get()).Parent(form.get()).Bounds(10, 10, 64, 64).Get();
  image->SetStretch(true);
  form->Show();
  auto centre = [&] {
    ::RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return PixelOf(*Capture(form->GetHandle()), 42, 42);
  };
  image->GetPicture().SetBitmap(SolidBitmap(4, 4, RGB(200, 0, 0)));
  EXPECT_EQ(image->GetPicture().GetWidth(), 4);
  EXPECT_EQ(centre(), RGB(200, 0, 0));  // stretched over the whole control

  HDC ref = ::GetDC(nullptr);
  HDC mf = ::CreateEnhMetaFileA(ref, nullptr, nullptr, nullptr);
  ::ReleaseDC(nullptr, ref);
  TBrushObject blue(::CreateSolidBrush(RGB(0, 0, 200)));
  RECT r{0, 0, 50, 50};
  ::FillRect(mf, &r, blue.Get());
  image->GetPicture().SetMetafile(::CloseEnhMetaFile(mf));
  EXPECT_GT(image->GetPicture().GetWidth(), 0);
  EXPECT_EQ(centre(), RGB(0, 0, 200));

  // An icon made of one colour (the mask lets all of it through).
  HBITMAP color = SolidBitmap(32, 32, RGB(0, 150, 150));
  HBITMAP mask = SolidBitmap(32, 32, RGB(0, 0, 0));
  ICONINFO ii{TRUE, 0, 0, mask, color};
  image->GetPicture().SetIcon(::CreateIconIndirect(&ii));
  ::DeleteObject(color);
  ::DeleteObject(mask);
  EXPECT_EQ(image->GetPicture().GetWidth(), 32);
  EXPECT_EQ(centre(), RGB(0, 150, 150));

  // A bitmap file by its extension; a name of no known kind keeps the picture.
  {
    TBitmap file(8, 8);
    file.Canvas().SetBrushColor(clFuchsia);
    file.Canvas().FillRect(TRect(0, 0, 8, 8));
    SaveBitmap(file, "image_test.bmp");
  }
  image->GetPicture().LoadFromFile("image_test.bmp");
  EXPECT_EQ(centre(), RGB(255, 0, 255));
  EXPECT_THROW(image->GetPicture().LoadFromFile("image_test.xyz"), EComponentError);
  EXPECT_THROW(image->GetPicture().LoadFromFile("missing.bmp"), EComponentError);
  EXPECT_EQ(centre(), RGB(255, 0, 255));
  ::DeleteFileA("image_test.bmp");
  image->GetPicture().Clear();
  EXPECT_EQ(centre(), Rgb(image->GetColor()));  // an empty image shows its colour
}

TEST(ExtCtrls, SpinEditStepsWithArrowKeysAndItsButtonsWithinItsRange) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetBounds(100, 100, 200, 80);
  auto* spin = Make<TSpinEdit>(form.get()).Parent(form.get()).Bounds(10, 10, 80, 24).Get();
  spin->SetMinValue(1);
  spin->SetMaxValue(5);
  spin->SetValue(3);
  int changes = 0;
  spin->OnChange = [&](TObject*) { ++changes; };
  form->Show();
  ASSERT_TRUE(BringToFront(form->GetHandle()));
  spin->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return spin->Focused(); }));
  // Input goes through the wine server and may take a while under load, so
  // every step waits for its effect rather than for a fixed time.
  auto reaches = [&](int v) { return PumpUntil([&] { return spin->GetValue() == v; }); };
  PressKey(VK_UP);
  EXPECT_TRUE(reaches(4));
  PressKey(VK_DOWN);
  EXPECT_TRUE(reaches(3));
  PressKey(VK_DOWN);
  EXPECT_TRUE(reaches(2));
  EXPECT_EQ(changes, 3);
  // The up-down's upper half steps up, its lower half down; the range holds.
  RECT ud{};
  ::GetWindowRect(spin->GetUpDownHandle(), &ud);
  int x = (ud.left + ud.right) / 2;
  // Clicks apart by more than the double-click time: two quick ones on one
  // spot would be a double click.
  const int apart = int(::GetDoubleClickTime()) + 50;
  for (int v = 3; v <= 5; ++v) {
    ClickAt(x, ud.top + 3);
    EXPECT_TRUE(reaches(v));
    PumpFor(apart);
  }
  // Two more up clicks at the top, then one down: input arrives in order, so
  // the down click lands after them and gives 4 only if they stayed at 5.
  for (int i = 0; i < 2; ++i) {
    ClickAt(x, ud.top + 3);
    PumpFor(apart);
  }
  ClickAt(x, ud.bottom - 3);
  EXPECT_TRUE(reaches(4));
  EXPECT_EQ(spin->GetValue(), 4);
  EXPECT_EQ(spin->GetText(), "4");
  // Typed text that is no number reads as the minimum.
  spin->SetText("abc");
  EXPECT_EQ(spin->GetValue(), 1);
}

TEST(ExtCtrls, ScrollBoxScrollsChildrenThatReachBeyondIt) {
  auto form = std::make_unique<TForm>(nullptr);
  auto* box = Make<TScrollBox>(form.get()).Parent(form.get()).Bounds(0, 0, 100, 100).Get();
  auto* below = Make<TButton>(form.get()).Parent(box).Bounds(10, 200, 50, 25).Get();
  form->Show();
  SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
  ::GetScrollInfo(box->GetHandle(), SB_VERT, &si);
  EXPECT_EQ(si.nMax, 224);
  ::SendMessageA(box->GetHandle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(box->GetScrollPos().Y, 8);
  EXPECT_EQ(below->GetTop(), 192);
  ::SendMessageA(box->GetHandle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(below->GetTop() + below->GetHeight(), box->GetClientHeight());
  ::SendMessageA(box->GetHandle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(below->GetTop(), 200);
}

TEST(ExtCtrls, OwnerDrawnComboBoxDrawsItsItemsThroughTheEvent) {
  auto form = std::make_unique<TForm>(nullptr);
  auto* combo = Make<TComboBox>(form.get()).Parent(form.get()).Bounds(10, 10, 120, 20).Get();
  combo->SetStyle(csOwnerDrawFixed);
  combo->SetItemHeight(18);
  combo->GetItems()->SetText("red\r\ngreen\r\n");
  combo->SetItemIndex(1);
  std::vector<int> drawn;
  bool editPart = false;
  combo->OnDrawItem = [&](TWinControl* c, int index, const TRect& rect, TOwnerDrawState state) {
    drawn.push_back(index);
    editPart = editPart || state.Contains(odComboBoxEdit);
    static_cast<TComboBox*>(c)->GetCanvas()->FillRect(rect);
  };
  form->Show();
  ::UpdateWindow(combo->GetHandle());
  PumpFor(50);
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back(), 1);
  EXPECT_TRUE(editPart);
  EXPECT_EQ(::SendMessageA(combo->GetHandle(), CB_GETITEMHEIGHT, 0, 0), 18);
}
