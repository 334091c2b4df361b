// The icon clipboard format: icons exchanged with other programs as the
// bytes of an icon file under the registered name "Delphi Icon".
#pragma once

#include "platform/win/WinApi.h"

unsigned IconClipboardFormat();
// The icon on the clipboard, or null when there is none or its block fails
// the checks. The clipboard is closed again on every path. The caller owns
// the icon (DestroyIcon).
HICON CreateIconFromClipboard();
// The icon of an icon file's bytes (its first image), or null when they
// fail the checks. The caller owns the icon.
HICON CreateIconFromBlock(const void* data, size_t size);
