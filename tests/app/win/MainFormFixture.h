// TMainForm in this process on a key of the test's own, every question and
// message box answered from a script and recorded.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "../documents/FilesCase.h"
#include "app/settings/Styles.h"
#include "app/win/DataWin.h"
#include "app/documents/win/MainForm.h"
#include "app/settings/win/Setup.h"
#include "kit/win/Placemnt.h"
#include "platform/win/WinTestSupport.h"

class MainFormCase : public TFilesCase {
protected:
  MainFormCase() : TFilesCase("tq-main-") {
    Application->SetMessageDlgFunc([this](const std::string& text, TMsgDlgType, TMsgDlgButtons) {
      Questions.push_back(text);
      if (Answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text;
        return mrCancel;
      }
      const int a = Answers.front();
      Answers.pop_front();
      return a;
    });
    Application->SetMessageBoxFunc([this](const std::string& text, const std::string&, unsigned) {
      Messages.push_back(text);
      return IDOK;
    });
  }
  ~MainFormCase() override {
    delete Form;
    delete Options;
    delete Shared;
    Application->ProcessMessages();
    Application->SetMessageDlgFunc(nullptr);
    Application->SetMessageBoxFunc(nullptr);
  }

  // Shows the window and waits for its first activation. Like the program,
  // the window takes the data module's highlighters (in their default
  // colours) and the options dialog's settings, both made once per case.
  void Open(const std::vector<std::string>& args = {}) {
    SetMainCommandLine(args, ExcludeTrailingPathDelimiter(Dir));
    Form = new TMainForm(Application);
    // The window's place goes to the case's own key, not the test program's.
    Form->GetFormStorage()->SetIniFileName(Key.substr(1));
    if (!Shared) {
      Shared = CreateData(Application);
      SetDefaultHighlighterColors(*Shared);
      Options = new TSetup(Application, Shared);
      Options->RestoreSettings();
    }
    Form->UseSharedSettings(Shared, Options);
    Form->Show();
    ::SetForegroundWindow(Form->GetHandle());
    ASSERT_TRUE(PumpUntil([&] { return Form->FirstActivationDone(); }));
  }
  TMainDocuments& Docs() { return Form->Documents(); }
  std::vector<std::string> Captions() const {
    std::vector<std::string> c;
    for (int i = 0; i < Form->GetPageCount(); ++i) c.push_back(Form->GetPageCaption(i));
    return c;
  }
  HWND EditorWnd() const {
    return Form->EditWindow(Form->GetPageTag(Form->GetActivePageIndex()))->GetHandle();
  }

  TMainForm* Form = nullptr;
  TData* Shared = nullptr;
  TSetup* Options = nullptr;
  std::deque<int> Answers;
  std::vector<std::string> Questions, Messages;
};
