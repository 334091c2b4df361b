// More controls: panels with bevels, notebooks of named pages, radio groups,
// images (bitmap, icon, metafile) and scroll boxes.
#pragma once

#include "platform/win/StdCtrls.h"

#include <memory>
#include <string>

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TPanel : public TCustomControl {
public:
  explicit TPanel(TComponent* owner);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TBevelCut GetBevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut v);
  TBevelCut GetBevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut v);
  int GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int v);
  int GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int v);
  // Aligned children stay inside the bevels and the border.
  TRect GetClientRect() const override;

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  void Paint() override;

private:
  void Changed();
  TAlignment FAlignment = taCenter;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
};

// One page of a notebook; its Caption is the page's name.
class TPage : public TCustomControl {
public:
  explicit TPage(TComponent* owner);
};

class TNotebook;
// A notebook's page names; adding, inserting, renaming and deleting names
// makes, renames and frees pages.
class TNotebookPages : public TStrings {
public:
  explicit TNotebookPages(TNotebook* notebook) : FNotebook(notebook) {}
  int GetCount() const override;
  std::string Get(int i) const override;
  TObject* GetObject(int i) const override;
  void Put(int i, const std::string& s) override;
  void PutObject(int i, TObject* o) override {}
  void Insert(int i, const std::string& s) override;
  void Delete(int i) override;
  void Clear() override;

private:
  TNotebook* FNotebook;
};

// Pages on top of each other; only the active one shows (and takes Tab).
class TNotebook : public TWinControl {
public:
  explicit TNotebook(TComponent* owner);
  TStrings* GetPages() { return &FPageNames; }
  int GetPageCount() const { return static_cast<int>(FPages.size()); }
  TPage* GetPage(int i) const { return FPages.at(static_cast<size_t>(i)); }
  TPage* FindPage(const std::string& name) const;  // case-insensitive; null
  int GetPageIndex() const { return FPageIndex; }
  void SetPageIndex(int index);
  std::string GetActivePage() const;
  // Raises EInvalidOperation for a name that is no page.
  void SetActivePage(const std::string& name);

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

private:
  friend class TNotebookPages;
  TNotebookPages FPageNames{this};
  std::vector<TPage*> FPages;
  int FPageIndex = -1;
};

// Radio buttons made from Items, in Columns; ItemIndex set from code or by
// the user fires OnClick when it changes.
class TRadioGroup : public TGroupBox {
public:
  explicit TRadioGroup(TComponent* owner);
  ~TRadioGroup() override;
  TStrings* GetItems() { return &FItems; }
  int GetItemIndex() const { return FItemIndex; }
  void SetItemIndex(int index);
  int GetColumns() const { return FColumns; }
  void SetColumns(int v);
  TRadioButton* GetButton(int i) const { return FButtons.at(static_cast<size_t>(i)); }
  // The buttons follow: a disabled group shows them greyed, not only dead.
  void SetEnabled(bool enabled) override;

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  void AlignControls() override;

private:
  void ItemsChanged();
  void ButtonClicked(TObject* sender);
  TListItems FItems;
  std::vector<TRadioButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
  bool FUpdating = false;
};

// A bitmap, an icon or an enhanced metafile, owned by the picture.
class TPicture {
public:
  TPicture() = default;
  ~TPicture();
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // By the file's extension: .bmp, .ico, .emf. EInOutError-like failures
  // raise EComponentError and leave the picture as it was.
  void LoadFromFile(const std::string& fileName);
  void SetBitmap(HBITMAP bitmap);      // takes ownership
  void SetIcon(HICON icon);            // takes ownership
  void SetMetafile(HENHMETAFILE mf);   // takes ownership
  void Clear();
  HBITMAP GetBitmap() const { return FBitmap; }
  HICON GetIcon() const { return FIcon; }
  HENHMETAFILE GetMetafile() const { return FMetafile; }
  bool Empty() const { return !FBitmap && !FIcon && !FMetafile; }
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  void Draw(HDC dc, const TRect& r) const;

  std::function<void()> OnChange;

private:
  void Release();
  void Changed();
  HBITMAP FBitmap = nullptr;
  HICON FIcon = nullptr;
  HENHMETAFILE FMetafile = nullptr;
  int FWidth = 0;
  int FHeight = 0;
};

class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* owner);
  TPicture& GetPicture() { return FPicture; }
  bool GetStretch() const { return FStretch; }
  void SetStretch(bool v);
  bool GetCenter() const { return FCenter; }
  void SetCenter(bool v);
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool v);

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

protected:
  void Paint() override;

private:
  TPicture FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FTransparent = false;
};

// A container that scrolls its children when they reach beyond it.
class TScrollBox : public TWinControl {
public:
  explicit TScrollBox(TComponent* owner);
  TPoint GetScrollPos() const { return FScroll; }
  void ScrollBy(int dx, int dy);
  // Sets the scroll bars' ranges from where the children reach.
  void UpdateScrollRange();

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;
  void AlignControls() override;

private:
  void Scroll(int bar, int code);
  TPoint FScroll;
  TSize FRange;
};
