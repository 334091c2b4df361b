// How a pop-up menu's items appear when mirrored into a window menu: each
// item becomes one entry with its flags and text.
#pragma once

#include <cstdint>
#include <string>

// The item as the mirror sees it.
struct TSysMenuSource {
  std::string Caption;
  std::string ShortCutText;  // empty without a shortcut
  bool Checked = false;
  bool RadioItem = false;
  bool Enabled = true;
  int Break = 0;             // 0 none, 1 a new column, 2 a new column with a bar
  bool HasSubItems = false;
};

enum TSysMenuEntryKind { seSeparator, seCommand, sePopup };

struct TSysMenuEntry {
  TSysMenuEntryKind Kind = seCommand;
  std::string Text;
  bool Checked = false;
  bool RadioCheck = false;
  bool Grayed = false;
  bool Break = false;
  bool BarBreak = false;
};

TSysMenuEntry MirrorMenuItem(const TSysMenuSource& item);
