// The editing control's printing: which part of the text, in which font.
#include <algorithm>
#include <climits>

#include "editor/CustomEdit.h"

bool TktCustomEdit::Print(IktPrintDevice& printer, const TktPrintOptions& options,
                          const TFontData* printFont) {
  if (options.SelectedOnly && !SelAvail()) return false;
  TktPrintDocument document;
  document.Lines = FLines.get();
  document.Highlighter = FHighLighter;
  document.Font = printFont ? *printFont : FFont;
  document.FontColor = FFont.Color;
  document.Color = FColor;
  document.ExtraLineSpacing = FExtraLineSpacing;
  document.FirstLine = 1;
  document.LastLine = FLines->GetCount();
  if (options.SelectedOnly) {
    const TPoint begin = GetBlockBegin();
    const TPoint end = GetBlockEnd();
    document.FirstLine = begin.Y;
    document.LastLine = end.Y;
    switch (FSelectionMode) {
      case smLine:  // the selected lines whole
        break;
      case smColumn:
        document.Column = true;
        document.StartColumn = std::min(begin.X, end.X);
        document.EndColumn = std::max(begin.X, end.X);
        break;
      default:
        document.StartColumn = begin.X;
        document.EndColumn = end.X;
        break;
    }
  } else {
    const TRect& range = options.PrintRange;
    if (range.Top >= 1 && range.Bottom >= range.Top) {
      document.FirstLine = range.Top;
      document.LastLine = range.Bottom;
      document.StartColumn = std::max(range.Left, 1);
      document.EndColumn = range.Right >= 1 ? range.Right : INT_MAX;
    }
  }
  return PrintDocument(printer, document, options,
                       [this](TktPrintStatus status, int page, bool& abort) {
                         DoPrintStatus(status, page, abort);
                       });
}
