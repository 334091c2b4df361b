// The small settings objects the editing control publishes: selection
// colours, the gutter and the bookmark options. Each fires OnChange (sender =
// the object) from every setter that changes a value and from Assign, and
// clamps out-of-range values instead of rejecting them.
#pragma once

#include <string>

#include "platform/Classes.h"
#include "platform/Graphics.h"

class TktSelectedColor : public TPersistent {
public:
  void Assign(TPersistent* source) override;
  // Publishes Background and Foreground, so stored settings keep them as
  // sub-values of the editor's SelectedColor.
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  TColor GetBackground() const { return FBackground; }
  void SetBackground(TColor value);
  TColor GetForeground() const { return FForeground; }
  void SetForeground(TColor value);

  TNotifyEvent OnChange;

private:
  void Change();
  TColor FBackground = clHighlight;
  TColor FForeground = clHighlightText;
};

class TktGutter : public TPersistent {
public:
  void Assign(TPersistent* source) override;

  // With Visible, AutoSize and ShowLineNumbers all on, widens the number
  // field to the digits of lineCount (never below DigitCount) and fires
  // OnChange when that changes the field; otherwise the field is DigitCount.
  void AutoSizeDigitCount(int lineCount);
  // line (minus 1 with ZeroStart) right-aligned in the number field, padded
  // with blanks, or with zeros under LeadingZeros.
  std::string FormatLineNumber(int line) const;
  // Pixels the gutter takes for a character width.
  int RealGutterWidth(int charWidth) const;

  TColor GetColor() const { return FColor; }
  void SetColor(TColor value);
  int GetWidth() const { return FWidth; }
  void SetWidth(int value);  // max(0, value)
  bool GetShowLineNumbers() const { return FShowLineNumbers; }
  void SetShowLineNumbers(bool value);
  int GetDigitCount() const { return FDigitCount; }
  void SetDigitCount(int value);  // clamped to 2..12; resets the number field
  bool GetLeadingZeros() const { return FLeadingZeros; }
  void SetLeadingZeros(bool value);
  bool GetZeroStart() const { return FZeroStart; }
  void SetZeroStart(bool value);
  int GetLeftOffset() const { return FLeftOffset; }
  void SetLeftOffset(int value);  // max(0, value)
  int GetRightOffset() const { return FRightOffset; }
  void SetRightOffset(int value);  // max(0, value)
  int GetCursor() const { return FCursor; }
  void SetCursor(int value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool value);
  bool GetUseFontStyle() const { return FUseFontStyle; }
  void SetUseFontStyle(bool value);
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  // The digit count in force (DigitCount, or more under AutoSize).
  int GetAutoSizeDigitCount() const { return FAutoSizeDigitCount; }

  TNotifyEvent OnChange;

private:
  template <class T> void Update(T& field, T value);
  void Change();

  TColor FColor = clBtnFace;
  int FWidth = 30;
  bool FShowLineNumbers = false;
  int FDigitCount = 4;
  bool FLeadingZeros = false;
  bool FZeroStart = false;
  int FLeftOffset = 16;
  int FRightOffset = 2;
  int FCursor = 0;
  bool FVisible = true;
  bool FUseFontStyle = false;
  bool FAutoSize = false;
  int FAutoSizeDigitCount = 4;
};

class TktBookMarkOpt : public TPersistent {
public:
  // owner: the editing control, told when the bookmark image list goes.
  explicit TktBookMarkOpt(TComponent* owner) : FOwner(owner) {}
  void Assign(TPersistent* source) override;

  // The glyph strip (an image list component), or nullptr.
  TComponent* GetBookmarkImages() const { return FBookmarkImages; }
  void SetBookmarkImages(TComponent* value);
  bool GetEnableKeys() const { return FEnableKeys; }
  void SetEnableKeys(bool value);
  bool GetGlyphsVisible() const { return FGlyphsVisible; }
  void SetGlyphsVisible(bool value);
  int GetLeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(int value);
  int GetXoffset() const { return FXoffset; }
  void SetXoffset(int value);

  TNotifyEvent OnChange;

private:
  template <class T> void Update(T& field, T value);
  void Change();

  TComponent* FOwner;
  TComponent* FBookmarkImages = nullptr;
  bool FEnableKeys = true;
  bool FGlyphsVisible = true;
  int FLeftMargin = 2;
  int FXoffset = 12;
};
