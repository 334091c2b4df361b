// The calculator's arithmetic and the edit commands' text rules: hex
// literals, the value hint, block statistics, the in-text "=", Go to Line,
// block reads, bookmark captions, roll-up snippets and hot-key choice.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/tools/Calc.h"
#include "app/commands/EditRules.h"
#include "app/tools/HotKeys.h"
#include "kit/MathParser.h"
#include "platform/TextLines.h"
#include "platform/ShortCuts.h"
#include "platform/Streams.h"
#include "platform/SysUtils.h"

namespace {

std::string CalcError(const std::string& expression) {
  try {
    return "value " + TCalcEngine::Calculate(expression);
  } catch (const Exception& e) {
    return e.Message();
  }
}

TEST(Calc, EvaluatesHexLiteralsInEveryForm) {
  const struct {
    const char* Expression;
    const char* Result;
  } cases[] = {
      {"0x1F+1", "32"},   {"0X1f+1", "32"},  {"1Fh*2", "62"},       {"$ff", "255"},
      {"$FFFFFFFF", "-1"},  // a 32-bit reading: the top bit is the sign
      {"0x000000000A", "10"},  // leading zeros are not significant
      {"2*3h", "6"},      {"10/4", "2.5"},   {"1/3", "0.333333333333333"},
      {"Log2(8)", "3"},   {"RadToDeg(pi)", "180"}, {"cosh(0)+SINH(0)", "1"},
      // Expressions longer than 15 characters are fine as long as no
      // literal is too long.
      {"0x10 + 0x10 + 0x10 + 0x10", "64"},
      // The parser computes in extended precision; the value shown keeps it.
      {"2^1194", "2.69038741506027E359"},
  };
  for (const auto& c : cases) EXPECT_EQ(TCalcEngine::Calculate(c.Expression), c.Result) << c.Expression;
}

TEST(Calc, ReportsLiteralsThatDoNotRead) {
  EXPECT_EQ(CalcError("0x123456789"), "Hex Owerflow");
  EXPECT_EQ(CalcError("1+$"), "'$' is not a valid integer value");
  // A suffix literal that does not read stays, and the parser then decides.
  EXPECT_EQ(TCalcEngine::ConvertHexLiterals("123456789h+1"), "123456789h+1");
  EXPECT_EQ(TCalcEngine::ConvertHexLiterals("Ah+Bh"), "10+11");
  // Errors of the arithmetic reach the caller (the window adds " Overflow!").
  EXPECT_THROW(TCalcEngine::Calculate("1/0"), ERxParserError);
  EXPECT_THROW(TCalcEngine::Calculate("ArcCosh(0)"), ERxParserError);
}

TEST(Calc, HintShowsEveryFormOfAWholeNumber) {
  EXPECT_EQ(TCalcEngine::ValueHint(10), "Decimal=10\r\nHex=000000000A\r\nBin=1010\r\nRoman=X");
  EXPECT_EQ(TCalcEngine::ValueHint(2.5L), "Decimal=2.5");
  EXPECT_EQ(TCalcEngine::ValueHint(0), "Decimal=0\r\nHex=0000000000");
  EXPECT_EQ(TCalcEngine::ValueHint(1999), "Decimal=1999\r\nHex=00000007CF\r\nBin=11111001111\r\nRoman=MCMXCIX");
  EXPECT_EQ(TCalcEngine::ValueHint(1500000000), "Decimal=1500000000\r\nBin=1011001011010000010111100000000");
  EXPECT_EQ(TCalcEngine::ValueHint(1e300L), "Decimal=1E300");
}

std::string ReportLine(const std::string& report, const std::string& label) {
  size_t at = report.find(label);
  if (at == std::string::npos) return "(missing)";
  size_t value = report.find("= ", at) + 2;
  return report.substr(value, report.find("\r\n", value) - value);
}

TEST(Statistics, ReportsEveryDefinedLineAndNanForTheOthers) {
  const std::string report = StatisticsReport("1 2 3");
  EXPECT_EQ(report.substr(0, 35), "Volume                        = 3\r\n");
  EXPECT_EQ(CountTextLines(report), 17u);
  const struct {
    const char* Selection;
    const char* Label;
    const char* Value;
  } cases[] = {
      {"1 2 3", "Sum  ", "6"},
      {"1 2 3", "Average Value", "2"},
      {"1 2 3", "Maximum Value", "3"},
      {"1 2 3", "Minimum Value", "1"},
      {"1 2 3", "Sample variance", "1"},
      {"1 2 3", "Standard Deviation", "1"},
      {"1 2 3", "Statistical variance", "2"},
      {"1 2 3", "Population variance", "0.666666666666667"},
      {"1 2 3", "Skew", "0"},
      {"1 2 3", "Kurtosis", "1.5"},
      {"1 2 3", "Euclidean", "3.74165738677394"},
      {"1\t2", "Volume", "2"},            // a tab separates
      {" ;;1 \r\n\r\n 5;; ", "Sum  ", "6"},  // runs of separators, nothing empty
      {"7", "Sample variance", "NAN"},     // one value: no n - 1
      {"7", "Standard Deviation", "NAN"},
      {"7", "Population variance", "0"},
      {"4 4 4", "Skew", "NAN"},            // no spread
      {"4 4 4", "Kurtosis", "NAN"},
      {"0x10 1Fh", "Sum  ", "47"},         // items are calculator expressions
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReportLine(StatisticsReport(c.Selection), c.Label), c.Value) << c.Selection << " / " << c.Label;
}

TEST(Statistics, AnItemThatIsNoExpressionIsAnError) {
  for (const char* selection : {"1 x% 2", "", " ; \r\n", "1/0"}) {
    try {
      StatisticsReport(selection);
      ADD_FAILURE() << "no error for \"" << selection << "\"";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Error in values");
    }
  }
}

TEST(Solve, AddsAValueOnlyForACalculation) {
  const struct {
    const char* Before;
    const char* Value;  // nullptr: "=" alone
  } cases[] = {
      {"2*3", "6"},
      {"x := 10/4", "2.5"},
      {"\tsqrt(16)", "4"},
      {"a line\r\nb 1+1", "2"},
      {"WHERE 1", nullptr},    // no operator
      {"1=1", nullptr},        // not the whole of an expression
      {"x =", nullptr},        // typing "x == y"
      {"pi", nullptr},
      {"2*3=6", nullptr},      // after an earlier answer
      {"c+", nullptr},         // "c++"
      {"-5", nullptr},         // a sign is no calculation
      {"", nullptr},
      {"1/0", nullptr},
  };
  for (const auto& c : cases) {
    std::optional<std::string> value = SolveValue(c.Before);
    if (c.Value)
      EXPECT_EQ(value.value_or("(none)"), c.Value) << c.Before;
    else
      EXPECT_FALSE(value) << c.Before << " gave " << *value;
  }
  EXPECT_EQ(SolveExpression("int x = 2*3"), "2*3");
  EXPECT_EQ(SolveExpression("2*3 "), "2*3 ");  // the last character always counts
}

TEST(GoToLine, TakesWholeNumbersClampedToTheText) {
  const struct {
    const char* Answer;
    bool Taken;
    int Caret, Top;
  } cases[] = {
      {"50", true, 50, 45},   {" 3 ", true, 3, 1},      {"0", true, 1, 1},
      {"-7", true, 1, 1},     {"+8", true, 8, 3},       {"100", true, 100, 95},
      {"101", true, 100, 95}, {"99999999999999999999", true, 100, 95},
      {"", false, 0, 0},      {"abc", false, 0, 0},     {"1.5", false, 0, 0},
      {"12a", false, 0, 0},   {"-", false, 0, 0},
  };
  for (const auto& c : cases) {
    int caret = 0, top = 0;
    EXPECT_EQ(GoToLineAnswer(c.Answer, 100, caret, top), c.Taken) << c.Answer;
    EXPECT_EQ(caret, c.Caret) << c.Answer;
    EXPECT_EQ(top, c.Top) << c.Answer;
  }
}

TEST(BlockRead, PrecedesEveryLineOfTheFileWithALineBreak) {
  EXPECT_EQ(BlockReadText(""), "");
  EXPECT_EQ(BlockReadText("a\r\nb\r\n"), "\r\na\r\nb");
  EXPECT_EQ(BlockReadText("a\nb\rc"), "\r\na\r\nb\r\nc");
  EXPECT_EQ(BlockReadText(std::string("x\0y\n", 4)), std::string("\r\nx\0y", 5));
  EXPECT_EQ(BlockReadText("\n"), "\r\n");
}

// Real files in a folder of the case's own.
TEST(BlockFiles, ReadKeepsEveryByteAndWriteReplacesTheFileExactly) {
  const std::string dir = ::testing::TempDir() + "tq-block-files";
  CreateDir(dir);
  const std::string name = dir + PathDelim + "block.txt";
  const std::string bytes("one\ntwo\0x\rthree", 15);
  WriteBlockFile(name, bytes);
  EXPECT_EQ(ReadBlockFile(name), std::string("\r\none\r\ntwo\0x\r\nthree", 19));

  WriteBlockFile(name, "short");  // a longer file is replaced, not overwritten in place
  {
    TFileStream in(name, fmOpenRead);
    std::string back(static_cast<size_t>(in.GetSize()), '\0');
    in.ReadBuffer(back.data(), in.GetSize());
    EXPECT_EQ(back, "short");
  }
  EXPECT_THROW(WriteBlockFile(dir, "x"), Exception) << "a folder is no file to write";
  EXPECT_THROW(ReadBlockFile(dir + PathDelim + "missing.txt"), Exception);
  EXPECT_EQ(ReadBlockFile(name), "\r\nshort") << "the failed write left the file alone";
  FileDelete(name);
  RemoveDir(dir);
}

TEST(Bookmarks, CaptionsCarryTheNumberAndTheLineStart) {
  EXPECT_EQ(BookmarkCaption("Bookmark #", 3, "   procedure TMainForm.FormCreate(Sender: TObject);"),
            "Bookmark #3:procedure TMainForm.Fo");
  EXPECT_EQ(BookmarkCaption("Clear Bookmark #", 9, ""), "Clear Bookmark #9:");
  EXPECT_EQ(BookmarkNumberFromCaption("Bookmark #3:x #5"), 3);
  EXPECT_EQ(BookmarkNumberFromCaption("&Bookmark #7:"), 7);
  EXPECT_EQ(BookmarkNumberFromCaption("no number"), 0);
}

TEST(RollUps, InsertWithoutTheLastLineBreakOnly) {
  EXPECT_EQ(RollUpSnippetText("one\r\ntwo\r\n"), "one\r\ntwo");
  EXPECT_EQ(RollUpSnippetText("one\r\ntwo"), "one\r\ntwo");  // nothing cut blindly
  EXPECT_EQ(RollUpSnippetText("x\n"), "x");
  EXPECT_EQ(RollUpSnippetText("x\r"), "x");
  EXPECT_EQ(RollUpSnippetText("x\r\n\r\n"), "x\r\n");
  EXPECT_EQ(RollUpSnippetText(""), "");
}

constexpr uint16_t kEnter = 0x0D, kEscape = 0x1B, kShift = 0x10, kF7 = 0x76, kPageUp = 0x21, kMultiply = 0x6A;

TShiftState Shift(bool ctrl, bool shift, bool alt) {
  TShiftState s;
  if (ctrl) s.Include(ssCtrl);
  if (shift) s.Include(ssShift);
  if (alt) s.Include(ssAlt);
  return s;
}

TEST(HotKeys, TheReservedListHoldsTheFixedKeysAfterTheGivenOnes) {
  EXPECT_EQ(FixedReservedShortCuts().size(), 101u);
  std::vector<TShortCut> list = ReservedShortCuts({scNone, TextToShortCut("Ctrl+Q")});
  EXPECT_EQ(list.size(), 102u);
  EXPECT_EQ(list[0], TextToShortCut("Ctrl+Q"));
  for (const char* text : {"Ctrl+S", "Ctrl+Enter", "Alt+7", "Ctrl+Shift+Home", "F12", "Shift+Tab", "Alt+F6"})
    EXPECT_NE(std::find(list.begin(), list.end(), TextToShortCut(text)), list.end()) << text;
  EXPECT_EQ(std::find(list.begin(), list.end(), TextToShortCut("Ctrl+Shift+F7")), list.end());
}

TEST(HotKeys, TheDialogShowsAcceptsAndRefusesCombinations) {
  const std::vector<TShortCut> reserved = ReservedShortCuts({TextToShortCut("Ctrl+Q")});
  auto isReserved = [&](TShortCut s) { return std::find(reserved.begin(), reserved.end(), s) != reserved.end(); };
  THotKeyInput input;
  input.Clear();
  EXPECT_FALSE(input.KeyPress(kF7, Shift(true, true, false), isReserved));
  EXPECT_EQ(input.GetText(), "Ctrl+Shift+F7");
  EXPECT_TRUE(input.CanAccept());
  // Enter changes nothing; a reserved key shows "Reserved!" and OK then
  // refuses, so no roll-up is captioned with it.
  EXPECT_FALSE(input.KeyPress(kEnter, TShiftState(), isReserved));
  EXPECT_EQ(input.GetText(), "Ctrl+Shift+F7");
  EXPECT_TRUE(input.KeyPress('S', Shift(true, false, false), isReserved));
  EXPECT_EQ(input.GetText(), "Reserved!");
  EXPECT_FALSE(input.CanAccept());
  EXPECT_TRUE(input.KeyPress('Q', Shift(true, false, false), isReserved));  // another roll-up's
  // Shift alone is shown but cannot be taken.
  input.KeyPress(kShift, Shift(false, true, false), isReserved);
  EXPECT_EQ(input.GetText(), "Shift+");
  EXPECT_FALSE(input.CanAccept());
  // A new showing forgets the last one's choice.
  input.KeyPress(kPageUp, Shift(true, true, false), isReserved);
  EXPECT_TRUE(input.CanAccept());
  input.Clear();
  EXPECT_FALSE(input.CanAccept());
  EXPECT_EQ(input.GetShortCut(), scNone);
  input.KeyPress(kEscape, TShiftState(), isReserved);
  EXPECT_EQ(input.GetResult(), 2);
}

TEST(HotKeys, EveryCombinationTheDialogShowsReadsBack) {
  for (int key = 1; key < 256; ++key) {
    if (KeyToText(static_cast<uint16_t>(key)).empty()) continue;  // a modifier alone names no key
    for (int mods = 0; mods < 8; ++mods) {
      TShiftState shift = Shift(mods & 1, mods & 2, mods & 4);
      const std::string text = HotKeyText(static_cast<uint16_t>(key), shift);
      EXPECT_EQ(TextToShortCut(text), ShortCut(static_cast<uint16_t>(key), shift)) << text;
    }
  }
  EXPECT_EQ(HotKeyText(kMultiply, Shift(true, false, true)), "Ctrl+Alt+Multyply");
}

}  // namespace
