// Colour names, system-colour resolution and colour text conversion.
#include "platform/Graphics.h"

#include "platform/SysUtils.h"

#include <cstdio>
#include <cstring>
#include <strings.h>

namespace {

// The classic Windows palette for the 25 system colour indices, as 0x00BBGGRR.
constexpr TColor kDefaultSysColors[25] = {
    0xC8D0D4,  // scroll bar
    0xA56E3A,  // desktop
    0x6A240A,  // active caption
    0x808080,  // inactive caption
    0xC8D0D4,  // menu
    0xFFFFFF,  // window
    0x000000,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0xFFFFFF,  // caption text
    0xC8D0D4,  // active border
    0xC8D0D4,  // inactive border
    0x808080,  // application workspace
    0x6A240A,  // highlight
    0xFFFFFF,  // highlight text
    0xC8D0D4,  // button face
    0x808080,  // button shadow
    0x808080,  // gray text
    0x000000,  // button text
    0xC8D0D4,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x404040,  // 3-D dark shadow
    0xC8D0D4,  // 3-D light
    0x000000,  // tooltip text
    0xE1FFFF,  // tooltip background
};

TSysColorResolver gResolver = &DefaultSysColor;

struct TColorName {
  TColor Color;
  const char* Name;
};

// Order matters: a colour that has two names is written with the first one.
constexpr TColorName kColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"}, {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"}, {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"}, {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"}, {clInfoBk, "clInfoBk"},
    {clNone, "clNone"}, {clDefault, "clDefault"},
    {clLtGray, "clLtGray"}, {clDkGray, "clDkGray"},
};

// Integer text as the settings write it: decimal with an optional sign, or
// hexadecimal after "$" or "0x" (up to 32 bits, so "$80000005" is a system
// colour). Surrounding blanks are allowed, nothing else.
bool ParseColorInt(const std::string& s, TColor& value) {
  size_t i = 0, n = s.size();
  while (i < n && (s[i] == ' ' || s[i] == '\t')) ++i;
  while (n > i && (s[n - 1] == ' ' || s[n - 1] == '\t')) --n;
  bool negative = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  bool hex = false;
  if (i < n && s[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return false;
  uint64_t v = 0;
  for (; i < n; ++i) {
    char c = s[i];
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    v = v * (hex ? 16 : 10) + unsigned(d);
    if (v > (hex ? 0xFFFFFFFFull : 0x80000000ull)) return false;
  }
  if (hex) {
    uint32_t u = uint32_t(v);
    value = static_cast<TColor>(negative ? 0u - u : u);
    return true;
  }
  if (!negative && v > 0x7FFFFFFFull) return false;
  value = static_cast<TColor>(negative ? 0 - int64_t(v) : int64_t(v));
  return true;
}

}  // namespace

TColor DefaultSysColor(int index) {
  if (index < 0 || index >= int(sizeof kDefaultSysColors / sizeof kDefaultSysColors[0]))
    return clBlack;
  return kDefaultSysColors[index];
}

TSysColorResolver SetSysColorResolver(TSysColorResolver resolver) {
  TSysColorResolver old = gResolver;
  gResolver = resolver ? resolver : &DefaultSysColor;
  return old;
}

TColor ColorToRGB(TColor color) {
  if (color < 0) return gResolver(color & 0xFF);
  return color;
}

bool ColorToIdent(TColor color, std::string& ident) {
  for (const TColorName& n : kColorNames)
    if (n.Color == color) {
      ident = n.Name;
      return true;
    }
  return false;
}

bool IdentToColor(const std::string& ident, TColor& color) {
  for (const TColorName& n : kColorNames)
    if (strcasecmp(n.Name, ident.c_str()) == 0) {
      color = n.Color;
      return true;
    }
  return false;
}

std::string ColorToString(TColor color) {
  std::string ident;
  if (ColorToIdent(color, ident)) return ident;
  char buf[16];
  snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(color));
  return buf;
}

TColor StringToColor(const std::string& s) {
  TColor c;
  if (IdentToColor(s, c)) return c;
  if (ParseColorInt(s, c)) return c;
  throw EConvertError("'" + s + "' is not a valid integer value");
}
