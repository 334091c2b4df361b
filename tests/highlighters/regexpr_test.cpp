// Tests of the regular-expression engine: a table of matches (pattern, input,
// groups by 1-based position and length), a table of compile errors, and the
// behaviours around them (no program, budget, deep inputs, Cyrillic lists).
#include "highlighters/RegExpr.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/SysUtils.h"

namespace {

struct TMatchCase {
  std::string Pattern;
  std::string Input;
  // Expected (position, length) of groups 0.. in order; {-1,-1} for a group
  // that did not take part. Empty means no match.
  std::vector<std::pair<int, int>> Groups;
  int Count = -1;  // SubExprMatchCount; -1: the number of leading groups set
};

std::string S(const char* s, size_t n) { return std::string(s, n); }

const std::vector<TMatchCase>& MatchCases() {
  static const std::vector<TMatchCase> cases = {
      // literals and the first-character search
      {"<%", "ab<%cd", {{3, 2}}},
      {"%>", "<% x %> %>", {{6, 2}}},
      {"</script>", "a</scrip></script>", {{10, 9}}},
      {"abc", "ababc", {{3, 3}}},
      {"abc", "abab", {}},
      {"abc", "", {}},
      // anchors: "^" only at the start, "$" only at the end, also of a
      // non-empty input
      {"^abc", "abcabc", {{1, 3}}},
      {"^abc", "xabc", {}},
      {"abc$", "abcabc", {{4, 3}}},
      {"$", "abc", {{4, 0}}},
      {"$", "", {{1, 0}}},
      {"^$", "", {{1, 0}}},
      {"^$", "a", {}},
      {"a^b", "ab", {}},
      // classes
      {"a.c", "xxabcx", {{3, 3}}},
      {"[0-9]+", "ab123c", {{3, 3}}},
      {"[^a-z]+", "abc DEF", {{4, 4}}},
      {"\\d+", "x42", {{2, 2}}},
      {"\\D+", "12ab3", {{3, 2}}},
      {"\\w+", "  foo_bar9", {{3, 7}}},  // digits are not word characters
      {"\\W+", "ab, cd", {{3, 2}}},
      {"[\\d]+", "a12", {{2, 2}}},
      {"[\\w]+", "9Ab_1", {{2, 3}}},
      {"[]a]+", "x]a]", {{2, 3}}},
      {"[-a]+", "x-a-", {{2, 3}}},
      {"[a-]+", "x-a", {{2, 2}}},
      {"[a-c-e]+", "xdcb", {{2, 3}}},  // the second range starts at c
      {"[\\x41-\\x43]+", "ABCD", {{1, 3}}},
      // a class after "-" ends no range: the "-" is literal and the class whole
      {"[a-\\d]+", "x-a5d", {{2, 3}}},
      {"[a-\\w]+", "#-a_Z9", {{2, 4}}},
      {"[\\d-z]+", "a5-z", {{2, 3}}},
      {"[a-\\d-]+", "x9-a", {{2, 3}}},
      {"[\\n\\t]", "a\tb", {{2, 1}}},
      {"[\\]]", "a]", {{2, 1}}},
      // escapes outside lists
      {"\\n", "a\nb", {{2, 1}}},
      {"\\r\\t", "x\r\t", {{2, 2}}},
      {"\\e", "a\x1b", {{2, 1}}},
      {"\\x41", "zA", {{2, 1}}},
      {"\\x4a\\x4A", "JJ", {{1, 2}}},
      {"\\.", "a.b", {{2, 1}}},
      {"a\\*", "aa*", {{2, 2}}},
      {"\\q", "pq", {{2, 1}}},
      // alternatives: the first that succeeds, not the longest
      {"a|b|c", "xxc", {{3, 1}}},
      {"ab|a", "ab", {{1, 2}}},
      {"a|ab", "ab", {{1, 1}}},
      {"x(a|ab)c", "xabc", {{1, 4}, {2, 2}}},
      // repetition: greedy, backtracking, the operator binds the last byte
      {"ab*", "abbb", {{1, 4}}},
      {"ab*", "a", {{1, 1}}},
      {"ab+", "a", {}},
      {"ab+", "xabb", {{2, 3}}},
      {"a*ab", "aaab", {{1, 4}}},
      {"a*b", "aaa", {}},
      {"x*", "abc", {{1, 0}}},
      {"x*", "", {{1, 0}}},
      {"a?b", "b", {{1, 1}}},
      {"a?b", "ab", {{1, 2}}},
      {".*c", "abcabc", {{1, 6}}},
      {"a.*b.*c", "xaxbxcxc", {{2, 7}}},
      // groups report the last pass through them on the successful path
      {"<%(.*)%>", "x<%abc%>y", {{2, 7}, {4, 3}}},
      {"a(b|c)+d", "xacbd", {{2, 4}, {4, 1}}},
      {"(a*)b", "aaab", {{1, 4}, {1, 3}}},
      {"(ab)*c", "ababc", {{1, 5}, {3, 2}}},
      {"(ab)+", "xabab", {{2, 4}, {4, 2}}},
      {"((a)b)", "ab", {{1, 2}, {1, 2}, {1, 1}}},
      {"(a(b)?)+", "aba", {{1, 3}, {3, 1}, {2, 1}}},
      {"(a)|(b)", "b", {{1, 1}, {-1, -1}, {1, 1}}, 1},
      {"()", "x", {{1, 0}, {1, 0}}},
      {"(a)(b)(c)(d)(e)(f)(g)(h)(i)", "abcdefghi",
       {{1, 9}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1}}},
      // bytes 246 and 214 are plain characters, in and outside lists
      {"\xf6", "5", {}},
      {"\xf6", "a\xf6", {{2, 1}}},
      {"\xd6", "x", {}},
      {"[\xf6]", "5", {}},
      {"[\xf6]", "\xf6", {{1, 1}}},
      // high bytes and an embedded NUL are ordinary characters
      {"[\x80-\xff]+", "ab\x80\xff", {{3, 2}}},
      {"b", S("a\0b", 3), {{3, 1}}},
      {"a.b", S("a\0b", 3), {{1, 3}}},
      {"\\x00", S("a\0", 2), {{2, 1}}},
      {"b$", S("b\0", 2), {}},
  };
  return cases;
}

TEST(RegExpr, MatchTable) {
  for (const TMatchCase& c : MatchCases()) {
    SCOPED_TRACE("pattern \"" + c.Pattern + "\" input \"" + c.Input + "\"");
    TRegExpr re;
    re.SetExpression(c.Pattern);
    const bool matched = re.Exec(c.Input);
    ASSERT_EQ(matched, !c.Groups.empty());
    if (!matched) {
      EXPECT_EQ(re.SubExprMatchCount(), 0);
      EXPECT_EQ(re.MatchPos(0), -1);
      continue;
    }
    for (size_t i = 0; i < c.Groups.size(); ++i) {
      SCOPED_TRACE("group " + std::to_string(i));
      EXPECT_EQ(re.MatchPos(static_cast<int>(i)), c.Groups[i].first);
      EXPECT_EQ(re.MatchLen(static_cast<int>(i)), c.Groups[i].second);
    }
    const int count = c.Count >= 0 ? c.Count : static_cast<int>(c.Groups.size());
    EXPECT_EQ(re.SubExprMatchCount(), count);
    EXPECT_EQ(re.MatchPos(static_cast<int>(c.Groups.size())), -1);
  }
}

struct TErrorCase {
  std::string Pattern;
  std::string Message;
};

TEST(RegExpr, ErrorTable) {
  const std::vector<TErrorCase> cases = {
      {"(x*)*", "*+ operand could be empty"},
      {"(a|)+", "*+ operand could be empty"},
      {"(a?b?)*", "*+ operand could be empty"},
      {"^*", "*+ operand could be empty"},
      {"$+", "*+ operand could be empty"},
      {"a**", "nested *?+"},
      {"a*?", "nested *?+"},
      {"a+*", "nested *?+"},
      {"*a", "?+* follows nothing"},
      {"a|*b", "?+* follows nothing"},
      {"(+)", "?+* follows nothing"},
      {"(a", "unmatched ()"},
      {"a)", "unmatched ()"},
      {"((a)", "unmatched ()"},
      {"a\\", "Trailing \\"},
      {"[a\\", "Trailing \\"},
      {"[abc", "Unmatched []"},
      {"[", "Unmatched []"},
      {"[^]", "Unmatched []"},
      {"[z-a]", "Invalid [] range"},
      {"\\x", "No hex code after \\x"},
      {"\\x4", "No hex code after \\x"},
      {"\\xg1", "Bad hex digit \"g\""},
      {"[\\x4z]", "Bad hex digit \"z\""},
      {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", "too many ()"},
      {std::string(70000, 'a'), "regexp too big"},
  };
  for (const TErrorCase& c : cases) {
    SCOPED_TRACE("pattern \"" + c.Pattern.substr(0, 40) + "\"");
    TRegExpr re;
    try {
      re.SetExpression(c.Pattern);
      ADD_FAILURE() << "no error raised";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.Message);
    }
    // A failed compilation leaves no program behind.
    try {
      re.Exec("abc");
      ADD_FAILURE() << "Exec ran without a program";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Not assigned expression property");
    }
  }
}

TEST(RegExpr, SizeLimitSitsAtTheClassicProgramSize) {
  // One literal node takes 3 bytes plus its text and a terminator; with the
  // magic byte, the branch and the end node that is len + 11 bytes.
  TRegExpr re;
  EXPECT_NO_THROW(re.SetExpression(std::string(65536 - 11 - 1, 'a')));
  EXPECT_THROW(re.SetExpression(std::string(65536 - 11, 'b')), Exception);
}

TEST(RegExpr, NoProgramStates) {
  TRegExpr re;
  EXPECT_EQ(re.SubExprMatchCount(), 0);
  EXPECT_EQ(re.MatchPos(0), -1);
  EXPECT_THROW(re.Exec("x"), Exception);
  re.SetExpression("a");
  ASSERT_TRUE(re.Exec("a"));
  re.SetExpression("");  // an empty text leaves no program
  EXPECT_THROW(re.Exec("a"), Exception);
}

TEST(RegExpr, GroupsReadOutsideTheirRangeAreMinusOne) {
  TRegExpr re;
  re.SetExpression("(b)");
  ASSERT_TRUE(re.Exec("ab"));
  for (int i : {-1, 2, 9, 10, 100}) {
    EXPECT_EQ(re.MatchPos(i), -1) << i;
    EXPECT_EQ(re.MatchLen(i), -1) << i;
  }
  // A failed Exec forgets the previous match.
  EXPECT_FALSE(re.Exec("xyz"));
  EXPECT_EQ(re.SubExprMatchCount(), 0);
  EXPECT_EQ(re.MatchPos(1), -1);
}

TEST(RegExpr, SameTextIsNotCompiledAgain) {
  TRegExpr re;
  EXPECT_THROW(re.SetExpression("(a"), Exception);
  EXPECT_EQ(re.GetExpression(), "(a");
  EXPECT_NO_THROW(re.SetExpression("(a"));  // unchanged: nothing happens
  re.SetExpression("a");
  EXPECT_TRUE(re.Exec("ba"));
}

class TQuietRegExpr : public TRegExpr {
public:
  std::vector<std::string> Errors;

protected:
  void Error(const std::string& message) override { Errors.push_back(message); }
};

TEST(RegExpr, OverriddenErrorRoutineStillStopsTheOperation) {
  TQuietRegExpr re;
  re.SetExpression("a**");
  EXPECT_FALSE(re.Exec("aaa"));
  ASSERT_EQ(re.Errors.size(), 2u);
  EXPECT_EQ(re.Errors[0], "nested *?+");
  EXPECT_EQ(re.Errors[1], "Not assigned expression property");
}

TEST(RegExpr, CyrillicListRangesFollowTheAlphabet) {
  const std::string lowerRange = "[\xe0-\xff]";   // first to last lower-case letter
  const std::string upperRange = "[\xc0-\xdf]";   // first to last capital
  const std::string bothRange = "[\xe0-\xdf]";    // lower first to capital last
  const char yo = '\xb8', capitalYo = '\xa8', zhe = '\xe6', capitalZhe = '\xc6';
  TRegExpr re;
  ASSERT_TRUE(re.GetCyrillicRanges());
  re.SetExpression(lowerRange);
  EXPECT_TRUE(re.Exec(std::string(1, yo)));
  EXPECT_TRUE(re.Exec(std::string(1, zhe)));
  EXPECT_FALSE(re.Exec(std::string(1, capitalYo)));
  EXPECT_FALSE(re.Exec(std::string(1, capitalZhe)));
  re.SetExpression(upperRange);
  EXPECT_TRUE(re.Exec(std::string(1, capitalYo)));
  EXPECT_TRUE(re.Exec(std::string(1, capitalZhe)));
  EXPECT_FALSE(re.Exec(std::string(1, yo)));
  re.SetExpression(bothRange);
  for (char c : {yo, capitalYo, zhe, capitalZhe}) EXPECT_TRUE(re.Exec(std::string(1, c)));
  EXPECT_FALSE(re.Exec("a"));

  // Without the flag the ranges go by code: yo is outside, and the mixed
  // range runs backwards.
  re.SetExpression(lowerRange);
  re.SetCyrillicRanges(false);  // compiles the stored expression again
  EXPECT_FALSE(re.Exec(std::string(1, yo)));
  EXPECT_TRUE(re.Exec(std::string(1, zhe)));
  EXPECT_THROW(re.SetExpression(bothRange), Exception);
}

TEST(RegExpr, ExplosiveBacktrackingStopsWithNoMatch) {
  TRegExpr re;
  re.SetExpression("(a|aa)+b");
  // A match that exists is still found.
  ASSERT_TRUE(re.Exec(std::string(30, 'a') + "b"));
  EXPECT_EQ(re.MatchLen(0), 31);
  EXPECT_FALSE(re.BudgetExhausted());
  // Without the b the search space doubles with every a; the budget ends it.
  EXPECT_FALSE(re.Exec(std::string(5000, 'a')));
  EXPECT_TRUE(re.BudgetExhausted());
  EXPECT_EQ(re.SubExprMatchCount(), 0);
}

TEST(RegExpr, LongInputsNeverDeepenTheCallStack) {
  // Every iteration of a loop over a group leaves a choice point; they live
  // on the heap, so a long line is no danger.
  const size_t n = 300000;
  std::string line(n, 'a');
  line += 'c';
  TRegExpr re;
  re.SetExpression("(a|b)*c");
  ASSERT_TRUE(re.Exec(line));
  EXPECT_EQ(re.MatchPos(0), 1);
  EXPECT_EQ(re.MatchLen(0), static_cast<int>(n + 1));
  EXPECT_EQ(re.MatchPos(1), static_cast<int>(n));
  re.SetExpression("a*c");
  ASSERT_TRUE(re.Exec(line));
  EXPECT_EQ(re.MatchLen(0), static_cast<int>(n + 1));
}

TEST(RegExpr, MarkerPatternsOfTheMultiLanguageHighlighter) {
  // The start and end expressions the multi-language highlighter uses are
  // plain literals with quotes, blanks and "=".
  struct TCase {
    const char* Pattern;
    const char* Input;
    int Pos;
  } cases[] = {
      {"<script language=\"JavaScript\">", "x <script language=\"JavaScript\">f()", 3},
      {"=\"JScript\">", "<script language=\"JScript\">", 17},
      {"= \"VBScript\">", "<script language= \"VBScript\">", 17},
      {"</Script>", "a</script></Script>", 11},
      {"<%", "a <% b %> c", 3},
      {"%>", "a <% b %> c", 8},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Pattern);
    TRegExpr re;
    re.SetExpression(c.Pattern);
    ASSERT_TRUE(re.Exec(c.Input));
    EXPECT_EQ(re.MatchPos(0), c.Pos);
    EXPECT_EQ(re.MatchLen(0), static_cast<int>(std::string(c.Pattern).size()));
    EXPECT_EQ(re.SubExprMatchCount(), 1);
  }
}

}  // namespace
