// The data module: its shared components, the colours it stores, and the
// click and key handlers every editor gets.
#include "app/Data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppRegistryKey.h"
#include "tools/CalcMainWindow.h"
#include "app/EditorAppBytes.h"
#include "editor/EditorCommands.h"
#include "editor/HighlightAttributes.h"
#include "editor/KeyCodes.h"
#include "editor/RecordingEditHost.h"
#include "editor/HtmlExport.h"
#include "highlighters/HTMLSyn.h"
#include "highlighters/JScriptSyn.h"
#include "highlighters/MultiSyn.h"
#include "highlighters/VisualBasicSyn.h"
#include "highlighters/PasSyn.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

namespace {

TEST(DataModule, SharesOneHighlighterPerLanguageByTheNamesFileTypesUse) {
  TData data(nullptr);
  for (const char* name : {"C", "Dfm", "Fortran", "HTML1", "Ini", "Java", "JScript", "VbScript", "Batch",
                           "Pascal", "Perl", "SQL", "VisualBasic", "Assembler", "HTML", "ADSP"}) {
    TktCustomHighLighter* hl = data.FindHighlighter(LowerCase(name));
    ASSERT_NE(hl, nullptr) << name;
    EXPECT_EQ(hl->GetName(), name);
  }
  // The script highlighters serve only inside web pages.
  for (const char* name : {"JScript1", "VbScript1", "VisualBasic1", "RtfExport", "Nonesuch"})
    EXPECT_EQ(data.FindHighlighter(name), nullptr) << name;
  EXPECT_EQ(static_cast<TktCustomHighLighter*>(data.Pascal), data.FindHighlighter("Pascal"));

  EXPECT_EQ(data.HTML->GetDefaultHighlighter(), static_cast<TktCustomHighLighter*>(data.HTML1));
  ASSERT_EQ(data.HTML->GetSchemes()->GetCount(), 9);
  EXPECT_EQ(data.HTML->GetSchemes()->GetItem(0)->GetHighlighter(), static_cast<TktCustomHighLighter*>(data.JScript1));
  EXPECT_EQ(data.HTML->GetSchemes()->GetItem(8)->GetHighlighter(),
            static_cast<TktCustomHighLighter*>(data.VisualBasic1));
  EXPECT_EQ(data.HTML->GetSchemes()->GetItem(6)->GetEndExpr(), "</Script>");
  EXPECT_TRUE(data.HtmlExport->GetCreateHTMLFragment());
}

TEST(DataModule, StoresEveryPublishedAttributeOfEveryHighlighter) {
  TData data(nullptr);
  TStringList props;
  data.ListStoredProps(&props);
  EXPECT_GE(props.IndexOf("Pascal.KeyAttri"), 0);
  EXPECT_GE(props.IndexOf("VisualBasic1.CommentAttri"), 0);
  EXPECT_GE(props.IndexOf("ADSP.RegisterAttri"), 0);
  EXPECT_LT(props.IndexOf("HTML.Schemes"), 0);
  int expected = 0;
  for (int i = 0; i < data.GetComponentCount(); ++i)
    if (auto* hl = dynamic_cast<TktCustomHighLighter*>(data.GetComponent(i)); hl && hl != data.HTML)
      expected += hl->GetAttribCount();
  // Each highlighter publishes exactly the attributes it carries.
  EXPECT_EQ(props.GetCount(), expected);
}

TktHighLightAttributes* Attribute(TComponent* owner, const std::string& component, const std::string& prop) {
  TComponent* hl = owner->FindComponent(component);
  const TPropInfo* info = hl ? GetPropInfo(hl, prop) : nullptr;
  return info ? dynamic_cast<TktHighLightAttributes*>(GetObjectProp(hl, *info)) : nullptr;
}

// With nothing stored, each language shows the colours its highlighter is
// given here; no attribute that draws text is drawn in its background colour
// (the editor's own, black on white, where an attribute has none).
TEST(DataModule, HighlightersStartWithTheirOwnColoursAndNoneIsInvisible) {
  TData data(nullptr);
  struct Case {
    const char* component;
    const char* attr;
    TColor fg;
    TFontStyles style;
  } cases[] = {
      {"SQL", "CommentAttri", clNavy, TFontStyles{fsItalic}},
      {"SQL", "KeyAttri", clGreen, TFontStyles{fsBold}},
      {"SQL", "VariableAttri", clPurple, {}},
      {"SQL", "ParameterAttri", clMaroon, {}},
      {"SQL", "SymbolAttri", clPurple, {}},
      {"JScript1", "StringAttri", clRed, {}},
      {"VisualBasic", "KeyAttri", clGreen, TFontStyles{fsBold}},
      {"Assembler", "CommentAttri", clNavy, TFontStyles{fsItalic}},
      {"Java", "DocumentAttri", clNone, TFontStyles{fsItalic}},
      {"Perl", "PragmaAttri", clNone, TFontStyles{fsBold}},
      {"Batch", "CommentAttri", clNone, TFontStyles{fsItalic}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.component) + "." + c.attr);
    TktHighLightAttributes* attr = Attribute(&data, c.component, c.attr);
    ASSERT_NE(attr, nullptr);
    EXPECT_EQ(attr->GetForeground(), c.fg);
    EXPECT_EQ(attr->GetStyle(), c.style);
  }
  TStringList props;
  data.ListStoredProps(&props);
  for (int i = 0; i < props.GetCount(); ++i) {
    const std::string name = props.Get(i);
    if (name.find(".SpaceAttri") != std::string::npos) continue;  // blanks draw no ink
    const size_t dot = name.find('.');
    TktHighLightAttributes* attr = Attribute(&data, name.substr(0, dot), name.substr(dot + 1));
    ASSERT_NE(attr, nullptr) << name;
    const TColor fg = attr->GetForeground() == clNone ? clBlack : attr->GetForeground();
    const TColor bg = attr->GetBackground() == clNone ? clWhite : attr->GetBackground();
    EXPECT_NE(fg, bg) << name;
  }
}

class DataStore : public TAppKeyCase {};

TEST_F(DataStore, ColoursGoOutAndComeBackUnderTheirStoredNames) {
  {
    TData data(nullptr);
    data.Pascal->GetKeyAttri()->SetForeground(0x008000);
    data.Pascal->GetKeyAttri()->SetStyle(TFontStyles{fsBold});
    data.JScript1->GetCommentAttri()->SetBackground(0x123456);
    TRegIniFile ini(Key);
    data.SaveProps(ini, "Data");
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key + "\\Data"));
  std::string text;
  ASSERT_TRUE(reg.ReadValueText("Pascal_KeyAttriForeground", text));
  EXPECT_EQ(text, "32768");
  EXPECT_TRUE(reg.ValueExists("JScript1_CommentAttriBackground"));

  TData data(nullptr);
  TRegIniFile ini(Key);
  data.RestoreProps(ini, "Data");
  EXPECT_EQ(data.Pascal->GetKeyAttri()->GetForeground(), 0x008000);
  EXPECT_TRUE(data.Pascal->GetKeyAttri()->GetStyle().Contains(fsBold));
  EXPECT_EQ(data.JScript1->GetCommentAttri()->GetBackground(), 0x123456);
}

// ---------------------------------------------------------------------------
// The handlers
// ---------------------------------------------------------------------------

class KeyHandler : public ::testing::Test {
protected:
  KeyHandler() : Data(nullptr), Edit(nullptr) {
    Edit.SetHost(&Host);
    Data.MainWindow = &Main;
    Edit.OnProcessCommand = [this](TObject*, TktEditorCommand& c, char&, void*) { Commands.push_back(c); };
  }
  // Presses a key as the editor's OnKeyDown sees it; returns the key left.
  uint16_t Press(uint16_t key, TShiftState shift, char typed = 0) {
    Data.EditorKeyDown(Edit, key, shift, typed);
    return key;
  }
  void SetText(const std::string& text, TPoint caret) {
    Edit.SetText(text);
    Edit.SetCaretXY(caret);
  }
  std::string Line1() const { return std::string(Edit.LineText(1)); }

  TktRecordingEditHost Host;
  TCalcMainWindow Main;
  TData Data;
  TktCustomEdit Edit;
  std::vector<TktEditorCommand> Commands;
};

TEST_F(KeyHandler, AltShiftMovesExtendAColumnSelectionByKeyAndCtrl) {
  struct {
    uint16_t Key;
    TktEditorCommand Plain, WithCtrl;
  } cases[] = {{vkLeft, ecSelLeft, ecSelWordLeft},     {vkRight, ecSelRight, ecSelWordRight},
               {vkUp, ecSelUp, ecSelPageTop},          {vkDown, ecSelDown, ecSelPageBottom},
               {vkHome, ecSelLineStart, ecSelPageLeft}, {vkEnd, ecSelLineEnd, ecSelPageRight},
               {vkPrior, ecSelPageUp, ecSelEditorTop}, {vkNext, ecSelPageDown, ecSelEditorBottom}};
  for (const auto& c : cases) {
    for (bool ctrl : {false, true}) {
      Edit.SetSelectionMode(smNormal);
      Commands.clear();
      TShiftState shift{ssAlt, ssShift};
      if (ctrl) shift.Include(ssCtrl);
      EXPECT_EQ(Press(c.Key, shift), c.Key) << "the key goes on to the editor";
      EXPECT_EQ(Edit.GetSelectionMode(), smColumn);
      EXPECT_EQ(Commands, std::vector<TktEditorCommand>{ctrl ? c.WithCtrl : c.Plain}) << c.Key << ctrl;
    }
  }
  // Alt alone, or Alt with another key: column mode, no command.
  Commands.clear();
  Edit.SetSelectionMode(smLine);
  Press(vkMenu, TShiftState{ssAlt});
  EXPECT_EQ(Edit.GetSelectionMode(), smColumn);
  Press('X', TShiftState{ssAlt, ssShift});
  EXPECT_TRUE(Commands.empty());
}

TEST_F(KeyHandler, AltShiftLeftSelectsOneColumnLeft) {
  SetText("abcdef\r\nabcdef\r\n", TPoint(4, 2));
  Press(vkLeft, TShiftState{ssAlt, ssShift});
  EXPECT_EQ(Edit.GetSelectionMode(), smColumn);
  EXPECT_EQ(Edit.GetBlockBegin(), TPoint(3, 2));
  EXPECT_EQ(Edit.GetBlockEnd(), TPoint(4, 2));
}

TEST_F(KeyHandler, ShiftAloneReturnsToTheDefaultSelectionMode) {
  SetDefaultSelectionMode(Edit, smLine);
  Edit.SetSelectionMode(smColumn);
  Press(vkShift, TShiftState{ssShift});
  EXPECT_EQ(Edit.GetSelectionMode(), smLine);
}

TEST_F(KeyHandler, StatusShowsTheCaretOfTheEditorThatRaisedTheEvent) {
  SetText(std::string(20, 'x') + "\r\n" + "\r\n\r\n\r\n\r\n\r\n" + std::string(20, 'y'), TPoint(12, 7));
  TktCustomEdit other(nullptr);  // another document, somewhere else
  Press('A', TShiftState());
  EXPECT_EQ(Main.Status, "  7: 12");
  Edit.SetCaretXY(TPoint(3, 1));
  Data.EditorClick(Edit);
  EXPECT_EQ(Main.Status, "  1:  3");
}

TEST_F(KeyHandler, EqualsTypedInsertsOnceWithAValueOnlyForARealComputation) {
  struct {
    const char* Before;
    uint16_t Key;
    TShiftState Shift;
    char Typed;
    const char* After;
  } cases[] = {
      {"x 2*3", 187, {}, '=', "x 2*3=6"},
      {"sin(0)", 187, {}, '=', "sin(0)=0"},
      {"WHERE 1", 187, {}, '=', "WHERE 1="},  // a lone number
      {"1=", 187, {}, '=', "1=="},           // the evaluator refuses it
      {"pi", 187, {}, '=', "pi="},
      {"c+", 187, {ssShift}, '+', "c+"},  // US Shift+"=" types "+": the control types it
      {"2*3", 187, {ssCtrl}, '=', "2*3"},  // Ctrl+"=" inserts nothing
      {"2*3", '0', {ssShift}, '=', "2*3=6"},  // "=" on another key of the layout
  };
  for (const auto& c : cases) {
    SetText(c.Before, TPoint(int(std::string(c.Before).size()) + 1, 1));
    Press(c.Key, c.Shift, c.Typed);
    EXPECT_EQ(Line1(), c.After) << c.Before;
  }
}

TEST_F(KeyHandler, EqualsReplacesTheSelectionAndHonoursOverwriteInOneUndoStep) {
  SetText("1+1 abc", TPoint(1, 1));
  Edit.SetBlockBegin(TPoint(4, 1));
  Edit.SetBlockEnd(TPoint(8, 1));
  Press(187, TShiftState(), '=');
  EXPECT_EQ(Line1(), "1+1=2");
  Edit.Undo();
  EXPECT_EQ(Line1(), "1+1 abc") << "one step takes back both";

  SetText("4/2 xyz", TPoint(4, 1));
  Edit.SetInsertMode(false);
  Press(187, TShiftState(), '=');
  EXPECT_EQ(Line1(), "4/2=2yz");
  Edit.Undo();
  EXPECT_EQ(Line1(), "4/2 xyz");

  Edit.SetInsertMode(true);
  Edit.SetReadOnly(true);
  SetText("1+1", TPoint(4, 1));
  Press(187, TShiftState(), '=');
  EXPECT_EQ(Line1(), "1+1");
}

TEST_F(KeyHandler, CtrlKIsAPrefixThatModifierKeysDoNotDisturb) {
  EXPECT_EQ(Press('K', TShiftState{ssCtrl}), 0) << "the prefix key is swallowed";
  EXPECT_TRUE(CtrlKPending(Edit));
  // Ctrl released and pressed again, Shift on its own: still pending.
  for (uint16_t modifier : {vkControl, vkShift, uint16_t(0xA2), uint16_t(0xA0)})
    Press(modifier, TShiftState{ssCtrl});
  EXPECT_TRUE(CtrlKPending(Edit));
  EXPECT_EQ(Press('K', TShiftState{ssCtrl}), 0);
  EXPECT_TRUE(CtrlKPending(Edit)) << "Ctrl+K twice leaves it set";
  EXPECT_EQ(Press('X', TShiftState()), 'X');
  EXPECT_FALSE(CtrlKPending(Edit));
  EXPECT_EQ(Press('K', TShiftState()), 'K') << "K without Ctrl is typing";
  EXPECT_FALSE(CtrlKPending(Edit));
}

}  // namespace
