// The folder tree's model against a scripted namespace: order, paths,
// selection, loading, and what notifications and refreshes do.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>

#include "kit/FolderNodes.h"

namespace {

// Folders by absolute identifier ("/C/src"...), each with its names.
struct Scripted : TNamespaceSource {
  struct Entry {
    std::string Normal, Parsing, InFolder;
    bool FileSystem = true;
  };
  std::map<std::string, std::vector<std::pair<std::string, Entry>>> children;  // id -> (relative id, entry)
  std::set<std::string> existing;  // paths on disk
  std::set<std::string> unlistable;
  bool parseFails = false;

  void Add(const std::string& parentId, const std::string& name, const std::string& path, bool fs = true) {
    children[parentId].push_back({"/" + name, {name, path, name, fs}});
    if (fs) existing.insert(path);
  }
  void Remove(const std::string& parentId, const std::string& name) {
    auto& list = children[parentId];
    for (size_t i = 0; i < list.size(); ++i)
      if (list[i].first == "/" + name) {
        existing.erase(list[i].second.Parsing);
        list.erase(list.begin() + static_cast<long>(i));
        return;
      }
  }
  bool SpecialFolder(int which, TNamespaceItem& item) override {
    item = TNamespaceItem();
    item.HasSubfolder = true;
    switch (which) {
      case kSpecialDesktop: item.Normal = item.InFolder = "Desktop"; item.Parsing = "C:\\Users\\me\\Desktop"; return true;
      case kSpecialDrives: item.Id = "/drives"; item.Normal = item.InFolder = "My Computer"; return true;
      case kSpecialRecycleBin: item.Id = "/bin"; item.Normal = item.InFolder = "Trash"; return true;
      case kSpecialNetwork: item.Id = "/net"; item.Normal = item.InFolder = "Network"; return true;
    }
    return false;
  }
  bool EnumFolders(const std::string& id, std::vector<TNamespaceItem>& items) override {
    if (unlistable.count(id)) return false;
    for (auto& [rel, e] : children[id]) {
      TNamespaceItem item;
      item.Id = rel;
      item.Normal = e.Normal;
      item.Parsing = e.Parsing;
      item.InFolder = e.InFolder;
      item.FileSystem = e.FileSystem;
      item.HasSubfolder = true;  // as Wine reports for every folder
      items.push_back(item);
    }
    return true;
  }
  bool ParseDrive(const std::string& root, TNamespaceItem& item) override {
    if (parseFails) return false;
    item.Normal = std::string(" (") + static_cast<char>(std::toupper(root[0])) + ":)";  // as the shell names it
    return true;
  }
  bool FolderExists(const std::string& path) override { return existing.count(path) > 0; }
};

// Counts the view's lock so that every bulk change is seen to end.
struct LockCounter : TFolderView {
  int depth = 0, maxDepth = 0, deleted = 0;
  void NodeAdded(TFolderNode*, int) override {}
  void NodeDeleting(TFolderNode*) override { ++deleted; }
  void NodeChanged(TFolderNode*) override {}
  void ChildrenSorted(TFolderNode*) override {}
  void ExpandNode(TFolderNode*, bool) override {}
  void SelectionChanged(TFolderNode*) override {}
  void LockUpdate() override { maxDepth = std::max(maxDepth, ++depth); }
  void UnlockUpdate() override { --depth; }
};

struct Fixture {
  Scripted ns;
  LockCounter view;
  TFolderModel model{ns, &view};
  Fixture() {
    // Drives in the shell's order, Z: before C:.
    ns.Add("/drives", "Z:", "Z:\\");
    ns.Add("/drives", "C:", "C:\\");
    ns.Add("", "b", "C:\\Users\\me\\Desktop\\b");
    ns.Add("", "A", "C:\\Users\\me\\Desktop\\A");
    ns.Add("", "My Computer", "::{computer}", false);  // not a file-system item: no node
    ns.Add("/drives/C:", "src", "C:\\src");
    ns.Add("/drives/C:/src", "old", "C:\\src\\old");
    ns.Add("/drives/C:/src", "lib", "C:\\src\\lib");
    model.SetFolderOptions(foNetworkNeighborhood | foRecycleBin);
    model.Build();
  }
  std::vector<std::string> Labels(const TFolderNode* n) {
    std::vector<std::string> out;
    for (auto& c : n->Children) out.push_back(c->Text);
    return out;
  }
};

using Names = std::vector<std::string>;

TEST(FolderModelTest, DesktopOrderPathsAndLabels) {
  Fixture f;
  TFolderNode* top = f.model.Top();
  ASSERT_TRUE(top);
  EXPECT_EQ(top->Kind, fnDesktop);
  EXPECT_EQ(f.Labels(top), (Names{"Network", "Trash", "My Computer", "A", "b"}));
  TFolderNode* computer = f.model.FindKind(fnComputer);
  EXPECT_TRUE(computer->Expanded);
  EXPECT_EQ(f.Labels(computer), (Names{"Z:", "C:"}));  // the shell's order
  EXPECT_EQ(f.model.GetNodePath(computer), "");
  EXPECT_EQ(f.model.GetNodePath(f.model.FindKind(fnNetwork)), "");
  EXPECT_EQ(f.model.GetNodePath(f.model.FindKind(fnRecycleBin)), "");
  EXPECT_EQ(f.model.GetNodePath(top), "C:\\Users\\me\\Desktop");
  EXPECT_EQ(f.model.GetNodePath(nullptr), "");
  computer->Children[1]->Path = "C:";
  EXPECT_EQ(f.model.GetNodePath(computer->Children[1].get()), "C:\\");
  EXPECT_EQ(f.view.depth, 0);
  EXPECT_GT(f.view.maxDepth, 1);  // nested bulk changes share one lock

  f.model.SetDisplayMode(dmUppercase);
  EXPECT_EQ(f.Labels(top), (Names{"NETWORK", "TRASH", "MY COMPUTER", "A", "B"}));
  f.model.SetDisplayMode(dmAsis);
  EXPECT_EQ(f.Labels(top), (Names{"Network", "Trash", "My Computer", "A", "b"}));

  f.model.SetFolderOptions(0);
  EXPECT_EQ(f.Labels(top), (Names{"My Computer", "A", "b"}));
}

TEST(FolderModelTest, SelectPathLoadsOnTheWayAndFollowsVanishedFolders) {
  Fixture f;
  TFolderNode* old = f.model.SelectPath("c:\\SRC\\old\\");
  ASSERT_TRUE(old);
  EXPECT_EQ(old->Path, "C:\\src\\old");
  EXPECT_EQ(f.model.Selected(), old);
  // A path below what exists: the deepest node that matched.
  TFolderNode* src = f.model.SelectPath("C:\\src\\nothing\\here");
  ASSERT_TRUE(src);
  EXPECT_EQ(src->Path, "C:\\src");
  EXPECT_EQ(f.model.SelectPath("Q:\\x"), nullptr);
  EXPECT_EQ(f.model.Selected(), nullptr);
  EXPECT_EQ(f.model.SelectPath("C:"), nullptr);  // too short to name anything
  EXPECT_EQ(f.model.SelectPath(""), nullptr);

  // "old" goes from the disk while the tree still shows it.
  f.ns.Remove("/drives/C:/src", "old");
  EXPECT_EQ(f.model.SelectPath("C:\\src\\old"), nullptr);
  ASSERT_TRUE(f.model.Selected());
  EXPECT_EQ(f.model.Selected()->Path, "C:\\src");
  EXPECT_EQ(f.Labels(f.model.Selected()), (Names{"lib"}));
}

TEST(FolderModelTest, NotificationsReloadTheirFolder) {
  Fixture f;
  TFolderNode* src = f.model.SelectPath("C:\\src");
  f.model.Expand(src);
  ASSERT_TRUE(src->Expanded);

  f.ns.Add("/drives/C:/src", "new", "C:\\src\\new");
  f.model.Notify(kNotifyMakeFolder, true, "C:\\src\\new");
  src = f.model.FindNode("C:\\src", true);
  ASSERT_TRUE(src);
  EXPECT_EQ(f.Labels(src), (Names{"lib", "new", "old"}));
  EXPECT_TRUE(src->Expanded);

  f.ns.Remove("/drives/C:/src", "old");
  f.ns.Add("/drives/C:/src", "renamed", "C:\\src\\renamed");
  f.model.Notify(kNotifyRenameFolder, true, "C:\\src\\old");
  EXPECT_EQ(f.Labels(src), (Names{"lib", "new", "renamed"}));

  // Missing item lists, or lists without a path, change nothing.
  TFolderNode* selected = f.model.Selected();
  const int deleted = f.view.deleted;
  f.model.Notify(kNotifyMakeFolder, false, "");
  f.model.Notify(kNotifyMakeFolder, true, "");
  f.model.Notify(kNotifyMediaInserted, false, "");
  EXPECT_EQ(f.model.Selected(), selected);
  EXPECT_EQ(f.view.deleted, deleted);

  // A new folder on the desktop reloads the top; its special nodes stay.
  f.ns.Add("", "C", "C:\\Users\\me\\Desktop\\C");
  f.model.Notify(kNotifyMakeFolder, true, "C:\\Users\\me\\Desktop\\C");
  EXPECT_EQ(f.Labels(f.model.Top()), (Names{"Network", "Trash", "My Computer", "A", "b", "C"}));
  EXPECT_EQ(f.view.depth, 0);
}

TEST(FolderModelTest, DriveRefreshes) {
  Fixture f;
  TFolderNode* c = f.model.FindNode("C:\\", true);
  ASSERT_TRUE(c);
  f.model.Expand(c);
  ASSERT_FALSE(c->Children.empty());
  f.model.RefreshDrive('Q', true);  // no such drive: nothing happens
  EXPECT_FALSE(c->Children.empty());
  f.model.RefreshDrive('c', false);  // a new label: reloaded
  EXPECT_EQ(c->Text, " (C:)");
  EXPECT_TRUE(c->Children.empty());
  EXPECT_TRUE(c->HasChildren);
  EXPECT_FALSE(c->Expanded);
  f.model.Expand(c);
  f.model.Notify(kNotifyMediaRemoved, true, "C:\\");  // same label, no force: kept
  EXPECT_FALSE(c->Children.empty());
  f.ns.parseFails = true;  // the drive does not parse: reloaded as if forced
  f.model.RefreshDrive('C', false);
  EXPECT_TRUE(c->Children.empty());
  EXPECT_EQ(c->Text, " (C:)");

  // A folder that cannot be listed keeps its expand button.
  f.ns.unlistable.insert("/drives/Z:");
  TFolderNode* z = f.model.FindNode("Z:\\", true);
  EXPECT_FALSE(f.model.Expanding(z));
  EXPECT_TRUE(z->HasChildren);
}

}  // namespace
