// Process start to a visible main window that answers WM_NULL: Tarnquill.exe
// (settings installed, no session) against Wine's notepad.exe, one launcher,
// the first start of each discarded, the median of five alternating starts.
//   usage: main_wine_startup_bench <Tarnquill.exe>
// Prints "main-startup-notepad-ratio: <ratio>" on stdout; details on stderr.
#include <cstdio>
#include <string>
#include <vector>

#include "WineBench.h"

namespace {

using wine_bench::Median;

struct Find {
  DWORD Pid;
  HWND Wnd;
};

BOOL CALLBACK Visible(HWND wnd, LPARAM lParam) {
  auto* f = reinterpret_cast<Find*>(lParam);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(wnd, &pid);
  if (pid != f->Pid || !::IsWindowVisible(wnd)) return TRUE;
  f->Wnd = wnd;
  return FALSE;
}

// Seconds from CreateProcess to an answered WM_NULL; the process is ended.
double StartOnce(const std::string& cmdLine) {
  std::string cmd = cmdLine;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const LARGE_INTEGER t0 = wine_bench::Now();
  if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  Find f{pi.dwProcessId, nullptr};
  double t = -1;
  for (int i = 0; i < 20000; ++i) {
    ::EnumWindows(Visible, reinterpret_cast<LPARAM>(&f));
    DWORD_PTR r = 0;
    if (f.Wnd && ::SendMessageTimeoutA(f.Wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &r)) {
      t = wine_bench::Seconds(t0, wine_bench::Now());
      break;
    }
    f.Wnd = nullptr;
    ::Sleep(1);
  }
  ::TerminateProcess(pi.hProcess, 0);
  ::WaitForSingleObject(pi.hProcess, 5000);
  ::CloseHandle(pi.hProcess);
  ::CloseHandle(pi.hThread);
  return t;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string ours = std::string("\"") + argv[1] + "\" /n";
  const std::string notepad = "notepad.exe";
  StartOnce(ours);
  StartOnce(notepad);
  std::vector<double> a, b;
  for (int i = 0; i < 5; ++i) {
    a.push_back(StartOnce(ours));
    b.push_back(StartOnce(notepad));
  }
  wine_bench::PrintRatio("main-startup-notepad-ratio", Median(a), Median(b));
  return 0;
}
