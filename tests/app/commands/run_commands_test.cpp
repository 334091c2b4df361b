// The plans of the run, help and expansion keys.
#include <gtest/gtest.h>

#include "../../editor/EditFixture.h"
#include "app/settings/FileTypes.h"
#include "app/commands/RunCommands.h"

namespace {

class RunCommands : public ::testing::Test {
protected:
  RunCommands() {
    ClearFileTypes();
    TFileType bat;
    bat.Name = "Batch";
    bat.Extension1 = "bat";
    bat.Extension2 = "cmd";
    bat.F9 = "\"C:\\Tool s\\run.exe\"";
    bat.AltF9 = "\"\"";  // nothing once the quotes go: the document opens itself
    bat.ShiftF9 = "run.exe";
    bat.CtrlF1 = "\"C:\\Help s\\bat.hlp\"";
    bat.CodeInsight[7] = "begin|end|x";
    bat.CodeInsight[8] = "plain";
    ::FileTypes.push_back(bat);
    TFileType txt;
    txt.Name = "Text";
    txt.Extension1 = "txt";
    ::FileTypes.push_back(txt);
  }
  ~RunCommands() override { ClearFileTypes(); }
};

TEST_F(RunCommands, WhatEachModeStarts) {
  const TRunDocument doc{"C:\\My Docs\\a b.BAT", true};
  const std::string temp = "C:\\Temp\\";
  struct Case {
    TRunKey key;
    int mode;
    bool save, copy;
    const char* file;
    const char* params;
    const char* dir;
  } cases[] = {
      {rkF9, rmSaveAndRun, true, false, "C:\\Tool s\\run.exe", "\"C:\\My Docs\\a b.BAT\"", "C:\\Tool s\\"},
      {rkF9, rmRunCopy, false, true, "C:\\Tool s\\run.exe", "\"C:\\Temp\\a b.BAT\"", "C:\\Tool s\\"},
      {rkF9, rmSaveAndRunLocal, true, false, "C:\\Tool s\\run.exe", "\"C:\\My Docs\\a b.BAT\"", "C:\\My Docs\\"},
      // A command without folder stays a name.
      {rkShiftF9, rmSaveAndRun, true, false, "run.exe", "\"C:\\My Docs\\a b.BAT\"", ""},
      {rkShiftF9, rmSaveAndRunLocal, true, false, "run.exe", "\"C:\\My Docs\\a b.BAT\"", "C:\\My Docs\\"},
      // An empty command opens the document, or the copy, itself.
      {rkAltF9, rmSaveAndRun, true, false, "C:\\My Docs\\a b.BAT", "", "C:\\My Docs\\"},
      {rkAltF9, rmRunCopy, false, true, "C:\\Temp\\a b.BAT", "", "C:\\Temp\\"},
  };
  for (const Case& c : cases) {
    const TRunPlan p = PlanRun(c.key, c.mode, doc, temp);
    SCOPED_TRACE(std::to_string(c.key) + " mode " + std::to_string(c.mode));
    EXPECT_TRUE(p.Run);
    EXPECT_EQ(p.SaveFirst, c.save);
    EXPECT_EQ(p.WriteTempCopy, c.copy);
    EXPECT_EQ(p.TempCopyFile, c.copy ? "C:\\Temp\\a b.BAT" : "");
    EXPECT_EQ(p.File, c.file);
    EXPECT_EQ(p.Parameters, c.params);
    EXPECT_EQ(p.Directory, c.dir);
  }
  // An unmodified document needs no save.
  EXPECT_FALSE(PlanRun(rkF9, rmSaveAndRun, {"C:\\x.bat", false}, temp).SaveFirst);
}

TEST_F(RunCommands, NothingRunsWithoutExtensionRowOrCommand) {
  const std::string temp = "C:\\Temp\\";
  EXPECT_FALSE(PlanRun(rkF9, rmRunCopy, {"", true}, temp).Run);           // never saved: no extension
  EXPECT_FALSE(PlanRun(rkF9, rmRunCopy, {"C:\\README", false}, temp).Run);
  EXPECT_FALSE(PlanRun(rkF9, rmRunCopy, {"C:\\a.xyz", false}, temp).Run);  // no row
  EXPECT_FALSE(PlanRun(rkF9, rmRunCopy, {"C:\\a.txt", false}, temp).Run);  // empty field
  EXPECT_TRUE(PlanRun(rkF9, rmRunCopy, {"C:\\a.CMD", false}, temp).Run);   // second extension, any case
  EXPECT_EQ(TempCopyName("", "bat"), "temp.bat");
  EXPECT_EQ(TempCopyName("C:\\x\\a.bat", "bat"), "a.bat");
  EXPECT_EQ(DocumentExtension("C:\\x.y\\a.tar.gz"), "gz");
  EXPECT_EQ(DocumentExtension("C:\\x.y\\a"), "");
}

TEST_F(RunCommands, HelpFileAndTopicMacro) {
  THelpPlan p = PlanHelp(hkCtrlF1, "C:\\a.bat");
  EXPECT_TRUE(p.HasRow);
  EXPECT_TRUE(p.Jump);
  EXPECT_EQ(p.HelpFile, "C:\\Help s\\bat.hlp");
  // An empty field asks the help system nothing but still clears the file.
  p = PlanHelp(hkAltF1, "C:\\a.bat");
  EXPECT_TRUE(p.HasRow);
  EXPECT_FALSE(p.Jump);
  EXPECT_EQ(p.HelpFile, "");
  EXPECT_FALSE(PlanHelp(hkCtrlF1, "C:\\a.xyz").HasRow);
  EXPECT_FALSE(PlanHelp(hkCtrlF1, "").HasRow);
  EXPECT_EQ(HelpJumpMacro("WriteLn"), "JumpID(\"\",\"WriteLn\")");
  EXPECT_EQ(HelpJumpMacro("a\"b"), "JumpID(\"\",\"ab\")");
}

TEST_F(RunCommands, ExpansionTurnsTheFirstBarIntoALineBreak) {
  std::string text;
  ASSERT_TRUE(ExpansionFor(8, "C:\\a.bat", text));  // Alt+H
  EXPECT_EQ(text, "begin\rend|x");
  ASSERT_TRUE(ExpansionFor(9, "C:\\a.bat", text));  // Alt+I
  EXPECT_EQ(text, "plain");
  EXPECT_FALSE(ExpansionFor(1, "C:\\a.bat", text)) << "an empty entry is no expansion";
  EXPECT_FALSE(ExpansionFor(8, "C:\\a.xyz", text));
  EXPECT_FALSE(ExpansionFor(27, "C:\\a.bat", text));
  EXPECT_EQ(ExpandBar("||"), "\r|");
}

}  // namespace

namespace {

using ExpansionInEditor = EditFixture;

// The carriage return the expansion carries is a line break in the editor,
// and the insertion is one undo step.
TEST_F(ExpansionInEditor, InsertsALineBreakAndUndoesInOneStep) {
  SetLines({"x  y"});
  Edit->SetMaxUndo(100);
  Edit->SetCaretXY(TPoint(3, 1));
  Edit->SetSelText(ExpandBar("begin|end|z"));
  EXPECT_EQ(Lines(), (V{"x begin", "end|z y"}));
  Edit->Undo();
  EXPECT_EQ(Lines(), V{"x  y"});
  EXPECT_FALSE(Edit->CanUndo());
}

}  // namespace
