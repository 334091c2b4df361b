// The icon block's checks.
#include "kit/IconBlock.h"

namespace {

uint32_t Get16(const unsigned char* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t Get32(const unsigned char* p) { return Get16(p) | Get16(p + 2) << 16; }

constexpr size_t kHeaderSize = 6, kEntrySize = 16;

}  // namespace

bool ParseIconBlock(const void* data, size_t size, std::vector<TIconBlockImage>* images) {
  const auto* p = static_cast<const unsigned char*>(data);
  if (!p || size < kHeaderSize) return false;
  if (Get16(p) != 0 || Get16(p + 2) != 1) return false;
  const size_t count = Get16(p + 4);
  if (count == 0 || count > (size - kHeaderSize) / kEntrySize) return false;
  std::vector<TIconBlockImage> found;
  for (size_t i = 0; i < count; ++i) {
    const unsigned char* e = p + kHeaderSize + i * kEntrySize;
    TIconBlockImage image;
    image.Width = e[0] ? e[0] : 256;
    image.Height = e[1] ? e[1] : 256;
    image.Size = Get32(e + 8);
    image.Offset = Get32(e + 12);
    // Compared so that no sum can wrap.
    if (image.Size == 0 || image.Offset > size || image.Size > size - image.Offset) return false;
    if (image.Offset < kHeaderSize + count * kEntrySize) return false;
    found.push_back(image);
  }
  if (images) *images = std::move(found);
  return true;
}
