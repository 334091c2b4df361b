// Key map rows, lookups and the built-in defaults.
#include "editor/KeyStrokes.h"

#include "editor/LocalStr.h"

// --- TktKeyStroke -------------------------------------------------------------

void TktKeyStroke::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TktKeyStroke*>(source)) {
    FKey = src->FKey;
    FShift = src->FShift;
    FKey2 = src->FKey2;
    FShift2 = src->FShift2;
    FCommand = src->FCommand;
    return;
  }
  TPersistent::Assign(source);
}

std::string TktKeyStroke::GetDisplayName() const {
  std::string name = EditorCommandToCodeString(FCommand);
  name += " - ";
  name += ShortCutDisplayText(GetShortCut());
  if (GetShortCut() != 0) {
    name += ' ';
    name += ShortCutDisplayText(GetShortCut2());
  }
  return name.empty() ? ClassName() : name;
}

int TktKeyStroke::GetIndex() const { return FCollection ? FCollection->IndexOf(this) : -1; }

void TktKeyStroke::SetShortCut(TShortCut value) {
  if (value != 0 && FCollection) {
    const int found = FCollection->FindShortcut2(value, GetShortCut2());
    if (found >= 0 && FCollection->GetItem(found) != this) throw EktKeyError(SShortcutExists);
  }
  uint16_t key;
  TShiftState shift;
  ShortCutToKey(value, key, shift);
  if (key != FKey) FKey = key;
  if (shift != FShift) FShift = shift;
}

void TktKeyStroke::SetShortCut2(TShortCut value) {
  if (value != 0 && FCollection) {
    const int found = FCollection->FindShortcut2(GetShortCut(), value);
    if (found >= 0 && FCollection->GetItem(found) != this) throw EktKeyError(SShortcutExists);
  }
  uint16_t key;
  TShiftState shift;
  ShortCutToKey(value, key, shift);
  if (key != FKey2) FKey2 = key;
  if (shift != FShift2) FShift2 = shift;
}

// --- TktKeyStrokes ------------------------------------------------------------

TktKeyStrokes::~TktKeyStrokes() = default;

TktKeyStroke* TktKeyStrokes::Add() {
  FItems.push_back(std::make_unique<TktKeyStroke>(this));
  return FItems.back().get();
}

TktKeyStroke* TktKeyStrokes::GetItem(int index) const {
  if (index < 0 || index >= GetCount()) throw EListError(Format("List index out of bounds (%d)", index));
  return FItems[size_t(index)].get();
}

void TktKeyStrokes::Delete(int index) {
  GetItem(index);
  FItems.erase(FItems.begin() + index);
}

void TktKeyStrokes::Clear() { FItems.clear(); }

int TktKeyStrokes::IndexOf(const TktKeyStroke* item) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].get() == item) return int(i);
  return -1;
}

void TktKeyStrokes::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TktKeyStrokes*>(source)) {
    if (src == this) return;
    Clear();
    for (const auto& item : src->FItems) Add()->Assign(item.get());
    return;
  }
  TPersistent::Assign(source);
}

int TktKeyStrokes::FindKeycode(uint16_t key, TShiftState shift) const {
  for (size_t i = 0; i < FItems.size(); ++i) {
    const TktKeyStroke& k = *FItems[i];
    if (k.GetKey() == key && k.GetShift() == shift && k.GetKey2() == 0) return int(i);
  }
  return -1;
}

int TktKeyStrokes::FindKeycode2(uint16_t key, TShiftState shift, uint16_t key2,
                                TShiftState shift2) const {
  for (size_t i = 0; i < FItems.size(); ++i) {
    const TktKeyStroke& k = *FItems[i];
    if (k.GetKey() == key && k.GetShift() == shift && k.GetKey2() == key2 &&
        k.GetShift2() == shift2)
      return int(i);
  }
  return -1;
}

int TktKeyStrokes::FindShortcut2(TShortCut shortCut, TShortCut shortCut2) const {
  for (size_t i = 0; i < FItems.size(); ++i) {
    const TktKeyStroke& k = *FItems[i];
    if (k.GetShortCut() == shortCut && k.GetShortCut2() == shortCut2) return int(i);
  }
  return -1;
}

namespace {

struct TDefaultKey {
  uint16_t Key;
  TShiftState Shift;
  TktEditorCommand Command;
};

const TShiftState kNone;
const TShiftState kShift{ssShift};
const TShiftState kCtrl{ssCtrl};
const TShiftState kAlt{ssAlt};
const TShiftState kShiftCtrl{ssShift, ssCtrl};
const TShiftState kShiftAlt{ssShift, ssAlt};

}  // namespace

void TktKeyStrokes::ResetDefaults() {
  static const TDefaultKey kDefaults[] = {
      {vkUp, kNone, ecUp},
      {vkUp, kShift, ecSelUp},
      {vkUp, kCtrl, ecScrollUp},
      {vkDown, kNone, ecDown},
      {vkDown, kShift, ecSelDown},
      {vkDown, kCtrl, ecScrollDown},
      {vkLeft, kNone, ecLeft},
      {vkLeft, kShift, ecSelLeft},
      {vkLeft, kCtrl, ecWordLeft},
      {vkLeft, kShiftCtrl, ecSelWordLeft},
      {vkRight, kNone, ecRight},
      {vkRight, kShift, ecSelRight},
      {vkRight, kCtrl, ecWordRight},
      {vkRight, kShiftCtrl, ecSelWordRight},
      {vkNext, kNone, ecPageDown},
      {vkNext, kShift, ecSelPageDown},
      {vkNext, kCtrl, ecPageBottom},
      {vkNext, kShiftCtrl, ecSelPageBottom},
      {vkPrior, kNone, ecPageUp},
      {vkPrior, kShift, ecSelPageUp},
      {vkPrior, kCtrl, ecPageTop},
      {vkPrior, kShiftCtrl, ecSelPageTop},
      {vkHome, kNone, ecLineStart},
      {vkHome, kShift, ecSelLineStart},
      {vkHome, kCtrl, ecEditorTop},
      {vkHome, kShiftCtrl, ecSelEditorTop},
      {vkEnd, kNone, ecLineEnd},
      {vkEnd, kShift, ecSelLineEnd},
      {vkEnd, kCtrl, ecEditorBottom},
      {vkEnd, kShiftCtrl, ecSelEditorBottom},
      {vkInsert, kNone, ecToggleMode},
      {vkInsert, kCtrl, ecCopy},
      {vkInsert, kShift, ecPaste},
      {vkDelete, kNone, ecDeleteChar},
      {vkDelete, kShift, ecCut},
      {vkBack, kNone, ecDeleteLastChar},
      {vkBack, kCtrl, ecDeleteLastWord},
      {vkBack, kAlt, ecUndo},
      {vkBack, kShiftAlt, ecRedo},
      {vkReturn, kNone, ecLineBreak},
      {'A', kCtrl, ecSelectAll},
      {'C', kCtrl, ecCopy},
      {'I', kShiftCtrl, ecBlockIndent},
      {'M', kCtrl, ecLineBreak},
      {'L', kCtrl, ecInsertLine},
      {'T', kCtrl, ecDeleteWord},
      {'U', kShiftCtrl, ecBlockUnindent},
      {'V', kCtrl, ecPaste},
      {'X', kCtrl, ecCut},
      {'Y', kCtrl, ecDeleteLine},
      {'Y', kShiftCtrl, ecDeleteEOL},
      {'Z', kCtrl, ecUndo},
      {'Z', kShiftCtrl, ecRedo},
  };
  Clear();
  auto add = [this](uint16_t key, TShiftState shift, TktEditorCommand command) {
    TktKeyStroke* k = Add();
    k->SetKey(key);
    k->SetShift(shift);
    k->SetCommand(command);
  };
  for (const TDefaultKey& d : kDefaults) add(d.Key, d.Shift, d.Command);
  for (int i = 0; i < 10; ++i) add(uint16_t(vk0 + i), kCtrl, TktEditorCommand(ecGotoMarker0 + i));
  for (int i = 0; i < 10; ++i)
    add(uint16_t(vk0 + i), kShiftCtrl, TktEditorCommand(ecSetMarker0 + i));
  add('N', kShiftCtrl, ecNormalSelect);
  add('C', kShiftCtrl, ecColumnSelect);
  add('L', kShiftCtrl, ecLineSelect);
  add(vkTab, kNone, ecTab);
  add('B', kShiftCtrl, ecMatchBracket);
}

TktEditorCommand TranslateKeyCode(const TktKeyStrokes& map, uint16_t key, TShiftState shift,
                                  uint16_t& lastKey, TShiftState& lastShift) {
  int i = map.FindKeycode2(lastKey, lastShift, key, shift);
  if (i < 0) i = map.FindKeycode(key, shift);
  const TktEditorCommand command = i >= 0 ? map.GetItem(i)->GetCommand() : ecNone;
  if (command == ecNone && key >= 30 && key <= 145) {
    lastKey = key;
    lastShift = shift;
  } else {
    lastKey = 0;
  }
  return command;
}
