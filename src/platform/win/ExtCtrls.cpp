// Panels, notebooks, radio groups, images and scroll boxes.
#include "platform/win/ExtCtrls.h"

#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

#include <algorithm>

// ---------------------------------------------------------------------------
// TPanel
// ---------------------------------------------------------------------------
TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {
  FWidth = 185;
  FHeight = 41;
  FClickEvents = true;
}

void TPanel::Changed() {
  Invalidate();
  Realign();
}

void TPanel::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Invalidate();
}
void TPanel::SetBevelInner(TBevelCut v) {
  if (v == FBevelInner) return;
  FBevelInner = v;
  Changed();
}
void TPanel::SetBevelOuter(TBevelCut v) {
  if (v == FBevelOuter) return;
  FBevelOuter = v;
  Changed();
}
void TPanel::SetBevelWidth(int v) {
  if (v < 1 || v == FBevelWidth) return;
  FBevelWidth = v;
  Changed();
}
void TPanel::SetBorderWidth(int v) {
  if (v < 0 || v == FBorderWidth) return;
  FBorderWidth = v;
  Changed();
}

TRect TPanel::GetClientRect() const {
  TRect r = TCustomControl::GetClientRect();
  int inset = FBorderWidth + (FBevelOuter != bvNone ? FBevelWidth : 0) + (FBevelInner != bvNone ? FBevelWidth : 0);
  return TRect(r.Left + inset, r.Top + inset, std::max(r.Left + inset, r.Right - inset),
               std::max(r.Top + inset, r.Bottom - inset));
}

namespace {
// One bevel ring of width w inside r, which then shrinks by w.
void DrawBevel(HDC dc, RECT& r, TBevelCut cut, int w) {
  if (cut == bvNone) return;
  COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_BTNSHADOW);
  if (cut == bvLowered) std::swap(light, dark);
  for (int i = 0; i < w; ++i) {
    if (cut != bvSpace) {
      TBrushObject top(::CreateSolidBrush(light)), bottom(::CreateSolidBrush(dark));
      RECT t{r.left, r.top, r.right, r.top + 1}, l{r.left, r.top, r.left + 1, r.bottom};
      RECT b{r.left, r.bottom - 1, r.right, r.bottom}, rr{r.right - 1, r.top, r.right, r.bottom};
      ::FillRect(dc, &t, top.Get());
      ::FillRect(dc, &l, top.Get());
      ::FillRect(dc, &b, bottom.Get());
      ::FillRect(dc, &rr, bottom.Get());
    }
    ::InflateRect(&r, -1, -1);
  }
}
}  // namespace

void TPanel::Paint() {
  auto* canvas = static_cast<TCanvas*>(GetCanvas());
  RECT r{};
  ::GetClientRect(FHandle, &r);
  canvas->SetBrushColor(FColor);
  canvas->FillRect(TRect(r.left, r.top, r.right, r.bottom));
  canvas->RequireState();
  HDC dc = canvas->Handle();
  DrawBevel(dc, r, FBevelOuter, FBevelWidth);
  ::InflateRect(&r, -FBorderWidth, -FBorderWidth);
  DrawBevel(dc, r, FBevelInner, FBevelWidth);
  if (FText.empty()) return;
  ::SetBkMode(dc, TRANSPARENT);
  UINT flags = DT_SINGLELINE | DT_VCENTER |
               (FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT);
  ::DrawTextA(dc, FText.c_str(), static_cast<int>(FText.size()), &r, flags);
}

const TClassInfo& TPanel::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TPanel", &TWinControl::StaticClassInfo())
          .String("Caption", &TControl::GetCaption, &TControl::SetCaption)
          .Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TPanel::GetAlignment,
                &TPanel::SetAlignment)
          .Enum("BevelInner", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, &TPanel::GetBevelInner,
                &TPanel::SetBevelInner)
          .Enum("BevelOuter", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, &TPanel::GetBevelOuter,
                &TPanel::SetBevelOuter)
          .Integer("BevelWidth", &TPanel::GetBevelWidth, &TPanel::SetBevelWidth)
          .Integer("BorderWidth", &TPanel::GetBorderWidth, &TPanel::SetBorderWidth);
  return info;
}
const TClassInfo* TPanel::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// TNotebook
// ---------------------------------------------------------------------------
TPage::TPage(TComponent* owner) : TCustomControl(owner) {
  FVisible = false;
  FAlign = alClient;
  FClickEvents = false;
}

int TNotebookPages::GetCount() const { return FNotebook->GetPageCount(); }

std::string TNotebookPages::Get(int i) const {
  if (i < 0 || i >= GetCount()) Error("List index out of bounds (%d)", i);
  return FNotebook->GetPage(i)->GetCaption();
}

TObject* TNotebookPages::GetObject(int i) const {
  if (i < 0 || i >= GetCount()) Error("List index out of bounds (%d)", i);
  return FNotebook->GetPage(i);
}

void TNotebookPages::Put(int i, const std::string& s) {
  if (i < 0 || i >= GetCount()) Error("List index out of bounds (%d)", i);
  FNotebook->GetPage(i)->SetCaption(s);
}

void TNotebookPages::Insert(int i, const std::string& s) {
  if (i < 0 || i > GetCount()) Error("List index out of bounds (%d)", i);
  auto* page = new TPage(FNotebook);
  page->SetCaption(s);
  page->SetParent(FNotebook);
  FNotebook->FPages.insert(FNotebook->FPages.begin() + i, page);
  if (FNotebook->FPageIndex >= i && FNotebook->FPageIndex >= 0) ++FNotebook->FPageIndex;
  if (FNotebook->FPageIndex < 0) FNotebook->SetPageIndex(0);
}

void TNotebookPages::Delete(int i) {
  if (i < 0 || i >= GetCount()) Error("List index out of bounds (%d)", i);
  TPage* page = FNotebook->FPages[static_cast<size_t>(i)];
  FNotebook->FPages.erase(FNotebook->FPages.begin() + i);
  int active = FNotebook->FPageIndex;
  delete page;
  if (active == i) {
    FNotebook->FPageIndex = -1;
    FNotebook->SetPageIndex(std::min(i, FNotebook->GetPageCount() - 1));
  } else if (active > i) {
    --FNotebook->FPageIndex;
  }
}

void TNotebookPages::Clear() {
  while (GetCount() > 0) Delete(GetCount() - 1);
}

TNotebook::TNotebook(TComponent* owner) : TWinControl(owner) {
  FWidth = 150;
  FHeight = 150;
  FPageNames.Add("Default");
}

TPage* TNotebook::FindPage(const std::string& name) const {
  for (TPage* p : FPages)
    if (SameText(p->GetCaption(), name)) return p;
  return nullptr;
}

void TNotebook::SetPageIndex(int index) {
  if (index < 0 || index >= GetPageCount() || index == FPageIndex) return;
  TPage* show = FPages[static_cast<size_t>(index)];
  show->Show();
  show->SetBoundsRect(GetClientRect());
  if (show->HandleAllocated()) ::SetWindowPos(show->GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  for (TPage* p : FPages)
    if (p != show) p->Hide();
  FPageIndex = index;
}

std::string TNotebook::GetActivePage() const {
  return FPageIndex >= 0 ? FPages[static_cast<size_t>(FPageIndex)]->GetCaption() : std::string();
}

void TNotebook::SetActivePage(const std::string& name) {
  for (int i = 0; i < GetPageCount(); ++i)
    if (SameText(FPages[static_cast<size_t>(i)]->GetCaption(), name)) {
      SetPageIndex(i);
      return;
    }
  throw EInvalidOperation("Notebook page not found: " + name);
}

const TClassInfo& TNotebook::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TNotebook", &TWinControl::StaticClassInfo())
                                     .Object("Pages", &TNotebook::GetPages)
                                     .Integer("PageIndex", &TNotebook::GetPageIndex, &TNotebook::SetPageIndex)
                                     .String("ActivePage", &TNotebook::GetActivePage, &TNotebook::SetActivePage);
  return info;
}
const TClassInfo* TNotebook::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// TRadioGroup
// ---------------------------------------------------------------------------
TRadioGroup::TRadioGroup(TComponent* owner) : TGroupBox(owner) {
  FItems.OnItemsChanged = [this] { ItemsChanged(); };
}

TRadioGroup::~TRadioGroup() { FItems.OnItemsChanged = nullptr; }

void TRadioGroup::ItemsChanged() {
  FUpdating = true;
  while (FButtons.size() > static_cast<size_t>(FItems.GetCount())) {
    delete FButtons.back();
    FButtons.pop_back();
  }
  while (FButtons.size() < static_cast<size_t>(FItems.GetCount())) {
    auto* b = new TRadioButton(this);
    b->SetEnabled(GetEnabled());
    b->OnClick = [this](TObject* sender) { ButtonClicked(sender); };
    b->SetParent(this);
    FButtons.push_back(b);
  }
  for (size_t i = 0; i < FButtons.size(); ++i) {
    FButtons[i]->SetCaption(FItems.Get(static_cast<int>(i)));
    FButtons[i]->SetChecked(static_cast<int>(i) == FItemIndex);
  }
  if (FItemIndex >= FItems.GetCount()) FItemIndex = -1;
  FUpdating = false;
  AlignControls();
}

void TRadioGroup::SetEnabled(bool enabled) {
  TGroupBox::SetEnabled(enabled);
  for (TRadioButton* b : FButtons) b->SetEnabled(enabled);
}

void TRadioGroup::ButtonClicked(TObject* sender) {
  if (FUpdating) return;
  auto it = std::find(FButtons.begin(), FButtons.end(), sender);
  if (it == FButtons.end()) return;
  int index = static_cast<int>(it - FButtons.begin());
  if (index == FItemIndex) return;
  FItemIndex = index;
  Click();
}

void TRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= FItems.GetCount()) index = -1;
  if (index == FItemIndex) return;
  if (index < 0) {
    FUpdating = true;
    FButtons[static_cast<size_t>(FItemIndex)]->SetChecked(false);
    FUpdating = false;
    FItemIndex = -1;
    return;
  }
  // The button's click reports the change.
  FButtons[static_cast<size_t>(index)]->SetChecked(true);
}

void TRadioGroup::SetColumns(int v) {
  v = std::clamp(v, 1, 16);
  if (v == FColumns) return;
  FColumns = v;
  AlignControls();
}

void TRadioGroup::AlignControls() {
  if (FButtons.empty()) return;
  int n = static_cast<int>(FButtons.size());
  int rows = (n + FColumns - 1) / FColumns;
  int top = 16, left = 8;
  int width = std::max(0, (FWidth - 2 * left) / FColumns);
  int height = std::max(1, (FHeight - top - 4) / rows);
  for (int i = 0; i < n; ++i) {
    int col = i / rows, row = i % rows;
    FButtons[static_cast<size_t>(i)]->SetBounds(left + col * width, top + row * height, width,
                                                std::min(height, 20));
  }
}

const TClassInfo& TRadioGroup::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TRadioGroup", &TGroupBox::StaticClassInfo())
                                     .Integer("Columns", &TRadioGroup::GetColumns, &TRadioGroup::SetColumns)
                                     .Object("Items", &TRadioGroup::GetItems)
                                     .Integer("ItemIndex", &TRadioGroup::GetItemIndex, &TRadioGroup::SetItemIndex);
  return info;
}
const TClassInfo* TRadioGroup::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// TPicture, TImage
// ---------------------------------------------------------------------------
TPicture::~TPicture() { Release(); }

void TPicture::Release() {
  if (FBitmap) ::DeleteObject(FBitmap);
  if (FIcon) ::DestroyIcon(FIcon);
  if (FMetafile) ::DeleteEnhMetaFile(FMetafile);
  FBitmap = nullptr;
  FIcon = nullptr;
  FMetafile = nullptr;
  FWidth = FHeight = 0;
}

void TPicture::Changed() {
  if (OnChange) OnChange();
}

void TPicture::Clear() {
  Release();
  Changed();
}

void TPicture::SetBitmap(HBITMAP bitmap) {
  Release();
  FBitmap = bitmap;
  BITMAP bm{};
  if (bitmap && ::GetObjectA(bitmap, sizeof bm, &bm)) {
    FWidth = bm.bmWidth;
    FHeight = std::abs(bm.bmHeight);
  }
  Changed();
}

void TPicture::SetIcon(HICON icon) {
  Release();
  FIcon = icon;
  ICONINFO ii{};
  if (icon && ::GetIconInfo(icon, &ii)) {
    BITMAP bm{};
    ::GetObjectA(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof bm, &bm);
    FWidth = bm.bmWidth;
    FHeight = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    if (ii.hbmColor) ::DeleteObject(ii.hbmColor);
    if (ii.hbmMask) ::DeleteObject(ii.hbmMask);
  }
  Changed();
}

void TPicture::SetMetafile(HENHMETAFILE mf) {
  Release();
  FMetafile = mf;
  ENHMETAHEADER h{};
  if (mf && ::GetEnhMetaFileHeader(mf, sizeof h, &h)) {
    FWidth = h.rclBounds.right - h.rclBounds.left + 1;
    FHeight = h.rclBounds.bottom - h.rclBounds.top + 1;
  }
  Changed();
}

void TPicture::LoadFromFile(const std::string& fileName) {
  std::string ext = AnsiLowerCase(ExtractFileExt(fileName));
  if (ext == ".bmp") {
    auto* b = static_cast<HBITMAP>(::LoadImageA(nullptr, fileName.c_str(), IMAGE_BITMAP, 0, 0,
                                                LR_LOADFROMFILE));
    if (!b) throw EComponentError("Cannot load the bitmap " + fileName);
    SetBitmap(b);
  } else if (ext == ".ico") {
    auto* i = static_cast<HICON>(::LoadImageA(nullptr, fileName.c_str(), IMAGE_ICON, 0, 0,
                                              LR_LOADFROMFILE | LR_DEFAULTSIZE));
    if (!i) throw EComponentError("Cannot load the icon " + fileName);
    SetIcon(i);
  } else if (ext == ".emf") {
    HENHMETAFILE m = ::GetEnhMetaFileA(fileName.c_str());
    if (!m) throw EComponentError("Cannot load the metafile " + fileName);
    SetMetafile(m);
  } else {
    throw EComponentError("Unknown picture file extension (" + ext + ")");
  }
}

void TPicture::Draw(HDC dc, const TRect& r) const {
  if (FBitmap) {
    HDC mem = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(mem, FBitmap);
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, r.Left, r.Top, r.Width(), r.Height(), mem, 0, 0, FWidth, FHeight, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
  } else if (FIcon) {
    ::DrawIconEx(dc, r.Left, r.Top, FIcon, r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
  } else if (FMetafile) {
    RECT rr{r.Left, r.Top, r.Right, r.Bottom};
    ::PlayEnhMetaFile(dc, FMetafile, &rr);
  }
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  FWidth = 105;
  FHeight = 105;
  FPicture.OnChange = [this] { Invalidate(); };
}

void TImage::SetStretch(bool v) {
  if (v == FStretch) return;
  FStretch = v;
  Invalidate();
}
void TImage::SetCenter(bool v) {
  if (v == FCenter) return;
  FCenter = v;
  Invalidate();
}
void TImage::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  Invalidate();
}

void TImage::Paint() {
  auto* canvas = static_cast<TCanvas*>(GetCanvas());
  if (!FTransparent) {
    canvas->SetBrushColor(FColor);
    canvas->FillRect(TRect(0, 0, FWidth, FHeight));
  }
  if (FPicture.Empty()) return;
  canvas->RequireState();
  TRect r = FStretch ? TRect(0, 0, FWidth, FHeight) : Bounds(0, 0, FPicture.GetWidth(), FPicture.GetHeight());
  if (FCenter && !FStretch) r.Offset((FWidth - r.Width()) / 2, (FHeight - r.Height()) / 2);
  FPicture.Draw(canvas->Handle(), r);
}

const TClassInfo& TImage::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TImage", &TControl::StaticClassInfo())
                                     .Bool("Stretch", &TImage::GetStretch, &TImage::SetStretch)
                                     .Bool("Center", &TImage::GetCenter, &TImage::SetCenter)
                                     .Bool("Transparent", &TImage::GetTransparent, &TImage::SetTransparent);
  return info;
}
const TClassInfo* TImage::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// TScrollBox
// ---------------------------------------------------------------------------
TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
  FWidth = 185;
  FHeight = 41;
}

void TScrollBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateScrollRange();
}

void TScrollBox::AlignControls() {
  TWinControl::AlignControls();
  UpdateScrollRange();
}

void TScrollBox::UpdateScrollRange() {
  // The range: from the scrolled origin to the farthest child edge.
  int right = 0, bottom = 0;
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* c = GetControl(i);
    if (!c->GetVisible() || c->GetAlign() != alNone) continue;
    right = std::max(right, c->GetLeft() + c->GetWidth() + FScroll.X);
    bottom = std::max(bottom, c->GetTop() + c->GetHeight() + FScroll.Y);
  }
  FRange = TSize{right, bottom};
  if (!FHandle) return;
  for (int bar : {SB_HORZ, SB_VERT}) {
    RECT r{};
    ::GetClientRect(FHandle, &r);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    si.nMax = bar == SB_HORZ ? FRange.cx - 1 : FRange.cy - 1;
    si.nPage = static_cast<UINT>(bar == SB_HORZ ? r.right : r.bottom);
    si.nPos = bar == SB_HORZ ? FScroll.X : FScroll.Y;
    ::SetScrollInfo(FHandle, bar, &si, TRUE);
  }
}

void TScrollBox::ScrollBy(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  FScroll.X += dx;
  FScroll.Y += dy;
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* c = GetControl(i);
    if (c->GetAlign() != alNone) continue;
    c->SetBounds(c->GetLeft() - dx, c->GetTop() - dy, c->GetWidth(), c->GetHeight());
  }
  Invalidate();
  UpdateScrollRange();
}

void TScrollBox::Scroll(int bar, int code) {
  SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
  ::GetScrollInfo(FHandle, bar, &si);
  int pos = si.nPos, line = 8, page = static_cast<int>(si.nPage);
  switch (code) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  pos = std::clamp(pos, 0, std::max(0, si.nMax - page + 1));
  if (bar == SB_HORZ)
    ScrollBy(pos - FScroll.X, 0);
  else
    ScrollBy(0, pos - FScroll.Y);
}

void TScrollBox::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (msg.LParam) break;  // a child scroll bar's, reflected to it
      Scroll(msg.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(msg.WParam));
      msg.Result = 0;
      return;
    case WM_SIZE:
      TWinControl::WndProc(msg);
      UpdateScrollRange();
      return;
    default:
      break;
  }
  TWinControl::WndProc(msg);
}
