// The link label under Wine with the real mouse: colours by state, fitting
// its text, the status-bar panel, opening its target, and a label freed
// while its click is still being handled.
#include "kit/win/HyperLink.h"

#include "MouseInput.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/Forms.h"
#include "platform/win/InputSupport.h"
#include "platform/win/Screenshot.h"
#include "platform/win/Shell.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

struct HyperLink : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 300, 200);
    form->SetColor(clWhite);
    link = new THyperLink(form.get());
    link->SetParent(form.get());
    link->SetLeft(20);
    link->SetTop(20);
    link->SetFont(TFontData{"Liberation Sans", -16, {fsUnderline}, link->GetFont().Color});
    link->SetCaption("Tarnquill home");
    link->SetHREF("http://tarnquill.invalid/");
    SetShellOpenFunc([this](const std::string& target, const std::string&, const std::string&, int,
                            const std::string& verb) {
      opened.push_back(verb + " " + target);
      return true;
    });
  }
  void ShowForm() {
    form->Show();
    ASSERT_TRUE(ActivateForInput(form->GetHandle()));
  }
  void TearDown() override {
    MouseRelease();
    SetShellOpenFunc(nullptr);
    form.reset();
  }
  // How many pixels of the label show the colour.
  int PixelsOf(TColor color) {
    auto shot = Capture(form->GetHandle());
    int n = 0;
    for (int y = link->GetTop(); y < link->GetTop() + link->GetHeight(); ++y)
      for (int x = link->GetLeft(); x < link->GetLeft() + link->GetWidth(); ++x)
        if (shot->Pixel(x, y) == color) ++n;
    return n;
  }

  std::unique_ptr<TForm> form;
  THyperLink* link = nullptr;
  std::vector<std::string> opened;
};

TEST_F(HyperLink, DefaultsAndFitting) {
  THyperLink fresh(nullptr);
  EXPECT_EQ(fresh.GetWidth(), 55);
  EXPECT_EQ(fresh.GetHeight(), 14);
  EXPECT_EQ(fresh.GetColor(), clSilver);
  EXPECT_EQ(fresh.GetFont().Color, clBlue);
  EXPECT_TRUE(fresh.GetFont().Style.Contains(fsUnderline));
  EXPECT_FALSE(fresh.GetShowAccelChar());
  EXPECT_EQ(fresh.GetCursor(), crHyperLink);
  EXPECT_EQ(Screen->GetCursors(crHyperLink), ::LoadCursorA(::GetModuleHandleA(nullptr), "NETSCCUR"));

  // The caption sets the size: its extent plus the border metrics.
  const auto extent = [&](const std::string& text) {
    TWindowDC dc(nullptr);
    auto f = AcquireFont(link->GetFont());
    TSelectObject sel(dc.Get(), f->Get());
    SIZE s{};
    ::GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &s);
    return s;
  };
  SIZE s = extent("Tarnquill home");
  EXPECT_EQ(link->GetWidth(), s.cx + ::GetSystemMetrics(SM_CXBORDER));
  EXPECT_EQ(link->GetHeight(), s.cy + ::GetSystemMetrics(SM_CYBORDER));
  EXPECT_EQ(link->GetLeft(), 20);
  // Italic leans out: one character more.
  TFontData f = link->GetFont();
  f.Style.Include(fsItalic);
  link->SetFont(f);
  EXPECT_EQ(link->GetWidth(), extent("Tarnquill home,").cx + ::GetSystemMetrics(SM_CXBORDER));
}

TEST_F(HyperLink, AFontColourSetWhileIdleBecomesTheNormalColour) {
  TFontData f = link->GetFont();
  f.Color = clBlack;
  link->SetFont(f);
  EXPECT_EQ(link->GetNotPressedColor(), clBlack);
}

TEST_F(HyperLink, HoverAndPressColoursFollowTheMouse) {
  auto* bar = new TStatusBar(form.get());
  bar->SetParent(form.get());
  bar->AddPanel();
  bar->AddPanel();
  link->SetStatusBar(bar);
  link->SetStatusPanelNo(1);
  ShowForm();
  const TPoint at = ScreenCenterOf(link);
  PumpFor(50);
  EXPECT_GT(PixelsOf(clBlue), 0);
  MouseMoveTo(at.X, at.Y);
  EXPECT_EQ(link->GetFont().Color, clGreen);
  EXPECT_GT(PixelsOf(clGreen), 0);
  EXPECT_EQ(bar->GetPanel(1)->GetText(), "http://tarnquill.invalid/");
  EXPECT_EQ(bar->GetPanel(0)->GetText(), "");
  MousePress(at.X, at.Y);
  EXPECT_EQ(link->GetFont().Color, clRed);
  EXPECT_GT(PixelsOf(clRed), 0);
  // Held and moved out: the normal colour; back in: pressed again.
  MouseMoveTo(at.X, at.Y + 100);
  EXPECT_EQ(link->GetFont().Color, clBlue);
  MouseMoveTo(at.X, at.Y);
  EXPECT_EQ(link->GetFont().Color, clRed);
  SaveBitmap(*Capture(form->GetHandle()), "hyperlink_pressed.bmp");
  MouseMoveTo(at.X, at.Y + 100);
  MouseRelease();
  EXPECT_TRUE(opened.empty()) << "released outside";
  EXPECT_EQ(link->GetFont().Color, clBlue);
  // Leaving the label ends the hover colour.
  MouseMoveTo(at.X, at.Y);
  EXPECT_EQ(link->GetFont().Color, clGreen);
  MouseMoveTo(at.X + 250, at.Y + 150);
  ASSERT_TRUE(PumpUntil([&] { return link->GetFont().Color == clBlue; }));
}

TEST_F(HyperLink, APanelTheBarLacksGetsNothingAndAFreedBarIsForgotten) {
  auto* bar = new TStatusBar(form.get());
  bar->SetParent(form.get());
  bar->AddPanel();
  link->SetStatusBar(bar);
  link->SetStatusPanelNo(5);
  ShowForm();
  const TPoint at = ScreenCenterOf(link);
  MouseMoveTo(at.X, at.Y);
  MouseMoveTo(at.X + 1, at.Y);
  EXPECT_EQ(bar->GetPanel(0)->GetText(), "");
  delete bar;
  EXPECT_EQ(link->GetStatusBar(), nullptr);
  MouseMoveTo(at.X + 2, at.Y);
  EXPECT_EQ(link->GetFont().Color, clGreen) << "only the colour changes";
}

TEST_F(HyperLink, AClickInsideOpensTheTarget) {
  ShowForm();
  const TPoint at = ScreenCenterOf(link);
  MousePress(at.X, at.Y);
  MouseRelease();
  EXPECT_EQ(opened, std::vector<std::string>{"open http://tarnquill.invalid/"});
  link->SetHREF("");
  MousePress(at.X, at.Y);
  MouseRelease();
  EXPECT_EQ(opened.size(), 1u) << "an empty target opens nothing";
}

TEST_F(HyperLink, ALabelFreedWhileItsClickIsHandledOpensWhatWasClicked) {
  ShowForm();
  int clicks = 0;
  // A handler that runs while the label lets messages through: it changes
  // the target and frees the label.
  constexpr UINT kFree = WM_APP + 9;
  const int hook = Application->HookMainWindow([&](TMessage& m) {
    if (m.Msg != kFree) return false;
    link->SetHREF("http://elsewhere.invalid/");
    delete link;
    link = nullptr;
    return true;
  });
  link->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) {
    ::PostMessageA(Application->GetHandle(), kFree, 0, 0);
  };
  link->OnClick = [&](TObject*) { ++clicks; };
  const TPoint at = ScreenCenterOf(link);
  MousePress(at.X, at.Y);
  MouseRelease();
  PumpFor(50);
  EXPECT_EQ(link, nullptr);
  EXPECT_EQ(opened, std::vector<std::string>{"open http://tarnquill.invalid/"});
  EXPECT_EQ(clicks, 0) << "a freed label is not clicked";
  Application->UnhookMainWindow(hook);
}

TEST_F(HyperLink, OpensAProgramForReal) {
  SetShellOpenFunc(nullptr);
  const std::string marker = std::string(TQ_MARKER_EXE) + ".ran";
  ::DeleteFileA(marker.c_str());
  link->SetHREF(TQ_MARKER_EXE);
  ShowForm();
  const TPoint at = ScreenCenterOf(link);
  MousePress(at.X, at.Y);
  MouseRelease();
  EXPECT_TRUE(PumpUntil([&] { return ::GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; },
                        10000));
  ::DeleteFileA(marker.c_str());
}

}  // namespace
