// TAppEvents: the application's events and settings as a component, so that
// several independent parts of the program can listen to the same
// application event. Instances chain: the newest sees an event first; one
// whose Chained is false ends the walk; for OnMessage, OnShortCut,
// OnActionExecute and OnActionUpdate a set Handled flag ends it too; at the
// end of the walk the application's own handler (the one it had before the
// first instance came) runs. When the last instance goes, the application
// gets those handlers back.
#pragma once

#include "platform/Classes.h"
#include "platform/win/Application.h"

class TAppEvents : public TComponent {
public:
  explicit TAppEvents(TComponent* owner);
  ~TAppEvents() override;

  // Copies the settings below to the application.
  void Loaded() override;

  bool GetChained() const { return FChained; }
  void SetChained(bool v) { FChained = v; }
  TColor GetHintColor() const { return FHintColor; }
  void SetHintColor(TColor v) { FHintColor = v; }
  int GetHintPause() const { return FHintPause; }
  void SetHintPause(int v) { FHintPause = v; }
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool v) { FShowHint = v; }
  bool GetUpdateFormatSettings() const { return FUpdateFormatSettings; }
  void SetUpdateFormatSettings(bool v) { FUpdateFormatSettings = v; }
  int GetHintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int v) { FHintShortPause = v; }
  int GetHintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int v) { FHintHidePause = v; }
  bool GetShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool v) { FShowMainForm = v; }
  bool GetUpdateMetricSettings() const { return FUpdateMetricSettings; }
  void SetUpdateMetricSettings(bool v) { FUpdateMetricSettings = v; }
  bool GetHintShortCuts() const { return FHintShortCuts; }
  void SetHintShortCuts(bool v) { FHintShortCuts = v; }
  TBiDiMode GetBiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode v) { FBiDiMode = v; }
  bool GetMouseDragImmediate() const { return FMouseDragImmediate; }
  void SetMouseDragImmediate(bool v) { FMouseDragImmediate = v; }
  int GetMouseDragThreshold() const { return FMouseDragThreshold; }
  void SetMouseDragThreshold(int v) { FMouseDragThreshold = v; }
  const std::string& GetBiDiKeyboard() const { return FBiDiKeyboard; }
  void SetBiDiKeyboard(const std::string& v) { FBiDiKeyboard = v; }
  const std::string& GetNonBiDiKeyboard() const { return FNonBiDiKeyboard; }
  void SetNonBiDiKeyboard(const std::string& v) { FNonBiDiKeyboard = v; }

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
  // Painted on the application window while the application is minimized:
  // the background is filled with the window colour first.
  TPaintIconEvent OnPaintIcon;
  TNotifyEvent OnRestore;
  TShowHintEvent OnShowHint;
  TNotifyEvent OnSettingsChanged;
  TNotifyEvent OnActiveControlChange;
  TNotifyEvent OnActiveFormChange;

private:
  bool FChained = true;
  TColor FHintColor = clInfoBk;
  int FHintPause = 500;
  bool FShowHint = true;
  bool FUpdateFormatSettings = true;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  bool FShowMainForm = true;
  bool FUpdateMetricSettings = true;
  bool FHintShortCuts = true;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FMouseDragImmediate = true;
  int FMouseDragThreshold = 5;
  std::string FBiDiKeyboard;
  std::string FNonBiDiKeyboard;
  bool FListed = false;
};
