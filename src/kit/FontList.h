// Which installed font families the font combo box lists, and how a font
// name is found among its items.
#pragma once

#include "platform/Sets.h"

#include <string>
#include <vector>

enum TFontListOption {
  foAnsiOnly, foTrueTypeOnly, foFixedPitchOnly, foNoOEMFonts, foOEMFontsOnly, foScalableOnly,
  foNoSymbolFonts
};
using TFontListOptions = TSet<TFontListOption>;

// The character sets the filters name (the window system's numbers).
constexpr int kAnsiCharSet = 0;
constexpr int kSymbolCharSet = 2;
constexpr int kOemCharSet = 255;

// Font type flags as the system's family enumeration reports them.
constexpr int kRasterFontType = 0x001;
constexpr int kDeviceFontType = 0x002;
constexpr int kTrueTypeFontType = 0x004;
// Added to an item's flags when the font may be drawn in its own face.
constexpr int kNotSymbolFontFlag = 0x100;

struct TFontFamily {
  std::string Name;
  int CharSet = 0;
  int FontType = 0;  // k...FontType bits
  bool FixedPitch = false;
};

// True when the family passes every selected option.
bool FontPassesOptions(const TFontFamily& font, TFontListOptions options);
// The flags an item keeps: the type bits, plus kNotSymbolFontFlag.
int FontItemFlags(const TFontFamily& font);

// Adds the families that pass the options and are not yet listed (names
// compared without case), in the order given.
void AddFontFamilies(std::vector<TFontFamily>& list, const std::vector<TFontFamily>& found,
                     TFontListOptions options);

// The first item equal to name ignoring case; -1 when none.
int FindFontItem(const std::vector<std::string>& items, const std::string& name);
