#include "ftp/FtpMisc.h"

#include <gtest/gtest.h>

namespace {

TEST(FtpMisc, DecodeURL) {
  struct Case { const char* in; std::string out; } cases[] = {
      {"a%20b", "a b"}, {"100%", "100%"}, {"%41%6a", "Aj"}, {"%zz", "zz"},
      {"%4z", std::string("\x04z")}, {"%%41", "%41"}, {"", ""}, {"%00", std::string(1, '\0')},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeURL(c.in), c.out) << c.in;
}

TEST(FtpMisc, EncodeComponentRoundTrips) {
  const std::string names[] = {"plain", "a b", "50%", "x@y", "a/b", "c:d", "#1?", "tab\tx",
                               std::string("nul\0x", 5), "\r\n", "caf\xe9"};
  for (const std::string& n : names) {
    std::string enc = EncodeURLComponent(n);
    EXPECT_EQ(enc.find_first_of("@/:#? \r\n\t"), std::string::npos) << enc;
    EXPECT_EQ(DecodeURL(enc), n);
  }
}

TEST(FtpMisc, MakeURL) {
  EXPECT_EQ(MakeURL("h", 21, "FTP", "x"), "ftp://h");
  EXPECT_EQ(MakeURL("h", 21, "Anonymous", "x"), "ftp://h");
  EXPECT_EQ(MakeURL("h", 2121, "bob", "pw"), "ftp://bob:pw@h:2121");
}

TEST(FtpMisc, ConvertServerPath) {
  struct Case { const char* in; const char* out; } cases[] = {
      {"C:\\pub\\x", "\\pub\\x"}, {"/C:/pub", "/pub"}, {"/pub/x", "/pub/x"}, {"pub\\x", "pub/x"},
      {"C:", ""}, {"/", "/"}, {"", ""}, {"/d:", ""},
  };
  for (const Case& c : cases) {
    std::string expect = c.out;
    for (char& ch : expect)
      if (ch == '\\') ch = '/';
    EXPECT_EQ(ConvertServerPath(c.in), expect) << c.in;
  }
}

TEST(FtpMisc, SanitizeCacheName) {
  EXPECT_EQ(SanitizeCacheName("/pub/a:b", '~'), "-pub-a~b");
  EXPECT_EQ(SanitizeCacheName("a\\b*c?d\"e<f>g|h\x01i", '~'), "a-b~c~d~e~f~g~h~i");
}

TEST(FtpMisc, DeviceNames) {
  for (const char* n : {"CON", "nul.txt", "com1", "LPT9.log", "aux"}) EXPECT_TRUE(IsDeviceName(n)) << n;
  for (const char* n : {"CONS", "com", "lpt10", "a.con", "null"}) EXPECT_FALSE(IsDeviceName(n)) << n;
}

TEST(FtpMisc, DateNumbers) {
  EXPECT_EQ(EncodeDateNumber(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDateNumber(2000, 1, 1), 36526);
  EXPECT_EQ(EncodeDateNumber(2000, 3, 1) - EncodeDateNumber(2000, 2, 28), 2);
  EXPECT_EQ(EncodeDateNumber(1900, 3, 1) - EncodeDateNumber(1900, 2, 28), 1);
  for (int d : {0, 1, 59, 60, 36526, 36585, 36586, 73050, 2958465}) {
    int y, m, day;
    DecodeDateNumber(d, y, m, day);
    EXPECT_EQ(EncodeDateNumber(y, m, day), d) << y << "-" << m << "-" << day;
  }
  EXPECT_EQ(CurrentYear2().size(), 2u);
}

TEST(FtpMisc, MatchMask) {
  struct Case { const char* mask; const char* name; bool match; } cases[] = {
      {"*.txt", "a.txt", true},   {"*.txt", "a.TXT", false}, {"a*", "a", false},
      {"a*", "ab", true},         {"a**", "ab", true},       {"*", "", false},
      {"*", "x", true},           {"?", "", false},          {"?b", "ab", true},
      {"a*b*c", "aXbYc", true},   {"a*b*c", "aXbY", false},  {"*a*a*a*b", "aaaaaaaaaaaaaaaaaaaa", false},
      {"abc", "abcd", false},     {"", "", true},            {"*.*", "readme", false},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchMask(c.mask, c.name), c.match) << c.mask << " " << c.name;
  EXPECT_TRUE(MatchMask("b*", "abc", true));
  EXPECT_FALSE(MatchMask("b*", "ac", true));
}

}  // namespace
