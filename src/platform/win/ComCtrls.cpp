// Page control, tab set, status bar and progress bar over the common controls.
#include "platform/win/ComCtrls.h"

#include "platform/TypInfo.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "platform/win/ImgList.h"

void InitCommonControlClasses() {
  static bool done = false;
  if (done) return;
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof icc;
  icc.dwICC = ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
              ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_COOL_CLASSES;
  done = ::InitCommonControlsEx(&icc) != FALSE;
}

// ---------------------------------------------------------------------------
// TTabSheet
// ---------------------------------------------------------------------------
TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  FColor = clBtnFace;
}

TTabSheet::~TTabSheet() { SetPageControl(nullptr); }

void TTabSheet::SetPageControl(TPageControl* pageControl) {
  if (pageControl == FPageControl) return;
  if (FPageControl) FPageControl->RemovePage(this);
  FPageControl = pageControl;
  if (FPageControl) FPageControl->InsertPage(this);
}

void TTabSheet::ShowSheet(bool show, bool covered) {
  if (show == GetVisible()) return;
  // Only one sheet shows at a time, so their order among themselves does
  // not matter and is left alone. The erase waits for the next paint: an
  // erase at once (what a plain show does) cost more than painting the
  // editor on the sheet, and a tab change shows one sheet and hides another.
  // The sheet a tab change hides lies under the one it shows, in the same
  // place: hiding it must not make the page control repaint its whole area.
  if (FHandle)
    ::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                   (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                       SWP_NOACTIVATE | SWP_DEFERERASE | (covered ? SWP_NOREDRAW : 0));
  TControl::SetVisible(show);
}

int TTabSheet::GetPageIndex() const {
  if (!FPageControl) return -1;
  auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetText(const std::string& text) {
  if (text == GetText()) return;
  TWinControl::SetText(text);
  if (FPageControl) FPageControl->UpdateTab(this);
}

void TTabSheet::SetImageIndex(int value) {
  if (value == FImageIndex) return;
  FImageIndex = value;
  if (FPageControl) FPageControl->UpdateTab(this);
}

void TTabSheet::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  // The sheet's caption is its tab's; the window itself shows no text.
  params.Caption.clear();
}

// ---------------------------------------------------------------------------
// TPageControl
// ---------------------------------------------------------------------------
TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  // The sheets are our children and go with us (the parent rule); they
  // must not call back into a page control that is half destroyed.
  for (TTabSheet* p : FPages) {
    p->RemoveFreeNotification(this);
    p->FPageControl = nullptr;
  }
  FPages.clear();
  SetImages(nullptr);
}

void TPageControl::CreateParams(TCreateParams& params) {
  InitCommonControlClasses();
  TWinControl::CreateParams(params);
  params.SysClassName = WC_TABCONTROLA;
  params.Style |= WS_CLIPCHILDREN | TCS_TABS;
}

void TPageControl::CreateWnd() {
  TWinControl::CreateWnd();
  if (FImages) ::SendMessageA(FHandle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages->GetHandle()));
  if (FTabHeight > 0) ::SendMessageA(FHandle, TCM_SETITEMSIZE, 0, MAKELPARAM(0, FTabHeight));
  LoadTabs();
  ShowActive();
}

void TPageControl::LoadTabs() {
  if (!FHandle) return;
  ::SendMessageA(FHandle, TCM_DELETEALLITEMS, 0, 0);
  for (size_t i = 0; i < FPages.size(); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    std::string text = FPages[i]->GetText();
    item.pszText = text.data();
    item.iImage = FPages[i]->GetImageIndex();
    ::SendMessageA(FHandle, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
}

void TPageControl::UpdateTab(TTabSheet* page) {
  if (!FHandle) return;
  if (FUpdateCount > 0) {
    FTabsStale = true;
    return;
  }
  int i = page->GetPageIndex();
  TCITEMA item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  std::string text = page->GetText();
  item.pszText = text.data();
  item.iImage = page->GetImageIndex();
  ::SendMessageA(FHandle, TCM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
  // A wider caption may move the tab rows and so the sheets' area.
  AlignControls();
}

void TPageControl::InsertPage(TTabSheet* page) {
  FPages.push_back(page);
  page->FreeNotification(this);
  page->SetParent(this);
  if (FHandle && FUpdateCount > 0) {
    FTabsStale = true;
  } else if (FHandle) {
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    std::string text = page->GetText();
    item.pszText = text.data();
    item.iImage = page->GetImageIndex();
    ::SendMessageA(FHandle, TCM_INSERTITEMA, FPages.size() - 1, reinterpret_cast<LPARAM>(&item));
  }
  if (!FActive) SetActivePage(page);
  else if (FUpdateCount == 0) AlignControls();
}

void TPageControl::RemovePage(TTabSheet* page) {
  auto it = std::find(FPages.begin(), FPages.end(), page);
  if (it == FPages.end()) return;
  int index = static_cast<int>(it - FPages.begin());
  FPages.erase(it);
  page->RemoveFreeNotification(this);
  if (FHandle && FUpdateCount > 0) FTabsStale = true;
  else if (FHandle) ::SendMessageA(FHandle, TCM_DELETEITEM, index, 0);
  if (page->GetParent() == this) {
    // Hidden as a tab change hides it: closing many tabs must not erase
    // the page control once for each.
    page->ShowSheet(false);
    page->SetParent(nullptr);
  }
  if (FActive == page) {
    FActive = nullptr;
    // The neighbour takes the place of a removed active page.
    if (!FPages.empty()) SetActivePage(FPages[std::min<size_t>(index, FPages.size() - 1)]);
  } else if (FHandle && FActive && FUpdateCount == 0) {
    ::SendMessageA(FHandle, TCM_SETCURSEL, GetActivePageIndex(), 0);
  }
  if (FUpdateCount == 0) AlignControls();
}

void TPageControl::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FImages) FImages = nullptr;
  auto it = std::find(FPages.begin(), FPages.end(), component);
  if (it != FPages.end()) static_cast<TTabSheet*>(component)->SetPageControl(nullptr);
}

int TPageControl::GetActivePageIndex() const {
  auto it = std::find(FPages.begin(), FPages.end(), FActive);
  return FActive ? static_cast<int>(it - FPages.begin()) : -1;
}

void TPageControl::SetActivePageIndex(int i) {
  SetActivePage(i >= 0 && i < GetPageCount() ? FPages[static_cast<size_t>(i)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->GetPageControl() != this) return;
  if (page == FActive) return;
  FActive = page;
  if (FUpdateCount == 0) ShowActive();
}

void TPageControl::BeginUpdate() {
  if (FUpdateCount++ > 0 || !FHandle || !(::GetWindowLongA(FHandle, GWL_STYLE) & WS_VISIBLE)) return;
  // Out of sight without a redraw, as the default window procedure takes a
  // window out for WM_SETREDRAW (the tab control's own only stops drawing
  // itself): sheets hidden, destroyed or shown meanwhile cost the window
  // system no visible regions and no erases.
  ::DefWindowProcA(FHandle, WM_SETREDRAW, FALSE, 0);
  FHiddenForUpdate = true;
}

void TPageControl::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  if (std::exchange(FTabsStale, false)) {
    // The tab control takes its tabs out one by one, measuring the rest
    // after each (TCM_DELETEALLITEMS too): with no sheet left a new window
    // is far cheaper than emptying the old one.
    if (FPages.empty() && FHandle) RecreateWnd();
    else LoadTabs();
  }
  ShowActive();
  if (!std::exchange(FHiddenForUpdate, false) || !FHandle || !GetVisible()) return;
  ::DefWindowProcA(FHandle, WM_SETREDRAW, TRUE, 0);
  ::RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TPageControl::SelectTab(int index) {
  const int old = static_cast<int>(::SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
  if (old == index) return;
  RECT before{};
  const bool settled = old >= 0 && index >= 0 && !::GetUpdateRect(FHandle, nullptr, FALSE) &&
                       ::SendMessageA(FHandle, TCM_GETITEMRECT, old, reinterpret_cast<LPARAM>(&before));
  ::SendMessageA(FHandle, TCM_SETCURSEL, index, 0);
  // The tab control repaints its whole strip for a new selection, which with
  // many tabs costs more than the editor the change shows. When the strip did
  // not scroll (the old tab is where it was) only the two tabs change: the
  // selected one stands a little larger than the others and joins the sheet.
  RECT after{}, added{};
  if (!settled || !::SendMessageA(FHandle, TCM_GETITEMRECT, old, reinterpret_cast<LPARAM>(&after)) ||
      !::EqualRect(&before, &after) ||
      !::SendMessageA(FHandle, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&added)))
    return;
  ::ValidateRect(FHandle, nullptr);
  for (RECT r : {before, added}) {
    ::InflateRect(&r, 4, 4);
    ::InvalidateRect(FHandle, &r, TRUE);
  }
}

bool TPageControl::SelectNextPage(bool forward) {
  const int n = GetPageCount();
  if (n < 2) return false;
  const int next = ((GetActivePageIndex() + (forward ? 1 : -1)) % n + n) % n;
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  if (!allow) return false;
  SetActivePageIndex(next);
  if (OnChange) OnChange(this);
  return true;
}

void TPageControl::ShowActive() {
  if (FHandle) SelectTab(GetActivePageIndex());
  AlignControls();
  // The new sheet shows first, so the old one goes from under it.
  const bool covered = FActive && FActive->HandleAllocated();
  if (FActive) FActive->ShowSheet(true);
  for (TTabSheet* p : FPages)
    if (p != FActive) p->ShowSheet(false, covered);
}

void TPageControl::SetTabHeight(int value) {
  value = std::max(value, 0);
  if (value == FTabHeight) return;
  FTabHeight = value;
  if (!FHandle) return;
  if (FTabHeight > 0) {
    ::SendMessageA(FHandle, TCM_SETITEMSIZE, 0, MAKELPARAM(0, FTabHeight));
    AlignControls();
  } else {
    // The system height comes back only with a new window.
    RecreateWnd();
  }
}

void TPageControl::SetImages(TCustomImageList* images) {
  if (images == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = images;
  if (FImages) FImages->FreeNotification(this);
  if (FHandle)
    ::SendMessageA(FHandle, TCM_SETIMAGELIST, 0,
                   reinterpret_cast<LPARAM>(FImages ? FImages->GetHandle() : nullptr));
}

TRect TPageControl::GetDisplayRect() {
  TRect client = GetClientRect();
  if (!FHandle) return client;
  RECT r{client.Left, client.Top, client.Right, client.Bottom};
  ::SendMessageA(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return TRect(r.left, r.top, std::max(r.left, r.right), std::max(r.top, r.bottom));
}

int TPageControl::IndexOfTabAt(int x, int y) {
  if (!HandleAllocated()) return -1;
  TCHITTESTINFO hit{};
  hit.pt = POINT{x, y};
  return static_cast<int>(::SendMessageA(FHandle, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void TPageControl::AlignControls() {
  TRect r = GetDisplayRect();
  for (TTabSheet* p : FPages) p->SetBoundsRect(r);
  TWinControl::AlignControls();
}

void TPageControl::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case CN_NOTIFY: {
      auto* hdr = reinterpret_cast<NMHDR*>(msg.LParam);
      if (hdr->code == TCN_SELCHANGING) {
        bool allow = true;
        if (OnChanging) OnChanging(this, allow);
        msg.Result = allow ? FALSE : TRUE;
        return;
      }
      if (hdr->code == TCN_SELCHANGE) {
        int i = static_cast<int>(::SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
        if (i >= 0 && i < GetPageCount()) {
          FActive = FPages[static_cast<size_t>(i)];
          ShowActive();
        }
        if (OnChange) OnChange(this);
        return;
      }
      break;
    }
    case WM_DROPFILES:
      // Files dropped on the tabs belong to whoever holds the tabs (the main
      // window opens them).
      if (FParent) {
        msg.Result = FParent->Perform(WM_DROPFILES, msg.WParam, msg.LParam);
        return;
      }
      break;
    case WM_SIZE:
      TWinControl::WndProc(msg);
      AlignControls();
      return;
    default:
      break;
  }
  TWinControl::WndProc(msg);
}

// ---------------------------------------------------------------------------
// TTabSet
// ---------------------------------------------------------------------------
TTabSet::TTabSet(TComponent* owner) : TWinControl(owner), FTabs(std::make_unique<TStringList>()) {
  SetBounds(0, 0, 185, 21);
  FTabs->OnChange = [this](TObject*) {
    if (FTabIndex >= FTabs->GetCount()) FTabIndex = FTabs->GetCount() - 1;
    LoadTabs();
  };
}

TTabSet::~TTabSet() { FTabs->OnChange = nullptr; }

void TTabSet::CreateParams(TCreateParams& params) {
  InitCommonControlClasses();
  TWinControl::CreateParams(params);
  params.SysClassName = WC_TABCONTROLA;
  params.Style |= TCS_TABS | TCS_BOTTOM;
}

void TTabSet::CreateWnd() {
  TWinControl::CreateWnd();
  LoadTabs();
}

void TTabSet::LoadTabs() {
  if (!FHandle) return;
  ::SendMessageA(FHandle, TCM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < FTabs->GetCount(); ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    std::string text = FTabs->Get(i);
    item.pszText = text.data();
    ::SendMessageA(FHandle, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  ::SendMessageA(FHandle, TCM_SETCURSEL, FTabIndex, 0);
}

void TTabSet::SetTabIndex(int value) {
  if (value < -1 || value >= FTabs->GetCount()) value = -1;
  if (value == FTabIndex) return;
  FTabIndex = value;
  if (FHandle) ::SendMessageA(FHandle, TCM_SETCURSEL, FTabIndex, 0);
}

TRect TTabSet::GetTabRect(int i) {
  if (!FHandle) return TRect();
  RECT r{};
  if (!::SendMessageA(FHandle, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) return TRect();
  return TRect(r.left, r.top, r.right, r.bottom);
}

void TTabSet::WndProc(TMessage& msg) {
  if (msg.Msg == CN_NOTIFY) {
    auto* hdr = reinterpret_cast<NMHDR*>(msg.LParam);
    if (hdr->code == TCN_SELCHANGING) {
      msg.Result = FALSE;
      return;
    }
    if (hdr->code == TCN_SELCHANGE) {
      int i = static_cast<int>(::SendMessageA(FHandle, TCM_GETCURSEL, 0, 0));
      bool allow = true;
      if (OnChange) OnChange(this, i, allow);
      if (!allow) {
        ::SendMessageA(FHandle, TCM_SETCURSEL, FTabIndex, 0);
        return;
      }
      FTabIndex = i;
      if (OnClick) OnClick(this);
      return;
    }
  }
  TWinControl::WndProc(msg);
}

// ---------------------------------------------------------------------------
// TStatusBar
// ---------------------------------------------------------------------------
void TStatusPanel::SetText(const std::string& text) {
  if (text == FText) return;
  FText = text;
  FBar->UpdatePanelText(FIndex);
}

void TStatusPanel::SetWidth(int value) {
  if (value == FWidth) return;
  FWidth = value;
  FBar->UpdateParts();
}

void TStatusPanel::SetAlignment(TAlignment value) {
  if (value == FAlignment) return;
  FAlignment = value;
  FBar->UpdatePanelText(FIndex);
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 200, 19);
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

TStatusPanel* TStatusBar::AddPanel() {
  FPanels.push_back(std::unique_ptr<TStatusPanel>(new TStatusPanel(this, GetPanelCount())));
  UpdateParts();
  return FPanels.back().get();
}

void TStatusBar::ClearPanels() {
  FPanels.clear();
  UpdateParts();
}

void TStatusBar::SetSimplePanel(bool value) {
  if (value == FSimplePanel) return;
  FSimplePanel = value;
  if (!FHandle) return;
  ::SendMessageA(FHandle, SB_SIMPLE, FSimplePanel, 0);
  if (FSimplePanel) ::SendMessageA(FHandle, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}

void TStatusBar::SetSimpleText(const std::string& text) {
  if (text == FSimpleText) return;
  FSimpleText = text;
  if (FHandle && FSimplePanel)
    ::SendMessageA(FHandle, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}

void TStatusBar::SetSizeGrip(bool value) {
  if (value == FSizeGrip) return;
  FSizeGrip = value;
  if (FHandle) RecreateWnd();
}

void TStatusBar::CreateParams(TCreateParams& params) {
  InitCommonControlClasses();
  TWinControl::CreateParams(params);
  params.SysClassName = STATUSCLASSNAMEA;
  // We place the bar ourselves (Align), not the control at its parent's edge.
  params.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN;
  if (FSizeGrip) params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateParts();
  if (FSimplePanel) {
    ::SendMessageA(FHandle, SB_SIMPLE, TRUE, 0);
    ::SendMessageA(FHandle, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
  }
}

void TStatusBar::UpdateParts() {
  if (!FHandle) return;
  // Right edges; the last panel runs to the bar's end.
  std::vector<int> edges;
  int x = 0;
  for (size_t i = 0; i < FPanels.size(); ++i) {
    x += FPanels[i]->GetWidth();
    edges.push_back(i + 1 == FPanels.size() ? -1 : x);
  }
  if (edges.empty()) edges.push_back(-1);
  ::SendMessageA(FHandle, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < GetPanelCount(); ++i) UpdatePanelText(i);
}

void TStatusBar::UpdatePanelText(int i) {
  if (!FHandle) return;
  const TStatusPanel& p = *FPanels[static_cast<size_t>(i)];
  // The control centres text after one tab and right-aligns it after two.
  std::string text = p.GetText();
  if (p.GetAlignment() == taCenter) text.insert(0, "\t");
  else if (p.GetAlignment() == taRightJustify) text.insert(0, "\t\t");
  ::SendMessageA(FHandle, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::WndProc(TMessage& msg) {
  if (msg.Msg == WM_SIZE) {
    TWinControl::WndProc(msg);
    // The size grip moves with the right edge.
    ::InvalidateRect(FHandle, nullptr, TRUE);
    return;
  }
  TWinControl::WndProc(msg);
}

// ---------------------------------------------------------------------------
// TProgressBar
// ---------------------------------------------------------------------------
TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& params) {
  InitCommonControlClasses();
  TWinControl::CreateParams(params);
  params.SysClassName = PROGRESS_CLASSA;
}

void TProgressBar::CreateWnd() {
  TWinControl::CreateWnd();
  ::SendMessageA(FHandle, PBM_SETRANGE32, FMin, FMax);
  ::SendMessageA(FHandle, PBM_SETPOS, FPosition, 0);
}

void TProgressBar::SetRange(int min, int max) {
  if (max < min) std::swap(min, max);
  if (min == FMin && max == FMax) return;
  FMin = min;
  FMax = max;
  FPosition = std::clamp(FPosition, FMin, FMax);
  if (FHandle) {
    ::SendMessageA(FHandle, PBM_SETRANGE32, FMin, FMax);
    ::SendMessageA(FHandle, PBM_SETPOS, FPosition, 0);
  }
}

const TClassInfo& TProgressBar::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TProgressBar", &TWinControl::StaticClassInfo())
                                     .Integer("Min", &TProgressBar::GetMin, &TProgressBar::SetMin)
                                     .Integer("Max", &TProgressBar::GetMax, &TProgressBar::SetMax)
                                     .Integer("Position", &TProgressBar::GetPosition, &TProgressBar::SetPosition);
  return info;
}
const TClassInfo* TProgressBar::ClassInfo() const { return &StaticClassInfo(); }

void TProgressBar::SetPosition(int value) {
  value = std::clamp(value, FMin, FMax);
  if (value == FPosition) return;
  FPosition = value;
  if (FHandle) ::SendMessageA(FHandle, PBM_SETPOS, FPosition, 0);
}

// ---------------------------------------------------------------------------
// Published properties: what stored settings and language files name. The
// texts a person reads are string properties that reach the live window.
// ---------------------------------------------------------------------------
const TClassInfo& TTabSheet::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TTabSheet", &TWinControl::StaticClassInfo())
                                     .String("Caption", &TControl::GetCaption, &TControl::SetCaption)
                                     .Integer("ImageIndex", &TTabSheet::GetImageIndex, &TTabSheet::SetImageIndex);
  return info;
}
const TClassInfo* TTabSheet::ClassInfo() const { return &StaticClassInfo(); }

const TClassInfo& TPageControl::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TPageControl", &TWinControl::StaticClassInfo())
          .Integer("ActivePageIndex", &TPageControl::GetActivePageIndex, &TPageControl::SetActivePageIndex)
          .Integer("TabHeight", &TPageControl::GetTabHeight, &TPageControl::SetTabHeight);
  return info;
}
const TClassInfo* TPageControl::ClassInfo() const { return &StaticClassInfo(); }

const TClassInfo& TTabSet::StaticClassInfo() {
  static const TClassInfo info = TClassInfo("TTabSet", &TWinControl::StaticClassInfo())
                                     .Object("Tabs", &TTabSet::GetTabs)
                                     .Integer("TabIndex", &TTabSet::GetTabIndex, &TTabSet::SetTabIndex);
  return info;
}
const TClassInfo* TTabSet::ClassInfo() const { return &StaticClassInfo(); }

const TClassInfo& TStatusBar::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TStatusBar", &TWinControl::StaticClassInfo())
          .Bool("SimplePanel", &TStatusBar::GetSimplePanel, &TStatusBar::SetSimplePanel)
          .String("SimpleText", &TStatusBar::GetSimpleText, &TStatusBar::SetSimpleText)
          .Bool("SizeGrip", &TStatusBar::GetSizeGrip, &TStatusBar::SetSizeGrip);
  return info;
}
const TClassInfo* TStatusBar::ClassInfo() const { return &StaticClassInfo(); }

const TClassInfo& TTreeView::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TTreeView", &TWinControl::StaticClassInfo())
          .Bool("ReadOnly", &TTreeView::GetReadOnly, &TTreeView::SetReadOnly)
          .Bool("HotTrack", &TTreeView::GetHotTrack, &TTreeView::SetHotTrack)
          .Bool("ShowRoot", &TTreeView::GetShowRoot, &TTreeView::SetShowRoot)
          .Bool("ShowLines", &TTreeView::GetShowLines, &TTreeView::SetShowLines)
          .Enum("SortType", {"stNone", "stData", "stText", "stBoth"}, &TTreeView::GetSortType,
                &TTreeView::SetSortType);
  return info;
}
const TClassInfo* TTreeView::ClassInfo() const { return &StaticClassInfo(); }

const TClassInfo& TListView::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TListView", &TWinControl::StaticClassInfo())
          .Enum("ViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"}, &TListView::GetViewStyle,
                &TListView::SetViewStyle)
          .Bool("MultiSelect", &TListView::GetMultiSelect, &TListView::SetMultiSelect)
          .Bool("RowSelect", &TListView::GetRowSelect, &TListView::SetRowSelect)
          .Integer("ItemIndex", &TListView::GetItemIndex, &TListView::SetItemIndex);
  return info;
}
const TClassInfo* TListView::ClassInfo() const { return &StaticClassInfo(); }
