// Starts the real Tarnquill.exe, finds its main window by class and caption,
// closes it as a user would and checks that the process ends cleanly; and
// after the default settings are written, checks that a Pascal file shows
// in the default colours, font and edge.
#include "app/DefaultSettings.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/Registry.h"

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

// The program's client area as it stands on the screen, pixel by pixel.
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

TEST(Program, ShowsPascalInTheDefaultStyleAfterTheDefaultsAreWritten) {
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
  std::string cmd = "\"" + ProgramPath() + "\" " + file;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  ProcessGuard proc;
  ASSERT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &proc.pi));
  WaitForInputIdle(proc.pi.hProcess, 10000);
  FindData data{proc.pi.dwProcessId, nullptr};
  for (int i = 0; i < 100 && !data.found; ++i) {
    EnumWindows(FindMainForm, reinterpret_cast<LPARAM>(&data));
    if (!data.found) Sleep(100);
  }
  ASSERT_NE(data.found, nullptr);
  MoveWindow(data.found, 0, 0, 1270, 600, TRUE);
  SetForegroundWindow(data.found);
  HWND editor = FindWindowExA(data.found, nullptr, "TktEditWindow", nullptr);
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

  PostMessageA(data.found, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(proc.pi.hProcess, 15000), WAIT_OBJECT_0);
  DeleteFileA(file.c_str());
}

}  // namespace
