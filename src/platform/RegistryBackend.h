// The registry store behind TRegistry. tq_platform only declares it: the
// advapi32 implementation (src/platform/win/) or the in-memory one
// (src/platform/native/) is linked in and returned by GetRegistryBackend().
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum TRegRootKey {
  rkClassesRoot, rkCurrentUser, rkLocalMachine, rkUsers, rkCurrentConfig, rkDynData
};

// The registry's own value types (REG_SZ = 1, REG_EXPAND_SZ = 2, REG_BINARY =
// 3, REG_DWORD = 4, ...), so both backends store the same numbers.
enum : uint32_t {
  regNone = 0, regSz = 1, regExpandSz = 2, regBinary = 3, regDword = 4, regMultiSz = 7
};

// An open key; 0 is no key. Roots have fixed handles from RootKey().
using TRegKeyHandle = uintptr_t;

class TRegistryBackend {
public:
  virtual ~TRegistryBackend() = default;

  virtual TRegKeyHandle RootKey(TRegRootKey root) = 0;
  // Opens (or with create, creates) subKey below parent; subKey may hold
  // several levels separated by '\'. Empty subKey opens parent again.
  virtual bool OpenKey(TRegKeyHandle parent, const std::string& subKey, bool create,
                       bool writeAccess, TRegKeyHandle& result) = 0;
  virtual void CloseKey(TRegKeyHandle key) = 0;
  // Deletes one key that has no subkeys.
  virtual bool DeleteKey(TRegKeyHandle parent, const std::string& subKey) = 0;
  // Names in the order the store enumerates them.
  virtual bool EnumKeys(TRegKeyHandle key, std::vector<std::string>& names) = 0;
  virtual bool EnumValues(TRegKeyHandle key, std::vector<std::string>& names) = 0;
  // False when the value is absent. data receives the raw bytes.
  virtual bool QueryValue(TRegKeyHandle key, const std::string& name, uint32_t& type,
                          std::string& data) = 0;
  virtual bool SetValue(TRegKeyHandle key, const std::string& name, uint32_t type,
                        const std::string& data) = 0;
  virtual bool DeleteValue(TRegKeyHandle key, const std::string& name) = 0;
};

// Provided by the linked backend library.
TRegistryBackend& GetRegistryBackend();
