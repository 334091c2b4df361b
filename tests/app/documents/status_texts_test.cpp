// The status bar's texts, the captions, the status bar's double-click map,
// the name maps of the menus and the table of enabled actions.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/documents/ActionStates.h"
#include "app/documents/StatusTexts.h"

namespace {

TEST(StatusTexts, PanelsFormatAsTheBarShowsThem) {
  EXPECT_EQ(CaretPanelText(7, 12), "  7: 12");
  EXPECT_EQ(CaretPanelText(1234, 1), "1234:  1");
  EXPECT_EQ(HexOffsetPanelText(0), "0x0");
  EXPECT_EQ(HexOffsetPanelText(0xABC1), "0xABC1");
  const struct {
    int64_t Length;
    const char* Text;
  } lengths[] = {{0, "0"},         {999, "999"},         {1000, "1000"},         {1001, "1`001"},
                 {999999, "999`999"}, {1000000, "1000`000"}, {1000001, "1`000`001"}, {1234567, "1`234`567"}};
  for (const auto& c : lengths) EXPECT_EQ(LengthPanelText(c.Length), c.Text);
}

TEST(StatusTexts, HighlighterNamesAndListEntries) {
  EXPECT_EQ(HighlighterDisplayName("Pascal"), "Delphi");
  EXPECT_EQ(HighlighterDisplayName("Dfm"), "Delphi Form");
  EXPECT_EQ(HighlighterDisplayName("C"), "C/C++");
  EXPECT_EQ(HighlighterDisplayName("ADSP"), "");
  EXPECT_EQ(HighlighterDisplayName("HTML1"), "");
  EXPECT_EQ(LanguageListEntry("Dfm"), "Delphi/C++ Forms");
  EXPECT_EQ(LanguageListEntry("JScript"), "Java script");
  EXPECT_EQ(LanguageListEntry("Assembler"), "x86 Assembly");
  EXPECT_EQ(LanguageListEntry("Pascal"), "");
  EXPECT_EQ(HighlightAsComponent("aViewDFM"), "DFM");
  EXPECT_EQ(HighlightAsComponent("aView"), "");
}

TEST(StatusTexts, CaptionsNameTheDocumentOnlyInItsTextView) {
  const TMainCaptions named = MainCaptions(true, true, "a.pas", "C:\\a.pas");
  EXPECT_EQ(named.Window, "Tarnquill - C:\\a.pas");
  EXPECT_EQ(named.Title, "TQ : a.pas");
  for (const TMainCaptions& c : {MainCaptions(true, false, "a.pas", "C:\\a.pas"),
                                 MainCaptions(true, true, "  ", ""), MainCaptions(false, false, "", "")}) {
    EXPECT_EQ(c.Window, "Tarnquill");
    EXPECT_EQ(c.Title, "Tarnquill");
  }
}

TEST(StatusTexts, DoubleClickMapHasGapsAtThePanelEdges) {
  const struct {
    int X;
    TStatusClick Click;
  } cases[] = {{0, scGoToLine},   {69, scGoToLine},   {70, scNothing},       {71, scHighlightMenu},
               {169, scHighlightMenu}, {170, scNothing}, {200, scNothing},   {250, scNothing},
               {251, scMacroMenu}, {309, scMacroMenu}, {310, scNothing},     {311, scSave},
               {369, scSave},     {370, scNothing},   {371, scToggleEol},   {395, scToggleEol},
               {396, scNothing},  {397, scOpen},      {2000, scOpen}};
  for (const auto& c : cases) EXPECT_EQ(StatusClickAt(c.X), c.Click) << c.X;
}

std::map<std::string, bool> States(const TDocumentSnapshot& s) {
  std::map<std::string, bool> m;
  for (const TActionState& a : ComputeActionStates(s)) m[a.Name] = a.Enabled;
  return m;
}

TEST(ActionStates, DocumentViewAndSelectionGateTheirActions) {
  TDocumentSnapshot none;
  auto m = States(none);
  for (const char* a : {"aFileSave", "aFileClose", "aEditCopy", "aViewHighlightas", "aGoToBookmark1",
                        "aViewNextWindow", "aFileReload", "aEditUndo"})
    EXPECT_FALSE(m.at(a)) << a;

  TDocumentSnapshot text;
  text.HasDocument = text.TextView = true;
  text.TabCount = 2;
  text.ActiveTab = 0;
  text.BookMarks[3] = true;
  text.EditorModified = true;
  text.EditorCanUndo = true;
  m = States(text);
  EXPECT_TRUE(m.at("aFileSave"));
  EXPECT_FALSE(m.at("aFileReload"));  // no file name
  EXPECT_TRUE(m.at("aEditCopy"));
  EXPECT_TRUE(m.at("aViewPascal"));
  EXPECT_TRUE(m.at("aGoToBookmark3"));
  EXPECT_FALSE(m.at("aGoToBookmark2"));
  EXPECT_TRUE(m.at("aClearBookmarks"));
  EXPECT_FALSE(m.at("aViewFirstWindow"));  // already on the first tab
  EXPECT_TRUE(m.at("aViewNextWindow"));
  EXPECT_FALSE(m.at("aBlockStatistic"));
  EXPECT_TRUE(m.at("aEditUndo"));
  EXPECT_FALSE(m.at("aFileExport"));

  // The hex view: its own modified flag and undo, no text commands.
  TDocumentSnapshot hex = text;
  hex.TextView = false;
  hex.HexModified = false;
  hex.HexCanUndo = true;
  hex.EditorCanUndo = false;
  hex.ActiveTab = 1;
  hex.HasFileName = true;
  m = States(hex);
  EXPECT_FALSE(m.at("aFileSave"));
  EXPECT_TRUE(m.at("aEditUndo"));
  EXPECT_FALSE(m.at("aEditCopy"));
  EXPECT_FALSE(m.at("aGoToBookmark3"));
  EXPECT_TRUE(m.at("aViewFirstWindow"));
  EXPECT_TRUE(m.at("aFileReload"));
  EXPECT_TRUE(m.at("aViewTextBinary"));

  TDocumentSnapshot column = text;
  column.HasSelection = true;
  column.NormalSelectionMode = false;
  column.HasHighlighter = column.HighlighterIsHtml = true;
  m = States(column);
  EXPECT_TRUE(m.at("aBlockStatistic"));
  EXPECT_FALSE(m.at("aBlockUppercase"));
  EXPECT_TRUE(m.at("aViewBrowser"));
  EXPECT_TRUE(m.at("aFileExportToRTF"));

  // A preview split left on after another highlighter was chosen can
  // still be switched off; without one the action needs the HTML one.
  TDocumentSnapshot split = text;
  split.HasHighlighter = true;
  EXPECT_FALSE(States(split).at("aViewBrowser"));
  split.BrowserSplitOn = true;
  EXPECT_TRUE(States(split).at("aViewBrowser"));
  split.TextView = false;
  EXPECT_FALSE(States(split).at("aViewBrowser"));
}

}  // namespace
