// Process start to a visible main window that answers WM_NULL: Tarnquill.exe
// (settings installed, no session) against Wine's notepad.exe, one launcher,
// the first start of each discarded, the median of five alternating starts.
// Then the same for a returning user: the last session's five named
// documents (Pascal, C++, HTML, SQL and plain text, 1,000 lines each) and two
// roll-ups restored, timed until the last one is loaded; and, to show where
// that time goes, the roll-ups alone and the documents alone.
//   usage: main_wine_startup_bench <Tarnquill.exe> [<folder for the documents>]
// Prints "main-startup-notepad-ratio: <ratio>" and, with a folder,
// "main-startup-session-notepad-ratio: <ratio>" (goal: at most 2) on stdout;
// details on stderr.
// The session goes into the program's key for the runs and the key is put
// back as it was afterwards.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
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

// Seconds from CreateProcess to an answered WM_NULL (and, when last is not
// empty, to a main window whose caption names that document: the session's
// documents load in order, the last one last); the process is ended.
double StartOnce(const std::string& cmdLine, const std::string& last = "") {
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
      bool loaded = last.empty();
      char caption[512] = {};
      if (!loaded) {
        // The roll-ups are visible windows of the process too.
        HWND top = nullptr;
        while (!loaded && (top = ::FindWindowExA(nullptr, top, nullptr, nullptr)) != nullptr) {
          DWORD pid = 0;
          ::GetWindowThreadProcessId(top, &pid);
          if (pid != pi.dwProcessId || !::IsWindowVisible(top)) continue;
          ::GetWindowTextA(top, caption, sizeof caption);
          const std::string text = caption;
          loaded = text.size() >= last.size() && text.compare(text.size() - last.size(), last.size(), last) == 0;
        }
      }
      if (loaded) {
        t = wine_bench::Seconds(t0, wine_bench::Now());
        break;
      }
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

// The program's key as the runs need it, and as it was before.
class TSessionKey {
public:
  TSessionKey() {
    Saved = ReadKey(kSetup);
    SavedOpened = ReadKey(kOpened);
    SavedRollup = ReadKey(kRollup);
  }
  ~TSessionKey() {
    WriteKey(kSetup, Saved, true);
    WriteKey(kOpened, SavedOpened, true);
    WriteKey(kRollup, SavedRollup, true);
  }
  void Set(const std::vector<std::string>& documents, bool rollUps) {
    std::map<std::string, std::string> setup = Saved;
    setup["SaveReloadSession_Checked"] = "True";
    WriteKey(kSetup, setup, false);
    std::map<std::string, std::string> opened, rollup;
    for (size_t i = 0; i < documents.size(); ++i) opened[documents[i]] = std::to_string(i);
    if (rollUps) {
      rollup["Ctrl+Shift+F11"] = "begin\r\n  Result := 0;\r\nend;";
      rollup["Ctrl+Shift+F12"] = "for i := 1 to 10 do";
    }
    WriteKey(kOpened, opened, true);
    WriteKey(kRollup, rollup, true);
  }

private:
  static constexpr const char* kSetup = "Software\\Tarnquill\\Setup";
  static constexpr const char* kOpened = "Software\\Tarnquill\\Opened";
  static constexpr const char* kRollup = "Software\\Tarnquill\\Rollup";
  static std::map<std::string, std::string> ReadKey(const char* path) {
    std::map<std::string, std::string> values;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    for (DWORD i = 0;; ++i) {
      char name[1024], data[4096];
      DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type = 0;
      if (::RegEnumValueA(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataSize) !=
          ERROR_SUCCESS)
        break;
      if (type == REG_SZ) values[std::string(name, nameSize)] = std::string(data, dataSize ? dataSize - 1 : 0);
    }
    ::RegCloseKey(key);
    return values;
  }
  // Writes the values; replace clears the key's other values first.
  static void WriteKey(const char* path, const std::map<std::string, std::string>& values, bool replace) {
    if (replace) ::RegDeleteKeyA(HKEY_CURRENT_USER, path);
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
      return;
    for (const auto& [name, data] : values)
      ::RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       DWORD(data.size() + 1));
    ::RegCloseKey(key);
  }
  std::map<std::string, std::string> Saved, SavedOpened, SavedRollup;
};

// Five documents of a returning user's session, 1,000 lines each.
std::vector<std::string> WriteDocuments(const std::string& folder) {
  const struct {
    const char* Name;
    const char* Line;
  } kinds[] = {
      {"session1.pas", "  if Count > 0 then Result := Items[Count - 1] { the last one } else Result := nil;"},
      {"session2.cpp", "  for (int i = 0; i < count; ++i) total += values[i] * 2; // the doubled sum"},
      {"session3.html", "<p class=\"note\">A paragraph with <b>bold</b> and <a href=\"x.html\">a link</a>.</p>"},
      {"session4.sql", "SELECT name, COUNT(*) FROM orders WHERE total > 100 GROUP BY name; -- big buyers"},
      {"session5.txt", "Plain notes of the day: what was done, what is left, and who to ask about it."},
  };
  std::vector<std::string> paths;
  for (const auto& k : kinds) {
    const std::string path = folder + "\\" + k.Name;
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < 1000; ++i) out << k.Line << "\r\n";
    paths.push_back(path);
  }
  return paths;
}

// The median start of the program with the key set as given, the first
// start discarded.
double MedianStart(TSessionKey& key, const std::string& ours, const std::vector<std::string>& documents,
                   bool rollUps, std::vector<double>* notepad) {
  key.Set(documents, rollUps);
  const std::string last = documents.empty() ? "" : documents.back();
  StartOnce(ours, last);
  std::vector<double> a;
  for (int i = 0; i < 5; ++i) {
    a.push_back(StartOnce(ours, last));
    if (notepad) notepad->push_back(StartOnce("notepad.exe"));
  }
  return Median(a);
}

}  // namespace

int main(int argc, char** argv) {
  return wine_bench::Run(argc, argv, 1, "<Tarnquill.exe> [<folder for the documents>]", [&] {
    const std::string ours = std::string("\"") + argv[1] + "\" /n";
    const std::string notepad = "notepad.exe";
    StartOnce(ours);
    StartOnce(notepad);
    double start = 0, notepadStart = 0;
    wine_bench::MedianInTurns(
        5, [&] { return StartOnce(ours); }, [&] { return StartOnce(notepad); }, start, notepadStart);
    wine_bench::PrintRatio("main-startup-notepad-ratio", start, notepadStart);
    if (argc < 3) return 0;

    // Without "/n": the session is restored only when no argument is given
    // (each start ends before the next, so there is nobody to hand over to).
    const std::string returning = std::string("\"") + argv[1] + "\"";
    const std::vector<std::string> documents = WriteDocuments(argv[2]);
    TSessionKey key;
    std::vector<double> notepadStarts;
    const double session = MedianStart(key, returning, documents, true, &notepadStarts);
    wine_bench::PrintRatio("main-startup-session-notepad-ratio", session, Median(notepadStarts));
    // Where the time goes: each part of the session on its own.
    const double rollUps = MedianStart(key, returning, {}, true, nullptr);
    const double docs = MedianStart(key, returning, documents, false, nullptr);
    std::fprintf(stderr, "start %.3f s; with the roll-ups %.3f s; with the documents %.3f s; with both %.3f s\n",
                 start, rollUps, docs, session);
    for (const std::string& d : documents) ::DeleteFileA(d.c_str());
    return 0;
  });
}
