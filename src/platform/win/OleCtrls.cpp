// The web-browser control and its OLE site.
#include "platform/win/OleCtrls.h"

#include <exdisp.h>
#include <oleidl.h>

#include "platform/SysUtils.h"

// The browser's container: client site, in-place site and in-place frame.
// The browser holds references to it for as long as it likes, so it lives
// on its own count and only reaches the control while the control is there.
class TWebBrowserSite : public TComObject<IOleClientSite, IOleInPlaceSite, IOleInPlaceFrame> {
public:
  explicit TWebBrowserSite(TWebBrowser* control) : FControl(control) {}
  void Forget() { FControl = nullptr; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) *out = static_cast<IOleInPlaceSite*>(this);
    else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
      *out = static_cast<IOleInPlaceFrame*>(this);
    if (*out) {
      AddRef();
      return S_OK;
    }
    if (FControl)
      if (IUnknown* host = FControl->HostHandler()) return host->QueryInterface(iid, out);
    return E_NOINTERFACE;
  }
  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** out) override {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (shared by the site and the frame: both answer the control)
  STDMETHODIMP GetWindow(HWND* wnd) override {
    if (!wnd) return E_POINTER;
    *wnd = FControl && FControl->HandleAllocated() ? FControl->GetHandle() : nullptr;
    return *wnd ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return FControl ? S_OK : S_FALSE; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override {
    if (FControl) FControl->UIActivated();
    return S_OK;
  }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    if (!frame || !doc || !pos || !clip || !info) return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    const RECT r = FControl ? FControl->ClientRectangle() : RECT{};
    *pos = r;
    *clip = r;
    info->fMDIApp = FALSE;
    info->hwndFrame = FControl && FControl->HandleAllocated() ? FControl->GetHandle() : nullptr;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT rect) override {
    if (FControl && FControl->FInPlaceObject && rect) FControl->FInPlaceObject->SetObjectRects(rect, rect);
    return S_OK;
  }

  // IOleInPlaceUIWindow / IOleInPlaceFrame: no menus or tool space of ours.
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
  TWebBrowser* FControl;
};

TWebBrowser::TWebBrowser(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  FSite = new TWebBrowserSite(this);
}

TWebBrowser::~TWebBrowser() {
  DestroyBrowser();
  FSite->Forget();
  FSite->Release();
}

RECT TWebBrowser::ClientRectangle() {
  RECT r{0, 0, GetWidth(), GetHeight()};
  if (HandleAllocated()) ::GetClientRect(GetHandle(), &r);
  return r;
}

IOleClientSite* TWebBrowser::ClientSite() const { return FSite; }

void TWebBrowser::CreateWnd() {
  TWinControl::CreateWnd();
  CreateBrowser();
}

void TWebBrowser::DestroyWnd() {
  DestroyBrowser();
  TWinControl::DestroyWnd();
}

void TWebBrowser::CreateBrowser() {
  if (FOleObject || !HandleAllocated()) return;
  HRESULT hr = ::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                                  IID_IOleObject, reinterpret_cast<void**>(&FOleObject));
  if (FAILED(hr)) {
    FOleObject = nullptr;
    throw EOleError(Format("The web browser object could not be created (error %lx)", (unsigned long)hr));
  }
  FOleObject->SetClientSite(FSite);
  FOleObject->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&FBrowser));
  RECT r = ClientRectangle();
  hr = FOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, FSite, 0, GetHandle(), &r);
  FOleObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&FInPlaceObject));
  FOleObject->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(&FActiveObject));
  if (FAILED(hr) || !FBrowser) {
    DestroyBrowser();
    throw EOleError(Format("The web browser could not be activated (error %lx)", (unsigned long)hr));
  }
  if (FInPlaceObject) FInPlaceObject->SetObjectRects(&r, &r);
}

void TWebBrowser::DestroyBrowser() {
  if (!FOleObject) return;
  // In order: leave the window, close the object, cut its tie to the site.
  if (FInPlaceObject) FInPlaceObject->InPlaceDeactivate();
  FOleObject->Close(OLECLOSE_NOSAVE);
  FOleObject->SetClientSite(nullptr);
  if (FActiveObject) FActiveObject->Release();
  if (FInPlaceObject) FInPlaceObject->Release();
  if (FBrowser) FBrowser->Release();
  FOleObject->Release();
  FActiveObject = nullptr;
  FInPlaceObject = nullptr;
  FBrowser = nullptr;
  FOleObject = nullptr;
}

void TWebBrowser::BoundsChanged(bool sized) {
  TWinControl::BoundsChanged(sized);
  if (FInPlaceObject) {
    const RECT r = ClientRectangle();
    FInPlaceObject->SetObjectRects(&r, &r);
  }
}

void TWebBrowser::WndProc(TMessage& msg) {
  if (msg.Msg == WM_SIZE && FInPlaceObject) {
    TWinControl::WndProc(msg);
    const RECT r = ClientRectangle();
    FInPlaceObject->SetObjectRects(&r, &r);
    return;
  }
  if (msg.Msg == WM_ERASEBKGND && FOleObject) {
    msg.Result = 1;  // the browser's window covers it
    return;
  }
  TWinControl::WndProc(msg);
}

IWebBrowser2* TWebBrowser::Browser() {
  HandleNeeded();
  CreateBrowser();
  return FBrowser;
}

IOleInPlaceActiveObject* TWebBrowser::InPlaceActiveObject() { return FActiveObject; }

void TWebBrowser::Navigate(const std::string& url) {
  IWebBrowser2* browser = Browser();
  const int n = ::MultiByteToWideChar(CP_ACP, 0, url.c_str(), -1, nullptr, 0);
  std::wstring wide(size_t(n > 0 ? n : 1), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, url.c_str(), -1, wide.data(), n);
  BSTR text = ::SysAllocString(wide.c_str());
  VARIANT empty;
  ::VariantInit(&empty);
  const HRESULT hr = browser->Navigate(text, &empty, &empty, &empty, &empty);
  ::SysFreeString(text);
  if (FAILED(hr)) throw EOleError(Format("Navigating to %s failed (error %lx)", url.c_str(), (unsigned long)hr));
}

int TWebBrowser::ReadyState() {
  if (!FBrowser) return 0;
  READYSTATE state = READYSTATE_UNINITIALIZED;
  if (FAILED(FBrowser->get_ReadyState(&state))) return 0;
  return int(state);
}

bool TWebBrowser::Busy() {
  if (!FBrowser) return false;
  VARIANT_BOOL busy = VARIANT_FALSE;
  if (FAILED(FBrowser->get_Busy(&busy))) return false;
  return busy != VARIANT_FALSE;
}

IDispatch* TWebBrowser::Document() {
  if (!FBrowser) return nullptr;
  IDispatch* document = nullptr;
  if (FAILED(FBrowser->get_Document(&document))) return nullptr;
  return document;
}
