// The placement values of a section and the restore decisions, with screens
// and monitor layouts a test machine does not have.
#include "kit/Placement.h"

#include <gtest/gtest.h>

#include "platform/Registry.h"

namespace {

class PlacementValues : public ::testing::Test {
protected:
  PlacementValues() { TRegistry().DeleteKey("\\" + Key); }
  ~PlacementValues() override { TRegistry().DeleteKey("\\" + Key); }
  std::string Key = std::string("Software\\Tarnquill\\Test\\placement\\") +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name();
  TRegIniFile Ini{Key};
};

TEST_F(PlacementValues, WrittenTwiceAndReadForTheScreenOfToday) {
  TPlacementRecord p;
  p.Flags = 0;
  p.ShowCmd = 1;
  p.MinPosition = {-1, -1};
  p.MaxPosition = {-4, -4};
  p.NormalPosition = TRect(10, 20, 330, 260);
  WritePlacementValues(Ini, "Form", p, 96, 1024, 768);
  EXPECT_EQ(Ini.ReadString("Form", "NormPos(1024x768)", ""), "10,20,330,260");
  EXPECT_EQ(Ini.ReadString("Form", "NormPos", ""), "10,20,330,260");
  EXPECT_EQ(Ini.ReadString("Form", "MinMaxPos(1024x768)", ""), "-1,-1,-4,-4");
  EXPECT_EQ(Ini.ReadString("Form", "PixelsPerInch", ""), "96");

  // Another resolution wrote its own suffixed value; the plain one is its.
  p.NormalPosition = TRect(100, 100, 200, 200);
  WritePlacementValues(Ini, "Form", p, 96, 1280, 1024);

  TPlacementRecord back;
  ASSERT_TRUE(ReadPlacementValues(Ini, "Form", back, TRect(), 96, 1024, 768));
  EXPECT_EQ(back.NormalPosition, TRect(10, 20, 330, 260)) << "the suffixed value of this screen first";
  ASSERT_TRUE(ReadPlacementValues(Ini, "Form", back, TRect(), 96, 800, 600));
  EXPECT_EQ(back.NormalPosition, TRect(100, 100, 200, 200)) << "a new screen takes the plain value";
  EXPECT_EQ(back.MaxPosition, TPoint(-4, -4));
  EXPECT_FALSE(ReadPlacementValues(Ini, "Form", back, TRect(), 120, 1024, 768)) << "another resolution";

  // Bad numbers: the current bounds for NormPos, 0 for MinMaxPos.
  Ini.WriteString("Other", "NormPos", "5,x,,7");
  Ini.WriteString("Other", "MinMaxPos", "1,2");
  TPlacementRecord bad;
  ASSERT_TRUE(ReadPlacementValues(Ini, "Other", bad, TRect(1, 2, 3, 4), 96, 1024, 768));
  EXPECT_EQ(bad.NormalPosition, TRect(5, 2, 3, 7));
  EXPECT_EQ(bad.MinPosition, TPoint(1, 2));
  EXPECT_EQ(bad.MaxPosition, TPoint(0, 0));
  TPlacementRecord none;
  EXPECT_FALSE(ReadPlacementValues(Ini, "Missing", none, TRect(), 96, 1024, 768));
}

TEST(PlacementDecisions, NormalRectanglesAreKeptReachable) {
  const std::vector<TRect> one = {TRect(0, 0, 1280, 1024)};
  // A second monitor left of the first, lower and smaller.
  const std::vector<TRect> two = {TRect(0, 0, 1280, 1024), TRect(-1024, 200, 0, 968)};
  struct {
    const char* What;
    TRect In;
    const std::vector<TRect>* Areas;
    TRect Out;
  } cases[] = {
      {"inside stays exactly", TRect(10, 10, 300, 200), &one, TRect(10, 10, 300, 200)},
      {"caption above the screen", TRect(100, -50, 400, 250), &one, TRect(100, 0, 400, 300)},
      {"wholly off to the right", TRect(2000, 100, 2300, 400), &one, TRect(980, 100, 1280, 400)},
      {"larger than the screen shrinks", TRect(-10, -10, 2000, 1500), &one, TRect(0, 0, 1280, 1024)},
      {"on the second monitor stays", TRect(-900, 300, -500, 600), &two, TRect(-900, 300, -500, 600)},
      {"mostly on the second goes there", TRect(-300, 100, 100, 400), &two, TRect(-400, 200, 0, 500)},
      {"nowhere: the nearest monitor", TRect(-2000, 100, -1800, 300), &two, TRect(-1024, 200, -824, 400)},
      {"no area: the form's size", TRect(50, 60, 50, 60), &one, TRect(50, 60, 370, 300)},
      {"no monitor known: unchanged", TRect(5000, 5000, 5100, 5100), nullptr, TRect(5000, 5000, 5100, 5100)},
  };
  const std::vector<TRect> noAreas;
  for (const auto& c : cases)
    EXPECT_EQ(FitIntoWorkAreas(c.In, c.Areas ? *c.Areas : noAreas, TPoint(320, 240)), c.Out) << c.What;
}

TEST(PlacementDecisions, ShowCommands) {
  for (int cmd : {1, 5, 9}) EXPECT_EQ(StateFromShowCmd(cmd, psZoomed), psNormal) << cmd;
  for (int cmd : {2, 6, 7}) EXPECT_EQ(StateFromShowCmd(cmd, psNormal), psMinimized) << cmd;
  EXPECT_EQ(StateFromShowCmd(3, psNormal), psZoomed);
  for (int cmd : {0, 4, 8, 10, -1}) EXPECT_EQ(StateFromShowCmd(cmd, psZoomed), psZoomed) << cmd;
}

}  // namespace
