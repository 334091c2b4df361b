// The tree view: nodes kept in objects, mirrored into the system's tree.
#include "platform/win/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/SysUtils.h"
#include "platform/win/ImgList.h"

namespace {

// Orders v by goesAfter(a, b) > 0 with a bottom-up merge sort. Every pass
// moves each element exactly once whatever the answers are, so a handler
// that contradicts itself (1 for every pair, say) still ends in n log n
// calls with every element kept.
template <typename T, typename Cmp>
void MergeSortAnyAnswers(std::vector<T>& v, Cmp goesAfter) {
  const size_t n = v.size();
  std::vector<T> tmp(n);
  for (size_t width = 1; width < n; width *= 2) {
    for (size_t lo = 0; lo < n; lo += 2 * width) {
      size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
      size_t i = lo, j = mid, k = lo;
      while (i < mid && j < hi) tmp[k++] = goesAfter(v[i], v[j]) > 0 ? v[j++] : v[i++];
      while (i < mid) tmp[k++] = v[i++];
      while (j < hi) tmp[k++] = v[j++];
    }
    v.swap(tmp);
  }
}

int CALLBACK CompareByRank(LPARAM a, LPARAM b, LPARAM) {
  return reinterpret_cast<TTreeNode*>(a)->GetIndex() - reinterpret_cast<TTreeNode*>(b)->GetIndex();
}

}  // namespace

// ---------------------------------------------------------------------------
// TTreeNode
// ---------------------------------------------------------------------------
TTreeNode::~TTreeNode() {
  FChildren.clear();
  if (FTree) FTree->NodeDestroying(this);
}

// The rank is kept up to date by every addition, deletion and sort.
int TTreeNode::GetIndex() const { return FRank; }

int TTreeNode::GetLevel() const {
  int level = 0;
  for (TTreeNode* p = FParent; p; p = p->FParent) ++level;
  return level;
}

void TTreeNode::UpdateItem(unsigned mask) {
  if (!FItem || !FTree->HandleAllocated()) return;
  TVITEMA item{};
  item.mask = mask | TVIF_HANDLE;
  item.hItem = static_cast<HTREEITEM>(FItem);
  item.pszText = FText.data();
  item.iImage = FImageIndex;
  item.iSelectedImage = FSelectedIndex;
  item.cChildren = GetHasChildren() ? 1 : 0;
  item.stateMask = TVIS_OVERLAYMASK;
  item.state = OverlayState();
  ::SendMessageA(FTree->GetHandle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeNode::SetText(const std::string& text) {
  if (text == FText) return;
  FText = text;
  UpdateItem(TVIF_TEXT);
}

void TTreeNode::SetImageIndex(int value) {
  if (value == FImageIndex) return;
  FImageIndex = value;
  UpdateItem(TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(int value) {
  if (value == FSelectedIndex) return;
  FSelectedIndex = value;
  UpdateItem(TVIF_SELECTEDIMAGE);
}

unsigned TTreeNode::OverlayState() const {
  return FOverlayIndex >= 0 ? INDEXTOOVERLAYMASK(FOverlayIndex + 1) : 0;
}

void TTreeNode::SetOverlayIndex(int value) {
  if (value < -1 || value > 14) value = -1;  // the mask holds overlays 1 to 15
  if (value == FOverlayIndex) return;
  FOverlayIndex = value;
  UpdateItem(TVIF_STATE);
}

void TTreeNode::SetHasChildren(bool value) {
  if (value == FHasChildren) return;
  FHasChildren = value;
  UpdateItem(TVIF_CHILDREN);
}

void TTreeNode::MakeVisible() {
  for (TTreeNode* p = FParent; p; p = p->FParent) p->Expand(false);
  if (FItem && FTree->HandleAllocated())
    ::SendMessageA(FTree->GetHandle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(FItem));
}

void TTreeNode::Expand(bool recurse) {
  if (!FExpanded && GetHasChildren()) {
    bool allow = true;
    if (FTree->OnExpanding) FTree->OnExpanding(FTree, this, allow);
    if (allow) {
      FExpanded = true;
      if (FItem && FTree->HandleAllocated()) {
        FTree->FClearing = true;  // the window's own notices must not ask again
        ::SendMessageA(FTree->GetHandle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(FItem));
        FTree->FClearing = false;
      }
      if (FTree->OnExpanded) FTree->OnExpanded(FTree, this);
    }
  }
  if (recurse)
    for (size_t i = 0; i < FChildren.size(); ++i) FChildren[i]->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
  if (FExpanded) {
    bool allow = true;
    if (FTree->OnCollapsing) FTree->OnCollapsing(FTree, this, allow);
    if (allow) {
      FExpanded = false;
      if (FItem && FTree->HandleAllocated()) {
        FTree->FClearing = true;
        ::SendMessageA(FTree->GetHandle(), TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(FItem));
        FTree->FClearing = false;
      }
    }
  }
  if (recurse)
    for (size_t i = 0; i < FChildren.size(); ++i) FChildren[i]->Collapse(true);
}

bool TTreeNode::GetSelected() const { return FTree->GetSelected() == this; }

void TTreeNode::Delete() { FTree->Delete(this); }

void TTreeNode::DeleteChildren() {
  while (!FChildren.empty()) FTree->Delete(FChildren.back().get());
}

// ---------------------------------------------------------------------------
// TTreeView
// ---------------------------------------------------------------------------
TTreeView::TTreeView(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
  FColor = clWindow;
}

TTreeView::~TTreeView() {
  DestroyHandle();
  FClearing = true;
  FRoots.clear();
  SetImages(nullptr);
}

void TTreeView::CreateParams(TCreateParams& params) {
  InitCommonControlClasses();
  TWinControl::CreateParams(params);
  params.SysClassName = WC_TREEVIEWA;
  params.Style |= TVS_HASBUTTONS | TVS_SHOWSELALWAYS;
  if (FShowLines) params.Style |= TVS_HASLINES;
  if (FShowRoot) params.Style |= TVS_LINESATROOT;
  if (!FReadOnly) params.Style |= TVS_EDITLABELS;
  if (FHotTrack) params.Style |= TVS_TRACKSELECT;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TTreeView::ApplyColor() {
  // The window's own background is the system's window colour until told
  // otherwise; -1 gives it back.
  const LPARAM rgb = FColor == clWindow ? -1 : static_cast<LPARAM>(ColorToRGB(FColor));
  ::SendMessageA(FHandle, TVM_SETBKCOLOR, 0, rgb);
}

void TTreeView::SetColor(TColor color) {
  if (color == FColor) return;
  TWinControl::SetColor(color);
  if (FHandle) ApplyColor();
}

void TTreeView::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyColor();
  FClearing = true;
  if (FImages)
    ::SendMessageA(FHandle, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(FImages->GetHandle()));
  for (auto& root : FRoots) InsertItems(root.get());
  if (FSelected && FSelected->FItem)
    ::SendMessageA(FHandle, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FSelected->FItem));
  FClearing = false;
}

void TTreeView::DestroyWnd() {
  FClearing = true;
  for (auto& root : FRoots) ForgetItems(root.get());
  TWinControl::DestroyWnd();
  FClearing = false;
}

void TTreeView::ForgetItems(TTreeNode* node) {
  node->FItem = nullptr;
  for (auto& c : node->FChildren) ForgetItems(c.get());
}

void TTreeView::InsertItem(TTreeNode* node) {
  if (!FHandle) return;
  if (node->FParent && !node->FParent->FItem) return;  // the parent is not in the window
  TVINSERTSTRUCTA ins{};
  ins.hParent = node->FParent ? static_cast<HTREEITEM>(node->FParent->FItem) : TVI_ROOT;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN | TVIF_STATE;
  ins.item.pszText = node->FText.data();
  ins.item.iImage = node->FImageIndex;
  ins.item.iSelectedImage = node->FSelectedIndex;
  ins.item.cChildren = node->GetHasChildren() ? 1 : 0;
  ins.item.lParam = reinterpret_cast<LPARAM>(node);
  ins.item.stateMask = TVIS_EXPANDED | TVIS_OVERLAYMASK;
  ins.item.state = (node->FExpanded ? TVIS_EXPANDED : 0) | node->OverlayState();
  node->FItem = reinterpret_cast<void*>(
      ::SendMessageA(FHandle, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
}

void TTreeView::InsertItems(TTreeNode* node) {
  InsertItem(node);
  for (auto& c : node->FChildren) InsertItems(c.get());
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeView::SiblingsOf(TTreeNode* parent) {
  return parent ? parent->FChildren : FRoots;
}

TTreeNode* TTreeView::AddNode(TTreeNode* parent, const std::string& text, void* data) {
  if (parent && parent->FTree != this) throw EComponentError("Node belongs to another tree");
  auto& siblings = SiblingsOf(parent);
  siblings.push_back(std::unique_ptr<TTreeNode>(new TTreeNode(this, parent, text)));
  TTreeNode* node = siblings.back().get();
  node->FData = data;
  node->FRank = static_cast<int>(siblings.size()) - 1;
  FClearing = true;
  InsertItem(node);
  // The parent shows its button once it has a child.
  if (parent && siblings.size() == 1) parent->UpdateItem(TVIF_CHILDREN);
  FClearing = false;
  if (FSortType != stNone && FUpdateCount == 0) SortChildren(parent, false);
  return node;
}

TTreeNode* TTreeView::AddChild(TTreeNode* parent, const std::string& text) {
  return AddNode(parent, text, nullptr);
}

TTreeNode* TTreeView::AddChildObject(TTreeNode* parent, const std::string& text, void* data) {
  return AddNode(parent, text, data);
}

void TTreeView::Delete(TTreeNode* node) {
  if (!node || node->FTree != this) return;
  if (node->FItem && FHandle)
    ::SendMessageA(FHandle, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->FItem));
  auto& siblings = SiblingsOf(node->FParent);
  auto it = std::find_if(siblings.begin(), siblings.end(), [&](auto& p) { return p.get() == node; });
  if (it == siblings.end()) return;
  std::unique_ptr<TTreeNode> owned = std::move(*it);
  siblings.erase(it);
  for (size_t i = 0; i < siblings.size(); ++i) siblings[i]->FRank = static_cast<int>(i);
  owned.reset();
}

void TTreeView::ClearNodes() {
  FClearing = true;
  if (FHandle) ::SendMessageA(FHandle, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  FRoots.clear();
  FSelected = nullptr;
  FClearing = false;
}

void TTreeView::NodeDestroying(TTreeNode* node) {
  if (FSelected == node) FSelected = nullptr;
}

std::vector<TTreeNode*> TTreeView::GetAllNodes() const {
  std::vector<TTreeNode*> all;
  std::vector<TTreeNode*> stack;
  for (auto it = FRoots.rbegin(); it != FRoots.rend(); ++it) stack.push_back(it->get());
  while (!stack.empty()) {
    TTreeNode* n = stack.back();
    stack.pop_back();
    all.push_back(n);
    for (auto it = n->FChildren.rbegin(); it != n->FChildren.rend(); ++it) stack.push_back(it->get());
  }
  return all;
}

void TTreeView::SetSelected(TTreeNode* node) {
  if (node && node->FTree != this) return;
  FSelected = node;
  if (FHandle)
    ::SendMessageA(FHandle, TVM_SELECTITEM, TVGN_CARET,
                   reinterpret_cast<LPARAM>(node ? node->FItem : nullptr));
}

namespace {
void SetStyleBit(HWND wnd, DWORD bit, bool on) {
  if (!wnd) return;
  LONG_PTR style = ::GetWindowLongPtrA(wnd, GWL_STYLE);
  ::SetWindowLongPtrA(wnd, GWL_STYLE, on ? (style | bit) : (style & ~static_cast<LONG_PTR>(bit)));
  ::InvalidateRect(wnd, nullptr, TRUE);
}
}  // namespace

void TTreeView::SetReadOnly(bool value) {
  if (value == FReadOnly) return;
  FReadOnly = value;
  SetStyleBit(FHandle, TVS_EDITLABELS, !FReadOnly);
}

void TTreeView::SetHotTrack(bool value) {
  if (value == FHotTrack) return;
  FHotTrack = value;
  SetStyleBit(FHandle, TVS_TRACKSELECT, FHotTrack);
}

void TTreeView::SetShowRoot(bool value) {
  if (value == FShowRoot) return;
  FShowRoot = value;
  SetStyleBit(FHandle, TVS_LINESATROOT, FShowRoot);
}

void TTreeView::SetShowLines(bool value) {
  if (value == FShowLines) return;
  FShowLines = value;
  SetStyleBit(FHandle, TVS_HASLINES, FShowLines);
}

void TTreeView::SetImages(TCustomImageList* images) {
  if (images == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = images;
  if (FImages) FImages->FreeNotification(this);
  if (FHandle)
    ::SendMessageA(FHandle, TVM_SETIMAGELIST, TVSIL_NORMAL,
                   reinterpret_cast<LPARAM>(FImages ? FImages->GetHandle() : nullptr));
}

void TTreeView::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == FImages) FImages = nullptr;
}

void TTreeView::SetSortType(TSortType value) {
  if (value == FSortType) return;
  FSortType = value;
  if (FSortType != stNone) AlphaSort(true);
}

void TTreeView::AlphaSort(bool recurse) { SortChildren(nullptr, recurse); }

void TTreeView::BeginUpdate() {
  if (FUpdateCount++ == 0 && FHandle) ::SendMessageA(FHandle, WM_SETREDRAW, FALSE, 0);
}

void TTreeView::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  if (FSortType != stNone) AlphaSort(true);
  if (FHandle) {
    ::SendMessageA(FHandle, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(FHandle, nullptr, TRUE);
  }
}

int TTreeView::CompareNodes(TTreeNode* a, TTreeNode* b) {
  if (OnCompare) {
    int result = 0;
    OnCompare(this, a, b, 0, result);
    return result;
  }
  int byText = AnsiCompareText(a->FText, b->FText);
  auto byData = [&] { return a->FData < b->FData ? -1 : a->FData > b->FData ? 1 : 0; };
  switch (FSortType) {
    case stData: return byData();
    case stBoth: return byText != 0 ? byText : byData();
    default: return byText;
  }
}

void TTreeView::SortChildren(TTreeNode* parent, bool recurse) {
  auto& siblings = SiblingsOf(parent);
  if (siblings.size() > 1) {
    // Sort pointers first: a handler that raises leaves the nodes as they were.
    std::vector<TTreeNode*> order;
    order.reserve(siblings.size());
    for (auto& s : siblings) order.push_back(s.get());
    MergeSortAnyAnswers(order, [&](TTreeNode* a, TTreeNode* b) { return CompareNodes(a, b); });
    // The handler may have deleted or added nodes; keep exactly the nodes
    // that are there now, in the sorted order, new ones last.
    std::vector<std::unique_ptr<TTreeNode>> sorted;
    sorted.reserve(siblings.size());
    for (TTreeNode* n : order) {
      auto it = std::find_if(siblings.begin(), siblings.end(), [&](auto& p) { return p.get() == n; });
      if (it != siblings.end()) sorted.push_back(std::move(*it));
    }
    for (auto& rest : siblings)
      if (rest) sorted.push_back(std::move(rest));
    siblings.swap(sorted);
    for (size_t i = 0; i < siblings.size(); ++i) siblings[i]->FRank = static_cast<int>(i);
    // The window orders its items by the ranks just given: a consistent
    // comparison, whatever the handler answered.
    if (FHandle && (!parent || parent->FItem)) {
      TVSORTCB sort{};
      sort.hParent = parent ? static_cast<HTREEITEM>(parent->FItem) : TVI_ROOT;
      sort.lpfnCompare = &CompareByRank;
      ::SendMessageA(FHandle, TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
    }
  }
  if (recurse)
    for (size_t i = 0; i < siblings.size(); ++i) SortChildren(siblings[i].get(), true);
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) {
  if (!HandleAllocated()) return nullptr;
  TVHITTESTINFO hit{};
  hit.pt = POINT{x, y};
  auto item = reinterpret_cast<HTREEITEM>(::SendMessageA(FHandle, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (!item || !(hit.flags & TVHT_ONITEM)) return nullptr;
  TVITEMA tv{};
  tv.mask = TVIF_PARAM | TVIF_HANDLE;
  tv.hItem = item;
  ::SendMessageA(FHandle, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  return reinterpret_cast<TTreeNode*>(tv.lParam);
}

bool TTreeView::Notify(NMHDR* hdr, LRESULT& result) {
  // The A and W forms of these notices differ only in the text pointer,
  // which is not read here.
  auto* nm = reinterpret_cast<NMTREEVIEWA*>(hdr);
  switch (hdr->code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
      auto* node = reinterpret_cast<TTreeNode*>(nm->itemNew.lParam);
      if (!node || FClearing) return false;
      bool allow = true;
      if (nm->action & TVE_EXPAND) {
        if (OnExpanding) OnExpanding(this, node, allow);
      } else if (nm->action & TVE_COLLAPSE) {
        if (OnCollapsing) OnCollapsing(this, node, allow);
      }
      result = allow ? FALSE : TRUE;
      return true;
    }
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
      auto* node = reinterpret_cast<TTreeNode*>(nm->itemNew.lParam);
      if (!node || FClearing) return false;
      bool expanded = (nm->action & TVE_EXPAND) != 0;
      node->FExpanded = expanded;
      if (expanded && OnExpanded) OnExpanded(this, node);
      return true;
    }
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
      if (FClearing) return false;
      FSelected = reinterpret_cast<TTreeNode*>(nm->itemNew.lParam);
      if (OnChange) OnChange(this, FSelected);
      return true;
    }
    case NM_CLICK:
      // The window keeps the button's release to itself: this notice is
      // the click.
      Click();
      return false;
    case TVN_BEGINLABELEDITA:
    case TVN_BEGINLABELEDITW:
      result = FReadOnly ? TRUE : FALSE;
      return true;
    default:
      return false;
  }
}

void TTreeView::WndProc(TMessage& msg) {
  if (msg.Msg == CN_NOTIFY) {
    LRESULT result = 0;
    if (Notify(reinterpret_cast<NMHDR*>(msg.LParam), result)) {
      msg.Result = result;
      return;
    }
  }
  TWinControl::WndProc(msg);
}
