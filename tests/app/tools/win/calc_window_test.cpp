// The calculator window under key messages: Enter and "=" evaluate (hex
// literals included), a failure is told with " Overflow!" and keeps the
// expression, the hint follows what is typed, and inside the editor
// closing only hides the window.
#include <gtest/gtest.h>

#include "app/tools/win/CalcForm.h"
#include "platform/Canvas.h"
#include "platform/win/Menus.h"
#include "platform/win/WinTestSupport.h"

TQ_TEST_APPLICATION();

namespace {

class CalcWindow : public ::testing::Test {
protected:
  CalcWindow() {
    Application->SetMessageBoxFunc([this](const std::string& text, const std::string&, unsigned) {
      Messages.push_back(text);
      return IDOK;
    });
    Calc = new TCalc(Application);
    Calc->Show();
    ::SetForegroundWindow(Calc->GetHandle());
    Calc->Edit->SetFocus();
    Application->ProcessMessages();
  }
  ~CalcWindow() override {
    delete Calc;
    Application->SetMessageBoxFunc(nullptr);
  }
  // The combo box's own edit, where typing goes.
  HWND Box() const { return Calc->Edit->GetEditHandle(); }
  void Enter(const std::string& expression, WORD key = VK_RETURN) {
    Calc->Edit->SetText(expression);
    PostKey(Box(), key);
  }

  TCalc* Calc;
  std::vector<std::string> Messages;
};

TEST_F(CalcWindow, EnterAndEqualsEvaluateHexLiteralsIntoTheBox) {
  const struct {
    const char* Expression;
    const char* Result;
  } cases[] = {{"0x1F+1", "32"}, {"1Fh*2", "62"}, {"$ff", "255"}, {"10/4", "2.5"}};
  for (const auto& c : cases) {
    Enter(c.Expression);
    EXPECT_EQ(Calc->Edit->GetText(), c.Result) << c.Expression;
    EXPECT_EQ(Calc->Edit->GetItems()->Get(0), c.Expression) << "the history's top";
  }
  Calc->Edit->SetText("");
  PostText(Box(), "2*3=");
  EXPECT_EQ(Calc->Edit->GetText(), "6") << "\"=\" evaluates and is not typed";
  EXPECT_TRUE(Messages.empty());

  Enter("1/0");
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_GT(Messages[0].size(), std::string(" Overflow!").size());
  EXPECT_EQ(Messages[0].substr(Messages[0].size() - 10), " Overflow!");
  EXPECT_EQ(Calc->Edit->GetText(), "1/0") << "the expression stays";
}

TEST_F(CalcWindow, TheHintFollowsTheTypedValue) {
  PostText(Box(), "10");
  EXPECT_EQ(Calc->Edit->GetHint(), "Decimal=10\r\nHex=000000000A\r\nBin=1010\r\nRoman=X");
  PostKey(Box(), VK_BACK);
  PostKey(Box(), VK_BACK);
  PostText(Box(), "2.5");
  EXPECT_EQ(Calc->Edit->GetHint(), "Decimal=2.5");
  PostText(Box(), "+");
  EXPECT_EQ(Calc->Edit->GetHint(), "Decimal=2.5") << "what does not evaluate keeps the hint";
}

TEST_F(CalcWindow, KeypadButtonsMemoryAndClosingInsideTheEditor) {
  Calc->SetKeypad(true);
  const int withKeypad = Calc->GetHeight();
  Calc->KeypadButton->Click();
  EXPECT_EQ(Calc->GetHeight(), withKeypad - TCalc::kKeypadHeight);
  EXPECT_EQ(Calc->Edit->GetTag(), 0);
  Calc->KeypadButton->Click();
  EXPECT_EQ(Calc->GetHeight(), withKeypad);

  auto press = [this](const char* caption) {
    for (int i = 0; i < Calc->Keypad->GetControlCount(); ++i) {
      TControl* c = Calc->Keypad->GetControl(i);
      if (c->GetCaption() == caption) {
        c->Click();
        return;
      }
    }
    ADD_FAILURE() << "no button " << caption;
  };
  Calc->Edit->SetText("");
  for (const char* k : {"1", "2", "+", "3"}) press(k);
  EXPECT_EQ(Calc->Edit->GetText(), "12+3");
  press("M+");
  press("M+");
  EXPECT_EQ(double(Calc->GetMemory()), 30.0);
  press("C");
  press("Sqrt");
  EXPECT_EQ(Calc->Edit->GetText(), "Sqrt()");
  EXPECT_EQ(Calc->Edit->GetSelStart(), 5) << "the caret between the parentheses";
  press("MR");
  EXPECT_EQ(Calc->Edit->GetText(), "Sqrt(30)");
  press("MC");
  EXPECT_EQ(double(Calc->GetMemory()), 0.0);

  PostKey(Box(), VK_F4, TShiftState{ssCtrl});
  EXPECT_FALSE(Calc->GetVisible()) << "Ctrl+F4 hides the editor's calculator";
  Calc->Show();
  Calc->CloseButton->Click();
  EXPECT_FALSE(Calc->GetVisible());
}

// The size chosen from the Fontsize menu comes back with the next window,
// and the menu checks it.
TEST_F(CalcWindow, TheFontsizeMenuChecksTheRestoredSize) {
  const auto checked = [this] {
    std::vector<std::string> sizes;
    for (int s : {8, 10, 12, 14, 16, 18, 20, 24})
      if (dynamic_cast<TMenuItem*>(Calc->FindComponent("Font" + std::to_string(s)))->GetChecked())
        sizes.push_back(std::to_string(s));
    return sizes;
  };
  Calc->SetFontSize(16);
  EXPECT_EQ(checked(), std::vector<std::string>{"16"});
  delete Calc;
  Calc = new TCalc(Application);
  Calc->Show();
  EXPECT_EQ(FontHeightToSize(Calc->Edit->GetFont().Height, 96), 16);
  EXPECT_EQ(checked(), std::vector<std::string>{"16"});
  Calc->SetFontSize(8);  // as the other cases expect it
}

// Alone ("/c") the calculator shows the program's calculator icon, given
// before its window is made and kept when the window is made again.
TEST_F(CalcWindow, AnIconGivenBeforeTheWindowStaysWithIt) {
  const HICON icon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32516));  // IDI_INFORMATION
  delete Calc;
  Calc = new TCalc(Application);
  Calc->SetIcon(icon);
  Calc->Show();
  EXPECT_EQ(::SendMessageA(Calc->GetHandle(), WM_GETICON, ICON_BIG, 0), LRESULT(icon));
  const HWND first = Calc->GetHandle();
  Calc->SetBorderStyle(bsSingle);  // a new window
  ASSERT_NE(Calc->GetHandle(), first);
  EXPECT_EQ(::SendMessageA(Calc->GetHandle(), WM_GETICON, ICON_SMALL, 0), LRESULT(icon));
}

}  // namespace
