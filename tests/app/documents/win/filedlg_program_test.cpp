// The open dialog in the real Tarnquill.exe: Ctrl+O shows it on the current
// document's folder with that document's file selected and the recent
// files in its file-name box, and a double click on another file opens it
// in a tab of its own. The dialog's windows are read from outside, as the
// program's process holds them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "../../win/ProgramProcess.h"
#include "editor/EditFiles.h"
#include "platform/win/Screenshot.h"
#include "platform/win/XInput.h"

namespace {

// Memory in the program's process: the list view's messages carry pointers,
// which the system does not copy from one process to another.
class TRemoteMemory {
public:
  TRemoteMemory(DWORD pid, size_t size) : FSize(size) {
    FProcess = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (FProcess) FBase = static_cast<char*>(::VirtualAllocEx(FProcess, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
  }
  ~TRemoteMemory() {
    if (FBase) ::VirtualFreeEx(FProcess, FBase, 0, MEM_RELEASE);
    if (FProcess) ::CloseHandle(FProcess);
  }
  bool Valid() const { return FBase != nullptr; }
  char* At(size_t offset) const { return FBase + offset; }
  void Write(size_t offset, const void* data, size_t n) {
    ::WriteProcessMemory(FProcess, FBase + offset, data, n, nullptr);
  }
  void Read(size_t offset, void* data, size_t n) const {
    ::ReadProcessMemory(FProcess, FBase + offset, data, n, nullptr);
  }

private:
  HANDLE FProcess = nullptr;
  char* FBase = nullptr;
  size_t FSize;
};

// The text of a list view's cell.
std::string CellText(TRemoteMemory& mem, HWND list, int row, int column) {
  LVITEMA item{};
  item.iSubItem = column;
  item.cchTextMax = 260;
  item.pszText = mem.At(sizeof item);
  mem.Write(0, &item, sizeof item);
  const LRESULT n = ::SendMessageA(list, LVM_GETITEMTEXTA, WPARAM(row), LPARAM(mem.At(0)));
  char text[261] = {};
  mem.Read(sizeof item, text, 260);
  return std::string(text, size_t(std::max<LRESULT>(0, std::min<LRESULT>(n, 260))));
}

int RowOf(TRemoteMemory& mem, HWND list, const std::string& caption) {
  const int count = int(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i)
    if (CellText(mem, list, i, 0) == caption) return i;
  return -1;
}

struct TChildren {
  HWND List = nullptr;
  HWND FileName = nullptr;  // the editable box; the filter is a drop-down list
  HWND Tabs = nullptr;
};

TChildren ChildrenOf(HWND parent) {
  TChildren found;
  ::EnumChildWindows(
      parent,
      [](HWND wnd, LPARAM data) -> BOOL {
        auto* f = reinterpret_cast<TChildren*>(data);
        char cls[64] = {};
        ::GetClassNameA(wnd, cls, sizeof cls);
        const std::string name = cls;
        // The program's controls have classes of their own names, made
        // from the system's.
        if (name == "TListView") f->List = wnd;
        if (name.size() >= 11 && name.compare(name.size() - 11, 11, "PageControl") == 0) f->Tabs = wnd;
        if (name == "TComboBox" && (::GetWindowLongA(wnd, GWL_STYLE) & 3) == CBS_DROPDOWN) f->FileName = wnd;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND WaitForWindow(DWORD pid, const std::string& caption, int tenths = 100) {
  struct TFind {
    DWORD Pid;
    const std::string* Caption;
    HWND Found;
  };
  for (int i = 0; i < tenths; ++i) {
    TFind find{pid, &caption, nullptr};
    ::EnumWindows(
        [](HWND wnd, LPARAM data) -> BOOL {
          auto* f = reinterpret_cast<TFind*>(data);
          DWORD pid = 0;
          ::GetWindowThreadProcessId(wnd, &pid);
          if (pid == f->Pid && ::IsWindowVisible(wnd) && Caption(wnd) == *f->Caption) f->Found = wnd;
          return f->Found == nullptr;
        },
        LPARAM(&find));
    if (find.Found) return find.Found;
    ::Sleep(100);
  }
  return nullptr;
}

bool WaitFor(const std::function<bool()>& cond, int tenths = 100) {
  for (int i = 0; i < tenths; ++i) {
    if (cond()) return true;
    ::Sleep(100);
  }
  return cond();
}

// The box's list. Asked in the wide form: Wine hands the ANSI form's text
// back from another process as wide characters.
std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  const int count = int(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t wide[1024] = {};
    char text[2048] = {};
    if (::SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(i), 0) < LRESULT(std::size(wide)))
      ::SendMessageW(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(wide));
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    items.push_back(text);
  }
  return items;
}

class FileDlgProgram : public Program {
protected:
  std::string Folder;
  std::vector<std::string> Stamped;
  POINT FPointer{};
  void SetUp() override {
    Program::SetUp();
    ::GetCursorPos(&FPointer);
    Folder = TempFolder() + "\\filedlg";
    ::CreateDirectoryA(Folder.c_str(), nullptr);
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) std::ofstream(Folder + "\\" + name) << name << "\r\n";
  }
  void TearDown() override {
    // The pointer goes back where it was: a later case's windows may open
    // under it, and the program's roll-ups follow the pointer.
    RunX("mousemove " + std::to_string(FPointer.x) + " " + std::to_string(FPointer.y));
    ::Sleep(300);
    TRegistry registry;
    if (registry.OpenKey(ProgramRegistryKey() + "\\Documents", false))
      for (const std::string& name : Stamped) registry.DeleteValue(name);
  }
  // A recent file as the editing control records it.
  void Stamp(const std::string& path, double when) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(ProgramRegistryKey() + "\\Documents", true));
    registry.WriteBinaryData(path, &when, int(sizeof when));
    Stamped.push_back(path);
  }
  std::string Path(const std::string& name) const { return Folder + "\\" + name; }
};

TEST_F(FileDlgProgram, OpenShowsTheDocumentsFolderAndTheRecentFilesAndADoubleClickOpensAFile) {
  // Newer than whatever else the prefix's program has opened, so they lead
  // the list whatever its length.
  Stamp(Path("c.txt"), DateTimeNow() + 1);
  Stamp(Path("b.txt"), DateTimeNow() + 2);
  Stamped.push_back(Path("a.txt"));  // the program records it when it opens it
  Process p;
  ASSERT_TRUE(p.Start("/n \"" + Path("a.txt") + "\""));
  HWND main = WaitForMainForm(p);
  ASSERT_TRUE(main);
  ASSERT_TRUE(WaitFor([&] { return Caption(main) == "Tarnquill - " + Path("a.txt"); })) << Caption(main);

  ::SetForegroundWindow(main);
  ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == main; }, 30));
  RunX("key ctrl+o");
  HWND dlg = WaitForWindow(p.pi.dwProcessId, "Open File");
  ASSERT_TRUE(dlg) << "Ctrl+O showed no \"Open File\" window";
  const TChildren inside = ChildrenOf(dlg);
  ASSERT_TRUE(inside.List && inside.FileName);
  TRemoteMemory mem(p.pi.dwProcessId, 4096);
  ASSERT_TRUE(mem.Valid());

  // The document's folder, listed, with its file selected.
  EXPECT_TRUE(WaitFor([&] { return RowOf(mem, inside.List, "c") >= 0; }));
  EXPECT_EQ(::SendMessageA(inside.List, LVM_GETSELECTEDCOUNT, 0, 0), 1);
  const int selected = int(::SendMessageA(inside.List, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
  EXPECT_EQ(selected, RowOf(mem, inside.List, "a"));
  EXPECT_EQ(CellText(mem, inside.List, selected, 1), "txt");

  // The recent files, newest first.
  const std::vector<std::string> recent = ComboItems(inside.FileName);
  ASSERT_GE(recent.size(), 2u);
  EXPECT_TRUE(AnsiSameText(recent[0], Path("b.txt"))) << recent[0];
  EXPECT_TRUE(AnsiSameText(recent[1], Path("c.txt"))) << recent[1];

  // For a person to look at: the dialog as the program shows it.
  auto shot = Capture(dlg);
  EXPECT_GT(shot->Width(), 0);
  SaveBitmap(*shot, "filedlg_program.bmp");

  const int row = RowOf(mem, inside.List, "b");
  ASSERT_GE(row, 0);
  RECT r{};
  r.left = LVIR_LABEL;
  mem.Write(0, &r, sizeof r);
  ASSERT_TRUE(::SendMessageA(inside.List, LVM_GETITEMRECT, WPARAM(row), LPARAM(mem.At(0))));
  mem.Read(0, &r, sizeof r);
  POINT click{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ::ClientToScreen(inside.List, &click);
  XClickAt(click.x, click.y, true);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(dlg); })) << "the double click did not close the dialog";
  EXPECT_TRUE(WaitFor([&] { return AnsiSameText(Caption(main), "Tarnquill - " + Path("b.txt")); }))
      << Caption(main);
  const TChildren mainInside = ChildrenOf(main);
  ASSERT_TRUE(mainInside.Tabs);
  EXPECT_EQ(::SendMessageA(mainInside.Tabs, TCM_GETITEMCOUNT, 0, 0), 2);
  CloseAndExpectExit(p, main);
}

}  // namespace
