// TReplace, the "Replace" dialog: the find dialog's values plus the
// replacement with its own history, "Prompt on Replace" (checked at first)
// and "Replace All", whose result is 10. Its values live in the section
// "ReplaceDialog".
#pragma once

#include "app/search/win/SearchDialog.h"

// The modal result of "Replace All".
inline constexpr int mrReplaceAll = 10;

class TReplace : public TSearchDialog {
public:
  explicit TReplace(TComponent* owner);

  TComboBox* ReplaceText;
  TCheckBox* Prompt;
  TButton* ReplaceAll;

  TSearchDialogValues Values() const override;
  // Both histories take their box's text.
  void AddToHistory() override;

private:
  void FormShow(TObject* sender);
  void ReplaceAllClick(TObject* sender);
  int AcceptResult() override { return FAcceptResult; }
  int FAcceptResult = mrOk;
};
