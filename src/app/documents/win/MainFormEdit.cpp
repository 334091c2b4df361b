// The main window's edit, block, bookmark and roll-up commands. Edit
// commands go to the current editor as its own numbered commands; several of
// them are also the second key of a Ctrl+K chord while the editor's prefix
// is pending. The text rules behind the block commands live in EditRules.
#include "app/documents/win/MainForm.h"

#include "app/Data.h"
#include "app/commands/EditRules.h"
#include "app/EditorAppBytes.h"
#include "app/win/DataWin.h"
#include "app/tools/win/InputKey.h"
#include "app/tools/win/RollUp.h"
#include "editor/EditorCommands.h"
#include "hexedit/HexEditor.h"
#include "platform/Registry.h"
#include "platform/ShortCuts.h"
#include "platform/SysUtils.h"
#include "platform/win/Dialogs.h"
#include "platform/win/FormBuilder.h"

namespace {

// Command numbers for the unexpected-error box.
enum TEditPlace {
  kPlaceEditCommand = 1720, kPlaceBlockRead = 1721, kPlaceBlockWrite = 1722, kPlaceBlockNewWindow = 1723,
  kPlaceSelectionMode = 1724, kPlaceCase = 1725, kPlaceGoToLine = 1726, kPlaceDuplicateLine = 1727,
  kPlaceStatistic = 1728, kPlaceSolve = 1729, kPlaceBookmark = 1730, kPlaceRollUp = 1731,
  kPlaceRollUpInsert = 1732, kPlaceRollUpRelease = 1733,
};

const char* const kSelectionModeActions[] = {"aBlockNormalSelection", "aBlockVerticalSelection",
                                             "aBlockLinearSelection"};

}  // namespace

TktCustomEdit* TMainForm::ShownTextEditor() const {
  return FDocs.CurrentEditor() && FDocs.TextViewVisible() ? FDocs.CurrentEditor() : nullptr;
}

bool TMainForm::TakeBlockPrefix() {
  TktCustomEdit* edit = FDocs.CurrentEditor();
  if (!edit || !CtrlKPending(*edit)) return false;
  // The key was the chord's second: it never reached the editor, whose
  // key handler would have ended the chord.
  SetCtrlKPending(*edit, false);
  return true;
}

// --- edit commands ----------------------------------------------------------------------

void TMainForm::EditorCommand(TktEditorCommand command, bool withPrefix) {
  RunGuarded(kPlaceEditCommand, [&] {
    TktCustomEdit* edit = ShownTextEditor();
    if (TakeBlockPrefix() && !withPrefix) return;
    if (edit) edit->ExecuteCommand(command, '\0', nullptr);
  });
}

void TMainForm::EditUndo() {
  if (FDocs.CurrentEditor() && !FDocs.TextViewVisible()) {
    RunGuarded(kPlaceEditCommand, [&] {
      THexEditor* hex = FDocs.CurrentHexEditor();
      if (!hex->GetCanUndo()) return;
      if (hex->Undo())
        FDocs.UpdateStatus();
      else
        // The record stays: the undo can be tried again once the temporary
        // folder takes files.
        ShowMessage("The last change could not be undone: no temporary file could be made.");
    });
    return;
  }
  EditorCommand(ecUndo, false);
}

void TMainForm::EditCopy() {
  TktCustomEdit* edit = ShownTextEditor();
  if (edit && TakeBlockPrefix()) {
    RunGuarded(kPlaceEditCommand, [&] { CopyBlock(*edit); });
    return;
  }
  EditorCommand(ecCopy, false);
}

// Ctrl+K Ctrl+C: a copy of the selection goes in after it and is selected.
void TMainForm::CopyBlock(TktCustomEdit& edit) {
  if (!edit.SelAvail()) return;
  const std::string text = edit.GetSelText();
  const TPoint end = edit.GetBlockEnd();
  edit.SetCaretXY(end);
  edit.SetBlockBegin(end);
  edit.SetBlockEnd(end);
  edit.SetSelText(text);
  const TPoint after = edit.GetCaretXY();
  edit.SetBlockBegin(end);
  edit.SetBlockEnd(after);
  edit.SetCaretXY(after);
  edit.Invalidate();
  SetDefaultSelectionMode(edit, smNormal);
  edit.SetSelectionMode(smNormal);
}

void TMainForm::EditDuplicateLine() {
  WithShownText(kPlaceDuplicateLine, [&](TktCustomEdit* edit) {
    const TPoint caret = edit->GetCaretXY();
    const std::string line(edit->LineText(caret.Y));
    // One text change, so one undo step takes the copy back.
    const TPoint start(1, caret.Y);
    edit->SetBlockBegin(start);
    edit->SetBlockEnd(start);
    edit->SetCaretXY(start);
    edit->SetSelText(line + "\r\n");
    edit->SetCaretXY(caret);
    edit->SetModified(true);
  });
}

void TMainForm::EditGoToLine() {
  WithShownText(kPlaceGoToLine, [&](TktCustomEdit* edit) {
    const std::string answer = InputBox("Go to Line", "Enter Line Number", "");
    int line = 0, top = 0;
    if (!GoToLineAnswer(answer, edit->GetLineCount(), line, top)) return;
    edit->SetTopLine(top);
    edit->SetCaretY(line);
  });
}

// --- block commands ---------------------------------------------------------------------

void TMainForm::BlockReadFromFile() {
  WithShownText(kPlaceBlockRead, [&](TktCustomEdit* edit) {
    std::string name;
    if (!RunOpenDialog(name)) return;
    edit->SetSelText(ReadBlockFile(name));
  });
}

void TMainForm::BlockWriteToFile() {
  WithShownText(kPlaceBlockWrite, [&](TktCustomEdit* edit) {
    if (!edit->SelAvail()) return;
    std::string name;
    if (TSaveDialog* dialog = FData ? DataSaveDialog(FData) : nullptr) {
      dialog->SetFileName("");
      if (!dialog->Execute()) return;
      name = dialog->GetFileName();
    } else if (!RunSaveDialog(name)) {
      return;
    }
    WriteBlockFile(name, edit->GetSelText());
  });
}

void TMainForm::HiddenWrite() {
  if (TakeBlockPrefix()) BlockWriteToFile();
}

void TMainForm::BlockOpenInNewWindow() {
  WithShownText(kPlaceBlockNewWindow, [&](TktCustomEdit* edit) {
    if (!edit->SelAvail()) return;
    const std::string text = edit->GetSelText();
    TktCustomHighLighter* highlighter = edit->GetHighLighter();
    FDocs.NewWindow();
    FDocs.PageControlChange();
    TktCustomEdit* made = FDocs.CurrentEditor();
    made->FileName.clear();
    made->SetSelText(text);
    made->SetHighLighter(highlighter);
    FDocs.UpdateStatus();
    FDocs.UpdateActions();
  });
}

void TMainForm::BlockSelectionMode(TSelectionMode mode) {
  WithShownText(kPlaceSelectionMode, [&](TktCustomEdit* edit) {
    for (int m = smNormal; m <= smLine; ++m) SetActionChecked(kSelectionModeActions[m], m == mode);
    SetDefaultSelectionMode(*edit, mode);
    edit->SetSelectionMode(mode);
    FDocs.UpdateActions();
  });
}

void TMainForm::BlockCase(bool upper) {
  RunGuarded(kPlaceCase, [&] {
    TktCustomEdit* edit = ShownTextEditor();
    // Column and line blocks are refused: the action is disabled for them.
    if (!edit || !edit->SelAvail() || edit->GetSelectionMode() != smNormal) return;
    const TPoint begin = edit->GetBlockBegin();
    const std::string text = edit->GetSelText();
    edit->SetSelText(upper ? AnsiUpperCase(text) : AnsiLowerCase(text));
    const TPoint end = edit->GetCaretXY();
    edit->SetBlockBegin(begin);
    edit->SetBlockEnd(end);
  });
}

void TMainForm::BlockStatistic() {
  WithShownText(kPlaceStatistic, [&](TktCustomEdit* edit) {
    if (!edit->SelAvail()) return;
    std::string report;
    try {
      report = StatisticsReport(edit->GetSelText());
    } catch (const Exception& e) {
      ShowMessage(e.Message());
      return;
    }
    FDocs.NewWindow();
    FDocs.PageControlChange();
    FDocs.CurrentEditor()->FileName.clear();
    FDocs.CurrentEditor()->SetSelText(report);
    FDocs.UpdateStatus();
  });
}

void TMainForm::Solve() {
  WithShownText(kPlaceSolve, [&](TktCustomEdit* edit) { SolveAtCaret(*edit); });
}

// --- bookmarks --------------------------------------------------------------------------

void TMainForm::SetBookmark(int number) {
  WithShownText(kPlaceBookmark, [&](TktCustomEdit* edit) {
    edit->SetBookMark(number, edit->GetCaretX(), edit->GetCaretY());
    FDocs.UpdateActions();
  });
}

void TMainForm::GoToBookmark(int number) {
  WithShownText(kPlaceBookmark, [&](TktCustomEdit* edit) { edit->GotoBookMark(number); });
}

void TMainForm::ClearBookmark(int number) {
  WithShownText(kPlaceBookmark, [&](TktCustomEdit* edit) {
    if (number > 0) {
      edit->ClearBookMark(number);
    } else {
      for (int n = 1; n <= 9; ++n) edit->ClearBookMark(n);
    }
    FDocs.UpdateActions();
  });
}

void TMainForm::SetFreeBookmark() {
  TktCustomEdit* edit = ShownTextEditor();
  if (!edit) return;
  for (int n = 1; n <= 9; ++n)
    if (!edit->IsBookMark(n)) {
      SetBookmark(n);
      return;
    }
}

void TMainForm::FillBookmarkMenu(TPopupMenu* menu, const std::string& prefix, bool clear) {
  menu->GetItems()->Clear();
  TktCustomEdit* edit = ShownTextEditor();
  if (!edit) return;
  for (int n = 1; n <= 9; ++n) {
    int x = 0, y = 0;
    if (!edit->GetBookMark(n, x, y)) continue;
    auto* item = new TMenuItem(this);
    item->SetCaption(BookmarkCaption(prefix, n, edit->LineText(y)));
    item->OnClick = [this, item, clear](TObject*) {
      // The number is read back from the caption, as the item says it.
      const int number = BookmarkNumberFromCaption(item->GetCaption());
      if (number == 0) return;
      if (clear)
        ClearBookmark(number);
      else
        GoToBookmark(number);
    };
    menu->GetItems()->Add(item);
  }
}

// --- roll-ups ---------------------------------------------------------------------------

void TMainForm::MakeInputKey() {
  InputKey = new TInputKey(this);
  InputKey->UsedShortCuts = [this] { return UsedShortCuts(); };
}

std::vector<TShortCut> TMainForm::UsedShortCuts() const {
  std::vector<TShortCut> used;
  for (int i = 0; i < GetComponentCount(); ++i)
    if (auto* item = dynamic_cast<TMenuItem*>(GetComponent(i)); item && item->GetShortCut() != scNone)
      used.push_back(item->GetShortCut());
  for (int i = 0; i < GetComponentCount(); ++i)
    if (auto* action = dynamic_cast<TCustomAction*>(GetComponent(i)); action && action->GetShortCut() != scNone)
      used.push_back(action->GetShortCut());
  return used;
}

TRollUp* TMainForm::MakeRollUp(const std::string& hotKeyText, const std::string& text, TShortCut shortCut) {
  const int number = FRollUpCounter;
  auto* rollUp = new TRollUp(this, number, this);
  rollUp->Memo->GetEdit()->SetText(text);
  rollUp->RollCaption->SetCaption(hotKeyText);
  rollUp->OnInsert = [this](TRollUp& r) { InsertRollUp(r); };
  rollUp->OnRelease = [this](TRollUp& r) { ReleaseRollUp(r); };
  auto* action = new TAction(this);
  action->SetName("i" + std::to_string(number));
  action->SetTag(number);
  action->SetShortCut(shortCut);
  action->OnExecute = Bind(this, &TMainForm::AutoInsertClick);
  action->SetActionList(ActionList);
  ++FRollUpCounter;
  rollUp->SetBounds(GetLeft() + GetWidth() - 85, GetTop() + 20 + 20 * FRollUpCounter, 80, 40);
  rollUp->Show();
  return rollUp;
}

TRollUp* TMainForm::FindRollUp(int number) const {
  return dynamic_cast<TRollUp*>(FindComponent("r" + std::to_string(number)));
}

void TMainForm::BlockSetAsRollUp() {
  WithShownText(kPlaceRollUp, [&](TktCustomEdit* edit) {
    if (!edit->SelAvail()) return;
    if (InputKey->Execute() != mrOk || InputKey->GetHotKeyText().empty()) return;
    MakeRollUp(InputKey->GetHotKeyText(), edit->GetSelText(), InputKey->GetShortCut());
    FocusView(GetPageTag(GetActivePageIndex()), true);
  });
}

void TMainForm::AutoInsertClick(TObject* sender) {
  auto* action = dynamic_cast<TComponent*>(sender);
  if (!action) return;
  if (TRollUp* rollUp = dynamic_cast<TRollUp*>(FindComponent("r" + action->GetName().substr(1))))
    InsertRollUp(*rollUp);
}

void TMainForm::InsertRollUp(TRollUp& rollUp) {
  WithShownText(kPlaceRollUpInsert,
                [&](TktCustomEdit* edit) { edit->SetSelText(RollUpSnippetText(rollUp.GetSnippet())); });
}

void TMainForm::ReleaseRollUp(TRollUp& rollUp) {
  RunGuarded(kPlaceRollUpRelease, [&] {
    // Only this roll-up's action goes, wherever it stands in the list.
    delete FindComponent("i" + std::to_string(rollUp.GetNumber()));
    rollUp.Hide();
    // Freed once the click that released it is over; its hot key is free
    // at once, and shutdown finds no window to write back.
    rollUp.Release();
    TRegistry registry;
    if (registry.OpenKey(ProgramRegistryKey() + "\\Rollup", true)) registry.DeleteValue(rollUp.GetHotKeyText());
  });
}

void TMainForm::RestoreRollUps() {
  for (const TRollUpRecord& r : ReadRollUps()) {
    // A name that is no shortcut text brings the snippet back without a key.
    TShortCut shortCut = scNone;
    try {
      shortCut = TextToShortCut(r.HotKey);
    } catch (const Exception&) {
    }
    MakeRollUp(r.HotKey, r.Text, shortCut);
  }
}

std::vector<TRollUpRecord> TMainForm::RollUpRecords() const {
  std::vector<TRollUpRecord> records;
  for (int k = 0; k <= FRollUpCounter; ++k) {
    TRollUp* rollUp = FindRollUp(k);
    // A released one lingers hidden until its click is over.
    if (rollUp && FindComponent("i" + std::to_string(k))) records.push_back({rollUp->GetHotKeyText(), rollUp->GetSnippet()});
  }
  return records;
}
