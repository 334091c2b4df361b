// THexEditor: the undo stream, the buffer operations and the nibble shift.
#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>

#include "hexedit/HexEditor.h"
#include "hexedit/HexSystem.h"
#include "platform/SysUtils.h"

namespace {

const char* const kUndoNames[] = {"Byte changed",   "Byte(s) removed", "Insert buffer",
                                  "Replace selection", "Append buffer", "Insert nibble",
                                  "Delete nibble",  "Convert"};

void PutInt(uint8_t* p, int v) {
  const uint32_t u = uint32_t(v);
  p[0] = uint8_t(u);
  p[1] = uint8_t(u >> 8);
  p[2] = uint8_t(u >> 16);
  p[3] = uint8_t(u >> 24);
}

int GetInt(const uint8_t* p) {
  return int(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

// Kinds whose saved data is as long as their first count.
bool SavesCount(uint8_t kind) {
  return kind == hukRemoved || kind == hukReplaceSelection || kind == hukConvert;
}

}  // namespace

// A record's fixed part, as the stream holds it (little-endian, no padding).
struct THexEditor::TUndoHeader {
  uint8_t Kind = 0;
  uint8_t WasChanged = 0;
  uint8_t WasModified = 0;
  int Caret = 0;
  uint8_t CaretCell = 0;
  uint8_t CharPane = 0;
  int SelFirst = -1, SelLast = -1, SelAnchor = -1;
  int Position = 0;
  int Count = 0;
  int NewCount = 0;

  void Write(uint8_t* p) const {
    p[0] = Kind;
    p[1] = WasChanged;
    p[2] = WasModified;
    PutInt(p + 3, Caret);
    p[7] = CaretCell;
    p[8] = CharPane;
    PutInt(p + 9, SelFirst);
    PutInt(p + 13, SelLast);
    PutInt(p + 17, SelAnchor);
    PutInt(p + 21, Position);
    PutInt(p + 25, Count);
    PutInt(p + 29, NewCount);
  }
  void Read(const uint8_t* p) {
    Kind = p[0];
    WasChanged = p[1];
    WasModified = p[2];
    Caret = GetInt(p + 3);
    CaretCell = p[7];
    CharPane = p[8];
    SelFirst = GetInt(p + 9);
    SelLast = GetInt(p + 13);
    SelAnchor = GetInt(p + 17);
    Position = GetInt(p + 21);
    Count = GetInt(p + 25);
    NewCount = GetInt(p + 29);
  }
};

int64_t THexEditor::GetUndoStreamSize() const { return FUndoStream ? FUndoStream->GetSize() : 0; }

void THexEditor::ResetUndo() {
  FCanUndo = false;
  FUndoDescription = "No Undo";
  FUndoCount = 0;
  FUndoStream.reset();
  if (OnStateChanged) OnStateChanged(this);
}

bool THexEditor::CreateUndo(THexUndoKind kind, int position, int count, int newCount) {
  const int size = GetDataSize();
  bool allowed = size > 0 || kind == hukInsertBuffer || kind == hukAppendBuffer;
  if (FNoSizeChange) {
    if (kind == hukRemoved || kind == hukInsertBuffer || kind == hukAppendBuffer ||
        kind == hukInsertNibble || kind == hukDeleteNibble)
      allowed = false;
    if (kind == hukReplaceSelection && newCount != count) allowed = false;
  }
  // Offsets are 32-bit: an edit that would grow the data past them is
  // refused as a size change is.
  int64_t growth = 0;
  if (kind == hukInsertBuffer || kind == hukAppendBuffer) growth = count;
  if (kind == hukReplaceSelection) growth = int64_t(newCount) - count;
  if (kind == hukInsertNibble) growth = 1;
  if (count < 0 || newCount < 0 || int64_t(size) + growth > kMaxDataSize) allowed = false;

  if (allowed) {
    TUndoHeader h;
    h.Kind = kind;
    if (kind == hukByteChanged || kind == hukInsertNibble || kind == hukDeleteNibble)
      h.WasChanged = IsChanged(position) ? 1 : 0;
    h.WasModified = FModified ? 1 : 0;
    h.Caret = CellOffset(FCol, FRow);
    h.CharPane = CaretInCharPane() ? 1 : 0;
    h.CaretCell = h.CharPane ? 0 : uint8_t((FCol - 2) % 2);
    h.SelFirst = FSelFirst;
    h.SelLast = FSelLast;
    h.SelAnchor = FSelAnchor;
    h.Position = position;
    h.Count = count;
    h.NewCount = newCount;

    std::string saved;
    if (SavesCount(kind))
      saved = GetBytes(position, count);
    else if (kind == hukInsertBuffer || kind == hukAppendBuffer)
      saved.assign(1, '\0');
    else
      saved.assign(1, char(GetByte(position)));

    std::vector<uint8_t> record(size_t(kUndoHeaderSize) + saved.size() + 4);
    h.Write(record.data());
    std::memcpy(record.data() + kUndoHeaderSize, saved.data(), saved.size());
    PutInt(record.data() + record.size() - 4, int(record.size()));
    if (!FUndoStream) FUndoStream = std::make_unique<TMemoryStream>();
    FUndoStream->Seek(0, soEnd);
    FUndoStream->WriteBuffer(record.data(), int64_t(record.size()));
    ++FUndoCount;
    if (FUndoCount > kMaxUndo) {
      // The oldest record goes; its length follows from its kind and count.
      auto* mem = static_cast<uint8_t*>(FUndoStream->GetMemory());
      const int64_t oldest =
          kUndoHeaderSize + (SavesCount(mem[0]) ? GetInt(mem + 25) : 1) + 4;
      const int64_t rest = FUndoStream->GetSize() - oldest;
      std::memmove(mem, mem + oldest, size_t(rest));
      FUndoStream->SetSize(rest);
      --FUndoCount;
    }
    FCanUndo = true;
    FUndoDescription = kUndoNames[kind];
    if (kind != hukByteChanged && kind != hukInsertNibble && kind != hukDeleteNibble) EmptyCache();
    FModified = true;
  }
  PostStateChange();
  return allowed;
}

bool THexEditor::Undo() {
  if (!FCanUndo || !FUndoStream) return false;
  if (FUndoStream->GetSize() < 5) {
    ResetUndo();
    return false;
  }
  auto* mem = static_cast<uint8_t*>(FUndoStream->GetMemory());
  const int64_t total = FUndoStream->GetSize();
  const int recordSize = GetInt(mem + total - 4);
  const int64_t start = total - recordSize;
  TUndoHeader h;
  h.Read(mem + start);
  const std::string saved(reinterpret_cast<const char*>(mem + start + kUndoHeaderSize),
                          size_t(recordSize - kUndoHeaderSize - 4));

  const int pos = h.Position;
  switch (h.Kind) {
    case hukByteChanged:
      WriteAt(pos, saved.data(), 1);
      SetChanged(pos, h.WasChanged != 0);
      break;
    case hukRemoved:
      InsertRaw(pos, saved.data(), int(saved.size()));
      UnmarkFrom(pos);
      break;
    case hukInsertBuffer:
      DeleteRaw(pos, h.Count);
      UnmarkFrom(pos);
      break;
    case hukReplaceSelection:
      DeleteRaw(pos, h.NewCount);
      InsertRaw(pos, saved.data(), int(saved.size()));
      UnmarkFrom(pos);
      break;
    case hukAppendBuffer:
      FCol = 2;
      TruncateRaw(pos);
      UnmarkFrom(pos);
      break;
    case hukInsertNibble:
    case hukDeleteNibble:
      if (!UndoNibble(pos, h.Kind == hukInsertNibble, h.Count != 0, uint8_t(saved[0]))) return false;
      SetChanged(pos, h.WasChanged != 0);
      break;
    case hukConvert:
      WriteAt(pos, saved.data(), int(saved.size()));
      UnmarkFrom(pos);
      break;
  }
  if (h.Kind != hukByteChanged && h.Kind != hukConvert) Relayout();

  // The caret, the selection and Modified as they were.
  int col, row;
  OffsetToCell(h.Caret, h.CharPane != 0, col, row);
  if (!h.CharPane) col += h.CaretCell;
  SelectCell(col, row);
  SetCell(col, row);
  InvalidateSelection(FSelFirst, FSelLast);
  FSelFirst = h.SelFirst;
  FSelLast = h.SelLast;
  FSelAnchor = h.SelAnchor;
  InvalidateSelection(FSelFirst, FSelLast);
  FModified = h.WasModified != 0;
  InvalidateAll();

  FUndoStream->SetSize(start);
  --FUndoCount;
  if (FUndoCount > 0) {
    const int64_t size = FUndoStream->GetSize();
    const int prevSize = GetInt(mem + size - 4);
    FUndoDescription = kUndoNames[mem[size - prevSize]];
    PostStateChange();
  } else {
    ResetUndo();
  }
  return true;
}

// --- buffer operations ------------------------------------------------------------

void THexEditor::ChangeByte(int position, uint8_t oldByte, uint8_t newByte) {
  if (oldByte == newByte) return;
  if (!CreateUndo(hukByteChanged, position, 1, 1)) return;
  WriteAt(position, &newByte, 1);
  if (!InsertActive()) SetChanged(position, true);
  InvalidateByte(position);
}

void THexEditor::InsertBuffer(const char* bytes, int count, int position) {
  if (count <= 0 || position < 0 || position > GetDataSize()) return;
  if (!CreateUndo(hukInsertBuffer, position, count, count)) return;
  InsertRaw(position, bytes, count);
  UnmarkFrom(position);
  Relayout();
  if (position == CellOffset(FCol, FRow)) SetSelection(position, position + count - 1, position);
  InvalidateAll();
}

void THexEditor::AppendBuffer(const char* bytes, int count) {
  if (count <= 0) return;
  const int position = GetDataSize();
  if (!CreateUndo(hukAppendBuffer, position, count, count)) return;
  WriteAt(position, bytes, count);
  Relayout();
  int col, row;
  OffsetToCell(position, CaretInCharPane(), col, row);
  SetCell(col, row);
  SetSelection(position, position + count - 1, position);
  InvalidateAll();
}

void THexEditor::ReplaceSelection(const char* bytes, int count) {
  if (!HasSelection()) {
    InsertBuffer(bytes, count, CellOffset(FCol, FRow));
    return;
  }
  if (count <= 0) return;
  if (FNoSizeChange) {
    const int length = FSelLast - FSelFirst + 1;
    count = std::min(count, length);
    if (count < length) SetSelection(FSelFirst, FSelFirst + count - 1, FSelFirst);
  }
  const int first = FSelFirst;
  const int length = FSelLast - FSelFirst + 1;
  if (!CreateUndo(hukReplaceSelection, first, length, count)) return;
  if (count == length) {
    WriteAt(first, bytes, count);
  } else {
    DeleteRaw(first, length);
    InsertRaw(first, bytes, count);
  }
  UnmarkFrom(first);
  Relayout();
  if (first == CellOffset(FCol, FRow)) {
    SetSelection(first, first + count - 1, first);
  } else {
    // The caret stood at the selection's far end: the old range is gone, so
    // nothing stays selected and the caret goes after the new bytes.
    FSelecting = false;
    ClearSelection();
    int col, row;
    OffsetToCell(std::min(first + count, GetDataSize() - 1), CaretInCharPane(), col, row);
    SetCell(col, row);
  }
  InvalidateAll();
}

void THexEditor::DeleteBytes(int first, int count) {
  if (count <= 0 || first < 0 || first >= GetDataSize()) return;
  count = std::min(count, GetDataSize() - first);
  if (!CreateUndo(hukRemoved, first, count, 0)) return;
  int col, row;
  OffsetToCell(first, CaretInCharPane(), col, row);
  DeleteRange(first, first + count, col, row);
}

void THexEditor::DeleteSelection() {
  if (HasSelection())
    DeleteBytes(FSelFirst, FSelLast - FSelFirst + 1);
  else
    DeleteBytes(CellOffset(FCol, FRow), 1);
}

void THexEditor::DeleteRange(int first, int end, int caretCol, int caretRow) {
  DeleteRaw(first, end - first);
  UnmarkFrom(first);
  Relayout();
  ClearSelection();
  SelectCell(caretCol, caretRow);
  SetCell(caretCol, caretRow);
  InvalidateAll();
}

void THexEditor::ConvertRange(int position, int count, const THexByteTable& table) {
  if (position < 0 || count <= 0 || position >= GetDataSize()) return;
  count = std::min(count, GetDataSize() - position);
  if (!CreateUndo(hukConvert, position, count, count)) return;
  std::string data = GetBytes(position, count);
  for (char& c : data) c = char(table[uint8_t(c)]);
  WriteAt(position, data.data(), count);
  InvalidateAll();
}

// --- nibbles ------------------------------------------------------------------------

namespace {

// The nibble shift goes through a buffer of this size, never the whole rest
// of the file.
constexpr int kShiftBlock = 65536;

}  // namespace

// A temporary file claimed as the working copy is; it goes with the object,
// whatever way the operation ends.
class THexShiftFile {
public:
  THexShiftFile() : FName(ClaimTempFile()) {}
  ~THexShiftFile() {
    FStream.reset();
    if (!FName.empty()) FileDelete(FName);
  }
  THexShiftFile(const THexShiftFile&) = delete;
  THexShiftFile& operator=(const THexShiftFile&) = delete;
  bool Claimed() const { return !FName.empty(); }
  TFileStream& Stream() {
    if (!FStream) FStream = std::make_unique<TFileStream>(FName, fmOpenReadWrite);
    return *FStream;
  }

private:
  std::string FName;
  std::unique_ptr<TFileStream> FStream;
};

// The data from position on shifted right by one nibble into a new
// temporary file: size - position + 1 bytes, the last holding the final low
// nibble and a zero. False (and nothing has changed) when the file cannot
// be made or written.
bool THexEditor::ShiftIntoFile(int position, THexShiftFile& file) {
  const int size = GetDataSize();
  if (position < 0 || position >= size || !file.Claimed()) return false;
  try {
    TFileStream& temp = file.Stream();
    std::vector<char> block(size_t(std::min(size - position, kShiftBlock)));
    uint8_t carry = 0;
    for (int from = position; from < size;) {
      const int n = std::min(size - from, int(block.size()));
      ReadAt(from, block.data(), n);
      for (int i = 0; i < n; ++i) {
        const uint8_t in = uint8_t(block[size_t(i)]);
        block[size_t(i)] = char((in >> 4) | (carry << 4));
        carry = in & 0x0F;
      }
      temp.WriteBuffer(block.data(), n);
      from += n;
    }
    const char last = char(carry << 4);
    temp.WriteBuffer(&last, 1);
    return temp.GetSize() == int64_t(size - position) + 1;
  } catch (const std::exception&) {
    return false;
  }
}

// Copies count bytes of the shifted file, from its offset from on, over the
// data at position.
void THexEditor::CopyBackShifted(THexShiftFile& file, int from, int position, int count) {
  TFileStream& temp = file.Stream();
  temp.SetPosition(from);
  std::vector<char> block(size_t(std::clamp(count, 1, kShiftBlock)));
  while (count > 0) {
    const int n = std::min(count, int(block.size()));
    temp.ReadBuffer(block.data(), n);
    WriteAt(position, block.data(), n);
    position += n;
    count -= n;
  }
}

void THexEditor::ApplyInsertNibble(int position, bool beforeHigh, THexShiftFile& file) {
  const uint8_t old = GetByte(position);
  CopyBackShifted(file, 0, position, GetDataSize() - position + 1);
  const uint8_t b = beforeHigh ? uint8_t(old >> 4) : uint8_t(old & 0xF0);
  WriteAt(position, &b, 1);
  FDataSizeCache = -1;
  EmptyCache();
}

void THexEditor::ApplyDeleteNibble(int position, bool highNibble, THexShiftFile& file) {
  const uint8_t old = GetByte(position);
  CopyBackShifted(file, 1, position, GetDataSize() - position);
  if (!highNibble) {
    const uint8_t b = uint8_t((old & 0xF0) | (GetByte(position) & 0x0F));
    WriteAt(position, &b, 1);
  }
  EmptyCache();
}

// Both nibble operations: the shifted copy first, so a failure to make it
// changes and records nothing; the wait cursor and the temporary file end
// whatever happens.
bool THexEditor::ShiftNibble(int position, bool insert, bool high) {
  if (GetDataSize() == 0 || position < 0 || position >= GetDataSize()) return false;
  THexWaitCursor wait(FHost);
  try {
    THexShiftFile file;
    if (!ShiftIntoFile(position, file)) return false;
    if (!CreateUndo(insert ? hukInsertNibble : hukDeleteNibble, position, high ? 1 : 0, 0))
      return true;
    if (insert)
      ApplyInsertNibble(position, high, file);
    else
      ApplyDeleteNibble(position, high, file);
  } catch (const std::exception&) {
    Relayout();
    InvalidateAll();
    return false;
  }
  Relayout();
  InvalidateAll();
  return true;
}

bool THexEditor::InsertNibble(int position, bool beforeHigh) {
  return ShiftNibble(position, true, beforeHigh);
}

bool THexEditor::DeleteNibble(int position, bool highNibble) {
  return ShiftNibble(position, false, highNibble);
}

// Takes back a nibble operation: the opposite shift, then the old byte. False,
// with the data and the record as they were, when the shift cannot be made.
bool THexEditor::UndoNibble(int position, bool inserted, bool high, uint8_t oldByte) {
  THexWaitCursor wait(FHost);
  try {
    THexShiftFile file;
    if (!ShiftIntoFile(position, file)) return false;
    if (inserted) {
      // Taking the nibble out again leaves one byte too many at the end.
      const int oldSize = GetDataSize() - 1;
      ApplyDeleteNibble(position, high, file);
      TruncateRaw(oldSize);
    } else {
      const int oldSize = GetDataSize();
      ApplyInsertNibble(position, high, file);
      TruncateRaw(oldSize);
    }
    WriteAt(position, &oldByte, 1);
  } catch (const std::exception&) {
    Relayout();
    return false;
  }
  return true;
}
