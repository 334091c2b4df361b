// TpsVisualBasicSyn: Visual Basic source, on the scanner it shares with
// VBScript; a character without a rule is an unrecognised token, drawn and
// exported with the identifier attribute. The range is always 0.
#pragma once

#include "highlighters/BasicSyn.h"

class TpsVisualBasicSyn : public TktBasicSyn {
public:
  explicit TpsVisualBasicSyn(TComponent* owner);

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  std::string GetLanguageName() const override;

  static const TKeywordTable& Keywords();
};
