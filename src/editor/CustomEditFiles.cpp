// The editing control's document files: loading and saving with backups,
// the per-document registry record, the code-page conversion and exports.
#include <algorithm>

#include "editor/CodePage.h"
#include "editor/CustomEdit.h"
#include "editor/EditFiles.h"
#include "editor/EditFilesState.h"

namespace {

// The editor's fonts are described at the screen's resolution.
constexpr int kScreenPixelsPerInch = 96;

bool AnyTab(const TktEditList& lines) {
  for (int i = 0; i < lines.GetCount(); ++i)
    if (lines.GetView(i).find('\t') != std::string_view::npos) return true;
  return false;
}

}  // namespace

void TktCustomEdit::LoadFromFile() {
  FLines->LoadFromFile(FileName);
  // Only a tab width above 1 expands tabs (the options' own rule): with the
  // default, a file with tabs saves back byte for byte.
  if (FTabWidth > 1 && AnyTab(*FLines)) SetText(ExpandTabs(FLines->GetText(), FTabWidth));

  StampDocument(FileName, DateTimeNow());
  TktDocumentState state;
  if (!ReadDocumentState(FileName, state)) return;
  // The stored highlighter name is not applied: the highlighter is shared
  // by every document that uses it, and its name is its identity in the
  // stored settings. The application chooses the highlighter by extension.
  try {
    if (state.CaretX && state.CaretY) SetCaretXY(TPoint(*state.CaretX, *state.CaretY));
    else if (state.CaretX) SetCaretX(*state.CaretX);
    else if (state.CaretY) SetCaretY(*state.CaretY);
  } catch (const Exception&) {
  }
  for (int n = 0; n < int(state.BookMarks.size()); ++n) {
    if (!state.BookMarks[size_t(n)]) continue;
    try {
      SetBookMark(n, state.BookMarks[size_t(n)]->X, state.BookMarks[size_t(n)]->Y);
    } catch (const Exception&) {
    }
  }
}

bool TktCustomEdit::SaveToFile() {
  try {
    SafeSaveFile(FileName, BackupMode, [this](TStream& stream) { WriteLines(stream, *FLines, "\r\n"); });
  } catch (const Exception& e) {
    if (FHost) FHost->ShowMessage("Error ce869: " + e.Message());
    return false;
  }
  SaveDocumentState();
  return true;
}

bool TktCustomEdit::SaveToFileUnix() {
  try {
    SafeSaveFile(FileName, BackupMode, [this](TStream& stream) { WriteLines(stream, *FLines, "\n"); });
  } catch (const Exception& e) {
    if (FHost) FHost->ShowMessage("Error ce922: " + e.Message());
    return false;
  }
  SaveDocumentState();
  return true;
}

void TktCustomEdit::SaveDocumentState() {
  TktDocumentState state;
  if (FHighLighter) state.Highlighter = FHighLighter->GetName();
  state.CaretX = FCaretX;
  state.CaretY = FCaretY;
  for (int n = 0; n < int(state.BookMarks.size()); ++n) {
    int x = 0, y = 0;
    if (GetBookMark(n, x, y)) state.BookMarks[size_t(n)] = TPoint(x, y);
  }
  try {
    WriteDocumentState(FileName, state, DateTimeNow());
  } catch (const Exception& e) {
    if (FHost) FHost->ShowMessage("Error ce902: " + e.Message());
    return;
  }
  SetModified(false);
}

namespace {

void ConvertText(TktCustomEdit& edit, const TktByteTable& table) {
  const TPoint caret = edit.GetCaretXY();
  const int topLine = edit.GetTopLine();
  std::string text = edit.GetText();
  TranslateBytes(text, table);
  edit.SetText(text);
  edit.SetCaretXY(caret);
  edit.SetTopLine(topLine);
  edit.SetModified(true);
}

}  // namespace

void TktCustomEdit::ConvertDosToWin() { ConvertText(*this, DosToWinTable()); }
void TktCustomEdit::ConvertWinToDos() { ConvertText(*this, WinToDosTable()); }

TktExportDocument TktCustomEdit::GetExportDocument() const {
  TktExportDocument document;
  document.Lines = FLines.get();
  document.BlockBegin = GetBlockBegin();
  document.BlockEnd = GetBlockEnd();
  document.FontName = FFont.Name;
  document.FontSize = FontHeightToSize(FFont.Height, kScreenPixelsPerInch);
  document.FontColor = FFont.Color;
  document.Color = FColor;
  return document;
}

void TktCustomEdit::ExportToFile(bool selectionOnly, const std::string& fileName,
                                 TComponent* exporter) {
  auto* target = dynamic_cast<TktCustomExport*>(exporter);
  if (!target) return;
  const TktExportDocument document = GetExportDocument();
  if (selectionOnly && SelAvail())
    target->ExportRange(document.BlockBegin, document.BlockEnd, FHighLighter, document);
  else
    target->ExportLines(1, FLines->GetCount(), FHighLighter, document);
  target->SaveToFile(fileName);
}
