// Every highlighter the program has, each made fresh by a factory, for the
// fuzz targets that run over all of them. The multi-language one comes last,
// with the application's schemes.
#pragma once

#include <memory>
#include <vector>

#include "HighlighterHarness.h"
#include "highlighters/ADSP21xxSyn.h"
#include "highlighters/AsmSyn.h"
#include "highlighters/BatSyn.h"
#include "highlighters/CppSyn.h"
#include "highlighters/DfmSyn.h"
#include "highlighters/FortranSyn.h"
#include "highlighters/HTMLSyn.h"
#include "highlighters/IniSyn.h"
#include "highlighters/JScriptSyn.h"
#include "highlighters/JavaSyn.h"
#include "highlighters/MultiSyn.h"
#include "highlighters/PasSyn.h"
#include "highlighters/PerlSyn.h"
#include "highlighters/SqlSyn.h"
#include "highlighters/VbsSyn.h"
#include "highlighters/VisualBasicSyn.h"

template <class T>
std::unique_ptr<TktCustomHighLighter> Make() {
  return std::make_unique<T>(nullptr);
}

inline std::unique_ptr<TktCustomHighLighter> MakeMulti() {
  auto multi = std::make_unique<TrvMultiSyn>(nullptr);
  // The scheme highlighters belong to the multi-language one and go with it.
  SetApplicationSchemes(*multi, new TejHTMLSyn(multi.get()), new TktJScriptSyn(multi.get()),
                        new TyfVbsSyn(multi.get()), new TpsVisualBasicSyn(multi.get()));
  return multi;
}

inline const std::vector<THighlighterFactory>& AllHighlighters() {
  static const std::vector<THighlighterFactory> factories = {
      Make<TktPasSyn>,     Make<TDcjCppSyn>,    Make<TwbADSP21xxSyn>,    Make<TrvSQLSyn>,
      Make<TDcjPerlSyn>,   Make<TDcjJavaSyn>,   Make<TktJScriptSyn>,     Make<TgxAsmSyn>,
      Make<TpsVisualBasicSyn>, Make<TyfVbsSyn>, Make<TuxBatSyn>,         Make<TktFortranSyn>,
      Make<TqaIniSyn>,     Make<TuxDfmSyn>,     Make<TejHTMLSyn>,        MakeMulti,
  };
  return factories;
}
