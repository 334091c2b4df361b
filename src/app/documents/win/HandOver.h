// The sending side of a second start: find the running main window, bring it
// to the front and hand it the file the command line names. Every message to
// another process waits at most a moment, so a window that stopped
// answering cannot hang the new start.
#pragma once

#include "platform/win/WinApi.h"

#include <string>
#include <vector>

// How long a running instance may take to answer one message.
constexpr UINT kHandOverTimeoutMs = 2000;

// A top-level window of class "TMainForm" that answers the instance check.
bool IsPreviousInstanceWindow(HWND wnd);
// The first such window, or nullptr.
HWND FindPreviousInstance();

// True when a running instance took over (the caller then ends). args are
// the command-line arguments without the program's name; folder is where
// relative names are taken from.
bool ActivatePreviousInstance(const std::vector<std::string>& args, const std::string& folder);
