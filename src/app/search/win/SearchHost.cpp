// The search dialogs shown for the main window's commands.
#include "app/search/win/SearchHost.h"

#include "app/search/win/FindDlg.h"
#include "app/search/win/HexFindDlg.h"
#include "app/search/win/ReplaceDlg.h"
#include "platform/win/Application.h"

namespace {

// The word the dialog starts with, selected in its box.
void PreFill(TComboBox* box, const std::string& word) {
  box->SetText(word);
  box->SetSelStart(0);
  box->SetSelLength(int(word.size()));
}

}  // namespace

bool TSearchDialogHost::ShowFind(const std::string& word, TSearchDialogValues& values) {
  if (!FFind) return false;
  PreFill(FFind->FindText, word);
  const bool ok = FFind->ShowModal() == mrOk;
  values = FFind->Values();
  return ok;
}

bool TSearchDialogHost::ShowFindInFiles(const std::string& word, TSearchDialogValues& values) {
  if (!FFind) return false;
  FFind->SetFindInFiles(true);
  try {
    const bool ok = ShowFind(word, values);
    FFind->SetFindInFiles(false);
    return ok;
  } catch (...) {
    FFind->SetFindInFiles(false);
    throw;
  }
}

int TSearchDialogHost::ShowReplace(const std::string& word, TSearchDialogValues& values) {
  if (!FReplace) return mrCancel;
  PreFill(FReplace->FindText, word);
  const int result = FReplace->ShowModal();
  values = FReplace->Values();
  return result;
}

bool TSearchDialogHost::ShowHexFind(std::string& findHex, TSearchDialogValues& values) {
  if (!FHexFind) return false;
  const bool ok = FHexFind->ShowModal() == mrOk;
  HexFindValues(findHex, values);
  return ok;
}

void TSearchDialogHost::HexFindValues(std::string& findHex, TSearchDialogValues& values) {
  if (!FHexFind) return;
  findHex = FHexFind->FindHex->GetText();
  values = FHexFind->Values();
}

void TSearchDialogHost::ShowMessage(const std::string& text) { ::ShowMessage(text); }
