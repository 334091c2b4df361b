// What the hex view asks of the system outside any window: the folder for
// temporary files. Under Windows the system answers (win/HexSystemWin.cpp,
// which also gives the OEM tables); natively TMPDIR does.
#pragma once

#include <string>

// The folder with a trailing delimiter.
std::string HexTempFolder();

// Makes a new, empty file in the temporary folder named with 8 upper-case
// hexadecimal digits of the millisecond tick count and ".ZOVT". The name is
// claimed by creating the file exclusively, so two views made in the same
// millisecond never share one; a name that exists is passed over for the
// next number (up to 4,096 of them). Empty when no file can be made.
std::string ClaimTempFile();
