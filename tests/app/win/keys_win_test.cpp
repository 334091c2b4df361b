// The data module's key handlers on a real editor window, keys typed
// through the message loop as the keyboard delivers them (so the layout
// decides what character a key types).
// The editor first: its line store declares GetObject, which the Windows
// headers would rename if they came before it.
#include "editor/win/EditWindow.h"

#include <gtest/gtest.h>

#include "../tools/CalcMainWindow.h"
#include "app/EditorAppBytes.h"
#include "app/win/DataWin.h"
#include "platform/SysUtils.h"
#include "platform/win/Forms.h"
#include "platform/win/WinTestSupport.h"

TQ_TEST_APPLICATION();

namespace {


class TypedKeys : public ::testing::Test {
protected:
  TypedKeys() : Data(nullptr) {
    Data.MainWindow = &Main;
    Form = new TForm(Application);
    Form->SetBounds(0, 0, 400, 300);
    Window = new TktEditWindow(Form);
    Window->SetAlign(alClient);
    Window->SetParent(Form);
    UseDataHandlers(Window, &Data);
    Form->Show();
    ::SetForegroundWindow(Form->GetHandle());
    Window->SetFocus();
    Application->ProcessMessages();
  }
  ~TypedKeys() override { delete Form; }
  std::string Line1() const { return std::string(Window->GetEdit()->LineText(1)); }

  TCalcMainWindow Main;
  TData Data;
  TForm* Form;
  TktEditWindow* Window;
};

TEST_F(TypedKeys, PlusStaysPlusAndEqualsComputesOnlyAlone) {
  PostText(Window->GetHandle(), "c++ 2*3=");
  EXPECT_EQ(Line1(), "c++ 2*3=6");
  EXPECT_EQ(Main.Status, "  1:  8") << "the caret before the last key";

  Window->GetEdit()->SetText("");
  PostText(Window->GetHandle(), "pi= WHERE 1=1");
  EXPECT_EQ(Line1(), "pi= WHERE 1=1");

  Window->GetEdit()->SetText("");
  PostText(Window->GetHandle(), "x");
  PostKey(Window->GetHandle(), VK_OEM_PLUS, TShiftState{ssCtrl});
  EXPECT_EQ(Line1(), "x") << "Ctrl+= types nothing";
}

TEST_F(TypedKeys, AltShiftSelectsColumnsAndCtrlKWaitsAcrossModifiers) {
  Window->GetEdit()->SetText("abcdef\r\nabcdef");
  Window->GetEdit()->SetCaretXY(TPoint(4, 1));
  PostKey(Window->GetHandle(), VK_DOWN, TShiftState{ssAlt, ssShift});
  EXPECT_EQ(Window->GetEdit()->GetSelectionMode(), smColumn);
  EXPECT_EQ(Window->GetEdit()->GetBlockEnd(), TPoint(4, 2));
  PostKey(Window->GetHandle(), VK_SHIFT, TShiftState{ssShift});
  EXPECT_EQ(Window->GetEdit()->GetSelectionMode(), smNormal);

  PostKey(Window->GetHandle(), 'K', TShiftState{ssCtrl});
  EXPECT_TRUE(CtrlKPending(*Window->GetEdit()));
  EXPECT_EQ(Line1(), "abcdef") << "the prefix key is swallowed";
  PostKey(Window->GetHandle(), VK_CONTROL, TShiftState{ssCtrl});
  EXPECT_TRUE(CtrlKPending(*Window->GetEdit()));
  PostKey(Window->GetHandle(), 'Q');
  EXPECT_FALSE(CtrlKPending(*Window->GetEdit()));
}

}  // namespace
