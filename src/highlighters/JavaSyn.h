// TDcjJavaSyn: the Java highlighter. Keywords are case-sensitive; "/**"
// documentation comments have a kind and a range of their own beside "/*"
// comments; Java's operators are single symbols.
#pragma once

#include <cstdint>

#include "highlighters/FamilyHighlighter.h"

class TDcjJavaSyn : public TktFamilyHighlighter {
public:
  // Token kinds.
  enum : uint8_t {
    tkComment, tkDocument, tkIdentifier, tkInvalid, tkKey, tkNull, tkNumber, tkSpace, tkString,
    tkSymbol, tkUnknown
  };
  // Range values.
  enum : uint8_t {
    rsComment = 1,   // inside a "/*" comment
    rsDocument = 2,  // inside a "/**" documentation comment
    rsUnknown = 3,   // code: the start value
  };

  explicit TDcjJavaSyn(TComponent* owner);

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  int GetCapability() const override;
  std::string GetLanguageName() const override;
  void Next() override;

  TktHighLightAttributes* GetCommentAttri() const { return FCommentAttri; }
  TktHighLightAttributes* GetDocumentAttri() const { return FDocumentAttri; }
  TktHighLightAttributes* GetIdentifierAttri() const { return FIdentifierAttri; }
  TktHighLightAttributes* GetInvalidAttri() const { return FInvalidAttri; }
  TktHighLightAttributes* GetKeyAttri() const { return FKeyAttri; }
  TktHighLightAttributes* GetNumberAttri() const { return FNumberAttri; }
  TktHighLightAttributes* GetSpaceAttri() const { return FSpaceAttri; }
  TktHighLightAttributes* GetStringAttri() const { return FStringAttri; }
  TktHighLightAttributes* GetSymbolAttri() const { return FSymbolAttri; }

  static const TCharTables& CharTables();
  static const TKeywordTable& Keywords();
  static constexpr int kKeywordTableSize = 173;

private:
  static const TProcTable& Procs();

  void NumberProc();
  void StringProc();
  void SlashProc();
  void GreaterProc();
  // The rest of a comment from index from on: up to and past "*/" (back
  // to code) or up to a line break or the line end (still open).
  // Kept out of Next, which runs for every token: inlined there, the
  // comment scan's register saves would slow down every other token too.
  [[gnu::noinline]] void CommentFrom(size_t from);

  TktHighLightAttributes* FCommentAttri;
  TktHighLightAttributes* FDocumentAttri;
  TktHighLightAttributes* FIdentifierAttri;
  TktHighLightAttributes* FInvalidAttri;
  TktHighLightAttributes* FKeyAttri;
  TktHighLightAttributes* FNumberAttri;
  TktHighLightAttributes* FSpaceAttri;
  TktHighLightAttributes* FStringAttri;
  TktHighLightAttributes* FSymbolAttri;
};
