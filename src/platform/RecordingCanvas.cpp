// The recording canvas: a fixed-grid stand-in for a drawing surface.
#include "platform/RecordingCanvas.h"

TRecordingCanvas::TRecordingCanvas(TRect clipRect, int charWidth, int charHeight)
    : FClip(clipRect), FCharWidth(charWidth), FCharHeight(charHeight) {}

TCanvasOp TRecordingCanvas::NewOp(TCanvasOpKind kind) const {
  TCanvasOp op;
  op.Kind = kind;
  op.Font = FFont;
  op.BrushColor = FBrushColor;
  op.BrushStyle = FBrushStyle;
  op.PenColor = FPenColor;
  op.PenWidth = FPenWidth;
  op.PenStyle = FPenStyle;
  op.CharExtra = FCharExtra;
  return op;
}

std::vector<TCanvasOp> TRecordingCanvas::OpsOf(TCanvasOpKind kind) const {
  std::vector<TCanvasOp> r;
  for (const TCanvasOp& op : FOps)
    if (op.Kind == kind) r.push_back(op);
  return r;
}

void TRecordingCanvas::FillRect(const TRect& rect) {
  TCanvasOp op = NewOp(coFillRect);
  op.Rect = rect;
  op.HasRect = true;
  FOps.push_back(std::move(op));
}

void TRecordingCanvas::MoveTo(int x, int y) {
  TCanvasOp op = NewOp(coMoveTo);
  op.From = FPenPos;
  op.Pos = TPoint(x, y);
  FOps.push_back(std::move(op));
  FPenPos = TPoint(x, y);
}

void TRecordingCanvas::LineTo(int x, int y) {
  TCanvasOp op = NewOp(coLineTo);
  op.From = FPenPos;
  op.Pos = TPoint(x, y);
  FOps.push_back(std::move(op));
  FPenPos = TPoint(x, y);
}

void TRecordingCanvas::TextOut(int x, int y, std::string_view text) {
  TCanvasOp op = NewOp(coTextOut);
  op.Pos = TPoint(x, y);
  op.Text.assign(text);
  FOps.push_back(std::move(op));
}

void TRecordingCanvas::ExtTextOut(int x, int y, uint32_t options, const TRect* rect,
                                  std::string_view text, const int* advances) {
  TCanvasOp op = NewOp(coExtTextOut);
  op.Pos = TPoint(x, y);
  op.Options = options;
  if (rect) {
    op.Rect = *rect;
    op.HasRect = true;
  }
  op.Text.assign(text);
  if (advances) op.Advances.assign(advances, advances + text.size());
  FOps.push_back(std::move(op));
}

void TRecordingCanvas::DrawFocusRect(const TRect& rect) {
  TCanvasOp op = NewOp(coFocusRect);
  op.Rect = rect;
  FOps.push_back(std::move(op));
}

TSize TRecordingCanvas::TextExtent(std::string_view text) {
  return TSize(int(text.size()) * (FCharWidth + FCharExtra), FCharHeight);
}

TTextMetrics TRecordingCanvas::GetTextMetrics() {
  TTextMetrics m;
  m.Height = FCharHeight;
  m.Descent = FCharHeight / 4;
  m.Ascent = FCharHeight - m.Descent;
  m.AveCharWidth = FCharWidth;
  m.MaxCharWidth = FCharWidth;
  m.CharSet = FFont.CharSet == DEFAULT_CHARSET_ID ? ANSI_CHARSET_ID : FFont.CharSet;
  m.FixedPitch = true;
  m.DoubleByte = FDoubleByte;
  return m;
}

bool TRecordingCanvas::GetCharABCWidths(unsigned charCode, TABCWidths& widths) {
  // Double-byte characters are two cells wide, as in the usual Far East fonts.
  widths.A = 0;
  widths.B = charCode > 0xFF && FDoubleByte ? 2 * FCharWidth : FCharWidth;
  widths.C = 0;
  return true;
}
