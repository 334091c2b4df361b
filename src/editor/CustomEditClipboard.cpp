// Copy, cut and paste through the host's clipboard. Besides plain text the
// control places its private block: a selection-mode byte and the text, so
// that column and line blocks paste back as such. A block read back is
// checked before it is used; one that is not the control's own shape is
// passed over for the plain text.
#include "editor/CustomEdit.h"

#include <algorithm>

#include "editor/CustomEditCommandsInternal.h"
#include "editor/CustomEditInternal.h"

using namespace tq_edit_detail;

namespace {

const char* const kCopyFailed = "Clipboard copy operation failed";
const char* const kPasteFailed = "Clipboard paste operation failed.";

}  // namespace

void TktCustomEdit::PlaceOnClipboard(const std::string& text) {
  if (text.empty()) return;
  std::string block(1, char(FSelectionMode));
  block.append(text);
  if (!FHost || !FHost->SetClipboardData(text, block)) throw EktEditError(kCopyFailed);
}

void TktCustomEdit::CopyToClipboard() {
  if (SelAvail()) PlaceOnClipboard(GetSelText());
}

void TktCustomEdit::CutToClipboard() {
  if (!SelAvail()) return;
  TPaintLockGuard lock(*this);
  const std::string text = GetSelText();
  // Placed first: a clipboard that refuses the text leaves the text alone.
  PlaceOnClipboard(text);
  TLinesUpdateGuard bracket(*FLines);
  FUndoList.AddChange(ktcrDelete, GetBlockBegin(), GetBlockEnd(), SelTextForUndo(),
                      FSelectionMode);
  DeleteSelection();
}

bool TktCustomEdit::CanPaste() const {
  return FHost && (FHost->ClipboardHasFormat(kcfText) || FHost->ClipboardHasFormat(kcfBlock));
}

void TktCustomEdit::PasteFromClipboard() {
  TPaintLockGuard lock(*this);
  bool pasted = false;
  if (FHost && FHost->ClipboardHasFormat(kcfBlock)) {
    std::string block;
    if (!FHost->GetClipboardData(kcfBlock, block)) throw EktEditError(kPasteFailed);
    // Only a mode the control knows, and only the text up to the block's end
    // or its NUL.
    if (!block.empty() && static_cast<uint8_t>(block[0]) <= uint8_t(smLine)) {
      PasteBlock(TSelectionMode(block[0]), UpToNul(std::string_view(block).substr(1)));
      pasted = true;
    }
  }
  if (!pasted && FHost && FHost->ClipboardHasFormat(kcfText)) {
    std::string text;
    if (FHost->GetClipboardData(kcfText, text)) PasteBlock(smNormal, UpToNul(text));
  }
  StatusChanged({scSelection});
}

void TktCustomEdit::PasteBlock(TSelectionMode mode, std::string_view text) {
  TLinesUpdateGuard bracket(*FLines);
  TPoint at = GetCaretXY();
  if (SelAvail()) {
    FUndoList.AddChange(ktcrSelDelete, GetBlockBegin(), GetBlockEnd(), SelTextForUndo(),
                        FSelectionMode);
    at = SelectionInsertPoint();
    DeleteSelection();
  }
  const int linesBefore = FLines->GetCount();
  TPoint end = at;
  if (!text.empty()) at = InsertAt(at, text, mode, &end);
  // (Also for nothing pasted: a selection's record is never left unpaired.)
  if (mode == smLine && end.Y > at.Y) {
    // From the block's first line to its last.
    FUndoList.AddChange(ktcrPaste, TPoint(1, at.Y), LineBlockEnd(end.Y - 1), std::string(),
                        smLine);
  } else if (mode == smColumn) {
    FUndoList.AddChange(ktcrPaste, at, end, ColumnInsertRecord(text, linesBefore), smColumn);
    // Below the block, at its left column.
    SetCaretXY(TPoint(std::min(at.X, end.X), std::max(at.Y, end.Y) + 1));
  } else {
    FUndoList.AddChange(ktcrPaste, at, mode == smNormal ? end : at, std::string(), smNormal);
  }
  EnsureCursorPosVisible();
}
