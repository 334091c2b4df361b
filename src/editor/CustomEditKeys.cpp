// Keys, characters and input-method strings as the window half hands them
// in: key strokes (and two-key chords) through the key map, the character
// message that follows a key already turned into a command, and the
// character messages that repeat an input method's result string.
#include "editor/CustomEdit.h"

TktEditorCommand TktCustomEdit::TranslateKeyCode(uint16_t key, TShiftState shift) {
  return ::TranslateKeyCode(*FKeystrokes, key, shift, FLastKey, FLastShift);
}

void TktCustomEdit::KeyDown(uint16_t& key, TShiftState shift) {
  // The key map knows Shift, Alt and Ctrl only; mouse buttons held down
  // must not hide a stroke.
  const TktEditorCommand command =
      TranslateKeyCode(key, shift * TShiftState{ssShift, ssAlt, ssCtrl});
  if (command == ecNone) {
    FStateFlags &= uint16_t(~sfIgnoreNextChar);
    return;
  }
  key = 0;
  FStateFlags |= sfIgnoreNextChar;
  ExecuteCommand(command, '\0', nullptr);
}

bool TktCustomEdit::SwallowChar() {
  if (FImeCount > 0) {
    --FImeCount;
    return true;
  }
  if (FStateFlags & sfIgnoreNextChar) {
    FStateFlags &= uint16_t(~sfIgnoreNextChar);
    return true;
  }
  return false;
}

void TktCustomEdit::KeyPress(char key) { ExecuteCommand(ecChar, key, nullptr); }

void TktCustomEdit::ImeComposition(const std::string& text) {
  // The window system repeats the result as one character message per byte.
  FImeCount = int(text.size());
  ExecuteCommand(ecImeStr, '\0', const_cast<char*>(text.c_str()));
}
