// Program entry: the application object and the main window, the document
// named on the command line loaded into it, then the message loop until the
// main window is closed (exit code 0).
#include <cstdlib>

#include "app/win/MainForm.h"
#include "editor/CodePage.h"
#include "editor/ExportClipboard.h"
#include "editor/Print.h"
#include "editor/win/CodePageWin.h"
#include "editor/win/ExportClipboardWin.h"
#include "editor/win/PrintDevice.h"
#include "ftp/FtpCache.h"
#include "ftp/win/FtpWin.h"
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

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    UseSystemServices();
    TApplication application;
    application.SetTitle("Tarnquill");
    TMainForm* mainForm = application.CreateForm<TMainForm>();
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
