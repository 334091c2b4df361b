// Tests of the x86 assembly highlighter: golden token streams, the
// invariants, the mnemonic table and the export of each kind.
#include "highlighters/AsmSyn.h"

#include <gtest/gtest.h>

#include "HighlighterHarness.h"
#include "MemberChecks.h"
#include "platform/SysUtils.h"

namespace {

std::unique_ptr<TktCustomHighLighter> MakeAsm() { return std::make_unique<TgxAsmSyn>(nullptr); }

const std::vector<std::string> kMnemonics = {
    "aad", "aam", "adc", "add", "and", "arpl", "bound", "call", "cbw", "cdq", "cmc", "cmp",
    "cmps", "cmpsb", "cmpsd", "cmpsw", "cwd", "cwde", "div", "emms", "enter", "f2xm1", "fabs",
    "fadd", "faddp", "fbld", "fbstp", "fchs", "fclex", "fcmovb", "fcmovbe", "fcmove", "fcmovnb",
    "fcmovnbe", "fcmovne", "fcmovnu", "fcmovu", "fcom", "fcomi", "fcomip", "fcomp", "fcompp",
    "fcos", "fdecstp", "fdiv", "fdivp", "fdivr", "fdivrp", "femms", "ffree", "fiadd", "ficom",
    "ficomp", "fidiv", "fidivr", "fild", "fimul", "fincstp", "finit", "fist", "fistp", "fisub",
    "fisubr", "fld", "fld1", "fldcw", "fldenv", "fldl2e", "fldl2t", "fldlg2", "fldln2", "fldpi",
    "fldz", "fmul", "fmulp", "fnclex", "fninit", "fnop", "fnsave", "fnstcw", "fnstenv", "fnstsw",
    "fpatan", "fprem1", "fptan", "frndint", "frstor", "fsave", "fscale", "fsin", "fsincos",
    "fsqrt", "fst", "fstcw", "fstenv", "fstp", "fstsw", "fsub", "fsubp", "fsubr", "fsubrp",
    "ftst", "fucom", "fucomi", "fucomip", "fucomp", "fucompp", "fwait", "fxch", "fxtract",
    "fyl2xp1", "hlt", "idiv", "imul", "in", "ins", "insb", "insd", "insw", "int", "into", "iret",
    "iretd", "ja", "jae", "jb", "jbe", "jc", "jcxz", "je", "jecxz", "jg", "jge", "jl", "jle",
    "jmp", "jna", "jnae", "jnb", "jnbe", "jnc", "jne", "jng", "jnge", "jnl", "jnle", "jno", "jnp",
    "jns", "jnz", "jo", "jp", "jpe", "jpo", "js", "jz", "lahf", "lds", "lea", "leave", "les",
    "lock", "lods", "lodsb", "lodsd", "lodsw", "loop", "loope", "loopne", "loopnz", "loopz",
    "mov", "movd", "movq", "movs", "movsb", "movsd", "movsw", "mul", "neg", "nop", "not", "or",
    "out", "outs", "outsb", "outsd", "outsw", "packssdw", "packsswb", "packuswb", "paddb",
    "paddd", "paddsb", "paddsw", "paddusb", "paddusw", "paddw", "pand", "pandn", "pavgusb",
    "pcmpeqb", "pcmpeqd", "pcmpeqw", "pcmpgtb", "pcmpgtd", "pcmpgtw", "pf2id", "pfacc", "pfadd",
    "pfcmpeq", "pfcmpge", "pfcmpgt", "pfmax", "pfmin", "pfmul", "pfrcp", "pfrcpit1", "pfrcpit2",
    "pfrsqit1", "pfrsqrt", "pfsub", "pfsubr", "pi2fd", "pmaddwd", "pmulhrw", "pmulhw", "pmullw",
    "pop", "popad", "popf", "popfd", "por", "prefetch", "prefetchw", "pslld", "psllq", "psllw",
    "psrad", "psraw", "psrld", "psrlq", "psrlw", "psubb", "psubd", "psubsb", "psubsw", "psubusb",
    "psubusw", "psubw", "punpckhbw", "punpckhdq", "punpckhwd", "punpcklbw", "punpckldq",
    "punpcklwd", "push", "pushf", "pushfd", "pxor", "rcl", "rcr", "rep", "repe", "repne", "ret",
    "rol", "ror", "sahf", "sal", "sar", "sbb", "scas", "scasb", "scasd", "scasw", "shl", "shr",
    "stos", "stosb", "stosd", "stosw", "sub", "test", "wait", "xchg", "xlat", "xlatb", "xor",
};

TEST(AsmSyn, GoldenTokenStreams) { ExpectGoldenFiles(MakeAsm, "x86", {"tokens.golden"}); }

const std::vector<std::string> kFragments = {
      "mov", "FLD1", "fld9", "eax", "_x", ";", "#", "//", "/", "\"", "\"\"", "'", "<=", "<>",
      ">=", "1.5e3", "0FFh", "[", "]", " ", "\t", "\r", "\n", "\r\n", std::string(1, '\0'),
      "\xff", "punpckhbw", "$", "\\"};
const std::vector<std::string> kOpeners = {"\"open", "; note"};

TEST(AsmSyn, InvariantsOnRandomAndHostileLines) {
  ExpectNoFaults(CheckStandardInvariants(MakeAsm, {1}, kFragments, kOpeners));
}

TEST(AsmSyn, EditsKeepTheStoredRangesAndExportsKeepEveryByte) {
  EXPECT_EQ(CheckEditedRanges(MakeAsm, kFragments, kOpeners), std::vector<std::string>());
  EXPECT_EQ(CheckStandardExport(MakeAsm, kFragments, kOpeners), std::vector<std::string>());
}

TEST(AsmSyn, IdentityAndAttributes) {
  TgxAsmSyn hl(nullptr);
  ExpectIdentity(hl, {"x86 Assembly Language",
                      "x86 Assembly Files (*.asm)|*.ASM",
                      6,
                      {{"CommentAttri", "Comment"},
                       {"IdentifierAttri", "Identifier"},
                       {"KeyAttri", "Reserved word"},
                       {"NumberAttri", "Number"},
                       {"SpaceAttri", "Space"},
                       {"StringAttri", "String"},
                       {"SymbolAttri", "Symbol"}},
                      {"Space", "Comment", "Reserved word"},
                      1,
                      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz"});
}

TEST(AsmSynKeywords, TheMnemonicsFillTheirOwnEntries) {
  ASSERT_EQ(kMnemonics.size(), 289u);
  ExpectKeywordTable(TgxAsmSyn::Keywords(), 122, kMnemonics, LetterSum);
}

TEST(AsmSynKeywords, MnemonicsInAnyCaseAreReservedRegistersAreNot) {
  TgxAsmSyn hl(nullptr);
  for (const std::string& w : kMnemonics) {
    EXPECT_EQ(KindOfWhole(hl, w, 1), TgxAsmSyn::tkKey) << w;
    EXPECT_EQ(KindOfWhole(hl, UpperCase(w), 1), TgxAsmSyn::tkKey) << w;
    EXPECT_EQ(KindOfWhole(hl, w + "_", 1), TgxAsmSyn::tkIdentifier) << w;
  }
  for (const char* reg : {"eax", "ebx", "esp", "al", "cs", "st", "mm0", "xmm1"})
    EXPECT_EQ(KindOfWhole(hl, reg, 1), TgxAsmSyn::tkIdentifier) << reg;
}

TEST(AsmSyn, ExportFlagsFollowTheKinds) {
  TgxAsmSyn hl(nullptr);
  ExpectExport(hl, "mov \"<\",[x]1 ;<",
               {{"mov", hl.GetKeyAttri(), false, false},
                {" ", hl.GetSpaceAttri(), false, true},
                {"\"<\"", hl.GetStringAttri(), true, false},
                {",", hl.GetSymbolAttri(), true, false},
                {"[", hl.GetIdentifierAttri(), false, false},
                {"x", hl.GetIdentifierAttri(), false, false},
                {"]", hl.GetIdentifierAttri(), false, false},
                {"1", hl.GetNumberAttri(), false, false},
                {" ", hl.GetSpaceAttri(), false, true},
                {";<", hl.GetCommentAttri(), true, false}});
}

}  // namespace
