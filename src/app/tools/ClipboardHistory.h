// The clipboard history: the last ten texts put on the clipboard (by any
// program), kept byte for byte, and the entry now on the clipboard. The
// clipboard itself comes in through IClipboardText, so the rules hold
// without one.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class IClipboardText {
public:
  virtual ~IClipboardText() = default;
  // The clipboard's text ("" when it holds none); false when it cannot be
  // read (another program holds it open).
  virtual bool ReadText(std::string& text) = 0;
  virtual void PutText(const std::string& text) = 0;
  // The system's count of clipboard changes.
  virtual uint32_t Sequence() = 0;
};

class TClipboardHistory {
public:
  static constexpr int kEntries = 10;

  explicit TClipboardHistory(IClipboardText& clipboard);

  // A change notice. Adds the clipboard's text as the newest entry unless
  // the change is one already recorded or made here (same sequence
  // number), or the text cannot be read. True when an entry was added.
  bool Change();
  // Steps to the older or newer entry and puts it on the clipboard, an
  // empty one excepted. Nothing at either end.
  void Back();
  void Forward();

  // Entries 1 (oldest) to 10 (newest).
  const std::string& Entry(int index) const { return FEntries.at(size_t(index - 1)); }
  int GetHistoryIndex() const { return FIndex; }
  bool GetSkipNextChange() const { return FSkipNextChange; }
  bool BackEnabled() const { return FBackEnabled; }
  bool ForwardEnabled() const { return FForwardEnabled; }

private:
  void Put();

  IClipboardText& FClipboard;
  std::array<std::string, kEntries> FEntries;
  int FIndex = kEntries;
  // Set while our own put runs: its notice arrives inside the put.
  bool FSkipNextChange = false;
  bool FHaveSequence = false;
  uint32_t FSequence = 0;
  bool FBackEnabled = true;
  bool FForwardEnabled = false;
};
