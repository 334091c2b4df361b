// TRxSpeedButton: a tool-bar button without a window of its own, with a
// glyph and a caption. It acts as a push button, one of a group of mutually
// exclusive buttons, an auto-repeat button, or the opener of a drop-down
// menu. Its glyph images (the ones the bitmap holds and those derived from
// the up image: embossed disabled, grayed inactive) live in image lists that
// buttons of one glyph size share through the glyph cache.
#pragma once

#include "kit/ButtonLayout.h"
#include "platform/win/Controls.h"

#include <commctrl.h>

#include <memory>
#include <vector>

class TPopupMenu;
class TTimer;

enum TRxButtonState { rbsUp, rbsDisabled, rbsDown, rbsExclusive, rbsInactive };
using TRxNumGlyphs = int;  // 1..5

// One image list of glyphs of one size; images are added and deleted by
// index, and freed slots are used again.
class TGlyphList {
public:
  TGlyphList(int width, int height);
  ~TGlyphList();
  TGlyphList(const TGlyphList&) = delete;
  TGlyphList& operator=(const TGlyphList&) = delete;
  // Adds a bitmap of the list's size, transparent where it has mask colour.
  int AddMasked(HBITMAP image, COLORREF mask);
  void Delete(int index);
  void Draw(int index, HDC dc, int x, int y) const;
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Count() const { return FCount; }

private:
  HIMAGELIST FHandle;
  int FWidth, FHeight;
  int FCount = 0;
  std::vector<bool> FUsed;
};

// The glyph lists, one per glyph size, shared by every button.
class TGlyphCache {
public:
  static TGlyphCache& Instance();
  TGlyphList* GetList(int width, int height);
  // Frees a list that holds no image any more.
  void ReturnList(TGlyphList* list);
  int ListCount() const { return static_cast<int>(FLists.size()); }

private:
  std::vector<std::unique_ptr<TGlyphList>> FLists;
};

// A button's glyph: the bitmap as given and the images of each state.
class TRxButtonGlyph {
public:
  TRxButtonGlyph() = default;
  ~TRxButtonGlyph();
  TRxButtonGlyph(const TRxButtonGlyph&) = delete;
  TRxButtonGlyph& operator=(const TRxButtonGlyph&) = delete;

  // Takes a copy of the bitmap (null clears the glyph).
  void SetGlyph(HBITMAP bitmap);
  HBITMAP GetGlyph() const { return FOriginal; }
  int GetNumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int n);
  // One image's size (0 x 0 without a glyph).
  TSize ImageSize() const;
  bool Empty() const { return !FOriginal; }
  // The colour treated as transparent: the bitmap's lower-left pixel.
  COLORREF TransparentColor() const { return FTransparent; }
  // Draws the state's image at (x, y), making it on first use.
  void Draw(HDC dc, int x, int y, TRxButtonState state);
  // The state's image as a bitmap of its own (for tests and drag images).
  HBITMAP CreateStateBitmap(TRxButtonState state);

private:
  int ImageIndex(TRxButtonState state);
  void Invalidate();

  HBITMAP FOriginal = nullptr;
  int FNumGlyphs = 1;
  COLORREF FTransparent = 0;
  TGlyphList* FList = nullptr;
  int FIndexes[5] = {-1, -1, -1, -1, -1};
};

class TRxSpeedButton : public TGraphicControl {
public:
  explicit TRxSpeedButton(TComponent* owner);
  ~TRxSpeedButton() override;

  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool v);
  bool GetAllowTimer() const { return FAllowTimer; }
  void SetAllowTimer(bool v);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int v);
  bool GetDown() const { return FDown; }
  void SetDown(bool v);
  TPopupMenu* GetDropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* menu);
  TRxDropDownMenuPos GetMenuPosition() const { return FMenuPosition; }
  void SetMenuPosition(TRxDropDownMenuPos v) { FMenuPosition = v; }
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool v);
  // Takes a copy; a bitmap of NumGlyphs images side by side (up, disabled,
  // pressed, down, inactive).
  void SetGlyph(HBITMAP bitmap);
  HBITMAP GetGlyph() const { return FGlyph.GetGlyph(); }
  TRxNumGlyphs GetNumGlyphs() const { return FGlyph.GetNumGlyphs(); }
  void SetNumGlyphs(TRxNumGlyphs n);
  TRxButtonGlyph& GetButtonGlyph() { return FGlyph; }
  bool GetGrayedInactive() const { return FGrayedInactive; }
  void SetGrayedInactive(bool v);
  int GetInitPause() const { return FInitPause; }
  void SetInitPause(int v) { FInitPause = v; }
  int GetRepeatInterval() const { return FRepeatInterval; }
  void SetRepeatInterval(int v) { FRepeatInterval = v; }
  TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TButtonLayout v);
  int GetMargin() const { return FMargin; }
  void SetMargin(int v);
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int v);
  bool GetMarkDropDown() const { return FMarkDropDown; }
  void SetMarkDropDown(bool v);
  int GetModalResult() const { return FModalResult; }
  void SetModalResult(int v) { FModalResult = v; }
  bool GetTransparent() const { return FTransparent; }
  void SetTransparent(bool v);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);

  TRxButtonState GetState() const { return FState; }
  bool MouseInside() const { return FMouseInside; }
  bool MenuShowing() const { return FMenuShowing; }

  // OnClick, then the parent form's modal result.
  void Click() override;
  // Alt with the caption's accelerator clicks an enabled button.
  bool DialogChar(char ch) override;
  void SetEnabled(bool enabled) override;
  void SetText(const std::string& text) override;
  void Notification(TComponent* component, TOperation operation) override;
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  // Paints the whole button on dc, as on the screen (for off-screen use).
  void PaintOn(HDC dc);

protected:
  void Paint() override;
  // After the face: what a derived button adds (the edit button's edge).
  virtual void PaintOver(HDC dc, const TRect& client) {}
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  // Opens the drop-down menu below (or beside) the button; returns when it closed.
  virtual void ShowDropDownMenu();

private:
  void UpdateExclusive();
  void RepeatTick(TObject*);
  void StopTimer();

  bool FAllowAllUp = false;
  bool FAllowTimer = false;
  int FGroupIndex = 0;
  bool FDown = false;
  TPopupMenu* FDropDownMenu = nullptr;
  TRxDropDownMenuPos FMenuPosition = dmpBottom;
  bool FFlat = false;
  TRxButtonGlyph FGlyph;
  bool FGrayedInactive = true;
  int FInitPause = 500;
  int FRepeatInterval = 100;
  TButtonLayout FLayout = blGlyphTop;
  int FMargin = -1;
  int FSpacing = 1;
  bool FMarkDropDown = true;
  int FModalResult = 0;
  bool FTransparent = false;
  bool FWordWrap = false;
  TAlignment FAlignment = taCenter;

  TRxButtonState FState = rbsUp;
  bool FMouseInside = false;
  bool FDragging = false;
  bool FMenuShowing = false;
  bool FMenuOpened = false;     // this press opened the menu
  bool FSkipClick = false;      // the release decided against the click that follows it
  TTimer* FRepeatTimer = nullptr;
};
