// TgxAsmSyn: x86 assembly. The integer, FPU, MMX and 3DNow! mnemonics are
// its keywords (register names are not); ";", "#" and "//" start line
// comments. Nothing spans lines: the range is always 1.
#pragma once

#include "highlighters/StandardSyn.h"

class TgxAsmSyn : public TktStandardSyn {
public:
  explicit TgxAsmSyn(TComponent* owner);

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  std::string GetLanguageName() const override;

  static const TCharTables& CharTables();
  static const TKeywordTable& Keywords();

private:
  static const TProcTable& Procs();
  void SlashProc();
};
