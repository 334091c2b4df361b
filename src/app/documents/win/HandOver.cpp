#include "app/documents/win/HandOver.h"

#include "app/StartUp.h"
#include "app/documents/win/HandOverMessages.h"
#include "platform/Registry.h"

namespace {

BOOL CALLBACK EnumWindowsProc(HWND wnd, LPARAM lParam) {
  if (!IsPreviousInstanceWindow(wnd)) return TRUE;
  *reinterpret_cast<HWND*>(lParam) = wnd;
  return FALSE;
}

bool MultipleCopiesAllowed() {
  TRegistry registry;
  if (!registry.OpenKey(ProgramRegistryKey() + "\\Setup", true)) return false;
  std::string text;
  return registry.ReadValueText("CheckPrev_Checked", text) && text == "True";
}

}  // namespace

bool IsPreviousInstanceWindow(HWND wnd) {
  char name[31] = {};
  ::GetClassNameA(wnd, name, sizeof name);
  if (std::string(name) != "TMainForm") return false;
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutA(wnd, InstanceCheckMessage(), 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             kHandOverTimeoutMs, &answer))
    return false;
  return answer == DWORD_PTR(kInstanceAnswer);
}

HWND FindPreviousInstance() {
  HWND found = nullptr;
  ::EnumWindows(EnumWindowsProc, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool ActivatePreviousInstance(const std::vector<std::string>& args, const std::string& folder) {
  if (SkipsHandOver(args)) return false;
  if (MultipleCopiesAllowed()) return false;
  const std::string name = CommandLineFileName(args, folder);
  // No atom holds a longer name: this start then runs on its own.
  if (name.size() > kMaxHandOverName) return false;
  HWND previous = FindPreviousInstance();
  if (!previous) return false;
  ::PostMessageA(previous, kRestoreInstanceMessage, 0, 0);
  if (!name.empty()) {
    const ATOM atom = ::GlobalAddAtomA(name.c_str());
    if (atom) {
      DWORD_PTR result = 0;
      ::SendMessageTimeoutA(previous, kHandOverFileMessage, atom, 0, SMTO_ABORTIFHUNG, kHandOverTimeoutMs,
                            &result);
      ::GlobalDeleteAtom(atom);
    }
  }
  return true;
}
