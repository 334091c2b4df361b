// The main window with the data module and the options dialog, as the
// program makes them, for the export, preview and print commands; the save
// dialog answered with Target.
#pragma once

#include "../../win/MainFormFixture.h"

#include "app/win/DataWin.h"
#include "app/output/win/PreviewBrowser.h"
#include "app/settings/win/Setup.h"
#include "platform/win/Dialogs.h"

class OutputCommandsCase : public MainFormCase {
protected:
  OutputCommandsCase() {
    FOldDialog = SetFileDialogFunc([this](TOpenDialog& d) {
      ++DialogRuns;
      if (Target.empty()) return false;
      d.SetFileName(Target);
      return true;
    });
  }
  ~OutputCommandsCase() override {
    // The window before the data module whose highlighters it uses.
    delete Form;
    Form = nullptr;
    delete Setup;
    delete DataModule;
    SetFileDialogFunc(FOldDialog);
    SetPreviewBrowserFactory(nullptr);
  }
  void OpenWithData() {
    SetMainCommandLine({}, ExcludeTrailingPathDelimiter(Dir));
    Form = new TMainForm(Application);
    DataModule = CreateData(Application);
    Setup = new TSetup(Application, DataModule);
    Form->UseSharedSettings(DataModule, Setup);
    Form->Show();
    ::SetForegroundWindow(Form->GetHandle());
    ASSERT_TRUE(PumpUntil([&] { return Form->FirstActivationDone(); }));
  }
  TktCustomEdit* OpenDoc(const std::string& name, const std::string& text) {
    const std::string path = Write(name, text);
    EXPECT_TRUE(Docs().OpenInNewTab(path, true));
    // Opening ends with the status, not the actions, which follow the next
    // caret move: bring them up to date as that would.
    Docs().UpdateActions();
    return Docs().CurrentEditor();
  }
  std::string Read(const std::string& path) {
    if (!FileExists(path)) return "<none>";
    TFileStream in(path, fmOpenRead);
    return in.ReadRemaining();
  }
  int Number() const { return Form->GetPageTag(Form->GetActivePageIndex()); }
  bool Named(const std::string& name) const { return Form->FindComponent(name) != nullptr; }

  TData* DataModule = nullptr;
  TSetup* Setup = nullptr;
  std::string Target;
  int DialogRuns = 0;

private:
  TFileDialogFunc FOldDialog;
};

