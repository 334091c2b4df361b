// TuxDfmSyn: the text form of form-definition files (objects with nested
// properties). Its two keywords, OBJECT and END, are recognised by the
// routines of their first letters; brace comments span lines (range 1).
#pragma once

#include "highlighters/StandardSyn.h"

class TuxDfmSyn : public TktStandardSyn {
public:
  // Range values.
  enum : uint8_t { rsComment = 1, rsUnknown = 2 };

  explicit TuxDfmSyn(TComponent* owner);

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  std::string GetLanguageName() const override;
  void Next() override;

  static const TCharTables& CharTables();

private:
  static const TProcTable& Procs();
  void IdentProc();
  void EndProc();
  void ObjectProc();
  void NumberProc();
  void HexProc();
  void PoundProc();
  void StringProc();
  void BraceOpenProc();
  void BraceCloseProc();
  // The comment from the run up to and past "}", or to the line end.
  void CommentFrom(size_t searchFrom);
  // A reserved word when the word at the run is keyword, in any case, with
  // no identifier character after it.
  void WordOrIdent(std::string_view keyword);
};
