// The three bytes every editor carries for the application alone, by what
// the application keeps in them. Nothing else reads or writes them.
#pragma once

#include "editor/CustomEdit.h"

// Set by Ctrl+K in the editor until its next key press: the block commands
// then act as the second key of a Ctrl+K chord. Cleared when a document is
// made.
inline bool CtrlKPending(const TktCustomEdit& edit) { return edit.AppByte1 != 0; }
inline void SetCtrlKPending(TktCustomEdit& edit, bool pending) { edit.AppByte1 = pending ? 1 : 0; }

// The selection mode the options give the editor (0 normal, 1 column, 2
// line); Shift brings a document left in column mode back to it.
inline TSelectionMode DefaultSelectionMode(const TktCustomEdit& edit) {
  return edit.AppByte2 <= smLine ? static_cast<TSelectionMode>(edit.AppByte2) : smNormal;
}
inline void SetDefaultSelectionMode(TktCustomEdit& edit, TSelectionMode mode) {
  edit.AppByte2 = static_cast<uint8_t>(mode);
}

// On while the document shows its browser split; the view command toggles it.
inline bool BrowserSplit(const TktCustomEdit& edit) { return edit.AppByte3 != 0; }
inline void SetBrowserSplit(TktCustomEdit& edit, bool on) { edit.AppByte3 = on ? 1 : 0; }
