// Undo and redo in the control: an undo, redo, undo round trip for every
// record kind in the three selection modes, the pairs that go as one step,
// the size limit, the redo list ending at a new edit, replays that run no
// hook and no auto-indent, and random command sequences undone to the
// original text.
#include <functional>
#include <random>

#include "CommandFixture.h"
#include "editor/KeyCodes.h"

namespace {

struct TUndoCase {
  std::string Name;
  TSelectionMode Mode;
  V Before;
  std::function<void(CommandFixture&)> Action;
  V After;
  std::vector<TktChangeReason> Records;  // oldest first
  int Steps = 1;                         // undo steps to the text before
};
void PrintTo(const TUndoCase& c, std::ostream* os) { *os << c.Name; }

class UndoCases : public CommandFixture, public ::testing::WithParamInterface<TUndoCase> {
public:
  using CommandFixture::Caret;
  using CommandFixture::Cmd;
  using CommandFixture::Type;
  void SelectIn(TPoint anchor, TPoint end) { Select(anchor, end, GetParam().Mode); }
  TTestEdit& E() { return *Edit; }
  TktRecordingEditHost& H() { return Host; }
};

// The fixture's helpers, reachable from the table's actions.
UndoCases& U(CommandFixture& f) { return static_cast<UndoCases&>(f); }

TEST_P(UndoCases, UndoRedoUndoGiveTheTextsBeforeAndAfterExactly) {
  const TUndoCase& c = GetParam();
  SetLines(c.Before);
  Edit->SetSelectionMode(c.Mode);
  c.Action(*this);
  EXPECT_EQ(Lines(), c.After) << "after the command";
  EXPECT_EQ(Kinds(), c.Records);
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < c.Steps; ++i) Edit->Undo();
    EXPECT_EQ(Lines(), c.Before) << "undo " << round;
    EXPECT_FALSE(Edit->CanUndo());
    EXPECT_EQ(Edit->GetSelectionMode(), c.Mode);
    if (round == 1) break;
    for (int i = 0; i < c.Steps; ++i) Edit->Redo();
    EXPECT_EQ(Lines(), c.After) << "redo";
    EXPECT_FALSE(Edit->CanRedo());
  }
}

// Texts the cases work on: a short and a long line for blocks that pad.
const V kText = {"alpha beta", "gamma", "delta epsilon", "zeta"};

std::vector<TUndoCase> Cases() {
  std::vector<TUndoCase> cases;
  const TSelectionMode modes[] = {smNormal, smColumn, smLine};
  const char* names[] = {"Normal", "Column", "Line"};
  for (int m = 0; m < 3; ++m) {
    const TSelectionMode mode = modes[m];
    auto name = [&](const char* what) { return std::string(what) + names[m]; };
    // Selections the kinds take: lines 1..3, columns 3..7 (past "gamma"'s end).
    const TPoint a(3, 1), b(7, 3);
    V typed, cut, pasted;
    switch (mode) {
      case smNormal:
        typed = {"alXepsilon", "zeta"};
        cut = {"alepsilon", "zeta"};
        break;
      case smColumn:
        typed = {"alXbeta", "ga", "deepsilon", "zeta"};
        cut = {"albeta", "ga", "deepsilon", "zeta"};
        break;
      case smLine:
        typed = {"Xzeta"};
        cut = {"zeta"};
        break;
    }
    cases.push_back({name("TypedOverSelection"), mode, kText,
                     [=](CommandFixture& f) {
                       U(f).SelectIn(a, b);
                       U(f).Type("X");
                     },
                     typed, {ktcrSelDelete, ktcrInsert}});
    cases.push_back({name("Insert"), mode, kText,
                     [](CommandFixture& f) {
                       U(f).Caret(9, 2);
                       U(f).Type("Q");
                     },
                     {"alpha beta", "gamma   Q", "delta epsilon", "zeta"}, {ktcrInsert}});
    cases.push_back({name("BackspaceOverSelection"), mode, kText,
                     [=](CommandFixture& f) {
                       U(f).SelectIn(a, b);
                       U(f).Cmd(ecDeleteLastChar);
                     },
                     cut, {ktcrDelete}});
    cases.push_back({name("DeleteOverSelection"), mode, kText,
                     [=](CommandFixture& f) {
                       U(f).SelectIn(a, b);
                       U(f).Cmd(ecDeleteChar);
                     },
                     cut, {ktcrDeleteAfterCaret}});
    cases.push_back({name("Cut"), mode, kText,
                     [=](CommandFixture& f) {
                       U(f).SelectIn(a, b);
                       U(f).Cmd(ecCut);
                     },
                     cut, {ktcrDelete}});
    cases.push_back({name("SelText"), mode, kText,
                     [=](CommandFixture& f) {
                       U(f).SelectIn(a, b);
                       U(f).E().SetSelText("X");
                     },
                     typed, {ktcrSelDelete, ktcrInsert}});
    cases.push_back({name("LineBreak"), mode, kText,
                     [](CommandFixture& f) {
                       U(f).Caret(4, 3);
                       U(f).Cmd(ecLineBreak);
                     },
                     {"alpha beta", "gamma", "del", "ta epsilon", "zeta"}, {ktcrLineBreak}});
    cases.push_back({name("Indent"), mode, {"a", "", "  c"},
                     [](CommandFixture& f) {
                       U(f).E().SetTabWidth(2);
                       U(f).SelectIn(TPoint(1, 1), TPoint(2, 3));
                       U(f).Cmd(ecBlockIndent);
                     },
                     {"  a", "  ", "    c"}, {ktcrIndent}});
    cases.push_back({name("Unindent"), mode, {"   a", " ", "c", "  d"},
                     [](CommandFixture& f) {
                       U(f).E().SetTabWidth(2);
                       U(f).SelectIn(TPoint(4, 1), TPoint(2, 4));
                       U(f).Cmd(ecBlockUnindent);
                     },
                     {" a", "", "c", "d"}, {ktcrUnindent}});
    // The clipboard's block in this case's mode, pasted at line 2, column 4,
    // or over (4, 2)..(6, 3).
    const char modeByte = char(mode);
    V pastedAt, pastedOver;
    switch (mode) {
      case smNormal:
        pastedAt = {"alpha beta", "gamP", "Qma", "delta epsilon", "zeta"};
        pastedOver = {"alpha beta", "gamP", "Q epsilon", "zeta"};
        break;
      case smColumn:
        pastedAt = {"alpha beta", "gamPma", "delQta epsilon", "zeta"};
        pastedOver = {"alpha beta", "gamP", "delQ epsilon", "zeta"};
        break;
      case smLine:
        pastedAt = {"alpha beta", "P", "Q", "gamma", "delta epsilon", "zeta"};
        pastedOver = {"alpha beta", "P", "Q", "zeta"};
        break;
    }
    cases.push_back({name("Paste"), mode, kText,
                     [=](CommandFixture& f) {
                       U(f).H().Clipboard[kcfBlock] = std::string(1, modeByte) + "P\r\nQ";
                       U(f).H().Clipboard[kcfText] = "P\r\nQ";
                       U(f).Caret(4, 2);
                       U(f).Cmd(ecPaste);
                     },
                     pastedAt, {ktcrPaste}});
    cases.push_back({name("PasteOverSelection"), mode, kText,
                     [=](CommandFixture& f) {
                       U(f).H().Clipboard[kcfBlock] = std::string(1, modeByte) + "P\r\nQ";
                       U(f).SelectIn(TPoint(4, 2), TPoint(6, 3));
                       U(f).Cmd(ecPaste);
                     },
                     pastedOver, {ktcrSelDelete, ktcrPaste}});
    V moved;
    switch (mode) {
      case smNormal:
        moved = {"alpha beta", "gamma", "zeta"};
        break;
      case smColumn:
        moved = {"alpha beta", "gamma", "dta epsilon", "zeelta"};
        break;
      case smLine:
        moved = {"gamma", "delta epsilon", "alpha beta", "zeta"};
        break;
    }
    cases.push_back({name("DragMove"), mode, kText,
                     [=](CommandFixture& f) {
                       switch (mode) {
                         case smNormal:
                           U(f).SelectIn(TPoint(1, 3), TPoint(14, 3));
                           U(f).E().DropSelection(TPoint(6, 2), false);
                           break;
                         case smColumn:
                           U(f).SelectIn(TPoint(2, 3), TPoint(4, 3));
                           U(f).E().DropSelection(TPoint(3, 4), false);
                           break;
                         case smLine:
                           U(f).SelectIn(TPoint(1, 1), TPoint(2, 1));
                           U(f).E().DropSelection(TPoint(1, 4), false);
                           break;
                       }
                     },
                     mode == smNormal ? V{"alpha beta", "gammadelta epsilon", "", "zeta"} : moved,
                     {ktcrDragDropDelete, ktcrDragDropInsert}});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Kinds, UndoCases, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<TUndoCase>& info) {
                           return info.param.Name;
                         });

// --- single behaviours -------------------------------------------------------------------

TEST_F(CommandFixture, ALineBlockThatWasTheWholeTextComesBackWithoutAnExtraLine) {
  SetLines({"one", "two"});
  Select(TPoint(1, 1), TPoint(2, 2), smLine);
  Cmd(ecCut);
  EXPECT_EQ(Lines(), V{""});
  Edit->Undo();
  EXPECT_EQ(Lines(), (V{"one", "two"}));
  Edit->Redo();
  EXPECT_EQ(Lines(), V{""});
  Edit->Undo();
  EXPECT_EQ(Lines(), (V{"one", "two"}));
}

TEST_F(CommandFixture, TheEleventhChangeDropsTheFirstOfTen) {
  SetLines({""});
  Edit->SetMaxUndo(10);
  Type("abcdefghijk");
  UndoAll();
  EXPECT_EQ(Lines(), V{"a"});
}

TEST_F(CommandFixture, AZeroMaxUndoRecordsNothingButTheDocumentIsModified) {
  SetLines({"abc"});
  Type("x");
  Edit->SetMaxUndo(0);
  Edit->SetModified(false);
  int changes = 0;
  Edit->OnChange = [&](TObject*) { ++changes; };
  Type("y");
  Cmd(ecLineBreak);
  Cmd(ecDeleteLastChar);
  EXPECT_TRUE(Edit->GetModified());
  EXPECT_EQ(changes, 3);
  EXPECT_FALSE(Edit->CanUndo());  // nor the "x" from before: it would replay on changed text
  Edit->Undo();
  Edit->Redo();
  EXPECT_EQ(Lines(), V{"xyabc"});
}

TEST_F(CommandFixture, ANewEditEndsTheRedoList) {
  SetLines({"abc"});
  Type("x");
  Edit->Undo();
  ASSERT_TRUE(Edit->CanRedo());
  Cmd(ecRight);  // moving changes nothing
  EXPECT_TRUE(Edit->CanRedo());
  Type("y");
  EXPECT_FALSE(Edit->CanRedo());
  Edit->Undo();
  ASSERT_TRUE(Edit->CanRedo());
  // A change the application makes to the lines directly ends it too.
  Edit->GetLines()->Put(0, "changed");
  EXPECT_FALSE(Edit->CanRedo());
  Edit->Redo();
  EXPECT_EQ(Lines(), V{"changed"});
}

TEST_F(CommandFixture, UndoingNothingChangesAndFiresNothing) {
  SetLines({"abc"});
  int changes = 0;
  Edit->OnChange = [&](TObject*) { ++changes; };
  Edit->Undo();
  Edit->Redo();
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(Statuses.empty());
  EXPECT_FALSE(Edit->GetModified());
}

TEST_F(CommandFixture, AnUndoMarksTheDocumentModified) {
  SetLines({"abc"});
  Type("x");
  Edit->SetModified(false);
  Edit->Undo();
  EXPECT_TRUE(Edit->GetModified());
}

TEST_F(CommandFixture, ReplaysRunNoCommandHookAndNoAutoIndent) {
  SetLines({"    abc"});
  Caret(6, 1);
  Cmd(ecLineBreak);
  ASSERT_EQ(Lines(), (V{"    a", "    bc"}));
  int hooked = 0;
  Edit->OnProcessCommand = [&](TObject*, TktEditorCommand&, char&, void*) { ++hooked; };
  Edit->SetOptions(Edit->GetOptions().Exclude(kteoAutoIndent));
  Edit->Undo();
  Edit->Redo();
  EXPECT_EQ(Lines(), (V{"    a", "    bc"}));
  Edit->Undo();
  EXPECT_EQ(Lines(), V{"    abc"});
  EXPECT_EQ(hooked, 0);
}

TEST_F(CommandFixture, UndoingALineBreakMovesTheMarksBelowUp) {
  SetLines({"abc", "def"});
  Edit->SetBookMark(4, 1, 2);
  Caret(2, 1);
  Cmd(ecLineBreak);
  EXPECT_EQ(Edit->GetBookMarkSlot(4)->GetLine(), 3);
  Edit->Undo();
  EXPECT_EQ(Edit->GetBookMarkSlot(4)->GetLine(), 2);
}

TEST_F(CommandFixture, ADragMoveUndoesAndRedoesInOneStep) {
  SetLines({"abc def"});
  Select(TPoint(1, 1), TPoint(4, 1));
  Edit->DropSelection(TPoint(8, 1), false);
  EXPECT_EQ(Lines(), V{" defabc"});
  Edit->Undo();
  EXPECT_EQ(Lines(), V{"abc def"});
  EXPECT_FALSE(Edit->CanUndo());
  Edit->Redo();
  EXPECT_EQ(Lines(), V{" defabc"});
  EXPECT_FALSE(Edit->CanRedo());
}

// --- random command sequences --------------------------------------------------------

class RandomEditing : public CommandFixture {
protected:
  static V WithoutTrailingBlanks(V lines) {
    for (std::string& line : lines) line.erase(line.find_last_not_of(' ') + 1);
    return lines;
  }

  std::mt19937 Rng{12345};
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(Rng); }

  V RandomText() {
    // "\x81\x40" is one double-byte character where 0x81 leads one.
    static const char* words[] = {"a", "bc", "def", "(x)", "{y}", "ab cd", "q\x81\x40"};
    V lines;
    const int count = 1 + Pick(6);
    for (int i = 0; i < count; ++i) {
      std::string line(size_t(Pick(3) * 2), ' ');
      const int n = Pick(4);
      for (int w = 0; w < n; ++w) {
        if (w) line += std::string(size_t(1 + Pick(2)), ' ');
        line += words[Pick(7)];
      }
      if (n == 0) line.clear();  // no line of blanks only
      lines.push_back(line);
    }
    return lines;
  }

  TPoint RandomPoint() {
    const int y = 1 + Pick(Edit->GetLineCount());
    return TPoint(1 + Pick(Edit->LineLength(y) + 4), y);
  }

  // What the steps did, for a failure's message.
  std::string Trail;

  // Random settings, then steps random steps from (1, 1).
  void Run(const V& original, int steps) {
    SetLines(original);
    Host.Clipboard.clear();
    TktEditorOptions options = kDefaultEditorOptions;
    if (Pick(2)) options.Exclude(kteoAutoIndent);
    if (Pick(2)) options.Exclude(kteoScrollPastEol);
    if (Pick(2)) options.Exclude(kteoSmartTabs);
    Edit->SetOptions(options);
    Edit->SetTabWidth(Pick(4));
    Edit->SetInsertMode(true);
    Edit->SetSelectionMode(smNormal);
    Caret(1, 1);
    Trail.clear();
    for (int i = 0; i < steps; ++i) Step();
  }

  void Step() {
    static const TktEditorCommand commands[] = {
        ecLeft, ecRight, ecUp, ecDown, ecWordLeft, ecWordRight, ecLineStart, ecLineEnd,
        ecSelLeft, ecSelRight, ecSelUp, ecSelDown, ecSelWordRight, ecSelLineEnd,
        ecSelEditorBottom, ecDeleteLastChar, ecDeleteChar, ecDeleteWord, ecDeleteLastWord,
        ecDeleteBOL, ecDeleteEOL, ecDeleteLine, ecLineBreak, ecInsertLine, ecTab,
        ecBlockIndent, ecBlockUnindent, ecToggleMode, ecNormalSelect, ecColumnSelect,
        ecLineSelect, ecCut, ecCopy, ecPaste, ecUndo, ecRedo, ecSelectAll, ecDeleteLastChar,
        ecDeleteChar, ecLineBreak};
    const int what = Pick(10);
    if (what < 3) {
      static const char typed[] = "ab x(){}  ";
      const char c = typed[Pick(int(sizeof(typed)) - 1)];
      Trail += std::string("'") + c + "' ";
      Edit->KeyPress(c);
    } else if (what < 7) {
      const TktEditorCommand command = commands[Pick(int(std::size(commands)))];
      Trail += EditorCommandToCodeString(command) + " ";
      Cmd(command);
    } else if (what == 7) {
      TPoint p = RandomPoint();
      const TktEditorCommand command = Pick(2) ? ecGotoXY : ecSelGotoXY;
      Trail += EditorCommandToCodeString(command) + "(" + std::to_string(p.X) + "," +
               std::to_string(p.Y) + ") ";
      Cmd(command, '\0', &p);
    } else if (what == 8) {
      static const char* texts[] = {"", "z", "x\r\ny", "w\r\n", "  k"};
      const char* text = texts[Pick(5)];
      switch (Pick(3)) {
        case 0:
          Trail += std::string("SelText[") + text + "] ";
          Edit->SetSelText(text);
          break;
        case 1:
          Trail += "Ime ";
          Edit->ImeComposition(Pick(2) ? "jk" : "\x81\x41");
          break;
        case 2: {
          const std::string search(1, "abcxy"[Pick(5)]);
          const int options = ktsoReplace | ktsoReplaceAll | (Pick(2) ? ktsoBackwards : 0) |
                              ktsoEntireScope | (Pick(2) ? ktsoSelectedOnly : 0);
          Trail += "Replace[" + search + "->" + text + "," + std::to_string(options) + "] ";
          Edit->SearchReplace(search, text, uint8_t(options));
          break;
        }
      }
    } else if (Edit->SelAvail()) {
      const TPoint p = RandomPoint();
      const bool copy = Pick(2) == 0;
      Trail += std::string(copy ? "DropCopy(" : "DropMove(") + std::to_string(p.X) + "," +
               std::to_string(p.Y) + ") ";
      Edit->DropSelection(p, copy);
    }
  }
};

TEST_F(RandomEditing, UndoingEverythingGivesBackTheOriginalAndRedoingItTheResult) {
  UseDoubleByteCodePage();
  Edit->SetMaxUndo(100000);
  for (int run = 0; run < 300; ++run) {
    const V original = RandomText();
    Run(original, 60);
    // Steps undone at the end are redone first: a redo of everything ends there.
    RedoAll();
    const V result = Lines();
    UndoAll();
    ASSERT_EQ(Lines(), original) << "run " << run << ": " << Trail;
    // Redone, the text is the result again, but for blanks at line ends: a
    // column block's undo drops the padding it put there, which a redo
    // cannot tell from blanks a line had.
    RedoAll();
    ASSERT_EQ(WithoutTrailingBlanks(Lines()), WithoutTrailingBlanks(result))
        << "run " << run << ": " << Trail;
    UndoAll();
    ASSERT_EQ(Lines(), original) << "run " << run << ": " << Trail;
  }
}

}  // namespace
