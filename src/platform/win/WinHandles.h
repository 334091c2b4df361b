// Owners for Windows handles: every GDI object, device context and paint
// bracket we make is released by a destructor, never by hand.
#pragma once

#include "platform/win/WinApi.h"

#include <utility>

// A GDI object (font, brush, pen, bitmap, region) deleted with DeleteObject.
template <typename H>
class TGdiObject {
public:
  TGdiObject() = default;
  explicit TGdiObject(H handle) : FHandle(handle) {}
  ~TGdiObject() { Reset(); }
  TGdiObject(TGdiObject&& o) noexcept : FHandle(std::exchange(o.FHandle, nullptr)) {}
  TGdiObject& operator=(TGdiObject&& o) noexcept {
    if (this != &o) {
      Reset();
      FHandle = std::exchange(o.FHandle, nullptr);
    }
    return *this;
  }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;

  H Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr; }
  void Reset(H handle = nullptr) {
    if (FHandle) DeleteObject(FHandle);
    FHandle = handle;
  }

private:
  H FHandle = nullptr;
};

using TFontObject = TGdiObject<HFONT>;
using TBrushObject = TGdiObject<HBRUSH>;
using TPenObject = TGdiObject<HPEN>;
using TBitmapObject = TGdiObject<HBITMAP>;
using TRegionObject = TGdiObject<HRGN>;

// Selects an object into a device context for the lifetime of this guard.
class TSelectObject {
public:
  TSelectObject(HDC dc, HGDIOBJ obj) : FDC(dc), FOld(SelectObject(dc, obj)) {}
  ~TSelectObject() {
    if (FOld && FOld != HGDI_ERROR) SelectObject(FDC, FOld);
  }
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;

private:
  HDC FDC;
  HGDIOBJ FOld;
};

// SaveDC/RestoreDC: everything selected after construction is deselected.
class TSaveDC {
public:
  explicit TSaveDC(HDC dc) : FDC(dc), FState(SaveDC(dc)) {}
  ~TSaveDC() {
    if (FState) RestoreDC(FDC, FState);
  }
  TSaveDC(const TSaveDC&) = delete;
  TSaveDC& operator=(const TSaveDC&) = delete;

private:
  HDC FDC;
  int FState;
};

// A window's (or, with no window, the screen's) device context from GetDC.
class TWindowDC {
public:
  explicit TWindowDC(HWND wnd) : FWnd(wnd), FDC(GetDC(wnd)) {}
  ~TWindowDC() {
    if (FDC) ReleaseDC(FWnd, FDC);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return FDC; }

private:
  HWND FWnd;
  HDC FDC;
};

// A memory device context compatible with another one (or the screen).
class TMemoryDC {
public:
  explicit TMemoryDC(HDC compatibleWith = nullptr) : FDC(CreateCompatibleDC(compatibleWith)) {}
  ~TMemoryDC() {
    if (FDC) DeleteDC(FDC);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  HDC Get() const { return FDC; }

private:
  HDC FDC;
};

// The BeginPaint/EndPaint bracket of WM_PAINT.
class TPaintDC {
public:
  explicit TPaintDC(HWND wnd) : FWnd(wnd) { FDC = BeginPaint(wnd, &FPaint); }
  ~TPaintDC() { EndPaint(FWnd, &FPaint); }
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  HDC Get() const { return FDC; }
  const RECT& PaintRect() const { return FPaint.rcPaint; }

private:
  HWND FWnd;
  HDC FDC = nullptr;
  PAINTSTRUCT FPaint{};
};
