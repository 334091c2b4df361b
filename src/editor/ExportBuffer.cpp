// Growing and reshaping the export buffer.
#include "editor/ExportBuffer.h"

#include <algorithm>

void TktExportBuffer::SetCapacity(size_t capacity) {
  if (capacity <= FCapacity) return;
  auto data = std::make_unique_for_overwrite<char[]>(capacity);
  if (FSize) std::memcpy(data.get(), FData.get(), FSize);
  FData = std::move(data);
  FCapacity = capacity;
}

void TktExportBuffer::Grow(size_t more) {
  SetCapacity(std::max({FSize + more, FCapacity + FCapacity / 2, size_t(1024)}));
}

void TktExportBuffer::Clear() {
  FData.reset();
  FSize = 0;
  FCapacity = 0;
}

void TktExportBuffer::Prepend(std::string_view text) {
  if (text.empty()) return;
  Reserve(text.size());
  std::memmove(FData.get() + text.size(), FData.get(), FSize);
  std::memcpy(FData.get(), text.data(), text.size());
  FSize += text.size();
}
