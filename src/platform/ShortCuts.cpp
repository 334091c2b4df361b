// The key-name table and the conversions between shortcuts and their text.
#include "platform/ShortCuts.h"

#include "platform/SysUtils.h"

#include <cstdio>

namespace {

struct TKeyName {
  uint8_t Key;
  const char* Name;
};

// The names the hot-key dialog shows and stores. "Multyply" is spelt as the
// dialog has always written it: stored hot keys carry that spelling.
constexpr TKeyName kKeyNames[] = {
    {0x08, "Backspace"}, {0x09, "Tab"},       {0x0D, "Enter"},       {0x13, "Pause"},
    {0x14, "Caps"},      {0x1B, "Escape"},    {0x20, "Space"},       {0x21, "PageUp"},
    {0x22, "PageDown"},  {0x23, "End"},       {0x24, "Home"},        {0x25, "Left"},
    {0x26, "Up"},        {0x27, "Right"},     {0x28, "Down"},        {0x2A, "Print"},
    {0x2C, "PrintScreen"}, {0x2D, "Insert"},  {0x2E, "Delete"},      {0x60, "NumPad0"},
    {0x61, "NumPad1"},   {0x62, "NumPad2"},   {0x63, "NumPad3"},     {0x64, "NumPad4"},
    {0x65, "NumPad5"},   {0x66, "NumPad6"},   {0x67, "NumPad7"},     {0x68, "NumPad8"},
    {0x69, "NumPad9"},   {0x6A, "Multyply"},  {0x6B, "Add"},         {0x6C, "Separator"},
    {0x6D, "Subtract"},  {0x6E, "Decimal"},   {0x6F, "Divide"},      {0x70, "F1"},
    {0x71, "F2"},        {0x72, "F3"},        {0x73, "F4"},          {0x74, "F5"},
    {0x75, "F6"},        {0x76, "F7"},        {0x77, "F8"},          {0x78, "F9"},
    {0x79, "F10"},       {0x7A, "F11"},       {0x7B, "F12"},         {0x90, "NumLock"},
    {0x91, "Scroll"},
    // The punctuation keys of the US layout.
    {0xBA, ";"}, {0xBB, "="}, {0xBC, ","}, {0xBD, "-"}, {0xBE, "."}, {0xBF, "/"},
    {0xC0, "`"}, {0xDB, "["}, {0xDC, "\\"}, {0xDD, "]"}, {0xDE, "'"},
};

bool IsModifierKey(uint16_t key) {
  switch (key) {
    case 0x10: case 0x11: case 0x12:              // Shift, Ctrl, Alt
    case 0x5B: case 0x5C:                         // the Windows keys
    case 0xA0: case 0xA1: case 0xA2: case 0xA3:   // their left and right forms
    case 0xA4: case 0xA5:
      return true;
    default:
      return false;
  }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Takes prefix off the front of text when it is there (any letter case).
bool TakePrefix(std::string_view& text, std::string_view prefix) {
  if (text.size() < prefix.size() || !SameText(text.substr(0, prefix.size()), prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

// The key a name stands for; 0 when it names none.
uint16_t TextToKey(std::string_view name) {
  if (name.empty()) return 0;
  if (name.size() == 1) {
    char c = name[0];
    if (IsDigit(c)) return uint16_t(c);
    if (c >= 'a' && c <= 'z') return uint16_t(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return uint16_t(c);
  }
  bool allDigits = true;
  for (char c : name) allDigits = allDigits && IsDigit(c);
  if (allDigits) {
    unsigned code = 0;
    for (char c : name) {
      code = code * 10 + unsigned(c - '0');
      if (code > 0xFF) return 0;
    }
    // A modifier's own code is no key of a shortcut: nothing could write it back.
    return IsModifierKey(uint16_t(code)) ? 0 : uint16_t(code);
  }
  for (const TKeyName& k : kKeyNames)
    if (SameText(name, k.Name)) return k.Key;
  return 0;
}

}  // namespace

std::string KeyToText(uint16_t key) {
  if (key == 0 || key > 0xFF || IsModifierKey(key)) return std::string();
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
  for (const TKeyName& k : kKeyNames)
    if (k.Key == key) return k.Name;
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02u", unsigned(key));
  return buf;
}

std::string ShortCutToText(TShortCut shortCut) {
  std::string key = KeyToText(shortCut & 0xFF);
  if (key.empty()) return std::string();
  std::string text;
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scAlt) text += "Alt+";
  return text + key;
}

TShortCut TextToShortCut(std::string_view text) {
  TShortCut modifiers = 0;
  for (;;) {
    if (TakePrefix(text, "Ctrl+")) modifiers |= scCtrl;
    else if (TakePrefix(text, "Shift+")) modifiers |= scShift;
    else if (TakePrefix(text, "Alt+")) modifiers |= scAlt;
    else break;
  }
  uint16_t key = TextToKey(text);
  if (key == 0) return scNone;
  return TShortCut(modifiers | key);
}
