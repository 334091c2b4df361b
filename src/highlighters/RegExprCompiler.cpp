// RegExprCompiler: a recursive-descent parser that builds a small tree, then
// a code generator that flattens it into TRegExpr's instruction program.
//
// Parsing recursion follows only the nesting of "(": at most nine groups can
// be open, so the call depth is bounded whatever the expression's length.
//
// The parser keeps three facts per piece, as the matcher's rules need them:
//   HasWidth: every match of the piece takes at least one byte ("*" and "+"
//             refuse an operand without it, so a loop always advances);
//   Simple:   the piece is exactly one byte from a class (loops over it
//             become a single repeat instruction);
//   SpStart:  the piece starts with something that can take arbitrary text
//             (then a required literal is worth checking before any try).
// It also counts the size the program would take in the classic byte layout
// (three bytes per node plus the operands), so the "regexp too big" limit
// falls where users of this engine have always found it.
#include "highlighters/RegExprCompiler.h"

#include <cstring>
#include <memory>
#include <utility>

namespace {

enum : int { kHasWidth = 1, kSimple = 2, kSpStart = 4 };

constexpr size_t kMaxProgramSize = 65536;
constexpr const char* kMeta = "^$.[()|?+*\\";

bool IsMult(char c) { return c == '*' || c == '+' || c == '?'; }
bool IsMeta(char c) { return c != '\0' && std::strchr(kMeta, c) != nullptr; }

struct TNode {
  enum TKind { nSeq, nAlt, nGroup, nLit, nClass, nBol, nEol, nStar, nPlus, nOpt };
  explicit TNode(TKind kind) : Kind(kind) {}
  TKind Kind;
  int Group = 0;
  std::string Lit;
  TRegExpr::TClass Cls{};
  std::vector<std::unique_ptr<TNode>> Kids;
};
using PNode = std::unique_ptr<TNode>;

struct TCompileError {
  std::string Message;
};

void AddByte(TRegExpr::TClass& cls, unsigned char c) { cls[c >> 6] |= uint64_t(1) << (c & 63); }

void AddRange(TRegExpr::TClass& cls, int lo, int hi) {
  for (int c = lo; c <= hi; ++c) AddByte(cls, static_cast<unsigned char>(c));
}

TRegExpr::TClass Complement(const TRegExpr::TClass& cls) {
  TRegExpr::TClass r;
  for (int i = 0; i < 4; ++i) r[i] = ~cls[i];
  return r;
}

TRegExpr::TClass DigitClass() {
  TRegExpr::TClass c{};
  AddRange(c, '0', '9');
  return c;
}

TRegExpr::TClass WordClass() {
  TRegExpr::TClass c{};
  AddRange(c, 'a', 'z');
  AddRange(c, 'A', 'Z');
  AddByte(c, '_');
  return c;
}

// Windows-1251: the lower-case letters a..ya are 224-255 and yo is 184; the
// capitals A..YA are 192-223 and YO is 168.
constexpr int kCyrLowerFirst = 224, kCyrLowerLast = 255, kCyrLowerYo = 184;
constexpr int kCyrUpperFirst = 192, kCyrUpperLast = 223, kCyrUpperYo = 168;
constexpr int kCyrAlphabetLength = 33;

class TParser {
public:
  TParser(const std::string& text, bool cyrillic)
      : FP(text.data()), FEnd(text.data() + text.size()), FCyrillic(cyrillic) {}

  PNode ParseAll(int& flags) {
    PNode root = Reg(false, flags);
    if (FSize >= kMaxProgramSize) Fail("regexp too big");
    return root;
  }

private:
  [[noreturn]] static void Fail(std::string message) { throw TCompileError{std::move(message)}; }

  bool AtEnd() const { return FP >= FEnd; }

  // expression: alternatives separated by "|", optionally inside a group.
  PNode Reg(bool paren, int& flags) {
    flags = kHasWidth;
    int parno = 0;
    if (paren) {
      if (FParens >= TRegExpr::NSUBEXP) Fail("too many ()");
      parno = FParens++;
      FSize += 3;  // OPEN
    }
    auto alt = std::make_unique<TNode>(TNode::nAlt);
    for (;;) {
      int branchFlags = 0;
      alt->Kids.push_back(Branch(branchFlags));
      if (!(branchFlags & kHasWidth)) flags &= ~kHasWidth;
      flags |= branchFlags & kSpStart;
      if (AtEnd() || *FP != '|') break;
      ++FP;
    }
    FSize += 3;  // CLOSE or END
    if (paren) {
      if (AtEnd() || *FP != ')') Fail("unmatched ()");
      ++FP;
    } else if (!AtEnd()) {
      if (*FP == ')') Fail("unmatched ()");
      Fail("junk on end");
    }
    PNode body = alt->Kids.size() == 1 ? std::move(alt->Kids[0]) : std::move(alt);
    if (!paren) return body;
    auto group = std::make_unique<TNode>(TNode::nGroup);
    group->Group = parno;
    group->Kids.push_back(std::move(body));
    return group;
  }

  // One alternative: a sequence of pieces, possibly empty.
  PNode Branch(int& flags) {
    flags = 0;
    FSize += 3;  // BRANCH
    auto seq = std::make_unique<TNode>(TNode::nSeq);
    while (!AtEnd() && *FP != '|' && *FP != ')') {
      int pieceFlags = 0;
      PNode piece = Piece(pieceFlags);
      flags |= pieceFlags & kHasWidth;
      if (seq->Kids.empty()) flags |= pieceFlags & kSpStart;
      seq->Kids.push_back(std::move(piece));
    }
    if (seq->Kids.empty()) FSize += 3;  // NOTHING
    return seq;
  }

  // An atom and an optional "*", "+" or "?".
  PNode Piece(int& flags) {
    int atomFlags = 0;
    PNode atom = Atom(atomFlags);
    if (AtEnd() || !IsMult(*FP)) {
      flags = atomFlags;
      return atom;
    }
    const char op = *FP;
    if (!(atomFlags & kHasWidth) && op != '?') Fail("*+ operand could be empty");
    flags = op != '+' ? kSpStart : kHasWidth;
    const bool simple = (atomFlags & kSimple) != 0;
    TNode::TKind kind = TNode::nOpt;
    if (op == '*') {
      kind = TNode::nStar;
      FSize += simple ? 3 : 12;
    } else if (op == '+') {
      kind = TNode::nPlus;
      FSize += simple ? 3 : 12;
    } else {
      FSize += 9;
    }
    ++FP;
    if (!AtEnd() && IsMult(*FP)) Fail("nested *?+");
    auto loop = std::make_unique<TNode>(kind);
    loop->Kids.push_back(std::move(atom));
    return loop;
  }

  PNode Atom(int& flags) {
    flags = 0;
    if (AtEnd()) Fail("Internal urp");
    const char c = *FP++;
    switch (c) {
      case '^':
        FSize += 3;
        return std::make_unique<TNode>(TNode::nBol);
      case '$':
        FSize += 3;
        return std::make_unique<TNode>(TNode::nEol);
      case '.': {
        FSize += 3;
        flags = kHasWidth | kSimple;
        auto n = std::make_unique<TNode>(TNode::nClass);
        n->Cls = Complement(TRegExpr::TClass{});
        return n;
      }
      case '[':
        flags = kHasWidth | kSimple;
        return List();
      case '(': {
        int groupFlags = 0;
        PNode n = Reg(true, groupFlags);
        flags = groupFlags & (kHasWidth | kSpStart);
        return n;
      }
      case '|':
      case ')':
        Fail("Internal urp");  // the branch loop stops before these
      case '?':
      case '+':
      case '*':
        Fail("?+* follows nothing");
      case '\\':
        flags = kHasWidth | kSimple;
        return Escape();
      default:
        break;
    }
    // A run of ordinary characters is one literal, except that its last
    // character stands alone when an operator follows it ("ab*" is a, b*).
    --FP;
    const char* start = FP;
    while (FP < FEnd && !IsMeta(*FP)) ++FP;
    size_t len = static_cast<size_t>(FP - start);
    if (len == 0) Fail("Internal disaster");
    if (len > 1 && FP < FEnd && IsMult(*FP)) {
      --len;
      --FP;
    }
    FSize += 3 + len + 1;
    flags = kHasWidth | (len == 1 ? kSimple : 0);
    auto n = std::make_unique<TNode>(TNode::nLit);
    n->Lit.assign(start, len);
    return n;
  }

  // After "\x": two hexadecimal digits.
  unsigned char HexCode() {
    int value = 0;
    for (int i = 0; i < 2; ++i) {
      if (AtEnd()) Fail("No hex code after \\x");
      const char d = *FP++;
      int v;
      if (d >= '0' && d <= '9') v = d - '0';
      else if (d >= 'a' && d <= 'f') v = d - 'a' + 10;
      else if (d >= 'A' && d <= 'F') v = d - 'A' + 10;
      else Fail(std::string("Bad hex digit \"") + d + "\"");
      value = value * 16 + v;
    }
    return static_cast<unsigned char>(value);
  }

  // The character an escape stands for, for the escapes that are one
  // character (FP is just past the letter).
  unsigned char EscapedChar(char c) {
    switch (c) {
      case 'n': return '\n';
      case 'r': return '\r';
      case 't': return '\t';
      case 'e': return 27;
      case 'x': return HexCode();
      default: return static_cast<unsigned char>(c);
    }
  }

  // "\" outside a list (FP is just past the backslash).
  PNode Escape() {
    if (AtEnd()) Fail("Trailing \\");
    const char c = *FP++;
    if (c == 'd' || c == 'D' || c == 'w' || c == 'W') {
      FSize += 3;
      auto n = std::make_unique<TNode>(TNode::nClass);
      n->Cls = (c == 'd' || c == 'D') ? DigitClass() : WordClass();
      if (c == 'D' || c == 'W') n->Cls = Complement(n->Cls);
      return n;
    }
    FSize += 5;
    auto n = std::make_unique<TNode>(TNode::nLit);
    n->Lit.assign(1, static_cast<char>(EscapedChar(c)));
    return n;
  }

  // "[" list "]" or "[^" list "]" (FP is just past the "[").
  PNode List() {
    FSize += 3;
    bool negate = false;
    if (!AtEnd() && *FP == '^') {
      negate = true;
      ++FP;
    }
    TRegExpr::TClass cls{};
    size_t emitted = 0;
    int last = -1;  // the last single character added: where a range starts
    auto add = [&](unsigned char c) {
      AddByte(cls, c);
      ++emitted;
      last = c;
    };
    if (!AtEnd() && (*FP == ']' || *FP == '-')) add(static_cast<unsigned char>(*FP++));
    while (!AtEnd() && *FP != ']') {
      if (*FP == '-') {
        ++FP;
        if (AtEnd() || *FP == ']' || last < 0) {
          add('-');
          continue;
        }
        int hi;
        if (*FP == '\\') {
          ++FP;
          if (AtEnd()) Fail("Trailing \\");
          const char e = *FP;
          if (e == 'd' || e == 'w') {
            // A class cannot end a range: the "-" is literal, and the class
            // is read again from its backslash as the next item.
            --FP;
            add('-');
            continue;
          }
          ++FP;
          hi = EscapedChar(e);
        } else {
          hi = static_cast<unsigned char>(*FP++);
        }
        AddListRange(cls, last, hi, emitted);
        last = hi;
        continue;
      }
      if (*FP == '\\') {
        ++FP;
        if (AtEnd()) Fail("Trailing \\");
        const char e = *FP++;
        if (e == 'd') {
          AddRange(cls, '0', '9');
          emitted += 10;
          last = -1;
        } else if (e == 'w') {
          const TRegExpr::TClass w = WordClass();
          for (int i = 0; i < 4; ++i) cls[i] |= w[i];
          emitted += 53;
          last = -1;
        } else {
          add(EscapedChar(e));
        }
        continue;
      }
      add(static_cast<unsigned char>(*FP++));
    }
    if (AtEnd()) Fail("Unmatched []");
    ++FP;
    FSize += emitted + 1;
    auto n = std::make_unique<TNode>(TNode::nClass);
    n->Cls = negate ? Complement(cls) : cls;
    return n;
  }

  void AddListRange(TRegExpr::TClass& cls, int lo, int hi, size_t& emitted) {
    if (FCyrillic) {
      const bool lower = lo == kCyrLowerFirst && hi == kCyrLowerLast;
      const bool upper = lo == kCyrUpperFirst && hi == kCyrUpperLast;
      const bool both = lo == kCyrLowerFirst && hi == kCyrUpperLast;
      if (lower || both) {
        AddRange(cls, kCyrLowerFirst, kCyrLowerLast);
        AddByte(cls, kCyrLowerYo);
        emitted += kCyrAlphabetLength;
      }
      if (upper || both) {
        AddRange(cls, kCyrUpperFirst, kCyrUpperLast);
        AddByte(cls, kCyrUpperYo);
        emitted += kCyrAlphabetLength;
      }
      if (lower || upper || both) return;
    }
    if (lo > hi) Fail("Invalid [] range");
    AddRange(cls, lo, hi);
    emitted += static_cast<size_t>(hi - lo);
  }

  const char* FP;
  const char* FEnd;
  bool FCyrillic;
  int FParens = 1;
  size_t FSize = 1;  // the magic byte
};

// ---------------------------------------------------------------------------
// Code generation.
// ---------------------------------------------------------------------------
class TGenerator {
public:
  explicit TGenerator(TRegExpr::TProgram& program) : FProg(program) {}

  void Gen(const TNode& n) {
    switch (n.Kind) {
      case TNode::nSeq:
        for (const PNode& k : n.Kids) Gen(*k);
        break;
      case TNode::nAlt: {
        std::vector<size_t> jumps;
        for (size_t i = 0; i + 1 < n.Kids.size(); ++i) {
          const size_t split = Emit(TRegExpr::opSplit);
          FProg.Code[split].X = Here();
          Gen(*n.Kids[i]);
          jumps.push_back(Emit(TRegExpr::opJmp));
          FProg.Code[split].Y = Here();
        }
        Gen(*n.Kids.back());
        for (size_t j : jumps) FProg.Code[j].X = Here();
        break;
      }
      case TNode::nGroup:
        Emit(TRegExpr::opSave, 2 * n.Group);
        Gen(*n.Kids[0]);
        Emit(TRegExpr::opSave, 2 * n.Group + 1);
        break;
      case TNode::nLit: {
        const size_t i = Emit(TRegExpr::opExact, static_cast<int32_t>(FProg.Literals.size()));
        FProg.Code[i].Y = static_cast<int32_t>(n.Lit.size());
        FProg.Literals += n.Lit;
        break;
      }
      case TNode::nClass:
        Emit(TRegExpr::opClass, AddClass(n.Cls));
        break;
      case TNode::nBol:
        Emit(TRegExpr::opBol);
        break;
      case TNode::nEol:
        Emit(TRegExpr::opEol);
        break;
      case TNode::nStar:
      case TNode::nPlus: {
        const TNode& body = *n.Kids[0];
        const int min = n.Kind == TNode::nPlus ? 1 : 0;
        if (IsSingleByte(body)) {
          const size_t i = Emit(TRegExpr::opRepeat, AddClass(SingleByteClass(body)));
          FProg.Code[i].Min = static_cast<uint8_t>(min);
        } else if (min == 0) {
          // L0: split L1, end; L1: body; jmp L0; end:
          const size_t head = Emit(TRegExpr::opSplit);
          FProg.Code[head].X = Here();
          Gen(body);
          Emit(TRegExpr::opJmp, static_cast<int32_t>(head));
          FProg.Code[head].Y = Here();
        } else {
          // L1: body; split L1, end; end:
          const int32_t top = Here();
          Gen(body);
          const size_t split = Emit(TRegExpr::opSplit, top);
          FProg.Code[split].Y = Here();
        }
        break;
      }
      case TNode::nOpt: {
        const size_t split = Emit(TRegExpr::opSplit);
        FProg.Code[split].X = Here();
        Gen(*n.Kids[0]);
        FProg.Code[split].Y = Here();
        break;
      }
    }
  }

  void Finish() {
    Emit(TRegExpr::opEnd);
    // A repeat followed (through group marks and jumps) by a literal only
    // needs to try the counts after which that literal's first byte stands.
    auto& code = FProg.Code;
    for (size_t i = 0; i < code.size(); ++i) {
      if (code[i].Op != TRegExpr::opRepeat) continue;
      size_t j = i + 1;
      for (int hops = 0; hops < 16 && j < code.size(); ++hops) {
        if (code[j].Op == TRegExpr::opSave) {
          ++j;
        } else if (code[j].Op == TRegExpr::opJmp) {
          j = static_cast<size_t>(code[j].X);
        } else {
          break;
        }
      }
      if (j < code.size() && code[j].Op == TRegExpr::opExact && code[j].Y > 0)
        code[i].NextCh = static_cast<unsigned char>(FProg.Literals[static_cast<size_t>(code[j].X)]);
    }
  }

private:
  static bool IsSingleByte(const TNode& n) {
    return n.Kind == TNode::nClass || (n.Kind == TNode::nLit && n.Lit.size() == 1);
  }
  static TRegExpr::TClass SingleByteClass(const TNode& n) {
    if (n.Kind == TNode::nClass) return n.Cls;
    TRegExpr::TClass c{};
    AddByte(c, static_cast<unsigned char>(n.Lit[0]));
    return c;
  }
  int32_t Here() const { return static_cast<int32_t>(FProg.Code.size()); }
  size_t Emit(TRegExpr::TOp op, int32_t x = 0) {
    TRegExpr::TInst inst;
    inst.Op = op;
    inst.X = x;
    FProg.Code.push_back(inst);
    return FProg.Code.size() - 1;
  }
  int32_t AddClass(const TRegExpr::TClass& cls) {
    FProg.Classes.push_back(cls);
    return static_cast<int32_t>(FProg.Classes.size() - 1);
  }

  TRegExpr::TProgram& FProg;
};

// How common a byte is in source text and markup (higher: more common).
int Commonness(unsigned char c) {
  if (c == ' ') return 100;
  if (c == '\t') return 80;
  if (c >= 'a' && c <= 'z') return std::strchr("etaoinsrhldcum", c) ? 90 : 60;
  if (std::strchr("<>/=\".,;()'", c)) return 70;
  if (c >= '0' && c <= '9') return 40;
  if (c >= 'A' && c <= 'Z') return 30;
  if (c > ' ' && c < 127) return 35;
  return 5;
}

// Index of the byte a search for text should look for first.
int RarestByte(const std::string& text) {
  int best = 0;
  for (size_t i = 1; i < text.size(); ++i)
    if (Commonness(static_cast<unsigned char>(text[i])) <
        Commonness(static_cast<unsigned char>(text[static_cast<size_t>(best)])))
      best = static_cast<int>(i);
  return best;
}

// Facts every match shares, read off the top-level sequence when the whole
// expression is one alternative.
void SetOptimisation(const TNode& root, int flags, TRegExpr::TProgram& prog) {
  if (root.Kind == TNode::nAlt) return;
  const TNode* first = &root;
  if (root.Kind == TNode::nSeq) {
    if (root.Kids.empty()) return;
    first = root.Kids[0].get();
  }
  if (first->Kind == TNode::nLit) prog.FirstChar = static_cast<unsigned char>(first->Lit[0]);
  else if (first->Kind == TNode::nBol) prog.Anchored = true;
  prog.PureLiteral = root.Kind == TNode::nLit;
  if ((flags & kSpStart) && root.Kind == TNode::nSeq) {
    const std::string* longest = nullptr;
    for (const PNode& k : root.Kids)
      if (k->Kind == TNode::nLit && (!longest || k->Lit.size() >= longest->size())) longest = &k->Lit;
    if (longest) prog.Must = *longest;
  }
  prog.MustAnchor = RarestByte(prog.Must);
  if (prog.PureLiteral) prog.LiteralAnchor = RarestByte(root.Lit);
}

}  // namespace

bool CompileRegExpr(const std::string& text, bool cyrillicRanges, TRegExpr::TProgram& program,
                    std::string& error) {
  program = TRegExpr::TProgram();
  try {
    TParser parser(text, cyrillicRanges);
    int flags = 0;
    PNode root = parser.ParseAll(flags);
    TGenerator gen(program);
    gen.Gen(*root);
    gen.Finish();
    SetOptimisation(*root, flags, program);
  } catch (const TCompileError& e) {
    error = e.Message;
    return false;
  }
  return true;
}
