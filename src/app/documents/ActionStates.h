// Which of the main window's actions, tool buttons and menus are enabled,
// from a snapshot of the active document: one table, so the window only
// applies it by name.
#pragma once

#include <string>
#include <vector>

struct TDocumentSnapshot {
  bool HasDocument = false;   // a tab is active
  bool TextView = false;      // its text view is showing
  bool HasFileName = false;
  bool HasHighlighter = false;
  bool HighlighterIsHtml = false;  // the data module's multi-language HTML one
  bool BrowserSplitOn = false;     // the editor's preview split is on (its Tag is 1)
  bool HasSelection = false;
  bool NormalSelectionMode = true;
  bool EditorModified = false;
  bool HexModified = false;
  bool EditorCanUndo = false;
  bool EditorCanRedo = false;
  bool EditorCanPaste = false;
  bool HexCanUndo = false;
  bool BookMarks[10] = {};    // 1..9 used
  bool CanHistoryBack = false;
  bool CanHistoryForward = false;
  int TabCount = 0;
  int ActiveTab = -1;
  bool ClipboardHasText = false;
  bool HasMacroFiles = false;
  bool HasReopenItems = false;
};

struct TActionState {
  std::string Name;
  bool Enabled;
};

std::vector<TActionState> ComputeActionStates(const TDocumentSnapshot& doc);

// The fifteen Highlight-as actions, in menu order.
extern const char* const kHighlightAsActions[15];
