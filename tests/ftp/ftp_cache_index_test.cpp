#include "ftp/FtpCache.h"
#include "ftp/FtpIndex.h"
#include "ftp/FtpMisc.h"

#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class FtpCacheTest : public testing::Test {
protected:
  void SetUp() override {
    root = fs::temp_directory_path() /
           ("tq_ftpcache_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root);
    fs::create_directories(root);
    TFtpSystem sys;
    sys.WindowsDir = root.string();
    InstallFtpSystem(sys);
    PrepareCacheDir();
  }
  void TearDown() override { fs::remove_all(root); }
  fs::path root;
};

TEST_F(FtpCacheTest, FolderAndNames) {
  EXPECT_TRUE(fs::is_directory(root / "ftpcache"));
  EXPECT_GT(CacheToday(), 20000101);
  std::string dir = CacheDir();
  EXPECT_EQ(CacheFileName("ftp.example", "anonymous", "/pub", true, 21),
            dir + "ftp.example[21]--pub.cached.ELP");
  EXPECT_EQ(CacheFileName("h", "FTP", "/", false, 2121), dir + "h[2121]--.cachef.ELP");
  EXPECT_EQ(CacheFileName("h", "bob", "/a:b?", true, 21), dir + "h[21]-(bob)--a~b~.cached.ELP");
  // Long paths are cut and told apart by a hash of the whole.
  std::string longA = "/" + std::string(400, 'x') + "a", longB = "/" + std::string(400, 'x') + "b";
  std::string a = CacheFileName("h", "ftp", longA, true, 21);
  std::string b = CacheFileName("h", "ftp", longB, true, 21);
  EXPECT_NE(a, b);
  EXPECT_LE(a.size() - dir.size(), 200u);
  PrepareCacheDir();  // an existing folder is kept
  EXPECT_TRUE(fs::is_directory(root / "ftpcache"));
}

TEST_F(FtpCacheTest, RoundTripSkipsLineBreaksAndKeepsOrder) {
  TMFtpFileInfoList list, back;
  list.AddEntry("pub", "drwxr-xr-x", "1/2/03 4:05", "4096", "", "Public", "root", "wheel");
  list.AddEntry("bad\nname", "", "", "", "", "", "", "");
  list.AddEntry("link", "lrwx", "", "7", "target", "", "", "");
  list.AddEntry("", "", "", "", "", "d\rx", "", "");
  std::string file = CacheFileName("h", "ftp", "/", true, 21);
  SaveCacheFile(file, list);
  ASSERT_TRUE(LoadCacheFile(file, back));
  ASSERT_EQ(back.GetCount(), 2);
  MFtpFileInfo a, b;
  list.GetEntry(0, a);
  back.GetEntry(0, b);
  EXPECT_EQ(std::tie(a.FileName, a.Attrib, a.Date, a.Size, a.SymbolLink, a.Description, a.Owner, a.Group),
            std::tie(b.FileName, b.Attrib, b.Date, b.Size, b.SymbolLink, b.Description, b.Owner, b.Group));
  EXPECT_EQ(back.Name(1), "link");
  EXPECT_EQ(back.GetColumn(1, fcLink), "target");
  std::ifstream in(file, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(text.substr(0, 3 + 5 + 12), "2\r\npub\r\ndrwxr-xr-x\r\n");
}

TEST_F(FtpCacheTest, ReaderTakesOnlyCompleteEntriesAndFailuresAreQuiet) {
  std::string file = (root / "t.ELP").string();
  auto write = [&](const std::string& text) { std::ofstream(file, std::ios::binary) << text; };
  TMFtpFileInfoList list;
  write("3\r\na\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\nb\r\nx\r\n");
  ASSERT_TRUE(LoadCacheFile(file, list));
  EXPECT_EQ(list.GetCount(), 1);
  write("0\r\na\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
  ASSERT_TRUE(LoadCacheFile(file, list));
  EXPECT_EQ(list.GetCount(), 0);
  for (const char* bad : {"", "x\r\n", "-1\r\n"}) {
    write(bad);
    EXPECT_FALSE(LoadCacheFile(file, list)) << bad;
  }
  EXPECT_FALSE(LoadCacheFile((root / "missing").string(), list));
  // A folder in the way of the file: nothing written, nothing thrown.
  std::string blocked = (root / "blocked").string();
  fs::create_directories(blocked);
  EXPECT_NO_THROW(SaveCacheFile(blocked, list));
  EXPECT_TRUE(fs::is_directory(blocked));
}

struct IndexCase {
  const char* name;
  std::vector<std::string> lines;
  std::vector<std::pair<std::string, std::string>> files, dirs;  // name, description
};

TEST(FtpIndex, Layouts) {
  std::string rule78(78, '-'), stars78(78, '*');
  std::vector<std::string> winsite(22, "header");
  winsite[1] = "** WinSite (tm):  The Planet's Largest Software Archive for Windows";
  winsite.insert(winsite.end(), {"tool.zip     whatever", "  A tool  ", stars78, "docs", "no"});
  std::vector<std::string> simtel(9, "hdr");
  simtel[1] = "Some files may have been added or deleted since that date.  See";
  simtel.push_back("tool.zip     B    1234  960101  " "   Simtel tool");
  simtel.push_back("short");
  std::vector<IndexCase> cases = {
      {"keeper", {"# do not edit by hand! Keeper of the list", "tool.zip ignored", rule78,
                  "docs/ Documentation", "tool.zip   A tool ", "", "lonely"},
       {{"tool.zip", "A tool"}, {"docs", ""}}, {{"docs", "Documentation"}, {"tool.zip", ""}}},
      {"simtel", simtel, {{"tool.zip", "Simtel tool"}}, {}},
      {"winsite", winsite, {{"tool.zip", "A tool"}, {"docs", ""}}, {}},
      {"dos", {"a", "b", "File     Ext     Size   Date     Time   Description", "----",
               "TOOL     ZIP     1234   01-01-96 12:00  Dos tool", "X"},
       {{"tool.zip", "Dos tool"}}, {}},
      {"plain", {"tool.zip  A tool", "\"docs dir\" Quoted", "nosep", ""},
       {{"tool.zip", "A tool"}}, {{"docs dir", "Quoted"}}},
      {"one line", {"docs Documentation"}, {}, {{"docs", "Documentation"}}},
  };
  for (const IndexCase& c : cases) {
    TMFtpFileInfoList dirs, files;
    files.AddEntry("tool.zip", "", "", "", "", "old", "", "");
    files.AddEntry("docs", "", "", "", "", "old", "", "");
    dirs.AddEntry("docs", "", "", "", "", "old", "", "");
    dirs.AddEntry("docs dir", "", "", "", "", "", "", "");
    dirs.AddEntry("tool.zip", "", "", "", "", "", "", "");
    ParseIndexLines(c.lines, dirs, files);
    for (auto& [name, text] : c.files)
      EXPECT_EQ(files.GetColumn(files.IndexOfName(name), fcDescription), text) << c.name << " " << name;
    for (auto& [name, text] : c.dirs)
      EXPECT_EQ(dirs.GetColumn(dirs.IndexOfName(name), fcDescription), text) << c.name << " " << name;
  }
}

// An index file read from disk ends its lines as the string lists do: a lone
// CR ends a line like LF and CR LF.
TEST(FtpIndex, FileLinesEndAtCrLfLfOrCr) {
  struct Case { const char* name; std::string text; } cases[] = {
      {"CR", "a.txt first\rb.txt second\r"},
      {"LF", "a.txt first\nb.txt second\n"},
      {"CR LF", "a.txt first\r\nb.txt second"},
      {"mixed", "a.txt first\r\rb.txt second\n"},
  };
  std::string path = (std::filesystem::temp_directory_path() / "tq_ftp_index_lines.txt").string();
  for (const Case& c : cases) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << c.text;
    TMFtpFileInfoList dirs, files;
    files.AddEntry("a.txt", "", "", "", "", "", "", "");
    files.AddEntry("b.txt", "", "", "", "", "", "", "");
    ASSERT_TRUE(ParseIndexFile(path, dirs, files)) << c.name;
    EXPECT_EQ(files.GetColumn(0, fcDescription), "first") << c.name;
    EXPECT_EQ(files.GetColumn(1, fcDescription), "second") << c.name;
  }
  std::filesystem::remove(path);
}

TEST(FtpIndex, MissingFileIsReported) {
  TMFtpFileInfoList dirs, files;
  EXPECT_FALSE(ParseIndexFile("/nonexistent/00index.txt", dirs, files));
}

}  // namespace
