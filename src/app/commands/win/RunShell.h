// Carrying out the run and help keys' plans: the ordinary save or the
// temporary copy first, then one shell start; and the help system's jump to
// a topic.
#pragma once

#include <functional>
#include <string>

#include "app/commands/RunCommands.h"
#include "platform/win/WinApi.h"

class TStrings;

struct TRunActions {
  // The document's ordinary save; false when it failed or was cancelled.
  std::function<bool()> Save;
  // The editor's lines, for the temporary copy.
  const TStrings* Lines = nullptr;
  // Shows a message to the user.
  std::function<void(const std::string&)> ShowMessage;
};

// Saves or writes the copy as the plan says, then starts the plan's file
// through the shell (verb "Open", shown restored, owned by owner). Nothing
// starts when the save fails. A start the shell refuses (a return of 32 or
// less) shows "Cannot run <file>." True when something was started.
bool CarryOutRun(HWND owner, const TRunPlan& plan, const TRunActions& actions);

// Asks the help system to show topic in helpFile: WinHelp's command with
// the jump macro. An empty file asks nothing and gives false.
bool HelpJump(HWND owner, const std::string& helpFile, const std::string& topic);
