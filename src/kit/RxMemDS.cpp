// The in-memory table. See RxMemDS.h.
#include "kit/RxMemDS.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "kit/DBUtils.h"

namespace {

constexpr size_t kNoPlace = static_cast<size_t>(-1);
constexpr int32_t kNoID = INT32_MIN;

bool IsStoredType(TFieldType t) {
  return (t >= ftString && t <= ftAutoInc) || t == ftFixedChar || t == ftWideString || t == ftLargeint ||
         t == ftADT || t == ftVariant || t == ftGuid;
}

// Values whose emptiness is their first character being zero.
bool IsZeroEmptyType(TFieldType t) {
  return t == ftString || t == ftFixedChar || t == ftWideString || t == ftGuid;
}

int32_t BookmarkID(const TBookmark& b) {
  int32_t id = kNoID;
  if (b.size() >= sizeof id) std::memcpy(&id, b.data(), sizeof id);
  return id;
}

[[noreturn]] void NotEditing() { throw EDatabaseError("Dataset not in edit or insert mode"); }

}  // namespace

// ---------------------------------------------------------------------------
// TMemoryRecord
// ---------------------------------------------------------------------------
TMemoryRecord::TMemoryRecord(TRxMemoryData* owner) : FOwner(owner) {
  if (!owner) return;
  owner->FRecords.push_back(this);
  FID = ++owner->FLastID;
  Blobs.resize(static_cast<size_t>(owner->FBlobCount));
  Data.assign(owner->FRecordSize, 0);
}

TMemoryRecord::~TMemoryRecord() {
  if (!FOwner) return;
  auto& list = FOwner->FRecords;
  auto it = std::find(list.begin(), list.end(), this);
  if (it != list.end()) list.erase(it);
}

int TMemoryRecord::GetIndex() const {
  if (!FOwner) return -1;
  const auto& list = FOwner->FRecords;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TMemoryRecord::SetIndex(int value) {
  const int current = GetIndex();
  if (current < 0 || value == current) return;
  auto& list = FOwner->FRecords;
  value = std::clamp(value, 0, static_cast<int>(list.size()) - 1);
  list.erase(list.begin() + current);
  list.insert(list.begin() + value, this);
}

// ---------------------------------------------------------------------------
// TRxMemoryData
// ---------------------------------------------------------------------------
TRxMemoryData::TRxMemoryData(TComponent* owner) : TDataSet(owner) {}

TRxMemoryData::~TRxMemoryData() {
  Close();
  ClearRecords();
}

void TRxMemoryData::SetCapacity(int value) {
  if (value > 0) FRecords.reserve(static_cast<size_t>(value));
}

void TRxMemoryData::ClearRecords() {
  // Records are detached first so that each does not search the list.
  std::vector<TMemoryRecord*> records;
  records.swap(FRecords);
  for (TMemoryRecord* r : records) {
    r->FOwner = nullptr;
    delete r;
  }
  FLastID = kNoID;
  FRecordPos = -1;
}

void TRxMemoryData::ComputeLayout() {
  FOffsets.clear();
  FBlobIndex.clear();
  FFlatTypes.clear();
  FBlobCount = 0;
  size_t offset = 0;
  std::function<void(const TFieldDef&)> walk = [&](const TFieldDef& def) {
    FFlatTypes.push_back(def.DataType);
    if (IsStoredType(def.DataType)) {
      FOffsets.push_back(offset);
      offset += static_cast<size_t>(FieldDataSize(def.DataType, def.Size)) + 1;
    } else {
      FOffsets.push_back(kNoPlace);
    }
    FBlobIndex.push_back(IsBlobType(def.DataType) ? FBlobCount++ : -1);
    for (const TFieldDef& child : def.ChildDefs) walk(child);
  };
  for (const TFieldDef& def : GetFieldDefs().Items()) walk(def);
  FRecordSize = offset;
}

void TRxMemoryData::InternalOpen() {
  TFieldDefs& defs = GetFieldDefs();
  if (!DefaultFields() && FieldCount() > 0) {
    // Fields made by hand: the definitions follow them.
    const bool checkTypes = defs.Count() == 0;
    defs.Clear();
    for (int i = 0; i < FieldCount(); ++i) {
      TField* f = GetField(i);
      if (f->GetFieldKind() != fkData) continue;
      if (checkTypes && !IsStoredType(f->GetDataType()) && !IsBlobType(f->GetDataType()))
        throw EDatabaseError(Format("Field '%s' is of an unknown type", f->GetDisplayName().c_str()));
      defs.Add(f->GetFieldName(), f->GetDataType(), f->GetSize());
    }
  }
  ComputeLayout();
  FCursorOpen = true;
  if (FieldCount() == 0) CreateFields();
  BindFields(true);
  FBookmarkOfs = FRecordSize + GetCalcFieldsSize();
  FRecBufSize = FBookmarkOfs + sizeof(int32_t) + 1;
  FRecordPos = -1;
}

void TRxMemoryData::InternalClose() {
  ClearRecords();
  FAutoInc = 1;
  BindFields(false);
  DestroyDefaultFields();
  FSortFields.reset();
  FCursorOpen = false;
}

std::unique_ptr<TRecordBuffer> TRxMemoryData::AllocRecordBuffer() {
  auto buffer = std::make_unique<TRecordBuffer>();
  buffer->Data.assign(FRecBufSize, 0);
  buffer->Blobs.resize(static_cast<size_t>(FBlobCount));
  return buffer;
}

void TRxMemoryData::InitRecord(TRecordBuffer& buffer) {
  std::fill(buffer.Data.begin(), buffer.Data.end(), 0);
  for (std::string& b : buffer.Blobs) b.clear();
  std::memcpy(buffer.Data.data() + FBookmarkOfs, &kNoID, sizeof kNoID);
  buffer.Data[FBookmarkOfs + sizeof kNoID] = static_cast<uint8_t>(bfInserted);
}

TBookmark TRxMemoryData::GetBookmarkData(const TRecordBuffer& buffer) const {
  return TBookmark(reinterpret_cast<const char*>(buffer.Data.data() + FBookmarkOfs), sizeof(int32_t));
}

TBookmarkFlag TRxMemoryData::GetBookmarkFlag(const TRecordBuffer& buffer) const {
  return static_cast<TBookmarkFlag>(buffer.Data[FBookmarkOfs + sizeof(int32_t)]);
}

void TRxMemoryData::SetBookmarkFlag(TRecordBuffer& buffer, TBookmarkFlag flag) {
  buffer.Data[FBookmarkOfs + sizeof(int32_t)] = static_cast<uint8_t>(flag);
}

void TRxMemoryData::RecordToBuffer(const TMemoryRecord& rec, TRecordBuffer& buffer) {
  if (FRecordSize) std::memcpy(buffer.Data.data(), rec.Data.data(), FRecordSize);
  std::memcpy(buffer.Data.data() + FBookmarkOfs, &rec.FID, sizeof rec.FID);
  buffer.Data[FBookmarkOfs + sizeof rec.FID] = static_cast<uint8_t>(bfCurrent);
  // A copy, not a share: an edit of the buffer must not reach the record
  // before Post, so that Cancel can undo it.
  buffer.Blobs = rec.Blobs;
}

bool TRxMemoryData::RecordFilter() {
  if (!OnFilterRecord) return true;
  if (FRecordPos < 0 || FRecordPos >= GetRecordCount()) return false;
  const TDataSetState saved = SetTempState(dsFilter);
  bool accept = true;
  try {
    RecordToBuffer(*FRecords[static_cast<size_t>(FRecordPos)], *GetFilterBuffer());
    OnFilterRecord(*this, accept);
  } catch (const std::exception& e) {
    InternalHandleException(e);
  }
  RestoreState(saved);
  return accept;
}

TGetResult TRxMemoryData::GetRecord(TRecordBuffer& buffer, TGetMode mode, bool doCheck) {
  const int count = GetRecordCount();
  TGetResult result = grOK;
  const bool filtered = GetFiltered();
  switch (mode) {
    case gmCurrent:
      if (FRecordPos < 0 || FRecordPos >= count || (filtered && !RecordFilter())) result = grError;
      break;
    case gmNext:
      if (FRecordPos < count - 1) {
        bool accepted = false;
        do {
          ++FRecordPos;
          accepted = !filtered || RecordFilter();
        } while (!accepted && FRecordPos < count - 1);
        if (!accepted) {
          result = grEOF;
          FRecordPos = count - 1;
        }
      } else {
        result = grEOF;
      }
      break;
    case gmPrior:
      if (FRecordPos > 0) {
        bool accepted = false;
        do {
          --FRecordPos;
          accepted = !filtered || RecordFilter();
        } while (!accepted && FRecordPos > 0);
        if (!accepted) {
          result = grBOF;
          FRecordPos = -1;
        }
      } else {
        result = grBOF;
        FRecordPos = -1;
      }
      break;
  }
  if (result == grOK) {
    RecordToBuffer(*FRecords[static_cast<size_t>(FRecordPos)], buffer);
    GetCalcFields(buffer);
  } else if (result == grError && doCheck) {
    throw EDatabaseError("No data found");
  }
  return result;
}

int TRxMemoryData::GetRecNo() {
  CheckActive();
  if (GetActiveBuffer()) InternalSetToRecord(*GetActiveBuffer());
  if (FRecordPos == -1) return GetRecordCount() > 0 ? 1 : 0;
  return FRecordPos + 1;
}

void TRxMemoryData::SetRecNo(int value) {
  if (value < 1 || value > GetRecordCount()) return;
  FRecordPos = value - 1;
  Resync();
}

void TRxMemoryData::InternalGotoBookmark(const TBookmark& bookmark) {
  const int32_t id = BookmarkID(bookmark);
  for (size_t i = 0; i < FRecords.size(); ++i) {
    if (FRecords[i]->FID != id) continue;
    const int saved = FRecordPos;
    FRecordPos = static_cast<int>(i);
    if (GetFiltered() && !RecordFilter()) FRecordPos = saved;
    return;
  }
}

void TRxMemoryData::InternalSetToRecord(const TRecordBuffer& buffer) {
  int32_t id;
  std::memcpy(&id, buffer.Data.data() + FBookmarkOfs, sizeof id);
  // The cursor is nearly always on the buffer's record already; only a
  // stray one needs the search.
  if (FRecordPos >= 0 && FRecordPos < GetRecordCount() && FRecords[static_cast<size_t>(FRecordPos)]->FID == id)
    return;
  InternalGotoBookmark(GetBookmarkData(buffer));
}

bool TRxMemoryData::BookmarkValid(const TBookmark& bookmark) {
  const int32_t id = BookmarkID(bookmark);
  return FCursorOpen && !bookmark.empty() && id != kNoID && id <= FLastID;
}

int TRxMemoryData::CompareBookmarks(const TBookmark& a, const TBookmark& b) {
  if (a.empty() && b.empty()) return 0;
  if (a.empty()) return -1;
  if (b.empty()) return 1;
  const int32_t x = BookmarkID(a), y = BookmarkID(b);
  return x < y ? -1 : (x > y ? 1 : 0);
}

size_t TRxMemoryData::GetFieldOffset(const TField* field) const {
  const int n = field->GetFieldNo();
  if (n < 1 || static_cast<size_t>(n) > FOffsets.size()) return kNoPlace;
  return FOffsets[static_cast<size_t>(n - 1)];
}

int TRxMemoryData::BlobIndex(const TField* field) const {
  const int n = field->GetFieldNo();
  if (n < 1 || static_cast<size_t>(n) > FBlobIndex.size()) return -1;
  return FBlobIndex[static_cast<size_t>(n - 1)];
}

bool TRxMemoryData::GetFieldData(const TField* field, void* buffer) const {
  const TRecordBuffer* rec = GetStateBuffer();
  if (!rec) return false;
  const size_t size = static_cast<size_t>(field->GetDataSize());
  if (field->GetFieldNo() < 1) {
    const TDataSetState s = GetState();
    if (s != dsBrowse && s != dsEdit && s != dsInsert && s != dsCalcFields) return false;
    const uint8_t* place = rec->Data.data() + FRecordSize + field->GetOffset();
    if (!place[0]) return false;
    if (buffer) std::memcpy(buffer, place + 1, size);
    return true;
  }
  const size_t offset = GetFieldOffset(field);
  if (offset == kNoPlace) return false;
  const uint8_t* place = rec->Data.data() + offset;
  if (!place[0]) return false;
  if (IsZeroEmptyType(field->GetDataType()) && place[1] == 0 &&
      (field->GetDataType() != ftWideString || place[2] == 0))
    return false;
  if (buffer) std::memcpy(buffer, place + 1, size);
  return true;
}

void TRxMemoryData::SetFieldData(TField* field, const void* buffer) {
  const TDataSetState s = GetState();
  if (s != dsEdit && s != dsInsert && s != dsSetKey && s != dsCalcFields && s != dsFilter && s != dsNewValue &&
      s != dsInternalCalc)
    NotEditing();
  TRecordBuffer* rec = GetStateBuffer();
  if (!rec) return;
  const size_t size = static_cast<size_t>(field->GetDataSize());
  if (field->GetFieldNo() < 1) {
    uint8_t* place = rec->Data.data() + FRecordSize + field->GetOffset();
    place[0] = buffer != nullptr;
    if (buffer) std::memcpy(place + 1, buffer, size);
  } else {
    if (s == dsCalcFields || s == dsFilter) NotEditing();
    if (field->GetReadOnly() && s != dsSetKey && s != dsFilter)
      throw EDatabaseError(Format("Field '%s' cannot be modified", field->GetDisplayName().c_str()));
    if (field->GetFieldKind() == fkInternalCalc) return;
    const size_t offset = GetFieldOffset(field);
    if (offset == kNoPlace) return;
    uint8_t* place = rec->Data.data() + offset;
    bool present = buffer != nullptr;
    // A variant that holds nothing is stored as null.
    if (present && field->GetDataType() == ftVariant) {
      const auto* bytes = static_cast<const uint8_t*>(buffer);
      present = std::any_of(bytes, bytes + size, [](uint8_t b) { return b != 0; });
    }
    place[0] = present;
    if (present) std::memcpy(place + 1, buffer, size);
    else std::memset(place + 1, 0, size);
  }
  if (s != dsCalcFields && s != dsFilter && s != dsNewValue) DataEvent_FieldChange(field);
}

void TRxMemoryData::SetMemoryRecordData(const TRecordBuffer& buffer, int index) {
  if (GetState() == dsFilter) NotEditing();
  TMemoryRecord& rec = *FRecords[static_cast<size_t>(index)];
  if (FRecordSize) std::memcpy(rec.Data.data(), buffer.Data.data(), FRecordSize);
  rec.Blobs = buffer.Blobs;
}

void TRxMemoryData::FillAutoIncrement(TRecordBuffer& buffer) {
  bool filled = false;
  for (int i = 0; i < FieldCount(); ++i) {
    TField* f = GetField(i);
    if (f->GetFieldKind() != fkData || f->GetDataType() != ftAutoInc) continue;
    const size_t offset = GetFieldOffset(f);
    if (offset == kNoPlace) continue;
    buffer.Data[offset] = 1;
    std::memcpy(buffer.Data.data() + offset + 1, &FAutoInc, sizeof FAutoInc);
    filled = true;
  }
  if (filled) ++FAutoInc;
}

void TRxMemoryData::InternalPost() {
  TRecordBuffer& buffer = *GetActiveBuffer();
  if (GetState() == dsEdit) {
    SetMemoryRecordData(buffer, FRecordPos);
    return;
  }
  FillAutoIncrement(buffer);
  auto* rec = new TMemoryRecord(this);
  if (FRecordPos < GetRecordCount() - 1) {
    // Inserted before the current record (at the top of an empty cursor).
    FRecordPos = std::max(FRecordPos, 0);
    rec->SetIndex(FRecordPos);
  } else {
    FRecordPos = GetRecordCount() - 1;
  }
  SetMemoryRecordData(buffer, FRecordPos);
}

void TRxMemoryData::InternalDelete() {
  delete FRecords[static_cast<size_t>(FRecordPos)];
  if (FRecordPos >= GetRecordCount()) --FRecordPos;
  if (GetFiltered())
    while (FRecordPos >= 0 && !RecordFilter()) --FRecordPos;
  if (FRecords.empty()) FLastID = kNoID;
}

void TRxMemoryData::SetFiltered(bool value) {
  if (GetActive()) CheckBrowseMode();
  TDataSet::SetFiltered(value);
}

bool TRxMemoryData::GetIsIndexField(const TField* field) const {
  return FSortFields && std::find(FSortFields->begin(), FSortFields->end(), field) != FSortFields->end();
}

std::unique_ptr<TStream> TRxMemoryData::CreateBlobStream(TField* field, TBlobStreamMode mode) {
  return std::make_unique<TMemBlobStream>(field, mode);
}

const std::string& TRxMemoryData::StoredBlob(const TField* field) const {
  static const std::string empty;
  const int blob = BlobIndex(field);
  const int count = GetRecordCount();
  if (blob < 0 || count == 0) return empty;
  int pos = FRecordPos;
  if (pos < 0) pos = 0;
  if (pos >= count) pos = count - 1;
  return FRecords[static_cast<size_t>(pos)]->Blobs[static_cast<size_t>(blob)];
}

void TRxMemoryData::CloseBlob(TField* field) {
  TRecordBuffer* buffer = GetActiveBuffer();
  const int blob = BlobIndex(field);
  if (!buffer || blob < 0) return;
  std::string& mine = buffer->Blobs[static_cast<size_t>(blob)];
  if (FRecordPos >= 0 && FRecordPos < GetRecordCount() && GetState() == dsEdit)
    mine = FRecords[static_cast<size_t>(FRecordPos)]->Blobs[static_cast<size_t>(blob)];
  else
    mine.clear();
}

void TRxMemoryData::EmptyTable() {
  if (!GetActive()) return;
  CheckBrowseMode();
  ClearRecords();
  ClearBuffers();
  DataSetChanged();
}

void TRxMemoryData::SortOnFields(std::string_view fieldNames, bool caseInsensitive, bool descending) {
  FSortFields.reset();
  std::vector<TField*> fields = GetFieldList(fieldNames);
  for (TField* f : fields)
    if (f->GetFieldKind() != fkData || !IsStoredType(f->GetDataType()))
      throw EDatabaseError(Format("Type mismatch for field '%s', expecting: %s actual: %s",
                                  f->GetDisplayName().c_str(), "a stored data field",
                                  f->GetFieldKind() == fkData ? FieldTypeName(f->GetDataType()) : "Calculated"));
  FSortFields = std::move(fields);
  FCaseInsensitiveSort = caseInsensitive;
  FDescendingSort = descending;
  try {
    Sort();
  } catch (...) {
    FSortFields.reset();
    throw;
  }
}

namespace {

// One sort field's values, read once per record: locale sort keys for
// texts, numbers for the rest, so that the comparisons of the sort never
// call the locale.
struct TSortColumn {
  enum TKind { Text, Int, Float, Equal } Kind = Equal;
  std::vector<uint8_t> Present;
  std::vector<std::string> Keys;
  std::vector<int64_t> Ints;
  std::vector<double> Floats;

  int Compare(size_t a, size_t b) const {
    switch (Kind) {
      case Text: return Keys[a] < Keys[b] ? -1 : (Keys[b] < Keys[a] ? 1 : 0);
      case Int: return Ints[a] < Ints[b] ? -1 : (Ints[a] > Ints[b] ? 1 : 0);
      case Float: return Floats[a] < Floats[b] ? -1 : (Floats[a] > Floats[b] ? 1 : 0);
      default: return 0;
    }
  }
};

}  // namespace

void TRxMemoryData::Sort() {
  if (!GetActive() || FRecords.empty() || !FSortFields) return;
  CheckBrowseMode();
  const TBookmark bookmark = GetBookmark();
  const size_t n = FRecords.size();
  std::vector<TSortColumn> columns;
  for (TField* f : *FSortFields) {
    TSortColumn c;
    const TFieldType type = f->GetDataType();
    const size_t offset = GetFieldOffset(f);
    c.Present.resize(n);
    switch (type) {
      case ftString: case ftFixedChar: case ftWideString: case ftGuid: c.Kind = TSortColumn::Text; break;
      case ftSmallint: case ftWord: case ftBoolean: case ftInteger: case ftDate: case ftTime:
      case ftAutoInc: case ftLargeint: c.Kind = TSortColumn::Int; break;
      case ftFloat: case ftCurrency: case ftDateTime: c.Kind = TSortColumn::Float; break;
      default: c.Kind = TSortColumn::Equal;
    }
    if (c.Kind == TSortColumn::Text) c.Keys.resize(n);
    if (c.Kind == TSortColumn::Int) c.Ints.resize(n);
    if (c.Kind == TSortColumn::Float) c.Floats.resize(n);
    const bool ignoreCase = FCaseInsensitiveSort || type == ftGuid;
    const size_t size = static_cast<size_t>(f->GetDataSize());
    for (size_t i = 0; i < n; ++i) {
      const uint8_t* place = FRecords[i]->Data.data() + offset;
      const uint8_t* v = place + 1;
      bool present = place[0] != 0;
      switch (type) {
        case ftWideString: {
          std::string text;
          for (size_t k = 0; k + 1 < size; k += 2) {
            const uint16_t ch = static_cast<uint16_t>(v[k] | (v[k + 1] << 8));
            if (!ch) break;
            text += ch < 256 ? static_cast<char>(ch) : '?';
          }
          present = present && !text.empty();
          if (present) c.Keys[i] = LocaleSortKey(text, ignoreCase);
          break;
        }
        case ftString: case ftFixedChar: case ftGuid: {
          const char* p = reinterpret_cast<const char*>(v);
          present = present && p[0] != 0;
          if (present) c.Keys[i] = LocaleSortKey(std::string_view(p, strnlen(p, size)), ignoreCase);
          break;
        }
        case ftSmallint: case ftBoolean: { int16_t x; std::memcpy(&x, v, 2); c.Ints[i] = ftBoolean == type ? x != 0 : x; break; }
        case ftWord: { uint16_t x; std::memcpy(&x, v, 2); c.Ints[i] = x; break; }
        case ftInteger: case ftDate: case ftTime: case ftAutoInc: { int32_t x; std::memcpy(&x, v, 4); c.Ints[i] = x; break; }
        case ftLargeint: std::memcpy(&c.Ints[i], v, 8); break;
        case ftFloat: case ftCurrency: case ftDateTime: std::memcpy(&c.Floats[i], v, 8); break;
        default: break;
      }
      c.Present[i] = present;
    }
    columns.push_back(std::move(c));
  }
  const bool descending = FDescendingSort;
  std::vector<size_t> order(n);
  std::iota(order.begin(), order.end(), size_t{0});
  // The identifier breaks every tie, so the order is total and std::sort
  // (whose depth is bounded whatever the input) gives the one answer.
  auto less = [&](size_t a, size_t b) {
    for (const TSortColumn& c : columns) {
      int r;
      if (c.Present[a] && c.Present[b]) r = c.Compare(a, b);
      else r = c.Present[a] ? 1 : (c.Present[b] ? -1 : 0);
      if (r != 0) return descending ? r > 0 : r < 0;
    }
    const int32_t x = FRecords[a]->FID, y = FRecords[b]->FID;
    return descending ? x > y : x < y;
  };
  std::sort(order.begin(), order.end(), less);
  std::vector<TMemoryRecord*> sorted(n);
  for (size_t i = 0; i < n; ++i) sorted[i] = FRecords[order[i]];
  FRecords.swap(sorted);
  if (!bookmark.empty()) InternalGotoBookmark(bookmark);
  DataSetChanged();
}

bool TRxMemoryData::Locate(std::string_view keyFields, const std::vector<TFieldValue>& keyValues, int options) {
  CheckBrowseMode();
  if (IsEmpty()) return false;
  const std::vector<TField*> fields = GetFieldList(keyFields);
  if (LocateRecordMatches(fields, keyValues, options)) return true;
  // The scan a cursor would make with First and Next, over the records in
  // place: fetching each into the buffer would cost several times the
  // comparison. Text keys compare where they are stored; other kinds are
  // read through the filter buffer. What does not change from record to
  // record (each field's place, size and key) is worked out once here:
  // made per record, the key's copy alone cost more than the comparison.
  struct TKeyPlan {
    const TField* Field;
    const TFieldValue* Key;
    std::string Text;
    size_t Offset;
    size_t Size;
    bool InPlace;
  };
  static const TFieldValue kNoKey;
  std::vector<TKeyPlan> plan;
  for (size_t k = 0; k < fields.size(); ++k) {
    const TField* f = fields[k];
    const TFieldValue& key = k < keyValues.size() ? keyValues[k] : kNoKey;
    const size_t offset = GetFieldOffset(f);
    const bool inPlace =
        f->GetDataType() == ftString && offset != kNoPlace && !std::holds_alternative<std::monostate>(key);
    plan.push_back({f, &key, LocateKeyText(key), offset, static_cast<size_t>(f->GetDataSize()), inPlace});
  }
  auto matches = [&](const TMemoryRecord& rec) {
    bool copied = false;
    for (const TKeyPlan& k : plan) {
      if (k.InPlace) {
        const char* p = reinterpret_cast<const char*>(rec.Data.data() + k.Offset);
        const std::string_view text = p[0] ? std::string_view(p + 1, strnlen(p + 1, k.Size)) : std::string_view();
        if (!LocateTextMatches(text, k.Text, options)) return false;
        continue;
      }
      if (!copied) RecordToBuffer(rec, *GetFilterBuffer());
      copied = true;
      const TDataSetState saved = SetTempState(dsFilter);
      const bool ok = LocateFieldMatches(*k.Field, *k.Key, options);
      RestoreState(saved);
      if (!ok) return false;
    }
    return true;
  };
  const int saved = FRecordPos;
  const int count = GetRecordCount();
  for (int i = 0; i < count; ++i) {
    FRecordPos = i;
    if (GetFiltered() && !RecordFilter()) continue;
    if (!matches(*FRecords[static_cast<size_t>(i)])) continue;
    DoBeforeScroll();
    DataSetChanged();
    DoAfterScroll();
    return true;
  }
  FRecordPos = saved;
  return false;
}

// ---------------------------------------------------------------------------
// TMemBlobStream
// ---------------------------------------------------------------------------
TMemBlobStream::TMemBlobStream(TField* field, TBlobStreamMode mode)
    : FField(field), FDataSet(static_cast<TRxMemoryData*>(field->GetDataSet())), FMode(mode) {
  FBuffer = FDataSet->GetStateBuffer();
  if (!FBuffer || FDataSet->BlobIndex(field) < 0) return;
  if (!field->GetModified() && mode != bmRead) {
    if (field->GetReadOnly())
      throw EDatabaseError(Format("Field '%s' cannot be modified", field->GetDisplayName().c_str()));
    if (FDataSet->GetState() != dsEdit && FDataSet->GetState() != dsInsert) NotEditing();
    FCached = true;
  } else {
    FCached = FBuffer == FDataSet->GetActiveBuffer();
  }
  FOpened = true;
  if (mode == bmWrite) Truncate();
}

TMemBlobStream::~TMemBlobStream() {
  if (FOpened && FModified) FField->SetModified(true);
  if (FModified) {
    try {
      FDataSet->DataEvent_FieldChange(FField);
    } catch (...) {
      // A destructor must not throw; a failing recalculation is lost here
      // as it would be in any other field-change listener.
    }
  }
}

const std::string& TMemBlobStream::Source() const {
  if (FCached) return FBuffer->Blobs[static_cast<size_t>(FDataSet->BlobIndex(FField))];
  return FDataSet->StoredBlob(FField);
}

int64_t TMemBlobStream::GetSize() const {
  if (!FOpened) return 0;
  return static_cast<int64_t>(Source().size());
}

int64_t TMemBlobStream::Read(void* buffer, int64_t count) {
  if (!FOpened || count <= 0 || FPosition < 0) return 0;
  const std::string& s = Source();
  const int64_t size = static_cast<int64_t>(s.size());
  if (FPosition >= size) return 0;
  const int64_t n = std::min(count, size - FPosition);
  std::memcpy(buffer, s.data() + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

int64_t TMemBlobStream::Write(const void* buffer, int64_t count) {
  if (!FOpened || !FCached || FMode == bmRead || count <= 0 || FPosition < 0) return 0;
  std::string& s = FBuffer->Blobs[static_cast<size_t>(FDataSet->BlobIndex(FField))];
  const size_t end = static_cast<size_t>(FPosition + count);
  if (s.size() < end) s.resize(end, '\0');  // a gap left by a seek reads as zeros
  std::memcpy(s.data() + FPosition, buffer, static_cast<size_t>(count));
  FPosition += count;
  FModified = true;
  return count;
}

int64_t TMemBlobStream::Seek(int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case soBeginning: FPosition = offset; break;
    case soCurrent: FPosition += offset; break;
    case soEnd: FPosition = GetSize() + offset; break;
  }
  return FPosition;
}

void TMemBlobStream::Truncate() {
  if (!FOpened || !FCached) return;
  FBuffer->Blobs[static_cast<size_t>(FDataSet->BlobIndex(FField))].clear();
  FModified = true;
}
