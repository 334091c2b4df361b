// The hex view's colour set.
#include "hexedit/HexColors.h"

#include "hexedit/HexEditor.h"
#include "platform/TypInfo.h"

TColor TColors::Invert(TColor color) { return ColorToRGB(color) ^ 0xFFFFFF; }

void TColors::Change(TColor& field, TColor value) {
  if (field == value) return;
  field = value;
  if (FOwner) FOwner->ColorsChanged();
}

void TColors::SetOddColumn(TColor value) {
  FOddInverted = Invert(value);
  Change(FOddColumn, value);
}

void TColors::SetEvenColumn(TColor value) {
  FEvenInverted = Invert(value);
  Change(FEvenColumn, value);
}

void TColors::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TColors*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  SetBackground(other->FBackground);
  SetPositionBackground(other->FPositionBackground);
  SetPositionText(other->FPositionText);
  SetChangedBackground(other->FChangedBackground);
  SetChangedText(other->FChangedText);
  SetCursorFrame(other->FCursorFrame);
  SetOffset(other->FOffset);
  SetOddColumn(other->FOddColumn);
  SetEvenColumn(other->FEvenColumn);
}

const TClassInfo& TColors::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TColors", &TPersistent::StaticClassInfo())
      .Integer("Background", &TColors::GetBackground, &TColors::SetBackground)
      .Integer("PositionBackground", &TColors::GetPositionBackground, &TColors::SetPositionBackground)
      .Integer("PositionText", &TColors::GetPositionText, &TColors::SetPositionText)
      .Integer("ChangedBackground", &TColors::GetChangedBackground, &TColors::SetChangedBackground)
      .Integer("ChangedText", &TColors::GetChangedText, &TColors::SetChangedText)
      .Integer("CursorFrame", &TColors::GetCursorFrame, &TColors::SetCursorFrame)
      .Integer("Offset", &TColors::GetOffset, &TColors::SetOffset)
      .Integer("OddColumn", &TColors::GetOddColumn, &TColors::SetOddColumn)
      .Integer("EvenColumn", &TColors::GetEvenColumn, &TColors::SetEvenColumn);
  return info;
}

const TClassInfo* TColors::ClassInfo() const { return &StaticClassInfo(); }
