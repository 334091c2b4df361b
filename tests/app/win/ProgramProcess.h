// The real Tarnquill.exe started in a process of its own for the tests:
// its path, the settings it needs to start as an editor, the process, its
// main window and that window's caption.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/settings/DefaultSettings.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"

// Wine hands the Unix path of the build folder to the test through a macro;
// turn it into a path Windows can start.
inline std::string ProgramPath() {
  std::string unixPath = TQ_PROGRAM_PATH;
  if (!unixPath.empty() && unixPath[0] == '/') {
    std::string winPath = "Z:" + unixPath;
    for (char& c : winPath)
      if (c == '/') c = '\\';
    return winPath;
  }
  return unixPath;
}

inline std::string TempFolder() {
  char buf[MAX_PATH + 1] = {};
  ::GetTempPathA(MAX_PATH, buf);
  std::string dir = std::string(buf) + "tq-program-test";
  ::CreateDirectoryA(dir.c_str(), nullptr);
  return dir;
}

// A fresh prefix has never been set up: the program would only install.
inline void EnsureInstalled() {
  TRegistry registry;
  if (registry.OpenKeyReadOnly(ProgramRegistryKey()) && registry.ValueExists("Version")) return;
  WriteDefaultSettings();
  registry.OpenKey(ProgramRegistryKey(), true);
  registry.WriteString("Version", "1.0.0.0");
}

struct Process {
  PROCESS_INFORMATION pi{};
  ~Process() {
    if (pi.hProcess) {
      if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(pi.hProcess, 99);
      ::CloseHandle(pi.hProcess);
      ::CloseHandle(pi.hThread);
    }
  }
  bool Start(const std::string& args, const std::string& folder = std::string()) {
    return StartAt(ProgramPath(), args, folder);
  }
  // The program under another name or in another place (an installed copy).
  bool StartAt(const std::string& exe, const std::string& args, const std::string& folder) {
    std::string cmd = "\"" + exe + "\"" + (args.empty() ? "" : " " + args);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    return ::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.empty() ? nullptr : folder.c_str(), &si, &pi) != 0;
  }
  bool Ended(DWORD ms) const { return ::WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
  DWORD Wait(DWORD ms) {
    if (::WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0) return 12345;
    DWORD code = 12345;
    ::GetExitCodeProcess(pi.hProcess, &code);
    return code;
  }
};

struct FindData {
  DWORD Pid;
  std::vector<HWND> Found;
};

inline BOOL CALLBACK FindMainForms(HWND wnd, LPARAM lParam) {
  auto* data = reinterpret_cast<FindData*>(lParam);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(wnd, &pid);
  char cls[64] = {};
  ::GetClassNameA(wnd, cls, sizeof cls);
  if (pid == data->Pid && std::string(cls) == "TMainForm") data->Found.push_back(wnd);
  return TRUE;
}

inline HWND WaitForMainForm(const Process& p, int tenths = 150) {
  for (int i = 0; i < tenths; ++i) {
    FindData data{p.pi.dwProcessId, {}};
    ::EnumWindows(FindMainForms, reinterpret_cast<LPARAM>(&data));
    if (!data.Found.empty() && ::IsWindowVisible(data.Found[0])) return data.Found[0];
    ::Sleep(100);
  }
  return nullptr;
}

inline std::string Caption(HWND wnd) {
  char caption[512] = {};
  ::SendMessageTimeoutA(wnd, WM_GETTEXT, sizeof caption, reinterpret_cast<LPARAM>(caption), SMTO_ABORTIFHUNG,
                        2000, nullptr);
  return caption;
}

inline void CloseAndExpectExit(Process& p, HWND wnd) {
  ::PostMessageA(wnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(p.Wait(15000), 0u) << "the program did not end cleanly after WM_CLOSE";
}

class Program : public ::testing::Test {
protected:
  void SetUp() override { EnsureInstalled(); }
};
