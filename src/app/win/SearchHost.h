// The dialog half of the main window's search host: Find, Replace and
// Binary Search shown modally, pre-filled and read back, and the "not found"
// messages. The main window derives from it and names its current editor,
// hex view and documents, the results list and the block read.
#pragma once

#include "app/SearchRunner.h"

class TFind;
class TReplace;
class THexFind;

class TSearchDialogHost : public TSearchHost {
public:
  TSearchDialogHost(TFind& find, TReplace& replace, THexFind& hexFind)
      : FFind(find), FReplace(replace), FHexFind(hexFind) {}

  bool ShowFind(const std::string& word, TSearchDialogValues& values) override;
  bool ShowFindInFiles(const std::string& word, TSearchDialogValues& values) override;
  int ShowReplace(const std::string& word, TSearchDialogValues& values) override;
  bool ShowHexFind(std::string& findHex, TSearchDialogValues& values) override;
  void HexFindValues(std::string& findHex, TSearchDialogValues& values) override;
  void ShowMessage(const std::string& text) override;

private:
  TFind& FFind;
  TReplace& FReplace;
  THexFind& FHexFind;
};
