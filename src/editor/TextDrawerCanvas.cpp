// The canvas-only text drawer.
#include "editor/TextDrawerCanvas.h"

#include "platform/RecordingCanvas.h"

TCanvasTextDrawer::TCanvasTextDrawer(TFontStyles baseStyle, const TFontData& baseFont,
                                     std::unique_ptr<ICanvas> measureCanvas)
    : FMeasure(std::move(measureCanvas)), FBaseStyle(baseStyle) {
  if (!FMeasure) FMeasure = std::make_unique<TRecordingCanvas>();
  SetBaseFont(baseFont);
}

TCanvasTextDrawer::~TCanvasTextDrawer() {
  while (IsDrawing()) EndDrawing();
}

TFontData TCanvasTextDrawer::StyleFont(TFontStyles style) const {
  TFontData f = FBaseFont;
  f.Style = style;
  f.Color = FForeColor;
  return f;
}

const TTextCell& TCanvasTextDrawer::Cell(TFontStyles style) {
  int slot = FontStyleSlot(style);
  if (!FMeasured[slot]) {
    FMeasure->SetFont(StyleFont(style));
    TTextMetrics tm = FMeasure->GetTextMetrics();
    TABCWidths m;
    bool haveM = FMeasure->GetCharABCWidths('M', m);
    TTextCell cell = MeasureTextCell(tm, haveM ? &m : nullptr);
    if (tm.DoubleByte && tm.CharSet == SHIFTJIS_CHARSET_ID) {
      TABCWidths p1, p2;
      bool have1 = FMeasure->GetCharABCWidths(kDBProbeChar1, p1);
      bool have2 = FMeasure->GetCharABCWidths(kDBProbeChar2, p2);
      cell.DBCharWidth = DoubleByteCellWidth(true, tm.CharSet, cell.CharWidth,
                                             have1 ? &p1 : nullptr, have2 ? &p2 : nullptr);
    }
    FCells[slot] = cell;
    FMeasured[slot] = true;
  }
  return FCells[slot];
}

void TCanvasTextDrawer::TakeBaseCell() {
  const TTextCell& cell = Cell(FBaseStyle);
  FCharWidth = cell.CharWidth;
  FCharHeight = cell.CharHeight;
}

void TCanvasTextDrawer::SetBaseFont(const TFontData& font) {
  FAdvances.Release();
  FBaseFont = font;
  FMeasured.fill(false);
  TakeBaseCell();
  // The font changed under the current style too, so it is applied anew.
  FStyle = font.Style;
  Cell(FStyle);
  if (IsDrawing()) FLevels.back().Canvas->SetFont(StyleFont(FStyle));
}

void TCanvasTextDrawer::SetBaseStyle(TFontStyles style) {
  if (style == FBaseStyle) return;
  FAdvances.Release();
  FBaseStyle = style;
  TakeBaseCell();
}

void TCanvasTextDrawer::SetStyle(TFontStyles style) {
  if (style == FStyle) return;
  FStyle = style;
  Cell(style);
  if (IsDrawing()) FLevels.back().Canvas->SetFont(StyleFont(FStyle));
}

int TCanvasTextDrawer::GetDBCharWidth() { return Cell(FStyle).DBCharWidth; }

void TCanvasTextDrawer::SetCharExtra(int extra) {
  if (extra == FCharExtra) return;
  FCharExtra = extra;
  if (IsDrawing()) FLevels.back().Canvas->SetTextCharExtra(extra);
}

void TCanvasTextDrawer::SetForeColor(TColor color) {
  if (color == FForeColor) return;
  FForeColor = color;
  if (IsDrawing()) FLevels.back().Canvas->SetFontColor(color);
}

void TCanvasTextDrawer::SetBackColor(TColor color) {
  if (color == FBackColor) return;
  FBackColor = color;
  if (IsDrawing()) FLevels.back().Canvas->SetBrushColor(color);
}

void TCanvasTextDrawer::ApplyToCanvas(ICanvas& canvas) {
  canvas.SetFont(StyleFont(FStyle));
  canvas.SetBrushColor(FBackColor);
  canvas.SetTextCharExtra(FCharExtra);
}

void TCanvasTextDrawer::BeginDrawing(ICanvas& canvas) {
  if (IsDrawing() && FLevels.back().Canvas == &canvas) {
    ++FLevels.back().Count;
    return;
  }
  FLevels.push_back(TLevel{&canvas, canvas.GetFont(), canvas.GetBrushColor(),
                           canvas.GetTextCharExtra(), 1});
  ApplyToCanvas(canvas);
}

void TCanvasTextDrawer::EndDrawing() {
  if (!IsDrawing()) return;
  TLevel& level = FLevels.back();
  if (--level.Count > 0) return;
  level.Canvas->SetFont(level.Font);
  level.Canvas->SetBrushColor(level.BrushColor);
  level.Canvas->SetTextCharExtra(level.CharExtra);
  FLevels.pop_back();
  // Back to an outer canvas: it still has the state of when it was left.
  if (IsDrawing()) ApplyToCanvas(*FLevels.back().Canvas);
}

void TCanvasTextDrawer::TextOut(int x, int y, std::string_view text) {
  if (!IsDrawing()) return;
  FLevels.back().Canvas->TextOut(x, y, text);
}

void TCanvasTextDrawer::ExtTextOut(int x, int y, uint32_t options, const TRect* rect,
                                   std::string_view text) {
  if (!IsDrawing()) return;
  ICanvas& canvas = *FLevels.back().Canvas;
  const int* advances = FAdvances.Get(text.size(), GetCharWidth());
  // The advances already hold the extra spacing; a device adds its own
  // character extra on top of them, so it is off for this call.
  if (FCharExtra != 0) canvas.SetTextCharExtra(0);
  canvas.ExtTextOut(x, y, options, rect, text, text.empty() ? nullptr : advances);
  if (FCharExtra != 0) canvas.SetTextCharExtra(FCharExtra);
}
