// TRegistry: the program's access to its settings in the registry, over the
// backend linked in (the real registry under Windows, an in-memory one
// natively). Keys are paths with '\' separators; a key starting with '\' is
// taken from the root, any other from the current key.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Classes.h"
#include "platform/RegistryBackend.h"

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
  TRegDataType RegData = rdUnknown;
  int DataSize = 0;
};

class TRegistry : public TObject {
public:
  TRegistry();  // root: current user
  ~TRegistry() override;
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  TRegRootKey GetRootKey() const { return FRootKey; }
  void SetRootKey(TRegRootKey root);  // closes the current key
  bool HasCurrentKey() const { return FCurrentKey != 0; }
  const std::string& GetCurrentPath() const { return FCurrentPath; }

  bool OpenKey(const std::string& key, bool canCreate);
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  bool CreateKey(const std::string& key);
  // Deletes key with all its subkeys.
  bool DeleteKey(const std::string& key);
  bool KeyExists(const std::string& key);
  bool HasSubKeys();

  bool ValueExists(const std::string& name);
  bool DeleteValue(const std::string& name);
  void GetKeyNames(TStrings* strings);
  void GetValueNames(TStrings* strings);
  bool GetDataInfo(const std::string& name, TRegDataInfo& info);
  TRegDataType GetDataType(const std::string& name);
  int GetDataSize(const std::string& name);  // -1 when absent

  // A value as text in one query: strings as they are, 32-bit integers in
  // decimal. False (text untouched) when the value is absent or of another type.
  bool ReadValueText(const std::string& name, std::string& text);
  // Readers raise ERegistryException: "Invalid data type for '%s'" for a value
  // of another type, "Failed to get data for '%s'" when it cannot be read.
  // ReadString of an absent value returns "".
  std::string ReadString(const std::string& name);
  int ReadInteger(const std::string& name);
  bool ReadBool(const std::string& name);
  // Returns the size read; raises when the value is not binary or too big.
  int ReadBinaryData(const std::string& name, void* buffer, int bufSize);
  // Writers raise ERegistryException "Failed to set data for '%s'".
  void WriteString(const std::string& name, const std::string& value);
  void WriteExpandString(const std::string& name, const std::string& value);
  void WriteInteger(const std::string& name, int value);
  void WriteBool(const std::string& name, bool value);
  void WriteBinaryData(const std::string& name, const void* buffer, int bufSize);

protected:
  TRegKeyHandle GetBaseKey(bool relative);
  void ChangeKey(TRegKeyHandle key, const std::string& path);
  bool OpenKeyAccess(const std::string& key, bool canCreate, bool writeAccess);

private:
  TRegistryBackend& FBackend;
  TRegRootKey FRootKey = rkCurrentUser;
  TRegKeyHandle FCurrentKey = 0;
  std::string FCurrentPath;
};

// The program's own key below the current user, "\Software\Tarnquill": the
// settings, the file types and the per-document records all live under it.
// Tests move it to a key of their own.
const std::string& ProgramRegistryKey();
void SetProgramRegistryKey(const std::string& key);
