// What the run and help key tests share: the folders a case runs its
// programs in, the recorder program's record (written by
// fixtures/RunRecorder.cpp to the file TQ_RUN_RECORD names) read back once it
// appears, and a stand-in for the help viewer's window.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>

#include "platform/win/WinTestSupport.h"

// A build path as this process's file functions take it.
inline std::string WinPath(std::string p) {
  for (char& c : p)
    if (c == '/') c = '\\';
  return p.size() > 1 && p[0] == '\\' ? "Z:" + p : p;
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Waits for a file to appear; started programs take their time under Wine.
inline bool WaitForFile(const std::string& path, int ms = 20000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!Exists(path)) {
    if (std::chrono::steady_clock::now() > end) return false;
    PumpFor(50);
  }
  return true;
}

// A run case's folders below the temporary folder, named after the case: the
// programs' folder (a blank in its name), the document's folder and the
// current folder, which the case works in until it ends. The recorder writes
// its record into the case's folder.
struct TRunFolders {
  // prefix: the start of the case's folder name, before the test's name.
  explicit TRunFolders(const std::string& prefix) {
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    SystemTemp = temp;
    Base = SystemTemp + prefix + " " + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
    Tools = Base + "tool s\\";
    DocDir = Base + "my docs\\";
    Cwd = Base + "current\\";
    for (const std::string& d : {Base, Tools, DocDir, Cwd}) ::CreateDirectoryA(d.c_str(), nullptr);
    char cwd[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, cwd);
    OldCwd = cwd;
    ::SetCurrentDirectoryA(Cwd.c_str());
    RecordFile = Base + "record.txt";
    ::SetEnvironmentVariableA("TQ_RUN_RECORD", RecordFile.c_str());
  }
  ~TRunFolders() { ::SetCurrentDirectoryA(OldCwd.c_str()); }

  // The recorder in the programs' folder under name, and same-named decoys
  // where a bare name would be looked up: the document's and the current
  // folder.
  ::testing::AssertionResult AddRecorder(const std::string& name) const {
    const std::pair<const char*, std::string> copies[] = {
        {TQ_RECORDER_EXE, Tools}, {TQ_DECOY_EXE, DocDir}, {TQ_DECOY_EXE, Cwd}};
    for (const auto& [from, to] : copies)
      if (!::CopyFileA(WinPath(from).c_str(), (to + name).c_str(), FALSE))
        return ::testing::AssertionFailure() << "no copy of " << from << " as " << to + name;
    return ::testing::AssertionSuccess();
  }

  std::string SystemTemp, Base, Tools, DocDir, Cwd, OldCwd, RecordFile;
};

inline std::map<std::string, std::string> Record(const std::string& path) {
  std::map<std::string, std::string> r;
  std::istringstream in(ReadText(path));
  for (std::string line; std::getline(in, line);) {
    const size_t eq = line.find('=');
    if (eq != std::string::npos) r[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return r;
}

inline std::string NoSlash(std::string dir) {
  if (!dir.empty() && dir.back() == '\\') dir.pop_back();
  return dir;
}

// The help viewer's window as WinHelp finds it: class "MS_WINHELP", told
// each request by WM_COPYDATA.
struct THelpStandIn {
  static inline ULONG_PTR Tag = 0;
  static inline std::string Data;
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
      const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      Tag = cds->dwData;
      Data.assign(static_cast<const char*>(cds->lpData), cds->cbData);
      return TRUE;
    }
    return ::DefWindowProcA(wnd, msg, wParam, lParam);
  }
  THelpStandIn() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "MS_WINHELP";
    ::RegisterClassA(&wc);
    Wnd = ::CreateWindowA("MS_WINHELP", "help stand-in", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                          wc.hInstance, nullptr);
  }
  ~THelpStandIn() { ::DestroyWindow(Wnd); }
  // The request's file and data: after a header of two words and two longs,
  // two words give their offsets from the request's start.
  std::string Field(int which) const {
    if (Data.size() < 16) return "<short>";
    WORD offset;
    std::memcpy(&offset, Data.data() + 12 + 2 * which, 2);
    if (offset == 0 || offset >= Data.size()) return "";
    return std::string(Data.c_str() + offset);
  }
  HWND Wnd;
};
