// The embedded web browser's rules that need no window: the download
// options and the browser's bit mask for them, which keys the browser gets
// from the application's message loop, and the in-memory text a page is
// loaded from.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Sets.h"

class TStrings;

enum TDlControlOptions {
  DLCTL_DLIMAGES,
  DLCTL_VIDEOS,
  DLCTL_BGSOUNDS,
  DLCTL_NO_SCRIPTS,
  DLCTL_NO_JAVA,
  DLCTL_NO_RUNACTIVEXCTLS,
  DLCTL_NO_DLACTIVEXCTLS,
  DLCTL_DOWNLOADONLY,
  DLCTL_NO_FRAMEDOWNLOAD,
  DLCTL_RESYNCHRONIZE,
  DLCTL_PRAGMA_NO_CACHE,
  DLCTL_NO_BEHAVIORS,
  DLCTL_NO_METACHARSET,
  DLCTL_URL_ENCODING_DISABLE_UTF8,
  DLCTL_URL_ENCODING_ENABLE_UTF8,
  DLCTL_FORCEOFFLINE,
  DLCTL_NO_CLIENTPULL,
  DLCTL_SILENT,
  DLCTL_OFFLINE,
};
using TDlOptions = TSet<TDlControlOptions>;

inline constexpr TDlOptions kDefaultDlOptions{DLCTL_DLIMAGES, DLCTL_VIDEOS, DLCTL_BGSOUNDS};

// The browser's download-control mask (the system's DLCTL_ values) and back;
// bits without an option are dropped.
uint32_t DlOptionsToMask(TDlOptions options);
TDlOptions DlOptionsFromMask(uint32_t mask);

// The ambient property through which the browser asks for the mask.
constexpr int32_t kDispidAmbientDlControl = -5512;

// What the browser does with a message of the application's loop.
struct TBrowserKeyRoute {
  bool UIActivate = false;  // UI-activate the page first (Tab)
  bool Translate = false;   // offer it to the page's TranslateAccelerator
};

// message and key code (wParam) of a queued message; inBrowser: its window
// is the browser's or one inside it. Only key messages are routed, never
// while the browser is busy; Backspace, Left and Right are left to the
// window they were sent to.
TBrowserKeyRoute RouteBrowserKey(uint32_t message, uintptr_t key, bool inBrowser, bool busy);

// A page's text as the browser reads it through a stream: the lines with
// CR LF after each, in one buffer made once, read from a position that
// seeks within it.
class TBrowserText {
public:
  explicit TBrowserText(std::string text) : FText(std::move(text)) {}
  static TBrowserText FromLines(const TStrings& lines);

  const std::string& Text() const { return FText; }
  uint64_t Size() const { return FText.size(); }
  uint64_t Position() const { return FPos; }
  // Copies up to count bytes from the position on; the number copied.
  uint32_t Read(void* buffer, uint32_t count);
  // origin 0 the start, 1 the position, 2 the end. A place before the
  // start is refused (false, position unchanged); past the end is allowed
  // and reads nothing.
  bool Seek(int64_t offset, int origin, uint64_t& newPosition);

private:
  std::string FText;
  uint64_t FPos = 0;
};
