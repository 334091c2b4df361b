// TwbADSP21xxSyn: the highlighter of ADSP-21xx DSP assembly. Words sort into
// reserved words, registers and conditions, matched in any case; numbers
// may be prefixed hexadecimal ("h#1F") or binary ("b#0101"); "{" and "/*"
// comments carry over lines. Imports the colours of the outside DSP IDE.
#pragma once

#include <cstdint>
#include <string>

#include "highlighters/FamilyHighlighter.h"

class TwbADSP21xxSyn : public TktFamilyHighlighter {
public:
  // Token kinds.
  enum : uint8_t {
    tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol, tkRegister,
    tkCondition, tkUnknown
  };
  // Range values.
  enum : uint8_t {
    rsUnknown = 0,       // plain code: the start value
    rsPascalComment = 1, // inside a "{" comment
    rsCComment = 2,      // inside a "/*" comment
    rsHexNumber = 3,     // the "#" of a hexadecimal number follows (after the prefix h)
    rsBinaryNumber = 4,  // the "#" of a binary number follows (after the prefix b)
  };
  // Word classes (the tags of the keyword table).
  enum : uint8_t { kwKey, kwRegister, kwCondition };

  explicit TwbADSP21xxSyn(TComponent* owner);

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  int GetCapability() const override;
  std::string GetLanguageName() const override;
  void Next() override;
  // The number prefix's ranges live only between the prefix and its "#" on
  // one line: a stored one (never written at a line end) reads as code.
  void SetRange(TktRange value) override;

  // Colours of the outside DSP IDE.
  void ListAttributeSets(TStrings* list) override;
  bool ImportAttributeSet(int index) override;
  // A key prefixed to the IDE's fixed registry keys (empty: the keys as
  // they are), so tests keep their keys apart.
  const std::string& GetRegistryRoot() const { return FRegistryRoot; }
  void SetRegistryRoot(const std::string& value) { FRegistryRoot = value; }

  TktHighLightAttributes* GetCommentAttri() const { return FCommentAttri; }
  TktHighLightAttributes* GetIdentifierAttri() const { return FIdentifierAttri; }
  TktHighLightAttributes* GetKeyAttri() const { return FKeyAttri; }
  TktHighLightAttributes* GetNumberAttri() const { return FNumberAttri; }
  TktHighLightAttributes* GetRegisterAttri() const { return FRegisterAttri; }
  TktHighLightAttributes* GetConditionAttri() const { return FConditionAttri; }
  TktHighLightAttributes* GetSpaceAttri() const { return FSpaceAttri; }
  TktHighLightAttributes* GetSymbolAttri() const { return FSymbolAttri; }
  TktHighLightAttributes* GetStringAttri() const { return FStringAttri; }
  TktHighLightAttributes* GetNullAttri() const { return FNullAttri; }
  TktHighLightAttributes* GetUnknownAttri() const { return FUnknownAttri; }

  static const TCharTables& CharTables();
  static const TKeywordTable& Keywords();
  static constexpr int kKeywordTableSize = 192;

private:
  static const TProcTable& Procs();

  void IdentProc();
  void NumberProc();
  void StringProc();
  void ExclamProc();
  void BraceOpenProc();
  void SlashProc();
  // The rest of a comment from index from on, up to and past its closer
  // (back to code) or up to a line break or the line end (still open).
  void CommentFrom(size_t from);
  // The number after a prefix: "#" and its digits.
  void HexNumberAfterPrefix();
  void BinaryNumberAfterPrefix();

  std::string FRegistryRoot;
  TktHighLightAttributes* FCommentAttri;
  TktHighLightAttributes* FIdentifierAttri;
  TktHighLightAttributes* FKeyAttri;
  TktHighLightAttributes* FNumberAttri;
  TktHighLightAttributes* FRegisterAttri;
  TktHighLightAttributes* FConditionAttri;
  TktHighLightAttributes* FSpaceAttri;
  TktHighLightAttributes* FSymbolAttri;
  TktHighLightAttributes* FStringAttri;
  TktHighLightAttributes* FNullAttri;
  TktHighLightAttributes* FUnknownAttri;
};
