// TEmbeddedWB: the web browser as the program embeds it. It answers the
// browser's host interfaces (user interface, messages, help, ambient
// properties) through events with sound default answers, tells it which
// downloads to make, shows HTML text held in memory, and routes the
// application's keys to the page, each key once.
#pragma once

#include "kit/WebBrowserRules.h"
#include "platform/win/OleCtrls.h"

#include <docobj.h>
#include <mshtmhst.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TAppEvents;
class TStream;
class TEmbeddedHost;

using TShowContextMenuEvent = std::function<HRESULT(DWORD id, POINT* pt, IUnknown* cmdtReserved,
                                                   IDispatch* dispReserved)>;
using TGetHostInfoEvent = std::function<HRESULT(DOCHOSTUIINFO* info)>;
using TShowUIEvent = std::function<HRESULT(DWORD id, IOleInPlaceActiveObject* activeObject,
                                           IOleCommandTarget* commandTarget, IOleInPlaceFrame* frame,
                                           IOleInPlaceUIWindow* doc)>;
using THideUIEvent = std::function<HRESULT()>;
using TUpdateUIEvent = std::function<HRESULT()>;
using TEnableModelessEvent = std::function<HRESULT(BOOL enable)>;
using TOnDocWindowActivateEvent = std::function<HRESULT(BOOL activate)>;
using TOnFrameWindowActivateEvent = std::function<HRESULT(BOOL activate)>;
using TResizeBorderEvent = std::function<HRESULT(LPCRECT border, IOleInPlaceUIWindow* uiWindow, BOOL frameWindow)>;
using TTranslateAcceleratorEvent = std::function<HRESULT(LPMSG msg, const GUID* cmdGroup, DWORD cmdId)>;
using TGetOptionKeyPathEvent = std::function<HRESULT(LPOLESTR* key, DWORD dw)>;
using TGetDropTargetEvent = std::function<HRESULT(IDropTarget* dropTarget, IDropTarget** result)>;
using TGetExternalEvent = std::function<HRESULT(IDispatch** dispatch)>;
using TTranslateUrlEvent = std::function<HRESULT(DWORD translate, LPWSTR urlIn, LPWSTR* urlOut)>;
using TFilterDataObjectEvent = std::function<HRESULT(IDataObject* dataObject, IDataObject** result)>;
using TShowMessageEvent = std::function<HRESULT(HWND wnd, LPOLESTR text, LPOLESTR caption, DWORD type,
                                                LPOLESTR helpFile, DWORD helpContext, LRESULT* result)>;
using TShowHelpEvent = std::function<HRESULT(HWND wnd, LPOLESTR helpFile, UINT command, DWORD data,
                                             POINT mouse, IDispatch* objectHit)>;
using TGetTypeInFoCountEvent = std::function<HRESULT(UINT* count)>;
using TGetTypeInfoEvent = std::function<HRESULT(UINT index, LCID lcid, ITypeInfo** info)>;
using TGetIDsOfNamesEvent = std::function<HRESULT(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                                  DISPID* ids)>;
using TInvokeEvent = std::function<HRESULT(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                           VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr)>;

// The system's HTML help, opened for a page's help request; replaceable so
// tests see the call without a help viewer.
using THtmlHelpFunc = std::function<HWND(HWND caller, const std::string& file, UINT command, DWORD_PTR data)>;
THtmlHelpFunc SetHtmlHelpFunc(THtmlHelpFunc func);

// The preview's failure when no page can be loaded.
TQ_DECLARE_EXCEPTION(EBrowserEngine, Exception)

class TEmbeddedWB : public TWebBrowser {
public:
  explicit TEmbeddedWB(TComponent* owner);
  ~TEmbeddedWB() override;

  TDlOptions GetDownloadOptions() const { return FDownloadOptions; }
  void SetDownloadOptions(TDlOptions v) { FDownloadOptions = v; }
  const std::string& GetHelpFile() const { return FHelpFile; }
  void SetHelpFile(const std::string& v) { FHelpFile = v; }
  const std::string& GetPrintHeader() const { return FPrintHeader; }
  void SetPrintHeader(const std::string& v) { FPrintHeader = v; }
  const std::string& GetPrintFooter() const { return FPrintFooter; }
  void SetPrintFooter(const std::string& v) { FPrintFooter = v; }

  // Shows the lines as the page (a blank page is loaded first when there
  // is no document). EBrowserEngine "The HTML preview needs the system's
  // web browser engine, which is not available (error %x)" when no page
  // can take the text. Returns quietly, touching nothing, when the browser
  // is freed while it waits.
  void LoadFromStrings(const TStrings& lines);
  void LoadFromStream(TStream& stream);
  // Waits until the browser has a complete document that can load text
  // (loading a blank page when it has none): EBrowserEngine at once when
  // the system's HTML document class cannot be made, otherwise when there
  // is none by WaitTimeout. Input stays queued meanwhile. False when the
  // browser was freed while waiting.
  bool WaitForDocument();
  // Navigates to url and waits for its document under the same rule.
  bool NavigateAndWait(const std::string& url);

  // How long a load waits for a page, in milliseconds (5000).
  unsigned WaitTimeout = 5000;
  // Tests only: skip the document class check, to reach the deadline.
  bool CheckDocumentClass = true;

  // The host object answering IDocHostUIHandler, IDocHostShowUI and
  // IDispatch, as the browser would find it through the site.
  IUnknown* HostHandler() override;
  // The routing of one message of the application's loop.
  void RouteMessage(MSG& msg, bool& handled);

  // Fired when the page takes the focus.
  TNotifyEvent OnFocusTaken;

  TShowContextMenuEvent OnShowContextMenu;
  TGetHostInfoEvent OnGetHostInfo;
  TShowUIEvent OnShowUI;
  THideUIEvent OnHideUI;
  TUpdateUIEvent OnUpdateUI;
  TEnableModelessEvent OnEnableModeless;
  TOnDocWindowActivateEvent OnOnDocWindowActivate;
  TOnFrameWindowActivateEvent OnOnFrameWindowActivate;
  TResizeBorderEvent OnResizeBorder;
  TTranslateAcceleratorEvent OnTranslateAccelerator;
  TGetOptionKeyPathEvent OnGetOptionKeyPath;
  TGetDropTargetEvent OnGetDropTarget;
  TGetExternalEvent OnGetExternal;
  TTranslateUrlEvent OnTranslateUrl;
  TFilterDataObjectEvent OnFilterDataObject;
  TShowMessageEvent OnShowMessage;
  TShowHelpEvent OnShowHelp;
  TGetTypeInFoCountEvent OnGetTypeInfoCount;
  TGetTypeInfoEvent OnGetTypeInfo;
  TGetIDsOfNamesEvent OnGetIDsOfNames;
  TInvokeEvent OnInvoke;

protected:
  void WndProc(TMessage& msg) override;
  void UIActivated() override;
  // Runs the page's UI-activate verb on the control's client rectangle;
  // returns the verb's result.
  virtual HRESULT UIActivate(MSG* msg);

private:
  friend class TEmbeddedHost;
  void LoadText(std::unique_ptr<TBrowserText> text);
  bool WaitReady();
  // The document's IPersistStreamInit (a new reference), or EBrowserEngine.
  IPersistStreamInit* DocumentStream();

  TDlOptions FDownloadOptions = kDefaultDlOptions;
  std::string FHelpFile, FPrintHeader, FPrintFooter;
  TEmbeddedHost* FHost = nullptr;
  TAppEvents* FAppEvents = nullptr;
  bool FOleInitialized = false;
  // Cleared when the browser goes, for a wait that outlives it.
  std::shared_ptr<bool> FAlive;
};
