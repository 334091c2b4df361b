// TCalc, the calculator window: an always-on-top window with a navy drag
// bar, an expression box with history (Edit) and a keypad that can be put
// away. Enter or "=" in the box evaluates it; the box's hint shows the
// value of what is typed in decimal, hexadecimal, binary and Roman form.
// Run alone ("/c") closing it ends the program; inside the editor it is
// only hidden. The arithmetic is TCalcEngine's.
#pragma once

#include <string>

#include "app/tools/win/WindowDrag.h"
#include "kit/win/Placemnt.h"
#include "kit/win/RxCtrls.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/Forms.h"
#include "platform/win/Menus.h"
#include "platform/win/StdCtrls.h"

class TCalc : public TForm {
public:
  static constexpr int kKeypadHeight = 160;

  explicit TCalc(TComponent* owner);
  ~TCalc() override;

  // Set for "/c": closing ends the program instead of hiding the window.
  bool StandAlone = false;

  TPanel* Bar;
  TLabel* BarCaption;
  TRxSpeedButton* CloseButton;
  TRxSpeedButton* KeypadButton;
  TRxSpeedButton* MenuButton;
  TButton* MinimizeButton;  // hidden
  TComboBox* Edit;
  TPanel* Keypad;
  TPopupMenu* Menu;
  TMenuItem* ShowHint;
  TMenuItem* NotShow;
  TFormStorage* FormStorage;

  // Evaluates Edit's expression: the result replaces it and the expression
  // goes to the top of the history; a failure shows the error's text with
  // " Overflow!" behind it and leaves the expression.
  void Evaluate();
  // Inserts text at Edit's caret, over its selection.
  void InsertText(const std::string& text);
  // The keypad shown (Edit.Tag non-zero) or put away, and the window sized for it.
  void SetKeypad(bool shown);
  void SetFontSize(int size);
  long double GetMemory() const { return FMemory; }
  // Close: the program's end when stand-alone, else hiding.
  void CloseCalc();

protected:
  void KeyDown(uint16_t& key, TShiftState shift) override;

private:
  // Checks the Fontsize menu's item of that size, and only that one.
  void CheckFontSizeItem(int size);
  void MakeBar();
  void MakeKeypad();
  void MakeMenu();
  void Relayout();
  void UpdateHint();
  void FormActivate(TObject* sender);
  void EditKeyPress(TObject* sender, char& key);
  void ButtonClick(TObject* sender);
  void MinimizeClick(TObject* sender);

  long double FMemory = 0;
  TWindowDrag FDrag;
};

// The calculator of the running program, once made.
extern TCalc* Calc;
