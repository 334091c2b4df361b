// The system clipboard as the editing control's window offers it to the
// control: plain text (CF_TEXT) that other programs read, and the control's
// private block format -- a selection-mode byte, the text and a NUL -- so a
// column or line block pastes back as one. Nothing here raises: a clipboard
// that cannot be opened, memory that cannot be had, a format that cannot be
// set is a false result, and the clipboard is closed and every block not
// handed over freed on every path.
#pragma once

#include <string>
#include <string_view>

#include "editor/EditHost.h"
#include "platform/win/WinApi.h"

// The private format, registered once per process when the program starts.
UINT BlockTypeClipboardFormat();

bool EditClipboardHasFormat(TktClipboardFormat format);
// The data of format up to its NUL (for the block, the NUL after its mode
// byte); false when the clipboard cannot be opened or holds no such data.
bool EditClipboardRead(HWND owner, TktClipboardFormat format, std::string& data);
// Empties the clipboard and places text (plus a NUL) as CF_TEXT and then,
// only when that worked, block (plus a NUL) as the private format. False
// when either could not be placed.
bool EditClipboardWrite(HWND owner, std::string_view text, std::string_view block);
