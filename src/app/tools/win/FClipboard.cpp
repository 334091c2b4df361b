// TFClipboard.
#include "app/tools/win/FClipboard.h"

#include "platform/win/Clipbrd.h"
#include "platform/win/FormBuilder.h"

TFClipboard* FClipboard = nullptr;

namespace {

class TSystemClipboardText : public IClipboardText {
public:
  bool ReadText(std::string& text) override {
    try {
      text = Clipboard().GetAsText();
      return true;
    } catch (const EClipboardException&) {
      return false;
    }
  }
  void PutText(const std::string& text) override { Clipboard().SetAsText(text); }
  uint32_t Sequence() override { return ::GetClipboardSequenceNumber(); }
};

}  // namespace

TFClipboard::TFClipboard(TComponent* owner)
    : TForm(owner), FClipboardText(std::make_unique<TSystemClipboardText>()),
      FHistory(std::make_unique<TClipboardHistory>(*FClipboardText)) {
  SetName("FClipboard");
  SetKeyPreview(true);
  SetCaption("Clipboard");
  SetFormStyle(fsStayOnTop);
  SetBounds(200, 150, 260, 200);
  Bar = Make<TPanel>(this).Name("Bar").Parent(this).Align(alTop);
  Bar->SetHeight(22);
  Bar->SetCaption("  Clipboard");
  Bar->SetAlignment(taLeftJustify);
  Bar->OnMouseDown = Bind(this, &TFClipboard::BarMouseDown);
  Bar->OnMouseMove = Bind(this, &TFClipboard::BarMouseMove);
  Bar->OnMouseUp = Bind(this, &TFClipboard::BarMouseUp);
  struct TButtonDef {
    TRxSpeedButton** Button;
    const char* Name;
    const char* Caption;
    const char* Hint;
    void (TFClipboard::*Click)(TObject*);
  };
  // Right-aligned in the bar, the first rightmost: close, Forward, Back.
  const TButtonDef buttons[] = {
      {&SpeedButton1, "SpeedButton1", "x", "Close", &TFClipboard::SpeedButton1Click},
      {&Forward, "Forward", ">", "Forward", &TFClipboard::ForwardClick},
      {&Back, "Back", "<", "Back", &TFClipboard::BackClick},
  };
  for (const TButtonDef& def : buttons) {
    auto* button = new TRxSpeedButton(this);
    button->SetName(def.Name);
    button->SetCaption(def.Caption);
    button->SetHint(def.Hint);
    button->SetFlat(true);
    button->SetWidth(21);
    button->SetParent(Bar);
    button->SetAlign(alRight);
    button->OnClick = Bind(this, def.Click);
    *def.Button = button;
  }
  ClipboardViewer = new TClipboardViewer(this);
  ClipboardViewer->SetName("ClipboardViewer");
  ClipboardViewer->SetParent(this);
  ClipboardViewer->SetAlign(alClient);
  ClipboardViewer->OnChange = Bind(this, &TFClipboard::ClipboardViewerChange);
  FormStorage = Make<TFormStorage>(this).Name("FormStorage");
  FormStorage->SetUseRegistry(true);
  FormStorage->SetIniSection("TFClipboard");
  OnShow = [this](TObject*) { ClipboardViewer->UpdateView(); };
  UpdateButtons();
  FormCreate();
  FormStorage->Loaded();
}

TFClipboard::~TFClipboard() {
  if (FClipboard == this) FClipboard = nullptr;
  // The viewer leaves the chain before the history it reports to goes.
  delete ClipboardViewer;
  ClipboardViewer = nullptr;
}

void TFClipboard::FormCreate() {
  // Made now, hidden: the viewer joins the chain and the history follows
  // the clipboard from the start.
  const HWND handle = GetHandle();
  ::SetWindowLongA(handle, GWL_STYLE, ::GetWindowLongA(handle, GWL_STYLE) & ~LONG(WS_CAPTION));
  // One pixel wider, so the frame is laid out again without the caption.
  SetWidth(GetWidth() + 1);
  ClipboardViewer->GetHandle();
}

void TFClipboard::UpdateButtons() {
  Back->SetEnabled(FHistory->BackEnabled());
  Forward->SetEnabled(FHistory->ForwardEnabled());
}

void TFClipboard::ClipboardViewerChange(TObject*) {
  FHistory->Change();
  UpdateButtons();
}

void TFClipboard::BackClick(TObject*) {
  FHistory->Back();
  UpdateButtons();
}

void TFClipboard::ForwardClick(TObject*) {
  FHistory->Forward();
  UpdateButtons();
}

void TFClipboard::SpeedButton1Click(TObject*) { Close(); }

void TFClipboard::BarMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  // A drag whose capture went elsewhere is over, even without a move since.
  if (FDragging && ::GetCapture() != Bar->GetHandle()) EndDrag();
  if (FDragging) return;
  FDragging = true;
  ::GetCursorPos(&FDragStart);
  ::SetCapture(Bar->GetHandle());
}

void TFClipboard::BarMouseMove(TObject*, TShiftState, int, int) {
  if (!FDragging) return;
  // The drag lives only as long as the capture: a window that took it
  // (a menu, a message box) ends the drag.
  if (::GetCapture() != Bar->GetHandle()) {
    EndDrag();
    return;
  }
  POINT now;
  ::GetCursorPos(&now);
  SetBounds(GetLeft() + now.x - FDragStart.x, GetTop() + now.y - FDragStart.y, GetWidth(), GetHeight());
  FDragStart = now;
}

void TFClipboard::BarMouseUp(TObject*, TMouseButton, TShiftState, int, int) { EndDrag(); }

void TFClipboard::EndDrag() {
  const bool held = FDragging && Bar && Bar->HandleAllocated() && ::GetCapture() == Bar->GetHandle();
  FDragging = false;
  if (held) ::ReleaseCapture();
}

// Esc closes it, as it closes the other tool windows.
void TFClipboard::KeyDown(uint16_t& key, TShiftState shift) {
  if (TakeCloseKey(key, shift)) {
    Close();
    return;
  }
  TForm::KeyDown(key, shift);
}
