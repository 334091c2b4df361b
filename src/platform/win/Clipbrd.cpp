// TClipboard.
#include "platform/win/Clipbrd.h"

#include <cstring>

namespace {

// How long an open waits for another program to let the clipboard go.
constexpr DWORD kOpenPatienceMs = 1000;

bool OpenClipboardPatiently(HWND owner) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (::OpenClipboard(owner)) return true;
    if (::GetTickCount() - start >= kOpenPatienceMs) return false;
    ::Sleep(10);
  }
}

}  // namespace

TOpenedClipboard::TOpenedClipboard(HWND owner) : FOpen(OpenClipboardPatiently(owner)) {}

TOpenedClipboard::~TOpenedClipboard() {
  if (FOpen) ::CloseClipboard();
}

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}

TClipboard::~TClipboard() {
  if (FOpenRefCount > 0) ::CloseClipboard();
}

void TClipboard::Open() {
  if (FOpenRefCount == 0) {
    // The clipboard needs an owner window for SetClipboardData to work.
    if (!FOwner) FOwner = std::make_unique<TUtilityWindow>([](TMessage&) { return false; });
    if (!OpenClipboardPatiently(FOwner->Handle())) throw EClipboardException("Cannot open clipboard");
    FEmptied = false;
  }
  ++FOpenRefCount;
}

void TClipboard::Close() {
  if (FOpenRefCount == 0) return;
  if (--FOpenRefCount == 0) ::CloseClipboard();
}

void TClipboard::Clear() {
  Open();
  ::EmptyClipboard();
  FEmptied = true;
  Close();
}

void TClipboard::Adding() {
  // Writing a format replaces everything on the clipboard, unless the
  // caller put several formats in one Open/Close bracket.
  if (!FEmptied) {
    ::EmptyClipboard();
    FEmptied = true;
  }
}

bool TClipboard::HasFormat(unsigned format) const { return ::IsClipboardFormatAvailable(format) != 0; }

std::string TClipboard::GetBuffer(unsigned format) {
  Open();
  std::string result;
  if (HANDLE h = ::GetClipboardData(format)) {
    if (const void* p = ::GlobalLock(h)) {
      result.assign(static_cast<const char*>(p), ::GlobalSize(h));
      ::GlobalUnlock(h);
    }
  }
  Close();
  return result;
}

std::string TClipboard::GetAsText() {
  std::string s = GetBuffer(CF_TEXT);
  size_t nul = s.find('\0');
  if (nul != std::string::npos) s.resize(nul);
  return s;
}

void TClipboard::SetBuffer(unsigned format, const void* data, size_t size) {
  Open();
  struct TCloser {
    TClipboard* C;
    ~TCloser() { C->Close(); }
  } closer{this};
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size ? size : 1);
  if (!h) throw EOutOfResources("Out of memory");
  void* p = ::GlobalLock(h);
  if (size) std::memcpy(p, data, size);
  else static_cast<char*>(p)[0] = 0;
  ::GlobalUnlock(h);
  Adding();
  if (!::SetClipboardData(format, h)) {
    ::GlobalFree(h);
    throw EClipboardException("Cannot write to the clipboard");
  }
}

void TClipboard::SetAsText(const std::string& text) { SetBuffer(CF_TEXT, text.c_str(), text.size() + 1); }

unsigned PictureClipboardFormat() {
  static const unsigned format = ::RegisterClipboardFormatA("Tarnquill Picture");
  return format;
}

unsigned ComponentClipboardFormat() {
  static const unsigned format = ::RegisterClipboardFormatA("Tarnquill Component");
  return format;
}

unsigned TClipboard::RegisterFormat(const std::string& name) {
  return ::RegisterClipboardFormatA(name.c_str());
}
