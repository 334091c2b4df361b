// The data-set framework. See DataSet.h.
#include "platform/DataSet.h"

#include <cmath>
#include <cstring>

namespace {

const char* const kTypeNames[] = {
    "Unknown",   "String",     "SmallInt", "Integer",    "Word",     "Boolean",   "Float",
    "Currency",  "BCD",        "Date",     "Time",       "DateTime", "Bytes",     "VarBytes",
    "AutoInc",   "Blob",       "Memo",     "Graphic",    "FmtMemo",  "ParadoxOle", "DBaseOle",
    "TypedBinary", "Cursor",   "FixedChar", "WideString", "LargeInt", "ADT",      "Array",
    "Reference", "DataSet",    "OraBlob",  "OraClob",    "Variant",  "Interface", "IDispatch",
    "Guid"};

bool IsTextType(TFieldType t) { return t == ftString || t == ftFixedChar || t == ftGuid; }

// The text of a zero-terminated value that never reads past its block.
std::string BoundedText(const char* p, size_t size) {
  const void* end = std::memchr(p, 0, size);
  return std::string(p, end ? static_cast<const char*>(end) - p : size);
}

}  // namespace

const char* FieldTypeName(TFieldType type) {
  const size_t i = static_cast<size_t>(type);
  return i < sizeof kTypeNames / sizeof kTypeNames[0] ? kTypeNames[i] : "Unknown";
}

bool IsBlobType(TFieldType t) {
  return (t >= ftBlob && t <= ftTypedBinary) || t == ftOraBlob || t == ftOraClob;
}

int FieldDataSize(TFieldType type, int size) {
  switch (type) {
    case ftString:
    case ftFixedChar: return size + 1;
    case ftSmallint:
    case ftWord:
    case ftBoolean: return 2;
    case ftInteger:
    case ftDate:
    case ftTime:
    case ftAutoInc: return 4;
    case ftFloat:
    case ftCurrency:
    case ftDateTime:
    case ftLargeint: return 8;
    case ftBCD: return 34;
    case ftBytes: return size;
    case ftVarBytes: return size + 2;
    case ftWideString: return (size + 1) * 2;
    case ftVariant: return 16;
    case ftGuid: return 39;
    default: return 0;
  }
}

bool FieldValuesEqual(const TFieldValue& a, const TFieldValue& b) {
  auto number = [](const TFieldValue& v, double& out) {
    if (auto* i = std::get_if<int64_t>(&v)) return out = static_cast<double>(*i), true;
    if (auto* d = std::get_if<double>(&v)) return out = *d, true;
    if (auto* b = std::get_if<bool>(&v)) return out = *b ? 1.0 : 0.0, true;
    if (auto* s = std::get_if<std::string>(&v)) {
      int64_t i;
      if (TryStrToInt64(*s, i)) return out = static_cast<double>(i), true;
      return TryStrToFloatDot(*s, out);
    }
    return false;
  };
  if (a.index() == b.index()) return a == b;
  if (std::holds_alternative<std::monostate>(a) || std::holds_alternative<std::monostate>(b)) return false;
  double x, y;
  return number(a, x) && number(b, y) && x == y;
}

// ---------------------------------------------------------------------------
// Field definitions and fields
// ---------------------------------------------------------------------------
TFieldDef& TFieldDefs::Add(const std::string& name, TFieldType type, int size, bool required) {
  TFieldDef def;
  def.Name = name;
  def.DataType = type;
  def.Size = size;
  def.Required = required;
  FItems.push_back(std::move(def));
  return FItems.back();
}

TField::TField(TDataSet* dataSet, std::string name, TFieldType type, int size, TFieldKind kind)
    : FDataSet(dataSet), FFieldName(std::move(name)), FDataType(type), FSize(size), FFieldKind(kind) {}

int TField::GetIndex() const {
  for (int i = 0; i < FDataSet->FieldCount(); ++i)
    if (FDataSet->GetField(i) == this) return i;
  return -1;
}

int TField::GetDataSize() const { return FieldDataSize(FDataType, FSize); }

bool TField::GetData(void* buffer) const { return FDataSet->GetFieldData(this, buffer); }

void TField::SetData(const void* buffer) { FDataSet->SetFieldData(this, buffer); }

bool TField::IsNull() const {
  if (IsBlob()) return GetAsBytes().empty();
  return !GetData(nullptr);
}

std::string TField::GetAsBytes() const {
  if (IsBlob()) return FDataSet->CreateBlobStream(const_cast<TField*>(this), bmRead)->ReadRemaining();
  std::string raw(static_cast<size_t>(GetDataSize()), '\0');
  if (raw.empty() || !GetData(raw.data())) return std::string();
  if (FDataType == ftVarBytes) {
    uint16_t n;
    std::memcpy(&n, raw.data(), 2);
    return raw.substr(2, std::min<size_t>(n, raw.size() - 2));
  }
  return raw;
}

void TField::SetAsBytes(const std::string& bytes) {
  if (IsBlob()) {
    auto stream = FDataSet->CreateBlobStream(this, bmWrite);
    stream->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    return;
  }
  std::string raw(static_cast<size_t>(GetDataSize()), '\0');
  if (FDataType == ftVarBytes) {
    const uint16_t n = static_cast<uint16_t>(std::min<size_t>(bytes.size(), raw.size() - 2));
    std::memcpy(raw.data(), &n, 2);
    std::memcpy(raw.data() + 2, bytes.data(), n);
  } else {
    std::memcpy(raw.data(), bytes.data(), std::min(bytes.size(), raw.size()));
  }
  SetData(raw.data());
}

std::string TField::GetAsString() const {
  switch (FDataType) {
    case ftString:
    case ftFixedChar:
    case ftGuid: {
      std::string raw(static_cast<size_t>(GetDataSize()), '\0');
      return GetData(raw.data()) ? BoundedText(raw.data(), raw.size()) : std::string();
    }
    case ftWideString: {
      std::vector<uint16_t> wide(static_cast<size_t>(FSize + 1), 0);
      if (!GetData(wide.data())) return std::string();
      std::string s;
      for (size_t i = 0; i < static_cast<size_t>(FSize) && wide[i]; ++i)
        s += wide[i] < 256 ? static_cast<char>(wide[i]) : '?';
      return s;
    }
    case ftBoolean:
      if (IsNull()) return std::string();
      return GetAsBoolean() ? "True" : "False";
    case ftSmallint:
    case ftWord:
    case ftInteger:
    case ftAutoInc:
    case ftLargeint: return IsNull() ? std::string() : IntToStr(GetAsLargeInt());
    case ftFloat:
    case ftCurrency: return IsNull() ? std::string() : FloatToStrG(GetAsFloat(), 15);
    case ftDate:
    case ftTime:
    case ftDateTime: return IsNull() ? std::string() : ShortDateTimeText(GetAsFloat());
    default: return GetAsBytes();
  }
}

void TField::SetAsString(const std::string& s) {
  switch (FDataType) {
    case ftString:
    case ftFixedChar:
    case ftGuid: {
      // The value's block holds Size characters and the terminator; a
      // longer text is cut, never written past the block.
      std::string raw(static_cast<size_t>(GetDataSize()), '\0');
      std::memcpy(raw.data(), s.data(), std::min(s.size(), raw.size() - 1));
      SetData(s.empty() ? nullptr : raw.data());
      return;
    }
    case ftWideString: {
      std::vector<uint16_t> wide(static_cast<size_t>(FSize + 1), 0);
      for (size_t i = 0; i < s.size() && i < static_cast<size_t>(FSize); ++i)
        wide[i] = static_cast<unsigned char>(s[i]);
      SetData(s.empty() ? nullptr : wide.data());
      return;
    }
    case ftBoolean:
      if (s.empty()) Clear();
      else SetAsBoolean(StrToBool(s));
      return;
    case ftSmallint:
    case ftWord:
    case ftInteger:
    case ftAutoInc:
    case ftLargeint:
      if (s.empty()) Clear();
      else SetAsLargeInt(StrToInt64(s));
      return;
    case ftFloat:
    case ftCurrency:
    case ftDate:
    case ftTime:
    case ftDateTime: {
      if (s.empty()) return Clear();
      double v;
      if (!TryStrToFloatDot(s, v)) throw EConvertError("'" + s + "' is not a valid floating point value");
      SetAsFloat(v);
      return;
    }
    default: SetAsBytes(s);
  }
}

int64_t TField::GetAsLargeInt() const {
  uint8_t raw[8] = {};
  if (GetDataSize() > 8 || !GetData(raw)) {
    if (IsTextType(FDataType) || IsBlob()) {
      const std::string s = GetAsString();
      return s.empty() ? 0 : StrToInt64(s);
    }
    return 0;
  }
  switch (FDataType) {
    case ftSmallint:
    case ftBoolean: { int16_t v; std::memcpy(&v, raw, 2); return v; }
    case ftWord: { uint16_t v; std::memcpy(&v, raw, 2); return v; }
    case ftInteger:
    case ftAutoInc:
    case ftDate:
    case ftTime: { int32_t v; std::memcpy(&v, raw, 4); return v; }
    case ftLargeint: { int64_t v; std::memcpy(&v, raw, 8); return v; }
    case ftFloat:
    case ftCurrency:
    case ftDateTime: { double v; std::memcpy(&v, raw, 8); return std::llround(v); }
    default: return 0;
  }
}

void TField::SetAsLargeInt(int64_t value) {
  uint8_t raw[8] = {};
  switch (FDataType) {
    case ftSmallint:
    case ftBoolean: { int16_t v = static_cast<int16_t>(value); std::memcpy(raw, &v, 2); break; }
    case ftWord: { uint16_t v = static_cast<uint16_t>(value); std::memcpy(raw, &v, 2); break; }
    case ftInteger:
    case ftAutoInc:
    case ftDate:
    case ftTime: { int32_t v = static_cast<int32_t>(value); std::memcpy(raw, &v, 4); break; }
    case ftLargeint: std::memcpy(raw, &value, 8); break;
    case ftFloat:
    case ftCurrency:
    case ftDateTime: return SetAsFloat(static_cast<double>(value));
    default: return SetAsString(IntToStr(value));
  }
  SetData(raw);
}

// Dates keep whole days since 1899-12-30, times milliseconds since
// midnight; both read back as a date-time.
double TField::GetAsFloat() const {
  switch (FDataType) {
    case ftFloat:
    case ftCurrency:
    case ftDateTime: {
      double v = 0;
      return GetData(&v) ? v : 0.0;
    }
    case ftDate: return static_cast<double>(GetAsLargeInt());
    case ftTime: return static_cast<double>(GetAsLargeInt()) / 86400000.0;
    default:
      if (IsTextType(FDataType) || IsBlob()) {
        double v = 0;
        const std::string s = GetAsString();
        if (!s.empty() && !TryStrToFloatDot(s, v))
          throw EConvertError("'" + s + "' is not a valid floating point value");
        return v;
      }
      return static_cast<double>(GetAsLargeInt());
  }
}

void TField::SetAsFloat(double value) {
  switch (FDataType) {
    case ftFloat:
    case ftCurrency:
    case ftDateTime: SetData(&value); return;
    case ftDate: SetAsLargeInt(static_cast<int64_t>(std::floor(value))); return;
    case ftTime: {
      const double frac = value - std::floor(value);
      SetAsLargeInt(std::llround(frac * 86400000.0));
      return;
    }
    default:
      if (IsTextType(FDataType) || IsBlob()) return SetAsString(FloatToStrG(value, 15));
      SetAsLargeInt(std::llround(value));
  }
}

TFieldValue TField::GetValue() const {
  if (IsNull()) return std::monostate{};
  switch (FDataType) {
    case ftBoolean: return GetAsBoolean();
    case ftSmallint:
    case ftWord:
    case ftInteger:
    case ftAutoInc:
    case ftLargeint: return GetAsLargeInt();
    case ftFloat:
    case ftCurrency:
    case ftDate:
    case ftTime:
    case ftDateTime: return GetAsFloat();
    default: return GetAsString();
  }
}

void TField::SetValue(const TFieldValue& v) {
  if (std::holds_alternative<std::monostate>(v)) return Clear();
  if (auto* s = std::get_if<std::string>(&v)) return SetAsString(*s);
  if (auto* i = std::get_if<int64_t>(&v)) return SetAsLargeInt(*i);
  if (auto* d = std::get_if<double>(&v)) return SetAsFloat(*d);
  SetAsBoolean(std::get<bool>(v));
}

// ---------------------------------------------------------------------------
// TDataSet
// ---------------------------------------------------------------------------
TDataSet::TDataSet(TComponent* owner) : TComponent(owner) {}

TDataSet::~TDataSet() = default;

std::function<void(const std::exception&)>& TDataSet::ExceptionHandler() {
  static std::function<void(const std::exception&)> handler;
  return handler;
}

void TDataSet::InternalHandleException(const std::exception& e) {
  if (ExceptionHandler()) ExceptionHandler()(e);
}

void TDataSet::DatabaseError(const std::string& message) { throw EDatabaseError(message); }

void TDataSet::CheckActive() const {
  if (FState == dsInactive) DatabaseError("Cannot perform this operation on a closed dataset");
}

TField* TDataSet::AddField(const std::string& name, TFieldType type, int size, TFieldKind kind) {
  if (GetActive()) DatabaseError("Cannot perform this operation on an open dataset");
  FFields.push_back(std::make_unique<TField>(this, name, type, size, kind));
  FDefaultFields = false;
  return FFields.back().get();
}

TField* TDataSet::FindField(std::string_view name) const {
  for (const auto& f : FFields)
    if (AnsiSameText(f->GetFieldName(), name)) return f.get();
  return nullptr;
}

TField* TDataSet::FieldByName(std::string_view name) const {
  TField* f = FindField(name);
  if (!f) DatabaseError(Format("Field '%s' not found", std::string(name).c_str()));
  return f;
}

std::vector<TField*> TDataSet::GetFieldList(std::string_view names) const {
  std::vector<TField*> list;
  size_t start = 0;
  while (start <= names.size()) {
    size_t end = names.find(';', start);
    if (end == std::string_view::npos) end = names.size();
    const std::string name = Trim(names.substr(start, end - start));
    if (!name.empty()) list.push_back(FieldByName(name));
    start = end + 1;
  }
  return list;
}

void TDataSet::CreateFields() {
  std::function<void(const TFieldDef&, const std::string&)> add = [&](const TFieldDef& def,
                                                                      const std::string& prefix) {
    const std::string name = prefix + def.Name;
    FFields.push_back(std::make_unique<TField>(this, name, def.DataType, def.Size, fkData));
    for (const TFieldDef& child : def.ChildDefs) add(child, name + ".");
  };
  for (const TFieldDef& def : FFieldDefs.Items()) add(def, "");
  FDefaultFields = true;
}

void TDataSet::DestroyDefaultFields() {
  if (FDefaultFields) FFields.clear();
}

void TDataSet::BindFields(bool binding) {
  FCalcFieldsSize = 0;
  if (!binding) return;
  // Data fields are numbered by their place in the flat list of
  // definitions, which is also how a table finds their offsets.
  std::vector<std::string> flat;
  std::function<void(const TFieldDef&, const std::string&)> walk = [&](const TFieldDef& def,
                                                                       const std::string& prefix) {
    flat.push_back(prefix + def.Name);
    for (const TFieldDef& child : def.ChildDefs) walk(child, prefix + def.Name + ".");
  };
  for (const TFieldDef& def : FFieldDefs.Items()) walk(def, "");
  for (auto& f : FFields) {
    if (f->FFieldKind == fkData || f->FFieldKind == fkInternalCalc) {
      f->FFieldNo = 0;
      for (size_t i = 0; i < flat.size(); ++i)
        if (AnsiSameText(flat[i], f->FFieldName)) f->FFieldNo = static_cast<int>(i) + 1;
      if (f->FFieldNo == 0) DatabaseError(Format("Field '%s' not found", f->FFieldName.c_str()));
    } else {
      f->FFieldNo = -1;
      f->FOffset = FCalcFieldsSize;
      FCalcFieldsSize += static_cast<size_t>(f->GetDataSize()) + 1;
    }
  }
}

void TDataSet::SetActive(bool value) {
  if (value == GetActive()) return;
  if (value) {
    if (BeforeOpen) BeforeOpen(*this);
    try {
      InternalOpen();
      FActive = AllocRecordBuffer();
      FFilterBuffer = AllocRecordBuffer();
      FState = dsBrowse;
      FModified = false;
      FetchFirst();
    } catch (...) {
      FState = dsBrowse;
      SetActive(false);
      throw;
    }
    if (AfterOpen) AfterOpen(*this);
  } else {
    if (BeforeClose) BeforeClose(*this);
    FState = dsInactive;
    FActiveValid = false;
    FBof = FEof = true;
    InternalClose();
    FActive.reset();
    FFilterBuffer.reset();
    FCalcBuffer = nullptr;
    if (AfterClose) AfterClose(*this);
  }
}

void TDataSet::SetState(TDataSetState state) { FState = state; }

TDataSetState TDataSet::SetTempState(TDataSetState state) {
  const TDataSetState saved = FState;
  FState = state;
  return saved;
}

TRecordBuffer* TDataSet::GetStateBuffer() const {
  switch (FState) {
    case dsBrowse: return FActiveValid ? FActive.get() : nullptr;
    case dsEdit:
    case dsInsert:
    case dsSetKey:
    case dsNewValue: return FActive.get();
    case dsCalcFields:
    case dsInternalCalc: return FCalcBuffer;
    case dsFilter: return FFilterBuffer.get();
    default: return nullptr;
  }
}

void TDataSet::GetCalcFields(TRecordBuffer& buffer) {
  if (FCalcFieldsSize == 0 && !OnCalcFields) return;
  TRecordBuffer* savedBuffer = FCalcBuffer;
  const TDataSetState saved = SetTempState(dsCalcFields);
  FCalcBuffer = &buffer;
  try {
    for (auto& f : FFields)
      if (f->FFieldKind == fkCalculated || f->FFieldKind == fkLookup) f->SetData(nullptr);
    if (OnCalcFields) OnCalcFields(*this);
  } catch (...) {
    FCalcBuffer = savedBuffer;
    RestoreState(saved);
    throw;
  }
  FCalcBuffer = savedBuffer;
  RestoreState(saved);
}

void TDataSet::DataEvent_FieldChange(TField* field) {
  field->SetModified(true);
  if (FState == dsEdit || FState == dsInsert) {
    FModified = true;
    if (FAutoCalcFields && field->GetFieldKind() == fkData && FActive) GetCalcFields(*FActive);
  }
}

void TDataSet::ClearBuffers() {
  FActiveValid = false;
  FBof = FEof = true;
}

void TDataSet::FetchFirst() {
  InternalFirst();
  FActiveValid = GetRecord(*FActive, gmNext, false) == grOK;
  FBof = true;
  FEof = !FActiveValid;
}

void TDataSet::Resync() {
  if (!GetActive()) return;
  FActiveValid = GetRecord(*FActive, gmCurrent, false) == grOK ||
                 GetRecord(*FActive, gmNext, false) == grOK || GetRecord(*FActive, gmPrior, false) == grOK;
  FBof = FEof = !FActiveValid;
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  if (FState == dsEdit || FState == dsInsert || FState == dsSetKey) {
    if (FModified) Post();
    else Cancel();
  }
}

void TDataSet::First() {
  CheckBrowseMode();
  DoBeforeScroll();
  FetchFirst();
  DoAfterScroll();
}

void TDataSet::Last() {
  CheckBrowseMode();
  DoBeforeScroll();
  InternalLast();
  FActiveValid = GetRecord(*FActive, gmPrior, false) == grOK;
  FEof = true;
  FBof = !FActiveValid;
  DoAfterScroll();
}

void TDataSet::Next() {
  CheckBrowseMode();
  if (FEof) return;
  DoBeforeScroll();
  if (FActiveValid) InternalSetToRecord(*FActive);
  // A failed move forward leaves the table past its last record, never also
  // before its first: both at once mean an empty table.
  if (GetRecord(*FActive, gmNext, false) == grOK) {
    FActiveValid = true;
    FBof = FEof = false;
  } else {
    FEof = true;
    FBof = false;
  }
  DoAfterScroll();
}

void TDataSet::Prior() {
  CheckBrowseMode();
  if (FBof) return;
  DoBeforeScroll();
  if (FActiveValid) InternalSetToRecord(*FActive);
  if (GetRecord(*FActive, gmPrior, false) == grOK) {
    FActiveValid = true;
    FBof = FEof = false;
  } else {
    FBof = true;
    FEof = false;
  }
  DoAfterScroll();
}

int TDataSet::MoveBy(int distance) {
  int moved = 0;
  for (; distance > 0 && !FEof; --distance) {
    Next();
    if (!FEof) ++moved;
  }
  for (; distance < 0 && !FBof; ++distance) {
    Prior();
    if (!FBof) --moved;
  }
  return moved;
}

void TDataSet::Insert() { BeginInsertAppend(false); }

void TDataSet::Append() { BeginInsertAppend(true); }

// An inserted record goes before the current one, an appended one after the
// last; either way the buffer starts empty in the insert state.
void TDataSet::BeginInsertAppend(bool append) {
  CheckBrowseMode();
  if (BeforeInsert) BeforeInsert(*this);
  DoBeforeScroll();
  if (append) InternalLast();
  else if (FActiveValid) InternalSetToRecord(*FActive);
  InitRecord(*FActive);
  SetBookmarkFlag(*FActive, append ? bfEOF : bfInserted);
  FActiveValid = true;
  FState = dsInsert;
  FModified = false;
  GetCalcFields(*FActive);
  if (OnNewRecord) OnNewRecord(*this);
  if (AfterInsert) AfterInsert(*this);
  DoAfterScroll();
}

void TDataSet::RunWithErrorHandler(const std::function<void()>& work, const TDataSetError& handler) {
  for (;;) {
    try {
      work();
      return;
    } catch (EDatabaseError& e) {
      TDataAction action = daFail;
      if (handler) handler(*this, e, action);
      if (action == daFail) throw;
      if (action == daAbort) Abort();
    }
  }
}

void TDataSet::Edit() {
  if (FState == dsEdit || FState == dsInsert) return;
  CheckActive();
  if (IsEmpty()) return Insert();
  if (BeforeEdit) BeforeEdit(*this);
  RunWithErrorHandler([this] { InternalSetToRecord(*FActive); }, OnEditError);
  FState = dsEdit;
  FModified = false;
  if (AfterEdit) AfterEdit(*this);
}

void TDataSet::Post() {
  if (FState != dsEdit && FState != dsInsert) return;
  if (BeforePost) BeforePost(*this);
  RunWithErrorHandler([this] { InternalPost(); }, OnPostError);
  FState = dsBrowse;
  FModified = false;
  for (auto& f : FFields) f->SetModified(false);
  Resync();
  if (AfterPost) AfterPost(*this);
}

void TDataSet::Cancel() {
  if (FState != dsEdit && FState != dsInsert && FState != dsSetKey) return;
  if (BeforeCancel) BeforeCancel(*this);
  InternalCancel();
  FState = dsBrowse;
  FModified = false;
  for (auto& f : FFields) f->SetModified(false);
  Resync();
  if (AfterCancel) AfterCancel(*this);
}

void TDataSet::Delete() {
  CheckActive();
  if (FState == dsInsert || FState == dsSetKey) return Cancel();
  if (IsEmpty()) DatabaseError("Cannot perform this operation on an empty dataset");
  if (FState == dsEdit) Cancel();
  if (BeforeDelete) BeforeDelete(*this);
  DoBeforeScroll();
  InternalSetToRecord(*FActive);
  RunWithErrorHandler([this] { InternalDelete(); }, OnDeleteError);
  FState = dsBrowse;
  Resync();
  if (AfterDelete) AfterDelete(*this);
  DoAfterScroll();
}

TBookmark TDataSet::GetBookmark() {
  if (!GetActive() || !FActiveValid) return TBookmark();
  return GetBookmarkData(*FActive);
}

void TDataSet::GotoBookmark(const TBookmark& bookmark) {
  if (bookmark.empty()) return;
  CheckBrowseMode();
  DoBeforeScroll();
  InternalGotoBookmark(bookmark);
  Resync();
  DoAfterScroll();
}

void TDataSet::SetFiltered(bool value) {
  if (GetActive()) CheckBrowseMode();
  if (FFiltered == value) return;
  FFiltered = value;
  if (GetActive()) First();
}

void TDataSet::SetOnFilterRecord(std::function<void(TDataSet&, bool&)> handler) {
  if (GetActive()) CheckBrowseMode();
  OnFilterRecord = std::move(handler);
  if (GetActive() && FFiltered) First();
}
