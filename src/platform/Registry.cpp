// TRegistry: key paths, current key and typed values over the linked backend.
#include "platform/Registry.h"

#include <cstring>

namespace {
bool IsRelative(const std::string& key) { return key.empty() || key[0] != '\\'; }

TRegDataType DataTypeToRegData(uint32_t type) {
  switch (type) {
    case regSz: return rdString;
    case regExpandSz: return rdExpandString;
    case regDword: return rdInteger;
    case regBinary: return rdBinary;
    default: return rdUnknown;
  }
}

[[noreturn]] void ReadError(const std::string& name) {
  throw ERegistryException("Invalid data type for '" + name + "'");
}
[[noreturn]] void GetDataError(const std::string& name) {
  throw ERegistryException("Failed to get data for '" + name + "'");
}
}  // namespace

TRegistry::TRegistry() : FBackend(GetRegistryBackend()) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(TRegRootKey root) {
  if (root == FRootKey) return;
  CloseKey();
  FRootKey = root;
}

void TRegistry::CloseKey() {
  if (FCurrentKey != 0) FBackend.CloseKey(FCurrentKey);
  FCurrentKey = 0;
  FCurrentPath.clear();
}

TRegKeyHandle TRegistry::GetBaseKey(bool relative) {
  return (FCurrentKey == 0 || !relative) ? FBackend.RootKey(FRootKey) : FCurrentKey;
}

void TRegistry::ChangeKey(TRegKeyHandle key, const std::string& path) {
  CloseKey();
  FCurrentKey = key;
  FCurrentPath = path;
}

bool TRegistry::OpenKeyAccess(const std::string& key, bool canCreate, bool writeAccess) {
  std::string s = key;
  bool relative = IsRelative(s);
  if (!relative) s.erase(0, 1);
  TRegKeyHandle opened = 0;
  bool ok = FBackend.OpenKey(GetBaseKey(relative), s, canCreate && !s.empty(), writeAccess, opened);
  if (!ok) return false;
  if (FCurrentKey != 0 && relative) s = FCurrentPath + "\\" + s;
  ChangeKey(opened, s);
  return true;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  return OpenKeyAccess(key, canCreate, true);
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) { return OpenKeyAccess(key, false, false); }

bool TRegistry::CreateKey(const std::string& key) {
  std::string s = key;
  bool relative = IsRelative(s);
  if (!relative) s.erase(0, 1);
  TRegKeyHandle created = 0;
  if (!FBackend.OpenKey(GetBaseKey(relative), s, true, true, created))
    throw ERegistryException("Failed to create key " + key);
  FBackend.CloseKey(created);
  return true;
}

bool TRegistry::KeyExists(const std::string& key) {
  std::string s = key;
  bool relative = IsRelative(s);
  if (!relative) s.erase(0, 1);
  TRegKeyHandle k = 0;
  if (!FBackend.OpenKey(GetBaseKey(relative), s, false, false, k)) return false;
  FBackend.CloseKey(k);
  return true;
}

namespace {
// The store refuses to delete a key that still has subkeys: empty it first.
void DeleteSubKeys(TRegistryBackend& backend, TRegKeyHandle key) {
  std::vector<std::string> names;
  if (!backend.EnumKeys(key, names)) return;
  for (auto it = names.rbegin(); it != names.rend(); ++it) {
    TRegKeyHandle sub = 0;
    if (backend.OpenKey(key, *it, false, true, sub)) {
      DeleteSubKeys(backend, sub);
      backend.CloseKey(sub);
    }
    backend.DeleteKey(key, *it);
  }
}
}  // namespace

bool TRegistry::DeleteKey(const std::string& key) {
  std::string s = key;
  bool relative = IsRelative(s);
  if (!relative) s.erase(0, 1);
  TRegKeyHandle base = GetBaseKey(relative);
  TRegKeyHandle target = 0;
  if (FBackend.OpenKey(base, s, false, true, target)) {
    DeleteSubKeys(FBackend, target);
    FBackend.CloseKey(target);
  }
  return FBackend.DeleteKey(base, s);
}

bool TRegistry::HasSubKeys() {
  std::vector<std::string> names;
  return FCurrentKey != 0 && FBackend.EnumKeys(FCurrentKey, names) && !names.empty();
}

bool TRegistry::GetDataInfo(const std::string& name, TRegDataInfo& info) {
  uint32_t type = 0;
  std::string data;
  info = TRegDataInfo();
  if (FCurrentKey == 0 || !FBackend.QueryValue(FCurrentKey, name, type, data)) return false;
  info.RegData = DataTypeToRegData(type);
  info.DataSize = static_cast<int>(data.size());
  return true;
}

bool TRegistry::ReadValueText(const std::string& name, std::string& text) {
  uint32_t type = 0;
  std::string data;
  if (FCurrentKey == 0 || !FBackend.QueryValue(FCurrentKey, name, type, data)) return false;
  if (type == regSz || type == regExpandSz) {
    size_t nul = data.find('\0');
    if (nul != std::string::npos) data.resize(nul);
    text = std::move(data);
    return true;
  }
  if (type == regDword && data.size() == 4) {
    int32_t v;
    std::memcpy(&v, data.data(), 4);
    text = IntToStr(v);
    return true;
  }
  return false;
}

bool TRegistry::ValueExists(const std::string& name) {
  TRegDataInfo info;
  return GetDataInfo(name, info);
}

TRegDataType TRegistry::GetDataType(const std::string& name) {
  TRegDataInfo info;
  return GetDataInfo(name, info) ? info.RegData : rdUnknown;
}

int TRegistry::GetDataSize(const std::string& name) {
  TRegDataInfo info;
  return GetDataInfo(name, info) ? info.DataSize : -1;
}

bool TRegistry::DeleteValue(const std::string& name) {
  return FCurrentKey != 0 && FBackend.DeleteValue(FCurrentKey, name);
}

void TRegistry::GetKeyNames(TStrings* strings) {
  strings->BeginUpdate();
  try {
    strings->Clear();
    std::vector<std::string> names;
    if (FCurrentKey != 0 && FBackend.EnumKeys(FCurrentKey, names))
      for (const std::string& n : names) strings->Add(n);
  } catch (...) {
    strings->EndUpdate();
    throw;
  }
  strings->EndUpdate();
}

void TRegistry::GetValueNames(TStrings* strings) {
  strings->BeginUpdate();
  try {
    strings->Clear();
    std::vector<std::string> names;
    if (FCurrentKey != 0 && FBackend.EnumValues(FCurrentKey, names))
      for (const std::string& n : names) strings->Add(n);
  } catch (...) {
    strings->EndUpdate();
    throw;
  }
  strings->EndUpdate();
}

std::string TRegistry::ReadString(const std::string& name) {
  uint32_t type = 0;
  std::string data;
  if (FCurrentKey == 0 || !FBackend.QueryValue(FCurrentKey, name, type, data)) return std::string();
  if (data.empty()) return std::string();  // an empty value of any type reads as ""
  if (type != regSz && type != regExpandSz) ReadError(name);
  // The stored text ends at its terminating NUL.
  size_t nul = data.find('\0');
  if (nul != std::string::npos) data.resize(nul);
  return data;
}

int TRegistry::ReadInteger(const std::string& name) {
  uint32_t type = 0;
  std::string data;
  if (FCurrentKey == 0 || !FBackend.QueryValue(FCurrentKey, name, type, data)) GetDataError(name);
  if (data.size() > 4) GetDataError(name);  // more than the integer's room
  if (type != regDword) ReadError(name);
  uint32_t v = 0;
  for (size_t i = 0; i < data.size(); ++i) v |= uint32_t(static_cast<unsigned char>(data[i])) << (8 * i);
  return static_cast<int>(v);
}

bool TRegistry::ReadBool(const std::string& name) { return ReadInteger(name) != 0; }

int TRegistry::ReadBinaryData(const std::string& name, void* buffer, int bufSize) {
  uint32_t type = 0;
  std::string data;
  if (FCurrentKey == 0 || !FBackend.QueryValue(FCurrentKey, name, type, data)) return 0;
  int size = static_cast<int>(data.size());
  TRegDataType regData = DataTypeToRegData(type);
  if ((regData != rdBinary && regData != rdUnknown) || size > bufSize) ReadError(name);
  if (size > 0) std::memcpy(buffer, data.data(), static_cast<size_t>(size));
  return size;
}

namespace {
void PutData(TRegistryBackend& backend, TRegKeyHandle key, const std::string& name, uint32_t type,
             const std::string& data) {
  if (key == 0 || !backend.SetValue(key, name, type, data))
    throw ERegistryException("Failed to set data for '" + name + "'");
}
}  // namespace

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  std::string data = value;
  data.push_back('\0');
  PutData(FBackend, FCurrentKey, name, regSz, data);
}

void TRegistry::WriteExpandString(const std::string& name, const std::string& value) {
  std::string data = value;
  data.push_back('\0');
  PutData(FBackend, FCurrentKey, name, regExpandSz, data);
}

void TRegistry::WriteInteger(const std::string& name, int value) {
  uint32_t v = static_cast<uint32_t>(value);
  char bytes[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
  PutData(FBackend, FCurrentKey, name, regDword, std::string(bytes, 4));
}

void TRegistry::WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

void TRegistry::WriteBinaryData(const std::string& name, const void* buffer, int bufSize) {
  std::string data(static_cast<const char*>(buffer), static_cast<size_t>(bufSize > 0 ? bufSize : 0));
  PutData(FBackend, FCurrentKey, name, regBinary, data);
}

namespace {
std::string& ProgramKeySetting() {
  static std::string key = "\\Software\\Tarnquill";
  return key;
}
}  // namespace

const std::string& ProgramRegistryKey() { return ProgramKeySetting(); }
void SetProgramRegistryKey(const std::string& key) { ProgramKeySetting() = key; }
