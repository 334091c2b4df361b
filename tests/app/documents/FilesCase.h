// A test case on a program key of its own with the default file types and a
// temporary folder of its own, whose files it deletes at the end.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../AppRegistryKey.h"
#include "app/settings/FileTypes.h"
#include "platform/Streams.h"
#include "platform/SysUtils.h"

class TFilesCase : public TAppKeyCase {
protected:
  // prefix: the start of the folder's name, before the test's name.
  explicit TFilesCase(const std::string& prefix) {
    SetDefaultFileTypes();
    Dir = ::testing::TempDir() + prefix + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    CreateDir(Dir);
    Dir += PathDelim;
  }
  ~TFilesCase() override {
    for (const std::string& f : Files) FileDelete(f);
    RemoveDir(ExcludeTrailingPathDelimiter(Dir));
    ClearFileTypes();
  }

  std::string Write(const std::string& name, const std::string& data) {
    const std::string path = Dir + name;
    TFileStream out(path, fmCreate);
    out.WriteBuffer(data.data(), int64_t(data.size()));
    Files.push_back(path);
    return path;
  }
  static std::string Read(const std::string& path) {
    TFileStream in(path, fmOpenRead | fmShareDenyNone);
    return in.ReadRemaining();
  }

  std::string Dir;
  std::vector<std::string> Files;
};
