// TejHTMLSyn: web pages: text, tags (known and other), attribute names and
// values, "<!--" comments and "<%" server-script blocks that span lines, and
// character entities. Its range says what the next character belongs to:
// text, a tag name, the inside of a tag, a value after "=", a comment or a
// script block. It is also the default highlighter of the multi-language
// highlighter.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "highlighters/FamilyHighlighter.h"

class TejHTMLSyn : public TktFamilyHighlighter {
public:
  // Token kinds.
  enum : uint8_t {
    tkAmpersand,  // a character entity
    tkASP,        // a server-script block
    tkComment,
    tkIdentifier,  // an attribute name
    tkKey,         // a known tag
    tkNull,
    tkSpace,
    tkString,
    tkSymbol,
    tkText,
    tkUndefKey,  // another tag
    tkValue,
  };
  // Range values (6 is not used).
  enum : uint8_t {
    rsAmpersand = 0,  // an entity follows
    rsASP = 1,        // inside a "<%" block
    rsComment = 2,    // inside a "<!--" comment
    rsKey = 3,        // a tag name is expected
    rsParam = 4,      // inside a tag
    rsText = 5,       // text: the start value
    rsValue = 7,      // a value is expected after "="
  };

  explicit TejHTMLSyn(TComponent* owner);

  // Published: the ten attributes.
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  int GetCapability() const override;
  std::string GetLanguageName() const override;

  void Next() override;
  // The entity state is not part of the range: a stored range that says an
  // entity follows (or the unused 6) starts as text.
  void SetRange(TktRange value) override;

  TktHighLightAttributes* GetAndAttri() const { return FAndAttri; }
  TktHighLightAttributes* GetASPAttri() const { return FASPAttri; }
  TktHighLightAttributes* GetCommentAttri() const { return FCommentAttri; }
  TktHighLightAttributes* GetIdentifierAttri() const { return FIdentifierAttri; }
  TktHighLightAttributes* GetKeyAttri() const { return FKeyAttri; }
  TktHighLightAttributes* GetSpaceAttri() const { return FSpaceAttri; }
  TktHighLightAttributes* GetSymbolAttri() const { return FSymbolAttri; }
  TktHighLightAttributes* GetTextAttri() const { return FTextAttri; }
  TktHighLightAttributes* GetUndefKeyAttri() const { return FUndefKeyAttri; }
  TktHighLightAttributes* GetValueAttri() const { return FValueAttri; }

  // Tag words: letters fold to 1-26, "!" hashes 123 and "/" 122; the tag
  // word's hash adds the numeric values of the digits that follow.
  static const TCharTables& CharTables();
  static const TKeywordTable& Keywords();
  static constexpr int kEntityCount = 151;
  // The entity texts, compared exactly.
  static const std::array<std::string_view, kEntityCount>& Entities();
  // The number of the entity whose text begins at i, or -1.
  static int EntityAt(std::string_view line, size_t i);

private:
  static const TProcTable& Procs();
  void LFProc();
  void CRProc();
  void SpaceProc();
  void LessProc();
  void GreaterProc();
  void EqualProc();
  void StringProc();
  void AmpersandProc();
  void IdentProc();
  void TextRoutine();
  // The rest of a "<%" block or "<!--" comment: up to and past the first
  // ">" whose preceding characters in the line are closer.
  void BlockContinue(std::string_view closer, uint8_t kind);
  void EntityToken(int entity);

  int FAndCode = -1;  // the entity found ahead of the run, -1 for none
  TktHighLightAttributes* FAndAttri;
  TktHighLightAttributes* FASPAttri;
  TktHighLightAttributes* FCommentAttri;
  TktHighLightAttributes* FIdentifierAttri;
  TktHighLightAttributes* FKeyAttri;
  TktHighLightAttributes* FSpaceAttri;
  TktHighLightAttributes* FSymbolAttri;
  TktHighLightAttributes* FTextAttri;
  TktHighLightAttributes* FUndefKeyAttri;
  TktHighLightAttributes* FValueAttri;
};
