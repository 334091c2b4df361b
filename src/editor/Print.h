// Printing a document: the options the caller fills, the page device the
// printing talks to, and the page layout -- character cells of the printer
// font's average width, lines clipped at the margins (never wrapped), header
// and footer lines with $MACRO$ expansion, page breaks that keep room for the
// footer, optional highlighting. The layout is portable; the Win32 half
// supplies the real printer (platform/win/PrintDevice.h), tests a recording one.
#pragma once

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "editor/EditTypes.h"
#include "platform/Canvas.h"
#include "platform/Classes.h"
#include "platform/PrintDevice.h"
#include "platform/SysUtils.h"
#include "platform/Types.h"

class TktCustomHighLighter;
class TktEditList;

// Units of TktPrintOptions::Margins.
enum TktMarginUnits : uint8_t {
  kmuPixels,              // printer pixels
  kmuThousandthsOfInch,   // value x dpi / 1000
  kmuMillimetres,         // value x dpi / 1000 x 10000 / 254
};

// Alignment of a header or footer line, kept in its object slot.
constexpr intptr_t kPrintAlignLeft = 0;
constexpr intptr_t kPrintAlignRight = 1;
constexpr intptr_t kPrintAlignCenter = 2;

struct TktPrintOptions {
  bool SelectedOnly = false;
  bool Highlighted = false;   // colours and styles of the highlighter's tokens
  bool WrapLines = false;     // kept for the caller; long lines are clipped
  bool Monochrome = false;    // token styles are printed, colours are not
  int Copies = 1;
  TktMarginUnits MarginUnits = kmuPixels;
  TRect Margins;  // left, top, right, bottom
  // First column, first line, last column, last line; the last column is
  // not printed (as a selection's end). No lines given (Top < 1 or Bottom <
  // Top): the whole text. Lines beyond the text are left out.
  TRect PrintRange;
  std::string Title;  // the job's title and the $TITLE$ macro
  TStringList Header;
  TStringList Footer;
};

// (status, page number, abort): psBegin before the first page (page 0),
// psNewPage at the start of every page after the first, psEnd after the job
// (page 0). Setting abort at psBegin or psNewPage cancels the job.
using TktPrintStatusCallback = std::function<void(TktPrintStatus, int, bool&)>;

// The date and time texts of the $DATE$ and $TIME$ macros, in the system's
// short formats. Natively a fixed day/month/year form answers; the Win32 half
// installs the system's own (see win/PrintDevice.h).
using TktDateTimeTextSource = void (*)(std::string& date, std::string& time);
TktDateTimeTextSource SetDateTimeTextSource(TktDateTimeTextSource source);
void CurrentDateTimeText(std::string& date, std::string& time);

// A header or footer line with its macros replaced: $PAGENUM$, $TITLE$,
// $TIME$, $DATE$, $DATETIME$ (date, blank, time), $TIMEDATE$; names are
// trimmed and compared without case, "$$" gives one "$", and an unknown name
// stands for itself, trimmed and upper-cased. A "$" without its pair is
// copied as it is.
struct TktPrintMacros {
  int PageNumber = 1;
  std::string Title;
  std::string Date;
  std::string Time;
};
std::string ExpandPrintMacros(std::string_view line, const TktPrintMacros& macros);

// A margin in device pixels.
int MarginToPixels(int value, TktMarginUnits units, int pixelsPerInch);

// Everything one print run reads of the document.
struct TktPrintDocument {
  const TktEditList* Lines = nullptr;
  TktCustomHighLighter* Highlighter = nullptr;  // used with Highlighted
  TFontData Font;            // the printer font
  TColor FontColor = clBlack;  // text of attributes without colour
  TColor Color = clWindow;     // the editor's background: such attributes print on the page
  int ExtraLineSpacing = 0;
  // The lines and columns to print (1-based; the end column is not
  // printed); Column: every line prints only columns StartColumn..EndColumn.
  int FirstLine = 1, LastLine = 0;
  int StartColumn = 1, EndColumn = INT_MAX;
  bool Column = false;
};

TQ_DECLARE_EXCEPTION(EPrintLayout, Exception)

// Prints the document's range on device. Returns false when the job was
// aborted. EPrintLayout, before any job starts, when not one text line fits
// between the margins, header and footer. Date and time texts are taken once, at the start.
bool PrintDocument(IktPrintDevice& device, const TktPrintDocument& document,
                   const TktPrintOptions& options, const TktPrintStatusCallback& status);
