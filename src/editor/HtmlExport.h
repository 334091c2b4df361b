// TktHtmlExport: highlighted text as HTML, for a file or the clipboard
// format "HTML Format" (the system's HTML clipboard format with its offset
// header). The output is pure ASCII: markup characters are escaped, and
// every byte from 128 up is written as a character reference of the
// character it stands for in the system's ANSI code page (named entities for
// the few the format has always had), so the text survives in any code page
// and in the UTF-8 clipboard format alike.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/Export.h"

enum TktFontSize : uint8_t { fs01, fs02, fs03, fs04, fs05, fs06, fs07 };

class TktHtmlExport : public TktCustomExport {
public:
  explicit TktHtmlExport(TComponent* owner);
  ~TktHtmlExport() override;

  void FormatToken(std::string_view token, TktHighLightAttributes* attribute, bool escape,
                   bool space) override;
  std::string GetExporterName() const override;  // "HTML"
  // Also takes the editor's background colour as BackGround when
  // UseBackground is on.
  void Init(const TktExportDocument& document, TktCustomHighLighter* highlighter,
            int sizeHint) override;
  std::string GetHeader() const override;
  std::string GetFooter() const override;
  // The format registered under "HTML Format" (registered on first use).
  unsigned GetClipboardFormat() const override;

  static TktHtmlExport* SharedInstance();

  // Setting either colour to a system colour sets BackGround to white and
  // PlainText to black instead.
  TColor GetBackGround() const { return FBackGround; }
  void SetBackGround(TColor value);
  TColor GetPlainText() const { return FPlainText; }
  void SetPlainText(TColor value);
  // No html, head and body around the text.
  bool GetCreateHTMLFragment() const { return FCreateHTMLFragment; }
  void SetCreateHTMLFragment(bool value) { FCreateHTMLFragment = value; }
  TktFontSize GetFontSize() const { return FFontSize; }
  void SetFontSize(TktFontSize value) { FFontSize = value; }

  // text with every character escaped as in the output.
  std::string HtmlText(std::string_view text) const;

private:
  // The tags that open and close a token of one attribute.
  struct TTags {
    const TktHighLightAttributes* Attribute;
    bool Space;
    TColor Foreground;
    TColor Background;
    TFontStyles Style;
    std::string Open;
    std::string Close;
  };
  const TTags& TagsFor(const TktHighLightAttributes& attribute, bool space);
  void BuildReferences();
  // pendingLead carries a lead byte that ended one piece of text over to the
  // next, so a double-byte character split between two tokens stays whole
  // (-1: none).
  void AppendEscaped(TktExportBuffer& out, std::string_view text, int& pendingLead) const;
  void AppendLoneLeadByte(TktExportBuffer& out, int& pendingLead) const;
  void FlushPending() override;
  bool ForClipboard() const;

  TColor FBackGround = clWhite;
  TColor FPlainText = clBlack;
  bool FCreateHTMLFragment = false;
  TktFontSize FFontSize = fs03;
  mutable unsigned FClipboardFormat = 0;

  std::vector<TTags> FTags;
  int FPendingLead = -1;
  size_t FLastTags = 0;
  // How each byte is written: kind 0 as it is, 1 as its reference, 2 as
  // the lead byte of a double-byte character.
  uint8_t FByteKind[256];
  std::array<std::array<char, 12>, 256> FReference;
  uint8_t FReferenceLength[256];
};
