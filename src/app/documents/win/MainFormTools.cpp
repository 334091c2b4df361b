// TMainForm's tool, help and window commands: the tools the system or the
// program's other windows provide, the distributor's addresses, uninstalling
// and reinstalling, stay on top, and the editor commands passed on as they are.
#include "app/documents/win/MainForm.h"

#include "app/tools/HelpTopics.h"
#include "app/install/Install.h"
#include "app/tools/win/Ascii.h"
#include "app/tools/win/CalcForm.h"
#include "app/tools/win/FtpForm.h"
#include "app/tools/win/Help.h"
#include "app/install/win/InstallDlg.h"
#include "app/install/win/InstallWin.h"
#include "kit/win/FisSysMenu.h"
#include "kit/win/Placemnt.h"
#include "kit/win/VerInfo.h"
#include "platform/win/Application.h"
#include "platform/win/Shell.h"

void TMainForm::MakeToolMenus() {
  SysMenuPopup = new TPopupMenu(this);
  SysMenuPopup->SetName("SysMenuPopup");
  for (const char* action : {"SysMenuStayonTop", "SysMenuStayNormal"}) AddItem(SysMenuPopup->GetItems(), "", action);
  // The window is made when it is first shown: the entries go into its
  // window menu then (see CreateWnd).
  auto* sysMenu = new TfisSysMenu(this, true);
  sysMenu->SetName("fisSysMenu");
  sysMenu->SetMenu(SysMenuPopup);
  SysMenu = sysMenu;

  // An address the distributor has not given hides its item.
  const TDistributorAddresses& a = DistributorAddresses();
  const std::pair<const char*, const std::string*> addresses[] = {
      {"SendEmailtoAutorMenu", &a.Mail},
      {"DownloadNewestversionMenu", &a.Download},
      {"VisitOfficialTarnquillHomePageMenu", &a.Site},
      {"VisitAuthorsHomePageMenu", &a.AuthorSite},
  };
  for (const auto& [name, address] : addresses)
    if (address->empty()) FindAction(name)->SetVisible(false);
}

// Inside the editor the calculator only hides when closed; it is made the
// first time it is asked for, as the editor's start-up does not make it.
void TMainForm::ToolCalculator() {
  if (!Calc) Calc = new TCalc(this);
  Calc->StandAlone = false;
  Calc->Show();
}

void TMainForm::ToolCalendar() {
  const std::string system = GetSpecialFolder(6);
  ShellOpen(system + "Rundll32.exe", "shell32.dll,Control_RunDLL TIMEDATE.CPL", system, SW_SHOWNORMAL, "Open");
}

void TMainForm::EditDownload() {
  if (FFtp) FFtp->Show();
}

// The table opens on the current editor's font, so the codes it shows are
// the ones the document is drawn with. The font goes on once the window is
// shown: showing restores the boxes the table keeps, which would otherwise
// put the last session's style over the editor's.
void TMainForm::ToolAsciiTable() {
  if (!ASCII) return;
  if (!FDocs.TextViewVisible()) {
    TFontData font = ASCII->Grid->GetFont();
    font.Name = "FixedSys";
    font.Style = TFontStyles();
    ASCII->Grid->SetFont(font);
    ASCII->Show();
    return;
  }
  ASCII->Show();
  ASCII->UseFont(FDocs.CurrentEditor()->GetFont());
}

void TMainForm::ShowHelp() {
  if (Help) Help->Show();
}

void TMainForm::ShowAbout() { ShowHelpNode(kHelpAboutNode); }

void TMainForm::ShowHotKeys() { ShowHelpNode(kHelpKeysNode); }

void TMainForm::SendEmailToAuthor() {
  uint32_t ms = 0, ls = 0;
  TVersionInfo info(ProgramFile());
  if (info.GetValid()) info.GetFileLongVersion(ms, ls);
  OpenDistributorAddress(MailLink(DistributorAddresses().Mail, int(ms >> 16), int(ms & 0xFFFF), int(ls >> 16),
                                  int(ls & 0xFFFF)));
}

void TMainForm::OpenDistributorAddress(const std::string& address) {
  if (!address.empty()) ShellOpen(address, "", "", SW_SHOWNORMAL, "Open");
}

void TMainForm::UninstallTarnquill() {
  if (MessageDlg("Are You Sure You Want to Uninstall Tarnquill?", mtWarning, TMsgDlgButtons{mbYes, mbNo}) !=
      mrYes)
    return;
  // The uninstallation runs after the message loop; until then nothing
  // saves into the key it deletes. A cancelled close drops it again.
  UninstallRequested = true;
  SuspendFormStorageSaves(true);
  ::ShowMessage(":(");
  Close();
}

void TMainForm::ReinstallTarnquill() {
  if (MessageDlg("All Tarnquill settings, file history and so on will be cleaned. Tarnquill will load default "
                 "settings. Would you like to do this?",
                 mtWarning, TMsgDlgButtons{mbYes, mbNo}) != mrYes)
    return;
  const TInstallOutcome outcome = ShowInstaller();
  if (outcome.Completed) {
    // The closing editor must not write its old settings over the new
    // defaults, and the new program starts once this one has let go.
    SetReinstallCompleted(true);
    SetPendingStart(outcome.Start);
  }
  Close();
}

void TMainForm::StayOnTop(bool onTop) {
  ::SetWindowPos(GetHandle(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TMainForm::TextViewCommand(TktEditorCommand command) {
  if (FDocs.TextViewVisible()) FDocs.CurrentEditor()->ExecuteCommand(command, '\0', nullptr);
}

void TMainForm::StepCaretHistory(bool back) {
  if (FDocs.TextViewVisible()) FDocs.CurrentEditor()->StepCaretHistory(back);
}
