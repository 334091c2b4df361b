// The shell folder tree. See FolderTree.h.
#include "kit/win/FolderTree.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>

#include "platform/SysUtils.h"
#include "platform/win/ImgList.h"
#include "platform/win/UtilWindow.h"

namespace {

constexpr UINT kChangeMessage = WM_USER + 2;
constexpr LONG kChangeEvents = 0x20078;  // make, remove and rename folder; media in and out

// The bytes of an identifier list, without its two-byte terminator.
std::string ListBytes(LPCITEMIDLIST pidl) {
  if (!pidl) return std::string();
  const BYTE* p = reinterpret_cast<const BYTE*>(pidl);
  size_t size = 0;
  for (;;) {
    USHORT cb;
    std::memcpy(&cb, p + size, sizeof cb);
    if (cb == 0) break;
    size += cb;
  }
  return std::string(reinterpret_cast<const char*>(p), size);
}

// An identifier list made from stored bytes, with its terminator.
std::string WithTerminator(const std::string& bytes) { return bytes + std::string(2, '\0'); }

LPCITEMIDLIST AsList(const std::string& terminated) {
  return reinterpret_cast<LPCITEMIDLIST>(terminated.data());
}

std::string DisplayName(IShellFolder* folder, LPCITEMIDLIST pidl, SHGDNF flags) {
  STRRET ret{};
  if (FAILED(folder->GetDisplayNameOf(pidl, flags, &ret))) return std::string();
  char buffer[MAX_PATH * 2] = {};
  // Any of the three return forms (wide, offset, inline) comes out here.
  if (FAILED(::StrRetToBufA(&ret, pidl, buffer, sizeof buffer))) return std::string();
  return buffer;
}

int IconOf(const std::string& absoluteBytes, bool open) {
  const std::string list = WithTerminator(absoluteBytes);
  SHFILEINFOA info{};
  UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
  if (!::SHGetFileInfoA(reinterpret_cast<LPCSTR>(AsList(list)), 0, &info, sizeof info, flags)) return -1;
  return info.iIcon;
}

// The shell as the tree's source of folders.
class TShellNamespace : public TNamespaceSource {
public:
  TShellNamespace() {
    ::SHGetDesktopFolder(&FDesktop);
    ::SHGetMalloc(&FMalloc);
  }
  ~TShellNamespace() override {
    if (FDesktop) FDesktop->Release();
    if (FMalloc) FMalloc->Release();
  }

  bool SpecialFolder(int which, TNamespaceItem& item) override {
    if (!FDesktop) return false;
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, which, &pidl)) || !pidl) return false;
    item = TNamespaceItem();
    item.Id = ListBytes(pidl);
    item.Normal = DisplayName(FDesktop, pidl, SHGDN_NORMAL);
    item.InFolder = DisplayName(FDesktop, pidl, SHGDN_INFOLDER);
    char path[MAX_PATH + 1] = {};
    if (::SHGetPathFromIDListA(pidl, path)) item.Parsing = path;
    else item.Parsing = DisplayName(FDesktop, pidl, SHGDN_FORPARSING);
    item.Icon = IconOf(item.Id, false);
    item.OpenIcon = IconOf(item.Id, true);
    item.Folder = true;
    item.HasSubfolder = true;
    Free(pidl);
    return true;
  }

  bool EnumFolders(const std::string& absoluteId, std::vector<TNamespaceItem>& items) override {
    IShellFolder* folder = Bind(absoluteId);
    if (!folder) return false;
    IEnumIDList* list = nullptr;
    const HRESULT hr = folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN, &list);
    if (FAILED(hr) || !list) {
      folder->Release();
      return false;
    }
    LPITEMIDLIST child = nullptr;
    ULONG fetched = 0;
    while (list->Next(1, &child, &fetched) == S_OK && child) {
      TNamespaceItem item;
      item.Id = ListBytes(child);
      SFGAOF attributes = SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_SHARE | SFGAO_LINK | SFGAO_FOLDER;
      LPCITEMIDLIST one = child;
      if (FAILED(folder->GetAttributesOf(1, &one, &attributes))) attributes = 0;
      item.HasSubfolder = attributes & SFGAO_HASSUBFOLDER;
      item.FileSystem = attributes & SFGAO_FILESYSTEM;
      item.Shared = attributes & SFGAO_SHARE;
      item.Link = attributes & SFGAO_LINK;
      item.Folder = attributes & SFGAO_FOLDER;
      item.Normal = DisplayName(folder, child, SHGDN_NORMAL);
      item.Parsing = DisplayName(folder, child, SHGDN_FORPARSING);
      item.InFolder = DisplayName(folder, child, SHGDN_INFOLDER);
      item.Icon = IconOf(absoluteId + item.Id, false);
      item.OpenIcon = IconOf(absoluteId + item.Id, true);
      items.push_back(std::move(item));
      Free(child);
      child = nullptr;
    }
    list->Release();
    folder->Release();
    return true;
  }

  bool ParseDrive(const std::string& root, TNamespaceItem& item) override {
    LPITEMIDLIST drives = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives)) || !drives) return false;
    IShellFolder* computer = Bind(ListBytes(drives));
    Free(drives);
    if (!computer) return false;
    wchar_t wide[8] = {};
    for (size_t i = 0; i < root.size() && i < 7; ++i) wide[i] = static_cast<unsigned char>(root[i]);
    LPITEMIDLIST pidl = nullptr;
    const HRESULT hr = computer->ParseDisplayName(nullptr, nullptr, wide, nullptr, &pidl, nullptr);
    if (SUCCEEDED(hr) && pidl) {
      item.Normal = DisplayName(computer, pidl, SHGDN_NORMAL);
      item.InFolder = DisplayName(computer, pidl, SHGDN_INFOLDER);
      Free(pidl);
    }
    computer->Release();
    return SUCCEEDED(hr);
  }

  bool FolderExists(const std::string& path) override { return DirectoryExists(path); }

private:
  IShellFolder* Bind(const std::string& absoluteId) {
    if (!FDesktop) return nullptr;
    if (absoluteId.empty()) {
      FDesktop->AddRef();
      return FDesktop;
    }
    const std::string list = WithTerminator(absoluteId);
    IShellFolder* folder = nullptr;
    if (FAILED(FDesktop->BindToObject(AsList(list), nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder))))
      return nullptr;
    return folder;
  }
  // Only what the shell's allocator handed out goes back to it.
  void Free(void* p) {
    if (p && FMalloc && FMalloc->DidAlloc(p) == 1) FMalloc->Free(p);
  }

  IShellFolder* FDesktop = nullptr;
  IMalloc* FMalloc = nullptr;
};

ULONG WINAPI RegisterByOrdinal(HWND wnd, int sources, LONG events, UINT msg, int count, const void* entries) {
  using TFn = ULONG(WINAPI*)(HWND, int, LONG, UINT, int, const void*);
  HMODULE shell = ::GetModuleHandleA("shell32.dll");
  auto fn = shell ? reinterpret_cast<TFn>(reinterpret_cast<void*>(::GetProcAddress(shell, MAKEINTRESOURCEA(2)))) : nullptr;
  return fn ? fn(wnd, sources, events, msg, count, entries) : 0;
}

void DeregisterByOrdinal(ULONG handle) {
  using TFn = BOOL(WINAPI*)(ULONG);
  HMODULE shell = ::GetModuleHandleA("shell32.dll");
  auto fn = shell ? reinterpret_cast<TFn>(reinterpret_cast<void*>(::GetProcAddress(shell, MAKEINTRESOURCEA(4)))) : nullptr;
  if (fn) fn(handle);
}

}  // namespace

TFolderTree::TRegisterFunction& TFolderTree::RegisterFunction() {
  static TRegisterFunction fn = &RegisterByOrdinal;
  return fn;
}

TFolderTree::TFolderTree(TComponent* owner) : TTreeView(owner) {
  SetReadOnly(true);
  OnExpanding = [this](TObject*, TTreeNode* node, bool& allow) {
    if (FModel && ModelNode(node)) allow = FModel->Expanding(ModelNode(node));
  };
  OnExpanded = [this](TObject*, TTreeNode* node) {
    if (FModel && ModelNode(node)) FModel->SetExpanded(ModelNode(node), true);
  };
  OnCollapsing = [this](TObject*, TTreeNode* node, bool&) {
    if (FModel && ModelNode(node)) FModel->SetExpanded(ModelNode(node), false);
  };
  // Siblings stand in the model's order.
  OnCompare = [](TObject*, TTreeNode* a, TTreeNode* b, int, int& result) {
    TFolderNode* x = ModelNode(a);
    TFolderNode* y = ModelNode(b);
    result = 0;
    if (!x || !y || !x->Parent || x->Parent != y->Parent) return;
    const auto& list = x->Parent->Children;
    auto place = [&](TFolderNode* n) {
      for (size_t i = 0; i < list.size(); ++i)
        if (list[i].get() == n) return static_cast<int>(i);
      return 0;
    };
    result = place(x) - place(y);
  };
}

TFolderTree::~TFolderTree() {
  if (FRegistration) DeregisterByOrdinal(FRegistration);
  FRegistration = 0;
  FNotifyWindow.reset();
  ClearNodes();
  FModel.reset();
  FSource.reset();
  if (FComStarted) ::CoUninitialize();
}

void TFolderTree::CreateWnd() {
  TTreeView::CreateWnd();
  if (!FModel) StartShell();
}

void TFolderTree::StartShell() {
  FComStarted = SUCCEEDED(::CoInitialize(nullptr));
  FSource = std::make_unique<TShellNamespace>();
  FModel = std::make_unique<TFolderModel>(*FSource, this);
  FModel->SetDisplayMode(FDisplayMode);
  // The system's small icons, shared with the shell, never destroyed here.
  char desktop[MAX_PATH + 1] = {};
  ::SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE);
  SHFILEINFOA info{};
  auto list = reinterpret_cast<HIMAGELIST>(
      ::SHGetFileInfoA(desktop, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  if (list) {
    FSystemImages = new TCustomImageList(this);
    FSystemImages->SetShareImages(true);
    FSystemImages->SetHandle(list);
    SetImages(FSystemImages);
  }
  FNotifyWindow = std::make_unique<TUtilityWindow>([this](TMessage& msg) { return ChangeMessage(msg); });
  struct {
    LPCITEMIDLIST pidl;
    BOOL recursive;
  } entry = {nullptr, TRUE};  // everything, recursively
  // Without the registration the tree still works; it only stops
  // following changes by itself.
  FRegistration = RegisterFunction()(FNotifyWindow->Handle(), SHCNRF_InterruptLevel | SHCNRF_ShellLevel,
                                     kChangeEvents, kChangeMessage, 1, &entry);
  FModel->SetFolderOptions(FFolderOptions);
  FModel->Build();
}

bool TFolderTree::ChangeMessage(TMessage& msg) {
  if (msg.Msg != kChangeMessage || !FModel) return false;
  // The item lists belong to the sender: read, never freed here.
  auto lists = reinterpret_cast<LPCITEMIDLIST*>(msg.WParam);
  char path[MAX_PATH + 1] = {};
  const bool hasPath = lists && lists[0] && ::SHGetPathFromIDListA(lists[0], path) && path[0];
  FModel->Notify(static_cast<uint32_t>(msg.LParam), hasPath, path);
  msg.Result = 0;
  return true;
}

TTreeNode* TFolderTree::SelectPath(const std::string& path) {
  HandleNeeded();
  if (!FModel) return nullptr;
  FModel->AdoptSelection(ModelNode(GetSelected()));
  return ViewNode(FModel->SelectPath(path));
}

std::string TFolderTree::GetNodePath(TTreeNode* node) const {
  return FModel ? FModel->GetNodePath(ModelNode(node)) : std::string();
}

void TFolderTree::SetDisplayMode(TDisplayMode mode) {
  FDisplayMode = mode;
  if (FModel) FModel->SetDisplayMode(mode);
}

void TFolderTree::SetFolderOptions(int options) {
  FFolderOptions = options;
  if (FModel) FModel->SetFolderOptions(options);
}

void TFolderTree::Rebuild() {
  if (!FModel) return HandleNeeded();
  FModel->Clear();
  FModel->Build();
}

void TFolderTree::DblClick() {
  if (FModel) {
    FModel->AdoptSelection(ModelNode(GetSelected()));
    FModel->CheckSelection();
  }
  TTreeView::DblClick();
}

void TFolderTree::NodeAdded(TFolderNode* node, int index) {
  TTreeNode* parent = ViewNode(node->Parent);
  TTreeNode* item = AddChildObject(parent, node->Text, node);
  node->ViewData = item;
  item->SetImageIndex(node->Image);
  item->SetSelectedIndex(node->SelectedImage);
  item->SetOverlayIndex(node->Overlay);
  item->SetHasChildren(node->HasChildren);
  const int count = parent ? parent->GetCount() : GetTopCount();
  if (index != count - 1) FSortPending = true;
  if (FLockDepth == 0) SortPending();
}

void TFolderTree::NodeDeleting(TFolderNode* node) {
  if (TTreeNode* item = ViewNode(node)) {
    node->ViewData = nullptr;
    item->Delete();
  }
}

void TFolderTree::NodeChanged(TFolderNode* node) {
  TTreeNode* item = ViewNode(node);
  if (!item) return;
  item->SetText(node->Text);
  item->SetHasChildren(node->HasChildren);
  item->SetImageIndex(node->Image);
  item->SetSelectedIndex(node->SelectedImage);
  item->SetOverlayIndex(node->Overlay);
}

void TFolderTree::ChildrenSorted(TFolderNode*) {
  FSortPending = true;
  if (FLockDepth == 0) SortPending();
}

void TFolderTree::ExpandNode(TFolderNode* node, bool expand) {
  TTreeNode* item = ViewNode(node);
  if (!item) return;
  SortPending();
  if (expand) item->Expand(false);
  else item->Collapse(false);
}

void TFolderTree::SelectionChanged(TFolderNode* node) { SetSelected(ViewNode(node)); }

void TFolderTree::LockUpdate() {
  if (FLockDepth++ == 0) BeginUpdate();
}

void TFolderTree::UnlockUpdate() {
  if (FLockDepth == 0 || --FLockDepth > 0) return;
  SortPending();
  EndUpdate();
}

void TFolderTree::SortPending() {
  if (!FSortPending) return;
  FSortPending = false;
  AlphaSort(true);
}
