// TMainForm's find, replace and search-in-all-documents commands with the
// results list under the documents, and the file type's keys: F9 and its
// companions, the help keys and the Alt+letter text expansions.
#include "app/documents/win/MainForm.h"

#include "app/EditorAppBytes.h"
#include "app/commands/win/RunShell.h"
#include "app/settings/win/Setup.h"
#include "editor/CustomEdit.h"
#include "editor/EditList.h"
#include "platform/ShortCuts.h"
#include "platform/SysUtils.h"

namespace {

// Places for the unexpected-error box.
enum {
  kPlaceFind = 2101, kPlaceFindNext = 2102, kPlaceReplace = 2103, kPlaceFindFiles = 2104,
  kPlaceFindBox = 2105, kPlaceRun = 2106, kPlaceHelp = 2107, kPlaceExpansion = 2108,
};

std::string TempFolder() {
  char path[MAX_PATH + 1] = {};
  const DWORD n = ::GetTempPathA(MAX_PATH, path);
  return n > 0 && n <= MAX_PATH ? std::string(path, n) : std::string();
}

}  // namespace

void TMainForm::MakeSearch() {
  FFindResults = std::make_unique<TFindResultsPane>(this, PMain);
  FFindResults->OnOpen = [this](const TFindResult& hit, const std::string& text) { FindBoxDblClick(hit, text); };
  // The item stands in the Edit menu, after the search whose results it hides.
  if (auto* hide = static_cast<TMenuItem*>(FindComponent("HideSearchResults1")))
    hide->OnClick = [this](TObject*) { HideSearchResults1Click(); };

  // Alt+A to Alt+Z, each with its letter's place in the alphabet as Tag.
  for (int tag = 1; tag <= 26; ++tag) {
    auto* action = new TAction(this);
    const std::string name = "Action" + std::to_string(tag);
    action->SetName(name);
    action->SetCaption(name);
    action->SetTag(tag);
    action->SetShortCut(TextToShortCut(std::string("Alt+") + char('A' + tag - 1)));
    action->OnExecute = [this, tag](TObject*) { Action1Execute(tag); };
    action->SetActionList(ActionList);
    FActions[LowerCase(name)] = action;
    FHandled[LowerCase(name)] = true;
  }
}

void TMainForm::UseSearchDialogs(TFind* find, TReplace* replace, THexFind* hexFind) {
  SetDialogs(find, replace, hexFind);
  ApplyEditorFont();
}

// --- the search host --------------------------------------------------------------

TktCustomEdit* TMainForm::TextEditor() {
  return FDocs.CurrentEditor() && FDocs.TextViewVisible() ? FDocs.CurrentEditor() : nullptr;
}

THexEditor* TMainForm::HexEditor() {
  return FDocs.CurrentEditor() && !FDocs.TextViewVisible() ? FDocs.CurrentHexEditor() : nullptr;
}

bool TMainForm::BlockPrefixPending() {
  TktCustomEdit* edit = FDocs.CurrentEditor();
  return edit && CtrlKPending(*edit);
}

void TMainForm::ReadBlock() {
  // Ctrl+K then Ctrl+R: the chord is complete, whatever the block read does.
  if (TktCustomEdit* edit = FDocs.CurrentEditor()) SetCtrlKPending(*edit, false);
  if (TCustomAction* action = FindAction("aBlockReadFromFile")) action->Execute();
}

std::vector<TSearchDocument> TMainForm::SearchDocuments() {
  std::vector<TSearchDocument> documents;
  for (int n = 0; n <= FDocs.GetWindowCounter(); ++n)
    if (TktCustomEdit* edit = FDocs.Views(n).Edit) documents.push_back({n, edit->FileName, edit->GetLines()});
  return documents;
}

void TMainForm::ShowResults(const std::vector<TFindResult>& results, const std::string& searchText) {
  FFindResults->Show(results, searchText);
}

// --- the commands ----------------------------------------------------------------

void TMainForm::aEditFindExecute() {
  RunGuarded(kPlaceFind, [&] {
    if (TextEditor())
      FSearch.Find();
    else if (HexEditor())
      FSearch.HexFind();
  });
}

void TMainForm::aEditFindNextExecute() {
  RunGuarded(kPlaceFindNext, [&] {
    if (TextEditor())
      FSearch.FindNext();
    else if (HexEditor())
      FSearch.HexFindNext();
  });
}

void TMainForm::aEditReplaceExecute() {
  // Every replacement changes the text and would refresh the status bar,
  // captions and actions; they are refreshed once, when the command ends.
  FDocs.HoldUpdates();
  RunGuarded(kPlaceReplace, [&] { FSearch.Replace(); });
  FDocs.ReleaseUpdates();
}

void TMainForm::FindinFiles1Click() {
  RunGuarded(kPlaceFindFiles, [&] { FSearch.FindInAllDocuments(); });
}

void TMainForm::HideSearchResults1Click() { FFindResults->Hide(); }

void TMainForm::FindBoxDblClick(const TFindResult& hit, const std::string& searchText) {
  RunGuarded(kPlaceFindBox, [&] {
    TktCustomEdit* edit = FDocs.Views(hit.Document).Edit;
    if (!edit) return;  // the document was closed since
    for (int i = 0; i < GetPageCount(); ++i)
      if (GetPageTag(i) == hit.Document) {
        // Through the tab change, so the current document follows.
        FDocs.ActivateTab(i);
        break;
      }
    ShowFindResult(*edit, hit.Line, hit.Column, searchText);
  });
}

// --- run, help and expansion keys ----------------------------------------------

std::string TMainForm::CurrentFileExt() const {
  TktCustomEdit* edit = FDocs.CurrentEditor();
  return edit ? DocumentExtension(edit->FileName) : std::string();
}

void TMainForm::RunCommand(TRunKey key) {
  RunGuarded(kPlaceRun, [&] {
    TktCustomEdit* edit = FDocs.CurrentEditor();
    if (!edit || CurrentFileExt().empty()) return;
    const int mode = FSetup ? FSetup->RunMode->GetItemIndex() : int(rmRunCopy);
    const TRunPlan plan = PlanRun(key, mode, {edit->FileName, edit->GetModified()}, TempFolder());
    TRunActions actions;
    actions.Save = [this] {
      const bool saved = FDocs.SaveCurrentFile();
      FDocs.UpdateStatus();
      return saved;
    };
    actions.Lines = edit->GetLines();
    actions.ShowMessage = [this](const std::string& text) { ShowMessage(text); };
    CarryOutRun(GetHandle(), plan, actions);
  });
}

void TMainForm::HelpCommand(THelpKey key) {
  RunGuarded(kPlaceHelp, [&] {
    TktCustomEdit* edit = FDocs.CurrentEditor();
    if (!edit) return;
    const THelpPlan plan = PlanHelp(key, edit->FileName);
    if (!plan.HasRow) return;
    // The file type's help file becomes the window's own; an empty field
    // leaves the window without one and asks the help system nothing.
    SetHelpFile(plan.HelpFile);
    if (!plan.Jump) return;
    edit->SetWordBlock(edit->GetCaretXY());
    HelpJump(GetHandle(), GetHelpFile(), edit->GetSelText());
  });
}

void TMainForm::Action1Execute(int tag) {
  RunGuarded(kPlaceExpansion, [&] {
    TktCustomEdit* edit = TextEditor();
    std::string text;
    if (!edit || !ExpansionFor(tag, edit->FileName, text)) return;
    edit->SetSelText(text);
  });
}
