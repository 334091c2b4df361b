// TFormPlacement and TFormStorage over real windows.
#include "kit/win/Placemnt.h"

#include <vector>

#include "kit/Placement.h"
#include "kit/win/RxHook.h"
#include "platform/win/Application.h"

// ---------------------------------------------------------------------------
// TWinMinMaxInfo
// ---------------------------------------------------------------------------
bool TWinMinMaxInfo::IsZero() const {
  for (int v : FValues)
    if (v != 0) return false;
  return true;
}

void TWinMinMaxInfo::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TWinMinMaxInfo*>(source)) {
    for (int i = 0; i < 8; ++i) FValues[i] = other->FValues[i];
    return;
  }
  TPersistent::Assign(source);
}

namespace {

std::string ProgramFileName() {
  char buffer[MAX_PATH];
  DWORD n = ::GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return std::string(buffer, n < sizeof buffer ? n : 0);
}

TRegRootKey RootOf(TPlacementRegRoot root) {
  switch (root) {
    case prCurrentUser: return rkCurrentUser;
    case prLocalMachine: return rkLocalMachine;
    case prCurrentConfig: return rkCurrentConfig;
    case prClassesRoot: return rkClassesRoot;
    case prUsers: return rkUsers;
    case prDynData: return rkDynData;
  }
  return rkCurrentUser;
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (::GetMonitorInfoA(monitor, &info)) {
    const RECT& w = info.rcWork;
    reinterpret_cast<std::vector<TRect>*>(data)->push_back(TRect(w.left, w.top, w.right, w.bottom));
  }
  return TRUE;
}

std::vector<TRect> WorkAreas() {
  std::vector<TRect> areas;
  ::EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

int ScreenPixelsPerInch() {
  HDC dc = ::GetDC(nullptr);
  int ppi = ::GetDeviceCaps(dc, LOGPIXELSY);
  ::ReleaseDC(nullptr, dc);
  return ppi;
}

bool IsSizeable(TFormBorderStyle style) { return style == bsSizeable || style == bsSizeToolWin; }

// The border widths the zoomed position leaves outside the screen.
int BorderWidth(TFormBorderStyle style) {
  switch (style) {
    case bsSingle:
    case bsToolWindow: return ::GetSystemMetrics(SM_CXBORDER);
    case bsSizeable:
    case bsSizeToolWin: return ::GetSystemMetrics(SM_CXFRAME);
    case bsDialog: return ::GetSystemMetrics(SM_CXDLGFRAME);
    default: return 0;
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// TFormPlacement
// ---------------------------------------------------------------------------
TFormPlacement::TFormPlacement(TComponent* owner) : TComponent(owner) {
  if (dynamic_cast<TForm*>(owner)) FOptions = TPlacementOptions{fpState, fpPosition};
}

TFormPlacement::~TFormPlacement() { UnhookForm(); }

std::string TFormPlacement::GetDefaultSection() const {
  return GetOwner() ? GetOwner()->ClassName() : std::string();
}

std::string TFormPlacement::GetDefaultIniFile() { return ChangeFileExt(ProgramFileName(), ".INI"); }

std::string TFormPlacement::GetDefaultIniRegKey() {
  return "Software\\" + ChangeFileExt(ExtractFileName(ProgramFileName()), "");
}

void TFormPlacement::OpenStorage(bool readOnly) {
  FSection = FIniSection.empty() ? GetDefaultSection() : FIniSection;
  if (FUseRegistry)
    FStorage = std::make_unique<TRegIniFile>(FIniFileName.empty() ? GetDefaultIniRegKey() : FIniFileName,
                                             RootOf(FRegistryRoot), readOnly);
  else
    FStorage = std::make_unique<TIniFile>(FIniFileName.empty() ? GetDefaultIniFile() : FIniFileName);
}

void TFormPlacement::CloseStorage() { FStorage.reset(); }

namespace {
bool gSavesSuspended = false;
}  // namespace

void SuspendFormStorageSaves(bool suspended) { gSavesSuspended = suspended; }
bool FormStorageSavesSuspended() { return gSavesSuspended; }

void TFormPlacement::SaveFormPlacement() {
  if (gSavesSuspended || (FActive && !FRestored)) return;
  OpenStorage(false);
  try {
    FStorage->WriteString(FSection, "FormVersion", IntToStr(FVersion));
    SavePlacement();
    if (OnSavePlacement) OnSavePlacement(this);
    FSaved = true;
  } catch (...) {
    CloseStorage();
    throw;
  }
  CloseStorage();
}

void TFormPlacement::SaveAsFormGoes() {
  if (!FActive || FSaved) return;
  FSavingOnDestroy = true;
  try {
    SaveFormPlacement();
  } catch (const Exception&) {
    // A form going away has nobody left to tell.
  }
  FSavingOnDestroy = false;
}

void TFormPlacement::RestoreFormPlacement() {
  FSaved = false;
  OpenStorage(true);
  try {
    if (FStorage->ReadInteger(FSection, "FormVersion", 0) >= FVersion) {
      RestorePlacement();
      FRestored = true;
      if (OnRestorePlacement) OnRestorePlacement(this);
      TForm* form = Form();
      if (FOptions.Contains(fpActiveControl) && form) {
        std::string name = FStorage->ReadString(FSection, "ActiveControl", std::string());
        auto* control = dynamic_cast<TWinControl*>(form->FindComponent(name));
        if (control && control->CanFocus()) form->SetActiveControl(control);
      }
    }
    FRestored = true;
  } catch (...) {
    CloseStorage();
    throw;
  }
  CloseStorage();

  TForm* form = Form();
  if (form && form->HandleAllocated() && !GetComponentState().Contains(csLoading) && !FPreventResize &&
      FMinMaxInfo.IsZero()) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    ::GetWindowPlacement(form->GetHandle(), &wp);
    const int border = BorderWidth(form->GetBorderStyle());
    wp.ptMaxPosition = POINT{-border, -border};
    if (!::IsWindowVisible(form->GetHandle())) wp.showCmd = SW_HIDE;
    ::SetWindowPlacement(form->GetHandle(), &wp);
  }
}

void TFormPlacement::SavePlacement() {
  TForm* form = Form();
  if (!form) return;
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  // A form whose window was never made (never shown) stores the place it
  // would have had, without making all its windows only to ask.
  HWND h = FHookWhenWindowMade && !form->HandleAllocated() ? nullptr : form->GetHandle();
  if (h) {
    ::GetWindowPlacement(h, &wp);
  } else {
    const TRect b = form->GetBoundsRect();
    wp.showCmd = SW_SHOWNORMAL;
    wp.ptMinPosition = wp.ptMaxPosition = POINT{-1, -1};
    wp.rcNormalPosition = RECT{b.Left, b.Top, b.Right, b.Bottom};
  }
  TPlacementRecord p;
  p.Flags = static_cast<int>(wp.flags);
  p.ShowCmd = static_cast<int>(wp.showCmd);
  if (Application && Application->GetMainForm() == form && ::IsIconic(Application->GetHandle()))
    p.ShowCmd = SW_SHOWMINIMIZED;
  p.MinPosition = TPoint(wp.ptMinPosition.x, wp.ptMinPosition.y);
  p.MaxPosition = TPoint(wp.ptMaxPosition.x, wp.ptMaxPosition.y);
  const RECT& n = wp.rcNormalPosition;
  p.NormalPosition = TRect(n.left, n.top, n.right, n.bottom);
  WritePlacementValues(*FStorage, FSection, p, ScreenPixelsPerInch(), ::GetSystemMetrics(SM_CXSCREEN),
                       ::GetSystemMetrics(SM_CYSCREEN));
  if (FOptions.Contains(fpActiveControl) && form->GetActiveControl())
    FStorage->WriteString(FSection, "ActiveControl", form->GetActiveControl()->GetName());
  FStorage->WriteBool(FSection, "Visible", FSavingOnDestroy);
}

void TFormPlacement::RestorePlacement() {
  TForm* form = Form();
  const bool position = FOptions.Contains(fpPosition), state = FOptions.Contains(fpState);
  if (!form || (!position && !state)) return;
  HWND h = form->GetHandle();
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  ::GetWindowPlacement(h, &wp);
  if (!::IsWindowVisible(h)) wp.showCmd = SW_HIDE;

  if (position) {
    TPlacementRecord p;
    p.Flags = static_cast<int>(wp.flags);
    p.MinPosition = TPoint(wp.ptMinPosition.x, wp.ptMinPosition.y);
    p.MaxPosition = TPoint(wp.ptMaxPosition.x, wp.ptMaxPosition.y);
    const RECT& n = wp.rcNormalPosition;
    p.NormalPosition = TRect(n.left, n.top, n.right, n.bottom);
    const TRect bounds = form->GetBoundsRect();
    if (ReadPlacementValues(*FStorage, FSection, p, bounds, ScreenPixelsPerInch(),
                            ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN))) {
      TRect& r = p.NormalPosition;
      if (!IsSizeable(form->GetBorderStyle())) {
        r.Right = r.Left + bounds.Width();
        r.Bottom = r.Top + bounds.Height();
      }
      if (r.Right > r.Left) {
        // A stored place wins over centring the form.
        if (form->GetPosition() == poScreenCenter || form->GetPosition() == poDesktopCenter ||
            form->GetPosition() == poMainFormCenter || form->GetPosition() == poOwnerFormCenter)
          form->SetPosition(poDesigned);
        // A caption stored above the screen or a monitor no longer there
        // must not leave the form out of reach.
        r = FitIntoWorkAreas(r, WorkAreas(), TPoint(bounds.Width(), bounds.Height()));
        wp.flags = static_cast<UINT>(p.Flags);
        wp.ptMinPosition = POINT{p.MinPosition.X, p.MinPosition.Y};
        wp.ptMaxPosition = POINT{p.MaxPosition.X, p.MaxPosition.Y};
        wp.rcNormalPosition = RECT{r.Left, r.Top, r.Right, r.Bottom};
        ::SetWindowPlacement(h, &wp);
      }
    }
  }

  if (state) {
    const bool mainForm = !Application || !Application->GetMainForm() || Application->GetMainForm() == form;
    TPlacementState def = mainForm && form->GetPosition() == poDefault ? psZoomed : psNormal;
    TPlacementState s = StateFromShowCmd(FStorage->ReadInteger(FSection, "ShowCmd", 0), def);
    if (s == psMinimized && mainForm && Application) {
      form->SetWindowState(wsNormal);
      ::PostMessageA(Application->GetHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      return;
    }
    form->SetWindowState(s == psMinimized ? wsMinimized : s == psZoomed ? wsMaximized : wsNormal);
  }
}

void TFormPlacement::Loaded() {
  TComponent::Loaded();
  HookForm();
}

void TFormPlacement::HookForm() {
  TForm* form = Form();
  if (!form || FHooked) return;
  FHooked = true;
  FFormOnShow = form->OnShow;
  FFormOnCloseQuery = form->OnCloseQuery;
  FFormOnDestroy = form->OnDestroy;
  form->OnShow = [this](TObject* sender) {
    if (FActive) {
      try {
        RestoreFormPlacement();
      } catch (const Exception& e) {
        if (Application) Application->ShowException(e);
      }
    }
    if (FFormOnShow) FFormOnShow(sender);
  };
  form->OnCloseQuery = [this](TObject* sender, bool& canClose) {
    if (FFormOnCloseQuery) FFormOnCloseQuery(sender, canClose);
    TForm* f = Form();
    if (canClose && FActive && f && f->HandleAllocated()) {
      try {
        SaveFormPlacement();
      } catch (const Exception& e) {
        if (Application) Application->ShowException(e);
      }
    }
  };
  form->OnDestroy = [this](TObject* sender) {
    SaveAsFormGoes();
    if (FFormOnDestroy) FFormOnDestroy(sender);
  };
  if (!FHookWhenWindowMade || form->HandleAllocated()) HookWindow();
}

void TFormPlacement::FormWindowCreated() {
  if (FHooked && !FWinHook) HookWindow();
}

void TFormPlacement::HookWindow() {
  TForm* form = Form();
  if (!form) return;
  FWinHook = new TRxWindowHook(this);
  FWinHook->SetWinControl(form);
  FWinHook->BeforeMessage = [this](TObject*, TMessage& msg, bool& handled) { BeforeMessage(msg, handled); };
  FWinHook->AfterMessage = [this](TObject*, TMessage& msg, bool& handled) { AfterMessage(msg, handled); };
  FWinHook->SetActive(true);
  UpdatePreventResize();
}

void TFormPlacement::UnhookForm() {
  TForm* form = Form();
  if (!FHooked || !form) return;
  FHooked = false;
  form->OnShow = FFormOnShow;
  form->OnCloseQuery = FFormOnCloseQuery;
  form->OnDestroy = FFormOnDestroy;
}

void TFormPlacement::SetPreventResize(bool v) {
  if (v == FPreventResize) return;
  FPreventResize = v;
  UpdatePreventResize();
}

void TFormPlacement::UpdatePreventResize() {
  TForm* form = Form();
  if (!form || !form->HandleAllocated()) return;
  HWND h = form->GetHandle();
  LONG_PTR style = ::GetWindowLongPtrA(h, GWL_STYLE);
  if (FPreventResize && (style & WS_MAXIMIZEBOX)) {
    FZoomBox = true;
    ::SetWindowLongPtrA(h, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_MAXIMIZEBOX));
  } else if (!FPreventResize && FZoomBox) {
    FZoomBox = false;
    ::SetWindowLongPtrA(h, GWL_STYLE, style | WS_MAXIMIZEBOX);
  } else {
    return;
  }
  ::SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void TFormPlacement::BeforeMessage(TMessage& msg, bool& handled) {}

void TFormPlacement::AfterMessage(TMessage& msg, bool& handled) {
  TForm* form = Form();
  if (!form || !FActive) return;
  switch (msg.Msg) {
    case WM_GETMINMAXINFO: {
      auto* mmi = reinterpret_cast<MINMAXINFO*>(msg.LParam);
      if (FPreventResize) {
        mmi->ptMinTrackSize = POINT{form->GetWidth(), form->GetHeight()};
        mmi->ptMaxTrackSize = POINT{form->GetWidth(), form->GetHeight()};
      } else if (!FMinMaxInfo.IsZero()) {
        auto set = [this](LONG& field, TWinMinMaxInfo::TIndex i) {
          if (FMinMaxInfo.Get(i) != 0) field = FMinMaxInfo.Get(i);
        };
        set(mmi->ptMinTrackSize.x, TWinMinMaxInfo::MinTrackWidth);
        set(mmi->ptMinTrackSize.y, TWinMinMaxInfo::MinTrackHeight);
        set(mmi->ptMaxTrackSize.x, TWinMinMaxInfo::MaxTrackWidth);
        set(mmi->ptMaxTrackSize.y, TWinMinMaxInfo::MaxTrackHeight);
        set(mmi->ptMaxSize.x, TWinMinMaxInfo::MaxSizeWidth);
        set(mmi->ptMaxSize.y, TWinMinMaxInfo::MaxSizeHeight);
        set(mmi->ptMaxPosition.x, TWinMinMaxInfo::MaxPosLeft);
        set(mmi->ptMaxPosition.y, TWinMinMaxInfo::MaxPosTop);
      } else {
        mmi->ptMaxPosition = POINT{0, 0};
      }
      msg.Result = 0;
      break;
    }
    case WM_NCHITTEST:
      if (FPreventResize && msg.Result >= HTLEFT && msg.Result <= HTBOTTOMRIGHT) msg.Result = HTNOWHERE;
      break;
    case WM_INITMENUPOPUP:
      if (FPreventResize && HIWORD(msg.LParam)) {
        HMENU menu = reinterpret_cast<HMENU>(msg.WParam);
        ::EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
        ::EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
      }
      break;
    default: break;
  }
}

// ---------------------------------------------------------------------------
// TFormStorage
// ---------------------------------------------------------------------------
namespace {

// A stored reference "Owner.Component" to another window of the program: its
// owner is one of the screen's forms (data modules are found by the store).
TComponent* FindScreenForm(const std::string& name) {
  if (!Screen) return nullptr;
  for (int i = 0; i < Screen->GetFormCount(); ++i)
    if (SameText(Screen->GetForms(i)->GetName(), name)) return Screen->GetForms(i);
  return nullptr;
}

}  // namespace

TFormStorage::TFormStorage(TComponent* owner) : TFormPlacement(owner) {
  TPropsStorage::SetGlobalComponentFinder(&FindScreenForm);
}

TFormStorage::~TFormStorage() = default;

void TFormStorage::Notification(TComponent* component, TOperation operation) {
  TFormPlacement::Notification(component, operation);
  if (operation == opRemove && component != this) RemoveStoredPropsOf(component, &FStoredProps);
}

void TFormStorage::SavePlacement() {
  TFormPlacement::SavePlacement();
  StoreComponentProps(*Storage(), Section(), GetOwner(), &FStoredProps);
  FStoredValues.SaveValues(*Storage(), Section());
}

void TFormStorage::RestorePlacement() {
  TFormPlacement::RestorePlacement();
  LoadComponentProps(*Storage(), Section(), GetOwner(), &FStoredProps);
  FStoredValues.RestoreValues(*Storage(), Section());
}
