// The nibble shift keeps to a bounded buffer, however long the rest of the
// file: this binary's allocator refuses any block above a limit while a case
// asks it to.
#include <cstdlib>
#include <new>

#include "HexFixture.h"

namespace {
size_t gRefuseAbove = 0;  // 0: every size is served
}  // namespace

// The replacement pairs malloc with free throughout; GCC cannot see that.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(size_t size) {
  if (gRefuseAbove && size > gRefuseAbove) throw std::bad_alloc();
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {
// Refuses big blocks for the life of the object.
struct TRefuseAbove {
  explicit TRefuseAbove(size_t limit) { gRefuseAbove = limit; }
  ~TRefuseAbove() { gRefuseAbove = 0; }
};
}  // namespace

TEST_F(THexTest, NibbleShiftOfAFourMegabyteTailNeedsNoBigBlock) {
  std::string data(4 << 20, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = char(i * 13 + (i >> 11));
  THexEditor& hex = Load(data);
  {
    TRefuseAbove refuse(256 << 10);
    ASSERT_TRUE(hex.InsertNibble(3, true));
    ASSERT_TRUE(hex.Undo());
    ASSERT_TRUE(hex.DeleteNibble(3, false));
    ASSERT_TRUE(hex.Undo());
  }
  EXPECT_EQ(Data(), data);
  EXPECT_EQ(Host.WaitDepth, 0);
}

// With no memory for the shift at all, the operation fails cleanly: nothing
// changed or recorded, no temporary file left, the wait cursor ended.
TEST_F(THexTest, NibbleShiftWithoutMemoryChangesNothingAndEndsTheWait) {
  const std::string data(100000, '\x5A');
  THexEditor& hex = Load(data);
  const int files = CountFiles(".ZOVT");
  {
    TRefuseAbove refuse(1024);
    EXPECT_FALSE(hex.InsertNibble(0, true));
    EXPECT_FALSE(hex.DeleteNibble(10, true));
  }
  EXPECT_EQ(Host.WaitDepth, 0);
  EXPECT_EQ(CountFiles(".ZOVT"), files);
  EXPECT_FALSE(hex.GetCanUndo());
  EXPECT_EQ(Data(), data);
}
