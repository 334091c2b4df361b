// The ASCII table's rules without its window: what each of the 17 x 17
// cells shows, what the mouse over the grid shows (the magnifier's place and
// the status texts, or nothing), and the character sets by name.
#pragma once

#include <string>

#include "platform/Types.h"

constexpr int kAsciiGridSize = 17;
constexpr int kAsciiCellWidth = 24;
constexpr int kAsciiCellHeight = 20;

// The code a body cell holds (row - 1) * 16 + (col - 1); -1 for a header
// cell or a cell outside the grid.
int AsciiCode(int col, int row);
// A header cell's hexadecimal digit, a body cell's character; "" for the
// corner. Code 0 gives an empty text: NUL is not text.
std::string AsciiCellText(int col, int row);

struct TAsciiMouse {
  bool Show = false;
  TRect Magnifier;  // screen coordinates
  std::string Character;
  std::string Decimal;  // "Decimal: 65"
  std::string Hex;      // "Hex: 41"
  std::string Oem;      // "OEM: A"
};

// The mouse at (x, y) of the grid, over cell (col, row), the grid being
// width x height and its window's top left corner at windowTopLeft on the
// screen. Only body cells show: the header strip is hidden like the
// space outside. The magnifier is 100 pixels square, 30 to the right of the
// pointer, below it in the upper part of the grid and above it from y 250.
TAsciiMouse AsciiMouseRule(int x, int y, int col, int row, int width, int height, TPoint windowTopLeft);

// A character-set name of the styles page ("ANSI_CHARSET", ...) as its
// value; DEFAULT_CHARSET's for a name the table does not have.
int AsciiCharsetOfName(const std::string& name);
