// The standard controls.
#include "platform/win/StdCtrls.h"

#include "platform/TypInfo.h"
#include "platform/win/Application.h"
#include "platform/win/Forms.h"

#include <algorithm>

namespace {

const char* ComboEditProp() {
  static ATOM atom = ::GlobalAddAtomA("TqComboEdit");
  return MAKEINTATOM(atom);
}

// The text of a window as it is now.
std::string WindowText(HWND wnd) {
  int n = ::GetWindowTextLengthA(wnd);
  std::string s(static_cast<size_t>(n) + 1, '\0');
  n = ::GetWindowTextA(wnd, s.data(), n + 1);
  s.resize(static_cast<size_t>(std::max(n, 0)));
  return s;
}

// Fills a list or combo window with items and selects index, with drawing
// off meanwhile and the window's storage reserved for all of them at once
// (a search's results may be a hundred thousand lines).
void FillListWindow(HWND wnd, TStrings& items, UINT reset, UINT initStorage, UINT add, UINT select, int index) {
  ::SendMessageA(wnd, WM_SETREDRAW, FALSE, 0);
  ::SendMessageA(wnd, reset, 0, 0);
  size_t bytes = 0;
  for (int i = 0; i < items.GetCount(); ++i) bytes += items.Get(i).size() + 1;
  if (items.GetCount() > 0)
    ::SendMessageA(wnd, initStorage, static_cast<WPARAM>(items.GetCount()), static_cast<LPARAM>(bytes));
  for (int i = 0; i < items.GetCount(); ++i) {
    std::string s = items.Get(i);
    ::SendMessageA(wnd, add, 0, reinterpret_cast<LPARAM>(s.c_str()));
  }
  ::SendMessageA(wnd, select, static_cast<WPARAM>(index), 0);
  ::SendMessageA(wnd, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(wnd, nullptr, TRUE);
}

}  // namespace

// ---------------------------------------------------------------------------
// TLabel
// ---------------------------------------------------------------------------
TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  FWidth = 65;
  FHeight = 17;
}

void TLabel::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Invalidate();
}
void TLabel::SetLayout(TTextLayout v) {
  if (v == FLayout) return;
  FLayout = v;
  Invalidate();
}
void TLabel::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  Invalidate();
}
void TLabel::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  Invalidate();
}
void TLabel::SetShowAccelChar(bool v) {
  if (v == FShowAccelChar) return;
  FShowAccelChar = v;
  Invalidate();
}

void TLabel::SetFocusControl(TWinControl* control) {
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = control;
  if (control) control->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == FFocusControl) FFocusControl = nullptr;
}

bool TLabel::DialogChar(char ch) {
  if (!FShowAccelChar || !FFocusControl || !IsAccel(ch, FText) || !FFocusControl->CanFocus()) return false;
  FFocusControl->SetFocus();
  return true;
}

void TLabel::Paint() {
  auto* canvas = static_cast<TCanvas*>(GetCanvas());
  TRect r(0, 0, FWidth, FHeight);
  if (!FTransparent) {
    canvas->SetBrushColor(FColor);
    canvas->FillRect(r);
  }
  canvas->RequireState();
  HDC dc = canvas->Handle();
  ::SetBkMode(dc, TRANSPARENT);
  UINT flags = FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  RECT rr{0, 0, FWidth, FHeight};
  if (FLayout != tlTop) {
    RECT calc = rr;
    ::DrawTextA(dc, FText.c_str(), static_cast<int>(FText.size()), &calc, flags | DT_CALCRECT);
    int h = calc.bottom - calc.top;
    rr.top = FLayout == tlCenter ? (FHeight - h) / 2 : FHeight - h;
  }
  if (!GetEnabled()) ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
  ::DrawTextA(dc, FText.c_str(), static_cast<int>(FText.size()), &rr, flags);
}

const TClassInfo& TLabel::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TLabel", &TControl::StaticClassInfo())
          .String("Caption", &TControl::GetCaption, &TControl::SetCaption)
          .Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TLabel::GetAlignment,
                &TLabel::SetAlignment)
          .Enum("Layout", {"tlTop", "tlCenter", "tlBottom"}, &TLabel::GetLayout, &TLabel::SetLayout)
          .Bool("Transparent", &TLabel::GetTransparent, &TLabel::SetTransparent)
          .Bool("WordWrap", &TLabel::GetWordWrap, &TLabel::SetWordWrap)
          .Bool("ShowAccelChar", &TLabel::GetShowAccelChar, &TLabel::SetShowAccelChar);
  return info;
}
const TClassInfo* TLabel::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// TButtonControl, TButton
// ---------------------------------------------------------------------------
TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  FTabStop = true;
  FWidth = 75;
  FHeight = 25;
}

void TButtonControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = "BUTTON";
  p.Style &= ~WS_CLIPCHILDREN;
}

void TButtonControl::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND) {
    if (HIWORD(msg.WParam) == BN_CLICKED) Clicked();
    return;
  }
  TWinControl::WndProc(msg);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {}

void TButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v) {
  if (v == FDefault) return;
  FDefault = v;
  if (FHandle) ::SendMessageA(FHandle, BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  if (FModalResult != 0)
    if (TForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

bool TButton::DialogKey(uint16_t key, bool focused) {
  bool take = (key == VK_RETURN && (focused || FDefault)) || (key == VK_ESCAPE && FCancel);
  if (!take || !CanFocus()) return false;
  Click();
  return true;
}

bool TButton::DialogChar(char ch) {
  if (!IsAccel(ch, FText) || !CanFocus()) return false;
  SetFocus();
  Click();
  return true;
}

const TClassInfo& TButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TButton", &TWinControl::StaticClassInfo())
          .String("Caption", &TControl::GetCaption, &TControl::SetCaption)
          .Bool("Default", &TButton::GetDefault, &TButton::SetDefault)
          .Bool("Cancel", &TButton::GetCancel, &TButton::SetCancel)
          .Integer("ModalResult", &TButton::GetModalResult, &TButton::SetModalResult);
  return info;
}
const TClassInfo* TButton::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// TCheckBox
// ---------------------------------------------------------------------------
TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {
  FWidth = 97;
  FHeight = 17;
}

void TCheckBox::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  // Not the automatic style: the object decides and the window shows it.
  p.Style |= BS_CHECKBOX;
}

void TCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  ::SendMessageA(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::SetChecked(bool v) {
  if (v == FChecked) return;
  FChecked = v;
  if (FHandle) ::SendMessageA(FHandle, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
  Click();
}

bool TCheckBox::DialogChar(char ch) {
  if (!IsAccel(ch, FText) || !CanFocus()) return false;
  SetFocus();
  SetChecked(!FChecked);
  return true;
}

const TClassInfo& TCheckBox::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TCheckBox", &TWinControl::StaticClassInfo())
                                     .String("Caption", &TControl::GetCaption, &TControl::SetCaption)
                                     .Bool("Checked", &TCheckBox::GetChecked, &TCheckBox::SetChecked);
  return info;
}
const TClassInfo* TCheckBox::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// TRadioButton
// ---------------------------------------------------------------------------
TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
  FWidth = 113;
  FHeight = 17;
}

void TRadioButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.Style |= BS_RADIOBUTTON;
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  ::SendMessageA(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool v) {
  if (v == FChecked) return;
  FChecked = v;
  if (FHandle) ::SendMessageA(FHandle, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!v) return;
  if (FParent)
    for (int i = 0; i < FParent->GetControlCount(); ++i)
      if (auto* r = dynamic_cast<TRadioButton*>(FParent->GetControl(i)); r && r != this) r->SetChecked(false);
  Click();
}

bool TRadioButton::IsTabStop() const {
  if (!FTabStop) return false;
  if (FChecked || !FParent) return true;
  // None checked: the first of the group stands for it.
  for (int i = 0; i < FParent->GetControlCount(); ++i)
    if (auto* r = dynamic_cast<TRadioButton*>(FParent->GetControl(i)); r && r->GetVisible() && r->GetEnabled()) {
      if (r->FChecked) return false;
      if (r == this) {
        for (int j = i + 1; j < FParent->GetControlCount(); ++j)
          if (auto* o = dynamic_cast<TRadioButton*>(FParent->GetControl(j)); o && o->FChecked) return false;
        return true;
      }
      return false;
    }
  return false;
}

bool TRadioButton::DialogChar(char ch) {
  if (!IsAccel(ch, FText) || !CanFocus()) return false;
  SetFocus();
  SetChecked(true);
  return true;
}

const TClassInfo& TRadioButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TRadioButton", &TWinControl::StaticClassInfo())
          .String("Caption", &TControl::GetCaption, &TControl::SetCaption)
          .Bool("Checked", &TRadioButton::GetChecked, &TRadioButton::SetChecked);
  return info;
}
const TClassInfo* TRadioButton::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// TGroupBox
// ---------------------------------------------------------------------------
TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
  FWidth = 185;
  FHeight = 105;
}

void TGroupBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = "BUTTON";
  p.Style |= BS_GROUPBOX;
}

void TGroupBox::WndProc(TMessage& msg) {
  // The system's group box draws only its frame and caption; the inside is ours.
  if (msg.Msg == WM_ERASEBKGND) {
    EraseBackground(reinterpret_cast<HDC>(msg.WParam));
    msg.Result = 1;
    return;
  }
  TWinControl::WndProc(msg);
}

bool TGroupBox::DialogChar(char ch) {
  if (!IsAccel(ch, FText) || !CanFocus()) return false;
  for (TWinControl* w : GetTabOrderList())
    if (w->IsTabStop() && w->CanFocus()) {
      w->SetFocus();
      return true;
    }
  return false;
}

const TClassInfo& TGroupBox::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TGroupBox", &TWinControl::StaticClassInfo())
                                     .String("Caption", &TControl::GetCaption, &TControl::SetCaption);
  return info;
}
const TClassInfo* TGroupBox::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// TCustomEdit
// ---------------------------------------------------------------------------
TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  FTabStop = true;
  FColor = clWindow;
  FWidth = 121;
  FHeight = 21;
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = "EDIT";
  p.Style |= ES_AUTOHSCROLL;
  p.ExStyle |= WS_EX_CLIENTEDGE;
  if (FReadOnly) p.Style |= ES_READONLY;
  if (FCharCase == ecUpperCase) p.Style |= ES_UPPERCASE;
  if (FCharCase == ecLowerCase) p.Style |= ES_LOWERCASE;
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  ::SendMessageA(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FPasswordChar) ::SendMessageA(FHandle, EM_SETPASSWORDCHAR, static_cast<unsigned char>(FPasswordChar), 0);
  ::SendMessageA(FHandle, EM_SETSEL, static_cast<WPARAM>(FSelStart), FSelStart + FSelLength);
}

void TCustomEdit::DestroyWnd() {
  // The selection lives in the window; keep it for the next one.
  FSelStart = GetSelStart();
  FSelLength = GetSelLength();
  TWinControl::DestroyWnd();
}

void TCustomEdit::SetText(const std::string& value) {
  // The window's case style would change the text; without one we do.
  std::string text = FCharCase == ecUpperCase   ? AnsiUpperCase(value)
                     : FCharCase == ecLowerCase ? AnsiLowerCase(value)
                                                : value;
  if (text == FText) return;
  if (!FHandle) {
    FText = text;
    Change();
    return;
  }
  // The window reports the change (EN_CHANGE), which fires OnChange once.
  FSettingText = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FSettingText};
  FText = text;
  ::SetWindowTextA(FHandle, text.c_str());
}

void TCustomEdit::TextChangedInWindow() {
  std::string text = WindowText(FHandle);
  if (text == FText && !FSettingText) return;
  FText = text;
  Change();
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

void TCustomEdit::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND) {
    if (HIWORD(msg.WParam) == EN_CHANGE) TextChangedInWindow();
    return;
  }
  TWinControl::WndProc(msg);
}

void TCustomEdit::SetMaxLength(int v) {
  if (v < 0) v = 0;
  FMaxLength = v;
  if (FHandle) ::SendMessageA(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(v), 0);
}

void TCustomEdit::SetReadOnly(bool v) {
  FReadOnly = v;
  if (FHandle) ::SendMessageA(FHandle, EM_SETREADONLY, v, 0);
}

void TCustomEdit::SetCharCase(TEditCharCase v) {
  if (v == FCharCase) return;
  FCharCase = v;
  SetText(FText);
  RecreateWnd();
}

void TCustomEdit::SetPasswordChar(char v) {
  if (v == FPasswordChar) return;
  FPasswordChar = v;
  if (FHandle) {
    ::SendMessageA(FHandle, EM_SETPASSWORDCHAR, static_cast<unsigned char>(v), 0);
    ::InvalidateRect(FHandle, nullptr, TRUE);
  }
}

int TCustomEdit::GetSelStart() const {
  if (!FHandle) return FSelStart;
  DWORD start = 0, end = 0;
  ::SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

int TCustomEdit::GetSelLength() const {
  if (!FHandle) return FSelLength;
  DWORD start = 0, end = 0;
  ::SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelStart(int v) {
  FSelStart = std::clamp(v, 0, static_cast<int>(FText.size()));
  FSelLength = 0;
  if (FHandle) ::SendMessageA(FHandle, EM_SETSEL, static_cast<WPARAM>(v), v);
}

void TCustomEdit::SetSelLength(int v) {
  int start = GetSelStart();
  FSelStart = start;
  FSelLength = std::clamp(v, 0, static_cast<int>(FText.size()) - start);
  if (FHandle) ::SendMessageA(FHandle, EM_SETSEL, static_cast<WPARAM>(start), start + v);
}

std::string TCustomEdit::GetSelText() const {
  int start = GetSelStart(), len = GetSelLength();
  if (start >= static_cast<int>(FText.size())) return "";
  return FText.substr(static_cast<size_t>(start), static_cast<size_t>(len));
}

void TCustomEdit::SetSelText(const std::string& text) {
  int start = GetSelStart(), len = GetSelLength();
  if (FHandle) {
    ::SendMessageA(FHandle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return;
  }
  std::string t = FText;
  start = std::min(start, static_cast<int>(t.size()));
  t.replace(static_cast<size_t>(start), static_cast<size_t>(len), text);
  SetText(t);
  FSelStart = start + static_cast<int>(text.size());
  FSelLength = 0;
}

void TCustomEdit::SelectAll() {
  FSelStart = 0;
  FSelLength = static_cast<int>(FText.size());
  if (FHandle) ::SendMessageA(FHandle, EM_SETSEL, 0, -1);
}

const TClassInfo& TCustomEdit::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TCustomEdit", &TWinControl::StaticClassInfo())
          .String("Text", &TControl::GetText, &TCustomEdit::SetText)
          .Integer("MaxLength", &TCustomEdit::GetMaxLength, &TCustomEdit::SetMaxLength)
          .Bool("ReadOnly", &TCustomEdit::GetReadOnly, &TCustomEdit::SetReadOnly)
          .Enum("CharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"}, &TCustomEdit::GetCharCase,
                &TCustomEdit::SetCharCase)
          .Char("PasswordChar", &TCustomEdit::GetPasswordChar, &TCustomEdit::SetPasswordChar);
  return info;
}
const TClassInfo* TCustomEdit::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// TCustomMemo
// ---------------------------------------------------------------------------
std::vector<std::string> TMemoStrings::Split() const {
  std::vector<std::string> lines;
  const std::string& t = FMemo->GetText();
  if (t.empty()) return lines;
  size_t start = 0;
  for (;;) {
    size_t end = t.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(t.substr(start));
      break;
    }
    lines.push_back(t.substr(start, end - start));
    start = end + ((t[end] == '\r' && end + 1 < t.size() && t[end + 1] == '\n') ? 2 : 1);
    if (start >= t.size()) break;
  }
  return lines;
}

void TMemoStrings::Store(const std::vector<std::string>& lines) {
  std::string t;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) t += "\r\n";
    t += lines[i];
  }
  FMemo->SetText(t);
}

int TMemoStrings::GetCount() const { return static_cast<int>(Split().size()); }

std::string TMemoStrings::Get(int i) const {
  auto lines = Split();
  if (i < 0 || i >= static_cast<int>(lines.size())) Error("List index out of bounds (%d)", i);
  return lines[static_cast<size_t>(i)];
}

void TMemoStrings::Put(int i, const std::string& s) {
  auto lines = Split();
  if (i < 0 || i >= static_cast<int>(lines.size())) Error("List index out of bounds (%d)", i);
  lines[static_cast<size_t>(i)] = s;
  Store(lines);
}

void TMemoStrings::Insert(int i, const std::string& s) {
  auto lines = Split();
  if (i < 0 || i > static_cast<int>(lines.size())) Error("List index out of bounds (%d)", i);
  lines.insert(lines.begin() + i, s);
  Store(lines);
}

void TMemoStrings::Delete(int i) {
  auto lines = Split();
  if (i < 0 || i >= static_cast<int>(lines.size())) Error("List index out of bounds (%d)", i);
  lines.erase(lines.begin() + i);
  Store(lines);
}

void TMemoStrings::Clear() { FMemo->SetText(""); }

void TMemoStrings::SetTextStr(std::string_view text) {
  // One change for the whole text; a line end at the very end ends the last line.
  std::string t(text);
  if (t.size() >= 2 && t.compare(t.size() - 2, 2, "\r\n") == 0)
    t.resize(t.size() - 2);
  else if (!t.empty() && (t.back() == '\n' || t.back() == '\r'))
    t.pop_back();
  FMemo->SetText(t);
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner) {
  FWidth = 185;
  FHeight = 89;
}

void TCustomMemo::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (FWordWrap) p.Style &= ~ES_AUTOHSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) p.Style |= WS_VSCROLL;
  if ((FScrollBars == ssHorizontal || FScrollBars == ssBoth) && !FWordWrap) p.Style |= WS_HSCROLL;
}

void TCustomMemo::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle v) {
  if (v == FScrollBars) return;
  FScrollBars = v;
  RecreateWnd();
}

bool TCustomMemo::WantsKey(uint16_t key) {
  switch (key) {
    case VK_RETURN: return FWantReturns;
    case VK_TAB: return FWantTabs;
    case VK_ESCAPE: return false;
    default: return TCustomEdit::WantsKey(key);
  }
}

const TClassInfo& TCustomMemo::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TCustomMemo", &TCustomEdit::StaticClassInfo())
          .Object("Lines", &TCustomMemo::GetLines)
          .Bool("WordWrap", &TCustomMemo::GetWordWrap, &TCustomMemo::SetWordWrap)
          .Enum("ScrollBars", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}, &TCustomMemo::GetScrollBars,
                &TCustomMemo::SetScrollBars)
          .Bool("WantReturns", &TCustomMemo::GetWantReturns, &TCustomMemo::SetWantReturns)
          .Bool("WantTabs", &TCustomMemo::GetWantTabs, &TCustomMemo::SetWantTabs);
  return info;
}
const TClassInfo* TCustomMemo::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// List items
// ---------------------------------------------------------------------------
void TListItems::Changed() {
  TStringList::Changed();
  if (GetUpdateCount() == 0 && OnItemsChanged) OnItemsChanged();
}

// ---------------------------------------------------------------------------
// TComboBox
// ---------------------------------------------------------------------------
TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  FTabStop = true;
  FColor = clWindow;
  FWidth = 145;
  FHeight = 21;
  FItems.OnItemsChanged = [this] { ItemsChanged(); };
}

TComboBox::~TComboBox() { FItems.OnItemsChanged = nullptr; }

void TComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = "COMBOBOX";
  p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  p.Style &= ~WS_CLIPCHILDREN;
  switch (FStyle) {
    case csDropDown: p.Style |= CBS_DROPDOWN; break;
    case csDropDownList: p.Style |= CBS_DROPDOWNLIST; break;
    case csOwnerDrawFixed: p.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS; break;
  }
  // The height of a combo box's window includes its open list.
  p.Height = FHeight + FItemHeight * FDropDownCount + 2;
}

void TComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  if (FStyle == csOwnerDrawFixed) {
    ::SendMessageA(FHandle, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), FItemHeight);
    ::SendMessageA(FHandle, CB_SETITEMHEIGHT, 0, FItemHeight);
  }
  FillListWindow(FHandle, FItems, CB_RESETCONTENT, CB_INITSTORAGE, CB_ADDSTRING, CB_SETCURSEL, FItemIndex);
  if (FStyle == csDropDown) {
    ::SetWindowTextA(FHandle, FText.c_str());
    // The inner edit: its keys go through our key events and dialog keys,
    // as a TEdit's do.
    FEditHandle = ::FindWindowExA(FHandle, nullptr, "EDIT", nullptr);
    if (FEditHandle) {
      ::SetPropA(FEditHandle, ComboEditProp(), this);
      FEditProc = reinterpret_cast<WNDPROC>(
          ::SetWindowLongPtrA(FEditHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TComboBox::EditProc)));
    }
  }
  // The window's own height is the closed box's; keep ours the same.
  RECT r{};
  ::GetWindowRect(FHandle, &r);
  StoreBounds(FLeft, FTop, FWidth, r.bottom - r.top);
}

void TComboBox::DestroyWnd() {
  if (FEditHandle) {
    ::SetWindowLongPtrA(FEditHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FEditProc));
    ::RemovePropA(FEditHandle, ComboEditProp());
    FEditHandle = nullptr;
  }
  TWinControl::DestroyWnd();
}

LRESULT CALLBACK TComboBox::EditProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* combo = static_cast<TComboBox*>(::GetPropA(wnd, ComboEditProp()));
  if (!combo) return ::DefWindowProcA(wnd, msg, wParam, lParam);
  WNDPROC old = combo->FEditProc;
  TMessage m{msg, wParam, lParam, 0};
  try {
    switch (msg) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (combo->DoKeyDown(m)) return 0;
        break;
      case WM_KEYUP:
      case WM_SYSKEYUP:
        if (combo->DoKeyUp(m)) return 0;
        break;
      case WM_CHAR:
        if (combo->DoKeyPress(m)) return 0;
        // Enter and Esc were dialog keys (or the open list's); no beep.
        if (m.WParam == VK_RETURN || m.WParam == VK_ESCAPE) return 0;
        break;
      case WM_SETFOCUS:
        if (TForm* form = GetParentForm(combo)) form->SetActiveControl(combo);
        break;
      default:
        break;
    }
  } catch (...) {
    HandleCallbackException(combo);
    return 0;
  }
  return ::CallWindowProcA(old, wnd, msg, m.WParam, m.LParam);
}

bool TComboBox::WantsKey(uint16_t key) {
  switch (key) {
    case VK_RETURN:
    case VK_ESCAPE: return GetDroppedDown();
    case VK_TAB: return false;
    default: return true;
  }
}

void TComboBox::ItemsChanged() {
  if (FItemIndex >= FItems.GetCount()) FItemIndex = -1;
  if (FHandle) {
    FillListWindow(FHandle, FItems, CB_RESETCONTENT, CB_INITSTORAGE, CB_ADDSTRING, CB_SETCURSEL, FItemIndex);
    if (FStyle == csDropDown) ::SetWindowTextA(FHandle, FText.c_str());
  }
}

void TComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= FItems.GetCount()) index = -1;
  FItemIndex = index;
  if (index >= 0) FText = FItems.Get(index);
  else if (FStyle != csDropDown) FText.clear();
  if (FHandle) ::SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TComboBox::SetText(const std::string& text) {
  if (FStyle != csDropDown) {
    // A list-only box shows an item or nothing.
    SetItemIndex(FItems.IndexOf(text));
    return;
  }
  FText = text;
  FItemIndex = FItems.IndexOf(text);
  if (FHandle) {
    ::SendMessageA(FHandle, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
    ::SetWindowTextA(FHandle, text.c_str());
  }
}

void TComboBox::SetStyle(TComboBoxStyle v) {
  if (v == FStyle) return;
  FStyle = v;
  RecreateWnd();
}

void TComboBox::SetItemHeight(int v) {
  if (v <= 0 || v == FItemHeight) return;
  FItemHeight = v;
  if (FHandle && FStyle == csOwnerDrawFixed) RecreateWnd();
}

bool TComboBox::GetDroppedDown() const {
  return FHandle && ::SendMessageA(FHandle, CB_GETDROPPEDSTATE, 0, 0);
}

void TComboBox::SetDroppedDown(bool v) {
  ::SendMessageA(const_cast<TComboBox*>(this)->GetHandle(), CB_SHOWDROPDOWN, v, 0);
}

int TComboBox::GetSelStart() const {
  if (!FHandle) return 0;
  DWORD start = 0, end = 0;
  ::SendMessageA(FHandle, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

int TComboBox::GetSelLength() const {
  if (!FHandle) return 0;
  DWORD start = 0, end = 0;
  ::SendMessageA(FHandle, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TComboBox::SetSelStart(int v) {
  if (FHandle) ::SendMessageA(FHandle, CB_SETEDITSEL, 0, MAKELPARAM(v, v));
}

void TComboBox::SetSelLength(int v) {
  int start = GetSelStart();
  if (FHandle) ::SendMessageA(FHandle, CB_SETEDITSEL, 0, MAKELPARAM(start, start + v));
}

void TComboBox::DrawItem(const DRAWITEMSTRUCT& d) {
  TOwnerDrawState state;
  if (d.itemState & ODS_SELECTED) state.Include(odSelected);
  if (d.itemState & ODS_FOCUS) state.Include(odFocused);
  if (d.itemState & ODS_DISABLED) state.Include(odDisabled);
  if (d.itemState & ODS_COMBOBOXEDIT) state.Include(odComboBoxEdit);
  TRect r(d.rcItem.left, d.rcItem.top, d.rcItem.right, d.rcItem.bottom);
  TCanvas canvas(d.hDC);
  canvas.SetFont(GetFont());
  canvas.SetBrushColor(state.Contains(odSelected) ? clHighlight : FColor);
  if (state.Contains(odSelected)) canvas.SetFontColor(clHighlightText);
  struct TReset {
    ICanvas*& Slot;
    ~TReset() { Slot = nullptr; }
  } reset{FCanvas};
  FCanvas = &canvas;
  int index = static_cast<int>(d.itemID);
  if (OnDrawItem) {
    OnDrawItem(this, index, r, state);
  } else {
    canvas.FillRect(r);
    if (index >= 0 && index < FItems.GetCount()) canvas.TextOut(r.Left + 2, r.Top, FItems.Get(index));
  }
}

void TComboBox::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case CN_COMMAND:
      switch (HIWORD(msg.WParam)) {
        case CBN_SELCHANGE: {
          int i = static_cast<int>(::SendMessageA(FHandle, CB_GETCURSEL, 0, 0));
          FItemIndex = i;
          if (i >= 0 && i < FItems.GetCount()) FText = FItems.Get(i);
          if (OnChange) OnChange(this);
          Click();
          break;
        }
        case CBN_EDITCHANGE:
          FText = WindowText(FHandle);
          FItemIndex = FItems.IndexOf(FText);
          if (OnChange) OnChange(this);
          break;
        case CBN_DROPDOWN:
          if (OnDropDown) OnDropDown(this);
          break;
        default:
          break;
      }
      return;
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam));
      msg.Result = TRUE;
      return;
    case CN_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam)->itemHeight = static_cast<UINT>(FItemHeight);
      msg.Result = TRUE;
      return;
    default:
      TWinControl::WndProc(msg);
  }
}

const TClassInfo& TComboBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TComboBox", &TWinControl::StaticClassInfo())
          .Enum("Style", {"csDropDown", "csDropDownList", "csOwnerDrawFixed"}, &TComboBox::GetStyle,
                &TComboBox::SetStyle)
          .Bool("Sorted", &TComboBox::GetSorted, &TComboBox::SetSorted)
          .Integer("DropDownCount", &TComboBox::GetDropDownCount, &TComboBox::SetDropDownCount)
          .Integer("ItemHeight", &TComboBox::GetItemHeight, &TComboBox::SetItemHeight)
          .Object("Items", &TComboBox::GetItems)
          .Integer("ItemIndex", &TComboBox::GetItemIndex, &TComboBox::SetItemIndex)
          .String("Text", &TControl::GetText, &TComboBox::SetText);
  return info;
}
const TClassInfo* TComboBox::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// TListBox
// ---------------------------------------------------------------------------
TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
  FTabStop = true;
  FColor = clWindow;
  FWidth = 121;
  FHeight = 97;
  FItems.OnItemsChanged = [this] { ItemsChanged(); };
}

void TListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SysClassName = "LISTBOX";
  p.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  // Without data the box keeps only the row count and the selection.
  if (FStyle == lbVirtual) p.Style |= LBS_OWNERDRAWFIXED | LBS_NODATA;
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWnd() {
  TWinControl::CreateWnd();
  if (FStyle == lbVirtual) {
    ::SendMessageA(FHandle, LB_SETCOUNT, static_cast<WPARAM>(FCount), 0);
    ::SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
  } else {
    FillListWindow(FHandle, FItems, LB_RESETCONTENT, LB_INITSTORAGE, LB_ADDSTRING, LB_SETCURSEL, FItemIndex);
  }
  ::SendMessageA(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(FTopIndex), 0);
}

void TListBox::ItemsChanged() {
  if (FStyle == lbVirtual) return;
  if (FItemIndex >= FItems.GetCount()) FItemIndex = -1;
  if (FHandle) FillListWindow(FHandle, FItems, LB_RESETCONTENT, LB_INITSTORAGE, LB_ADDSTRING, LB_SETCURSEL, FItemIndex);
}

void TListBox::SetStyle(TListBoxStyle v) {
  if (v == FStyle) return;
  FStyle = v;
  FItemIndex = -1;
  FTopIndex = 0;
  RecreateWnd();
}

void TListBox::SetCount(int count) {
  if (FStyle != lbVirtual) return;
  FCount = std::max(count, 0);
  FItemIndex = -1;
  FTopIndex = 0;
  if (FHandle) {
    ::SendMessageA(FHandle, LB_SETCOUNT, static_cast<WPARAM>(FCount), 0);
    ::InvalidateRect(FHandle, nullptr, TRUE);
  }
}

std::string TListBox::GetItemText(int index) {
  std::string text;
  if (index < 0 || index >= GetCount()) return text;
  if (FStyle == lbStandard) return FItems.Get(index);
  if (OnData) OnData(this, index, text);
  return text;
}

int TListBox::RowHeight() {
  HDC dc = ::GetDC(nullptr);
  int height = 16;
  {
    TCanvas canvas(dc);
    canvas.SetFont(GetFont());
    height = std::max(1, canvas.TextHeight("Wg"));
  }
  ::ReleaseDC(nullptr, dc);
  return height;
}

void TListBox::DrawItem(const DRAWITEMSTRUCT& d) {
  // A focus change alone flips the dotted frame over what is drawn.
  if (d.itemAction == ODA_FOCUS || d.itemID == static_cast<UINT>(-1)) {
    ::DrawFocusRect(d.hDC, &d.rcItem);
    return;
  }
  const bool selected = (d.itemState & ODS_SELECTED) != 0;
  TRect r(d.rcItem.left, d.rcItem.top, d.rcItem.right, d.rcItem.bottom);
  {
    TCanvas canvas(d.hDC);
    canvas.SetFont(GetFont());
    canvas.SetBrushColor(selected ? clHighlight : FColor);
    if (selected) canvas.SetFontColor(clHighlightText);
    canvas.FillRect(r);
    canvas.TextOut(r.Left + 2, r.Top, GetItemText(static_cast<int>(d.itemID)));
  }
  if (d.itemState & ODS_FOCUS) ::DrawFocusRect(d.hDC, &d.rcItem);
}

void TListBox::SetItemIndex(int index) {
  if (index < -1 || index >= GetCount()) index = -1;
  FItemIndex = index;
  if (FHandle) ::SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TListBox::GetTopIndex() const {
  return FHandle ? static_cast<int>(::SendMessageA(FHandle, LB_GETTOPINDEX, 0, 0)) : FTopIndex;
}

void TListBox::SetTopIndex(int v) {
  FTopIndex = std::max(v, 0);
  if (FHandle) ::SendMessageA(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(FTopIndex), 0);
}

void TListBox::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND) {
    switch (HIWORD(msg.WParam)) {
      case LBN_SELCHANGE:
        FItemIndex = static_cast<int>(::SendMessageA(FHandle, LB_GETCURSEL, 0, 0));
        Click();
        break;
      case LBN_DBLCLK:
        DblClick();
        break;
      default:
        break;
    }
    return;
  }
  if (msg.Msg == CN_DRAWITEM) {
    DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam));
    msg.Result = TRUE;
    return;
  }
  if (msg.Msg == CN_MEASUREITEM) {
    reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam)->itemHeight = static_cast<UINT>(RowHeight());
    msg.Result = TRUE;
    return;
  }
  if (msg.Msg == WM_LBUTTONDBLCLK) {
    // The double click is reported through LBN_DBLCLK; only the press goes on.
    DefaultHandler(msg);
    return;
  }
  TWinControl::WndProc(msg);
}

const TClassInfo& TListBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TListBox", &TWinControl::StaticClassInfo())
          .Bool("Sorted", &TListBox::GetSorted, &TListBox::SetSorted)
          .Object("Items", &TListBox::GetItems)
          .Integer("ItemIndex", &TListBox::GetItemIndex, &TListBox::SetItemIndex);
  return info;
}
const TClassInfo* TListBox::ClassInfo() const { return &StaticClassInfo(); }
