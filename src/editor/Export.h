// TktCustomExport: the base of the exporters (RTF, HTML). An exporter walks
// lines through the document's highlighter; for every token the highlighter
// calls FormatToken, which appends formatted text to the exporter's buffer.
// This unit holds what highlighters are written against; the export loop,
// Init and the clipboard transfer belong to the editing control's exporters.
#pragma once

#include <string>
#include <string_view>

#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/Streams.h"

class TktHighLightAttributes;

class TktCustomExport : public TComponent {
public:
  explicit TktCustomExport(TComponent* owner);
  ~TktCustomExport() override;

  // One token of the line being exported, or the line end (attribute nullptr,
  // empty text). escape: the text may hold characters the format must
  // escape (comments, strings, symbols); space: the token is white space.
  virtual void FormatToken(std::string_view token, TktHighLightAttributes* attribute,
                           bool escape, bool space) = 0;

  virtual std::string GetExporterName() const = 0;
  // The buffer's contents.
  virtual std::string GetBufferString() const;
  virtual std::string GetHeader() const;  // base: empty
  virtual std::string GetFooter() const;  // base: empty
  // The clipboard format the exporter's text goes under (base: 1, plain text).
  virtual unsigned GetClipboardFormat() const;
  virtual std::string GetDefaultFilter() const;
  virtual void SetDefaultFilter(const std::string& value);  // stores a different text only
  // Empties the buffer, sets the format in progress to 0 and forgets the
  // last attribute written.
  virtual void Clear();

  // Writes the buffer to the file (EFCreateError when it cannot be made).
  void SaveToFile(const std::string& fileName) const;

  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& value);  // empty stores "(Untitled)"
  bool GetUseBackground() const { return FUseBackground; }
  void SetUseBackground(bool value) { FUseBackground = value; }

protected:
  // The formatted text so far.
  TMemoryStream& Buffer() { return FBuffer; }
  const TMemoryStream& Buffer() const { return FBuffer; }
  void AppendToBuffer(std::string_view text);

  // What the last token set, so formats with state (RTF) write changes only.
  // Cleared by Clear and at every line end.
  bool FLastAttributeValid = false;
  TColor FLastBackground = clNone;
  TColor FLastForeground = clNone;
  TFontStyles FLastStyle;
  void ForgetLastAttribute() { FLastAttributeValid = false; }

  // The clipboard format the current export runs for (0 for a file).
  unsigned FClipboardFormatInProgress = 0;

private:
  std::string FTitle = "(Untitled)";
  bool FUseBackground = false;
  std::string FDefaultFilter;
  TMemoryStream FBuffer;
};
