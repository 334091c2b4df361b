// The splitter dragged with the real mouse under Wine: resizing, the limits,
// the exclusive-or line, and the ways a drag ends without resizing (Escape
// whichever control has the focus, the capture taken away, a handler that
// raises).
#include "kit/win/RxSplit.h"

#include "MouseInput.h"
#include "platform/win/Forms.h"
#include "platform/win/InputSupport.h"
#include "platform/win/Screenshot.h"
#include "platform/win/StdCtrls.h"

#include <gtest/gtest.h>

#include <memory>

TQ_TEST_APPLICATION();

namespace {

struct Splitter : ::testing::Test {
  // A form: a pane at one edge, the splitter beside it, a client list with
  // an edit that holds the focus.
  void Build(TAlign paneAlign, int paneSize = 120) {
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 400, 300);
    pane = new TPanel(form.get());
    pane->SetParent(form.get());
    pane->SetColor(clWhite);
    pane->SetAlign(paneAlign);
    if (paneAlign == alLeft || paneAlign == alRight)
      pane->SetWidth(paneSize);
    else
      pane->SetHeight(paneSize);
    splitter = new TRxSplitter(form.get());
    splitter->SetParent(form.get());
    splitter->SetColor(clBlack);
    splitter->SetAlign(paneAlign);
    list = new TPanel(form.get());
    list->SetParent(form.get());
    list->SetAlign(alClient);
    list->SetColor(clWhite);
    edit = new TEdit(form.get());
    edit->SetParent(list);
    edit->SetBounds(150, 10, 100, 21);
    splitter->OnPosChanged = [this](TObject*) { ++changed; };
    form->Show();
    ASSERT_TRUE(ActivateForInput(form->GetHandle()));
    edit->SetFocus();
    PumpFor(50);
  }
  void TearDown() override {
    MouseRelease();
    form.reset();
    PumpFor(20);
  }
  // The form's client pixel at a point of the form.
  TColor FormPixel(int x, int y) { return Capture(form->GetHandle())->Pixel(x, y); }

  std::unique_ptr<TForm> form;
  TPanel* pane = nullptr;
  TRxSplitter* splitter = nullptr;
  TPanel* list = nullptr;
  TEdit* edit = nullptr;
  int changed = 0;
};

TEST_F(Splitter, DraggingResizesTheLeftPaneWithALineOnTheForm) {
  Build(alLeft);
  EXPECT_EQ(splitter->GetControlFirst(), pane);
  EXPECT_EQ(splitter->GetWidth(), 3);
  EXPECT_EQ(splitter->GetCursor(), crHSplit);
  const TPoint at = ScreenCenterOf(splitter);
  const TColor before = FormPixel(161, 150);
  MousePress(at.X, at.Y);
  ASSERT_TRUE(splitter->Dragging());
  EXPECT_FALSE(Application->GetShowHint());
  EXPECT_EQ(::GetCapture(), splitter->GetHandle());
  MouseMoveTo(at.X + 20, at.Y);
  MouseMoveTo(at.X + 40, at.Y + 10);
  auto shot = Capture(form->GetHandle());
  SaveBitmap(*shot, "splitter_xor_line.bmp");
  // The line is drawn inverted across the bar's new place, over the list.
  EXPECT_EQ(shot->Pixel(161, 150), before ^ 0xFFFFFF);
  EXPECT_EQ(shot->Pixel(161, 1), before ^ 0xFFFFFF) << "the line spans the bar";
  EXPECT_EQ(pane->GetWidth(), 120) << "nothing moves before the release";
  MouseRelease();
  EXPECT_FALSE(splitter->Dragging());
  EXPECT_EQ(pane->GetWidth(), 160);
  EXPECT_EQ(splitter->GetLeft(), 160);
  EXPECT_EQ(changed, 1);
  EXPECT_TRUE(Application->GetShowHint());
  EXPECT_EQ(::GetCapture(), nullptr);
  PumpFor(50);
  EXPECT_EQ(FormPixel(200, 150), clWhite) << "the line is gone";
}

TEST_F(Splitter, ABarOnAnotherEdgeThanItsPaneDoesNothing) {
  Build(alLeft);
  splitter->SetAlign(alTop);
  EXPECT_EQ(splitter->SplitStyle(), 0);
  EXPECT_EQ(splitter->GetCursor(), crDefault);
  const TPoint at = ScreenCenterOf(splitter);
  MousePress(at.X, at.Y);
  EXPECT_FALSE(splitter->Dragging());
  MouseMoveTo(at.X, at.Y + 30);
  MouseRelease();
  EXPECT_EQ(pane->GetWidth(), 120);
  EXPECT_EQ(changed, 0);
}

TEST_F(Splitter, TheLimitStopsTheLineAndShowsTheNoDropCursor) {
  Build(alLeft);
  splitter->SetTopLeftLimit(50);
  const TPoint at = ScreenCenterOf(splitter);
  MousePress(at.X, at.Y);
  MouseMoveTo(at.X - 20, at.Y);
  EXPECT_NE(::GetCursor(), ::LoadCursorA(nullptr, IDC_NO));
  MouseMoveTo(at.X - 100, at.Y);
  EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_NO));
  MouseRelease();
  EXPECT_EQ(pane->GetWidth(), 50);
  EXPECT_EQ(changed, 1);
}

TEST_F(Splitter, ARightPaneGrowsWhenTheBarGoesLeft) {
  Build(alRight, 100);
  EXPECT_EQ(splitter->GetControlFirst(), pane);
  const TPoint at = ScreenCenterOf(splitter);
  MousePress(at.X, at.Y);
  MouseMoveTo(at.X - 40, at.Y);
  MouseRelease();
  EXPECT_EQ(pane->GetWidth(), 140);
}

TEST_F(Splitter, ABottomPaneShrinksWhenTheBarGoesDown) {
  Build(alBottom, 100);
  EXPECT_EQ(splitter->GetCursor(), crVSplit);
  const TPoint at = ScreenCenterOf(splitter);
  MousePress(at.X, at.Y);
  MouseMoveTo(at.X, at.Y + 30);
  MouseRelease();
  EXPECT_EQ(pane->GetHeight(), 70);
}

// What every interrupted drag leaves: no resize, no OnPosChanged, the line
// erased, capture, hints and keys back.
void ExpectCleanEnd(Splitter& t, TColor untouched) {
  EXPECT_FALSE(t.splitter->Dragging());
  EXPECT_EQ(t.pane->GetWidth(), 120);
  EXPECT_EQ(t.changed, 0);
  EXPECT_TRUE(Application->GetShowHint());
  EXPECT_NE(::GetCapture(), t.splitter->GetHandle());
  PumpFor(50);
  EXPECT_EQ(t.FormPixel(161, 150), untouched) << "the line is erased";
  // Releasing the button afterwards changes nothing either.
  MouseRelease();
  EXPECT_EQ(t.pane->GetWidth(), 120);
  EXPECT_EQ(t.changed, 0);
}

TEST_F(Splitter, EscapeEndsTheDragWhileAnEditHasTheFocus) {
  Build(alLeft);
  const TColor before = FormPixel(161, 150);
  const TPoint at = ScreenCenterOf(splitter);
  MousePress(at.X, at.Y);
  MouseMoveTo(at.X + 40, at.Y);
  ASSERT_TRUE(splitter->Dragging());
  ASSERT_EQ(::GetFocus(), edit->GetHandle());
  // Other keys still go to the focused control.
  SendKey('A');
  PumpFor(50);
  EXPECT_EQ(edit->GetText(), "a");
  ASSERT_TRUE(splitter->Dragging());
  SendKey(VK_ESCAPE);
  PumpFor(50);
  ExpectCleanEnd(*this, before);
}

TEST_F(Splitter, LosingTheCaptureEndsTheDrag) {
  Build(alLeft);
  const TColor before = FormPixel(161, 150);
  const TPoint at = ScreenCenterOf(splitter);
  MousePress(at.X, at.Y);
  MouseMoveTo(at.X + 40, at.Y);
  ASSERT_TRUE(splitter->Dragging());
  // Another window takes the mouse, as a timer of some other part might.
  bool taken = false;
  RunLater(10, [&] {
    ::SetCapture(list->GetHandle());
    taken = true;
  });
  ASSERT_TRUE(PumpUntil([&] { return taken; }));
  PumpFor(30);
  ::ReleaseCapture();
  ExpectCleanEnd(*this, before);
}

TEST_F(Splitter, AHandlerThatRaisesEndsTheDrag) {
  Build(alLeft);
  const TColor before = FormPixel(161, 150);
  int reported = 0;
  Application->OnException = [&](TObject*, const Exception&) { ++reported; };
  const TPoint at = ScreenCenterOf(splitter);
  MousePress(at.X, at.Y);
  splitter->OnPosChanging = [](TObject*, int x, int, bool&) {
    if (x > 20) throw Exception("refused");
  };
  MouseMoveTo(at.X + 40, at.Y);
  EXPECT_EQ(reported, 1);
  Application->OnException = nullptr;
  ExpectCleanEnd(*this, before);
}

TEST_F(Splitter, ARefusedReleaseUsesTheLastLine) {
  Build(alLeft);
  const TPoint at = ScreenCenterOf(splitter);
  splitter->OnPosChanging = [](TObject*, int x, int, bool& allow) { allow = x <= 30; };
  MousePress(at.X, at.Y);
  MouseMoveTo(at.X + 30, at.Y);
  MouseMoveTo(at.X + 60, at.Y);
  EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_NO));
  MouseRelease();
  EXPECT_EQ(pane->GetWidth(), 180) << "refusal only changes the cursor while moving";
}

TEST_F(Splitter, AFreedPaneIsForgotten) {
  Build(alLeft);
  delete pane;
  pane = nullptr;
  EXPECT_EQ(splitter->GetControlFirst(), nullptr);
  EXPECT_EQ(splitter->SplitStyle(), 0);
  // A form is never a neighbour.
  splitter->SetControlFirst(form.get());
  EXPECT_EQ(splitter->GetControlFirst(), nullptr);
}

}  // namespace
