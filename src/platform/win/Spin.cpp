// TSpinEdit.
#include "platform/win/Spin.h"

#include "platform/TypInfo.h"

#include <algorithm>
#include <commctrl.h>

namespace {
constexpr int kUpDownWidth = 15;
}

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) { FText = "0"; }

int TSpinEdit::Clamp(int v) const {
  if (FMaxValue == FMinValue) return v;
  return std::clamp(v, std::min(FMinValue, FMaxValue), std::max(FMinValue, FMaxValue));
}

int TSpinEdit::GetValue() const {
  int v = 0;
  if (!TryStrToInt(Trim(FText), v)) return FMinValue;
  return Clamp(v);
}

void TSpinEdit::SetValue(int v) { SetText(IntToStr(Clamp(v))); }

// A value outside a new range is brought into it.
void TSpinEdit::SetMinValue(int v) {
  FMinValue = v;
  int cur = 0;
  if (TryStrToInt(Trim(FText), cur) && Clamp(cur) != cur) SetValue(cur);
}

void TSpinEdit::SetMaxValue(int v) {
  FMaxValue = v;
  int cur = 0;
  if (TryStrToInt(Trim(FText), cur) && Clamp(cur) != cur) SetValue(cur);
}

void TSpinEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  // The up-down sits inside the edit at its right; the text stops before it.
  FUpDown = ::CreateWindowExA(0, UPDOWN_CLASSA, nullptr, WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS, 0, 0, 0, 0,
                              FHandle, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(FUpDown, UDM_SETRANGE32, static_cast<WPARAM>(-1000), 1000);
  ::SendMessageA(FUpDown, UDM_SETPOS32, 0, 0);
  PlaceUpDown();
}

void TSpinEdit::DestroyWnd() {
  FUpDown = nullptr;  // a child of the edit: goes with it
  TCustomEdit::DestroyWnd();
}

void TSpinEdit::PlaceUpDown() {
  if (!FUpDown) return;
  RECT r{};
  ::GetClientRect(FHandle, &r);
  ::SetWindowPos(FUpDown, nullptr, r.right - kUpDownWidth, 0, kUpDownWidth, r.bottom, SWP_NOZORDER);
  ::SendMessageA(FHandle, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, kUpDownWidth + 2));
}

void TSpinEdit::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomEdit::KeyDown(key, shift);
  if (key == VK_UP || key == VK_DOWN) {
    SetValue(GetValue() + (key == VK_UP ? FIncrement : -FIncrement));
    SelectAll();
    key = 0;
  }
}

void TSpinEdit::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(msg.LParam);
      if (hdr && hdr->hwndFrom == FUpDown && hdr->code == UDN_DELTAPOS) {
        auto* ud = reinterpret_cast<NMUPDOWN*>(msg.LParam);
        SetValue(GetValue() + (ud->iDelta > 0 ? FIncrement : -FIncrement));
        msg.Result = 1;  // the up-down's own position stays put
        return;
      }
      break;
    }
    case WM_SIZE:
      TCustomEdit::WndProc(msg);
      PlaceUpDown();
      return;
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(msg.LParam) == FUpDown) {
        msg.Result = 0;
        return;
      }
      break;
    default:
      break;
  }
  TCustomEdit::WndProc(msg);
}

const TClassInfo& TSpinEdit::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TSpinEdit", &TCustomEdit::StaticClassInfo())
                                     .Integer("MinValue", &TSpinEdit::GetMinValue, &TSpinEdit::SetMinValue)
                                     .Integer("MaxValue", &TSpinEdit::GetMaxValue, &TSpinEdit::SetMaxValue)
                                     .Integer("Increment", &TSpinEdit::GetIncrement, &TSpinEdit::SetIncrement)
                                     .Integer("Value", &TSpinEdit::GetValue, &TSpinEdit::SetValue);
  return info;
}
const TClassInfo* TSpinEdit::ClassInfo() const { return &StaticClassInfo(); }
