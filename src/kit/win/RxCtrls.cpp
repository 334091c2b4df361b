#include "kit/win/RxCtrls.h"

#include "platform/TypInfo.h"
#include "platform/win/Application.h"
#include "platform/win/Forms.h"
#include "platform/win/Menus.h"
#include "platform/win/Timer.h"

#include <algorithm>

namespace {

// A device-dependent copy of a DIB's pixels, for the image list (which reads
// the bitmap through a device context of its own, so it must not be
// selected anywhere).
HBITMAP CopyToDDB(HDC source, int width, int height) {
  TWindowDC screen(nullptr);
  HBITMAP b = ::CreateCompatibleBitmap(screen.Get(), width, height);
  TMemoryDC mem(screen.Get());
  {
    TSelectObject sel(mem.Get(), b);
    ::BitBlt(mem.Get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
  }
  return b;
}

bool IsDownLook(TRxButtonState s) { return s == rbsDown || s == rbsExclusive; }

}  // namespace

// ---------------------------------------------------------------------------
// TGlyphList
// ---------------------------------------------------------------------------
TGlyphList::TGlyphList(int width, int height)
    : FHandle(ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 4, 4)),
      FWidth(width),
      FHeight(height) {}

TGlyphList::~TGlyphList() {
  if (FHandle) ImageList_Destroy(FHandle);
}

int TGlyphList::AddMasked(HBITMAP image, COLORREF maskColor) {
  // The mask: white where the image has the mask colour. The image itself
  // must be black there, since the list draws it over the masked background.
  TBitmap pixels(FWidth, FHeight);
  {
    TMemoryDC src(nullptr);
    TSelectObject sel(src.Get(), image);
    ::BitBlt(pixels.DC(), 0, 0, FWidth, FHeight, src.Get(), 0, 0, SRCCOPY);
  }
  HBITMAP mask = ::CreateBitmap(FWidth, FHeight, 1, 1, nullptr);
  {
    TMemoryDC m(nullptr);
    TSelectObject sel(m.Get(), mask);
    ::PatBlt(m.Get(), 0, 0, FWidth, FHeight, BLACKNESS);
    for (int y = 0; y < FHeight; ++y)
      for (int x = 0; x < FWidth; ++x)
        if (static_cast<COLORREF>(pixels.Pixel(x, y)) == maskColor) {
          ::SetPixelV(m.Get(), x, y, RGB(255, 255, 255));
          ::SetPixelV(pixels.DC(), x, y, RGB(0, 0, 0));
        }
  }
  HBITMAP colour = CopyToDDB(pixels.DC(), FWidth, FHeight);
  int index = -1;
  const auto freeSlot = std::find(FUsed.begin(), FUsed.end(), false);
  if (freeSlot != FUsed.end()) {
    index = static_cast<int>(freeSlot - FUsed.begin());
    ImageList_Replace(FHandle, index, colour, mask);
    FUsed[index] = true;
  } else {
    index = ImageList_Add(FHandle, colour, mask);
    if (index >= 0) {
      FUsed.resize(index + 1, false);
      FUsed[index] = true;
    }
  }
  ::DeleteObject(colour);
  ::DeleteObject(mask);
  if (index >= 0) ++FCount;
  return index;
}

void TGlyphList::Delete(int index) {
  if (index < 0 || index >= static_cast<int>(FUsed.size()) || !FUsed[index]) return;
  FUsed[index] = false;
  --FCount;
}

void TGlyphList::Draw(int index, HDC dc, int x, int y) const {
  ImageList_Draw(FHandle, index, dc, x, y, ILD_TRANSPARENT);
}

// ---------------------------------------------------------------------------
// TGlyphCache
// ---------------------------------------------------------------------------
TGlyphCache& TGlyphCache::Instance() {
  static TGlyphCache cache;
  return cache;
}

TGlyphList* TGlyphCache::GetList(int width, int height) {
  for (auto& l : FLists)
    if (l->Width() == width && l->Height() == height) return l.get();
  FLists.push_back(std::make_unique<TGlyphList>(width, height));
  return FLists.back().get();
}

void TGlyphCache::ReturnList(TGlyphList* list) {
  if (!list || list->Count() > 0) return;
  FLists.erase(std::remove_if(FLists.begin(), FLists.end(),
                              [&](const auto& l) { return l.get() == list; }),
               FLists.end());
}

// ---------------------------------------------------------------------------
// TRxButtonGlyph
// ---------------------------------------------------------------------------
TRxButtonGlyph::~TRxButtonGlyph() {
  Invalidate();
  if (FOriginal) ::DeleteObject(FOriginal);
}

void TRxButtonGlyph::Invalidate() {
  if (FList) {
    for (int& i : FIndexes) {
      FList->Delete(i);
      i = -1;
    }
    TGlyphCache::Instance().ReturnList(FList);
    FList = nullptr;
  }
}

void TRxButtonGlyph::SetGlyph(HBITMAP bitmap) {
  Invalidate();
  if (FOriginal) ::DeleteObject(FOriginal);
  FOriginal = bitmap ? static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)) : nullptr;
  if (FOriginal) {
    const TSize size = [&] {
      BITMAP bm{};
      ::GetObjectA(FOriginal, sizeof bm, &bm);
      return TSize(bm.bmWidth, bm.bmHeight);
    }();
    TMemoryDC dc(nullptr);
    TSelectObject sel(dc.Get(), FOriginal);
    FTransparent = ::GetPixel(dc.Get(), 0, size.cy - 1);
  }
}

void TRxButtonGlyph::SetNumGlyphs(int n) {
  n = std::clamp(n, 1, 5);
  if (n == FNumGlyphs) return;
  Invalidate();
  FNumGlyphs = n;
}

TSize TRxButtonGlyph::ImageSize() const {
  if (!FOriginal) return TSize(0, 0);
  BITMAP bm{};
  ::GetObjectA(FOriginal, sizeof bm, &bm);
  return TSize(bm.bmWidth / FNumGlyphs, bm.bmHeight);
}

HBITMAP TRxButtonGlyph::CreateStateBitmap(TRxButtonState state) {
  const TSize size = ImageSize();
  if (size.cx <= 0 || size.cy <= 0) return nullptr;
  TBitmap image(size.cx, size.cy);
  TMemoryDC src(nullptr);
  TSelectObject sel(src.Get(), FOriginal);
  const int given = static_cast<int>(state);
  if (given < FNumGlyphs) {
    ::BitBlt(image.DC(), 0, 0, size.cx, size.cy, src.Get(), given * size.cx, 0, SRCCOPY);
    return CopyToDDB(image.DC(), size.cx, size.cy);
  }
  TBitmap up(size.cx, size.cy);
  ::BitBlt(up.DC(), 0, 0, size.cx, size.cy, src.Get(), 0, 0, SRCCOPY);
  ::BitBlt(image.DC(), 0, 0, size.cx, size.cy, up.DC(), 0, 0, SRCCOPY);
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  if (state == rbsDisabled) {
    // Embossed: the glyph's shape in the highlight colour one pixel down
    // and right, and in the shadow colour over it.
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    ::SetBkColor(image.DC(), FTransparent);
    const RECT all{0, 0, size.cx, size.cy};
    ::ExtTextOutA(image.DC(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    const auto inShape = [&](int x, int y) {
      return static_cast<COLORREF>(up.Pixel(x, y)) != FTransparent &&
             static_cast<COLORREF>(up.Pixel(x, y)) != face;
    };
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x)
        if (inShape(x, y) && x + 1 < size.cx && y + 1 < size.cy)
          ::SetPixelV(image.DC(), x + 1, y + 1, highlight);
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x)
        if (inShape(x, y)) ::SetPixelV(image.DC(), x, y, shadow);
  } else if (state == rbsInactive) {
    for (int y = 0; y < size.cy; ++y)
      for (int x = 0; x < size.cx; ++x) {
        const TColor p = up.Pixel(x, y);
        const TColor g = GrayedPixel(p, static_cast<TColor>(FTransparent), static_cast<TColor>(face));
        if (g != p) ::SetPixelV(image.DC(), x, y, static_cast<COLORREF>(g));
      }
  }
  // The pressed and down images default to the up image.
  return CopyToDDB(image.DC(), size.cx, size.cy);
}

int TRxButtonGlyph::ImageIndex(TRxButtonState state) {
  int& index = FIndexes[state];
  if (index >= 0) return index;
  const TSize size = ImageSize();
  if (size.cx <= 0) return -1;
  if (!FList) FList = TGlyphCache::Instance().GetList(size.cx, size.cy);
  HBITMAP b = CreateStateBitmap(state);
  if (!b) return -1;
  index = FList->AddMasked(b, FTransparent);
  ::DeleteObject(b);
  return index;
}

void TRxButtonGlyph::Draw(HDC dc, int x, int y, TRxButtonState state) {
  const int i = ImageIndex(state);
  if (i >= 0) FList->Draw(i, dc, x, y);
}

// ---------------------------------------------------------------------------
// TRxSpeedButton
// ---------------------------------------------------------------------------
TRxSpeedButton::TRxSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  FWidth = 25;
  FHeight = 25;
  SetParentShowHint(false);
  SetShowHint(true);
}

TRxSpeedButton::~TRxSpeedButton() { StopTimer(); }

void TRxSpeedButton::SetAllowAllUp(bool v) {
  if (v == FAllowAllUp) return;
  FAllowAllUp = v;
  UpdateExclusive();
}

void TRxSpeedButton::SetAllowTimer(bool v) {
  FAllowTimer = v;
  if (!v) StopTimer();
}

void TRxSpeedButton::SetGroupIndex(int v) {
  if (v == FGroupIndex) return;
  FGroupIndex = v;
  UpdateExclusive();
}

void TRxSpeedButton::SetDown(bool v) {
  if (FGroupIndex == 0) v = false;
  if (v == FDown) return;
  // In a group without AllowAllUp one button always stays down.
  if (FDown && !FAllowAllUp) return;
  FDown = v;
  if (v) {
    if (FState == rbsUp) Invalidate();
    FState = rbsExclusive;
  } else {
    FState = rbsUp;
    Repaint();
  }
  if (v) UpdateExclusive();
  Invalidate();
}

void TRxSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !GetParent()) return;
  TWinControl* parent = GetParent();
  for (int i = 0; i < parent->GetControlCount(); ++i) {
    auto* b = dynamic_cast<TRxSpeedButton*>(parent->GetControl(i));
    if (!b || b == this || b->FGroupIndex != FGroupIndex) continue;
    if (FDown && b->FDown) {
      b->FDown = false;
      b->FState = rbsUp;
      b->Invalidate();
    }
    b->FAllowAllUp = FAllowAllUp;
  }
}

void TRxSpeedButton::SetDropDownMenu(TPopupMenu* menu) {
  if (menu == FDropDownMenu) return;
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = menu;
  if (menu) menu->FreeNotification(this);
  Invalidate();
}

void TRxSpeedButton::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == FDropDownMenu) {
    FDropDownMenu = nullptr;
    Invalidate();
  }
}

void TRxSpeedButton::SetFlat(bool v) {
  if (v == FFlat) return;
  FFlat = v;
  Invalidate();
}

void TRxSpeedButton::SetGlyph(HBITMAP bitmap) {
  FGlyph.SetGlyph(bitmap);
  // A glyph as wide as several images of its height holds that many.
  const TSize size = FGlyph.ImageSize();
  if (bitmap && size.cy > 0 && FGlyph.GetNumGlyphs() == 1) {
    const int whole = size.cx / size.cy;
    if (size.cx % size.cy == 0 && whole >= 2 && whole <= 5) FGlyph.SetNumGlyphs(whole);
  }
  Invalidate();
}

void TRxSpeedButton::SetNumGlyphs(TRxNumGlyphs n) {
  FGlyph.SetNumGlyphs(n);
  Invalidate();
}

void TRxSpeedButton::SetGrayedInactive(bool v) {
  if (v == FGrayedInactive) return;
  FGrayedInactive = v;
  Invalidate();
}

void TRxSpeedButton::SetLayout(TButtonLayout v) {
  if (v == FLayout) return;
  FLayout = v;
  Invalidate();
}

void TRxSpeedButton::SetMargin(int v) {
  if (v == FMargin || v < -1) return;
  FMargin = v;
  Invalidate();
}

void TRxSpeedButton::SetSpacing(int v) {
  if (v == FSpacing) return;
  FSpacing = v;
  Invalidate();
}

void TRxSpeedButton::SetMarkDropDown(bool v) {
  if (v == FMarkDropDown) return;
  FMarkDropDown = v;
  Invalidate();
}

void TRxSpeedButton::SetTransparent(bool v) {
  if (v == FTransparent) return;
  FTransparent = v;
  Invalidate();
}

void TRxSpeedButton::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  Invalidate();
}

void TRxSpeedButton::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Invalidate();
}

void TRxSpeedButton::SetEnabled(bool enabled) {
  TGraphicControl::SetEnabled(enabled);
  if (!enabled) {
    FDragging = false;
    StopTimer();
  }
  Invalidate();
}

void TRxSpeedButton::SetText(const std::string& text) {
  TGraphicControl::SetText(text);
  Invalidate();
}

void TRxSpeedButton::Click() {
  if (std::exchange(FSkipClick, false)) return;
  TGraphicControl::Click();
  if (FModalResult != 0)
    if (TForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
}

bool TRxSpeedButton::DialogChar(char ch) {
  if (!IsAccel(ch, GetCaption()) || !GetEnabled() || !IsShowing()) return false;
  Click();
  return true;
}

void TRxSpeedButton::MouseEnter() {
  TGraphicControl::MouseEnter();
  FMouseInside = true;
  if (FFlat && GetEnabled()) Invalidate();
}

void TRxSpeedButton::MouseLeave() {
  TGraphicControl::MouseLeave();
  FMouseInside = false;
  if (FFlat && GetEnabled()) Invalidate();
}

void TRxSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || !GetEnabled() || FMenuShowing) return;
  FSkipClick = false;
  FMenuOpened = false;
  if (!FDown) {
    FState = rbsDown;
    Repaint();
  }
  FDragging = true;
  if (FDropDownMenu && FDropDownMenu->GetAutoPopup()) {
    ShowDropDownMenu();
    return;
  }
  if (FAllowTimer) {
    if (!FRepeatTimer) {
      FRepeatTimer = new TTimer(this);
      FRepeatTimer->OnTimer = [this](TObject* s) { RepeatTick(s); };
    }
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(static_cast<unsigned>(FInitPause));
    FRepeatTimer->SetEnabled(true);
  }
}

void TRxSpeedButton::ShowDropDownMenu() {
  if (TForm* form = GetParentForm(this); form && form->HandleAllocated())
    ::SendMessageA(form->GetHandle(), WM_CANCELMODE, 0, 0);
  FDropDownMenu->SetPopupComponent(this);
  const TPoint at = ClientToScreen(DropDownMenuPoint(
      FMenuPosition, static_cast<TMenuAlignment>(FDropDownMenu->GetAlignment()), FWidth, FHeight));
  FMenuShowing = true;
  FMenuOpened = true;
  struct TShowing {
    bool& Flag;
    ~TShowing() { Flag = false; }
  } showing{FMenuShowing};
  FDropDownMenu->Popup(at.X, at.Y);
  // The menu took the release: the press ends here, with no click.
  FDragging = false;
  FState = FDown ? rbsExclusive : rbsUp;
  Repaint();
  // A press on this button closed the menu; it must not open it again.
  TWinControl* parent = GetParent();
  if (!parent || !parent->HandleAllocated()) return;
  MSG m;
  if (::PeekMessageA(&m, parent->GetHandle(), WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, PM_NOREMOVE) &&
      (m.message == WM_LBUTTONDOWN || m.message == WM_LBUTTONDBLCLK)) {
    const TPoint p(static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam)));
    if (GetBoundsRect().Contains(p))
      ::PeekMessageA(&m, parent->GetHandle(), m.message, m.message, PM_REMOVE);
  }
}

void TRxSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!FDragging) return;
  const bool inside = TRect(0, 0, FWidth, FHeight).Contains(TPoint(x, y));
  const TRxButtonState s = FDown ? rbsExclusive : inside ? rbsDown : rbsUp;
  if (s != FState) {
    FState = s;
    Invalidate();
  }
}

void TRxSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft) return;
  const bool inside = TRect(0, 0, FWidth, FHeight).Contains(TPoint(x, y));
  if (!FDragging) {
    // A release we did not see pressed (the menu's) clicks nothing.
    FSkipClick = inside;
    return;
  }
  FDragging = false;
  StopTimer();
  const TReleaseOutcome r = ButtonRelease(FGroupIndex, FDown, FAllowAllUp, inside, FMenuOpened);
  if (FGroupIndex != 0 && r.Down != FDown) {
    if (r.Down) {
      SetDown(true);
    } else {
      FDown = false;  // AllowAllUp let it go up
    }
  }
  FState = FDown ? rbsExclusive : rbsUp;
  Invalidate();
  // The control layer clicks after a release inside; the group rule may say no.
  FSkipClick = inside && !r.Click;
}

void TRxSpeedButton::RepeatTick(TObject*) {
  FRepeatTimer->SetInterval(static_cast<unsigned>(FRepeatInterval));
  TWinControl* parent = GetParent();
  const bool captured = parent && parent->HandleAllocated() && ::GetCapture() == parent->GetHandle();
  if (FDragging && FState == rbsDown && captured) {
    try {
      Click();
    } catch (...) {
      StopTimer();
      throw;
    }
  }
}

void TRxSpeedButton::StopTimer() {
  if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
}

void TRxSpeedButton::Paint() {
  auto* canvas = dynamic_cast<TCanvas*>(GetCanvas());
  if (canvas) PaintOn(canvas->Handle());
}

void TRxSpeedButton::PaintOn(HDC target) {
  if (FWidth <= 0 || FHeight <= 0) return;
  // Drawn off screen and copied at once, so the face never flickers.
  TBitmap off(FWidth, FHeight);
  HDC dc = off.DC();
  RECT r{0, 0, FWidth, FHeight};
  const bool enabled = GetEnabled();
  const TRxButtonState state = enabled ? FState : rbsDisabled;
  const bool downLook = IsDownLook(state) || (FDown && enabled);

  TColor back = FTransparent && GetParent() ? GetParent()->GetColor() : clBtnFace;
  {
    TBrushObject brush(::CreateSolidBrush(ColorToRGB(back)));
    ::FillRect(dc, &r, brush.Get());
  }
  // A button held down in its group shows a dithered face.
  if (FDown && enabled && !FTransparent && (!FFlat || !FMouseInside)) {
    WORD bits[8];
    for (int i = 0; i < 8; ++i) bits[i] = (i & 1) ? 0x55 : 0xAA;
    TBitmapObject pattern(::CreateBitmap(8, 8, 1, 1, bits));
    TBrushObject brush(::CreatePatternBrush(pattern.Get()));
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNFACE));
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT inner{1, 1, FWidth - 1, FHeight - 1};
    ::FillRect(dc, &inner, brush.Get());
  }
  if (!FFlat) {
    ::DrawEdge(dc, &r, downLook ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  } else if (downLook || (FMouseInside && enabled)) {
    ::DrawEdge(dc, &r, downLook ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }

  // Glyph and caption.
  TRxButtonState glyphState = state;
  if (enabled && FFlat && FGrayedInactive && !FMouseInside && !downLook) glyphState = rbsInactive;
  const std::string& caption = GetCaption();
  auto font = AcquireFont(GetFont());
  TSelectObject selFont(dc, font->Get());
  TSize text(0, 0);
  RECT calc{0, 0, FWidth - 4, 0};
  const UINT textFlags = FWordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  if (!caption.empty()) {
    ::DrawTextA(dc, caption.c_str(), -1, &calc, textFlags | DT_CALCRECT);
    text = TSize(calc.right - calc.left, calc.bottom - calc.top);
  }
  const bool mark = FMarkDropDown && FDropDownMenu;
  const TButtonLayoutResult layout =
      CalcButtonLayout(TRect(1, 1, FWidth - 1, FHeight - 1), FGlyph.ImageSize(), text, FLayout,
                       FMargin, FSpacing, mark);
  const int shift = downLook ? 1 : 0;
  if (!FGlyph.Empty())
    FGlyph.Draw(dc, layout.GlyphPos.X + shift, layout.GlyphPos.Y + shift, glyphState);
  if (!caption.empty()) {
    ::SetBkMode(dc, TRANSPARENT);
    RECT tr{layout.TextBounds.Left + shift, layout.TextBounds.Top + shift,
            layout.TextBounds.Right + shift, layout.TextBounds.Bottom + shift};
    const UINT align = FAlignment == taLeftJustify ? DT_LEFT : FAlignment == taRightJustify ? DT_RIGHT : DT_CENTER;
    if (!enabled) {
      RECT hr = tr;
      ::OffsetRect(&hr, 1, 1);
      ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
      ::DrawTextA(dc, caption.c_str(), -1, &hr, textFlags | align);
      ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
    } else {
      ::SetTextColor(dc, ColorToRGB(GetFont().Color));
    }
    ::DrawTextA(dc, caption.c_str(), -1, &tr, textFlags | align);
  }
  if (mark) {
    // A small triangle pointing down (right for a menu opening at the side).
    const TRect& m = layout.MarkBounds;
    TPenObject pen(::CreatePen(PS_SOLID, 1, ::GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW)));
    TSelectObject selPen(dc, pen.Get());
    for (int i = 0; i < 3; ++i) {
      ::MoveToEx(dc, m.Left + i + shift, m.Top + i + shift, nullptr);
      ::LineTo(dc, m.Left + kDropDownMarkWidth - i + shift, m.Top + i + shift);
    }
  }
  PaintOver(dc, TRect(0, 0, FWidth, FHeight));
  ::BitBlt(target, 0, 0, FWidth, FHeight, dc, 0, 0, SRCCOPY);
}

const TClassInfo& TRxSpeedButton::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TRxSpeedButton", &TControl::StaticClassInfo())
          .String("Caption", &TControl::GetCaption, &TRxSpeedButton::SetText)
          .Bool("AllowAllUp", &TRxSpeedButton::GetAllowAllUp, &TRxSpeedButton::SetAllowAllUp)
          .Bool("AllowTimer", &TRxSpeedButton::GetAllowTimer, &TRxSpeedButton::SetAllowTimer)
          .Integer("GroupIndex", &TRxSpeedButton::GetGroupIndex, &TRxSpeedButton::SetGroupIndex)
          .Bool("Down", &TRxSpeedButton::GetDown, &TRxSpeedButton::SetDown)
          .Enum("MenuPosition", {"dmpBottom", "dmpRight"}, &TRxSpeedButton::GetMenuPosition,
                &TRxSpeedButton::SetMenuPosition)
          .Bool("Flat", &TRxSpeedButton::GetFlat, &TRxSpeedButton::SetFlat)
          .Bool("GrayedInactive", &TRxSpeedButton::GetGrayedInactive,
                &TRxSpeedButton::SetGrayedInactive)
          .Integer("InitPause", &TRxSpeedButton::GetInitPause, &TRxSpeedButton::SetInitPause)
          .Enum("Layout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"},
                &TRxSpeedButton::GetLayout, &TRxSpeedButton::SetLayout)
          .Integer("Margin", &TRxSpeedButton::GetMargin, &TRxSpeedButton::SetMargin)
          .Bool("MarkDropDown", &TRxSpeedButton::GetMarkDropDown, &TRxSpeedButton::SetMarkDropDown)
          .Integer("ModalResult", &TRxSpeedButton::GetModalResult, &TRxSpeedButton::SetModalResult)
          .Integer("NumGlyphs", &TRxSpeedButton::GetNumGlyphs, &TRxSpeedButton::SetNumGlyphs)
          .Integer("RepeatInterval", &TRxSpeedButton::GetRepeatInterval,
                   &TRxSpeedButton::SetRepeatInterval)
          .Integer("Spacing", &TRxSpeedButton::GetSpacing, &TRxSpeedButton::SetSpacing)
          .Bool("Transparent", &TRxSpeedButton::GetTransparent, &TRxSpeedButton::SetTransparent)
          .Bool("WordWrap", &TRxSpeedButton::GetWordWrap, &TRxSpeedButton::SetWordWrap);
  return info;
}
const TClassInfo* TRxSpeedButton::ClassInfo() const { return &StaticClassInfo(); }
