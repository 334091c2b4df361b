// TVersionInfo over version.dll.
#include "kit/win/VerInfo.h"

#include <windows.h>

TVersionInfo::TVersionInfo(const std::string& fileName) : FFileName(fileName) {
  DWORD handle = 0;
  DWORD size = ::GetFileVersionInfoSizeA(fileName.c_str(), &handle);
  if (size == 0) return;
  FData.resize(size);
  if (!::GetFileVersionInfoA(fileName.c_str(), 0, size, FData.data())) FData.clear();
}

void TVersionInfo::GetFileLongVersion(uint32_t& ms, uint32_t& ls) const {
  ms = ls = 0;
  if (FData.empty()) return;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT len = 0;
  if (::VerQueryValueA(const_cast<char*>(FData.data()), "\\", reinterpret_cast<void**>(&info), &len) && info &&
      len >= sizeof(VS_FIXEDFILEINFO)) {
    ms = info->dwFileVersionMS;
    ls = info->dwFileVersionLS;
  }
}
