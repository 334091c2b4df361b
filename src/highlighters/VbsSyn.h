// TyfVbsSyn: VBScript, on the scanner it shares with Visual Basic; a
// character without a rule is a one-character identifier. The range is
// always 1. The multi-language highlighter runs it for VBScript blocks in
// web pages.
#pragma once

#include "highlighters/BasicSyn.h"

class TyfVbsSyn : public TktBasicSyn {
public:
  explicit TyfVbsSyn(TComponent* owner);

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  std::string GetLanguageName() const override;

  static const TKeywordTable& Keywords();
};
