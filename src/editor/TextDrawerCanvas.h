// A text drawer that writes through the canvas interface only: the drawer
// the editor gets where there is no GDI (native builds and their painting
// tests). It keeps the GDI drawer's grid rules -- cells measured once per
// style on a measuring canvas that stands for the screen, every character
// advancing by the base style's cell -- without sharing fonts, which only
// matters for real font handles.
#pragma once

#include "editor/TextDrawer.h"
#include "editor/TextDrawerGrid.h"

#include <array>
#include <memory>
#include <vector>

class TCanvasTextDrawer : public ITextDrawer {
public:
  // measureCanvas: where cells are measured; null makes a recording canvas
  // (8 x 16 pixel cells whatever the font).
  TCanvasTextDrawer(TFontStyles baseStyle, const TFontData& baseFont,
                    std::unique_ptr<ICanvas> measureCanvas = nullptr);
  // Closes brackets left open, so the canvases get their state back.
  ~TCanvasTextDrawer() override;
  TCanvasTextDrawer(const TCanvasTextDrawer&) = delete;
  TCanvasTextDrawer& operator=(const TCanvasTextDrawer&) = delete;

  void ReleaseTemporaryResources() override { FAdvances.Release(); }
  void SetBaseFont(const TFontData& font) override;
  const TFontData& GetBaseFont() const override { return FBaseFont; }
  void SetBaseStyle(TFontStyles style) override;
  TFontStyles GetBaseStyle() const override { return FBaseStyle; }
  void SetStyle(TFontStyles style) override;
  TFontStyles GetStyle() const override { return FStyle; }
  int GetCharWidth() const override { return FCharWidth + FCharExtra; }
  int GetCharHeight() const override { return FCharHeight; }
  int GetBaseCharWidth() const override { return FCharWidth; }
  void SetCharExtra(int extra) override;
  int GetCharExtra() const override { return FCharExtra; }
  void SetForeColor(TColor color) override;
  TColor GetForeColor() const override { return FForeColor; }
  void SetBackColor(TColor color) override;
  TColor GetBackColor() const override { return FBackColor; }
  void BeginDrawing(ICanvas& canvas) override;
  void EndDrawing() override;
  bool IsDrawing() const override { return !FLevels.empty(); }
  void TextOut(int x, int y, std::string_view text) override;
  void ExtTextOut(int x, int y, uint32_t options, const TRect* rect,
                  std::string_view text) override;

  // The double-byte cell of the current style (kNoDBCharWidth for none).
  int GetDBCharWidth();
  // Entries in the advance array (0 after ReleaseTemporaryResources).
  size_t GetAdvanceCount() const { return FAdvances.Size(); }

private:
  // What a bracket changes on its canvas, put back when it closes.
  struct TLevel {
    ICanvas* Canvas;
    TFontData Font;
    TColor BrushColor;
    int CharExtra;
    int Count;
  };

  const TTextCell& Cell(TFontStyles style);
  TFontData StyleFont(TFontStyles style) const;
  void TakeBaseCell();
  void ApplyToCanvas(ICanvas& canvas);

  std::unique_ptr<ICanvas> FMeasure;
  TFontData FBaseFont;
  TFontStyles FBaseStyle;
  TFontStyles FStyle;
  std::array<TTextCell, kFontStyleSlots> FCells{};
  std::array<bool, kFontStyleSlots> FMeasured{};
  int FCharWidth = 0;
  int FCharHeight = 0;
  int FCharExtra = 0;
  TColor FForeColor = clWindowText;
  TColor FBackColor = clWindow;
  TTextAdvances FAdvances;
  std::vector<TLevel> FLevels;  // back(): the canvas being drawn on
};
