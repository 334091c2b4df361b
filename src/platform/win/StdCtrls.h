// The standard controls: labels (without a window), buttons, check boxes,
// radio buttons, group boxes, edits and memos, combo boxes and list boxes.
// Each keeps its state in the object, so it can be set before the window
// exists and survives RecreateWnd. Events from code: a check box's Checked
// and a radio button's Checked set to true fire OnClick when the value
// changes; an edit's Text fires OnChange; a list's ItemIndex fires nothing.
#pragma once

#include "platform/win/Controls.h"

#include <functional>
#include <string>

enum TTextLayout { tlTop, tlCenter, tlBottom };

// A caption painted by its parent; Alt with its accelerator focuses FocusControl.
class TLabel : public TGraphicControl {
public:
  explicit TLabel(TComponent* owner);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TTextLayout GetLayout() const { return FLayout; }
  void SetLayout(TTextLayout v);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool v);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool v);
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* control);

  bool DialogChar(char ch) override;
  void Notification(TComponent* component, TOperation operation) override;
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  void Paint() override;

private:
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FTransparent = false;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

// The system's BUTTON class in one of its styles.
class TButtonControl : public TWinControl {
public:
  explicit TButtonControl(TComponent* owner);

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& msg) override;
  // BN_CLICKED from the window (a click, the space bar, BM_CLICK).
  virtual void Clicked() { Click(); }
};

class TButton : public TButtonControl {
public:
  explicit TButton(TComponent* owner);
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool v);
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool v) { FCancel = v; }
  // Set on the form when clicked (ends a modal form).
  int GetModalResult() const { return FModalResult; }
  void SetModalResult(int v) { FModalResult = v; }

  void Click() override;
  bool DialogKey(uint16_t key, bool focused) override;
  bool DialogChar(char ch) override;
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  void CreateParams(TCreateParams& params) override;

private:
  bool FDefault = false;
  bool FCancel = false;
  int FModalResult = 0;
};

class TCheckBox : public TButtonControl {
public:
  explicit TCheckBox(TComponent* owner);
  bool GetChecked() const { return FChecked; }
  // Fires OnClick when the value changes.
  void SetChecked(bool v);

  bool DialogChar(char ch) override;
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Clicked() override { SetChecked(!FChecked); }

private:
  bool FChecked = false;
};

// Radio buttons with one parent form a group: checking one unchecks the
// others; the group is one Tab stop (its checked button, or the first one).
class TRadioButton : public TButtonControl {
public:
  explicit TRadioButton(TComponent* owner);
  bool GetChecked() const { return FChecked; }
  // Setting true unchecks the siblings and fires OnClick when it changes;
  // setting false fires nothing.
  void SetChecked(bool v);

  bool IsTabStop() const override;
  bool DialogChar(char ch) override;
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Clicked() override { SetChecked(true); }

private:
  bool FChecked = false;
};

class TGroupBox : public TWinControl {
public:
  explicit TGroupBox(TComponent* owner);
  // Alt with the accelerator focuses the first Tab stop inside.
  bool DialogChar(char ch) override;
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& msg) override;
};

// The base of single- and multi-line edits (and of the kit's edits).
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
public:
  explicit TCustomEdit(TComponent* owner);
  // Fires OnChange, with or without a window (and when the user types).
  void SetText(const std::string& text) override;
  int GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(int v);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  TEditCharCase GetCharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase v);
  char GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char v);

  int GetSelStart() const;
  void SetSelStart(int v);
  int GetSelLength() const;
  void SetSelLength(int v);
  std::string GetSelText() const;
  void SetSelText(const std::string& text);
  void SelectAll();
  void Clear() { SetText(""); }

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& msg) override;
  virtual void Change();
  // The window's text changed (typed, pasted or set): take it and tell.
  void TextChangedInWindow();

  int FMaxLength = 0;
  bool FReadOnly = false;
  TEditCharCase FCharCase = ecNormal;
  char FPasswordChar = 0;
  int FSelStart = 0;
  int FSelLength = 0;
  bool FSettingText = false;
};

class TEdit : public TCustomEdit {
public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo;
// A memo's lines, kept as the memo's text (CR LF between lines).
class TMemoStrings : public TStrings {
public:
  explicit TMemoStrings(TCustomMemo* memo) : FMemo(memo) {}
  int GetCount() const override;
  std::string Get(int i) const override;
  TObject* GetObject(int i) const override { return nullptr; }
  void Put(int i, const std::string& s) override;
  void PutObject(int i, TObject* o) override {}
  void Insert(int i, const std::string& s) override;
  void Delete(int i) override;
  void Clear() override;
  void SetTextStr(std::string_view text) override;

private:
  std::vector<std::string> Split() const;
  void Store(const std::vector<std::string>& lines);
  TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
public:
  explicit TCustomMemo(TComponent* owner);
  TStrings* GetLines() { return &FLines; }
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle v);
  bool GetWantReturns() const { return FWantReturns; }
  void SetWantReturns(bool v) { FWantReturns = v; }
  bool GetWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool v) { FWantTabs = v; }
  bool WantsKey(uint16_t key) override;

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  void CreateParams(TCreateParams& params) override;

private:
  TMemoStrings FLines{this};
  bool FWordWrap = true;
  TScrollStyle FScrollBars = ssNone;
  bool FWantReturns = true;
  bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
public:
  explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
};

// The items of a list or combo box, mirrored into its window.
class TListItems : public TStringList {
public:
  std::function<void()> OnItemsChanged;

protected:
  void Changed() override;
};

enum TComboBoxStyle { csDropDown, csDropDownList, csOwnerDrawFixed };
enum TOwnerDrawStateItem { odSelected, odGrayed, odDisabled, odChecked, odFocused, odComboBoxEdit };
using TOwnerDrawState = TSet<TOwnerDrawStateItem, uint8_t>;
using TDrawItemEvent = std::function<void(TWinControl* control, int index, const TRect& rect,
                                          TOwnerDrawState state)>;

class TComboBox : public TWinControl {
public:
  explicit TComboBox(TComponent* owner);
  ~TComboBox() override;
  TStrings* GetItems() { return &FItems; }
  int GetItemIndex() const { return FItemIndex; }
  // Fires nothing; an index outside the items selects none (-1).
  void SetItemIndex(int index);
  void SetText(const std::string& text) override;
  TComboBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TComboBoxStyle v);
  bool GetSorted() const { return FItems.GetSorted(); }
  void SetSorted(bool v) { FItems.SetSorted(v); }
  int GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int v) { FDropDownCount = v; }
  int GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(int v);
  bool GetDroppedDown() const;
  void SetDroppedDown(bool v);
  int GetSelStart() const;
  void SetSelStart(int v);
  int GetSelLength() const;
  void SetSelLength(int v);
  // The canvas of an owner-drawn item while OnDrawItem runs.
  ICanvas* GetCanvas() const { return FCanvas; }
  // The inner edit of a drop-down combo box (null otherwise or without a window).
  HWND GetEditHandle() const { return FEditHandle; }
  // Enter and Esc stay with an open drop-down.
  bool WantsKey(uint16_t key) override;

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  // The user chose an item or typed (not fired by code).
  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TDrawItemEvent OnDrawItem;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& msg) override;

private:
  static LRESULT CALLBACK EditProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void ItemsChanged();
  void DrawItem(const DRAWITEMSTRUCT& d);

  TListItems FItems;
  int FItemIndex = -1;
  TComboBoxStyle FStyle = csDropDown;
  int FDropDownCount = 8;
  int FItemHeight = 16;
  HWND FEditHandle = nullptr;
  WNDPROC FEditProc = nullptr;
  ICanvas* FCanvas = nullptr;
};

// lbStandard: the box holds its Items. lbVirtual: it holds no strings; it
// shows Count rows and asks OnData for a row's text when the row is drawn,
// so a list of many thousand rows costs nothing to fill (Items is unused).
enum TListBoxStyle { lbStandard, lbVirtual };
using TListBoxDataEvent = std::function<void(TWinControl* control, int index, std::string& data)>;

class TListBox : public TWinControl {
public:
  explicit TListBox(TComponent* owner);
  TStrings* GetItems() { return &FItems; }
  TListBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TListBoxStyle v);
  // The rows: the items' count, or the virtual box's own count.
  int GetCount() const { return FStyle == lbVirtual ? FCount : FItems.GetCount(); }
  // A virtual box's rows (the selection goes); ignored by a standard box.
  void SetCount(int count);
  // A row's text, as the box shows it.
  std::string GetItemText(int index);
  int GetItemIndex() const { return FItemIndex; }
  // Fires nothing; an index outside the rows selects none (-1).
  void SetItemIndex(int index);
  bool GetSorted() const { return FItems.GetSorted(); }
  void SetSorted(bool v) { FItems.SetSorted(v); }
  int GetTopIndex() const;
  void SetTopIndex(int v);

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  TListBoxDataEvent OnData;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;

private:
  void ItemsChanged();
  void DrawItem(const DRAWITEMSTRUCT& d);
  int RowHeight();
  TListItems FItems;
  TListBoxStyle FStyle = lbStandard;
  int FCount = 0;
  int FItemIndex = -1;
  int FTopIndex = 0;
};
