// TData: the shared highlighters and exporters, their stored colours, and
// the editors' click and key handlers.
#include "app/Data.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "app/commands/EditRules.h"
#include "app/EditorAppBytes.h"
#include "editor/EditorCommands.h"
#include "editor/HighlightAttributes.h"
#include "editor/HtmlExport.h"
#include "editor/KeyCodes.h"
#include "editor/RtfExport.h"
#include "highlighters/ADSP21xxSyn.h"
#include "highlighters/AsmSyn.h"
#include "highlighters/BatSyn.h"
#include "highlighters/CppSyn.h"
#include "highlighters/DfmSyn.h"
#include "highlighters/FortranSyn.h"
#include "highlighters/HTMLSyn.h"
#include "highlighters/IniSyn.h"
#include "highlighters/JScriptSyn.h"
#include "highlighters/JavaSyn.h"
#include "highlighters/MultiSyn.h"
#include "highlighters/PasSyn.h"
#include "highlighters/PerlSyn.h"
#include "highlighters/SqlSyn.h"
#include "highlighters/VbsSyn.h"
#include "highlighters/VisualBasicSyn.h"
#include "kit/PropsStorage.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

bool UninstallRequested = false;
TData* Data = nullptr;

namespace {

template <class T> T* Make(TComponent* owner, const char* name) {
  T* c = new T(owner);
  c->SetName(name);
  return c;
}

// The components a file type's Highlighter may name.
const char* const kFileTypeHighlighters[] = {"C",       "Dfm",  "Fortran", "HTML1", "Ini",  "Java",
                                             "JScript", "VbScript", "Batch", "Pascal", "Perl", "SQL",
                                             "VisualBasic", "Assembler", "HTML", "ADSP"};

// Alt+Shift with a movement key extends a column selection; Ctrl takes the
// wider move.
struct TColumnKey {
  uint16_t Key;
  TktEditorCommand Plain, WithCtrl;
};
const TColumnKey kColumnKeys[] = {
    {vkLeft, ecSelLeft, ecSelWordLeft},         {vkRight, ecSelRight, ecSelWordRight},
    {vkUp, ecSelUp, ecSelPageTop},              {vkDown, ecSelDown, ecSelPageBottom},
    {vkHome, ecSelLineStart, ecSelPageLeft},    {vkEnd, ecSelLineEnd, ecSelPageRight},
    {vkPrior, ecSelPageUp, ecSelEditorTop},     {vkNext, ecSelPageDown, ecSelEditorBottom},
};

// Shift, Ctrl and Alt (either side), and their repeats, are no key of a
// chord: Ctrl may be let go between Ctrl+K and the second key.
bool IsModifierKey(uint16_t key) {
  return key == vkShift || key == vkControl || key == vkMenu || (key >= 0xA0 && key <= 0xA5);
}

// The colours and styles each highlighter's own description gives it in
// this module, set before the stored values are read: with nothing stored
// (a fresh account, an emptied registry) the languages still show their
// colours. An attribute not listed keeps none, which draws in the editor's
// colours.
struct TAttributeDefault {
  const char* Attribute;
  TColor Foreground;
  TFontStyles Style;
};
const TAttributeDefault kScriptDefaults[] = {
    {"CommentAttri", clNavy, TFontStyles{fsItalic}}, {"IdentifierAttri", clBlack, {}},
    {"KeyAttri", clGreen, TFontStyles{fsBold}},      {"NumberAttri", clBlack, {}},
    {"StringAttri", clRed, {}},                      {"SymbolAttri", clBlack, {}},
};
const TAttributeDefault kSqlDefaults[] = {
    {"CommentAttri", clNavy, TFontStyles{fsItalic}}, {"IdentifierAttri", clBlack, {}},
    {"VariableAttri", clPurple, {}},                 {"ParameterAttri", clMaroon, {}},
    {"KeyAttri", clGreen, TFontStyles{fsBold}},      {"NumberAttri", clMaroon, {}},
    {"StringAttri", clRed, {}},                      {"SymbolAttri", clPurple, {}},
};
const TAttributeDefault kPerlDefaults[] = {
    {"CommentAttri", clNone, TFontStyles{fsItalic}}, {"KeyAttri", clNone, TFontStyles{fsBold}},
    {"PragmaAttri", clNone, TFontStyles{fsBold}},    {"VariableAttri", clNone, TFontStyles{fsBold}},
    {"SpaceAttri", clWindow, {}},
};
const TAttributeDefault kBatchDefaults[] = {{"CommentAttri", clNone, TFontStyles{fsItalic}}};
const TAttributeDefault kJavaDefaults[] = {
    {"CommentAttri", clNavy, TFontStyles{fsItalic}}, {"DocumentAttri", clNone, TFontStyles{fsItalic}},
    {"IdentifierAttri", clBlack, {}},                {"KeyAttri", clGreen, TFontStyles{fsBold}},
    {"NumberAttri", clBlack, {}},                    {"SpaceAttri", clWindow, {}},
    {"StringAttri", clRed, {}},                      {"SymbolAttri", clBlack, {}},
};

TktHighLightAttributes* PublishedAttribute(TktCustomHighLighter* hl, const char* name) {
  for (const TPropInfo* p : hl->ClassInfo()->GetProps())
    if (p->Kind == tkClass && p->GetObj && p->Name == name)
      return dynamic_cast<TktHighLightAttributes*>(p->GetObj(hl));
  return nullptr;
}

template <size_t N>
void SetDefaults(TktCustomHighLighter* hl, const TAttributeDefault (&defaults)[N]) {
  for (const TAttributeDefault& d : defaults) {
    TktHighLightAttributes* attr = PublishedAttribute(hl, d.Attribute);
    if (!attr) continue;
    if (d.Foreground != clNone) attr->SetForeground(d.Foreground);
    attr->SetStyle(d.Style);
  }
}

}  // namespace

TData::TData(TComponent* owner) : TDataModule(owner) {
  SetName("Data");
  C = Make<TDcjCppSyn>(this, "C");
  Dfm = Make<TuxDfmSyn>(this, "Dfm");
  Fortran = Make<TktFortranSyn>(this, "Fortran");
  HTML1 = Make<TejHTMLSyn>(this, "HTML1");
  Ini = Make<TqaIniSyn>(this, "Ini");
  Java = Make<TDcjJavaSyn>(this, "Java");
  JScript = Make<TktJScriptSyn>(this, "JScript");
  VbScript = Make<TyfVbsSyn>(this, "VbScript");
  Batch = Make<TuxBatSyn>(this, "Batch");
  Pascal = Make<TktPasSyn>(this, "Pascal");
  Perl = Make<TDcjPerlSyn>(this, "Perl");
  SQL = Make<TrvSQLSyn>(this, "SQL");
  VisualBasic = Make<TpsVisualBasicSyn>(this, "VisualBasic");
  Assembler = Make<TgxAsmSyn>(this, "Assembler");
  RtfExport = Make<TktRtfExport>(this, "RtfExport");
  RtfExport->SetTitle("(Untitled)");
  RtfExport->SetUseBackground(false);
  HtmlExport = Make<TktHtmlExport>(this, "HtmlExport");
  HtmlExport->SetTitle("(Untitled)");
  HtmlExport->SetUseBackground(false);
  HtmlExport->SetCreateHTMLFragment(true);
  HTML = Make<TrvMultiSyn>(this, "HTML");
  JScript1 = Make<TktJScriptSyn>(this, "JScript1");
  VbScript1 = Make<TyfVbsSyn>(this, "VbScript1");
  VisualBasic1 = Make<TpsVisualBasicSyn>(this, "VisualBasic1");
  ADSP = Make<TwbADSP21xxSyn>(this, "ADSP");
  SetApplicationSchemes(*HTML, HTML1, JScript1, VbScript1, VisualBasic1);
  for (TktCustomHighLighter* hl : std::initializer_list<TktCustomHighLighter*>{
           Assembler, VisualBasic, VisualBasic1, VbScript, VbScript1, JScript, JScript1})
    SetDefaults(hl, kScriptDefaults);
  SetDefaults(SQL, kSqlDefaults);
  SetDefaults(Perl, kPerlDefaults);
  SetDefaults(Batch, kBatchDefaults);
  SetDefaults(Java, kJavaDefaults);
}

TData::~TData() {
  DoDestroy();
  if (Data == this) Data = nullptr;
}

TktCustomHighLighter* TData::FindHighlighter(const std::string& name) const {
  for (const char* n : kFileTypeHighlighters)
    if (SameText(name, n)) return dynamic_cast<TktCustomHighLighter*>(FindComponent(n));
  return nullptr;
}

void TData::ListStoredProps(TStrings* props) const {
  for (int i = 0; i < GetComponentCount(); ++i) {
    auto* hl = dynamic_cast<TktCustomHighLighter*>(GetComponent(i));
    if (!hl || !hl->ClassInfo()) continue;
    for (const TPropInfo* p : hl->ClassInfo()->GetProps()) {
      if (p->Kind != tkClass || !p->GetObj) continue;
      if (dynamic_cast<TktHighLightAttributes*>(p->GetObj(hl)))
        props->Add(hl->GetName() + "." + p->Name);
    }
  }
}

void TData::SaveProps(TCustomIniFile& ini, const std::string& section) {
  TStringList props;
  ListStoredProps(&props);
  ResolveStoredProps(this, &props);
  StoreComponentProps(ini, section, this, &props);
}

void TData::RestoreProps(TCustomIniFile& ini, const std::string& section) {
  TStringList props;
  ListStoredProps(&props);
  ResolveStoredProps(this, &props);
  LoadComponentProps(ini, section, this, &props);
}

void TData::ShowCaretPosition(const TktCustomEdit& edit) {
  if (MainWindow) MainWindow->SetCaretStatus(Format("%3d:%3d", edit.GetCaretY(), edit.GetCaretX()));
}

void TData::EditorClick(TktCustomEdit& edit) { ShowCaretPosition(edit); }

void TData::EditorKeyDown(TktCustomEdit& edit, uint16_t& key, TShiftState shift, char typed) {
  ShowCaretPosition(edit);
  if (shift.Contains(ssAlt)) {
    if (edit.GetSelectionMode() != smColumn) edit.SetSelectionMode(smColumn);
    if (shift.Contains(ssShift))
      for (const TColumnKey& k : kColumnKeys)
        if (k.Key == key) {
          edit.ExecuteCommand(shift.Contains(ssCtrl) ? k.WithCtrl : k.Plain, '\0', nullptr);
          break;
        }
    return;
  }
  if (shift.Contains(ssShift)) edit.SetSelectionMode(DefaultSelectionMode(edit));
  // By the character, not the key: "=" lies on another key in many layouts,
  // and Shift on the US "=" key types "+". The control drops "=" when it
  // types it itself, so it goes in here exactly once.
  if (typed == '=' && !shift.Contains(ssCtrl)) SolveAtCaret(edit);
  if (IsModifierKey(key)) return;
  SetCtrlKPending(edit, false);
  if (key == 'K' && shift.Contains(ssCtrl)) {
    SetCtrlKPending(edit, true);
    key = 0;
  }
}

void SolveAtCaret(TktCustomEdit& edit) {
  if (edit.GetReadOnly()) return;
  const TPoint start = edit.SelAvail() ? edit.GetBlockBegin() : edit.GetCaretXY();
  // The caret line's text before the caret (or the selection's start).
  const std::string_view line = edit.LineText(start.Y);
  const size_t before = std::min(line.size(), static_cast<size_t>(std::max(0, start.X - 1)));
  std::string text = "=";
  if (std::optional<std::string> value = SolveValue(line.substr(0, before))) text += *value;
  // Typing replaces a selection in one undo step; without one the string
  // command honours overwrite mode like a typed character.
  if (edit.SelAvail())
    edit.SetSelText(text);
  else
    edit.ExecuteCommand(ecImeStr, '\0', text.data());
}
