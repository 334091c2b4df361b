// Shift states, mouse buttons and shortcuts as key and mouse events carry
// them, on every platform (the editor's key map is portable).
#pragma once

#include <cstdint>

#include "platform/Sets.h"

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem, uint8_t>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// A shortcut packs a virtual-key code (low byte) with modifier bits, as
// stored in key maps and form descriptions (Shift+Tab = 0x2009 = 8201).
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

constexpr TShortCut ShortCut(uint16_t key, TShiftState shift) {
  if (key & 0xFF00) return scNone;  // not a virtual-key code
  TShortCut r = key;
  if (shift.Contains(ssShift)) r |= scShift;
  if (shift.Contains(ssCtrl)) r |= scCtrl;
  if (shift.Contains(ssAlt)) r |= scAlt;
  return r;
}

constexpr void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift) {
  key = shortCut & 0xFF;
  shift = TShiftState();
  if (shortCut & scShift) shift.Include(ssShift);
  if (shortCut & scCtrl) shift.Include(ssCtrl);
  if (shortCut & scAlt) shift.Include(ssAlt);
}
