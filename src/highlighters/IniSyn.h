// TqaIniSyn: settings files of sections, keys and values. It has no
// keywords: the role of the text depends on where it stands in the line
// (a "[" or ";" or any other character first on a line opens a section,
// a comment or a key). Nothing spans lines: the range is always 1.
#pragma once

#include <cstdint>

#include "highlighters/FamilyHighlighter.h"

class TqaIniSyn : public TktFamilyHighlighter {
public:
  // Token kinds.
  enum : uint8_t {
    tkComment, tkText, tkSection, tkKey, tkNull, tkNumber, tkSpace, tkString, tkSymbol
  };

  explicit TqaIniSyn(TComponent* owner);

  // Published: the eight attributes.
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  int GetCapability() const override;
  std::string GetLanguageName() const override;

  TktHighLightAttributes* GetCommentAttri() const { return FCommentAttri; }
  TktHighLightAttributes* GetTextAttri() const { return FTextAttri; }
  TktHighLightAttributes* GetSectionAttri() const { return FSectionAttri; }
  TktHighLightAttributes* GetKeyAttri() const { return FKeyAttri; }
  TktHighLightAttributes* GetNumberAttri() const { return FNumberAttri; }
  TktHighLightAttributes* GetSpaceAttri() const { return FSpaceAttri; }
  TktHighLightAttributes* GetStringAttri() const { return FStringAttri; }
  TktHighLightAttributes* GetSymbolAttri() const { return FSymbolAttri; }

  static const TCharTables& CharTables();

private:
  static const TProcTable& Procs();
  void SectionProc();
  void CommentProc();
  void EqualProc();
  void StringProc();
  void NumberProc();
  void TextProc();
  // From the line start up to the first "=" or the line end.
  void KeyProc();

  TktHighLightAttributes* FCommentAttri;
  TktHighLightAttributes* FTextAttri;
  TktHighLightAttributes* FSectionAttri;
  TktHighLightAttributes* FKeyAttri;
  TktHighLightAttributes* FNumberAttri;
  TktHighLightAttributes* FSpaceAttri;
  TktHighLightAttributes* FStringAttri;
  TktHighLightAttributes* FSymbolAttri;
};
