// The open, save and printer setup dialogs over comdlg32.
#include "platform/win/Dialogs.h"

#include "platform/SysUtils.h"
#include "platform/TypInfo.h"
#include "platform/win/Application.h"
#include "platform/win/Printers.h"
#include "platform/win/WinApi.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

TFileDialogFunc& FileDialogFunc() {
  static TFileDialogFunc func;
  return func;
}

TPrinterSetupDialogFunc& PrinterSetupDialogFunc() {
  static TPrinterSetupDialogFunc func;
  return func;
}

// The window a dialog belongs to: the active one of ours, else the main form.
HWND DialogOwner() {
  if (HWND active = ::GetActiveWindow()) return active;
  if (Application) {
    TForm* main = Application->GetMainForm();
    if (main && main->HandleAllocated()) return main->GetHandle();
    return Application->GetHandle();
  }
  return nullptr;
}

// "a|b|c|d" as the dialog wants it: "a\0b\0c\0d\0\0".
std::string FilterText(const std::string& filter) {
  std::string s = filter;
  std::replace(s.begin(), s.end(), '|', '\0');
  s.append(2, '\0');
  return s;
}

struct TOptionFlag {
  TOpenOption Option;
  DWORD Flag;
};

constexpr TOptionFlag kOptionFlags[] = {
    {ofReadOnly, OFN_READONLY},
    {ofOverwritePrompt, OFN_OVERWRITEPROMPT},
    {ofHideReadOnly, OFN_HIDEREADONLY},
    {ofNoChangeDir, OFN_NOCHANGEDIR},
    {ofShowHelp, OFN_SHOWHELP},
    {ofNoValidate, OFN_NOVALIDATE},
    {ofAllowMultiSelect, OFN_ALLOWMULTISELECT},
    {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
    {ofPathMustExist, OFN_PATHMUSTEXIST},
    {ofFileMustExist, OFN_FILEMUSTEXIST},
    {ofCreatePrompt, OFN_CREATEPROMPT},
    {ofShareAware, OFN_SHAREAWARE},
    {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
    {ofNoTestFileCreate, OFN_NOTESTFILECREATE},
    {ofNoNetworkButton, OFN_NONETWORKBUTTON},
    {ofNoLongNames, OFN_NOLONGNAMES},
    {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
    {ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY},
    {ofEnableSizing, OFN_ENABLESIZING},
};

// The dialog starts with room for this many characters of names and grows
// before it hands back more (long names, many files).
constexpr size_t kInitialBuffer = 4096;

const char kRunProp[] = "TqFileDialogRun";

}  // namespace

TDialogErrorMode::TDialogErrorMode()
    : FOld(::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}

TDialogErrorMode::~TDialogErrorMode() { ::SetErrorMode(FOld); }

TFileDialogFunc SetFileDialogFunc(TFileDialogFunc func) {
  TFileDialogFunc old = std::move(FileDialogFunc());
  FileDialogFunc() = std::move(func);
  return old;
}

TPrinterSetupDialogFunc SetPrinterSetupDialogFunc(TPrinterSetupDialogFunc func) {
  TPrinterSetupDialogFunc old = std::move(PrinterSetupDialogFunc());
  PrinterSetupDialogFunc() = std::move(func);
  return old;
}

// ---------------------------------------------------------------------------
// TOpenDialog
// ---------------------------------------------------------------------------

// One run of the system's dialog: its structure and the name buffer, which
// grows while the dialog runs. The dialog reads the buffer's address and
// size from the structure when it hands the names back, so a hook that
// replaces both before that moment gives it room for anything.
struct TOpenDialog::TRun {
  OPENFILENAMEA Ofn{};
  OPENFILENAMEA* Live = &Ofn;  // the structure the dialog works on
  std::vector<char> Buffer;
  HWND Dialog = nullptr;
  WNDPROC DialogProc = nullptr;

  void Grow(size_t needed) {
    if (needed <= Buffer.size()) return;
    std::vector<char> bigger(std::max(needed, Buffer.size() * 2), '\0');
    std::memcpy(bigger.data(), Buffer.data(), Buffer.size());
    Buffer.swap(bigger);
    Live->lpstrFile = Buffer.data();
    Live->nMaxFile = DWORD(Buffer.size());
  }

  // Room for what the dialog may hand back now: its folder with the names
  // selected or typed (several quoted names, or one that is a whole path).
  void MakeRoom() {
    auto size = [this](UINT msg) {
      LRESULT n = ::SendMessageA(Dialog, msg, 0, 0);
      return n > 0 ? size_t(n) : size_t(0);
    };
    size_t typed = size_t(std::max(0, ::GetWindowTextLengthA(::GetDlgItem(Dialog, cmb13))));
    typed = std::max(typed, size_t(std::max(0, ::GetWindowTextLengthA(::GetDlgItem(Dialog, edt1)))));
    Grow(size(CDM_GETFOLDERPATH) + size(CDM_GETSPEC) + typed + MAX_PATH + 2);
  }

  static LRESULT CALLBACK DialogWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* run = static_cast<TRun*>(::GetPropA(wnd, kRunProp));
    if (!run) return ::DefWindowProcA(wnd, msg, wParam, lParam);
    WNDPROC proc = run->DialogProc;
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
      run->MakeRoom();
    } else if (msg == WM_NCDESTROY) {
      ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
      ::RemovePropA(wnd, kRunProp);
    }
    return ::CallWindowProcA(proc, wnd, msg, wParam, lParam);
  }

  // The hook's dialog is a child of the system's dialog: the latter gets
  // OK and the file-name box, the hook hears selection changes.
  static UINT_PTR CALLBACK Hook(HWND hook, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
      auto* ofn = reinterpret_cast<OPENFILENAMEA*>(lParam);
      auto* run = reinterpret_cast<TRun*>(ofn->lCustData);
      run->Live = ofn;
      run->Dialog = ::GetParent(hook);
      ::SetPropA(run->Dialog, kRunProp, run);
      run->DialogProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
          run->Dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TRun::DialogWndProc)));
    } else if (msg == WM_NOTIFY) {
      auto* note = reinterpret_cast<OFNOTIFYA*>(lParam);
      if (note->hdr.code == CDN_SELCHANGE)
        if (auto* run = static_cast<TRun*>(::GetPropA(::GetParent(hook), kRunProp))) run->MakeRoom();
    }
    return 0;
  }
};

TOpenDialog::TOpenDialog(TComponent* owner)
    : TComponent(owner), FFiles(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

TStrings* TOpenDialog::GetFiles() const { return FFiles.get(); }

bool TOpenDialog::Execute() {
  if (FileDialogFunc()) return FileDialogFunc()(*this);
  TRun run;
  run.Buffer.assign(std::max(kInitialBuffer, FFileName.size() + 1), '\0');
  std::memcpy(run.Buffer.data(), FFileName.data(), FFileName.size());
  std::string filter = FilterText(FFilter);
  std::string defaultExt = FDefaultExt;
  if (!defaultExt.empty() && defaultExt[0] == '.') defaultExt.erase(0, 1);

  OPENFILENAMEA& ofn = run.Ofn;
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = DialogOwner();
  ofn.lpstrFilter = FFilter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = DWORD(std::max(FFilterIndex, 0));
  ofn.lpstrFile = run.Buffer.data();
  ofn.nMaxFile = DWORD(run.Buffer.size());
  ofn.lpstrInitialDir = FInitialDir.empty() ? nullptr : FInitialDir.c_str();
  ofn.lpstrTitle = FTitle.empty() ? nullptr : FTitle.c_str();
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
  for (const TOptionFlag& f : kOptionFlags)
    if (FOptions.Contains(f.Option)) ofn.Flags |= f.Flag;
  ofn.lpfnHook = &TRun::Hook;
  ofn.lCustData = reinterpret_cast<LPARAM>(&run);

  BOOL ok;
  {
    TDialogErrorMode errorMode;
    ok = IsSaveDialog() ? ::GetSaveFileNameA(&ofn) : ::GetOpenFileNameA(&ofn);
  }
  if (!ok) return false;

  const char* names = run.Live->lpstrFile;
  FFiles->Clear();
  size_t offset = run.Live->nFileOffset;
  if (FOptions.Contains(ofAllowMultiSelect) && offset > 0 && names[offset - 1] == '\0') {
    // The folder, then each name, each ended by a null, and one more at the end.
    std::string folder = IncludeTrailingPathDelimiter(names);
    for (const char* name = names + offset; *name; name += std::strlen(name) + 1) FFiles->Add(folder + name);
  } else {
    FFiles->Add(names);
  }
  FFileName = FFiles->GetCount() > 0 ? FFiles->Get(0) : std::string();
  FFilterIndex = int(run.Live->nFilterIndex);
  FOptions.Exclude(ofReadOnly).Exclude(ofExtensionDifferent);
  if (run.Live->Flags & OFN_READONLY) FOptions.Include(ofReadOnly);
  if (run.Live->Flags & OFN_EXTENSIONDIFFERENT) FOptions.Include(ofExtensionDifferent);
  return true;
}

const TClassInfo& TOpenDialog::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TOpenDialog", &TComponent::StaticClassInfo())
          .String("FileName", &TOpenDialog::GetFileName, &TOpenDialog::SetFileName)
          .String("Filter", &TOpenDialog::GetFilter, &TOpenDialog::SetFilter)
          .String("InitialDir", &TOpenDialog::GetInitialDir, &TOpenDialog::SetInitialDir)
          .String("Title", &TOpenDialog::GetTitle, &TOpenDialog::SetTitle);
  return info;
}
const TClassInfo* TOpenDialog::ClassInfo() const { return &StaticClassInfo(); }

// ---------------------------------------------------------------------------
// TPrinterSetupDialog
// ---------------------------------------------------------------------------
namespace {

// Global memory the dialog takes and gives back; freed when we are done.
struct TGlobal {
  HGLOBAL Handle = nullptr;
  ~TGlobal() {
    if (Handle) ::GlobalFree(Handle);
  }
};

HGLOBAL GlobalCopy(const void* data, size_t size) {
  HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (!h) return nullptr;
  std::memcpy(::GlobalLock(h), data, size);
  ::GlobalUnlock(h);
  return h;
}

// DEVNAMES for a printer of the spooler: driver, device, no port.
HGLOBAL DevNamesFor(const std::string& device) {
  const std::string driver = "winspool";
  std::vector<char> block(sizeof(DEVNAMES) + driver.size() + 1 + device.size() + 1 + 1, '\0');
  auto* names = reinterpret_cast<DEVNAMES*>(block.data());
  names->wDriverOffset = WORD(sizeof(DEVNAMES));
  names->wDeviceOffset = WORD(names->wDriverOffset + driver.size() + 1);
  names->wOutputOffset = WORD(names->wDeviceOffset + device.size() + 1);
  std::memcpy(block.data() + names->wDriverOffset, driver.c_str(), driver.size());
  std::memcpy(block.data() + names->wDeviceOffset, device.c_str(), device.size());
  return GlobalCopy(block.data(), block.size());
}

}  // namespace

bool TPrinterSetupDialog::Execute() {
  if (PrinterSetupDialogFunc()) return PrinterSetupDialogFunc()(*this);
  TPrinter* printer = Printer();
  TGlobal devMode, devNames;
  std::string current = printer->GetPrinterName();
  if (!current.empty()) {
    const std::vector<uint8_t>& mode = printer->GetDevMode();
    if (!mode.empty()) devMode.Handle = GlobalCopy(mode.data(), mode.size());
    devNames.Handle = DevNamesFor(current);
  }
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = DialogOwner();
  pd.hDevMode = devMode.Handle;
  pd.hDevNames = devNames.Handle;
  pd.Flags = PD_PRINTSETUP;
  BOOL ok = ::PrintDlgA(&pd);
  // The dialog may have replaced the blocks; ours to free either way.
  devMode.Handle = pd.hDevMode;
  devNames.Handle = pd.hDevNames;
  if (!ok || !pd.hDevNames) return false;
  std::string device;
  if (auto* names = static_cast<DEVNAMES*>(::GlobalLock(pd.hDevNames))) {
    device = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
    ::GlobalUnlock(pd.hDevNames);
  }
  std::vector<uint8_t> mode;
  if (pd.hDevMode) {
    if (auto* dm = static_cast<const DEVMODEA*>(::GlobalLock(pd.hDevMode))) {
      size_t size = std::min<size_t>(::GlobalSize(pd.hDevMode), size_t(dm->dmSize) + dm->dmDriverExtra);
      auto* bytes = reinterpret_cast<const uint8_t*>(dm);
      mode.assign(bytes, bytes + size);
      ::GlobalUnlock(pd.hDevMode);
    }
  }
  return printer->SelectPrinter(device, mode);
}
