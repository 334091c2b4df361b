// The splitter's arithmetic: the style from the alignments, the limits, the
// clamped move and the size it applies.
#include "kit/SplitGeometry.h"

#include <gtest/gtest.h>

namespace {

struct TStyleCase {
  bool hasFirst;
  TAlign first;
  bool hasSecond;
  TAlign second;
  TAlign own;
  int style;
};

TEST(SplitGeometry, StyleFromAlignments) {
  const TStyleCase cases[] = {
      {true, alTop, false, alNone, alTop, 1},
      {true, alBottom, true, alClient, alBottom, 1},
      {true, alClient, true, alBottom, alBottom, 2},
      {true, alLeft, true, alClient, alLeft, 3},
      {true, alRight, false, alNone, alRight, 3},
      {true, alClient, true, alRight, alRight, 4},
      // The bar on another edge than the resized control does nothing.
      {true, alLeft, true, alClient, alTop, 0},
      {true, alClient, true, alBottom, alTop, 0},
      {true, alTop, true, alLeft, alTop, 0},
      {true, alClient, false, alNone, alClient, 0},
      {true, alNone, false, alNone, alNone, 0},
      {false, alLeft, true, alClient, alLeft, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SplitStyle(c.hasFirst, c.first, c.hasSecond, c.second, c.own), c.style)
        << c.first << " " << c.second << " " << c.own;
}

TEST(SplitGeometry, LimitsAreInSplitterCoordinates) {
  const TRect l = SplitLimits(TRect(0, 0, 400, 300), 100, 20, TPoint(150, 0));
  EXPECT_EQ(l, TRect(-50, 100, 230, 280));
}

TEST(SplitGeometry, ClampStopsAtTheLimitsInTheMovingDirection) {
  const TRect limits(-50, -10, 230, 280);
  bool clamped = false;
  EXPECT_EQ(ClampSplitPosition(TPoint(40, 0), limits, TSize{3, 200}, 3, clamped), TPoint(40, 0));
  EXPECT_FALSE(clamped);
  EXPECT_EQ(ClampSplitPosition(TPoint(-80, 0), limits, TSize{3, 200}, 3, clamped), TPoint(-50, 0));
  EXPECT_TRUE(clamped);
  // The far limit leaves room for the bar itself.
  EXPECT_EQ(ClampSplitPosition(TPoint(500, 0), limits, TSize{3, 200}, 3, clamped), TPoint(227, 0));
  EXPECT_TRUE(clamped);
  // Across the moving direction a clamp is no refusal.
  EXPECT_EQ(ClampSplitPosition(TPoint(10, 200), limits, TSize{3, 200}, 3, clamped), TPoint(10, 80));
  EXPECT_FALSE(clamped);
}

TEST(SplitGeometry, NewSize) {
  // A left tree grows by the move to the right.
  EXPECT_EQ(SplitNewSize(3, 120, TPoint(30, 5), false, false, 400, 3), 150);
  // A right-aligned pane grows when the bar goes left.
  EXPECT_EQ(SplitNewSize(4, 100, TPoint(-40, 0), true, false, 400, 3), 140);
  // A bottom pane shrinks when the bar goes down.
  EXPECT_EQ(SplitNewSize(2, 100, TPoint(0, 30), false, true, 300, 3), 70);
  EXPECT_EQ(SplitNewSize(1, 50, TPoint(0, -80), false, false, 300, 3), 1);
  // Reaching the parent's size less the bar: that room less 3.
  EXPECT_EQ(SplitNewSize(1, 250, TPoint(0, 60), false, false, 300, 3), 294);
  EXPECT_EQ(SplitNewSize(1, 297, TPoint(0, 0), false, false, 300, 3), 294);
  EXPECT_EQ(SplitNewSize(1, 296, TPoint(0, 0), false, false, 300, 3), 296);
}

}  // namespace
