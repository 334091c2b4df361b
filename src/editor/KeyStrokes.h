// The key map: TktKeyStrokes, an ordered collection of TktKeyStroke rows,
// each binding one key (or a two-key chord) to an editor command. The editing
// control turns every key press into a command through it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "editor/EditorCommands.h"
#include "editor/KeyCodes.h"
#include "platform/Classes.h"
#include "platform/SysUtils.h"

TQ_DECLARE_EXCEPTION(EktKeyError, Exception)

class TktKeyStrokes;

class TktKeyStroke : public TPersistent {
public:
  explicit TktKeyStroke(TktKeyStrokes* collection) : FCollection(collection) {}

  // From another stroke: Key, Shift, Key2, Shift2 and Command.
  void Assign(TPersistent* source) override;
  // Command name (or number) " - " short-cut text [" " second short-cut].
  std::string GetDisplayName() const;

  uint16_t GetKey() const { return FKey; }
  void SetKey(uint16_t key) { FKey = key; }
  TShiftState GetShift() const { return FShift; }
  void SetShift(TShiftState shift) { FShift = shift; }
  uint16_t GetKey2() const { return FKey2; }
  void SetKey2(uint16_t key) { FKey2 = key; }
  TShiftState GetShift2() const { return FShift2; }
  void SetShift2(TShiftState shift) { FShift2 = shift; }

  // The first and second key as short-cut words. Setting a pair another row
  // of the collection already holds raises EktKeyError "Shortcut already
  // exists" and changes nothing; 0 never raises.
  TShortCut GetShortCut() const { return ShortCut(FKey, FShift); }
  void SetShortCut(TShortCut value);
  TShortCut GetShortCut2() const { return ShortCut(FKey2, FShift2); }
  void SetShortCut2(TShortCut value);

  TktEditorCommand GetCommand() const { return FCommand; }
  void SetCommand(TktEditorCommand value) {
    if (FCommand != value) FCommand = value;
  }

  TktKeyStrokes* GetCollection() const { return FCollection; }
  int GetIndex() const;

private:
  TktKeyStrokes* FCollection;
  uint16_t FKey = 0;
  TShiftState FShift;
  uint16_t FKey2 = 0;
  TShiftState FShift2;
  TktEditorCommand FCommand = ecNone;
};

class TktKeyStrokes : public TPersistent {
public:
  // owner: the editing control, reported as the collection's owner.
  explicit TktKeyStrokes(TPersistent* owner) : FOwner(owner) {}
  ~TktKeyStrokes() override;

  TPersistent* GetOwner() const { return FOwner; }
  // A new row at the end.
  TktKeyStroke* Add();
  TktKeyStroke* GetItem(int index) const;  // EListError outside the list
  int GetCount() const { return int(FItems.size()); }
  void Delete(int index);
  void Clear();
  int IndexOf(const TktKeyStroke* item) const;
  // From another key map: cleared, then a copy of every row in order.
  void Assign(TPersistent* source) override;

  // The first single-key row (Key2 = 0) for key and shift; -1 if none.
  int FindKeycode(uint16_t key, TShiftState shift) const;
  // The first row matching all four; -1 if none.
  int FindKeycode2(uint16_t key, TShiftState shift, uint16_t key2, TShiftState shift2) const;
  // The first row whose ShortCut and ShortCut2 are these words; -1 if none.
  int FindShortcut2(TShortCut shortCut, TShortCut shortCut2) const;

  // Clears the map and adds the built-in rows (no duplicate check).
  void ResetDefaults();

private:
  TPersistent* FOwner;
  std::vector<std::unique_ptr<TktKeyStroke>> FItems;
};

// One key press through the map, remembering the first key of a possible
// chord in lastKey/lastShift: tries the chord (lastKey, lastShift, key,
// shift), then the single key. When nothing matches and key lies in 30..145
// the key is remembered as a chord start; otherwise lastKey becomes 0.
TktEditorCommand TranslateKeyCode(const TktKeyStrokes& map, uint16_t key, TShiftState shift,
                                  uint16_t& lastKey, TShiftState& lastShift);
