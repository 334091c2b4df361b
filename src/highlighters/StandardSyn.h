// TktStandardSyn: the members whose tokens are the seven common kinds --
// comment, identifier, reserved word, number, space, string and symbol --
// plus the line end and, for some, an unrecognised-character kind. They
// publish the same seven attributes under the same property names and
// share the routines their languages agree on (blanks, line breaks, one-
// character symbols, keyword lookup through the member's table). The x86,
// Visual Basic, VBScript, Fortran and form-definition highlighters build on
// it.
#pragma once

#include <cstdint>

#include "highlighters/FamilyHighlighter.h"

class TktStandardSyn : public TktFamilyHighlighter {
public:
  // Token kinds; tkUnknown only where the member has that kind.
  enum : uint8_t {
    tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol, tkUnknown
  };

  // Published: the seven attributes.
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  // 0 Space, 1 Comment, 2 the reserved-word attribute.
  // The base set with export.
  int GetCapability() const override;

  TktHighLightAttributes* GetCommentAttri() const { return FCommentAttri; }
  TktHighLightAttributes* GetIdentifierAttri() const { return FIdentifierAttri; }
  TktHighLightAttributes* GetKeyAttri() const { return FKeyAttri; }
  TktHighLightAttributes* GetNumberAttri() const { return FNumberAttri; }
  TktHighLightAttributes* GetSpaceAttri() const { return FSpaceAttri; }
  TktHighLightAttributes* GetStringAttri() const { return FStringAttri; }
  TktHighLightAttributes* GetSymbolAttri() const { return FSymbolAttri; }

protected:
  // How the member treats characters it has no rule for.
  struct TUnknownRule {
    uint8_t Kind;  // tkUnknown, or tkIdentifier where the member has no such kind
    bool Escape;   // the export's escape flag for them
  };

  // keyName: the reserved-word attribute's name ("Reserved word" or "Key");
  // keywords: the member's table, or nullptr when it has none.
  TktStandardSyn(TComponent* owner, const TCharTables& tables, const TProcTable& procs,
                 const TKeywordTable* keywords, const char* keyName, TUnknownRule unknown,
                 uint8_t lowRange, uint8_t highRange, uint8_t resetRange);

  // Scanner routines the members share.
  void SymbolProc();   // one character
  void UnknownProc();  // one character of the member's unknown kind
  // "<", "<=" and "<>"; ">" and ">=".
  void LowerProc();
  void GreaterProc();
  // A digit and the digits, ".", "E" and "e" after it.
  void NumberProc();
  // A comment from the run up to the first line break.
  void CommentToBreakProc();
  // A double-quoted string up to the closing quote or the first line break.
  void DoubleQuoteProc();
  // The identifier run: a reserved word when the keyword table has it.
  void KeywordProc();

  // The shared routines above in their usual places: blanks, line breaks,
  // NUL, digits, letters and "_" (keyword lookup), and every other
  // character as unknown.
  static void FillCommonProcs(TProcTable& p);
  template <class T>
  static void SetProcs(TProcTable& p, std::string_view chars, void (T::*routine)()) {
    for (char c : chars) p[static_cast<unsigned char>(c)] = Proc(routine);
  }

  const TKeywordTable* FKeywords;

private:
  uint8_t FUnknown;
  TktHighLightAttributes* FCommentAttri;
  TktHighLightAttributes* FIdentifierAttri;
  TktHighLightAttributes* FKeyAttri;
  TktHighLightAttributes* FNumberAttri;
  TktHighLightAttributes* FSpaceAttri;
  TktHighLightAttributes* FStringAttri;
  TktHighLightAttributes* FSymbolAttri;
};
