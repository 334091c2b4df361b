// TgxAsmSyn: tables and scanner routines of the x86 assembly highlighter.
#include "highlighters/AsmSyn.h"

#include "editor/LocalStr.h"
#include "highlighters/ScanHelpers.h"

const int kRegistered = RegisterHighlighter(&NewHighlighter<TgxAsmSyn>);

const TCharTables& TgxAsmSyn::CharTables() {
  static const TCharTables tables = hlscan::StandardCharTables();
  return tables;
}

const TKeywordTable& TgxAsmSyn::Keywords() {
  static const TKeywordTable table(
      CharTables(), 122, TKeywordCompare::kcHashValues,
      {{"aad"}, {"aam"}, {"adc"}, {"add"}, {"and"}, {"arpl"}, {"bound"}, {"call"}, {"cbw"},
       {"cdq"}, {"cmc"}, {"cmp"}, {"cmps"}, {"cmpsb"}, {"cmpsd"}, {"cmpsw"}, {"cwd"}, {"cwde"},
       {"div"}, {"emms"}, {"enter"}, {"f2xm1"}, {"fabs"}, {"fadd"}, {"faddp"}, {"fbld"},
       {"fbstp"}, {"fchs"}, {"fclex"}, {"fcmovb"}, {"fcmovbe"}, {"fcmove"}, {"fcmovnb"},
       {"fcmovnbe"}, {"fcmovne"}, {"fcmovnu"}, {"fcmovu"}, {"fcom"}, {"fcomi"}, {"fcomip"},
       {"fcomp"}, {"fcompp"}, {"fcos"}, {"fdecstp"}, {"fdiv"}, {"fdivp"}, {"fdivr"},
       {"fdivrp"}, {"femms"}, {"ffree"}, {"fiadd"}, {"ficom"}, {"ficomp"}, {"fidiv"},
       {"fidivr"}, {"fild"}, {"fimul"}, {"fincstp"}, {"finit"}, {"fist"}, {"fistp"}, {"fisub"},
       {"fisubr"}, {"fld"}, {"fld1"}, {"fldcw"}, {"fldenv"}, {"fldl2e"}, {"fldl2t"},
       {"fldlg2"}, {"fldln2"}, {"fldpi"}, {"fldz"}, {"fmul"}, {"fmulp"}, {"fnclex"},
       {"fninit"}, {"fnop"}, {"fnsave"}, {"fnstcw"}, {"fnstenv"}, {"fnstsw"}, {"fpatan"},
       {"fprem1"}, {"fptan"}, {"frndint"}, {"frstor"}, {"fsave"}, {"fscale"}, {"fsin"},
       {"fsincos"}, {"fsqrt"}, {"fst"}, {"fstcw"}, {"fstenv"}, {"fstp"}, {"fstsw"}, {"fsub"},
       {"fsubp"}, {"fsubr"}, {"fsubrp"}, {"ftst"}, {"fucom"}, {"fucomi"}, {"fucomip"},
       {"fucomp"}, {"fucompp"}, {"fwait"}, {"fxch"}, {"fxtract"}, {"fyl2xp1"}, {"hlt"},
       {"idiv"}, {"imul"}, {"in"}, {"ins"}, {"insb"}, {"insd"}, {"insw"}, {"int"}, {"into"},
       {"iret"}, {"iretd"}, {"ja"}, {"jae"}, {"jb"}, {"jbe"}, {"jc"}, {"jcxz"}, {"je"},
       {"jecxz"}, {"jg"}, {"jge"}, {"jl"}, {"jle"}, {"jmp"}, {"jna"}, {"jnae"}, {"jnb"},
       {"jnbe"}, {"jnc"}, {"jne"}, {"jng"}, {"jnge"}, {"jnl"}, {"jnle"}, {"jno"}, {"jnp"},
       {"jns"}, {"jnz"}, {"jo"}, {"jp"}, {"jpe"}, {"jpo"}, {"js"}, {"jz"}, {"lahf"}, {"lds"},
       {"lea"}, {"leave"}, {"les"}, {"lock"}, {"lods"}, {"lodsb"}, {"lodsd"}, {"lodsw"},
       {"loop"}, {"loope"}, {"loopne"}, {"loopnz"}, {"loopz"}, {"mov"}, {"movd"}, {"movq"},
       {"movs"}, {"movsb"}, {"movsd"}, {"movsw"}, {"mul"}, {"neg"}, {"nop"}, {"not"}, {"or"},
       {"out"}, {"outs"}, {"outsb"}, {"outsd"}, {"outsw"}, {"packssdw"}, {"packsswb"},
       {"packuswb"}, {"paddb"}, {"paddd"}, {"paddsb"}, {"paddsw"}, {"paddusb"}, {"paddusw"},
       {"paddw"}, {"pand"}, {"pandn"}, {"pavgusb"}, {"pcmpeqb"}, {"pcmpeqd"}, {"pcmpeqw"},
       {"pcmpgtb"}, {"pcmpgtd"}, {"pcmpgtw"}, {"pf2id"}, {"pfacc"}, {"pfadd"}, {"pfcmpeq"},
       {"pfcmpge"}, {"pfcmpgt"}, {"pfmax"}, {"pfmin"}, {"pfmul"}, {"pfrcp"}, {"pfrcpit1"},
       {"pfrcpit2"}, {"pfrsqit1"}, {"pfrsqrt"}, {"pfsub"}, {"pfsubr"}, {"pi2fd"}, {"pmaddwd"},
       {"pmulhrw"}, {"pmulhw"}, {"pmullw"}, {"pop"}, {"popad"}, {"popf"}, {"popfd"}, {"por"},
       {"prefetch"}, {"prefetchw"}, {"pslld"}, {"psllq"}, {"psllw"}, {"psrad"}, {"psraw"},
       {"psrld"}, {"psrlq"}, {"psrlw"}, {"psubb"}, {"psubd"}, {"psubsb"}, {"psubsw"},
       {"psubusb"}, {"psubusw"}, {"psubw"}, {"punpckhbw"}, {"punpckhdq"}, {"punpckhwd"},
       {"punpcklbw"}, {"punpckldq"}, {"punpcklwd"}, {"push"}, {"pushf"}, {"pushfd"}, {"pxor"},
       {"rcl"}, {"rcr"}, {"rep"}, {"repe"}, {"repne"}, {"ret"}, {"rol"}, {"ror"}, {"sahf"},
       {"sal"}, {"sar"}, {"sbb"}, {"scas"}, {"scasb"}, {"scasd"}, {"scasw"}, {"shl"}, {"shr"},
       {"stos"}, {"stosb"}, {"stosd"}, {"stosw"}, {"sub"}, {"test"}, {"wait"}, {"xchg"},
       {"xlat"}, {"xlatb"}, {"xor"}});
  return table;
}

const TktFamilyHighlighter::TProcTable& TgxAsmSyn::Procs() {
  static const TProcTable procs = [] {
    TProcTable p;
    FillCommonProcs(p);
    SetProcs(p, ";#", &TgxAsmSyn::CommentToBreakProc);
    SetProcs(p, "/", &TgxAsmSyn::SlashProc);
    SetProcs(p, "\"", &TgxAsmSyn::DoubleQuoteProc);
    // A single quote is a symbol: single-quoted text scans as ordinary tokens.
    SetProcs(p, "&'()*+,-.:=^{}", &TgxAsmSyn::SymbolProc);
    SetProcs(p, "<", &TgxAsmSyn::LowerProc);
    SetProcs(p, ">", &TgxAsmSyn::GreaterProc);
    return p;
  }();
  return procs;
}

TgxAsmSyn::TgxAsmSyn(TComponent* owner)
    : TktStandardSyn(owner, CharTables(), Procs(), &Keywords(), SAttrReservedWord,
                     {tkIdentifier, false}, 1, 1, 1) {
  (void)kRegistered;
  SetDefaultFilter(SFilterAsm);
}

const TClassInfo& TgxAsmSyn::StaticClassInfo() {
  static const TClassInfo info("TgxAsmSyn", &TktStandardSyn::StaticClassInfo());
  return info;
}

const TClassInfo* TgxAsmSyn::ClassInfo() const { return &StaticClassInfo(); }

std::string TgxAsmSyn::GetLanguageName() const { return SLangAsm; }

void TgxAsmSyn::SlashProc() {
  if (CharAt(FRun + 1) == '/') {
    CommentToBreakProc();
    return;
  }
  SymbolProc();
}
