// THexFind, the "Binary Search" dialog of the hex view: the search bytes as
// text (with history) and as hex pairs, each box following the other while
// it has the focus, plus Case Sensitive and the origin group (captioned
// "Scope"). Its values live in the section "Find", shared with TFind.
#pragma once

#include "app/search/win/SearchDialog.h"

class THexFind : public TSearchDialog {
public:
  explicit THexFind(TComponent* owner);

  TEdit* FindHex;

private:
  void FindTextChange(TObject* sender);
  void FindHexChange(TObject* sender);
  bool FUpdating = false;
};
