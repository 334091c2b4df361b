// The find, replace and hex-search commands.
#include "app/search/SearchRunner.h"

#include "app/search/SearchDialogs.h"
#include "editor/CustomEdit.h"
#include "editor/EditList.h"
#include "platform/SysUtils.h"

bool TextIsBlank(const TktCustomEdit& edit) {
  const TktEditList& lines = *edit.GetLines();
  for (int i = 0; i < lines.GetCount(); ++i)
    for (const char c : lines.GetView(i))
      if (uint8_t(c) > ' ') return false;
  return true;
}

void TSearchRunner::Search(TktCustomEdit& edit) {
  if (edit.SearchReplace(FLast.SearchText, FLast.ReplaceText, FLast.Options) == 0)
    FHost.ShowMessage(NotFoundMessage(FLast.SearchText));
}

TktCustomEdit* TSearchRunner::AskFind(TShowFind show, TSearchDialogValues& v) {
  TktCustomEdit* edit = FHost.TextEditor();
  if (!edit || TextIsBlank(*edit)) return nullptr;
  if (!(FHost.*show)(WordAtCaret(*edit), v) || v.FindText.empty()) return nullptr;
  FLast.SearchText = v.FindText;
  FLast.ReplaceText = v.FindText;
  return edit;
}

void TSearchRunner::Find() {
  TSearchDialogValues v;
  if (TktCustomEdit* edit = AskFind(&TSearchHost::ShowFind, v)) {
    FLast.Options = FindOptions(v);
    Search(*edit);
  }
}

void TSearchRunner::FindNext() {
  TktCustomEdit* edit = FHost.TextEditor();
  if (!edit) return;
  if (FLast.SearchText.empty()) {
    Find();
    return;
  }
  // Find Next goes on from the caret, even after an Entire Scope search.
  FLast.Options = FindNextOptions(FLast.Options);
  Search(*edit);
}

void TSearchRunner::Replace() {
  TktCustomEdit* edit = FHost.TextEditor();
  if (!edit) return;
  // After Ctrl+K the key is the second half of the block read.
  if (FHost.BlockPrefixPending()) {
    FHost.ReadBlock();
    return;
  }
  if (TextIsBlank(*edit)) return;
  TSearchDialogValues v;
  const int result = FHost.ShowReplace(WordAtCaret(*edit), v);
  if ((result != 1 && result != 10) || v.FindText.empty()) return;
  FLast.Options = ReplaceOptions(v, result == 10);
  FLast.SearchText = v.FindText;
  FLast.ReplaceText = v.ReplaceText;
  Search(*edit);
}

void TSearchRunner::FindInAllDocuments() {
  TSearchDialogValues v;
  if (!AskFind(&TSearchHost::ShowFindInFiles, v)) return;
  FLast.Options = FindAllOptions(v);
  const std::vector<TFindResult> results =
      FindInDocuments(FHost.SearchDocuments(), v.FindText, v.CaseSensitive, v.WholeWords);
  FHost.ShowResults(results, v.FindText);
}

void TSearchRunner::HexSearchWith(const std::string& findHex, const TSearchDialogValues& values,
                                  bool entireScope) {
  THexEditor* hex = FHost.HexEditor();
  if (!hex) return;
  HexSearch(*hex, HexSearchBytes(findHex), values.CaseSensitive, entireScope);
}

void TSearchRunner::HexFind() {
  if (!FHost.HexEditor()) return;
  std::string findHex;
  TSearchDialogValues v;
  if (!FHost.ShowHexFind(findHex, v) || Trim(findHex).empty()) return;
  HexSearchWith(findHex, v, v.Origin == 1);
}

void TSearchRunner::HexFindNext() {
  if (!FHost.HexEditor()) return;
  std::string findHex;
  TSearchDialogValues v;
  FHost.HexFindValues(findHex, v);
  if (Trim(findHex).empty()) {
    HexFind();
    return;
  }
  HexSearchWith(findHex, v, false);
}
