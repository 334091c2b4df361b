// Top-level windows: TForm shows, hides and closes (with the close query and
// close action), runs modally until ModalResult is set, previews keys for its
// controls, keeps its active control and answers shortcuts. Its window class
// is the C++ class name, so FindWindow("TMainForm", ...) finds the main window.
#pragma once

#include "platform/DataModule.h"
#include "platform/win/Controls.h"

#include <utility>
#include <vector>
class TMainMenu;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
using TShortCutEvent = std::function<void(TWMKey& msg, bool& handled)>;

class TForm : public TWinControl {
public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  void SetVisible(bool visible) override;
  void SetText(const std::string& text) override;
  void Show();
  void Hide() { SetVisible(false); }
  // Asks OnCloseQuery, then OnClose decides: hide (the default), free
  // (later, through Release), minimize or nothing. Closing the main form ends
  // the application; closing a modal form sets ModalResult to mrCancel.
  void Close();
  virtual bool CloseQuery();
  // Shows the form modally and returns its ModalResult once a handler sets
  // it (or the form is closed). Other windows of the program are disabled
  // meanwhile.
  TModalResult ShowModal();
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult result) { FModalResult = result; }
  // The window's icon, big and small, kept when the window is made again.
  // The caller keeps the icon alive.
  void SetIcon(HICON icon);
  HICON GetIcon() const { return FIcon; }
  bool IsModal() const { return FModal; }
  // Destroys the form once the message now being handled is done.
  void Release();
  // Fires OnDestroy once. A derived form whose handlers use its own members
  // calls this first in its destructor; otherwise ~TForm does.
  void DoDestroy();

  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle style);
  TFormStyle GetFormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle style);
  TPosition GetPosition() const { return FPosition; }
  void SetPosition(TPosition position) { FPosition = position; }
  TWindowState GetWindowState() const;
  void SetWindowState(TWindowState state);
  bool GetKeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool value) { FKeyPreview = value; }
  bool IsActive() const { return FActive; }
  // The form's own help file; empty: the application's.
  const std::string& GetHelpFile() const { return FHelpFile; }
  void SetHelpFile(const std::string& file) { FHelpFile = file; }

  TWinControl* GetActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  // Focuses the next (or previous) control after current that can take the
  // focus and has TabStop, in the order the controls were put on their
  // parents, wrapping around. False when there is none.
  bool SelectNext(TWinControl* current, bool forward);
  // Ctrl+Tab from control: the next (or previous) page of the outermost page
  // control it lies in. False when it lies in none.
  bool SelectNextPage(TWinControl* control, bool forward);

  // The menu bar (null: none). The form shows it; its owner frees it.
  TMainMenu* GetMenu() const { return FMenu; }
  void SetMenu(TMainMenu* menu);

  // The form's shortcut handling: OnShortCut, then the menus and action
  // lists (IsFormShortCut).
  virtual bool IsShortCut(TWMKey& msg);
  // The dialog keys of a key pressed in control (after shortcuts): Tab and
  // Shift+Tab move the focus, Ctrl+Tab turns the page; arrows move within a
  // group of radio buttons;
  // Enter clicks the Default button and Esc the Cancel button, unless the
  // focused control wants the key; Alt with a letter (or the letter alone
  // on a button) clicks or focuses the control whose caption has it as
  // accelerator. True when taken.
  bool DialogKeyDown(TWinControl* control, uint16_t key, TShiftState shift);
  // The focus is on one of the form's controls.
  bool HasFocusInside() const;
  // Esc alone in a tool window: true when the window is to close. An open
  // drop-down list of the focused combo box takes the first Esc itself (it
  // closes, false). Esc is taken either way (key becomes 0).
  bool TakeCloseKey(uint16_t& key, TShiftState shift);
  // Offers Enter/Esc or an accelerator to every control on the form.
  bool BroadcastDialogKey(uint16_t key, TWinControl* focused);
  bool BroadcastDialogChar(char ch);

  // Publishes Caption besides the control's properties.
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  void Notification(TComponent* component, TOperation operation) override;

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnDestroy;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TShortCutEvent OnShortCut;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& msg) override;
  virtual void DoClose(TCloseAction& action);
  virtual void Activate();
  virtual void Deactivate();

private:
  friend class TWinControl;
  friend class TControl;
  friend class TApplication;
  void SetFocusedControl(TWinControl* control);
  void ControlRemoved(TControl* control);
  void PlaceForShowing();
  void CloseModal();
  void ShowMenuBar();

  TFormBorderStyle FBorderStyle = bsSizeable;
  TFormStyle FFormStyle = fsNormal;
  TPosition FPosition = poDesigned;
  TWindowState FWindowState = wsNormal;
  bool FKeyPreview = false;
  bool FActive = false;
  bool FModal = false;
  bool FDestroyFired = false;
  bool FPlaced = false;
  TModalResult FModalResult = mrNone;
  HICON FIcon = nullptr;
  std::string FHelpFile;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TMainMenu* FMenu = nullptr;
};

// The screen: the busy cursor, cursors registered by number, the program's
// forms and the active one, and the screen's size and resolution. There is
// one, made with the application (the global Screen).
class TScreen : public TComponent {
public:
  explicit TScreen(TComponent* owner);

  // crDefault lets every control show its own; anything else (crHourGlass
  // while busy) shows over the whole program at once.
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor cursor);
  // The cursor of a number: a standard one (crArrow ...) or one the program
  // registered; the arrow for an unknown number. Registered cursors come
  // from resources (shared, so never destroyed).
  HCURSOR GetCursors(TCursor index) const;
  void SetCursors(TCursor index, HCURSOR cursor);
  // Runs for every screen made from now on (and at once for the one there
  // is): how a unit registers its cursors at start-up. Added once per handler.
  using TScreenHandler = void (*)(TScreen& screen);
  static void AddCreateHandler(TScreenHandler handler);

  int GetFormCount() const { return static_cast<int>(FForms.size()); }
  TForm* GetForms(int i) const { return FForms.at(i); }
  TForm* GetActiveForm() const;

  int GetWidth() const;
  int GetHeight() const;
  int GetPixelsPerInch() const { return FPixelsPerInch; }

private:
  friend class TForm;
  TCursor FCursor = crDefault;
  std::vector<std::pair<TCursor, HCURSOR>> FCursors;
  std::vector<TForm*> FForms;
  int FPixelsPerInch = 96;
};

extern TScreen* Screen;

