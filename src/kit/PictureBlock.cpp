// The picture block's checks.
#include "kit/PictureBlock.h"

#include "kit/IconBlock.h"

namespace {

uint32_t Get16(const unsigned char* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t Get32(const unsigned char* p) { return Get16(p) | Get16(p + 2) << 16; }

constexpr size_t kFileHeaderSize = 14, kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0, kBiBitfields = 3;
constexpr int32_t kMaxSide = 0x8000;

bool IsBitmap(const unsigned char* p, size_t size) {
  if (size < kFileHeaderSize + kInfoHeaderSize || p[0] != 'B' || p[1] != 'M') return false;
  const uint64_t bitsOffset = Get32(p + 10);
  const uint64_t infoSize = Get32(p + 14);
  const auto width = int32_t(Get32(p + 18));
  const auto height = int32_t(Get32(p + 22));
  const uint32_t planes = Get16(p + 26), bitCount = Get16(p + 28), compression = Get32(p + 30);
  const uint64_t colorsUsed = Get32(p + 46);
  if (infoSize < kInfoHeaderSize || infoSize > size - kFileHeaderSize) return false;
  if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide) return false;
  if (planes != 1) return false;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    return false;
  // Run-length and embedded formats are left alone.
  if (compression != kBiRgb && !(compression == kBiBitfields && (bitCount == 16 || bitCount == 32))) return false;
  const uint64_t tableMax = bitCount <= 8 ? uint64_t(1) << bitCount : 256;
  if (colorsUsed > tableMax) return false;
  const uint64_t colors = colorsUsed ? colorsUsed : (bitCount <= 8 ? tableMax : 0);
  const uint64_t masks = compression == kBiBitfields && infoSize == kInfoHeaderSize ? 12 : 0;
  if (kFileHeaderSize + infoSize + masks + 4 * colors > bitsOffset || bitsOffset > size) return false;
  const uint64_t stride = (uint64_t(width) * bitCount + 31) / 32 * 4;
  const uint64_t rows = uint64_t(height < 0 ? -int64_t(height) : height);
  return stride * rows <= size - bitsOffset;
}

constexpr uint32_t kEmrHeader = 1, kEmrEof = 14, kEmfSignature = 0x464D4520;  // " EMF"
constexpr size_t kEmfHeaderSize = 88;

bool IsMetafile(const unsigned char* p, size_t size) {
  if (size < kEmfHeaderSize || Get32(p) != kEmrHeader || Get32(p + 40) != kEmfSignature) return false;
  const uint64_t bytes = Get32(p + 48);
  if (bytes > size || Get32(p + 4) < kEmfHeaderSize) return false;
  uint64_t at = 0;
  uint32_t last = 0;
  while (at < bytes) {
    if (bytes - at < 8) return false;
    const uint64_t recordSize = Get32(p + at + 4);
    if (recordSize < 8 || recordSize % 4 != 0 || recordSize > bytes - at) return false;
    last = Get32(p + at);
    at += recordSize;
  }
  return last == kEmrEof;
}

}  // namespace

TPictureBlockKind PictureBlockKind(const void* data, size_t size) {
  const auto* p = static_cast<const unsigned char*>(data);
  if (!p) return pbkNone;
  if (IsBitmap(p, size)) return pbkBitmap;
  if (ParseIconBlock(p, size)) return pbkIcon;
  if (IsMetafile(p, size)) return pbkMetafile;
  return pbkNone;
}
