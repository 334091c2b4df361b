#include "FakeNet.h"

#include <algorithm>

namespace {
uint64_t Key(uint32_t addr, uint16_t port) { return uint64_t(addr) << 16 | port; }
}  // namespace

class FakeApi : public TSocketApi {
public:
  FakeApi(FakeNet& net, TSocketSink& sink) : Net(net), Sink(sink) {}
  ~FakeApi() override {
    *Alive = false;
    for (auto& [h, ep] : Net.FEndpoints)
      if (ep.Owner == this) ep.Owner = nullptr;
    Net.FTimers.erase(std::remove_if(Net.FTimers.begin(), Net.FTimers.end(),
                                     [&](auto& t) { return t.Owner == this; }),
                      Net.FTimers.end());
  }
  TSocketInfo Info() override { return {"Fake Sockets 2.0", "Running", 100}; }
  int Create(TSocketHandle& s) override {
    s = Net.FNextHandle++;
    Net.FEndpoints[s].Owner = this;
    return 0;
  }
  FakeNet::Endpoint* Find(TSocketHandle s) {
    auto it = Net.FEndpoints.find(s);
    return it == Net.FEndpoints.end() ? nullptr : &it->second;
  }
  int Close(TSocketHandle s) override {
    FakeNet::Endpoint* ep = Find(s);
    if (!ep) return wsaENotSock;
    if (ep->Listening) Net.FServers.erase(Key(ep->Local.Addr, ep->Local.Port));
    if (auto conn = ep->Conn) {
      Net.At(Net.Now + 1, [conn] {
        if (conn->FClientClosed) return;
        conn->FClientClosed = true;
        if (conn->OnClientClose) conn->OnClientClose(*conn);
      });
    }
    Net.FEndpoints.erase(s);
    return 0;
  }
  int Select(TSocketHandle s, unsigned events) override {
    FakeNet::Endpoint* ep = Find(s);
    if (!ep) return wsaENotSock;
    ep->Events = events;
    return 0;
  }
  int Connect(TSocketHandle s, const TSockAddr& to) override {
    FakeNet::Endpoint* ep = Find(s);
    if (!ep) return wsaENotSock;
    Net.Attempts[to.Addr]++;
    if (std::find(Net.BlackHoles.begin(), Net.BlackHoles.end(), to.Addr) != Net.BlackHoles.end())
      return wsaEWouldBlock;
    auto it = Net.FServers.find(Key(to.Addr, to.Port));
    if (it == Net.FServers.end()) {
      Net.At(Net.Now + 2, [this, s, alive = Alive] {
        if (*alive) Sink.SocketEvent(s, sfConnect, wsaEConnRefused);
      });
      return wsaEWouldBlock;
    }
    auto conn = std::make_shared<FakeConn>();
    conn->FNet = &Net;
    conn->FClient = s;
    conn->Local = to;
    conn->Peer = {Ip(127, 0, 0, 1), Net.FNextPort++};
    ep->Conn = conn;
    ep->Peer = to;
    ep->Local = conn->Peer;
    ep->Connected = true;
    Net.FConns.push_back(conn);
    auto onConnect = it->second;
    Net.At(Net.Now + 2, [this, s, alive = Alive] {
      if (*alive) Sink.SocketEvent(s, sfConnect, 0);
    });
    Net.At(Net.Now + 3, [conn, onConnect] { onConnect(*conn); });
    return wsaEWouldBlock;
  }
  int Bind(TSocketHandle s, const TSockAddr& at) override {
    FakeNet::Endpoint* ep = Find(s);
    if (!ep) return wsaENotSock;
    ep->Local = at;
    if (ep->Local.Port == 0) ep->Local.Port = Net.FNextPort++;
    return 0;
  }
  int Listen(TSocketHandle s, int) override {
    FakeNet::Endpoint* ep = Find(s);
    if (!ep) return wsaENotSock;
    ep->Listening = true;
    return 0;
  }
  int Accept(TSocketHandle listener, TSocketHandle& out, TSockAddr& peer) override {
    FakeNet::Endpoint* l = Find(listener);
    if (!l || !l->Listening) return wsaENotSock;
    if (l->Backlog.empty()) return wsaEWouldBlock;
    auto conn = l->Backlog.front();
    l->Backlog.pop_front();
    Create(out);
    FakeNet::Endpoint& ep = Net.FEndpoints[out];
    ep.Conn = conn;
    ep.Connected = true;
    ep.Peer = conn->Local;
    ep.Local = l->Local;
    conn->FClient = out;
    peer = conn->Local;
    if (!ep.Rx.empty() || conn->FClosed) {}
    return 0;
  }
  int Send(TSocketHandle s, const char* data, size_t size, size_t& sent) override {
    FakeNet::Endpoint* ep = Find(s);
    if (!ep) return wsaENotSock;
    if (!ep->Connected || !ep->Conn) return wsaENotConn;
    sent = size;
    Net.ClientSent(*ep->Conn, std::string(data, size));
    return 0;
  }
  int Recv(TSocketHandle s, char* data, size_t size, size_t& got) override {
    FakeNet::Endpoint* ep = Find(s);
    if (!ep) return wsaENotSock;
    ep->ReadPending = false;
    got = std::min(size, ep->Rx.size());
    if (got == 0) return ep->PeerClosed ? 0 : wsaEWouldBlock;
    ep->Rx.copy(data, got);
    ep->Rx.erase(0, got);
    return 0;
  }
  int LocalName(TSocketHandle s, TSockAddr& at) override {
    FakeNet::Endpoint* ep = Find(s);
    if (!ep) return wsaENotSock;
    at = ep->Local;
    return 0;
  }
  int PeerName(TSocketHandle s, TSockAddr& at) override {
    FakeNet::Endpoint* ep = Find(s);
    if (!ep || !ep->Connected) return wsaENotConn;
    at = ep->Peer;
    return 0;
  }
  int Lookup(const std::string& host, uintptr_t& lookup) override {
    lookup = Net.FNextLookup++;
    auto it = Net.Hosts.find(host);
    std::string addr = it == Net.Hosts.end() ? std::string() : it->second;
    int error = it == Net.Hosts.end() ? 11001 : 0;
    Net.At(Net.Now + 5, [this, lookup, error, addr, alive = Alive] {
      if (*alive) Sink.LookupDone(lookup, error, addr);
    });
    return 0;
  }
  void CancelLookup(uintptr_t) override { ++Cancelled; }
  bool StartTimer(unsigned id, unsigned ms) override {
    StopTimer(id);
    Net.FTimers.push_back({this, id, ms, Net.Now + ms});
    return true;
  }
  void StopTimer(unsigned id) override {
    Net.FTimers.erase(std::remove_if(Net.FTimers.begin(), Net.FTimers.end(),
                                     [&](auto& t) { return t.Owner == this && t.Id == id; }),
                      Net.FTimers.end());
  }
  void Post(unsigned msg) override {
    Net.At(Net.Now, [this, msg, alive = Alive] {
      if (*alive) Sink.Posted(msg);
    });
  }
  void PumpMessages(unsigned maxWaitMs) override { Net.Pump(maxWaitMs); }
  uint64_t TickCount() override { return Net.Now; }

  FakeNet& Net;
  TSocketSink& Sink;
  std::shared_ptr<bool> Alive = std::make_shared<bool>(true);
  int Cancelled = 0;
};

std::unique_ptr<TSocketApi> FakeNet::MakeApi(TSocketSink& sink) {
  return std::make_unique<FakeApi>(*this, sink);
}

void FakeNet::At(uint64_t when, std::function<void()> fn) {
  FQueue.emplace(std::make_pair(when, FSeq++), std::move(fn));
}

void FakeNet::Serve(uint32_t addr, uint16_t port, std::function<void(FakeConn&)> onConnect) {
  FServers[Key(addr, port)] = std::move(onConnect);
}

void FakeNet::StopServing(uint32_t addr, uint16_t port) { FServers.erase(Key(addr, port)); }

bool FakeNet::ConnectToClient(const TSockAddr& to, uint32_t from,
                              std::function<void(FakeConn&)> onConnect) {
  for (auto& [h, ep] : FEndpoints) {
    if (!ep.Listening || ep.Local.Port != to.Port) continue;
    auto conn = std::make_shared<FakeConn>();
    conn->FNet = this;
    conn->Local = {from, FNextPort++};
    conn->Peer = to;
    FConns.push_back(conn);
    ep.Backlog.push_back(conn);
    TSocketHandle listener = h;
    At(Now + 1, [this, listener] { Deliver(listener, sfAccept, 0); });
    At(Now + 2, [conn, onConnect] { onConnect(*conn); });
    return true;
  }
  return false;
}

void FakeNet::Deliver(TSocketHandle h, unsigned event, int error) {
  auto it = FEndpoints.find(h);
  if (it == FEndpoints.end() || !it->second.Owner) return;
  it->second.Owner->Sink.SocketEvent(h, event, error);
}

void FakeConn::Send(const std::string& bytes) {
  FakeNet* net = FNet;
  auto self = this;
  net->At(net->Now + 1, [net, self, bytes] {
    auto it = net->FEndpoints.find(self->FClient);
    if (it == net->FEndpoints.end()) return;
    it->second.Rx += bytes;
    if (!it->second.ReadPending) {
      it->second.ReadPending = true;
      net->Deliver(self->FClient, sfRead, 0);
    }
  });
}

void FakeConn::Close(int error) {
  FakeNet* net = FNet;
  FClosed = true;
  auto self = this;
  net->At(net->Now + 1, [net, self, error] {
    auto it = net->FEndpoints.find(self->FClient);
    if (it == net->FEndpoints.end()) return;
    it->second.PeerClosed = true;
    if (error) it->second.Rx.clear();
    net->Deliver(self->FClient, sfClose, error);
  });
}

void FakeNet::ClientSent(FakeConn& conn, const std::string& data) {
  FakeConn* c = &conn;
  At(Now + 1, [c, data] {
    c->FIn += data;
    size_t crlf;
    while ((crlf = c->FIn.find("\r\n")) != std::string::npos) {
      std::string line = c->FIn.substr(0, crlf);
      c->FIn.erase(0, crlf + 2);
      if (c->OnLine) c->OnLine(*c, line);
    }
  });
}

bool FakeNet::Step(uint64_t limit) {
  uint64_t nextEvent = FQueue.empty() ? UINT64_MAX : FQueue.begin()->first.first;
  uint64_t nextTimer = UINT64_MAX;
  for (const Timer& t : FTimers) nextTimer = std::min(nextTimer, t.Due);
  uint64_t next = std::min(nextEvent, nextTimer);
  if (next > limit) return false;
  Now = std::max(Now, next);
  if (nextEvent <= nextTimer) {
    auto fn = std::move(FQueue.begin()->second);
    FQueue.erase(FQueue.begin());
    fn();
  } else {
    for (Timer& t : FTimers)
      if (t.Due == nextTimer) {
        t.Due += t.Period ? t.Period : 1;
        FakeApi* owner = t.Owner;
        unsigned id = t.Id;
        owner->Sink.TimerTick(id);
        break;
      }
  }
  return true;
}

void FakeNet::Pump(unsigned maxWaitMs) {
  uint64_t limit = Now + maxWaitMs;
  // Everything due now, or the first thing due within the wait.
  if (!Step(limit)) Now = limit;
  while (!FQueue.empty() && FQueue.begin()->first.first <= Now) Step(Now);
}

bool FakeNet::RunUntil(const std::function<bool()>& done, uint64_t limitMs) {
  uint64_t limit = Now + limitMs;
  while (!done()) {
    if (!Step(limit)) return done();
  }
  return true;
}

size_t FakeNet::LiveSockets() const { return FEndpoints.size(); }
size_t FakeNet::LiveTimers() const { return FTimers.size(); }
