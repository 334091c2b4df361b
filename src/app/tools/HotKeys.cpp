#include "app/tools/HotKeys.h"

#include "platform/ShortCuts.h"

namespace {

constexpr uint16_t kEnter = 0x0D, kEscape = 0x1B, kTab = 0x09, kEnd = 0x23, kHome = 0x24, kLeft = 0x25,
                   kUp = 0x26, kRight = 0x27, kDown = 0x28, kInsert = 0x2D, kDelete = 0x2E;
constexpr uint16_t F(int n) { return static_cast<uint16_t>(0x70 + n - 1); }

std::vector<TShortCut> MakeFixed() {
  std::vector<TShortCut> list;
  for (char c : std::string("ARTY")) list.push_back(scCtrl | c);
  list.push_back(scCtrl | scShift | 'Y');
  list.push_back(scCtrl | 'O');
  list.push_back(scCtrl | 'P');
  list.push_back(scCtrl | 'S');
  for (char c : std::string("SIUNCL")) list.push_back(scCtrl | scShift | c);
  for (char c : std::string("FGLKZXCV")) list.push_back(scCtrl | c);
  list.push_back(scCtrl | scShift | 'B');
  list.push_back(scCtrl | scShift | 'Z');
  list.push_back(scCtrl | 'N');
  list.push_back(scCtrl | kEnter);
  for (TShortCut mods : {scCtrl, scAlt, TShortCut(scCtrl | scShift)})
    for (char d = '0'; d <= '9'; ++d) list.push_back(mods | d);
  list.push_back(F(1));
  list.push_back(F(9));
  list.push_back(scCtrl | F(9));
  for (uint16_t key : {kUp, kDown, kLeft, kRight, kHome, kEnd})
    for (TShortCut mods : {TShortCut(0), scShift, scCtrl, TShortCut(scCtrl | scShift)}) list.push_back(mods | key);
  for (TShortCut s : {TShortCut(kDelete), TShortCut(scCtrl | kUp), TShortCut(scCtrl | kDown),
                      TShortCut(scCtrl | kInsert), TShortCut(scShift | kInsert), TShortCut(scShift | kDelete),
                      TShortCut(kEnter), TShortCut(scShift | kTab), TShortCut(scCtrl | F(4)),
                      TShortCut(scShift | F(4)), TShortCut(F(3)), TShortCut(F(5)), TShortCut(scShift | F(6)),
                      TShortCut(scCtrl | F(6)), TShortCut(scAlt | F(6)), TShortCut(F(6)), TShortCut(F(2)),
                      TShortCut(F(12))})
    list.push_back(s);
  return list;
}

}  // namespace

const std::vector<TShortCut>& FixedReservedShortCuts() {
  static const std::vector<TShortCut> list = MakeFixed();
  return list;
}

std::vector<TShortCut> ReservedShortCuts(const std::vector<TShortCut>& menuAndActionShortCuts) {
  std::vector<TShortCut> list;
  for (TShortCut s : menuAndActionShortCuts)
    if (s != scNone) list.push_back(s);
  const auto& fixed = FixedReservedShortCuts();
  list.insert(list.end(), fixed.begin(), fixed.end());
  return list;
}

std::string HotKeyText(uint16_t key, TShiftState shift) {
  std::string text;
  if (shift.Contains(ssCtrl)) text += "Ctrl+";
  if (shift.Contains(ssShift)) text += "Shift+";
  if (shift.Contains(ssAlt)) text += "Alt+";
  return text + KeyToText(key);
}

void THotKeyInput::Clear() {
  FText.clear();
  FShortCut = scNone;
  FAccepted = false;
  FResult = 0;
}

bool THotKeyInput::KeyPress(uint16_t key, TShiftState shift, const std::function<bool(TShortCut)>& isReserved) {
  if (key == kEscape) {
    FResult = 2;
    return false;
  }
  if (key == kEnter) return false;
  const std::string text = HotKeyText(key, shift);
  if (text == FText) return false;
  TShortCut shortCut = ShortCut(KeyToText(key).empty() ? 0 : key, shift);
  if (isReserved && isReserved(shortCut)) {
    // The earlier choice stays the dialog's value, but OK no longer takes
    // it while "Reserved!" shows: the text would name no hot key.
    FText = kReserved;
    FAccepted = false;
    return true;
  }
  FShortCut = shortCut;
  FText = text;
  FAccepted = true;
  return false;
}
