// The rich-text control's embedded objects: the callback the control asks
// for storage, for leave to insert an object, for an in-place frame and for
// the context menu of a selected object.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <richole.h>

#include <string>
#include <vector>

// What the callback needs to know of its control, asked anew on every call
// so that a property changed after the window was made counts at once.
class IRichOleHost {
public:
  virtual bool OleAllowObjects() const = 0;
  virtual bool OleAllowInPlace() const = 0;
  virtual bool OleAutoVerbMenu() const = 0;
  virtual HWND OleWindow() const = 0;
  virtual std::string OleContainerName() const = 0;
  // The object selected in the control, with a reference for the caller;
  // null when none.
  virtual IOleObject* OleSelectedObject() const = 0;
  // Where the context menu was asked for, in screen coordinates.
  virtual POINT OleMenuPoint() const = 0;

protected:
  ~IRichOleHost() = default;
};

// "title - application title", or the application title alone when the
// title holds only blanks.
std::string RichContainerName(const std::string& title, const std::string& appTitle);

// Commands of the verb menu: a verb's index in the menu from the first id,
// then the properties item.
constexpr UINT RichVerbCommandFirst = 0x7F00;
constexpr UINT RichVerbCommandLast = 0x7FFE;
constexpr UINT RichObjectPropertiesCommand = 0x7FFF;

class TRichEditOleCallback final : public IRichEditOleCallback {
public:
  explicit TRichEditOleCallback(IRichOleHost* host) : FHost(host) {}
  // The control's window goes: no more questions to it.
  void Detach() { FHost = nullptr; }

  // The menu for a selected object: its container-menu verbs in the
  // server's order and groups, then a separator and the properties item.
  // Fills verbs with the verb number of each verb item, by command id.
  static HMENU BuildVerbMenu(IOleObject* object, std::vector<LONG>& verbs);

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IRichEditOleCallback. GetContextMenu shows the verb menu itself and
  // does the item chosen, handing the control no menu: controls send their
  // menu's commands to their parent (Wine's does), which is not ours.
  STDMETHODIMP GetNewStorage(LPSTORAGE* storage) override;
  STDMETHODIMP GetInPlaceContext(LPOLEINPLACEFRAME* frame, LPOLEINPLACEUIWINDOW* doc,
                                 LPOLEINPLACEFRAMEINFO frameInfo) override;
  STDMETHODIMP ShowContainerUI(BOOL show) override;
  STDMETHODIMP QueryInsertObject(LPCLSID clsid, LPSTORAGE storage, LONG cp) override;
  STDMETHODIMP DeleteObject(LPOLEOBJECT object) override;
  STDMETHODIMP QueryAcceptData(LPDATAOBJECT data, CLIPFORMAT* format, DWORD reco, BOOL really,
                               HGLOBAL metaPict) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;
  STDMETHODIMP GetClipboardData(CHARRANGE* range, DWORD reco, LPDATAOBJECT* data) override;
  STDMETHODIMP GetDragDropEffect(BOOL drag, DWORD keyState, LPDWORD effect) override;
  STDMETHODIMP GetContextMenu(WORD selType, LPOLEOBJECT object, CHARRANGE* range, HMENU* menu) override;

private:
  ~TRichEditOleCallback() = default;
  // Does the verb of a menu item, or shows the object's properties.
  void Command(IOleObject* object, const std::vector<LONG>& verbs, UINT id);
  LONG FRefs = 1;
  IRichOleHost* FHost;
};
