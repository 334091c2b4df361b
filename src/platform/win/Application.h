// The application object: the hidden application window, the message loop
// (ProcessMessages, HandleMessage, Run), idle processing, shortcuts, hints,
// activation, minimizing, help requests, message boxes and the reporting of
// exceptions that reach a window procedure, hook or timer. Its events are
// plain members; TAppEvents (kit) chains several listeners onto them.
#pragma once

#include "platform/Canvas.h"
#include "platform/Classes.h"
#include "platform/SysUtils.h"
#include "platform/win/Forms.h"
#include "platform/win/Messages.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TBasicAction;
class THintWindow;

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// What OnShowHint may change before a hint is shown.
struct THintInfo {
  TControl* HintControl = nullptr;
  TPoint HintPos;          // screen position of the hint window's top left corner
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TRect CursorRect;        // the hint stays while the mouse stays here (client coordinates)
  TPoint CursorPos;        // client coordinates of HintControl
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  std::string HintStr;
};

using TActionEvent = std::function<void(TBasicAction* action, bool& handled)>;
using TExceptionEvent = std::function<void(TObject* sender, const Exception& e)>;
using TIdleEvent = std::function<void(TObject* sender, bool& done)>;
using THelpEvent = std::function<bool(uint16_t command, intptr_t data, bool& callHelp)>;
using TMessageEvent = std::function<void(MSG& msg, bool& handled)>;
using TShowHintEvent = std::function<void(std::string& hintStr, bool& canShow, THintInfo& hintInfo)>;
using TPaintIconEvent = std::function<void(TObject* sender, ICanvas& canvas)>;
// A main-window hook returns true when it handled the message.
using TWindowHookFunc = std::function<bool(TMessage& msg)>;
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll,
                  mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn, uint16_t>;
using TMessageDlgFunc =
    std::function<int(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons)>;
using TMessageBoxFunc =
    std::function<int(const std::string& text, const std::string& caption, unsigned flags)>;

class TApplication : public TComponent {
public:
  // There is one application per program; it becomes the global Application.
  TApplication();
  ~TApplication() override;

  HWND GetHandle() const { return FHandle; }
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& title);

  // Creates a form owned by the application; the first one becomes the main form.
  template <class T, class... Args>
  T* CreateForm(Args&&... args) {
    T* form = new T(this, std::forward<Args>(args)...);
    if (!FMainForm) FMainForm = form;
    return form;
  }
  TForm* GetMainForm() const { return FMainForm; }
  void SetMainForm(TForm* form) { FMainForm = form; }

  // Shows the main form (with ShowMainForm) and handles messages until Terminate.
  void Run();
  void Terminate();
  bool GetTerminated() const { return FTerminated; }
  // Handles every message waiting now, then returns.
  void ProcessMessages();
  // Handles one message, or idles (OnIdle) and waits when none is waiting.
  void HandleMessage();

  void Minimize();
  void Restore();
  bool IsMinimized() const;
  bool GetActive() const { return FActive; }
  TForm* GetActiveForm() const { return FActiveForm; }
  TWinControl* GetActiveControl() const { return FActiveControl; }

  // Reports the exception being handled: OnException when assigned, else a
  // message box with the title. EAbort is silent. Call only inside a catch.
  void HandleException(TObject* sender);
  void ShowException(const Exception& e);
  // A message box owned by the active window. A test or a scripted run may
  // answer boxes itself through SetMessageBoxFunc (returns the previous one).
  int MessageBox(const std::string& text, const std::string& caption, unsigned flags);
  TMessageBoxFunc SetMessageBoxFunc(TMessageBoxFunc func);
  // The same for MessageDlg (which otherwise uses MessageBox or its own dialog).
  TMessageDlgFunc SetMessageDlgFunc(TMessageDlgFunc func);
  const TMessageDlgFunc& GetMessageDlgFunc() const { return FMessageDlgFunc; }

  // Offers an action to OnActionExecute / OnActionUpdate; true when handled.
  bool ExecuteAction(TBasicAction* action);
  bool UpdateAction(TBasicAction* action);
  // Help requests go to OnHelp; when it leaves callHelp set and there is a
  // help file, the system's help viewer is asked.
  bool HelpCommand(uint16_t command, intptr_t data);
  bool HelpContext(int context);
  const std::string& GetHelpFile() const { return FHelpFile; }
  void SetHelpFile(const std::string& f) { FHelpFile = f; }

  // The long hint of the control under the mouse; OnHint fires on change.
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& hint);
  // Shows the hint of the control under the mouse now / hides it.
  void ActivateHint(TPoint cursorPos);
  void CancelHint();
  THintWindow* GetHintWindow() const { return FHintWindow; }
  // Offers a key message to OnShortCut, then to the main form.
  bool IsShortCut(TWMKey& msg);

  // Settings (TAppEvents copies its own here).
  TColor GetHintColor() const { return FHintColor; }
  void SetHintColor(TColor v) { FHintColor = v; }
  int GetHintPause() const { return FHintPause; }
  void SetHintPause(int v) { FHintPause = v; }
  int GetHintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int v) { FHintShortPause = v; }
  int GetHintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int v) { FHintHidePause = v; }
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool v);
  bool GetShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool v) { FShowMainForm = v; }
  bool GetUpdateFormatSettings() const { return FUpdateFormatSettings; }
  void SetUpdateFormatSettings(bool v) { FUpdateFormatSettings = v; }
  bool GetUpdateMetricSettings() const { return FUpdateMetricSettings; }
  void SetUpdateMetricSettings(bool v) { FUpdateMetricSettings = v; }
  bool GetHintShortCuts() const { return FHintShortCuts; }
  void SetHintShortCuts(bool v) { FHintShortCuts = v; }
  TBiDiMode GetBiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode v) { FBiDiMode = v; }
  const std::string& GetBiDiKeyboard() const { return FBiDiKeyboard; }
  void SetBiDiKeyboard(const std::string& v) { FBiDiKeyboard = v; }
  const std::string& GetNonBiDiKeyboard() const { return FNonBiDiKeyboard; }
  void SetNonBiDiKeyboard(const std::string& v) { FNonBiDiKeyboard = v; }
  bool GetMouseDragImmediate() const { return FMouseDragImmediate; }
  void SetMouseDragImmediate(bool v) { FMouseDragImmediate = v; }
  int GetMouseDragThreshold() const { return FMouseDragThreshold; }
  void SetMouseDragThreshold(int v) { FMouseDragThreshold = v; }

  // Hooks on the application window, newest first; a hook returning true
  // ends the message there. Returns an id for UnhookMainWindow.
  int HookMainWindow(TWindowHookFunc hook);
  void UnhookMainWindow(int id);

  TActionEvent OnActionExecute;
  TActionEvent OnActionUpdate;
  TShortCutEvent OnShortCut;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TExceptionEvent OnException;
  TIdleEvent OnIdle;
  THelpEvent OnHelp;
  TNotifyEvent OnHint;
  TMessageEvent OnMessage;
  TNotifyEvent OnMinimize;
  TPaintIconEvent OnPaintIcon;
  TNotifyEvent OnRestore;
  TShowHintEvent OnShowHint;
  TNotifyEvent OnSettingsChanged;
  TNotifyEvent OnActiveControlChange;
  TNotifyEvent OnActiveFormChange;

  // Called by controls and forms.
  void HintMouseMessage(TControl* control, const TMessage& msg);
  void ControlDestroyed(TControl* control);
  void FormActivated(TForm* form);
  void ActiveControlChanged(TWinControl* control);
  void AppActivation(bool active);

  void Notification(TComponent* component, TOperation operation) override;

private:
  static LRESULT CALLBACK AppWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void WndProc(TMessage& msg);
  bool ProcessMessage(MSG& msg);
  void Idle();
  bool IsKeyMsg(MSG& msg);
  bool IsAltReleaseAfterShortCut(const MSG& msg);
  bool IsShortCutKey(MSG& msg);
  void CancelHintOnInput(const MSG& msg);
  TControl* ControlAtCursor();
  void StartHintTimer(UINT id, int delay);
  void StopHintTimer(UINT id);
  void ReportException(TObject* sender, const Exception& e);

  HWND FHandle = nullptr;
  std::string FTitle;
  TForm* FMainForm = nullptr;
  bool FTerminated = false;
  bool FActive = false;
  // An Alt shortcut was taken since Alt went down: its release is ours too.
  bool FAltShortCutTaken = false;
  TForm* FActiveForm = nullptr;
  TWinControl* FActiveControl = nullptr;
  TMessageBoxFunc FMessageBoxFunc;
  TMessageDlgFunc FMessageDlgFunc;
  std::string FHelpFile;
  std::string FHint;
  THintWindow* FHintWindow = nullptr;  // owned (component of the application)
  TControl* FHintControl = nullptr;    // control whose hint is pending or shown
  TControl* FMouseControl = nullptr;   // control under the mouse at the last idle
  bool FHintActive = false;
  TColor FHintColor = clInfoBk;
  int FHintPause = 500;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  bool FShowHint = true;
  bool FShowMainForm = true;
  bool FUpdateFormatSettings = true;
  bool FUpdateMetricSettings = true;
  bool FHintShortCuts = true;
  TBiDiMode FBiDiMode = bdLeftToRight;
  std::string FBiDiKeyboard;
  std::string FNonBiDiKeyboard;
  bool FMouseDragImmediate = true;
  int FMouseDragThreshold = 5;
  struct THook {
    int Id;
    TWindowHookFunc Func;
  };
  std::vector<THook> FHooks;
  std::vector<HWND> FHiddenByMinimize;
  int FNextHookId = 1;
};

// The program's one application object (null before it is made and after).
extern TApplication* Application;

// For window procedures, hooks and timer callbacks: reports the exception
// being handled through the application and never throws. Call only inside
// a catch.
void HandleCallbackException(TObject* sender) noexcept;

// A plain message box with the application's title.
void ShowMessage(const std::string& text);
// The "Unexpected error at <place>.<number>: ..." box of a failed command.
void ShowUnexpectedError(const std::string& place, int number, const std::string& message);

// A message box with the type's caption ("Warning", "Error", "Information",
// "Confirm"; the title for mtCustom) and icon; returns the mr* of the button.
// Button sets the system box offers (OK, OK/Cancel, Yes/No, Yes/No/Cancel,
// Abort/Retry/Ignore, Retry/Cancel) use it; any other set gets a dialog of
// our own with those buttons.
int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
// The same with a caption of the caller's (empty: the type's).
int MessageDlg(const std::string& text, const std::string& caption, TMsgDlgType type, TMsgDlgButtons buttons);
