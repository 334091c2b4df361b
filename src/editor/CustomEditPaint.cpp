// Painting: which lines and columns a paint covers, the gutter (line numbers,
// its edge, mark glyphs), and the text row by row -- tokens coloured by the
// highlighter, runs of equal look merged into one text call and split only
// where the selection begins and ends, special lines, the fill past each
// line's end and the right edge. Everything goes through the canvas and the
// text drawer, so the decisions are checked on a recording canvas.
//
// Cost: only the rows and columns inside the clip rectangle are looked at;
// a row's tokens are read from its start up to the last painted column.
#include "editor/CustomEdit.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "editor/CustomEditInternal.h"
#include "editor/CustomEditPaint.h"
#include "editor/SupportProcs.h"

using namespace tq_edit_detail;

namespace {

// Closes the drawer's bracket however the painting ends.
class TDrawingGuard {
public:
  TDrawingGuard(ITextDrawer& drawer, ICanvas& canvas) : FDrawer(drawer) { FDrawer.BeginDrawing(canvas); }
  ~TDrawingGuard() { FDrawer.EndDrawing(); }
  TDrawingGuard(const TDrawingGuard&) = delete;
  TDrawingGuard& operator=(const TDrawingGuard&) = delete;

private:
  ITextDrawer& FDrawer;
};

bool AllBlanks(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

// The editor's background: its Color, or the background of the
// highlighter's whitespace attribute when it has one (a highlighter without
// that attribute leaves the Color).
TColor EditorBackground(const TktCustomEdit& edit) {
  if (TktCustomHighLighter* hl = edit.GetHighLighter())
    if (TktHighLightAttributes* space = hl->GetDefaultAttribute(0))
      if (space->GetBackground() != clNone) return space->GetBackground();
  return edit.GetColor();
}

// One text row being painted: its colours, its selected range and the run
// of tokens of equal look waiting to be drawn. Columns are 1-based, ranges
// half-open.
struct TRowPainter {
  explicit TRowPainter(ITextDrawer& drawer) : Drawer(drawer) {}
  ITextDrawer& Drawer;
  int CharWidth = 1;
  int TextOffset = 0;  // x of column 1
  int Top = 0;
  int Bottom = 0;
  int ClipRight = 0;
  int FirstCol = 1;
  int LastCol = 1;
  std::string_view Text;  // the row's text, tabs expanded

  // Selection: [SelFrom, SelTo) when HasRange; Complex when it begins or
  // ends inside the painted columns; WholeLine when every painted column is
  // selected (the fill past the end is then selected up to the window edge).
  bool HasRange = false;
  int SelFrom = 0;
  int SelTo = 0;
  bool Complex = false;
  bool WholeLine = false;

  bool Special = false;
  TColor LineFg = clBlack;
  TColor LineBg = clWhite;
  TColor SelFg = clWhite;
  TColor SelBg = clBlack;

  bool RunEmpty = true;
  int RunStart = 0;
  int RunEnd = 0;
  TColor RunFg = clBlack;
  TColor RunBg = clWhite;
  TFontStyles RunStyle;

  int ColumnX(int column) const { return (column - 1) * CharWidth + TextOffset; }

  // Text of columns [from, to) in its own opaque, clipped cell rectangle.
  void DrawText(int from, int to, TColor fg, TColor bg) {
    if (to <= from) return;
    Drawer.SetForeColor(fg);
    Drawer.SetBackColor(bg);
    const TRect r(ColumnX(from), Top, ColumnX(to), Bottom);
    Drawer.ExtTextOut(r.Left, Top, etoOpaque | etoClipped, &r,
                      Text.substr(size_t(from - 1), size_t(to - from)));
  }

  // Pixels [left, right) of the row in bg, through the drawer (an opaque
  // empty text), so the canvas's own brush is left alone while drawing.
  void Fill(int left, int right, TColor bg) {
    if (right <= left) return;
    Drawer.SetBackColor(bg);
    const TRect r(left, Top, right, Bottom);
    Drawer.ExtTextOut(left, Top, etoOpaque, &r, std::string_view());
  }

  void AddToken(int from, int to, std::string_view token, TColor fg, TColor bg, TFontStyles style) {
    if (to <= from) return;
    const bool blanks = AllBlanks(token);
    const bool sameLook =
        Special || WholeLine || (bg == RunBg && (fg == RunFg || blanks));
    if (!RunEmpty && (style == RunStyle || blanks) && sameLook) {
      RunEnd = to;
      return;
    }
    Flush();
    RunEmpty = false;
    RunStart = from;
    RunEnd = to;
    RunFg = fg;
    RunBg = bg;
    RunStyle = style;
  }

  void Flush() {
    if (RunEmpty) return;
    RunEmpty = true;
    const TColor fg = Special ? LineFg : RunFg;
    const TColor bg = Special ? LineBg : RunBg;
    Drawer.SetStyle(RunStyle);
    if (Complex && HasRange && SelFrom < RunEnd && SelTo > RunStart) {
      DrawText(RunStart, std::min(SelFrom, RunEnd), fg, bg);
      DrawText(std::max(SelFrom, RunStart), std::min(SelTo, RunEnd), SelFg, SelBg);
      DrawText(std::max(SelTo, RunStart), RunEnd, fg, bg);
    } else if (WholeLine) {
      DrawText(RunStart, RunEnd, SelFg, SelBg);
    } else {
      DrawText(RunStart, RunEnd, fg, bg);
    }
  }

  // The rest of the row after the text, split at the selected range.
  void FillToEnd(TColor editorBg) {
    Flush();
    const int left = ColumnX(std::max(int(Text.size()) + 1, FirstCol));
    const TColor bg = Special ? LineBg : editorBg;
    if (left >= ClipRight) return;
    if (!HasRange) {
      Fill(left, ClipRight, bg);
      return;
    }
    const int selLeft = std::clamp(ColumnX(SelFrom), left, ClipRight);
    const int selRight = WholeLine ? ClipRight : std::clamp(ColumnX(SelTo), selLeft, ClipRight);
    Fill(left, selLeft, bg);
    Fill(selLeft, selRight, SelBg);
    Fill(selRight, ClipRight, bg);
  }
};

}  // namespace

// --- the paint pass -------------------------------------------------------------

void TktCustomEdit::Paint(ICanvas& canvas) {
  const TRect clip = canvas.GetClipRect();
  if (clip.IsEmpty()) return;
  // The rows and columns the clip touches, and not one more: a paint after
  // an edit costs the damaged rows only.
  const int textEdge = FGutterWidth + 2;
  const int firstCol = FLeftChar + std::max(0, clip.Left - textEdge) / FCharWidth;
  const int lastCol = FLeftChar + std::max(0, clip.Right - 1 - textEdge) / FCharWidth;
  const int firstLine = FTopLine + std::max(0, clip.Top) / FLineHeight;
  const int lastLine =
      std::min(FTopLine + std::max(0, clip.Bottom - 1) / FLineHeight, FLines->GetCount());

  // Painted while a scroll waits: these rows are drawn in the new top
  // line's terms and the scroll would move them, so the whole window is
  // painted again when the lock ends.
  if (FStateFlags & sfScrollPending) FScrollFromTop = kRepaintAll;
  HideCaret();
  if (clip.Left < FGutterWidth) {
    TRect gutter = clip;
    gutter.Right = std::min(gutter.Right, FGutterWidth);
    PaintGutter(canvas, gutter, firstLine, lastLine);
  }
  if (clip.Right > FGutterWidth) {
    TRect text = clip;
    text.Left = std::max(text.Left, FGutterWidth);
    PaintTextLines(canvas, text, firstLine, lastLine, firstCol, lastCol);
  }
  if (OnPaint) {
    canvas.SetFont(FFont);
    canvas.SetBrushColor(FColor);
    OnPaint(this, canvas);
  }
  UpdateCaret();
}

// --- the gutter -------------------------------------------------------------------

void TktCustomEdit::PaintGutter(ICanvas& canvas, const TRect& clip, int firstLine, int lastLine) {
  const TColor gutterColor = FGutter->GetColor();
  canvas.SetBrushStyle(bsSolid);
  canvas.SetBrushColor(gutterColor);
  if (FGutter->GetShowLineNumbers()) {
    {
      TDrawingGuard drawing(*FTextDrawer, canvas);
      FTextDrawer->SetBackColor(gutterColor);
      FTextDrawer->SetForeColor(FFont.Color);
      FTextDrawer->SetStyle(FGutter->GetUseFontStyle() ? FFont.Style : TFontStyles());
      for (int line = firstLine; line <= lastLine; ++line) {
        const int top = (line - FTopLine) * FLineHeight;
        const TRect row(clip.Left, top, clip.Right, top + FLineHeight);
        FTextDrawer->ExtTextOut(FGutter->GetLeftOffset(), top, etoOpaque | etoClipped, &row,
                                FGutter->FormatLineNumber(line));
      }
    }
    const int below = (std::max(lastLine, firstLine - 1) - FTopLine + 1) * FLineHeight;
    const TRect rest(clip.Left, std::max(below, clip.Top), clip.Right, clip.Bottom);
    if (!rest.IsEmpty()) canvas.FillRect(rest);
  } else {
    canvas.FillRect(clip);
  }

  if (clip.Right >= FGutterWidth - 2 && FGutterWidth >= 2) {
    canvas.SetPenWidth(1);
    canvas.SetPenStyle(psSolid);
    canvas.SetPenColor(clBtnHighlight);
    canvas.MoveTo(FGutterWidth - 2, clip.Top);
    canvas.LineTo(FGutterWidth - 2, clip.Bottom);
    canvas.SetPenColor(clBtnShadow);
    canvas.MoveTo(FGutterWidth - 1, clip.Top);
    canvas.LineTo(FGutterWidth - 1, clip.Bottom);
  }

  if (!FBookMarkOpt->GetGlyphsVisible() || FMarkList->GetCount() == 0 || lastLine < firstLine)
    return;
  auto* images = dynamic_cast<IktMarkImages*>(FBookMarkOpt->GetBookmarkImages());
  // Per row, how far right the next glyph goes: plain marks first, then the
  // bookmarks, so a bookmark stands right of the other marks of its line.
  std::vector<int> rowOffset(size_t(lastLine - firstLine + 1), 0);
  for (const bool bookmarks : {false, true}) {
    for (int i = 0; i < FMarkList->GetCount(); ++i) {
      const TMark* mark = FMarkList->GetItem(i);
      if (mark->IsBookmark() != bookmarks || !mark->GetVisible()) continue;
      const int line = mark->GetLine();
      if (line < firstLine || line > lastLine) continue;
      int& offset = rowOffset[size_t(line - firstLine)];
      const int x = FBookMarkOpt->GetLeftMargin() + offset;
      const int y = (line - FTopLine) * FLineHeight;
      const int index = mark->GetImageIndex();
      if (images && !mark->GetInternalImage()) {
        if (index >= 0 && index < images->GetImageCount()) images->DrawImage(canvas, index, x, y);
      } else {
        DrawInternalMarkGlyph(canvas, index, x, y, FLineHeight);
      }
      offset += FBookMarkOpt->GetXoffset();
    }
  }
}

// --- the text -----------------------------------------------------------------------

void TktCustomEdit::PaintTextLines(ICanvas& canvas, const TRect& clip, int firstLine,
                                   int lastLine, int firstCol, int lastCol) {
  const TColor background = EditorBackground(*this);
  const int textOffset = GetTextOffset();
  const int edgeX = FRightEdge * FCharWidth + textOffset;
  const bool drawEdge = FRightEdge > 0 && edgeX >= clip.Left && edgeX < clip.Right;

  canvas.SetBrushStyle(bsSolid);
  canvas.SetBrushColor(background);
  // The strip between the gutter and the first column.
  if (clip.Left < FGutterWidth + 2) {
    const TRect strip(std::max(clip.Left, FGutterWidth), clip.Top,
                      std::min(clip.Right, FGutterWidth + 2), clip.Bottom);
    if (!strip.IsEmpty()) canvas.FillRect(strip);
  }

  if (firstLine <= lastLine) {
    // The selection, ordered (columns too, in column mode).
    TPoint selStart = GetBlockBegin();
    TPoint selEnd = GetBlockEnd();
    const bool anySelection = SelAvail() && !(FHideSelection && !Focused()) &&
                              selStart.Y <= lastLine && selEnd.Y >= firstLine;
    if (FSelectionMode == smColumn && selStart.X > selEnd.X) std::swap(selStart.X, selEnd.X);

    const TktTabExpander expand = ChooseTabExpander(FTabWidth);
    std::string expanded;
    TDrawingGuard drawing(*FTextDrawer, canvas);
    FTextDrawer->SetStyle(FFont.Style);
    TRowPainter row(*FTextDrawer);
    row.CharWidth = FCharWidth;
    row.TextOffset = textOffset;
    row.ClipRight = clip.Right;
    row.FirstCol = firstCol;
    row.LastCol = lastCol;

    for (int line = firstLine; line <= lastLine; ++line) {
      std::string_view text = FLines->GetView(line - 1);
      if (std::memchr(text.data(), '\t', text.size())) {
        expanded = expand(text, FTabWidth);
        text = expanded;
      }
      row.Text = text;
      row.Top = (line - FTopLine) * FLineHeight;
      row.Bottom = row.Top + FLineHeight;

      // The selected columns of this row.
      row.HasRange = false;
      row.Complex = false;
      if (anySelection && line >= selStart.Y && line <= selEnd.Y) {
        row.HasRange = true;
        row.SelFrom = firstCol;
        row.SelTo = lastCol + 1;
        if (FSelectionMode == smColumn || (FSelectionMode == smNormal && line == selStart.Y)) {
          int from = selStart.X;
          if (FSelectionMode == smColumn && IsTrailByte(text, size_t(from - 1))) ++from;
          if (from > lastCol) {
            row.HasRange = false;
          } else if (from > firstCol) {
            row.SelFrom = from;
            row.Complex = true;
          }
        }
        if (row.HasRange &&
            (FSelectionMode == smColumn || (FSelectionMode == smNormal && line == selEnd.Y))) {
          int to = selEnd.X;
          if (FSelectionMode == smColumn && IsTrailByte(text, size_t(to - 1))) ++to;
          if (to < firstCol) {
            row.HasRange = false;
          } else if (to < lastCol) {
            row.SelTo = to;
            row.Complex = true;
          }
        }
      }
      row.WholeLine = row.HasRange && !row.Complex;

      // Colours: a special line keeps its own, and shows its selection inverted.
      row.LineFg = FFont.Color;
      row.LineBg = background;
      row.Special = DoSpecialLineColors(line, row.LineFg, row.LineBg);
      if (row.Special) {
        row.SelFg = row.LineBg;
        row.SelBg = row.LineFg;
      } else {
        row.SelFg = FSelectedColor->GetForeground();
        row.SelBg = FSelectedColor->GetBackground();
      }

      row.RunEmpty = true;
      const int textEnd = int(text.size()) + 1;  // column after the last character
      if (!FHighLighter) {
        const int to = std::min(textEnd, lastCol + 1);
        if (firstCol < to)
          row.AddToken(firstCol, to, std::string_view(), row.LineFg, row.LineBg, FFont.Style);
      } else {
        FHighLighter->SetRange(FLines->GetRange(line - 1));
        FHighLighter->SetLine(text, line - 1);
        while (!FHighLighter->AtLineEnd()) {
          const std::string_view token = FHighLighter->GetToken();
          const int start = FHighLighter->GetTokenPos() + 1;
          const int end = start + int(token.size());  // exclusive
          if (start > lastCol) break;
          // Empty tokens and tokens left of the painted columns draw nothing.
          if (!token.empty() && end > firstCol) {
            TColor fg = row.LineFg;
            TColor bg = row.LineBg;
            TFontStyles style = FFont.Style;
            if (const TktHighLightAttributes* attr = FHighLighter->GetTokenAttribute()) {
              if (attr->GetForeground() != clNone) fg = attr->GetForeground();
              if (attr->GetBackground() != clNone) bg = attr->GetBackground();
              style = attr->GetStyle();
            }
            row.AddToken(std::max(start, firstCol), std::min(end, lastCol + 1), token, fg, bg,
                         style);
          }
          FHighLighter->Next();
        }
      }
      row.FillToEnd(background);
    }
  }

  // Below the last line, and the right edge over the whole height.
  const int below = (std::max(lastLine, firstLine - 1) - FTopLine + 1) * FLineHeight;
  const TRect rest(clip.Left, std::max(below, clip.Top), clip.Right, clip.Bottom);
  if (!rest.IsEmpty()) {
    canvas.SetBrushColor(background);
    canvas.FillRect(rest);
  }
  if (drawEdge) {
    canvas.SetPenWidth(1);
    canvas.SetPenStyle(psSolid);
    canvas.SetPenColor(FRightEdgeColor);
    canvas.MoveTo(edgeX, clip.Top);
    canvas.LineTo(edgeX, clip.Bottom + 1);
  }
}
