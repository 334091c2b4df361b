#include "app/tools/AsciiTable.h"

#include "app/settings/Styles.h"

int AsciiCode(int col, int row) {
  if (col < 1 || row < 1 || col >= kAsciiGridSize || row >= kAsciiGridSize) return -1;
  return (row - 1) * 16 + (col - 1);
}

std::string AsciiCellText(int col, int row) {
  static const char digits[] = "0123456789ABCDEF";
  if (col < 0 || row < 0 || col >= kAsciiGridSize || row >= kAsciiGridSize) return std::string();
  if (row == 0) return col == 0 ? std::string() : std::string(1, digits[col - 1]);
  if (col == 0) return std::string(1, digits[row - 1]);
  const int code = AsciiCode(col, row);
  return code == 0 ? std::string() : std::string(1, static_cast<char>(code));
}

TAsciiMouse AsciiMouseRule(int x, int y, int col, int row, int width, int height, TPoint windowTopLeft) {
  TAsciiMouse m;
  const int code = AsciiCode(col, row);
  if (x < 0 || y < 0 || x >= width || y >= height || code < 0) return m;
  m.Show = true;
  m.Character = AsciiCellText(col, row);
  const int left = windowTopLeft.X + x + 30;
  const int top = y < 250 ? windowTopLeft.Y + y + 65 : windowTopLeft.Y + y - 35;
  m.Magnifier = TRect(left, top, left + 100, top + 100);
  m.Decimal = "Decimal: " + std::to_string(code);
  m.Hex = "Hex: " + AsciiCellText(0, row) + AsciiCellText(col, 0);
  m.Oem = "OEM: " + m.Character;
  return m;
}

int AsciiCharsetOfName(const std::string& name) {
  for (const auto& c : kCharsets)
    if (name == c.Name) return c.Value;
  return 1;
}
