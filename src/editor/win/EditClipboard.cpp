// The editing control's clipboard formats over the system clipboard.
#include "editor/win/EditClipboard.h"

#include <cstring>
#include <utility>

#include "platform/win/Clipbrd.h"

namespace {

const UINT gBlockTypeFormat = ::RegisterClipboardFormatA("ktEdit Control Block Type");

// A global memory block we own until it is handed to the clipboard.
class TGlobalBlock {
public:
  explicit TGlobalBlock(size_t size) : FHandle(::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size)) {}
  ~TGlobalBlock() {
    if (FHandle) ::GlobalFree(FHandle);
  }
  TGlobalBlock(const TGlobalBlock&) = delete;
  TGlobalBlock& operator=(const TGlobalBlock&) = delete;
  HGLOBAL Get() const { return FHandle; }
  HGLOBAL Release() { return std::exchange(FHandle, nullptr); }

private:
  HGLOBAL FHandle;
};

// GlobalLock ... GlobalUnlock.
class TGlobalLock {
public:
  explicit TGlobalLock(HGLOBAL handle) : FHandle(handle), FData(handle ? ::GlobalLock(handle) : nullptr) {}
  ~TGlobalLock() {
    if (FData) ::GlobalUnlock(FHandle);
  }
  TGlobalLock(const TGlobalLock&) = delete;
  TGlobalLock& operator=(const TGlobalLock&) = delete;
  char* Data() const { return static_cast<char*>(FData); }

private:
  HGLOBAL FHandle;
  void* FData;
};

UINT SystemFormat(TktClipboardFormat format) {
  return format == kcfBlock ? gBlockTypeFormat : CF_TEXT;
}

// Places data and its NUL as format; the clipboard must be open.
bool PlaceData(UINT format, std::string_view data) {
  if (format == 0) return false;
  TGlobalBlock block(data.size() + 1);
  if (!block.Get()) return false;
  {
    TGlobalLock lock(block.Get());
    if (!lock.Data()) return false;
    if (!data.empty()) std::memcpy(lock.Data(), data.data(), data.size());
    lock.Data()[data.size()] = '\0';
  }
  if (!::SetClipboardData(format, block.Get())) return false;
  block.Release();  // the clipboard owns it now
  return true;
}

}  // namespace

UINT BlockTypeClipboardFormat() { return gBlockTypeFormat; }

bool EditClipboardHasFormat(TktClipboardFormat format) {
  const UINT f = SystemFormat(format);
  return f != 0 && ::IsClipboardFormatAvailable(f) != 0;
}

bool EditClipboardRead(HWND owner, TktClipboardFormat format, std::string& data) {
  const UINT f = SystemFormat(format);
  if (f == 0) return false;
  TOpenedClipboard clipboard(owner);
  if (!clipboard) return false;
  HANDLE handle = ::GetClipboardData(f);
  if (!handle) return false;
  TGlobalLock lock(handle);
  if (!lock.Data()) return false;
  const size_t size = ::GlobalSize(handle);
  // The block's first byte is its mode, which may itself be 0.
  const size_t from = format == kcfBlock ? 1 : 0;
  if (size < from) return false;
  const void* nul = std::memchr(lock.Data() + from, 0, size - from);
  const size_t length = nul ? size_t(static_cast<const char*>(nul) - lock.Data()) : size;
  data.assign(lock.Data(), length);
  return true;
}

bool EditClipboardWrite(HWND owner, std::string_view text, std::string_view block) {
  TOpenedClipboard clipboard(owner);
  if (!clipboard || !::EmptyClipboard()) return false;
  return PlaceData(CF_TEXT, text) && PlaceData(gBlockTypeFormat, block);
}
