// The options dialog's values copied onto an editor.
#include "app/settings/EditorOptions.h"

#include <gtest/gtest.h>

#include "app/EditorAppBytes.h"
#include "editor/RecordingEditHost.h"
#include "editor/SupportClasses.h"

namespace {

class EditorOptionsTest : public ::testing::Test {
protected:
  EditorOptionsTest() : Edit(nullptr), Sample(nullptr) { Edit.SetHost(&Host); }
  TktRecordingEditHost Host;
  TktCustomEdit Edit;
  TktCustomEdit Sample;
};

TEST_F(EditorOptionsTest, CopiesEveryValueAndTheSamplesLook) {
  TEditorOptions o;
  o.ExtraSpacing = 3;
  o.MaxLength = 400;
  o.InsertMode = false;
  o.UndoLimit = 7;
  o.AutoIndent = false;
  o.DragDropEditing = false;
  o.ScrollPastEol = false;
  o.ShowScrollHint = false;
  o.SmartTabs = false;
  o.HalfPageScroll = true;
  o.TabWidth = 4;
  o.WordWrap = true;
  o.RightEdge = 72;
  o.SelMode = 2;
  o.Backup = 1;

  TFontData font;
  font.Name = "FixedSys";
  font.Height = -16;
  font.Style = TFontStyles{fsBold};
  font.CharSet = 1;
  Sample.SetFont(font);
  Sample.SetColor(0x112233);
  Sample.GetSelectedColor()->SetForeground(0x445566);
  Sample.GetSelectedColor()->SetBackground(0x778899);
  Sample.SetRightEdgeColor(0x808080);
  Sample.GetGutter()->SetColor(0x00AA00);
  Sample.GetGutter()->SetVisible(false);
  Sample.GetGutter()->SetAutoSize(true);
  Sample.GetGutter()->SetShowLineNumbers(true);
  Sample.GetGutter()->SetWidth(44);
  Sample.GetGutter()->SetDigitCount(9);  // not one of the options

  // A flag the dialog does not own survives; dropped files come on.
  TktEditorOptions before = Edit.GetOptions();
  before.Include(kteoNoCaret).Exclude(kteoDropFiles);
  Edit.SetOptions(before);
  Host.ClearLog();

  ApplyEditorOptions(Edit, o, Sample);

  EXPECT_EQ(Edit.GetExtraLineSpacing(), 3);
  EXPECT_EQ(Edit.GetMaxLeftChar(), 400);
  EXPECT_FALSE(Edit.GetInsertMode());
  EXPECT_EQ(Edit.GetMaxUndo(), 7);
  const TktEditorOptions f = Edit.GetOptions();
  for (TktEditorOption off : {kteoAutoIndent, kteoDragDropEditing, kteoScrollPastEol, kteoShowScrollHint,
                              kteoSmartTabs})
    EXPECT_FALSE(f.Contains(off)) << off;
  EXPECT_TRUE(f.Contains(kteoHalfPageScroll));
  EXPECT_TRUE(f.Contains(kteoNoCaret));
  EXPECT_TRUE(f.Contains(kteoDropFiles));
  EXPECT_EQ(Edit.GetTabWidth(), 4);
  EXPECT_TRUE(Edit.WrapOnSpace);
  EXPECT_EQ(Edit.GetRightEdge(), 72);
  EXPECT_EQ(Edit.GetSelectionMode(), smLine);
  EXPECT_EQ(DefaultSelectionMode(Edit), smLine);
  EXPECT_EQ(Edit.BackupMode, 1);

  EXPECT_EQ(Edit.GetFont(), font);
  EXPECT_EQ(Edit.GetColor(), 0x112233);
  EXPECT_EQ(Edit.GetSelectedColor()->GetForeground(), 0x445566);
  EXPECT_EQ(Edit.GetSelectedColor()->GetBackground(), 0x778899);
  EXPECT_EQ(Edit.GetRightEdgeColor(), 0x808080);
  TktGutter* g = Edit.GetGutter();
  EXPECT_EQ(g->GetColor(), 0x00AA00);
  EXPECT_FALSE(g->GetVisible());
  EXPECT_TRUE(g->GetAutoSize());
  EXPECT_TRUE(g->GetShowLineNumbers());
  EXPECT_EQ(g->GetWidth(), 44);
  EXPECT_NE(g->GetDigitCount(), 9) << "only the gutter's option values are copied";
  EXPECT_FALSE(Host.Invalidated.empty()) << "the editor repaints";
}

TEST_F(EditorOptionsTest, RadioIndexesOutsideTheirGroupsLeaveTheEditorAlone) {
  Edit.SetSelectionMode(smColumn);
  SetDefaultSelectionMode(Edit, smColumn);
  Edit.BackupMode = 2;
  TEditorOptions o;
  o.SelMode = -1;
  o.Backup = 3;
  ApplyEditorOptions(Edit, o, Sample);
  EXPECT_EQ(Edit.GetSelectionMode(), smColumn);
  EXPECT_EQ(DefaultSelectionMode(Edit), smColumn);
  EXPECT_EQ(Edit.BackupMode, 2);
}

TEST(TabWidthOption, OneKeepsTabsAndNothingBelowIsTaken) {
  struct {
    const char* Text;
    int Width;
  } cases[] = {{"1", 1}, {"4", 4}, {"0", 1}, {"-3", 1}, {"", 1}, {"abc", 1}, {" 8 ", 8}};
  for (const auto& c : cases) EXPECT_EQ(TabWidthFromText(c.Text), c.Width) << '"' << c.Text << '"';

  TktCustomEdit edit(nullptr), sample(nullptr);
  TEditorOptions o;
  o.TabWidth = 0;
  ApplyEditorOptions(edit, o, sample);
  EXPECT_EQ(edit.GetTabWidth(), 1);
}

}  // namespace
