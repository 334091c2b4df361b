// Reading the icon clipboard format.
#include "kit/win/ClipIcon.h"

#include <vector>

#include "kit/IconBlock.h"
#include "platform/win/Clipbrd.h"

unsigned IconClipboardFormat() {
  static const unsigned format = ::RegisterClipboardFormatA("Delphi Icon");
  return format;
}

namespace {

struct TGlobalLock {
  explicit TGlobalLock(HGLOBAL h) : Handle(h), Data(h ? ::GlobalLock(h) : nullptr) {}
  ~TGlobalLock() {
    if (Data) ::GlobalUnlock(Handle);
  }
  HGLOBAL Handle;
  void* Data;
};

}  // namespace

HICON CreateIconFromBlock(const void* data, size_t size) {
  std::vector<TIconBlockImage> images;
  if (!ParseIconBlock(data, size, &images)) return nullptr;
  // The first image, as an icon file lists its preferred one first.
  const TIconBlockImage& image = images.front();
  auto* bits = const_cast<BYTE*>(static_cast<const BYTE*>(data)) + image.Offset;
  return ::CreateIconFromResourceEx(bits, image.Size, TRUE, 0x00030000, image.Width == 256 ? 0 : image.Width,
                                    image.Height == 256 ? 0 : image.Height, LR_DEFAULTCOLOR);
}

HICON CreateIconFromClipboard() {
  if (!::IsClipboardFormatAvailable(IconClipboardFormat())) return nullptr;
  TOpenedClipboard clipboard(nullptr);
  if (!clipboard) return nullptr;
  HGLOBAL block = ::GetClipboardData(IconClipboardFormat());
  TGlobalLock lock(block);
  if (!lock.Data) return nullptr;
  return CreateIconFromBlock(lock.Data, ::GlobalSize(block));
}
