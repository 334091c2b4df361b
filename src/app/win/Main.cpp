// Program entry: the application object and the main window, the document
// named on the command line loaded into it, then the message loop until the
// main window is closed (exit code 0).
#include <cstdlib>
#include <string>

#include "app/win/MainForm.h"
#include "app/win/DataWin.h"
#include "app/win/Setup.h"
#include "editor/CodePage.h"
#include "editor/ExportClipboard.h"
#include "editor/Print.h"
#include "editor/win/CodePageWin.h"
#include "editor/win/ExportClipboardWin.h"
#include "editor/win/PrintDevice.h"
#include "ftp/FtpCache.h"
#include "ftp/win/FtpWin.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"
#include "platform/win/StdCtrls.h"

namespace {

std::string ProgramFile() {
  char buffer[MAX_PATH];
  DWORD n = ::GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return std::string(buffer, n < sizeof buffer ? n : 0);
}

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

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    UseSystemServices();
    TApplication application;
    application.SetTitle("Tarnquill");
    TMainForm* mainForm = application.CreateForm<TMainForm>();
    // The shared highlighters with their stored colours, then the options
    // dialog with the stored options, before any document opens.
    TData* data = CreateData(&application);
    auto* setup = new TSetup(&application, data);
    setup->RestoreSettings();
    mainForm->UseSharedSettings(data, setup);
    if (setup->UseLanguage->GetChecked() && !setup->Language->GetText().empty()) {
      try {
        mainForm->LoadLanguageFile(ExtractFilePath(ProgramFile()) + setup->Language->GetText());
      } catch (const Exception& e) {
        application.ShowException(e);
      }
    }
    if (__argc > 1) {
      try {
        mainForm->OpenFile(__argv[1]);
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
