// Registry backend over advapi32: the real registry (Wine's under Linux).
#include <windows.h>

#include "platform/RegistryBackend.h"

namespace {

HKEY ToHKey(TRegKeyHandle h) { return reinterpret_cast<HKEY>(h); }
TRegKeyHandle FromHKey(HKEY k) { return reinterpret_cast<TRegKeyHandle>(k); }

bool IsPredefined(HKEY k) {
  return k == HKEY_CLASSES_ROOT || k == HKEY_CURRENT_USER || k == HKEY_LOCAL_MACHINE ||
         k == HKEY_USERS || k == HKEY_CURRENT_CONFIG || k == HKEY_DYN_DATA;
}

class TWinRegistry final : public TRegistryBackend {
public:
  TRegKeyHandle RootKey(TRegRootKey root) override {
    switch (root) {
      case rkClassesRoot: return FromHKey(HKEY_CLASSES_ROOT);
      case rkCurrentUser: return FromHKey(HKEY_CURRENT_USER);
      case rkLocalMachine: return FromHKey(HKEY_LOCAL_MACHINE);
      case rkUsers: return FromHKey(HKEY_USERS);
      case rkCurrentConfig: return FromHKey(HKEY_CURRENT_CONFIG);
      case rkDynData: return FromHKey(HKEY_DYN_DATA);
    }
    return 0;
  }

  bool OpenKey(TRegKeyHandle parent, const std::string& subKey, bool create, bool writeAccess,
               TRegKeyHandle& result) override {
    REGSAM access = writeAccess ? KEY_ALL_ACCESS : KEY_READ;
    HKEY key = nullptr;
    LONG rc;
    if (create)
      rc = RegCreateKeyExA(ToHKey(parent), subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           access, nullptr, &key, nullptr);
    else
      rc = RegOpenKeyExA(ToHKey(parent), subKey.c_str(), 0, access, &key);
    result = rc == ERROR_SUCCESS ? FromHKey(key) : 0;
    return rc == ERROR_SUCCESS;
  }

  void CloseKey(TRegKeyHandle key) override {
    HKEY k = ToHKey(key);
    if (k && !IsPredefined(k)) RegCloseKey(k);
  }

  bool DeleteKey(TRegKeyHandle parent, const std::string& subKey) override {
    return RegDeleteKeyA(ToHKey(parent), subKey.c_str()) == ERROR_SUCCESS;
  }

  bool EnumKeys(TRegKeyHandle key, std::vector<std::string>& names) override {
    names.clear();
    DWORD count = 0, maxLen = 0;
    if (RegQueryInfoKeyA(ToHKey(key), nullptr, nullptr, nullptr, &count, &maxLen, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      return false;
    std::string buf(maxLen + 2, '\0');
    for (DWORD i = 0; i < count; ++i) {
      DWORD len = static_cast<DWORD>(buf.size());
      if (RegEnumKeyExA(ToHKey(key), i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr) ==
          ERROR_SUCCESS)
        names.emplace_back(buf.data(), len);
    }
    return true;
  }

  bool EnumValues(TRegKeyHandle key, std::vector<std::string>& names) override {
    names.clear();
    DWORD count = 0, maxLen = 0;
    if (RegQueryInfoKeyA(ToHKey(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &maxLen, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      return false;
    std::string buf(maxLen + 2, '\0');
    for (DWORD i = 0; i < count; ++i) {
      DWORD len = static_cast<DWORD>(buf.size());
      if (RegEnumValueA(ToHKey(key), i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr) ==
          ERROR_SUCCESS)
        names.emplace_back(buf.data(), len);
    }
    return true;
  }

  bool QueryValue(TRegKeyHandle key, const std::string& name, uint32_t& type,
                  std::string& data) override {
    // Most settings are short: the first call with a small buffer reads
    // them; a longer value reports its size, and it may grow between two
    // calls, so the read is tried again while it does.
    DWORD size = 256;
    for (int attempt = 0; attempt < 5; ++attempt) {
      data.assign(size, '\0');
      DWORD got = size, t = 0;
      LONG rc = RegQueryValueExA(ToHKey(key), name.c_str(), nullptr, &t,
                                 reinterpret_cast<BYTE*>(data.data()), &got);
      if (rc == ERROR_SUCCESS) {
        data.resize(got);
        type = t;
        return true;
      }
      if (rc != ERROR_MORE_DATA) return false;
      size = got;
    }
    return false;
  }

  bool SetValue(TRegKeyHandle key, const std::string& name, uint32_t type,
                const std::string& data) override {
    return RegSetValueExA(ToHKey(key), name.c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
  }

  bool DeleteValue(TRegKeyHandle key, const std::string& name) override {
    return RegDeleteValueA(ToHKey(key), name.c_str()) == ERROR_SUCCESS;
  }
};

}  // namespace

TRegistryBackend& GetRegistryBackend() {
  static TWinRegistry backend;
  return backend;
}
