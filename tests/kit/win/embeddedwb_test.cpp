// The embedded web browser on the system's real browser object: its
// windows and teardown beside other application listeners, the host
// interfaces' answers as the browser would call them through the site,
// keys from the message loop, and loads that cannot find an engine here.
#include "kit/win/EmbeddedWB.h"

#include "kit/win/AppEvent.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

constexpr UINT kProbe = WM_USER + 77;

class BrowserCase : public ::testing::Test {
protected:
  BrowserCase() {
    Form = new TForm(nullptr);
    Form->SetBounds(40, 40, 400, 300);
    Form->Show();
  }
  ~BrowserCase() override { delete Form; }
  template <class T = TEmbeddedWB> T* Make() {
    auto* wb = new T(Form);
    wb->SetParent(Form);
    wb->SetBounds(0, 0, 300, 200);
    wb->HandleNeeded();
    wb->Browser();
    // The page's view window comes with the first (blank) page.
    wb->Navigate("about:blank");
    PumpUntil([&] { return Inside(wb->GetHandle(), "Shell DocObject View") != nullptr; }, 2000);
    return wb;
  }
  static HWND Inside(HWND parent, const char* cls) {
    HWND found = nullptr;
    struct TFind {
      const char* Class;
      HWND* Found;
    } find{cls, &found};
    ::EnumChildWindows(
        parent,
        [](HWND w, LPARAM p) -> BOOL {
          auto* f = reinterpret_cast<TFind*>(p);
          char name[64] = {};
          ::GetClassNameA(w, name, sizeof name);
          if (std::string(name) == f->Class) {
            *f->Found = w;
            return FALSE;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&find));
    return found;
  }
  // A thread without the component library answers S_OK to its first
  // initialisation; one that has it, S_FALSE.
  static HRESULT ComState() {
    const HRESULT hr = ::CoInitialize(nullptr);
    if (SUCCEEDED(hr)) ::CoUninitialize();
    return hr;
  }
  TForm* Form;
};

TEST_F(BrowserCase, CreatedAndFreedInEitherOrderBesideOtherListeners) {
  const HRESULT before = ComState();
  for (const bool creationOrder : {true, false}) {
    SCOPED_TRACE(creationOrder ? "freed in creation order" : "freed in reverse");
    int first = 0, second = 0;
    auto one = std::make_unique<TAppEvents>(nullptr);
    one->OnMessage = [&](MSG& m, bool&) { first += m.message == kProbe; };
    TEmbeddedWB* a = Make();
    auto two = std::make_unique<TAppEvents>(nullptr);
    two->OnMessage = [&](MSG& m, bool&) { second += m.message == kProbe; };
    TEmbeddedWB* b = Make();
    EXPECT_EQ(ComState(), S_FALSE);
    const HWND aw = a->GetHandle(), bw = b->GetHandle();
    const HWND shell = Inside(aw, "Shell Embedding");
    ASSERT_TRUE(shell);
    EXPECT_TRUE(Inside(aw, "Shell DocObject View"));
    EXPECT_TRUE(Inside(bw, "Shell Embedding"));

    auto probe = [&] {
      ::PostMessageA(Form->GetHandle(), kProbe, 0, 0);
      Application->ProcessMessages();
    };
    probe();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 1);
    delete (creationOrder ? a : b);
    probe();
    delete (creationOrder ? b : a);
    probe();
    EXPECT_EQ(first, 3);
    EXPECT_EQ(second, 3);
    EXPECT_FALSE(::IsWindow(aw));
    EXPECT_FALSE(::IsWindow(bw));
    EXPECT_FALSE(::IsWindow(shell));
  }
  EXPECT_EQ(ComState(), before);
}

TEST_F(BrowserCase, HostInterfacesAnswerTheirDefaults) {
  TEmbeddedWB* wb = Make();
  IDocHostUIHandler* ui = nullptr;
  IDocHostShowUI* show = nullptr;
  IDispatch* ambient = nullptr;
  const IID showUI = {0xc4d244b0, 0xd43e, 0x11cf, {0x89, 0x3b, 0x00, 0xaa, 0x00, 0xbd, 0xce, 0x1a}};
  IOleClientSite* site = wb->ClientSite();
  ASSERT_EQ(site->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&ui)), S_OK);
  ASSERT_EQ(site->QueryInterface(showUI, reinterpret_cast<void**>(&show)), S_OK);
  ASSERT_EQ(site->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient)), S_OK);

  POINT pt{};
  RECT r{};
  MSG msg{};
  DOCHOSTUIINFO info{};
  info.cbSize = sizeof info;
  LPOLESTR key = reinterpret_cast<LPOLESTR>(1);
  IDropTarget* target = reinterpret_cast<IDropTarget*>(1);
  IDispatch* external = reinterpret_cast<IDispatch*>(1);
  LPWSTR url = reinterpret_cast<LPWSTR>(1);
  IDataObject* data = reinterpret_cast<IDataObject*>(1);
  LRESULT result = 0;
  const struct {
    const char* Name;
    HRESULT Got, Want;
  } answers[] = {
      {"ShowContextMenu", ui->ShowContextMenu(0, &pt, nullptr, nullptr), S_FALSE},
      {"GetHostInfo", ui->GetHostInfo(&info), S_FALSE},
      {"ShowUI", ui->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_FALSE},
      {"HideUI", ui->HideUI(), S_FALSE},
      {"UpdateUI", ui->UpdateUI(), S_FALSE},
      {"EnableModeless", ui->EnableModeless(TRUE), S_FALSE},
      {"OnDocWindowActivate", ui->OnDocWindowActivate(TRUE), S_FALSE},
      {"OnFrameWindowActivate", ui->OnFrameWindowActivate(TRUE), S_FALSE},
      {"ResizeBorder", ui->ResizeBorder(&r, nullptr, TRUE), S_FALSE},
      {"TranslateAccelerator", ui->TranslateAccelerator(&msg, nullptr, 0), S_FALSE},
      {"GetOptionKeyPath", ui->GetOptionKeyPath(&key, 0), S_FALSE},
      {"GetDropTarget", ui->GetDropTarget(nullptr, &target), S_OK},
      {"GetExternal", ui->GetExternal(&external), S_FALSE},
      {"TranslateUrl", ui->TranslateUrl(0, nullptr, &url), S_FALSE},
      {"FilterDataObject", ui->FilterDataObject(nullptr, &data), S_FALSE},
      {"ShowMessage", show->ShowMessage(nullptr, nullptr, nullptr, 0, nullptr, 0, &result), S_FALSE},
      {"ShowHelp", show->ShowHelp(nullptr, nullptr, 0, 0, pt, nullptr), S_FALSE},
  };
  for (const auto& a : answers) EXPECT_EQ(a.Got, a.Want) << a.Name;
  // Every "no object" answer leaves the out place empty.
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(target, nullptr);
  EXPECT_EQ(external, nullptr);
  EXPECT_EQ(url, nullptr);
  EXPECT_EQ(data, nullptr);

  UINT count = 7;
  ITypeInfo* typeInfo = reinterpret_cast<ITypeInfo*>(1);
  DISPID id = 5;
  LPOLESTR name = const_cast<LPOLESTR>(L"x");
  EXPECT_EQ(ambient->GetTypeInfoCount(&count), E_NOTIMPL);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(ambient->GetTypeInfo(0, 0, &typeInfo), E_NOTIMPL);
  EXPECT_EQ(typeInfo, nullptr);
  EXPECT_EQ(ambient->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), E_NOTIMPL);
  EXPECT_EQ(id, DISPID_UNKNOWN);

  // The download options as the browser reads them.
  DISPPARAMS none{};
  VARIANT v;
  ::VariantInit(&v);
  EXPECT_EQ(ambient->Invoke(-5512, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr), S_OK);
  EXPECT_EQ(v.vt, VT_I4);
  EXPECT_EQ(v.lVal, 0x70);
  wb->SetDownloadOptions(TDlOptions{DLCTL_NO_SCRIPTS, DLCTL_SILENT});
  EXPECT_EQ(ambient->Invoke(-5512, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr), S_OK);
  EXPECT_EQ(uint32_t(v.lVal), 0x40000080u);
  EXPECT_EQ(ambient->Invoke(-5512, IID_NULL, 0, DISPATCH_METHOD, &none, &v, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(ambient->Invoke(-5513, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  DISPID invoked = 0;
  wb->OnInvoke = [&](DISPID d, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    invoked = d;
    return S_OK;
  };
  EXPECT_EQ(ambient->Invoke(-5513, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr), S_OK);
  EXPECT_EQ(invoked, -5513);

  // An assigned event answers instead of the default.
  wb->OnShowContextMenu = [](DWORD, POINT*, IUnknown*, IDispatch*) { return S_OK; };
  EXPECT_EQ(ui->ShowContextMenu(0, &pt, nullptr, nullptr), S_OK);

  // Help with a help file goes to the system's HTML help.
  std::vector<std::string> helps;
  THtmlHelpFunc old = SetHtmlHelpFunc([&](HWND, const std::string& file, UINT command, DWORD_PTR data) {
    helps.push_back(file + "/" + std::to_string(command) + "/" + std::to_string(data));
    return HWND(nullptr);
  });
  wb->SetHelpFile("page.chm");
  EXPECT_EQ(show->ShowHelp(nullptr, nullptr, 15, 3, pt, nullptr), S_OK);
  SetHtmlHelpFunc(old);
  EXPECT_EQ(helps, std::vector<std::string>{"page.chm/15/3"});

  // The browser may keep its references: once the control is gone they
  // answer the defaults and touch nothing freed.
  delete wb;
  EXPECT_EQ(ui->ShowContextMenu(0, &pt, nullptr, nullptr), S_FALSE);
  EXPECT_EQ(ambient->Invoke(-5512, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  ui->Release();
  show->Release();
  ambient->Release();
}

// Keys posted to the page's window, counted by a subclass of it.
int gKeys = 0;
WNDPROC gPageProc = nullptr;
LRESULT CALLBACK CountingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_KEYDOWN) ++gKeys;
  return ::CallWindowProcA(gPageProc, w, m, wp, lp);
}

// Records the UI-activations that the routing asks for.
class TActivationsWB : public TEmbeddedWB {
public:
  using TEmbeddedWB::TEmbeddedWB;
  std::vector<HRESULT> Activations;

protected:
  HRESULT UIActivate(MSG* msg) override {
    Activations.push_back(TEmbeddedWB::UIActivate(msg));
    return Activations.back();
  }
};

TEST_F(BrowserCase, APostedKeyReachesThePageOnceAndTabActivatesIt) {
  auto* wb = Make<TActivationsWB>();
  const HWND page = Inside(wb->GetHandle(), "Shell DocObject View");
  ASSERT_TRUE(page);
  gKeys = 0;
  gPageProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(page, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
  ::PostMessageA(page, WM_KEYDOWN, 'A', 1);
  Application->ProcessMessages();
  EXPECT_EQ(gKeys, 1);

  ::PostMessageA(page, WM_KEYDOWN, VK_TAB, 1);
  Application->ProcessMessages();
  EXPECT_EQ(wb->Activations, std::vector<HRESULT>{S_OK});
  EXPECT_EQ(gKeys, 2);  // the Tab too, once
  ::SetWindowLongPtrA(page, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gPageProc));

  // Another window's keys are no business of the browser's.
  MSG other{Form->GetHandle(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
  bool handled = false;
  wb->RouteMessage(other, handled);
  EXPECT_FALSE(handled);
  EXPECT_EQ(wb->Activations.size(), 1u);
  delete wb;
}

TEST_F(BrowserCase, LoadsWithoutAnEngineFailAndAFreedBrowserIsLeftAlone) {
  TEmbeddedWB* wb = Make();
  TStringList lines;
  lines.Add("<p>x</p>");
  // The document class is missing here: at once, not at the deadline.
  wb->WaitTimeout = 600000;
  try {
    wb->LoadFromStrings(lines);
    ADD_FAILURE() << "no exception";
  } catch (const EBrowserEngine& e) {
    EXPECT_EQ(e.Message().rfind("The HTML preview needs the system's web browser engine, which is not available "
                                "(error 8",
                                0),
              0u)
        << e.Message();
  }
  // Past the class check the page never comes: the deadline ends the wait.
  wb->CheckDocumentClass = false;
  wb->WaitTimeout = 300;
  EXPECT_THROW(wb->LoadFromStrings(lines), EBrowserEngine);

  // Freed while it waits: the load returns and touches nothing of it.
  static TEmbeddedWB* gDoomed = nullptr;
  gDoomed = wb;
  wb->WaitTimeout = 600000;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    delete gDoomed;
    gDoomed = nullptr;
  });
  EXPECT_NO_THROW(wb->LoadFromStrings(lines));
  ::KillTimer(nullptr, timer);
  EXPECT_EQ(gDoomed, nullptr);
}

}  // namespace
