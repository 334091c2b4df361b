// TktFortranSyn: Fortran source. Nothing is carried from line to line:
// comments are whole lines ("C" in the first column, or from "!"), and the
// dotted operators (.EQ., .AND., .TRUE. ...) are single symbols.
#pragma once

#include "highlighters/StandardSyn.h"

class TktFortranSyn : public TktStandardSyn {
public:
  explicit TktFortranSyn(TComponent* owner);

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  std::string GetLanguageName() const override;

  static const TCharTables& CharTables();
  static const TKeywordTable& Keywords();

private:
  static const TProcTable& Procs();
  void IdentProc();
  void NumberProc();
  void ApostropheProc();
  void QuoteProc();
  void PointProc();
  void LowerProc();
  void GreaterProc();
  void EqualProc();
};
