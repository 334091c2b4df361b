// TDcjCppSyn: the C and C++ highlighter. Keywords are case-sensitive;
// preprocessor directives run on over lines that end in a backslash and hand
// over to the comments inside them; "asm" statements (up to ";") and
// "asm { ... }" blocks read as assembler. Imports the colours of the outside
// C++ IDE.
#pragma once

#include <cstdint>
#include <string>

#include "highlighters/FamilyHighlighter.h"

class TDcjCppSyn : public TktFamilyHighlighter {
public:
  // Token kinds.
  enum : uint8_t {
    tkAsm, tkComment, tkDirective, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkString,
    tkSymbol, tkUnknown
  };
  // Range values (0 is never used).
  enum : uint8_t {
    rsAnsiC = 1,         // inside a "/*" comment
    rsAnsiCAsm = 2,      // inside a "/*" comment within an assembler statement
    rsAnsiCAsmBlock = 3, // inside a "/*" comment within an assembler block
    rsAsm = 4,           // assembler statement, after an asm keyword up to ";"
    rsAsmBlock = 5,      // assembler block, after "{" in an assembler statement up to "}"
    rsDirective = 6,     // a preprocessor line continued on the next line
    rsDirectiveComment = 7,  // inside a "/*" comment within a preprocessor line
    rsUnknown = 8,       // plain code: the start value
  };
  // Keyword rules (the tags of the keyword table).
  enum : uint8_t { kwPlain, kwAsm };

  explicit TDcjCppSyn(TComponent* owner);

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  int GetCapability() const override;
  std::string GetLanguageName() const override;

  void Next() override;
  // In an assembler statement or block every token but comments, spaces and
  // the line end reads as assembler (the asm word and the block's "{"
  // excepted).
  int GetTokenKind() const override { return MappedKind(); }
  TktHighLightAttributes* GetTokenAttribute() const override {
    return KindInfo(MappedKind()).Attribute;
  }

  // Colours of the installed versions of the outside C++ IDE.
  void ListAttributeSets(TStrings* list) override;
  bool ImportAttributeSet(int index) override;
  // A key prefixed to the IDE's fixed registry keys (empty: the keys as
  // they are), so tests keep their keys apart.
  const std::string& GetRegistryRoot() const { return FRegistryRoot; }
  void SetRegistryRoot(const std::string& value) { FRegistryRoot = value; }

  TktHighLightAttributes* GetAsmAttri() const { return FAsmAttri; }
  TktHighLightAttributes* GetCommentAttri() const { return FCommentAttri; }
  TktHighLightAttributes* GetDirecAttri() const { return FDirecAttri; }
  TktHighLightAttributes* GetIdentifierAttri() const { return FIdentifierAttri; }
  TktHighLightAttributes* GetInvalidAttri() const { return FInvalidAttri; }
  TktHighLightAttributes* GetKeyAttri() const { return FKeyAttri; }
  TktHighLightAttributes* GetNumberAttri() const { return FNumberAttri; }
  TktHighLightAttributes* GetSpaceAttri() const { return FSpaceAttri; }
  TktHighLightAttributes* GetStringAttri() const { return FStringAttri; }
  TktHighLightAttributes* GetSymbolAttri() const { return FSymbolAttri; }

  static const TCharTables& CharTables();
  static const TKeywordTable& Keywords();
  static constexpr int kKeywordTableSize = 207;

private:
  static const TProcTable& Procs();

  uint8_t MappedKind() const {
    if ((FRange == rsAsm || FRange == rsAsmBlock) && !FAsmStart && FTokenKind != tkComment &&
        FTokenKind != tkNull && FTokenKind != tkSpace)
      return tkAsm;
    return FTokenKind;
  }

  void IdentProc();
  void NumberProc();
  void StringProc();
  void AsciiCharProc();
  void DirectiveProc();
  void SlashProc();
  void BraceOpenProc();
  void BraceCloseProc();
  void SemiColonProc();
  // The "/*" comment from index from on, the range mapped as it closes.
  void CommentFrom(size_t from);
  // The rest of a preprocessor line from the run position.
  void DirectiveFrom();

  bool FAsmStart = false;
  std::string FRegistryRoot;
  TktHighLightAttributes* FAsmAttri;
  TktHighLightAttributes* FCommentAttri;
  TktHighLightAttributes* FIdentifierAttri;
  TktHighLightAttributes* FInvalidAttri;
  TktHighLightAttributes* FKeyAttri;
  TktHighLightAttributes* FNumberAttri;
  TktHighLightAttributes* FSpaceAttri;
  TktHighLightAttributes* FStringAttri;
  TktHighLightAttributes* FSymbolAttri;
  TktHighLightAttributes* FDirecAttri;
};
