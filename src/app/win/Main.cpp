// Program entry: the mode the program's name and command line select, the
// hand-over to a running instance, then the main window and the message
// loop until it is closed (exit code 0).
#include <cstdlib>

#include "app/settings/DefaultSettings.h"
#include "app/settings/FileTypes.h"
#include "app/StartUp.h"
#include "app/tools/win/CalcForm.h"
#include "app/tools/win/FClipboard.h"
#include "app/tools/win/Ascii.h"
#include "app/documents/win/HandOver.h"
#include "app/macros/win/MacroHook.h"
#include "app/documents/win/FileDlg.h"
#include "app/tools/win/FtpForm.h"
#include "app/install/win/InstallDlg.h"
#include "app/install/win/InstallWin.h"
#include "app/tools/win/Help.h"
#include "app/documents/win/MainForm.h"
#include "app/win/DataWin.h"
#include "app/output/win/PrintDlg.h"
#include "app/win/ProgramEnd.h"
#include "app/search/win/FindDlg.h"
#include "app/search/win/HexFindDlg.h"
#include "app/search/win/ReplaceDlg.h"
#include "app/settings/win/Setup.h"
#include "editor/CodePage.h"
#include "editor/ExportClipboard.h"
#include "editor/Print.h"
#include "editor/win/CodePageWin.h"
#include "editor/win/ExportClipboardWin.h"
#include "editor/win/PrintDevice.h"
#include "ftp/FtpCache.h"
#include "ftp/win/FtpWin.h"
#include "kit/win/KitCursors.h"
#include "kit/win/VerInfo.h"
#include "platform/Registry.h"
#include "platform/Streams.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"
#include "platform/win/Shell.h"

namespace {

// The editor's portable services ask the system through these: the ANSI code
// page behind the HTML export's character references, the clipboard that
// exports go to, and the date, time and computer name of printed headers. The FTP
// components get wsock32, the locale's comparison and the shell's type
// names, and their listing cache folder. The kit's two cursors are screen
// cursors from the first window on.
void UseSystemServices() {
  SetAnsiCodePageSource(&SystemAnsiCodePage);
  SetExportClipboard(&SystemExportClipboard());
  SetDateTimeTextSource(&SystemDateTimeText);
  SetComputerNameSource(&SystemComputerName);
  InstallWinFtp();
  PrepareCacheDir();
  UseKitCursors();
}

std::string CurrentFolder() {
  char path[MAX_PATH + 1] = {};
  ::GetCurrentDirectoryA(MAX_PATH, path);
  return path;
}

// The installer in a process of its own ("setup.exe", "/i", the first run):
// the installed program starts once the installer has gone.
void RunInstaller() {
  TApplication application;
  application.SetTitle("Tarnquill");
  const TInstallOutcome outcome = ShowInstaller();
  if (!outcome.Start.empty()) ShellOpen(outcome.Start, "", "", SW_RESTORE);
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
  ShellOpen(batch, "", "", SW_HIDE);
}

// The program's icon number index (0 editor, 1 calculator, 2 ASCII table),
// as the installer's shortcuts show them; null when there is none.
// The script numbers them from 1 in the same order.
HICON ProgramIcon(int index) {
  return ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(index + 1));
}

// A tool window that is the program's only one shows the program's icon
// of that tool, on the window and on the application's.
void GiveProgramIcon(TApplication& application, TForm* form, int index) {
  if (HICON icon = ProgramIcon(index)) {
    form->SetIcon(icon);
    if (application.GetHandle()) ::SendMessageA(application.GetHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
}

// "/a": the ASCII table as the program's only window; closing it ends the
// program.
void RunAsciiTable() {
  TApplication application;
  application.SetTitle("ASCII Table");
  TASCII* ascii = application.CreateForm<TASCII>();
  ascii->StandAlone = true;
  GiveProgramIcon(application, ascii, 2);
  application.Run();
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
          RunInstaller();
        } catch (const Exception& e) {
          ShowStartupError(e, 2);
        }
        return 0;
      case stmRename:
        RenameProgram(args);
        return 0;
      case stmUninstall:
        if (::MessageBoxA(nullptr, "Are You Sure You Want to Uninstall Tarnquill?", "Tarnquill",
                          MB_YESNO | MB_ICONWARNING) == IDYES)
          Uninstall();
        return 0;
      case stmCalculator: {
        // The calculator alone: its window is the program's, and closing it ends the program.
        TApplication application;
        application.SetTitle("Advanced Calculator");
        Calc = application.CreateForm<TCalc>();
        Calc->StandAlone = true;
        GiveProgramIcon(application, Calc, 1);
        application.Run();
        return 0;
      }
      case stmAsciiTable:
        RunAsciiTable();
        return 0;
      case stmEditor:
        break;
    }
    if (ActivatePreviousInstance(args, CurrentFolder())) return 0;
    WriteVersionAndPath();
    try {
      LoadFileTypes();
      SetFileTypesLoaded(true);
    } catch (const Exception& e) {
      ShowStartupError(e, 3);
    }
    {
      TApplication application;
      application.SetTitle("Tarnquill");
      // The recorder goes before the forms, so no hook outlives the windows
      // it delivers to.
      struct TRecorderLife {
        TRecorderLife() { CreateMacroRecorder(); }
        ~TRecorderLife() { FreeMacroRecorder(); }
      } recorderLife;
      SetMainCommandLine(args, CurrentFolder());
      TMainForm* mainForm = application.CreateForm<TMainForm>();
      // The shared highlighters with their stored colours, then the options
      // dialog with the stored options, before any document opens.
      TData* data = CreateData(&application);
      auto* find = new TFind(&application);
      auto* replace = new TReplace(&application);
      PrintDlg = new TPrintDlg(&application);
      auto* ascii = new TASCII(&application);
      ascii->TargetEditor = [mainForm]() -> TktCustomEdit* {
        TMainDocuments& documents = mainForm->Documents();
        return documents.TextViewVisible() ? documents.CurrentEditor() : nullptr;
      };
      auto* setup = new TSetup(&application, data);
      setup->RestoreSettings();
      new THelp(&application);
      auto* hexFind = new THexFind(&application);
      new TFFtp(&application);
      // Made with the other forms; its folder tree asks the shell only when
      // the dialog is first shown.
      FileDlg = new TFileDlg(&application);
      // The last form made: hidden, its viewer already in the clipboard chain.
      FClipboard = application.CreateForm<TFClipboard>();
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
      SaveFileTypesAtEnd();
      if (UninstallRequested) {
        delete setup;
        Uninstall();
      }
    }
    // After a reinstallation the new program starts only once this one has
    // closed its windows, so it finds no running editor to hand over to.
    if (!PendingStart().empty()) ShellOpen(PendingStart(), "", "", SW_RESTORE);
  } catch (const std::exception& e) {
    ::MessageBoxA(nullptr, e.what(), "Tarnquill", MB_OK | MB_ICONERROR);
    return 1;
  }
  return 0;
}
