// The shell folder tree without its window: the node records, the path
// rules, loading and ordering children, labels, and what each change
// notification does. It works against a narrow namespace source (the
// shell under Windows, a scripted one in tests) and tells a view what to
// show; win/FolderTree mirrors it in a tree-view control.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum TFolderKind : uint8_t {
  fnFolder = 0, fnNetwork = 1, fnRecycleBin = 2, fnComputer = 3, fnDesktop = 4, fnNetworkChild = 5
};
enum TDisplayMode { dmAsis, dmUppercase, dmLowercase };
enum TFolderOption { foNetworkNeighborhood = 1, foRecycleBin = 2 };  // bits of FolderOptions

// The shell's special folders the tree asks for.
constexpr int kSpecialDesktop = 0, kSpecialRecycleBin = 10, kSpecialDrives = 17, kSpecialNetwork = 18;

// Change events the tree follows (the shell's numbers).
constexpr uint32_t kNotifyMakeFolder = 8, kNotifyRemoveFolder = 16, kNotifyMediaInserted = 32,
                   kNotifyMediaRemoved = 64, kNotifyRenameFolder = 0x20000;

// An item as the namespace describes it.
struct TNamespaceItem {
  std::string Id;  // its identifier list: relative to the folder it came from, opaque
  std::string Normal, Parsing, InFolder;  // its three names
  bool HasSubfolder = false, FileSystem = false, Shared = false, Link = false, Folder = false;
  int Icon = -1, OpenIcon = -1;
};

class TNamespaceSource {
public:
  virtual ~TNamespaceSource() = default;
  // A special folder (absolute identifier list, names, icons); false when
  // the system has none.
  virtual bool SpecialFolder(int which, TNamespaceItem& item) = 0;
  // The folders (hidden ones too) inside the folder with the absolute
  // list, with their attributes; false when the listing cannot start.
  virtual bool EnumFolders(const std::string& absoluteId, std::vector<TNamespaceItem>& items) = 0;
  // A drive root ("X:\") parsed through the computer's folder.
  virtual bool ParseDrive(const std::string& root, TNamespaceItem& item) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
};

struct TFolderNode {
  std::string Path;  // the full parsing name; see the kinds
  std::string Name;  // the name inside its parent, from which labels are made
  bool Relative = false;
  TFolderKind Kind = fnFolder;
  std::string Id;  // the absolute identifier list
  std::string Text;
  int Image = -1, SelectedImage = -1;
  int Overlay = -1;  // 0 shared, 1 link, -1 none
  bool HasChildren = false;
  bool Expanded = false;
  TFolderNode* Parent = nullptr;
  std::vector<std::unique_ptr<TFolderNode>> Children;
  void* ViewData = nullptr;  // the view's own handle for the node
};

// What the model tells the window that shows it.
class TFolderView {
public:
  virtual ~TFolderView() = default;
  virtual void NodeAdded(TFolderNode* node, int index) = 0;  // index among its siblings
  virtual void NodeDeleting(TFolderNode* node) = 0;  // before it and its subtree go
  virtual void NodeChanged(TFolderNode* node) = 0;   // label, images or expand button
  virtual void ChildrenSorted(TFolderNode* node) = 0;
  virtual void ExpandNode(TFolderNode* node, bool expand) = 0;
  virtual void SelectionChanged(TFolderNode* node) = 0;
  // A counted lock: nested bulk changes redraw once, when the outermost ends.
  virtual void LockUpdate() = 0;
  virtual void UnlockUpdate() = 0;
};

class TFolderModel {
public:
  TFolderModel(TNamespaceSource& source, TFolderView* view) : FSource(source), FView(view) {}

  // The desktop, the computer with its drives, and the desktop's folders.
  void Build();
  // Deletes every node (refresh rebuilds with Build).
  void Clear();
  const std::vector<std::unique_ptr<TFolderNode>>& Roots() const { return FRoots; }
  TFolderNode* Top() const { return FRoots.empty() ? nullptr : FRoots.front().get(); }
  TFolderNode* FindKind(TFolderKind kind) const;
  const std::string& DesktopPath() const { return FDesktopPath; }

  int GetFolderOptions() const { return FOptions; }
  void SetFolderOptions(int options);
  TDisplayMode GetDisplayMode() const { return FDisplayMode; }
  void SetDisplayMode(TDisplayMode mode);

  // Empty for no node and for the network, recycle bin, computer and
  // network children; a drive's "X:" gains its backslash.
  std::string GetNodePath(const TFolderNode* node) const;
  TFolderNode* SelectPath(const std::string& path);
  TFolderNode* Selected() const { return FSelected; }
  void Select(TFolderNode* node);
  // Takes the node the user selected in the view, without telling it back.
  void AdoptSelection(TFolderNode* node) { FSelected = node; }

  // The view is about to expand the node: loads it when it has no child
  // nodes yet; false forbids the expansion (nothing to show).
  bool Expanding(TFolderNode* node);
  void SetExpanded(TFolderNode* node, bool expanded) { node->Expanded = expanded; }
  void Expand(TFolderNode* node);
  void CollapseAll(TFolderNode* node);
  bool LoadChildren(TFolderNode* node);
  void DeleteChildren(TFolderNode* node);
  // Double-click: a drive or network node may be reloaded; a folder that
  // vanished refreshes its drive.
  void CheckSelection();
  void RefreshDrive(char letter, bool force);
  // A shell change. hasPath is false when the notification carried no
  // item list or one without a file-system path: such a change is ignored.
  void Notify(uint32_t event, bool hasPath, const std::string& path);
  TFolderNode* FindNode(const std::string& path, bool noLoad);

private:
  TFolderNode* AddNode(TFolderNode* parent, const TNamespaceItem& item, bool forced);
  void DeleteNode(TFolderNode* node);
  std::string Label(const std::string& name) const;
  void SetOption(TFolderKind kind, int special, bool present);

  TNamespaceSource& FSource;
  TFolderView* FView;
  std::vector<std::unique_ptr<TFolderNode>> FRoots;
  std::string FDesktopPath;
  int FOptions = 0;
  TDisplayMode FDisplayMode = dmAsis;
  TFolderNode* FSelected = nullptr;
};
