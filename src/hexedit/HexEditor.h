// THexEditor: the hex view of a document, the portable half. It edits the
// bytes of one file through a working copy in the temporary folder (never
// the whole file in memory), with a 64 KB read window for painting and
// search, changed-byte marks, ten row markers, a selection, typing in a hex
// and a character pane in overwrite and insert mode, nibble insertion and
// deletion, and an undo stream. It talks to its window only through
// IHexEditorHost; the window half (win/HexEditWindow.h) turns messages into
// calls of the entry points below.
//
// Offsets are 32-bit signed data offsets: files of 2 GiB or more are refused.
// Member functions are split by concern over HexEditor*.cpp: settings and
// layout, files and search, editing and undo, keys and selection, painting.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "hexedit/HexColors.h"
#include "hexedit/HexGrid.h"
#include "hexedit/HexHost.h"
#include "hexedit/HexTranslations.h"
#include "platform/Canvas.h"
#include "platform/Classes.h"
#include "platform/Keys.h"
#include "platform/Streams.h"

TQ_DECLARE_EXCEPTION(EHexEditor, Exception)

class THexShiftFile;

enum TOffsetDisplayStyle { odHex, odDec, odOctal, odNone };
enum TCaretStyle { csFull, csLeftLine, csBottomLine };

// Kinds of undo record (the first byte of each record).
enum THexUndoKind : uint8_t {
  hukByteChanged, hukRemoved, hukInsertBuffer, hukReplaceSelection, hukAppendBuffer,
  hukInsertNibble, hukDeleteNibble, hukConvert
};

class THexEditor : public TComponent {
public:
  static constexpr int kCacheSize = 65536;
  static constexpr int kMaxUndo = 500;
  static constexpr int kUndoHeaderSize = 33;
  static constexpr int kMaxDataSize = 0x7FFFFFFF;

  explicit THexEditor(TComponent* owner);
  ~THexEditor() override;

  // --- the window ---------------------------------------------------------
  void SetHost(IHexEditorHost* host);
  IHexEditorHost* GetHost() const { return FHost; }
  // The window was made (a view still without a file becomes "Untitled").
  void HandleCreated();
  void Resized();
  void FocusChanged(bool focused);
  // The handler of the posted state-change message.
  void StateChangedMessage();
  // How the window measures text in a font; without one every character is
  // 8 x 16 pixels. Set by the window half before it makes the window.
  using TTextMeasure = std::function<TSize(const TFontData& font, std::string_view text)>;
  void SetTextMeasure(TTextMeasure measure);

  // --- published properties -------------------------------------------------
  bool GetShowMarkerColumn() const { return FShowMarkerColumn; }
  void SetShowMarkerColumn(bool value);
  int GetBytesPerColumn() const { return FDigitsPerGroup / 2; }
  void SetBytesPerColumn(int value);
  TTranslationType GetTranslation() const { return FTranslation; }
  void SetTranslation(TTranslationType value);
  bool GetCreateBackup() const { return FCreateBackup; }
  void SetCreateBackup(bool value) { FCreateBackup = value; }
  const std::string& GetBackupExtension() const { return FBackupExtension; }
  void SetBackupExtension(const std::string& value) { FBackupExtension = value; }
  TOffsetDisplayStyle GetOffsetDisplay() const { return FOffsetDisplay; }
  void SetOffsetDisplay(TOffsetDisplayStyle value);
  int GetBytesPerLine() const { return FBytesPerLine; }
  void SetBytesPerLine(int value);
  TCaretStyle GetCaretStyle() const { return FCaretStyle; }
  void SetCaretStyle(TCaretStyle value);
  TColors* GetColors() const { return FColors.get(); }
  void SetColors(TColors* value) { FColors->Assign(value); }
  bool GetFocusFrame() const { return FFocusFrame; }
  void SetFocusFrame(bool value);
  char GetOffsetSeparator() const { return FOffsetSeparator; }
  void SetOffsetSeparator(char value);
  bool GetSwapNibbles() const { return FSwapNibbles; }
  void SetSwapNibbles(bool value);
  // Stored for the find dialog and stored settings; painting does not read it.
  bool GetMaskWhiteSpaces() const { return FMaskWhiteSpaces; }
  void SetMaskWhiteSpaces(bool value);
  char GetMaskChar() const { return FMaskChar; }
  void SetMaskChar(char value);
  bool GetNoSizeChange() const { return FNoSizeChange; }
  void SetNoSizeChange(bool value);
  bool GetAllowInsertMode() const { return FAllowInsertMode; }
  void SetAllowInsertMode(bool value);
  bool GetAutoCaretMode() const { return FAutoCaretMode; }
  void SetAutoCaretMode(bool value);
  bool GetWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool value) { FWantTabs = value; }
  bool GetReadOnlyView() const { return FReadOnlyView; }
  void SetReadOnlyView(bool value) { FReadOnlyView = value; }
  const TFontData& GetFont() const { return FFont; }
  void SetFont(const TFontData& font);
  // The control's font size in points (at 96 pixels per inch).
  int GetFontSize() const;

  TNotifyEvent OnStateChanged;
  // Fired before a typed character is handled; may change it (0 drops it).
  std::function<void(TObject* sender, char& key)> OnKeyPress;

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  // --- state --------------------------------------------------------------
  const std::string& GetFileName() const { return FFileName; }
  // The working copy's path; empty before the first load or write.
  const std::string& GetWorkFileName() const { return FWorkFileName; }
  bool GetModified() const { return FModified; }
  bool GetInsertMode() const { return FInsertMode; }
  void SetInsertMode(bool value);
  // Insert editing is on: InsertMode and AllowInsertMode, without NoSizeChange.
  bool InsertActive() const { return FInsertMode && FAllowInsertMode && !FNoSizeChange; }
  bool GetCanUndo() const { return FCanUndo; }
  const std::string& GetUndoDescription() const { return FUndoDescription; }
  int GetUndoCount() const { return FUndoCount; }
  int64_t GetUndoStreamSize() const;
  int GetCharWidth() const { return FCharWidth; }
  int GetCharHeight() const { return FCharHeight; }
  int GetOffsetDigits() const { return FOffsetDigits; }
  bool GetAltEntry() const { return FAltEntry; }
  void SetAltEntry(bool value) { FAltEntry = value; }
  bool IsChanged(int offset) const;
  int GetMarker(int index) const;
  bool GetSelecting() const { return FSelecting; }
  int GetSelFirst() const { return FSelFirst; }
  int GetSelLast() const { return FSelLast; }
  int GetSelAnchor() const { return FSelAnchor; }
  bool HasSelection() const { return FSelFirst >= 0; }
  const THexGrid& Grid() const { return FGrid; }
  int GetCol() const { return FCol; }
  int GetRow() const { return FRow; }
  bool CaretInCharPane() const { return IsCharColumn(FCol); }

  // --- operations -------------------------------------------------------------
  // Copies the file into a fresh working copy and shows it. False, with the
  // view exactly as it was, when the file is missing or unreadable, is 2 GiB
  // or larger, or the copy fails.
  bool LoadFromFile(const std::string& fileName);
  // Writes the data to fileName through a temporary beside it; on success
  // the view is saved (marks, Modified, undo dropped). False, with the file,
  // its backup and the view as they were, on any failure.
  bool SaveToFile(const std::string& fileName);
  // A new, empty document ("Untitled").
  void NewDocument();
  int GetDataSize() const;
  bool Undo();
  void ResetUndo();
  int Find(const char* bytes, int count, int start, int end, bool ignoreCase, bool translate);
  bool Seek(int offset, int origin, bool failOutside);
  int GetCursorPosition() const;
  void SetSelStart(int offset);
  void SetSelEnd(int offset);
  void SetMarker(int index, int row);

  // --- editing (each asks CreateUndo first) ------------------------------------
  bool CreateUndo(THexUndoKind kind, int position, int count, int newCount);
  void ChangeByte(int position, uint8_t oldByte, uint8_t newByte);
  void InsertBuffer(const char* bytes, int count, int position);
  void AppendBuffer(const char* bytes, int count);
  void ReplaceSelection(const char* bytes, int count);
  void DeleteSelection();
  // Converts count bytes from position through a byte table, as one record.
  void ConvertRange(int position, int count, const THexByteTable& table);
  bool InsertNibble(int position, bool beforeHigh);
  bool DeleteNibble(int position, bool highNibble);
  // The byte at offset, read from the working copy (0 past the end).
  uint8_t GetByte(int offset);
  // All data bytes (tests and small files).
  std::string GetBytes(int offset, int count);

  // --- input ------------------------------------------------------------------
  // True when the view handled the key.
  bool KeyDown(uint16_t key, TShiftState shift);
  void KeyUp(uint16_t key, TShiftState shift);
  void KeyPress(char key);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  // Scroll-bar requests: to a row (vertical) or a scrollable column.
  void ScrollToRow(int row);
  void ScrollToCol(int col);
  // Moves the caret to a cell as a click or the grid would.
  void MoveToCell(int col, int row);

  // --- painting ---------------------------------------------------------------
  // Paints the rows the canvas's clip rectangle touches, each row in a few
  // calls: one fill, one text call per text colour, and the cells that
  // differ (changed, selected, a marker, the mirror frame) on top.
  void Paint(ICanvas& canvas);

  // --- geometry ---------------------------------------------------------------
  bool IsHexColumn(int col) const { return col >= 2 && col < FHexCellsPerLine + 2; }
  bool IsCharColumn(int col) const { return col > FHexCellsPerLine + 2; }
  int CellOffset(int col, int row) const;
  void OffsetToCell(int offset, bool charPane, int& col, int& row) const;
  // The other pane's cell of the same byte (a hex cell's character cell,
  // a character cell's first hex cell).
  int MirrorCol(int col) const;
  std::string OffsetText(int row) const;

  // Used by TColors.
  void ColorsChanged();

private:
  friend class THexEditorTest;
  struct TUndoHeader;
  struct TGlyph;

  // Layout and view (HexEditor.cpp).
  void Relayout();
  void UpdateColumnWidths();
  void UpdateScrollBars();
  void InvalidateCell(int col, int row);
  void InvalidateByte(int offset);
  void InvalidateAll();
  void PlaceCaret();
  void RebuildCaret();
  void PostStateChange();
  TSize Measure(std::string_view text) const;

  // Painting (HexEditorPaint.cpp).
  void PaintRow(ICanvas& canvas, int row, int y, const TRect& clip, std::vector<TGlyph>& glyphs);
  void CellGlyphs(int col, int row, int x, std::vector<TGlyph>& glyphs);
  void AddGlyph(std::vector<TGlyph>& glyphs, int x, int width, char ch, TColor text, TColor back);
  void PaintMarker(ICanvas& canvas, int row, const TRect& rect);
  void PaintMirrorFrame(ICanvas& canvas, const TRect& rect);

  // Data (HexEditorFiles.cpp).
  TFileStream* DataStream();  // opened (an empty working copy) on first use
  void CloseDataStream();
  void ReadAt(int offset, void* buffer, int count);
  void WriteAt(int offset, const void* buffer, int count);
  void InsertRaw(int position, const char* bytes, int count);
  void DeleteRaw(int position, int count);
  void TruncateRaw(int size);
  uint8_t CachedByte(int offset);
  void FillCache(int offset);
  void EmptyCache();
  bool ShiftIntoFile(int position, THexShiftFile& file);
  void CopyBackShifted(THexShiftFile& file, int from, int position, int count);
  void ApplyInsertNibble(int position, bool beforeHigh, THexShiftFile& file);
  void ApplyDeleteNibble(int position, bool highNibble, THexShiftFile& file);
  bool ShiftNibble(int position, bool insert, bool high);
  bool UndoNibble(int position, bool inserted, bool high, uint8_t oldByte);

  // Marks.
  void SetChanged(int offset, bool on);
  void UnmarkFrom(int offset);
  void ClearChanged();

  // Editing helpers (HexEditorEdit.cpp).
  void DeleteRange(int first, int end, int caretCol, int caretRow);
  void DeleteBytes(int first, int count);

  // Caret and selection (HexEditorKeys.cpp).
  bool SelectCell(int& col, int& row) const;
  void SetCell(int col, int row);
  void SetCaretCell(int col, int row);
  void ClearSelection();
  void SetSelection(int first, int last, int anchor);
  void ExtendSelection(int offset);
  void MoveRight();
  void MoveLeft();
  void InvalidateSelection(int first, int last);
  void ScrollInView(int col, int row);
  void ScrollTopRow(int row);
  bool NavigationKey(uint16_t key, TShiftState shift);
  void TypeHexDigit(int value);
  void TypeChar(uint8_t ch);
  void AfterTyping();

  IHexEditorHost* FHost = nullptr;
  TTextMeasure FMeasure;
  TFontData FFont;

  int FCharWidth = 8;
  int FCharHeight = 18;
  bool FInsertMode = false;
  std::unique_ptr<TColors> FColors;
  int FBytesPerLine = 16;
  int FOffsetDigits = 0;
  int FHexCellsPerLine = 32;
  mutable int FDataSizeCache = -1;
  std::unique_ptr<TFileStream> FDataStream;
  bool FSwapNibbles = false;
  bool FFocusFrame = true;
  std::unique_ptr<TMemoryStream> FUndoStream;
  int FDigitsPerGroup = 4;
  std::vector<uint8_t> FReadCache;
  int FCacheStart = -1;
  std::string FFileName = "---";
  std::string FWorkFileName;
  std::vector<uint64_t> FChanged;  // one bit per data offset
  std::array<int, 10> FMarkers;
  int FSelFirst = -1, FSelLast = -1, FSelAnchor = -1;
  bool FSelecting = false;
  bool FCanUndo = false;
  std::string FUndoDescription = "No Undo";
  int FUndoCount = 0;
  bool FModified = false;

  TTranslationType FTranslation = ttAnsi;
  bool FCreateBackup = true;
  std::string FBackupExtension = ".bak";
  TOffsetDisplayStyle FOffsetDisplay = odHex;
  TCaretStyle FCaretStyle = csFull;
  bool FShowMarkerColumn = true;
  bool FAltEntry = false;
  bool FMaskWhiteSpaces = true;
  char FMaskChar = '.';
  char FOffsetSeparator = ':';
  bool FNoSizeChange = false;
  bool FAllowInsertMode = false;
  bool FAutoCaretMode = true;
  bool FWantTabs = true;
  bool FReadOnlyView = false;

  class TRgbCache {
  public:
    TColor Get(TColor color);

  private:
    std::array<TColor, 16> FFrom{};
    std::array<TColor, 16> FTo{};
    int FCount = 0;
  };
  TRgbCache FRgb;  // the colours of the paint in progress

  THexGrid FGrid;
  int FCol = 2, FRow = 0;
  bool FMouseDown = false;
};
