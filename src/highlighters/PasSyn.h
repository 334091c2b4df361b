// TktPasSyn: the Object Pascal highlighter, the reference member of the
// highlighter family. Carries "(*" and "{" comments, assembler blocks and
// property declarations from line to line in its range; "asm" ... "end"
// reads as assembler; words such as read and write are reserved only inside
// a property declaration.
#pragma once

#include <cstdint>

#include "highlighters/FamilyHighlighter.h"

class TktPasSyn : public TktFamilyHighlighter {
public:
  // Token kinds.
  enum : uint8_t {
    tkAsm, tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol,
    tkUnknown
  };
  // Range values (0 is never used).
  enum : uint8_t {
    rsAnsi = 1,      // inside a "(*" comment
    rsAnsiAsm = 2,   // inside a "(*" comment within an assembler block
    rsAsm = 3,       // assembler block
    rsBor = 4,       // inside a "{" comment
    rsBorAsm = 5,    // inside a "{" comment within an assembler block
    rsProperty = 6,  // inside a property declaration
    rsUnknown = 7,   // plain code: the start value
  };

  explicit TktPasSyn(TComponent* owner);

  // Published: the eight attributes (their colours and styles are the
  // stored settings) and D4syntax.
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  int GetCapability() const override;
  std::string GetLanguageName() const override;

  void Next() override;
  // While an assembler block is open, every token but comments, spaces and
  // the line end reads as assembler (the word "asm" itself excepted).
  int GetTokenKind() const override { return MappedKind(); }
  TktHighLightAttributes* GetTokenAttribute() const override {
    return KindInfo(MappedKind()).Attribute;
  }

  // Colours of the installed versions of the outside Pascal IDE.
  void ListAttributeSets(TStrings* list) override;
  bool ImportAttributeSet(int index) override;

  // Enables the words overload, reintroduce and implements. Default true.
  bool GetD4syntax() const { return FD4syntax; }
  void SetD4syntax(bool value) { FD4syntax = value; }

  TktHighLightAttributes* GetAsmAttri() const { return FAsmAttri; }
  TktHighLightAttributes* GetCommentAttri() const { return FCommentAttri; }
  TktHighLightAttributes* GetIdentifierAttri() const { return FIdentifierAttri; }
  TktHighLightAttributes* GetKeyAttri() const { return FKeyAttri; }
  TktHighLightAttributes* GetNumberAttri() const { return FNumberAttri; }
  TktHighLightAttributes* GetSpaceAttri() const { return FSpaceAttri; }
  TktHighLightAttributes* GetStringAttri() const { return FStringAttri; }
  TktHighLightAttributes* GetSymbolAttri() const { return FSymbolAttri; }

  // The unit's tables, built once: identifier characters and hash values,
  // and the keyword table (data for the keyword tests).
  static const TCharTables& CharTables();
  static const TKeywordTable& Keywords();

  // Keyword rules (the tags of the keyword table).
  enum : uint8_t {
    kwPlain,         // always a reserved word
    kwPropertyWord,  // reserved only inside a property declaration
    kwImplements,    // reserved inside a property declaration with D4 syntax
    kwD4,            // reserved with D4 syntax
    kwAutomated,     // reserved inside a property declaration, which it ends
    kwProperty,      // opens a property declaration
    kwEndsProperty,  // end, function, procedure: back to plain code
    kwAsm,           // opens an assembler block
    kwVisibility,    // public and friends: end a property when first on a line
  };

private:
  static const TProcTable& Procs();

  uint8_t MappedKind() const {
    if (FRange == rsAsm && !FAsmStart && FTokenKind != tkComment && FTokenKind != tkNull &&
        FTokenKind != tkSpace)
      return tkAsm;
    return FTokenKind;
  }
  uint8_t IdentKind();

  // Scanner routines.
  void IdentProc();
  void NumberProc();
  void StringProc();
  void BraceOpenProc();
  void RoundOpenProc();
  void SlashProc();
  // The rest of a "(*" or "{" comment left open by an earlier line.
  void AnsiContinue();
  void BorContinue();
  void CloseComment(size_t closeAt, size_t closeLength);

  bool FAsmStart = false;
  bool FD4syntax = true;
  TktHighLightAttributes* FAsmAttri;
  TktHighLightAttributes* FCommentAttri;
  TktHighLightAttributes* FIdentifierAttri;
  TktHighLightAttributes* FKeyAttri;
  TktHighLightAttributes* FNumberAttri;
  TktHighLightAttributes* FSpaceAttri;
  TktHighLightAttributes* FStringAttri;
  TktHighLightAttributes* FSymbolAttri;
};
