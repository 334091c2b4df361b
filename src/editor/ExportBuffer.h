// TktExportBuffer: where an exporter's formatted text grows. Appending is the
// export's hot path (several small pieces per token), so it is a plain byte
// array that grows geometrically and appends with one bounds check.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

class TktExportBuffer {
public:
  const char* Data() const { return FData.get(); }
  size_t Size() const { return FSize; }
  size_t Capacity() const { return FCapacity; }
  std::string_view View() const { return std::string_view(FData.get(), FSize); }

  void Append(const char* text, size_t size) {
    if (size == 0) return;  // an empty view may have no data pointer
    if (size > FCapacity - FSize) Grow(size);
    std::memcpy(FData.get() + FSize, text, size);
    FSize += size;
  }
  void Append(std::string_view text) { Append(text.data(), text.size()); }
  void Append(char c) {
    if (FSize == FCapacity) Grow(1);
    FData[FSize++] = c;
  }
  // Room for size more bytes; write them at the pointer, then Commit.
  char* Reserve(size_t size) {
    if (size > FCapacity - FSize) Grow(size);
    return FData.get() + FSize;
  }
  void Commit(size_t size) { FSize += size; }

  // Makes the capacity at least capacity (never shrinks).
  void SetCapacity(size_t capacity);
  // Forgets the contents and gives the memory back.
  void Clear();
  // Cuts the contents to size bytes (size <= Size()).
  void Truncate(size_t size) { FSize = size; }
  // Puts text in front of the contents.
  void Prepend(std::string_view text);

private:
  void Grow(size_t more);

  std::unique_ptr<char[]> FData;
  size_t FSize = 0;
  size_t FCapacity = 0;
};
