// The version reader on a test program with a version resource and on one
// without.
#include "kit/win/VerInfo.h"

#include <gtest/gtest.h>

TEST(VersionInfo, ReadsTheFileVersionOrNothing) {
  TVersionInfo versioned(TQ_VERSIONED_EXE);
  ASSERT_TRUE(versioned.GetValid());
  uint32_t ms = 9, ls = 9;
  versioned.GetFileLongVersion(ms, ls);
  EXPECT_EQ(ms >> 16, 1u);
  EXPECT_EQ(ms & 0xFFFF, 2u);
  EXPECT_EQ(ls >> 16, 3u);
  EXPECT_EQ(ls & 0xFFFF, 4u);

  TVersionInfo plain(TQ_PLAIN_EXE);
  EXPECT_FALSE(plain.GetValid());
  plain.GetFileLongVersion(ms, ls);
  EXPECT_EQ(ms, 0u);
  EXPECT_EQ(ls, 0u);
  EXPECT_EQ(plain.GetFileName(), TQ_PLAIN_EXE);

  TVersionInfo missing("C:\\no\\such\\file.exe");
  EXPECT_FALSE(missing.GetValid());
}
