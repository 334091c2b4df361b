// Translation tables and the per-set rules built on them.
#include "hexedit/HexTranslations.h"

#include "editor/CharClasses.h"

namespace {

// Bytes 80..FF of the Macintosh character set in ANSI; below 80 the two agree.
constexpr uint8_t kMacHigh[128] = {
    0xC4, 0xC5, 0xC7, 0xC9, 0xD1, 0xD6, 0xDC, 0xE1, 0xE0, 0xE2, 0xE4, 0xE3, 0xE5, 0xE7, 0xE9, 0xE8,
    0xEA, 0xEB, 0xED, 0xEC, 0xEE, 0xEF, 0xF1, 0xF3, 0xF2, 0xF4, 0xF6, 0xF5, 0xFA, 0xF9, 0xFB, 0xFC,
    0xDD, 0xB0, 0xA2, 0xA3, 0xA7, 0x80, 0xB6, 0xDF, 0xAE, 0xA9, 0x81, 0xB4, 0xA8, 0x82, 0xC6, 0xD8,
    0x83, 0xB1, 0xBE, 0x84, 0xA5, 0xB5, 0x8F, 0x85, 0xBD, 0xBC, 0x86, 0xAA, 0xBA, 0x87, 0xE6, 0xF8,
    0xBF, 0xA1, 0xAC, 0x88, 0x9F, 0x89, 0x90, 0xAB, 0xBB, 0x8A, 0xA0, 0xC0, 0xC3, 0xD5, 0x91, 0xA6,
    0xAD, 0x8B, 0xB3, 0xB2, 0x8C, 0xB9, 0xF7, 0xD7, 0xFF, 0x8D, 0x8E, 0xA4, 0xD0, 0xF0, 0xDE, 0xFE,
    0xFD, 0xB7, 0x92, 0x93, 0x94, 0xC2, 0xCA, 0xC1, 0xCB, 0xC8, 0xCD, 0xCE, 0xCF, 0xCC, 0xD3, 0xD4,
    0x95, 0xD2, 0xDA, 0xDB, 0xD9, 0x9E, 0x96, 0x97, 0xAF, 0x98, 0x99, 0x9A, 0xB8, 0x9B, 0x9C, 0x9D,
};

THexByteTable MakeMacToAnsi() {
  THexByteTable t{};
  for (int b = 0; b < 256; ++b) t[b] = b < 0x80 ? uint8_t(b) : kMacHigh[b - 0x80];
  return t;
}

THexByteTable MakeAnsiToMac() {
  THexByteTable t{};
  for (int b = 0; b < 0x80; ++b) t[b] = uint8_t(b);
  for (int b = 0x80; b < 256; ++b) t[kMacHigh[b - 0x80]] = uint8_t(b);
  return t;
}

THexByteTable MakeEbcdicToAnsi() {
  THexByteTable t{};
  auto set = [&](int e, int a) { t[e] = uint8_t(a); };
  auto run = [&](int e, int last, int a) {
    for (; e <= last; ++e, ++a) t[e] = uint8_t(a);
  };
  set(0x40, 0x20); set(0x4B, 0x2E); set(0x4C, 0x3C); set(0x4D, 0x28); set(0x4E, 0x2B);
  set(0x4F, 0xFE); set(0x50, 0x26); set(0x51, 0x26); set(0x5A, 0x21); set(0x5B, 0x24);
  set(0x5C, 0x2A); set(0x5D, 0x29); set(0x5E, 0x3B); set(0x60, 0x2D); set(0x61, 0x2F);
  set(0x6A, 0x7C); set(0x6B, 0x2C); set(0x6C, 0x25); set(0x6D, 0x5F); set(0x6E, 0x3E);
  set(0x6F, 0x3F); set(0x79, 0x60); set(0x7A, 0x3A); set(0x7B, 0x23); set(0x7C, 0x40);
  set(0x7D, 0x27); set(0x7E, 0x3D); set(0x7F, 0x22);
  run(0x81, 0x89, 0x61); run(0x91, 0x99, 0x6A); set(0xA1, 0x7E); run(0xA2, 0xA9, 0x73);
  run(0xC1, 0xC9, 0x41); run(0xD1, 0xD9, 0x4A); set(0xE0, 0x5C); run(0xE2, 0xE9, 0x53);
  run(0xF0, 0xF9, 0x30);
  return t;
}

THexByteTable MakeAnsiToEbcdic() {
  THexByteTable t{};
  const THexByteTable& from = EbcdicToAnsiTable();
  // Walk downwards so that of two EBCDIC bytes with one character (50 and
  // 51 are both "&") the lower one wins.
  for (int e = 255; e > 0; --e)
    if (from[e] != 0) t[from[e]] = uint8_t(e);
  return t;
}

THexOemSource& Source() {
  static THexOemSource source = nullptr;
  return source;
}

struct TOemState {
  THexOemTables Tables{};
  bool Built = false;
};

TOemState& OemState() {
  static TOemState state;
  return state;
}

// The character a byte stands for in a set, or -1 when it has none.
int CharOf(uint8_t b, TTranslationType translation) {
  switch (translation) {
    case ttAnsi: return b;
    case ttDos8: return OemTables().FromOem[b];
    case ttASCII: return b <= 0x7F ? OemTables().FromOem[b] : -1;
    case ttMac: return MacToAnsiTable()[b];
    case ttEBCDIC: return EbcdicToAnsiTable()[b] != 0 ? EbcdicToAnsiTable()[b] : -1;
  }
  return b;
}

}  // namespace

const THexOemTables& OemTables() {
  TOemState& state = OemState();
  if (!state.Built) {
    (Source() ? Source() : SystemOemTables)(state.Tables);
    state.Built = true;
  }
  return state.Tables;
}

THexOemSource SetOemSource(THexOemSource source) {
  THexOemSource previous = Source();
  Source() = source;
  OemState().Built = false;
  return previous;
}

const THexByteTable& MacToAnsiTable() {
  static const THexByteTable t = MakeMacToAnsi();
  return t;
}
const THexByteTable& AnsiToMacTable() {
  static const THexByteTable t = MakeAnsiToMac();
  return t;
}
const THexByteTable& EbcdicToAnsiTable() {
  static const THexByteTable t = MakeEbcdicToAnsi();
  return t;
}
const THexByteTable& AnsiToEbcdicTable() {
  static const THexByteTable t = MakeAnsiToEbcdic();
  return t;
}

char HexDisplayChar(uint8_t byte, TTranslationType translation, char maskChar) {
  switch (translation) {
    case ttAnsi: return char(byte);
    case ttDos8: return char(OemTables().FromOem[byte]);
    case ttASCII: return byte <= 0x7F ? char(OemTables().FromOem[byte]) : maskChar;
    case ttMac: return char(MacToAnsiTable()[byte]);
    case ttEBCDIC: {
      const uint8_t c = EbcdicToAnsiTable()[byte];
      return c != 0 ? char(c) : maskChar;
    }
  }
  return char(byte);
}

uint8_t HexTypedByte(uint8_t c, TTranslationType translation) {
  switch (translation) {
    case ttAnsi: return c >= 32 ? c : 0;
    case ttDos8: return c >= 32 ? OemTables().ToOem[c] : 0;
    case ttASCII: return c >= 32 && c <= 127 ? OemTables().ToOem[c] : 0;
    case ttMac: return c < 32 ? 0 : c <= 127 ? c : AnsiToMacTable()[c];
    case ttEBCDIC: return AnsiToEbcdicTable()[c];
  }
  return 0;
}

bool HexConvertSearchText(std::string& text, TTranslationType translation) {
  for (char& ch : text) {
    const uint8_t c = uint8_t(ch);
    switch (translation) {
      case ttAnsi: break;
      case ttDos8:
      case ttASCII: {
        const uint8_t oem = OemTables().ToOem[c];
        // The system converts what OEM lacks to a look-alike ("é" to "e"):
        // searching for that would find another text.
        if (OemTables().FromOem[oem] != c) return false;
        ch = char(oem);
        break;
      }
      case ttMac:
        ch = char(AnsiToMacTable()[c]);
        break;
      case ttEBCDIC:
        if (c != 0 && AnsiToEbcdicTable()[c] == 0) return false;
        ch = char(AnsiToEbcdicTable()[c]);
        break;
    }
  }
  return true;
}

THexByteTable HexFoldTable(TTranslationType translation) {
  // Made on every call: it costs 256 look-ups, and the character classes or
  // the OEM tables may have changed since (tests install other sources).
  const TCharClassTable& classes = CharClasses();
  THexByteTable table{};
  for (int b = 0; b < 256; ++b) {
    const int c = CharOf(uint8_t(b), translation);
    table[b] = c < 0 ? uint8_t(b) : classes.Lower[c];
  }
  return table;
}
