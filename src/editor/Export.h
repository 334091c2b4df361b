// TktCustomExport: the base of the exporters (RTF, HTML). An exporter walks
// lines of a document through its highlighter; for every token the
// highlighter calls FormatToken, which appends formatted text to the
// exporter's buffer. A header and a footer go around the result, which is
// then saved to a file or placed on the clipboard in the exporter's format.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "editor/ExportBuffer.h"
#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/Types.h"

class TktHighLightAttributes;
class TktCustomHighLighter;
class TktEditList;

// What an export reads of a document: its lines, with the highlighter range
// the line store keeps at the start of each, the selection, and the look of
// the editor that shows them.
struct TktExportDocument {
  const TktEditList* Lines = nullptr;
  TPoint BlockBegin{1, 1};  // the ordered selection (equal: none)
  TPoint BlockEnd{1, 1};
  std::string FontName = "Courier New";
  int FontSize = 10;                // points
  TColor FontColor = clWindowText;  // what text of an attribute without colour shows in
  TColor Color = clWindow;          // the editor's background
};

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
  // Prepares an export of document through highlighter: the highlighter
  // feeds this exporter, the buffer is emptied and room for sizeHint x 100
  // bytes is made. Exception "Invalid Parameter" without lines or
  // highlighter. The clipboard format in progress is kept.
  virtual void Init(const TktExportDocument& document, TktCustomHighLighter* highlighter,
                    int sizeHint);
  virtual std::string GetHeader() const;  // base: empty
  virtual std::string GetFooter() const;  // base: empty
  // The clipboard format the exporter's text goes under (base: 1, plain text).
  virtual unsigned GetClipboardFormat() const;
  virtual std::string GetDefaultFilter() const;
  virtual void SetDefaultFilter(const std::string& value);  // stores a different text only
  // Empties the buffer, sets the format in progress to 0 and forgets the
  // last attribute written.
  virtual void Clear();

  // Exports from (column, line) start to (column, line) end, 1-based; the
  // end column itself is not exported. Lines outside the document are left
  // out. Equal points abort silently (EAbort). A highlighter without export
  // operations raises EAbstractError.
  void ExportRange(TPoint start, TPoint end, TktCustomHighLighter* highlighter,
                   const TktExportDocument& document);
  // Lines first..last whole.
  void ExportLines(int first, int last, TktCustomHighLighter* highlighter,
                   const TktExportDocument& document);
  // The document's selection (block begin to block end).
  void ExportSelection(const TktExportDocument& document, TktCustomHighLighter* highlighter);
  // Writes the buffer to the file, through a temporary file beside it, so a
  // failed write leaves an older file as it was.
  void SaveToFile(const std::string& fileName) const;
  // Exports the selection for format and places the result (with a NUL
  // after it) on the export clipboard; the buffer is empty afterwards.
  void CopyToClipboardFormat(const TktExportDocument& document, TktCustomHighLighter* highlighter,
                             unsigned format);
  void CopyToClipboard(const TktExportDocument& document, TktCustomHighLighter* highlighter);

  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& value);  // empty stores "(Untitled)"
  bool GetUseBackground() const { return FUseBackground; }
  void SetUseBackground(bool value) { FUseBackground = value; }

  // The document of the export in progress (or of the last Init).
  const TktExportDocument& GetDocument() const { return FDocument; }
  // The buffer's capacity (Init reserves from its size hint).
  size_t GetBufferCapacity() const { return FBuffer.Capacity(); }

protected:
  void AppendToBuffer(std::string_view text) { FBuffer.Append(text); }
  TktExportBuffer& Buffer() { return FBuffer; }
  const TktExportBuffer& Buffer() const { return FBuffer; }

  // What the last token set, so formats with state (RTF) write changes only.
  // Cleared by Clear and at every line end.
  bool FLastAttributeValid = false;
  TColor FLastBackground = clNone;
  TColor FLastForeground = clNone;
  TFontStyles FLastStyle;
  void ForgetLastAttribute() { FLastAttributeValid = false; }

  // The clipboard format the current export runs for (0 for a file).
  unsigned FClipboardFormatInProgress = 0;

  // An attribute's colours as the editor shows them: no colour is the
  // editor's font colour (foreground) or background colour.
  TColor ShownForeground(TColor foreground) const {
    return foreground == clNone ? FDocument.FontColor : foreground;
  }
  TColor ShownBackground(TColor background) const {
    return background == clNone ? FDocument.Color : background;
  }

  // Called once after the last token, before header and footer: whatever an
  // exporter still holds back goes into the buffer here.
  virtual void FlushPending() {}

private:
  // Header in front, footer behind the buffer's contents.
  void Finish();

  std::string FTitle = "(Untitled)";
  bool FUseBackground = false;
  std::string FDefaultFilter;
  TktExportBuffer FBuffer;
  TktExportDocument FDocument;
};
