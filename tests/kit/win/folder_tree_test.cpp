// The shell folder tree under Wine with the real shell namespace and tree
// view: deferred shell work, paths, real change notifications, item lists
// the tree must not trust, and a registration that fails.
#include "kit/win/FolderTree.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/SysUtils.h"
#include "platform/win/Forms.h"
#include "platform/win/WinTestSupport.h"

TQ_TEST_APPLICATION();

namespace {

struct FolderTreeTest : ::testing::Test {
  std::unique_ptr<TForm> form;
  TFolderTree* tree = nullptr;
  std::string root;  // a folder of the test's own, with its separator

  void SetUp() override {
    root = IncludeTrailingPathDelimiter(SystemTempPath() + "odlg-tree-" + IntToStr(::GetCurrentProcessId()));
    CreateDir(root);
    CreateDir(root + "b");
    CreateDir(root + "A");
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 400);
    tree = new TFolderTree(form.get());
    tree->SetParent(form.get());
    tree->SetAlign(alClient);
  }
  void TearDown() override {
    form.reset();
    for (const char* d : {"b", "A", "new", "renamed"}) RemoveDir(root + d);
    RemoveDir(root);
  }
  std::vector<std::string> Labels(TTreeNode* node) {
    std::vector<std::string> out;
    for (int i = 0; i < node->GetCount(); ++i) out.push_back(node->GetItem(i)->GetText());
    return out;
  }
  TTreeNode* Root() { return tree->SelectPath(root); }
};

TEST_F(FolderTreeTest, ShellWorkWaitsForTheWindowThenBuildsTheTop) {
  tree->SetFolderOptions(foNetworkNeighborhood | foRecycleBin);
  EXPECT_EQ(tree->GetModel(), nullptr);  // nothing of the shell's before the window
  EXPECT_EQ(tree->GetTopCount(), 0);
  form->Show();
  ASSERT_NE(tree->GetModel(), nullptr);
  EXPECT_TRUE(tree->GetLiveUpdates());
  ASSERT_EQ(tree->GetTopCount(), 1);
  TTreeNode* top = tree->GetTopItem(0);
  ASSERT_GE(top->GetCount(), 3);
  const TFolderKind first[] = {fnNetwork, fnRecycleBin, fnComputer};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(TFolderTree::ModelNode(top->GetItem(i))->Kind, first[i]) << i;
  // Then the desktop's folders (the test script's fixture desktop holds
  // "b" and "A" and a file), with Wine's own among them, in label order.
  std::vector<std::string> rest = Labels(top);
  rest.erase(rest.begin(), rest.begin() + 3);
  EXPECT_TRUE(std::is_sorted(rest.begin(), rest.end(),
                             [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; }));
  const auto a = std::find(rest.begin(), rest.end(), "A"), b = std::find(rest.begin(), rest.end(), "b");
  EXPECT_TRUE(a != rest.end() && b == a + 1) << "is the desktop the test script's fixture?";
  EXPECT_EQ(std::find(rest.begin(), rest.end(), "note.txt"), rest.end());  // folders only
  TTreeNode* computer = top->GetItem(2);
  EXPECT_TRUE(computer->GetExpanded());
  EXPECT_EQ(tree->GetNodePath(computer), "");
  bool sawC = false;
  for (int i = 0; i < computer->GetCount(); ++i) {
    const std::string path = tree->GetNodePath(computer->GetItem(i));
    ASSERT_EQ(path.size(), 3u) << path;  // "X:\"
    sawC = sawC || path == "C:\\";
  }
  EXPECT_TRUE(sawC);

  TTreeNode* mine = Root();
  ASSERT_TRUE(mine);
  EXPECT_EQ(tree->GetSelected(), mine);
  EXPECT_TRUE(AnsiSameText(IncludeTrailingPathDelimiter(tree->GetNodePath(mine)), root));
  mine->Expand();
  EXPECT_EQ(Labels(mine), (std::vector<std::string>{"A", "b"}));
  tree->SetDisplayMode(dmUppercase);
  EXPECT_EQ(Labels(mine), (std::vector<std::string>{"A", "B"}));
  tree->SetDisplayMode(dmAsis);
  EXPECT_EQ(Labels(mine), (std::vector<std::string>{"A", "b"}));
}

TEST_F(FolderTreeTest, FollowsChangeNotificationsAndIgnoresBadItemLists) {
  tree->SetFolderOptions(foRecycleBin);
  form->Show();
  TTreeNode* mine = Root();
  ASSERT_TRUE(mine);
  mine->Expand();
  ASSERT_TRUE(CreateDir(root + "new"));
  ::SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHA, (root + "new").c_str(), nullptr);
  mine = tree->SelectPath(root);
  ASSERT_TRUE(mine);
  EXPECT_EQ(Labels(mine), (std::vector<std::string>{"A", "b", "new"}));
  EXPECT_TRUE(mine->GetExpanded());

  ASSERT_TRUE(::MoveFileA((root + "new").c_str(), (root + "renamed").c_str()));
  ::SHChangeNotify(SHCNE_RENAMEFOLDER, SHCNF_PATHA, (root + "new").c_str(), (root + "renamed").c_str());
  mine = tree->SelectPath(root);
  EXPECT_EQ(Labels(mine), (std::vector<std::string>{"A", "b", "renamed"}));

  // No item list, and the computer's list (no file-system path): nothing
  // changes, and the next notification still works.
  TTreeNode* selected = tree->GetSelected();
  ::SHChangeNotify(SHCNE_MKDIR, SHCNF_IDLIST, nullptr, nullptr);
  LPITEMIDLIST computer = nullptr;
  ASSERT_TRUE(SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer)));
  ::SHChangeNotify(SHCNE_MKDIR, SHCNF_IDLIST, computer, nullptr);
  ::SHChangeNotify(SHCNE_MEDIAINSERTED, SHCNF_IDLIST, computer, nullptr);
  ::CoTaskMemFree(computer);
  EXPECT_EQ(tree->GetSelected(), selected);

  // A change on the desktop reloads the top; the recycle bin stays.
  char desktop[MAX_PATH + 1] = {};
  ASSERT_TRUE(::SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE));
  ::SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHA, (std::string(desktop) + "\\odlg-none").c_str(), nullptr);
  TTreeNode* top = tree->GetTopItem(0);
  ASSERT_GE(top->GetCount(), 2);
  EXPECT_EQ(TFolderTree::ModelNode(top->GetItem(0))->Kind, fnRecycleBin);
  EXPECT_EQ(TFolderTree::ModelNode(top->GetItem(1))->Kind, fnComputer);

  // A folder that vanished: no node, and the deepest existing one selected.
  RemoveDir(root + "renamed");
  EXPECT_EQ(tree->SelectPath(root + "renamed"), nullptr);
  ASSERT_TRUE(tree->GetSelected());
  EXPECT_TRUE(AnsiSameText(IncludeTrailingPathDelimiter(tree->GetNodePath(tree->GetSelected())), root));
}

TEST_F(FolderTreeTest, AFailedRegistrationLeavesATreeWithoutLiveUpdates) {
  TFolderTree::TRegisterFunction saved = TFolderTree::RegisterFunction();
  TFolderTree::RegisterFunction() = [](HWND, int, LONG, UINT, int, const void*) -> ULONG { return 0; };
  form->Show();
  TFolderTree::RegisterFunction() = saved;
  EXPECT_FALSE(tree->GetLiveUpdates());
  EXPECT_TRUE(Root());
}

}  // namespace
