// TFormPlacement remembers a form's position, size and state; TFormStorage
// adds published properties of the form's components and named values. Both
// keep them in a section of the registry (under the current user) or of an
// INI file beside the program, restore them when the form is first shown and
// save them when it closes or goes. A form built in code calls Loaded() on
// its storage once its own handlers are set, so the storage chains itself
// into OnShow, OnCloseQuery and OnDestroy.
#pragma once

#include <memory>
#include <string>

#include "kit/PropsStorage.h"
#include "platform/IniFiles.h"
#include "platform/win/Forms.h"

class TRxWindowHook;

// Size and position limits of a form; 0 means no limit.
class TWinMinMaxInfo : public TPersistent {
public:
  enum TIndex { MaxPosLeft, MaxPosTop, MaxSizeHeight, MaxSizeWidth, MaxTrackHeight, MaxTrackWidth,
                MinTrackHeight, MinTrackWidth };
  int Get(TIndex i) const { return FValues[i]; }
  void Set(TIndex i, int v) { FValues[i] = v; }
  bool IsZero() const;
  void Assign(TPersistent* source) override;

private:
  int FValues[8] = {};
};

enum TPlacementOption { fpState, fpPosition, fpActiveControl };
using TPlacementOptions = TSet<TPlacementOption>;
enum TPlacementRegRoot { prCurrentUser, prLocalMachine, prCurrentConfig, prClassesRoot, prUsers, prDynData };

// While suspended no placement or storage saves anything: a program that is
// uninstalling itself has deleted the key its closing forms would write.
void SuspendFormStorageSaves(bool suspended);
bool FormStorageSavesSuspended();

class TFormPlacement : public TComponent {
public:
  explicit TFormPlacement(TComponent* owner);
  ~TFormPlacement() override;

  bool GetActive() const { return FActive; }
  void SetActive(bool v) { FActive = v; }
  const std::string& GetIniFileName() const { return FIniFileName; }
  void SetIniFileName(const std::string& v) { FIniFileName = v; }
  const std::string& GetIniSection() const { return FIniSection; }
  void SetIniSection(const std::string& v) { FIniSection = v; }
  TWinMinMaxInfo* GetMinMaxInfo() { return &FMinMaxInfo; }
  TPlacementOptions GetOptions() const { return FOptions; }
  void SetOptions(TPlacementOptions v) { FOptions = v; }
  bool GetPreventResize() const { return FPreventResize; }
  void SetPreventResize(bool v);
  TPlacementRegRoot GetRegistryRoot() const { return FRegistryRoot; }
  void SetRegistryRoot(TPlacementRegRoot v) { FRegistryRoot = v; }
  bool GetUseRegistry() const { return FUseRegistry; }
  void SetUseRegistry(bool v) { FUseRegistry = v; }
  int GetVersion() const { return FVersion; }
  void SetVersion(int v) { FVersion = v; }
  bool GetRestored() const { return FRestored; }

  TNotifyEvent OnSavePlacement;
  TNotifyEvent OnRestorePlacement;

  // Save does nothing while active and nothing was restored yet, so a form
  // that never restored does not overwrite what is stored.
  void SaveFormPlacement();
  void RestoreFormPlacement();
  // What the owner form's going saves, once: a session that ends may end
  // the process before the form goes.
  void SaveAsFormGoes();

  // The defaults: the owner form's class name; "Software\" + the program's
  // name (registry) or the program's file with ".INI".
  std::string GetDefaultSection() const;
  static std::string GetDefaultIniFile();
  static std::string GetDefaultIniRegKey();

  void Loaded() override;

  // A form made hidden at start-up need not have its window yet: with this
  // set before Loaded, the window hook waits until the owner form calls
  // FormWindowCreated (from its CreateWnd) instead of making the form's
  // window, and with it every child window, at once.
  void SetHookWhenWindowMade(bool v) { FHookWhenWindowMade = v; }
  void FormWindowCreated();

protected:
  virtual void SavePlacement();
  virtual void RestorePlacement();
  TForm* Form() const { return dynamic_cast<TForm*>(GetOwner()); }
  TCustomIniFile* Storage() const { return FStorage.get(); }
  const std::string& Section() const { return FSection; }

private:
  void OpenStorage(bool readOnly);
  void CloseStorage();
  void HookForm();
  void HookWindow();
  void UnhookForm();
  void UpdatePreventResize();
  void BeforeMessage(TMessage& msg, bool& handled);
  void AfterMessage(TMessage& msg, bool& handled);

  bool FActive = true;
  std::string FIniFileName, FIniSection;
  TWinMinMaxInfo FMinMaxInfo;
  TPlacementOptions FOptions;
  bool FPreventResize = false;
  TPlacementRegRoot FRegistryRoot = prCurrentUser;
  bool FUseRegistry = false;
  int FVersion = 0;
  bool FRestored = false, FSaved = false, FSavingOnDestroy = false;
  bool FHooked = false;
  bool FHookWhenWindowMade = false;
  bool FZoomBox = false;  // the zoom box PreventResize took away
  TNotifyEvent FFormOnShow, FFormOnDestroy;
  TCloseQueryEvent FFormOnCloseQuery;
  TRxWindowHook* FWinHook = nullptr;
  std::unique_ptr<TCustomIniFile> FStorage;
  std::string FSection;
};

class TFormStorage : public TFormPlacement {
public:
  explicit TFormStorage(TComponent* owner);
  ~TFormStorage() override;

  // "Component.Property" entries; each entry's object is its component.
  TStrings* GetStoredProps() { return &FStoredProps; }
  TStoredValues* GetStoredValues() { return &FStoredValues; }

  void Notification(TComponent* component, TOperation operation) override;

protected:
  void SavePlacement() override;
  void RestorePlacement() override;

private:
  TStringList FStoredProps;
  TStoredValues FStoredValues;
};
