// TFind, the "Find" dialog: the text to find with its history, case and
// whole words, scope, direction and origin. Its values live in the section
// "Find", which the hex find shares. Search in all documents shows it as
// "Find in files" with scope, direction and origin disabled.
#pragma once

#include "app/search/win/SearchDialog.h"

class TFind : public TSearchDialog {
public:
  explicit TFind(TComponent* owner);

  // Search in all documents: caption "Find in files" and the three groups
  // disabled; false puts the caption "Find" and the groups back.
  void SetFindInFiles(bool on);

private:
  void FormShow(TObject* sender);
};
