// The options dialog's tables.
#include "app/settings/SetupValues.h"

#include "platform/Classes.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

const std::vector<const char*> kSetupStoredProps = {
    "Extraspacing.Value", "Maxlength.Value", "UndoLimit.Value", "RightEdge.Value", "Selmode.ItemIndex",
    "SmartTabs.Checked", "DragDropEditing.Checked", "ScrollPastEol.Checked", "HalfPageScroll.Checked",
    "AutoIndent.Checked", "ShowScrollHint.Checked", "InsertMode.Checked", "ReopenCount.Value",
    "RunMode.ItemIndex", "EOL.Checked", "CheckPrev.Checked", "HideTabs.Checked", "Backup.ItemIndex",
    "Wordwrap.Checked", "TabWidth.Value", "SaveReloadSession.Checked", "AskFormat.Checked",
    "Autosave.Checked", "Autosavemin.Value", "ShowGutter.Checked", "Autosize.Checked", "Showlines.Checked",
    "GutterWidth.Value", "Fontsize.Value", "Italic.Checked", "Bold.Checked", "test.Color", "test.RightEdge",
    "test.RightEdgeColor", "test.SelectedColor", "test.Font", "ShowStatusBar.Checked", "Hide.Checked",
    "Small.Checked", "Big.Checked", "FilePanel.Checked", "EditPanel.Checked", "ViewPanel.Checked",
    "BlockPanel.Checked", "ToolPanel.Checked", "BMPanel.Checked", "UseLanguage.Checked", "Language.Text",
    "OpenDialog.FileName", "OpenDialog.InitialDir", "SaveDialog.FileName", "SaveDialog.InitialDir",
};

const std::vector<TControlValue> kGeneralDefaults = {
    {"Extraspacing", "Value", "0"},          {"Maxlength", "Value", "255"},
    {"UndoLimit", "Value", "1000"},          {"RightEdge", "Value", "80"},
    {"Selmode", "ItemIndex", "0"},           {"SmartTabs", "Checked", "True"},
    {"DragDropEditing", "Checked", "True"},  {"ScrollPastEol", "Checked", "True"},
    {"AutoIndent", "Checked", "True"},       {"ShowScrollHint", "Checked", "True"},
    {"InsertMode", "Checked", "True"},       {"HalfPageScroll", "Checked", "False"},
    {"ReopenCount", "Value", "10"},
};

const std::vector<TControlValue> kInterfaceDefaults = {
    {"ShowStatusBar", "Checked", "True"}, {"Hide", "Checked", "True"},      {"FilePanel", "Checked", "True"},
    {"EditPanel", "Checked", "True"},     {"ViewPanel", "Checked", "True"}, {"BlockPanel", "Checked", "True"},
    {"ToolPanel", "Checked", "True"},     {"BMPanel", "Checked", "True"},
};

const std::vector<TControlValue> kGutterDefaults = {
    {"ShowGutter", "Checked", "True"},
    {"Autosize", "Checked", "False"},
    {"Showlines", "Checked", "False"},
    {"GutterWidth", "Value", "30"},
};

void ApplyControlValues(TComponent* form, const std::vector<TControlValue>& values) {
  for (const TControlValue& v : values) {
    TComponent* c = form->FindComponent(v.Control);
    if (!c) throw EComponentError(std::string("Component not found: ") + v.Control);
    SetPropText(c, v.Property, v.Value);
  }
}
