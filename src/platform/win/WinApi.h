// The one way our Win32 code includes the Windows headers. Some API names are
// macros that would rename our own methods (TextOut, MessageBox, ...); they are
// undone here and the code calls the explicit ANSI functions (TextOutA, ...).
#pragma once

#include <windows.h>

#undef TextOut
#undef ExtTextOut
#undef GetTextMetrics
#undef GetCharABCWidths
#undef MessageBox
#undef GetObject     // TStrings::GetObject; GDI code calls GetObjectA
#undef GetCharWidth  // the text drawers' cell width; GDI code calls GetCharWidth32A
