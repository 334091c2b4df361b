// TMSocket. See FtpSocket.h.
#include "ftp/FtpSocket.h"

#include "platform/SysUtils.h"

#include <cstring>

namespace {
TSocketApiFactory& Factory() {
  static TSocketApiFactory factory;
  return factory;
}
constexpr unsigned kCountdownTimer = 1;
}  // namespace

void InstallSocketApiFactory(TSocketApiFactory factory) { Factory() = std::move(factory); }
const TSocketApiFactory& DefaultSocketApiFactory() { return Factory(); }

bool ParseDottedAddress(std::string_view text, uint32_t& addr) {
  uint32_t result = 0;
  size_t i = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (i >= text.size() || text[i] != '.') return false;
      ++i;
    }
    size_t start = i;
    unsigned value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - start < 3)
      value = value * 10 + (text[i++] - '0');
    if (i == start || value > 255) return false;
    result = result << 8 | value;
  }
  if (i != text.size()) return false;
  addr = result;
  return true;
}

std::string DottedAddress(uint32_t addr) {
  return IntToStr(addr >> 24) + "." + IntToStr(addr >> 16 & 255) + "." +
         IntToStr(addr >> 8 & 255) + "." + IntToStr(addr & 255);
}

TMSocket::TMSocket(TComponent* owner, const TSocketApiFactory& factory) : TComponent(owner) {
  const TSocketApiFactory& make = factory ? factory : Factory();
  if (!make) throw EInvalidOperation("No socket implementation installed");
  FApi = make(*this);
  FInfo = FApi->Info();
}

TMSocket::~TMSocket() {
  // Whatever state we are in -- a lookup running, a countdown, a socket
  // open, even inside one of our own events -- nothing may arrive for us
  // after this.
  *FAlive = false;
  if (FLookup) FApi->CancelLookup(FLookup);
  FLookup = 0;
  if (FTimerRunning) FApi->StopTimer(kCountdownTimer);
  if (FSocket != InvalidSocket) FApi->Close(FSocket);
  FSocket = InvalidSocket;
}

void TMSocket::StartTimer(int seconds) {
  if (FTimerRunning) FApi->StopTimer(kCountdownTimer);
  FTimerRunning = false;
  if (seconds > 0) {
    FCountdown = seconds;
    FTimerRunning = FApi->StartTimer(kCountdownTimer, 1000);
  }
}

void TMSocket::CreateSocket() {
  if (FSocket != InvalidSocket) return;
  FLastError = FApi->Create(FSocket);
  if (FLastError) FSocket = InvalidSocket;
}

void TMSocket::RecreateSocket() {
  if (FSocket != InvalidSocket) FApi->Close(FSocket);
  FSocket = InvalidSocket;
  FConnected = false;
  CreateSocket();
}

void TMSocket::Resolve(const std::string& name) {
  if (FLookup) return;
  uintptr_t lookup = 0;
  FLastError = FApi->Lookup(name, lookup);
  if (FLastError == 0) {
    FLookup = lookup;
    StartTimer(FTimeOut);
  }
}

void TMSocket::SetIPAddress(const std::string& text) {
  uint32_t a = 0xFFFFFFFFu;  // what inet_addr answers for a bad text
  ParseDottedAddress(Trim(text), a);
  FAddress.Addr = a;
}

void TMSocket::Connect() {
  FLastError = FApi->Select(FSocket, sfRead | sfWrite | sfConnect | sfClose);
  if (FLastError == 0) FLastError = Filter(FApi->Connect(FSocket, FAddress));
  if (FLastError == 0) StartTimer(FTimeOut);
}

void TMSocket::Listen() {
  FLastError = FApi->Bind(FSocket, FAddress);
  if (FLastError) return;
  FLastError = FApi->Select(FSocket, sfAccept);
  if (FLastError == 0) FLastError = FApi->Listen(FSocket, 2);
}

void TMSocket::Accept(TMSocket& listener) {
  TSocketHandle s = InvalidSocket;
  TSockAddr peer;
  FLastError = FApi->Accept(listener.FSocket, s, peer);
  if (FLastError) return;
  if (FSocket != InvalidSocket) FApi->Close(FSocket);
  FSocket = s;
  FAddress = peer;
  FConnected = true;
  FLastError = FApi->Select(FSocket, sfRead | sfWrite | sfClose);
}

void TMSocket::Close() {
  if (FLookup) FApi->CancelLookup(FLookup);
  FLookup = 0;
  StartTimer(0);
  if (FSocket == InvalidSocket) return;
  FApi->Select(FSocket, sfRead | sfWrite | sfClose);
  FLastError = FApi->Close(FSocket);
  FSocket = InvalidSocket;
  FConnected = false;
  if (OnDisconnect) OnDisconnect(this);
}

size_t TMSocket::Send(const char* data, size_t size) {
  size_t sent = 0;
  int e = FSocket == InvalidSocket ? wsaENotSock : FApi->Send(FSocket, data, size, sent);
  if (e) {
    FLastError = Filter(e);
    return 0;
  }
  if (sent > 0) FLastError = 0;
  return sent;
}

size_t TMSocket::Recv(char* data, size_t size) {
  size_t got = 0;
  int e = FSocket == InvalidSocket ? wsaENotSock : FApi->Recv(FSocket, data, size, got);
  if (e) {
    FLastError = Filter(e);
    return 0;
  }
  if (got > 0) FLastError = 0;
  return got;
}

std::string TMSocket::GetLocalIP() {
  if (FSocket == InvalidSocket) return std::string();
  TSockAddr at;
  FLastError = FApi->LocalName(FSocket, at);
  return FLastError ? std::string() : DottedAddress(at.Addr);
}

uint16_t TMSocket::GetLocalPort() {
  if (FSocket == InvalidSocket) return 0;
  TSockAddr at;
  return FApi->LocalName(FSocket, at) == 0 ? at.Port : 0;
}

uint32_t TMSocket::GetPeerAddr() {
  if (FSocket == InvalidSocket) return 0;
  TSockAddr at;
  return FApi->PeerName(FSocket, at) == 0 ? at.Addr : 0;
}

void TMSocket::SetServer(const std::string& value) {
  FServer = Trim(value);
  if (FServer.empty()) return;
  uint32_t a;
  if (ParseDottedAddress(FServer, a)) {
    FIP = FServer;
    FHost.clear();
  } else {
    FHost = FServer;
    FIP.clear();
  }
}

void TMSocket::HostResolved() {
  if (OnLookupDone) OnLookupDone(this);
}

void TMSocket::LookupDone(uintptr_t lookup, int error, std::string_view address) {
  if (lookup == 0 || lookup != FLookup) return;  // a lookup we cancelled or never started
  StartTimer(0);
  FLookup = 0;
  FLastError = error;
  if (error == 0) {
    // Only an IPv4 address will do for an IPv4 socket.
    if (address.size() != 4) {
      FLastError = 11004;
    } else {
      const auto* b = reinterpret_cast<const unsigned char*>(address.data());
      FResolved = uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3];
    }
  }
  HostResolved();
}

void TMSocket::DropHandle() {
  if (FSocket != InvalidSocket) FApi->Close(FSocket);
  FSocket = InvalidSocket;
  FConnected = false;
}

void TMSocket::SocketEvent(TSocketHandle socket, unsigned event, int error) {
  // A notification queued for a socket we have closed since.
  if (socket == InvalidSocket || socket != FSocket) return;
  FLastError = error;
  switch (event) {
    case sfRead: {
      auto alive = FAlive;
      if (OnRead) OnRead(this);
      if (*alive) StartTimer(0);
      break;
    }
    case sfWrite:
      if (OnWrite) OnWrite(this);
      break;
    case sfAccept:
      if (OnAccept) OnAccept(this);
      break;
    case sfConnect:
      FConnected = error == 0;
      StartTimer(0);
      if (OnConnect) OnConnect(this);
      break;
    case sfClose: {
      // What arrived before the close is still waiting to be read: drain it
      // first, then let the handle go (also one whose connection never came
      // up).
      if (OnRead) {
        auto alive = FAlive;
        OnRead(this);
        if (!*alive || FSocket != socket) return;
        FLastError = error;
      }
      DropHandle();
      if (OnDisconnect) OnDisconnect(this);
      break;
    }
    default:
      break;
  }
}

void TMSocket::TimerTick(unsigned id) {
  if (id != kCountdownTimer) {
    OtherTimer(id);
    return;
  }
  if (!FTimerRunning) return;
  if (--FCountdown > 0) return;
  StartTimer(0);
  if (OnTimeOut)
    OnTimeOut(this);
  else
    Close();
}

void TMSocket::Posted(unsigned msg) {
  if (msg > kMsgSocketEvent && OnMessage) OnMessage(msg);
}
