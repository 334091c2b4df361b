// The editing control's lifecycle and settings: construction, the
// published properties and their side effects, status reports under the
// paint lock, cell metrics, the highlighter hook-up, and the small virtual
// operations that only fire events.
#include "editor/CustomEdit.h"

#include <algorithm>

#include "editor/CustomEditInternal.h"

using namespace tq_edit_detail;

namespace {

constexpr int kDefaultPixelsPerInch = 96;

}  // namespace

TktCustomEdit::TktCustomEdit(TComponent* owner) : TComponent(owner) {
  FLines = std::make_unique<TktEditList>();
  if (!GetComponentState().Contains(csDesigning)) FLines->Add(std::string());

  FLines->OnLineAdded = [this](TObject*) { ListAdded(); };
  FLines->OnCleared = [this](TObject*) { ListCleared(); };
  FLines->OnLineDeleted = [this](int index) { ListDeleted(index); };
  FLines->OnLineInserted = [this](int index) { ListInserted(index); };
  FLines->OnTextSet = [this](TObject*) { ListTextSet(); };
  FLines->OnLinePut = [this](int index) { ListLineReplaced(index); };
  FLines->OnLinesLoaded = [this](TObject*) { ListScanRanges(); };
  FUndoList.OnAdded = [this] { ChangeAdded(); };
  FRedoList.OnAdded = [this] { ChangeAdded(); };
  WatchTextChanges();

  FSelectedColor = std::make_unique<TktSelectedColor>();
  FSelectedColor->OnChange = [this](TObject*) { Invalidate(); };
  FBookMarkOpt = std::make_unique<TktBookMarkOpt>(this);
  FBookMarkOpt->OnChange = [this](TObject*) { InvalidateGutterLines(-1, -1); };
  FGutter = std::make_unique<TktGutter>();
  FGutter->OnChange = [this](TObject*) { GutterChanged(); };
  FGutterWidth = FGutter->GetWidth();

  FFont.Name = "Courier New";
  FFont.Height = FontSizeToHeight(10, kDefaultPixelsPerInch);
  FFont.CharSet = DEFAULT_CHARSET_ID;
  FTextDrawer = MakeTextDrawer(TFontStyles(), FFont);
  RecalcCharExtent();

  FLines->OnChanging = [this](TObject*) { ListChanging(); };
  FLines->OnChange = [this](TObject*) { ListChanged(); };

  FKeystrokes = std::make_unique<TktKeyStrokes>(this);
  FMarkList = std::make_unique<TMarkList>(this);
  FMarkList->OnChange = [this](TObject*) { InvalidateGutterLines(-1, -1); };
  SetDefaultKeystrokes();

  FSearchEngine = std::make_unique<TktEditSearch>();
}

TktCustomEdit::~TktCustomEdit() {
  if (FHost) {
    if (FAutoScrollInterval > 0) FHost->StopTimer(kAutoScrollTimer);
    if (FGutterClickPending) FHost->StopTimer(kGutterClickTimer);
  }
  FHost = nullptr;
  SetHighLighter(nullptr);
  // The list and the undo lists outlive nothing that listens to them.
  FLines->OnLineAdded = nullptr;
  FLines->OnCleared = nullptr;
  FLines->OnLineDeleted = nullptr;
  FLines->OnLineInserted = nullptr;
  FLines->OnTextSet = nullptr;
  FLines->OnLinePut = nullptr;
  FLines->OnLinesLoaded = nullptr;
  FLines->OnChanging = nullptr;
  FLines->OnChange = nullptr;
  FUndoList.OnAdded = nullptr;
  FRedoList.OnAdded = nullptr;
  FMarkList->OnChange = nullptr;
  FBookMarks.fill(nullptr);
  FMarkList.reset();
}

// --- the window -------------------------------------------------------------

void TktCustomEdit::SetHost(IktEditHost* host) {
  if (host == FHost) return;
  if (FHost) {
    if (FAutoScrollInterval > 0) FHost->StopTimer(kAutoScrollTimer);
    if (FGutterClickPending) FHost->StopTimer(kGutterClickTimer);
    FAutoScrollInterval = 0;
    FGutterClickPending = false;
    FStateFlags &= uint16_t(~(sfInScrollLoop | sfCaretVisible));
  }
  FHost = host;
  if (HandleAllocated()) HandleCreated();
}

bool TktCustomEdit::HandleAllocated() const { return FHost && FHost->HandleAllocated(); }
bool TktCustomEdit::Focused() const { return FHost && FHost->Focused(); }
int TktCustomEdit::GetClientWidth() const { return FHost ? FHost->GetClientWidth() : 0; }
int TktCustomEdit::GetClientHeight() const { return FHost ? FHost->GetClientHeight() : 0; }

void TktCustomEdit::HandleCreated() {
  if (!HandleAllocated()) return;
  if (FOptions.Contains(kteoDropFiles) && !GetComponentState().Contains(csDesigning))
    FHost->DragAcceptFiles(true);
  RecalcCharExtent();
}

void TktCustomEdit::HandleDestroying() {
  if (HandleAllocated() && FOptions.Contains(kteoDropFiles)) FHost->DragAcceptFiles(false);
}

// --- status and the paint lock ------------------------------------------------

void TktCustomEdit::StatusChanged(TktStatusChanges changes) {
  FStatusChanges += changes;
  if (FPaintLock != 0 || !OnStatusChange || FStatusChanges.Empty()) return;
  // Cleared before the handler runs: what the handler changes is reported anew.
  const TktStatusChanges pending = FStatusChanges;
  FStatusChanges = TktStatusChanges();
  OnStatusChange(this, pending);
}

void TktCustomEdit::BeginUpdate() { ++FPaintLock; }

void TktCustomEdit::EndUpdate() {
  if (FPaintLock <= 0) return;
  if (--FPaintLock > 0) return;
  FlushPendingScroll();
  if (HandleAllocated()) {
    if (FStateFlags & sfScrollbarChanged) UpdateScrollBars();
    if (FStateFlags & sfCaretChanged) UpdateCaret();
  }
  // Reported with or without a window: a windowless control's host still
  // hears of its changes when they happen.
  StatusChanged(TktStatusChanges());
}

// --- cell metrics -----------------------------------------------------------------

void TktCustomEdit::RecalcCharExtent() {
  // The cell is sized for the widest style in use: italic decides the
  // height, bold the width.
  bool italic = false;
  bool bold = false;
  if (FHighLighter) {
    for (int i = 0; i < FHighLighter->GetAttribCount(); ++i) {
      const TFontStyles style = FHighLighter->GetAttribute(i)->GetStyle();
      italic = italic || style.Contains(fsItalic);
      bold = bold || style.Contains(fsBold);
    }
  } else {
    italic = FFont.Style.Contains(fsItalic);
    bold = FFont.Style.Contains(fsBold);
  }
  FTextDrawer->SetBaseFont(FFont);
  FTextDrawer->SetBaseStyle(italic ? TFontStyles{fsItalic} : TFontStyles());
  // A negative line spacing never makes a row vanish (rows are divided by).
  FLineHeight = std::max(1, FTextDrawer->GetCharHeight() + FExtraLineSpacing);
  FTextDrawer->SetBaseStyle(bold ? TFontStyles{fsBold} : TFontStyles());
  FCharWidth = std::max(1, FTextDrawer->GetCharWidth());
  if (!HandleAllocated()) return;
  ComputeWindowSizes();
  if (FGutter->GetShowLineNumbers())
    GutterChanged();
  else
    UpdateScrollBars();
  InitializeCaret();
  Invalidate();
}

void TktCustomEdit::ComputeWindowSizes() {
  if (!HandleAllocated()) return;
  FCharsInWindow = std::max(0, (GetClientWidth() - FGutterWidth - 2) / FCharWidth);
  FLinesInWindow = std::max(0, GetClientHeight() / FLineHeight);
}

void TktCustomEdit::GutterChanged() {
  const int width = FGutter->RealGutterWidth(FCharWidth);
  if (width == FGutterWidth) {
    InvalidateGutterLines(-1, -1);
    return;
  }
  FGutterWidth = width;
  if (!HandleAllocated()) return;
  ComputeWindowSizes();
  UpdateScrollBars();
  Invalidate();
}

void TktCustomEdit::HighlighterAttrChanged(TObject*) {
  RecalcCharExtent();
  Invalidate();
}

// --- settings -------------------------------------------------------------------

void TktCustomEdit::SetBookMarkOptions(TktBookMarkOpt* value) {
  if (value) FBookMarkOpt->Assign(value);
}

void TktCustomEdit::SetBorderStyle(TktBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  if (HandleAllocated()) FHost->RecreateWindow();
}

void TktCustomEdit::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  Invalidate();
}

void TktCustomEdit::SetExtraLineSpacing(int value) {
  if (value == FExtraLineSpacing) return;
  FExtraLineSpacing = value;
  RecalcCharExtent();
}

void TktCustomEdit::SetFont(const TFontData& value) {
  if (value == FFont) return;
  FFont = value;
  RecalcCharExtent();
  if (FGutter->GetShowLineNumbers()) GutterChanged();
}

void TktCustomEdit::SetGutter(TktGutter* value) {
  if (value) FGutter->Assign(value);
}

void TktCustomEdit::SetHideSelection(bool value) {
  if (value == FHideSelection) return;
  FHideSelection = value;
  Invalidate();
}

void TktCustomEdit::SetHighLighter(TktCustomHighLighter* value) {
  if (value == FHighLighter) return;
  const TktNotifyMethod hook = NotifyMethod<&TktCustomEdit::HighlighterAttrChanged>(this);
  if (FHighLighter) {
    FHighLighter->UnhookAttrChangeEvent(hook);
    RemoveFreeNotification(FHighLighter);
  }
  FHighLighter = value;
  if (value) {
    value->HookAttrChangeEvent(hook);
    FreeNotification(value);
    TLinesUpdateGuard bracket(*FLines);
    FLines->RescanAll(*value);
  }
  RecalcCharExtent();
  Invalidate();
}

void TktCustomEdit::SetInsertCaret(TCaretType value) {
  if (value == FInsertCaret) return;
  FInsertCaret = value;
  InitializeCaret();
}

void TktCustomEdit::SetInsertMode(bool value) {
  if (value == FInsertMode) return;
  FInsertMode = value;
  if (!GetComponentState().Contains(csDesigning)) InitializeCaret();
  StatusChanged({scInsertMode});
}

void TktCustomEdit::SetKeystrokes(TktKeyStrokes* value) {
  if (!value)
    FKeystrokes->Clear();
  else
    FKeystrokes->Assign(value);
}

void TktCustomEdit::SetLines(TStrings* value) {
  if (value) FLines->Assign(value);
}

void TktCustomEdit::SetMaxUndo(int value) {
  if (value < 0) return;
  FUndoList.SetMaxUndo(value);
  FRedoList.SetMaxUndo(value);
}

void TktCustomEdit::SetOptions(TktEditorOptions value) {
  if (value == FOptions) return;
  const TktEditorOptions old = FOptions;
  FOptions = value;
  if (!value.Contains(kteoScrollPastEol)) SetCaretX(FCaretX);
  if (old.Contains(kteoDropFiles) != value.Contains(kteoDropFiles) && HandleAllocated() &&
      !GetComponentState().Contains(csDesigning))
    FHost->DragAcceptFiles(value.Contains(kteoDropFiles));
  if (old.Contains(kteoNoCaret) != value.Contains(kteoNoCaret)) UpdateCaret();
}

void TktCustomEdit::SetOverwriteCaret(TCaretType value) {
  if (value == FOverwriteCaret) return;
  FOverwriteCaret = value;
  InitializeCaret();
}

bool TktCustomEdit::GetReadOnly() const { return FReadOnly; }
void TktCustomEdit::SetReadOnly(bool value) { FReadOnly = value; }

void TktCustomEdit::SetRightEdge(int value) {
  if (value == FRightEdge) return;
  FRightEdge = value;
  Invalidate();
}

void TktCustomEdit::SetRightEdgeColor(TColor value) {
  if (value == FRightEdgeColor) return;
  FRightEdgeColor = value;
  if (!HandleAllocated()) return;
  const int x = FRightEdge * FCharWidth + GetTextOffset();
  InvalidateRectangle(TRect(x - 1, 0, x + 1, GetClientHeight()));
}

void TktCustomEdit::SetScrollBars(TktScrollStyle value) {
  if (value == FScrollBars) return;
  FScrollBars = value;
  if (!HandleAllocated()) return;
  FHost->RecreateWindow();
  UpdateScrollBars();
}

void TktCustomEdit::SetSelectedColor(TktSelectedColor* value) {
  if (value) FSelectedColor->Assign(value);
}

void TktCustomEdit::SetSelectionMode(TSelectionMode value) {
  if (value == FSelectionMode) return;
  // Whether something shows as selected depends on the mode; repaint when
  // either mode shows a selection.
  const bool before = SelAvail();
  FSelectionMode = value;
  ClampBlockToMode();
  if (before || SelAvail()) Invalidate();
  StatusChanged({scSelection});
}

void TktCustomEdit::SetTabWidth(int value) {
  value = std::clamp(value, 0, 256);
  if (value == FTabWidth) return;
  FTabWidth = value;
  Invalidate();
}

// --- text --------------------------------------------------------------------------

void TktCustomEdit::SetText(const std::string& value) {
  FLines->Lock();
  try {
    FLines->SetText(value);
  } catch (...) {
    FLines->Unlock();
    throw;
  }
  FLines->Unlock();
}

void TktCustomEdit::ClearLines() { FLines->Clear(); }

void TktCustomEdit::SetModified(bool value) {
  if (value == FModified) return;
  FModified = value;
  StatusChanged({scModified});
}

std::string_view TktCustomEdit::LineText(int line) const {
  if (line < 1 || line > FLines->GetCount()) return std::string_view();
  return FLines->GetView(line - 1);
}

// --- undo ------------------------------------------------------------------------------

void TktCustomEdit::ChangeAdded() {
  SetModified(true);
  if (OnChange) OnChange(this);
}

void TktCustomEdit::LockUndo() {
  FUndoList.LockUndo();
  FRedoList.LockUndo();
}

void TktCustomEdit::UnlockUndo() {
  FUndoList.UnlockUndo();
  FRedoList.UnlockUndo();
}

void TktCustomEdit::StepCaretHistory(bool back) {
  FCaretHistory.Step(back, [this](TPoint p) { SetCaretXY(p); });
}

// --- component plumbing ------------------------------------------------------------

void TktCustomEdit::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FHighLighter) {
    // The highlighter is already half gone: forget it without calling it.
    FHighLighter = nullptr;
    RecalcCharExtent();
    Invalidate();
  }
  if (FBookMarkOpt && component == FBookMarkOpt->GetBookmarkImages())
    FBookMarkOpt->SetBookmarkImages(nullptr);
}

void TktCustomEdit::Loaded() {
  TComponent::Loaded();
  GutterChanged();
}

// --- virtual operations that fire events ---------------------------------------------

void TktCustomEdit::DoProcessCommand(TktEditorCommand& command, char& aChar, void* data) {
  if (command >= ecUserFirst) {
    if (OnProcessUserCommand) OnProcessUserCommand(this, command, aChar, data);
  } else if (OnProcessCommand) {
    OnProcessCommand(this, command, aChar, data);
  }
}

void TktCustomEdit::DoSelectionChange() {
  if (OnSelectionChange) OnSelectionChange(this);
}

bool TktCustomEdit::DoSpecialLineColors(int line, TColor& fg, TColor& bg) {
  if (!OnSpecialLineColors) return false;
  bool special = false;
  OnSpecialLineColors(this, line, special, fg, bg);
  return special;
}

void TktCustomEdit::DoPrintStatus(TktPrintStatus status, int pageNumber, bool& abort) {
  if (OnPrintStatus) OnPrintStatus(this, status, pageNumber, abort);
}

void TktCustomEdit::SetDefaultKeystrokes() { FKeystrokes->ResetDefaults(); }
