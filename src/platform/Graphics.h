// Colours and font styles as the painting code sees them on every platform.
// A TColor is either an RGB value stored as 0x00BBGGRR or, with the top bit
// set, an index of a system colour that is resolved only when painting.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Sets.h"

using TColor = int32_t;

namespace tq_graphics_detail {
constexpr TColor SysColor(int index) { return static_cast<TColor>(0x80000000u | unsigned(index)); }
}

constexpr TColor clBlack   = 0x000000;
constexpr TColor clMaroon  = 0x000080;
constexpr TColor clGreen   = 0x008000;
constexpr TColor clOlive   = 0x008080;
constexpr TColor clNavy    = 0x800000;
constexpr TColor clPurple  = 0x800080;
constexpr TColor clTeal    = 0x808000;
constexpr TColor clGray    = 0x808080;
constexpr TColor clSilver  = 0xC0C0C0;
constexpr TColor clRed     = 0x0000FF;
constexpr TColor clLime    = 0x00FF00;
constexpr TColor clYellow  = 0x00FFFF;
constexpr TColor clBlue    = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua    = 0xFFFF00;
constexpr TColor clLtGray  = 0xC0C0C0;
constexpr TColor clDkGray  = 0x808080;
constexpr TColor clWhite   = 0xFFFFFF;
constexpr TColor clNone    = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours: 0x80000000 | the window system's colour index.
constexpr TColor clScrollBar           = tq_graphics_detail::SysColor(0);
constexpr TColor clBackground          = tq_graphics_detail::SysColor(1);
constexpr TColor clActiveCaption       = tq_graphics_detail::SysColor(2);
constexpr TColor clInactiveCaption     = tq_graphics_detail::SysColor(3);
constexpr TColor clMenu                = tq_graphics_detail::SysColor(4);
constexpr TColor clWindow              = tq_graphics_detail::SysColor(5);
constexpr TColor clWindowFrame         = tq_graphics_detail::SysColor(6);
constexpr TColor clMenuText            = tq_graphics_detail::SysColor(7);
constexpr TColor clWindowText          = tq_graphics_detail::SysColor(8);
constexpr TColor clCaptionText         = tq_graphics_detail::SysColor(9);
constexpr TColor clActiveBorder        = tq_graphics_detail::SysColor(10);
constexpr TColor clInactiveBorder      = tq_graphics_detail::SysColor(11);
constexpr TColor clAppWorkSpace        = tq_graphics_detail::SysColor(12);
constexpr TColor clHighlight           = tq_graphics_detail::SysColor(13);
constexpr TColor clHighlightText       = tq_graphics_detail::SysColor(14);
constexpr TColor clBtnFace             = tq_graphics_detail::SysColor(15);
constexpr TColor clBtnShadow           = tq_graphics_detail::SysColor(16);
constexpr TColor clGrayText            = tq_graphics_detail::SysColor(17);
constexpr TColor clBtnText             = tq_graphics_detail::SysColor(18);
constexpr TColor clInactiveCaptionText = tq_graphics_detail::SysColor(19);
constexpr TColor clBtnHighlight        = tq_graphics_detail::SysColor(20);
constexpr TColor cl3DDkShadow          = tq_graphics_detail::SysColor(21);
constexpr TColor cl3DLight             = tq_graphics_detail::SysColor(22);
constexpr TColor clInfoText            = tq_graphics_detail::SysColor(23);
constexpr TColor clInfoBk              = tq_graphics_detail::SysColor(24);

constexpr bool IsSystemColor(TColor c) { return c < 0; }

// Builds a colour from its red, green and blue parts; reads them back.
constexpr TColor RGBColor(int r, int g, int b) {
  return TColor((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int ColorRed(TColor c) { return c & 0xFF; }
constexpr int ColorGreen(TColor c) { return (c >> 8) & 0xFF; }
constexpr int ColorBlue(TColor c) { return (c >> 16) & 0xFF; }

// Turns a system colour index (0..24) into its current RGB value. The
// portable default answers the classic Windows palette, so painting code
// tested natively sees stable colours; the Win32 layer installs one that
// asks the window system.
using TSysColorResolver = TColor (*)(int index);
TSysColorResolver SetSysColorResolver(TSysColorResolver resolver);  // returns the previous one
TColor DefaultSysColor(int index);

// A system colour becomes its RGB value; every other value comes back as it
// is (clNone and clDefault included, as the painting code checks for them).
TColor ColorToRGB(TColor color);

// Names: "clRed", "clWindow", ...; unnamed colours as "$00BBGGRR".
bool ColorToIdent(TColor color, std::string& ident);
bool IdentToColor(const std::string& ident, TColor& color);  // case-insensitive
std::string ColorToString(TColor color);
// Accepts a name or an integer (decimal or "$" hexadecimal); anything else
// throws EConvertError.
TColor StringToColor(const std::string& s);

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of font styles kept as a byte mask (bit n = TFontStyle n), which is
// also how the styles are stored in the registry.
using TFontStyles = TSet<TFontStyle, uint8_t>;
