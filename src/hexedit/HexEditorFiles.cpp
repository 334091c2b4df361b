// THexEditor: the working copy, the read window, load and save, search and
// seek.
#include <algorithm>
#include <cstring>

#include "editor/CharClasses.h"
#include "editor/EditFiles.h"
#include "hexedit/HexEditor.h"
#include "hexedit/HexSystem.h"

namespace {

constexpr int kCopyBlock = 1 << 20;

// Copies count bytes from source's position to dest's, in large blocks.
void CopyBlocks(TStream& source, TStream& dest, int64_t count) {
  std::vector<char> block(size_t(std::min<int64_t>(std::max<int64_t>(count, 1), kCopyBlock)));
  while (count > 0) {
    const int64_t n = std::min<int64_t>(count, int64_t(block.size()));
    source.ReadBuffer(block.data(), n);
    dest.WriteBuffer(block.data(), n);
    count -= n;
  }
}

// The first occurrence of pattern in data[0, size), or nullptr: memchr finds
// the candidates for the first byte, memcmp checks the rest.
const char* FindBytes(const char* data, size_t size, const std::string& pattern) {
  const size_t m = pattern.size();
  if (m == 0 || size < m) return nullptr;
  const char first = pattern[0];
  const char* p = data;
  const char* last = data + (size - m);
  while (p <= last) {
    p = static_cast<const char*>(std::memchr(p, first, size_t(last - p) + 1));
    if (!p) return nullptr;
    if (std::memcmp(p + 1, pattern.data() + 1, m - 1) == 0) return p;
    ++p;
  }
  return nullptr;
}

}  // namespace

// --- the working copy ------------------------------------------------------------

TFileStream* THexEditor::DataStream() {
  if (!FDataStream) {
    // The first write of a new document starts the working copy afresh.
    if (FWorkFileName.empty()) FWorkFileName = ClaimTempFile();
    if (FWorkFileName.empty()) throw EFCreateError("Cannot create file " + HexTempFolder());
    FDataStream = std::make_unique<TFileStream>(FWorkFileName, fmCreate);
    ClearChanged();
    FDataSizeCache = -1;
  }
  return FDataStream.get();
}

void THexEditor::CloseDataStream() {
  FDataStream.reset();
  FDataSizeCache = -1;
  EmptyCache();
}

int THexEditor::GetDataSize() const {
  if (FDataSizeCache >= 0) return FDataSizeCache;
  FDataSizeCache = FDataStream ? int(std::min<int64_t>(FDataStream->GetSize(), kMaxDataSize)) : 0;
  return FDataSizeCache;
}

void THexEditor::ReadAt(int offset, void* buffer, int count) {
  if (count <= 0) return;
  TFileStream* s = DataStream();
  s->SetPosition(offset);
  s->ReadBuffer(buffer, count);
}

// Every write goes through here, so the read window never shows old bytes.
void THexEditor::WriteAt(int offset, const void* buffer, int count) {
  if (count <= 0) return;
  TFileStream* s = DataStream();
  s->SetPosition(offset);
  s->WriteBuffer(buffer, count);
  if (offset + count > FDataSizeCache) FDataSizeCache = -1;
  if (FCacheStart >= 0) {
    const int from = std::max(offset, FCacheStart);
    const int to = std::min(offset + count, FCacheStart + kCacheSize);
    if (from < to)
      std::memcpy(&FReadCache[size_t(from - FCacheStart)],
                  static_cast<const char*>(buffer) + (from - offset), size_t(to - from));
  }
}

uint8_t THexEditor::GetByte(int offset) {
  if (offset < 0 || offset >= GetDataSize()) return 0;
  uint8_t b = 0;
  ReadAt(offset, &b, 1);
  return b;
}

std::string THexEditor::GetBytes(int offset, int count) {
  offset = std::clamp(offset, 0, GetDataSize());
  count = std::clamp(count, 0, GetDataSize() - offset);
  std::string data(size_t(count), '\0');
  ReadAt(offset, data.data(), count);
  return data;
}

// Grows the data by count at position, moving the tail up from its end.
void THexEditor::InsertRaw(int position, const char* bytes, int count) {
  if (count <= 0) return;
  const int size = GetDataSize();
  position = std::clamp(position, 0, size);
  std::vector<char> block(size_t(std::min(std::max(size - position, 1), kCopyBlock)));
  for (int end = size; end > position;) {
    const int n = std::min(end - position, int(block.size()));
    ReadAt(end - n, block.data(), n);
    WriteAt(end - n + count, block.data(), n);
    end -= n;
  }
  WriteAt(position, bytes, count);
  FDataSizeCache = -1;
  EmptyCache();
}

// Removes count bytes at position, moving the tail down.
void THexEditor::DeleteRaw(int position, int count) {
  const int size = GetDataSize();
  if (count <= 0 || position >= size) return;
  count = std::min(count, size - position);
  std::vector<char> block(size_t(std::min(std::max(size - position - count, 1), kCopyBlock)));
  for (int from = position + count; from < size;) {
    const int n = std::min(size - from, int(block.size()));
    ReadAt(from, block.data(), n);
    WriteAt(from - count, block.data(), n);
    from += n;
  }
  TruncateRaw(size - count);
}

void THexEditor::TruncateRaw(int size) {
  DataStream()->SetSize(size);
  FDataSizeCache = -1;
  EmptyCache();
}

// --- the read window ----------------------------------------------------------------

void THexEditor::EmptyCache() { FCacheStart = -1; }

void THexEditor::FillCache(int offset) {
  if (FCacheStart >= 0 && offset >= FCacheStart &&
      int64_t(offset) + FBytesPerLine <= int64_t(FCacheStart) + kCacheSize)
    return;
  FDataSizeCache = -1;
  const int start = std::max(0, offset - kCacheSize / 2);
  const int n = std::clamp(GetDataSize() - start, 0, int(kCacheSize));
  if (n > 0) ReadAt(start, FReadCache.data(), n);
  FCacheStart = start;
}

uint8_t THexEditor::CachedByte(int offset) {
  if (offset < FCacheStart || FCacheStart < 0 || offset >= FCacheStart + kCacheSize)
    FillCache(offset);
  return FReadCache[size_t(offset - FCacheStart)];
}

// --- changed marks ---------------------------------------------------------------

bool THexEditor::IsChanged(int offset) const {
  if (offset < 0 || size_t(offset / 64) >= FChanged.size()) return false;
  return (FChanged[size_t(offset / 64)] >> (offset % 64)) & 1;
}

void THexEditor::SetChanged(int offset, bool on) {
  if (offset < 0) return;
  const size_t word = size_t(offset / 64);
  if (word >= FChanged.size()) {
    if (!on) return;
    FChanged.resize(word + 1, 0);
  }
  const uint64_t bit = uint64_t(1) << (offset % 64);
  FChanged[word] = on ? FChanged[word] | bit : FChanged[word] & ~bit;
}

void THexEditor::UnmarkFrom(int offset) {
  const size_t word = size_t(std::max(offset, 0) / 64);
  if (word >= FChanged.size()) return;
  FChanged[word] &= (uint64_t(1) << (std::max(offset, 0) % 64)) - 1;
  FChanged.resize(word + 1);
}

void THexEditor::ClearChanged() { FChanged.clear(); }

// --- files ------------------------------------------------------------------------

void THexEditor::NewDocument() {
  CloseDataStream();
  FFileName = "Untitled";
  ResetUndo();
  FSelFirst = FSelLast = FSelAnchor = -1;
  ClearChanged();
  Relayout();
  FModified = false;
  FCol = 2;
  FRow = 0;
  PlaceCaret();
}

bool THexEditor::LoadFromFile(const std::string& fileName) {
  if (!FileExists(fileName)) return false;
  // Offsets are 32-bit: a file they cannot reach is refused before a byte
  // is copied.
  const int64_t size = FileSizeByName(fileName);
  if (size < 0 || size > kMaxDataSize) return false;
  THexWaitCursor wait(FHost);

  // The copy goes to a fresh working copy; the old one stays in use until
  // the new one is complete.
  const std::string fresh = ClaimTempFile();
  if (fresh.empty()) return false;
  std::unique_ptr<TFileStream> stream;
  try {
    TFileStream source(fileName, fmOpenRead | fmShareDenyNone);
    stream = std::make_unique<TFileStream>(fresh, fmOpenReadWrite | fmShareDenyWrite);
    CopyBlocks(source, *stream, size);
    if (stream->GetSize() != size) throw EWriteError("Stream write error");
  } catch (const Exception&) {
    stream.reset();
    FileDelete(fresh);
    return false;
  }

  CloseDataStream();
  if (!FWorkFileName.empty()) FileDelete(FWorkFileName);
  FWorkFileName = fresh;
  FDataStream = std::move(stream);
  FFileName = fileName;
  ResetUndo();
  ClearChanged();
  FSelFirst = FSelLast = FSelAnchor = -1;
  Relayout();
  FModified = false;
  FSelecting = false;
  FCol = 2;
  FRow = 0;
  FGrid.SetTopRow(0);
  FGrid.SetLeftCol(2);
  UpdateScrollBars();
  PlaceCaret();
  return true;
}

bool THexEditor::SaveToFile(const std::string& fileName) {
  THexWaitCursor wait(FHost);
  // The old file becomes the backup only when this save replaces the
  // document's own file with changes.
  std::string backup;
  if (FCreateBackup && FModified && FFileName == fileName)
    backup = ChangeFileExt(fileName, FBackupExtension);
  bool result = true;
  try {
    SafeSaveFileAs(fileName, backup, [&](TStream& out) {
      const int size = GetDataSize();
      if (size == 0) return;
      TFileStream* data = DataStream();
      data->SetPosition(0);
      CopyBlocks(*data, out, size);
    });
  } catch (const Exception&) {
    result = false;
  }
  if (result) {
    ClearChanged();
    FModified = false;
    FFileName = fileName;
    ResetUndo();
  }
  InvalidateAll();
  return result;
}

// --- search and seek -------------------------------------------------------------------

int THexEditor::Find(const char* bytes, int count, int start, int end, bool ignoreCase,
                     bool translate) {
  const int size = GetDataSize();
  start = std::max(start, 0);
  if (end >= size) end = size - 1;
  if (!bytes || count < 1 || int64_t(start) + count > int64_t(end) + 1) return -1;
  THexWaitCursor wait(FHost);

  // The caller's bytes stay as they are: the search works on its own copy.
  std::string pattern(bytes, size_t(count));
  if (translate && FTranslation != ttAnsi && !HexConvertSearchText(pattern, FTranslation))
    return -1;
  THexByteTable fold{};
  if (ignoreCase) {
    fold = HexFoldTable(translate ? FTranslation : ttAnsi);
    for (char& c : pattern) c = char(fold[uint8_t(c)]);
  }

  // Blocks overlap by the pattern's length less one, so no match across a
  // block boundary is missed.
  const int block = std::max(kCopyBlock, count * 2);
  std::vector<char> buffer(static_cast<size_t>(block));
  for (int64_t pos = start; pos + count <= int64_t(end) + 1;) {
    const int n = int(std::min<int64_t>(block, int64_t(end) + 1 - pos));
    ReadAt(int(pos), buffer.data(), n);
    if (ignoreCase)
      for (int i = 0; i < n; ++i) buffer[size_t(i)] = char(fold[uint8_t(buffer[size_t(i)])]);
    const char* hit = FindBytes(buffer.data(), size_t(n), pattern);
    if (hit) return int(pos + (hit - buffer.data()));
    if (pos + n > end) break;
    pos += n - (count - 1);
  }
  return -1;
}

bool THexEditor::Seek(int offset, int origin, bool failOutside) {
  const int size = GetDataSize();
  const int caret = GetCursorPosition();
  int64_t target;
  switch (origin) {
    case 0: target = offset; break;
    case 1: target = int64_t(caret) + offset; break;
    case 2: target = int64_t(size) + offset - 1; break;
    default: target = caret; break;
  }
  if (size < 1) return false;
  if (target < 0 || target >= size) {
    if (failOutside) return false;
    target = std::clamp<int64_t>(target, 0, size - 1);
  }
  SetSelStart(int(target));
  return true;
}

int THexEditor::GetCursorPosition() const {
  return std::clamp(CellOffset(FCol, FRow), 0, std::max(0, GetDataSize() - 1));
}
