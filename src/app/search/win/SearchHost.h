// The dialog half of the main window's search host: Find, Replace and
// Binary Search shown modally, pre-filled and read back, and the "not found"
// messages. The main window derives from it and names its current editor,
// hex view and documents, the results list and the block read. Until the
// dialogs are given (the main window is made before them) the commands ask
// nothing and search nothing.
#pragma once

#include "app/search/SearchRunner.h"

class TFind;
class TReplace;
class THexFind;

class TSearchDialogHost : public TSearchHost {
public:
  TSearchDialogHost() = default;
  TSearchDialogHost(TFind& find, TReplace& replace, THexFind& hexFind) { SetDialogs(&find, &replace, &hexFind); }
  THexFind* HexFindDialog() const { return FHexFind; }
  void SetDialogs(TFind* find, TReplace* replace, THexFind* hexFind) {
    FFind = find;
    FReplace = replace;
    FHexFind = hexFind;
  }

  bool ShowFind(const std::string& word, TSearchDialogValues& values) override;
  bool ShowFindInFiles(const std::string& word, TSearchDialogValues& values) override;
  int ShowReplace(const std::string& word, TSearchDialogValues& values) override;
  bool ShowHexFind(std::string& findHex, TSearchDialogValues& values) override;
  void HexFindValues(std::string& findHex, TSearchDialogValues& values) override;
  void ShowMessage(const std::string& text) override;

private:
  TFind* FFind = nullptr;
  TReplace* FReplace = nullptr;
  THexFind* FHexFind = nullptr;
};
