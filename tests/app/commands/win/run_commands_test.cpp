// The run and help keys carried out for real: the configured program starts
// (never a same-named one in the current or the document's folder), gets the
// document or its copy as one argument and runs in the mode's folder; a
// save comes first where the mode says; an empty command opens the document
// through its association; a refused start says so. Help reaches a stand-in
// for the help viewer's window with the file and the jump macro.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "app/settings/FileTypes.h"
#include "app/commands/win/RunShell.h"
#include "platform/Classes.h"
#include "platform/win/WinTestSupport.h"
#include "RunFixtures.h"

TQ_TEST_APPLICATION();

namespace {

class RunKeys : public ::testing::Test, protected TRunFolders {
protected:
  RunKeys() : TRunFolders("tq run") {}
  void SetUp() override {
    Temp = Base + "tem p\\";
    ::CreateDirectoryA(Temp.c_str(), nullptr);
    ASSERT_TRUE(AddRecorder("rec.exe"));
    Doc = DocDir + "my doc.bat";
    WriteText(Doc, "REM on disk\r\n");

    ClearFileTypes();
    TFileType bat;
    bat.Name = "Batch";
    bat.Extension1 = "bat";
    bat.F9 = "\"" + Tools + "rec.exe\"";
    bat.AltF9 = "\"\"";
    bat.ShiftF9 = "\"" + Base + "missing\\nothing.exe\"";
    ::FileTypes.push_back(bat);
    Unsaved.Add("REM unsaved text");
  }
  void TearDown() override { ClearFileTypes(); }

  TRunActions Actions() {
    TRunActions a;
    a.Save = [this] {
      ++Saves;
      if (!SaveWorks) return false;
      WriteText(Doc, "REM saved\r\n");
      return true;
    };
    a.Lines = &Unsaved;
    a.ShowMessage = [this](const std::string& m) { Messages += m; };
    return a;
  }

  std::string Temp, Doc, Messages;
  TStringList Unsaved;
  int Saves = 0;
  bool SaveWorks = true;
};

TEST_F(RunKeys, TheConfiguredProgramGetsTheDocumentInEveryMode) {
  struct Case {
    int Mode;
    bool Modified;
    std::string Arg, Dir, First;
    int Saves;
  } cases[] = {
      {rmSaveAndRun, true, Doc, Tools, "REM saved", 1},
      {rmRunCopy, true, Temp + "my doc.bat", Tools, "REM unsaved text", 0},
      {rmSaveAndRunLocal, false, Doc, DocDir, "REM on disk", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(c.Mode));
    ::DeleteFileA(RecordFile.c_str());
    WriteText(Doc, "REM on disk\r\n");
    Saves = 0;
    const TRunPlan plan = PlanRun(rkF9, c.Mode, {Doc, c.Modified}, Temp);
    ASSERT_TRUE(CarryOutRun(nullptr, plan, Actions())) << Messages;
    ASSERT_TRUE(WaitForFile(RecordFile));
    auto r = Record(RecordFile);
    EXPECT_EQ(r["who"], "configured");
    EXPECT_EQ(r["argc"], "2") << r["cmdline"];
    EXPECT_EQ(r["argv1"], c.Arg);
    EXPECT_STRCASEEQ(r["cwd"].c_str(), NoSlash(c.Dir).c_str());
    EXPECT_STRCASEEQ(r["self"].c_str(), (Tools + "rec.exe").c_str());
    EXPECT_EQ(r["first"].substr(0, c.First.size()), c.First);
    EXPECT_EQ(Saves, c.Saves);
  }
}

TEST_F(RunKeys, AFailedSaveRunsNothingAndARefusedStartSaysSo) {
  SaveWorks = false;
  EXPECT_FALSE(CarryOutRun(nullptr, PlanRun(rkF9, rmSaveAndRun, {Doc, true}, Temp), Actions()));
  EXPECT_EQ(Saves, 1);
  EXPECT_FALSE(CarryOutRun(nullptr, PlanRun(rkShiftF9, rmSaveAndRun, {Doc, false}, Temp), Actions()));
  EXPECT_NE(Messages.find("nothing.exe"), std::string::npos) << Messages;
  PumpFor(500);
  EXPECT_FALSE(Exists(RecordFile)) << "nothing ran";
}

TEST_F(RunKeys, AnEmptyCommandOpensTheBatchDocumentThroughItsAssociation) {
  const std::string marker = Base + "marker.txt";
  WriteText(Doc, "@echo opened> \"" + marker + "\"\r\n");
  ASSERT_TRUE(CarryOutRun(nullptr, PlanRun(rkAltF9, rmSaveAndRun, {Doc, false}, Temp), Actions())) << Messages;
  ASSERT_TRUE(WaitForFile(marker));
  // The file appears before cmd has written into it.
  PumpUntil([&] { return ReadText(marker).find("opened") != std::string::npos; }, 10000);
  EXPECT_NE(ReadText(marker).find("opened"), std::string::npos);
}

TEST(HelpKeys, TheJumpNamesTheFileAndTheTopic) {
  THelpStandIn help;  // up in every help test: without it WinHelp starts the real viewer
  ASSERT_TRUE(help.Wnd);
  ClearFileTypes();
  TFileType pas;
  pas.Extension1 = "pas";
  pas.CtrlF1 = "\"C:\\Help s\\delphi.hlp\"";
  ::FileTypes.push_back(pas);

  const THelpPlan plan = PlanHelp(hkCtrlF1, "C:\\src\\a.pas");
  ASSERT_TRUE(plan.Jump);
  EXPECT_TRUE(HelpJump(nullptr, plan.HelpFile, "WriteLn"));
  EXPECT_EQ(THelpStandIn::Tag, 0xA1DE505u);
  EXPECT_STRCASEEQ(help.Field(0).c_str(), "C:\\Help s\\delphi.hlp");
  EXPECT_EQ(help.Field(1), "JumpID(\"\",\"WriteLn\")");

  // An empty field asks nothing.
  THelpStandIn::Data.clear();
  EXPECT_FALSE(HelpJump(nullptr, PlanHelp(hkAltF1, "C:\\src\\a.pas").HelpFile, "WriteLn"));
  EXPECT_TRUE(THelpStandIn::Data.empty());
  ClearFileTypes();
}

}  // namespace
