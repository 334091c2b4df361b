// Our portable TIniFile against the system's own profile API on the same
// files: whatever one reads, the other must read too.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/IniFiles.h"
#include "platform/Streams.h"

namespace {

std::string ApiRead(const std::string& file, const char* section, const char* ident) {
  char buf[4096];
  DWORD n = GetPrivateProfileStringA(section, ident, "<def>", buf, sizeof buf, file.c_str());
  return std::string(buf, n);
}

// The API's lists come back as NUL-separated names.
std::vector<std::string> ApiList(const std::string& file, const char* section) {
  char buf[8192];
  DWORD n = GetPrivateProfileStringA(section, nullptr, "", buf, sizeof buf, file.c_str());
  std::vector<std::string> out;
  for (DWORD i = 0; i < n;) {
    std::string s(buf + i);
    out.push_back(s);
    i += static_cast<DWORD>(s.size()) + 1;
  }
  return out;
}

std::vector<std::string> Items(const TStrings& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.GetCount(); ++i) out.push_back(list.Get(i));
  return out;
}

class IniFileApiTest : public ::testing::Test {
protected:
  void SetUp() override {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    Name = std::string(dir) + "registry_inifile_api_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
    DeleteFileA(Name.c_str());
  }
  void TearDown() override {
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, Name.c_str());  // drop the API's cache
    DeleteFileA(Name.c_str());
  }
  void Write(const std::string& text) {
    TFileStream f(Name, fmCreate);
    f.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
  }
  std::string Name;
};

TEST_F(IniFileApiTest, ReadsAgreeWithTheProfileApi) {
  Write("; top\r\n[Sec]\r\n  Key1 = value one  \r\nkey1=second\r\n;c=x\r\nq1=\"quoted\"\r\n"
        "q2='single'\r\nq3=\"mixed'\r\nq4=\"\"twice\"\"\r\nnoeq\r\n  \r\n[sec]\r\nk2=dup\r\n"
        "[Other]  \r\n a=1\r\n[ Spaced ]\r\nb=2\r\nlast=end\r\n[\xC9t\xE9]\r\nu=\xE9\r\n");
  TIniFile ini(Name);
  const char* const sections[] = {"Sec",      "SEC",        "sec",        "Other", "Spaced",
                                  " Spaced ", "\xC9t\xE9", "\xE9T\xC9", "Missing"};
  const char* const idents[] = {"Key1", "KEY1", "k2", ";c", "q1", "q2", "q3", "q4", "noeq", "a",
                                "b", "last", "u", "missing"};
  for (const char* s : sections)
    for (const char* k : idents)
      EXPECT_EQ(ini.ReadString(s, k, "<def>"), ApiRead(Name, s, k)) << s << "/" << k;

  TStringList list;
  for (const char* s : sections) {
    // The API's key listing, unlike its lookups, does not trim the section
    // name it is given; we trim for both.
    if (s[0] == ' ') continue;
    ini.ReadSection(s, &list);
    std::vector<std::string> api = ApiList(Name, s);
    if (list.GetCount() == 0) continue;  // the API answers an empty list with its default
    EXPECT_EQ(Items(list), api) << s;
  }
  ini.ReadSections(&list);
  EXPECT_EQ(Items(list), ApiList(Name, nullptr));
}

TEST_F(IniFileApiTest, WhatWeWriteTheApiReads) {
  Write("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
  TIniFile ini(Name);
  ini.WriteString("a", "X", "changed");
  ini.WriteString("A", "new", "  padded  ");
  ini.WriteString("C", "z", "'quoted'");
  ini.DeleteKey("B", "y");
  EXPECT_EQ(ApiRead(Name, "A", "x"), "changed");
  EXPECT_EQ(ApiRead(Name, "A", "new"), "padded");
  EXPECT_EQ(ApiRead(Name, "C", "z"), "quoted");
  EXPECT_EQ(ApiRead(Name, "B", "y"), "<def>");
  EXPECT_EQ(ini.ReadString("A", "new", ""), "padded");
}

}  // namespace
