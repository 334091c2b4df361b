// Starts the real Tarnquill.exe, finds its main window by class and caption,
// closes it as a user would and checks that the process ends cleanly.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Wine hands the Unix path of the build folder to the test through a macro;
// turn it into a path Windows can start.
std::string ProgramPath() {
  std::string unixPath = TQ_PROGRAM_PATH;
  if (!unixPath.empty() && unixPath[0] == '/') {
    std::string winPath = "Z:" + unixPath;
    for (char& c : winPath)
      if (c == '/') c = '\\';
    return winPath;
  }
  return unixPath;
}

struct ProcessGuard {
  PROCESS_INFORMATION pi{};
  ~ProcessGuard() {
    if (pi.hProcess) {
      if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 99);
      CloseHandle(pi.hProcess);
      CloseHandle(pi.hThread);
    }
  }
};

struct FindData {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindMainForm(HWND wnd, LPARAM lParam) {
  auto* data = reinterpret_cast<FindData*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  char cls[64] = {};
  GetClassNameA(wnd, cls, sizeof cls);
  if (pid == data->pid && std::string(cls) == "TMainForm") {
    data->found = wnd;
    return FALSE;
  }
  return TRUE;
}

TEST(Program, OpensMainWindowAndClosesCleanly) {
  std::string cmd = "\"" + ProgramPath() + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  ProcessGuard proc;
  ASSERT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &proc.pi))
      << "could not start " << cmd << " error " << GetLastError();
  WaitForInputIdle(proc.pi.hProcess, 10000);

  FindData data{proc.pi.dwProcessId, nullptr};
  for (int i = 0; i < 100 && !data.found; ++i) {
    EnumWindows(FindMainForm, reinterpret_cast<LPARAM>(&data));
    if (!data.found) Sleep(100);
  }
  ASSERT_NE(data.found, nullptr) << "no TMainForm window appeared";
  char caption[128] = {};
  GetWindowTextA(data.found, caption, sizeof caption);
  EXPECT_STREQ(caption, "Tarnquill");
  EXPECT_TRUE(IsWindowVisible(data.found));

  PostMessageA(data.found, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(proc.pi.hProcess, 15000), WAIT_OBJECT_0)
      << "the program did not end after WM_CLOSE";
  DWORD code = 12345;
  GetExitCodeProcess(proc.pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
}

}  // namespace
