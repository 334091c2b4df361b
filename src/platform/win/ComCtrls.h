// The system's common controls as our components: page control and tab
// sheets, the tab set (tabs at the bottom), status bar, progress bar, tree
// view and list view. Every property lives in the object, so it can be set
// before the window exists and survives RecreateWnd; the window gets it all
// when it is made. Notifications come back to the control as CN_NOTIFY
// (reflected by the parent).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Classes.h"
#include "platform/win/Controls.h"

class TCustomImageList;


// ---------------------------------------------------------------------------
// Page control and tab sheets
// ---------------------------------------------------------------------------
class TPageControl;

class TTabSheet : public TWinControl {
public:
  explicit TTabSheet(TComponent* owner);
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  ~TTabSheet() override;
  TPageControl* GetPageControl() const { return FPageControl; }
  // Puts the sheet (last) into a page control, or takes it out with null.
  void SetPageControl(TPageControl* pageControl);
  // The sheet's place among its page control's sheets; -1 outside one.
  int GetPageIndex() const;
  void SetText(const std::string& text) override;
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);

protected:
  void CreateParams(TCreateParams& params) override;

private:
  friend class TPageControl;
  // Shows or hides the sheet's window without an erase at once; a sheet
  // hidden under a shown one (`covered`) leaves nothing to repaint.
  void ShowSheet(bool show, bool covered = false);
  TPageControl* FPageControl = nullptr;
  int FImageIndex = -1;
};

class TPageControl : public TWinControl {
public:
  explicit TPageControl(TComponent* owner);
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  ~TPageControl() override;

  int GetPageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* GetPage(int i) const { return FPages.at(static_cast<size_t>(i)); }
  TTabSheet* GetActivePage() const { return FActive; }
  // Changing the page in code fires nothing.
  void SetActivePage(TTabSheet* page);
  int GetActivePageIndex() const;
  void SetActivePageIndex(int i);
  // Height of the tab row's tabs in pixels; 0 is the system's height. A
  // height of 1 leaves a strip of one pixel (the tabs hidden).
  int GetTabHeight() const { return FTabHeight; }
  void SetTabHeight(int value);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* images);
  // The area the sheets fill, in client pixels.
  TRect GetDisplayRect();
  // The tab under a client point, -1 for none.
  int IndexOfTabAt(int x, int y);
  // Around many sheets taken out or changed at once: the control stays out
  // of sight, and its tabs, the sheet shown and the sheets' places are
  // brought up to date once, at the last EndUpdate, which redraws it.
  void BeginUpdate();
  void EndUpdate();

  // The next (or previous) page, wrapping around, as a click on its tab
  // chooses it (Ctrl+Tab): false when there is none or OnChanging refused.
  bool SelectNextPage(bool forward);

  // A tab chosen by the user: OnChanging may refuse, OnChange follows.
  std::function<void(TObject* sender, bool& allowChange)> OnChanging;
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;
  void AlignControls() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void UpdateTab(TTabSheet* page);
  void LoadTabs();
  void ShowActive();
  void SelectTab(int index);

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActive = nullptr;
  int FTabHeight = 0;
  TCustomImageList* FImages = nullptr;
  int FUpdateCount = 0;
  bool FTabsStale = false;        // the window's tabs are to be loaded again
  bool FHiddenForUpdate = false;  // BeginUpdate took the window out of sight
};

// ---------------------------------------------------------------------------
// Tab set: a row of tabs under its neighbour, drawn at the bottom.
// ---------------------------------------------------------------------------
class TTabSet : public TWinControl {
public:
  explicit TTabSet(TComponent* owner);
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  ~TTabSet() override;
  // The tabs' captions; changing the list changes the tabs.
  TStrings* GetTabs() const { return FTabs.get(); }
  int GetTabIndex() const { return FTabIndex; }
  // Choosing a tab in code fires nothing.
  void SetTabIndex(int value);
  // The tab's rectangle in client pixels (empty without a window).
  TRect GetTabRect(int i);

  std::function<void(TObject* sender, int newTab, bool& allowChange)> OnChange;
  TNotifyEvent OnClick;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;

private:
  void LoadTabs();
  std::unique_ptr<TStringList> FTabs;
  int FTabIndex = -1;
};

// ---------------------------------------------------------------------------
// Status bar
// ---------------------------------------------------------------------------
class TStatusBar;

class TStatusPanel {
public:
  const std::string& GetText() const { return FText; }
  // Setting the text a panel already holds does nothing (the main window
  // sets its panels on every keystroke).
  void SetText(const std::string& text);
  int GetWidth() const { return FWidth; }
  void SetWidth(int value);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  int GetIndex() const { return FIndex; }

private:
  friend class TStatusBar;
  TStatusPanel(TStatusBar* bar, int index) : FBar(bar), FIndex(index) {}
  TStatusBar* FBar;
  int FIndex;
  std::string FText;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
};

class TStatusBar : public TWinControl {
public:
  explicit TStatusBar(TComponent* owner);
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  ~TStatusBar() override;

  int GetPanelCount() const { return static_cast<int>(FPanels.size()); }
  TStatusPanel* GetPanel(int i) const { return FPanels.at(static_cast<size_t>(i)).get(); }
  TStatusPanel* AddPanel();
  void ClearPanels();
  // One text over the whole bar instead of the panels.
  bool GetSimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool value);
  const std::string& GetSimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& text);
  bool GetSizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool value);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;

private:
  friend class TStatusPanel;
  void UpdateParts();
  void UpdatePanelText(int i);

  std::vector<std::unique_ptr<TStatusPanel>> FPanels;
  bool FSimplePanel = false;
  std::string FSimpleText;
  bool FSizeGrip = true;
};

// ---------------------------------------------------------------------------
// Progress bar
// ---------------------------------------------------------------------------
class TProgressBar : public TWinControl {
public:
  explicit TProgressBar(TComponent* owner);
  int GetMin() const { return FMin; }
  int GetMax() const { return FMax; }
  void SetRange(int min, int max);
  void SetMin(int value) { SetRange(value, FMax); }
  void SetMax(int value) { SetRange(FMin, value); }
  int GetPosition() const { return FPosition; }
  // Clamped to Min..Max.
  void SetPosition(int value);
  void StepBy(int delta) { SetPosition(FPosition + delta); }

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

private:
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
};

// Makes sure the common controls' window classes are registered.
void InitCommonControlClasses();

// ---------------------------------------------------------------------------
// Tree view. The nodes live in the objects; the window mirrors them and is
// filled again from them whenever it is made.
// ---------------------------------------------------------------------------
class TTreeView;

class TTreeNode {
public:
  ~TTreeNode();
  TTreeNode(const TTreeNode&) = delete;
  TTreeNode& operator=(const TTreeNode&) = delete;

  TTreeView* GetTreeView() const { return FTree; }
  TTreeNode* GetParent() const { return FParent; }
  int GetCount() const { return static_cast<int>(FChildren.size()); }
  TTreeNode* GetItem(int i) const { return FChildren.at(static_cast<size_t>(i)).get(); }
  // The node's place among its siblings.
  int GetIndex() const;
  int GetLevel() const;

  const std::string& GetText() const { return FText; }
  void SetText(const std::string& text);
  void* GetData() const { return FData; }
  void SetData(void* data) { FData = data; }
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  int GetSelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(int value);
  // The image list's overlay drawn over the node's image, -1 for none;
  // overlay n is the list's overlay image n + 1 (the system list's first is
  // the shared hand, its second the link arrow).
  int GetOverlayIndex() const { return FOverlayIndex; }
  void SetOverlayIndex(int value);
  // Shows the expand button before any child exists (children loaded on
  // expanding); a node with children always has it.
  bool GetHasChildren() const { return FHasChildren || !FChildren.empty(); }
  void SetHasChildren(bool value);
  bool GetExpanded() const { return FExpanded; }
  // The window's item (an HTREEITEM), null while the tree has no window.
  void* GetItemId() const { return FItem; }
  void Expand(bool recurse = false);
  void Collapse(bool recurse = false);
  // Expands the parents and scrolls the tree so that the node shows.
  void MakeVisible();
  bool GetSelected() const;
  // Frees the node and its children.
  void Delete();
  void DeleteChildren();

private:
  friend class TTreeView;
  TTreeNode(TTreeView* tree, TTreeNode* parent, std::string text)
      : FTree(tree), FParent(parent), FText(std::move(text)) {}
  void UpdateItem(unsigned mask);
  unsigned OverlayState() const;

  TTreeView* FTree;
  TTreeNode* FParent;
  std::vector<std::unique_ptr<TTreeNode>> FChildren;
  std::string FText;
  void* FData = nullptr;
  int FImageIndex = -1;
  int FSelectedIndex = -1;
  int FOverlayIndex = -1;
  bool FHasChildren = false;
  bool FExpanded = false;
  void* FItem = nullptr;  // the window's item (HTREEITEM) while the window exists
  int FRank = 0;          // place after a sort, for ordering the window's items
};

enum TSortType { stNone, stData, stText, stBoth };

class TTreeView : public TWinControl {
public:
  explicit TTreeView(TComponent* owner);
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  ~TTreeView() override;

  // Adds a node as the last child of parent (a top-level node for null).
  TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
  TTreeNode* AddChildObject(TTreeNode* parent, const std::string& text, void* data);
  void Delete(TTreeNode* node);
  void ClearNodes();
  int GetTopCount() const { return static_cast<int>(FRoots.size()); }
  TTreeNode* GetTopItem(int i) const { return FRoots.at(static_cast<size_t>(i)).get(); }
  // Every node, depth first (for counting and finding).
  std::vector<TTreeNode*> GetAllNodes() const;

  TTreeNode* GetSelected() const { return FSelected; }
  // Selecting in code fires OnChange as the window does.
  void SetSelected(TTreeNode* node);

  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  bool GetHotTrack() const { return FHotTrack; }
  void SetHotTrack(bool value);
  bool GetShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool value);
  bool GetShowLines() const { return FShowLines; }
  void SetShowLines(bool value);
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* images);

  // With a sort type other than stNone, children are kept in order: each
  // addition re-sorts its siblings (outside BeginUpdate/EndUpdate).
  TSortType GetSortType() const { return FSortType; }
  void SetSortType(TSortType value);
  // Sorts the children of every node by OnCompare (or by text without
  // one). The sort is a merge sort that only asks whether a node goes after
  // another, so a handler whose answers contradict each other gives some
  // order but never a crash or an endless loop.
  void AlphaSort(bool recurse = true);
  void BeginUpdate();
  void EndUpdate();

  // The node at a client point, or null.
  TTreeNode* GetNodeAt(int x, int y);
  // The window paints its background in the control's colour.
  void SetColor(TColor color) override;

  std::function<void(TObject* sender, TTreeNode* node, bool& allowExpansion)> OnExpanding;
  std::function<void(TObject* sender, TTreeNode* node)> OnExpanded;
  std::function<void(TObject* sender, TTreeNode* node, bool& allowCollapse)> OnCollapsing;
  std::function<void(TObject* sender, TTreeNode* node)> OnChange;
  std::function<void(TObject* sender, TTreeNode* node1, TTreeNode* node2, int data, int& compare)>
      OnCompare;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& msg) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TTreeNode;
  void ApplyColor();
  TTreeNode* AddNode(TTreeNode* parent, const std::string& text, void* data);
  std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* parent);
  void InsertItem(TTreeNode* node);
  void InsertItems(TTreeNode* node);
  void ForgetItems(TTreeNode* node);
  void SortChildren(TTreeNode* parent, bool recurse);
  int CompareNodes(TTreeNode* a, TTreeNode* b);
  void NodeDestroying(TTreeNode* node);
  bool Notify(NMHDR* hdr, LRESULT& result);

  std::vector<std::unique_ptr<TTreeNode>> FRoots;
  TTreeNode* FSelected = nullptr;
  bool FReadOnly = false;
  bool FHotTrack = false;
  bool FShowRoot = true;
  bool FShowLines = true;
  TSortType FSortType = stNone;
  TCustomImageList* FImages = nullptr;
  int FUpdateCount = 0;
  bool FClearing = false;
};

// ---------------------------------------------------------------------------
// List view
// ---------------------------------------------------------------------------
class TListView;

struct TListColumn {
  std::string Caption;
  int Width = 50;
  TAlignment Alignment = taLeftJustify;
  // The program's own value for the column (the FTP view keeps its sort key).
  int Tag = 0;
  // Takes the room the other columns leave in the view (Width at least).
  bool AutoSize = false;
};

class TListItem {
public:
  TListItem() = default;
  int GetIndex() const { return FIndex; }
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& text);
  std::vector<std::string>& SubItems() { return FSubItems; }
  const std::vector<std::string>& SubItems() const { return FSubItems; }
  // Writes sub-item texts to the window after SubItems() was changed.
  void UpdateSubItems();
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  void* GetData() const { return FData; }
  void SetData(void* data) { FData = data; }
  bool GetSelected() const;
  void SetSelected(bool value);

private:
  friend class TListView;
  TListView* FOwner = nullptr;
  int FIndex = -1;
  std::string FCaption;
  std::vector<std::string> FSubItems;
  int FImageIndex = -1;
  void* FData = nullptr;
  bool FSelected = false;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
// What an owner-data find asks for (the system's own kinds).
enum TItemFind { ifData, ifPartialString, ifExactString, ifNearest };
enum TSearchDirection { sdLeft, sdRight, sdAbove, sdBelow, sdAll };

class TListView : public TWinControl {
public:
  explicit TListView(TComponent* owner);
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  ~TListView() override;

  // --- columns (report view) ---
  TListColumn& AddColumn(const std::string& caption, int width,
                         TAlignment alignment = taLeftJustify, int tag = 0);
  int GetColumnCount() const { return static_cast<int>(FColumns.size()); }
  TListColumn& GetColumn(int i) { return FColumns.at(static_cast<size_t>(i)); }
  // Writes a column changed through GetColumn to the window.
  void UpdateColumn(int i);
  void ClearColumns();

  // --- items (not owner data) ---
  TListItem* AddItem(const std::string& caption, std::vector<std::string> subItems = {},
                     int imageIndex = -1);
  void DeleteItem(int index);
  void ClearItems();
  TListItem* GetItem(int index) const { return FItems.at(static_cast<size_t>(index)).get(); }
  // Rows shown: the items, or the owner-data count.
  int GetItemCount() const;
  // Owner data: the number of rows the handlers answer for.
  void SetItemCount(int count);
  // Holds back the window's work until EndUpdate (rows added in between are
  // sent to the window at once then).
  void BeginUpdate();
  void EndUpdate();

  // --- selection ---
  // The first selected row, -1 for none (owner data counts too).
  int GetItemIndex() const;
  void SetItemIndex(int index);
  TListItem* GetSelected() const;
  int GetSelCount() const;
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool value);
  bool GetRowSelect() const { return FRowSelect; }
  void SetRowSelect(bool value);

  // --- look ---
  TViewStyle GetViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle value);
  bool GetOwnerData() const { return FOwnerData; }
  void SetOwnerData(bool value);
  bool GetHotTrack() const { return FHotTrack; }
  void SetHotTrack(bool value);
  TCustomImageList* GetSmallImages() const { return FSmallImages; }
  void SetSmallImages(TCustomImageList* images);
  TCustomImageList* GetLargeImages() const { return FLargeImages; }
  void SetLargeImages(TCustomImageList* images);

  std::function<void(TObject* sender, TListColumn& column, int index)> OnColumnClick;
  TNotifyEvent OnSelectItem;
  // Owner data: fill item (its index is set) with caption, sub-items and image.
  std::function<void(TObject* sender, TListItem& item)> OnData;
  // Owner data: find text (or data) from start on; set index to the match.
  std::function<void(TObject* sender, TItemFind find, const std::string& findString,
                     TPoint findPosition, void* findData, int startIndex,
                     TSearchDirection direction, bool wrap, int& index)>
      OnDataFind;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& msg) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TListItem;
  void InsertColumn(int i);
  void InsertRows(int from);
  void FitAutoSizeColumns();
  void SetExStyle();
  bool Notify(NMHDR* hdr, LRESULT& result);
  void SetImageList(TCustomImageList*& field, TCustomImageList* images, int which);

  std::vector<TListColumn> FColumns;
  std::vector<std::unique_ptr<TListItem>> FItems;
  int FOwnerCount = 0;
  int FUpdateCount = 0;
  int FRowsInWindow = 0;
  TViewStyle FViewStyle = vsIcon;
  bool FOwnerData = false;
  bool FMultiSelect = false;
  bool FRowSelect = false;
  bool FHotTrack = false;
  TCustomImageList* FSmallImages = nullptr;
  TCustomImageList* FLargeImages = nullptr;
  TListItem FFetched;  // the row an owner-data handler filled last
  int FFetchedIndex = -1;
  bool FQuietSelection = false;  // selection changed by code: no OnSelectItem
};
