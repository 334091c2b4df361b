// TFont: a control's font as a persistent object with published properties,
// so stored settings and language files reach it as Edit.Font.Name (stored
// as Edit_FontName). It wraps the painting code's TFontData and tells its
// owner through OnChange when a property really changes.
#pragma once

#include "platform/Canvas.h"
#include "platform/Classes.h"

class TFont : public TPersistent {
public:
  TFont() = default;

  const TFontData& GetData() const { return FData; }
  void SetData(const TFontData& data);

  const std::string& GetName() const { return FData.Name; }
  void SetName(const std::string& name);
  int GetHeight() const { return FData.Height; }
  void SetHeight(int height);
  // Point size at the resolution below (the screen's unless set).
  int GetSize() const;
  void SetSize(int size);
  TColor GetColor() const { return FData.Color; }
  void SetColor(TColor color);
  int GetCharset() const { return FData.CharSet; }
  void SetCharset(int charset);
  TFontPitch GetPitch() const { return FData.Pitch; }
  void SetPitch(TFontPitch pitch);
  TFontStyles GetStyle() const { return FData.Style; }
  void SetStyle(TFontStyles style);

  int GetPixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int ppi) { FPixelsPerInch = ppi > 0 ? ppi : 96; }
  // The resolution new fonts start with; the screen sets it at start-up.
  static int DefaultPixelsPerInch;

  void Assign(TPersistent* source) override;
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  TNotifyEvent OnChange;

private:
  template <class T> void Change(T TFontData::*field, const T& value) {
    TFontData d = FData;
    d.*field = value;
    SetData(d);
  }
  TFontData FData;
  int FPixelsPerInch = DefaultPixelsPerInch;
};
