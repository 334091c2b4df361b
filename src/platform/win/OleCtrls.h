// TWebBrowser: the system's web-browser object in a control of ours. The
// control is its OLE container: a client site with the in-place site and
// frame, activated in place to fill the control's window, resized with it,
// and torn down in order when the window or the control goes. Derived
// controls answer the browser's host interfaces (user-interface handler,
// message and help display, ambient properties) through HostHandler().
// The site is reference-counted on its own and forgets the control when
// the control goes, so a late call from the browser finds nothing freed.
#pragma once

#include "platform/win/Controls.h"

#include <ole2.h>

#include <memory>
#include <string>

struct IWebBrowser2;

// The reference count of the small COM objects the program hands to the
// system: one count for all their interfaces, freed at zero.
template <class... TInterfaces>
class TComObject : public TInterfaces... {
public:
  STDMETHODIMP_(ULONG) AddRef() override { return ++FRefs; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG refs = --FRefs;
    if (refs == 0) delete this;
    return refs;
  }

protected:
  virtual ~TComObject() = default;

private:
  ULONG FRefs = 1;
};
class TWebBrowserSite;

TQ_DECLARE_EXCEPTION(EOleError, Exception)

class TWebBrowser : public TWinControl {
public:
  explicit TWebBrowser(TComponent* owner);
  ~TWebBrowser() override;

  // Raise EOleError when the browser object cannot be made.
  void Navigate(const std::string& url);
  // READYSTATE_*: 0 uninitialised ... 4 complete; 0 without a browser.
  int ReadyState();
  bool Busy();
  // The page's document object (a new reference, which the caller
  // releases); nullptr while there is none.
  IDispatch* Document();
  // The browser object, made on first use with the control's window.
  IWebBrowser2* Browser();
  // The browser's in-place object (no new reference); nullptr before.
  IOleInPlaceActiveObject* InPlaceActiveObject();
  IOleObject* OleObject() const { return FOleObject; }
  // The site the browser talks to: tests call its interfaces as the
  // browser would.
  IOleClientSite* ClientSite() const;

  // The object that answers the browser's host interfaces for a derived
  // control: the site hands every interface it does not implement itself
  // to it. None in the base.
  virtual IUnknown* HostHandler() { return nullptr; }

protected:
  // The page went UI-active (it took the focus).
  virtual void UIActivated() {}
  // Leaves the browser object in order; a derived control calls it before
  // it undoes what the object needs (the component library).
  void DestroyBrowser();
  void CreateWnd() override;
  void DestroyWnd() override;
  void BoundsChanged(bool sized) override;
  void WndProc(TMessage& msg) override;

private:
  friend class TWebBrowserSite;
  void CreateBrowser();
  RECT ClientRectangle();

  TWebBrowserSite* FSite = nullptr;
  IOleObject* FOleObject = nullptr;
  IWebBrowser2* FBrowser = nullptr;
  IOleInPlaceObject* FInPlaceObject = nullptr;
  IOleInPlaceActiveObject* FActiveObject = nullptr;
};
