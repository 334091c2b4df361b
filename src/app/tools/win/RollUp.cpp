// The roll-up window.
#include "app/tools/win/RollUp.h"

#include <algorithm>

#include "editor/EditorCommands.h"
#include "editor/KeyCodes.h"
#include "platform/SysUtils.h"
#include "platform/win/FormBuilder.h"

namespace {

// The snippet's own key list: moving about, selecting and copying. The
// text is read-only, so nothing else has anything to do.
void UseViewerKeys(TktCustomEdit& edit) {
  TktKeyStrokes* keys = edit.GetKeystrokes();
  keys->Clear();
  auto add = [keys](uint16_t key, TShiftState shift, TktEditorCommand command) {
    TktKeyStroke* row = keys->Add();
    row->SetKey(key);
    row->SetShift(shift);
    row->SetCommand(command);
  };
  const struct {
    uint16_t Key;
    TktEditorCommand Plain, WithCtrl;
  } moves[] = {
      {vkLeft, ecLeft, ecWordLeft},        {vkRight, ecRight, ecWordRight},
      {vkUp, ecUp, ecUp},                  {vkDown, ecDown, ecDown},
      {vkHome, ecLineStart, ecEditorTop},  {vkEnd, ecLineEnd, ecEditorBottom},
      {vkPrior, ecPageUp, ecPageUp},       {vkNext, ecPageDown, ecPageDown},
  };
  for (const auto& m : moves) {
    add(m.Key, TShiftState(), m.Plain);
    add(m.Key, TShiftState{ssShift}, m.Plain + ecSelection);
    if (m.WithCtrl != m.Plain) {
      add(m.Key, TShiftState{ssCtrl}, m.WithCtrl);
      add(m.Key, TShiftState{ssCtrl, ssShift}, m.WithCtrl + ecSelection);
    }
  }
  add('C', TShiftState{ssCtrl}, ecCopy);
  add(vkInsert, TShiftState{ssCtrl}, ecCopy);
  add('A', TShiftState{ssCtrl}, ecSelectAll);
}

}  // namespace

TRollUp::TRollUp(TComponent* owner, int number, TForm* mainForm) : TForm(owner), FMainForm(mainForm) {
  SetName("r" + std::to_string(number));
  SetTag(number);
  SetCaption("");
  // The title strip stands in for the system caption.
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
  SetBounds(0, 0, 80, 40);

  PopupMenu = Make<TPopupMenu>(this).Name("PopupMenu");
  const struct {
    const char* Caption;
    void (TRollUp::*Click)(TObject*);
  } items[] = {{"Open", &TRollUp::OpenClick},
               {"Minimize", &TRollUp::MinimizeClick},
               {"Insert Context", &TRollUp::InsertClick},
               {"Release", &TRollUp::ReleaseClick}};
  for (const auto& i : items) {
    auto* item = new TMenuItem(this);
    item->SetCaption(i.Caption);
    item->OnClick = Bind(this, i.Click);
    PopupMenu->GetItems()->Add(item);
  }
  SetPopupMenu(PopupMenu);

  TitlePanel = Make<TPanel>(this).Parent(this).Name("TitlePanel").Align(alTop).Get();
  TitlePanel->SetHeight(14);
  TitlePanel->SetBevelOuter(bvNone);
  TitlePanel->SetColor(clNavy);
  TitlePanel->SetCaption("");
  TitlePanel->SetPopupMenu(PopupMenu);
  SpeedButton1 = Make<TRxSpeedButton>(this).Parent(TitlePanel).Name("SpeedButton1").Align(alRight).Caption("x")
                     .On(&TRxSpeedButton::OnClick, this, &TRollUp::ReleaseClick).Get();
  SpeedButton1->SetWidth(14);
  RollCaption = Make<TLabel>(this).Parent(TitlePanel).Name("RollCaption").Align(alClient).Get();
  RollCaption->SetAlignment(taCenter);
  RollCaption->SetTransparent(true);
  RollCaption->SetShowAccelChar(false);
  TFontData font = RollCaption->GetFont();
  font.Color = clWhite;
  RollCaption->SetFont(font);
  FDrag.Attach(this, TitlePanel, {RollCaption});
  TitlePanel->OnDblClick = Bind(this, &TRollUp::InsertClick);
  RollCaption->OnDblClick = Bind(this, &TRollUp::InsertClick);

  Memo = Make<TktEditWindow>(this).Parent(this).Name("Memo").Align(alClient).Get();
  Memo->SetColor(TColor(0xDDFFFF));
  Memo->SetPopupMenu(PopupMenu);
  Memo->OnDblClick = Bind(this, &TRollUp::InsertClick);
  TktCustomEdit* edit = Memo->GetEdit();
  edit->SetReadOnly(true);
  edit->SetMaxUndo(0);
  edit->SetOptions(TktEditorOptions());
  edit->GetGutter()->SetVisible(false);
  edit->SetExtraLineSpacing(-3);
  UseViewerKeys(*edit);
}

namespace {
// Asks the roll-up to fit its editor's scroll bars once the size change in
// hand is done: they are set by making the editor's window again, which is
// not for the middle of its own size messages.
constexpr UINT CM_FITSCROLLBARS = WM_APP + 0x52;
}  // namespace

void TRollUp::CreateWnd() {
  TForm::CreateWnd();
  FFitPending = false;
  Resize();
}

void TRollUp::Resize() {
  TForm::Resize();
  if (FFitPending || !HandleAllocated()) return;
  FFitPending = true;
  ::PostMessageA(GetHandle(), CM_FITSCROLLBARS, 0, 0);
}

void TRollUp::WndProc(TMessage& msg) {
  if (msg.Msg == CM_FITSCROLLBARS) {
    FFitPending = false;
    FitScrollBars();
    return;
  }
  TForm::WndProc(msg);
}

// The editor keeps its bars, disabled when nothing scrolls; a window of 80 by
// 40 pixels would be all bars. The snippet's lines and its longest line,
// against the editor's room without bars, say which it needs; a bar that
// shows takes room from the other direction.
void TRollUp::FitScrollBars() {
  if (!Memo->HandleAllocated()) return;
  TktCustomEdit* edit = Memo->GetEdit();
  HWND wnd = Memo->GetHandle();
  RECT client{};
  ::GetClientRect(wnd, &client);
  const LONG style = ::GetWindowLongA(wnd, GWL_STYLE);
  const int barW = ::GetSystemMetrics(SM_CXVSCROLL), barH = ::GetSystemMetrics(SM_CYHSCROLL);
  const int roomW = client.right + ((style & WS_VSCROLL) ? barW : 0);
  const int roomH = client.bottom + ((style & WS_HSCROLL) ? barH : 0);
  TktEditList* lines = edit->GetLines();
  size_t longest = 0;
  for (int i = 0; i < lines->GetCount(); ++i) longest = std::max(longest, lines->Get(i).size());
  const int textW = int(longest) * edit->GetCharWidth() + edit->GetGutterWidth() + 2;
  const int textH = lines->GetCount() * edit->GetLineHeight();
  bool vertical = textH > roomH, horizontal = textW > roomW;
  if (vertical && !horizontal) horizontal = textW > roomW - barW;
  if (horizontal && !vertical) vertical = textH > roomH - barH;
  edit->SetScrollBars(vertical && horizontal ? kssBoth
                      : vertical             ? kssVertical
                      : horizontal           ? kssHorizontal
                                             : kssNone);
}

void TRollUp::OpenClick(TObject*) { SetBounds(GetLeft(), GetTop(), 200, 100); }

void TRollUp::MinimizeClick(TObject*) {
  const int n = StrToIntDef(GetName().substr(1), 0);
  SetBounds(FMainForm->GetLeft() + FMainForm->GetWidth() - 85, FMainForm->GetTop() + 20 + 5 * n, 40, 20);
}

void TRollUp::InsertClick(TObject*) {
  if (OnInsert) OnInsert(*this);
}

void TRollUp::ReleaseClick(TObject*) {
  if (OnRelease) OnRelease(*this);
}
