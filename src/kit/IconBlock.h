// The icon clipboard format's block: an icon file (a directory of images
// followed by their data), checked before anything loads it, since another
// program put it there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct TIconBlockImage {
  int Width = 0;   // 0 in the directory means 256
  int Height = 0;
  uint32_t Offset = 0;
  uint32_t Size = 0;
};

// True when the block is an icon file whose every image lies inside it:
// reserved 0, type 1, at least one image, the directory and each image's
// offset and size within the block.
bool ParseIconBlock(const void* data, size_t size, std::vector<TIconBlockImage>* images = nullptr);
