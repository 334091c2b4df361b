// The embedded web browser: host interfaces, loading from memory, key routing.
#include "kit/win/EmbeddedWB.h"

#include <exdisp.h>
#include <ocidl.h>

#include "kit/win/AppEvent.h"
#include "platform/Streams.h"
#include "platform/SysUtils.h"
#include "platform/win/Application.h"

namespace {

// The system's HTML document class: without it no page can be shown.
const CLSID kHtmlDocumentClass = {0x25336920, 0x03f9, 0x11cf, {0x8f, 0xd0, 0x00, 0xaa, 0x00, 0x68, 0x6f, 0x13}};

// Not in every import library's list of interface identifiers.
const IID kDocHostShowUI = {0xc4d244b0, 0xd43e, 0x11cf, {0x89, 0x3b, 0x00, 0xaa, 0x00, 0xbd, 0xce, 0x1a}};

constexpr HRESULT kTimedOut = HRESULT(0x800705B4);  // HRESULT_FROM_WIN32(ERROR_TIMEOUT)

HWND DefaultHtmlHelp(HWND caller, const std::string& file, UINT command, DWORD_PTR data) {
  using THtmlHelpA = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
  static HMODULE library = ::LoadLibraryA("hhctrl.ocx");
  if (!library) return nullptr;
  auto help = reinterpret_cast<THtmlHelpA>(reinterpret_cast<void*>(::GetProcAddress(library, "HtmlHelpA")));
  return help ? help(caller, file.c_str(), command, data) : nullptr;
}

THtmlHelpFunc& HtmlHelpFunc() {
  static THtmlHelpFunc func = &DefaultHtmlHelp;
  return func;
}

[[noreturn]] void NoEngine(HRESULT hr) {
  throw EBrowserEngine(Format("The HTML preview needs the system's web browser engine, which is not "
                              "available (error %lx)",
                              (unsigned long)hr));
}

// A read-only IStream over one page's text.
class TTextStream : public TComObject<IStream> {
public:
  explicit TTextStream(std::unique_ptr<TBrowserText> text) : FText(std::move(text)) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream) {
      *out = static_cast<IStream*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP Read(void* buffer, ULONG count, ULONG* read) override {
    if (!buffer) return STG_E_INVALIDPOINTER;
    const ULONG n = FText->Read(buffer, count);
    if (read) *read = n;
    return n == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Write(const void*, ULONG, ULONG*) override { return STG_E_ACCESSDENIED; }
  STDMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override {
    uint64_t place = 0;
    if (!FText->Seek(move.QuadPart, int(origin), place)) return STG_E_INVALIDFUNCTION;
    if (position) position->QuadPart = place;
    return S_OK;
  }
  STDMETHODIMP SetSize(ULARGE_INTEGER) override { return STG_E_ACCESSDENIED; }
  STDMETHODIMP CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
  STDMETHODIMP Commit(DWORD) override { return S_OK; }
  STDMETHODIMP Revert() override { return S_OK; }
  STDMETHODIMP LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
  STDMETHODIMP UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return STG_E_INVALIDFUNCTION; }
  STDMETHODIMP Stat(STATSTG* stat, DWORD) override {
    if (!stat) return STG_E_INVALIDPOINTER;
    ZeroMemory(stat, sizeof *stat);
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = FText->Size();
    return S_OK;
  }
  STDMETHODIMP Clone(IStream** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }

private:
  std::unique_ptr<TBrowserText> FText;
};

}  // namespace

THtmlHelpFunc SetHtmlHelpFunc(THtmlHelpFunc func) {
  THtmlHelpFunc previous = std::move(HtmlHelpFunc());
  HtmlHelpFunc() = func ? std::move(func) : THtmlHelpFunc(&DefaultHtmlHelp);
  return previous;
}

// The browser's host: every answer goes to the control's event or, without
// one, to the default. Counted on its own like the site, it answers the
// defaults once the control is gone.
class TEmbeddedHost : public TComObject<IDocHostUIHandler, IDocHostShowUI, IDispatch> {
public:
  explicit TEmbeddedHost(TEmbeddedWB* control) : FControl(control) {}
  void Forget() { FControl = nullptr; }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDocHostUIHandler) *out = static_cast<IDocHostUIHandler*>(this);
    else if (iid == kDocHostShowUI) *out = static_cast<IDocHostShowUI*>(this);
    else if (iid == IID_IDispatch) *out = static_cast<IDispatch*>(this);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }

#define TQ_EVENT(name) (FControl && FControl->name)
  // IDocHostUIHandler
  STDMETHODIMP ShowContextMenu(DWORD id, POINT* pt, IUnknown* r1, IDispatch* r2) override {
    return TQ_EVENT(OnShowContextMenu) ? FControl->OnShowContextMenu(id, pt, r1, r2) : S_FALSE;
  }
  STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override {
    return TQ_EVENT(OnGetHostInfo) ? FControl->OnGetHostInfo(info) : S_FALSE;
  }
  STDMETHODIMP ShowUI(DWORD id, IOleInPlaceActiveObject* a, IOleCommandTarget* c, IOleInPlaceFrame* f,
                      IOleInPlaceUIWindow* d) override {
    return TQ_EVENT(OnShowUI) ? FControl->OnShowUI(id, a, c, f, d) : S_FALSE;
  }
  STDMETHODIMP HideUI() override { return TQ_EVENT(OnHideUI) ? FControl->OnHideUI() : S_FALSE; }
  STDMETHODIMP UpdateUI() override { return TQ_EVENT(OnUpdateUI) ? FControl->OnUpdateUI() : S_FALSE; }
  STDMETHODIMP EnableModeless(BOOL enable) override {
    return TQ_EVENT(OnEnableModeless) ? FControl->OnEnableModeless(enable) : S_FALSE;
  }
  STDMETHODIMP OnDocWindowActivate(BOOL activate) override {
    return TQ_EVENT(OnOnDocWindowActivate) ? FControl->OnOnDocWindowActivate(activate) : S_FALSE;
  }
  STDMETHODIMP OnFrameWindowActivate(BOOL activate) override {
    return TQ_EVENT(OnOnFrameWindowActivate) ? FControl->OnOnFrameWindowActivate(activate) : S_FALSE;
  }
  STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* w, BOOL frame) override {
    return TQ_EVENT(OnResizeBorder) ? FControl->OnResizeBorder(border, w, frame) : S_FALSE;
  }
  STDMETHODIMP TranslateAccelerator(LPMSG msg, const GUID* group, DWORD id) override {
    return TQ_EVENT(OnTranslateAccelerator) ? FControl->OnTranslateAccelerator(msg, group, id) : S_FALSE;
  }
  STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD dw) override {
    if (key) *key = nullptr;
    return TQ_EVENT(OnGetOptionKeyPath) ? FControl->OnGetOptionKeyPath(key, dw) : S_FALSE;
  }
  STDMETHODIMP GetDropTarget(IDropTarget* target, IDropTarget** result) override {
    if (result) *result = nullptr;
    return TQ_EVENT(OnGetDropTarget) ? FControl->OnGetDropTarget(target, result) : S_OK;
  }
  STDMETHODIMP GetExternal(IDispatch** dispatch) override {
    if (dispatch) *dispatch = nullptr;
    return TQ_EVENT(OnGetExternal) ? FControl->OnGetExternal(dispatch) : S_FALSE;
  }
  STDMETHODIMP TranslateUrl(DWORD translate, LPWSTR in, LPWSTR* out) override {
    if (out) *out = nullptr;
    return TQ_EVENT(OnTranslateUrl) ? FControl->OnTranslateUrl(translate, in, out) : S_FALSE;
  }
  STDMETHODIMP FilterDataObject(IDataObject* object, IDataObject** result) override {
    if (result) *result = nullptr;
    return TQ_EVENT(OnFilterDataObject) ? FControl->OnFilterDataObject(object, result) : S_FALSE;
  }

  // IDocHostShowUI
  STDMETHODIMP ShowMessage(HWND wnd, LPOLESTR text, LPOLESTR caption, DWORD type, LPOLESTR file,
                           DWORD context, LRESULT* result) override {
    return TQ_EVENT(OnShowMessage) ? FControl->OnShowMessage(wnd, text, caption, type, file, context, result)
                                   : S_FALSE;
  }
  STDMETHODIMP ShowHelp(HWND wnd, LPOLESTR file, UINT command, DWORD data, POINT mouse,
                        IDispatch* hit) override {
    if (TQ_EVENT(OnShowHelp)) return FControl->OnShowHelp(wnd, file, command, data, mouse, hit);
    if (!FControl || FControl->GetHelpFile().empty()) return S_FALSE;
    HtmlHelpFunc()(FControl->HandleAllocated() ? FControl->GetHandle() : wnd, FControl->GetHelpFile(), command,
                   data);
    return S_OK;
  }

  // IDispatch: the ambient properties.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return TQ_EVENT(OnGetTypeInfoCount) ? FControl->OnGetTypeInfoCount(count) : E_NOTIMPL;
  }
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return TQ_EVENT(OnGetTypeInfo) ? FControl->OnGetTypeInfo(index, lcid, info) : E_NOTIMPL;
  }
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override {
    if (ids)
      for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return TQ_EVENT(OnGetIDsOfNames) ? FControl->OnGetIDsOfNames(iid, names, count, lcid, ids) : E_NOTIMPL;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* excepInfo, UINT* argErr) override {
    if (FControl && id == kDispidAmbientDlControl && (flags & DISPATCH_PROPERTYGET) && result) {
      ::VariantInit(result);
      result->vt = VT_I4;
      result->lVal = LONG(DlOptionsToMask(FControl->GetDownloadOptions()));
      return S_OK;
    }
    if (TQ_EVENT(OnInvoke)) return FControl->OnInvoke(id, iid, lcid, flags, params, result, excepInfo, argErr);
    return DISP_E_MEMBERNOTFOUND;
  }
#undef TQ_EVENT

private:
  TEmbeddedWB* FControl;
};

TEmbeddedWB::TEmbeddedWB(TComponent* owner) : TWebBrowser(owner), FAlive(std::make_shared<bool>(true)) {
  // Undone only when it succeeded (S_FALSE, already initialised, counts).
  FOleInitialized = SUCCEEDED(::OleInitialize(nullptr));
  FHost = new TEmbeddedHost(this);
  // A listener of our own beside any others: leaving is destroying it.
  FAppEvents = new TAppEvents(nullptr);
  FAppEvents->OnMessage = [this](MSG& msg, bool& handled) { RouteMessage(msg, handled); };
}

TEmbeddedWB::~TEmbeddedWB() {
  *FAlive = false;
  delete FAppEvents;
  FAppEvents = nullptr;
  if (HandleAllocated()) DestroyHandle();
  DestroyBrowser();
  FHost->Forget();
  FHost->Release();
  FHost = nullptr;
  if (FOleInitialized) ::OleUninitialize();
}

IUnknown* TEmbeddedWB::HostHandler() { return static_cast<IDocHostUIHandler*>(FHost); }

void TEmbeddedWB::WndProc(TMessage& msg) {
  if (msg.Msg == WM_SETFOCUS && OnFocusTaken) {
    TWebBrowser::WndProc(msg);
    OnFocusTaken(this);
    return;
  }
  TWebBrowser::WndProc(msg);
}

void TEmbeddedWB::UIActivated() {
  if (OnFocusTaken) OnFocusTaken(this);
}

HRESULT TEmbeddedWB::UIActivate(MSG* msg) {
  IOleObject* object = OleObject();
  if (!object || !HandleAllocated()) return E_UNEXPECTED;
  RECT r{};
  ::GetClientRect(GetHandle(), &r);
  return object->DoVerb(OLEIVERB_UIACTIVATE, msg, ClientSite(), 0, GetHandle(), &r);
}

void TEmbeddedWB::RouteMessage(MSG& msg, bool& handled) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !HandleAllocated()) return;
  const HWND mine = GetHandle();
  const bool inside = msg.hwnd && (msg.hwnd == mine || ::IsChild(mine, msg.hwnd));
  if (!inside) return;
  const TBrowserKeyRoute route = RouteBrowserKey(msg.message, msg.wParam, true, Busy());
  if (route.UIActivate) UIActivate(&msg);
  if (!route.Translate) return;
  if (IOleInPlaceActiveObject* active = InPlaceActiveObject())
    if (active->TranslateAccelerator(&msg) == S_OK) handled = true;
}

bool TEmbeddedWB::WaitReady() {
  if (CheckDocumentClass) {
    IUnknown* document = nullptr;
    const HRESULT hr = ::CoCreateInstance(kHtmlDocumentClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                          reinterpret_cast<void**>(&document));
    if (FAILED(hr)) NoEngine(hr);
    document->Release();
  }
  const std::shared_ptr<bool> alive = FAlive;
  const ULONGLONG deadline = ::GetTickCount64() + WaitTimeout;
  for (;;) {
    if (ReadyState() == READYSTATE_COMPLETE) {
      if (IDispatch* document = Document()) {
        document->Release();
        return true;
      }
    }
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) return true;
    // Posted, sent, timer and paint messages only: keys and clicks wait
    // in the queue for the command to end.
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(std::min<ULONGLONG>(deadline - now, 50)),
                                QS_POSTMESSAGE | QS_SENDMESSAGE | QS_TIMER | QS_PAINT);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE | PM_QS_PAINT)) {
      if (msg.message == WM_QUIT) {
        ::PostQuitMessage(int(msg.wParam));
        return *alive;
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
      if (!*alive) return false;
    }
    if (!*alive) return false;
  }
}

IPersistStreamInit* TEmbeddedWB::DocumentStream() {
  IDispatch* document = Document();
  IPersistStreamInit* persist = nullptr;
  const HRESULT hr = document
                         ? document->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist))
                         : kTimedOut;
  if (document) document->Release();
  if (FAILED(hr) || !persist) NoEngine(FAILED(hr) ? hr : E_NOINTERFACE);
  return persist;
}

bool TEmbeddedWB::WaitForDocument() {
  if (IDispatch* document = Document()) {
    document->Release();
  } else {
    Navigate("about:blank");
  }
  if (!WaitReady()) return false;
  DocumentStream()->Release();
  return true;
}

bool TEmbeddedWB::NavigateAndWait(const std::string& url) {
  Navigate(url);
  if (!WaitReady()) return false;
  DocumentStream()->Release();
  return true;
}

void TEmbeddedWB::LoadText(std::unique_ptr<TBrowserText> text) {
  if (!WaitForDocument()) return;  // freed meanwhile: nothing of it is touched
  IPersistStreamInit* persist = DocumentStream();
  auto* stream = new TTextStream(std::move(text));
  HRESULT hr = persist->InitNew();
  if (SUCCEEDED(hr)) hr = persist->Load(stream);
  stream->Release();
  persist->Release();
  if (FAILED(hr)) NoEngine(hr);
}

void TEmbeddedWB::LoadFromStrings(const TStrings& lines) {
  LoadText(std::make_unique<TBrowserText>(TBrowserText::FromLines(lines)));
}

void TEmbeddedWB::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  LoadText(std::make_unique<TBrowserText>(stream.ReadRemaining()));
}
