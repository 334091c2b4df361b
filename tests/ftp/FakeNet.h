// A scripted network for the FTP components' tests: sockets, host lookups,
// timers and posted messages over a fake clock, and servers written as
// callbacks. Everything runs on the test's thread; time only moves when the
// client waits (PumpMessages) or the test runs the loop.
#pragma once

#include "ftp/SocketApi.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class FakeNet;
class FakeApi;

// The server side of one connection.
class FakeConn {
public:
  void Send(const std::string& bytes);
  void Reply(const std::string& line) { Send(line + "\r\n"); }
  // error 0: an orderly close (FIN); else the error the client's FD_CLOSE
  // carries (10054 for a reset).
  void Close(int error = 0);
  bool ClientClosed() const { return FClientClosed; }
  TSockAddr Peer, Local;
  std::function<void(FakeConn&, const std::string& line)> OnLine;
  std::function<void(FakeConn&)> OnClientClose;

private:
  friend class FakeNet;
  friend class FakeApi;
  FakeNet* FNet = nullptr;
  TSocketHandle FClient = InvalidSocket;
  std::string FIn;
  bool FClosed = false, FClientClosed = false;
};

class FakeNet {
public:
  uint64_t Now = 0;
  std::map<std::string, std::string> Hosts;  // name -> raw address bytes

  // A server socket: onConnect gets each new connection.
  void Serve(uint32_t addr, uint16_t port, std::function<void(FakeConn&)> onConnect);
  void StopServing(uint32_t addr, uint16_t port);
  // Addresses that swallow connection attempts (no answer at all).
  std::vector<uint32_t> BlackHoles;
  // Connects from `from` to a client socket listening at `to`; false when
  // nobody listens there.
  bool ConnectToClient(const TSockAddr& to, uint32_t from, std::function<void(FakeConn&)> onConnect);
  // Connection attempts seen per address (to check a reply sent us nowhere).
  std::map<uint32_t, int> Attempts;

  // Runs queued deliveries and timers in time order until `done` holds or
  // `limitMs` of fake time pass. True when `done` held.
  bool RunUntil(const std::function<bool()>& done, uint64_t limitMs = 600000);
  void Pump(unsigned maxWaitMs);
  size_t LiveSockets() const;
  size_t LiveTimers() const;

  std::unique_ptr<TSocketApi> MakeApi(TSocketSink& sink);
  TSocketApiFactory Factory() {
    return [this](TSocketSink& sink) { return MakeApi(sink); };
  }

private:
  friend class FakeApi;
  friend class FakeConn;
  struct Endpoint {
    FakeApi* Owner = nullptr;
    unsigned Events = 0;
    TSockAddr Local, Peer;
    bool Listening = false, Connected = false, PeerClosed = false, ReadPending = false;
    std::string Rx;
    std::shared_ptr<FakeConn> Conn;
    std::deque<std::shared_ptr<FakeConn>> Backlog;
  };
public:
  // Runs `fn` at fake time `when`.
  void At(uint64_t when, std::function<void()> fn);

private:
  struct Timer {
    FakeApi* Owner;
    unsigned Id;
    unsigned Period;
    uint64_t Due;
  };
  bool Step(uint64_t limit);
  void Deliver(TSocketHandle h, unsigned event, int error);
  void ClientSent(FakeConn& conn, const std::string& data);

  std::multimap<std::pair<uint64_t, uint64_t>, std::function<void()>> FQueue;
  uint64_t FSeq = 0;
  std::map<TSocketHandle, Endpoint> FEndpoints;
  std::map<uint64_t, std::function<void(FakeConn&)>> FServers;
  std::vector<std::shared_ptr<FakeConn>> FConns;
  std::vector<Timer> FTimers;
  TSocketHandle FNextHandle = 100;
  uint16_t FNextPort = 40000;
  uintptr_t FNextLookup = 1;
};

inline uint32_t Ip(unsigned a, unsigned b, unsigned c, unsigned d) {
  return a << 24 | b << 16 | c << 8 | d;
}
