// The print command's options from the dialog's values.
#include "app/output/PrintOptions.h"

#include <algorithm>

#include "platform/SysUtils.h"

namespace {

// Fonts in the editor are described at the screen's resolution.
constexpr int kScreenPixelsPerInch = 96;

std::string DefaultComputerName() { return "COMPUTER"; }

TComputerNameSource gComputerNameSource = &DefaultComputerName;

void AddLine(TStringList& list, const std::string& text, int item) {
  list.AddObject(text, IntToObj(PrintAlignmentOfItem(item)));
}

// The generated line: one only, the last checked of page, date and
// computer name counting most.
std::string GeneratedLine(const TPrintLinesValues& v) {
  if (v.Computer) return CurrentComputerName();
  if (v.Date) return "Date: $time$ $date$";
  if (v.Page) return "Page: $pagenum$";
  return std::string();
}

void FillLines(TStringList& list, const TPrintLinesValues& v) {
  if (!v.Enabled) return;
  const std::string line = GeneratedLine(v);
  if (!line.empty()) AddLine(list, line, v.H);
  if (v.Custom) {
    // The memo's lines take the place of whatever the list held.
    list.Clear();
    for (const std::string& memoLine : v.Memo) AddLine(list, memoLine, v.H);
  }
}

}  // namespace

TComputerNameSource SetComputerNameSource(TComputerNameSource source) {
  TComputerNameSource previous = gComputerNameSource;
  gComputerNameSource = source ? source : &DefaultComputerName;
  return previous;
}

std::string CurrentComputerName() { return gComputerNameSource(); }

intptr_t PrintAlignmentOfItem(int item) {
  switch (item) {
    case 0:
      return kPrintAlignRight;
    case 2:
      return kPrintAlignCenter;
    default:
      return kPrintAlignLeft;
  }
}

TktPrintOptions BuildPrintOptions(const TPrintDialogValues& values, const TPrintDocumentInfo& document) {
  TktPrintOptions options;
  // A negative margin would put text off the paper.
  options.Margins = TRect(std::max(values.LeftMargin, 0), std::max(values.TopMargin, 0),
                          std::max(values.RightMargin, 0), std::max(values.BottomMargin, 0));
  if (values.IsTitle) {
    const std::string title = values.TitleFileName ? "$title$" : "File: " + values.TitleMessage;
    AddLine(values.TitleV == 0 ? options.Header : options.Footer, title, values.TitleH);
    options.Title = document.FileName;
  }
  FillLines(options.Header, values.Header);
  FillLines(options.Footer, values.Footer);
  options.SelectedOnly = values.SelectedOnly;
  switch (values.Units) {
    case puPixels:
      options.MarginUnits = kmuPixels;
      break;
    case puThousandthsOfInch:
      options.MarginUnits = kmuThousandthsOfInch;
      break;
    default:
      options.MarginUnits = kmuMillimetres;
      break;
  }
  options.WrapLines = values.WrapLines;
  options.Monochrome = values.IgnoreColors;
  options.Highlighted = values.Highlighted && document.HasHighlighter;
  options.Copies = std::max(values.Copies, 1);
  return options;
}

TFontData PrintFontFor(const TFontData& editorFont) {
  TFontData font = editorFont;
  if (LowerCase(editorFont.Name) == "fixedsys") {
    font.Name = "Courier New";
    font.Height = FontSizeToHeight(12, kScreenPixelsPerInch);
  }
  return font;
}
