// Top-level windows: TForm shows, hides and closes (with the close query and
// close action), runs modally until ModalResult is set, previews keys for its
// controls, keeps its active control and answers shortcuts. Its window class
// is the C++ class name, so FindWindow("TMainForm", ...) finds the main window.
#pragma once

#include "platform/win/Controls.h"

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

  TWinControl* GetActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  // Focuses the next (or previous) control after current that can take the
  // focus and has TabStop, in the order the controls were put on their
  // parents, wrapping around. False when there is none.
  bool SelectNext(TWinControl* current, bool forward);

  // The form's shortcut handling: OnShortCut. Menus and action lists of a
  // derived form add theirs by overriding.
  virtual bool IsShortCut(TWMKey& msg);

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
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
};
