#include "kit/SysMenuEntries.h"

TSysMenuEntry MirrorMenuItem(const TSysMenuSource& item) {
  TSysMenuEntry e;
  if (item.Caption == "-") {
    e.Kind = seSeparator;
    return e;
  }
  e.Kind = item.HasSubItems ? sePopup : seCommand;
  e.Checked = item.Checked;
  e.RadioCheck = item.Checked && item.RadioItem;
  e.Grayed = !item.Enabled;
  e.BarBreak = item.Break == 2;
  e.Break = item.Break == 1;
  e.Text = item.Caption;
  // A pop-up entry shows its caption only: its items carry the shortcuts.
  if (!item.HasSubItems && !item.ShortCutText.empty()) e.Text += "\t" + item.ShortCutText;
  return e;
}
