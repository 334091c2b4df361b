// The narrow socket interface the FTP components run over. One instance
// serves one TMSocket: it stands for that socket's hidden window, so the
// asynchronous notifications, the timer and the posted messages of the
// socket all arrive through the sink given at creation, on the owning thread.
// The Win32 half implements it with wsock32; tests implement it with a
// scripted network and a fake clock.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

using TSocketHandle = intptr_t;
inline constexpr TSocketHandle InvalidSocket = -1;

// Socket events (the asynchronous-select bits).
enum : unsigned { sfRead = 1, sfWrite = 2, sfAccept = 8, sfConnect = 16, sfClose = 32 };

// Messages of the hidden window.
enum : unsigned {
  kMsgLookupDone = 0x400, kMsgSocketEvent = 0x401, kMsgDisconnected = 0x402, kMsgReady = 0x404
};

// The Windows Sockets codes the components look at.
enum : int {
  wsaEWouldBlock = 10035, wsaENotSock = 10038, wsaEInval = 10022, wsaEConnRefused = 10061,
  wsaENotConn = 10057, wsaETimedOut = 10060, wsaEConnReset = 10054, wsaENoBufs = 10055
};

// An IPv4 address and port, both in host order (a.b.c.d is a<<24|b<<16|c<<8|d).
struct TSockAddr {
  uint32_t Addr = 0;
  uint16_t Port = 0;
};

class TSocketSink {
public:
  virtual ~TSocketSink() = default;
  // 0x400: `address` holds the raw bytes of the first address found.
  virtual void LookupDone(uintptr_t lookup, int error, std::string_view address) = 0;
  // 0x401.
  virtual void SocketEvent(TSocketHandle socket, unsigned event, int error) = 0;
  virtual void TimerTick(unsigned id) = 0;
  // Messages posted with Post (0x402, 0x404, and anything above 0x401).
  virtual void Posted(unsigned msg) = 0;
};

struct TSocketInfo {
  std::string Description, SystemStatus;
  int MaxSockets = 0;
};

class TSocketApi {
public:
  virtual ~TSocketApi() = default;
  virtual TSocketInfo Info() = 0;
  // Each returns 0 or the Windows Sockets error code.
  virtual int Create(TSocketHandle& socket) = 0;
  virtual int Close(TSocketHandle socket) = 0;
  virtual int Select(TSocketHandle socket, unsigned events) = 0;
  virtual int Connect(TSocketHandle socket, const TSockAddr& to) = 0;
  virtual int Bind(TSocketHandle socket, const TSockAddr& at) = 0;
  virtual int Listen(TSocketHandle socket, int backlog) = 0;
  virtual int Accept(TSocketHandle listener, TSocketHandle& socket, TSockAddr& peer) = 0;
  virtual int Send(TSocketHandle socket, const char* data, size_t size, size_t& sent) = 0;
  // got 0 with result 0: the peer closed.
  virtual int Recv(TSocketHandle socket, char* data, size_t size, size_t& got) = 0;
  virtual int LocalName(TSocketHandle socket, TSockAddr& at) = 0;
  virtual int PeerName(TSocketHandle socket, TSockAddr& at) = 0;
  // Starts an asynchronous host lookup; `lookup` is never 0 on success.
  virtual int Lookup(const std::string& host, uintptr_t& lookup) = 0;
  virtual void CancelLookup(uintptr_t lookup) = 0;
  virtual bool StartTimer(unsigned id, unsigned milliseconds) = 0;
  virtual void StopTimer(unsigned id) = 0;
  virtual void Post(unsigned msg) = 0;
  // Dispatches the thread's waiting messages; when none waits, sleeps until
  // one arrives or `maxWaitMs` pass.
  virtual void PumpMessages(unsigned maxWaitMs) = 0;
  virtual uint64_t TickCount() = 0;
};

using TSocketApiFactory = std::function<std::unique_ptr<TSocketApi>(TSocketSink& sink)>;
// The factory new sockets use when they are given none (the Win32 half
// installs wsock32's at program start).
void InstallSocketApiFactory(TSocketApiFactory factory);
const TSocketApiFactory& DefaultSocketApiFactory();

// "a.b.c.d" with four decimal numbers 0-255 and nothing else.
bool ParseDottedAddress(std::string_view text, uint32_t& addr);
std::string DottedAddress(uint32_t addr);
