// TMainForm in this process on a key of the test's own, every question and
// message box answered from a script and recorded.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "../AppRegistryKey.h"
#include "app/FileTypes.h"
#include "app/win/MainForm.h"
#include "platform/Streams.h"
#include "platform/SysUtils.h"
#include "platform/win/WinTestSupport.h"

class MainFormCase : public TAppKeyCase {
protected:
  MainFormCase() {
    SetDefaultFileTypes();
    Dir = ::testing::TempDir() + "tq-main-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDir(Dir);
    Dir += PathDelim;
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
    Application->ProcessMessages();
    Application->SetMessageDlgFunc(nullptr);
    Application->SetMessageBoxFunc(nullptr);
    for (const std::string& f : Files) FileDelete(f);
    RemoveDir(ExcludeTrailingPathDelimiter(Dir));
    ClearFileTypes();
  }

  // Shows the window and waits for its first activation.
  void Open(const std::vector<std::string>& args = {}) {
    SetMainCommandLine(args, ExcludeTrailingPathDelimiter(Dir));
    Form = new TMainForm(Application);
    Form->Show();
    ::SetForegroundWindow(Form->GetHandle());
    ASSERT_TRUE(PumpUntil([&] { return Form->FirstActivationDone(); }));
  }
  std::string Write(const std::string& name, const std::string& data) {
    const std::string path = Dir + name;
    TFileStream out(path, fmCreate);
    out.WriteBuffer(data.data(), int64_t(data.size()));
    Files.push_back(path);
    return path;
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
  std::string Dir;
  std::vector<std::string> Files;
  std::deque<int> Answers;
  std::vector<std::string> Questions, Messages;
};
