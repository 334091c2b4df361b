// TktEditList: the editing control's line store. One string per text line,
// and beside each line the highlighter's range at the START of that line (the
// object slot, an integer). It tells the control about every structural
// change through callbacks, and does the forward range rescan the control
// runs in answer.
//
// Storage is compact so that 100 MB files load fast and small: text loaded in
// bulk (a file, SetText, AddStrings into an empty list) stays in one buffer,
// and each line is an 8-byte record saying where its text is. A line gets a
// string of its own only once it is edited. The ranges live in an array of
// their own, made when the first range other than 0 is stored (a file shown
// without a highlighter never needs it).
// GetView is the cheap read-only access for hot paths; every view is followed
// by a NUL (view.data()[view.size()] == '\0'), which highlighters rely on.
//
// The store never ends an operation with zero lines: when the outermost
// update bracket closes (or the assignment lock is released) on an empty
// list, one empty line is appended and OnLineAdded fires. A freshly made
// list is empty; the editor appends its first line.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/GapVector.h"
#include "editor/Highlighter.h"
#include "platform/Classes.h"

class TktEditList : public TStrings {
public:
  TktEditList();
  ~TktEditList() override;

  // --- storage ---
  int GetCount() const override { return int(FLines.Size()); }
  std::string Get(int i) const override;
  std::string_view GetView(int i) const override;
  // Whether line i's text lies in the buffer a bulk load filled. Such lines
  // are each followed there by their NUL, in load order until edits move
  // them, so a search may scan a long stretch of that buffer at once instead
  // of line by line. Unchecked: i must be a line index.
  bool IsInLoadBuffer(int i) const { return !(FLines[size_t(i)].LenOwned & kOwned); }
  // GetView for such a line without the checks and the virtual call, for
  // loops that walk millions of lines. Unchecked: IsInLoadBuffer(i) must hold.
  std::string_view LoadBufferView(int i) const {
    const TLine& line = FLines[size_t(i)];
    return std::string_view(FText.get() + line.Pos, line.LenOwned);
  }
  // The length of all lines together, line breaks not counted; kept as the
  // lines change, so asking costs nothing however long the text is.
  int64_t GetTextLength() const { return FTextLength; }
  TObject* GetObject(int i) const override;
  void PutObject(int i, TObject* o) override;
  // Replaces the text, then OnLinePut(i).
  void Put(int i, const std::string& s) override;
  // Inserts, then OnLineInserted(i).
  void Insert(int i, const std::string& s) override;
  // Removes the line, then OnLineDeleted(i). Deleting the only line empties
  // it instead (OnLineDeleted(0) still fires).
  void Delete(int i) override;
  // OnCleared, then empties the list; one empty line follows (see above).
  void Clear() override;
  int GetCapacity() const override { return int(FLines.Capacity()); }
  void SetCapacity(int capacity) override;

  // --- operations with their own notifications ---
  // Appends, then OnLineAdded.
  int Add(const std::string& s) override;
  // Appends every line (and object) of list, then OnLinesLoaded once.
  void AddStrings(TStrings* list) override;
  // Under the assignment lock.
  void Assign(TPersistent* source) override;
  // Texts change places; the range slots stay with the positions (they are
  // the states at the start of each position). OnLinePut for both, lower first.
  void Exchange(int index1, int index2) override;
  // Delete + Insert of the text: OnLineDeleted, then OnLineInserted.
  void Move(int curIndex, int newIndex) override;
  std::string GetTextStr() const override;
  // OnCleared, the lines appended one by one (OnLineAdded each), OnTextSet.
  void SetTextStr(std::string_view text) override;
  // Under the assignment lock. With OnLinesLoaded set, OnLineAdded is held
  // back while the lines come in and OnLinesLoaded fires once at the end.
  void LoadFromStream(TStream& stream) override;

  // --- ranges (the object slots) ---
  // Unchecked: i must be a line index.
  TktRange GetRange(int i) const { return FRanges.Size() ? FRanges[size_t(i)] : 0; }
  void SetRange(int i, TktRange range) {
    if (!FRanges.Size() && range == 0) return;
    EnsureRanges()[size_t(i)] = range;
  }

  // Forward rescan. The highlighter's range must already be set to the stored
  // range of line index. Scans line index, then every following line whose
  // stored start range differs from what the scan reached, storing the new
  // one; stops at the first match or the last line. Returns the last line
  // scanned.
  int ScanFrom(TktCustomHighLighter& hl, int index);
  // The control's answers to the callbacks; each leaves every stored range
  // equal to what a full rescan gives and returns the last line whose
  // range or text was scanned (for invalidation).
  int RescanAfterAdd(TktCustomHighLighter& hl);          // OnLineAdded
  int RescanAfterDelete(TktCustomHighLighter& hl, int index);  // OnLineDeleted
  int RescanAfterInsert(TktCustomHighLighter& hl, int index);  // OnLineInserted
  int RescanAfterPut(TktCustomHighLighter& hl, int index);     // OnLinePut
  // Every range from the first line on (OnLinesLoaded, new highlighter).
  void RescanAll(TktCustomHighLighter& hl);

  // --- the control's callbacks ---
  TNotifyEvent OnLineAdded;      // after one line was appended
  TNotifyEvent OnCleared;        // BEFORE the list is cleared
  std::function<void(int index)> OnLineDeleted;
  std::function<void(int index)> OnLineInserted;
  TNotifyEvent OnTextSet;        // after the whole text was replaced from one string
  std::function<void(int index)> OnLinePut;
  TNotifyEvent OnLinesLoaded;    // after many lines were appended at once
  // The list's own change notifications: once per operation (each runs in an
  // update bracket) or once per BeginUpdate/EndUpdate bracket.
  TNotifyEvent OnChanging;
  TNotifyEvent OnChange;

  // Assignment lock: while above 0 an empty list is left empty; releasing the
  // last level on an empty list appends one empty line through Add.
  int GetLockCount() const { return FLockCount; }
  void Lock() { ++FLockCount; }
  void Unlock();

protected:
  void SetUpdateState(bool updating) override;
  virtual void Changing();
  virtual void Changed();

private:
  // invariant: a record with kOwned set takes its text from FOwned[Pos]
  // (Pos = kEmptyPos: the empty text); any other from FText[Pos, Pos +
  // LenOwned), and FText[Pos + LenOwned] is NUL. FText is replaced only while
  // no record refers to it (empty list).
  struct TLine {
    uint32_t Pos;
    uint32_t LenOwned;
  };
  static constexpr uint32_t kOwned = 0x80000000u;

  void CheckIndex(int i) const;
  size_t LineLength(const TLine& line) const;
  TLine MakeOwned(std::string_view s);
  // The range array, made (all 0) when missing.
  TGapVector<TktRange>& EnsureRanges();
  // Adds or removes the range slots beside FLines (when the array exists).
  void InsertLine(size_t i, const TLine& line, TktRange range = 0);
  void EraseLine(size_t i);
  void AssignLineText(TLine& line, std::string_view s);
  void Release(const TLine& line);
  void ClearLines();
  // Takes text (size bytes, plus one spare byte at [size]) as the new shared
  // buffer and appends its lines (lines of them, as TLineCounter counts);
  // OnLineAdded after each when fireAdded.
  void AppendBulk(std::unique_ptr<char[]> text, size_t size, size_t lines, bool fireAdded);
  void AppendOneEmptyLine();
  int ScanForced(TktCustomHighLighter& hl, int index, int forceThrough);
  int RescanFromFirst(TktCustomHighLighter& hl);

  TGapVector<TLine> FLines;
  // invariant: FRanges.Size() is 0 (every range is 0) or FLines.Size().
  TGapVector<TktRange> FRanges;
  std::unique_ptr<char[]> FText;
  std::vector<std::string> FOwned;
  std::vector<uint32_t> FFreeOwned;
  // invariant: the sum of LineLength over FLines.
  int64_t FTextLength = 0;
  int FLockCount = 0;
};
