// TSpinEdit: an edit for a whole number with an up-down beside its text;
// the arrows (buttons or keys) step Value by Increment within
// MinValue..MaxValue (no limits while the two are equal).
#pragma once

#include "platform/win/StdCtrls.h"

class TSpinEdit : public TCustomEdit {
public:
  explicit TSpinEdit(TComponent* owner);
  // The text as a number, kept in range; MinValue when it is no number.
  int GetValue() const;
  // Clamped to the range; sets the text (which fires OnChange).
  void SetValue(int v);
  int GetMinValue() const { return FMinValue; }
  void SetMinValue(int v);
  int GetMaxValue() const { return FMaxValue; }
  void SetMaxValue(int v);
  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int v) { FIncrement = v; }
  HWND GetUpDownHandle() const { return FUpDown; }

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& msg) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;

private:
  int Clamp(int v) const;
  void PlaceUpDown();
  int FMinValue = 0;
  int FMaxValue = 0;
  int FIncrement = 1;
  HWND FUpDown = nullptr;
};
