// The page layout of a print run: cells, clipping, page breaks, header and
// footer lines, highlighting.
#include "editor/Print.h"

#include <algorithm>
#include <ctime>
#include <vector>

#include "editor/EditList.h"
#include "editor/HighlightAttributes.h"
#include "editor/Highlighter.h"
#include "platform/SysUtils.h"

namespace {

// The editor's fonts are described at the screen's resolution.
constexpr int kScreenPixelsPerInch = 96;

void DefaultDateTimeText(std::string& date, std::string& time) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char text[32];
  std::strftime(text, sizeof text, "%d/%m/%Y", &local);
  date = text;
  std::strftime(text, sizeof text, "%H:%M", &local);
  time = text;
}

TktDateTimeTextSource gDateTimeSource = &DefaultDateTimeText;

class TPageWriter {
public:
  TPageWriter(IktPrintDevice& device, const TktPrintDocument& document,
              const TktPrintOptions& options, const TktPrintStatusCallback& status)
      : FDevice(device), FCanvas(device.Canvas()), FDocument(document), FOptions(options),
        FStatus(status) {}

  bool Run();

private:
  bool Status(TktPrintStatus status, int page) {
    bool abort = false;
    if (FStatus) FStatus(status, page, abort);
    return abort;
  }
  void PlainFont() {
    FCanvas.SetFontStyle(TFontStyles());
    FCanvas.SetFontColor(clBlack);
    FCanvas.SetBrushStyle(bsClear);
  }
  TRect Row(int y) const { return TRect(FLeft, y, FDevice.PageWidth() - FRight, y + FLineHeight); }
  void PrintLines(const TStringList& lines, int& y);
  void PrintFooter();
  void PrintLine(int line, int y);
  void DrawPiece(std::string_view text, int x, const TRect& clip);

  IktPrintDevice& FDevice;
  ICanvas& FCanvas;
  const TktPrintDocument& FDocument;
  const TktPrintOptions& FOptions;
  const TktPrintStatusCallback& FStatus;
  TktPrintMacros FMacros;
  int FLeft = 0, FTop = 0, FRight = 0, FBottom = 0;
  int FCharWidth = 1;
  int FLineHeight = 1;
  std::vector<int> FAdvances;
};

bool TPageWriter::Run() {
  CurrentDateTimeText(FMacros.Date, FMacros.Time);
  FMacros.Title = FOptions.Title;

  TFontData font = FDocument.Font;
  font.Height = FontSizeToHeight(FontHeightToSize(font.Height, kScreenPixelsPerInch),
                                 FDevice.PixelsPerInchY());
  FCanvas.SetFont(font);
  // The layout is worked out before the job starts, so that a page with no
  // room for text prints nothing at all rather than a page per line.
  FLeft = MarginToPixels(FOptions.Margins.Left, FOptions.MarginUnits, FDevice.PixelsPerInchX());
  FRight = MarginToPixels(FOptions.Margins.Right, FOptions.MarginUnits, FDevice.PixelsPerInchX());
  FTop = MarginToPixels(FOptions.Margins.Top, FOptions.MarginUnits, FDevice.PixelsPerInchY());
  FBottom = MarginToPixels(FOptions.Margins.Bottom, FOptions.MarginUnits, FDevice.PixelsPerInchY());
  const TTextMetrics metrics = FCanvas.GetTextMetrics();
  FCharWidth = std::max(metrics.AveCharWidth, 1);
  FLineHeight = std::max(metrics.Height + metrics.ExternalLeading + FDocument.ExtraLineSpacing, 1);
  const int headerHeight = FOptions.Header.GetCount() * FLineHeight;
  const int footerHeight = FOptions.Footer.GetCount() * FLineHeight;
  const int pageBottom = FDevice.PageHeight() - FBottom;
  if (FTop + headerHeight + FLineHeight + footerHeight > pageBottom)
    throw EPrintLayout("No line of text fits on the page between the margins, header and footer");

  FDevice.BeginDoc();
  if (Status(psBegin, 0)) {
    FDevice.Abort();
    return false;
  }

  const bool highlight = FOptions.Highlighted && FDocument.Highlighter;
  const int first = std::max(FDocument.FirstLine, 1);
  const int last = std::min(FDocument.LastLine, FDocument.Lines->GetCount());
  if (highlight && first <= last) FDocument.Highlighter->SetRange(FDocument.Lines->GetRange(first - 1));

  FMacros.PageNumber = 1;
  int y = FTop;
  PrintLines(FOptions.Header, y);
  for (int line = first; line <= last; ++line) {
    PrintLine(line, y);
    y += FLineHeight;
    if (line < last && y + FLineHeight + footerHeight > pageBottom) {
      PrintFooter();
      FDevice.NewPage();
      ++FMacros.PageNumber;
      if (Status(psNewPage, FMacros.PageNumber)) {
        FDevice.Abort();
        return false;
      }
      y = FTop;
      PrintLines(FOptions.Header, y);
    }
  }
  PrintFooter();
  FDevice.EndDoc();
  Status(psEnd, 0);
  return true;
}

void TPageWriter::PrintLines(const TStringList& lines, int& y) {
  for (int i = 0; i < lines.GetCount(); ++i) {
    PlainFont();
    const std::string text = ExpandPrintMacros(lines.Get(i), FMacros);
    const int width = FCanvas.TextWidth(text);
    int x = FLeft;
    switch (ObjToInt(lines.GetObject(i))) {
      case kPrintAlignRight:
        x = FDevice.PageWidth() - FRight - width;
        break;
      case kPrintAlignCenter:
        x = (FLeft + FDevice.PageWidth() - FRight - width) / 2;
        break;
      default:
        break;
    }
    const TRect row = Row(y);
    FCanvas.ExtTextOut(x, y, etoClipped, &row, text, nullptr);
    y += FLineHeight;
  }
}

void TPageWriter::PrintFooter() {
  int y = FDevice.PageHeight() - FBottom - FOptions.Footer.GetCount() * FLineHeight;
  PrintLines(FOptions.Footer, y);
}

void TPageWriter::DrawPiece(std::string_view text, int x, const TRect& clip) {
  if (text.empty()) return;
  if (FAdvances.size() < text.size()) FAdvances.assign(text.size(), FCharWidth);
  const uint32_t options = FCanvas.GetBrushStyle() == bsClear ? etoClipped : etoClipped | etoOpaque;
  // The opaque box covers the piece's own cells only, inside the clip.
  TRect box = clip;
  box.Left = std::max(clip.Left, x);
  box.Right = std::min(clip.Right, x + int(text.size()) * FCharWidth);
  if (box.IsEmpty()) return;
  FCanvas.ExtTextOut(x, clip.Top, options, &box, text, FAdvances.data());
}

void TPageWriter::PrintLine(int line, int y) {
  const std::string_view text = FDocument.Lines->GetView(line - 1);
  const bool partialStart = FDocument.Column || line == std::max(FDocument.FirstLine, 1);
  const bool partialEnd = FDocument.Column || line == FDocument.LastLine;
  // Columns [from, to) of the line, 0-based.
  size_t from = partialStart ? size_t(std::max(FDocument.StartColumn, 1) - 1) : 0;
  size_t to = partialEnd ? size_t(std::max(FDocument.EndColumn, 1) - 1) : text.size();
  from = std::min(from, text.size());
  to = std::clamp(to, from, text.size());
  // x of the line's first character: a column block starts at the margin.
  const int origin =
      FLeft - (FDocument.Column ? (std::max(FDocument.StartColumn, 1) - 1) * FCharWidth : 0);
  const TRect clip = Row(y);

  if (!(FOptions.Highlighted && FDocument.Highlighter)) {
    PlainFont();
    DrawPiece(text.substr(from, to - from), origin + int(from) * FCharWidth, clip);
    return;
  }
  TktCustomHighLighter& hl = *FDocument.Highlighter;
  hl.SetLine(text, line);
  for (; !hl.AtLineEnd(); hl.Next()) {
    const std::string_view token = hl.GetToken();
    const size_t start = size_t(std::max(hl.GetTokenPos(), 0));
    const size_t a = std::max(start, from);
    const size_t b = std::min(start + token.size(), to);
    if (a >= b) continue;
    const TktHighLightAttributes* attribute = hl.GetTokenAttribute();
    TFontStyles style;
    TColor foreground = FDocument.FontColor;
    TColor background = clNone;
    if (attribute) {
      style = attribute->GetStyle();
      if (attribute->GetForeground() != clNone) foreground = attribute->GetForeground();
      background = attribute->GetBackground();
    }
    FCanvas.SetFontStyle(style);
    if (FOptions.Monochrome || background == clNone || background == FDocument.Color) {
      FCanvas.SetBrushStyle(bsClear);  // the page's own colour
    } else {
      FCanvas.SetBrushStyle(bsSolid);
      FCanvas.SetBrushColor(background);
    }
    FCanvas.SetFontColor(FOptions.Monochrome ? clBlack : foreground);
    DrawPiece(token.substr(a - start, b - a), origin + int(a) * FCharWidth, clip);
  }
}

}  // namespace

TktDateTimeTextSource SetDateTimeTextSource(TktDateTimeTextSource source) {
  TktDateTimeTextSource previous = gDateTimeSource;
  gDateTimeSource = source ? source : &DefaultDateTimeText;
  return previous;
}

void CurrentDateTimeText(std::string& date, std::string& time) { gDateTimeSource(date, time); }

std::string ExpandPrintMacros(std::string_view line, const TktPrintMacros& macros) {
  std::string result;
  size_t pos = 0;
  while (pos < line.size()) {
    const size_t open = line.find('$', pos);
    if (open == std::string_view::npos) break;
    const size_t close = line.find('$', open + 1);
    if (close == std::string_view::npos) break;
    result.append(line, pos, open - pos);
    const std::string name = UpperCase(Trim(line.substr(open + 1, close - open - 1)));
    if (close == open + 1) result += '$';
    else if (name == "PAGENUM") result += IntToStr(macros.PageNumber);
    else if (name == "TITLE") result += macros.Title;
    else if (name == "TIME") result += macros.Time;
    else if (name == "DATE") result += macros.Date;
    else if (name == "DATETIME") result += macros.Date + " " + macros.Time;
    else if (name == "TIMEDATE") result += macros.Time + " " + macros.Date;
    else result += name;
    pos = close + 1;
  }
  result.append(line, pos);
  return result;
}

int MarginToPixels(int value, TktMarginUnits units, int pixelsPerInch) {
  switch (units) {
    case kmuThousandthsOfInch:
      return int(int64_t(value) * pixelsPerInch / 1000);
    case kmuMillimetres:
      // Worked out in one step: dividing by 1000 first would lose most of a
      // millimetre margin at screen resolutions.
      return int(int64_t(value) * pixelsPerInch * 10 / 254);
    default:
      return value;
  }
}

bool PrintDocument(IktPrintDevice& device, const TktPrintDocument& document,
                   const TktPrintOptions& options, const TktPrintStatusCallback& status) {
  // Before the page writer takes the canvas: a printer may make its
  // context (and canvas) anew for the copies.
  device.SetCopies(options.Copies);
  device.SetTitle(options.Title);
  return TPageWriter(device, document, options, status).Run();
}
