// Forms and controls in real windows: painting, alignment, class names,
// modal runs, closing, key preview, focus and exceptions in handlers.
#include "platform/win/Application.h"
#include "platform/win/Forms.h"
#include "platform/win/GdiCanvas.h"
#include "platform/win/Timer.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

// A control that paints a background and one line of text with the canvas.
class TPaintedControl : public TCustomControl {
public:
  explicit TPaintedControl(TComponent* owner) : TCustomControl(owner) {}
  TColor Background = clYellow;
  std::string Text = "WWW";
  int Paints = 0;

protected:
  void Paint() override {
    ++Paints;
    ICanvas& c = *GetCanvas();
    c.SetBrushColor(Background);
    c.FillRect(GetClientRect());
    TFontData f;
    f.Name = "Courier New";
    f.Height = -16;
    f.Color = clBlack;
    c.SetFont(f);
    std::vector<int> adv(Text.size(), 12);
    c.ExtTextOut(4, 4, 0, nullptr, Text, adv.data());
  }
};

class TTestMainForm : public TForm {
public:
  explicit TTestMainForm(TComponent* owner) : TForm(owner) {
    SetCaption("Test main form");
    SetBorderStyle(bsNone);  // no frame: client = window, simple to measure
    SetBounds(100, 100, 300, 200);
    Top = new TPaintedControl(this);
    Top->SetName("Top");
    Top->Background = clRed;
    Top->Text = "";
    Top->SetHeight(30);
    Top->SetAlign(alTop);
    Top->SetParent(this);
    Body = new TPaintedControl(this);
    Body->SetName("Body");
    Body->SetAlign(alClient);
    Body->SetParent(this);
  }
  TPaintedControl* Top;
  TPaintedControl* Body;
};

COLORREF ScreenPixel(HWND wnd, int x, int y) {
  TWindowDC dc(wnd);
  return ::GetPixel(dc.Get(), x, y);
}

bool HasInk(HWND wnd, TRect r) {
  TWindowDC dc(wnd);
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (::GetPixel(dc.Get(), x, y) == RGB(0, 0, 0)) return true;
  return false;
}

void ShowAndPaint(TForm* form) {
  form->Show();
  ::UpdateWindow(form->GetHandle());
  Application->ProcessMessages();
}

}  // namespace

TEST(Forms, CustomPaintedControlPaintsThroughGdi) {
  auto form = std::make_unique<TTestMainForm>(nullptr);
  ShowAndPaint(form.get());
  TPaintedControl* body = form->Body;
  ASSERT_TRUE(PumpUntil([&] { return body->Paints > 0 && form->Top->Paints > 0; }));
  HWND wnd = body->GetHandle();
  // On screen: the yellow background, black text in the first cells.
  EXPECT_EQ(ScreenPixel(wnd, body->GetWidth() - 2, body->GetHeight() - 2), RGB(255, 255, 0));
  EXPECT_TRUE(HasInk(wnd, TRect(4, 4, 4 + 36, 24)));
  EXPECT_FALSE(HasInk(wnd, TRect(4 + 36 + 2, 0, body->GetWidth(), body->GetHeight())));
  EXPECT_EQ(ScreenPixel(form->Top->GetHandle(), 5, 5), RGB(255, 0, 0));

  // The same painting into a bitmap.
  TBitmap bmp(body->GetWidth(), body->GetHeight());
  body->PaintTo(bmp.DC());
  EXPECT_EQ(bmp.Pixel(body->GetWidth() - 1, body->GetHeight() - 1), clYellow);
  int inkColumns = 0;
  for (int x = 0; x < 60; ++x)
    for (int y = 0; y < 30; ++y)
      if (bmp.Pixel(x, y) == clBlack) {
        ++inkColumns;
        break;
      }
  EXPECT_GT(inkColumns, 3);
}

TEST(Forms, WindowClassIsTheFormsClassName) {
  auto form = std::make_unique<TTestMainForm>(nullptr);
  HWND wnd = form->GetHandle();
  char name[64] = {};
  ::GetClassNameA(wnd, name, sizeof name);
  EXPECT_STREQ(name, "TTestMainForm");
  EXPECT_EQ(::FindWindowA("TTestMainForm", "Test main form"), wnd);
  ::GetClassNameA(form->Body->GetHandle(), name, sizeof name);
  EXPECT_STREQ(name, "TPaintedControl");
}

TEST(Forms, AlignedChildrenFollowTheClientArea) {
  auto form = std::make_unique<TTestMainForm>(nullptr);
  ShowAndPaint(form.get());
  EXPECT_EQ(form->Top->GetBoundsRect(), Bounds(0, 0, 300, 30));
  EXPECT_EQ(form->Body->GetBoundsRect(), Bounds(0, 30, 300, 170));
  form->SetBounds(100, 100, 400, 260);
  EXPECT_EQ(form->Top->GetBoundsRect(), Bounds(0, 0, 400, 30));
  EXPECT_EQ(form->Body->GetBoundsRect(), Bounds(0, 30, 400, 230));
  // The window itself agrees.
  RECT r{};
  ::GetClientRect(form->Body->GetHandle(), &r);
  EXPECT_EQ(r.right, 400);
  EXPECT_EQ(r.bottom, 230);
  form->Top->Hide();
  EXPECT_EQ(form->Body->GetBoundsRect(), Bounds(0, 0, 400, 260));
  form->Top->SetHeight(50);  // hidden: takes no room either way
  form->Top->Show();
  EXPECT_EQ(form->Body->GetBoundsRect(), Bounds(0, 50, 400, 210));
}

TEST(Forms, ShowModalRunsUntilModalResultIsSet) {
  auto main = std::make_unique<TTestMainForm>(nullptr);
  ShowAndPaint(main.get());
  auto dialog = std::make_unique<TForm>(nullptr);
  dialog->SetCaption("Dialog");
  TTimer timer(nullptr);
  timer.SetInterval(30);
  bool mainDisabledMeanwhile = false;
  timer.OnTimer = [&](TObject*) {
    mainDisabledMeanwhile = !::IsWindowEnabled(main->GetHandle());
    dialog->SetModalResult(mrYes);
  };
  EXPECT_EQ(dialog->ShowModal(), mrYes);
  timer.SetEnabled(false);
  EXPECT_TRUE(mainDisabledMeanwhile);
  EXPECT_TRUE(::IsWindowEnabled(main->GetHandle()));
  EXPECT_FALSE(dialog->GetVisible());
  EXPECT_FALSE(::IsWindowVisible(dialog->GetHandle()));
  EXPECT_FALSE(dialog->IsModal());

  // A close query that refuses keeps the form running; closing it gives mrCancel.
  int queries = 0;
  dialog->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries > 1; };
  timer.OnTimer = [&](TObject*) { dialog->Close(); };
  timer.SetEnabled(true);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  timer.SetEnabled(false);
  EXPECT_EQ(queries, 2);
  EXPECT_THROW(main->ShowModal(), EInvalidOperation);  // already visible
}

TEST(Forms, CloseAsksThenHidesFreesOrTerminates) {
  bool destroyed = false;
  auto* form = new TForm(Application);
  form->OnDestroy = [&](TObject*) { destroyed = true; };
  form->Show();
  bool allow = false;
  form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
  TCloseAction action = caHide;
  form->OnClose = [&](TObject*, TCloseAction& a) { a = action; };
  form->Close();
  EXPECT_TRUE(form->GetVisible());  // refused
  allow = true;
  action = caNone;
  form->Close();
  EXPECT_TRUE(form->GetVisible());
  action = caHide;
  form->Close();
  EXPECT_FALSE(form->GetVisible());
  form->Show();
  action = caFree;
  form->Close();
  EXPECT_FALSE(destroyed);  // not inside the handler that closed it
  EXPECT_TRUE(PumpUntil([&] { return destroyed; }));
  EXPECT_EQ(Application->GetComponentCount(), 0);

  // Closing the main form ends the application's loop.
  auto* main = Application->CreateForm<TTestMainForm>();
  ASSERT_EQ(Application->GetMainForm(), main);
  main->Show();
  main->Close();
  EXPECT_TRUE(Application->GetTerminated());
  delete main;
  EXPECT_EQ(Application->GetMainForm(), nullptr);
}

TEST(Forms, KeyPreviewShowsKeysToTheFormFirst) {
  auto form = std::make_unique<TTestMainForm>(nullptr);
  ShowAndPaint(form.get());
  std::vector<std::string> seen;
  form->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) {
    seen.push_back("form " + std::to_string(key));
    if (key == VK_F5) key = 0;
  };
  form->Body->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) {
    seen.push_back("body " + std::to_string(key));
  };
  form->Body->OnKeyPress = [&](TObject*, char& c) { seen.push_back(std::string("press ") + c); };
  HWND body = form->Body->GetHandle();
  ::SendMessageA(body, WM_KEYDOWN, VK_F5, 0);
  ::SendMessageA(body, WM_KEYDOWN, VK_F6, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"body 116", "body 117"}));  // without preview: body only
  seen.clear();
  form->SetKeyPreview(true);
  ::SendMessageA(body, WM_KEYDOWN, VK_F5, 0);
  ::SendMessageA(body, WM_KEYDOWN, VK_F6, 0);
  ::SendMessageA(body, WM_CHAR, 'a', 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"form 116", "form 117", "body 117", "press a"}));
}

TEST(Forms, FocusChangesFireEnterExitAndTheApplicationsEvents) {
  auto form = std::make_unique<TTestMainForm>(nullptr);
  ShowAndPaint(form.get());
  ::SetForegroundWindow(form->GetHandle());
  std::vector<std::string> log;
  form->Top->OnEnter = [&](TObject*) { log.push_back("enter top"); };
  form->Top->OnExit = [&](TObject*) { log.push_back("exit top"); };
  form->Body->OnEnter = [&](TObject*) { log.push_back("enter body"); };
  int controlChanges = 0;
  Application->OnActiveControlChange = [&](TObject*) { ++controlChanges; };
  form->Top->SetFocus();
  form->Body->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"enter top", "exit top", "enter body"}));
  EXPECT_EQ(form->GetActiveControl(), form->Body);
  EXPECT_EQ(Application->GetActiveControl(), form->Body);
  EXPECT_TRUE(form->Body->Focused());
  EXPECT_EQ(controlChanges, 2);
  Application->OnActiveControlChange = nullptr;
  // A control that goes takes itself out of the form's bookkeeping.
  delete form->Body;
  EXPECT_EQ(form->GetActiveControl(), nullptr);
  EXPECT_EQ(Application->GetActiveControl(), nullptr);
}

TEST(Forms, ExceptionsInHandlersAreReportedAndDoNotLeaveTheWindowProcedure) {
  auto form = std::make_unique<TTestMainForm>(nullptr);
  ShowAndPaint(form.get());
  form->Body->OnClick = [](TObject*) { throw EConvertError("boom"); };
  std::vector<std::string> reported;
  TObject* reportedSender = nullptr;
  Application->OnException = [&](TObject* sender, const Exception& e) {
    reported.push_back(e.Message());
    reportedSender = sender;
  };
  HWND body = form->Body->GetHandle();
  ::SendMessageA(body, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageA(body, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(reported, std::vector<std::string>{"boom"});
  EXPECT_EQ(reportedSender, form->Body);

  // Without OnException: a box with the application's title and the message.
  Application->OnException = nullptr;
  std::vector<std::string> boxes;
  auto old = Application->SetMessageBoxFunc([&](const std::string& text, const std::string& caption,
                                                unsigned flags) {
    boxes.push_back(caption + "|" + text + "|" + std::to_string(flags & MB_ICONMASK));
    return IDOK;
  });
  Application->SetTitle("Tarnquill");
  ::SendMessageA(body, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageA(body, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  // A silent abort shows nothing.
  form->Body->OnClick = [](TObject*) { Abort(); };
  ::SendMessageA(body, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageA(body, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Application->SetMessageBoxFunc(old);
  EXPECT_EQ(boxes, std::vector<std::string>{"Tarnquill|boom|" + std::to_string(MB_ICONSTOP)});
  // The window is still fine.
  EXPECT_TRUE(::IsWindow(body));
}

TEST(Forms, ChildWindowsOfSystemClassesKeepTheirOwnBehaviour) {
  // A control made from the system's edit class still edits, and its
  // messages still pass through our window procedure.
  class TTestEdit : public TWinControl {
  public:
    using TWinControl::TWinControl;
    int Chars = 0;

  protected:
    void CreateParams(TCreateParams& p) override {
      TWinControl::CreateParams(p);
      p.SysClassName = "EDIT";
      p.Style |= ES_AUTOHSCROLL;
    }
    void KeyPress(char& key) override {
      ++Chars;
      if (key == 'x') key = 'y';
    }
  };
  auto form = std::make_unique<TTestMainForm>(nullptr);
  auto* edit = new TTestEdit(form.get());
  edit->SetBounds(0, 0, 100, 20);
  edit->SetParent(form.get());
  HWND wnd = edit->GetHandle();
  char cls[32] = {};
  ::GetClassNameA(wnd, cls, sizeof cls);
  EXPECT_STREQ(cls, "TTestEdit");
  ::SendMessageA(wnd, WM_CHAR, 'a', 0);
  ::SendMessageA(wnd, WM_CHAR, 'x', 0);
  char text[32] = {};
  ::GetWindowTextA(wnd, text, sizeof text);
  EXPECT_STREQ(text, "ay");
  EXPECT_EQ(edit->Chars, 2);
  edit->SetText("changed");
  ::GetWindowTextA(wnd, text, sizeof text);
  EXPECT_STREQ(text, "changed");
}


TEST(Forms, TabMovesTheFocusThroughTabStopsUnlessTheControlWantsTabs) {
  class TTabControl : public TCustomControl {
  public:
    using TCustomControl::TCustomControl;
    bool WantTabs = false;

  protected:
    void WndProc(TMessage& msg) override {
      if (msg.Msg == WM_GETDLGCODE && WantTabs) {
        msg.Result = DLGC_WANTTAB;
        return;
      }
      TCustomControl::WndProc(msg);
    }
  };
  auto form = std::make_unique<TTestMainForm>(nullptr);
  std::vector<TTabControl*> c;
  for (int i = 0; i < 4; ++i) {
    c.push_back(new TTabControl(form.get()));
    c[i]->SetBounds(10 + 40 * i, 40, 30, 30);
    c[i]->SetTabStop(i != 3);  // the last one is no tab stop: skipped
    c[i]->SetParent(form->Body);
  }
  c[1]->SetEnabled(false);  // cannot take the focus: skipped
  ShowAndPaint(form.get());
  ::SetForegroundWindow(form->GetHandle());
  c[0]->SetFocus();
  auto tab = [&](TWinControl* from) {
    ::PostMessageA(from->GetHandle(), WM_KEYDOWN, VK_TAB, 1);
    Application->ProcessMessages();
  };
  tab(c[0]);
  EXPECT_TRUE(c[2]->Focused());
  tab(c[2]);
  EXPECT_TRUE(c[0]->Focused());  // wraps around
  c[0]->WantTabs = true;
  int tabsSeen = 0;
  c[0]->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) { tabsSeen += key == VK_TAB; };
  tab(c[0]);
  EXPECT_TRUE(c[0]->Focused());
  EXPECT_EQ(tabsSeen, 1);
}
