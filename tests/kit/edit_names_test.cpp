// The file-name and folder edits' text rules, and the mirrored window-menu
// entries.
#include "kit/EditNames.h"
#include "kit/SysMenuEntries.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(EditNames, FileNameFromText) {
  const std::set<std::string> files{"C:\\Program Files\\a b.exe"};
  const auto exists = [&](const std::string& n) { return files.count(n) > 0; };
  struct C {
    const char* text;
    const char* name;
  } cases[] = {
      {"", ""},
      {"C:\\Program Files\\a b.exe", "C:\\Program Files\\a b.exe"},  // an existing file stays whole
      {"\"C:\\Program Files\\x.exe\" -n %s", "C:\\Program Files\\x.exe"},
      {"notepad.exe file.txt", "notepad.exe"},
      {"C:\\tools\\a[1].exe", "C:\\tools\\a[1].exe"},
      {"   lead.exe  ", "lead.exe"},
      {"\"\"", ""},
      {"a\"b c\"d e", "ab cd"},
  };
  for (const auto& c : cases) EXPECT_EQ(FileNameFromText(c.text, exists), c.name) << c.text;
}

TEST(EditNames, Quoting) {
  EXPECT_EQ(QuoteFileName("C:\\a b\\c.txt"), "\"C:\\a b\\c.txt\"");
  EXPECT_EQ(QuoteFileName("\"C:\\a b\\c.txt\""), "\"C:\\a b\\c.txt\"");
  EXPECT_EQ(QuoteFileName("C:\\ab\\c.txt"), "C:\\ab\\c.txt");
  EXPECT_EQ(QuoteFileName(""), "");
  // What the edit shows reads back as the name.
  const auto none = [](const std::string&) { return false; };
  EXPECT_EQ(FileNameFromText(QuoteFileName("C:\\a b\\c.txt"), none), "C:\\a b\\c.txt");
}

TEST(EditNames, Folders) {
  EXPECT_EQ(AppendFolder("", "C:\\a", true), "C:\\a");
  EXPECT_EQ(AppendFolder("C:\\a", "C:\\b", true), "C:\\a;C:\\b");
  EXPECT_EQ(AppendFolder("C:\\a", "C:\\b", false), "C:\\b");
  EXPECT_EQ(SplitFolders("C:\\a;;C:\\b;"), (std::vector<std::string>{"C:\\a", "C:\\b"}));
  EXPECT_TRUE(SplitFolders("").empty());
}

TEST(EditNames, AChosenFolderThatDoesNotExist) {
  const struct {
    TSelectDirOpts Options;
    bool Exists, SaysYes, Creates;
    bool Accepted, Asked, Created;
  } cases[] = {
      {{}, true, false, false, true, false, false},
      {{}, false, true, true, false, false, false},
      {{sdAllowCreate}, false, false, false, true, false, false},
      {{sdAllowCreate, sdPrompt}, false, false, true, false, true, false},
      {{sdAllowCreate, sdPrompt}, false, true, false, true, true, false},
      {{sdAllowCreate, sdPerformCreate}, false, false, true, true, false, true},
      {{sdAllowCreate, sdPerformCreate}, false, false, false, false, false, true},
      {{sdAllowCreate, sdPerformCreate, sdPrompt}, false, true, true, true, true, true},
      {{sdAllowCreate, sdPerformCreate, sdPrompt}, false, false, true, false, true, false},
      {{sdPerformCreate, sdPrompt}, false, true, true, false, false, false},
      {{sdAllowCreate, sdPerformCreate, sdPrompt}, true, false, false, true, false, false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    bool asked = false, created = false;
    const bool accepted = AcceptChosenFolder(
        "C:\\new", c.Options, [&](const std::string&) { return c.Exists; },
        [&](const std::string& f) { asked = f == "C:\\new"; return c.SaysYes; },
        [&](const std::string& f) { created = f == "C:\\new"; return c.Creates; });
    EXPECT_EQ(accepted, c.Accepted) << "case " << i;
    EXPECT_EQ(asked, c.Asked) << "case " << i;
    EXPECT_EQ(created, c.Created) << "case " << i;
  }
  EXPECT_FALSE(AcceptChosenFolder("", {sdAllowCreate}, [](const std::string&) { return true; },
                                  [](const std::string&) { return true; },
                                  [](const std::string&) { return true; }));
}

TEST(EditNames, EllipsisGlyph) {
  struct C {
    int button, width, gap, first;
  } cases[] = {
      {21, 15, 3, 1},   // (15 - 6) / 2 = 4 -> 3; 12 wide, centred
      {16, 10, 2, 0},   // gap 2; 10 wide
      {12, 6, 1, -1},   // gap at least 1; wider than the glyph, centred anyway
      {40, 34, 3, 11},
  };
  for (const auto& c : cases) {
    const auto g = EllipsisGlyph(c.button);
    EXPECT_EQ(g.Width, c.width);
    EXPECT_EQ(g.Height, 4);
    EXPECT_EQ(g.Gap, c.gap);
    EXPECT_EQ(g.Dots[0], c.first) << c.button;
    EXPECT_EQ(g.Dots[1] - g.Dots[0], 2 + c.gap);
    EXPECT_EQ(g.Dots[2] - g.Dots[1], 2 + c.gap);
  }
}

TEST(SysMenuEntries, MirrorsEachKindOfItem) {
  TSysMenuSource line;
  line.Caption = "-";
  EXPECT_EQ(MirrorMenuItem(line).Kind, seSeparator);

  TSysMenuSource item{"&Stay on top", "Ctrl+T", true, false, true, 0, false};
  auto e = MirrorMenuItem(item);
  EXPECT_EQ(e.Kind, seCommand);
  EXPECT_EQ(e.Text, "&Stay on top\tCtrl+T");
  EXPECT_TRUE(e.Checked);
  EXPECT_FALSE(e.RadioCheck);

  item.RadioItem = true;
  EXPECT_TRUE(MirrorMenuItem(item).RadioCheck);
  item.Checked = false;
  EXPECT_FALSE(MirrorMenuItem(item).RadioCheck);

  e = MirrorMenuItem({"Gone", "", false, false, false, 2, false});
  EXPECT_TRUE(e.Grayed);
  EXPECT_TRUE(e.BarBreak);
  EXPECT_FALSE(e.Break);
  EXPECT_EQ(e.Text, "Gone");
  EXPECT_TRUE(MirrorMenuItem({"Col", "", false, false, true, 1, false}).Break);

  e = MirrorMenuItem({"&Windows", "Ctrl+W", false, false, true, 0, true});
  EXPECT_EQ(e.Kind, sePopup);
  EXPECT_EQ(e.Text, "&Windows");
}

}  // namespace
