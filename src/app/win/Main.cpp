// Program entry: the mode the program's name and command line select, the
// hand-over to a running instance, then the main window and the message
// loop until it is closed (exit code 0).
#include <cstdlib>

#include "app/DefaultSettings.h"
#include "app/FileTypes.h"
#include "app/StartUp.h"
#include "app/win/HandOver.h"
#include "app/win/MainForm.h"
#include "app/win/DataWin.h"
#include "app/win/FindDlg.h"
#include "app/win/HexFindDlg.h"
#include "app/win/ReplaceDlg.h"
#include "app/win/Setup.h"
#include "editor/CodePage.h"
#include "editor/ExportClipboard.h"
#include "editor/Print.h"
#include "editor/win/CodePageWin.h"
#include "editor/win/ExportClipboardWin.h"
#include "editor/win/PrintDevice.h"
#include "ftp/FtpCache.h"
#include "ftp/win/FtpWin.h"
#include "kit/win/VerInfo.h"
#include "platform/Registry.h"
#include "platform/Streams.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"

namespace {

// The editor's portable services ask the system through these: the ANSI code
// page behind the HTML export's character references, the clipboard that
// exports go to, and the date and time texts of printed headers. The FTP
// components get wsock32, the locale's comparison and the shell's type
// names, and their listing cache folder.
void UseSystemServices() {
  SetAnsiCodePageSource(&SystemAnsiCodePage);
  SetExportClipboard(&SystemExportClipboard());
  SetDateTimeTextSource(&SystemDateTimeText);
  InstallWinFtp();
  PrepareCacheDir();
}

std::string ProgramFile() {
  char path[MAX_PATH + 1] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

std::string CurrentFolder() {
  char path[MAX_PATH + 1] = {};
  ::GetCurrentDirectoryA(MAX_PATH, path);
  return path;
}

// "Version" (the running file's version resource) and "Path".
void WriteVersionAndPath() {
  TRegistry registry;
  if (!registry.OpenKey(ProgramRegistryKey(), true)) return;
  uint32_t ms = 0, ls = 0;
  TVersionInfo info(ProgramFile());
  if (info.GetValid()) info.GetFileLongVersion(ms, ls);
  registry.WriteString("Version", Format("%d.%d.%d.%d", int(ms >> 16), int(ms & 0xFFFF), int(ls >> 16),
                                         int(ls & 0xFFFF)));
  registry.WriteString("Path", ProgramFile());
}

// Until the installer's dialog exists, an installation writes what a first
// start needs: the default settings, the version and the path.
void ShowInstaller() {
  WriteDefaultSettings();
  WriteVersionAndPath();
}

void ShowStartupError(const Exception& e, int place) {
  ::MessageBoxA(nullptr,
                Format("Unexpected error at CommonFunction.%d: %s\r\nWould you send me whole this message to "
                       "solve that problem?",
                       place, e.Message().c_str())
                    .c_str(),
                "Tarnquill", MB_OK);
}

// The rename batch, run hidden; the program ends after starting it.
void RenameProgram(const std::vector<std::string>& args) {
  ::MessageBoxA(nullptr, "Sorry! This executable could not be renamed!", "Tarnquill", MB_OK);
  const std::string program = ProgramFile();
  const std::string batch = RenameBatchFileName(program);
  {
    TFileStream out(batch, fmCreate);
    const std::string text = RenameBatchText(program, batch, args, 10);
    out.WriteBuffer(text.data(), int64_t(text.size()));
  }
  ::ShellExecuteA(nullptr, nullptr, batch.c_str(), nullptr, nullptr, SW_HIDE);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<std::string> args;
  for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
  SetDebugLogTarget(ProgramFile(), args.empty() ? std::string() : args[0]);
  try {
    UseSystemServices();
    bool firstRun = false;
    try {
      firstRun = IsFirstRun();
    } catch (const Exception& e) {
      ShowStartupError(e, 1);
    }
    switch (DecideStartMode(ProgramFile(), args, firstRun)) {
      case stmInstaller:
      case stmInstall:
        try {
          ShowInstaller();
        } catch (const Exception& e) {
          ShowStartupError(e, 2);
        }
        return 0;
      case stmRename:
        RenameProgram(args);
        return 0;
      case stmUninstall:
        // The uninstaller itself comes with the installer's dialog.
        ::MessageBoxA(nullptr, "Are You Sure You Want to Uninstall Tarnquill?", "Tarnquill",
                      MB_YESNO | MB_ICONWARNING);
        return 0;
      case stmCalculator:
      case stmAsciiTable:
        // The calculator and the ASCII table have no windows yet.
        return 0;
      case stmEditor:
        break;
    }
    if (ActivatePreviousInstance(args, CurrentFolder())) return 0;
    WriteVersionAndPath();
    try {
      LoadFileTypes();
    } catch (const Exception& e) {
      ShowStartupError(e, 3);
    }
    TApplication application;
    application.SetTitle("Tarnquill");
    SetMainCommandLine(args, CurrentFolder());
    TMainForm* mainForm = application.CreateForm<TMainForm>();
    // The shared highlighters with their stored colours, then the options
    // dialog with the stored options, before any document opens.
    TData* data = CreateData(&application);
    auto* find = new TFind(&application);
    auto* replace = new TReplace(&application);
    auto* setup = new TSetup(&application, data);
    setup->RestoreSettings();
    auto* hexFind = new THexFind(&application);
    mainForm->UseSharedSettings(data, setup);
    mainForm->UseSearchDialogs(find, replace, hexFind);
    if (setup->UseLanguage->GetChecked() && !setup->Language->GetText().empty()) {
      try {
        mainForm->LoadLanguageFile(ExtractFilePath(ProgramFile()) + setup->Language->GetText());
      } catch (const Exception& e) {
        application.ShowException(e);
      }
    }
    application.Run();
  } catch (const std::exception& e) {
    ::MessageBoxA(nullptr, e.what(), "Tarnquill", MB_OK | MB_ICONERROR);
    return 1;
  }
  return 0;
}
