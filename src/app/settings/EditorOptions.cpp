// Copying the options dialog's values onto an editor.
#include "app/settings/EditorOptions.h"

#include <algorithm>

#include "app/EditorAppBytes.h"
#include "editor/SupportClasses.h"
#include "platform/SysUtils.h"

int ClampTabWidth(int value) { return std::max(1, value); }

int TabWidthFromText(const std::string& text) {
  return ClampTabWidth(StrToIntDef(Trim(text), 1));
}

void ApplyEditorOptions(TktCustomEdit& edit, const TEditorOptions& o, const TktCustomEdit& sample) {
  edit.BeginUpdate();
  edit.SetExtraLineSpacing(o.ExtraSpacing);
  edit.SetMaxLeftChar(o.MaxLength);
  edit.SetInsertMode(o.InsertMode);
  edit.SetMaxUndo(o.UndoLimit);

  TktEditorOptions flags = edit.GetOptions();
  auto put = [&flags](TktEditorOption flag, bool on) {
    if (on)
      flags.Include(flag);
    else
      flags.Exclude(flag);
  };
  put(kteoAutoIndent, o.AutoIndent);
  put(kteoDragDropEditing, o.DragDropEditing);
  put(kteoScrollPastEol, o.ScrollPastEol);
  put(kteoShowScrollHint, o.ShowScrollHint);
  put(kteoSmartTabs, o.SmartTabs);
  put(kteoHalfPageScroll, o.HalfPageScroll);
  flags.Include(kteoDropFiles);
  edit.SetOptions(flags);

  edit.SetTabWidth(ClampTabWidth(o.TabWidth));
  edit.WrapOnSpace = o.WordWrap;
  edit.SetRightEdge(o.RightEdge);
  if (o.SelMode >= smNormal && o.SelMode <= smLine) {
    SetDefaultSelectionMode(edit, static_cast<TSelectionMode>(o.SelMode));
    edit.SetSelectionMode(static_cast<TSelectionMode>(o.SelMode));
  }
  if (o.Backup >= 0 && o.Backup <= 2) edit.BackupMode = static_cast<uint8_t>(o.Backup);

  edit.SetFont(sample.GetFont());
  edit.SetColor(sample.GetColor());
  edit.GetSelectedColor()->SetForeground(sample.GetSelectedColor()->GetForeground());
  edit.GetSelectedColor()->SetBackground(sample.GetSelectedColor()->GetBackground());
  edit.SetRightEdgeColor(sample.GetRightEdgeColor());
  TktGutter* from = sample.GetGutter();
  TktGutter* to = edit.GetGutter();
  to->SetColor(from->GetColor());
  to->SetVisible(from->GetVisible());
  to->SetAutoSize(from->GetAutoSize());
  to->SetShowLineNumbers(from->GetShowLineNumbers());
  to->SetWidth(from->GetWidth());
  edit.EndUpdate();
  // A repaint, not a message pump: the caller may be inside a handler of
  // the very editor being changed.
  edit.Invalidate();
}
