// The speed button under Wine with the real mouse: groups, clicks, the
// drop-down menu, the repeat timer, and the faces it paints.
#include "kit/win/RxCtrls.h"

#include "MouseInput.h"
#include "platform/win/Forms.h"
#include "platform/win/InputSupport.h"
#include "platform/win/Menus.h"
#include "platform/win/Screenshot.h"
#include "platform/win/Timer.h"

#include <gtest/gtest.h>

#include <memory>

TQ_TEST_APPLICATION();

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

// A 16 x 16 glyph: a red 10 x 10 square on the transparent colour.
HBITMAP RedSquareGlyph() {
  TBitmap b(16, 16);
  TBrushObject back(::CreateSolidBrush(kMagenta)), red(::CreateSolidBrush(kRed));
  RECT all{0, 0, 16, 16}, square{3, 3, 13, 13};
  ::FillRect(b.DC(), &all, back.Get());
  ::FillRect(b.DC(), &square, red.Get());
  TWindowDC screen(nullptr);
  HBITMAP copy = ::CreateCompatibleBitmap(screen.Get(), 16, 16);
  TMemoryDC mem(screen.Get());
  TSelectObject sel(mem.Get(), copy);
  ::BitBlt(mem.Get(), 0, 0, 16, 16, b.DC(), 0, 0, SRCCOPY);
  return copy;
}

struct SpeedButton : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 300, 200);
  }
  TRxSpeedButton* Add(int left, int top = 10) {
    auto* b = new TRxSpeedButton(form.get());
    b->SetParent(form.get());
    b->SetBounds(left, top, 40, 30);
    return b;
  }
  void ShowForm() {
    form->Show();
    ASSERT_TRUE(ActivateForInput(form->GetHandle()));
  }
  void Click(TControl* c) {
    const TPoint p = ScreenCenterOf(c);
    MousePress(p.X, p.Y);
    MouseRelease();
  }
  void TearDown() override {
    form.reset();
    PumpFor(20);
  }
  std::unique_ptr<TForm> form;
};

TEST_F(SpeedButton, PressingTheSecondOfAGroupRaisesTheFirst) {
  auto* b1 = Add(10);
  auto* b2 = Add(60);
  b1->SetGroupIndex(1);
  b2->SetGroupIndex(1);
  int clicks = 0;
  b2->OnClick = [&](TObject*) { ++clicks; };
  b1->SetDown(true);
  ShowForm();
  Click(b2);
  EXPECT_TRUE(b2->GetDown());
  EXPECT_FALSE(b1->GetDown());
  EXPECT_EQ(b2->GetState(), rbsExclusive);
  EXPECT_EQ(clicks, 1);
  // Down again without AllowAllUp: it stays down and clicks nothing.
  Click(b2);
  EXPECT_TRUE(b2->GetDown());
  EXPECT_EQ(clicks, 1);
  // AllowAllUp spreads to the group and lets the button go up.
  b2->SetAllowAllUp(true);
  EXPECT_TRUE(b1->GetAllowAllUp());
  Click(b2);
  EXPECT_FALSE(b2->GetDown());
  EXPECT_EQ(clicks, 1);
  // Down outside a group is refused.
  auto* plain = Add(110);
  plain->SetDown(true);
  EXPECT_FALSE(plain->GetDown());
}

TEST_F(SpeedButton, AClickSetsTheModalResultAndTheAcceleratorClicks) {
  auto* b = Add(10);
  b->SetCaption("&Open");
  b->SetModalResult(mrOk);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  ShowForm();
  Click(b);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->GetModalResult(), mrOk);
  // A release outside clicks nothing.
  const TPoint p = ScreenCenterOf(b);
  MousePress(p.X, p.Y);
  EXPECT_EQ(b->GetState(), rbsDown);
  MouseMoveTo(p.X + 100, p.Y);
  EXPECT_EQ(b->GetState(), rbsUp);
  MouseRelease();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(b->DialogChar('o'));
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(b->DialogChar('x'));
  b->SetEnabled(false);
  EXPECT_FALSE(b->DialogChar('o'));
  EXPECT_EQ(clicks, 2);
}

TEST_F(SpeedButton, ClickingTheButtonWhileItsMenuIsOpenClosesItForGood) {
  auto* menu = new TPopupMenu(form.get());
  for (const char* c : {"One", "Two"}) {
    auto* item = new TMenuItem(form.get());
    item->SetCaption(c);
    menu->GetItems()->Add(item);
  }
  int popups = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  auto* b = Add(10);
  b->SetDropDownMenu(menu);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  ShowForm();
  bool clickedAgain = false;
  const TPoint p = ScreenCenterOf(b);
  WhenMenuOpen([&] {
    EXPECT_TRUE(b->MenuShowing());
    SendClick(p.X, p.Y);
    clickedAgain = true;
    // Should the menu open again, close it so the test fails instead of hanging.
    RunLater(800, [] {
      if (OpenMenuWindow()) SendKey(VK_ESCAPE);
    });
  });
  MousePress(p.X, p.Y);
  ASSERT_TRUE(PumpUntil([&] { return clickedAgain; }));
  MouseRelease();
  PumpFor(1200);
  EXPECT_EQ(popups, 1) << "the menu opened again";
  EXPECT_EQ(clicks, 0);
  EXPECT_FALSE(b->MenuShowing());
  EXPECT_EQ(b->GetState(), rbsUp);
  EXPECT_EQ(menu->GetPopupComponent(), b);
  // A freed menu is forgotten.
  delete menu;
  EXPECT_EQ(b->GetDropDownMenu(), nullptr);
}

TEST_F(SpeedButton, ARightAlignedMenuOpensJustRightOfTheButtonBelowIt) {
  auto* menu = new TPopupMenu(form.get());
  auto* item = new TMenuItem(form.get());
  item->SetCaption("A long item caption");
  menu->GetItems()->Add(item);
  menu->SetAlignment(paRight);
  auto* b = Add(150);
  b->SetDropDownMenu(menu);
  ShowForm();
  RECT at{};
  bool seen = false;
  WhenMenuOpen([&] {
    ::GetWindowRect(OpenMenuWindow(), &at);
    seen = true;
    SendKey(VK_ESCAPE);
  });
  const TPoint p = ScreenCenterOf(b);
  MousePress(p.X, p.Y);
  ASSERT_TRUE(PumpUntil([&] { return seen; }));
  MouseRelease();
  const TPoint bottomRight = b->ClientToScreen(TPoint(b->GetWidth(), b->GetHeight()));
  EXPECT_EQ(at.right, bottomRight.X + 1);
  EXPECT_EQ(at.top, bottomRight.Y);
}

// The timer the button repeats by (its own component).
TTimer* RepeatTimerOf(TRxSpeedButton* b) {
  for (int i = 0; i < b->GetComponentCount(); ++i)
    if (auto* t = dynamic_cast<TTimer*>(b->GetComponent(i))) return t;
  return nullptr;
}

TEST_F(SpeedButton, RepeatsWhileHeld) {
  auto* b = Add(10);
  b->SetAllowTimer(true);
  b->SetInitPause(300);
  b->SetRepeatInterval(30);
  // Real mouse input arrives when it arrives: the checks follow the
  // button's own state rather than the clock.
  int repeats = 0, others = 0;
  b->OnClick = [&](TObject*) { ++(b->GetState() == rbsDown ? repeats : others); };
  ShowForm();
  const TPoint p = ScreenCenterOf(b);
  MousePress(p.X, p.Y);
  ASSERT_TRUE(PumpUntil([&] { return b->GetState() == rbsDown; }));
  // Pressed: the button waits the initial pause before its first repeat,
  // then repeats at the shorter interval.
  TTimer* timer = RepeatTimerOf(b);
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(repeats, 0);
  EXPECT_TRUE(timer->GetEnabled());
  EXPECT_EQ(timer->GetInterval(), 300u);
  EXPECT_TRUE(PumpUntil([&] { return repeats >= 1; })) << repeats;
  EXPECT_EQ(timer->GetInterval(), 30u);
  EXPECT_TRUE(PumpUntil([&] { return repeats >= 4; })) << repeats;
  MouseRelease();
  ASSERT_TRUE(PumpUntil([&] { return b->GetState() != rbsDown; }));
  const int held = repeats;
  PumpFor(150);
  EXPECT_EQ(others, 1) << "the release clicks once more";
  EXPECT_EQ(repeats, held) << "the timer stopped";
}

int Level(TColor c) { return (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF); }

// The button painted off screen, for pixel checks.
std::unique_ptr<TBitmap> Face(TRxSpeedButton* b, const char* file) {
  auto bmp = std::make_unique<TBitmap>(b->GetWidth(), b->GetHeight());
  b->PaintOn(bmp->DC());
  SaveBitmap(*bmp, file);
  return bmp;
}

TEST_F(SpeedButton, Faces) {
  HBITMAP glyph = RedSquareGlyph();
  auto* b = Add(10);
  b->SetGlyph(glyph);
  ShowForm();
  const TColor face = static_cast<TColor>(::GetSysColor(COLOR_BTNFACE));
  const TColor highlight = static_cast<TColor>(::GetSysColor(COLOR_BTNHIGHLIGHT));
  const TColor shadow = static_cast<TColor>(::GetSysColor(COLOR_BTNSHADOW));
  // Glyph centred: (40 - 16) / 2 = 12 across; (30 - 16) / 2 = 7 down, inside a 1-pixel frame.
  auto up = Face(b, "speedbutton_up.bmp");
  EXPECT_EQ(up->Pixel(12 + 3, 7 + 3), 0x0000FF);
  EXPECT_EQ(up->Pixel(12 + 2, 7 + 2), face) << "transparent around the glyph";
  EXPECT_GT(Level(up->Pixel(0, 0)), Level(up->Pixel(39, 29))) << "raised: light at the top left";

  // Held down in a group: sunken, glyph one pixel lower right, dithered face.
  b->SetGroupIndex(1);
  b->SetDown(true);
  auto down = Face(b, "speedbutton_down.bmp");
  EXPECT_NE(down->Pixel(12 + 3, 7 + 3), 0x0000FF) << "the glyph moved";
  EXPECT_EQ(down->Pixel(12 + 4, 7 + 4), 0x0000FF);
  EXPECT_NE(down->Pixel(5, 5), down->Pixel(6, 5)) << "dithered";
  EXPECT_LT(Level(down->Pixel(0, 0)), Level(down->Pixel(39, 29))) << "sunken: dark at the top left";
  b->SetAllowAllUp(true);
  b->SetDown(false);

  // Flat: no frame and a grayed glyph while the mouse is away; the frame and
  // colours come back under the mouse.
  b->SetFlat(true);
  auto flat = Face(b, "speedbutton_flat.bmp");
  EXPECT_EQ(flat->Pixel(12 + 3, 7 + 3), 0x4C4C4C);
  EXPECT_EQ(flat->Pixel(0, 0), face);
  const TPoint p = ScreenCenterOf(b);
  MouseMoveTo(p.X, p.Y);
  ASSERT_TRUE(PumpUntil([&] { return b->MouseInside(); }));
  auto hover = Face(b, "speedbutton_flat_hover.bmp");
  EXPECT_EQ(hover->Pixel(12 + 3, 7 + 3), 0x0000FF);
  EXPECT_NE(hover->Pixel(0, 0), face) << "the frame shows";
  MouseMoveTo(p.X + 200, p.Y);
  ASSERT_TRUE(PumpUntil([&] { return !b->MouseInside(); }));

  // Transparent: the parent's background behind the glyph.
  form->SetColor(clWhite);
  b->SetTransparent(true);
  auto clear = Face(b, "speedbutton_transparent.bmp");
  EXPECT_EQ(clear->Pixel(12 + 2, 7 + 2), clWhite);
  b->SetTransparent(false);

  // Disabled: embossed, the shape in the shadow colour with a highlight
  // below and right of it.
  b->SetEnabled(false);
  auto disabled = Face(b, "speedbutton_grayed.bmp");
  EXPECT_EQ(disabled->Pixel(12 + 3, 7 + 3), shadow);
  EXPECT_EQ(disabled->Pixel(12 + 13, 7 + 13), highlight);
  ::DeleteObject(glyph);
}

TEST_F(SpeedButton, ButtonsOfOneGlyphSizeShareAList) {
  const int lists = TGlyphCache::Instance().ListCount();
  HBITMAP glyph = RedSquareGlyph();
  {
    auto* a = Add(10);
    auto* b = Add(60);
    a->SetGlyph(glyph);
    b->SetGlyph(glyph);
    auto fa = Face(a, "glyph_a.bmp");
    auto fb = Face(b, "glyph_b.bmp");
    EXPECT_EQ(TGlyphCache::Instance().ListCount(), lists + 1);
    delete a;
    EXPECT_EQ(TGlyphCache::Instance().ListCount(), lists + 1);
    delete b;
  }
  EXPECT_EQ(TGlyphCache::Instance().ListCount(), lists);
  ::DeleteObject(glyph);
}

}  // namespace
