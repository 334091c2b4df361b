// A picture clipboard block of hostile bytes: what the checks accept can be
// loaded without reading past the block: a bitmap's rows end inside it, an
// icon passes the icon block's own checks, a metafile's records end inside
// it.
#include "FuzzCheck.h"
#include "kit/IconBlock.h"
#include "kit/PictureBlock.h"

namespace {
uint32_t Get32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  switch (PictureBlockKind(data, size)) {
    case pbkBitmap: {
      FUZZ_CHECK(size >= 54, "a bitmap shorter than its headers");
      const uint64_t bits = Get32(data + 10);
      const auto width = int64_t(int32_t(Get32(data + 18)));
      const auto height = int64_t(int32_t(Get32(data + 22)));
      const uint64_t bitCount = uint16_t(data[28] | data[29] << 8);
      const uint64_t stride = (uint64_t(width) * bitCount + 31) / 32 * 4;
      FUZZ_CHECK(width > 0 && height != 0, "a bitmap without pixels");
      FUZZ_CHECK(bits >= 54 && bits + stride * uint64_t(height < 0 ? -height : height) <= size,
                 "bitmap rows past the block's end");
      break;
    }
    case pbkIcon:
      FUZZ_CHECK(ParseIconBlock(data, size), "an icon the icon checks refuse");
      break;
    case pbkMetafile:
      FUZZ_CHECK(size >= 88 && Get32(data + 48) <= size, "a metafile longer than the block");
      break;
    case pbkNone:
      break;
  }
  return 0;
}
