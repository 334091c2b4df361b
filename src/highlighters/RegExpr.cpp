// RegExpr: the matcher. Runs the compiled instruction program as a
// backtracking machine whose choice points, pending repeat counts and capture
// undo records sit on one heap stack, so no input can exhaust the call stack.
#include "highlighters/RegExpr.h"

#include <algorithm>
#include <cstring>

#include "highlighters/RegExprCompiler.h"
#include "platform/SysUtils.h"

namespace {

// Every Exec may take this many steps plus a fixed number per input byte.
// An instruction, a backtrack and every 16 bytes a repeat looks at each cost
// one step. Linear expressions stay far below the limit; one that explodes
// (say (a|aa)+b over a line of a's) stops after work linear in the line.
constexpr int64_t kBaseSteps = int64_t(1) << 21;
constexpr int64_t kStepsPerByte = 128;
// Backtracking frames one try may hold (24 bytes each).
constexpr size_t kMaxFrames = size_t(1) << 21;

enum : int32_t { kChoice = 0, kRepeat = 1, kRestore = 2 };

inline bool InClass(const TRegExpr::TClass& c, unsigned char ch) {
  return (c[ch >> 6] >> (ch & 63)) & 1;
}

// Leftmost occurrence of needle in hay, npos when absent. The search runs
// on needle[anchor], the byte expected to be rarest, and checks the rest
// around each hit.
size_t FindBytes(std::string_view hay, std::string_view needle, size_t anchor) {
  const size_t n = needle.size();
  if (n == 0) return 0;
  if (hay.size() < n) return std::string_view::npos;
  const char key = needle[anchor];
  const char* base = hay.data();
  const char* p = base + anchor;                      // first place key may stand
  const char* last = base + (hay.size() - n) + anchor;  // last place key may stand
  while (p <= last) {
    const void* hit = std::memchr(p, key, static_cast<size_t>(last - p) + 1);
    if (!hit) break;
    const char* start = static_cast<const char*>(hit) - anchor;
    if (std::memcmp(start, needle.data(), n) == 0) return static_cast<size_t>(start - base);
    p = static_cast<const char*>(hit) + 1;
  }
  return std::string_view::npos;
}

}  // namespace

TRegExpr::TRegExpr() { ClearGroups(); }

TRegExpr::~TRegExpr() = default;

void TRegExpr::Error(const std::string& message) { throw Exception(message); }

void TRegExpr::ClearGroups() { FGroups.fill(-1); }

void TRegExpr::SetExpression(const std::string& expression) {
  if (expression == FExpression) return;
  FExpression = expression;
  Compile(FExpression);
}

void TRegExpr::SetCyrillicRanges(bool value) {
  if (value == FCyrillicRanges) return;
  FCyrillicRanges = value;
  Compile(FExpression);
}

bool TRegExpr::Compile(const std::string& text) {
  FHasProgram = false;
  FProgram = TProgram();
  if (text.empty()) return false;
  std::string error;
  TProgram program;
  if (!CompileRegExpr(text, FCyrillicRanges, program, error)) {
    Error(error);
    return false;
  }
  FProgram = std::move(program);
  FHasProgram = true;
  return true;
}

int TRegExpr::SubExprMatchCount() const {
  int n = 0;
  while (n < NSUBEXP && FGroups[2 * n] >= 0 && FGroups[2 * n + 1] >= 0) ++n;
  return n;
}

int TRegExpr::MatchPos(int i) const {
  if (i < 0 || i >= NSUBEXP || FGroups[2 * i] < 0 || FGroups[2 * i + 1] < 0) return -1;
  return static_cast<int>(FGroups[2 * i] + 1);
}

int TRegExpr::MatchLen(int i) const {
  if (i < 0 || i >= NSUBEXP || FGroups[2 * i] < 0 || FGroups[2 * i + 1] < 0) return -1;
  return static_cast<int>(FGroups[2 * i + 1] - FGroups[2 * i]);
}

bool TRegExpr::Exec(std::string_view input) {
  if (!FHasProgram) {
    Error("Not assigned expression property");
    return false;
  }
  if (FProgram.Code.empty() || FProgram.Code.back().Op != opEnd) {
    Error("Exec: Corrupted program");
    return false;
  }
  ClearGroups();
  FBudgetExhausted = false;
  FFault = false;
  const size_t len = input.size();
  FBudget = kBaseSteps + kStepsPerByte * static_cast<int64_t>(len);

  if (!FProgram.Must.empty() &&
      FindBytes(input, FProgram.Must, static_cast<size_t>(FProgram.MustAnchor)) ==
          std::string_view::npos)
    return false;

  if (FProgram.PureLiteral) {
    const std::string_view lit(FProgram.Literals);
    const size_t at = FindBytes(input, lit, static_cast<size_t>(FProgram.LiteralAnchor));
    if (at == std::string_view::npos) return false;
    FGroups[0] = static_cast<int64_t>(at);
    FGroups[1] = static_cast<int64_t>(at + lit.size());
    return true;
  }
  if (FProgram.Anchored) return Try(input, 0);

  if (FProgram.FirstChar >= 0) {
    const char first = static_cast<char>(FProgram.FirstChar);
    size_t pos = 0;
    while (pos < len) {
      const void* hit = std::memchr(input.data() + pos, first, len - pos);
      if (!hit) return false;
      pos = static_cast<size_t>(static_cast<const char*>(hit) - input.data());
      if (Try(input, pos)) return true;
      if (FBudgetExhausted || FFault) return false;
      ++pos;
    }
    return false;
  }
  // Every start position, the one just past the last byte included, so that
  // "$" also finds the end of a non-empty input.
  for (size_t pos = 0; pos <= len; ++pos) {
    if (Try(input, pos)) return true;
    if (FBudgetExhausted || FFault) return false;
  }
  return false;
}

bool TRegExpr::Try(std::string_view s, size_t start) {
  FCaps.fill(-1);
  FStack.clear();
  const TInst* code = FProgram.Code.data();
  const int32_t codeSize = static_cast<int32_t>(FProgram.Code.size());
  const TClass* classes = FProgram.Classes.data();
  const char* literals = FProgram.Literals.data();
  const unsigned char* p = reinterpret_cast<const unsigned char*>(s.data());
  const size_t len = s.size();
  int32_t pc = 0;
  size_t pos = start;

  auto fault = [&](const char* message) {
    FFault = true;
    Error(message);
    return false;
  };
  auto push = [&](int32_t kind, int32_t target, int64_t a, int64_t b) {
    if (FStack.size() >= kMaxFrames) return false;
    FStack.push_back(TFrame{kind, target, a, b});
    return true;
  };

  for (;;) {
    if (--FBudget < 0) {
      FBudgetExhausted = true;
      return false;
    }
    if (pc < 0 || pc >= codeSize) return fault("MatchPrim: Corrupted pointers");
    const TInst& in = code[pc];
    bool ok = true;
    switch (in.Op) {
      case opEnd:
        FCaps[0] = static_cast<int64_t>(start);
        FCaps[1] = static_cast<int64_t>(pos);
        FGroups = FCaps;
        return true;
      case opBol:
        ok = pos == 0;
        ++pc;
        break;
      case opEol:
        ok = pos == len;
        ++pc;
        break;
      case opExact: {
        const size_t n = static_cast<size_t>(in.Y);
        ok = len - pos >= n && std::memcmp(p + pos, literals + in.X, n) == 0;
        pos += n;
        ++pc;
        break;
      }
      case opClass:
        ok = pos < len && InClass(classes[in.X], p[pos]);
        ++pos;
        ++pc;
        break;
      case opRepeat: {
        const TClass& cls = classes[in.X];
        size_t k = 0;
        while (pos + k < len && InClass(cls, p[pos + k])) ++k;
        int64_t count = static_cast<int64_t>(k);
        if (in.NextCh >= 0) {
          const unsigned char next = static_cast<unsigned char>(in.NextCh);
          while (count >= in.Min && !(pos + count < len && p[pos + count] == next)) --count;
        }
        FBudget -= static_cast<int64_t>(k >> 4);
        if (count < in.Min) {
          ok = false;
          break;
        }
        if (count > in.Min && !push(kRepeat, pc, static_cast<int64_t>(pos), count)) {
          FBudgetExhausted = true;
          return false;
        }
        pos += static_cast<size_t>(count);
        ++pc;
        break;
      }
      case opSplit:
        if (!push(kChoice, in.Y, static_cast<int64_t>(pos), 0)) {
          FBudgetExhausted = true;
          return false;
        }
        pc = in.X;
        break;
      case opJmp:
        pc = in.X;
        break;
      case opSave:
        if (!push(kRestore, in.X, FCaps[in.X], 0)) {
          FBudgetExhausted = true;
          return false;
        }
        FCaps[in.X] = static_cast<int64_t>(pos);
        ++pc;
        break;
      default:
        return fault("MatchPrim: Memory corruption");
    }
    if (ok) continue;

    // Backtrack to the newest choice that still has an alternative.
    for (;;) {
      if (FStack.empty()) return false;
      TFrame& f = FStack.back();
      if (f.Kind == kRestore) {
        FCaps[f.Pc] = f.A;
        FStack.pop_back();
        continue;
      }
      if (f.Kind == kChoice) {
        pc = f.Pc;
        pos = static_cast<size_t>(f.A);
        FStack.pop_back();
        break;
      }
      const TInst& rep = code[f.Pc];
      if (rep.Op != opRepeat) return fault("Internal foulup");
      const size_t base = static_cast<size_t>(f.A);
      int64_t count = f.B - 1;
      if (rep.NextCh >= 0) {
        const unsigned char next = static_cast<unsigned char>(rep.NextCh);
        while (count >= rep.Min && !(base + count < len && p[base + count] == next)) --count;
        FBudget -= (f.B - count) >> 4;
      }
      if (count < rep.Min) {
        FStack.pop_back();
        continue;
      }
      pc = f.Pc + 1;
      pos = base + static_cast<size_t>(count);
      if (count > rep.Min) f.B = count;
      else FStack.pop_back();
      break;
    }
  }
}
