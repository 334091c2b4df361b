// The folder tree's model. See FolderNodes.h.
#include "kit/FolderNodes.h"

#include <algorithm>

#include "platform/SysUtils.h"

namespace {

std::string Lower(const std::string& s) { return AnsiLowerCase(s); }

std::string WithoutTrailingBackslash(std::string s) {
  if (!s.empty() && s.back() == '\\') s.pop_back();
  return s;
}

// The view's lock, released however the bulk change ends.
class TUpdateLock {
public:
  explicit TUpdateLock(TFolderView* view) : FView(view) {
    if (FView) FView->LockUpdate();
  }
  ~TUpdateLock() {
    if (FView) FView->UnlockUpdate();
  }
  TUpdateLock(const TUpdateLock&) = delete;
  TUpdateLock& operator=(const TUpdateLock&) = delete;

private:
  TFolderView* FView;
};

}  // namespace

std::string TFolderModel::Label(const std::string& name) const {
  switch (FDisplayMode) {
    case dmUppercase: return AnsiUpperCase(name);
    case dmLowercase: return AnsiLowerCase(name);
    default: return name;
  }
}

TFolderNode* TFolderModel::FindKind(TFolderKind kind) const {
  TFolderNode* top = Top();
  if (!top) return nullptr;
  if (top->Kind == kind) return top;
  for (auto& c : top->Children)
    if (c->Kind == kind) return c.get();
  return nullptr;
}

TFolderNode* TFolderModel::AddNode(TFolderNode* parent, const TNamespaceItem& item, bool forced) {
  const bool underNetwork = parent && (parent->Kind == fnNetwork || parent->Kind == fnNetworkChild);
  const bool fileSystem = item.FileSystem || underNetwork;
  if (!forced && !fileSystem) return nullptr;
  auto node = std::make_unique<TFolderNode>();
  node->Id = (parent ? parent->Id : std::string()) + item.Id;
  node->Image = item.Icon;
  node->SelectedImage = item.Folder ? item.OpenIcon : item.Icon;
  node->Path = item.Parsing;
  node->Name = item.InFolder;
  node->Relative = parent != nullptr;
  if (parent && parent->Kind == fnNetwork) {
    node->Kind = fnNetworkChild;
    node->Path = "\\\\" + item.InFolder;
  }
  node->Overlay = item.Shared ? 0 : (item.Link ? 1 : -1);
  node->HasChildren = item.HasSubfolder;
  node->Text = Label(item.Normal);
  node->Parent = parent;
  TFolderNode* raw = node.get();
  int index;
  if (!parent) {
    FRoots.insert(FRoots.begin(), std::move(node));
    index = 0;
  } else if (forced && !fileSystem) {
    parent->Children.insert(parent->Children.begin(), std::move(node));
    index = 0;
  } else {
    parent->Children.push_back(std::move(node));
    index = static_cast<int>(parent->Children.size()) - 1;
  }
  if (FView) FView->NodeAdded(raw, index);
  return raw;
}

void TFolderModel::DeleteNode(TFolderNode* node) {
  if (FView) FView->NodeDeleting(node);
  // The selection never points at a node that is gone.
  for (TFolderNode* p = FSelected; p; p = p->Parent)
    if (p == node) {
      FSelected = nullptr;
      break;
    }
  auto& list = node->Parent ? node->Parent->Children : FRoots;
  list.erase(std::remove_if(list.begin(), list.end(), [node](const auto& n) { return n.get() == node; }),
             list.end());
}

void TFolderModel::Clear() {
  TUpdateLock lock(FView);
  while (!FRoots.empty()) DeleteNode(FRoots.back().get());
  FSelected = nullptr;
}

void TFolderModel::Build() {
  TUpdateLock lock(FView);
  TNamespaceItem desktop, drives;
  if (!FSource.SpecialFolder(kSpecialDesktop, desktop)) return;
  FDesktopPath = desktop.Parsing;
  TFolderNode* top = AddNode(nullptr, desktop, true);
  top->Path = FDesktopPath;
  top->Kind = fnDesktop;
  // The desktop's own list is empty, so a special folder's absolute list is
  // also its list relative to the top.
  if (FSource.SpecialFolder(kSpecialDrives, drives)) {
    TFolderNode* computer = AddNode(top, drives, true);
    computer->Path.clear();
    computer->Kind = fnComputer;
  }
  LoadChildren(top);
  const int options = FOptions;
  FOptions = 0;
  SetFolderOptions(options);
  Expand(top);
  if (TFolderNode* computer = FindKind(fnComputer)) Expand(computer);
}

void TFolderModel::SetOption(TFolderKind kind, int special, bool present) {
  TFolderNode* top = Top();
  if (!top) return;
  TFolderNode* existing = FindKind(kind);
  if (!present) {
    if (existing) DeleteNode(existing);
    return;
  }
  if (existing) return;
  TNamespaceItem item;
  if (!FSource.SpecialFolder(special, item)) return;
  item.FileSystem = false;  // a forced node of its own kind, first under the top
  TFolderNode* node = AddNode(top, item, true);
  node->Kind = kind;
  if (kind == fnNetwork) node->Path = "\\\\";
}

void TFolderModel::SetFolderOptions(int options) {
  FOptions = options;
  TUpdateLock lock(FView);
  SetOption(fnRecycleBin, kSpecialRecycleBin, (options & foRecycleBin) != 0);
  SetOption(fnNetwork, kSpecialNetwork, (options & foNetworkNeighborhood) != 0);
}

void TFolderModel::SetDisplayMode(TDisplayMode mode) {
  FDisplayMode = mode;
  TUpdateLock lock(FView);
  std::vector<TFolderNode*> stack;
  for (auto& r : FRoots) stack.push_back(r.get());
  while (!stack.empty()) {
    TFolderNode* n = stack.back();
    stack.pop_back();
    n->Text = Label(n->Name);
    if (FView) FView->NodeChanged(n);
    for (auto& c : n->Children) stack.push_back(c.get());
  }
}

std::string TFolderModel::GetNodePath(const TFolderNode* node) const {
  if (!node) return std::string();
  if (node->Kind == fnNetwork || node->Kind == fnRecycleBin || node->Kind == fnComputer ||
      node->Kind == fnNetworkChild)
    return std::string();
  std::string path = node->Path;
  if (path.size() == 1 || path.size() == 2) path += '\\';
  return path;
}

bool TFolderModel::LoadChildren(TFolderNode* node) {
  TUpdateLock lock(FView);
  std::vector<TNamespaceItem> items;
  if (!FSource.EnumFolders(node->Id, items)) {
    // Kept expandable: it may list another time.
    node->HasChildren = true;
    if (FView) FView->NodeChanged(node);
    return false;
  }
  bool added = false;
  for (const TNamespaceItem& item : items)
    if (AddNode(node, item, false)) added = true;
  node->HasChildren = added || !node->Children.empty();
  if (FView) FView->NodeChanged(node);
  if (node->Kind != fnNetwork && node->Kind != fnComputer && node->Children.size() > 1) {
    auto special = [](const TFolderNode& n) {
      return n.Kind == fnNetwork || n.Kind == fnRecycleBin || n.Kind == fnComputer;
    };
    std::stable_sort(node->Children.begin(), node->Children.end(), [&](const auto& a, const auto& b) {
      if (special(*a) != special(*b)) return special(*a);
      if (special(*a)) return false;
      return CompareText(a->Text, b->Text) < 0;
    });
    if (FView) FView->ChildrenSorted(node);
  }
  return added;
}

bool TFolderModel::Expanding(TFolderNode* node) {
  if (!node->Children.empty()) return true;
  return LoadChildren(node);
}

void TFolderModel::Expand(TFolderNode* node) {
  if (!Expanding(node)) return;
  node->Expanded = true;
  if (FView) FView->ExpandNode(node, true);
}

void TFolderModel::CollapseAll(TFolderNode* node) {
  for (auto& c : node->Children) CollapseAll(c.get());
  if (node->Expanded) {
    node->Expanded = false;
    if (FView) FView->ExpandNode(node, false);
  }
}

void TFolderModel::DeleteChildren(TFolderNode* node) {
  TUpdateLock lock(FView);
  for (size_t i = node->Children.size(); i-- > 0;) {
    TFolderNode* child = node->Children[i].get();
    // The top's special nodes are kept: reloading the desktop would lose
    // them for good.
    if (child->Kind == fnNetwork || child->Kind == fnComputer || child->Kind == fnRecycleBin) continue;
    DeleteNode(child);
  }
  node->HasChildren = true;
  if (FView) FView->NodeChanged(node);
}

void TFolderModel::Select(TFolderNode* node) {
  FSelected = node;
  if (FView) FView->SelectionChanged(node);
}

TFolderNode* TFolderModel::FindNode(const std::string& path, bool noLoad) {
  std::string p = Lower(path);
  if (p.size() < 3) return nullptr;
  p = WithoutTrailingBackslash(p);
  const std::string desktop = Lower(FDesktopPath);
  std::vector<std::string> components;
  while (!p.empty()) {
    const size_t slash = p.rfind('\\');
    std::string component = slash == std::string::npos ? p : p.substr(slash + 1);
    if (component.empty() || p == desktop) component = p;
    components.insert(components.begin(), component);
    p.resize(p.size() - component.size());
    if (!p.empty() && p.back() == '\\') p.pop_back();
  }
  if (components.empty()) return nullptr;
  TFolderNode* node = nullptr;
  if (!desktop.empty() && components[0] == desktop) {
    node = Top();
  } else {
    // The first part names a drive, or the network for "\\": searched
    // among the start node and the siblings after it.
    TFolderNode* start = nullptr;
    if (components[0] == "\\") {
      start = FindKind(fnNetwork);
    } else if (TFolderNode* computer = FindKind(fnComputer)) {
      if (computer->Children.empty()) Expand(computer);
      if (!computer->Children.empty()) start = computer->Children.front().get();
    }
    if (start) {
      auto& siblings = start->Parent ? start->Parent->Children : FRoots;
      bool from = false;
      for (auto& s : siblings) {
        from = from || s.get() == start;
        if (from && WithoutTrailingBackslash(Lower(s->Path)) == components[0]) {
          node = s.get();
          break;
        }
      }
    }
  }
  if (!node) return nullptr;
  std::string sofar = components[0];
  for (size_t i = 1; i < components.size(); ++i) {
    if (node->Children.empty() && !noLoad) LoadChildren(node);
    sofar += "\\" + components[i];
    TFolderNode* next = nullptr;
    for (auto& c : node->Children)
      if (Lower(c->Path) == sofar) {
        next = c.get();
        break;
      }
    if (!next) return noLoad ? nullptr : node;
    node = next;
  }
  return node;
}

TFolderNode* TFolderModel::SelectPath(const std::string& path) {
  if (path.empty()) return nullptr;
  TFolderNode* node = FindNode(path, false);
  Select(node);
  if (node && node->Path.size() > 3 && !FSource.FolderExists(node->Path)) {
    CheckSelection();
    // The drive is loaded afresh; the deepest folder still there is shown.
    Select(FindNode(path, false));
    return nullptr;
  }
  return node;
}

void TFolderModel::CheckSelection() {
  TFolderNode* node = FSelected;
  if (!node) return;
  if (node->Path.size() <= 3 || node->Path[0] == '\\') {
    node->HasChildren = true;
    if (FView) FView->NodeChanged(node);
  } else if (!FSource.FolderExists(node->Path)) {
    RefreshDrive(node->Path[0], true);
  }
}

void TFolderModel::RefreshDrive(char letter, bool force) {
  TFolderNode* computer = FindKind(fnComputer);
  if (!computer) return;
  TFolderNode* drive = nullptr;
  for (auto& c : computer->Children)
    if (!c->Path.empty() && AnsiUpperChar(c->Path[0]) == AnsiUpperChar(letter)) {
      drive = c.get();
      break;
    }
  // A letter without a node has nothing to refresh.
  if (!drive) return;
  TNamespaceItem item;
  const bool parsed = FSource.ParseDrive(std::string(1, letter) + ":\\", item);
  // A drive that no longer parses is reloaded as a forced refresh would.
  const std::string label = parsed ? Label(item.Normal) : drive->Text;
  if (parsed && !force && label == drive->Text) return;
  {
    TUpdateLock lock(FView);
    DeleteChildren(drive);
    CollapseAll(drive);
  }
  drive->Text = label;
  if (FView) FView->NodeChanged(drive);
}

void TFolderModel::Notify(uint32_t event, bool hasPath, const std::string& path) {
  if (!hasPath || path.empty()) return;
  event &= 0x7FFFFFFF;
  if (event == kNotifyMediaInserted || event == kNotifyMediaRemoved) {
    RefreshDrive(path[0], false);
    return;
  }
  TFolderNode* node = nullptr;
  if (event == kNotifyMakeFolder) {
    node = FindNode(path, false);
  } else if (event == kNotifyRemoveFolder || event == kNotifyRenameFolder) {
    node = FindNode(path, true);
    if (node) node = node->Parent;
  } else {
    return;
  }
  if (!node) return;
  const bool wasExpanded = node->Expanded;
  {
    TUpdateLock lock(FView);
    if (wasExpanded) CollapseAll(node);
    DeleteChildren(node);
    if (node == Top()) LoadChildren(node);
  }
  Expanding(node);
  if (wasExpanded) Expand(node);
}
