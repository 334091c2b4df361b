// Keys as the key map sees them: virtual-key codes (the window system's
// numbering, named here apart from its VK_ macros so this header can sit
// beside <windows.h>), shift states, and short-cut words (the 16-bit form
// stored in key lists: low byte the key, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt).
#pragma once

#include <cstdint>
#include <string>

#include "platform/Sets.h"

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem, uint8_t>;

using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

constexpr uint16_t vkBack = 0x08;
constexpr uint16_t vkTab = 0x09;
constexpr uint16_t vkReturn = 0x0D;
constexpr uint16_t vkShift = 0x10;
constexpr uint16_t vkControl = 0x11;
constexpr uint16_t vkMenu = 0x12;  // Alt
constexpr uint16_t vkEscape = 0x1B;
constexpr uint16_t vkSpace = 0x20;
constexpr uint16_t vkPrior = 0x21;  // Page Up
constexpr uint16_t vkNext = 0x22;   // Page Down
constexpr uint16_t vkEnd = 0x23;
constexpr uint16_t vkHome = 0x24;
constexpr uint16_t vkLeft = 0x25;
constexpr uint16_t vkUp = 0x26;
constexpr uint16_t vkRight = 0x27;
constexpr uint16_t vkDown = 0x28;
constexpr uint16_t vkInsert = 0x2D;
constexpr uint16_t vkDelete = 0x2E;
constexpr uint16_t vk0 = 0x30;  // '0'..'9' and 'A'..'Z' are their own codes
constexpr uint16_t vkA = 0x41;
constexpr uint16_t vkF1 = 0x70;  // ... vkF1 + 11 = F12

// Key and shift state to a short-cut word; only Shift, Ctrl and Alt count.
TShortCut ShortCut(uint16_t key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, uint16_t& key, TShiftState& shift);
// "Shift+Ctrl+Left", "Ctrl+A", "F5"; empty for 0.
std::string ShortCutToText(TShortCut shortCut);
