// The file-type table against the registry (in-memory natively, the real one
// under Wine): its stored layout, the default rows, lookups, filter lines
// and the names that cannot be subkeys as they stand.
#include "app/settings/FileTypes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../AppRegistryKey.h"
#include "platform/Classes.h"
#include "platform/Streams.h"
#ifndef _WIN32
#include "platform/native/MemoryRegistry.h"
#endif

namespace {

std::vector<std::string> Lines(TStrings& list) {
  std::vector<std::string> r;
  for (int i = 0; i < list.GetCount(); ++i) r.push_back(list.Get(i));
  return r;
}

std::vector<std::string> Names(TRegistry& reg, bool keys) {
  TStringList list;
  if (keys)
    reg.GetKeyNames(&list);
  else
    reg.GetValueNames(&list);
  return Lines(list);
}

class FileTypes : public TAppKeyCase {
protected:
  FileTypes() { ClearFileTypes(); }
  ~FileTypes() override { ClearFileTypes(); }
  std::string TypesKey() const { return Key + "\\FileTypes"; }
};

TEST_F(FileTypes, DefaultsAreStoredOneSubkeyPerRowAndComeBackInRegistryOrder) {
  SetDefaultFileTypes();
  ASSERT_EQ(::FileTypes.size(), 16u);
  std::vector<std::string> order;
  for (const TFileType& t : ::FileTypes) order.push_back(t.Name);
  EXPECT_EQ(order, (std::vector<std::string>{"ADSP", "Assembler", "Basic", "Batch", "C/C++", "Delphi",
                                             "Delphi Form", "Fortran", "HTML", "Ini", "Java", "JavaScript",
                                             "Perl", "SQL", "Text", "VBScript"}));

  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(TypesKey()));
  EXPECT_TRUE(Names(reg, false).empty()) << "FileTypes holds no values of its own";
  EXPECT_TRUE(reg.KeyExists("C/C++"));
  EXPECT_FALSE(reg.KeyExists("C")) << "the slash is part of the name, not a nested key";

  ASSERT_TRUE(reg.OpenKeyReadOnly(TypesKey() + "\\HTML"));
  // Every value but the expansions is written, also when empty.
  std::vector<std::string> html = Names(reg, false);
  for (const char* v : {"Description", "Extension1", "Extension2", "Extension3", "Extension4", "Highlighter", "F9",
                        "CtrlF9", "AltF9", "ShiftF9", "CtrlF1", "AltF1"})
    EXPECT_NE(std::find(html.begin(), html.end(), v), html.end()) << v;
  EXPECT_EQ(html.size(), 12u) << "no Codeinsight_ value without an expansion";
  EXPECT_EQ(reg.ReadString("Extension3"), "asp");
  EXPECT_EQ(reg.ReadString("Extension4"), "");

  ASSERT_TRUE(reg.OpenKeyReadOnly(TypesKey() + "\\Delphi"));
  EXPECT_EQ(reg.ReadString("Codeinsight_1"), "As ");
  EXPECT_EQ(reg.ReadString("Codeinsight_23"), "Web");
  EXPECT_FALSE(reg.ValueExists("Codeinsight_10")) << "J has no Pascal expansion";
  EXPECT_FALSE(reg.ValueExists("Codeinsight_01"));

  const TFileType& batch = ::FileTypes[static_cast<size_t>(FindFileTypeByName("batch"))];
  EXPECT_EQ(batch.CodeInsight[4], "@Echo off");
  EXPECT_EQ(batch.Extension3.Str(), "properties");
  EXPECT_EQ(GetHighlighterByExtension("txt"), "");
  EXPECT_EQ(GetHighlighterByExtension("PAS"), "Pascal");
  EXPECT_EQ(GetHighlighterByExtension("asp"), "HTML");
}

TEST_F(FileTypes, AnEmptyTableLeavesNoKeyAndLoadsEmpty) {
  SetDefaultFileTypes();
  ClearFileTypes();
  SaveFileTypes();
  TRegistry reg;
  EXPECT_FALSE(reg.KeyExists(TypesKey()));
  SetFileType("X", "x", "x", "", "", "", "", EmptyCodeInsight);
  LoadFileTypes();
  EXPECT_TRUE(::FileTypes.empty());
  EXPECT_EQ(FindFileTypeByExtension("pas"), -1);
  EXPECT_EQ(GetHighlighterByExtension("pas"), "");
}

TEST_F(FileTypes, RowsAreSetFoundAndDeletedWithoutCase) {
  SetFileType("Pas", "Pascal", "pas", "inc", "", "", "Pascal", EmptyCodeInsight);
  SetFileType("Inc", "Includes", "inc", "", "", "", "C", EmptyCodeInsight);
  SetFileType("NoExt", "No extension", "", "", "", "", "", EmptyCodeInsight);
  EXPECT_EQ(FindFileTypeByExtension("INC"), 0) << "a shared extension: the first row";
  EXPECT_EQ(FindFileTypeByExtension(""), 0) << "the first row with an empty extension field";
  EXPECT_EQ(FindFileTypeByDescription("pascal"), 0);
  EXPECT_EQ(FindFileTypeByName("noext"), 2);

  ::FileTypes[0].F9 = "make %s";
  TCodeInsight ci;
  ci[0] = "Alpha";
  SetFileType("PAS", "Pascal 2", "dpr", "", "", "", "Pascal", ci);
  ASSERT_EQ(::FileTypes.size(), 3u);
  EXPECT_EQ(::FileTypes[0].Name.Str(), "PAS");
  EXPECT_EQ(::FileTypes[0].Extension2.Str(), "");
  EXPECT_EQ(::FileTypes[0].F9.Str(), "make %s") << "run commands stay";
  EXPECT_EQ(::FileTypes[0].CodeInsight[0], "Alpha");

  DeleteFileType("nothing");
  EXPECT_EQ(::FileTypes.size(), 3u);
  DeleteFileType("noEXT");
  ASSERT_EQ(::FileTypes.size(), 2u);
  EXPECT_EQ(::FileTypes[1].Name.Str(), "Inc");

  // Over-long texts are cut to their field's width, also when loaded.
  SetFileType(std::string(40, 'n'), std::string(300, 'd'), std::string(20, 'e'), "", "", "",
              std::string(40, 'h'), EmptyCodeInsight);
  ::FileTypes.back().CtrlF1 = std::string(300, 'c');
  EXPECT_EQ(::FileTypes.back().Name.Str().size(), 30u);
  EXPECT_EQ(::FileTypes.back().Description.Str().size(), 255u);
  EXPECT_EQ(::FileTypes.back().Extension1.Str().size(), 15u);
  EXPECT_EQ(::FileTypes.back().Highlighter.Str().size(), 30u);
  EXPECT_EQ(::FileTypes.back().CtrlF1.Str().size(), 255u);
  SaveFileTypes();
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(TypesKey() + "\\Inc", false));
    reg.WriteString("Extension1", std::string(20, 'x'));
  }
  LoadFileTypes();
  ASSERT_EQ(FindFileTypeByName("Inc"), 0);  // registry order: Inc, nnn..., PAS
  EXPECT_EQ(::FileTypes[0].Extension1.Str(), std::string(15, 'x'));
  ASSERT_EQ(FindFileTypeByName("pas"), 2);
  EXPECT_EQ(::FileTypes[2].F9.Str(), "make %s");
  EXPECT_EQ(::FileTypes[2].CodeInsight[0], "Alpha");
}

TEST_F(FileTypes, FilterLinesAndTheirMasks) {
  SetFileType("C", "C", "c", "", "", "", "C", EmptyCodeInsight);
  SetFileType("C/C++", "C/C++ Programs", "cpp", "h", "hpp", "", "C", EmptyCodeInsight);
  SetFileType("None", "Bare", "", "", "", "", "", EmptyCodeInsight);
  TStringList lines;
  FillTypeFilters(&lines);
  EXPECT_EQ(Lines(lines), (std::vector<std::string>{"C (*.c)", "C/C++ Programs (*.cpp;*.h;*.hpp)", "Bare (*.)"}));

  struct {
    const char* Filter;
    std::vector<std::string> Masks;
  } cases[] = {
      {"C/C++ Programs (*.cpp;*.h;*.hpp)", {"*.cpp", "*.h", "*.hpp"}},  // not the row described "C"
      {"C (*.c)", {"*.c"}},
      {"All files (*.*)", {"*.*"}},
      {"Some C files (*.c;*.cc)", {"*.c", "*.cc"}},  // a line no row makes: one mask each
      {"Pascal (*.pas;*.dpr;*.dpk;*.inc)", {"*.pas", "*.dpr", "*.dpk", "*.inc"}},
      {"Odd (;*.a;;*.b;)", {"*.a", "*.b"}},
      {"No parenthesis", {"No parenthesis"}},
      {"Open (*.x", {"*.x"}},
  };
  for (const auto& c : cases) {
    TStringList masks;
    masks.Add("stale");
    GetFilterMasks(c.Filter, &masks);
    EXPECT_EQ(Lines(masks), c.Masks) << c.Filter;
  }

  TStringList descriptions, highlighters;
  FillTypeDescriptions(&descriptions);
  EXPECT_EQ(Lines(descriptions), (std::vector<std::string>{"C", "C/C++ Programs", "Bare"}));
  FillHighlighterNames(&highlighters);
  ASSERT_EQ(highlighters.GetCount(), 16);
  EXPECT_EQ(highlighters.Get(0), "");
  EXPECT_EQ(highlighters.Get(15), "ADSP");
}

TEST_F(FileTypes, NamesThatCannotBeSubkeysAsTheyStand) {
  SetFileType("", "first new", "a", "", "", "", "", EmptyCodeInsight);
  SetFileType("Unnamed", "taken name", "b", "", "", "", "", EmptyCodeInsight);
  ::FileTypes.emplace_back();  // a second row without a name
  ::FileTypes.back().Description = "second new";
  SetFileType("Mine\\Yours", "backslash", "c", "", "", "", "", EmptyCodeInsight);
  SaveFileTypes();

  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(TypesKey()));
  EXPECT_TRUE(Names(reg, false).empty()) << "nothing is written into FileTypes itself";
  EXPECT_EQ(Names(reg, true), (std::vector<std::string>{"Mine/Yours", "Unnamed", "Unnamed 2", "Unnamed 3"}));
  EXPECT_FALSE(reg.KeyExists("Mine"));

  LoadFileTypes();
  ASSERT_EQ(::FileTypes.size(), 4u);
  EXPECT_EQ(::FileTypes[0].Description.Str(), "backslash");
  EXPECT_EQ(::FileTypes[1].Description.Str(), "taken name");
  EXPECT_EQ(::FileTypes[2].Description.Str(), "first new");
  EXPECT_EQ(::FileTypes[3].Description.Str(), "second new");
}

// Names the table keeps apart that the registry takes for one subkey: a
// backslash stored as "/", letters beyond A-Z in another case, a name cut to
// 30 characters. No row takes over another's subkey and fields.
TEST_F(FileTypes, NamesThatShareASubkeyAreStoredApart) {
  const std::string thirty(30, 'n');
  const std::vector<std::string> names = {"a\\b", "a/b", "Caf\xE9", "CAF\xC9", thirty, thirty + "x"};
  ::FileTypes.resize(names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    ::FileTypes[i].Name = names[i];
    ::FileTypes[i].Description = "row " + std::to_string(i);
    ::FileTypes[i].CodeInsight[i] = "entry " + std::to_string(i);
  }
  SaveFileTypes();
  LoadFileTypes();
  ASSERT_EQ(::FileTypes.size(), names.size());
  for (const TFileType& row : ::FileTypes) {
    ASSERT_EQ(row.Description.Str().substr(0, 4), "row ");
    const size_t i = std::stoul(row.Description.Str().substr(4));
    for (size_t e = 0; e < 26; ++e)
      EXPECT_EQ(row.CodeInsight[e], e == i ? "entry " + std::to_string(i) : "") << row.Name.Str();
    EXPECT_LE(row.Name.Str().size(), 30u);
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(Key));
  EXPECT_FALSE(reg.KeyExists("FileTypes Saving")) << "nothing of the save is left behind";
}

// A save goes over the stored rows: what the table no longer has goes
// (a deleted row, an emptied expansion), a name in new letter case is
// stored as given.
TEST_F(FileTypes, ASaveLeavesOnlyTheTable) {
  TCodeInsight ci;
  ci[0] = "Alpha";
  SetFileType("one", "One", "1", "", "", "", "", ci);
  SetFileType("Two", "Two", "2", "", "", "", "", ci);
  SetFileType("Three", "Three", "3", "", "", "", "", ci);
  SaveFileTypes();
  DeleteFileType("Two");
  ::FileTypes[0].Name = "ONE";
  ::FileTypes[1].CodeInsight[0].clear();
  SaveFileTypes();

  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(TypesKey()));
  EXPECT_EQ(Names(reg, true), (std::vector<std::string>{"ONE", "Three"}));
  ASSERT_TRUE(reg.OpenKeyReadOnly(TypesKey() + "\\Three"));
  EXPECT_FALSE(reg.ValueExists("Codeinsight_1"));
  LoadFileTypes();
  ASSERT_EQ(::FileTypes.size(), 2u);
  EXPECT_EQ(::FileTypes[0].CodeInsight[0], "Alpha");
}

#ifndef _WIN32
// Natively the store can be made to refuse writes: a save that fails after
// its first row keeps every row it did not reach.
TEST_F(FileTypes, ASaveThatFailsHalfwayKeepsTheStoredRows) {
  SetFileType("A", "old a", "a", "", "", "", "", EmptyCodeInsight);
  SetFileType("B", "old b", "b", "", "", "", "", EmptyCodeInsight);
  SetFileType("C", "old c", "c", "", "", "", "", EmptyCodeInsight);
  SaveFileTypes();
  for (TFileType& row : ::FileTypes) row.Description = "new " + row.Name.Str();
  SetMemoryRegistryWriteBudget(12);  // the first row's twelve values
  EXPECT_THROW(SaveFileTypes(), ERegistryException);
  SetMemoryRegistryWriteBudget(-1);
  LoadFileTypes();
  ASSERT_EQ(::FileTypes.size(), 3u);
  EXPECT_EQ(::FileTypes[0].Description.Str(), "new A");
  EXPECT_EQ(::FileTypes[1].Description.Str(), "old b");
  EXPECT_EQ(::FileTypes[2].Description.Str(), "old c");
  EXPECT_EQ(::FileTypes[2].Extension1.Str(), "c");
}
#endif

TEST_F(FileTypes, TheTraceGoesToTheLogOnlyWithSlashD) {
  const std::string exe = IncludeTrailingPathDelimiter(SystemTempPath()) + "tq_filetypes_trace.exe";
  const std::string log = ChangeFileExt(exe, ".log");
  FileDelete(log);
  SetFileType("One", "The one", "one", "", "", "", "", EmptyCodeInsight);
  SaveFileTypes();

  SetDebugLogTarget(exe, "/d");
  LoadFileTypes();
  EXPECT_FALSE(FileExists(log)) << "the switch is case-sensitive";

  SetDebugLogTarget(exe, "/D");
  LoadFileTypes();
  TStringList trace;
  TStringList descriptions;
  FillTypeDescriptions(&descriptions);
  SetDebugLogTarget("", "");
  trace.LoadFromFile(log);
  FileDelete(log);
  EXPECT_EQ(Lines(trace),
            (std::vector<std::string>{"59", "One", "The one", "90", "low(FileTypes)0", "high(FileTypes)0", "The one"}));
}

}  // namespace
