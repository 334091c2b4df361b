// TMSocket: one IPv4 stream socket in the message-driven style. Socket
// events, host lookups and a one-second countdown arrive as messages of the
// socket's own hidden window and become events. Nothing blocks.
#pragma once

#include "ftp/SocketApi.h"
#include "platform/Classes.h"

#include <memory>

class TMSocket : public TComponent, protected TSocketSink {
public:
  explicit TMSocket(TComponent* owner, const TSocketApiFactory& factory = {});
  ~TMSocket() override;

  // Messages above 0x401 go here and nowhere else.
  std::function<void(unsigned msg)> OnMessage;
  TNotifyEvent OnLookupDone, OnConnect, OnDisconnect, OnTimeOut, OnRead, OnWrite, OnAccept;

  void StartTimer(int seconds);
  void CreateSocket();
  void RecreateSocket();
  std::string GetIPText() const { return DottedAddress(FAddress.Addr); }
  void Resolve(const std::string& name);
  void UseResolvedAddress() { FAddress.Addr = FResolved; }
  void SetIPAddress(const std::string& text);
  void SetPortNumber(uint16_t port) { FAddress.Port = port; }
  void SetAddress(const TSockAddr& a) { FAddress = a; }
  const TSockAddr& GetAddress() const { return FAddress; }
  void Connect();
  void Listen();
  // Takes the next waiting connection of `listener`; the peer's address is
  // left in this socket's address.
  void Accept(TMSocket& listener);
  void Close();
  size_t Send(const char* data, size_t size);
  size_t Recv(char* data, size_t size);
  std::string GetLocalIP();
  uint16_t GetLocalPort();
  // The peer of a connected socket (0 when unknown).
  uint32_t GetPeerAddr();

  bool GetConnected() const { return FConnected; }
  TSocketHandle GetHandle() const { return FSocket; }
  int GetLastError() const { return FLastError; }
  void SetLastError(int e) { FLastError = e; }
  bool ReportWouldBlock = false;
  int GetTimeOut() const { return FTimeOut; }
  void SetTimeOut(int seconds) { FTimeOut = seconds; }
  bool LookupRunning() const { return FLookup != 0; }

  const std::string& GetServer() const { return FServer; }
  // A value that parses fully as a dotted address is an IP, anything else a
  // host name ("3com.example" is a name).
  void SetServer(const std::string& value);
  const std::string& GetIP() const { return FIP; }
  void SetIP(const std::string& ip) { FIP = ip; }
  const std::string& GetHost() const { return FHost; }
  uint16_t GetPort() const { return FPort; }
  void SetPort(uint16_t port) { FPort = port; }
  const TSocketInfo& GetInfo() const { return FInfo; }

protected:
  virtual void HostResolved();
  TSocketApi& Api() { return *FApi; }
  // Set to false when the socket goes, so code that fired an event can tell
  // whether the handler destroyed it.
  std::shared_ptr<bool> AliveToken() const { return FAlive; }

  void LookupDone(uintptr_t lookup, int error, std::string_view address) override;
  void SocketEvent(TSocketHandle socket, unsigned event, int error) override;
  void TimerTick(unsigned id) override;
  void Posted(unsigned msg) override;
  // Timers other than the countdown (id 1) go to the derived class.
  virtual void OtherTimer(unsigned id) {}

private:
  int Filter(int error) const {
    return error == wsaEWouldBlock && !ReportWouldBlock ? 0 : error;
  }
  void DropHandle();

  std::unique_ptr<TSocketApi> FApi;
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
  TSocketHandle FSocket = InvalidSocket;
  TSockAddr FAddress;
  bool FConnected = false;
  TSocketInfo FInfo;
  uint32_t FResolved = 0;
  uintptr_t FLookup = 0;
  int FTimeOut = 20;
  int FCountdown = 0;
  bool FTimerRunning = false;
  std::string FIP, FHost, FServer;
  uint16_t FPort = 0;
  int FLastError = 0;
};
