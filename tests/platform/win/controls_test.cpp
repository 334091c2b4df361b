// The rules every control follows in real windows: controls without a window
// painted by their parent in z-order and fed the mouse, enter and leave,
// cursors and the screen's busy cursor, state kept without a window and
// across RecreateWnd, published properties, the form builder and paths from
// the application.
#include "platform/win/Application.h"
#include "platform/win/FormBuilder.h"
#include "platform/win/Forms.h"
#include "platform/win/GdiCanvas.h"
#include "platform/win/HintWindow.h"
#include "platform/win/Timer.h"
#include "platform/win/PropRoundTrip.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

// A control without a window that fills itself with its colour and logs its
// mouse events.
class TBlock : public TGraphicControl {
public:
  explicit TBlock(TComponent* owner) : TGraphicControl(owner) {}
  std::vector<std::string>* Log = nullptr;

protected:
  void Paint() override {
    GetCanvas()->SetBrushColor(GetColor());
    GetCanvas()->FillRect(TRect(0, 0, GetWidth(), GetHeight()));
  }
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
    Note("down " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
    Note("up " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseEnter() override { Note("enter"); }
  void MouseLeave() override { Note("leave"); }
  void Click() override { Note("click"); }
  void Note(const std::string& what) {
    if (Log) Log->push_back(GetName() + " " + what);
  }
};

class TBlockForm : public TForm {
public:
  explicit TBlockForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(50, 50, 200, 120);
    SetColor(clWhite);
    Red = Make<TBlock>(this).Parent(this).Name("Red").Bounds(10, 10, 60, 40);
    Red->SetColor(clRed);
    Blue = Make<TBlock>(this).Parent(this).Name("Blue").Bounds(40, 30, 60, 40);
    Blue->SetColor(clBlue);
    Hidden = Make<TBlock>(this).Parent(this).Name("Hidden").Bounds(150, 10, 30, 30);
    Hidden->SetColor(clLime);
    Hidden->Hide();
    for (TBlock* b : {Red, Blue, Hidden}) b->Log = &Log;
  }
  TBlock* Red;
  TBlock* Blue;
  TBlock* Hidden;
  std::vector<std::string> Log;
};

COLORREF ScreenPixel(HWND wnd, int x, int y) {
  TWindowDC dc(wnd);
  return ::GetPixel(dc.Get(), x, y);
}

void ShowAndPaint(TForm* form) {
  form->Show();
  ::UpdateWindow(form->GetHandle());
  Application->ProcessMessages();
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace

TEST(Controls, ControlsWithoutWindowArePaintedByTheirParentInZOrder) {
  auto form = std::make_unique<TBlockForm>(nullptr);
  ShowAndPaint(form.get());
  HWND wnd = form->GetHandle();
  EXPECT_EQ(ScreenPixel(wnd, 15, 15), RGB(255, 0, 0));
  EXPECT_EQ(ScreenPixel(wnd, 45, 35), RGB(0, 0, 255));  // the later one is on top
  EXPECT_EQ(ScreenPixel(wnd, 150 + 5, 15), RGB(255, 255, 255));  // hidden
  EXPECT_EQ(ScreenPixel(wnd, 190, 110), RGB(255, 255, 255));
  // Moving one repaints where it was and where it is.
  form->Blue->SetLeft(120);
  form->Hidden->Show();
  ::UpdateWindow(wnd);
  EXPECT_EQ(ScreenPixel(wnd, 75, 45), RGB(255, 255, 255));
  EXPECT_EQ(ScreenPixel(wnd, 125, 65), RGB(0, 0, 255));
  EXPECT_EQ(ScreenPixel(wnd, 155, 15), RGB(0, 255, 0));
  // A repaint into another context (a bitmap) has them too.
  form->Red->SetColor(clYellow);
  ::UpdateWindow(wnd);
  EXPECT_EQ(ScreenPixel(wnd, 15, 15), RGB(255, 255, 0));
}

TEST(Controls, MouseGoesToTheControlUnderThePointerAndAPressStaysWithIt) {
  auto form = std::make_unique<TBlockForm>(nullptr);
  // The real pointer, wherever an earlier test left it, stays away from the
  // form: only the moves sent here may reach its controls.
  ::SetCursorPos(form->GetLeft() + form->GetWidth() + 300, form->GetTop() + form->GetHeight() + 300);
  ShowAndPaint(form.get());
  form->Log.clear();
  HWND wnd = form->GetHandle();
  std::vector<std::string> formMouse;
  form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    formMouse.push_back("form down");
  };
  ::SendMessageA(wnd, WM_MOUSEMOVE, 0, At(20, 20));
  ::SendMessageA(wnd, WM_MOUSEMOVE, 0, At(50, 40));   // onto Blue, over Red
  ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(50, 40));
  ::SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, At(190, 110));
  ::SendMessageA(wnd, WM_LBUTTONUP, 0, At(190, 110));  // released outside: no click
  ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(12, 12));
  ::SendMessageA(wnd, WM_LBUTTONUP, 0, At(13, 12));
  ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(190, 110));  // nothing there: the form's
  ::SendMessageA(wnd, WM_LBUTTONUP, 0, At(190, 110));
  ::SendMessageA(wnd, WM_MOUSELEAVE, 0, 0);
  std::vector<std::string> expected = {"Red enter",   "Red leave",  "Blue enter", "Blue down 10,10",
                                       "Blue leave",  "Blue up 150,80", "Red down 2,2", "Red up 3,2",
                                       "Red click"};
  EXPECT_EQ(form->Log, expected);
  EXPECT_EQ(formMouse, std::vector<std::string>{"form down"});
  EXPECT_EQ(::GetCapture(), nullptr);

  // A disabled one lets the mouse through to what is below it.
  form->Log.clear();
  form->Blue->SetEnabled(false);
  ::SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, At(50, 40));
  ::SendMessageA(wnd, WM_LBUTTONUP, 0, At(50, 40));
  EXPECT_EQ(form->Log, (std::vector<std::string>{"Red down 40,30", "Red up 40,30", "Red click"}));
}

TEST(Controls, RealClickReachesAControlWithoutWindow) {
  auto form = std::make_unique<TBlockForm>(nullptr);
  ShowAndPaint(form.get());
  ::SetForegroundWindow(form->GetHandle());
  TPoint p = form->ClientToScreen(TPoint(20, 15));
  ::SetCursorPos(p.X, p.Y);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, in, sizeof(INPUT));
  EXPECT_TRUE(PumpUntil([&] {
    return !form->Log.empty() && form->Log.back() == "Red click";
  }));
}

TEST(Controls, CursorOfTheControlUnderThePointerAndTheBusyCursorOverAll) {
  auto form = std::make_unique<TBlockForm>(nullptr);
  ShowAndPaint(form.get());
  HWND wnd = form->GetHandle();
  form->Red->SetCursor(crHandPoint);
  form->SetCursor(crCross);
  auto cursorAt = [&](int x, int y) {
    TPoint p = form->ClientToScreen(TPoint(x, y));
    ::SetCursorPos(p.X, p.Y);
    ::SendMessageA(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return ::GetCursor();
  };
  EXPECT_EQ(cursorAt(15, 15), ::LoadCursorA(nullptr, IDC_HAND));
  EXPECT_EQ(cursorAt(190, 110), ::LoadCursorA(nullptr, IDC_CROSS));
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_WAIT));
  EXPECT_EQ(cursorAt(15, 15), ::LoadCursorA(nullptr, IDC_WAIT));
  Screen->SetCursor(crDefault);
  EXPECT_EQ(cursorAt(15, 15), ::LoadCursorA(nullptr, IDC_HAND));
  // Cursors registered by number.
  HCURSOR mine = ::LoadCursorA(nullptr, IDC_SIZEALL);
  Screen->SetCursors(5, mine);
  form->Red->SetCursor(5);
  EXPECT_EQ(cursorAt(15, 15), mine);
  EXPECT_EQ(Screen->GetCursors(77), ::LoadCursorA(nullptr, IDC_ARROW));
}

TEST(Controls, ScreenKnowsTheFormsTheActiveOneAndItsSize) {
  EXPECT_EQ(Screen->GetWidth(), ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_GT(Screen->GetHeight(), 0);
  EXPECT_GT(Screen->GetPixelsPerInch(), 0);
  int before = Screen->GetFormCount();
  auto form = std::make_unique<TBlockForm>(nullptr);
  ASSERT_EQ(Screen->GetFormCount(), before + 1);
  EXPECT_EQ(Screen->GetForms(before), form.get());
  ShowAndPaint(form.get());
  ::SetForegroundWindow(form->GetHandle());
  EXPECT_TRUE(PumpUntil([&] { return Screen->GetActiveForm() == form.get(); }));
  form.reset();
  EXPECT_EQ(Screen->GetFormCount(), before);
}

namespace {
// A windowed control of our own class for the state rules.
class TBox : public TCustomControl {
public:
  explicit TBox(TComponent* owner) : TCustomControl(owner) {}
};
}  // namespace

TEST(Controls, StateSetWithoutAWindowAppearsInItAndSurvivesRecreateWnd) {
  auto form = std::make_unique<TForm>(nullptr);
  auto* box = Make<TBox>(form.get()).Parent(form.get()).Name("Box").Bounds(5, 6, 70, 30).Caption("Hello").Get();
  box->SetEnabled(false);
  TFontData f = box->GetFont();
  f.Name = "Arial";
  f.Height = -15;
  box->SetFont(f);
  box->GetFontObject()->SetStyle(TFontStyles{fsBold});
  EXPECT_FALSE(box->HandleAllocated());
  EXPECT_EQ(box->GetFont().Name, "Arial");

  auto check = [&] {
    HWND w = box->GetHandle();
    char text[32] = {};
    ::GetWindowTextA(w, text, sizeof text);
    EXPECT_STREQ(text, "Hello");
    EXPECT_FALSE(::IsWindowEnabled(w));
    RECT r{};
    ::GetWindowRect(w, &r);
    ::MapWindowPoints(nullptr, form->GetHandle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 6);
    EXPECT_EQ(r.right - r.left, 70);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(w, WM_GETFONT, 0, 0));
    if (font) {  // our own class answers WM_GETFONT only through the default procedure
      LOGFONTA lf{};
      ::GetObjectA(font, sizeof lf, &lf);
      EXPECT_STREQ(lf.lfFaceName, "Arial");
    }
  };
  form->HandleNeeded();
  check();
  HWND first = box->GetHandle();
  box->RecreateWnd();
  EXPECT_NE(box->GetHandle(), first);
  check();
  EXPECT_EQ(box->GetFont().Style, TFontStyles{fsBold});
}

// A hidden bar of many windows made to wait: the form's window makes
// neither it nor its children; showing it makes them, placed by the layout,
// and asking for a handle makes them at once.
TEST(Controls, AWindowThatWaitsWhileHiddenComesWhenShownOrAskedFor) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBounds(0, 0, 300, 200);
  auto* bar = Make<TBox>(form.get()).Parent(form.get()).Name("Bar").Align(alTop).Get();
  bar->SetHeight(30);
  bar->SetVisible(false);
  bar->SetWindowWaitsWhileHidden(true);
  auto* inner = Make<TBox>(form.get()).Parent(bar).Name("Inner").Bounds(4, 2, 20, 20).Get();
  auto* other = Make<TBox>(form.get()).Parent(form.get()).Name("Other").Align(alClient).Get();
  form->HandleNeeded();
  EXPECT_TRUE(other->HandleAllocated());
  EXPECT_FALSE(bar->HandleAllocated());
  EXPECT_FALSE(inner->HandleAllocated());

  bar->SetVisible(true);
  ASSERT_TRUE(bar->HandleAllocated());
  ASSERT_TRUE(inner->HandleAllocated());
  EXPECT_EQ(::GetParent(bar->GetHandle()), form->GetHandle());
  EXPECT_EQ(::GetParent(inner->GetHandle()), bar->GetHandle());
  EXPECT_TRUE(::GetWindowLongA(bar->GetHandle(), GWL_STYLE) & WS_VISIBLE);
  RECT r{};
  ::GetWindowRect(bar->GetHandle(), &r);
  ::MapWindowPoints(nullptr, form->GetHandle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.bottom - r.top, 30);
  EXPECT_EQ(r.right - r.left, form->GetClientRect().Width());
  EXPECT_EQ(other->GetTop(), 30);

  // Hidden again and the form's window made anew: the bar waits again, yet
  // a caller that needs its window gets it.
  bar->SetVisible(false);
  form->RecreateWnd();
  EXPECT_FALSE(bar->HandleAllocated());
  EXPECT_EQ(::GetParent(inner->GetHandle()), bar->GetHandle());
  EXPECT_EQ(::GetParent(bar->GetHandle()), form->GetHandle());
  EXPECT_FALSE(::GetWindowLongA(bar->GetHandle(), GWL_STYLE) & WS_VISIBLE);
}

TEST(Controls, AWindowThatWaitsWhileHiddenOnAParentWithAWindowComesAtTheFirstShow) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBounds(30, 30, 200, 150);
  form->HandleNeeded();
  // Hidden and aligned, on a parent with a window, as a document's hex view is.
  auto* later = Make<TBox>(form.get()).Name("Later").Get();
  later->SetVisible(false);
  later->SetWindowWaitsWhileHidden(true);
  later->SetAlign(alClient);
  later->SetParent(form.get());
  auto* now = Make<TBox>(form.get()).Name("Now").Get();
  now->SetVisible(false);
  now->SetParent(form.get());
  EXPECT_FALSE(later->HandleAllocated());
  EXPECT_TRUE(now->HandleAllocated()) << "only the controls that ask for it wait";
  form->RecreateWnd();
  EXPECT_FALSE(later->HandleAllocated()) << "nor does a new parent window make it";

  later->SetVisible(true);
  ASSERT_TRUE(later->HandleAllocated());
  EXPECT_TRUE(::GetWindowLongA(later->GetHandle(), GWL_STYLE) & WS_VISIBLE);
  RECT r{};
  ::GetClientRect(form->GetHandle(), &r);
  EXPECT_EQ(later->GetBoundsRect(), TRect(0, 0, r.right, r.bottom)) << "in its aligned place";
  RECT w{};
  ::GetWindowRect(later->GetHandle(), &w);
  EXPECT_EQ(w.right - w.left, r.right);

  // Hidden again it keeps its window; one more that waits gets a window
  // when its handle is asked for.
  later->SetVisible(false);
  EXPECT_TRUE(later->HandleAllocated());
  auto* asked = Make<TBox>(form.get()).Name("Asked").Get();
  asked->SetVisible(false);
  asked->SetWindowWaitsWhileHidden(true);
  asked->SetParent(form.get());
  EXPECT_FALSE(asked->HandleAllocated());
  EXPECT_TRUE(::IsWindow(asked->GetHandle()));
  EXPECT_FALSE(::GetWindowLongA(asked->GetHandle(), GWL_STYLE) & WS_VISIBLE);
}

TEST(Controls, PublishedPropertiesRoundTripAndPathsResolveFromTheApplication) {
  auto* form = new TForm(Application);
  form->SetName("Gallery");
  auto* box = Make<TBox>(form).Parent(form).Name("Box").Get();
  ExpectPropsRoundTrip(box);
  ExpectPropsRoundTrip(form, {"Visible"});
  SetPropPathText(Application, "Gallery.Box.Font.Name", "Arial");
  EXPECT_EQ(box->GetFont().Name, "Arial");
  SetPropPathText(Application, "Gallery.Caption", "Titled");
  EXPECT_EQ(form->GetCaption(), "Titled");
  EXPECT_EQ(GetPropPathText(Application, "Gallery.Box.Width"), GetPropText(box, "Width"));
  delete form;
}

namespace {
class TBuiltForm : public TForm {
public:
  explicit TBuiltForm(TComponent* owner) : TForm(owner) {
    First = Make<TBox>(this).Parent(this).Name("First").Bounds(0, 0, 10, 10)
                .On(&TBox::OnClick, this, &TBuiltForm::BoxClick);
    Second = Make<TBox>(this).Parent(this).Name("Second").Align(alTop)
                 .On(&TBox::OnMouseDown, this, &TBuiltForm::BoxMouseDown);
  }
  TBox* First;
  TBox* Second;
  std::vector<std::string> Calls;

private:
  void BoxClick(TObject* sender) { Calls.push_back(static_cast<TComponent*>(sender)->GetName()); }
  void BoxMouseDown(TObject* sender, TMouseButton, TShiftState, int x, int) {
    Calls.push_back("down " + std::to_string(x));
  }
};
}  // namespace

TEST(Controls, BuilderMakesOwnedNamedControlsInTabOrderWithBoundEvents) {
  TBuiltForm form(nullptr);
  EXPECT_EQ(form.FindComponent("Second"), form.Second);
  EXPECT_EQ(form.First->GetOwner(), &form);
  EXPECT_EQ(form.Second->GetParent(), &form);
  EXPECT_EQ(form.First->GetTabOrder(), 0);
  EXPECT_EQ(form.Second->GetTabOrder(), 1);
  EXPECT_EQ(form.Second->GetWidth(), form.GetClientWidth());  // aligned
  form.Second->SetTabOrder(0);
  EXPECT_EQ(form.First->GetTabOrder(), 1);
  form.First->Click();
  form.Second->OnMouseDown(form.Second, mbLeft, TShiftState(), 7, 0);
  EXPECT_EQ(form.Calls, (std::vector<std::string>{"First", "down 7"}));
}

TEST(Controls, AControlWithoutWindowShowsItsHintAndTheApplicationItsLongHint) {
  auto form = std::make_unique<TBlockForm>(nullptr);
  form->Red->SetHint("Red block|The red one");
  form->Red->SetShowHint(true);
  ShowAndPaint(form.get());
  int pause = Application->GetHintPause();
  Application->SetHintPause(10);
  TPoint p = form->ClientToScreen(TPoint(15, 15));
  ::SetCursorPos(p.X, p.Y);
  ::SendMessageA(form->GetHandle(), WM_MOUSEMOVE, 0, At(15, 15));
  EXPECT_TRUE(PumpUntil([] {
    return Application->GetHintWindow() && Application->GetHintWindow()->IsHintShowing();
  }));
  if (Application->GetHintWindow()) EXPECT_EQ(Application->GetHintWindow()->GetCaption(), "Red block");
  // The long hint is the application's at its next idle moment; a timer
  // keeps the loop from waiting for ever.
  TTimer wake(nullptr);
  wake.SetInterval(20);
  wake.OnTimer = [](TObject*) {};
  for (int i = 0; i < 100 && Application->GetHint() != "The red one"; ++i) Application->HandleMessage();
  EXPECT_EQ(Application->GetHint(), "The red one");
  Application->CancelHint();
  Application->SetHintPause(pause);
}

TEST(Controls, DataModuleIsFoundByNameFromTheApplication) {
  std::vector<std::string> log;
  auto* module = new TDataModule(Application);
  module->SetName("Data");
  module->OnCreate = [&](TObject*) { log.push_back("create"); };
  module->OnDestroy = [&](TObject*) { log.push_back("destroy"); };
  auto* dialog = new TComponent(module);
  dialog->SetName("SaveDialog");
  module->DoCreate();
  SetPropPathText(Application, "Data.SaveDialog.Tag", "5");
  EXPECT_EQ(dialog->GetTag(), 5);
  delete module;
  EXPECT_EQ(log, (std::vector<std::string>{"create", "destroy"}));
  EXPECT_EQ(Application->FindComponent("Data"), nullptr);
}
