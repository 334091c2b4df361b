// TktCustomEdit: the syntax-highlighting editing control, one per open
// document. This is its portable half: the text (TktEditList), caret,
// selection in normal, column and line mode, view, undo records, marks and
// bookmarks, settings and events. It talks to its window only through
// IktEditHost, and the window half turns messages into calls of the entry
// points below (keys, mouse, wheel, scroll bars, timers, focus, size, drag
// and drop), so all of its decisions can be tested without a window.
//
// Lines and columns of the public operations are 1-based; columns are byte
// positions. Member functions are split by concern over CustomEdit*.cpp:
// settings and lifecycle, line-store answers and invalidation, caret and
// view, selection and text changes, mouse, marks, keys and commands, typing,
// undo and redo, clipboard, search.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/CaretHistory.h"
#include "editor/EditHost.h"
#include "editor/EditList.h"
#include "editor/EditSearch.h"
#include "editor/EditTypes.h"
#include "editor/Export.h"
#include "editor/Highlighter.h"
#include "editor/KeyStrokes.h"
#include "editor/Marks.h"
#include "editor/Print.h"
#include "editor/SupportClasses.h"
#include "editor/TextDrawer.h"
#include "editor/UndoList.h"
#include "platform/Canvas.h"
#include "platform/Classes.h"
#include "platform/Types.h"

// The marks of one line, in list order; unused slots are nullptr.
using TktLineMarks = std::array<TMark*, 9>;

// SearchReplace's option bits.
enum TktSearchOption : uint8_t {
  ktsoMatchCase = 1,
  ktsoWholeWord = 2,
  ktsoBackwards = 4,
  ktsoEntireScope = 8,    // the whole text, not from the caret
  ktsoSelectedOnly = 16,  // the selection only (when there is one)
  ktsoReplace = 32,
  ktsoReplaceAll = 64,
  ktsoPrompt = 128,       // OnReplaceText before each replacement
};

class TktCustomEdit : public TComponent {
public:
  explicit TktCustomEdit(TComponent* owner);
  ~TktCustomEdit() override;

  // Timers the control runs through its host.
  static constexpr int kAutoScrollTimer = 1;   // selecting with the mouse outside the text
  static constexpr int kGutterClickTimer = 2;  // a gutter press, handled once the press is over
  static constexpr int kAutoScrollDelay = 100;
  static constexpr int kAutoScrollFastDelay = 10;

  // --- the window ---------------------------------------------------------
  // The window the control draws in; nullptr: none (nothing is painted,
  // scrolled or captured). The host must outlive its use here.
  void SetHost(IktEditHost* host);
  IktEditHost* GetHost() const { return FHost; }
  bool HandleAllocated() const;
  bool Focused() const;
  int GetClientWidth() const;
  int GetClientHeight() const;
  // The window was made: cell metrics and window sizes are taken, drops of
  // files are accepted when kteoDropFiles is set.
  void HandleCreated();
  // The window is about to go: drops of files are refused again.
  void HandleDestroying();

  // --- entry points of the window half ------------------------------------
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // The platform's double click at (x, y); the platform's OnDblClick
  // handler runs after it.
  void DblClick(int x, int y);
  // A wheel turn of delta (120 a notch); false when not handled.
  bool MouseWheel(int delta, TShiftState shift);
  void TimerTick(int id);
  void HScroll(TktScrollCode code, int pos);
  void VScroll(TktScrollCode code, int pos);
  // The client area changed size.
  void SizeChanged();
  void FocusEnter();
  void FocusExit();
  // The cursor the window shows over (x, y).
  TktCursorKind GetCursorAt(int x, int y) const;
  // Text dragged from this control is over (x, y); returns whether a drop is
  // accepted there and sets the cursor to show.
  bool DragOver(int x, int y, TktDragState state, TShiftState shift, TktCursorKind& cursor);
  // Text dragged from this control was dropped at (x, y); Ctrl copies.
  void DragDrop(int x, int y, TShiftState shift);

  // --- settings -----------------------------------------------------------
  TktBookMarkOpt* GetBookMarkOptions() const { return FBookMarkOpt.get(); }
  void SetBookMarkOptions(TktBookMarkOpt* value);  // copied
  TktBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TktBorderStyle value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor value);
  int GetExtraLineSpacing() const { return FExtraLineSpacing; }
  void SetExtraLineSpacing(int value);
  const TFontData& GetFont() const { return FFont; }
  void SetFont(const TFontData& value);
  TktGutter* GetGutter() const { return FGutter.get(); }
  void SetGutter(TktGutter* value);  // copied
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool value);
  TktCustomHighLighter* GetHighLighter() const { return FHighLighter; }
  void SetHighLighter(TktCustomHighLighter* value);
  TCaretType GetInsertCaret() const { return FInsertCaret; }
  void SetInsertCaret(TCaretType value);
  bool GetInsertMode() const { return FInsertMode; }
  void SetInsertMode(bool value);
  TktKeyStrokes* GetKeystrokes() const { return FKeystrokes.get(); }
  void SetKeystrokes(TktKeyStrokes* value);  // copied; nullptr clears the map
  int GetLineCount() const { return FLines->GetCount(); }
  TktEditList* GetLines() const { return FLines.get(); }
  void SetLines(TStrings* value);  // copied
  int GetMaxUndo() const { return FUndoList.GetMaxUndo(); }
  void SetMaxUndo(int value);  // both lists; negative ignored
  TktEditorOptions GetOptions() const { return FOptions; }
  void SetOptions(TktEditorOptions value);
  TCaretType GetOverwriteCaret() const { return FOverwriteCaret; }
  void SetOverwriteCaret(TCaretType value);
  virtual bool GetReadOnly() const;
  virtual void SetReadOnly(bool value);
  int GetRightEdge() const { return FRightEdge; }
  void SetRightEdge(int value);
  TColor GetRightEdgeColor() const { return FRightEdgeColor; }
  void SetRightEdgeColor(TColor value);
  TktScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TktScrollStyle value);
  TktSelectedColor* GetSelectedColor() const { return FSelectedColor.get(); }
  void SetSelectedColor(TktSelectedColor* value);  // copied
  TSelectionMode GetSelectionMode() const { return FSelectionMode; }
  void SetSelectionMode(TSelectionMode value);
  int GetTabWidth() const { return FTabWidth; }
  void SetTabWidth(int value);  // clamped to 0..256
  bool GetWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool value) { FWantTabs = value; }

  // --- text ---------------------------------------------------------------
  std::string GetText() const { return FLines->GetText(); }
  // Replaces every line under the list's assignment lock (empties both undo lists).
  void SetText(const std::string& value);
  void ClearLines();
  bool GetModified() const { return FModified; }
  void SetModified(bool value);
  // Line (1-based) as a view valid until the text next changes; empty
  // outside the text.
  std::string_view LineText(int line) const;
  int LineLength(int line) const { return int(LineText(line).size()); }

  // --- caret and view -----------------------------------------------------
  int GetCaretX() const { return FCaretX; }
  void SetCaretX(int value) { SetCaretXY(TPoint(value, FCaretY)); }
  int GetCaretY() const { return FCaretY; }
  void SetCaretY(int value) { SetCaretXY(TPoint(FCaretX, value)); }
  TPoint GetCaretXY() const { return TPoint(FCaretX, FCaretY); }
  // Clamps the line to the text and the column to the line's end (or, with
  // kteoScrollPastEol, to MaxLeftChar columns or the line's end if longer),
  // reports the change and scrolls the caret into view.
  virtual void SetCaretXY(TPoint value);
  int GetLeftChar() const { return FLeftChar; }
  void SetLeftChar(int value);
  int GetTopLine() const { return FTopLine; }
  void SetTopLine(int value);
  int GetMaxLeftChar() const { return FMaxLeftChar; }
  void SetMaxLeftChar(int value);  // clamped to 1..32767
  // The widest the view scrolls: MaxLeftChar, or more when the caret's line
  // (or the caret) reaches further -- real text is never out of reach.
  int GetMaxScrollWidth() const;
  int GetCharsInWindow() const { return FCharsInWindow; }
  int GetLinesInWindow() const { return FLinesInWindow; }
  int GetCharWidth() const { return FCharWidth; }
  int GetLineHeight() const { return FLineHeight; }
  int GetGutterWidth() const { return FGutterWidth; }
  // x of column 1: gutter width + 2 - (LeftChar - 1) x character width.
  int GetTextOffset() const { return FGutterWidth + 2 - (FLeftChar - 1) * FCharWidth; }
  void EnsureCursorPosVisible();
  // (column, line) under a client point; neither is clamped to the text.
  TPoint PixelsToRowColumn(int x, int y) const;
  // Client point of (column, line): the cell's left edge and one pixel into its row.
  TPoint RowColumnToPixels(TPoint rowColumn) const;
  ITextDrawer* GetTextDrawer() const { return FTextDrawer.get(); }

  // --- selection ----------------------------------------------------------
  // The ordered start and end of the selection.
  TPoint GetBlockBegin() const;
  TPoint GetBlockEnd() const;
  // The anchor and the moving end as set.
  TPoint GetBlockAnchor() const { return FBlockBegin; }
  TPoint GetBlockMovingEnd() const { return FBlockEnd; }
  // Both points to value (clamped); the selection is gone.
  void SetBlockBegin(TPoint value);
  // The moving end to value (clamped); nothing under kteoNoSelection.
  void SetBlockEnd(TPoint value);
  bool SelAvail() const;
  // Character offsets counting CR LF after every line; (1, 1) is 1.
  int GetSelStart() const;
  void SetSelStart(int value);
  int GetSelEnd() const;
  void SetSelEnd(int value);
  std::string GetSelText() const;
  // Replaces the selection (taken in the current mode) by value inserted as
  // normal text, recording a selection-delete and an insert change.
  void SetSelText(const std::string& value);
  // Selects the word at value (or only moves the caret past the line's end).
  void SetWordBlock(TPoint value);
  bool IsPointInSelection(TPoint value) const;
  // Selects (1, 1) to the end of the last line and puts the caret there.
  void SelectAll();
  // Moves the selection to dropPos (or copies it there), recording a
  // drag-drop delete (for a move) and a drag-drop insert; the dropped text
  // ends up selected. Nothing when dropPos lies inside the selection.
  void DropSelection(TPoint dropPos, bool copy);

  // --- painting lock and invalidation ---------------------------------------
  // Scroll-bar and caret updates and status reports wait while the lock is
  // held and are made once when it returns to 0. Locks nest.
  void BeginUpdate();
  void EndUpdate();
  int GetPaintLock() const { return FPaintLock; }
  // The whole control.
  void Invalidate();
  // Text rows / gutter rows of lines first..last (-1, -1: the whole area).
  void InvalidateLines(int first, int last);
  void InvalidateGutterLines(int first, int last);
  // One full-width row.
  void InvalidateLine(int line);

  // --- undo ---------------------------------------------------------------
  TUndoList& GetUndoList() { return FUndoList; }
  TUndoList& GetRedoList() { return FRedoList; }
  bool CanUndo() const { return FUndoList.CanUndo(); }
  bool CanRedo() const { return FRedoList.CanUndo(); }
  // Both lists at once.
  void LockUndo();
  void UnlockUndo();

  // --- marks and bookmarks ----------------------------------------------------
  TMarkList* GetMarks() const { return FMarkList.get(); }
  void SetBookMark(int number, int x, int y);
  void ClearBookMark(int number);
  void GotoBookMark(int number);
  bool GetBookMark(int number, int& x, int& y) const;
  bool IsBookMark(int number) const;
  TMark* GetBookMarkSlot(int number) const;  // nullptr when empty or out of range
  void GetMarksForLine(int line, TktLineMarks& marks) const;
  // Marks follow line edits. count lines were inserted before line first:
  // marks on first or below move down.
  void MoveMarksForInsertedLines(int first, int count);
  // Lines first..first + count - 1 went away (a line joined into the one
  // above counts as removed): marks on them go to the line above them,
  // marks below move up. No mark goes above line 1.
  void MoveMarksForRemovedLines(int first, int count);

  // --- caret history ------------------------------------------------------
  void StepCaretHistory(bool back);
  bool CanHistoryBack() const { return FCaretHistory.CanBack(); }
  bool CanHistoryForward() const { return FCaretHistory.CanForward(); }
  TktCaretHistory& GetCaretHistory() { return FCaretHistory; }

  TktEditSearch* GetSearchEngine() const { return FSearchEngine.get(); }

  // --- document files, exports and printing (CustomEditFiles.cpp, CustomEditPrint.cpp) ---
  // Loads FileName (CR, LF or CR LF line ends; every byte kept, NUL
  // included); with TabWidth above 1 every TAB becomes TabWidth blanks.
  // Stamps the document's registry record and restores caret and bookmarks
  // from it. File and registry errors reach the caller.
  void LoadFromFile();
  // Saves FileName with CR LF (LF) after every line, keeping a backup as
  // BackupMode says, through a temporary file: a failure shows "Error
  // ce869: " ("Error ce922: ") and the reason through the host, leaves the
  // file, its backup and Modified as they were, and returns false.
  bool SaveToFile();
  bool SaveToFileUnix();
  // Writes the registry record (date, highlighter name, caret, bookmarks)
  // and clears Modified; a registry failure shows "Error ce902: ..." and
  // leaves Modified.
  void SaveDocumentState();
  // The whole text through the DOS/Windows Cyrillic tables (undo is
  // emptied, caret and top line stay, the document is modified).
  void ConvertDosToWin();
  void ConvertWinToDos();
  // Exports the selection (when asked and there is one) or every line
  // through exporter with the editor's highlighter, and saves the result to
  // fileName. Nothing unless exporter is a TktCustomExport.
  void ExportToFile(bool selectionOnly, const std::string& fileName, TComponent* exporter);
  // What an export or a print reads of this editor.
  TktExportDocument GetExportDocument() const;
  // Prints on printer (the platform's printer: see win/PrintDevice.h) with
  // printFont, or the editor's font when none is given; OnPrintStatus
  // reports progress and may abort. False when nothing was printed to the
  // end (no selection to print, or an abort).
  bool Print(IktPrintDevice& printer, const TktPrintOptions& options,
             const TFontData* printFont = nullptr);

  // --- keys and commands (CustomEditKeys.cpp, CustomEditCommands.cpp, CustomEditTyping.cpp) ---
  // The window half's key messages. KeyDown runs after the platform's own
  // key-down handling (a key its handler cleared comes as 0, which still
  // ends a pending chord); a key that became a command is cleared. For a
  // character message: SwallowChar first (true: drop the character -- it
  // repeats an input method's result or follows a key that became a
  // command), then the platform's key-press handling, then KeyPress.
  // ImeComposition takes an input method's result string.
  void KeyDown(uint16_t& key, TShiftState shift);
  bool SwallowChar();
  void KeyPress(char key);
  void ImeComposition(const std::string& text);
  // The key map's command for key, completing a pending two-key chord;
  // ecNone when there is none (a key of 30..145 then waits as a chord's first).
  TktEditorCommand TranslateKeyCode(uint16_t key, TShiftState shift);
  // OnProcessCommand (OnProcessUserCommand from ecUserFirst up) may change
  // command and aChar; ecNone and the application's commands end there.
  // Otherwise the command runs under the paint lock and OnCommandDone fires.
  // data: a TPoint* for ecGotoXY and ecSelGotoXY, a NUL-terminated
  // const char* for ecImeStr.
  virtual void ExecuteCommand(TktEditorCommand command, char aChar, void* data);
  // Where Ctrl+Right and Ctrl+Left go from the caret.
  virtual TPoint NextWordPos();
  virtual TPoint PrevWordPos();
  // To the partner of the bracket at the caret (strings and comments count).
  virtual void GotoMatchingBracket();

  // --- undo and redo (CustomEditUndo.cpp) -------------------------------------
  // Replays the newest change backwards (forwards), recording the inverse
  // in the other list; a change made in two records goes as one step.
  void Undo();
  void Redo();
  // Caret and selection to from..to in column mode; the selection replaced
  // by text inserted as a column block.
  void InsertBlock(TPoint from, TPoint to, const std::string& text);

  // --- clipboard (CustomEditClipboard.cpp) --------------------------------------
  // Copy and cut place the selection as text and as the private block (its
  // mode byte and text); EktEditError "Clipboard copy operation failed" when
  // the host cannot place it. Paste prefers a valid private block, so column
  // and line blocks paste as such; EktEditError "Clipboard paste operation
  // failed." when a block the clipboard holds cannot be read.
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  bool CanPaste() const;

  // --- search and replace (CustomEditSearch.cpp) -------------------------------
  // Finds (and replaces) search as options say (TktSearchOption bits);
  // returns the number of matches found, replaced or skipped.
  int SearchReplace(const std::string& search, const std::string& replace, uint8_t options);

  // --- painting (CustomEditPaint.cpp) ----------------------------------------
  // Paints what the canvas's clip rectangle covers: gutter, text lines, then
  // OnPaint. The window half calls it for every paint message.
  void Paint(ICanvas& canvas);

  // --- public fields the application reads and writes -----------------------
  std::string FileName;
  uint8_t AppByte1 = 0;  // the application's own three bytes
  uint8_t AppByte2 = 0;
  uint8_t AppByte3 = 0;
  uint8_t BackupMode = 0;  // 0 none, 1 one ".bak" file, 2 numbered backups
  bool WrapOnSpace = false;

  // --- events -------------------------------------------------------------
  TNotifyEvent OnChange;           // a change record was added to either undo list
  TNotifyEvent OnCommandDone;
  TktDropFilesEvent OnDropFiles;
  TktGutterClickEvent OnGutterClick;
  TktPaintEvent OnPaint;
  TktPlaceMarkEvent OnPlaceBookmark;
  TktPrintStatusEvent OnPrintStatus;
  TktProcessCommandEvent OnProcessCommand;      // commands below ecUserFirst
  TktProcessCommandEvent OnProcessUserCommand;  // commands from ecUserFirst
  TktReplaceTextEvent OnReplaceText;
  TNotifyEvent OnSelectionChange;  // after every caret move
  TktSpecialLineColorsEvent OnSpecialLineColors;
  TktStatusChangeEvent OnStatusChange;

  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

protected:
  // State flags.
  static constexpr uint16_t sfCaretChanged = 1;
  static constexpr uint16_t sfScrollbarChanged = 2;
  static constexpr uint16_t sfLinesChanging = 4;
  static constexpr uint16_t sfInScrollLoop = 8;
  static constexpr uint16_t sfIgnoreNextChar = 16;
  static constexpr uint16_t sfCaretVisible = 32;
  static constexpr uint16_t sfDblClicked = 64;
  static constexpr uint16_t sfGutterClick = 128;
  static constexpr uint16_t sfWaitForDragging = 256;
  // The top line moved under the paint lock; the pixels follow when the
  // lock ends (FScrollFromTop is where they stand now).
  static constexpr uint16_t sfScrollPending = 512;

  // --- virtual operations ---------------------------------------------------
  virtual void DoGutterClick(int x, int y, TShiftState shift);
  virtual void DoPrintStatus(TktPrintStatus status, int pageNumber, bool& abort);
  // OnProcessUserCommand from ecUserFirst up, OnProcessCommand below.
  virtual void DoProcessCommand(TktEditorCommand& command, char& aChar, void* data);
  virtual void DoSelectionChange();
  // False without a handler, else the handler's verdict.
  virtual bool DoSpecialLineColors(int line, TColor& fg, TColor& bg);
  virtual void SetDefaultKeystrokes();
  // The gutter rows of lines firstLine..lastLine inside clip (cut at the
  // gutter's width): line numbers, the gutter's edge, the glyphs of marks.
  virtual void PaintGutter(ICanvas& canvas, const TRect& clip, int firstLine, int lastLine);
  // The text rows of lines firstLine..lastLine, columns firstCol..lastCol,
  // inside clip (cut at the gutter's width), and the area below the text.
  virtual void PaintTextLines(ICanvas& canvas, const TRect& clip, int firstLine, int lastLine,
                              int firstCol, int lastCol);

  // --- status, caret, scroll bars ---------------------------------------------
  // Adds to the pending changes; reports them at once outside a paint lock.
  void StatusChanged(TktStatusChanges changes);
  // Makes the screen caret of the current shape (while focused).
  void InitializeCaret();
  void UpdateCaret();
  void HideCaret();
  void UpdateScrollBars(bool force = false);
  // Moves the pixels once for every top-line change made under the paint lock.
  void FlushPendingScroll();
  // Cell metrics from the font, the highlighter's styles and the line spacing.
  void RecalcCharExtent();
  void GutterChanged();
  void ComputeWindowSizes();

  // --- text changes (they record nothing; callers add the undo records) -------
  // Removes the selected text in the current selection mode, moves marks,
  // and leaves caret and both block points where the text was.
  void DeleteSelection();
  // Inserts text at `at` (a point past the line's end is padded with
  // blanks) in mode: normal text splits at line ends; a column block puts
  // its lines at the same column on successive lines (adding lines at the
  // end); a line block becomes whole lines before line at.Y (a final line
  // end adds no line). Moves marks, puts the caret after the text and
  // returns that point.
  TPoint InsertText(TPoint at, std::string_view text, TSelectionMode mode);
  // The selection (if any) replaced by text inserted in mode at the
  // selection's start (column 1 in line mode, the left column in column mode).
  // Returns where the text's record starts (see InsertAt).
  TPoint SetSelTextPrimitive(TSelectionMode mode, std::string_view text);
  // Where the text of a removed selection starts.
  TPoint SelectionInsertPoint() const;
  // The largest column a point on line may hold.
  int MaxColumnOf(int line) const;
  // Whether the byte at column of line is the second byte of a double-byte character.
  bool IsTrailByteAt(int line, int column) const;

  // --- command helpers (CustomEditCommands.cpp, CustomEditTyping.cpp) -------------
  // Runs a command inside ExecuteCommand's lock; true when the view must be
  // painted at once afterwards.
  bool RunCommand(TktEditorCommand command, char aChar, void* data);
  TPoint ClampToLineEnd(TPoint p) const;
  void MoveCaretAndSelection(TPoint from, TPoint to, bool select);
  void MoveCaretHorz(int delta, bool select);
  void MoveCaretVert(int delta, bool select);
  TktCharSet WordChars() const;
  void ToggleBookMark(int number);
  void TypeChar(char c);
  // Typed text at the caret, or in place of the selection (recorded as
  // selectionKind, then an insert).
  void TypeString(std::string_view text, TktChangeReason selectionKind);
  // text at the caret in insert or overwrite mode, the line stored without
  // trailing blanks, with its insert record; forcePastEol lets the caret
  // follow past the line's end.
  void InsertAtCaret(std::string_view text, bool overwrite, bool forcePastEol);
  // Records that the text from line y on (lines joined by CR LF) went from
  // oldText to newText, the command having changed it at offset anchor: a
  // pure removal as removalKind (from its end back to its start when
  // fromEnd), anything else as an insert holding what it replaced.
  void RecordTextChange(TktChangeReason removalKind, bool fromEnd, int y,
                        std::string_view oldText, std::string_view newText, size_t anchor);
  // Removes bytes [from, to) of line y (0-based), stores the line without
  // trailing blanks and records the removal as kind.
  void RemoveFromLine(int y, int from, int to, TktChangeReason kind, bool fromEnd);
  void DeleteSelectionRecorded(TktChangeReason kind);
  void DeleteLastChar();
  void DeleteChar();
  // from..to as plain text, recorded as kind; nothing when to is not after from.
  void DeleteRange(TktChangeReason kind, TPoint from, TPoint to);
  void DeleteCaretLine();
  void ClearAll();
  void LineBreak(bool moveCaret);
  void InsertTab();
  void BlockIndent();
  void BlockUnindent();
  void RemoveLeadingBytes(int first, const std::vector<int>& counts);
  void SelectAfterUnindent(TPoint b, TPoint e, int lastLine, int firstRemoved, int lastRemoved);
  void WrapLines();
  // Both block points without the setters' checks and notices (commands and
  // replays select text to change it, even under kteoNoSelection).
  void SetBlockPoints(TPoint anchor, TPoint end);
  // In normal mode the block points come back to their lines' ends (a
  // column or line block may reach past them).
  void ClampBlockToMode();

  // --- undo replays (CustomEditUndo.cpp) ------------------------------------------
  void Replay(bool undo);
  void UndoChange(const TktUndoItem& item);
  void RedoChange(const TktUndoItem& item);
  // Takes the text of start..end in mode out and returns it as a record
  // keeps it.
  std::string TakeRegion(TPoint start, TPoint end, TSelectionMode mode);
  // A column block this control inserted, taken out again piece by piece
  // as its insert record (see ColumnInsertRecord) says.
  std::string TakeInsertedBlock(TPoint start, TPoint end, const std::string& record);
  // The selected text as a record keeps it: as GetSelText, but a column
  // block's pieces without the blanks that pad them to the block's width,
  // so an undo gives each line back exactly the bytes it lost.
  std::string SelTextForUndo() const;
  // A removed text back at `at` in its mode (a line block of lines lines);
  // returns where it ends.
  TPoint PutBack(TPoint at, const std::string& text, TSelectionMode mode, int lines);
  void TrimLine(int line);
  // The end point a line block's records give its last line.
  TPoint LineBlockEnd(int lastLine) const;
  // InsertText at `at`, where a removed selection began; returns where the
  // inserted text starts. When whole lines went from the text's end, `at`
  // lies below the last line: normal text then goes on a line of its own
  // (a line end and the text at the last line's end), a column block at
  // column 1 of a new line.
  // *end (when given) receives where the text ends (InsertText's answer).
  TPoint InsertAt(TPoint at, std::string_view text, TSelectionMode mode, TPoint* end = nullptr);
  // The text of a column block's insert record: the block, then one more
  // line end for each line the insert added below the text (lines beyond
  // linesBefore).
  std::string ColumnInsertRecord(std::string_view block, int linesBefore) const;
  // Every change of the text outside a replay empties the redo list.
  void WatchTextChanges();
  void TextChanged();

  // --- clipboard and search helpers -------------------------------------------------
  void PlaceOnClipboard(const std::string& text);
  void PasteBlock(TSelectionMode mode, std::string_view text);
  void SelectMatch(int column, int line, int length, bool caretAtStart, bool force);
  void ShowMatch(bool replacing, int length);

  // --- mouse helpers ----------------------------------------------------------
  bool IsInTextArea(int x, int y) const;
  void StopAutoScroll();
  void AutoScrollStep();

  // --- fields -------------------------------------------------------------
  IktEditHost* FHost = nullptr;
  TktCaretHistory FCaretHistory;
  TPoint FBlockBegin{1, 1};
  TPoint FBlockEnd{1, 1};
  int FCaretX = 1;  // 1-based
  int FCaretY = 1;
  int FCharsInWindow = 0;
  int FCharWidth = 1;
  TFontData FFont;
  int FGutterWidth = 0;
  int FImeCount = 0;
  // A vertical move stepped left off a double-byte trailing byte; the next
  // vertical move restores the column.
  bool FMBCSStepAside = false;
  bool FInsertMode = true;
  std::unique_ptr<TktEditList> FLines;
  int FLinesInWindow = 0;
  int FLeftChar = 1;  // 1-based
  int FMaxLeftChar = 1024;
  int FPaintLock = 0;
  bool FReadOnly = false;
  int FRightEdge = 80;
  TColor FRightEdgeColor = TColor(0xC0C0C0);
  TktScrollStyle FScrollBars = kssBoth;
  int FLineHeight = 1;
  int FTopLine = 1;  // 1-based
  int FScrollFromTop = 1;  // the top line the window shows, while sfScrollPending
  // FScrollFromTop when the pixels no longer match any top line.
  static constexpr int kRepaintAll = -(1 << 30);
  TktCustomHighLighter* FHighLighter = nullptr;
  std::unique_ptr<TktSelectedColor> FSelectedColor;
  TUndoList FUndoList;
  TUndoList FRedoList;
  std::array<TMark*, 10> FBookMarks{};
  // Recorded at a left press inside a selection, for dragging it.
  TPoint FDragSelStart;
  TPoint FDragSelEnd;
  int FMouseDownX = 0;
  int FMouseDownY = 0;
  std::unique_ptr<TktBookMarkOpt> FBookMarkOpt;
  TktBorderStyle FBorderStyle = kbsSingle;
  bool FHideSelection = false;
  int FMouseWheelAccumulator = 0;
  TCaretType FOverwriteCaret = ctBlock;
  TCaretType FInsertCaret = ctVerticalLine;
  TPoint FCaretOffset;
  std::unique_ptr<TktKeyStrokes> FKeystrokes;
  bool FModified = false;
  std::unique_ptr<TMarkList> FMarkList;
  int FExtraLineSpacing = 0;
  TSelectionMode FSelectionMode = smNormal;
  bool FWantTabs = false;
  std::unique_ptr<TktGutter> FGutter;
  int FTabWidth = 1;
  std::unique_ptr<ITextDrawer> FTextDrawer;
  TRect FInvalidateRect;
  uint16_t FStateFlags = 0;
  TktEditorOptions FOptions = kDefaultEditorOptions;
  TktStatusChanges FStatusChanges;
  uint16_t FLastKey = 0;  // first key of a pending two-key chord
  TShiftState FLastShift;
  std::unique_ptr<TktEditSearch> FSearchEngine;
  TColor FColor = clWindow;
  // The last mouse position (auto-scroll works from it) and its timer's interval.
  TPoint FLastMouse;
  int FAutoScrollInterval = 0;
  // A gutter press waiting for its timer.
  TPoint FGutterClickPoint;
  TShiftState FGutterClickShift;
  bool FGutterClickPending = false;
  // Undo or redo replaying (nested): their changes keep the redo list.
  int FReplaying = 0;

private:
  friend class TMarkList;
  void BookmarkRemoved(TMark* mark);

  // The line store's callbacks.
  void ListAdded();
  void ListCleared();
  void ListDeleted(int index);
  void ListInserted(int index);
  void ListLineReplaced(int index);
  void ListTextSet();
  void ListScanRanges();
  void ListChanging();
  void ListChanged();
  void HighlighterAttrChanged(TObject* sender);
  // Marks a rectangle for painting, or merges it while the list changes.
  void InvalidateRectangle(const TRect& rect);
  TRect LinesRect(int first, int last, int left, int right) const;
  void ChangeAdded();
};
