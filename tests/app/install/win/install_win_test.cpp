// The installer's window and the uninstallation in this process under Wine:
// real files in temporary folders whose names hold a blank and a "%", real
// shortcuts read back through the link object, the prefix's class registry,
// and the user's "Shell Folders" pointed at the test's own folders.
// The platform's headers first: the Windows headers would rename GetObject.
#include "../../AppRegistryKey.h"
#include "app/install/Install.h"
#include "app/StartUp.h"
#include "app/install/win/InstallDlg.h"
#include "app/install/win/InstallWin.h"
#include "kit/win/ToolEdit.h"
#include "platform/Registry.h"
#include "../../win/ShellFolders.h"
#include "platform/SysUtils.h"
#include "platform/win/Shell.h"
#include "platform/win/WinTestSupport.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

TQ_TEST_APPLICATION();

namespace {

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string ClassDefault(const std::string& key) {
  TRegistry reg;
  reg.SetRootKey(rkClassesRoot);
  std::string text;
  if (!reg.OpenKeyReadOnly(key) || !reg.ReadValueText("", text)) return "<none>";
  return text;
}

struct TLinkData {
  std::string Path, Args, Dir, IconFile;
  int Icon = -1;
};

bool ReadLink(const std::string& file, TLinkData& data) {
  IShellLinkA* link = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
    return false;
  IPersistFile* persist = nullptr;
  bool ok = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)));
  if (ok) {
    wchar_t wide[MAX_PATH + 1] = {};
    ::MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    ok = SUCCEEDED(persist->Load(wide, STGM_READ));
    persist->Release();
  }
  char buf[MAX_PATH + 1] = {};
  if (ok && SUCCEEDED(link->GetPath(buf, MAX_PATH, nullptr, 0))) data.Path = buf;
  if (ok && SUCCEEDED(link->GetArguments(buf, MAX_PATH))) data.Args = buf;
  if (ok && SUCCEEDED(link->GetWorkingDirectory(buf, MAX_PATH))) data.Dir = buf;
  if (ok && SUCCEEDED(link->GetIconLocation(buf, MAX_PATH, &data.Icon))) data.IconFile = buf;
  link->Release();
  return ok;
}

class InstallWin : public TAppKeyCase {
protected:
  InstallWin() {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    char tmp[MAX_PATH + 1] = {};
    ::GetTempPathA(MAX_PATH, tmp);
    Root = std::string(tmp) + "tq inst 50% " + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
           "\\";
    Clean();
    for (const char* d : {"", "dist", "decoy", "desktop", "programs", "windows"}) ::CreateDirectoryA((Root + d).c_str(), nullptr);
    Dist = Root + "dist\\";
    WriteText(Dist + "setup.exe", "the program");
    WriteText(Dist + "English.lng", "lng");
    WriteText(Dist + "Sample.tq", "Main.FontSize=10\r\n");
    WriteText(Dist + "README.txt", "readme");
    WriteText(Root + "decoy\\decoy.tq", "decoy");
    ::GetCurrentDirectoryA(MAX_PATH, tmp);
    OldCurrent = tmp;
    ::SetCurrentDirectoryA((Root + "decoy").c_str());

    // The user's desktop and programs folders become the test's own.
    Folders = std::make_unique<TShellFoldersRedirect>(Root + "desktop", Root + "programs");
    OldFor = ClassDefault(".FOR");
    TRegistry classes;
    classes.SetRootKey(rkClassesRoot);
    EXPECT_TRUE(classes.OpenKey("\\.FOR", true));
    classes.WriteString("", "FortranFile");

    Application->SetMessageBoxFunc([this](const std::string& text, const std::string&, unsigned) {
      Messages.push_back(text);
      return IDOK;
    });
    OldShellOpen = SetShellOpenFunc([this](const std::string& target, const std::string& params,
                                           const std::string& dir, int show, const std::string& verb) {
      Opened.push_back(target + "|" + params + "|" + dir + "|" + std::to_string(show) + "|" + verb);
      return true;
    });
    OldEnd = SetEndProcessFunc([this](unsigned code) { Ended.push_back(int(code)); });
  }
  ~InstallWin() override {
    delete Form;
    Application->SetMessageBoxFunc(nullptr);
    SetShellOpenFunc(OldShellOpen);
    SetEndProcessFunc(OldEnd);
    DropPendingMaintenance();
    Folders.reset();
    TRegistry classes;
    classes.SetRootKey(rkClassesRoot);
    if (OldFor == "<none>") {
      classes.DeleteKey("\\.FOR");
    } else if (classes.OpenKey("\\.FOR", true)) {
      classes.WriteString("", OldFor);
      classes.CloseKey();
    }
    classes.DeleteKey("\\Tarnquill");
    classes.DeleteKey("\\*\\shell\\Open with Tarnquill");
    ::SetCurrentDirectoryA(OldCurrent.c_str());
    ::DeleteFileA(ChangeFileExt(ProgramFile(), ".bat").c_str());
    Clean();
  }

  void PointShellFolders() { Folders->Point(); }

  void Clean() {
    std::string from = ExcludeTrailingPathDelimiter(Root) + std::string(2, '\0');
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationA(&op);
  }

  TFInstall* MakeForm() {
    Form = new TFInstall(Application);
    Form->RunningExe = Dist + "setup.exe";
    Form->Folders.Windows = Root + "windows\\";
    Form->Show();
    return Form;
  }
  bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  std::unique_ptr<TShellFoldersRedirect> Folders;
  std::string Root, Dist, OldCurrent, OldFor;
  TFInstall* Form = nullptr;
  std::vector<std::string> Messages, Opened;
  std::vector<int> Ended;
  TShellOpenFunc OldShellOpen;
  TEndProcessFunc OldEnd;
};

TEST_F(InstallWin, PagesButtonsAndDeclines) {
  TFInstall* f = MakeForm();
  std::vector<std::string> pages;
  for (int i = 0; i < f->Notebook->GetPages()->GetCount(); ++i) pages.push_back(f->Notebook->GetPages()->Get(i));
  EXPECT_EQ(pages, (std::vector<std::string>{"Licence", "Registration", "File Assosiations", "Language", "Copy",
                                             "Done"}));
  EXPECT_EQ(f->Notebook->GetActivePage(), "Licence");
  EXPECT_EQ(f->Folder->GetText(), GetSpecialFolder(7) + "Tarnquill\\");
  EXPECT_FALSE(GetSpecialFolder(7).empty());
  EXPECT_EQ(GetSpecialFolder(0), Root + "desktop\\");
  EXPECT_EQ(GetSpecialFolder(2), Root + "programs\\");
  EXPECT_NE(f->Memo->GetLines()->GetText().find("I Agree"), std::string::npos) << "our licence text";
  EXPECT_EQ(f->TypeBoxes[0]->GetName(), "CheckBox5");
  EXPECT_EQ(f->TypeBoxes[18]->GetCaption(), "VBS - VB Script");
  EXPECT_FALSE(f->VisitTarnquillSite->GetVisible()) << "no site address";

  struct {
    TButton* Button;
    const char* Page;
  } steps[] = {{f->Button1, "Registration"}, {f->Button5, "Licence"},  {f->Button1, "Registration"},
               {f->Button6, "File Assosiations"}, {f->Button8, "Registration"}, {f->Button6, "File Assosiations"},
               {f->Button9, "Language"}, {f->Button11, "File Assosiations"}};
  for (const auto& s : steps) {
    s.Button->Click();
    EXPECT_EQ(f->Notebook->GetActivePage(), s.Page) << s.Button->GetName();
  }
  // The language files that came with the program, not the current folder's.
  ASSERT_EQ(f->Language->GetItems()->GetCount(), 1);
  EXPECT_EQ(f->Language->GetItems()->Get(0), "English.lng");
  f->Button9->Click();
  EXPECT_EQ(f->Language->GetItems()->GetCount(), 1) << "the list is cleared first";

  f->Language->SetText("English.lng");
  f->LanguageChange(nullptr);
  EXPECT_FALSE(f->UseLanguage->GetChecked());
  f->UseLanguage->SetChecked(true);
  EXPECT_EQ(f->Language->GetText(), "");

  // The folder edit's after-dialog event is the installer's.
  ASSERT_TRUE(f->Folder->OnAfterDialog);
  for (const auto& [chosen, result] : {std::pair<std::string, std::string>{"D:\\Tools", "D:\\Tools\\Tarnquill\\"},
                                       {"D:\\Tarnquill2", "D:\\Tarnquill2"}}) {
    std::string name = chosen;
    bool action = true;
    f->Folder->OnAfterDialog(f->Folder, name, action);
    EXPECT_EQ(name, result);
  }

  for (TButton* decline : {f->Button2, f->Button3, f->Button13}) {
    Messages.clear();
    f->Show();
    decline->Click();
    EXPECT_EQ(Messages, std::vector<std::string>{":("}) << decline->GetName();
    EXPECT_FALSE(f->GetVisible()) << decline->GetName();
  }
  EXPECT_FALSE(f->Completed());
}

TEST_F(InstallWin, InstallsIntoAFolderAndUninstallsLeavingNothing) {
  TFInstall* f = MakeForm();
  WriteText(Root + "windows\\WINCMD.INI", "[Configuration]\r\n");
  const std::string folder = Root + "Program Files\\Tarnquill";
  f->Folder->SetText(folder);
  f->Openwith->SetChecked(true);
  f->TypeBoxes[9]->SetChecked(true);  // FOR - Fortran
  f->Button12->Click();
  EXPECT_TRUE(Messages.empty()) << Messages[0];
  ASSERT_EQ(f->Notebook->GetActivePage(), "Done");
  EXPECT_TRUE(f->Completed());
  EXPECT_EQ(f->Gauge->GetPosition(), 100);

  const std::string dir = folder + "\\";
  const std::string installed = dir + "Tarnquill.exe";
  EXPECT_EQ(ReadText(installed), "the program");
  for (const char* copied : {"English.lng", "Sample.tq", "README.txt"}) EXPECT_TRUE(Exists(dir + copied)) << copied;
  EXPECT_FALSE(Exists(dir + "setup.exe"));
  EXPECT_FALSE(Exists(dir + "decoy.tq"));

  const char* names[] = {"Tarnquill.lnk", "Advanced Calculator.lnk", "ASCII Table.lnk"};
  const char* args[] = {"", "/c", "/a"};
  for (const std::string& where : {Root + "desktop\\", Root + "programs\\Tarnquill\\"})
    for (int i = 0; i < 3; ++i) {
      TLinkData link;
      ASSERT_TRUE(ReadLink(where + names[i], link)) << where + names[i];
      EXPECT_TRUE(AnsiSameText(link.Path, installed)) << link.Path;
      EXPECT_EQ(link.Args, args[i]);
      EXPECT_TRUE(AnsiSameText(link.Dir, folder)) << link.Dir;
      EXPECT_EQ(link.Icon, i);
    }

  const std::string command = "\"" + installed + "\" \"%1\"";
  EXPECT_EQ(ClassDefault("\\.FOR"), "Tarnquill");
  EXPECT_EQ(ClassDefault("\\Tarnquill"), "Fortran");
  EXPECT_EQ(ClassDefault("\\Tarnquill\\DefaultIcon"), installed + ",0");
  EXPECT_EQ(ClassDefault("\\Tarnquill\\shell\\open\\command"), command);
  EXPECT_EQ(ClassDefault("\\*\\shell\\Open with Tarnquill\\command"), command);
  {
    // Writes to the class registry land in the machine's classes.
    TRegistry machine;
    machine.SetRootKey(rkLocalMachine);
    EXPECT_TRUE(machine.KeyExists("\\Software\\Classes\\Tarnquill\\shell\\open\\command"));
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key + "\\Installation"));
  EXPECT_EQ(reg.ReadString(".FOR"), "FortranFile");
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key + "\\Setup"));
  EXPECT_EQ(reg.ReadString("UseLanguage_Checked"), "False");
  EXPECT_EQ(reg.ReadString("RightEdge_Value"), "80");
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key));
  EXPECT_EQ(reg.ReadString("Version"), "0.0.0.0") << "a test program has no version resource";
  EXPECT_TRUE(AnsiSameText(reg.ReadString("Path"), ProgramFile()));
  reg.CloseKey();
  char editor[MAX_PATH + 1] = {};
  ::GetPrivateProfileStringA("Configuration", "Editor", "", editor, MAX_PATH, (Root + "windows\\WINCMD.INI").c_str());
  EXPECT_EQ(std::string(editor), installed);

  f->Button14->Click();
  EXPECT_EQ(f->ProgramToStart(), installed);
  EXPECT_TRUE(Opened.empty()) << "no site to visit, and the caller starts the program";

  // The uninstallation gives .FOR back and leaves none of it behind.
  PointShellFolders();
  Uninstall();
  EXPECT_EQ(Ended, std::vector<int>{0});
  const std::string batch = ChangeFileExt(ProgramFile(), ".bat");
  ASSERT_EQ(Opened.size(), 1u);
  EXPECT_EQ(Opened[0], batch + "|||" + std::to_string(SW_HIDE) + "|open");
  EXPECT_NE(ReadText(batch).find("erase " + BatchQuoted(ProgramFile())), std::string::npos);
  EXPECT_EQ(ClassDefault("\\.FOR"), "FortranFile");
  EXPECT_EQ(ClassDefault("\\Tarnquill"), "<none>");
  EXPECT_EQ(ClassDefault("\\*\\shell\\Open with Tarnquill\\command"), "<none>");
  EXPECT_FALSE(reg.KeyExists(Key));
  for (const std::string& where : {Root + "desktop\\", Root + "programs\\Tarnquill\\"})
    for (const char* name : names) EXPECT_FALSE(Exists(where + name)) << where + name;
  EXPECT_FALSE(Exists(Root + "programs\\Tarnquill"));
  EXPECT_TRUE(Exists(Root + "decoy\\decoy.tq"));
}

TEST_F(InstallWin, AFolderThatCannotBeMadeWritesNothingAndSaysSo) {
  TFInstall* f = MakeForm();
  WriteText(Root + "afile", "x");
  for (const std::string& folder : {Root + "afile\\Tarnquill", std::string("Tarnquill")}) {
    Messages.clear();
    f->Folder->SetText(folder);
    f->Button12->Click();
    ASSERT_EQ(Messages.size(), 1u) << folder;
    EXPECT_FALSE(Messages[0].empty());
    EXPECT_EQ(f->Notebook->GetActivePage(), "Registration") << folder;
    EXPECT_FALSE(f->Completed());
  }
  TRegistry reg;
  EXPECT_FALSE(reg.KeyExists(Key));
  EXPECT_FALSE(Exists(Root + "desktop\\Tarnquill.lnk"));
  EXPECT_FALSE(Exists(Root + "decoy\\Tarnquill\\Tarnquill.exe")) << "nothing relative to the current folder";
  EXPECT_EQ(ClassDefault("\\.FOR"), "FortranFile");
}

TEST_F(InstallWin, TheFileManagersSettingOnlyWhereItsFileIs) {
  TFInstall* f = MakeForm();
  f->PlaceDesktop->SetChecked(false);
  f->StartMenu->SetChecked(false);
  f->Folder->SetText(Root + "T");
  f->Button12->Click();
  EXPECT_EQ(Messages, std::vector<std::string>{kNoWindowsCommander});
  EXPECT_FALSE(Exists(Root + "windows\\WINCMD.INI")) << "no file is created";
  EXPECT_EQ(f->Notebook->GetActivePage(), "Done");
  EXPECT_FALSE(Exists(Root + "desktop\\Tarnquill.lnk"));
}

}  // namespace

namespace {

// Runs the batch as the uninstaller does (the shell, hidden) and waits for it.
bool RunBatch(const std::string& batch) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpFile = batch.c_str();
  info.nShow = SW_HIDE;
  if (!::ShellExecuteExA(&info) || !info.hProcess) return false;
  const bool ended = ::WaitForSingleObject(info.hProcess, 30000) == WAIT_OBJECT_0;
  ::CloseHandle(info.hProcess);
  return ended;
}

TEST(UninstallBatchWin, DeletesTheProgramOrGivesUpAndAlwaysDeletesItself) {
  char tmp[MAX_PATH + 1] = {};
  ::GetTempPathA(MAX_PATH, tmp);
  const std::string dir = std::string(tmp) + "tq batch 50% R&D\\";
  ::CreateDirectoryA(dir.c_str(), nullptr);
  const std::string program = dir + "Tarnquill.exe";
  const std::string batch = dir + "Tarnquill.bat";
  for (bool held : {false, true}) {
    WriteText(program, "program");
    WriteText(batch, UninstallBatchText(program, batch, 3));
    // A program still running cannot be deleted; a file open without
    // sharing its deletion stands for it.
    HANDLE h = held ? ::CreateFileA(program.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                    nullptr)
                    : INVALID_HANDLE_VALUE;
    ASSERT_TRUE(RunBatch(batch)) << "the batch did not end; held: " << held;
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    EXPECT_EQ(::GetFileAttributesA(program.c_str()) != INVALID_FILE_ATTRIBUTES, held);
    EXPECT_EQ(::GetFileAttributesA(batch.c_str()), INVALID_FILE_ATTRIBUTES) << "held: " << held;
  }
  ::DeleteFileA(program.c_str());
  ::RemoveDirectoryA(dir.c_str());
}

}  // namespace
