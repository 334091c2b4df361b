// Setters, Assign and the gutter's number formatting.
#include "editor/SupportClasses.h"

#include <algorithm>
#include <cstdio>

#include "platform/TypInfo.h"

// --- TktSelectedColor -------------------------------------------------------

const TClassInfo& TktSelectedColor::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TktSelectedColor", &TPersistent::StaticClassInfo())
          .Integer("Background", &TktSelectedColor::GetBackground, &TktSelectedColor::SetBackground)
          .Integer("Foreground", &TktSelectedColor::GetForeground, &TktSelectedColor::SetForeground);
  return info;
}
const TClassInfo* TktSelectedColor::ClassInfo() const { return &StaticClassInfo(); }

void TktSelectedColor::Change() {
  if (OnChange) OnChange(this);
}

void TktSelectedColor::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TktSelectedColor*>(source)) {
    FBackground = src->FBackground;
    FForeground = src->FForeground;
    Change();
    return;
  }
  TPersistent::Assign(source);
}

void TktSelectedColor::SetBackground(TColor value) {
  if (FBackground == value) return;
  FBackground = value;
  Change();
}

void TktSelectedColor::SetForeground(TColor value) {
  if (FForeground == value) return;
  FForeground = value;
  Change();
}

// --- TktGutter --------------------------------------------------------------

template <class T>
void TktGutter::Update(T& field, T value) {
  if (field == value) return;
  field = value;
  Change();
}

void TktGutter::Change() {
  if (OnChange) OnChange(this);
}

void TktGutter::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TktGutter*>(source)) {
    FColor = src->FColor;
    FVisible = src->FVisible;
    FWidth = src->FWidth;
    FShowLineNumbers = src->FShowLineNumbers;
    FLeadingZeros = src->FLeadingZeros;
    FZeroStart = src->FZeroStart;
    FLeftOffset = src->FLeftOffset;
    FDigitCount = src->FDigitCount;
    FRightOffset = src->FRightOffset;
    FAutoSize = src->FAutoSize;
    FAutoSizeDigitCount = src->FAutoSizeDigitCount;
    Change();
    return;
  }
  TPersistent::Assign(source);
}

void TktGutter::AutoSizeDigitCount(int lineCount) {
  if (FVisible && FAutoSize && FShowLineNumbers) {
    if (FZeroStart) --lineCount;
    int digits = 1;
    for (int n = lineCount; n >= 10; n /= 10) ++digits;
    digits = std::max(digits, FDigitCount);
    if (digits != FAutoSizeDigitCount) {
      FAutoSizeDigitCount = digits;
      Change();
    }
  } else {
    FAutoSizeDigitCount = FDigitCount;
  }
}

std::string TktGutter::FormatLineNumber(int line) const {
  if (FZeroStart) --line;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%*d", FAutoSizeDigitCount, line);
  std::string s = buf;
  if (FLeadingZeros) {
    for (int i = 0; i < FAutoSizeDigitCount - 1 && s[size_t(i)] == ' '; ++i) s[size_t(i)] = '0';
  }
  return s;
}

int TktGutter::RealGutterWidth(int charWidth) const {
  if (!FVisible) return 0;
  if (FShowLineNumbers) return FLeftOffset + FRightOffset + FAutoSizeDigitCount * charWidth + 2;
  return FWidth;
}

void TktGutter::SetColor(TColor value) { Update(FColor, value); }
void TktGutter::SetWidth(int value) { Update(FWidth, std::max(0, value)); }
void TktGutter::SetShowLineNumbers(bool value) { Update(FShowLineNumbers, value); }
void TktGutter::SetLeadingZeros(bool value) { Update(FLeadingZeros, value); }
void TktGutter::SetZeroStart(bool value) { Update(FZeroStart, value); }
void TktGutter::SetLeftOffset(int value) { Update(FLeftOffset, std::max(0, value)); }
void TktGutter::SetRightOffset(int value) { Update(FRightOffset, std::max(0, value)); }
void TktGutter::SetCursor(int value) { Update(FCursor, value); }
void TktGutter::SetVisible(bool value) { Update(FVisible, value); }
void TktGutter::SetUseFontStyle(bool value) { Update(FUseFontStyle, value); }
void TktGutter::SetAutoSize(bool value) { Update(FAutoSize, value); }

void TktGutter::SetDigitCount(int value) {
  value = std::clamp(value, 2, 12);
  if (value == FDigitCount) return;
  FDigitCount = value;
  FAutoSizeDigitCount = value;
  Change();
}

// --- TktBookMarkOpt ---------------------------------------------------------

template <class T>
void TktBookMarkOpt::Update(T& field, T value) {
  if (field == value) return;
  field = value;
  Change();
}

void TktBookMarkOpt::Change() {
  if (OnChange) OnChange(this);
}

void TktBookMarkOpt::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TktBookMarkOpt*>(source)) {
    FBookmarkImages = src->FBookmarkImages;
    if (FBookmarkImages && FOwner) FOwner->FreeNotification(FBookmarkImages);
    FEnableKeys = src->FEnableKeys;
    FGlyphsVisible = src->FGlyphsVisible;
    FLeftMargin = src->FLeftMargin;
    FXoffset = src->FXoffset;
    Change();
    return;
  }
  TPersistent::Assign(source);
}

void TktBookMarkOpt::SetBookmarkImages(TComponent* value) {
  if (FBookmarkImages == value) return;
  FBookmarkImages = value;
  if (value && FOwner) FOwner->FreeNotification(value);
  Change();
}

void TktBookMarkOpt::SetEnableKeys(bool value) { Update(FEnableKeys, value); }
void TktBookMarkOpt::SetGlyphsVisible(bool value) { Update(FGlyphsVisible, value); }
void TktBookMarkOpt::SetLeftMargin(int value) { Update(FLeftMargin, value); }
void TktBookMarkOpt::SetXoffset(int value) { Update(FXoffset, value); }
