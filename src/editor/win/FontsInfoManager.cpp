// The shared font records.
#include "editor/win/FontsInfoManager.h"

#include "editor/TextDrawer.h"
#include "platform/win/GdiCanvas.h"

#include <algorithm>
#include <cstring>

TheFontPin::TheFontPin(HFONT font) {
  if (!FDC.Get()) return;
  // The same colour depth as the windows' surfaces, so the renderer files
  // the font under the same smoothing as when it paints a window.
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = 1;
  bi.bmiHeader.biHeight = 1;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  FBitmap.Reset(::CreateDIBSection(FDC.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!FBitmap) return;
  FOldBitmap = ::SelectObject(FDC.Get(), FBitmap.Get());
  FOldFont = ::SelectObject(FDC.Get(), font);
}

TheFontPin::~TheFontPin() {
  if (FOldFont) ::SelectObject(FDC.Get(), FOldFont);
  if (FOldBitmap) ::SelectObject(FDC.Get(), FOldBitmap);
}

LOGFONTA FontsInfoKey(HFONT font) {
  LOGFONTA lf{};
  if (!::GetObjectA(font, sizeof(lf), &lf)) throw EheFontStockException("Invalid font handle");
  lf.lfItalic = 0;
  lf.lfUnderline = 0;
  lf.lfStrikeOut = 0;
  size_t len = strnlen(lf.lfFaceName, LF_FACESIZE);
  std::memset(lf.lfFaceName + len, 0, LF_FACESIZE - len);
  return lf;
}

TheFontsInfoManager& TheFontsInfoManager::Instance() {
  static TheFontsInfoManager manager;
  return manager;
}

TheSharedFontsInfo* TheFontsInfoManager::FindFontsInfo(const LOGFONTA& key) const {
  for (const auto& info : FFontsInfo)
    if (std::memcmp(&info->BaseLF, &key, sizeof(LOGFONTA)) == 0) return info.get();
  return nullptr;
}

TheSharedFontsInfo* TheFontsInfoManager::GetFontsInfo(const TFontData& baseFont) {
  // The platform's font for the description: the logical font is read back
  // from its handle, so our variants are made exactly as canvases make fonts.
  std::shared_ptr<const TFontObject> font = AcquireFont(baseFont);
  LOGFONTA key = FontsInfoKey(font->Get());
  if (TheSharedFontsInfo* found = FindFontsInfo(key)) {
    ++found->RefCount;
    return found;
  }
  auto info = std::make_unique<TheSharedFontsInfo>();
  info->RefCount = 1;
  info->BaseFont = baseFont;
  info->BaseLF = key;
  {
    TWindowDC screen(nullptr);
    if (!screen.Get()) throw EheFontStockException("Cannot get the screen device context");
    TSelectObject select(screen.Get(), font->Get());
    info->IsDBCSFont = (::GetFontLanguageInfo(screen.Get()) & GCP_DBCS) != 0;
  }
  FFontsInfo.push_back(std::move(info));
  return FFontsInfo.back().get();
}

void TheFontsInfoManager::LockFontsInfo(TheSharedFontsInfo* info) { ++info->RefCount; }

void TheFontsInfoManager::UnLockFontsInfo(TheSharedFontsInfo* info) {
  auto it = std::find_if(FFontsInfo.begin(), FFontsInfo.end(),
                         [info](const auto& p) { return p.get() == info; });
  if (it == FFontsInfo.end()) return;
  if (--info->RefCount < 1) FFontsInfo.erase(it);  // deletes the variants' fonts
}
