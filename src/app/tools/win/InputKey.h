// TInputKey, the "Enter Hot Key" dialog a roll-up's hot key is chosen in:
// every key pressed in it (in its edit or on its button) shows as text, a
// combination the program already uses shows "Reserved!", and OK takes only
// a combination accepted in this showing that has a key besides the
// modifiers. Made once and shown again for every roll-up.
#pragma once

#include <functional>
#include <vector>

#include "app/tools/HotKeys.h"
#include "platform/win/Forms.h"
#include "platform/win/StdCtrls.h"

class TInputKey : public TForm {
public:
  explicit TInputKey(TComponent* owner);

  TEdit* Edit;
  TButton* OkButton;

  // The shortcuts of the main window's menu items and actions (roll-ups
  // included), asked anew at every key: the reserved list is rebuilt then.
  std::function<std::vector<TShortCut>()> UsedShortCuts;

  // Shows the dialog modally from a clear state; 1 when OK took a hot key.
  TModalResult Execute();
  // The chosen hot key and its text (as stored and shown on the roll-up).
  TShortCut GetShortCut() const { return FInput.GetShortCut(); }
  std::string GetHotKeyText() const { return FInput.GetText(); }
  // Starts a showing afresh (Execute does it; a modeless test does it itself).
  void Clear();

private:
  void KeyPressed(TObject* sender, uint16_t& key, TShiftState shift);
  void OkButtonClick(TObject* sender);
  bool IsReserved(TShortCut shortCut) const;

  THotKeyInput FInput;
};
