// The DOS/Windows Cyrillic byte tables and the ANSI code page's characters.
#include "editor/CodePage.h"

namespace {

// Each block: first byte, last byte, offset added.
struct TBlock {
  int First, Last, Offset;
};

TktByteTable MakeTable(std::initializer_list<TBlock> blocks) {
  TktByteTable table{};
  for (int b = 0; b < 256; ++b) table[size_t(b)] = uint8_t(b);
  for (const TBlock& block : blocks)
    for (int b = block.First; b <= block.Last; ++b) table[size_t(b)] = uint8_t(b + block.Offset);
  return table;
}

// Code points of bytes $80..$9F in code page 1252.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

TAnsiCodePageSource gSource = &Cp1252CodePage;
TAnsiCodePage gCodePage;
bool gBuilt = false;

}  // namespace

const TktByteTable& DosToWinTable() {
  // $B0..$BF is the block the two directions would otherwise both leave
  // alone while mapping other bytes onto it; it goes to $A0..$AF, the one
  // block no other DOS byte reaches.
  static const TktByteTable table = MakeTable(
      {{0x80, 0xAF, 0x40}, {0xB0, 0xBF, -0x10}, {0xC0, 0xDF, -0x40}, {0xE0, 0xEF, 0x10},
       {0xF0, 0xFF, -0x40}});
  return table;
}

const TktByteTable& WinToDosTable() {
  static const TktByteTable table = MakeTable(
      {{0x80, 0x9F, 0x40}, {0xA0, 0xAF, 0x10}, {0xB0, 0xBF, 0x40}, {0xC0, 0xEF, -0x40},
       {0xF0, 0xFF, -0x10}});
  return table;
}

void TranslateBytes(char* text, size_t size, const TktByteTable& table) {
  unsigned char* p = reinterpret_cast<unsigned char*>(text);
  for (size_t i = 0; i < size; ++i) p[i] = table[p[i]];
}

void Cp1252CodePage(TAnsiCodePage& codePage) {
  for (int b = 0; b < 256; ++b) codePage.Unicode[b] = char32_t(b);
  for (int b = 0; b < 32; ++b) codePage.Unicode[0x80 + b] = kCp1252High[b];
  codePage.DoubleByte = nullptr;
}

const TAnsiCodePage& AnsiCodePage() {
  if (!gBuilt) {
    gSource(gCodePage);
    gBuilt = true;
  }
  return gCodePage;
}

TAnsiCodePageSource SetAnsiCodePageSource(TAnsiCodePageSource source) {
  TAnsiCodePageSource previous = gSource;
  gSource = source ? source : &Cp1252CodePage;
  gSource(gCodePage);
  gBuilt = true;
  return previous;
}
