// Printing rich text: the page loop over the control's own page formatting,
// and a page layout of our own for engines that cannot print a range (Wine's
// control answers every format request with 0). Both print on the printer
// interface the editor prints through.
#pragma once

#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/PrintDevice.h"

// The control's page formatting, as the loop drives it.
class IRichPageEngine {
public:
  virtual ~IRichPageEngine() = default;
  virtual int TextLength() = 0;
  // Formats one page of text from character first, drawing it on the
  // current page when render is set; returns where the next page starts.
  virtual int FormatPage(int first, bool render) = 0;
  // Drops what the engine keeps of its formatting.
  virtual void ClearFormatting() = 0;
};

// A rectangle in printer pixels in twips (1/1440 inch).
TRect PixelsToTwips(const TRect& pixels, int pixelsPerInchX, int pixelsPerInchY);

// Prints through the engine, one page after another. The first page is
// measured before the job starts: when it makes no progress in a non-empty
// text the engine cannot print, nothing is started and false comes back (the
// caller lays the text out itself). A page that ends where it began also
// ends the job, so an engine that stops making progress never spools pages
// without end. pages receives the number printed.
bool PrintWithEngine(IktPrintDevice& device, IRichPageEngine& engine, const std::string& title, int& pages);

// --- Our own layout ---------------------------------------------------------

enum TRichAlign { raLeft, raRight, raCenter };

struct TRichFont {
  std::string Face = "Arial";
  int Size = 10;  // points
  TFontStyles Style;
  TColor Color = clBlack;
  bool operator==(const TRichFont&) const = default;
};

struct TRichRun {
  std::string Text;
  TRichFont Font;
};

// One paragraph, without its ending mark. Indents in twips from the left
// and right edges of the page rectangle.
struct TRichParagraph {
  TRichAlign Align = raLeft;
  int FirstIndent = 0;  // the first line
  int LeftIndent = 0;   // the lines after it
  int RightIndent = 0;
  std::vector<TRichRun> Runs;
  TRichFont EndFont;  // the paragraph mark's: the height of an empty line
};

struct TRichFragment {
  int X = 0;
  int Y = 0;
  std::string Text;
  TRichFont Font;
};

struct TRichPage {
  std::vector<TRichFragment> Fragments;
  int Lines = 0;
};

// Lays the paragraphs out on pages of rect (printer pixels), measuring on
// canvas: lines wrap at blanks, a word longer than a line is broken where
// it fills the line, runs of different fonts share a base line, and every
// page takes at least one line, however tall. An empty text gives one
// empty page.
std::vector<TRichPage> LayoutRichText(ICanvas& canvas, const std::vector<TRichParagraph>& paragraphs,
                                      const TRect& rect, int pixelsPerInchX, int pixelsPerInchY);
// The canvas font of a run at a device resolution.
TFontData RichFontData(const TRichFont& font, int pixelsPerInchY);

// Prints the layout as one job titled title. Returns the number of pages.
int PrintRichLayout(IktPrintDevice& device, const std::vector<TRichParagraph>& paragraphs, const TRect& rect,
                    const std::string& title);
