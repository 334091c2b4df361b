// TktFamilyHighlighter: what every one-language highlighter shares. A member
// scans one line in place: Next starts a token at the run position and
// dispatches on the character there through the member's 256-entry table of
// scanner routines; identifiers are looked up in the member's keyword table
// (data, see KeywordTable.h); a one-byte range carries comments and similar
// constructs from one line to the next.
//
// Scanning runs against the line's length, never against a terminator: the
// end of the line is the end of the view, and a NUL byte inside the line is
// an ordinary one-character token, so the rest of the line is still coloured
// and exported. Characters index every table as unsigned bytes.
//
// A member supplies: its character tables and keyword list (static data),
// its scanner table (built once per class), the attribute and export flags
// of each token kind, its range values, and the few routines its language
// needs. The line, token and export operations of the highlighter interface
// are all here.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/Highlighter.h"
#include "highlighters/KeywordTable.h"
#include "highlighters/ScanHelpers.h"
#include "platform/TypInfo.h"

class TktFamilyHighlighter : public TktCustomHighLighter {
public:
  ~TktFamilyHighlighter() override;

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  TktCharSet GetIdentChars() const override;

  void SetLine(std::string_view line, int lineNumber) override;
  void SetLineForExport(std::string_view line) override;
  void Next() override;
  void ExportNextToken() override;
  bool AtLineEnd() const override { return FTokenKind == FNullKind; }
  std::string_view GetToken() const override { return FLine.substr(FTokenPos, FRun - FTokenPos); }
  int GetTokenPos() const override { return static_cast<int>(FTokenPos); }
  int GetTokenKind() const override { return FTokenKind; }
  TktHighLightAttributes* GetTokenAttribute() const override {
    return FKinds[FTokenKind].Attribute;
  }
  TktRange GetRange() const override { return FRange; }
  // A value outside the member's declared ranges is taken as the start state,
  // so a damaged stored range can never lead the scanner astray.
  void SetRange(TktRange value) override;
  void ResetRange() override { FRange = FResetRange; }
  // The attributes of the kinds SetDefaultKinds named: 0 plain space,
  // 1 comment, 2 reserved word; nullptr for any other index or kNoKind.
  TktHighLightAttributes* GetDefaultAttribute(int index) const override;

  // The line number given to the last SetLine (kept, not used by the scan).
  int GetLineNumber() const { return FLineNumber; }

  // Token kinds are small numbers of each member's own.
  static constexpr int kMaxKinds = 32;
  // No kind: where a member has no default attribute of its own.
  static constexpr uint8_t kNoKind = 0xFF;

protected:
  using TScanProc = void (TktFamilyHighlighter::*)();
  using TProcTable = std::array<TScanProc, 256>;
  // A member's routine as a table entry.
  template <class T>
  static TScanProc Proc(void (T::*routine)()) {
    return static_cast<TScanProc>(routine);
  }

  // What a token kind reads as: its attribute (nullptr for the line end) and
  // the flags the exporter receives with it.
  struct TKindInfo {
    TktHighLightAttributes* Attribute = nullptr;
    // The attribute an export gives the kind when it differs from the one
    // on screen (nullptr: the token's attribute).
    TktHighLightAttributes* ExportAttribute = nullptr;
    bool Escape = false;  // the text may hold characters an export format escapes
    bool Space = false;   // the token is white space
  };

  // tables: the member's character tables; procs: its scanner table (static,
  // built once per class); nullKind: the kind of the end-of-line token;
  // unknownKind: the kind of an embedded NUL byte; ranges lowRange..highRange
  // are the member's declared values, resetRange the start state.
  TktFamilyHighlighter(TComponent* owner, const TCharTables& tables, const TProcTable& procs,
                       uint8_t nullKind, uint8_t unknownKind, uint8_t lowRange, uint8_t highRange,
                       uint8_t resetRange);

  // Creates an attribute named name, files it with AddAttribute and hooks it
  // to the highlighter's change handler.
  TktHighLightAttributes* MakeAttribute(const char* name);
  // The same, and the attribute of token kind kind, its text escaped in an
  // export where escape is set.
  TktHighLightAttributes* MakeAttribute(const char* name, uint8_t kind, bool escape);
  // The attribute named Space, of the white space kind kind.
  TktHighLightAttributes* MakeSpaceAttribute(uint8_t kind);
  // Every kind starts with no attribute and no flags, as the line end wants.
  void SetKind(uint8_t kind, TktHighLightAttributes* attribute, bool escape, bool space);
  void SetDefaultKinds(uint8_t space, uint8_t comment, uint8_t key) {
    FDefaultKinds = {space, comment, key};
  }
  const TKindInfo& KindInfo(uint8_t kind) const { return FKinds[kind]; }
  void SetExportAttribute(uint8_t kind, TktHighLightAttributes* attribute) {
    FKinds[kind].ExportAttribute = attribute;
  }

  // Scans the token at the run position through the scanner table.
  void Dispatch() {
    (this->*FProcs[static_cast<unsigned char>(CharAt(FRun))])();
  }
  // The character at index i of the line; NUL past its end.
  char CharAt(size_t i) const { return i < FLine.size() ? FLine[i] : '\0'; }
  size_t LineLength() const { return FLine.size(); }
  bool AtEnd() const { return FRun >= FLine.size(); }
  // Advances the run over identifier characters.
  void SkipIdentChars() {
    while (FRun < FLine.size() && FTables.IsIdent(FLine[FRun])) ++FRun;
  }
  // Index of c at or after from, or the line length when absent.
  size_t FindChar(char c, size_t from) const;
  // Index of the two-character text ab at or after from, or npos.
  size_t FindPair(char a, char b, size_t from) const;

  // The routine for the NUL byte: the end-of-line token at the end (the run
  // does not move), a one-character token of the unknown kind inside.
  void NullProc();

  // The start most scanner tables share: other for every character, the
  // NUL routine, blanks and line breaks as tokens of kind Space and, where
  // given, word for letters and "_" and number for digits.
  template <uint8_t Space>
  static void FillUsualProcs(TProcTable& p, TScanProc other, TScanProc word, TScanProc number) {
    p.fill(other);
    p[0] = &TktFamilyHighlighter::NullProc;
    for (size_t c = 1; c <= 32; ++c) p[c] = &TktFamilyHighlighter::BlanksProc<Space>;
    p['\n'] = p['\r'] = &TktFamilyHighlighter::LineBreakProc<Space>;
    if (word) {
      for (size_t c = 'A'; c <= 'Z'; ++c) p[c] = p[c | 0x20] = word;
      p['_'] = word;
    }
    if (number)
      for (size_t c = '0'; c <= '9'; ++c) p[c] = number;
  }

  // Routines whose rule many members share, for their scanner tables, each
  // giving its token the member's kind Kind. Templates, so each is as
  // quick as a member's own routine.
  // One character.
  template <uint8_t Kind>
  void OneCharProc() {
    FTokenKind = Kind;
    ++FRun;
  }
  // A blank and every blank after it (see hlscan::IsBlank).
  template <uint8_t Kind>
  void BlanksProc() {
    FTokenKind = Kind;
    FRun = hlscan::BlanksEnd(FLine, FRun);
  }
  // An LF, or a CR with the LF directly after it.
  template <uint8_t Kind>
  void LineBreakProc() {
    FTokenKind = Kind;
    FRun = hlscan::LineBreakEnd(FLine, FRun);
  }
  // The character, with the next one when that is A, B or C: "+", "++", "+=".
  template <uint8_t Kind, char A, char B = A, char C = A>
  void PairProc() {
    FTokenKind = Kind;
    const char next = CharAt(FRun + 1);
    FRun += (next == A || next == B || next == C) ? 2 : 1;
  }
  // The character, doubled or not, with an "=" after it: "<", "<=", "<<", "<<=".
  template <uint8_t Kind>
  void ShiftProc() {
    FTokenKind = Kind;
    size_t at = FRun + 1;
    if (CharAt(at) == FLine[FRun]) ++at;
    FRun = CharAt(at) == '=' ? at + 1 : at;
  }
  // The character and every character after it that In takes: "$1F", "#13".
  template <uint8_t Kind, bool (*In)(char)>
  void RunProc() {
    FTokenKind = Kind;
    FRun = hlscan::SkipWhile(FLine, FRun + 1, In);
  }
  // The identifier run: of kind KeyKind when the keyword table Keys has it,
  // else of IdentKind.
  template <const TKeywordTable& (*Keys)(), uint8_t KeyKind, uint8_t IdentKind>
  void KeywordRunProc() {
    size_t end = FRun;
    FTokenKind = hlscan::FindKeyword(Keys(), FTables, FLine, FRun, &end) ? KeyKind : IdentKind;
    FRun = end;
  }
  // A "." or, with two more after it, "...".
  template <uint8_t Kind>
  void DotsProc() {
    FTokenKind = Kind;
    FRun += (CharAt(FRun + 1) == '.' && CharAt(FRun + 2) == '.') ? 3 : 1;
  }
  // A "/" that opens no block comment: with a second "/" a comment of kind
  // Comment up to the first line break, else the symbol "/" (or "/=" where
  // SlashEquals is set) of kind Symbol.
  template <uint8_t Comment, uint8_t Symbol, bool SlashEquals>
  void LineCommentOrSlash() {
    const char next = CharAt(FRun + 1);
    if (next == '/') {
      FTokenKind = Comment;
      FRun = hlscan::FindLineBreak(FLine, FRun + 2);
      return;
    }
    FTokenKind = Symbol;
    FRun += SlashEquals && next == '=' ? 2 : 1;
  }
  // Whether the run is at the line end or on a line break: where a comment
  // left open by the line before gives the token to the scanner table.
  bool AtLineEndOrBreak() const { return AtEnd() || hlscan::IsLineBreak(FLine[FRun]); }

  // Colour import from an outside IDE's registry settings.
  struct TIdeElement {
    TktHighLightAttributes* Attribute;
    std::string Element;  // the IDE's element name
  };
  // Fills list with the subkey names of root\key (one per installed version);
  // leaves it unchanged when the key cannot be opened.
  static void ListIdeVersions(TRegRootKey root, const std::string& key, TStrings* list);
  // Loads the elements in order from key under the current user in the old
  // (blanks of element names as "_") or new format. On the first failure
  // every attribute is restored as it was and the result is false.
  bool ImportIdeElements(const std::string& key, bool oldFormat,
                         const std::vector<TIdeElement>& elements);

  const TCharTables& FTables;
  std::string_view FLine;
  size_t FRun = 0;
  size_t FTokenPos = 0;
  uint8_t FTokenKind = 0;
  uint8_t FRange = 0;

private:
  const TProcTable& FProcs;
  std::array<TKindInfo, kMaxKinds> FKinds{};
  int FLineNumber = 0;
  uint8_t FNullKind;
  uint8_t FUnknownKind;
  uint8_t FLowRange;
  uint8_t FHighRange;
  uint8_t FResetRange;
  // The kinds whose attributes GetDefaultAttribute gives; three bytes, so
  // they take up the padding at the end and every field the scan reads keeps
  // its place.
  std::array<uint8_t, 3> FDefaultKinds{kNoKind, kNoKind, kNoKind};
};

// The class function a member files with RegisterHighlighter.
template <class T>
TktCustomHighLighter* NewHighlighter(TComponent* owner) {
  return new T(owner);
}
