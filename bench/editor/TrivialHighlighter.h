// The smallest highlighter that still does a highlighter's work: it walks
// every character of the line up to the NUL, splits runs of letters, blanks
// and other characters into tokens, and carries C block comments across
// lines as its range.
#pragma once

#include "editor/Highlighter.h"

class TTrivialHighlighter : public TktCustomHighLighter {
public:
  TTrivialHighlighter() : TktCustomHighLighter(nullptr) {}
  TktHighLightAttributes* GetDefaultAttribute(int) const override { return nullptr; }
  void ExportNextToken() override { Next(); }
  bool AtLineEnd() const override { return FKind == 0; }
  TktRange GetRange() const override { return FComment; }
  std::string_view GetToken() const override { return {FLine + FStart, FRun - FStart}; }
  TktHighLightAttributes* GetTokenAttribute() const override { return nullptr; }
  int GetTokenKind() const override { return FKind; }
  int GetTokenPos() const override { return int(FStart); }
  void SetLine(std::string_view line, int) override {
    FLine = line.data();
    FRun = 0;
    Next();
  }
  void SetLineForExport(std::string_view line) override { SetLine(line, 0); }
  void SetRange(TktRange value) override { FComment = value; }
  void ResetRange() override { FComment = 0; }

  void Next() override {
    FStart = FRun;
    const unsigned char c = static_cast<unsigned char>(FLine[FRun]);
    if (c == 0) {
      FKind = 0;
      return;
    }
    if (FComment) {
      FKind = 1;
      while (FLine[FRun] && !(FLine[FRun] == '*' && FLine[FRun + 1] == '/')) ++FRun;
      if (FLine[FRun]) {
        FRun += 2;
        FComment = 0;
      }
      return;
    }
    if (c == '/' && FLine[FRun + 1] == '*') {
      FKind = 1;
      FComment = 1;
      FRun += 2;
      return;
    }
    const int cls = Class(c);
    FKind = 2 + cls;
    do ++FRun;
    while (FLine[FRun] && Class(static_cast<unsigned char>(FLine[FRun])) == cls &&
           !(FLine[FRun] == '/' && FLine[FRun + 1] == '*'));
  }

private:
  static int Class(unsigned char c) {
    if (c == ' ' || c == '\t') return 0;
    if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') return 1;
    if (c >= '0' && c <= '9') return 1;
    if (c == '_') return 1;
    return 2;
  }
  const char* FLine = "";
  size_t FRun = 0, FStart = 0;
  int FKind = 0;
  TktRange FComment = 0;
};
