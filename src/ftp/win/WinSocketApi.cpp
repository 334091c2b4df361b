// wsock32 behind TSocketApi: WSAAsyncSelect and WSAAsyncGetHostByName post
// 0x401 and 0x400 to the socket's hidden window, SetTimer ticks arrive there
// as WM_TIMER, and our own messages (0x402, 0x404) are posted to it.
#include "ftp/win/FtpWin.h"

#include "ftp/FtpMisc.h"
#include "platform/win/UtilWindow.h"

#include <winsock.h>
#include <shellapi.h>

#include <vector>

namespace {

// A socket destroyed from inside one of its own window's messages cannot
// destroy that window there: the window waits here, deaf, until the outermost
// message of any socket window has returned.
int gDispatchDepth = 0;
std::vector<std::unique_ptr<TUtilityWindow>>& Graveyard() {
  static std::vector<std::unique_ptr<TUtilityWindow>> windows;
  return windows;
}

TSockAddr FromSockaddr(const sockaddr_in& a) {
  return {ntohl(a.sin_addr.s_addr), ntohs(a.sin_port)};
}

sockaddr_in ToSockaddr(const TSockAddr& a) {
  sockaddr_in s{};
  s.sin_family = AF_INET;
  s.sin_port = htons(a.Port);
  s.sin_addr.s_addr = htonl(a.Addr);
  return s;
}

class TWinSocketApi : public TSocketApi {
public:
  explicit TWinSocketApi(TSocketSink& sink) : FSink(&sink) {
    FStarted = ::WSAStartup(MAKEWORD(2, 0), &FData) == 0;
    FWindow = std::make_unique<TUtilityWindow>([this](TMessage& m) { return Handle(m); });
  }
  ~TWinSocketApi() override {
    FSink = nullptr;
    for (UINT_PTR id : FTimers) ::KillTimer(FWindow->Handle(), id);
    if (FStarted) ::WSACleanup();
    if (gDispatchDepth > 0) {
      // Messages still queued for the window find no one.
      Graveyard().push_back(std::move(FWindow));
    }
  }

  TSocketInfo Info() override {
    TSocketInfo info;
    if (FStarted) {
      info.Description = FData.szDescription;
      info.SystemStatus = FData.szSystemStatus;
      info.MaxSockets = FData.iMaxSockets;
    }
    return info;
  }
  int Create(TSocketHandle& s) override {
    SOCKET h = ::socket(AF_INET, SOCK_STREAM, 0);
    if (h == INVALID_SOCKET) return ::WSAGetLastError();
    s = static_cast<TSocketHandle>(h);
    return 0;
  }
  int Close(TSocketHandle s) override {
    // Nothing more is to be posted for this handle.
    ::WSAAsyncSelect(static_cast<SOCKET>(s), FWindow->Handle(), 0, 0);
    return ::closesocket(static_cast<SOCKET>(s)) == 0 ? 0 : ::WSAGetLastError();
  }
  int Select(TSocketHandle s, unsigned events) override {
    return ::WSAAsyncSelect(static_cast<SOCKET>(s), FWindow->Handle(), kMsgSocketEvent, events) == 0
               ? 0 : ::WSAGetLastError();
  }
  int Connect(TSocketHandle s, const TSockAddr& to) override {
    sockaddr_in a = ToSockaddr(to);
    return ::connect(static_cast<SOCKET>(s), reinterpret_cast<sockaddr*>(&a), sizeof a) == 0
               ? 0 : ::WSAGetLastError();
  }
  int Bind(TSocketHandle s, const TSockAddr& at) override {
    sockaddr_in a = ToSockaddr(at);
    return ::bind(static_cast<SOCKET>(s), reinterpret_cast<sockaddr*>(&a), sizeof a) == 0
               ? 0 : ::WSAGetLastError();
  }
  int Listen(TSocketHandle s, int backlog) override {
    return ::listen(static_cast<SOCKET>(s), backlog) == 0 ? 0 : ::WSAGetLastError();
  }
  int Accept(TSocketHandle listener, TSocketHandle& s, TSockAddr& peer) override {
    sockaddr_in a{};
    int len = sizeof a;
    SOCKET h = ::accept(static_cast<SOCKET>(listener), reinterpret_cast<sockaddr*>(&a), &len);
    if (h == INVALID_SOCKET) return ::WSAGetLastError();
    s = static_cast<TSocketHandle>(h);
    peer = FromSockaddr(a);
    return 0;
  }
  int Send(TSocketHandle s, const char* data, size_t size, size_t& sent) override {
    int n = ::send(static_cast<SOCKET>(s), data, static_cast<int>(size), 0);
    if (n == SOCKET_ERROR) return ::WSAGetLastError();
    sent = static_cast<size_t>(n);
    return 0;
  }
  int Recv(TSocketHandle s, char* data, size_t size, size_t& got) override {
    int n = ::recv(static_cast<SOCKET>(s), data, static_cast<int>(size), 0);
    if (n == SOCKET_ERROR) return ::WSAGetLastError();
    got = static_cast<size_t>(n);
    return 0;
  }
  int LocalName(TSocketHandle s, TSockAddr& at) override { return NameOf(&::getsockname, s, at); }
  int PeerName(TSocketHandle s, TSockAddr& at) override { return NameOf(&::getpeername, s, at); }
  int Lookup(const std::string& host, uintptr_t& lookup) override {
    FHostName = host;
    HANDLE h = ::WSAAsyncGetHostByName(FWindow->Handle(), kMsgLookupDone, FHostName.c_str(),
                                       FHostBuffer, sizeof FHostBuffer);
    if (!h) return ::WSAGetLastError();
    lookup = reinterpret_cast<uintptr_t>(h);
    return 0;
  }
  void CancelLookup(uintptr_t lookup) override {
    ::WSACancelAsyncRequest(reinterpret_cast<HANDLE>(lookup));
  }
  bool StartTimer(unsigned id, unsigned ms) override {
    if (!::SetTimer(FWindow->Handle(), id, ms, nullptr)) return false;
    FTimers.push_back(id);
    return true;
  }
  void StopTimer(unsigned id) override {
    ::KillTimer(FWindow->Handle(), id);
    std::erase(FTimers, static_cast<UINT_PTR>(id));
  }
  void Post(unsigned msg) override { ::PostMessageA(FWindow->Handle(), msg, 0, 0); }
  void PumpMessages(unsigned maxWaitMs) override {
    MSG m;
    if (!::PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE))
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, maxWaitMs, QS_ALLINPUT);
    while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (m.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(m.wParam));  // for the loop that owns the thread
        return;
      }
      ::TranslateMessage(&m);
      ::DispatchMessageA(&m);
    }
  }
  uint64_t TickCount() override { return ::GetTickCount64(); }

private:
  template <class Query> static int NameOf(Query query, TSocketHandle s, TSockAddr& at) {
    sockaddr_in a{};
    int len = sizeof a;
    if (query(static_cast<SOCKET>(s), reinterpret_cast<sockaddr*>(&a), &len) != 0)
      return ::WSAGetLastError();
    at = FromSockaddr(a);
    return 0;
  }
  bool Handle(TMessage& m) {
    if (!FSink) return false;
    ++gDispatchDepth;
    bool handled = Dispatch(m);
    if (--gDispatchDepth == 0) Graveyard().clear();
    return handled;
  }
  // `this` may be gone when a sink call returns: nothing here touches it after one.
  bool Dispatch(TMessage& m) {
    TSocketSink* sink = FSink;
    switch (m.Msg) {
      case WM_QUERYENDSESSION:
        m.Result = 1;
        return true;
      case WM_TIMER:
        sink->TimerTick(static_cast<unsigned>(m.WParam));
        return true;
      case kMsgLookupDone: {
        int error = WSAGETASYNCERROR(m.LParam);
        std::string address;
        if (error == 0) {
          const hostent* h = reinterpret_cast<const hostent*>(FHostBuffer);
          if (h->h_addr_list && h->h_addr_list[0] && h->h_length > 0)
            address.assign(h->h_addr_list[0], static_cast<size_t>(h->h_length));
        }
        sink->LookupDone(static_cast<uintptr_t>(m.WParam), error, address);
        return true;
      }
      case kMsgSocketEvent:
        sink->SocketEvent(static_cast<TSocketHandle>(m.WParam), WSAGETSELECTEVENT(m.LParam),
                          WSAGETSELECTERROR(m.LParam));
        return true;
      default:
        if (m.Msg > kMsgSocketEvent && m.Msg < WM_USER + 0x100) {
          sink->Posted(m.Msg);
          return true;
        }
        return false;
    }
  }

  TSocketSink* FSink;
  WSADATA FData{};
  bool FStarted = false;
  std::unique_ptr<TUtilityWindow> FWindow;
  std::vector<UINT_PTR> FTimers;
  std::string FHostName;
  char FHostBuffer[MAXGETHOSTSTRUCT] = {};
};

std::string TrimPath(const char* p) {
  std::string s = p;
  while (!s.empty() && (s.back() == '\\' || s.back() == '/')) s.pop_back();
  return s;
}

}  // namespace

std::unique_ptr<TSocketApi> MakeWinSocketApi(TSocketSink& sink) {
  return std::make_unique<TWinSocketApi>(sink);
}

void InstallWinFtp() {
  InstallSocketApiFactory(&MakeWinSocketApi);
  TFtpSystem sys;
  // The listing's order is the program's one locale comparison, which the
  // portable default already uses.
  sys.FileTypeName = [](const std::string& name) {
    SHFILEINFOA info{};
    if (!::SHGetFileInfoA(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                          SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME))
      return std::string();
    return std::string(info.szTypeName);
  };
  sys.MarkHiddenSystem = [](const std::string& path) {
    DWORD a = ::GetFileAttributesA(path.c_str());
    if (a != INVALID_FILE_ATTRIBUTES)
      ::SetFileAttributesA(path.c_str(), a | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  };
  char buf[MAX_PATH + 1] = {};
  ::GetWindowsDirectoryA(buf, MAX_PATH);
  sys.WindowsDir = TrimPath(buf);
  ::GetTempPathA(MAX_PATH, buf);
  sys.TempDir = buf;
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof v;
  sys.IsNT = !::GetVersionExA(&v) || v.dwPlatformId == VER_PLATFORM_WIN32_NT;
  char sep[8] = {};
  if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, sep, sizeof sep) > 1) sys.ThousandSeparator = sep[0];
  InstallFtpSystem(sys);
}
