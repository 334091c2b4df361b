// The results of a search in all documents: the panel PFindResult along the
// bottom of its parent, holding the list box FindBox, one line per hit, and
// the Splitter above it that resizes it.
// Each line's document, line and column are kept beside the list, so a
// double click never reads numbers back out of a displayed file name.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/search/FindInDocuments.h"
#include "platform/win/ExtCtrls.h"
#include "platform/win/StdCtrls.h"

class TRxSplitter;

class TFindResultsPane {
public:
  // The controls belong to owner and stand on parent, hidden until the first
  // results come.
  TFindResultsPane(TComponent* owner, TWinControl* parent);

  TPanel* PFindResult;
  TListBox* FindBox;
  TRxSplitter* Splitter;

  // Shows the panel and the results in FindBox, which draws each row from
  // its result; the searched text is kept with them.
  void Show(std::vector<TFindResult> results, const std::string& searchText);
  // HideSearchResults1: the panel and its splitter go (the lines stay).
  void Hide();
  const std::string& GetSearchText() const { return FSearchText; }
  // The selected line's hit, or null.
  const TFindResult* Selected() const;

  // FindBoxDblClick: the selected hit and the searched text.
  std::function<void(const TFindResult& hit, const std::string& searchText)> OnOpen;

private:
  void FindBoxDblClick(TObject* sender);
  std::vector<TFindResult> FResults;
  std::string FSearchText;
};
