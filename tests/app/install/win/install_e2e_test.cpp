// The real program as its own installer and uninstaller, in processes of its
// own: a copy named setup.exe driven through its visible windows installs
// into a temporary folder and starts the installed copy; "/u" answered Yes
// takes the program, its data files, its shortcuts, its associations and its
// key away, and leaves the user's files alone.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/settings/DefaultSettings.h"
#include "platform/Registry.h"
#include "../../win/ProgramProcess.h"
#include "../../win/ShellFolders.h"
#include "platform/SysUtils.h"

namespace {

std::string WinPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::string Text(HWND wnd) {
  char text[512] = {};
  ::SendMessageTimeoutA(wnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
  return text;
}

// Polls the top-level windows (or parent's children) every tenth of a
// second until one matches.
HWND WaitFor(HWND parent, const std::function<bool(HWND)>& match, int tenths) {
  struct TFind {
    const std::function<bool(HWND)>* Match;
    HWND Found = nullptr;
  };
  const WNDENUMPROC proc = [](HWND wnd, LPARAM l) -> BOOL {
    auto* f = reinterpret_cast<TFind*>(l);
    if (!::IsWindowVisible(wnd) || !(*f->Match)(wnd)) return TRUE;
    f->Found = wnd;
    return FALSE;
  };
  for (int i = 0; i < tenths; ++i) {
    TFind f{&match};
    if (parent)
      ::EnumChildWindows(parent, proc, reinterpret_cast<LPARAM>(&f));
    else
      ::EnumWindows(proc, reinterpret_cast<LPARAM>(&f));
    if (f.Found) return f.Found;
    ::Sleep(100);
  }
  return nullptr;
}

// A top-level window of the process with that caption and class.
HWND WaitForTopWindow(DWORD pid, const std::string& caption, const std::string& cls, int tenths = 150) {
  return WaitFor(nullptr, [&](HWND wnd) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(wnd, &owner);
    char c[64] = {};
    ::GetClassNameA(wnd, c, sizeof c);
    return owner == pid && (cls.empty() || cls == c) && Text(wnd) == caption;
  }, tenths);
}

// A child window with that text; with leaf, only one without children of
// its own (a button, not the notebook page of the same name).
HWND WaitForChild(HWND parent, const std::string& text, int tenths = 50, bool leaf = false) {
  return WaitFor(parent, [&](HWND wnd) { return Text(wnd) == text && (!leaf || !::GetWindow(wnd, GW_CHILD)); },
                 tenths);
}

bool Click(HWND parent, const std::string& caption) {
  HWND button = WaitForChild(parent, caption, 50, true);
  if (!button) return false;
  ::PostMessageA(button, BM_CLICK, 0, 0);
  return true;
}

class InstallEndToEnd : public ::testing::Test {
protected:
  InstallEndToEnd() {
    char tmp[MAX_PATH + 1] = {};
    ::GetTempPathA(MAX_PATH, tmp);
    Root = std::string(tmp) + "tq e2e 50%\\";
    Clean();
    for (const char* d : {"", "dist", "decoy", "desktop", "programs"}) ::CreateDirectoryA((Root + d).c_str(), nullptr);
    Dist = Root + "dist\\";
    Folder = Root + "Tools R&D\\Tarnquill\\";
    Installed = Folder + "Tarnquill.exe";
    EXPECT_TRUE(::CopyFileA(WinPath(TQ_PROGRAM_PATH).c_str(), (Dist + "setup.exe").c_str(), FALSE));
    WriteText(Dist + "English.lng", "[x]\r\n");
    WriteText(Dist + "Sample.tq", "Main.FontSize=10\r\n");
    WriteText(Dist + "README.txt", "readme");
    WriteText(Root + "decoy\\decoy.tq", "the user's own");
    WriteText(Root + "decoy\\decoy.lng", "the user's own");

    // A fresh user: no program key, the desktop and programs folders the test's.
    TRegistry reg;
    reg.DeleteKey("\\Software\\Tarnquill");
    Folders = std::make_unique<TShellFoldersRedirect>(Root + "desktop", Root + "programs");
    TRegistry classes;
    classes.SetRootKey(rkClassesRoot);
    if (classes.OpenKeyReadOnly("\\.TXT")) OldTxt = classes.ReadString("");
  }
  ~InstallEndToEnd() override {
    Folders.reset();
    TRegistry reg;
    reg.DeleteKey("\\Software\\Tarnquill");
    TRegistry classes;
    classes.SetRootKey(rkClassesRoot);
    classes.DeleteKey("\\Tarnquill");
    if (classes.OpenKey("\\.TXT", true)) classes.WriteString("", OldTxt);
    Clean();
  }
  void PointShellFolders() { Folders->Point(); }

  void Clean() {
    std::string from = Root.substr(0, Root.size() - 1) + std::string(2, '\0');
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationA(&op);
  }

  // From the licence to the last page, into Folder, with the association
  // box captioned associate checked (none when empty).
  void DriveInstaller(HWND installer, const std::string& associate) {
    ASSERT_TRUE(Click(installer, "I Agree"));
    // The folder edit shows the program files folder's "Tarnquill\".
    std::string programFiles;
    {
      TRegistry machine;
      machine.SetRootKey(rkLocalMachine);
      ASSERT_TRUE(machine.OpenKeyReadOnly("\\Software\\Microsoft\\Windows\\CurrentVersion"));
      programFiles = IncludeTrailingPathDelimiter(machine.ReadString("ProgramFilesDir"));
    }
    HWND folder = WaitForChild(installer, programFiles + "Tarnquill\\");
    ASSERT_NE(folder, nullptr) << "no folder edit";
    ::SendMessageA(folder, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Folder.c_str()));
    // No file manager in the prefix: its setting stays off.
    ASSERT_TRUE(Click(installer, "Make Tarnquill the editor of Windows Commander"));
    ASSERT_TRUE(Click(installer, ">>"));
    if (!associate.empty()) ASSERT_TRUE(Click(installer, associate));
    ::Sleep(200);
    ASSERT_TRUE(Click(installer, ">>"));
    ASSERT_TRUE(WaitForChild(installer, "Native English (faster loading)"));
    ASSERT_TRUE(Click(installer, ">>"));
    ASSERT_TRUE(WaitForChild(installer, "Run Tarnquill", 150)) << "the installation did not reach its end";
  }

  std::unique_ptr<TShellFoldersRedirect> Folders;
  std::string Root, Dist, Folder, Installed, OldTxt;
};

TEST_F(InstallEndToEnd, SetupInstallsRunsTheInstalledCopyAndUninstallLeavesNothing) {
  Process setup;
  ASSERT_TRUE(setup.StartAt(Dist + "setup.exe", "", Root + "decoy"));
  HWND installer = WaitForTopWindow(setup.pi.dwProcessId, "Tarnquill Installation", "");
  ASSERT_NE(installer, nullptr) << "no installer window";
  DriveInstaller(installer, "TXT - text file");
  ASSERT_FALSE(HasFailure());
  ASSERT_TRUE(Click(installer, "Done"));
  ASSERT_TRUE(setup.Ended(15000)) << "the installer did not end";

  EXPECT_TRUE(Exists(Installed));
  EXPECT_TRUE(Exists(Folder + "English.lng"));
  EXPECT_TRUE(Exists(Folder + "README.txt"));
  EXPECT_FALSE(Exists(Folder + "setup.exe"));
  EXPECT_FALSE(Exists(Folder + "decoy.tq"));
  for (const char* link : {"desktop\\Tarnquill.lnk", "desktop\\ASCII Table.lnk", "programs\\Tarnquill\\Tarnquill.lnk"})
    EXPECT_TRUE(Exists(Root + link)) << link;

  // "Run Tarnquill": the installed copy starts and records where it is.
  std::string path;
  for (int i = 0; i < 150; ++i) {
    TRegistry reg;
    if (reg.OpenKeyReadOnly("\\Software\\Tarnquill") && reg.ReadValueText("Path", path) &&
        AnsiSameText(path, Installed))
      break;
    ::Sleep(100);
  }
  EXPECT_TRUE(AnsiSameText(path, Installed)) << path;
  HWND main = ::FindWindowA("TMainForm", nullptr);
  for (int i = 0; i < 100 && !main; ++i, ::Sleep(100)) main = ::FindWindowA("TMainForm", nullptr);
  ASSERT_NE(main, nullptr) << "the installed program shows no window";
  DWORD mainPid = 0;
  ::GetWindowThreadProcessId(main, &mainPid);
  HANDLE mainProcess = ::OpenProcess(SYNCHRONIZE, FALSE, mainPid);
  ::PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(::WaitForSingleObject(mainProcess, 15000), WAIT_OBJECT_0);
  ::CloseHandle(mainProcess);
  {
    TRegistry classes;
    classes.SetRootKey(rkClassesRoot);
    ASSERT_TRUE(classes.OpenKeyReadOnly("\\.TXT"));
    EXPECT_EQ(classes.ReadString(""), "Tarnquill");
  }

  // "/u", Yes: everything the installation wrote goes, the batch with it.
  PointShellFolders();
  Process uninstall;
  ASSERT_TRUE(uninstall.StartAt(Installed, "/u", Root + "decoy"));
  HWND box = WaitForTopWindow(uninstall.pi.dwProcessId, "Tarnquill", "#32770");
  ASSERT_NE(box, nullptr) << "no question";
  ::PostMessageA(::GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
  ASSERT_TRUE(uninstall.Ended(15000));
  const std::string batch = Folder + "Tarnquill.bat";
  for (int i = 0; i < 150 && (Exists(Installed) || Exists(batch)); ++i) ::Sleep(100);
  EXPECT_FALSE(Exists(Installed));
  EXPECT_FALSE(Exists(batch));
  EXPECT_FALSE(Exists(Folder + "English.lng"));
  EXPECT_FALSE(Exists(Folder + "Sample.tq"));
  EXPECT_FALSE(Exists(Folder + "Tarnquill.INI")) << "the download window's settings";
  for (const char* link : {"desktop\\Tarnquill.lnk", "desktop\\Advanced Calculator.lnk", "desktop\\ASCII Table.lnk",
                           "programs\\Tarnquill"})
    EXPECT_FALSE(Exists(Root + link)) << link;
  EXPECT_TRUE(Exists(Root + "decoy\\decoy.tq"));
  EXPECT_TRUE(Exists(Root + "decoy\\decoy.lng"));
  TRegistry reg;
  EXPECT_FALSE(reg.KeyExists("\\Software\\Tarnquill"));
  TRegistry classes;
  classes.SetRootKey(rkClassesRoot);
  EXPECT_FALSE(classes.KeyExists("\\Tarnquill"));
  ASSERT_TRUE(classes.OpenKeyReadOnly("\\.TXT"));
  EXPECT_NE(classes.ReadString(""), "Tarnquill") << "the class .TXT had before comes back";
}

std::vector<HWND> MainForms() {
  std::vector<HWND> found;
  ::EnumWindows(
      [](HWND wnd, LPARAM l) -> BOOL {
        char c[64] = {};
        ::GetClassNameA(wnd, c, sizeof c);
        if (std::string(c) == "TMainForm" && ::IsWindowVisible(wnd))
          reinterpret_cast<std::vector<HWND>*>(l)->push_back(wnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// An installed editor's settings (the defaults and a version) and the
// program under its own name in a folder of its own; returns its path.
std::string InstalledEditor(const std::string& root, const std::string& dist) {
  WriteDefaultSettings();
  TRegistry reg;
  EXPECT_TRUE(reg.OpenKey("\\Software\\Tarnquill", true));
  reg.WriteString("Version", "1.0.0.0");
  const std::string editor = root + "editor\\Tarnquill.exe";
  ::CreateDirectoryA((root + "editor").c_str(), nullptr);
  EXPECT_TRUE(::CopyFileA((dist + "setup.exe").c_str(), editor.c_str(), FALSE));
  return editor;
}

// Help's item chosen by its key in the running editor, and the warning that
// follows answered Yes. The menus are reached by their keys: Wine keeps a
// process's menus to itself, so they cannot be read from here.
void ChooseHelpItem(Process& running, HWND main, char item) {
  ::PostMessageA(main, WM_SYSCOMMAND, SC_KEYMENU, 'h');
  // The item's key goes to the menu once it is open: sent before, it would
  // reach the editor.
  ASSERT_NE(WaitForTopWindow(running.pi.dwProcessId, "", "#32768"), nullptr) << "the Help menu did not open";
  ::PostMessageA(main, WM_CHAR, item, 0);
  HWND box = WaitForTopWindow(running.pi.dwProcessId, "Warning", "#32770");
  ASSERT_NE(box, nullptr) << "no question";
  ::PostMessageA(::GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
}

// Help > Reinstall, its installer driven by drive to the end; the old editor
// then closes.
void ReinstallFromTheHelpMenu(Process& running, HWND main, const std::function<void(HWND)>& drive) {
  ChooseHelpItem(running, main, 'r');
  ASSERT_FALSE(::testing::Test::HasFailure());
  HWND installer = WaitForTopWindow(running.pi.dwProcessId, "Tarnquill Installation", "");
  ASSERT_NE(installer, nullptr);
  drive(installer);
  ASSERT_FALSE(::testing::Test::HasFailure());
  ASSERT_TRUE(Click(installer, "Done"));
  ASSERT_TRUE(running.Ended(15000)) << "the old editor did not close";
}

// The one editor window the installer started, once it is there; the id of
// its process.
DWORD TheNewEditor(HWND& window) {
  std::vector<HWND> windows;
  for (int i = 0; i < 150 && windows.empty(); ++i, ::Sleep(100)) windows = MainForms();
  EXPECT_EQ(windows.size(), 1u);
  window = windows.empty() ? nullptr : windows[0];
  DWORD pid = 0;
  if (window) ::GetWindowThreadProcessId(window, &pid);
  return pid;
}

void CloseAndWait(HWND window, DWORD pid) {
  HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(::WaitForSingleObject(process, 15000), WAIT_OBJECT_0);
  ::CloseHandle(process);
}

TEST_F(InstallEndToEnd, ReinstallBringsTheDefaultsBackAndOneNewWindowRuns) {
  // An installed editor whose colour was changed since.
  const std::string editor = InstalledEditor(Root, Dist);
  ASSERT_FALSE(HasFailure());
  const std::string colour = "HTML1_SymbolAttriForeground";
  std::string original;
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Tarnquill\\Data", false));
    original = reg.ReadString(colour);
    reg.WriteString(colour, original == "255" ? "254" : "255");
  }
  Process running;
  ASSERT_TRUE(running.StartAt(editor, "/n", Root + "decoy"));
  HWND main = WaitForTopWindow(running.pi.dwProcessId, "Tarnquill", "TMainForm");
  ASSERT_NE(main, nullptr);
  ReinstallFromTheHelpMenu(running, main, [&](HWND installer) { DriveInstaller(installer, ""); });
  ASSERT_FALSE(HasFailure());

  // The new program starts once the old one has gone.
  HWND window = nullptr;
  const DWORD pid = TheNewEditor(window);
  ASSERT_NE(window, nullptr);
  EXPECT_NE(pid, running.pi.dwProcessId);
  ::Sleep(500);
  EXPECT_EQ(MainForms().size(), 1u);
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Tarnquill\\Data"));
    EXPECT_EQ(reg.ReadString(colour), original) << "the closing editor wrote its colours over the defaults";
  }
  CloseAndWait(window, pid);
}

TEST_F(InstallEndToEnd, MenuUninstallLeavesNoKeyOnceTheProgramHasEnded) {
  const std::string editor = InstalledEditor(Root, Dist);
  ASSERT_FALSE(HasFailure());
  WriteText(Root + "editor\\keys.macro", "macro");
  Process running;
  ASSERT_TRUE(running.StartAt(editor, "/n", Root + "decoy"));
  HWND main = WaitForTopWindow(running.pi.dwProcessId, "Tarnquill", "TMainForm");
  ASSERT_NE(main, nullptr);
  ChooseHelpItem(running, main, 'u');
  ASSERT_FALSE(HasFailure());
  HWND sad = WaitForTopWindow(running.pi.dwProcessId, "Tarnquill", "#32770");
  ASSERT_NE(sad, nullptr) << "no \":(\"";
  ::PostMessageA(sad, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(running.Ended(15000));

  for (int i = 0; i < 150 && Exists(editor); ++i) ::Sleep(100);
  EXPECT_FALSE(Exists(editor));
  EXPECT_FALSE(Exists(Root + "editor\\keys.macro"));
  EXPECT_TRUE(Exists(Root + "decoy\\decoy.tq"));
  TRegistry reg;
  EXPECT_FALSE(reg.KeyExists("\\Software\\Tarnquill")) << "a closing form wrote the key back";
}

TEST_F(InstallEndToEnd, AReinstalledEditorClosesWithoutRecordingItsTabsOrFiles) {
  const std::string editor = InstalledEditor(Root, Dist);
  ASSERT_FALSE(HasFailure());
  const std::string document = Root + "decoy\\notes.txt";
  WriteText(document, "notes\r\n");
  Process running;
  ASSERT_TRUE(running.StartAt(editor, "/n notes.txt", Root + "decoy"));
  // Its caption names the document once it is open.
  HWND main = WaitFor(nullptr, [&](HWND wnd) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(wnd, &owner);
    const std::string caption = Text(wnd);
    return owner == running.pi.dwProcessId && caption.rfind("Tarnquill - ", 0) == 0 &&
           caption.size() > 9 && caption.compare(caption.size() - 9, 9, "notes.txt") == 0;
  }, 150);
  ASSERT_NE(main, nullptr) << "the document did not open";
  {
    // The record its loading made goes, as with a cleared file history.
    TRegistry reg;
    ASSERT_TRUE(reg.DeleteKey("\\Software\\Tarnquill\\Documents"));
  }
  ReinstallFromTheHelpMenu(running, main, [&](HWND installer) { DriveInstaller(installer, ""); });
  ASSERT_FALSE(HasFailure());

  // What the old editor would have recorded on closing is not there; the
  // new one records its own only when it closes.
  TRegistry reg;
  EXPECT_FALSE(reg.KeyExists("\\Software\\Tarnquill\\Opened")) << "the closing editor's tabs";
  if (reg.OpenKeyReadOnly("\\Software\\Tarnquill\\Documents")) {
    EXPECT_FALSE(reg.ValueExists(document)) << "the closing editor's record of its file";
  }
  HWND window = nullptr;
  const DWORD pid = TheNewEditor(window);
  ASSERT_NE(window, nullptr);
  CloseAndWait(window, pid);
}

}  // namespace
