// The print command's options: what the print dialog's controls hold (the
// window half fills TPrintDialogValues from them) turned into the editor's
// print options and printer font for one document.
#pragma once

#include <string>
#include <vector>

#include "editor/Print.h"
#include "platform/Canvas.h"

// A header's or footer's controls.
struct TPrintLinesValues {
  bool Enabled = false;    // isHeader / isFooter
  bool Page = false;       // HeaderPage / FooterPage
  bool Date = false;       // HeaderDate / FooterDate
  bool Computer = false;   // HeaderComputer / FooterComputer
  bool Custom = false;     // HeaderCustom / FooterCustom
  std::vector<std::string> Memo;  // HeaderMemo / FooterMemo
  int H = 0;               // HeaderH / FooterH: the alignment list's item, -1 none
};

enum TPrintUnits { puMillimetres, puPixels, puThousandthsOfInch };

struct TPrintDialogValues {
  int Copies = 1;
  bool SelectedOnly = false;
  bool Highlighted = false;
  bool WrapLines = false;
  bool IgnoreColors = false;
  int LeftMargin = 20, RightMargin = 20, TopMargin = 20, BottomMargin = 20;
  TPrintUnits Units = puMillimetres;
  bool IsTitle = true;
  bool TitleFileName = true;  // otherwise TitleCustom: the TitleMessage text
  std::string TitleMessage;
  int TitleV = 0;             // 0 on the top, anything else on the bottom
  int TitleH = 0;
  TPrintLinesValues Header{true};
  TPrintLinesValues Footer{true};
};

// What the options read of the document.
struct TPrintDocumentInfo {
  std::string FileName;
  bool HasHighlighter = false;
  TFontData Font;  // the editor's font
};

// The computer's name for generated header and footer lines. Natively a
// fixed name answers; the Win32 half installs the system's.
using TComputerNameSource = std::string (*)();
TComputerNameSource SetComputerNameSource(TComputerNameSource source);
std::string CurrentComputerName();

// The alignment list's items are "Right Alignment", "Left Alignment",
// "Center Alignment"; the value each stands for. No item reads as left.
intptr_t PrintAlignmentOfItem(int item);

// The options for printing document with the dialog's values.
TktPrintOptions BuildPrintOptions(const TPrintDialogValues& values, const TPrintDocumentInfo& document);
// The font to print with: the editor's, except that the screen-only
// FixedSys prints as Courier New 12.
TFontData PrintFontFor(const TFontData& editorFont);
