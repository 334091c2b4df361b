#include "app/documents/ActionStates.h"

const char* const kHighlightAsActions[15] = {
    "aViewPascal", "aViewAssembler", "aViewC",     "aViewVisualBasic", "aViewSQL",
    "aViewDFM",    "aViewHTML",      "aViewINI",   "aViewJava",        "aViewJScript",
    "aViewVBScript", "aViewBatch",   "aViewPerl",  "aViewFortran",     "aViewADSP",
};

std::vector<TActionState> ComputeActionStates(const TDocumentSnapshot& doc) {
  const bool d = doc.HasDocument;
  const bool t = d && doc.TextView;
  const bool f = d && doc.HasFileName;
  const bool h = t && doc.HasHighlighter;
  const bool s = t && doc.HasSelection;
  bool anyMark = false;
  for (int i = 1; i <= 9; ++i) anyMark = anyMark || doc.BookMarks[i];
  const bool anyMarkShown = t && anyMark;
  const bool several = doc.TabCount > 1;

  std::vector<TActionState> out;
  auto put = [&](std::initializer_list<const char*> names, bool enabled) {
    for (const char* n : names) out.push_back({n, enabled});
  };
  put({"aFileReload"}, f);
  put({"aFileNewFromClipboard"}, doc.ClipboardHasText);
  put({"aFileSave"}, d && (doc.TextView ? doc.EditorModified : doc.HexModified));
  put({"aFileSaveAs", "aFileSaveAll", "aFileClose", "aFileCloseAll", "aEditFind", "aEditFindNext",
       "aEditReplace", "aFindFiles", "aViewTextBinary", "aViewAnsiAscii", "CloseWindowButton"},
      d);
  put({"aFileExport", "aFileExportToHTML", "aFileExportToRTF"}, h);
  put({"aFilePrint", "aEditGoToLine", "aEditCut", "aEditCopy", "aEditDuplicateLine", "aEditSelectAll",
       "aSetBookmark1", "aSetBookmark2", "aSetBookmark3", "aSetBookmark4", "aSetBookmark5",
       "aSetBookmark6", "aSetBookmark7", "aSetBookmark8", "aSetBookmark9", "aEditSetBookmarks",
       "SetBookmarksMenu", "aEditGoToBookmarks", "aBlockReadFromFile", "aBlockNormalSelection",
       "aBlockLinearSelection", "aBlockVerticalSelection", "aViewHighlightas", "aEditMatchBrakets",
       "aEditWordWrap", "SetBookmarkButton", "SpeedButton12", "InsertFileButton"},
      t);
  for (const char* a : kHighlightAsActions) out.push_back({a, t});
  put({"aEditUndo"}, d && (doc.TextView ? doc.EditorCanUndo : doc.HexCanUndo));
  put({"aEditRedo"}, t && doc.EditorCanRedo);
  put({"aEditPaste"}, t && doc.EditorCanPaste);
  for (int i = 1; i <= 9; ++i)
    out.push_back({"aGoToBookmark" + std::to_string(i), t && doc.BookMarks[i]});
  put({"aClearBookmarks", "GoToBookmarkButton", "SpeedButton11", "GotoBookmarksMenu", "ClearBookmarkButton"},
      anyMarkShown);
  put({"aBlockWriteToFile", "aBlockOpenInNewWindow", "aBlockSetAsRollUp", "aBlockStatistic", "aSolve",
       "RollUpButton"},
      s);
  put({"aBlockLowerCase", "aBlockUppercase"}, s && doc.NormalSelectionMode);
  // A split stays switchable off after "Highlight as" chose another language.
  put({"aViewBrowser"}, t && (doc.HighlighterIsHtml || doc.BrowserSplitOn));
  put({"aViewFirstWindow"}, several && doc.ActiveTab > 0);
  put({"aViewPreviousWindow", "aViewNextWindow", "aViewWindow"}, several);
  put({"aMacroClear"}, doc.HasMacroFiles);
  put({"ReopenButton"}, doc.HasReopenItems);
  put({"GotoBack", "Action27"}, t && doc.CanHistoryBack);
  put({"GoForward", "Action28"}, t && doc.CanHistoryForward);
  return out;
}
