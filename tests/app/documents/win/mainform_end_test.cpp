// What TMainForm in this process keeps at the program's end: a File Types
// edit made in the options dialog, the save questions and the end's saves at
// a log-off, and the status bar's line-end toggle.
#include <gtest/gtest.h>

#include "../../win/MainFormFixture.h"
#include "app/win/ProgramEnd.h"
#include "platform/Registry.h"

namespace {

using MainFormEnd = MainFormCase;

std::string StoredSetup(const std::string& key, const std::string& name) {
  TRegistry reg;
  return reg.OpenKeyReadOnly(key + "\\Setup") ? reg.ReadString(name) : std::string("(no key)");
}

TEST_F(MainFormEnd, AFileTypeEditInTheOptionsDialogIsStoredAtTheProgramsEnd) {
  Open();
  SetFileTypesLoaded(true);
  Options->Show();
  ASSERT_TRUE(PumpUntil([&] { return Options->TypeName->GetText() == "ADSP"; }));
  ::SendMessageA(Options->TypeExtension2->GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("dsx"));
  Options->Close();
  delete Form;
  Form = nullptr;
  SaveFileTypesAtEnd();
  SetFileTypesLoaded(false);
  ClearFileTypes();
  LoadFileTypes();
  const int row = FindFileTypeByName("ADSP");
  ASSERT_GE(row, 0);
  EXPECT_EQ(::FileTypes[size_t(row)].Extension2.Str(), "dsx");
  EXPECT_EQ(::FileTypes.size(), 16u);
}

// A log-off asks the close questions (Cancel refuses it); once the session
// ends, the saves of the program's end are made while the window still
// exists: the options dialog's stored values and the file-type table.
TEST_F(MainFormEnd, ALogOffAsksTheSaveQuestionsAndMakesTheEndsSaves) {
  Open();
  SetFileTypesLoaded(true);
  Docs().FileNew();
  PostText(EditorWnd(), "n");
  Answers = {mrCancel};
  EXPECT_EQ(::SendMessageA(Form->GetHandle(), WM_QUERYENDSESSION, 0, 0), FALSE);
  EXPECT_EQ(Questions, std::vector<std::string>{"Do you want to save this file?"});
  EXPECT_EQ(Form->GetPageCount(), 1);
  Answers = {mrNo};
  EXPECT_NE(::SendMessageA(Form->GetHandle(), WM_QUERYENDSESSION, 0, 0), FALSE);
  EXPECT_EQ(Questions.size(), 2u);

  Options->EOL->SetChecked(true);
  SetFileType("Probe", "Probe Files", "prb", "", "", "", "", EmptyCodeInsight);
  ::SendMessageA(Form->GetHandle(), WM_ENDSESSION, TRUE, 0);
  SetFileTypesLoaded(false);
  EXPECT_EQ(StoredSetup(Key, "EOL_Checked"), "True");
  TRegistry reg;
  EXPECT_TRUE(reg.KeyExists(Key + "\\FileTypes\\Probe"));
}

// Double clicks at x 371-395 of the status bar toggle the options dialog's
// "Unix style strings" box and store it at once; the dialog's storage, when
// it goes, writes the same.
TEST_F(MainFormEnd, TheStatusBarsLineEndToggleOutlivesTheOptionsDialog) {
  Open();
  Docs().OpenInNewTab(Write("a.txt", "a\r\n"), false);
  ASSERT_FALSE(Options->EOL->GetChecked());
  HWND status = Form->GetStatus()->GetHandle();
  const LPARAM at = MAKELPARAM(380, 5);
  ::SendMessageA(status, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(status, WM_LBUTTONUP, 0, at);
  ::SendMessageA(status, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  ::SendMessageA(status, WM_LBUTTONUP, 0, at);
  ASSERT_TRUE(PumpUntil([&] { return Docs().Options.Eol; }));
  EXPECT_TRUE(Options->EOL->GetChecked());
  EXPECT_EQ(StoredSetup(Key, "EOL_Checked"), "True");
  delete Form;
  Form = nullptr;
  delete Options;
  Options = nullptr;
  EXPECT_EQ(StoredSetup(Key, "EOL_Checked"), "True") << "written back stale when the dialog went";
}

}  // namespace
