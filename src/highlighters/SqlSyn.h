// TrvSQLSyn: the SQL highlighter. Keywords match in any case; "@name"
// variables and ":name" parameters have kinds of their own; blanks are
// symbols (there is no space kind); "/*" comments carry over lines. Named
// colour sets kept in the registry can be listed and imported; the
// constructor imports the first one.
#pragma once

#include <cstdint>
#include <string>

#include "highlighters/FamilyHighlighter.h"

class TrvSQLSyn : public TktFamilyHighlighter {
public:
  // Token kinds.
  enum : uint8_t {
    tkComment, tkIdentifier, tkKey, tkNull, tkNumber, tkString, tkSymbol, tkVariable,
    tkParameter, tkUnknown
  };
  // Range values.
  enum : uint8_t {
    rsComment = 1,  // inside a "/*" comment
    rsUnknown = 2,  // code: the start value
  };

  // registryRoot: a key prefixed to the colour sets' fixed key (empty: the
  // key as it is), so tests keep their sets apart; the constructor's import
  // reads from it too.
  explicit TrvSQLSyn(TComponent* owner, const std::string& registryRoot = std::string());

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  // Every character from 33 to 255, as for any highlighter.
  TktCharSet GetIdentChars() const override { return TktCustomHighLighter::GetIdentChars(); }
  int GetCapability() const override;
  std::string GetLanguageName() const override;
  void Next() override;

  // The colour sets: the subkeys of the sets' key under the current user.
  void ListAttributeSets(TStrings* list) override;
  bool ImportAttributeSet(int index) override;
  const std::string& GetRegistryRoot() const { return FRegistryRoot; }
  void SetRegistryRoot(const std::string& value) { FRegistryRoot = value; }
  // The key the colour sets are kept under (the root included).
  std::string AttributeSetsKey() const;

  TktHighLightAttributes* GetCommentAttri() const { return FCommentAttri; }
  TktHighLightAttributes* GetIdentifierAttri() const { return FIdentifierAttri; }
  TktHighLightAttributes* GetVariableAttri() const { return FVariableAttri; }
  TktHighLightAttributes* GetParameterAttri() const { return FParameterAttri; }
  TktHighLightAttributes* GetKeyAttri() const { return FKeyAttri; }
  TktHighLightAttributes* GetNumberAttri() const { return FNumberAttri; }
  TktHighLightAttributes* GetStringAttri() const { return FStringAttri; }
  TktHighLightAttributes* GetSymbolAttri() const { return FSymbolAttri; }

  static const TCharTables& CharTables();
  static const TKeywordTable& Keywords();
  static constexpr int kKeywordTableSize = 158;

private:
  static const TProcTable& Procs();

  void IdentProc();
  void NumberProc();
  void PointProc();
  void StringProc();
  void AsciiCharProc();
  void LineCommentProc();  // "#"
  void MinusProc();
  void SlashProc();
  void ParameterProc();
  void VariableProc();
  // Up to and including the next blank, or up to a line break or the end.
  void ToBlank(uint8_t kind);
  // Kept out of Next, which runs for every token: inlined there, the
  // comment scan's register saves would slow down every other token too.
  [[gnu::noinline]] void CommentFrom(size_t from);

  std::string FRegistryRoot;
  TktHighLightAttributes* FCommentAttri;
  TktHighLightAttributes* FIdentifierAttri;
  TktHighLightAttributes* FVariableAttri;
  TktHighLightAttributes* FParameterAttri;
  TktHighLightAttributes* FKeyAttri;
  TktHighLightAttributes* FNumberAttri;
  TktHighLightAttributes* FStringAttri;
  TktHighLightAttributes* FSymbolAttri;
};
