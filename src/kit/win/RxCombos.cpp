#include "kit/win/RxCombos.h"

#include "kit/win/VclUtils.h"
#include "platform/TypInfo.h"
#include "platform/win/Application.h"
#include "platform/win/Printers.h"

#include <algorithm>

namespace {

int FontTextHeight(const TFontData& font) {
  TWindowDC dc(nullptr);
  auto f = AcquireFont(font);
  TSelectObject sel(dc.Get(), f->Get());
  TEXTMETRICA tm{};
  ::GetTextMetricsA(dc.Get(), &tm);
  return tm.tmHeight;
}

int CALLBACK CollectFamily(const LOGFONTA* lf, const TEXTMETRICA* tm, DWORD type, LPARAM data) {
  auto* list = reinterpret_cast<std::vector<TFontFamily>*>(data);
  TFontFamily f;
  f.Name = lf->lfFaceName;
  f.CharSet = lf->lfCharSet;
  f.FontType = static_cast<int>(type & (RASTER_FONTTYPE | DEVICE_FONTTYPE | TRUETYPE_FONTTYPE));
  f.FixedPitch = (lf->lfPitchAndFamily & 0x3) == FIXED_PITCH;
  list->push_back(std::move(f));
  return 1;
}

std::vector<TFontFamily> FamiliesOf(HDC dc) {
  std::vector<TFontFamily> list;
  if (dc) ::EnumFontFamiliesA(dc, nullptr, &CollectFamily, reinterpret_cast<LPARAM>(&list));
  return list;
}

TFontComboBox::TPrinterDCFunc& PrinterDCFunc() {
  static TFontComboBox::TPrinterDCFunc func;
  return func;
}

HDC PrinterDC() {
  if (PrinterDCFunc()) return PrinterDCFunc()();
  try {
    return Printer()->GetHandle();
  } catch (const Exception&) {
    return nullptr;  // no printer: it lists nothing
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TOwnerDrawComboBox
// ---------------------------------------------------------------------------
TOwnerDrawComboBox::TOwnerDrawComboBox(TComponent* owner) : TComboBox(owner) {
  TComboBox::SetStyle(csDropDownList);
}

void TOwnerDrawComboBox::SetComboStyle(TOwnerDrawComboStyle style) {
  if (style == FComboStyle) return;
  FComboStyle = style;
  TComboBox::SetStyle(style == ocsDropDown ? csDropDown : csDropDownList);
}

void TOwnerDrawComboBox::CreateParams(TCreateParams& params) {
  TComboBox::CreateParams(params);
  params.Style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
}

int TOwnerDrawComboBox::MinItemHeight() { return std::max(9, FontTextHeight(GetFont()) + 1); }

void TOwnerDrawComboBox::UpdateItemHeight() {
  // Our style is never csOwnerDrawFixed, so this only stores the height.
  SetItemHeight(MinItemHeight());
  if (!HandleAllocated()) return;
  ::SendMessageA(FHandle, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), GetItemHeight());
  ::SendMessageA(FHandle, CB_SETITEMHEIGHT, 0, GetItemHeight());
}

void TOwnerDrawComboBox::CreateWnd() {
  SetItemHeight(MinItemHeight());
  TComboBox::CreateWnd();
  UpdateItemHeight();
}

void TOwnerDrawComboBox::DrawListItem(HDC dc, int index, const TRect& rect, bool selected) {
  TCanvas canvas(dc);
  canvas.SetFont(GetFont());
  canvas.SetBrushColor(selected ? clHighlight : GetColor());
  if (selected) canvas.SetFontColor(clHighlightText);
  canvas.FillRect(rect);
  if (index >= 0 && index < GetItems()->GetCount())
    canvas.TextOut(rect.Left + 2, rect.Top, GetItems()->Get(index));
}

void TOwnerDrawComboBox::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case CN_DRAWITEM: {
      const auto& d = *reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam);
      DrawListItem(d.hDC, static_cast<int>(d.itemID),
                   TRect(d.rcItem.left, d.rcItem.top, d.rcItem.right, d.rcItem.bottom),
                   (d.itemState & ODS_SELECTED) != 0);
      if (d.itemState & ODS_FOCUS) ::DrawFocusRect(d.hDC, &d.rcItem);
      msg.Result = TRUE;
      return;
    }
    case CN_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam)->itemHeight =
          static_cast<UINT>(GetItemHeight());
      msg.Result = TRUE;
      return;
    case WM_SETFONT:
      TComboBox::WndProc(msg);
      // The font sets the item height; a new font, a new height.
      UpdateItemHeight();
      return;
    default:
      TComboBox::WndProc(msg);
  }
}

// ---------------------------------------------------------------------------
// TFontComboBox
// ---------------------------------------------------------------------------
TFontComboBox::TFontComboBox(TComponent* owner) : TOwnerDrawComboBox(owner) {
  SetSorted(true);
  FTrueTypeBmp = LoadResourceBitmap("TRUETYPE_FNT");
  FDeviceBmp = LoadResourceBitmap("DEVICE_FNT");
}

TFontComboBox::~TFontComboBox() {
  if (FTrueTypeBmp) ::DeleteObject(FTrueTypeBmp);
  if (FDeviceBmp) ::DeleteObject(FDeviceBmp);
}

TFontComboBox::TPrinterDCFunc TFontComboBox::SetPrinterDCFunc(TPrinterDCFunc func) {
  return std::exchange(PrinterDCFunc(), std::move(func));
}

int TFontComboBox::MinItemHeight() {
  return std::max(TOwnerDrawComboBox::MinItemHeight(), BitmapSize(FTrueTypeBmp).cy - 1);
}

void TFontComboBox::CreateWnd() {
  TOwnerDrawComboBox::CreateWnd();
  Reload();
}

void TFontComboBox::Reload() {
  const std::string old = GetText();
  FFamilies.clear();
  if (FDevice == fdScreen || FDevice == fdBoth) {
    TWindowDC dc(nullptr);
    AddFontFamilies(FFamilies, FamiliesOf(dc.Get()), FOptions);
  }
  if (FDevice == fdPrinter || FDevice == fdBoth)
    AddFontFamilies(FFamilies, FamiliesOf(PrinterDC()), FOptions);
  TStrings* items = GetItems();
  items->BeginUpdate();
  items->Clear();
  for (const auto& f : FFamilies) items->Add(f.Name);
  items->EndUpdate();
  // The chosen name stays chosen when it is still listed.
  SelectName(old);
  if (GetText() != old && OnChange) OnChange(this);
}

int TFontComboBox::GetItemFlags(int index) const {
  auto* items = const_cast<TFontComboBox*>(this)->GetItems();
  if (index < 0 || index >= items->GetCount()) return 0;
  // The list sorts the names its own way; find the family by its name.
  const std::string name = items->Get(index);
  for (const auto& f : FFamilies)
    if (f.Name == name) return FontItemFlags(f);
  return 0;
}

void TFontComboBox::SetDevice(TFontDevice device) {
  if (device == FDevice) return;
  FDevice = device;
  if (HandleAllocated()) Reload();
}

void TFontComboBox::SetOptions(TFontListOptions options) {
  if (options == FOptions) return;
  FOptions = options;
  if (HandleAllocated()) Reload();
}

void TFontComboBox::SetTrueTypeOnly(bool value) {
  SetOptions(value ? FOptions + foTrueTypeOnly : FOptions - foTrueTypeOnly);
}

void TFontComboBox::SetUseFonts(bool value) {
  if (value == FUseFonts) return;
  FUseFonts = value;
  Invalidate();
}

void TFontComboBox::SetFontName(const std::string& name) {
  if (name == GetText()) return;
  SelectName(name);
  if (OnChange) OnChange(this);
}

void TFontComboBox::SelectName(const std::string& name) {
  std::vector<std::string> names;
  TStrings* items = GetItems();
  for (int i = 0; i < items->GetCount(); ++i) names.push_back(items->Get(i));
  const int i = FindFontItem(names, name);
  if (i >= 0)
    SetItemIndex(i);
  else if (GetComboStyle() == ocsDropDownList)
    SetItemIndex(-1);
  else
    TComboBox::SetText(name);
}

void TFontComboBox::DrawListItem(HDC dc, int index, const TRect& rect, bool selected) {
  TCanvas canvas(dc);
  canvas.SetFont(GetFont());
  canvas.SetBrushColor(selected ? clHighlight : GetColor());
  if (selected) canvas.SetFontColor(clHighlightText);
  canvas.FillRect(rect);
  if (index < 0 || index >= GetItems()->GetCount()) return;
  const int flags = GetItemFlags(index);
  HBITMAP mark = (flags & kTrueTypeFontType) ? FTrueTypeBmp
                 : (flags & kDeviceFontType) ? FDeviceBmp
                                             : nullptr;
  int markWidth = 20;
  if (mark) {
    const TSize size = BitmapSize(mark);
    markWidth = size.cx;
    canvas.RequireState();
    DrawTransparentBitmap(dc, mark, rect.Left + 2, rect.Top + (rect.Height() - size.cy) / 2);
  }
  const std::string name = GetItems()->Get(index);
  // Symbol fonts would show their name as pictures: never in their own face.
  if (FUseFonts && (flags & kNotSymbolFontFlag)) canvas.SetFontName(name);
  canvas.RequireState();
  RECT tr{rect.Left + markWidth + 6, rect.Top, rect.Right, rect.Bottom};
  ::SetBkMode(dc, TRANSPARENT);
  ::DrawTextA(dc, name.c_str(), static_cast<int>(name.size()), &tr,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

const TClassInfo& TFontComboBox::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TFontComboBox", &TComboBox::StaticClassInfo())
          .Enum("Device", {"fdScreen", "fdPrinter", "fdBoth"}, &TFontComboBox::GetDevice,
                &TFontComboBox::SetDevice)
          .Bool("TrueTypeOnly", &TFontComboBox::GetTrueTypeOnly, &TFontComboBox::SetTrueTypeOnly)
          .Bool("UseFonts", &TFontComboBox::GetUseFonts, &TFontComboBox::SetUseFonts)
          .String("FontName", &TFontComboBox::GetFontName, &TFontComboBox::SetFontName);
  return info;
}
const TClassInfo* TFontComboBox::ClassInfo() const { return &StaticClassInfo(); }
