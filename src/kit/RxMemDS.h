// TRxMemoryData: a table whose records live only in memory, with sorting on
// named fields, emptying and locate. The program keeps its recent files and
// the open dialog's folder listing in it.
#pragma once

#include <climits>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/DataSet.h"

class TRxMemoryData;

// One stored record: the data block and one byte string per blob field.
// Made with an owner, it joins the end of the owner's list and takes the
// next identifier; destroyed, it leaves the list.
class TMemoryRecord : public TPersistent {
public:
  explicit TMemoryRecord(TRxMemoryData* owner);
  ~TMemoryRecord() override;

  TRxMemoryData* GetMemoryData() const { return FOwner; }
  int32_t GetID() const { return FID; }
  int GetIndex() const;  // -1 without an owner
  void SetIndex(int value);

  std::vector<uint8_t> Data;
  std::vector<std::string> Blobs;

private:
  friend class TRxMemoryData;
  TRxMemoryData* FOwner;
  int32_t FID = INT32_MIN;
};

class TRxMemoryData : public TDataSet {
public:
  explicit TRxMemoryData(TComponent* owner);
  ~TRxMemoryData() override;

  // On an active table: ends an edit as browsing does, deletes every
  // record (identifiers start again) and shows the empty table.
  void EmptyTable();
  // Sorts on the ";"-separated fields. Strings follow the program's locale
  // order; ties keep creation order (reversed when descending), so the
  // result does not depend on how the sort goes about it.
  void SortOnFields(std::string_view fieldNames, bool caseInsensitive = false, bool descending = false);
  bool Locate(std::string_view keyFields, const std::vector<TFieldValue>& keyValues, int options) override;
  // Writes a buffer's data and blobs into the record at the index;
  // "Dataset not in edit or insert mode" while filtering.
  void SetMemoryRecordData(const TRecordBuffer& buffer, int index);
  // The blob of the active buffer goes back to the stored one while
  // editing a record, else it is emptied.
  void CloseBlob(TField* field);
  bool GetIsIndexField(const TField* field) const;

  int GetCapacity() const { return static_cast<int>(FRecords.capacity()); }
  void SetCapacity(int value);
  int GetRecordCount() const override { return static_cast<int>(FRecords.size()); }
  int GetRecNo() override;
  void SetRecNo(int value) override;
  bool BookmarkValid(const TBookmark& bookmark) override;
  int CompareBookmarks(const TBookmark& a, const TBookmark& b) override;
  std::unique_ptr<TStream> CreateBlobStream(TField* field, TBlobStreamMode mode) override;
  bool GetFieldData(const TField* field, void* buffer) const override;
  void SetFieldData(TField* field, const void* buffer) override;
  void SetFiltered(bool value) override;

  // Layout figures, wide so that big records never overlap their fields.
  size_t GetRecordSize() const { return FRecordSize; }
  size_t GetFieldOffset(const TField* field) const;
  int32_t GetLastID() const { return FLastID; }
  int GetRecordPos() const { return FRecordPos; }
  TMemoryRecord* GetRecord(int index) const { return FRecords[static_cast<size_t>(index)]; }
  // The blob string a stream over the field reads when it does not hold
  // the buffer's own (see TMemBlobStream).
  const std::string& StoredBlob(const TField* field) const;
  int BlobIndex(const TField* field) const;

protected:
  std::unique_ptr<TRecordBuffer> AllocRecordBuffer() override;
  void InitRecord(TRecordBuffer& buffer) override;
  TGetResult GetRecord(TRecordBuffer& buffer, TGetMode mode, bool doCheck) override;
  void InternalOpen() override;
  void InternalClose() override;
  void InternalFirst() override { FRecordPos = -1; }
  void InternalLast() override { FRecordPos = GetRecordCount(); }
  void InternalPost() override;
  void InternalDelete() override;
  void InternalGotoBookmark(const TBookmark& bookmark) override;
  void InternalSetToRecord(const TRecordBuffer& buffer) override;
  TBookmark GetBookmarkData(const TRecordBuffer& buffer) const override;
  TBookmarkFlag GetBookmarkFlag(const TRecordBuffer& buffer) const override;
  void SetBookmarkFlag(TRecordBuffer& buffer, TBookmarkFlag flag) override;

private:
  friend class TMemoryRecord;
  void ComputeLayout();
  void ClearRecords();
  bool RecordFilter();
  void RecordToBuffer(const TMemoryRecord& rec, TRecordBuffer& buffer);
  void FillAutoIncrement(TRecordBuffer& buffer);
  void Sort();
  const uint8_t* FieldPlace(const TField* field, const TRecordBuffer& buffer) const;

  std::vector<TMemoryRecord*> FRecords;
  int FRecordPos = -1;
  size_t FRecordSize = 0;
  size_t FBookmarkOfs = 0;
  size_t FRecBufSize = 0;
  std::vector<size_t> FOffsets;     // per flat definition; npos when not stored
  std::vector<int> FBlobIndex;      // per flat definition; -1 when not a blob
  std::vector<TFieldType> FFlatTypes;
  int FBlobCount = 0;
  int32_t FLastID = INT32_MIN;
  int32_t FAutoInc = 1;
  std::optional<std::vector<TField*>> FSortFields;
  bool FCaseInsensitiveSort = false;
  bool FDescendingSort = false;
  bool FCursorOpen = false;
};

// A stream over one blob field of the table's current record buffer. It
// behaves as a memory stream does: a seek past the end is allowed, a read
// there gives nothing and a write fills the gap with zeros; at a negative
// position reads and writes do nothing.
class TMemBlobStream : public TStream {
public:
  TMemBlobStream(TField* field, TBlobStreamMode mode);
  ~TMemBlobStream() override;
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t GetPosition() const override { return FPosition; }
  int64_t GetSize() const override;
  void Truncate();

private:
  const std::string& Source() const;
  TField* FField;
  TRxMemoryData* FDataSet;
  TRecordBuffer* FBuffer;
  TBlobStreamMode FMode;
  bool FOpened = false;
  bool FModified = false;
  bool FCached = false;
  int64_t FPosition = 0;
};
