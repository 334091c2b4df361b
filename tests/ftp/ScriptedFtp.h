// An FTP server on the fake network, answering like a plain UNIX server
// unless a test overrides a command.
#pragma once

#include "FakeNet.h"

#include "platform/SysUtils.h"

#include <map>
#include <set>

struct ScriptedFtp {
  using Handler = std::function<void(FakeConn&, const std::string& arg)>;

  ScriptedFtp(FakeNet& net, uint32_t addr = Ip(127, 0, 0, 1), uint16_t port = 21)
      : Net(net), Addr(addr), Port(port) {
    Net.Serve(addr, port, [this](FakeConn& c) {
      ++Connections;
      Control = &c;
      c.Reply(Welcome);
      c.OnLine = [this](FakeConn& conn, const std::string& line) { Handle(conn, line); };
    });
  }

  FakeNet& Net;
  uint32_t Addr;
  uint16_t Port;
  std::string Welcome = "220 Scripted FTP ready";
  std::string User, Pass = "secret";
  std::string Cwd = "/";
  std::set<std::string> Dirs = {"/", "/pub", "/pub/docs"};
  std::map<std::string, std::string> Files;
  std::vector<std::string> Commands;
  std::map<std::string, Handler> Override;
  int Connections = 0;
  FakeConn* Control = nullptr;
  // Data connection behaviour.
  std::function<void(FakeConn& data, const std::string& content)> SendData =
      [](FakeConn& d, const std::string& content) {
        d.Send(content);
        d.Close();
      };
  uint32_t PasvNamed = Ip(127, 0, 0, 1);  // the address the 227 reply names
  bool PasvParentheses = true;
  uint32_t PortFrom = Ip(127, 0, 0, 1);   // where active connections come from
  int64_t RestAt = 0;

  void Handle(FakeConn& c, const std::string& line) {
    Commands.push_back(line);
    size_t blank = line.find(' ');
    std::string cmd = UpperCase(line.substr(0, blank));
    std::string arg = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    auto o = Override.find(cmd);
    if (o != Override.end()) {
      o->second(c, arg);
      return;
    }
    if (cmd == "USER") {
      User = arg;
      c.Reply(arg == "anonymous" ? "331 Please specify the password." : "331 Password?");
    } else if (cmd == "PASS") {
      c.Reply(User == "anonymous" || arg == Pass ? "230 Login successful." : "530 Login incorrect.");
    } else if (cmd == "SYST") {
      c.Reply("215 UNIX Type: L8");
    } else if (cmd == "REST") {
      RestAt = StrToInt64(arg);
      c.Reply("350 Restart position accepted (" + arg + ").");
    } else if (cmd == "PWD") {
      c.Reply("257 \"" + Cwd + "\" is the current directory");
    } else if (cmd == "CWD") {
      std::string to = arg.size() > 1 && arg.back() == '/' ? arg.substr(0, arg.size() - 1) : arg;
      if (Dirs.count(to)) {
        Cwd = to;
        c.Reply("250 Directory successfully changed.");
      } else {
        c.Reply("550 Failed to change directory.");
      }
    } else if (cmd == "TYPE") {
      c.Reply("200 Switching mode.");
    } else if (cmd == "SIZE") {
      auto f = Files.find(arg);
      c.Reply(f == Files.end() ? "550 Could not get file size." : "213 " + IntToStr(f->second.size()));
    } else if (cmd == "PASV") {
      uint16_t port = NextDataPort++;
      DataConn = nullptr;
      Net.Serve(Ip(127, 0, 0, 1), port, [this, port](FakeConn& d) {
        DataConn = &d;
        Net.StopServing(Ip(127, 0, 0, 1), port);
        if (RetrPending) Transmit();
      });
      uint32_t a = PasvNamed;
      std::string numbers = IntToStr(a >> 24) + "," + IntToStr(a >> 16 & 255) + "," +
                            IntToStr(a >> 8 & 255) + "," + IntToStr(a & 255) + "," +
                            IntToStr(port >> 8) + "," + IntToStr(port & 255);
      c.Reply(PasvParentheses ? "227 Entering Passive Mode (" + numbers + ")."
                              : "227 Entering Passive Mode " + numbers);
      Passive = true;
    } else if (cmd == "PORT") {
      unsigned v[6] = {};
      std::sscanf(arg.c_str(), "%u,%u,%u,%u,%u,%u", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]);
      PortTo = {Ip(v[0], v[1], v[2], v[3]), static_cast<uint16_t>(v[4] * 256 + v[5])};
      Passive = false;
      c.Reply("200 PORT command successful.");
    } else if (cmd == "RETR") {
      auto f = Files.find(arg);
      if (f == Files.end()) {
        c.Reply("550 Failed to open file.");
        return;
      }
      c.Reply("150 Opening BINARY mode data connection for " + arg + " (" +
              IntToStr(f->second.size()) + " bytes).");
      PendingRetr = f->second.substr(std::min<size_t>(RestAt, f->second.size()));
      RestAt = 0;
      RetrPending = true;
      if (Passive) {
        if (DataConn) Transmit();
      } else {
        Net.ConnectToClient(PortTo, PortFrom, [this](FakeConn& d) {
          DataConn = &d;
          Transmit();
        });
      }
    } else if (cmd == "NOOP") {
      c.Reply("200 NOOP ok.");
    } else if (cmd == "QUIT") {
      c.Reply("221 Goodbye.");
      c.Close();
    } else {
      c.Reply("500 Unknown command.");
    }
  }

  void Transmit() {
    std::string content = std::move(PendingRetr);
    PendingRetr.clear();
    RetrPending = false;
    FakeConn* d = DataConn;
    DataConn = nullptr;
    SendData(*d, content);
    if (AfterTransfer) AfterTransfer(*Control);
    else Control->Reply("226 Transfer complete.");
  }
  std::function<void(FakeConn&)> AfterTransfer;

  uint16_t NextDataPort = 30000;
  FakeConn* DataConn = nullptr;
  std::string PendingRetr;
  bool RetrPending = false;
  bool Passive = false;
  TSockAddr PortTo;
};
