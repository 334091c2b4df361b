// TMainForm.
#include "app/win/MainForm.h"

#include "app/EditorOptions.h"
#include "app/LanguageFile.h"
#include "app/win/DataWin.h"
#include "app/win/Setup.h"
#include "highlighters/PasSyn.h"
#include "kit/win/Placemnt.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
  SetName("MainForm");
  SetCaption("Tarnquill");
  SetPosition(poDefaultPosOnly);
  SetBounds(0, 0, 800, 600);

  FEditor = new TktEditWindow(this);
  FEditor->SetName("Editor");
  FEditor->SetAlign(alClient);
  FEditor->SetParent(this);
  SetActiveControl(FEditor);
}

void TMainForm::OpenFile(const std::string& fileName) {
  TktCustomEdit* edit = FEditor->GetEdit();
  edit->FileName = fileName;
  edit->LoadFromFile();
}

void TMainForm::UseSharedSettings(TData* data, TSetup* setup) {
  FSetup = setup;
  data->MainWindow = this;
  FEditor->GetEdit()->SetHighLighter(data->Pascal);
  UseDataHandlers(FEditor, data);
  ApplyEditorOptions();
}

void TMainForm::ApplyEditorOptions() {
  if (FSetup) ::ApplyEditorOptions(*FEditor->GetEdit(), FSetup->EditorOptions(), *FSetup->GetTest()->GetEdit());
}

void TMainForm::LoadLanguageFile(const std::string& fileName) {
  // What a form storage keeps is the user's own setting, not a text.
  auto stored = [](TComponent* form, TComponent* component, const std::string& property) {
    auto* storage = dynamic_cast<TFormStorage*>(form->FindComponent("FormStorage"));
    if (!storage) return false;
    TStrings* props = storage->GetStoredProps();
    for (int i = 0; i < props->GetCount(); ++i)
      if (SameText(props->Get(i), component->GetName() + "." + property)) return true;
    return false;
  };
  ApplyLanguageFile(Application, fileName, stored);
}
