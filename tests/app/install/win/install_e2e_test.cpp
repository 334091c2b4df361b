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
#include <optional>
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

// A top-level window of the process of that class (any when empty) whose
// caption passes captioned.
HWND WaitForTopWindow(DWORD pid, const std::function<bool(const std::string&)>& captioned, const std::string& cls,
                      int tenths = 150) {
  return WaitFor(nullptr, [&](HWND wnd) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(wnd, &owner);
    char c[64] = {};
    ::GetClassNameA(wnd, c, sizeof c);
    return owner == pid && (cls.empty() || cls == c) && captioned(Text(wnd));
  }, tenths);
}

// A top-level window of the process with that caption and class.
HWND WaitForTopWindow(DWORD pid, const std::string& caption, const std::string& cls, int tenths = 150) {
  return WaitForTopWindow(pid, [&](const std::string& text) { return text == caption; }, cls, tenths);
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

// The process's question box with that caption, answered Yes.
void AnswerYes(const Process& process, const std::string& caption) {
  HWND box = WaitForTopWindow(process.pi.dwProcessId, caption, "#32770");
  ASSERT_NE(box, nullptr) << "no question";
  ::PostMessageA(::GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
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

// An editor's main window and the id of its process.
struct TEditorWindow {
  HWND Window = nullptr;
  DWORD Pid = 0;
};

// The one editor window the installer started, once it is there.
TEditorWindow TheNewEditor() {
  std::vector<HWND> windows;
  for (int i = 0; i < 150 && windows.empty(); ++i, ::Sleep(100)) windows = MainForms();
  EXPECT_EQ(windows.size(), 1u);
  TEditorWindow editor;
  editor.Window = windows.empty() ? nullptr : windows[0];
  if (editor.Window) ::GetWindowThreadProcessId(editor.Window, &editor.Pid);
  return editor;
}

void CloseAndWait(const TEditorWindow& editor) {
  HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, editor.Pid);
  ::PostMessageA(editor.Window, WM_CLOSE, 0, 0);
  EXPECT_EQ(::WaitForSingleObject(process, 15000), WAIT_OBJECT_0);
  ::CloseHandle(process);
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
    Running.reset();
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
    if (!associate.empty()) {
      ASSERT_TRUE(Click(installer, associate));
    }
    ::Sleep(200);
    ASSERT_TRUE(Click(installer, ">>"));
    ASSERT_TRUE(WaitForChild(installer, "Native English (faster loading)"));
    ASSERT_TRUE(Click(installer, ">>"));
    ASSERT_TRUE(WaitForChild(installer, "Run Tarnquill", 150)) << "the installation did not reach its end";
  }

  // An installed editor's settings (the defaults and a version) and the
  // program under its own name in a folder of its own, Editor.
  void InstallEditor() {
    WriteDefaultSettings();
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Tarnquill", true));
    reg.WriteString("Version", "1.0.0.0");
    Editor = Root + "editor\\Tarnquill.exe";
    ::CreateDirectoryA((Root + "editor").c_str(), nullptr);
    ASSERT_TRUE(::CopyFileA((Dist + "setup.exe").c_str(), Editor.c_str(), FALSE));
  }

  // The installed editor started with args in the decoy folder (Running);
  // its main window once the caption reads "Tarnquill" or, given a
  // document, names that document.
  HWND StartEditor(const std::string& args, const std::string& document = "") {
    Running.emplace();
    if (!Running->StartAt(Editor, args, Root + "decoy")) {
      ADD_FAILURE() << "the editor did not start";
      return nullptr;
    }
    return WaitForTopWindow(Running->pi.dwProcessId, [&](const std::string& caption) {
      if (document.empty()) return caption == "Tarnquill";
      return caption.rfind("Tarnquill - ", 0) == 0 && caption.size() > document.size() &&
             caption.compare(caption.size() - document.size(), document.size(), document) == 0;
    }, "TMainForm");
  }

  // Help's item chosen by its key in the running editor, and the warning
  // that follows answered Yes. The menus are reached by their keys: Wine
  // keeps a process's menus to itself, so they cannot be read from here.
  void ChooseHelpItem(HWND main, char item) {
    ::PostMessageA(main, WM_SYSCOMMAND, SC_KEYMENU, 'h');
    // The item's key goes to the menu once it is open: sent before, it would
    // reach the editor.
    ASSERT_NE(WaitForTopWindow(Running->pi.dwProcessId, "", "#32768"), nullptr) << "the Help menu did not open";
    ::PostMessageA(main, WM_CHAR, item, 0);
    AnswerYes(*Running, "Warning");
  }

  // Help > Reinstall, its installer driven to the end with no association;
  // the old editor then closes.
  void ReinstallFromTheHelpMenu(HWND main) {
    ChooseHelpItem(main, 'r');
    ASSERT_FALSE(HasFailure());
    HWND installer = WaitForTopWindow(Running->pi.dwProcessId, "Tarnquill Installation", "");
    ASSERT_NE(installer, nullptr);
    DriveInstaller(installer, "");
    ASSERT_FALSE(HasFailure());
    ASSERT_TRUE(Click(installer, "Done"));
    ASSERT_TRUE(Running->Ended(15000)) << "the old editor did not close";
  }

  std::unique_ptr<TShellFoldersRedirect> Folders;
  std::string Root, Dist, Folder, Installed, OldTxt, Editor;
  // Ended (killed if need be) before the folders and the key go.
  std::optional<Process> Running;
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
  const TEditorWindow started = TheNewEditor();
  ASSERT_NE(started.Window, nullptr) << "the installed program shows no window";
  CloseAndWait(started);
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
  ASSERT_NO_FATAL_FAILURE(AnswerYes(uninstall, "Tarnquill"));
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

TEST_F(InstallEndToEnd, ReinstallBringsTheDefaultsBackAndOneNewWindowRuns) {
  // An installed editor whose colour was changed since.
  ASSERT_NO_FATAL_FAILURE(InstallEditor());
  const std::string colour = "HTML1_SymbolAttriForeground";
  std::string original;
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Tarnquill\\Data", false));
    original = reg.ReadString(colour);
    reg.WriteString(colour, original == "255" ? "254" : "255");
  }
  HWND main = StartEditor("/n");
  ASSERT_NE(main, nullptr);
  ReinstallFromTheHelpMenu(main);
  ASSERT_FALSE(HasFailure());

  // The new program starts once the old one has gone.
  const TEditorWindow started = TheNewEditor();
  ASSERT_NE(started.Window, nullptr);
  EXPECT_NE(started.Pid, Running->pi.dwProcessId);
  ::Sleep(500);
  EXPECT_EQ(MainForms().size(), 1u);
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Tarnquill\\Data"));
    EXPECT_EQ(reg.ReadString(colour), original) << "the closing editor wrote its colours over the defaults";
  }
  CloseAndWait(started);
}

TEST_F(InstallEndToEnd, MenuUninstallLeavesNoKeyOnceTheProgramHasEnded) {
  ASSERT_NO_FATAL_FAILURE(InstallEditor());
  WriteText(Root + "editor\\keys.macro", "macro");
  HWND main = StartEditor("/n");
  ASSERT_NE(main, nullptr);
  ChooseHelpItem(main, 'u');
  ASSERT_FALSE(HasFailure());
  HWND sad = WaitForTopWindow(Running->pi.dwProcessId, "Tarnquill", "#32770");
  ASSERT_NE(sad, nullptr) << "no \":(\"";
  ::PostMessageA(sad, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(Running->Ended(15000));

  for (int i = 0; i < 150 && Exists(Editor); ++i) ::Sleep(100);
  EXPECT_FALSE(Exists(Editor));
  EXPECT_FALSE(Exists(Root + "editor\\keys.macro"));
  EXPECT_TRUE(Exists(Root + "decoy\\decoy.tq"));
  TRegistry reg;
  EXPECT_FALSE(reg.KeyExists("\\Software\\Tarnquill")) << "a closing form wrote the key back";
}

TEST_F(InstallEndToEnd, AReinstalledEditorClosesWithoutRecordingItsTabsOrFiles) {
  ASSERT_NO_FATAL_FAILURE(InstallEditor());
  const std::string document = Root + "decoy\\notes.txt";
  WriteText(document, "notes\r\n");
  HWND main = StartEditor("/n notes.txt", "notes.txt");
  ASSERT_NE(main, nullptr) << "the document did not open";
  {
    // The record its loading made goes, as with a cleared file history.
    TRegistry reg;
    ASSERT_TRUE(reg.DeleteKey("\\Software\\Tarnquill\\Documents"));
  }
  ReinstallFromTheHelpMenu(main);
  ASSERT_FALSE(HasFailure());

  // What the old editor would have recorded on closing is not there; the
  // new one records its own only when it closes.
  TRegistry reg;
  EXPECT_FALSE(reg.KeyExists("\\Software\\Tarnquill\\Opened")) << "the closing editor's tabs";
  if (reg.OpenKeyReadOnly("\\Software\\Tarnquill\\Documents")) {
    EXPECT_FALSE(reg.ValueExists(document)) << "the closing editor's record of its file";
  }
  const TEditorWindow started = TheNewEditor();
  ASSERT_NE(started.Window, nullptr);
  CloseAndWait(started);
}

}  // namespace
