// A scripted namespace for the folder tree's model: folders by identifier
// with their names, what exists on disk, what cannot be listed, and a
// view that counts its redraw lock. Fixture builds a small desktop with
// two drives (Z: before C:, as a shell may list them) and a few folders.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "kit/FolderNodes.h"

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
