// An icon clipboard block of hostile bytes: a block the checks accept has
// every image inside it and after its directory, so loading it never reads
// past the block.
#include "FuzzCheck.h"
#include "kit/IconBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<TIconBlockImage> images;
  if (!ParseIconBlock(data, size, &images)) return 0;
  FUZZ_CHECK(!images.empty(), "an accepted block without images");
  const size_t directory = 6 + 16 * images.size();
  for (const TIconBlockImage& image : images) {
    FUZZ_CHECK(image.Size > 0, "an empty image");
    FUZZ_CHECK(image.Offset >= directory, "an image inside the directory");
    FUZZ_CHECK(uint64_t(image.Offset) + image.Size <= size, "an image past the block's end");
  }
  return 0;
}
