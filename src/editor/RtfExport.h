// TktRtfExport: highlighted text as a Rich Text Format document, for a file
// or the clipboard format "Rich Text Format". Formatting control words are
// written only where the token's colours or style change; the colour table
// in the header lists exactly the colours the body used, in first-use order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/Export.h"

class TktRtfExport : public TktCustomExport {
public:
  explicit TktRtfExport(TComponent* owner);
  ~TktRtfExport() override;

  void FormatToken(std::string_view token, TktHighLightAttributes* attribute, bool escape,
                   bool space) override;
  std::string GetExporterName() const override;  // "RTF"
  void Init(const TktExportDocument& document, TktCustomHighLighter* highlighter,
            int sizeHint) override;
  std::string GetHeader() const override;
  std::string GetFooter() const override;  // "}"
  // The format registered under "Rich Text Format" (registered on first use).
  unsigned GetClipboardFormat() const override;
  void Clear() override;

  // One instance made on demand, forgotten when it is destroyed.
  static TktRtfExport* SharedInstance();

  // The colours the body used so far, in first-use order (RTF colour numbers).
  const std::vector<TColor>& GetColors() const { return FColors; }
  // "\fs" and twice the editor font's point size ("\fs10" before any Init).
  const std::string& GetFontSizeText() const { return FFontSizeText; }

private:
  int ColorIndex(TColor color);
  // Appends text with "\", "{" and "}" escaped, double-byte characters as
  // "\'xx\'yy" and control characters other than TAB as "\'xx".
  void AppendEscaped(std::string_view text);
  std::string RtfText(std::string_view text) const;
  void BuildByteClasses();

  uint8_t FByteClass[256];

  std::vector<TColor> FColors;
  std::string FFontSizeText = "\\fs10";
  mutable unsigned FClipboardFormat = 0;
};
