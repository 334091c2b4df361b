// Choosing a roll-up's hot key: the combinations the program keeps for
// itself, and the hot-key dialog's answer to each key pressed in it. The
// texts are the control layer's shortcut texts ("Ctrl+Shift+F7"), so what
// the dialog shows is what is stored and read back.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Keys.h"

// The fixed combinations no roll-up may take, in their order: the editor's
// and the main window's keys that hold whatever the menus and actions say.
const std::vector<TShortCut>& FixedReservedShortCuts();

// The reserved list: the non-zero shortcuts given (the main window's menu
// items, then its actions, roll-ups included) followed by the fixed ones.
std::vector<TShortCut> ReservedShortCuts(const std::vector<TShortCut>& menuAndActionShortCuts);

// The text a key press shows: "Ctrl+", "Shift+", "Alt+" as held, then the
// key's name (nothing for a modifier key alone).
std::string HotKeyText(uint16_t key, TShiftState shift);

// The hot-key dialog's state over one showing.
class THotKeyInput {
public:
  static constexpr const char* kReserved = "Reserved!";

  // Showing the dialog starts afresh: nothing chosen, nothing shown.
  void Clear();
  // One key pressed in the edit or on the OK button. Escape cancels (result
  // 2); Enter changes nothing; any other combination is shown and kept, or,
  // when isReserved says so, "Reserved!" is shown, the choice dropped and
  // true returned (the focus moves on).
  bool KeyPress(uint16_t key, TShiftState shift, const std::function<bool(TShortCut)>& isReserved);

  const std::string& GetText() const { return FText; }
  TShortCut GetShortCut() const { return FShortCut; }
  int GetResult() const { return FResult; }
  // OK takes the choice only for a combination accepted in this showing
  // that holds a key besides the modifiers.
  bool CanAccept() const { return FAccepted && (FShortCut & 0xFF) != 0; }

private:
  std::string FText;
  TShortCut FShortCut = scNone;
  bool FAccepted = false;
  int FResult = 0;
};
