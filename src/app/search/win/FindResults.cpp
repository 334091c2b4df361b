// The results list of a search in all documents.
#include "app/search/win/FindResults.h"

#include "kit/win/RxSplit.h"
#include "platform/win/FormBuilder.h"

TFindResultsPane::TFindResultsPane(TComponent* owner, TWinControl* parent) {
  PFindResult = Make<TPanel>(owner).Parent(parent).Name("PFindResult").Align(alBottom)
                    .Bounds(0, 0, 200, 120).Caption("").Get();
  PFindResult->SetBevelOuter(bvNone);
  // Hidden until a search lists its results; the windows wait for that too.
  PFindResult->SetVisible(false);
  PFindResult->SetWindowWaitsWhileHidden(true);
  FindBox = Make<TListBox>(owner).Parent(PFindResult).Name("FindBox").Align(alClient).Get();
  // A search may list tens of thousands of lines: the box draws its rows
  // from the results it shows, rather than keeping a copy of each string.
  FindBox->SetStyle(lbVirtual);
  FindBox->OnData = [this](TWinControl*, int index, std::string& data) {
    if (index >= 0 && index < int(FResults.size())) data = FResults[size_t(index)].Text;
  };
  FindBox->OnDblClick = Bind(this, &TFindResultsPane::FindBoxDblClick);
  Splitter = new TRxSplitter(owner);
  Splitter->SetName("Splitter");
  Splitter->SetParent(parent);
  Splitter->SetVisible(false);
  Splitter->SetWindowWaitsWhileHidden(true);
  Splitter->SetAlign(alBottom);
  Splitter->SetControlFirst(PFindResult);
}

void TFindResultsPane::Show(std::vector<TFindResult> results, const std::string& searchText) {
  FResults = std::move(results);
  FSearchText = searchText;
  if (!PFindResult->GetVisible()) {
    PFindResult->SetVisible(true);
    // Bottom-aligned controls stack by their place: the bar goes just above
    // the panel.
    Splitter->SetTop(PFindResult->GetTop() - Splitter->GetHeight());
    Splitter->SetVisible(true);
  }
  FindBox->SetCount(int(FResults.size()));
}

void TFindResultsPane::Hide() {
  Splitter->SetVisible(false);
  PFindResult->SetVisible(false);
}

const TFindResult* TFindResultsPane::Selected() const {
  const int i = FindBox->GetItemIndex();
  return i >= 0 && i < int(FResults.size()) ? &FResults[size_t(i)] : nullptr;
}

void TFindResultsPane::FindBoxDblClick(TObject*) {
  if (const TFindResult* hit = Selected())
    if (OnOpen) OnOpen(*hit, FSearchText);
}
