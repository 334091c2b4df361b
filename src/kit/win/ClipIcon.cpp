// Reading the icon clipboard format.
#include "kit/win/ClipIcon.h"

#include <vector>

#include "kit/IconBlock.h"

unsigned IconClipboardFormat() {
  static const unsigned format = ::RegisterClipboardFormatA("Delphi Icon");
  return format;
}

namespace {

struct TClipboardOpen {
  bool Opened = ::OpenClipboard(nullptr) != 0;
  ~TClipboardOpen() {
    if (Opened) ::CloseClipboard();
  }
};

struct TGlobalLock {
  explicit TGlobalLock(HGLOBAL h) : Handle(h), Data(h ? ::GlobalLock(h) : nullptr) {}
  ~TGlobalLock() {
    if (Data) ::GlobalUnlock(Handle);
  }
  HGLOBAL Handle;
  void* Data;
};

}  // namespace

HICON CreateIconFromClipboard() {
  if (!::IsClipboardFormatAvailable(IconClipboardFormat())) return nullptr;
  TClipboardOpen clipboard;
  if (!clipboard.Opened) return nullptr;
  HGLOBAL block = ::GetClipboardData(IconClipboardFormat());
  TGlobalLock lock(block);
  if (!lock.Data) return nullptr;
  const size_t size = ::GlobalSize(block);
  std::vector<TIconBlockImage> images;
  if (!ParseIconBlock(lock.Data, size, &images)) return nullptr;
  // The first image, as an icon file lists its preferred one first.
  const TIconBlockImage& image = images.front();
  auto* bits = static_cast<BYTE*>(lock.Data) + image.Offset;
  return ::CreateIconFromResourceEx(bits, image.Size, TRUE, 0x00030000, image.Width == 256 ? 0 : image.Width,
                                    image.Height == 256 ? 0 : image.Height, LR_DEFAULTCOLOR);
}
