// Short-cut words and their display text.
#include "editor/KeyCodes.h"

#include <cstdio>

TShortCut ShortCut(uint16_t key, TShiftState shift) {
  TShortCut sc = TShortCut(key & 0xFF);
  if (shift.Contains(ssShift)) sc |= scShift;
  if (shift.Contains(ssCtrl)) sc |= scCtrl;
  if (shift.Contains(ssAlt)) sc |= scAlt;
  return sc;
}

void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift) {
  key = shortCut & 0xFF;
  shift = TShiftState();
  if (shortCut & scShift) shift.Include(ssShift);
  if (shortCut & scCtrl) shift.Include(ssCtrl);
  if (shortCut & scAlt) shift.Include(ssAlt);
}

namespace {

std::string KeyName(unsigned key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
  if (key >= vkF1 && key < vkF1 + 24u) return "F" + std::to_string(key - vkF1 + 1);
  if (key >= 0x60 && key <= 0x69) return "Num " + std::to_string(key - 0x60);
  switch (key) {
    case vkBack: return "BkSp";
    case vkTab: return "Tab";
    case vkReturn: return "Enter";
    case vkEscape: return "Esc";
    case vkSpace: return "Space";
    case vkPrior: return "PgUp";
    case vkNext: return "PgDn";
    case vkEnd: return "End";
    case vkHome: return "Home";
    case vkLeft: return "Left";
    case vkUp: return "Up";
    case vkRight: return "Right";
    case vkDown: return "Down";
    case vkInsert: return "Ins";
    case vkDelete: return "Del";
    default: break;
  }
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%u", key);
  return buf;
}

}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
  const unsigned key = shortCut & 0xFF;
  if (key == 0) return std::string();
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + KeyName(key);
}
