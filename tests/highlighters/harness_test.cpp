// The harness must catch the faults it is there for: a small highlighter
// that can be told to misbehave in each way, and the checks that must (and
// must not) complain about it.
#include "HighlighterHarness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

enum class TFault { None, SkipsACharacter, BadRange, HiddenState, NeverEnds };

// One token per character (kind 1, or 2 for a digit); the range counts
// lines mod 3, plus 1.
class TToyHighlighter : public TktCustomHighLighter {
public:
  explicit TToyHighlighter(TFault fault) : TktCustomHighLighter(nullptr), FFault(fault) {}

  TktHighLightAttributes* GetDefaultAttribute(int) const override { return nullptr; }
  void ExportNextToken() override { Next(); }
  bool AtLineEnd() const override { return FAtEnd; }
  TktRange GetRange() const override { return FRange; }
  std::string_view GetToken() const override { return FLine.substr(FStart, FRun - FStart); }
  TktHighLightAttributes* GetTokenAttribute() const override { return nullptr; }
  int GetTokenKind() const override {
    if (FFault == TFault::HiddenState && FLastLineHadX) return 9;
    return FAtEnd ? 0 : (FLine[FStart] >= '0' && FLine[FStart] <= '9' ? 2 : 1);
  }
  int GetTokenPos() const override { return static_cast<int>(FStart); }
  void Next() override {
    if (FFault == TFault::SkipsACharacter && FRun == 1) ++FRun;  // a gap before the token
    FStart = FRun;
    if (FFault == TFault::NeverEnds && FRun >= FLine.size() && !FLine.empty()) return;
    FAtEnd = FRun >= FLine.size();
    if (FAtEnd) return;
    ++FRun;
  }
  void SetLine(std::string_view line, int) override {
    FLastLineHadX = FLine.find('x') != std::string_view::npos;
    FLine = line;
    FRun = 0;
    FRange = FRange % 3 + 1;
    if (FFault == TFault::BadRange && line.find('!') != std::string_view::npos) FRange = 42;
    Next();
  }
  void SetLineForExport(std::string_view line) override { SetLine(line, 0); }
  void SetRange(TktRange value) override { FRange = value; }
  void ResetRange() override { FRange = 1; }

private:
  TFault FFault;
  std::string_view FLine;
  size_t FRun = 0, FStart = 0;
  bool FAtEnd = true;
  bool FLastLineHadX = false;
  TktRange FRange = 1;
};

THighlighterFactory Toy(TFault fault) {
  return [fault] { return std::make_unique<TToyHighlighter>(fault); };
}

const std::vector<std::string> kLines = {"ab1", "x!", "", "cd", "xyz"};
const std::set<TktRange> kToyRanges = {1, 2, 3};

TEST(HighlighterHarness, InvariantsCatchEachFault) {
  EXPECT_TRUE(CheckInvariants(Toy(TFault::None), kLines, kToyRanges).empty());
  for (TFault f : {TFault::SkipsACharacter, TFault::BadRange, TFault::HiddenState,
                   TFault::NeverEnds}) {
    const auto faults = CheckInvariants(Toy(f), kLines, kToyRanges);
    EXPECT_FALSE(faults.empty()) << static_cast<int>(f);
  }
}

TEST(HighlighterHarness, QuotingRoundTrips) {
  std::string all;
  for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
  EXPECT_EQ(UnquoteText(QuoteText(all)), all);
  EXPECT_EQ(QuoteText(std::string("a\"\\\0\xff", 5)), "\"a\\\"\\\\\\x00\\xFF\"");
  EXPECT_THROW(UnquoteText("abc"), std::runtime_error);
}

TEST(HighlighterHarness, GoldenComparisonReportsTheFirstDifference) {
  const std::string path = ::testing::TempDir() + "toy.golden";
  {
    std::ofstream out(path);
    out << "# toy\n> \"a1\"\n1,0,1,-,\"a\"\n1,1,2,-,\"1\"\n1,range,2\n";
  }
  const TGoldenFile good = ReadGoldenFile(path);
  EXPECT_EQ(good.Lines, std::vector<std::string>{"a1"});
  EXPECT_EQ(CheckGolden(Toy(TFault::None), good), "");
  {
    std::ofstream out(path);
    out << "> \"a1\"\n1,0,1,-,\"a\"\n1,1,1,-,\"1\"\n1,range,2\n";
  }
  const std::string report = CheckGolden(Toy(TFault::None), ReadGoldenFile(path));
  EXPECT_NE(report.find("expected: 1,1,1,-,\"1\""), std::string::npos) << report;
  EXPECT_NE(report.find("actual:   1,1,2,-,\"1\""), std::string::npos) << report;
  std::remove(path.c_str());
}

}  // namespace
