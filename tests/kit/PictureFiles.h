// Small picture files made in memory: a bitmap file and an enhanced
// metafile's bytes, with the fields the checks look at given as parameters.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace picture_files {

inline void Put16(std::string& b, size_t at, uint32_t v) {
  b[at] = char(v & 0xFF);
  b[at + 1] = char(v >> 8 & 0xFF);
}
inline void Put32(std::string& b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

// A bitmap file whose every pixel (at 24 bits) is the colour rgb, red in the
// low byte as RGB() makes it; the colour table, when the bit count has one,
// is all black.
inline std::string BitmapFile(int32_t width, int32_t height, uint32_t bitCount = 24, uint32_t compression = 0,
                              uint32_t colorsUsed = 0, uint32_t rgb = 0x0000FF) {
  const uint64_t table = bitCount <= 8 ? 4 * (colorsUsed ? colorsUsed : 1u << bitCount) : 4 * colorsUsed;
  const uint64_t stride = (uint64_t(width > 0 ? width : 0) * bitCount + 31) / 32 * 4;
  const uint64_t rows = uint64_t(height < 0 ? -int64_t(height) : height);
  std::string b(54 + table, '\0');
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 10, uint32_t(54 + table));
  Put32(b, 14, 40);
  Put32(b, 18, uint32_t(width));
  Put32(b, 22, uint32_t(height));
  Put16(b, 26, 1);
  Put16(b, 28, bitCount);
  Put32(b, 30, compression);
  Put32(b, 46, colorsUsed);
  std::string row(stride, '\0');
  if (bitCount == 24)
    for (int32_t x = 0; x < width; ++x) {
      row[size_t(3 * x)] = char(rgb >> 16 & 0xFF);  // stored blue, green, red
      row[size_t(3 * x + 1)] = char(rgb >> 8 & 0xFF);
      row[size_t(3 * x + 2)] = char(rgb & 0xFF);
    }
  for (uint64_t y = 0; y < rows; ++y) b += row;
  return b;
}

// An enhanced metafile of its header record and the end record: endType and
// endSize stand in the end record, bytes is the header's total.
inline std::string MetafileBytes(uint32_t endType = 14, uint32_t endSize = 20, uint32_t bytes = 108) {
  std::string b(88 + 20, '\0');
  Put32(b, 0, 1);
  Put32(b, 4, 88);
  Put32(b, 40, 0x464D4520);
  Put32(b, 44, 0x10000);
  Put32(b, 48, bytes);
  Put32(b, 52, 2);
  Put32(b, 88, endType);
  Put32(b, 92, endSize);
  Put32(b, 88 + 12, 16);
  Put32(b, 88 + 16, 20);
  return b;
}

}  // namespace picture_files
