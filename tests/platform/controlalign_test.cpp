#include "platform/ControlAlign.h"

#include <gtest/gtest.h>

namespace {
TAlignItem Item(TAlign a, TRect b, bool visible = true) { return TAlignItem{a, b, visible}; }
}  // namespace

TEST(ControlAlign, EdgesAreTakenInOrderTopBottomLeftRightThenClient) {
  // A main-window layout: tool bar, tab control filling, status bar, a side panel.
  std::vector<TAlignItem> items = {
      Item(alClient, TRect(0, 0, 10, 10)),
      Item(alBottom, Bounds(0, 0, 50, 20)),
      Item(alLeft, Bounds(0, 0, 100, 50)),
      Item(alTop, Bounds(0, 0, 50, 30)),
      Item(alRight, Bounds(0, 0, 60, 50)),
      Item(alNone, Bounds(7, 8, 9, 10)),
  };
  AlignItems(TRect(0, 0, 800, 600), items);
  EXPECT_EQ(items[3].Bounds, Bounds(0, 0, 800, 30));     // top strip, full width
  EXPECT_EQ(items[1].Bounds, Bounds(0, 580, 800, 20));   // bottom strip, full width
  EXPECT_EQ(items[2].Bounds, Bounds(0, 30, 100, 550));   // left, between the strips
  EXPECT_EQ(items[4].Bounds, Bounds(740, 30, 60, 550));  // right
  EXPECT_EQ(items[0].Bounds, TRect(100, 30, 740, 580));  // the rest
  EXPECT_EQ(items[5].Bounds, Bounds(7, 8, 9, 10));       // untouched
}

TEST(ControlAlign, ItemsOfOneGroupStackByPositionThenListOrder) {
  std::vector<TAlignItem> items = {
      Item(alTop, Bounds(0, 50, 10, 5)),  // lower: goes second
      Item(alTop, Bounds(0, 0, 10, 7)),
      Item(alBottom, Bounds(0, 0, 10, 3)),    // higher bottom edge: goes second
      Item(alBottom, Bounds(0, 90, 10, 4)),
      Item(alLeft, Bounds(0, 0, 11, 1)),      // equal left: list order
      Item(alLeft, Bounds(0, 0, 12, 1)),
  };
  AlignItems(TRect(0, 0, 100, 100), items);
  EXPECT_EQ(items[1].Bounds, Bounds(0, 0, 100, 7));
  EXPECT_EQ(items[0].Bounds, Bounds(0, 7, 100, 5));
  EXPECT_EQ(items[3].Bounds, Bounds(0, 96, 100, 4));
  EXPECT_EQ(items[2].Bounds, Bounds(0, 93, 100, 3));
  EXPECT_EQ(items[4].Bounds, Bounds(0, 12, 11, 81));
  EXPECT_EQ(items[5].Bounds, Bounds(11, 12, 12, 81));
}

TEST(ControlAlign, HiddenItemsTakeNoSpaceAndSizesNeverGoNegative) {
  std::vector<TAlignItem> items = {
      Item(alTop, Bounds(0, 0, 10, 40), false),
      Item(alTop, Bounds(0, 0, 10, 80)),
      Item(alBottom, Bounds(0, 0, 10, 80)),
      Item(alClient, TRect()),
  };
  AlignItems(Bounds(10, 20, 50, 100), items);
  EXPECT_EQ(items[0].Bounds, Bounds(0, 0, 10, 40));
  EXPECT_EQ(items[1].Bounds, Bounds(10, 20, 50, 80));
  EXPECT_EQ(items[2].Bounds, Bounds(10, 40, 50, 80));  // overlaps: the area ran out
  EXPECT_EQ(items[3].Bounds.Width(), 50);
  EXPECT_EQ(items[3].Bounds.Height(), 0);
}
