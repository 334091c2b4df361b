// Keys as the key map sees them: virtual-key codes (the window system's
// numbering, named apart from its VK_ macros so this header can sit beside
// <windows.h>) and the display text of a short-cut word. Shift states and
// short-cut words themselves are the platform's (platform/Keys.h).
#pragma once

#include <cstdint>
#include <string>

#include "platform/Keys.h"

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

// "Shift+Ctrl+Left", "Ctrl+A", "F5"; empty when the key part is 0. Used for
// the key map's display names.
std::string ShortCutDisplayText(TShortCut shortCut);
