// The display text of short-cut words.
#include "editor/KeyCodes.h"

#include <cstdio>

namespace {

std::string KeyName(unsigned key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
  char buf[16];
  if (key >= vkF1 && key < vkF1 + 24u) {
    std::snprintf(buf, sizeof buf, "F%u", key - vkF1 + 1);
    return buf;
  }
  if (key >= 0x60 && key <= 0x69) {
    std::snprintf(buf, sizeof buf, "Num %u", key - 0x60);
    return buf;
  }
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
  std::snprintf(buf, sizeof buf, "#%u", key);
  return buf;
}

}  // namespace

std::string ShortCutDisplayText(TShortCut shortCut) {
  const unsigned key = shortCut & 0xFF;
  if (key == 0) return std::string();
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  text += KeyName(key);
  return text;
}
