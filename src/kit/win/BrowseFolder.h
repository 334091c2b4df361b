// Choosing a folder with the shell's folder browser: it opens at the
// caller's folder, and the folder the user confirms replaces it.
#pragma once

#include "platform/win/WinApi.h"

#include <functional>
#include <string>

// title: the text above the folder tree. True (and folder changed) when the
// user confirmed a file-system folder. The system's critical-error boxes
// stay away while it runs.
bool BrowseDirectory(std::string& folder, const std::string& title, HWND owner = nullptr);

// Answers the browser in place of the user (tests, scripted runs): set
// folder and return true for OK. Returns the previous answer.
using TBrowseFolderFunc = std::function<bool(std::string& folder, const std::string& title)>;
TBrowseFolderFunc SetBrowseFolderFunc(TBrowseFolderFunc func);
