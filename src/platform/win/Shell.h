// What the program asks of the Windows shell: opening a document, a folder,
// a program or an address with whatever the system has for it (the one way
// the program does so, and one that tests can replace), and reading the
// names of files dropped on a window.
#pragma once

#include "platform/Classes.h"
#include "platform/Types.h"
#include "platform/win/WinApi.h"

#include <shellapi.h>

#include <functional>
#include <string>

// Opens target with the verb ("open", "explore", ...), the parameters and
// the working folder given, its window shown as show says (SW_SHOWNORMAL,
// SW_HIDE, ...). True when the shell started it.
bool ShellOpen(const std::string& target, const std::string& parameters = std::string(),
               const std::string& directory = std::string(), int show = SW_SHOWNORMAL,
               const std::string& verb = "open");

using TShellOpenFunc =
    std::function<bool(const std::string& target, const std::string& parameters,
                       const std::string& directory, int show, const std::string& verb)>;
// Lets a test (or a scripted run) take every ShellOpen; returns the previous.
TShellOpenFunc SetShellOpenFunc(TShellOpenFunc func);

using TDropHandler = std::function<void(TStrings& files, TPoint point)>;
// A WM_DROPFILES: every dropped name, whole however long, and the point of
// the drop in the window's client area go to handler. The drop is finished
// in any case, also when the handler raises (the exception goes on).
void AcceptDroppedFiles(HDROP drop, const TDropHandler& handler);
