// A dialog form driven by real keys and clicks: Tab order over the stops of
// visible, enabled containers (the active notebook page only), a radio group
// as one stop with arrows inside, Enter and Esc clicking the Default and
// Cancel buttons unless the focused control wants them, Alt with an
// accelerator, modal results; and typing into a combo box's inner edit.
#include "platform/win/Application.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/FormBuilder.h"
#include "platform/win/Forms.h"
#include "platform/win/RealInput.h"
#include "platform/win/StdCtrls.h"
#include "platform/win/Timer.h"
#include "platform/win/WinTestSupport.h"
#include "platform/win/WindowCapture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

class TDialogForm : public TForm {
public:
  explicit TDialogForm(TComponent* owner) : TForm(owner) {
    SetName("Dialog");
    SetBorderStyle(bsNone);
    SetBounds(40, 40, 420, 300);
    NameLabel = Make<TLabel>(this).Parent(this).Name("NameLabel").Bounds(8, 8, 60, 16).Caption("&Name:");
    NameEdit = Make<TEdit>(this).Parent(this).Name("NameEdit").Bounds(70, 8, 150, 21);
    NameLabel->SetFocusControl(NameEdit);
    Origin = Make<TRadioGroup>(this).Parent(this).Name("Origin").Bounds(8, 36, 200, 70).Caption("Origin")
                 .On(&TRadioGroup::OnClick, this, &TDialogForm::OriginClick);
    Origin->GetItems()->SetText("&Forward\r\n&Backward\r\n");
    Origin->SetItemIndex(0);
    Wrap = Make<TCheckBox>(this).Parent(this).Name("Wrap").Bounds(220, 36, 150, 17).Caption("&Wrap around");
    Notes = Make<TMemo>(this).Parent(this).Name("Notes").Bounds(220, 60, 190, 50);
    Disabled = Make<TEdit>(this).Parent(this).Name("Disabled").Bounds(8, 112, 100, 21);
    Disabled->SetEnabled(false);
    Book = Make<TNotebook>(this).Parent(this).Name("Book").Bounds(8, 140, 200, 60);
    Book->GetPages()->SetText("One\r\nTwo\r\n");
    PageOne = Make<TEdit>(this).Parent(Book->FindPage("One")).Name("PageOne").Bounds(4, 4, 100, 21);
    PageTwo = Make<TEdit>(this).Parent(Book->FindPage("Two")).Name("PageTwo").Bounds(4, 4, 100, 21);
    Book->SetActivePage("Two");
    Ok = Make<TButton>(this).Parent(this).Name("Ok").Bounds(170, 260, 75, 25).Caption("OK");
    Ok->SetDefault(true);
    Ok->SetModalResult(mrOk);
    Cancel = Make<TButton>(this).Parent(this).Name("Cancel").Bounds(250, 260, 75, 25).Caption("Cancel");
    Cancel->SetCancel(true);
    Cancel->SetModalResult(mrCancel);
    Apply = Make<TButton>(this).Parent(this).Name("Apply").Bounds(330, 260, 75, 25).Caption("&Apply")
                .On(&TButton::OnClick, this, &TDialogForm::ApplyClick);
  }
  TLabel* NameLabel;
  TEdit* NameEdit;
  TRadioGroup* Origin;
  TCheckBox* Wrap;
  TMemo* Notes;
  TEdit* Disabled;
  TNotebook* Book;
  TEdit* PageOne;
  TEdit* PageTwo;
  TButton* Ok;
  TButton* Cancel;
  TButton* Apply;
  int Applied = 0;
  std::vector<int> OriginClicks;

private:
  void ApplyClick(TObject*) { ++Applied; }
  void OriginClick(TObject*) { OriginClicks.push_back(Origin->GetItemIndex()); }
};

std::string FocusedName() {
  TWinControl* c = TWinControl::FindControl(::GetFocus());
  return c ? c->GetName() : std::string("(none)");
}

class DialogKeys : public ::testing::Test {
protected:
  void SetUp() override {
    Form = new TDialogForm(Application);
    Form->Show();
    ASSERT_TRUE(BringToFront(Form->GetHandle()));
  }
  void TearDown() override { delete Form; }

  // Runs the form modally while keys are pressed from a timer in its loop.
  TModalResult RunModal(const std::function<void()>& keys) {
    Form->Hide();
    TTimer timer(nullptr);
    timer.SetInterval(50);
    timer.OnTimer = [&](TObject*) {
      timer.SetEnabled(false);
      EXPECT_TRUE(BringToFront(Form->GetHandle())) << "the form never came to the front";
      keys();
      // Keys typed while another window is in front go there: the checks
      // say whose, so a lost key reads as what it is. (Ending the modal run
      // may itself move the front, so this alone is no failure.)
      LostFront.clear();
      HWND front = ::GetForegroundWindow();
      if (front != Form->GetHandle()) {
        char title[256] = "", cls[256] = "";
        ::GetWindowTextA(front, title, sizeof title);
        ::GetClassNameA(front, cls, sizeof cls);
        LostFront = std::string("after the keys the front was \"") + title + "\" (" + cls + ")";
      }
      // Real input may still be on its way through the X server: give it
      // time to end the form, then end it so the test goes on.
      const DWORD start = ::GetTickCount();
      while (Form->GetModalResult() == mrNone && ::GetTickCount() - start < 2000) PumpFor(20);
      if (Form->GetModalResult() == mrNone) Form->SetModalResult(mrAbort);
    };
    return Form->ShowModal();
  }

  TDialogForm* Form = nullptr;
  std::string LostFront;
};

}  // namespace

TEST_F(DialogKeys, TabVisitsStopsInCreationOrderOnTheActivePageOnly) {
  Form->NameEdit->SetFocus();
  std::vector<std::string> visited = {FocusedName()};
  for (int i = 0; i < 8; ++i) {
    PressKey(VK_TAB);
    visited.push_back(FocusedName());
  }
  // The radio group is one stop (its checked button); the memo lets Tab go;
  // the disabled edit and the hidden page's edit are skipped.
  const std::string forward = Form->Origin->GetButton(0)->GetName();
  EXPECT_EQ(visited, (std::vector<std::string>{"NameEdit", forward, "Wrap", "Notes", "PageTwo", "Ok",
                                               "Cancel", "Apply", "NameEdit"}));
  PressKey(VK_TAB, {VK_SHIFT});
  EXPECT_EQ(FocusedName(), "Apply");

  // TabOrder reorders; another page brings its own stop.
  Form->Cancel->SetTabOrder(Form->Ok->GetTabOrder());
  Form->Book->SetActivePage("One");
  Form->Notes->SetFocus();
  PressKey(VK_TAB);
  EXPECT_EQ(FocusedName(), "PageOne");
  PressKey(VK_TAB);
  EXPECT_EQ(FocusedName(), "Cancel");
}

TEST_F(DialogKeys, ArrowsMoveWithinARadioGroupAndFireItsClick) {
  EXPECT_EQ(Form->OriginClicks, std::vector<int>{0});  // the form set it
  Form->OriginClicks.clear();
  Form->Origin->GetButton(0)->SetFocus();
  PressKey(VK_DOWN);
  EXPECT_EQ(Form->Origin->GetItemIndex(), 1);
  EXPECT_EQ(::GetFocus(), Form->Origin->GetButton(1)->GetHandle());
  PressKey(VK_DOWN);  // wraps around
  EXPECT_EQ(Form->Origin->GetItemIndex(), 0);
  EXPECT_EQ(Form->OriginClicks, (std::vector<int>{1, 0}));
  // The group stays one stop: Tab from it goes on to the check box.
  PressKey(VK_TAB);
  EXPECT_EQ(FocusedName(), "Wrap");
}

TEST_F(DialogKeys, EnterAndEscClickDefaultAndCancelAndEndTheModalForm) {
  Form->SetActiveControl(Form->NameEdit);
  EXPECT_EQ(RunModal([] { TypeText("ab"); PressKey(VK_RETURN); }), mrOk) << LostFront;
  EXPECT_EQ(Form->NameEdit->GetText(), "ab") << LostFront;
  EXPECT_EQ(RunModal([] { PressKey(VK_ESCAPE); }), mrCancel) << LostFront;

  // The memo keeps Enter for a new line; Esc still cancels.
  Form->SetActiveControl(Form->Notes);
  EXPECT_EQ(RunModal([] { TypeText("x"); PressKey(VK_RETURN); TypeText("y"); PressKey(VK_ESCAPE); }),
            mrCancel)
      << LostFront;
  EXPECT_EQ(Form->Notes->GetText(), "x\r\ny") << LostFront;
  EXPECT_EQ(Form->Notes->GetLines()->GetCount(), 2);

  // A focused button takes Enter itself.
  Form->SetActiveControl(Form->Apply);
  EXPECT_EQ(RunModal([] { PressKey(VK_RETURN); }), mrAbort) << LostFront;
  EXPECT_EQ(Form->Applied, 1) << LostFront;
}

TEST_F(DialogKeys, AltWithAnAcceleratorClicksOrFocuses) {
  Form->NameEdit->SetFocus();
  PressKey('W', {VK_MENU});
  EXPECT_TRUE(Form->Wrap->GetChecked());
  EXPECT_EQ(FocusedName(), "Wrap");
  PressKey('A', {VK_MENU});
  EXPECT_EQ(Form->Applied, 1);
  PressKey('B', {VK_MENU});
  EXPECT_EQ(Form->Origin->GetItemIndex(), 1);
  PressKey('N', {VK_MENU});  // the label focuses its control
  EXPECT_EQ(FocusedName(), "NameEdit");
  PressKey('Q', {VK_MENU});  // nobody's: nothing changes
  EXPECT_EQ(FocusedName(), "NameEdit");
  EXPECT_TRUE(Form->Wrap->GetChecked());
}

TEST_F(DialogKeys, TypingIntoAComboBoxEditFiresKeyEventsAndDialogKeysStillWork) {
  auto* combo = Make<TComboBox>(Form).Parent(Form).Name("FindText").Bounds(220, 120, 150, 21).Get();
  combo->GetItems()->SetText("alpha\r\nbeta\r\n");
  std::string pressed;
  int changes = 0;
  combo->OnKeyPress = [&](TObject*, char& key) {
    pressed += key;
    if (key == 'z') key = 0;  // swallowed before the edit sees it
  };
  combo->OnChange = [&](TObject*) { ++changes; };
  combo->SetFocus();
  EXPECT_EQ(Form->GetActiveControl(), combo);
  TypeText("bez");
  EXPECT_EQ(pressed, "bez");
  EXPECT_EQ(combo->GetText(), "be");
  EXPECT_EQ(changes, 2);
  PressKey(VK_TAB);  // a dialog key from the inner edit: the last stop wraps to the first
  EXPECT_EQ(FocusedName(), "NameEdit");
  // The arrow in a closed drop-down moves through the items.
  combo->SetFocus();
  combo->SetText("alpha");
  PressKey(VK_DOWN);
  EXPECT_EQ(combo->GetItemIndex(), 1);
  EXPECT_EQ(combo->GetText(), "beta");
}

TEST_F(DialogKeys, ClicksCheckABoxAndDoubleClicksReachAList) {
  int clicks = 0;
  Form->Wrap->OnClick = [&](TObject*) { ++clicks; };
  TPoint p = Form->Wrap->ClientToScreen(TPoint(6, 8));
  ClickAt(p.X, p.Y);
  EXPECT_TRUE(Form->Wrap->GetChecked());
  EXPECT_EQ(clicks, 1);

  auto* list = Make<TListBox>(Form).Parent(Form).Name("List").Bounds(220, 150, 150, 80).Get();
  list->GetItems()->SetText("one\r\ntwo\r\nthree\r\n");
  int doubles = 0, selects = 0;
  list->OnDblClick = [&](TObject*) { ++doubles; };
  list->OnClick = [&](TObject*) { ++selects; };
  int itemHeight = static_cast<int>(::SendMessageA(list->GetHandle(), LB_GETITEMHEIGHT, 0, 0));
  TPoint q = list->ClientToScreen(TPoint(10, itemHeight + itemHeight / 2));
  ClickAt(q.X, q.Y, 2);
  EXPECT_EQ(list->GetItemIndex(), 1);
  EXPECT_EQ(doubles, 1);
  EXPECT_GE(selects, 1);
}

namespace {

HWND ChildWithText(HWND parent, const char* text) {
  for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    char buf[64] = {};
    ::GetWindowTextA(c, buf, sizeof buf);
    if (std::string(buf) == text) return c;
  }
  return nullptr;
}

// The program's own message box (Yes, No, Cancel, All) under real keys:
// focus goes to one button, then keys are pressed as a user would.
struct TBoxKeysCase {
  const char* Focus;
  WORD Key;
  bool Alt;
  TModalResult Expected;
};

TEST(MessageBoxKeys, EnterAndSpacePressTheFocusedButtonAndLettersTheirButtons) {
  const TBoxKeysCase cases[] = {
      {"&No", VK_RETURN, false, mrNo},  {"Cancel", VK_SPACE, false, mrCancel},
      {"&Yes", 'A', false, mrAll},      {"&No", 'A', true, mrAll},
      {"&Yes", 'N', false, mrNo},       {"&All", VK_RETURN, false, mrAll},
  };
  bool captured = false;
  for (const TBoxKeysCase& c : cases) {
    SCOPED_TRACE(std::string(c.Focus) + " key " + std::to_string(c.Key) + (c.Alt ? " with Alt" : ""));
    TTimer timer(nullptr);
    timer.SetInterval(50);
    bool pressed = false;
    timer.OnTimer = [&](TObject*) {
      HWND box = ::GetActiveWindow();
      HWND button = box ? ChildWithText(box, c.Focus) : nullptr;
      if (!button) return;
      timer.SetEnabled(false);
      BringToFront(box);
      ::SetFocus(button);
      if (!PumpUntil([&] { return ::GetFocus() == button; })) return;
      if (!captured) {
        SaveWindowCapture(box, "message_box_keys");
        captured = true;
      }
      pressed = true;
      if (c.Alt)
        PressKey(c.Key, {VK_MENU});
      else
        PressKey(c.Key);
      // Keys lost on the way would leave the box open: it ends, and the
      // result says so.
      auto* form = dynamic_cast<TForm*>(TWinControl::FindControl(box));
      ASSERT_NE(form, nullptr);
      PumpUntil([&] { return form->GetModalResult() != mrNone; }, 2000);
      if (form->GetModalResult() == mrNone) form->SetModalResult(mrAbort);
    };
    const int result = MessageDlg("Replace this occurrence?", mtWarning, TMsgDlgButtons{mbYes, mbNo, mbCancel, mbAll});
    EXPECT_TRUE(pressed);
    EXPECT_EQ(result, c.Expected);
  }
}

}  // namespace
