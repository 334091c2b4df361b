// RegExpr: the small compiling, backtracking regular-expression matcher over
// single-byte text that the multi-language highlighter uses to find the start
// and end markers of its schemes.
//
// An expression is compiled once when it is set into a flat instruction
// program; Exec runs it against a string and the whole match and up to nine
// parenthesised groups can then be read back (1-based positions).
//
// Matching order is classic leftmost-first backtracking: alternatives are
// tried left to right, "*", "+" and "?" are greedy, and a group reports the
// last pass through it on the successful path. The backtracking state lives
// on a heap stack, never on the call stack, and every Exec runs under a step
// budget: a pathological expression gives up and reports no match instead of
// hanging the editor on a long line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TRegExpr {
public:
  // Group 0 is the whole match, 1-9 the parenthesised groups.
  static constexpr int NSUBEXP = 10;

  TRegExpr();
  virtual ~TRegExpr();
  TRegExpr(const TRegExpr&) = delete;
  TRegExpr& operator=(const TRegExpr&) = delete;

  const std::string& GetExpression() const { return FExpression; }
  // Compiles the text when it differs from the stored one. An empty text
  // leaves no program; a text that fails to compile raises through Error and
  // leaves no program either.
  void SetExpression(const std::string& expression);

  // Searches the input for the leftmost match. Raises "Not assigned
  // expression property" when there is no program.
  bool Exec(std::string_view input);

  // Number of consecutive groups from 0 that matched in the last Exec.
  int SubExprMatchCount() const;
  // 1-based start of group i in the last input, -1 when i is outside 0-9 or
  // the group did not take part in the match.
  int MatchPos(int i) const;
  // Length of group i, -1 likewise.
  int MatchLen(int i) const;

  // With Cyrillic ranges on (the default) the list ranges between the first
  // and last Windows-1251 lower-case or capital letters follow the alphabet,
  // so they also take the letters yo and YO that lie outside those codes.
  bool GetCyrillicRanges() const { return FCyrillicRanges; }
  void SetCyrillicRanges(bool value);

  // True when the last Exec stopped because it ran out of steps.
  bool BudgetExhausted() const { return FBudgetExhausted; }

protected:
  // Raises Exception(message). A subclass may report differently; when it
  // returns instead of raising, the failed operation still stops.
  virtual void Error(const std::string& message);

public:
  // One instruction of the compiled program (public for the compiler unit).
  enum TOp : uint8_t {
    opEnd,     // success
    opBol,     // at the start of the input
    opEol,     // at the end of the input
    opExact,   // literal bytes: X = offset in the literal pool, Y = length
    opClass,   // one byte of class X
    opRepeat,  // bytes of class X, at least Min of them, greedy
    opSplit,   // try X, on failure Y
    opJmp,     // go to X
    opSave,    // record the position in capture slot X
  };
  struct TInst {
    TOp Op = opEnd;
    uint8_t Min = 0;
    int16_t NextCh = -1;  // opRepeat: byte that must follow, -1 when unknown
    int32_t X = 0;
    int32_t Y = 0;
  };
  using TClass = std::array<uint64_t, 4>;
  struct TProgram {
    std::vector<TInst> Code;
    std::vector<TClass> Classes;
    std::string Literals;
    int FirstChar = -1;      // every match starts with this byte
    bool Anchored = false;   // every match starts at position 0
    std::string Must;        // every match contains this text
    bool PureLiteral = false;  // the program is one literal and nothing else
    // The byte of Must and of a pure literal that a search looks for first:
    // the one least common in ordinary text.
    int MustAnchor = 0;
    int LiteralAnchor = 0;
  };

private:
  struct TFrame {
    int32_t Kind;  // 0 choice, 1 repeat, 2 restore capture
    int32_t Pc;    // target, repeat instruction, or capture slot
    int64_t A;     // position, repeat base, or old capture value
    int64_t B;     // repeat: the count now being tried
  };

  bool Compile(const std::string& text);
  bool Try(std::string_view s, size_t start);
  void ClearGroups();

  std::string FExpression;
  bool FHasProgram = false;
  TProgram FProgram;
  bool FCyrillicRanges = true;
  std::array<int64_t, 2 * NSUBEXP> FGroups{};  // start/end pairs, -1 unset
  std::array<int64_t, 2 * NSUBEXP> FCaps{};    // working copy during a try
  std::vector<TFrame> FStack;
  int64_t FBudget = 0;
  bool FBudgetExhausted = false;
  bool FFault = false;
};
