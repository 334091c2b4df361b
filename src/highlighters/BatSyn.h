// TuxBatSyn: MS-DOS batch files: a small keyword set, "REM" and "::"
// comments, and "%" parameters as variables. Nothing spans lines: the
// range is always 1.
#pragma once

#include <cstdint>

#include "highlighters/FamilyHighlighter.h"

class TuxBatSyn : public TktFamilyHighlighter {
public:
  // Token kinds.
  enum : uint8_t {
    tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkUnknown, tkVariable
  };

  explicit TuxBatSyn(TComponent* owner);

  // Published: the six attributes.
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  int GetCapability() const override;
  std::string GetLanguageName() const override;

  TktHighLightAttributes* GetCommentAttri() const { return FCommentAttri; }
  TktHighLightAttributes* GetIdentifierAttri() const { return FIdentifierAttri; }
  TktHighLightAttributes* GetKeyAttri() const { return FKeyAttri; }
  TktHighLightAttributes* GetNumberAttri() const { return FNumberAttri; }
  TktHighLightAttributes* GetSpaceAttri() const { return FSpaceAttri; }
  TktHighLightAttributes* GetVariableAttri() const { return FVariableAttri; }

  static const TCharTables& CharTables();
  static const TKeywordTable& Keywords();

private:
  static const TProcTable& Procs();
  void VariableProc();
  void NumberProc();
  void ColonProc();
  void RemProc();
  void CommentToBreak();

  TktHighLightAttributes* FCommentAttri;
  TktHighLightAttributes* FIdentifierAttri;
  TktHighLightAttributes* FKeyAttri;
  TktHighLightAttributes* FNumberAttri;
  TktHighLightAttributes* FSpaceAttri;
  TktHighLightAttributes* FVariableAttri;
};
