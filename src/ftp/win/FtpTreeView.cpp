// See FtpTreeView.h.
#include "ftp/win/FtpTreeView.h"

#include "ftp/FtpCache.h"
#include "ftp/FtpMisc.h"
#include "ftp/FtpViewData.h"
#include "ftp/win/FtpShell.h"
#include "platform/SysUtils.h"
#include "platform/win/Forms.h"

#include <shellapi.h>

#include <deque>
#include <unordered_map>

namespace {

// Posted to ourselves on a click: the tree selects the clicked node only
// after it has told us of the click.
constexpr UINT kMsgClicked = WM_APP + 0x51;

// The remote path's folder names ("/pub/docs/" gives pub, docs).
std::vector<std::string> PathNames(const std::string& path) {
  std::vector<std::string> names;
  size_t at = 0;
  while (at <= path.size()) {
    size_t slash = path.find('/', at);
    if (slash == std::string::npos) slash = path.size();
    if (slash > at) names.push_back(path.substr(at, slash - at));
    at = slash + 1;
  }
  return names;
}

class TCursorScope {
public:
  explicit TCursorScope(TCursor cursor) : FSaved(Screen ? Screen->GetCursor() : crDefault) {
    if (Screen) Screen->SetCursor(cursor);
  }
  ~TCursorScope() {
    if (Screen) Screen->SetCursor(FSaved);
  }

private:
  TCursor FSaved;
};

}  // namespace

// ---------------------------------------------------------------------------
// TMFtpSiteInfo
// ---------------------------------------------------------------------------
void TMFtpSiteInfo::Add(const std::string& url, TTreeNode* node) {
  FSites.push_back(url);
  FNodes.push_back(node);
  ++FCount;
}

void TMFtpSiteInfo::Delete(int index) {
  if (index < 0 || index >= FCount) return;
  FSites.erase(FSites.begin() + index);
  FNodes.erase(FNodes.begin() + index);
  --FCount;
}

int TMFtpSiteInfo::IndexOf(const std::string& url) const {
  for (int i = 0; i < FCount; ++i)
    if (FSites[static_cast<size_t>(i)] == url) return i;
  return -1;
}

// ---------------------------------------------------------------------------
// TMFtpTreeView
// ---------------------------------------------------------------------------
TMFtpTreeView::TMFtpTreeView(TComponent* owner)
    : TTreeView(owner), FDroppedFiles(std::make_unique<TStringList>()),
      FSiteInfo(std::make_unique<TMFtpSiteInfo>(this)) {
  // The pictures are filled in when the window is made or the list is
  // asked for (see MakeImages): the shell builds its icons slowly, and the
  // tree is mostly made hidden at start-up and seldom shown.
  FSystemImages = new TCustomImageList(this);
  FSystemImages->SetShareImages(true);
  FTreeImages = new TCustomImageList(this);
  SetImages(FTreeImages);
  // Children stay in the order they were added: the folders come sorted
  // from the listing, and a comparison that answers "after" for every pair
  // is no order at all.
  SetSortType(stNone);
  SetShowRoot(false);
  SetWebStyle(true);
}

TMFtpTreeView::~TMFtpTreeView() {
  ReleaseClient();
  FClient = nullptr;
  OnExpanding = nullptr;
  OnCollapsing = nullptr;
}

void TMFtpTreeView::MakeImages() const {
  if (FImagesMade) return;
  FImagesMade = true;
  FSystemImages->SetHandle(ShellImageList(true));
  for (bool open : {true, false}) {
    HICON icon = ShellFolderIcon(open);
    if (icon) {
      FTreeImages->AddIcon(icon);
      ::DestroyIcon(icon);
    }
  }
  if (HBITMAP site = static_cast<HBITMAP>(
          ::LoadImageA(::GetModuleHandleA(nullptr), "REMOTE_FOLDER", IMAGE_BITMAP, 0, 0, 0))) {
    FTreeImages->AddMasked(site, RGB(255, 0, 255));
    ::DeleteObject(site);
  }
}

TCustomImageList* TMFtpTreeView::GetTreeImages() const {
  MakeImages();
  return FTreeImages;
}

void TMFtpTreeView::CreateWnd() {
  // Before the tree's own window: it hands the list to the window.
  MakeImages();
  TTreeView::CreateWnd();
  ::DragAcceptFiles(GetHandle(), FAccept);
}

void TMFtpTreeView::ReleaseClient() {
  if (!FClient) return;
  FClient->UnregisterInfoSink(FInfoSlot);
  FClient->UnregisterSink(ftpSinkDirectoryChanged, FDirSlot);
  FClient->UnregisterSink(ftpSinkListingDone, FListingSlot);
  FClient->RemoveFreeNotification(this);
  FInfoSlot = FDirSlot = FListingSlot = -1;
}

void TMFtpTreeView::SetClient(TMFtp* client) {
  if (client == FClient) return;
  ReleaseClient();
  FClient = client;
  if (!FClient) {
    AttachExpanding(false);
    ClearNodes();
    FRoot = FCurrent = nullptr;
    return;
  }
  FClient->FreeNotification(this);
  FInfoSlot = FClient->RegisterInfoSink([this](TObject*, int info, const std::string&) { SiteLoggedIn(info); });
  FDirSlot = FClient->RegisterSink(ftpSinkDirectoryChanged, [this](TObject*) { DirectoryChanged(); });
  FListingSlot = FClient->RegisterSink(ftpSinkListingDone, [this](TObject*) { ListingDone(); });
  if (FClient->GetDirectoryList().GetCount() + FClient->GetFileList().GetCount() > 0) ListingDone();
}

void TMFtpTreeView::Notification(TComponent* component, TOperation operation) {
  TTreeView::Notification(component, operation);
  if (operation == opRemove && component == FClient) {
    FClient = nullptr;
    FInfoSlot = FDirSlot = FListingSlot = -1;
  }
}

void TMFtpTreeView::SetAccept(bool value) {
  FAccept = value;
  if (HandleAllocated()) ::DragAcceptFiles(GetHandle(), value);
}

void TMFtpTreeView::SetWebStyle(bool value) {
  FWebStyle = value;
  SetHotTrack(value);
}

bool TMFtpTreeView::IsTopNode(TTreeNode* node) const {
  for (int i = 0; i < GetTopCount(); ++i)
    if (GetTopItem(i) == node) return true;
  return false;
}

TTreeNode* TMFtpTreeView::ChildNamed(TTreeNode* parent, const std::string& name) const {
  for (int i = 0; i < parent->GetCount(); ++i)
    if (parent->GetItem(i)->GetText() == name) return parent->GetItem(i);
  return nullptr;
}

TTreeNode* TMFtpTreeView::AddFolder(TTreeNode* parent, const std::string& name, bool hasChildren) {
  TTreeNode* node = AddChild(parent, name);
  node->SetImageIndex(imgClosedFolder);
  node->SetSelectedIndex(imgOpenFolder);
  node->SetHasChildren(hasChildren);
  return node;
}

TTreeNode* TMFtpTreeView::PathNode(const std::string& path, bool* whole) {
  TTreeNode* node = FRoot;
  int level = 0;
  for (const std::string& name : PathNames(path)) {
    if (++level > kMaxPathDepth) {
      if (whole) *whole = false;
      return node;
    }
    TTreeNode* child = ChildNamed(node, name);
    node = child ? child : AddFolder(node, name, true);
  }
  if (whole) *whole = true;
  return node;
}

bool TMFtpTreeView::EnsurePath(const std::string& path) {
  if (!FRoot || !IsTopNode(FRoot)) return false;
  bool whole = false;
  FCurrent = PathNode(path, &whole);
  return whole;
}

void TMFtpTreeView::AttachExpanding(bool on) {
  if (on) {
    OnCollapsing = [this](TObject*, TTreeNode*, bool&) { FCollapsing = true; };
    OnExpanding = [this](TObject*, TTreeNode* node, bool& allow) { NodeExpanding(node, allow); };
  } else {
    OnExpanding = nullptr;
  }
}

void TMFtpTreeView::SiteLoggedIn(int info) {
  if (info != ftpInfoLoggedIn || !FClient) return;
  AttachExpanding(false);
  const std::string url =
      MakeURL(FClient->GetServer(), FClient->GetPort(), FClient->Username, FClient->Password);
  FRoot = nullptr;
  int known = FSiteInfo->IndexOf(url);
  if (known >= 0) {
    if (IsTopNode(FSiteInfo->Node(known))) FRoot = FSiteInfo->Node(known);
    else FSiteInfo->Delete(known);
  }
  if (!FRoot) {
    FRoot = AddChild(nullptr, "ftp://" + FClient->GetServer() + "/");
    FRoot->SetImageIndex(imgSite);
    FRoot->SetSelectedIndex(imgSite);
    FRoot->SetHasChildren(true);
    FSiteInfo->Add(url, FRoot);
    TCursorScope busy(crAppStart);
    PreloadFromCache("/", -1);
  }
  FRoot->Expand();
  EnsurePath(FClient->GetCurrentDir());
  SetSelected(FCurrent);
  FCollapsing = false;
  AttachExpanding(true);
}

void TMFtpTreeView::DirectoryChanged() {
  if (!FClient || !FRoot) return;
  const std::string& dir = FClient->GetCurrentDir();
  if (dir == "/") {
    FCurrent = FRoot;
  } else {
    EnsurePath(dir);
  }
  SetSelected(FCurrent);
}

void TMFtpTreeView::ListingDone() {
  if (!FClient) return;
  AttachExpanding(false);
  // A folder deeper than the tree shows lends its listing to no node.
  const bool whole = EnsurePath(FClient->GetCurrentDir());
  if (FCurrent && !whole) {
    SetSelected(FCurrent);
  } else if (FCurrent) {
    if (!FClient->GetListingSuppressed()) {
      FCurrent->DeleteChildren();
      PreloadFromCache(FClient->GetCurrentDir(), 2);
    }
    const TMFtpFileInfoList& dirs = FClient->GetDirectoryList();
    for (int i = 0; i < dirs.GetCount(); ++i) {
      const std::string& name = dirs.Name(i);
      if (!UsableFolderName(name) || ChildNamed(FCurrent, name)) continue;
      AddFolder(FCurrent, name, dirs.GetColumn(i, fcLink).empty());
    }
    FCurrent->SetHasChildren(FCurrent->GetCount() > 0);
    if (FCurrent->GetCount() > 0 && !FCollapsing) FCurrent->Expand();
    FCollapsing = false;
    EnsurePath(FClient->GetCurrentDir());
    SetSelected(FCurrent);
  }
  AttachExpanding(true);
}

void TMFtpTreeView::PreloadFromCache(const std::string& path, int depth) {
  if (depth == 0 || !FPreload || !FClient || !FRoot || !IsTopNode(FRoot)) return;
  // Breadth first with a queue of our own: how deep a cache goes is the
  // servers' doing, never our stack's.
  struct TPending {
    std::string Path;
    TTreeNode* Node;
    int Depth;  // levels still to read; below 0 means as deep as allowed
    int Level;
  };
  bool whole = false;
  TTreeNode* start = PathNode(path, &whole);
  if (!whole) return;  // the folder has no node of its own to fill
  std::deque<TPending> pending{{path.empty() ? "/" : path, start, depth, 0}};
  int added = 0;
  TMFtpFileInfoList cached;
  while (!pending.empty() && added < kPreloadMaxNodes) {
    TPending p = std::move(pending.front());
    pending.pop_front();
    std::string file = CacheFileName(FClient->GetServer(), FClient->Username, p.Path, true, FClient->GetPort());
    if (!FileExists(file) || !LoadCacheFile(file, cached)) continue;
    // The children by name, looked up once per folder rather than by a
    // walk over the siblings for every cached name.
    std::unordered_map<std::string, TTreeNode*> children;
    for (int i = 0; i < p.Node->GetCount(); ++i) children.emplace(p.Node->GetItem(i)->GetText(), p.Node->GetItem(i));
    for (int i = 0; i < cached.GetCount() && added < kPreloadMaxNodes; ++i) {
      const std::string& name = cached.Name(i);
      if (!UsableFolderName(name)) continue;
      TTreeNode*& child = children[name];
      if (!child) {
        child = AddFolder(p.Node, name, cached.GetColumn(i, fcLink).empty());
        ++added;
      }
      if (p.Depth != 1 && p.Level + 1 < kPreloadMaxDepth)
        pending.push_back({JoinRemotePath(p.Path, name), child, p.Depth - 1, p.Level + 1});
    }
    p.Node->SetHasChildren(p.Node->GetCount() > 0);
  }
}

std::string TMFtpTreeView::GetNodeURL(TTreeNode* node) const {
  if (!node) return std::string();
  std::vector<std::string> names;
  TTreeNode* top = node;
  while (top->GetParent()) {
    names.insert(names.begin(), top->GetText());
    top = top->GetParent();
  }
  return FolderNodeURL(top->GetText(), names);
}

void TMFtpTreeView::SelectionChanged() {
  TTreeNode* selected = GetSelected();
  if (!selected || selected == FCurrent || !FClient || FClient->GetBusy()) return;
  FClient->OpenURL(GetNodeURL(selected));
}

void TMFtpTreeView::NodeExpanding(TTreeNode* node, bool&) {
  if (FCollapsing) return;
  SetSelected(node);
  if (node != FCurrent && node->GetHasChildren() && node->GetCount() == 0 && FClient && !FClient->GetBusy())
    FClient->OpenURL(GetNodeURL(node));
}

void TMFtpTreeView::WndProc(TMessage& msg) {
  if (HandleFileDrop(msg, *FDroppedFiles, OnFileDropped, this)) return;
  switch (msg.Msg) {
    case CN_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(msg.LParam);
      if ((hdr->code == NM_CLICK && FWebStyle) || (hdr->code == NM_DBLCLK && !FWebStyle))
        ::PostMessageA(GetHandle(), kMsgClicked, 0, 0);
      break;
    }
    case kMsgClicked:
      SelectionChanged();
      return;
    default:
      break;
  }
  TTreeView::WndProc(msg);
}
