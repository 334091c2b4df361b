// Tool windows: the control bar, whose bands (its child controls, the main
// window's button panels) sit where their Left and Top say and are moved by
// the grip drawn at each band's left, and the tool bar with its buttons.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win/Controls.h"

#include <commctrl.h>

class TBasicAction;
class TCustomImageList;
class TMenuItem;
class TPopupMenu;

class TControlBar : public TCustomControl {
public:
  explicit TControlBar(TComponent* owner);

  // Width of the grip left of every band.
  static constexpr int GripWidth = 11;
  // Bands dropped by the grip snap to rows of this height.
  int GetRowSize() const { return FRowSize; }
  void SetRowSize(int value);
  // The band whose grip is under a client point, or null.
  TControl* GripAt(int x, int y) const;

  // A band was moved by its grip.
  std::function<void(TObject* sender, TControl* band)> OnBandMove;

protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
  int FRowSize = 26;
  TControl* FDragBand = nullptr;
  TPoint FDragFrom;
  TRect FBandFrom;
};

// ---------------------------------------------------------------------------
// Tool bar and its buttons. A button keeps its state in the object and goes
// into the bar's window when that is made.
// ---------------------------------------------------------------------------
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator };

class TToolButton : public TComponent {
public:
  explicit TToolButton(TComponent* owner);
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  ~TToolButton() override;

  TToolBar* GetToolBar() const { return FToolBar; }
  // Puts the button (last) on a bar, or takes it off with null.
  void SetToolBar(TToolBar* bar);
  int GetIndex() const;

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  // "short|long": the tool tip shows the short part.
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool GetDown() const;
  void SetDown(bool value);
  // Sized to its caption and glyph (true) or as wide as the bar's widest
  // button. Our bars size every button to its caption unless told otherwise.
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  // One of a group of neighbouring buttons of which one at most is down.
  bool GetGrouped() const { return FGrouped; }
  void SetGrouped(bool value);
  TToolButtonStyle GetStyle() const { return FStyle; }
  void SetStyle(TToolButtonStyle value);
  int GetTag() const { return FTag; }
  void SetTag(int value) { FTag = value; }
  // A click runs OnClick, or the action's Execute when there is no OnClick.
  TBasicAction* GetAction() const { return FAction; }
  void SetAction(TBasicAction* action);
  // A button bound to a menu item (the main window's menu bar) shows the
  // item's caption and drops the item's sub-items below itself when clicked.
  TMenuItem* GetMenuItem() const { return FMenuItem; }
  void SetMenuItem(TMenuItem* item);
  // A pop-up menu dropped below the button (one pixel left of it when the
  // menu is left-aligned). With the style tbsDropDown a press anywhere on
  // the button drops it and clicks nothing; otherwise the button gets an
  // arrow of its own that drops it, and its face still clicks.
  TPopupMenu* GetDropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* menu);
  void Click();

  TNotifyEvent OnClick;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TToolBar;
  TToolBar* FToolBar = nullptr;
  int FId;
  std::string FCaption;
  int FImageIndex = -1;
  std::string FHint;
  bool FEnabled = true;
  bool FDown = false;
  bool FAutoSize = true;
  bool FGrouped = false;
  TToolButtonStyle FStyle = tbsButton;
  int FTag = 0;
  TBasicAction* FAction = nullptr;
  TMenuItem* FMenuItem = nullptr;
  TPopupMenu* FDropDownMenu = nullptr;
};

// The sides of a tool bar that carry an etched edge.
enum TEdgeBorder : unsigned { ebLeft = 1, ebTop = 2, ebRight = 4, ebBottom = 8 };
using TEdgeBorders = unsigned;

class TToolBar : public TWinControl {
public:
  explicit TToolBar(TComponent* owner);
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  ~TToolBar() override;

  int GetButtonCount() const { return static_cast<int>(FButtons.size()); }
  TToolButton* GetButton(int i) const { return FButtons.at(static_cast<size_t>(i)); }
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* images);
  bool GetShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool value);
  // Etched edges on the sides in the set (none by default), drawn outside
  // the buttons' client area.
  TEdgeBorders GetEdgeBorders() const { return FEdgeBorders; }
  void SetEdgeBorders(TEdgeBorders value);
  // The width the buttons take from the left edge (0 without a window).
  int GetButtonsWidth();
  // A button's rectangle in client pixels (empty without a window).
  TRect GetButtonRect(int i);
  // Drops the sub-items of the button's menu item below it and runs the
  // menu loop. Left and Right at the drop-down's first level go on to the
  // previous and next menu button, as on a menu bar.
  void DropDown(TToolButton* button);
  // Drops the button's drop-down menu; a press on the button that closes
  // the menu does not open it again.
  void DropDownMenu(TToolButton* button);
  // Alt with the accelerator of a menu button's caption opens its drop-down.
  bool DialogChar(char ch) override;
  // Menu mode from the keyboard (F10, or Alt alone, on a window whose menu
  // this bar shows): the first menu button is highlighted, Left and Right
  // move, Down or Enter drops the menu, a button's letter drops its own,
  // Esc (or a click, or another window) leaves. False when the bar has no
  // menu button to offer.
  bool TrackMenuKeys();

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TToolButton;
  void InsertButton(TToolButton* button);
  void RemoveButton(TToolButton* button);
  void AddToWindow(TToolButton* button, int index);
  // The button as the bar's window takes it (its text stays the button's).
  TBBUTTON WindowButton(TToolButton* button) const;
  void UpdateButton(TToolButton* button);
  void UpdateTip(TToolButton* button);

  std::vector<TToolButton*> FButtons;
  TCustomImageList* FImages = nullptr;
  bool FShowCaptions = false;
  bool FFlat = true;
  TEdgeBorders FEdgeBorders = 0;
};
