// The run and help keys' shell and help calls.
#include "app/commands/win/RunShell.h"

#include <shellapi.h>

#include "platform/Classes.h"
#include "platform/SysUtils.h"

bool CarryOutRun(HWND owner, const TRunPlan& plan, const TRunActions& actions) {
  if (!plan.Run) return false;
  if (plan.SaveFirst && !(actions.Save && actions.Save())) return false;
  if (plan.WriteTempCopy) {
    if (!actions.Lines) return false;
    actions.Lines->SaveToFile(plan.TempCopyFile);
  }
  const auto result = reinterpret_cast<intptr_t>(::ShellExecuteA(
      owner, "Open", plan.File.c_str(), plan.Parameters.empty() ? nullptr : plan.Parameters.c_str(),
      plan.Directory.empty() ? nullptr : plan.Directory.c_str(), SW_RESTORE));
  if (result > 32) return true;
  if (actions.ShowMessage) actions.ShowMessage("Cannot run " + plan.File + ".");
  return false;
}

bool HelpJump(HWND owner, const std::string& helpFile, const std::string& topic) {
  if (helpFile.empty()) return false;
  const std::string macro = HelpJumpMacro(topic);
  return ::WinHelpA(owner, helpFile.c_str(), HELP_COMMAND, reinterpret_cast<ULONG_PTR>(macro.c_str())) != 0;
}
