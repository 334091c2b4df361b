// TFInstall, the "Tarnquill Installation" window: a notebook of pages from
// the licence to the end, whose Install button runs the installation steps
// over the system's services, and ShowInstaller, which shows it.
#pragma once

#include <string>

#include "app/install/Install.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/Forms.h"
#include "platform/win/StdCtrls.h"

class TDirectoryEdit;
class TFilenameEdit;

class TFInstall : public TForm, private TInstallProgress, private TInstallHost {
public:
  explicit TFInstall(TComponent* owner);

  TNotebook* Notebook;
  TMemo* Memo;
  TButton *Button1, *Button2, *Button3;
  TDirectoryEdit* Folder;
  TCheckBox *PlaceDesktop, *StartMenu, *Openwith, *WCEdit;
  TButton *Button5, *Button6;
  TCheckBox* TypeBoxes[19];  // CheckBox5 to CheckBox23
  TButton *Button8, *Button9;
  TCheckBox* UseLanguage;
  TComboBox* Language;
  TFilenameEdit* TQFile;
  TRadioButton *Overwrite, *Safe, *FromScript;
  TButton *Button11, *Button12;
  TProgressBar* Gauge;
  TLabel* Action;
  TButton* Button13;
  TCheckBox *RunTarnquill, *VisitTarnquillSite;
  TButton* Button14;

  // The installation's services; the system's by default, a test's instead.
  TInstallFiles* Files;
  TShortcutWriter* Links;
  TIniWriter* Ini;
  TSpecialFolders Folders;
  std::string RunningExe;

  // The steps ran to their end.
  bool Completed() const { return FCompleted; }
  // The installed program to start once the caller may (Finish with "Run
  // Tarnquill" checked); empty otherwise.
  const std::string& ProgramToStart() const { return FProgramToStart; }

  void FolderAfterDialog(TObject* sender, std::string& name, bool& action);
  void LanguageChange(TObject* sender);
  void UseLanguageClick(TObject* sender);

private:
  void ShowPage(const std::string& name);
  void ShowRegistration(TObject*) { ShowPage("Registration"); }
  void ShowLicence(TObject*) { ShowPage("Licence"); }
  void ShowAssociations(TObject*) { ShowPage("File Assosiations"); }
  void ShowLanguage(TObject*);
  void Decline(TObject*);
  void Install(TObject*);
  void Finish(TObject*);
  void FormCloseQuery(TObject*, bool& canClose);
  void Step(int percent, const std::string& action) override;
  void ShowMessage(const std::string& text) override;

  TSystemInstallFiles FSystemFiles;
  std::unique_ptr<TShortcutWriter> FSystemLinks;
  std::unique_ptr<TIniWriter> FSystemIni;
  bool FRunning = false;
  bool FCompleted = false;
  std::string FProgramToStart;
};

struct TInstallOutcome {
  bool Completed = false;
  std::string Start;  // the installed program to start, or empty
};
// Shows the installer modally and frees it.
TInstallOutcome ShowInstaller();
