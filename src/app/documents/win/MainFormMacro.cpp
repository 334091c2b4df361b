// TMainForm's keyboard macro commands: recording, saving under a checked
// name, the Macro menu of the current folder's macro files, playing one and
// deleting them all.
#include "app/macros/MacroFiles.h"
#include "app/macros/Recorder.h"
#include "app/documents/win/MainForm.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"
#include "platform/win/Dialogs.h"

namespace {

constexpr int kPlaceMacroNew = 2301, kPlaceMacroStop = 2302, kPlaceMacroClear = 2303, kPlaceMacroPlay = 2304;
constexpr int kMacroStatusPanel = 3;
// New, Stop, Clear All and the line come before the files.
constexpr int kFixedMacroItems = 4;

}  // namespace

void TMainForm::MakeMacroMenus() {
  Macro = static_cast<TMenuItem*>(FindComponent("Macro"));
  FindAction("aMacroStop")->SetEnabled(false);
  for (const char* action : {"aMacroNew", "aMacroStop", "aMacroClear"})
    AddItem(MacroMenu->GetItems(), "", action);
}

void TMainForm::aMacroNewExecute() {
  RunGuarded(kPlaceMacroNew, [&] {
    FindAction("aMacroNew")->SetEnabled(false);
    FindAction("aMacroStop")->SetEnabled(true);
    SetStatusText(kMacroStatusPanel, "Recording");
    if (MacroRecorder) MacroRecorder->Record();
    SetActionEnabled("aMacroClear", BuildMacroMenu() > 0);
  });
}

void TMainForm::aMacroStopExecute() {
  RunGuarded(kPlaceMacroStop, [&] {
    FindAction("aMacroNew")->SetEnabled(true);
    FindAction("aMacroStop")->SetEnabled(false);
    if (MacroRecorder) MacroRecorder->Stop();
    SetStatusText(kMacroStatusPanel, "");
    // A name that would leave the folder, name a stream or a device is
    // refused and asked again; a cancelled box gives the default.
    std::string name = "Macro1";
    for (std::string typed = name;;) {
      if (!InputQuery("Macro", "Enter Name of Macro", typed)) {
        name = "Macro1";
        break;
      }
      name = Trim(typed);
      const std::string problem = MacroNameProblem(name);
      if (problem.empty()) break;
      ::ShowMessage(problem);
    }
    if (MacroRecorder) MacroRecorder->SaveToFile(name + kMacroExtension);
    SetActionEnabled("aMacroClear", BuildMacroMenu() > 0);
  });
}

void TMainForm::aMacroClearExecute() {
  RunGuarded(kPlaceMacroClear, [&] {
    if (MessageDlg("Are You Sure You Want to Delete all Macroes Permanentely?", mtWarning,
                   TMsgDlgButtons{mbYes, mbNo}) == mrYes) {
      DeleteMacroFiles();
      ClearMacroMenu();
    }
  });
  RunGuarded(kPlaceMacroClear, [&] { SetActionEnabled("aMacroClear", BuildMacroMenu() > 0); });
}

void TMainForm::ClearMacroMenu() {
  while (Macro->GetCount() > kFixedMacroItems) delete Macro->GetItem(Macro->GetCount() - 1);
  FMacroFileCount = 0;
}

int TMainForm::BuildMacroMenu() {
  ClearMacroMenu();
  const std::vector<TMacroMenuItem> items = ListMacroFiles();
  for (const TMacroMenuItem& file : items) {
    auto* item = new TMenuItem(this);
    item->SetCaption(file.Caption);
    // The file's own name, not one made again from the caption.
    const std::string fileName = file.FileName;
    item->OnClick = [this, fileName](TObject*) { MacroItemClick(fileName); };
    Macro->Add(item);
  }
  FMacroFileCount = int(items.size());
  return FMacroFileCount;
}

void TMainForm::MacroItemClick(const std::string& fileName) {
  RunGuarded(kPlaceMacroPlay, [&] {
    if (!MacroRecorder) return;
    MacroRecorder->LoadFromFile(fileName);
    MacroRecorder->Play();
  });
}

bool TMainForm::HasMacroFiles() { return FMacroFileCount > 0; }
