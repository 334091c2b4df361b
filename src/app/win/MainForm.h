// The main window: for now an empty frame of class TMainForm titled
// "Tarnquill"; the documents, menus and tool windows grow on it.
#pragma once
#include <windows.h>

namespace tq {

// Window class name other instances look for when handing over a file.
inline constexpr char kMainFormClass[] = "TMainForm";
inline constexpr char kMainFormCaption[] = "Tarnquill";

// Registers the class and creates the (hidden) main window; returns null on failure.
HWND CreateMainForm(HINSTANCE instance);

}  // namespace tq
