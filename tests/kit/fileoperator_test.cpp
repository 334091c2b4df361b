// The file operator against real files in a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "kit/FileOperator.h"
#include "platform/SysUtils.h"

namespace {

namespace fs = std::filesystem;

class FileOperator : public ::testing::Test {
protected:
  FileOperator() {
    Root = fs::path(SystemTempPath()) / ("tq_fileop_" + std::string(::testing::UnitTest::GetInstance()
                                                                        ->current_test_info()
                                                                        ->name()));
    fs::remove_all(Root);
    fs::create_directories(Root / "src" / "sub");
    Write("src/a.txt", "alpha");
    Write("src/b.txt", "beta");
    Write("src/c.doc", "gamma");
    Write("src/sub/d.txt", "delta");
  }
  ~FileOperator() override { fs::remove_all(Root); }

  std::string P(const std::string& rel) const { return (Root / fs::path(rel).make_preferred()).string(); }
  void Write(const std::string& rel, const std::string& text) const {
    std::ofstream(P(rel), std::ios::binary) << text;
  }
  std::string Read(const std::string& rel) const {
    std::ifstream in(P(rel), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  }
  std::set<std::string> Tree(const std::string& rel) const {
    std::set<std::string> names;
    for (auto& e : fs::recursive_directory_iterator(P(rel)))
      names.insert(fs::relative(e.path(), P(rel)).generic_string());
    return names;
  }
  bool Run(TFileOperation operation, std::initializer_list<std::string> sources,
           std::initializer_list<std::string> dests, TFileOperFlags options = {}) {
    Op.Operation = operation;
    Op.Options = options;
    Op.GetSourceFiles()->Clear();
    Op.GetDestFiles()->Clear();
    for (auto& s : sources) Op.GetSourceFiles()->Add(P(s));
    for (auto& d : dests) Op.GetDestFiles()->Add(P(d));
    return Op.Execute();
  }

  fs::path Root;
  TRxFileOperator Op{nullptr};
};

TEST_F(FileOperator, CopiesWildcardsFoldersAndSingleFilesUnderNewNames) {
  fs::create_directories(P("files"));
  ASSERT_TRUE(Run(foCopy, {"src/*"}, {"files"}, {flFilesOnly})) << Op.GetErrorText();
  EXPECT_EQ(Tree("files"), (std::set<std::string>{"a.txt", "b.txt", "c.doc"}));

  ASSERT_TRUE(Run(foCopy, {"src/*.txt"}, {"all"})) << Op.GetErrorText();
  EXPECT_EQ(Tree("all"), (std::set<std::string>{"a.txt", "b.txt"}));

  ASSERT_TRUE(Run(foCopy, {"src"}, {"copy"})) << Op.GetErrorText();
  EXPECT_EQ(Tree("copy"), (std::set<std::string>{"a.txt", "b.txt", "c.doc", "sub", "sub/d.txt"}));
  EXPECT_EQ(Read("copy/sub/d.txt"), "delta");

  ASSERT_TRUE(Run(foCopy, {"src/a.txt"}, {"renamed.txt"})) << Op.GetErrorText();
  EXPECT_EQ(Read("renamed.txt"), "alpha");
  EXPECT_EQ(Read("src/a.txt"), "alpha");

  ASSERT_TRUE(Run(foCopy, {"src/a.txt", "src/c.doc"}, {"one.txt", "two.doc"}, {flMultiDestFiles}));
  EXPECT_EQ(Read("one.txt") + Read("two.doc"), "alphagamma");
}

TEST_F(FileOperator, AnExistingDestinationFollowsTheOptions) {
  Write("dest.txt", "old");
  EXPECT_FALSE(Run(foCopy, {"src/a.txt"}, {"dest.txt"}));
  EXPECT_NE(Op.GetErrorText().find("already exists"), std::string::npos);
  EXPECT_EQ(Read("dest.txt"), "old");

  ASSERT_TRUE(Run(foCopy, {"src/a.txt"}, {"dest.txt"}, {flRenameOnCollision}));
  EXPECT_EQ(Read("dest.txt"), "old");
  EXPECT_EQ(Read("dest (2).txt"), "alpha");
  ASSERT_TRUE(Run(foCopy, {"src/b.txt"}, {"dest.txt"}, {flRenameOnCollision}));
  EXPECT_EQ(Read("dest (3).txt"), "beta");

  ASSERT_TRUE(Run(foCopy, {"src/a.txt"}, {"dest.txt"}, {flNoConfirmation}));
  EXPECT_EQ(Read("dest.txt"), "alpha");
}

TEST_F(FileOperator, CopyingIntoTheSameFolderLeavesTheFilesIntact) {
  ASSERT_TRUE(Run(foCopy, {"src/*.txt"}, {"src"}, {flNoConfirmation})) << Op.GetErrorText();
  EXPECT_EQ(Read("src/a.txt"), "alpha");
  EXPECT_EQ(Read("src/b.txt"), "beta");
  ASSERT_TRUE(Run(foMove, {"src/a.txt"}, {"src"}));
  EXPECT_EQ(Read("src/a.txt"), "alpha");
}

TEST_F(FileOperator, MovesRenamesAndDeletes) {
  ASSERT_TRUE(Run(foMove, {"src/*.txt"}, {"moved"})) << Op.GetErrorText();
  EXPECT_EQ(Tree("moved"), (std::set<std::string>{"a.txt", "b.txt"}));
  EXPECT_FALSE(fs::exists(P("src/a.txt")));

  ASSERT_TRUE(Run(foMove, {"src"}, {"elsewhere"})) << Op.GetErrorText();
  EXPECT_FALSE(fs::exists(P("src")));
  EXPECT_EQ(Read("elsewhere/sub/d.txt"), "delta");

  // A new name without a folder stays where the file is.
  auto rename = [&](const std::string& source, const std::string& name) {
    Op.Operation = foRename;
    Op.Options = {};
    Op.GetSourceFiles()->Clear();
    Op.GetSourceFiles()->Add(P(source));
    Op.GetDestFiles()->Clear();
    Op.GetDestFiles()->Add(name);
    return Op.Execute();
  };
  ASSERT_TRUE(rename("moved/a.txt", "z.txt")) << Op.GetErrorText();
  EXPECT_EQ(Tree("moved"), (std::set<std::string>{"b.txt", "z.txt"}));
  EXPECT_FALSE(rename("moved/b.txt", "z.txt"));
  EXPECT_EQ(Read("moved/z.txt"), "alpha");

  ASSERT_TRUE(Run(foDelete, {"elsewhere/*.doc", "moved"}, {})) << Op.GetErrorText();
  EXPECT_FALSE(fs::exists(P("moved")));
  EXPECT_EQ(Tree("elsewhere"), (std::set<std::string>{"sub", "sub/d.txt"}));
}

TEST_F(FileOperator, FailuresStopAndSayWhy) {
  EXPECT_FALSE(Run(foCopy, {"src/missing.txt"}, {"x"}));
  EXPECT_NE(Op.GetErrorText().find("Cannot find"), std::string::npos);
  EXPECT_FALSE(Run(foCopy, {"src"}, {"src/sub"}));
  EXPECT_NE(Op.GetErrorText().find("inside itself"), std::string::npos);
  EXPECT_FALSE(fs::exists(P("src/sub/src")));
  EXPECT_FALSE(Run(foCopy, {"src/a.txt"}, {}));
  EXPECT_FALSE(Run(foCopy, {"src/a.txt", "src/b.txt"}, {"x"}, {flMultiDestFiles}));
  EXPECT_TRUE(Run(foCopy, {"src/a.txt"}, {"ok.txt"}));
  EXPECT_TRUE(Op.GetErrorText().empty());
}

}  // namespace
