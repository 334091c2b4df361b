// The clipboard viewer's rules without a clipboard: the format it shows,
// the palette grid's layout and the checks on an icon block and a picture
// block.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <set>

#include "kit/ClipFormats.h"
#include "kit/IconBlock.h"
#include "kit/PaletteGeometry.h"
#include "kit/PictureBlock.h"
#include "PictureFiles.h"

namespace {

const TClipFormatIds kIds{0xC101, 0xC102, 0xC103};

class TFakeQuery : public IClipboardQuery {
public:
  TFakeQuery(std::initializer_list<unsigned> formats) : Formats(formats) {}
  bool IsEmpty() override { return Formats.empty(); }
  bool HasFormat(unsigned format) override { return Formats.count(format) != 0; }
  std::set<unsigned> Formats;
};

TEST(ClipViewFormats, TheDrawFormatFollowsThePreferenceOrder) {
  struct TCase {
    std::initializer_list<unsigned> Formats;
    TClipboardViewFormat Current, Draw, Shown;
  };
  const TCase cases[] = {
      {{}, cvDefault, cvEmpty, cvEmpty},
      {{}, cvText, cvEmpty, cvEmpty},
      {{kCfText, kCfOemText, kCfBitmap}, cvDefault, cvText, cvText},
      {{kCfOemText, kCfBitmap}, cvDefault, cvOemText, cvOemText},
      {{kCfPalette, kCfBitmap}, cvDefault, cvBitmap, cvBitmap},
      {{kCfEnhMetafile, kCfPalette}, cvDefault, cvMetafile, cvMetafile},
      {{kCfPalette, 0xC103}, cvDefault, cvIcon, cvIcon},
      {{kCfPalette, 0xC101, 0xC102}, cvDefault, cvPicture, cvPicture},
      {{kCfPalette, 0xC102}, cvDefault, cvComponent, cvComponent},
      {{kCfPalette}, cvDefault, cvPalette, cvPalette},
      {{0xBEEF}, cvDefault, cvUnknown, cvUnknown},
      // A chosen format is drawn as it is, shown only when it is there.
      {{kCfText, kCfBitmap}, cvBitmap, cvBitmap, cvBitmap},
      {{kCfText}, cvPalette, cvPalette, cvUnknown},
  };
  for (const TCase& c : cases) {
    TFakeQuery q(c.Formats);
    EXPECT_EQ(GetDrawFormat(q, c.Current, kIds), c.Draw) << int(c.Current) << " over " << c.Formats.size();
    EXPECT_EQ(ShownFormat(q, c.Current, kIds), c.Shown) << int(c.Current) << " over " << c.Formats.size();
  }
}

TEST(ClipViewFormats, RequestsAndChangesFallBackToTheDefault) {
  TFakeQuery text{kCfText};
  EXPECT_EQ(RequestedFormat(text, cvBitmap, kIds), cvDefault);
  EXPECT_EQ(RequestedFormat(text, cvText, kIds), cvText);
  EXPECT_EQ(RequestedFormat(text, cvUnknown, kIds), cvDefault);
  EXPECT_EQ(FormatAfterChange(text, cvText, kIds), cvText);
  EXPECT_EQ(FormatAfterChange(text, cvBitmap, kIds), cvDefault);
  EXPECT_EQ(FormatAfterChange(text, cvEmpty, kIds), cvDefault);
  TFakeQuery empty{};
  EXPECT_EQ(FormatAfterChange(empty, cvText, kIds), cvEmpty);
  EXPECT_EQ(FormatId(cvIcon, kIds), 0xC103u);
  EXPECT_EQ(FormatId(cvDefault, kIds), 0u);
}

TEST(PaletteGrid, LayoutKeepsAtLeastOneColumnAndCutsAt256) {
  struct TCase {
    int Count, Width, Scroll, Columns, Rows, Kept;
  };
  const TCase cases[] = {
      {16, 200, 20, 9, 2, 16},   // 180 / 20 columns
      {18, 200, 20, 9, 2, 18},
      {19, 200, 20, 9, 3, 19},
      {0, 200, 20, 9, 1, 0},
      {5, 30, 20, 1, 5, 5},      // narrower than a cell: one column
      {5, 0, 20, 1, 5, 5},       // narrower than the scroll bar
      {300, 340, 20, 16, 16, 256},
      {-4, 100, 0, 5, 1, 0},
  };
  for (const TCase& c : cases) {
    const TPaletteGeometry g = PaletteLayout(c.Count, c.Width, c.Scroll);
    EXPECT_EQ(g.Columns, c.Columns) << c.Count << "/" << c.Width;
    EXPECT_EQ(g.Rows, c.Rows) << c.Count << "/" << c.Width;
    EXPECT_EQ(g.Count, c.Kept);
  }
  const TPaletteGeometry g = PaletteLayout(19, 200, 20);
  EXPECT_EQ(g.EntryAt(0, 0), 0);
  EXPECT_EQ(g.EntryAt(0, 2), 18);
  EXPECT_EQ(g.EntryAt(1, 2), -1);
  EXPECT_EQ(g.EntryAt(9, 0), -1);
}

// An icon file of one image of size bytes at offset 22, then its data.
std::string IconFile(uint32_t size, uint32_t offset = 22, uint16_t reserved = 0, uint16_t type = 1,
                     uint16_t count = 1, size_t dataBytes = 40) {
  std::string b(6 + 16, '\0');
  auto put16 = [&](size_t at, uint16_t v) { b[at] = char(v); b[at + 1] = char(v >> 8); };
  auto put32 = [&](size_t at, uint32_t v) { put16(at, uint16_t(v)); put16(at + 2, uint16_t(v >> 16)); };
  put16(0, reserved);
  put16(2, type);
  put16(4, count);
  b[6] = 32;
  b[7] = 32;
  put32(6 + 8, size);
  put32(6 + 12, offset);
  return b + std::string(dataBytes, 'x');
}

TEST(IconBlock, OnlyBlocksWhoseImagesLieInsideAreTaken) {
  std::vector<TIconBlockImage> images;
  const std::string good = IconFile(40);
  ASSERT_TRUE(ParseIconBlock(good.data(), good.size(), &images));
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0].Width, 32);
  EXPECT_EQ(images[0].Offset, 22u);
  EXPECT_EQ(images[0].Size, 40u);

  struct TCase {
    const char* Why;
    std::string Block;
  };
  const TCase bad[] = {
      {"empty", ""},
      {"header cut", good.substr(0, 5)},
      {"directory cut", good.substr(0, 21)},
      {"data cut", good.substr(0, good.size() - 1)},
      {"reserved", IconFile(40, 22, 1)},
      {"cursor type", IconFile(40, 22, 0, 2)},
      {"no images", IconFile(40, 22, 0, 1, 0)},
      {"more images than the directory holds", IconFile(40, 22, 0, 1, 3)},
      {"size past the end", IconFile(41)},
      {"offset past the end", IconFile(1, 63)},
      {"offset and size that wrap", IconFile(0xFFFFFFF0u, 0x20)},
      {"zero size", IconFile(0)},
      {"image inside the directory", IconFile(10, 4)},
  };
  for (const TCase& c : bad) EXPECT_FALSE(ParseIconBlock(c.Block.data(), c.Block.size())) << c.Why;
  EXPECT_FALSE(ParseIconBlock(nullptr, 100));
}

TEST(PictureBlock, OnlyWholeUncompressedBitmapsIconsAndWellFormedMetafilesAreTaken) {
  using namespace picture_files;
  const std::string bitmap = BitmapFile(5, 3);
  std::string negative = BitmapFile(5, -3);
  std::string palette = BitmapFile(7, 2, 8, 0, 16);
  std::string emf = MetafileBytes();
  const struct {
    const char* Why;
    std::string Block;
    TPictureBlockKind Kind;
  } cases[] = {
      {"bitmap", bitmap, pbkBitmap},
      {"top-down bitmap", negative, pbkBitmap},
      {"bitmap with a short colour table", palette, pbkBitmap},
      {"one-bit bitmap", BitmapFile(9, 9, 1), pbkBitmap},
      {"bit fields without room for their masks", BitmapFile(2, 2, 32, 3), pbkNone},
      {"icon", IconFile(40), pbkIcon},
      {"metafile", emf, pbkMetafile},
      {"metafile within a longer block", emf + std::string(64, '\0'), pbkMetafile},
      {"empty", "", pbkNone},
      {"bitmap's last row cut", bitmap.substr(0, bitmap.size() - 1), pbkNone},
      {"bitmap headers cut", bitmap.substr(0, 40), pbkNone},
      {"run-length bitmap", BitmapFile(4, 4, 8, 1), pbkNone},
      {"more colours than the bit count has", BitmapFile(4, 4, 4, 0, 17), pbkNone},
      {"zero width", BitmapFile(0, 4), pbkNone},
      {"zero height", BitmapFile(4, 0), pbkNone},
      {"odd bit count", BitmapFile(4, 4, 7), pbkNone},
      {"metafile without its end record", MetafileBytes(12), pbkNone},
      {"metafile record of size 0", MetafileBytes(14, 0), pbkNone},
      {"metafile record past its end", MetafileBytes(14, 24), pbkNone},
      {"metafile longer than the block", MetafileBytes(14, 20, 112), pbkNone},
      {"metafile cut", emf.substr(0, 100), pbkNone},
  };
  for (const auto& c : cases) EXPECT_EQ(PictureBlockKind(c.Block.data(), c.Block.size()), c.Kind) << c.Why;
  EXPECT_EQ(PictureBlockKind(nullptr, 100), pbkNone);
  // A bitmap whose rows start before its colour table ends.
  std::string overlapping = palette;
  Put32(overlapping, 10, 54 + 8);
  EXPECT_EQ(PictureBlockKind(overlapping.data(), overlapping.size()), pbkNone);
  // Sides past the limit, whose rows would not even fit a size.
  std::string huge = bitmap;
  Put32(huge, 18, 0x7FFFFFFF);
  Put32(huge, 22, 0x7FFFFFFF);
  EXPECT_EQ(PictureBlockKind(huge.data(), huge.size()), pbkNone);
  std::string badSignature = emf;
  badSignature[40] = 'X';
  EXPECT_EQ(PictureBlockKind(badSignature.data(), badSignature.size()), pbkNone);
}

}  // namespace
