// The installed export clipboard and the in-memory stand-in.
#include "editor/ExportClipboard.h"

namespace {

IktExportClipboard* gClipboard = nullptr;

}  // namespace

TktMemoryExportClipboard& MemoryExportClipboard() {
  static TktMemoryExportClipboard clipboard;
  return clipboard;
}

IktExportClipboard& ExportClipboard() {
  return gClipboard ? *gClipboard : MemoryExportClipboard();
}

IktExportClipboard* SetExportClipboard(IktExportClipboard* clipboard) {
  IktExportClipboard* previous = gClipboard ? gClipboard : &MemoryExportClipboard();
  gClipboard = clipboard;
  return previous;
}

unsigned TktMemoryExportClipboard::RegisterFormat(const std::string& name) {
  unsigned number = 0xC000;
  size_t pos = 0;
  while (pos < FNames.size()) {
    const size_t end = FNames.find('\0', pos);
    if (FNames.compare(pos, end - pos, name) == 0) return number;
    pos = end + 1;
    ++number;
  }
  FNames += name;
  FNames += '\0';
  return number;
}

void TktMemoryExportClipboard::SetData(unsigned format, const void* data, size_t size) {
  FFormat = format;
  FData.assign(static_cast<const char*>(data), size);
}
