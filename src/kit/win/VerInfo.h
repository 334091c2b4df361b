// TVersionInfo reads the version resource of an executable file: the file
// version the about text, the installer and the registry record show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Classes.h"

class TVersionInfo : public TObject {
public:
  explicit TVersionInfo(const std::string& fileName);

  const std::string& GetFileName() const { return FFileName; }
  // True when the file has a version resource that could be read.
  bool GetValid() const { return !FData.empty(); }
  // The fixed file information's version as two 32-bit words (most and
  // least significant); 0 and 0 without a version resource.
  void GetFileLongVersion(uint32_t& ms, uint32_t& ls) const;

private:
  std::string FFileName;
  std::vector<char> FData;
};
