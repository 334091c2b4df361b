// The editing control's face: defaults, setters with their clamps and side
// effects, status reports merged under the paint lock, command routing,
// cell metrics and the highlighter hook-up.
#include <functional>

#include "BraceHighlighter.h"
#include "EditFixture.h"
#include "editor/TextDrawerCanvas.h"
#include "platform/RecordingCanvas.h"

namespace {

TEST(CustomEditNew, StartsWithOneEmptyLineAndTheDocumentedDefaults) {
  TktCustomEdit edit(nullptr);
  EXPECT_EQ(edit.GetLineCount(), 1);
  EXPECT_EQ(edit.LineText(1), "");
  EXPECT_EQ(edit.GetCaretXY(), TPoint(1, 1));
  EXPECT_FALSE(edit.SelAvail());
  EXPECT_FALSE(edit.GetModified());
  EXPECT_EQ(edit.GetTabWidth(), 1);
  EXPECT_EQ(edit.GetOptions().ToMask(), 963);
  EXPECT_TRUE(edit.GetInsertMode());
  EXPECT_EQ(edit.GetMaxLeftChar(), 1024);
  EXPECT_EQ(edit.GetRightEdge(), 80);
  EXPECT_EQ(edit.GetRightEdgeColor(), 0xC0C0C0);
  EXPECT_EQ(edit.GetScrollBars(), kssBoth);
  EXPECT_EQ(edit.GetBorderStyle(), kbsSingle);
  EXPECT_EQ(edit.GetInsertCaret(), ctVerticalLine);
  EXPECT_EQ(edit.GetOverwriteCaret(), ctBlock);
  EXPECT_EQ(edit.GetSelectionMode(), smNormal);
  EXPECT_EQ(edit.GetMaxUndo(), 10);
  EXPECT_EQ(edit.GetFont().Name, "Courier New");
  EXPECT_EQ(edit.GetColor(), clWindow);
  EXPECT_EQ(edit.GetGutterWidth(), 30);
  EXPECT_EQ(edit.GetTopLine(), 1);
  EXPECT_EQ(edit.GetLeftChar(), 1);
  EXPECT_GT(edit.GetKeystrokes()->GetCount(), 0);  // the default key map
  EXPECT_FALSE(edit.WrapOnSpace);
  // Without a window nothing is measured against a client area.
  EXPECT_EQ(edit.GetCharsInWindow(), 0);
}

struct TClampCase {
  const char* Name;
  std::function<void(TktCustomEdit&, int)> Set;
  std::function<int(const TktCustomEdit&)> Get;
  int Value;
  int Expected;
};
// Test names list the case by name, not as the bytes of the struct.
void PrintTo(const TClampCase& c, std::ostream* os) { *os << c.Name; }

class CustomEditClamp : public EditFixture, public ::testing::WithParamInterface<TClampCase> {};

TEST_P(CustomEditClamp, StoresTheClampedValue) {
  SetLines(V(10, "0123456789"));
  const TClampCase& c = GetParam();
  c.Set(*Edit, c.Value);
  EXPECT_EQ(c.Get(*Edit), c.Expected);
}

auto SetTab = [](TktCustomEdit& e, int v) { e.SetTabWidth(v); };
auto GetTab = [](const TktCustomEdit& e) { return e.GetTabWidth(); };
auto SetMaxLeft = [](TktCustomEdit& e, int v) { e.SetMaxLeftChar(v); };
auto GetMaxLeft = [](const TktCustomEdit& e) { return e.GetMaxLeftChar(); };
auto SetLeft = [](TktCustomEdit& e, int v) { e.SetLeftChar(v); };
auto GetLeft = [](const TktCustomEdit& e) { return e.GetLeftChar(); };
auto SetTop = [](TktCustomEdit& e, int v) { e.SetTopLine(v); };
auto GetTop = [](const TktCustomEdit& e) { return e.GetTopLine(); };
auto SetUndo = [](TktCustomEdit& e, int v) { e.SetMaxUndo(v); };
auto GetUndo = [](const TktCustomEdit& e) { return e.GetMaxUndo(); };

INSTANTIATE_TEST_SUITE_P(
    Table, CustomEditClamp,
    ::testing::Values(TClampCase{"TabWidthAbove", SetTab, GetTab, 300, 256},
                      TClampCase{"TabWidthBelow", SetTab, GetTab, -5, 0},
                      TClampCase{"TabWidthZero", SetTab, GetTab, 0, 0},
                      TClampCase{"TabWidthTop", SetTab, GetTab, 256, 256},
                      TClampCase{"MaxLeftCharBelow", SetMaxLeft, GetMaxLeft, 0, 1},
                      TClampCase{"MaxLeftCharAbove", SetMaxLeft, GetMaxLeft, 40000, 32767},
                      TClampCase{"LeftCharBelow", SetLeft, GetLeft, 0, 1},
                      // 1024 columns, 46 in the window: the last left column is 979.
                      TClampCase{"LeftCharAbove", SetLeft, GetLeft, 5000, 1024 - 46 + 1},
                      TClampCase{"TopLineBelow", SetTop, GetTop, -3, 1},
                      TClampCase{"TopLineAbove", SetTop, GetTop, 99, 10},
                      TClampCase{"MaxUndoNegativeIgnored", SetUndo, GetUndo, -1, 10},
                      TClampCase{"MaxUndoZero", SetUndo, GetUndo, 0, 0}),
    [](const ::testing::TestParamInfo<TClampCase>& info) { return std::string(info.param.Name); });

TEST_F(EditFixture, LeftCharOfASmallMaxLeftCharNeverGoesBelowOne) {
  Edit->SetMaxLeftChar(10);  // fewer columns than the window shows
  Edit->SetLeftChar(5);
  EXPECT_EQ(Edit->GetLeftChar(), 1);
}

TEST_F(EditFixture, SettersWithSideEffectsRepaintOnlyWhenTheValueChanges) {
  struct TCase {
    const char* Name;
    std::function<void()> Set;
  };
  const TCase cases[] = {
      {"TabWidth", [&] { Edit->SetTabWidth(4); }},
      {"RightEdge", [&] { Edit->SetRightEdge(72); }},
      {"HideSelection", [&] { Edit->SetHideSelection(true); }},
      {"Color", [&] { Edit->SetColor(clYellow); }},
      {"SelectedColor", [&] { Edit->GetSelectedColor()->SetBackground(clRed); }},
  };
  for (const TCase& c : cases) {
    Host.ClearLog();
    c.Set();
    EXPECT_EQ(Host.Invalidated, std::vector<TRect>{TRect(0, 0, 400, 300)}) << c.Name;
    Host.ClearLog();
    c.Set();  // the same value again
    EXPECT_TRUE(Host.Calls.empty()) << c.Name;
  }
}

TEST_F(EditFixture, RightEdgeColorRepaintsOnlyTheEdgeColumn) {
  Edit->SetRightEdgeColor(clRed);
  // Column 81 starts at 32 + 80 x 8.
  EXPECT_EQ(Host.Invalidated, std::vector<TRect>{TRect(671, 0, 673, 300)});
}

TEST_F(EditFixture, BookmarkOptionChangesRepaintTheGutter) {
  Edit->GetBookMarkOptions()->SetXoffset(20);
  EXPECT_EQ(Host.Invalidated, std::vector<TRect>{TRect(0, 0, 30, 300)});
}

TEST_F(EditFixture, BorderAndScrollBarStylesRecreateTheWindow) {
  Edit->SetBorderStyle(kbsNone);
  Edit->SetScrollBars(kssVertical);
  Edit->SetScrollBars(kssVertical);
  EXPECT_EQ(Host.CallsStartingWith("recreate").size(), 2u);
  // Only the vertical bar is set from now on.
  Host.ClearLog();
  Edit->SetTopLine(1);
  Edit->SetLeftChar(3);
  EXPECT_TRUE(Host.CallsStartingWith("hbar").empty());
}

// --- status reports ----------------------------------------------------------------

TEST_F(EditFixture, StatusChangesOutsideTheLockAreReportedAtOnce) {
  Edit->SetInsertMode(false);
  Edit->SetModified(true);
  Edit->SetModified(true);
  EXPECT_EQ(Statuses, (std::vector<int>{32, 64}));
}

TEST_F(EditFixture, StatusChangesUnderNestedLocksArriveOnceMergedAtTheOuterEnd) {
  SetLines({"abc", "def"});
  Edit->BeginUpdate();
  Edit->SetCaretXY(TPoint(2, 1));
  Edit->BeginUpdate();
  Edit->SetCaretXY(TPoint(2, 2));
  Edit->SetInsertMode(false);
  Edit->EndUpdate();
  Edit->SetModified(true);
  Edit->SetBlockEnd(TPoint(3, 2));
  EXPECT_TRUE(Statuses.empty());
  Edit->EndUpdate();
  EXPECT_EQ(Statuses, (std::vector<int>{2 | 4 | 32 | 64 | 128}));
  Edit->EndUpdate();  // an unmatched EndUpdate changes nothing
  EXPECT_EQ(Edit->GetPaintLock(), 0);
  EXPECT_EQ(Statuses.size(), 1u);
}

TEST_F(EditFixture, ScrollBarAndCaretUpdatesWaitForTheLockAndRunOnce) {
  SetLines(V(100, "x"));
  Edit->BeginUpdate();
  for (int line = 2; line <= 60; ++line) Edit->SetCaretXY(TPoint(1, line));
  EXPECT_TRUE(Host.CallsStartingWith("vbar").empty());
  EXPECT_TRUE(Host.CallsStartingWith("caretpos").empty());
  Edit->EndUpdate();
  EXPECT_EQ(Host.CallsStartingWith("vbar"), V{"vbar 1,117,18,43"});
  EXPECT_EQ(Host.CallsStartingWith("caretpos").size(), 1u);
}

TEST_F(EditFixture, AHandlerSeesChangesItCausesReportedSeparately) {
  Edit->OnStatusChange = [this](TObject*, TktStatusChanges changes) {
    Statuses.push_back(changes.ToMask());
    if (changes.Contains(scInsertMode)) Edit->SetModified(true);
  };
  Edit->SetInsertMode(false);
  EXPECT_EQ(Statuses, (std::vector<int>{32, 64}));
}

// --- commands reach the host's handlers ------------------------------------------

TEST_F(EditFixture, ProcessCommandRoutesByTheUserCommandBoundary) {
  std::vector<std::string> log;
  Edit->OnProcessCommand = [&](TObject*, TktEditorCommand& c, char& ch, void*) {
    log.push_back("edit " + std::to_string(c));
    c = ecNone;
    ch = 'z';
  };
  Edit->OnProcessUserCommand = [&](TObject*, TktEditorCommand& c, char&, void* data) {
    log.push_back("user " + std::to_string(c) + (data ? " data" : ""));
  };
  int payload = 0;
  for (TktEditorCommand c : {TktEditorCommand(0), TktEditorCommand(1000), TktEditorCommand(1001),
                             TktEditorCommand(65535)}) {
    TktEditorCommand command = c;
    char ch = 'a';
    Edit->DoProcessCommand(command, ch, c >= 1001 ? &payload : nullptr);
    EXPECT_EQ(command, c >= 1001 ? c : ecNone);  // the handler's changes come back
    EXPECT_EQ(ch, c >= 1001 ? 'a' : 'z');
  }
  EXPECT_EQ(log, (V{"edit 0", "edit 1000", "user 1001 data", "user 65535 data"}));

  TTestEdit bare(nullptr);
  TktEditorCommand command = ecUp;
  char ch = 0;
  bare.DoProcessCommand(command, ch, nullptr);  // no handlers: nothing happens
  EXPECT_EQ(command, ecUp);
}

// --- cell metrics -----------------------------------------------------------------

// Cells of 8 x 16 pixels; bold ones 10 wide, italic ones 18 high.
class TStyledCanvas : public TRecordingCanvas {
public:
  TTextMetrics GetTextMetrics() override {
    TTextMetrics tm = TRecordingCanvas::GetTextMetrics();
    if (GetFont().Style.Contains(fsItalic)) tm.Height = 18;
    return tm;
  }
  bool GetCharABCWidths(unsigned code, TABCWidths& w) override {
    TRecordingCanvas::GetCharABCWidths(code, w);
    if (GetFont().Style.Contains(fsBold)) w.B = 10;
    return true;
  }
};

std::unique_ptr<ITextDrawer> MakeStyledDrawer(TFontStyles style, const TFontData& font) {
  return std::make_unique<TCanvasTextDrawer>(style, font, std::make_unique<TStyledCanvas>());
}

class TStyledHighlighter : public TBraceHighlighter {
public:
  TStyledHighlighter() {
    Plain = AddAttribute(std::make_unique<TktHighLightAttributes>("Plain"));
    Key = AddAttribute(std::make_unique<TktHighLightAttributes>("Key"));
    SetAttributesOnChange([this](TObject* s) { DefHighlightChange(s); });
  }
  TktHighLightAttributes* Plain;
  TktHighLightAttributes* Key;
};

class CustomEditMetrics : public EditFixture {
protected:
  void SetUp() override {
    FPrevious = SetTextDrawerMaker(&MakeStyledDrawer);
    EditFixture::SetUp();
  }
  void TearDown() override {
    EditFixture::TearDown();
    SetTextDrawerMaker(FPrevious);
  }
  TTextDrawerMaker FPrevious = nullptr;
};

TEST_F(CustomEditMetrics, TheCellFitsTheWidestStyleInUse) {
  EXPECT_EQ(Edit->GetCharWidth(), 8);
  EXPECT_EQ(Edit->GetLineHeight(), 16);
  EXPECT_EQ(Edit->GetCharsInWindow(), (400 - 30 - 2) / 8);

  TStyledHighlighter hl;
  Edit->SetHighLighter(&hl);
  EXPECT_EQ(Edit->GetCharWidth(), 8);
  Host.ClearLog();
  hl.Key->SetStyle(TFontStyles{fsBold});  // heard through the attribute hooks
  EXPECT_EQ(Edit->GetCharWidth(), 10);
  EXPECT_EQ(Edit->GetCharsInWindow(), (400 - 30 - 2) / 10);
  EXPECT_FALSE(Host.Invalidated.empty());
  hl.Plain->SetStyle(TFontStyles{fsItalic});
  EXPECT_EQ(Edit->GetLineHeight(), 18);
  EXPECT_EQ(Edit->GetLinesInWindow(), 300 / 18);

  Edit->SetHighLighter(nullptr);  // the font's own style decides again
  EXPECT_EQ(Edit->GetCharWidth(), 8);
  TFontData font = Edit->GetFont();
  font.Style = TFontStyles{fsBold};
  Edit->SetFont(font);
  EXPECT_EQ(Edit->GetCharWidth(), 10);
}

TEST_F(CustomEditMetrics, ExtraLineSpacingIsAddedAndNeverMakesRowsVanish) {
  Edit->SetExtraLineSpacing(4);
  EXPECT_EQ(Edit->GetLineHeight(), 20);
  EXPECT_EQ(Edit->GetLinesInWindow(), 15);
  Edit->SetExtraLineSpacing(-40);
  EXPECT_EQ(Edit->GetLineHeight(), 1);
  EXPECT_EQ(Edit->PixelsToRowColumn(40, 5).Y, 6);  // no division by zero
}

TEST_F(EditFixture, LineNumbersWidenTheGutterWithTheCell) {
  Edit->GetGutter()->SetShowLineNumbers(true);
  // LeftOffset 16 + RightOffset 2 + 4 digits x 8 + 2.
  EXPECT_EQ(Edit->GetGutterWidth(), 52);
  EXPECT_EQ(Edit->GetCharsInWindow(), (400 - 52 - 2) / 8);
  Edit->GetGutter()->SetAutoSize(true);
  SetLines(V(12345, "x"));
  EXPECT_EQ(Edit->GetGutter()->GetAutoSizeDigitCount(), 5);
  EXPECT_EQ(Edit->GetGutterWidth(), 60);
}

TEST_F(EditFixture, ASizeChangeRemeasuresTheWindowAndKeepsLeftCharInRange) {
  Edit->SetMaxLeftChar(100);
  Edit->SetLeftChar(50);
  Host.ClientWidth = 800;
  Host.ClearLog();
  Edit->SizeChanged();
  EXPECT_EQ(Edit->GetCharsInWindow(), (800 - 32) / 8);
  EXPECT_EQ(Edit->GetLeftChar(), 100 - 96 + 1);
  EXPECT_EQ(Host.CallsStartingWith("hbar").back(), "hbar 1,100,96,5");
}

// --- highlighter ------------------------------------------------------------------

TEST_F(EditFixture, AssigningAHighlighterScansEveryLineRange) {
  SetLines({"a{", "b", "c}", "d"});
  TBraceHighlighter hl;
  Edit->SetHighLighter(&hl);
  EXPECT_EQ(Edit->GetLines()->GetRange(1), 1);
  EXPECT_EQ(Edit->GetLines()->GetRange(2), 1);
  EXPECT_EQ(Edit->GetLines()->GetRange(3), 0);
  // Edits rescan from there on.
  Edit->GetLines()->Put(0, "a");
  EXPECT_EQ(Edit->GetLines()->GetRange(1), 0);
  EXPECT_EQ(Edit->GetLines()->GetRange(2), 0);
  Edit->SetHighLighter(nullptr);
}

TEST_F(EditFixture, DestroyingTheHighlighterLeavesTheEditorWithoutOneAndRepaints) {
  auto hl = std::make_unique<TBraceHighlighter>();
  Edit->SetHighLighter(hl.get());
  Host.ClearLog();
  hl.reset();
  EXPECT_EQ(Edit->GetHighLighter(), nullptr);
  EXPECT_FALSE(Host.Invalidated.empty());
  Edit->GetLines()->Put(0, "{");  // no scan through a dangling highlighter
}

TEST_F(EditFixture, RemovedBookmarkImagesAreForgotten) {
  auto images = std::make_unique<TComponent>(nullptr);
  Edit->GetBookMarkOptions()->SetBookmarkImages(images.get());
  images.reset();
  EXPECT_EQ(Edit->GetBookMarkOptions()->GetBookmarkImages(), nullptr);
}

// --- options ------------------------------------------------------------------------

TEST_F(EditFixture, ClearingScrollPastEolPullsTheCaretBackToTheLineEnd) {
  SetLines({"abc"});
  Edit->SetCaretXY(TPoint(20, 1));
  EXPECT_EQ(Edit->GetCaretX(), 20);
  Edit->SetOptions(Edit->GetOptions() - kteoScrollPastEol);
  EXPECT_EQ(Edit->GetCaretX(), 4);
}

TEST_F(EditFixture, TheDropFilesOptionSwitchesTheWindowsAcceptance) {
  Edit->SetOptions(Edit->GetOptions() + kteoDropFiles);
  EXPECT_TRUE(Host.AcceptsFiles);
  Edit->HandleDestroying();
  EXPECT_FALSE(Host.AcceptsFiles);
  Edit->HandleCreated();
  EXPECT_TRUE(Host.AcceptsFiles);
  Edit->SetOptions(Edit->GetOptions() - kteoDropFiles);
  EXPECT_FALSE(Host.AcceptsFiles);
}

TEST_F(EditFixture, SelectionModeRepaintsWhenItShowsASelectionAndReports) {
  SetLines({"abc", "def"});
  Edit->SetSelectionMode(smLine);  // nothing selected: no repaint
  EXPECT_TRUE(Host.Invalidated.empty());
  EXPECT_EQ(Statuses, std::vector<int>{128});
  Select(TPoint(1, 1), TPoint(3, 2), smNormal);
  Host.ClearLog();
  Edit->SetSelectionMode(smColumn);
  EXPECT_EQ(Host.Invalidated, std::vector<TRect>{TRect(0, 0, 400, 300)});
}

// --- text and undo --------------------------------------------------------------------

TEST_F(EditFixture, SettingTheTextEmptiesBothUndoListsAndKeepsOneLine) {
  SetLines({"abc"});
  Select(TPoint(1, 1), TPoint(2, 1));
  Edit->SetSelText("x");
  Edit->GetRedoList().AddChange(ktcrInsert, TPoint(1, 1), TPoint(1, 1), "", smNormal);
  EXPECT_TRUE(Edit->CanUndo());
  Edit->SetText("");
  EXPECT_EQ(Lines(), V{""});
  EXPECT_FALSE(Edit->CanUndo());
  EXPECT_FALSE(Edit->CanRedo());
}

TEST_F(EditFixture, EveryRecordedChangeMarksTheDocumentModifiedAndFiresOnChange) {
  int changes = 0;
  Edit->OnChange = [&](TObject*) { ++changes; };
  Edit->SetText("abc");
  EXPECT_FALSE(Edit->GetModified());  // setting the text records nothing
  Edit->GetRedoList().AddChange(ktcrDelete, TPoint(1, 1), TPoint(2, 1), "a", smNormal);
  Edit->GetUndoList().AddChange(ktcrInsert, TPoint(1, 1), TPoint(2, 1), "", smNormal);
  EXPECT_TRUE(Edit->GetModified());
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(Statuses, std::vector<int>{64});
  Edit->LockUndo();
  Edit->GetUndoList().AddChange(ktcrInsert, TPoint(1, 1), TPoint(2, 1), "", smNormal);
  Edit->GetRedoList().AddChange(ktcrInsert, TPoint(1, 1), TPoint(2, 1), "", smNormal);
  Edit->UnlockUndo();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(Edit->GetUndoList().GetCount(), 1);
}

TEST_F(EditFixture, MaxUndoAppliesToBothLists) {
  Edit->SetMaxUndo(3);
  EXPECT_EQ(Edit->GetUndoList().GetMaxUndo(), 3);
  EXPECT_EQ(Edit->GetRedoList().GetMaxUndo(), 3);
}

TEST(CustomEditHistory, RecordsTheCaretAtMostOnceASecondAndDropsForwardEntries) {
  TktCustomEdit edit(nullptr);
  edit.SetText("a\r\nb\r\nc\r\nd\r\n");
  double now = 1000.0;
  const double second = 1.0 / 86400;
  edit.GetCaretHistory().SetClock([&] { return now; });
  edit.SetCaretXY(TPoint(1, 2));
  edit.SetCaretXY(TPoint(1, 3));  // the same second
  EXPECT_EQ(edit.GetCaretHistory().GetCount(), 2);
  now += second;
  edit.SetCaretXY(TPoint(2, 3));
  EXPECT_EQ(edit.GetCaretHistory().GetCount(), 3);
  EXPECT_EQ(edit.GetCaretHistory().GetPoint(2), TPoint(2, 3));

  edit.StepCaretHistory(true);
  EXPECT_EQ(edit.GetCaretXY(), TPoint(1, 2));  // stepping records nothing
  EXPECT_TRUE(edit.CanHistoryForward());
  now += second;
  edit.SetCaretXY(TPoint(1, 4));
  EXPECT_FALSE(edit.CanHistoryForward());
  EXPECT_EQ(edit.GetCaretHistory().GetCount(), 3);
  EXPECT_EQ(edit.GetCaretHistory().GetPoint(2), TPoint(1, 4));
  edit.StepCaretHistory(true);
  edit.StepCaretHistory(true);
  EXPECT_EQ(edit.GetCaretXY(), TPoint(1, 1));  // the first, all-zero entry
  EXPECT_FALSE(edit.CanHistoryBack());
}

}  // namespace
