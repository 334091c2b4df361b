// TDcjPerlSyn: the Perl highlighter. Words are looked up by the sum of their
// bytes, case-sensitively, and sorted into reserved words, word operators,
// pragma names and special variables; punctuation variables such as "$_"
// and Perl's many operators are single tokens. Nothing spans lines.
#pragma once

#include <array>
#include <cstdint>

#include "highlighters/FamilyHighlighter.h"

class TDcjPerlSyn : public TktFamilyHighlighter {
public:
  // Token kinds.
  enum : uint8_t {
    tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkOperator, tkPragma, tkSpace, tkString,
    tkSymbol, tkUnknown, tkVariable
  };
  // Word classes (the tags of the keyword table).
  enum : uint8_t { kwKey, kwOperator, kwPragma, kwVariable };

  explicit TDcjPerlSyn(TComponent* owner);

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  // "$", "%", "@", digits, letters and "_": a variable selects as one word.
  TktCharSet GetIdentChars() const override;
  int GetCapability() const override;
  std::string GetLanguageName() const override;

  TktHighLightAttributes* GetCommentAttri() const { return FCommentAttri; }
  TktHighLightAttributes* GetIdentifierAttri() const { return FIdentifierAttri; }
  TktHighLightAttributes* GetInvalidAttri() const { return FInvalidAttri; }
  TktHighLightAttributes* GetKeyAttri() const { return FKeyAttri; }
  TktHighLightAttributes* GetNumberAttri() const { return FNumberAttri; }
  TktHighLightAttributes* GetOperatorAttri() const { return FOperatorAttri; }
  TktHighLightAttributes* GetPragmaAttri() const { return FPragmaAttri; }
  TktHighLightAttributes* GetSpaceAttri() const { return FSpaceAttri; }
  TktHighLightAttributes* GetStringAttri() const { return FStringAttri; }
  TktHighLightAttributes* GetSymbolAttri() const { return FSymbolAttri; }
  TktHighLightAttributes* GetVariableAttri() const { return FVariableAttri; }

  static const TCharTables& CharTables();
  static const TKeywordTable& Keywords();
  static constexpr int kKeywordTableSize = 2168;

private:
  static const TProcTable& Procs();

  void CommentProc();
  void StringProc();
  void AsciiCharProc();
  void VariableProc();  // "$", "%", "@", letters and "_"
  void WordProc();      // the keyword lookup of the word at the run position
  void PointProc();
  void NumberProc();
  void NotProc();
  void AndProc();
  void StarProc();
  void PlusProc();
  void MinusProc();
  void SlashProc();
  void ColonProc();
  void LowerProc();
  void EqualProc();
  void GreaterProc();
  void XorProc();
  void OrProc();
  void SymbolProc();
  // A symbol of length characters.
  void SymbolOf(size_t length) {
    FTokenKind = tkSymbol;
    FRun += length;
  }
  bool Follows(const char* text) const;

  // The unit's tables, looked up once: a word costs no more than its bytes.
  const TKeywordTable* FKeywords;
  const std::array<bool, 256>* FWordChars;

  TktHighLightAttributes* FCommentAttri;
  TktHighLightAttributes* FIdentifierAttri;
  TktHighLightAttributes* FInvalidAttri;
  TktHighLightAttributes* FKeyAttri;
  TktHighLightAttributes* FNumberAttri;
  TktHighLightAttributes* FOperatorAttri;
  TktHighLightAttributes* FPragmaAttri;
  TktHighLightAttributes* FSpaceAttri;
  TktHighLightAttributes* FStringAttri;
  TktHighLightAttributes* FSymbolAttri;
  TktHighLightAttributes* FVariableAttri;
};
