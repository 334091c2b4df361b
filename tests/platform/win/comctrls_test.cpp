// The common controls in real windows: status panels and their alignment,
// page controls with sheets made and freed at run time, bottom tabs, the
// tree view's sorting and expanding, owner-data list views answering both
// notification forms, and shared image lists.
#include "platform/win/WinApi.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/TypInfo.h"
#include "platform/win/ComCtrls.h"
#include "platform/win/Forms.h"
#include "platform/win/GridWindow.h"
#include "platform/win/ImgList.h"
#include "platform/win/PropRoundTrip.h"
#include "platform/win/ToolBarText.h"
#include "platform/win/ToolWin.h"
#include "platform/win/WinTestSupport.h"

TQ_TEST_APPLICATION();

namespace {

class TPlainForm : public TForm {
public:
  explicit TPlainForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetBounds(40, 40, 480, 320);
  }
  std::vector<UINT> Seen;

protected:
  void WndProc(TMessage& msg) override {
    if (msg.Msg == WM_DROPFILES) Seen.push_back(msg.Msg);
    TForm::WndProc(msg);
  }
};

void Show(TForm* form) {
  form->Show();
  ::UpdateWindow(form->GetHandle());
  ::SetForegroundWindow(form->GetHandle());
  Application->ProcessMessages();
}

void Click(HWND wnd, int x, int y) {
  ::PostMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  ::PostMessageA(wnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  Application->ProcessMessages();
}

// Columns of a rectangle holding dark (text) pixels.
std::vector<int> InkColumns(HWND wnd, const RECT& r) {
  std::vector<int> cols;
  HDC dc = ::GetDC(wnd);
  for (int x = r.left; x < r.right; ++x)
    for (int y = r.top; y < r.bottom; ++y) {
      COLORREF c = ::GetPixel(dc, x, y);
      if (GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80) {
        cols.push_back(x);
        break;
      }
    }
  ::ReleaseDC(wnd, dc);
  return cols;
}

std::string PanelText(HWND bar, int i) {
  char buf[128] = {};
  ::SendMessageA(bar, SB_GETTEXTA, i, reinterpret_cast<LPARAM>(buf));
  return buf;
}

std::vector<std::string> TabTexts(HWND wnd) {
  std::vector<std::string> texts;
  const int n = int(::SendMessageA(wnd, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    char text[32] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(wnd, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    texts.push_back(text);
  }
  return texts;
}

TEST(StatusBar, PanelsSetBeforeTheWindowAppearWithTheirAlignment) {
  auto form = std::make_unique<TPlainForm>(nullptr);
  auto* bar = new TStatusBar(form.get());
  bar->SetSizeGrip(false);
  const TAlignment aligns[] = {taLeftJustify, taCenter, taRightJustify};
  for (TAlignment a : aligns) {
    TStatusPanel* p = bar->AddPanel();
    p->SetWidth(150);
    p->SetAlignment(a);
    p->SetText("WWW");
  }
  bar->SetParent(form.get());
  Show(form.get());
  HWND wnd = bar->GetHandle();
  EXPECT_EQ(::SendMessageA(wnd, SB_GETPARTS, 0, 0), 3);
  EXPECT_EQ(PanelText(wnd, 0), "WWW");
  EXPECT_EQ(PanelText(wnd, 1), "\tWWW");
  EXPECT_EQ(PanelText(wnd, 2), "\t\tWWW");
  ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

  // Where the text lands in each panel: left, middle, right.
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    RECT r{};
    ::SendMessageA(wnd, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r));
    r.left += 3;
    r.right -= 3;
    std::vector<int> ink = InkColumns(wnd, r);
    ASSERT_FALSE(ink.empty());
    int mid = (ink.front() + ink.back()) / 2;
    int width = r.right - r.left;
    int where = (mid - r.left) * 3 / width;  // 0 left third, 1 middle, 2 right
    EXPECT_EQ(where, i);
  }

  // Setting the text a panel holds sends nothing to the window.
  ::SendMessageA(wnd, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("changed outside"));
  bar->GetPanel(0)->SetText("WWW");
  EXPECT_EQ(PanelText(wnd, 0), "changed outside");
  bar->GetPanel(0)->SetText("new");
  EXPECT_EQ(PanelText(wnd, 0), "new");
}

TEST(PageControl, SheetsMadeAndFreedAtRunTime) {
  auto form = std::make_unique<TPlainForm>(nullptr);
  auto* pages = new TPageControl(form.get());
  pages->SetAlign(alClient);
  pages->SetParent(form.get());
  int changes = 0;
  pages->OnChange = [&](TObject*) { ++changes; };
  auto* a = new TTabSheet(form.get());
  a->SetCaption("alpha");
  a->SetPageControl(pages);
  Show(form.get());
  auto* b = new TTabSheet(form.get());
  b->SetCaption("beta");
  b->SetPageControl(pages);
  HWND wnd = pages->GetHandle();
  EXPECT_EQ(::SendMessageA(wnd, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(pages->GetActivePage(), a);

  // Code changes the page without events; a click on a tab fires OnChange.
  pages->SetActivePage(b);
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(b->GetVisible());
  EXPECT_FALSE(a->GetVisible());
  // The windows follow, and the sheet shown is still drawn at the next
  // paint though its erase waits for it.
  EXPECT_TRUE(::IsWindowVisible(b->GetHandle()));
  EXPECT_FALSE(::IsWindowVisible(a->GetHandle()));
  EXPECT_TRUE(::GetUpdateRect(b->GetHandle(), nullptr, FALSE));
  ::UpdateWindow(form->GetHandle());
  ::RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_FALSE(::GetUpdateRect(b->GetHandle(), nullptr, FALSE));
  RECT tab{};
  ::SendMessageA(wnd, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
  Click(wnd, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(pages->GetActivePage(), a);
  EXPECT_TRUE(a->GetVisible());
  EXPECT_TRUE(::IsWindowVisible(a->GetHandle()));
  EXPECT_FALSE(::IsWindowVisible(b->GetHandle()));

  // A caption set later changes the tab.
  b->SetCaption("gamma");
  EXPECT_EQ(TabTexts(wnd), (std::vector<std::string>{"alpha", "gamma"}));

  // Freeing the active sheet removes its tab; the neighbour takes its place.
  delete a;
  EXPECT_EQ(::SendMessageA(wnd, TCM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_EQ(pages->GetPageCount(), 1);
  EXPECT_EQ(pages->GetActivePage(), b);
  EXPECT_TRUE(::IsWindowVisible(b->GetHandle()));
  EXPECT_EQ(::SendMessageA(wnd, TCM_GETCURSEL, 0, 0), 0);

  // Files dropped on the tabs go to the parent.
  ::SendMessageA(wnd, WM_DROPFILES, 0, 0);
  EXPECT_EQ(form->Seen, std::vector<UINT>{WM_DROPFILES});
}

// The pixels of a window's client area, as the screen shows them.
std::vector<COLORREF> ClientPixels(HWND wnd) {
  RECT r{};
  ::GetClientRect(wnd, &r);
  std::vector<COLORREF> pixels;
  HDC dc = ::GetDC(wnd);
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x) pixels.push_back(::GetPixel(dc, x, y));
  ::ReleaseDC(wnd, dc);
  return pixels;
}

// A tab change repaints only what it changed (the two tabs, or the whole
// strip when it scrolls, and the sheet shown): what it leaves on the screen
// must be what a full repaint draws, with no trace of the sheet it hid.
TEST(PageControl, ATabChangeLeavesWhatAFullRepaintDraws) {
  auto form = std::make_unique<TPlainForm>(nullptr);
  form->SetBounds(40, 40, 300, 120);
  auto* pages = new TPageControl(form.get());
  pages->SetAlign(alClient);
  pages->SetParent(form.get());
  const TColor colours[] = {clRed, clLime, clBlue, clYellow};
  std::vector<TTabSheet*> sheets;
  for (int i = 0; i < 12; ++i) {
    auto* sheet = new TTabSheet(form.get());
    sheet->SetCaption("sheet " + std::to_string(i));
    sheet->SetColor(colours[i % 4]);
    sheet->SetPageControl(pages);
    sheets.push_back(sheet);
  }
  Show(form.get());
  HWND wnd = pages->GetHandle();
  // Along the strip within its view, then to a tab out of view (the strip
  // scrolls) and back to the first.
  for (int index : {1, 2, 3, 2, 11, 10, 0}) {
    SCOPED_TRACE(index);
    pages->SetActivePageIndex(index);
    ::RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const std::vector<COLORREF> shown = ClientPixels(wnd);
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const std::vector<COLORREF> full = ClientPixels(wnd);
    EXPECT_EQ(::SendMessageA(wnd, TCM_GETCURSEL, 0, 0), index);
    // The themed strip blends its edges over what lies beneath, so a
    // repaint over a painted strip may differ by a shade.
    int off = 0;
    for (size_t k = 0; k < shown.size(); ++k) {
      const int d = std::max({std::abs(GetRValue(shown[k]) - GetRValue(full[k])),
                              std::abs(GetGValue(shown[k]) - GetGValue(full[k])),
                              std::abs(GetBValue(shown[k]) - GetBValue(full[k]))});
      if (d > 2) ++off;
    }
    EXPECT_EQ(off, 0) << "pixels the change left otherwise than a full repaint draws them";
    EXPECT_NE(std::find(full.begin(), full.end(), ColorToRGB(colours[index % 4])), full.end());
  }
}

TEST(PageControl, AnUpdateBringsTabsAndTheSheetShownUpToDateAtItsEnd) {
  auto form = std::make_unique<TPlainForm>(nullptr);
  auto* pages = new TPageControl(form.get());
  pages->SetAlign(alClient);
  pages->SetParent(form.get());
  std::vector<TTabSheet*> sheets;
  for (const char* caption : {"a", "b", "c", "d"}) {
    sheets.push_back(new TTabSheet(form.get()));
    sheets.back()->SetCaption(caption);
    sheets.back()->SetPageControl(pages);
  }
  Show(form.get());
  HWND wnd = pages->GetHandle();
  pages->SetActivePage(sheets[0]);

  // Nested: out of sight until the outer end. The active sheet and one
  // beside it go, a caption changes and a sheet comes.
  pages->BeginUpdate();
  pages->BeginUpdate();
  EXPECT_FALSE(::IsWindowVisible(wnd));
  delete sheets[0];
  delete sheets[1];
  sheets[3]->SetCaption("d2");
  auto* e = new TTabSheet(form.get());
  e->SetCaption("e");
  e->SetPageControl(pages);
  pages->EndUpdate();
  EXPECT_FALSE(::IsWindowVisible(wnd));
  pages->EndUpdate();
  EXPECT_TRUE(::IsWindowVisible(wnd));
  EXPECT_EQ(pages->GetPageCount(), 3);
  EXPECT_EQ(TabTexts(wnd), (std::vector<std::string>{"c", "d2", "e"}));
  EXPECT_EQ(pages->GetActivePage(), sheets[2]);
  EXPECT_EQ(::SendMessageA(wnd, TCM_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(::IsWindowVisible(sheets[2]->GetHandle()));
  EXPECT_FALSE(::IsWindowVisible(sheets[3]->GetHandle()));
  EXPECT_EQ(sheets[2]->GetBoundsRect(), pages->GetDisplayRect());
  EXPECT_TRUE(::GetUpdateRect(wnd, nullptr, FALSE)) << "the control is drawn again";

  // Every sheet gone in an update; the control takes new ones as before.
  pages->BeginUpdate();
  while (pages->GetPageCount() > 0) delete pages->GetPage(0);
  pages->EndUpdate();
  wnd = pages->GetHandle();
  EXPECT_TRUE(::IsWindowVisible(wnd));
  EXPECT_EQ(::SendMessageA(wnd, TCM_GETITEMCOUNT, 0, 0), 0);
  EXPECT_EQ(pages->GetActivePage(), nullptr);
  auto* f = new TTabSheet(form.get());
  f->SetCaption("f");
  f->SetPageControl(pages);
  EXPECT_EQ(TabTexts(wnd), std::vector<std::string>{"f"});
  EXPECT_TRUE(::IsWindowVisible(f->GetHandle()));

  // A control hidden before the update stays hidden after it.
  pages->SetVisible(false);
  pages->BeginUpdate();
  pages->EndUpdate();
  EXPECT_FALSE(::IsWindowVisible(pages->GetHandle()));
}

TEST(PageControl, TabHeightOfOneLeavesAOnePixelStrip) {
  auto form = std::make_unique<TPlainForm>(nullptr);
  auto* pages = new TPageControl(form.get());
  pages->SetAlign(alClient);
  pages->SetParent(form.get());
  auto* sheet = new TTabSheet(form.get());
  sheet->SetCaption("only");
  sheet->SetPageControl(pages);
  Show(form.get());
  int normalTop = sheet->GetTop();
  EXPECT_GT(normalTop, 10);
  pages->SetTabHeight(1);
  Application->ProcessMessages();
  RECT tab{};
  ::SendMessageA(pages->GetHandle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
  EXPECT_EQ(tab.bottom - tab.top, 1);
  EXPECT_LT(sheet->GetTop(), normalTop - 10);
  // Back to the system's height.
  pages->SetTabHeight(0);
  Application->ProcessMessages();
  EXPECT_EQ(pages->GetPage(0), sheet);
  EXPECT_EQ(sheet->GetTop(), normalTop);
}

TEST(TabSet, TabsAreLaidAtTheBottom) {
  auto form = std::make_unique<TPlainForm>(nullptr);
  auto* tabs = new TTabSet(form.get());
  tabs->SetBounds(0, 0, 400, 120);
  tabs->GetTabs()->Add("Font Style");
  tabs->GetTabs()->Add("Gutter Style");
  tabs->SetTabIndex(1);
  tabs->SetParent(form.get());
  int clicks = 0;
  tabs->OnClick = [&](TObject*) { ++clicks; };
  Show(form.get());
  TRect r = tabs->GetTabRect(0);
  ASSERT_FALSE(r.IsEmpty());
  EXPECT_GT(r.Top, 60);  // in the lower half of a 120-pixel control
  EXPECT_EQ(::SendMessageA(tabs->GetHandle(), TCM_GETCURSEL, 0, 0), 1);
  Click(tabs->GetHandle(), (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  EXPECT_EQ(tabs->GetTabIndex(), 0);
  EXPECT_EQ(clicks, 1);
  tabs->SetTabIndex(1);
  EXPECT_EQ(clicks, 1);
}

// A window item's text and state.
TVITEMA WindowItem(HWND tree, HTREEITEM item, std::string& text) {
  char buffer[64] = {};
  TVITEMA tv{};
  tv.mask = TVIF_TEXT | TVIF_STATE | TVIF_HANDLE;
  tv.stateMask = ~0u;
  tv.hItem = item;
  tv.pszText = buffer;
  tv.cchTextMax = sizeof buffer;
  ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  text = buffer;
  return tv;
}

HTREEITEM NextWindowItem(HWND tree, HTREEITEM item, WPARAM how) {
  return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

// The window's children of an item (null for the top level), as texts.
std::vector<std::string> WindowChildren(HWND tree, HTREEITEM parent) {
  std::vector<std::string> out;
  for (HTREEITEM item = NextWindowItem(tree, parent, parent ? TVGN_CHILD : TVGN_ROOT); item;
       item = NextWindowItem(tree, item, TVGN_NEXT)) {
    std::string text;
    WindowItem(tree, item, text);
    out.push_back(text);
  }
  return out;
}

TEST(TreeView, SortingSurvivesAnyComparisonHandler) {
  auto form = std::make_unique<TPlainForm>(nullptr);
  auto* tree = new TTreeView(form.get());
  tree->SetAlign(alClient);
  tree->SetParent(form.get());
  Show(form.get());
  TTreeNode* root = tree->AddChild(nullptr, "ftp://host/");
  for (int i = 0; i < 300; ++i) tree->AddChild(root, "dir" + std::to_string((i * 7919) % 300));

  struct Handler {
    const char* Name;
    std::function<int(TTreeNode*, TTreeNode*)> Compare;
  } handlers[] = {
      {"always one", [](TTreeNode*, TTreeNode*) { return 1; }},
      {"one except against the root", [&](TTreeNode*, TTreeNode* b) { return b == root ? 0 : 1; }},
      {"always minus one", [](TTreeNode*, TTreeNode*) { return -1; }},
      {"by address parity", [](TTreeNode* a, TTreeNode* b) {
         return ((reinterpret_cast<uintptr_t>(a) ^ reinterpret_cast<uintptr_t>(b)) & 16) ? 1 : -1;
       }},
  };
  for (auto& h : handlers) {
    SCOPED_TRACE(h.Name);
    int calls = 0;
    tree->OnCompare = [&](TObject*, TTreeNode* a, TTreeNode* b, int, int& result) {
      ++calls;
      result = h.Compare(a, b);
    };
    tree->AlphaSort(true);
    EXPECT_LT(calls, 300 * 10);  // n log n, not a loop
    ASSERT_EQ(root->GetCount(), 300);
    std::vector<std::string> model;
    for (int i = 0; i < root->GetCount(); ++i) {
      EXPECT_EQ(root->GetItem(i)->GetIndex(), i);
      model.push_back(root->GetItem(i)->GetText());
    }
    // The window shows the model's order, every node once.
    EXPECT_EQ(WindowChildren(tree->GetHandle(), static_cast<HTREEITEM>(
                                 reinterpret_cast<void*>(::SendMessageA(tree->GetHandle(), TVM_GETNEXTITEM, TVGN_ROOT, 0)))),
              model);
  }

  // A sensible handler gives a sorted tree, kept sorted as nodes are added.
  tree->OnCompare = [](TObject*, TTreeNode* a, TTreeNode* b, int, int& result) {
    result = a->GetText().compare(b->GetText());
  };
  tree->SetSortType(stText);
  tree->AddChild(root, "dir000");
  EXPECT_EQ(root->GetItem(0)->GetText(), "dir0");
  EXPECT_EQ(root->GetItem(1)->GetText(), "dir000");
  EXPECT_EQ(root->GetItem(2)->GetText(), "dir1");
}

// The overlay the window draws over a top-level node's image, as the
// state's overlay image number (0 for none, 99 when the node is missing).
unsigned WindowOverlay(HWND tree, TTreeNode* node) {
  for (HTREEITEM item = NextWindowItem(tree, nullptr, TVGN_ROOT); item; item = NextWindowItem(tree, item, TVGN_NEXT)) {
    std::string text;
    const TVITEMA tv = WindowItem(tree, item, text);
    if (text == node->GetText()) return (tv.state & TVIS_OVERLAYMASK) >> 8;
  }
  return 99;
}

TEST(TreeView, OverlaysReachTheWindowBeforeAndAfterItIsMade) {
  auto form = std::make_unique<TPlainForm>(nullptr);
  auto* tree = new TTreeView(form.get());
  tree->SetAlign(alClient);
  TTreeNode* shared = tree->AddChild(nullptr, "shared");
  shared->SetOverlayIndex(0);
  TTreeNode* plain = tree->AddChild(nullptr, "plain");
  tree->SetParent(form.get());
  Show(form.get());
  HWND wnd = tree->GetHandle();
  EXPECT_EQ(WindowOverlay(wnd, shared), 1u);
  EXPECT_EQ(WindowOverlay(wnd, plain), 0u);
  plain->SetOverlayIndex(1);  // a link
  EXPECT_EQ(WindowOverlay(wnd, plain), 2u);
  shared->SetOverlayIndex(-1);
  EXPECT_EQ(WindowOverlay(wnd, shared), 0u);
  // Out of the mask's range is no overlay, not another one.
  plain->SetOverlayIndex(40);
  EXPECT_EQ(plain->GetOverlayIndex(), -1);
  EXPECT_EQ(WindowOverlay(wnd, plain), 0u);
}

TEST(TreeView, NodesBeforeTheWindowExpandingAndReadOnly) {
  auto form = std::make_unique<TPlainForm>(nullptr);
  auto* tree = new TTreeView(form.get());
  tree->SetAlign(alClient);
  tree->SetReadOnly(true);
  tree->SetHotTrack(true);
  int data = 7;
  TTreeNode* site = tree->AddChildObject(nullptr, "site", &data);
  site->SetHasChildren(true);
  std::vector<std::string> log;
  tree->OnExpanding = [&](TObject*, TTreeNode* node, bool& allow) {
    log.push_back("expanding " + node->GetText());
    // Children are made when the node opens.
    if (node->GetCount() == 0) tree->AddChild(node, "pub")->SetHasChildren(true);
    allow = node->GetText() != "pub";
  };
  tree->OnChange = [&](TObject*, TTreeNode* node) { log.push_back("change " + node->GetText()); };
  tree->SetParent(form.get());
  Show(form.get());
  HWND wnd = tree->GetHandle();
  EXPECT_NE(::GetWindowLongPtrA(wnd, GWL_STYLE) & TVS_TRACKSELECT, 0);
  EXPECT_EQ(::GetWindowLongPtrA(wnd, GWL_STYLE) & TVS_EDITLABELS, 0);

  // Keys of the user: select the node, Right opens it.
  tree->SetFocus();
  tree->SetSelected(site);
  ::PostMessageA(wnd, WM_KEYDOWN, VK_RIGHT, 1);
  Application->ProcessMessages();
  EXPECT_TRUE(site->GetExpanded());
  ASSERT_EQ(site->GetCount(), 1);
  EXPECT_EQ(site->GetData(), &data);
  ::PostMessageA(wnd, WM_KEYDOWN, VK_DOWN, 1);
  ::PostMessageA(wnd, WM_KEYDOWN, VK_RIGHT, 1);
  Application->ProcessMessages();
  EXPECT_EQ(tree->GetSelected(), site->GetItem(0));
  EXPECT_FALSE(site->GetItem(0)->GetExpanded());  // the handler refused
  EXPECT_EQ(log, (std::vector<std::string>{"change site", "expanding site", "change pub", "expanding pub"}));

  // A read-only tree does not edit labels.
  LPARAM caret = ::SendMessageA(wnd, TVM_GETNEXTITEM, TVGN_CARET, 0);
  ASSERT_NE(caret, 0);
  EXPECT_EQ(::SendMessageA(wnd, TVM_EDITLABELA, 0, caret), 0);
}

// An owner-data list of 1000 rows "Row 0" ... "Row 999" in report view.
struct OwnerDataList {
  std::unique_ptr<TPlainForm> Form = std::make_unique<TPlainForm>(nullptr);
  TListView* List = new TListView(Form.get());
  int Fetches = 0;
  OwnerDataList() {
    List->SetAlign(alClient);
    List->SetViewStyle(vsReport);
    List->SetOwnerData(true);
    List->AddColumn("Name", 120, taLeftJustify, 5);
    List->AddColumn("Size", 80, taRightJustify, 2);
    List->SetItemCount(1000);
    List->OnData = [this](TObject*, TListItem& item) {
      ++Fetches;
      item.SetCaption("Row " + std::to_string(item.GetIndex()));
      item.SubItems().push_back(std::to_string(item.GetIndex() * 10));
    };
    List->OnDataFind = [](TObject*, TItemFind kind, const std::string& text, TPoint, void*,
                          int start, TSearchDirection, bool wrap, int& index) {
      if (kind != ifPartialString && kind != ifExactString) return;
      for (int n = 0, i = start; n < 1000; ++n, i = (i + 1) % 1000) {
        if (i == 0 && n > 0 && !wrap) break;
        std::string row = "Row " + std::to_string(i);
        if (kind == ifExactString ? row == text : row.rfind(text, 0) == 0) {
          index = i;
          return;
        }
      }
    };
    List->SetParent(Form.get());
    Show(Form.get());
  }
  // Sends a notification as the control would, to the list's parent.
  LRESULT Notify(NMHDR& hdr) {
    hdr.hwndFrom = List->GetHandle();
    hdr.idFrom = 0;
    return ::SendMessageA(Form->GetHandle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr));
  }
};

TEST(ListView, OwnerDataAnswersFetchAndFindInBothForms) {
  OwnerDataList f;
  HWND wnd = f.List->GetHandle();
  EXPECT_EQ(::SendMessageA(wnd, LVM_GETITEMCOUNT, 0, 0), 1000);
  // Through the control, in whatever form it asks.
  char text[64] = {};
  LVITEMA get{};
  get.iSubItem = 1;
  get.pszText = text;
  get.cchTextMax = sizeof text;
  ::SendMessageA(wnd, LVM_GETITEMTEXTA, 42, reinterpret_cast<LPARAM>(&get));
  EXPECT_STREQ(text, "420");
  LVFINDINFOA find{};
  find.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
  find.psz = "Row 77";
  EXPECT_EQ(::SendMessageA(wnd, LVM_FINDITEMA, 500, reinterpret_cast<LPARAM>(&find)), 770);
  find.flags = LVFI_STRING | LVFI_WRAP;
  EXPECT_EQ(::SendMessageA(wnd, LVM_FINDITEMA, 500, reinterpret_cast<LPARAM>(&find)), 77);

  // Each form explicitly.
  NMLVDISPINFOA da{};
  da.hdr.code = LVN_GETDISPINFOA;
  da.item.mask = LVIF_TEXT;
  da.item.iItem = 7;
  da.item.pszText = text;
  da.item.cchTextMax = sizeof text;
  f.Notify(da.hdr);
  EXPECT_STREQ(text, "Row 7");
  wchar_t wide[64] = {};
  NMLVDISPINFOW dw{};
  dw.hdr.code = LVN_GETDISPINFOW;
  dw.item.mask = LVIF_TEXT;
  dw.item.iItem = 8;
  dw.item.iSubItem = 1;
  dw.item.pszText = wide;
  dw.item.cchTextMax = 64;
  f.Notify(dw.hdr);
  EXPECT_STREQ(wide, L"80");
  // A buffer too short gets what fits, ended.
  dw.item.iSubItem = 0;
  dw.item.cchTextMax = 4;
  f.Notify(dw.hdr);
  EXPECT_STREQ(wide, L"Row");

  NMLVFINDITEMA fa{};
  fa.hdr.code = LVN_ODFINDITEMA;
  fa.iStart = 0;
  fa.lvfi.flags = LVFI_STRING;
  fa.lvfi.psz = "Row 13";
  EXPECT_EQ(f.Notify(fa.hdr), 13);
  NMLVFINDITEMW fw{};
  fw.hdr.code = LVN_ODFINDITEMW;
  fw.iStart = 900;
  fw.lvfi.flags = LVFI_STRING | LVFI_PARTIAL;  // no wrap: nothing after 900 starts "Row 12"
  fw.lvfi.psz = L"Row 12";
  EXPECT_EQ(f.Notify(fw.hdr), -1);
  fw.lvfi.flags |= LVFI_WRAP;
  EXPECT_EQ(f.Notify(fw.hdr), 12);

  // A new count drops the row fetched before: the handler is asked again.
  int before = f.Fetches;
  da.item.iItem = 7;
  f.List->SetItemCount(1000);
  f.Notify(da.hdr);
  EXPECT_EQ(f.Fetches, before + 1);
}

TEST(ListView, ColumnsRowsAndSelection) {
  auto form = std::make_unique<TPlainForm>(nullptr);
  auto* list = new TListView(form.get());
  list->SetAlign(alClient);
  list->SetViewStyle(vsReport);
  list->SetRowSelect(true);
  list->AddColumn("Name", 120, taLeftJustify, 5);
  list->AddColumn("Size", 80, taRightJustify, 2);
  list->BeginUpdate();
  for (int i = 0; i < 20; ++i) list->AddItem("file" + std::to_string(i), {std::to_string(i) + "KB"});
  list->EndUpdate();
  list->SetItemIndex(3);
  std::vector<int> clicked;
  list->OnColumnClick = [&](TObject*, TListColumn& c, int) { clicked.push_back(c.Tag); };
  int selections = 0;
  list->OnSelectItem = [&](TObject*) { ++selections; };
  list->SetParent(form.get());
  Show(form.get());
  HWND wnd = list->GetHandle();
  EXPECT_EQ(::SendMessageA(wnd, LVM_GETITEMCOUNT, 0, 0), 20);
  EXPECT_EQ(list->GetItemIndex(), 3);
  EXPECT_NE(::SendMessageA(wnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT, 0);

  // A click on the second header fires the column click with its tag.
  HWND header = reinterpret_cast<HWND>(::SendMessageA(wnd, LVM_GETHEADER, 0, 0));
  RECT hr{};
  ::SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&hr));
  Click(header, (hr.left + hr.right) / 2, (hr.top + hr.bottom) / 2);
  EXPECT_EQ(clicked, std::vector<int>{2});

  // A click on a row selects it and tells; code does not.
  RECT row{};
  row.left = LVIR_BOUNDS;
  ::SendMessageA(wnd, LVM_GETITEMRECT, 5, reinterpret_cast<LPARAM>(&row));
  Click(wnd, row.left + 30, (row.top + row.bottom) / 2);
  EXPECT_EQ(list->GetItemIndex(), 5);
  EXPECT_GT(selections, 0);
  selections = 0;
  list->SetItemIndex(6);
  EXPECT_EQ(selections, 0);
  EXPECT_EQ(list->GetSelected()->GetCaption(), "file6");

  // A new window (multiple selection) keeps rows, columns and selection.
  list->SetMultiSelect(true);
  wnd = list->GetHandle();
  EXPECT_EQ(::GetWindowLongPtrA(wnd, GWL_STYLE) & LVS_SINGLESEL, 0);
  EXPECT_EQ(::SendMessageA(wnd, LVM_GETITEMCOUNT, 0, 0), 20);
  EXPECT_EQ(list->GetItemIndex(), 6);
  list->GetItem(9)->SetSelected(true);
  EXPECT_EQ(list->GetSelCount(), 2);
  char text[32] = {};
  LVITEMA get{};
  get.iSubItem = 1;
  get.pszText = text;
  get.cchTextMax = sizeof text;
  ::SendMessageA(wnd, LVM_GETITEMTEXTA, 9, reinterpret_cast<LPARAM>(&get));
  EXPECT_STREQ(text, "9KB");
}

TEST(ImageList, ASharedSystemListIsNeverDestroyed) {
  HIMAGELIST shared = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 1);
  HICON icon = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  ASSERT_EQ(::ImageList_ReplaceIcon(shared, -1, icon), 0);
  {
    TImageList list(nullptr);
    list.SetShareImages(true);
    list.SetHandle(shared);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.AddIcon(icon), 1);
  }
  EXPECT_EQ(::ImageList_GetImageCount(shared), 2);
  ::ImageList_Destroy(shared);

  // An own list is made on demand with masked bitmaps.
  TImageList own(nullptr);
  EXPECT_FALSE(own.HandleAllocated());
  HDC screen = ::GetDC(nullptr);
  HBITMAP bmp = ::CreateCompatibleBitmap(screen, 32, 16);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(own.AddMasked(bmp, RGB(255, 0, 255)), 0);
  EXPECT_EQ(own.GetCount(), 2);  // a 32-pixel strip is two 16-pixel images
  ::DeleteObject(bmp);
}

std::string TabText(HWND tabs, int i) {
  char buf[64] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = buf;
  item.cchTextMax = sizeof buf;
  ::SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
  return buf;
}

TEST(CommonControls, PublishedPropertiesRoundTripAndTextsReachTheLiveWindow) {
  auto form = std::make_unique<TPlainForm>(nullptr);
  auto* pages = new TPageControl(form.get());
  auto* sheet = new TTabSheet(form.get());
  sheet->SetPageControl(pages);
  auto* tabs = new TTabSet(form.get());
  auto* status = new TStatusBar(form.get());
  auto* bar = new TToolBar(form.get());
  auto* button = new TToolButton(form.get());
  button->SetToolBar(bar);
  std::vector<std::pair<TControl*, std::set<std::string>>> controls = {
      {pages, {"ActivePageIndex"}},  // one sheet: kept in range
      {tabs, {"TabIndex"}},
      // Aligned to an edge: only their height is their own.
      {status, {"Left", "Top", "Width"}},
      {bar, {"Left", "Top", "Width"}},
      {new TTreeView(form.get()), {}},
      {new TListView(form.get()), {"ItemIndex"}},
      {new TStringGridWindow(form.get()), {}},
      {new TDrawGridWindow(form.get()), {}},
      {new TProgressBar(form.get()), {"Position", "Min", "Max"}},
  };
  for (auto& [c, skip] : controls) c->SetParent(form.get());
  for (bool windows : {false, true}) {
    if (windows) Show(form.get());
    for (auto& [c, skip] : controls) {
      SCOPED_TRACE(c->ClassName());
      ExpectPropsRoundTrip(c, skip);
    }
    // The sheet's Visible is its page control's to say.
    ExpectPropsRoundTrip(sheet, {"Visible"});
    ExpectPropsRoundTrip(button);
  }
  for (const char* name : {"Left", "Top", "Width", "Height", "Visible", "Enabled", "Tag", "Hint", "Color", "Font"})
    for (auto& [c, skip] : controls) EXPECT_TRUE(IsPublishedProp(c, name)) << c->ClassName() << " " << name;

  // The texts a person reads change in the live window.
  SetPropText(sheet, "Caption", "Files");
  EXPECT_EQ(TabText(pages->GetHandle(), 0), "Files");
  SetPropText(tabs, "Tabs", "one\r\ntwo\r\n");
  EXPECT_EQ(::SendMessageA(tabs->GetHandle(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(TabText(tabs->GetHandle(), 1), "two");
  SetPropText(status, "SimplePanel", "True");
  SetPropText(status, "SimpleText", "Ready");
  // Wine answers the simple text for part 0 while the bar is simple.
  EXPECT_EQ(::SendMessageA(status->GetHandle(), SB_ISSIMPLE, 0, 0), TRUE);
  EXPECT_EQ(PanelText(status->GetHandle(), 0), "Ready");
  SetPropText(button, "Style", "tbsButton");
  SetPropText(button, "Caption", "Save");
  SetPropText(button, "Hint", "Save the file|Writes the file to disk");
  EXPECT_EQ(ToolButtonText(bar->GetHandle(), 0), "Save");
  EXPECT_EQ(ToolButtonTip(bar->GetHandle(), 0), "Save the file");
}

}  // namespace
