// TAppEvents and the application event list that dispatches to them.
#include "kit/win/AppEvent.h"

#include "platform/win/GdiCanvas.h"
#include "platform/win/WinHandles.h"

#include <algorithm>
#include <memory>
#include <vector>

// Every application event that the list takes over (OnPaintIcon is served
// through the application window's hook instead).
#define TQ_APP_EVENTS(X)                   \
  X(OnActionExecute, TActionEvent)         \
  X(OnActionUpdate, TActionEvent)          \
  X(OnShortCut, TShortCutEvent)            \
  X(OnActivate, TNotifyEvent)              \
  X(OnDeactivate, TNotifyEvent)            \
  X(OnException, TExceptionEvent)          \
  X(OnIdle, TIdleEvent)                    \
  X(OnHelp, THelpEvent)                    \
  X(OnHint, TNotifyEvent)                  \
  X(OnMessage, TMessageEvent)              \
  X(OnMinimize, TNotifyEvent)              \
  X(OnRestore, TNotifyEvent)               \
  X(OnShowHint, TShowHintEvent)            \
  X(OnSettingsChanged, TNotifyEvent)       \
  X(OnActiveControlChange, TNotifyEvent)   \
  X(OnActiveFormChange, TNotifyEvent)

namespace {

enum TEventId {
#define X(name, type) ev##name,
  TQ_APP_EVENTS(X)
#undef X
};

// The application's own handlers as they were before the first instance.
struct TSavedHandlers {
#define X(name, type) type name;
  TQ_APP_EVENTS(X)
#undef X
};

template <TEventId Id>
struct TEventTraits;
#define X(name, type)                                                     \
  template <>                                                             \
  struct TEventTraits<ev##name> {                                         \
    using Type = type;                                                    \
    static constexpr Type TAppEvents::*Instance = &TAppEvents::name;      \
    static constexpr Type TApplication::*App = &TApplication::name;       \
    static constexpr Type TSavedHandlers::*Saved = &TSavedHandlers::name; \
  };
TQ_APP_EVENTS(X)
#undef X

constexpr bool StopsWhenHandled(TEventId id) {
  return id == evOnMessage || id == evOnShortCut || id == evOnActionExecute || id == evOnActionUpdate;
}

template <class A, class B>
bool SecondFlag(A&, B& b) {
  return b;
}

class TAppEventList;

// What the application holds in place of its own handler while the list is
// there. It keeps the list alive, so a copy that someone saved and puts back
// later still works (then calling the saved handler alone).
template <TEventId Id>
struct TDispatcher {
  std::shared_ptr<TAppEventList> List;
  template <class... A>
  auto operator()(A&&... args) const;
};

class TAppEventList : public std::enable_shared_from_this<TAppEventList> {
public:
  std::vector<TAppEvents*> Instances;  // creation order
  TSavedHandlers Saved;
  int HookId = 0;
  bool Installed = false;

  bool Contains(TAppEvents* e) const {
    return std::find(Instances.begin(), Instances.end(), e) != Instances.end();
  }

  template <TEventId Id, class... A>
  auto Dispatch(A&... args) {
    using T = TEventTraits<Id>;
    constexpr bool returnsBool = Id == evOnHelp;
    bool result = false;
    std::vector<TAppEvents*> snapshot = Instances;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
      TAppEvents* e = *it;
      if (!Contains(e)) continue;  // removed by an earlier handler
      typename T::Type handler = e->*T::Instance;
      if (handler) {
        if constexpr (returnsBool)
          result = handler(args...);
        else
          handler(args...);
      }
      if (Contains(e) && !e->GetChained()) {
        if constexpr (returnsBool) return result;
        else return;
      }
      if constexpr (StopsWhenHandled(Id)) {
        if (SecondFlag(args...)) return;
      }
    }
    typename T::Type saved = Saved.*T::Saved;
    if (saved) {
      if constexpr (returnsBool)
        result = saved(args...);
      else
        saved(args...);
    }
    if constexpr (returnsBool) return result;
  }

  template <TEventId Id>
  void Take(TApplication* app) {
    using T = TEventTraits<Id>;
    Saved.*T::Saved = std::move(app->*T::App);
    app->*T::App = TDispatcher<Id>{shared_from_this()};
  }

  template <TEventId Id>
  void GiveBack(TApplication* app) {
    using T = TEventTraits<Id>;
    // Only where our dispatcher is still in place: a handler someone put
    // there meanwhile stays (and forwards to ours when it goes).
    if ((app->*T::App).template target<TDispatcher<Id>>()) app->*T::App = Saved.*T::Saved;
  }

  void Install(TApplication* app) {
#define X(name, type) Take<ev##name>(app);
    TQ_APP_EVENTS(X)
#undef X
    std::weak_ptr<TAppEventList> weak = weak_from_this();
    HookId = app->HookMainWindow([weak](TMessage& msg) {
      auto list = weak.lock();
      return list && list->MainWindowHook(msg);
    });
    Installed = true;
  }

  void Uninstall(TApplication* app) {
    if (!Installed) return;
    Installed = false;
    app->UnhookMainWindow(HookId);
#define X(name, type) GiveBack<ev##name>(app);
    TQ_APP_EVENTS(X)
#undef X
  }

  // WM_PAINT while minimized, when an instance paints the icon.
  bool MainWindowHook(TMessage& msg) {
    if (msg.Msg != WM_PAINT || !Application || !Application->IsMinimized()) return false;
    bool any = false;
    for (TAppEvents* e : Instances) any = any || bool(e->OnPaintIcon);
    if (!any) return false;
    HWND wnd = Application->GetHandle();
    TPaintDC dc(wnd);
    TCanvas canvas(dc.Get());
    RECT r{};
    ::GetClientRect(wnd, &r);
    canvas.SetBrushColor(clWindow);
    canvas.FillRect(TRect(r.left, r.top, r.right, r.bottom));
    TObject* sender = Application;
    std::vector<TAppEvents*> snapshot = Instances;
    for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
      TAppEvents* e = *it;
      if (!Contains(e)) continue;
      TPaintIconEvent handler = e->OnPaintIcon;
      if (handler) handler(sender, canvas);
      if (Contains(e) && !e->GetChained()) return true;
    }
    if (Application->OnPaintIcon) Application->OnPaintIcon(sender, canvas);
    msg.Result = 0;
    return true;
  }
};

template <TEventId Id>
template <class... A>
auto TDispatcher<Id>::operator()(A&&... args) const {
  return List->template Dispatch<Id>(args...);
}

std::shared_ptr<TAppEventList>& EventList() {
  static std::shared_ptr<TAppEventList> list;
  return list;
}

}  // namespace

TAppEvents::TAppEvents(TComponent* owner) : TComponent(owner) {
  if (GetComponentState().Contains(csDesigning) || !Application) return;
  auto& list = EventList();
  if (!list) list = std::make_shared<TAppEventList>();
  if (!list->Installed) list->Install(Application);
  list->Instances.push_back(this);
  FListed = true;
}

TAppEvents::~TAppEvents() {
  if (!FListed) return;
  auto& list = EventList();
  if (!list) return;
  auto& v = list->Instances;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  if (v.empty()) {
    if (Application) list->Uninstall(Application);
    // Dispatchers still held somewhere keep the old list; the next first
    // instance starts a new one.
    list.reset();
  }
}

void TAppEvents::Loaded() {
  TComponent::Loaded();
  if (GetComponentState().Contains(csDesigning) || !Application) return;
  Application->SetHintColor(FHintColor);
  Application->SetHintPause(FHintPause);
  Application->SetHintShortPause(FHintShortPause);
  Application->SetHintHidePause(FHintHidePause);
  Application->SetShowHint(FShowHint);
  Application->SetShowMainForm(FShowMainForm);
  Application->SetUpdateFormatSettings(FUpdateFormatSettings);
  Application->SetUpdateMetricSettings(FUpdateMetricSettings);
  Application->SetHintShortCuts(FHintShortCuts);
  Application->SetBiDiMode(FBiDiMode);
  Application->SetBiDiKeyboard(FBiDiKeyboard);
  Application->SetNonBiDiKeyboard(FNonBiDiKeyboard);
  Application->SetMouseDragImmediate(FMouseDragImmediate);
  Application->SetMouseDragThreshold(FMouseDragThreshold);
}
