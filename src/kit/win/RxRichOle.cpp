#include "kit/win/RxRichOle.h"

#include <oledlg.h>

#include <cstring>

namespace {

// Strings handed to OLE are freed by OLE, through the task allocator.
LPSTR TaskString(const std::string& s) {
  auto* p = static_cast<LPSTR>(::CoTaskMemAlloc(s.size() + 1));
  if (p) std::memcpy(p, s.c_str(), s.size() + 1);
  return p;
}

std::string FromOleString(LPOLESTR w) {
  if (!w) return std::string();
  const int n = ::WideCharToMultiByte(CP_ACP, 0, w, -1, nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n > 0 ? n : 1), '\0');
  if (n > 0) ::WideCharToMultiByte(CP_ACP, 0, w, -1, s.data(), n, nullptr, nullptr);
  s.resize(std::strlen(s.c_str()));
  return s;
}

std::string UserType(IOleObject* object, DWORD form) {
  LPOLESTR w = nullptr;
  if (FAILED(object->GetUserType(form, &w)) || !w) return std::string();
  std::string s = FromOleString(w);
  ::CoTaskMemFree(w);
  return s;
}

// The frame an in-place server puts its tools and menus into. We have no
// room for either; the server edits in the control's own window.
class TRichInPlaceFrame final : public IOleInPlaceFrame {
public:
  explicit TRichInPlaceFrame(HWND frame) : FWnd(frame) {}
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow ||
        riid == IID_IOleInPlaceFrame) {
      *out = static_cast<IOleInPlaceFrame*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&FRefs)); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG n = ::InterlockedDecrement(&FRefs);
    if (n == 0) {
      if (FActive) FActive->Release();
      delete this;
    }
    return static_cast<ULONG>(n);
  }
  STDMETHODIMP GetWindow(HWND* wnd) override {
    if (!wnd) return E_POINTER;
    *wnd = FWnd;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return S_OK; }
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS widths) override {
    return widths ? INPLACE_E_NOTOOLSPACE : S_OK;
  }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override {
    if (object) object->AddRef();
    if (FActive) FActive->Release();
    FActive = object;
    return S_OK;
  }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS widths) override {
    if (widths) widths->width[0] = widths->width[2] = widths->width[4] = 0;
    return S_OK;
  }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
  LONG FRefs = 1;
  HWND FWnd;
  IOleInPlaceActiveObject* FActive = nullptr;
};

// What the object-properties dialog reads of the one object it shows.
class TRichObjInfo final : public IOleUIObjInfoA {
public:
  TRichObjInfo(IOleObject* object, std::string location) : FObject(object), FLocation(std::move(location)) {}
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown) {
      *out = static_cast<IUnknown*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // Lives on the stack of the dialog's caller.
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetObjectInfo(DWORD, DWORD* size, LPSTR* label, LPSTR* type, LPSTR* shortType,
                             LPSTR* location) override {
    const std::string full = UserType(FObject, USERCLASSTYPE_FULL);
    if (size) *size = 0xFFFFFFFF;  // unknown
    if (label) *label = TaskString(full);
    if (type) *type = TaskString(full);
    if (shortType) *shortType = TaskString(UserType(FObject, USERCLASSTYPE_SHORT));
    if (location) *location = TaskString(FLocation);
    return S_OK;
  }
  STDMETHODIMP GetConvertInfo(DWORD, CLSID* clsid, WORD* format, CLSID* convertDefault, LPCLSID* exclude,
                              UINT* excludeCount) override {
    if (clsid && FAILED(FObject->GetUserClassID(clsid))) *clsid = CLSID_NULL;
    if (format) *format = 0;
    if (convertDefault) *convertDefault = CLSID_NULL;
    if (exclude) *exclude = nullptr;
    if (excludeCount) *excludeCount = 0;
    return S_OK;
  }
  STDMETHODIMP ConvertObject(DWORD, REFCLSID) override { return E_NOTIMPL; }
  STDMETHODIMP GetViewInfo(DWORD, HGLOBAL* metaPict, DWORD* aspect, int* scale) override {
    if (metaPict) {
      CLSID clsid = CLSID_NULL;
      FObject->GetUserClassID(&clsid);
      *metaPict = ::OleGetIconOfClass(clsid, nullptr, TRUE);
    }
    if (aspect) *aspect = DVASPECT_CONTENT;
    if (scale) *scale = 100;
    return S_OK;
  }
  STDMETHODIMP SetViewInfo(DWORD, HGLOBAL, DWORD, int, BOOL) override { return E_NOTIMPL; }

private:
  IOleObject* FObject;
  std::string FLocation;
};

}  // namespace

std::string RichContainerName(const std::string& title, const std::string& appTitle) {
  if (title.find_first_not_of(' ') == std::string::npos) return appTitle;
  return title + " - " + appTitle;
}

STDMETHODIMP TRichEditOleCallback::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IRichEditOleCallback) {
    *out = static_cast<IRichEditOleCallback*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TRichEditOleCallback::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&FRefs)); }

STDMETHODIMP_(ULONG) TRichEditOleCallback::Release() {
  const LONG n = ::InterlockedDecrement(&FRefs);
  if (n == 0) delete this;
  return static_cast<ULONG>(n);
}

STDMETHODIMP TRichEditOleCallback::GetNewStorage(LPSTORAGE* storage) {
  if (!storage) return E_INVALIDARG;
  *storage = nullptr;
  // Each object keeps its data in a compound file in memory; the storage
  // holds the bytes and frees them with itself.
  ILockBytes* bytes = nullptr;
  HRESULT hr = ::CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes);
  if (FAILED(hr)) return hr;
  hr = ::StgCreateDocfileOnILockBytes(bytes, STGM_SHARE_EXCLUSIVE | STGM_CREATE | STGM_READWRITE, 0, storage);
  bytes->Release();
  return hr;
}

STDMETHODIMP TRichEditOleCallback::GetInPlaceContext(LPOLEINPLACEFRAME* frame, LPOLEINPLACEUIWINDOW* doc,
                                                     LPOLEINPLACEFRAMEINFO frameInfo) {
  if (!FHost || !FHost->OleAllowInPlace()) return E_NOTIMPL;  // the server opens its own window
  if (!frame || !doc || !frameInfo) return E_INVALIDARG;
  HWND wnd = FHost->OleWindow();
  HWND top = wnd ? ::GetAncestor(wnd, GA_ROOT) : nullptr;
  *frame = new TRichInPlaceFrame(top ? top : wnd);
  *doc = nullptr;
  frameInfo->fMDIApp = FALSE;
  frameInfo->hwndFrame = top ? top : wnd;
  frameInfo->haccel = nullptr;
  frameInfo->cAccelEntries = 0;
  return S_OK;
}

STDMETHODIMP TRichEditOleCallback::ShowContainerUI(BOOL) { return S_OK; }

STDMETHODIMP TRichEditOleCallback::QueryInsertObject(LPCLSID, LPSTORAGE, LONG) {
  return FHost && FHost->OleAllowObjects() ? S_OK : E_FAIL;
}

STDMETHODIMP TRichEditOleCallback::DeleteObject(LPOLEOBJECT) { return S_OK; }

STDMETHODIMP TRichEditOleCallback::QueryAcceptData(LPDATAOBJECT, CLIPFORMAT*, DWORD, BOOL, HGLOBAL) {
  return S_OK;
}

STDMETHODIMP TRichEditOleCallback::ContextSensitiveHelp(BOOL) { return S_OK; }

STDMETHODIMP TRichEditOleCallback::GetClipboardData(CHARRANGE*, DWORD, LPDATAOBJECT* data) {
  if (data) *data = nullptr;
  return E_NOTIMPL;  // the control's own clipboard data
}

STDMETHODIMP TRichEditOleCallback::GetDragDropEffect(BOOL, DWORD, LPDWORD) { return S_OK; }

HMENU TRichEditOleCallback::BuildVerbMenu(IOleObject* object, std::vector<LONG>& verbs) {
  verbs.clear();
  HMENU menu = ::CreatePopupMenu();
  if (!menu) return nullptr;
  IEnumOLEVERB* e = nullptr;
  if (object && SUCCEEDED(object->EnumVerbs(&e)) && e) {
    OLEVERB verb{};
    ULONG got = 0;
    bool pendingSeparator = false;
    while (e->Next(1, &verb, &got) == S_OK && got == 1) {
      const std::string name = FromOleString(verb.lpszVerbName);
      const bool onMenu = verb.lVerb >= 0 && (verb.grfAttribs & OLEVERBATTRIB_ONCONTAINERMENU) != 0;
      if (verb.lpszVerbName) ::CoTaskMemFree(verb.lpszVerbName);
      if (!onMenu) continue;
      if (verb.fuFlags & MF_SEPARATOR) {
        pendingSeparator = !verbs.empty();
        continue;
      }
      if (RichVerbCommandFirst + verbs.size() > RichVerbCommandLast) break;
      if (pendingSeparator) ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      pendingSeparator = false;
      const UINT flags = verb.fuFlags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_MENUBARBREAK | MF_MENUBREAK);
      ::AppendMenuA(menu, MF_STRING | flags, RichVerbCommandFirst + static_cast<UINT>(verbs.size()), name.c_str());
      verbs.push_back(verb.lVerb);
    }
    e->Release();
  }
  if (!verbs.empty()) ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(menu, MF_STRING, RichObjectPropertiesCommand, "Object &Properties...");
  return menu;
}

STDMETHODIMP TRichEditOleCallback::GetContextMenu(WORD selType, LPOLEOBJECT object, CHARRANGE*, HMENU* menu) {
  if (!menu) return E_INVALIDARG;
  *menu = nullptr;
  if (!FHost || !FHost->OleAutoVerbMenu() || !(selType & SEL_OBJECT)) return E_NOTIMPL;
  try {
    // Some controls (Wine's) tell that an object is selected but not which:
    // ask the control for it.
    if (object)
      object->AddRef();
    else
      object = FHost->OleSelectedObject();
    if (!object) return E_NOTIMPL;
    std::vector<LONG> verbs;
    HMENU popup = BuildVerbMenu(object, verbs);
    if (!popup) {
      object->Release();
      return E_OUTOFMEMORY;
    }
    AddRef();  // the control may let us go while its menu is up
    const POINT at = FHost->OleMenuPoint();
    const UINT id = static_cast<UINT>(::TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                       at.x, at.y, 0, FHost->OleWindow(), nullptr));
    ::DestroyMenu(popup);
    // The menu's loop may have let the window go.
    if (id && FHost) Command(object, verbs, id);
    object->Release();
    Release();
    return S_OK;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

void TRichEditOleCallback::Command(IOleObject* object, const std::vector<LONG>& verbs, UINT id) {
  if (id == RichObjectPropertiesCommand) {
    TRichObjInfo info(object, FHost->OleContainerName());
    PROPSHEETHEADERA sheet{};
    sheet.dwSize = sizeof sheet;
    sheet.hwndParent = FHost->OleWindow();
    OLEUIGNRLPROPSA general{};
    general.cbStruct = sizeof general;
    OLEUIVIEWPROPSA view{};
    view.cbStruct = sizeof view;
    OLEUIOBJECTPROPSA props{};
    props.cbStruct = sizeof props;
    props.lpPS = &sheet;
    props.lpObjInfo = &info;
    props.lpGP = &general;
    props.lpVP = &view;
    ::OleUIObjectPropertiesA(&props);
    return;
  }
  if (id < RichVerbCommandFirst || id >= RichVerbCommandFirst + verbs.size()) return;
  HWND wnd = FHost->OleWindow();
  RECT rc{};
  if (wnd) ::GetClientRect(wnd, &rc);
  IOleClientSite* site = nullptr;
  object->GetClientSite(&site);
  object->DoVerb(verbs[id - RichVerbCommandFirst], nullptr, site, 0, wnd, &rc);
  if (site) site->Release();
}
