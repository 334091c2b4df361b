// TMainForm's HTML preview: a browser split under an HTML document's
// editor, kept up to date as the text changes.
#include "app/documents/win/MainForm.h"

#include "app/documents/HighlighterChoice.h"
#include "kit/win/RxSplit.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"

namespace {

std::string PreviewFileName(const std::string& editorName) {
  return SystemTempPath() + editorName + ".html";
}

}  // namespace

TPanel* TMainForm::PreviewPanel(int number) const {
  auto it = FPreviews.find(number);
  return it == FPreviews.end() ? nullptr : it->second.Panel;
}

void TMainForm::FreePreview(int number) {
  auto it = FPreviews.find(number);
  if (it == FPreviews.end()) return;
  TPreviewSplit split = std::move(it->second);
  FPreviews.erase(it);
  split.Browser.reset();
  delete split.Splitter;
  delete split.Panel;  // with the browser in it
  if (TktEditWindow* window = EditWindow(number)) window->GetEdit()->SetTag(0);
}

void TMainForm::FocusCurrentEditor() {
  if (!FDocs.CurrentEditor() || !FDocs.TextViewVisible() || !HandleAllocated()) return;
  TktEditWindow* window = EditWindow(GetPageTag(GetActivePageIndex()));
  if (window && window->CanFocus()) window->SetFocus();
}

void TMainForm::aViewBrowserExecute() {
  TktCustomEdit* edit = FDocs.CurrentEditor();
  if (!edit || !FDocs.TextViewVisible()) return;
  const int number = GetPageTag(GetActivePageIndex());
  TktEditWindow* window = EditWindow(number);
  if (!window) return;
  if (edit->GetTag() == 1) {
    FreePreview(number);
    FDocs.UpdateActions();
    return;
  }
  if (!edit->GetHighLighter() || edit->GetHighLighter() != FindHighlighter(FDocs.Data, "HTML")) return;

  TTabSheet* sheet = PageControl->GetPage(GetActivePageIndex());
  TPreviewSplit split;
  try {
    split.Panel = new TPanel(this);
    split.Panel->SetParent(sheet);
    split.Browser = MakePreviewBrowser(split.Panel, [this](TObject*) {
      if (HandleAllocated()) ::PostMessageA(GetHandle(), kFocusEditorMessage, 0, 0);
    });
    split.Browser->Control()->SetAlign(alClient);
    split.Panel->SetName(window->GetName() + "t");
    split.Panel->SetAlign(alBottom);
    split.Splitter = new TRxSplitter(this);
    split.Splitter->SetParent(sheet);
    split.Splitter->SetAlign(alBottom);
    split.Splitter->SetControlFirst(split.Panel);
    split.Splitter->SetName(window->GetName() + "r");
    split.Panel->SetHeight(window->GetHeight() / 2);
    // The lines alone: no backup, and the document's name and state stay.
    const std::string file = PreviewFileName(window->GetName());
    edit->GetLines()->SaveToFile(file);
    split.Browser->Open(file);
  } catch (const Exception& e) {
    split.Browser.reset();
    delete split.Splitter;
    delete split.Panel;
    Application->ShowException(e);
    FocusCurrentEditor();
    FDocs.UpdateActions();
    return;
  }
  FPreviews[number] = std::move(split);
  edit->SetTag(1);
  FDocs.UpdateActions();
}

void TMainForm::RefreshBrowserView(TktCustomEdit* edit) {
  if (!edit || edit->GetTag() != 1) return;
  int number = 0;
  for (const auto& [n, views] : FViews)
    if (views.Edit && views.Edit->GetEdit() == edit) number = n;
  auto it = FPreviews.find(number);
  if (it == FPreviews.end()) return;
  try {
    it->second.Browser->Show(*edit->GetLines());
  } catch (const Exception& e) {
    // A preview that can no longer show the text goes; the text stays.
    FreePreview(number);
    FDocs.UpdateActions();
    Application->ShowException(e);
  }
  // Once, and only for the document in view: never a message loop inside
  // an editor change.
  if (edit == FDocs.CurrentEditor()) FocusCurrentEditor();
}
