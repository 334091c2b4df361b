// TktJScriptSyn: the JavaScript highlighter. Words of the language and of
// the browser's object model are reserved words, matched without regard to
// case (any digit matches any digit); "/*" comments carry over lines in the
// range; strings know no escape character and end at the line end.
#pragma once

#include <cstdint>

#include "highlighters/FamilyHighlighter.h"

class TktJScriptSyn : public TktFamilyHighlighter {
 public:
  // Token kinds.
  enum : uint8_t {
    tkComment,
    tkIdentifier,
    tkKey,
    tkNull,
    tkNumber,
    tkSpace,
    tkString,
    tkSymbol,
    tkUnknown
  };
  // Range values.
  enum : uint8_t {
    rsNormal = 1,   // code: the start value
    rsComment = 2,  // inside a "/*" comment left open at a line end
  };

  explicit TktJScriptSyn(TComponent* owner);

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  int GetCapability() const override;
  std::string GetLanguageName() const override;
  void Next() override;

  TktHighLightAttributes* GetCommentAttri() const { return FCommentAttri; }
  TktHighLightAttributes* GetIdentifierAttri() const { return FIdentifierAttri; }
  TktHighLightAttributes* GetKeyAttri() const { return FKeyAttri; }
  TktHighLightAttributes* GetNumberAttri() const { return FNumberAttri; }
  TktHighLightAttributes* GetSpaceAttri() const { return FSpaceAttri; }
  TktHighLightAttributes* GetStringAttri() const { return FStringAttri; }
  TktHighLightAttributes* GetSymbolAttri() const { return FSymbolAttri; }

  static const TCharTables& CharTables();
  static const TKeywordTable& Keywords();
  static constexpr int kKeywordTableSize = 253;

 private:
  static const TProcTable& Procs();

  void NumberProc();
  void StringProc();
  void SlashProc();
  // The rest of a "/*" comment from index from on: up to and past "*/"
  // (back to code) or up to a line break or the line end (still open).
  // Kept out of Next, which runs for every token: inlined there, the
  // comment scan's register saves would slow down every other token too.
  [[gnu::noinline]] void CommentFrom(size_t from);

  TktHighLightAttributes* FCommentAttri;
  TktHighLightAttributes* FIdentifierAttri;
  TktHighLightAttributes* FKeyAttri;
  TktHighLightAttributes* FNumberAttri;
  TktHighLightAttributes* FSpaceAttri;
  TktHighLightAttributes* FStringAttri;
  TktHighLightAttributes* FSymbolAttri;
};
