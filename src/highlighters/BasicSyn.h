// TktBasicSyn: the scanner that Visual Basic and VBScript share: "'"
// comments, double-quoted strings, "#" date literals, keywords through the
// member's table. Nothing spans lines. The members differ in their keyword
// tables, their constant range and what a character without a rule is
// (an unrecognised token in Visual Basic, an identifier in VBScript).
#pragma once

#include "highlighters/StandardSyn.h"

class TktBasicSyn : public TktStandardSyn {
public:
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  static const TCharTables& CharTables();
  static constexpr int kKeywordTableSize = 134;

protected:
  TktBasicSyn(TComponent* owner, const TKeywordTable& keywords, TUnknownRule unknown,
              uint8_t range);

private:
  static const TProcTable& Procs();
  void DateProc();
};
