// The options dialog's editor settings as plain values, and copying them
// onto an editor. The dialog reads its controls into TEditorOptions; the
// sample editor of its styles page carries the font, colours and gutter.
#pragma once

#include "editor/CustomEdit.h"

struct TEditorOptions {
  int ExtraSpacing = 0;
  int MaxLength = 255;
  bool InsertMode = true;
  int UndoLimit = 1000;
  bool AutoIndent = true;
  bool DragDropEditing = true;
  bool ScrollPastEol = true;
  bool ShowScrollHint = true;
  bool SmartTabs = true;
  bool HalfPageScroll = false;
  int TabWidth = 1;
  bool WordWrap = false;
  int RightEdge = 80;
  int SelMode = 0;  // radio index; outside 0..2 leaves the editor's mode
  int Backup = 0;   // radio index; outside 0..2 leaves the editor's backup mode
};

// The tab width the options hold: 1 keeps tabs as they are (the editor
// turns them into blanks only above 1), so nothing below 1 is taken.
int ClampTabWidth(int value);
// The field's text as a tab width: non-numeric text counts as 1.
int TabWidthFromText(const std::string& text);

// Copies the options and the sample's look onto edit and repaints it.
// Option flags the dialog does not own are kept; dropped files are always
// accepted.
void ApplyEditorOptions(TktCustomEdit& edit, const TEditorOptions& options,
                        const TktCustomEdit& sample);
