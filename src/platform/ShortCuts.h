// Shortcuts as text: the one table of key names that menus show beside their
// items, that the hot-key dialog writes and that stored hot keys are read
// back with ("Ctrl+Shift+F7", "Alt+PageUp", "Ctrl+186").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Keys.h"

// The name of a virtual key: letters and digits as themselves, the named keys
// of the table, any other key its code in decimal (two digits at least, so a
// code below 10 is never read back as a digit key). Empty for 0 and for the
// modifier keys alone (Shift, Ctrl, Alt, the Windows keys), which add nothing
// to a shortcut's text.
std::string KeyToText(uint16_t key);

// "Ctrl+", "Shift+" and "Alt+" in that order, then the key's name; empty for
// a shortcut without a key.
std::string ShortCutToText(TShortCut shortCut);

// The reverse: the modifiers in any order and letter case, then a key name of
// the table (any letter case) or a decimal key code below 256. Text that
// names no key gives scNone.
TShortCut TextToShortCut(std::string_view text);
