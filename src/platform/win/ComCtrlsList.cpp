// The list view: columns and rows kept in objects, or rows answered by the
// owner-data handlers.
#include "platform/win/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win/ImgList.h"

namespace {

int ColumnFormat(TAlignment a) {
  switch (a) {
    case taRightJustify: return LVCFMT_RIGHT;
    case taCenter: return LVCFMT_CENTER;
    default: return LVCFMT_LEFT;
  }
}

std::string FromWide(const wchar_t* s) {
  if (!s) return std::string();
  int n = ::WideCharToMultiByte(CP_ACP, 0, s, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(std::max(n, 1)), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, s, -1, out.data(), n, nullptr, nullptr);
  out.resize(out.size() - 1);
  return out;
}

// The system list view's own procedure. Rows are sent straight to it: our
// window procedure has nothing to do with the messages we send ourselves,
// and passing 40,000 of them through it (each looking up its control) made
// filling a big list nearly twice as slow as the raw messages.
LRESULT SendToSystem(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
  static WNDPROC proc = [] {
    WNDCLASSA wc{};
    return ::GetClassInfoA(nullptr, WC_LISTVIEWA, &wc) ? wc.lpfnWndProc : nullptr;
  }();
  return proc ? ::CallWindowProcA(proc, wnd, msg, w, l) : ::SendMessageA(wnd, msg, w, l);
}

TSearchDirection DirectionOf(UINT vk) {
  switch (vk) {
    case VK_LEFT: return sdLeft;
    case VK_RIGHT: return sdRight;
    case VK_UP: return sdAbove;
    case VK_DOWN: return sdBelow;
    default: return sdAll;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TListItem
// ---------------------------------------------------------------------------
void TListItem::SetCaption(const std::string& text) {
  if (text == FCaption) return;
  FCaption = text;
  if (FOwner && FOwner->HandleAllocated() && FIndex < FOwner->FRowsInWindow) {
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = FCaption.data();
    ::SendMessageA(FOwner->GetHandle(), LVM_SETITEMTEXTA, FIndex, reinterpret_cast<LPARAM>(&item));
  }
}

void TListItem::UpdateSubItems() {
  if (!FOwner || !FOwner->HandleAllocated() || FIndex >= FOwner->FRowsInWindow) return;
  for (size_t k = 0; k < FSubItems.size(); ++k) {
    LVITEMA item{};
    item.iSubItem = static_cast<int>(k) + 1;
    item.pszText = FSubItems[k].data();
    ::SendMessageA(FOwner->GetHandle(), LVM_SETITEMTEXTA, FIndex, reinterpret_cast<LPARAM>(&item));
  }
}

void TListItem::SetImageIndex(int value) {
  if (value == FImageIndex) return;
  FImageIndex = value;
  if (FOwner && FOwner->HandleAllocated() && FIndex < FOwner->FRowsInWindow) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = FIndex;
    item.iImage = FImageIndex;
    ::SendMessageA(FOwner->GetHandle(), LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
}

bool TListItem::GetSelected() const {
  if (FOwner && FOwner->HandleAllocated() && FIndex < FOwner->FRowsInWindow)
    return ::SendMessageA(const_cast<TListView*>(FOwner)->GetHandle(), LVM_GETITEMSTATE, FIndex,
                          LVIS_SELECTED) != 0;
  return FSelected;
}

void TListItem::SetSelected(bool value) {
  FSelected = value;
  if (FOwner && FOwner->HandleAllocated() && FIndex < FOwner->FRowsInWindow) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = value ? LVIS_SELECTED : 0;
    FOwner->FQuietSelection = true;
    ::SendMessageA(FOwner->GetHandle(), LVM_SETITEMSTATE, FIndex, reinterpret_cast<LPARAM>(&item));
    FOwner->FQuietSelection = false;
  }
}

// ---------------------------------------------------------------------------
// TListView
// ---------------------------------------------------------------------------
TListView::TListView(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 250, 150);
  FColor = clWindow;
}

TListView::~TListView() {
  DestroyHandle();
  SetSmallImages(nullptr);
  SetLargeImages(nullptr);
}

void TListView::CreateParams(TCreateParams& params) {
  InitCommonControlClasses();
  TWinControl::CreateParams(params);
  params.SysClassName = WC_LISTVIEWA;
  // The image lists are components of their own: the control must never
  // destroy them.
  params.Style |= LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS;
  switch (FViewStyle) {
    case vsIcon: params.Style |= LVS_ICON; break;
    case vsSmallIcon: params.Style |= LVS_SMALLICON; break;
    case vsList: params.Style |= LVS_LIST; break;
    case vsReport: params.Style |= LVS_REPORT; break;
  }
  if (!FMultiSelect) params.Style |= LVS_SINGLESEL;
  if (FOwnerData) params.Style |= LVS_OWNERDATA;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::SetExStyle() {
  if (!FHandle) return;
  DWORD ex = 0;
  if (FRowSelect) ex |= LVS_EX_FULLROWSELECT;
  if (FHotTrack) ex |= LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE | LVS_EX_UNDERLINEHOT;
  ::SendMessageA(FHandle, LVM_SETEXTENDEDLISTVIEWSTYLE,
                 LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE | LVS_EX_UNDERLINEHOT, ex);
}

void TListView::CreateWnd() {
  TWinControl::CreateWnd();
  SetExStyle();
  if (FSmallImages)
    ::SendMessageA(FHandle, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(FSmallImages->GetHandle()));
  if (FLargeImages)
    ::SendMessageA(FHandle, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(FLargeImages->GetHandle()));
  for (int i = 0; i < GetColumnCount(); ++i) InsertColumn(i);
  FRowsInWindow = 0;
  FFetchedIndex = -1;
  if (FOwnerData)
    ::SendMessageA(FHandle, LVM_SETITEMCOUNT, FOwnerCount, 0);
  else if (FUpdateCount == 0)
    InsertRows(0);
}

void TListView::DestroyWnd() {
  // The window's selection is the one that counts; keep it for the next window.
  if (FHandle && !FOwnerData)
    for (int i = 0; i < FRowsInWindow && i < static_cast<int>(FItems.size()); ++i)
      FItems[static_cast<size_t>(i)]->FSelected = FItems[static_cast<size_t>(i)]->GetSelected();
  FQuietSelection = true;
  TWinControl::DestroyWnd();
  FQuietSelection = false;
  FRowsInWindow = 0;
}

void TListView::InsertColumn(int i) {
  if (!FHandle) return;
  const TListColumn& c = FColumns[static_cast<size_t>(i)];
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  std::string text = c.Caption;
  col.pszText = text.data();
  col.cx = c.Width;
  col.fmt = ColumnFormat(c.Alignment);
  col.iSubItem = i;
  ::SendMessageA(FHandle, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
  FitAutoSizeColumns();
}

void TListView::FitAutoSizeColumns() {
  if (!FHandle) return;
  int fixed = 0, autoCount = 0;
  for (const TListColumn& c : FColumns) c.AutoSize ? ++autoCount : fixed += c.Width;
  if (autoCount == 0) return;
  RECT client{};
  ::GetClientRect(FHandle, &client);
  for (int i = 0; i < GetColumnCount(); ++i) {
    const TListColumn& c = FColumns[static_cast<size_t>(i)];
    if (!c.AutoSize) continue;
    const int width = std::max(c.Width, int(client.right - fixed) / autoCount);
    if (::SendMessageA(FHandle, LVM_GETCOLUMNWIDTH, i, 0) != width)
      ::SendMessageA(FHandle, LVM_SETCOLUMNWIDTH, i, width);
  }
}

TListColumn& TListView::AddColumn(const std::string& caption, int width, TAlignment alignment, int tag) {
  FColumns.push_back(TListColumn{caption, width, alignment, tag});
  InsertColumn(GetColumnCount() - 1);
  return FColumns.back();
}

void TListView::UpdateColumn(int i) {
  if (!FHandle) return;
  const TListColumn& c = FColumns.at(static_cast<size_t>(i));
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  std::string text = c.Caption;
  col.pszText = text.data();
  col.cx = c.Width;
  col.fmt = ColumnFormat(c.Alignment);
  ::SendMessageA(FHandle, LVM_SETCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
}

void TListView::ClearColumns() {
  if (FHandle)
    for (int i = GetColumnCount() - 1; i >= 0; --i) ::SendMessageA(FHandle, LVM_DELETECOLUMN, i, 0);
  FColumns.clear();
}

void TListView::InsertRows(int from) {
  if (!FHandle || FOwnerData) return;
  const int n = static_cast<int>(FItems.size());
  if (from >= n) return;
  SendToSystem(FHandle, LVM_SETITEMCOUNT, n, 0);
  for (int i = from; i < n; ++i) {
    TListItem& it = *FItems[static_cast<size_t>(i)];
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
    item.iItem = i;
    item.pszText = it.FCaption.data();
    item.iImage = it.FImageIndex;
    item.stateMask = LVIS_SELECTED;
    item.state = it.FSelected ? LVIS_SELECTED : 0;
    SendToSystem(FHandle, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    for (size_t k = 0; k < it.FSubItems.size(); ++k) {
      LVITEMA sub{};
      sub.iSubItem = static_cast<int>(k) + 1;
      sub.pszText = it.FSubItems[k].data();
      SendToSystem(FHandle, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&sub));
    }
  }
  FRowsInWindow = n;
}

TListItem* TListView::AddItem(const std::string& caption, std::vector<std::string> subItems,
                              int imageIndex) {
  auto item = std::make_unique<TListItem>();
  item->FOwner = this;
  item->FIndex = static_cast<int>(FItems.size());
  item->FCaption = caption;
  item->FSubItems = std::move(subItems);
  item->FImageIndex = imageIndex;
  FItems.push_back(std::move(item));
  if (FUpdateCount == 0) {
    FQuietSelection = true;
    InsertRows(FRowsInWindow);
    FQuietSelection = false;
  }
  return FItems.back().get();
}

void TListView::DeleteItem(int index) {
  if (index < 0 || index >= static_cast<int>(FItems.size())) return;
  if (FHandle && index < FRowsInWindow) {
    ::SendMessageA(FHandle, LVM_DELETEITEM, index, 0);
    --FRowsInWindow;
  }
  FItems.erase(FItems.begin() + index);
  for (size_t i = static_cast<size_t>(index); i < FItems.size(); ++i) FItems[i]->FIndex = static_cast<int>(i);
}

void TListView::ClearItems() {
  if (FHandle) ::SendMessageA(FHandle, LVM_DELETEALLITEMS, 0, 0);
  FItems.clear();
  FRowsInWindow = 0;
}

int TListView::GetItemCount() const { return FOwnerData ? FOwnerCount : static_cast<int>(FItems.size()); }

void TListView::SetItemCount(int count) {
  FOwnerCount = std::max(count, 0);
  // The handlers' data changed: no row fetched before may be reused.
  FFetchedIndex = -1;
  if (FHandle && FOwnerData) {
    ::SendMessageA(FHandle, LVM_SETITEMCOUNT, FOwnerCount, 0);
    ::InvalidateRect(FHandle, nullptr, TRUE);
  }
}

void TListView::BeginUpdate() {
  if (FUpdateCount++ == 0 && FHandle) ::SendMessageA(FHandle, WM_SETREDRAW, FALSE, 0);
}

void TListView::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  if (FHandle) {
    FQuietSelection = true;
    InsertRows(FRowsInWindow);
    FQuietSelection = false;
    ::SendMessageA(FHandle, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(FHandle, nullptr, TRUE);
  }
}

int TListView::GetItemIndex() const {
  if (FHandle)
    return static_cast<int>(::SendMessageA(FHandle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  for (auto& it : FItems)
    if (it->FSelected) return it->FIndex;
  return -1;
}

void TListView::SetItemIndex(int index) {
  for (auto& it : FItems) it->FSelected = it->FIndex == index;
  if (!FHandle) return;
  FQuietSelection = true;
  LVITEMA none{};
  none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageA(FHandle, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  if (index >= 0 && index < GetItemCount()) {
    LVITEMA one{};
    one.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    one.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(FHandle, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&one));
    ::SendMessageA(FHandle, LVM_ENSUREVISIBLE, index, FALSE);
  }
  FQuietSelection = false;
}

TListItem* TListView::GetSelected() const {
  int i = GetItemIndex();
  if (i < 0 || FOwnerData || i >= static_cast<int>(FItems.size())) return nullptr;
  return FItems[static_cast<size_t>(i)].get();
}

int TListView::GetSelCount() const {
  if (FHandle) return static_cast<int>(::SendMessageA(FHandle, LVM_GETSELECTEDCOUNT, 0, 0));
  return static_cast<int>(std::count_if(FItems.begin(), FItems.end(), [](auto& p) { return p->FSelected; }));
}

void TListView::SetMultiSelect(bool value) {
  if (value == FMultiSelect) return;
  FMultiSelect = value;
  if (FHandle) RecreateWnd();
}

void TListView::SetRowSelect(bool value) {
  if (value == FRowSelect) return;
  FRowSelect = value;
  SetExStyle();
}

void TListView::SetHotTrack(bool value) {
  if (value == FHotTrack) return;
  FHotTrack = value;
  SetExStyle();
}

void TListView::SetViewStyle(TViewStyle value) {
  if (value == FViewStyle) return;
  FViewStyle = value;
  if (FHandle) RecreateWnd();
}

void TListView::SetOwnerData(bool value) {
  if (value == FOwnerData) return;
  FOwnerData = value;
  if (FHandle) RecreateWnd();
}

void TListView::SetImageList(TCustomImageList*& field, TCustomImageList* images, int which) {
  if (images == field) return;
  if (field && field != (&field == &FSmallImages ? FLargeImages : FSmallImages))
    field->RemoveFreeNotification(this);
  field = images;
  if (field) field->FreeNotification(this);
  if (FHandle)
    ::SendMessageA(FHandle, LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(field ? field->GetHandle() : nullptr));
}

void TListView::SetSmallImages(TCustomImageList* images) { SetImageList(FSmallImages, images, LVSIL_SMALL); }
void TListView::SetLargeImages(TCustomImageList* images) { SetImageList(FLargeImages, images, LVSIL_NORMAL); }

void TListView::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FSmallImages) FSmallImages = nullptr;
  if (component == FLargeImages) FLargeImages = nullptr;
}

bool TListView::Notify(NMHDR* hdr, LRESULT& result) {
  switch (hdr->code) {
    case LVN_COLUMNCLICK: {
      int col = reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem;
      if (OnColumnClick && col >= 0 && col < GetColumnCount())
        OnColumnClick(this, FColumns[static_cast<size_t>(col)], col);
      return true;
    }
    case LVN_ITEMCHANGED: {
      auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
      if (!(nm->uChanged & LVIF_STATE) || ((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED) == 0)
        return true;
      if (nm->iItem >= 0 && nm->iItem < static_cast<int>(FItems.size()))
        FItems[static_cast<size_t>(nm->iItem)]->FSelected = (nm->uNewState & LVIS_SELECTED) != 0;
      if (!FQuietSelection && OnSelectItem) OnSelectItem(this);
      return true;
    }
    // An owner-data row: the ANSI form to our ANSI windows, but be ready for
    // the wide one too.
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW: {
      const bool wide = hdr->code == LVN_GETDISPINFOW;
      // LVITEMA and LVITEMW differ only in the text pointer's type.
      LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(hdr)->item;
      if (!FOwnerData || item.iItem < 0 || item.iItem >= FOwnerCount) return true;
      if (FFetchedIndex != item.iItem) {
        FFetched = TListItem();
        FFetched.FIndex = item.iItem;
        FFetchedIndex = item.iItem;
        if (OnData) OnData(this, FFetched);
      }
      if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const std::string* text = nullptr;
        static const std::string empty;
        if (item.iSubItem == 0) text = &FFetched.FCaption;
        else if (item.iSubItem - 1 < static_cast<int>(FFetched.FSubItems.size()))
          text = &FFetched.FSubItems[static_cast<size_t>(item.iSubItem - 1)];
        else text = &empty;
        if (wide) {
          // Converted whole, then cut to the buffer: a short buffer gets what fits.
          int n = ::MultiByteToWideChar(CP_ACP, 0, text->data(), static_cast<int>(text->size()), nullptr, 0);
          std::wstring w(static_cast<size_t>(std::max(n, 0)), L'\0');
          ::MultiByteToWideChar(CP_ACP, 0, text->data(), static_cast<int>(text->size()), w.data(), n);
          size_t len = std::min(w.size(), static_cast<size_t>(item.cchTextMax - 1));
          auto* out = reinterpret_cast<wchar_t*>(item.pszText);
          std::copy_n(w.data(), len, out);
          out[len] = L'\0';
        } else {
          ::lstrcpynA(item.pszText, text->c_str(), item.cchTextMax);
        }
      }
      if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0) item.iImage = FFetched.FImageIndex;
      return true;
    }
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW: {
      result = -1;
      if (!FOwnerData || !OnDataFind) return true;
      // LVFINDINFOA and LVFINDINFOW differ only in the string's type.
      auto* nm = reinterpret_cast<NMLVFINDITEMA*>(hdr);
      const LVFINDINFOA& fi = nm->lvfi;
      std::string text = hdr->code == LVN_ODFINDITEMW
                             ? FromWide(reinterpret_cast<const wchar_t*>(fi.psz))
                             : std::string(fi.psz ? fi.psz : "");
      TItemFind kind = ifExactString;
      if (fi.flags & LVFI_PARAM) kind = ifData;
      else if (fi.flags & LVFI_PARTIAL) kind = ifPartialString;
      else if (fi.flags & LVFI_NEARESTXY) kind = ifNearest;
      int index = -1;
      OnDataFind(this, kind, text, TPoint(fi.pt.x, fi.pt.y), reinterpret_cast<void*>(fi.lParam),
                 nm->iStart, DirectionOf(fi.vkDirection), (fi.flags & LVFI_WRAP) != 0, index);
      result = index;
      return true;
    }
    default:
      return false;
  }
}

void TListView::WndProc(TMessage& msg) {
  if (msg.Msg == WM_SIZE) {
    TWinControl::WndProc(msg);
    FitAutoSizeColumns();
    return;
  }
  if (msg.Msg == CN_NOTIFY) {
    LRESULT result = 0;
    if (Notify(reinterpret_cast<NMHDR*>(msg.LParam), result)) {
      msg.Result = result;
      return;
    }
  }
  TWinControl::WndProc(msg);
}
