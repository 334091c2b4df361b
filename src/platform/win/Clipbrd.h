// The clipboard: text and raw data of any format, opened with retries
// because another program may hold it for a moment.
#pragma once

#include "platform/SysUtils.h"
#include "platform/win/UtilWindow.h"

#include <memory>
#include <string>

TQ_DECLARE_EXCEPTION(EClipboardException, Exception)

class TClipboard {
public:
  TClipboard() = default;
  ~TClipboard();
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;

  // Open/Close nest; the clipboard is really opened by the outermost pair.
  // Throws EClipboardException "Cannot open clipboard" when it stays locked.
  void Open();
  void Close();
  void Clear();
  bool HasFormat(unsigned format) const;
  // CF_TEXT, up to the first NUL; empty when there is no text.
  std::string GetAsText();
  void SetAsText(const std::string& text);
  // Raw data of one format (e.g. a registered "Rich Text Format").
  std::string GetBuffer(unsigned format);
  void SetBuffer(unsigned format, const void* data, size_t size);
  // Registers (or looks up) a named format.
  static unsigned RegisterFormat(const std::string& name);

private:
  void Adding();
  std::unique_ptr<TUtilityWindow> FOwner;
  int FOpenRefCount = 0;
  bool FEmptied = false;
};

// The system clipboard opened for the life of the object. Another program
// (a clipboard viewer reading what was just copied, the X selection bridge
// under Wine) may hold it for a moment, so the open is tried again for up to
// about a second before it gives up; callers then report the failure.
class TOpenedClipboard {
public:
  explicit TOpenedClipboard(HWND owner);
  ~TOpenedClipboard();
  TOpenedClipboard(const TOpenedClipboard&) = delete;
  TOpenedClipboard& operator=(const TOpenedClipboard&) = delete;
  explicit operator bool() const { return FOpen; }

private:
  bool FOpen = false;
};

// The program's clipboard object.
TClipboard& Clipboard();

// The formats under which this layer would exchange pictures and components
// (registered on first use; nothing of ours writes them yet).
unsigned PictureClipboardFormat();
unsigned ComponentClipboardFormat();
