// The open dialog's rules, and its listing and search on real folders made
// by the fixture step (make_filedlg_fixture.sh).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/documents/FileDlgRules.h"
#include "kit/RxMemDS.h"
#include "platform/SysUtils.h"

namespace {

// The fixture folder in this world's spelling, with a separator.
std::string Fixture(const std::string& sub) {
  std::string path = std::string(TQ_FILEDLG_FIXTURE) + "/" + sub + "/";
#ifdef _WIN32
  std::replace(path.begin(), path.end(), '/', '\\');
  path = "Z:" + path;
#endif
  return path;
}

TEST(FileDlgRulesTest, NamesSizesAndClicks) {
  struct {
    const char* file;
    const char* name;
    const char* ext;
  } splits[] = {{"a.b.txt", "a.b", "txt"}, {"README", "README", ""}, {"Foo.TXT", "Foo", "txt"},
                {".hidden", "", "hidden"}, {"x.", "x", ""}};
  for (const auto& c : splits) {
    const TFileNameSplit s = SplitListedName(c.file);
    EXPECT_EQ(s.Name, c.name) << c.file;
    EXPECT_EQ(s.Ext, c.ext) << c.file;
  }
  struct {
    int64_t size;
    const char* text;
  } sizes[] = {{0, "0"},           {999, "999"},           {1000, "1000"},          {1001, "1`001"},
               {999999, "999`999"}, {1000000, "1000`000"}, {1000001, "1`000`001"}, {1234567, "1`234`567"},
               {3221225472LL, "3221`225`472"}};
  for (const auto& c : sizes) EXPECT_EQ(FileSizeText(c.size), c.text) << c.size;

  TFileSortState s{fsName, false};
  s = ColumnClickSort(s, fsSize);  // another column keeps the direction
  EXPECT_EQ(s.SortBy, fsSize);
  EXPECT_FALSE(s.Descending);
  s = ColumnClickSort(s, fsSize);  // the same column turns it round
  EXPECT_TRUE(s.Descending);
  s = ColumnClickSort(s, fsDate);
  EXPECT_EQ(s.SortBy, fsDate);
  EXPECT_TRUE(s.Descending);
  EXPECT_STREQ(SortFieldName(7), "Ext");

  EXPECT_TRUE(PrefixMatch("Alphabet.pas", "ALPHA"));
  EXPECT_TRUE(PrefixMatch("x", ""));
  EXPECT_FALSE(PrefixMatch("al", "alpha"));
  EXPECT_FALSE(PrefixMatch("beta", "alpha"));
}

TEST(FileDlgRulesTest, TypedNamesAndTheChosenPath) {
  struct {
    const char* text;
    bool moves;
    const char* folder;
    const char* name;
  } cases[] = {{"notes.txt", false, "", "notes.txt"},
               {"c:\\src\\notes.txt", true, "c:\\src\\", "notes.txt"},
               {"D:", true, "D:\\", ""},
               {"\\\\server\\share\\a.txt", true, "\\\\server\\share\\", "a.txt"},
               {"sub\\notes.txt", false, "", "notes.txt"}};
  for (const auto& c : cases) {
    const TTypedName t = ParseTypedName(c.text);
    EXPECT_EQ(t.MovesTree, c.moves) << c.text;
    EXPECT_EQ(t.Folder, c.folder) << c.text;
    EXPECT_EQ(t.Name, c.name) << c.text;
  }
  // "file.txt" beside "file.pas": the real name decides, not the caption.
  const std::vector<std::string> real = {"file.pas", "file.txt", "README"};
  const std::vector<std::string> listed = {"file", "file", "README"};
  EXPECT_EQ(MatchTypedName("FILE.TXT", real, listed), 1);
  EXPECT_EQ(MatchTypedName("file.c", real, listed), 0);  // no real name: the caption rule
  EXPECT_EQ(MatchTypedName("none", real, listed), -1);

  EXPECT_EQ(ChosenPath("C:\\d\\", {"README"}), "C:\\d\\README");  // no trailing dot
  EXPECT_EQ(ChosenPath("C:\\d\\", {"a", "b"}), "C:\\d\\");
  EXPECT_EQ(ChosenPath("C:\\d\\", {}), "C:\\d\\");
  EXPECT_EQ(ListedFolderOf(""), "");  // computer, network, recycle bin: nothing to list
  EXPECT_EQ(ListedFolderOf("C:"), std::string("C:") + PathDelim);
}

struct Listed {
  std::string name, ext, size, real;
  TDateTime date;
};

std::vector<Listed> Rows(TRxMemoryData& dir) {
  std::vector<Listed> rows;
  for (dir.First(); !dir.GetEof(); dir.Next())
    rows.push_back({dir.FieldByName("Name")->GetAsString(), dir.FieldByName("Ext")->GetAsString(),
                    FileSizeText(dir.FieldByName("Size")->GetAsLargeInt()),
                    dir.FieldByName("RealName")->GetAsString(), dir.FieldByName("Date")->GetAsDateTime()});
  return rows;
}

TEST(FileDlgRulesTest, ListsTheFixtureFolder) {
  TRxMemoryData dir(nullptr);
  DefineDirFields(dir);
  const std::string folder = Fixture("listing");
  ListFolderInto(dir, folder, {"*.*"}, {fsName, false});
  std::vector<Listed> rows = Rows(dir);
  std::vector<std::string> reals;
  for (const Listed& r : rows) reals.push_back(r.real);
  std::sort(reals.begin(), reals.end());
  // Folders are not listed; hidden files are.
  EXPECT_EQ(reals, (std::vector<std::string>{".hidden", "Foo.TXT", "README", "a.b.txt", "big2g.bin", "big3g.bin",
                                             "notes.abcdefghijklmnopqrstuvwxyz0123", "old.txt"}));
  for (const Listed& r : rows) {
    SCOPED_TRACE(r.real);
    if (r.real == "a.b.txt") {
      EXPECT_EQ(r.name + "|" + r.ext, "a.b|txt");
    }
    if (r.real == "README") {
      EXPECT_EQ(r.name + "|" + r.ext + "|" + r.size, "README||1000");
    }
    if (r.real == "Foo.TXT") {
      EXPECT_EQ(r.ext + "|" + r.size, "txt|1`234`567");
    }
    if (r.real == "notes.abcdefghijklmnopqrstuvwxyz0123") {
      EXPECT_EQ(r.ext, "abcdefghijklmnopqrstuvwxyz0123");
    }
    if (r.real == "big3g.bin") {
      EXPECT_EQ(r.size, "3221`225`472");
    }
    if (r.real == "old.txt") {
      int y, mo, d, h, mi, s;
      DecodeDateTime(r.date, y, mo, d, h, mi, s);
      EXPECT_EQ(y * 100 + mo, 197001);
      EXPECT_TRUE(d == 2 || d == 3 || (d == 1 && h >= 12));
    }
  }
  // Sorted on the name in the locale order; the chosen path is the real name.
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows.front().real, ".hidden");
  EXPECT_EQ(ChosenPath(folder, {rows[3].real}), folder + rows[3].real);

  // "Size" clicked twice: the second click lists the largest first.
  TFileSortState sort = ColumnClickSort({fsName, false}, fsSize);
  SortDir(dir, sort);
  rows = Rows(dir);
  EXPECT_EQ(rows[rows.size() - 2].real, "big2g.bin");  // 3 GiB sorts after 2 GiB
  EXPECT_EQ(rows.back().real, "big3g.bin");
  sort = ColumnClickSort(sort, fsSize);
  SortDir(dir, sort);
  EXPECT_EQ(Rows(dir).front().real, "big3g.bin");

  // Each mask lists its own matches; a file matching two is listed twice.
  ListFolderInto(dir, folder, {"*.txt", "a.*"}, {fsName, false});
  reals.clear();
  for (const Listed& r : Rows(dir)) reals.push_back(r.real);
  std::sort(reals.begin(), reals.end());
  EXPECT_EQ(reals, (std::vector<std::string>{"Foo.TXT", "a.b.txt", "a.b.txt", "old.txt"}));
}

TEST(FileDlgRulesTest, SearchFindsEveryMatchOnceAndKeepsTheCurrentFolder) {
  const std::filesystem::path before = std::filesystem::current_path();
  const std::string root = Fixture("search");
  std::vector<std::string> found;
  TFileSearch search;
  search.OnMatch = [&](const std::string& path) { found.push_back(path.substr(root.size())); };
  const int count = search.Run(root, "alpha");
  std::sort(found.begin(), found.end());
  std::vector<std::string> want = {"alpha.txt", "sub/Alphabet.pas", "sub/deeper/ALPHA.c"};
#ifdef _WIN32
  for (std::string& w : want) std::replace(w.begin(), w.end(), '/', '\\');
#else
  // Natively the folder beyond MAX_PATH is an ordinary one; under Wine it
  // cannot be listed and is passed over while the rest is searched.
  const std::string d50(50, 'd');
  want.push_back("long/" + d50 + "1/" + d50 + "2/" + d50 + "3/" + d50 + "4/" + d50 + "5/" + d50 + "6/alpha-deep.txt");
  std::sort(want.begin(), want.end());
#endif
  EXPECT_EQ(found, want);  // the link back up is not followed: each match once
  EXPECT_EQ(count, static_cast<int>(want.size()));
  EXPECT_EQ(std::filesystem::current_path(), before);

  // The folder the user names is searched even when it is a link.
  found.clear();
  EXPECT_EQ(search.Run(root + "sub" + PathDelim + "up", "alpha"), count);

  // A progress call that answers false stops the search.
  int progress = 0;
  search.PumpInterval = 0;
  search.OnProgress = [&](const std::string&) { return ++progress < 2; };
  found.clear();
  search.Run(root, "");
  EXPECT_TRUE(search.Stopped());
  EXPECT_EQ(progress, 2);
  EXPECT_LE(found.size(), 1u);
}

}  // namespace
