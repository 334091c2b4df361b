// TyfVbsSyn: the VBScript keywords. "Rem" is only a keyword here: the text
// after it scans as ordinary tokens.
#include "highlighters/VbsSyn.h"

#include "editor/LocalStr.h"

const int kRegistered = RegisterHighlighter(&NewHighlighter<TyfVbsSyn>);

const TKeywordTable& TyfVbsSyn::Keywords() {
  static const TKeywordTable table(
      CharTables(), kKeywordTableSize, TKeywordCompare::kcHashValues,
      {{"And"}, {"Call"}, {"Case"}, {"Class"}, {"Const"}, {"Dim"}, {"Do"}, {"Each"}, {"Else"},
       {"End"}, {"Eqv"}, {"Erase"}, {"Error"}, {"Exit"}, {"Explicit"}, {"For"}, {"Function"},
       {"Get"}, {"If"}, {"Imp"}, {"Is"}, {"Let"}, {"Loop"}, {"Mod"}, {"Next"}, {"Not"}, {"On"},
       {"Option"}, {"Or"}, {"Private"}, {"property"}, {"Public"}, {"Randomize"}, {"ReDim"},
       {"Rem"}, {"Select"}, {"Set"}, {"Sub"}, {"Then"}, {"Wend"}, {"While"}, {"Xor"}});
  return table;
}

TyfVbsSyn::TyfVbsSyn(TComponent* owner)
    : TktBasicSyn(owner, Keywords(), {tkIdentifier, false}, 1) {
  (void)kRegistered;
  SetDefaultFilter(SFilterVBScript);
}

const TClassInfo& TyfVbsSyn::StaticClassInfo() {
  static const TClassInfo info("TyfVbsSyn", &TktBasicSyn::StaticClassInfo());
  return info;
}

const TClassInfo* TyfVbsSyn::ClassInfo() const { return &StaticClassInfo(); }

std::string TyfVbsSyn::GetLanguageName() const { return SLangVBScript; }
