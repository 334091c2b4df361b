// The data-set framework a table builds on: field kinds and definitions,
// field objects, the states, navigation, editing, bookmarks and events.
// A concrete table supplies buffers, record fetch, post and delete, and
// field access. There are no data-aware controls, so one active record
// buffer (plus one for calculated fields and one for filtering) is all the
// base keeps.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/Classes.h"
#include "platform/Streams.h"
#include "platform/SysUtils.h"

class EDatabaseError : public Exception {
public:
  using Exception::Exception;
};

// The field kinds, in the order a stored table's type numbers follow.
enum TFieldType {
  ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD, ftDate,
  ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic, ftFmtMemo,
  ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString, ftLargeint, ftADT,
  ftArray, ftReference, ftDataSet, ftOraBlob, ftOraClob, ftVariant, ftInterface, ftIDispatch, ftGuid
};
const char* FieldTypeName(TFieldType type);
bool IsBlobType(TFieldType type);

enum TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc };

enum TDataSetState {
  dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter, dsNewValue, dsOldValue,
  dsCurValue, dsBlockRead, dsInternalCalc
};

enum TGetMode { gmCurrent, gmNext, gmPrior };
enum TGetResult { grOK, grBOF, grEOF, grError };
enum TBookmarkFlag { bfCurrent, bfBOF, bfEOF, bfInserted };
enum TBlobStreamMode { bmRead, bmWrite, bmReadWrite };
enum TDataAction { daFail, daAbort, daRetry };
enum TLocateOption { loCaseInsensitive = 1, loPartialKey = 2 };

// A small variant for field values and Locate keys: nothing (null), an
// integer, a float, a boolean or a text.
using TFieldValue = std::variant<std::monostate, int64_t, double, bool, std::string>;
// Variant equality: numbers compare by value whatever their kind; a text
// equals a number only when it reads as that number.
bool FieldValuesEqual(const TFieldValue& a, const TFieldValue& b);

// A record buffer: the fixed-size bytes (data block, calculated fields,
// bookmark information) and one byte string per blob field. The strings are
// the buffer's own: editing them never reaches a stored record.
struct TRecordBuffer {
  std::vector<uint8_t> Data;
  std::vector<std::string> Blobs;
};

using TBookmark = std::string;  // empty: no bookmark

class TDataSet;

class TFieldDef {
public:
  std::string Name;
  TFieldType DataType = ftUnknown;
  int Size = 0;
  bool Required = false;
  std::vector<TFieldDef> ChildDefs;  // the members of an ftADT definition
};

class TFieldDefs {
public:
  TFieldDef& Add(const std::string& name, TFieldType type, int size = 0, bool required = false);
  void Clear() { FItems.clear(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  TFieldDef& operator[](int i) { return FItems[static_cast<size_t>(i)]; }
  const TFieldDef& operator[](int i) const { return FItems[static_cast<size_t>(i)]; }
  const std::vector<TFieldDef>& Items() const { return FItems; }

private:
  std::vector<TFieldDef> FItems;
};

class TField {
public:
  TField(TDataSet* dataSet, std::string name, TFieldType type, int size, TFieldKind kind);

  TDataSet* GetDataSet() const { return FDataSet; }
  const std::string& GetFieldName() const { return FFieldName; }
  // The name a definition is found by: the field name (members of an
  // object field carry "Object.Member").
  const std::string& GetFullName() const { return FFieldName; }
  std::string GetDisplayName() const { return FDisplayLabel.empty() ? FFieldName : FDisplayLabel; }
  void SetDisplayLabel(std::string s) { FDisplayLabel = std::move(s); }
  TFieldType GetDataType() const { return FDataType; }
  int GetSize() const { return FSize; }
  TFieldKind GetFieldKind() const { return FFieldKind; }
  bool IsBlob() const { return IsBlobType(FDataType); }
  // 1-based position among the data fields; 0 or less for calculated and
  // lookup fields.
  int GetFieldNo() const { return FFieldNo; }
  int GetIndex() const;
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v) { FReadOnly = v; }
  bool GetModified() const { return FModified; }
  void SetModified(bool v) { FModified = v; }
  // Bytes the value takes in a record buffer (without its flag byte).
  int GetDataSize() const;
  size_t GetOffset() const { return FOffset; }  // of a calculated field, in the calculated area

  // The value in the field's buffer form; false when null. buffer may be
  // null when only nullness is asked.
  bool GetData(void* buffer) const;
  // A null buffer makes the value null.
  void SetData(const void* buffer);

  bool IsNull() const;
  void Clear() { SetData(nullptr); }
  std::string GetAsString() const;
  void SetAsString(const std::string& s);
  int64_t GetAsLargeInt() const;
  void SetAsLargeInt(int64_t v);
  int GetAsInteger() const { return static_cast<int>(GetAsLargeInt()); }
  void SetAsInteger(int v) { SetAsLargeInt(v); }
  double GetAsFloat() const;
  void SetAsFloat(double v);
  TDateTime GetAsDateTime() const { return GetAsFloat(); }
  void SetAsDateTime(TDateTime v) { SetAsFloat(v); }
  bool GetAsBoolean() const { return GetAsLargeInt() != 0; }
  void SetAsBoolean(bool v) { SetAsLargeInt(v ? 1 : 0); }
  // The raw bytes of kinds that have no text form (BCD, bytes, variants).
  std::string GetAsBytes() const;
  void SetAsBytes(const std::string& bytes);
  TFieldValue GetValue() const;
  void SetValue(const TFieldValue& v);

private:
  friend class TDataSet;
  TDataSet* FDataSet;
  std::string FFieldName;
  std::string FDisplayLabel;
  TFieldType FDataType;
  int FSize;
  TFieldKind FFieldKind;
  int FFieldNo = 0;
  size_t FOffset = 0;
  bool FReadOnly = false;
  bool FModified = false;
};

// Bytes a value of the kind takes in a record buffer; 0 for kinds that are
// not stored there (blobs keep a string of their own).
int FieldDataSize(TFieldType type, int size);

class TDataSet : public TComponent {
public:
  using TDataSetNotify = std::function<void(TDataSet&)>;
  using TDataSetError = std::function<void(TDataSet&, EDatabaseError&, TDataAction&)>;

  explicit TDataSet(TComponent* owner);
  ~TDataSet() override;

  // Where exceptions raised inside a table's own work go (a filter handler,
  // say): the application's handler under Windows. Unset, they are dropped.
  static std::function<void(const std::exception&)>& ExceptionHandler();

  TFieldDefs& GetFieldDefs() { return FFieldDefs; }
  // A field made by hand before opening (a persistent field). Calculated
  // and lookup fields only exist this way.
  TField* AddField(const std::string& name, TFieldType type, int size = 0, TFieldKind kind = fkData);
  int FieldCount() const { return static_cast<int>(FFields.size()); }
  TField* GetField(int i) const { return FFields[static_cast<size_t>(i)].get(); }
  TField* FindField(std::string_view name) const;
  // EDatabaseError "Field '%s' not found" when absent.
  TField* FieldByName(std::string_view name) const;
  // Splits ";"-separated names and looks each up with FieldByName.
  std::vector<TField*> GetFieldList(std::string_view names) const;

  bool GetActive() const { return FState != dsInactive; }
  void SetActive(bool value);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  TDataSetState GetState() const { return FState; }
  bool GetModified() const { return FModified; }
  bool GetBof() const { return FBof; }
  bool GetEof() const { return FEof; }
  bool IsEmpty() const { return FBof && FEof; }
  bool GetAutoCalcFields() const { return FAutoCalcFields; }
  void SetAutoCalcFields(bool v) { FAutoCalcFields = v; }
  bool GetFiltered() const { return FFiltered; }
  virtual void SetFiltered(bool value);
  bool GetObjectView() const { return FObjectView; }
  void SetObjectView(bool v) { FObjectView = v; }

  void First();
  void Last();
  void Next();
  void Prior();
  int MoveBy(int distance);
  void Insert();
  void Append();
  void Edit();
  void Post();
  void Cancel();
  void Delete();
  // Posts a modified edit, cancels an unmodified one; EDatabaseError
  // "Dataset not open" on a closed table.
  void CheckBrowseMode();
  void Resync();

  TBookmark GetBookmark();
  void GotoBookmark(const TBookmark& bookmark);
  virtual bool BookmarkValid(const TBookmark& bookmark) = 0;
  virtual int CompareBookmarks(const TBookmark& a, const TBookmark& b) = 0;

  virtual int GetRecordCount() const = 0;
  virtual int GetRecNo() = 0;
  virtual void SetRecNo(int value) = 0;

  // DisableControls nests: controls are enabled again when every call has
  // been matched by EnableControls.
  void DisableControls() { ++FDisableCount; }
  void EnableControls() {
    if (FDisableCount > 0) --FDisableCount;
  }
  bool ControlsDisabled() const { return FDisableCount > 0; }

  virtual std::unique_ptr<TStream> CreateBlobStream(TField* field, TBlobStreamMode mode) = 0;
  virtual bool Locate(std::string_view keyFields, const std::vector<TFieldValue>& keyValues, int options) = 0;

  // The buffer field access reads and writes: the one that belongs to the
  // state (the active buffer when browsing or editing, the calculation
  // buffer while calculating, the filter buffer while filtering); null when
  // the state has none or the table is empty while browsing.
  TRecordBuffer* GetStateBuffer() const;
  TRecordBuffer* GetActiveBuffer() const { return FActiveValid ? FActive.get() : nullptr; }
  size_t GetCalcFieldsSize() const { return FCalcFieldsSize; }

  virtual bool GetFieldData(const TField* field, void* buffer) const = 0;
  virtual void SetFieldData(TField* field, const void* buffer) = 0;
  // A field's value changed: the table is modified and, while editing with
  // AutoCalcFields, the calculated fields are computed again.
  void DataEvent_FieldChange(TField* field);

  TDataSetNotify BeforeOpen, AfterOpen, BeforeClose, AfterClose, BeforeInsert, AfterInsert, BeforeEdit,
      AfterEdit, BeforePost, AfterPost, BeforeCancel, AfterCancel, BeforeDelete, AfterDelete, BeforeScroll,
      AfterScroll, OnCalcFields, OnNewRecord;
  TDataSetError OnDeleteError, OnEditError, OnPostError;
  std::function<void(TDataSet&, bool& accept)> OnFilterRecord;
  virtual void SetOnFilterRecord(std::function<void(TDataSet&, bool&)> handler);

protected:
  virtual std::unique_ptr<TRecordBuffer> AllocRecordBuffer() = 0;
  virtual void InitRecord(TRecordBuffer& buffer) = 0;
  virtual TGetResult GetRecord(TRecordBuffer& buffer, TGetMode mode, bool doCheck) = 0;
  virtual void InternalOpen() = 0;
  virtual void InternalClose() = 0;
  virtual void InternalFirst() = 0;
  virtual void InternalLast() = 0;
  virtual void InternalPost() = 0;
  virtual void InternalDelete() = 0;
  virtual void InternalCancel() {}
  virtual void InternalGotoBookmark(const TBookmark& bookmark) = 0;
  virtual void InternalSetToRecord(const TRecordBuffer& buffer) = 0;
  virtual TBookmark GetBookmarkData(const TRecordBuffer& buffer) const = 0;
  virtual TBookmarkFlag GetBookmarkFlag(const TRecordBuffer& buffer) const = 0;
  virtual void SetBookmarkFlag(TRecordBuffer& buffer, TBookmarkFlag flag) = 0;
  virtual void InternalHandleException(const std::exception& e);

  // Field objects from the definitions (default fields), their removal.
  void CreateFields();
  void DestroyDefaultFields();
  bool DefaultFields() const { return FDefaultFields; }
  // Numbers the data fields, lays out the calculated area.
  void BindFields(bool binding);
  // Runs OnCalcFields for the buffer under the calculate-fields state.
  void GetCalcFields(TRecordBuffer& buffer);
  void ClearBuffers();
  // Replaces the state for a moment (filtering, calculating); RestoreState
  // puts the saved one back.
  TDataSetState SetTempState(TDataSetState state);
  void RestoreState(TDataSetState saved) { FState = saved; }
  TRecordBuffer* GetFilterBuffer() const { return FFilterBuffer.get(); }
  [[noreturn]] static void DatabaseError(const std::string& message);
  void CheckActive() const;
  void DoAfterScroll() {
    if (AfterScroll) AfterScroll(*this);
  }
  void DoBeforeScroll() {
    if (BeforeScroll) BeforeScroll(*this);
  }
  // Notified when the whole data set changed (a sort, an empty, a locate).
  void DataSetChanged() { Resync(); }

  std::vector<std::unique_ptr<TField>> FFields;

private:
  void FetchFirst();
  void BeginInsertAppend(bool append);
  void SetState(TDataSetState state);
  void RunWithErrorHandler(const std::function<void()>& work, const TDataSetError& handler);

  TFieldDefs FFieldDefs;
  TDataSetState FState = dsInactive;
  std::unique_ptr<TRecordBuffer> FActive;
  std::unique_ptr<TRecordBuffer> FFilterBuffer;
  TRecordBuffer* FCalcBuffer = nullptr;
  bool FActiveValid = false;  // the active buffer holds a record
  bool FBof = true, FEof = true;
  bool FModified = false;
  bool FAutoCalcFields = true;
  bool FFiltered = false;
  bool FObjectView = false;
  bool FDefaultFields = true;
  size_t FCalcFieldsSize = 0;
  int FDisableCount = 0;
};
