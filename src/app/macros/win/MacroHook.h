// The window system's side of the keyboard macro recorder. A message hook
// on the user-interface thread sees every key message the thread removes
// from its queue, in the main loop and in every modal loop (our forms,
// message boxes, menus, common dialogs): while recording it hands them to
// the recorder; while playing it delivers the player's keys one per turn of
// the loop to the window with the keyboard focus, holds back the user's own
// keys and mouse buttons, and ends on a typed Ctrl+Break. Keys typed in
// other programs are never seen, and a macro never types into one.
#pragma once

#include <memory>

#include "app/macros/Recorder.h"

// Makes MacroRecorder with its hooks; FreeMacroRecorder stops and frees it
// (before the forms go, so no key is delivered to a window being destroyed).
TRecorder* CreateMacroRecorder();
void FreeMacroRecorder();
