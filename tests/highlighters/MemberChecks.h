// MemberChecks: the checks every family member's tests make in the same
// way -- golden files, the harness's fault lists, identity and published
// attributes, keyword data and the tokens handed to an exporter -- so each
// language's test says only what is its own.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "HighlighterHarness.h"
#include "editor/Highlighter.h"
#include "highlighters/KeywordTable.h"

// Every named golden file of tests/highlighters/golden/<language>/ passes
// CheckGolden.
void ExpectGoldenFiles(const THighlighterFactory& factory, const std::string& language,
                       const std::vector<std::string>& names);

// A check of the harness found nothing; else the count and the first fault.
void ExpectNoFaults(const std::vector<std::string>& faults);

struct TMemberIdentity {
  std::string Language;
  std::string Filter;
  int Capability = 0;
  // Published attribute properties in order, each with its attribute's name.
  std::vector<std::pair<std::string, std::string>> Attributes;
  // The names of default attributes 0, 1 and 2.
  std::vector<std::string> Defaults;
  TktRange ResetRange = 0;
  std::string IdentChars;  // every identifier character, in code order
};
// The highlighter answers as identity says; its attributes start without
// colours or style; the class is registered.
void ExpectIdentity(TktCustomHighLighter& hl, const TMemberIdentity& identity);

// The table holds exactly words, each in the entry its hash names (see
// CheckKeywordData); hash is the test's own reading of the language's rule.
void ExpectKeywordTable(const TKeywordTable& table, int tableSize,
                        const std::vector<std::string>& words,
                        const std::function<int(const std::string&)>& hash);
// The sum of letter values (A = a = 1 ... Z = z = 26, "_" 31, others 0).
int LetterSum(const std::string& word);

// The kind the highlighter gives the whole of text as its first token from
// range (-1 when the first token does not cover all of text).
int KindOfWhole(TktCustomHighLighter& hl, const std::string& text, TktRange range);

// Exporting line from the reset range hands the exporter exactly want and
// a line end.
void ExpectExport(TktCustomHighLighter& hl, const std::string& line,
                  std::vector<TExpectedCall> want);
