// The installer's window.
#include "app/install/win/InstallDlg.h"

#include "platform/Registry.h"
#include "platform/SysUtils.h"

#include "app/install/win/InstallWin.h"
#include "kit/win/ToolEdit.h"
#include "platform/win/Application.h"
#include "platform/win/FormBuilder.h"
#include "platform/win/Shell.h"

namespace {

// Our own licence text, kept in the program's resources.
std::string LicenceText() {
  HMODULE module = ::GetModuleHandleA(nullptr);
  HRSRC res = ::FindResourceA(module, "LICENCE", MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!res) return std::string();
  HGLOBAL data = ::LoadResource(module, res);
  const char* text = data ? static_cast<const char*>(::LockResource(data)) : nullptr;
  return text ? std::string(text, ::SizeofResource(module, res)) : std::string();
}

}  // namespace

TFInstall::TFInstall(TComponent* owner)
    : TForm(owner),
      FSystemLinks(std::make_unique<TWinShortcutWriter>()),
      FSystemIni(std::make_unique<TWinIniWriter>()) {
  SetName("FInstall");
  SetCaption("Tarnquill Installation");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetBounds(0, 0, 480, 380);
  OnCloseQuery = Bind(this, &TFInstall::FormCloseQuery);

  Notebook = Make<TNotebook>(this).Parent(this).Name("Notebook").Align(alClient).Get();
  // A new notebook has one page: it becomes the first.
  Notebook->GetPages()->Put(0, "Licence");
  for (const char* page : {"Registration", "File Assosiations", "Language", "Copy", "Done"})
    Notebook->GetPages()->Add(page);
  auto page = [this](const char* name) { return static_cast<TWinControl*>(Notebook->FindPage(name)); };
  auto button = [this](TWinControl* parent, const char* name, const char* caption, int left,
                       void (TFInstall::*handler)(TObject*)) {
    return Make<TButton>(this).Parent(parent).Name(name).Bounds(left, 312, 110, 25).Caption(caption)
        .On(&TButton::OnClick, this, handler).Get();
  };
  auto check = [this](TWinControl* parent, const char* name, const char* caption, int left, int top,
                      int width, bool checked) {
    auto* box = Make<TCheckBox>(this).Parent(parent).Name(name).Bounds(left, top, width, 20).Caption(caption)
                    .Get();
    box->SetChecked(checked);
    return box;
  };

  // Licence.
  TWinControl* p = page("Licence");
  Memo = Make<TMemo>(this).Parent(p).Name("Memo").Bounds(10, 10, 452, 290).Get();
  Memo->SetReadOnly(true);
  Memo->SetScrollBars(ssVertical);
  Memo->GetLines()->SetText(LicenceText());
  Button1 = button(p, "Button1", "I Agree", 110, &TFInstall::ShowRegistration);
  Button2 = button(p, "Button2", "I Do Not Agree", 230, &TFInstall::Decline);
  Button3 = button(p, "Button3", "Cancel", 350, &TFInstall::Decline);

  // Registration.
  p = page("Registration");
  Make<TLabel>(this).Parent(p).Name("FolderLabel").Bounds(10, 12, 452, 16).Caption("Install Tarnquill to:");
  Folder = Make<TDirectoryEdit>(this).Parent(p).Name("Folder").Bounds(10, 32, 452, 21).Get();
  Folder->OnAfterDialog = Bind(this, &TFInstall::FolderAfterDialog);
  PlaceDesktop = check(p, "PlaceDesktop", "Place shortcuts on the desktop", 10, 70, 452, true);
  StartMenu = check(p, "StartMenu", "Create a Start menu group", 10, 95, 452, true);
  Openwith = check(p, "Openwith", "Add \"Open with Tarnquill\" to every file's menu", 10, 120, 452, false);
  WCEdit = check(p, "WCEdit", "Make Tarnquill the editor of Windows Commander", 10, 145, 452, true);
  Button5 = button(p, "Button5", "<<", 230, &TFInstall::ShowLicence);
  Button6 = button(p, "Button6", ">>", 350, &TFInstall::ShowAssociations);

  // File associations, in two columns.
  p = page("File Assosiations");
  for (int i = 0; i < 19; ++i) {
    const std::string name = "CheckBox" + std::to_string(i + 5);
    TypeBoxes[i] = check(p, name.c_str(), kFileTypeCaptions[i], i < 10 ? 10 : 240, 10 + (i % 10) * 27, 225, false);
  }
  Button8 = button(p, "Button8", "<<", 230, &TFInstall::ShowRegistration);
  Button9 = button(p, "Button9", ">>", 350, &TFInstall::ShowLanguage);

  // Language and settings.
  p = page("Language");
  UseLanguage = check(p, "UseLanguage", "Native English (faster loading)", 10, 10, 452, true);
  UseLanguage->OnClick = Bind(this, &TFInstall::UseLanguageClick);
  Language = Make<TComboBox>(this).Parent(p).Name("Language").Bounds(10, 36, 452, 21).Get();
  Language->OnChange = Bind(this, &TFInstall::LanguageChange);
  Overwrite = Make<TRadioButton>(this).Parent(p).Name("Overwrite").Bounds(10, 90, 452, 20)
                  .Caption("Overwrite all settings to default (recommended)").Get();
  Safe = Make<TRadioButton>(this).Parent(p).Name("Safe").Bounds(10, 115, 452, 20)
             .Caption("Try to save old parameters (if possible)").Get();
  FromScript = Make<TRadioButton>(this).Parent(p).Name("FromScript").Bounds(10, 140, 452, 20)
                   .Caption("Load settings from script (if you have one)").Get();
  Overwrite->SetChecked(true);
  TQFile = Make<TFilenameEdit>(this).Parent(p).Name("TQFile").Bounds(30, 165, 432, 21).Get();
  TQFile->SetFilter("Tarnquill settings |*.tq");
  Button11 = button(p, "Button11", "<<", 230, &TFInstall::ShowAssociations);
  Button12 = button(p, "Button12", ">>", 350, &TFInstall::Install);

  // Copying.
  p = page("Copy");
  Gauge = Make<TProgressBar>(this).Parent(p).Name("Gauge").Bounds(10, 120, 452, 20).Get();
  Gauge->SetRange(0, 100);
  Action = Make<TLabel>(this).Parent(p).Name("Action").Bounds(10, 96, 452, 16).Get();
  Button13 = button(p, "Button13", "Cancel", 350, &TFInstall::Decline);

  // Done.
  p = page("Done");
  RunTarnquill = check(p, "RunTarnquill", "Run Tarnquill", 10, 20, 452, true);
  VisitTarnquillSite = check(p, "VisitTarnquillSite", "Visit Tarnquill Site", 10, 45, 452, true);
  // Without a site address there is nothing to visit.
  if (DistributorAddresses().Site.empty()) {
    VisitTarnquillSite->SetChecked(false);
    VisitTarnquillSite->SetVisible(false);
  }
  Button14 = button(p, "Button14", "Done", 350, &TFInstall::Finish);

  Files = &FSystemFiles;
  Links = FSystemLinks.get();
  Ini = FSystemIni.get();
  Folders = GetSpecialFolders();
  RunningExe = ProgramFile();
  Folder->SetText(GetSpecialFolder(7).empty() ? std::string() : GetSpecialFolder(7) + "Tarnquill\\");
  ShowPage("Licence");
}

void TFInstall::ShowPage(const std::string& name) { Notebook->SetActivePage(name); }

void TFInstall::FolderAfterDialog(TObject*, std::string& name, bool& action) {
  ::FolderAfterDialog(name, action);
}

void TFInstall::LanguageChange(TObject*) { UseLanguage->SetChecked(Language->GetText().empty()); }

void TFInstall::UseLanguageClick(TObject*) {
  if (!UseLanguage->GetChecked()) return;
  Language->SetItemIndex(-1);
  Language->SetText("");
}

// The language files that came with the program, wherever it was started from.
void TFInstall::ShowLanguage(TObject*) {
  Language->GetItems()->Clear();
  for (const std::string& name : LanguageFiles(*Files, ExtractFilePath(RunningExe)))
    Language->GetItems()->Add(name);
  ShowPage("Language");
}

void TFInstall::Decline(TObject*) {
  if (FRunning) return;
  ::ShowMessage(":(");
  Close();
}

void TFInstall::FormCloseQuery(TObject*, bool& canClose) {
  // The steps run to their end once started: a half-written installation
  // would be worse than either.
  if (FRunning) canClose = false;
}

void TFInstall::Step(int percent, const std::string& action) {
  // Painted here rather than by pumping messages, so no click gets in
  // between two steps.
  Gauge->SetPosition(percent);
  Action->SetCaption(action);
  Gauge->Repaint();
  Notebook->Repaint();
}

void TFInstall::ShowMessage(const std::string& text) { ::ShowMessage(text); }

void TFInstall::Install(TObject*) {
  TInstallChoices choices;
  choices.Folder = Folder->GetText();
  choices.PlaceDesktop = PlaceDesktop->GetChecked();
  choices.StartMenu = StartMenu->GetChecked();
  choices.OpenWith = Openwith->GetChecked();
  choices.WCEdit = WCEdit->GetChecked();
  for (TCheckBox* box : TypeBoxes)
    if (box->GetChecked()) choices.Associate.push_back(box->GetCaption());
  choices.UseLanguage = UseLanguage->GetChecked();
  choices.Language = Language->GetText();
  choices.ScriptFile = TQFile->GetText();
  choices.Settings = FromScript->GetChecked() ? scFromScript : Safe->GetChecked() ? scSafe : scOverwrite;

  TInstallContext context;
  context.RunningExe = RunningExe;
  context.Folders = Folders;
  context.Files = Files;
  context.Links = Links;
  context.Ini = Ini;
  context.Progress = this;
  context.Host = this;
  context.Classes = InstallationTarget();
  context.WriteVersionAndPath = [] { ::WriteVersionAndPath(); };

  ShowPage("Copy");
  Button13->SetEnabled(false);
  FRunning = true;
  bool done = false;
  try {
    done = RunInstall(choices, context);
  } catch (const Exception& e) {
    FRunning = false;
    Button13->SetEnabled(true);
    ShowUnexpectedError("CommonFunction", 4, e.Message());
    ShowPage("Registration");
    return;
  }
  FRunning = false;
  Button13->SetEnabled(true);
  Folder->SetText(choices.Folder);
  if (!done) {
    ShowPage("Registration");
    return;
  }
  FCompleted = true;
  ShowPage("Done");
}

void TFInstall::Finish(TObject*) {
  if (RunTarnquill->GetChecked()) FProgramToStart = Folder->GetText() + "Tarnquill.exe";
  if (VisitTarnquillSite->GetChecked() && !DistributorAddresses().Site.empty())
    ShellOpen(DistributorAddresses().Site, "", "", SW_SHOWNORMAL, "Open");
  SetModalResult(mrOk);
}

TInstallOutcome ShowInstaller() {
  auto* form = new TFInstall(Application);
  form->ShowModal();
  TInstallOutcome outcome{form->Completed(), form->ProgramToStart()};
  delete form;
  return outcome;
}
