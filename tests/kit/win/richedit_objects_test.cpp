// The rich-text control's embedded objects. The callback's rules are asked
// directly (Wine has no object servers, so a small object of the test's own
// stands in for one); what Wine's rich-edit library itself asks of the
// callback is checked through the control.
#include "kit/win/RxRichEd.h"
#include "kit/win/RxRichOle.h"

#include "platform/win/Forms.h"
#include "platform/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <richedit.h>
#include <richole.h>

#include <memory>
#include <string>
#include <vector>

TQ_TEST_APPLICATION();

namespace {

struct TVerb {
  LONG Number;
  std::wstring Name;
  UINT Flags;
  DWORD Attribs;
};

class TVerbEnum final : public IEnumOLEVERB {
public:
  explicit TVerbEnum(std::vector<TVerb> verbs) : FVerbs(std::move(verbs)) {}
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IEnumOLEVERB) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++FRefs; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG n = --FRefs;
    if (n == 0) delete this;
    return n;
  }
  STDMETHODIMP Next(ULONG count, LPOLEVERB verbs, ULONG* fetched) override {
    ULONG got = 0;
    for (; got < count && FAt < FVerbs.size(); ++got, ++FAt) {
      const TVerb& v = FVerbs[FAt];
      const size_t bytes = (v.Name.size() + 1) * sizeof(wchar_t);
      auto* name = static_cast<LPOLESTR>(::CoTaskMemAlloc(bytes));
      std::memcpy(name, v.Name.c_str(), bytes);
      verbs[got] = OLEVERB{v.Number, name, v.Flags, v.Attribs};
    }
    if (fetched) *fetched = got;
    return got == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG n) override {
    FAt += n;
    return FAt <= FVerbs.size() ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() override {
    FAt = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumOLEVERB** out) override {
    *out = new TVerbEnum(FVerbs);
    return S_OK;
  }

private:
  ULONG FRefs = 1;
  std::vector<TVerb> FVerbs;
  size_t FAt = 0;
};

// An object with verbs that records the verbs it is asked to do.
class TTestObject final : public IOleObject {
public:
  std::vector<TVerb> Verbs;
  std::vector<LONG> Done;
  HWND DoneIn = nullptr;
  bool Closed = false;

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IOleObject) {
      *out = static_cast<IOleObject*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++FRefs; }
  STDMETHODIMP_(ULONG) Release() override { return --FRefs; }  // lives on the test's stack
  STDMETHODIMP SetClientSite(IOleClientSite* site) override {
    if (site) site->AddRef();
    if (FSite) FSite->Release();
    FSite = site;
    return S_OK;
  }
  STDMETHODIMP GetClientSite(IOleClientSite** site) override {
    *site = FSite;
    if (FSite) FSite->AddRef();
    return S_OK;
  }
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP Close(DWORD) override {
    Closed = true;
    SetClientSite(nullptr);
    return S_OK;
  }
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND parent, LPCRECT) override {
    Done.push_back(verb);
    DoneIn = parent;
    return S_OK;
  }
  STDMETHODIMP EnumVerbs(IEnumOLEVERB** out) override {
    *out = new TVerbEnum(Verbs);
    return S_OK;
  }
  STDMETHODIMP Update() override { return S_OK; }
  STDMETHODIMP IsUpToDate() override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID* clsid) override {
    *clsid = CLSID_NULL;
    return S_OK;
  }
  STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
  STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return S_OK; }
  STDMETHODIMP GetExtent(DWORD, SIZEL* size) override {
    size->cx = size->cy = 1000;
    return S_OK;
  }
  STDMETHODIMP Advise(IAdviseSink*, DWORD* conn) override {
    *conn = 1;
    return S_OK;
  }
  STDMETHODIMP Unadvise(DWORD) override { return S_OK; }
  STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
  STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override {
    *status = 0;
    return S_OK;
  }
  STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  ~TTestObject() {
    if (FSite) FSite->Release();
  }

private:
  ULONG FRefs = 1;
  IOleClientSite* FSite = nullptr;
};

std::vector<std::string> MenuItems(HMENU menu) {
  std::vector<std::string> items;
  const int n = ::GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) {
    char text[128] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_STATE;
    info.dwTypeData = text;
    info.cch = sizeof text;
    ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    if (info.fType & MFT_SEPARATOR)
      items.push_back("-");
    else
      items.push_back(std::string(text) + ((info.fState & MFS_GRAYED) ? " (grayed)" : ""));
  }
  return items;
}

// The menu shown, read from inside the menu's own loop, which then picks
// the item of gPick's mnemonic (none: closes the menu).
std::vector<std::string> gShownMenu;
char gPick = 0;
void CALLBACK ReadMenuAndPick(HWND, UINT, UINT_PTR id, DWORD) {
  HWND wnd = ::FindWindowA("#32768", nullptr);
  if (!wnd || !::IsWindowVisible(wnd)) return;
  ::KillTimer(nullptr, id);
  if (HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(wnd, MN_GETHMENU, 0, 0))) gShownMenu = MenuItems(menu);
  if (gPick)
    ::PostMessageA(wnd, WM_CHAR, static_cast<WPARAM>(gPick), 0);
  else
    ::EndMenu();
}

struct RichEditObjects : ::testing::Test {
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(60, 60, 420, 300);
    edit = new TRxRichEdit(form.get());
    edit->SetParent(form.get());
    edit->SetAlign(alClient);
    form->Show();
    edit->HandleNeeded();
  }
  void TearDown() override { form.reset(); }

  IRichEditOleCallback* Callback() { return edit->GetOleCallback(); }

  std::unique_ptr<TForm> form;
  TRxRichEdit* edit = nullptr;
};

TEST_F(RichEditObjects, TheCallbackIsInstalledOnlyWithAllowObjects) {
  ASSERT_NE(edit->GetOleCallback(), nullptr);
  ASSERT_NE(edit->GetRichEditOle(), nullptr);
  TRxRichEdit* plain = new TRxRichEdit(form.get());
  plain->SetAllowObjects(false);
  plain->SetParent(form.get());
  plain->HandleNeeded();
  EXPECT_EQ(plain->GetOleCallback(), nullptr);
  EXPECT_EQ(plain->GetRichEditOle(), nullptr);
}

TEST_F(RichEditObjects, TheInsertQueryFollowsAllowObjects) {
  CLSID clsid = CLSID_NULL;
  EXPECT_EQ(Callback()->QueryInsertObject(&clsid, nullptr, 0), S_OK);
  edit->SetAllowObjects(false);
  EXPECT_NE(Callback()->QueryInsertObject(&clsid, nullptr, 0), S_OK);
  edit->SetAllowObjects(true);
  EXPECT_EQ(Callback()->QueryInsertObject(&clsid, nullptr, 0), S_OK);
}

TEST_F(RichEditObjects, EachNewObjectGetsAStorageOfItsOwnInMemory) {
  IStorage* a = nullptr;
  IStorage* b = nullptr;
  ASSERT_EQ(Callback()->GetNewStorage(&a), S_OK);
  ASSERT_EQ(Callback()->GetNewStorage(&b), S_OK);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(a, b);
  // A real compound file: a stream written in it reads back.
  IStream* s = nullptr;
  ASSERT_EQ(a->CreateStream(L"Contents", STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &s), S_OK);
  ULONG n = 0;
  ASSERT_EQ(s->Write("data", 4, &n), S_OK);
  s->Release();
  ASSERT_EQ(a->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &s), S_OK);
  char back[8] = {};
  s->Read(back, sizeof back, &n);
  s->Release();
  EXPECT_EQ(std::string(back, n), "data");
  EXPECT_NE(b->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &s), S_OK);
  a->Release();
  b->Release();
}

TEST_F(RichEditObjects, InPlaceActivationFollowsAllowInPlace) {
  IOleInPlaceFrame* frame = nullptr;
  IOleInPlaceUIWindow* doc = nullptr;
  OLEINPLACEFRAMEINFO info{};
  info.cb = sizeof info;
  ASSERT_EQ(Callback()->GetInPlaceContext(&frame, &doc, &info), S_OK);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(info.hwndFrame, form->GetHandle());
  HWND wnd = nullptr;
  EXPECT_EQ(frame->GetWindow(&wnd), S_OK);
  EXPECT_EQ(wnd, form->GetHandle());
  // A server asking for tool space gets none and edits in the control.
  BORDERWIDTHS widths{0, 20, 0, 0};
  EXPECT_EQ(frame->RequestBorderSpace(&widths), INPLACE_E_NOTOOLSPACE);
  frame->Release();

  edit->SetAllowInPlace(false);
  frame = nullptr;
  EXPECT_EQ(Callback()->GetInPlaceContext(&frame, &doc, &info), E_NOTIMPL);
  EXPECT_EQ(frame, nullptr);
}

TEST_F(RichEditObjects, TheContextMenuOfAnObjectListsItsVerbsAndTheProperties) {
  TTestObject object;
  object.Verbs = {
      {0, L"&Edit", MF_ENABLED, OLEVERBATTRIB_ONCONTAINERMENU},
      {1, L"&Open", MF_ENABLED, OLEVERBATTRIB_ONCONTAINERMENU},
      {2, L"", MF_SEPARATOR, OLEVERBATTRIB_ONCONTAINERMENU},
      {3, L"&Play", MF_GRAYED, OLEVERBATTRIB_ONCONTAINERMENU},
      {4, L"Hidden", MF_ENABLED, 0},                                 // not for a container's menu
      {OLEIVERB_HIDE, L"Hide", MF_ENABLED, OLEVERBATTRIB_ONCONTAINERMENU},  // not a menu verb
  };
  HMENU menu = nullptr;
  CHARRANGE range{0, 1};
  gShownMenu.clear();
  gPick = 'o';
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, ReadMenuAndPick);
  EXPECT_EQ(Callback()->GetContextMenu(SEL_OBJECT, &object, &range, &menu), S_OK);
  ::KillTimer(nullptr, timer);
  EXPECT_EQ(menu, nullptr);  // shown already: the control shows none
  const std::vector<std::string> expected{"&Edit", "&Open", "-", "&Play (grayed)", "-", "Object &Properties..."};
  EXPECT_EQ(gShownMenu, expected);
  // The item chosen does that verb, in the control.
  EXPECT_EQ(object.Done, std::vector<LONG>{1});
  EXPECT_EQ(object.DoneIn, edit->GetHandle());

  // Text selected, or the menu turned off: no menu of ours.
  gShownMenu.clear();
  gPick = 0;
  const UINT_PTR closer = ::SetTimer(nullptr, 0, 20, ReadMenuAndPick);
  EXPECT_NE(Callback()->GetContextMenu(SEL_TEXT, nullptr, &range, &menu), S_OK);
  edit->SetAutoVerbMenu(false);
  EXPECT_NE(Callback()->GetContextMenu(SEL_OBJECT, &object, &range, &menu), S_OK);
  ::KillTimer(nullptr, closer);
  EXPECT_EQ(menu, nullptr);
  EXPECT_TRUE(gShownMenu.empty());
}

TEST_F(RichEditObjects, TheControlAsksBeforeItTakesAnObject) {
  IRichEditOle* ole = edit->GetRichEditOle();
  ASSERT_NE(ole, nullptr);
  TTestObject object;
  auto insert = [&] {
    REOBJECT reo{};
    reo.cbStruct = sizeof reo;
    reo.cp = REO_CP_SELECTION;
    reo.poleobj = &object;
    reo.dvaspect = DVASPECT_CONTENT;
    reo.sizel = {1000, 1000};
    if (FAILED(Callback()->GetNewStorage(&reo.pstg))) return E_FAIL;
    const HRESULT hr = ole->InsertObject(&reo);
    reo.pstg->Release();
    return hr;
  };
  edit->SetAllowObjects(false);
  EXPECT_NE(insert(), S_OK);
  EXPECT_EQ(ole->GetObjectCount(), 0);
  edit->SetAllowObjects(true);
  EXPECT_EQ(insert(), S_OK);
  EXPECT_EQ(ole->GetObjectCount(), 1);

  // A picture pasted after the object.
  HDC dc = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  ::Rectangle(dc, 0, 0, 50, 50);
  HENHMETAFILE emf = ::CloseEnhMetaFile(dc);
  ASSERT_TRUE(PumpUntil([] { return ::OpenClipboard(nullptr) != FALSE; }));
  ::EmptyClipboard();
  ::SetClipboardData(CF_ENHMETAFILE, emf);
  ::CloseClipboard();
  edit->SetSelStart(edit->GetTextLength());
  edit->SetAllowObjects(false);
  ::SendMessageA(edit->GetHandle(), WM_PASTE, 0, 0);
  EXPECT_EQ(ole->GetObjectCount(), 1);
  edit->SetAllowObjects(true);
  ::SendMessageA(edit->GetHandle(), WM_PASTE, 0, 0);
  ASSERT_EQ(ole->GetObjectCount(), 2);
  REOBJECT pasted{};
  pasted.cbStruct = sizeof pasted;
  ASSERT_EQ(ole->GetObject(1, &pasted, REO_GETOBJ_POLEOBJ), S_OK);
  EXPECT_NE(pasted.poleobj, static_cast<IOleObject*>(&object));
  if (pasted.poleobj) pasted.poleobj->Release();

  // The objects are closed with the window.
  form.reset();
  EXPECT_TRUE(object.Closed);
}

TEST_F(RichEditObjects, TheControlsContextMenuOnAnObjectDoesItsVerbs) {
  IRichEditOle* ole = edit->GetRichEditOle();
  ASSERT_NE(ole, nullptr);
  TTestObject object;
  object.Verbs = {{0, L"&Edit", MF_ENABLED, OLEVERBATTRIB_ONCONTAINERMENU},
                  {1, L"&Open", MF_ENABLED, OLEVERBATTRIB_ONCONTAINERMENU}};
  REOBJECT reo{};
  reo.cbStruct = sizeof reo;
  reo.cp = REO_CP_SELECTION;
  reo.poleobj = &object;
  reo.dvaspect = DVASPECT_CONTENT;
  reo.sizel = {1000, 1000};
  ASSERT_EQ(Callback()->GetNewStorage(&reo.pstg), S_OK);
  ASSERT_EQ(ole->InsertObject(&reo), S_OK);
  reo.pstg->Release();
  CHARRANGE all{0, 1};
  ::SendMessageA(edit->GetHandle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  ASSERT_EQ(::SendMessageA(edit->GetHandle(), EM_SELECTIONTYPE, 0, 0) & SEL_OBJECT, SEL_OBJECT);

  gShownMenu.clear();
  gPick = 'o';
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, ReadMenuAndPick);
  RECT rc{};
  ::GetWindowRect(edit->GetHandle(), &rc);
  ::SendMessageA(edit->GetHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit->GetHandle()),
                 MAKELPARAM(rc.left + 10, rc.top + 10));
  ::KillTimer(nullptr, timer);
  EXPECT_TRUE(PumpUntil([&] { return !object.Done.empty(); }));
  const std::vector<std::string> expected{"&Edit", "&Open", "-", "Object &Properties..."};
  EXPECT_EQ(gShownMenu, expected);
  EXPECT_EQ(object.Done, std::vector<LONG>{1});
}

TEST(RichEditContainerName, TitleAndApplicationTitle) {
  struct TCase {
    const char* Title;
    const char* App;
    const char* Name;
  };
  const TCase cases[] = {
      {"Help", "Tarnquill", "Help - Tarnquill"},
      {"   ", "Tarnquill", "Tarnquill"},
      {"", "Tarnquill", "Tarnquill"},
      {" x ", "Tarnquill", " x  - Tarnquill"},
  };
  for (const auto& c : cases) EXPECT_EQ(RichContainerName(c.Title, c.App), c.Name) << c.Title;
}

}  // namespace
