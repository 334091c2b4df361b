// TColors: the hex view's colour set. Every setter repaints the view when
// the value changed; Background is also the view's own colour. The two
// group colours keep an inverted copy for selected hex digits.
#pragma once

#include "platform/Classes.h"
#include "platform/Graphics.h"

class THexEditor;

class TColors : public TPersistent {
public:
  explicit TColors(THexEditor* owner) : FOwner(owner) {}

  TColor GetBackground() const { return FBackground; }
  void SetBackground(TColor value) { Change(FBackground, value); }
  TColor GetPositionBackground() const { return FPositionBackground; }
  void SetPositionBackground(TColor value) { Change(FPositionBackground, value); }
  TColor GetPositionText() const { return FPositionText; }
  void SetPositionText(TColor value) { Change(FPositionText, value); }
  TColor GetChangedBackground() const { return FChangedBackground; }
  void SetChangedBackground(TColor value) { Change(FChangedBackground, value); }
  TColor GetChangedText() const { return FChangedText; }
  void SetChangedText(TColor value) { Change(FChangedText, value); }
  TColor GetCursorFrame() const { return FCursorFrame; }
  void SetCursorFrame(TColor value) { Change(FCursorFrame, value); }
  TColor GetOffset() const { return FOffset; }
  void SetOffset(TColor value) { Change(FOffset, value); }
  TColor GetOddColumn() const { return FOddColumn; }
  void SetOddColumn(TColor value);
  TColor GetEvenColumn() const { return FEvenColumn; }
  void SetEvenColumn(TColor value);
  TColor GetOddColumnInverted() const { return FOddInverted; }
  TColor GetEvenColumnInverted() const { return FEvenInverted; }

  void Assign(TPersistent* source) override;
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  // Each of red, green and blue replaced by 255 minus itself (a system
  // colour is first resolved to its usual value).
  static TColor Invert(TColor color);

private:
  void Change(TColor& field, TColor value);

  THexEditor* FOwner;
  TColor FBackground = clWindow;
  TColor FPositionBackground = clMaroon;
  TColor FPositionText = clWhite;
  TColor FChangedBackground = 0xA8FFFF;
  TColor FChangedText = clMaroon;
  TColor FCursorFrame = clNavy;
  TColor FOffset = clBlack;
  TColor FOddColumn = clBlue;
  TColor FEvenColumn = clNavy;
  TColor FOddInverted = Invert(clBlue);
  TColor FEvenInverted = Invert(clNavy);
};
