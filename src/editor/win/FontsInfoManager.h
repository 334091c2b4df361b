// Font records shared by every text drawer of the process: one record per
// base font (face, size, weight, character set...), holding the sixteen style
// variants' font handles and grid cells once, whatever the number of editors
// showing that font. Records are counted and freed with their handles when
// the last user lets go.
#pragma once

#include "editor/TextDrawerGrid.h"
#include "platform/Canvas.h"
#include "platform/win/WinHandles.h"

#include <array>
#include <memory>
#include <vector>

// Keeps a font selected in a small true-colour memory context for as long as
// the font lives. Wine's text renderer keeps the rendered glyphs of a font
// only while some context has it selected, plus those of the last few fonts
// let go; a tab change paints the tab strip, the status bar, the menu and
// the caption in their own fonts in between, so without the pin every editor
// paint after a tab change rendered all its glyphs again.
class TheFontPin {
public:
  explicit TheFontPin(HFONT font);
  ~TheFontPin();
  TheFontPin(const TheFontPin&) = delete;
  TheFontPin& operator=(const TheFontPin&) = delete;
  HDC GetDC() const { return FDC.Get(); }

private:
  TMemoryDC FDC;
  TBitmapObject FBitmap;
  HGDIOBJ FOldBitmap = nullptr;
  HGDIOBJ FOldFont = nullptr;
};

// One style variant: its font (made on first use), cell and pin.
struct TheFontData {
  TFontObject Handle;
  TTextCell Cell;
  std::unique_ptr<TheFontPin> Pin;  // let go before the handle
};

struct TheSharedFontsInfo {
  int RefCount = 0;
  TFontData BaseFont;     // the font the record was made for
  // The key: the base font's logical font with the italic, underline and
  // strikeout bytes and every face-name byte after the terminating NUL set to
  // 0, so style variants of one font share a record. Weight stays part of it.
  LOGFONTA BaseLF{};
  bool IsDBCSFont = false;  // the system reports the base font as double-byte
  std::array<TheFontData, kFontStyleSlots> FontsData;
};

static_assert(sizeof(LOGFONTA) == 60, "records are compared as the 60-byte logical font");

class TheFontsInfoManager {
public:
  // The process's one manager, made on first use and freed at shutdown.
  static TheFontsInfoManager& Instance();

  TheFontsInfoManager() = default;
  TheFontsInfoManager(const TheFontsInfoManager&) = delete;
  TheFontsInfoManager& operator=(const TheFontsInfoManager&) = delete;

  // The record of a base font, counted up; a new record starts at 1.
  TheSharedFontsInfo* GetFontsInfo(const TFontData& baseFont);
  // One more use of a record already held.
  void LockFontsInfo(TheSharedFontsInfo* info);
  // One use less; the last one frees the record and its font handles.
  void UnLockFontsInfo(TheSharedFontsInfo* info);
  TheSharedFontsInfo* FindFontsInfo(const LOGFONTA& key) const;

  int GetCount() const { return static_cast<int>(FFontsInfo.size()); }

private:
  std::vector<std::unique_ptr<TheSharedFontsInfo>> FFontsInfo;
};

// The record key of a font handle (see TheSharedFontsInfo::BaseLF).
LOGFONTA FontsInfoKey(HFONT font);

// Counts a record up for as long as it lives.
class TheFontsInfoLock {
public:
  explicit TheFontsInfoLock(TheSharedFontsInfo* info) : FInfo(info) {
    if (FInfo) TheFontsInfoManager::Instance().LockFontsInfo(FInfo);
  }
  ~TheFontsInfoLock() {
    if (FInfo) TheFontsInfoManager::Instance().UnLockFontsInfo(FInfo);
  }
  TheFontsInfoLock(const TheFontsInfoLock&) = delete;
  TheFontsInfoLock& operator=(const TheFontsInfoLock&) = delete;

private:
  TheSharedFontsInfo* FInfo;
};
