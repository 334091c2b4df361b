#include "kit/FontList.h"

#include "platform/SysUtils.h"

#include <algorithm>

bool FontPassesOptions(const TFontFamily& f, TFontListOptions o) {
  if (o.Contains(foAnsiOnly) && f.CharSet != kAnsiCharSet) return false;
  if (o.Contains(foTrueTypeOnly) && !(f.FontType & kTrueTypeFontType)) return false;
  if (o.Contains(foFixedPitchOnly) && !f.FixedPitch) return false;
  if (o.Contains(foOEMFontsOnly) && f.CharSet != kOemCharSet) return false;
  if (o.Contains(foNoOEMFonts) && f.CharSet == kOemCharSet) return false;
  if (o.Contains(foNoSymbolFonts) && f.CharSet == kSymbolCharSet) return false;
  if (o.Contains(foScalableOnly) && (f.FontType & kRasterFontType)) return false;
  return true;
}

int FontItemFlags(const TFontFamily& f) {
  return f.FontType | (f.CharSet != kSymbolCharSet ? kNotSymbolFontFlag : 0);
}

void AddFontFamilies(std::vector<TFontFamily>& list, const std::vector<TFontFamily>& found,
                     TFontListOptions options) {
  for (const TFontFamily& f : found) {
    if (!FontPassesOptions(f, options)) continue;
    const bool listed = std::any_of(list.begin(), list.end(), [&](const TFontFamily& l) {
      return AnsiSameText(l.Name, f.Name);
    });
    if (!listed) list.push_back(f);
  }
}

int FindFontItem(const std::vector<std::string>& items, const std::string& name) {
  for (size_t i = 0; i < items.size(); ++i)
    if (AnsiSameText(items[i], name)) return static_cast<int>(i);
  return -1;
}
