// The expression evaluator: values, precedence, numbers, functions and every
// error it raises, in one table; run under UBSan natively, so an out-of-range
// conversion would show.
#include "kit/MathParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

enum TOutcome { Value, Parser, ZeroDivide, Overflow, InvalidOp };

struct TCase {
  const char* Text;
  TOutcome Outcome;
  long double Expected;  // the value, or the parser's message number
};

void PrintTo(const TCase& c, std::ostream* os) { *os << '"' << c.Text << '"'; }

class MathParserCase : public ::testing::TestWithParam<TCase> {};

TEST_P(MathParserCase, Evaluates) {
  const TCase& c = GetParam();
  TRxMathParser parser;
  try {
    long double v = parser.Exec(c.Text);
    ASSERT_EQ(c.Outcome, Value) << "gave " << static_cast<double>(v);
    EXPECT_NEAR(static_cast<double>(v), static_cast<double>(c.Expected),
                1e-12 * std::max(1.0, std::fabs(static_cast<double>(c.Expected))));
  } catch (const ERxParserError& e) {
    ASSERT_EQ(c.Outcome, Parser) << e.Message();
    EXPECT_EQ(e.Code, static_cast<int>(c.Expected)) << e.Message();
  } catch (const EZeroDivide&) {
    EXPECT_EQ(c.Outcome, ZeroDivide);
  } catch (const EOverflow&) {
    EXPECT_EQ(c.Outcome, Overflow);
  } catch (const EInvalidOp&) {
    EXPECT_EQ(c.Outcome, InvalidOp);
  }
}

const TCase kCases[] = {
    // precedence and signs
    {"-2^2", Value, -4},
    {"2*-3", Value, -6},
    {"2*-(3)", Parser, 61155},
    {"3 + 4 * 2", Value, 11},
    {"2^3*2", Value, 16},
    {"2*3^2", Value, 36},
    {"2^3^2", Value, 64},
    {"10-2-3", Value, 5},
    {"+5", Value, 5},
    {"1--2", Value, 3},
    // parentheses
    {"(1+2", Parser, 61154},
    {"1+2)", Parser, 61154},
    {")(", Parser, 61155},
    {"((2))*(3)", Value, 6},
    // only the end may follow the whole expression
    {"(1)=2", Parser, 61155},
    {"(1),5", Parser, 61155},
    {"1,5", Parser, 61155},
    {"", Parser, 61155},
    // numbers
    {"$FF", Value, 255},
    {"$ff", Value, 255},
    {"$FFFFFFFF", Value, -1},
    {"$", Parser, 61155},
    {"$123456789", Parser, 61155},
    {".5", Value, 0.5},
    {"-.5", Value, -0.5},
    {"1.E2", Value, 100},
    {"5.", Value, 5},
    {"1E-2", Value, 0.01},
    {"1.5e+3", Value, 1500},
    {"1E99999", Parser, 61155},  // beyond the extended range: not a number
    {"2E", Parser, 61155},
    {"1.2.3", Parser, 61155},
    // constants
    {"PI", Value, kPi},
    {"2*pi", Value, 2 * kPi},
    {"E", Value, std::exp(1.0L)},
    {"PI2", Parser, 61155},
    {"2PI", Parser, 61155},
    // functions
    {"sin(0)", Value, 0},
    {"SiN(0)", Value, 0},
    {"cos(0)", Value, 1},
    {"arctan(1)*4", Value, kPi},
    {"tan(0)", Value, 0},
    {"abs(-3)", Value, 3},
    {"exp(0)", Value, 1},
    {"ln(e)", Value, 1},
    {"log(1000)", Value, 3},
    {"sqrt(16)", Value, 4},
    {"sqr(3)", Value, 9},
    {"int(2.5)", Value, 2},
    {"int(3.5)", Value, 4},
    {"round(-2.5)", Value, -2},
    {"frac(-2.75)", Value, -0.75},
    {"trunc(-2.7)", Value, -2},
    {"not(0)", Value, -1},
    {"not(5.9)", Value, -6},
    {"sign(0)", Value, 0},
    {"sign(-7)", Value, -1},
    {"arcsin(1)", Value, kPi / 2},
    {"arcsin(-1)", Value, -kPi / 2},
    {"arccos(1)", Value, 0},
    {"arccos(-1)", Value, kPi},
    {"arcsin(0.5)", Value, kPi / 6},
    {"arcsin(2)", Parser, 61150},
    {"arccos(-1.5)", Parser, 61150},
    {"sin(1", Parser, 61154},
    {"sin 1", Parser, 61155},
    {"foo(1)", Parser, 61155},
    // errors of the functions
    {"1/0", Parser, 61153},
    {"ln(0)", Parser, 61151},
    {"log(-1)", Parser, 61151},
    {"sqrt(-1)", Parser, 61152},
    {"exp(100000)", Parser, 61150},
    {"sqr(1E4000)", Parser, 61150},
    {"int(1E19)", Parser, 61150},
    {"round(-1E300)", Parser, 61150},
    {"trunc(1E19)", Parser, 61150},
    {"not(1E19)", Parser, 61150},
    {"trunc(-9223372036854775808)", Value, -9223372036854775808.0L},
    // powers and the platform's errors
    {"0^0", Value, 1},
    {"0^3", Value, 0},
    {"2^-2", Value, 0.25},
    {"4^0.5", Value, 2},
    {"0^-1", ZeroDivide, 0},
    {"10^5000", Overflow, 0},
    {"1E4000*1E4000", Overflow, 0},
    {"(-8)^0.5", InvalidOp, 0},
};

INSTANTIATE_TEST_SUITE_P(Table, MathParserCase, ::testing::ValuesIn(kCases));

std::string Nested(int levels, const std::string& open, const std::string& inner) {
  std::string text;
  for (int i = 0; i < levels; ++i) text += open;
  text += inner;
  const auto opened = static_cast<size_t>(std::count(open.begin(), open.end(), '('));
  text.append(static_cast<size_t>(levels) * opened, ')');
  return text;
}

int ParserCode(const std::string& text) {
  try {
    TRxMathParser().Exec(text);
  } catch (const ERxParserError& e) {
    return e.Code;
  }
  return 0;
}

// Parentheses and function arguments nest by recursion: a deep text raises a
// syntax error instead of running out of stack (Wine gives the program 2 MiB),
// and the bound leaves room for any expression a person writes.
TEST(MathParser, NestingIsBounded) {
  TRxMathParser parser;
  EXPECT_EQ(parser.Exec(Nested(TRxMathParser::MaxDepth, "(", "7")), 7);
  EXPECT_EQ(parser.Exec(Nested(TRxMathParser::MaxDepth, "abs(", "-2")), 2);
  EXPECT_EQ(parser.Exec(Nested(TRxMathParser::MaxDepth / 2, "(1+abs(", "0")), TRxMathParser::MaxDepth / 2);
  EXPECT_EQ(ParserCode(Nested(TRxMathParser::MaxDepth + 1, "(", "7")), 61155);
  EXPECT_EQ(ParserCode(Nested(TRxMathParser::MaxDepth + 1, "sqrt(", "4")), 61155);
  EXPECT_EQ(ParserCode(Nested(500000, "(", "1")), 61155);
  EXPECT_EQ(ParserCode(Nested(500000, "(-", "1")), 61155);
  // An unbalanced text is still refused before any evaluation.
  EXPECT_EQ(ParserCode(std::string(500000, '(') + "1"), 61154);
  // The count starts afresh with every call.
  for (int i = 0; i < 3; ++i) EXPECT_EQ(parser.Exec(Nested(TRxMathParser::MaxDepth, "(", "1")), 1);
}

long double Twice(long double x) { return 2 * x; }
long double Thrice(long double x) { return 3 * x; }

TEST(MathParser, UserFunctionsAndTheDecimalSeparator) {
  TRxMathParser::RegisterUserFunction("Twice", Twice);
  TRxMathParser::RegisterUserFunction("TWICE", Thrice);  // the first one stays
  TRxMathParser parser;
  EXPECT_EQ(parser.Exec("twice(2)+1"), 5);
  EXPECT_THROW(parser.Exec("twice 2"), ERxParserError);
  TRxMathParser::RegisterUserFunction("twice", nullptr);
  EXPECT_THROW(parser.Exec("twice(2)"), ERxParserError);
  try {
    TRxMathParser::RegisterUserFunction("9lives", Twice);
    FAIL() << "a name starting with a digit was registered";
  } catch (const ERxParserError& e) {
    EXPECT_EQ(e.Code, 61155);
  }

  const char old = GetDecimalSeparator();
  SetDecimalSeparator(',');
  EXPECT_EQ(parser.Exec("1,5"), 1.5L);
  EXPECT_EQ(parser.Exec("1.5"), 1.5L);  // a point is read as one too
  SetDecimalSeparator(old);
}

}  // namespace
