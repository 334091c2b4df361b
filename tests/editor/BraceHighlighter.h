// A tiny highlighter for the line store's tests: "{" opens a comment that may
// span lines, "}" closes it, every other character is a one-character token.
// The range is the comment depth capped at 3 (0 = plain code, the start), so
// a line's end state depends on its start state. It counts the lines it was
// given, and scans up to the NUL the line store promises after each line.
#pragma once

#include <string>
#include <string_view>

#include "editor/Export.h"
#include "editor/Highlighter.h"

class TBraceHighlighter : public TktCustomHighLighter {
public:
  explicit TBraceHighlighter(TComponent* owner = nullptr) : TktCustomHighLighter(owner) {}

  int LinesScanned = 0;
  int LastLineNumber = -1;

  TktHighLightAttributes* GetDefaultAttribute(int) const override { return nullptr; }
  void ExportNextToken() override {
    Next();
    if (GetExporter())
      GetExporter()->FormatToken(AtLineEnd() ? std::string_view() : GetToken(), nullptr, false,
                                 false);
  }
  bool AtLineEnd() const override { return FLine[FTokenPos] == '\0'; }
  TktRange GetRange() const override { return FRange; }
  std::string_view GetToken() const override { return std::string_view(FLine + FTokenPos, FRun - FTokenPos); }
  TktHighLightAttributes* GetTokenAttribute() const override { return nullptr; }
  int GetTokenKind() const override { return FInComment ? 1 : 0; }
  int GetTokenPos() const override { return int(FTokenPos); }
  void Next() override {
    FTokenPos = FRun;
    FInComment = FRange > 0;
    const char c = FLine[FRun];
    if (c == '\0') return;  // line end: the token stays the empty end token
    ++FRun;
    if (c == '{' && FRange < 3) ++FRange;
    else if (c == '}' && FRange > 0) --FRange;
  }
  void SetLine(std::string_view line, int lineNumber) override {
    ++LinesScanned;
    LastLineNumber = lineNumber;
    FLine = line.data();
    FRun = 0;
    Next();
  }
  void SetLineForExport(std::string_view line) override {
    FLine = line.data();
    FRun = 0;
    ExportNextToken();
  }
  void SetRange(TktRange value) override { FRange = value; }
  void ResetRange() override { FRange = 0; }

private:
  const char* FLine = "";
  size_t FRun = 0;
  size_t FTokenPos = 0;
  TktRange FRange = 0;
  bool FInComment = false;
};
