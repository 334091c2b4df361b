// The folder tree's model against a scripted namespace: order, paths,
// selection, loading, and what notifications and refreshes do.
#include <gtest/gtest.h>

#include "ScriptedNamespace.h"

namespace {

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
