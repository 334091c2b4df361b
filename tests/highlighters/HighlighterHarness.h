// HighlighterHarness: what every highlighter's tests share.
//
//  - Token dumps: one line per token, "line,position,kind,attribute,text",
//    then "line,range,value" for the range at the end of the line.
//  - Golden files, written by hand from the language's rules: input lines
//    ("> " and the line quoted) each followed by the dump expected for it;
//    "#" starts a comment; "range N" before the first input line sets the
//    start range (otherwise ResetRange). CheckGolden scans the input whole,
//    and again line by line from the stored ranges with a fresh instance.
//  - Invariants, run over random and hostile lines: tokens are contiguous
//    and make up the line, the line-end token sits at the line's length,
//    scanning ends, end ranges are among the declared values, a rescan from
//    a stored range (also in a fresh instance) gives the same tokens, and the
//    export path hands the exporter the same tokens, each with an attribute,
//    and one line end.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "editor/Export.h"
#include "editor/Highlighter.h"

using THighlighterFactory = std::function<std::unique_ptr<TktCustomHighLighter>()>;

// Records every FormatToken call of an export.
class TRecordingExport : public TktCustomExport {
public:
  TRecordingExport() : TktCustomExport(nullptr) {}
  struct TCall {
    std::string Text;
    TktHighLightAttributes* Attribute;
    bool Escape;
    bool Space;
  };
  std::vector<TCall> Calls;
  void FormatToken(std::string_view token, TktHighLightAttributes* attribute, bool escape,
                   bool space) override {
    Calls.push_back({std::string(token), attribute, escape, space});
  }
  std::string GetExporterName() const override { return "Recording"; }
};

struct TTokenRecord {
  int Pos = 0;
  int Kind = 0;
  std::string Attribute;  // the attribute's name, "-" for none
  std::string Text;
  bool operator==(const TTokenRecord&) const = default;
};

struct TLineScan {
  std::vector<TTokenRecord> Tokens;
  int EndPos = 0;          // position of the line-end token
  TktRange EndRange = 0;
  bool Ended = true;       // false: the scan did not reach the line end
  bool operator==(const TLineScan&) const = default;
};

// Scans one line from the given range (SetRange, SetLine, Next until
// AtLineEnd). Stops with Ended false after more Next calls than the line has
// characters plus one. Without setRange the highlighter goes on from where
// it stands.
TLineScan ScanLine(TktCustomHighLighter& hl, std::string_view line, int lineNumber,
                   TktRange startRange, bool setRange = true);
// Scans the lines in order as one text: SetRange(startRange) before the
// first, none between lines. starts receives each line's start range.
std::vector<TLineScan> ScanText(TktCustomHighLighter& hl, const std::vector<std::string>& lines,
                                TktRange startRange, std::vector<TktRange>* starts = nullptr);

// A line's text in the dump's quoted form: printable ASCII as is, '"' and
// '\' escaped with '\', every other byte as \xNN.
std::string QuoteText(std::string_view text);
// The inverse; raises std::runtime_error on a malformed text.
std::string UnquoteText(std::string_view quoted);

// The dump of scanned lines, each input line first ("> " quoted line).
std::string FormatDump(const std::vector<std::string>& lines, const std::vector<TLineScan>& scans);

struct TGoldenFile {
  std::string Path;
  bool HasStartRange = false;
  TktRange StartRange = 0;
  std::vector<std::string> Lines;  // the input lines
  std::vector<std::string> Dump;   // every line of the file but comments and blanks
};
TGoldenFile ReadGoldenFile(const std::string& path);

// Empty when the highlighter's dump of the file's input equals the file and
// the line-by-line rescan agrees; otherwise a report of the difference.
std::string CheckGolden(const THighlighterFactory& factory, const TGoldenFile& golden);

// Every violation of the invariants on the given text, one text each (empty
// when there is none). declaredRanges: the values a range may take.
std::vector<std::string> CheckInvariants(const THighlighterFactory& factory,
                                         const std::vector<std::string>& lines,
                                         const std::set<TktRange>& declaredRanges);

// The standard run every highlighter's tests make: random bytes, random
// pieces of its language, and the hostile lines, each set alone and once
// more after every opener (a line that leaves a construct open: a comment,
// a block). Returns the violations found.
std::vector<std::string> CheckStandardInvariants(const THighlighterFactory& factory,
                                                 const std::set<TktRange>& declaredRanges,
                                                 const std::vector<std::string>& fragments,
                                                 const std::vector<std::string>& openers);

// Random lines: bytes drawn from the whole range 0-255, or (with fragments)
// pieces of the language glued together with random bytes in between.
std::vector<std::string> RandomLines(uint32_t seed, int count, int maxLength,
                                     const std::vector<std::string>& fragments = {});
// Lines that have hurt scanners before: NUL bytes, high bytes, every byte
// value, very long words, numbers and blanks, unterminated quotes, lone
// CR and LF characters.
std::vector<std::string> HostileLines();

// Edit check. Loads lines into a real TktEditList whose callbacks run the
// line store's own rescans (as the editing control wires them), then makes
// `edits` random Put/Insert/Delete edits with new lines drawn from pieces of
// the language (fragments), the openers and the short hostile lines. After
// every edit each stored range must equal the start range a fresh instance
// reaches scanning the whole text from ResetRange, and every line scanned
// from its stored range by the list's highlighter must give the fresh
// scan's tokens. Call it from a highlighter's test with its factory, its
// fragments and its openers, and expect an empty result (the violations
// found, at most a few).
std::vector<std::string> CheckEditedRanges(const THighlighterFactory& factory,
                                           const std::vector<std::string>& fragments,
                                           const std::vector<std::string>& openers,
                                           uint32_t seed = 1, int edits = 400);

// Export check. Exports the lines (loaded into a TktEditList with their
// ranges) through the highlighter with the real TktHtmlExport and
// TktRtfExport, plain and with coloured, styled attributes and backgrounds,
// and reads the text back from each output (header and footer cut off, tags
// and control words removed, escapes and character references undone): it
// must equal the lines, each followed by CR LF. Returns one text per
// mismatch (empty when the exports keep every byte).
std::vector<std::string> CheckExportText(const THighlighterFactory& factory,
                                         const std::vector<std::string>& lines);
// The export check over the standard lines: random bytes, random pieces of
// the language, the hostile lines, and the hostile lines after each opener.
std::vector<std::string> CheckStandardExport(const THighlighterFactory& factory,
                                             const std::vector<std::string>& fragments,
                                             const std::vector<std::string>& openers);

// The text read back from an exporter's body (the buffer without the
// exporter's header and footer).
std::string HtmlBodyText(std::string_view body);
std::string RtfBodyText(std::string_view body);

class TKeywordTable;
// Keyword data: the table holds exactly the listed words (in any order,
// each once), every word hashes below the table size and sits in the entry
// of its own hash, where a lookup of its own text finds a word. Returns the
// faults found.
std::vector<std::string> CheckKeywordData(const TKeywordTable& table,
                                          const std::vector<std::string>& words);

// One expected FormatToken call of an export.
struct TExpectedCall {
  std::string Text;
  TktHighLightAttributes* Attribute;
  bool Escape;
  bool Space;
};
// Exports line (from the highlighter's reset range) through a recording
// exporter and compares the calls, the line end included, with expected.
// Empty when they agree, else a report of the first difference.
std::string CheckExportCalls(TktCustomHighLighter& hl, std::string_view line,
                             const std::vector<TExpectedCall>& expected);

// The names of the published properties that end in "Attri", in order.
std::vector<std::string> PublishedAttributeNames(TComponent* component);
// The attributes' names in the highlighter's (name-sorted) list.
std::vector<std::string> AttributeNames(TktCustomHighLighter& hl);
