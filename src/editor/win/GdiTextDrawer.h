// The text drawer the editor paints with under Win32: GDI text on the fixed
// character grid, fonts from the process's shared font records, one advance
// per character passed to ExtTextOut so every style keeps the grid.
#pragma once

#include "editor/TextDrawer.h"
#include "editor/TextDrawerGrid.h"
#include "editor/win/FontStock.h"

#include <vector>


class TheTextDrawer : public ITextDrawer {
public:
  TheTextDrawer(TFontStyles baseStyle, const TFontData& baseFont);
  // Closes brackets left open, so no context keeps one of our fonts.
  ~TheTextDrawer() override;
  TheTextDrawer(const TheTextDrawer&) = delete;
  TheTextDrawer& operator=(const TheTextDrawer&) = delete;

  void ReleaseTemporaryResources() override { FAdvances.Release(); }
  void SetBaseFont(const TFontData& font) override;
  const TFontData& GetBaseFont() const override { return FBaseFont; }
  void SetBaseStyle(TFontStyles style) override;
  TFontStyles GetBaseStyle() const override { return FBaseStyle; }
  void SetStyle(TFontStyles style) override;
  TFontStyles GetStyle() const override { return FFontStock.GetStyle(); }
  int GetCharWidth() const override { return FCharWidth + FCharExtra; }
  int GetCharHeight() const override { return FCharHeight; }
  int GetBaseCharWidth() const override { return FCharWidth; }
  void SetCharExtra(int extra) override;
  int GetCharExtra() const override { return FCharExtra; }
  void SetForeColor(TColor color) override;
  TColor GetForeColor() const override { return FColor; }
  void SetBackColor(TColor color) override;
  TColor GetBackColor() const override { return FBkColor; }
  // The canvas must draw on a device context (a GDI TCanvas); any other
  // raises EheTextDrawerException.
  void BeginDrawing(ICanvas& canvas) override;
  void BeginDrawing(HDC dc);
  void EndDrawing() override;
  bool IsDrawing() const override { return FDC != nullptr; }
  void TextOut(int x, int y, std::string_view text) override;
  void ExtTextOut(int x, int y, uint32_t options, const TRect* rect,
                  std::string_view text) override;

  HDC GetDrawingDC() const { return FDC; }
  TheFontStock& GetFontStock() { return FFontStock; }
  HFONT GetCurrentFont() const { return FCurrentFont; }
  // Entries in the advance array (0 after ReleaseTemporaryResources).
  size_t GetAdvanceCount() const { return FAdvances.Size(); }

private:
  // A context left for another one while drawing, taken up again when the
  // inner bracket closes.
  struct TOuterLevel {
    HDC DC;
    int SavedDC;
    int Count;
  };

  void TakeBaseFont();
  // Selects the current font into the drawing context.
  void RestoreFont();
  // Passes the extra spacing to the drawing context.
  void SetTextCharExtra();
  // Font, colours and spacing into the drawing context.
  void ApplyDrawingState();

  TheFontStock FFontStock;
  TFontData FBaseFont;
  TFontStyles FBaseStyle;
  int FCharWidth = 0;
  int FCharHeight = 0;
  HDC FDC = nullptr;
  int FSavedDC = 0;
  int FDrawingCount = 0;
  std::vector<TOuterLevel> FOuterLevels;
  HFONT FCurrentFont = nullptr;
  TTextAdvances FAdvances;
  TColor FColor = clWindowText;
  TColor FBkColor = clWindow;
  int FCharExtra = 0;
};

// Makes MakeTextDrawer give the editor a TheTextDrawer. Idempotent; the
// window half calls it before the first editor is made.
void UseGdiTextDrawer();
