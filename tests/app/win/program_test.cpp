// The real Tarnquill.exe in processes of its own: a start and a clean close,
// a second start handing its file to the first and ending, "/n" making a
// second window, and windows that only look like a main window (one that
// stopped answering, one that answers another value) passed over.
#include <windows.h>
#include <shellapi.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "ProgramProcess.h"
#include "app/settings/DefaultSettings.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"

namespace {

TEST_F(Program, OpensMainWindowRecordsItsVersionAndClosesCleanly) {
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(ProgramRegistryKey(), true));
    registry.WriteString("Version", "0.0.0.0");
  }
  Process a;
  ASSERT_TRUE(a.Start("/n")) << ::GetLastError();
  HWND wnd = WaitForMainForm(a);
  ASSERT_NE(wnd, nullptr) << "no TMainForm window appeared";
  EXPECT_EQ(Caption(wnd), "Tarnquill");
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKeyReadOnly(ProgramRegistryKey()));
  EXPECT_EQ(registry.ReadString("Version"), "1.0.0.0");
  EXPECT_TRUE(SameText(registry.ReadString("Path"), ProgramPath()));
  // Icons 0 to 2: the editor, the calculator and the ASCII table.
  EXPECT_EQ(::ExtractIconExA(ProgramPath().c_str(), -1, nullptr, nullptr, 0), 3u);
  CloseAndExpectExit(a, wnd);
}

TEST_F(Program, ASecondStartHandsItsFileToTheFirstAndEnds) {
  const std::string folder = TempFolder();
  const std::string file = folder + "\\x y.txt";
  {
    HANDLE h = ::CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, "hello\r\n", 7, &written, nullptr);
    ::CloseHandle(h);
  }
  Process a;
  ASSERT_TRUE(a.Start("/n"));
  HWND wnd = WaitForMainForm(a);
  ASSERT_NE(wnd, nullptr);

  Process b;
  ASSERT_TRUE(b.Start("\"x y.txt\"", folder));
  EXPECT_EQ(b.Wait(15000), 0u) << "the second start did not end";
  for (int i = 0; i < 50 && Caption(wnd) == "Tarnquill"; ++i) ::Sleep(100);
  EXPECT_EQ(Caption(wnd), "Tarnquill - " + file);
  EXPECT_EQ(::GetForegroundWindow(), wnd);

  // "/n" starts a window of its own.
  Process c;
  ASSERT_TRUE(c.Start("/n"));
  HWND second = WaitForMainForm(c);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, wnd);
  CloseAndExpectExit(c, second);
  CloseAndExpectExit(a, wnd);
  ::DeleteFileA(file.c_str());
}

// A window of class "TMainForm" in this process, on a thread of its own: it
// answers the instance check with answer, or stops pumping when hang is set.
class FakeMainForm {
public:
  FakeMainForm(LRESULT answer, bool hang) : FAnswer(answer), FHang(hang) {
    FThread = std::thread([this] { Run(); });
    while (!FWnd.load()) ::Sleep(10);
  }
  ~FakeMainForm() {
    FQuit = true;
    ::PostMessageA(FWnd, WM_CLOSE, 0, 0);
    FThread.join();
  }

private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<FakeMainForm*>(::GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (self && msg == ::RegisterWindowMessageA("VornActive")) return self->FAnswer;
    if (msg == WM_CLOSE) {
      ::DestroyWindow(wnd);
      ::PostQuitMessage(0);
      return 0;
    }
    return ::DefWindowProcA(wnd, msg, w, l);
  }
  void Run() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "TMainForm";
    ::RegisterClassA(&wc);
    HWND wnd = ::CreateWindowA("TMainForm", "Fake", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                               wc.hInstance, nullptr);
    ::SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    FWnd = wnd;
    if (FHang) {
      while (!FQuit) ::Sleep(20);
    }
    MSG m;
    while (::GetMessageA(&m, nullptr, 0, 0) > 0) ::DispatchMessageA(&m);
  }

  LRESULT FAnswer;
  bool FHang;
  std::atomic<bool> FQuit{false};
  std::atomic<HWND> FWnd{nullptr};
  std::thread FThread;
};

TEST_F(Program, WindowsThatOnlyLookLikeTheMainWindowArePassedOver) {
  for (const bool hang : {true, false}) {
    SCOPED_TRACE(hang ? "stopped pumping" : "another answer");
    FakeMainForm fake(hang ? 3228289 : 42, hang);
    Process b;
    ASSERT_TRUE(b.Start(""));
    HWND wnd = WaitForMainForm(b);
    ASSERT_NE(wnd, nullptr) << "the start waited on the fake window";
    CloseAndExpectExit(b, wnd);
  }
}

// The process's first visible window of class cls, or nullptr.
struct FindClassData {
  DWORD Pid;
  const char* Class;
  HWND Found;
};

BOOL CALLBACK FindByClass(HWND wnd, LPARAM lParam) {
  auto* data = reinterpret_cast<FindClassData*>(lParam);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(wnd, &pid);
  char cls[64] = {};
  ::GetClassNameA(wnd, cls, sizeof cls);
  if (pid == data->Pid && std::string(cls) == data->Class && ::IsWindowVisible(wnd)) {
    data->Found = wnd;
    return FALSE;
  }
  return TRUE;
}

TEST_F(Program, AsciiModeShowsTheTableAloneAndEndsWhenItCloses) {
  Process p;
  ASSERT_TRUE(p.Start("/a")) << ::GetLastError();
  FindClassData data{p.pi.dwProcessId, "TASCII", nullptr};
  for (int i = 0; i < 150 && !data.Found; ++i) {
    ::EnumWindows(FindByClass, reinterpret_cast<LPARAM>(&data));
    if (!data.Found) ::Sleep(100);
  }
  ASSERT_NE(data.Found, nullptr) << "no ASCII table appeared";
  EXPECT_EQ(Caption(data.Found), "ASCII Table");
  // Alone: no main window of that process.
  FindClassData main{p.pi.dwProcessId, "TMainForm", nullptr};
  ::EnumWindows(FindByClass, reinterpret_cast<LPARAM>(&main));
  EXPECT_EQ(main.Found, nullptr);
  CloseAndExpectExit(p, data.Found);
}

// Any TMainForm window, of whichever process.
// The text of the first child window of parent whose text holds part ("" when none does).
std::string ChildTextContaining(HWND parent, const std::string& part) {
  struct Find {
    const std::string& Part;
    std::string Found;
  } find{part, {}};
  ::EnumChildWindows(
      parent,
      [](HWND child, LPARAM lParam) -> BOOL {
        auto* f = reinterpret_cast<Find*>(lParam);
        char t[256] = {};
        ::GetWindowTextA(child, t, sizeof t);
        if (std::string(t).find(f->Part) == std::string::npos) return TRUE;
        f->Found = t;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.Found;
}

HWND AnyMainForm() {
  HWND found = nullptr;
  ::EnumWindows(
      [](HWND wnd, LPARAM lParam) -> BOOL {
        char cls[64] = {};
        ::GetClassNameA(wnd, cls, sizeof cls);
        if (std::string(cls) != "TMainForm" || !::IsWindowVisible(wnd)) return TRUE;
        *reinterpret_cast<HWND*>(lParam) = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class SelfRename : public Program {
protected:
  void SetUp() override {
    Program::SetUp();
    Folder = TempFolder() + "\\rename";
    ::CreateDirectoryA(Folder.c_str(), nullptr);
    Copy = Folder + "\\tarnquill2.exe";
    ASSERT_TRUE(::CopyFileA(ProgramPath().c_str(), Copy.c_str(), FALSE));
  }
  void TearDown() override {
    for (const char* name : {"tarnquill2.exe", "tarnquill2.bat", "Tarnquill.exe", "a b.txt", "x&y.txt"})
      ::DeleteFileA((Folder + "\\" + name).c_str());
    ::RemoveDirectoryA(Folder.c_str());
  }
  // Starts the copy with args, answers its box and waits for it to end.
  void RunCopy(const std::string& args) {
    Process p;
    std::string cmd = "\"" + Copy + "\" " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    ASSERT_TRUE(::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, Folder.c_str(), &si,
                                 &p.pi));
    FindClassData box{p.pi.dwProcessId, "#32770", nullptr};
    for (int i = 0; i < 100 && !box.Found; ++i) {
      ::EnumWindows(FindByClass, reinterpret_cast<LPARAM>(&box));
      if (!box.Found) ::Sleep(100);
    }
    ASSERT_NE(box.Found, nullptr) << "no box about the name";
    EXPECT_EQ(ChildTextContaining(box.Found, "Sorry"), "Sorry! This executable could not be renamed!");
    ::PostMessageA(box.Found, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(p.Wait(15000), 0u);
  }
  std::string Folder, Copy;
};

TEST_F(SelfRename, TheBatchRenamesRestartsOnTheFileAndDeletesItself) {
  for (const char* name : {"a b.txt", "x&y.txt"}) {
    SCOPED_TRACE(name);
    const std::string file = Folder + "\\" + name;
    HANDLE h = ::CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::CloseHandle(h);
    if (!Exists(Copy)) ASSERT_TRUE(::CopyFileA(ProgramPath().c_str(), Copy.c_str(), FALSE));
    RunCopy("\"" + std::string(name) + "\"");
    HWND wnd = nullptr;
    for (int i = 0; i < 300 && !(wnd = AnyMainForm()); ++i) ::Sleep(100);
    ASSERT_NE(wnd, nullptr) << "the renamed program did not start";
    for (int i = 0; i < 50 && Caption(wnd) == "Tarnquill"; ++i) ::Sleep(100);
    EXPECT_EQ(Caption(wnd), "Tarnquill - " + file);
    for (int i = 0; i < 100 && Exists(Folder + "\\tarnquill2.bat"); ++i) ::Sleep(100);
    EXPECT_FALSE(Exists(Folder + "\\tarnquill2.bat"));
    EXPECT_FALSE(Exists(Copy));
    EXPECT_TRUE(Exists(Folder + "\\Tarnquill.exe"));
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    ::PostMessageA(wnd, WM_CLOSE, 0, 0);
    HANDLE proc = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (proc) {
      ::WaitForSingleObject(proc, 15000);
      ::CloseHandle(proc);
    }
  }
}

TEST_F(SelfRename, ABatchThatCannotRenameGivesUpAndStartsNothing) {
  // Held open without delete sharing: neither rename nor erase can succeed.
  HANDLE held = ::CreateFileA(Copy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  RunCopy("");
  const std::string batch = Folder + "\\tarnquill2.bat";
  for (int i = 0; i < 600 && Exists(batch); ++i) ::Sleep(100);
  EXPECT_FALSE(Exists(batch)) << "the batch did not give up";
  ::CloseHandle(held);
  EXPECT_FALSE(Exists(Folder + "\\Tarnquill.exe"));
  EXPECT_EQ(AnyMainForm(), nullptr);
}

std::string CurrentFolderName() {
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof folder, folder);
  return folder;
}

struct TShot {
  int W = 0, H = 0;
  std::vector<COLORREF> Pixels;
  COLORREF At(int x, int y) const { return Pixels[size_t(y) * size_t(W) + size_t(x)]; }
  int Count(COLORREF c, int x0, int y0, int x1, int y1) const {
    int n = 0;
    for (int y = y0; y < y1 && y < H; ++y)
      for (int x = x0; x < x1 && x < W; ++x) n += At(x, y) == c;
    return n;
  }
};

TShot Capture(HWND wnd) {
  TShot shot;
  RECT r{};
  GetClientRect(wnd, &r);
  shot.W = r.right;
  shot.H = r.bottom;
  // From the screen: the window belongs to another process.
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, shot.W, shot.H);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, shot.W, shot.H, screen, origin.x, origin.y, SRCCOPY);
  shot.Pixels.resize(size_t(shot.W) * size_t(shot.H));
  for (int y = 0; y < shot.H; ++y)
    for (int x = 0; x < shot.W; ++x) shot.Pixels[size_t(y) * size_t(shot.W) + size_t(x)] = GetPixel(mem, x, y);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return shot;
}

TEST_F(Program, ShowsPascalInTheDefaultStyleAfterTheDefaultsAreWritten) {
  {
    TRegistry reg;
    reg.DeleteKey("\\Software\\Tarnquill\\Setup");
    reg.DeleteKey("\\Software\\Tarnquill\\Data");
  }
  WriteDefaultSettings();
  const std::string file = "program_test.pas";
  {
    std::ofstream out(file, std::ios::binary);
    out << "{ a comment line }\r\nbegin end;\r\n";
  }
  Process proc;
  ASSERT_TRUE(proc.Start("/n " + file, CurrentFolderName()));
  HWND main = WaitForMainForm(proc);
  ASSERT_NE(main, nullptr);
  MoveWindow(main, 0, 0, 1270, 600, TRUE);
  SetForegroundWindow(main);
  // The document's editor lies inside the tab control.
  HWND editor = nullptr;
  for (int i = 0; i < 50 && !editor; ++i) {
    EnumChildWindows(
        main,
        [](HWND wnd, LPARAM lParam) -> BOOL {
          char cls[64] = {};
          GetClassNameA(wnd, cls, sizeof cls);
          if (std::string(cls) != "TktEditWindow" || !IsWindowVisible(wnd)) return TRUE;
          *reinterpret_cast<HWND*>(lParam) = wnd;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&editor));
    if (!editor) Sleep(100);
  }
  ASSERT_NE(editor, nullptr);
  RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Sleep(500);
  const TShot shot = Capture(editor);

  // FixedSys 12 as this system makes it: the rows' pitch and the columns.
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontA(-MulDiv(12, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, 1, 0, 0, 0, 0,
                           "FixedSys");
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  const int lh = tm.tmHeight, cw = tm.tmAveCharWidth, x0 = 30 + 2;
  ASSERT_GT(lh, 0);

  const COLORREF white = RGB(255, 255, 255), navy = RGB(0, 0, 128), green = RGB(0, 128, 0),
                 gray = RGB(128, 128, 128);
  EXPECT_EQ(shot.At(x0 + 40 * cw, lh / 2), white);
  EXPECT_EQ(shot.At(x0 + 40 * cw, 4 * lh), white);
  EXPECT_GT(shot.Count(navy, x0, 0, x0 + 18 * cw, lh), 0) << "the comment in navy";
  EXPECT_EQ(shot.Count(navy, x0, lh, x0 + 18 * cw, 2 * lh), 0);
  EXPECT_GT(shot.Count(green, x0, lh, x0 + 5 * cw, 2 * lh), 0) << "\"begin\" in green";
  int edge = -1;
  for (int x = 0; x < shot.W && edge < 0; ++x)
    if (shot.At(x, 4 * lh) == gray) edge = x;
  // The editor takes its own cell width from the font (between the
  // average and the widest character): the edge is 80 of them in.
  ASSERT_GT(edge, x0) << "no edge line";
  EXPECT_EQ((edge - x0) % 80, 0) << edge;
  EXPECT_GE((edge - x0) / 80, cw);
  EXPECT_LE((edge - x0) / 80, tm.tmMaxCharWidth);

  CloseAndExpectExit(proc, main);
  DeleteFileA(file.c_str());
}

// --- roll-ups and the calculator of the real program -----------------------------------------

// A visible top-level window of the process with this class (nullptr after a few seconds).
HWND WaitForWindow(const Process& p, const char* cls, int tenths = 100) {
  FindClassData data{p.pi.dwProcessId, cls, nullptr};
  for (int i = 0; i < tenths && !data.Found; ++i) {
    ::EnumWindows(FindByClass, reinterpret_cast<LPARAM>(&data));
    if (!data.Found) ::Sleep(100);
  }
  return data.Found;
}

// The first child window of parent with this class and this text (each when given).
HWND FindChild(HWND parent, const char* cls, const char* text = nullptr) {
  struct Find {
    const char* Class;
    const char* Text;
    HWND Found;
  } find{cls, text, nullptr};
  ::EnumChildWindows(
      parent,
      [](HWND wnd, LPARAM lParam) -> BOOL {
        auto* f = reinterpret_cast<Find*>(lParam);
        char c[64] = {}, t[256] = {};
        ::GetClassNameA(wnd, c, sizeof c);
        ::GetWindowTextA(wnd, t, sizeof t);
        if ((f->Class && std::string(c) != f->Class) || (f->Text && std::string(t) != f->Text)) return TRUE;
        f->Found = wnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.Found;
}

// Keys through the system's input queue, as the keyboard sends them, to
// whichever window of ours has the focus.
void SendKeys(std::initializer_list<WORD> held, WORD key) {
  std::vector<INPUT> in;
  auto add = [&in](WORD vk, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, 0));
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  for (WORD h : held) add(h, false);
  add(key, false);
  add(key, true);
  for (auto it = std::rbegin(held); it != std::rend(held); ++it) add(*it, true);
  ::SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
  ::Sleep(300);
}

std::string ReadFileText(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class RollUpProgram : public Program {
protected:
  void SetUp() override {
    Program::SetUp();
    TRegistry reg;
    reg.DeleteKey("\\Software\\Tarnquill\\Rollup");
    reg.DeleteKey("\\Software\\Tarnquill\\Opened");
  }
  void TearDown() override {
    TRegistry reg;
    reg.DeleteKey("\\Software\\Tarnquill\\Rollup");
    for (const std::string& f : Files) ::DeleteFileA(f.c_str());
  }
  std::string Write(const std::string& name, const std::string& text) {
    const std::string path = TempFolder() + "\\" + name;
    std::ofstream(path, std::ios::binary) << text;
    Files.push_back(path);
    return path;
  }
  // Line `line` of the document selected, Ctrl+Enter, the hot key in the
  // dialog, then its OK button.
  void MakeRollUp(const Process& p, HWND main, int line, std::initializer_list<WORD> held, WORD key) {
    ::SetForegroundWindow(main);
    SendKeys({VK_CONTROL}, VK_HOME);
    for (int i = 1; i < line; ++i) SendKeys({}, VK_DOWN);
    SendKeys({VK_SHIFT}, VK_END);
    SendKeys({VK_CONTROL}, VK_RETURN);
    HWND dialog = WaitForWindow(p, "TInputKey");
    ASSERT_NE(dialog, nullptr) << "no hot-key dialog";
    SendKeys(held, key);
    HWND ok = FindChild(dialog, nullptr, "Ok");
    ASSERT_NE(ok, nullptr);
    ::SendMessageA(ok, BM_CLICK, 0, 0);
    for (int i = 0; i < 50 && ::IsWindowVisible(dialog); ++i) ::Sleep(100);
    ASSERT_FALSE(::IsWindowVisible(dialog)) << "OK did not take the key";
  }
  // The visible roll-up windows, once there are `count` of them or after
  // five seconds.
  static std::vector<HWND> WaitForRollUps(size_t count) {
    std::vector<HWND> rollUps;
    for (int i = 0; i < 50; ++i) {
      rollUps.clear();
      ::EnumWindows(
          [](HWND wnd, LPARAM lParam) -> BOOL {
            char cls[64] = {};
            ::GetClassNameA(wnd, cls, sizeof cls);
            if (std::string(cls) == "TRollUp" && ::IsWindowVisible(wnd)) reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(wnd);
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&rollUps));
      if (rollUps.size() >= count) break;
      ::Sleep(100);
    }
    return rollUps;
  }
  std::vector<std::string> Files;
};

TEST_F(RollUpProgram, RollUpsComeBackAfterARestartWithTheirHotKeysAndAReleasedOneDoesNot) {
  const std::string doc = Write("rollup-source.txt", "alpha\r\nbeta\r\ngamma\r\n");
  {
    Process p;
    ASSERT_TRUE(p.Start("/n \"" + doc + "\""));
    HWND main = WaitForMainForm(p);
    ASSERT_NE(main, nullptr);
    for (int i = 0; i < 50 && Caption(main) == "Tarnquill"; ++i) ::Sleep(100);
    MakeRollUp(p, main, 1, {VK_CONTROL, VK_SHIFT}, VK_PRIOR);
    MakeRollUp(p, main, 2, {VK_CONTROL, VK_MENU}, VK_MULTIPLY);
    MakeRollUp(p, main, 3, {VK_CONTROL, VK_SHIFT}, VK_F8);
    // The program makes a roll-up's window after its dialog has gone, so the
    // last one may still be on its way.
    const std::vector<HWND> rollUps = WaitForRollUps(3);
    ASSERT_EQ(rollUps.size(), 3u);
    // The newest roll-up lies below the others: its close button.
    HWND newest = nullptr;
    RECT lowest{};
    for (HWND w : rollUps) {
      RECT r;
      ::GetWindowRect(w, &r);
      if (!newest || r.top > lowest.top) newest = w, lowest = r;
    }
    HWND strip = FindChild(newest, "TPanel");
    ASSERT_NE(strip, nullptr);
    RECT sr;
    ::GetClientRect(strip, &sr);
    ::PostMessageA(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(sr.right - 5, 5));
    ::PostMessageA(strip, WM_LBUTTONUP, 0, MAKELPARAM(sr.right - 5, 5));
    for (int i = 0; i < 50 && ::IsWindow(newest); ++i) ::Sleep(100);
    EXPECT_FALSE(::IsWindow(newest)) << "Release frees the window";
    CloseAndExpectExit(p, main);
  }
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Tarnquill\\Rollup"));
    EXPECT_EQ(reg.ReadString("Ctrl+Shift+PageUp"), "alpha\r\n") << "values: " << [&] {
      TStringList names;
      reg.GetValueNames(&names);
      return names.GetText();
    }();
    EXPECT_EQ(reg.ReadString("Ctrl+Alt+Multyply"), "beta\r\n");
    EXPECT_FALSE(reg.ValueExists("Ctrl+Shift+F8"));
  }
  const std::string target = Write("rollup-target.txt", "");
  Process p;
  ASSERT_TRUE(p.Start("/n \"" + target + "\""));
  HWND main = WaitForMainForm(p);
  ASSERT_NE(main, nullptr);
  for (int i = 0; i < 50 && Caption(main) == "Tarnquill"; ++i) ::Sleep(100);
  // The two kept roll-ups are back (with their keys) before the keys are typed.
  EXPECT_EQ(WaitForRollUps(2).size(), 2u);
  ::SetForegroundWindow(main);
  // The caret where the file's last editing left it: to the start.
  SendKeys({VK_CONTROL}, VK_HOME);
  SendKeys({VK_CONTROL, VK_SHIFT}, VK_PRIOR);
  SendKeys({VK_CONTROL, VK_MENU}, VK_MULTIPLY);
  SendKeys({VK_CONTROL, VK_SHIFT}, VK_F8);
  SendKeys({VK_CONTROL}, 'S');
  for (int i = 0; i < 30 && ReadFileText(target).empty(); ++i) ::Sleep(100);
  EXPECT_EQ(ReadFileText(target), "alphabeta\r\n");
  CloseAndExpectExit(p, main);
}

// A second start while the shutdown's save question is open: it ends at
// once, the question (captioned with its document) saves that document,
// and the handed-over file is left for the next start's session.
TEST_F(Program, AHandOverDuringTheShutdownQuestionLeavesTheAnswerToItsDocument) {
  const std::string folder = TempFolder();
  const std::string asked = folder + "\\asked.txt", handed = folder + "\\handed.txt";
  const auto write = [](const std::string& name, const char* text) {
    HANDLE h = ::CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(h, text, DWORD(std::strlen(text)), &written, nullptr);
    ::CloseHandle(h);
  };
  write(asked, "old\r\n");
  write(handed, "other\r\n");
  Process a;
  ASSERT_TRUE(a.Start("/n"));
  HWND wnd = WaitForMainForm(a);
  ASSERT_NE(wnd, nullptr);
  Process first;
  ASSERT_TRUE(first.Start("asked.txt", folder));
  EXPECT_EQ(first.Wait(15000), 0u);
  for (int i = 0; i < 50 && Caption(wnd) != "Tarnquill - " + asked; ++i) ::Sleep(100);
  ASSERT_EQ(Caption(wnd), "Tarnquill - " + asked);
  // A key into the focused editor.
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  ASSERT_TRUE(::GetGUIThreadInfo(a.pi.dwThreadId, &gui));
  ASSERT_NE(gui.hwndFocus, nullptr);
  ::PostMessageA(gui.hwndFocus, WM_CHAR, 'x', 1);

  ::PostMessageA(wnd, WM_CLOSE, 0, 0);
  HWND box = WaitForWindow(a, "#32770");
  ASSERT_NE(box, nullptr) << "no save question";
  EXPECT_EQ(Caption(box), asked);
  Process second;
  ASSERT_TRUE(second.Start("handed.txt", folder));
  EXPECT_EQ(second.Wait(15000), 0u) << "the second start waited for the question";
  EXPECT_TRUE(::IsWindow(box)) << "the question was not left alone";
  ::PostMessageA(::GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
  EXPECT_EQ(a.Wait(15000), 0u);
  // Where the key went depends on the caret an earlier run recorded for
  // the file: what counts is that the edit was saved.
  std::string saved = ReadFileText(asked);
  const size_t typed = saved.find('x');
  ASSERT_NE(typed, std::string::npos) << "the edited document was not saved: " << saved;
  EXPECT_EQ(saved.erase(typed, 1), "old\r\n");
  EXPECT_EQ(ReadFileText(handed), "other\r\n");
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKeyReadOnly(ProgramRegistryKey() + "\\Opened"));
  EXPECT_TRUE(registry.ValueExists(asked));
  EXPECT_TRUE(registry.ValueExists(handed));
  ::DeleteFileA(asked.c_str());
  ::DeleteFileA(handed.c_str());
}

TEST_F(Program, TheCalculatorRunsAloneAndClosingItEndsTheProgram) {
  Process p;
  ASSERT_TRUE(p.Start("/c"));
  HWND calc = WaitForWindow(p, "TCalc");
  ASSERT_NE(calc, nullptr);
  HWND box = FindChild(calc, "Edit");
  ASSERT_NE(box, nullptr);
  auto evaluate = [&](const std::string& expression) {
    ::SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    for (char c : expression) ::PostMessageA(box, WM_CHAR, static_cast<unsigned char>(c), 1);
    ::PostMessageA(box, WM_KEYDOWN, VK_RETURN, 1);
    ::Sleep(500);
  };
  // Another process's edit answers only WM_GETTEXT with its text.
  char text[64] = {};
  evaluate("0x1F+1");
  ::SendMessageA(box, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::string(text), "32");
  evaluate("1/0");
  HWND message = WaitForWindow(p, "#32770");
  ASSERT_NE(message, nullptr) << "no message for 1/0";
  const std::string shown = ChildTextContaining(message, "Overflow!");
  ASSERT_GT(shown.size(), 10u) << "the box holds no \" Overflow!\" line";
  EXPECT_EQ(shown.substr(shown.size() - 10), " Overflow!");
  ::PostMessageA(message, WM_COMMAND, IDOK, 0);
  for (int i = 0; i < 30 && ::IsWindowVisible(message); ++i) ::Sleep(100);
  ::SendMessageA(box, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::string(text), "1/0");
  ::PostMessageA(calc, WM_CLOSE, 0, 0);
  EXPECT_EQ(p.Wait(15000), 0u) << "closing the calculator ends the program";
}

// --- system libraries the program loads at their first call ----------------------------

// The common dialog library and the spooler are loaded by the program only
// when first called.
TEST_F(Program, TheSaveDialogAndThePrinterListWorkFromTheirFirstUse) {
  const std::string file = TempFolder() + "\\first use.txt";
  {
    std::ofstream out(file, std::ios::binary);
    out << "text\r\n";
  }
  Process p;
  ASSERT_TRUE(p.Start("/n \"" + file + "\""));
  HWND main = WaitForMainForm(p);
  ASSERT_NE(main, nullptr);
  // Another process's menu cannot be read from here, and Alt with a letter
  // is the editor's own key: the File menu's commands are chosen through F10.
  auto fileCommand = [&](WORD letter) {
    ::SetForegroundWindow(main);
    SendKeys({}, VK_F10);
    SendKeys({}, 'F');
    SendKeys({}, letter);
  };

  // The common dialog library's Save As.
  fileCommand('A');
  HWND dialog = WaitForWindow(p, "#32770");
  ASSERT_NE(dialog, nullptr) << "no Save As dialog";
  EXPECT_EQ(Caption(dialog), "Save As");
  ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  for (int i = 0; i < 30 && ::IsWindow(dialog); ++i) ::Sleep(100);
  EXPECT_FALSE(::IsWindow(dialog));

  // The print dialog lists the spooler's printers.
  DWORD needed = 0, count = 0;
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  ::EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  ::EnumPrintersA(flags, nullptr, 4, buffer.data(), needed, &needed, &count);
  fileCommand('P');
  HWND printDlg = WaitForWindow(p, "TPrintDlg");
  ASSERT_NE(printDlg, nullptr) << "no print dialog";
  HWND printers = FindChild(printDlg, "TComboBox");
  ASSERT_NE(printers, nullptr);
  EXPECT_EQ(::SendMessageA(printers, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(count));
  ::PostMessageA(printDlg, WM_CLOSE, 0, 0);
  for (int i = 0; i < 30 && ::IsWindowVisible(printDlg); ++i) ::Sleep(100);

  CloseAndExpectExit(p, main);
  ::DeleteFileA(file.c_str());
}

// --- the file-type table at the program's end ---------------------------------------

// Every stored row with every value, in the registry's order.
std::string StoredFileTypes() {
  TRegistry reg;
  const std::string key = ProgramRegistryKey() + "\\FileTypes";
  if (!reg.OpenKeyReadOnly(key)) return "(no key)";
  TStringList rows;
  reg.GetKeyNames(&rows);
  std::string text;
  for (int r = 0; r < rows.GetCount(); ++r) {
    text += "[" + rows.Get(r) + "]\n";
    if (!reg.OpenKeyReadOnly(key + "\\" + rows.Get(r))) continue;
    TStringList values;
    reg.GetValueNames(&values);
    for (int v = 0; v < values.GetCount(); ++v) {
      std::string value;
      reg.ReadValueText(values.Get(v), value);
      text += values.Get(v) + "=" + value + "\n";
    }
  }
  return text;
}

// A row as no save of the program writes it: no "F9" value, a stray one.
void WriteProbeRow() {
  TRegistry reg;
  const std::string key = ProgramRegistryKey() + "\\FileTypes\\Probe";
  reg.DeleteKey(key);
  ASSERT_TRUE(reg.OpenKey(key, true));
  reg.WriteString("Description", "Probe Files");
  reg.WriteString("Extension1", "prb");
  reg.WriteInteger("Stray", 7);
}

bool ProbeRowWrittenBack() {
  TRegistry reg;
  return reg.OpenKeyReadOnly(ProgramRegistryKey() + "\\FileTypes\\Probe") && reg.ValueExists("F9") &&
         !reg.ValueExists("Stray") && reg.ReadString("Description") == "Probe Files";
}

// Only the editor writes the table back, at its end or when the session
// ends; the calculator and a start that hands its file over leave it as
// it was.
TEST_F(Program, TheEditorWritesTheFileTypesBackAndOtherStartsLeaveThem) {
  struct TDropProbe {
    ~TDropProbe() { TRegistry().DeleteKey(ProgramRegistryKey() + "\\FileTypes\\Probe"); }
  } dropProbe;
  WriteProbeRow();
  const std::string stored = StoredFileTypes();
  ASSERT_NE(stored.find("Stray=7"), std::string::npos) << stored;

  Process calc;
  ASSERT_TRUE(calc.Start("/c"));
  HWND calcWnd = WaitForWindow(calc, "TCalc");
  ASSERT_NE(calcWnd, nullptr);
  ::PostMessageA(calcWnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(calc.Wait(15000), 0u);
  EXPECT_EQ(StoredFileTypes(), stored) << "the calculator";

  const std::string file = TempFolder() + "\\handed over.txt";
  std::ofstream(file, std::ios::binary) << "text\r\n";
  Process a;
  ASSERT_TRUE(a.Start("/n"));
  HWND wnd = WaitForMainForm(a);
  ASSERT_NE(wnd, nullptr);
  Process b;
  ASSERT_TRUE(b.Start("\"" + file + "\""));
  EXPECT_EQ(b.Wait(15000), 0u) << "the second start did not end";
  EXPECT_EQ(StoredFileTypes(), stored) << "the start that handed its file over";

  // A log-off: nothing to ask, and the end's saves are made at once.
  DWORD_PTR answer = 0;
  ASSERT_NE(::SendMessageTimeoutA(wnd, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 15000, &answer), 0);
  EXPECT_NE(answer, 0u) << "an editor with nothing to save refused the log-off";
  ASSERT_NE(::SendMessageTimeoutA(wnd, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 15000, &answer), 0);
  EXPECT_TRUE(ProbeRowWrittenBack()) << StoredFileTypes();

  // The window's close writes the table back too.
  WriteProbeRow();
  CloseAndExpectExit(a, wnd);
  EXPECT_TRUE(ProbeRowWrittenBack()) << StoredFileTypes();
  ::DeleteFileA(file.c_str());
}

}  // namespace
