// The results list of a search in all documents.
#include "app/win/FindResults.h"

#include "kit/win/RxSplit.h"
#include "platform/win/FormBuilder.h"

TFindResultsPane::TFindResultsPane(TComponent* owner, TWinControl* parent) {
  PFindResult = Make<TPanel>(owner).Parent(parent).Name("PFindResult").Align(alBottom)
                    .Bounds(0, 0, 200, 120).Caption("").Get();
  PFindResult->SetBevelOuter(bvNone);
  PFindResult->SetVisible(false);
  FindBox = Make<TListBox>(owner).Parent(PFindResult).Name("FindBox").Align(alClient).Get();
  FindBox->OnDblClick = Bind(this, &TFindResultsPane::FindBoxDblClick);
  Splitter = new TRxSplitter(owner);
  Splitter->SetName("Splitter");
  Splitter->SetParent(parent);
  Splitter->SetVisible(false);
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
  TStrings* items = FindBox->GetItems();
  items->BeginUpdate();
  try {
    items->Clear();
    items->SetCapacity(int(FResults.size()));
    for (const TFindResult& r : FResults) items->Add(r.Text);
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
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
