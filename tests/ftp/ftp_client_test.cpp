// The client's state machine against scripted servers on the fake network.
#include "FtpClientFixture.h"

namespace {

using FtpLogin = FtpClientFixture;

TEST_F(FtpLogin, EachProxyKindLogsInItsOwnWay) {
  struct Case {
    TMFtpProxyType proxy;
    std::vector<std::string> expect;  // commands up to SYST
  } cases[] = {
      {proxyNone, {"USER bob", "PASS (want to know) :-P", "SYST"}},
      {proxyHost, {"HOST real.example", "USER bob", "PASS (want to know) :-P", "SYST"}},
      {proxyHostUser, {"USER real.example:2121!bob", "PASS (want to know) :-P", "SYST"}},
      {proxyOpen, {"OPEN real.example", "USER bob", "PASS (want to know) :-P", "SYST"}},
      {proxySite, {"USER gate", "PASS (want to know) :-P", "SITE real.example", "USER bob",
                   "PASS (want to know) :-P", "SYST"}},
      {proxyUserSite, {"USER bob@real.example:2121", "PASS (want to know) :-P", "SYST"}},
  };
  for (const Case& c : cases) {
    FakeNet net;
    ScriptedFtp proxy(net, Ip(127, 0, 0, 5), 2100);
    proxy.Override["HOST"] = [](FakeConn& k, const std::string&) { k.Reply("331 host ok"); };
    proxy.Override["OPEN"] = [](FakeConn& k, const std::string&) { k.Reply("220 opened"); };
    proxy.Override["SITE"] = [](FakeConn& k, const std::string&) { k.Reply("220 site ok"); };
    proxy.Override["PASS"] = [](FakeConn& k, const std::string&) { k.Reply("230 ok"); };
    TMFtp ftp(nullptr, net.Factory());
    std::vector<std::string> sent;
    std::vector<std::string> texts;
    ftp.OnFtpInfo = [&](TObject*, int code, const std::string& t) {
      if (code == ftpInfoCommandSent) sent.push_back(t.substr(0, t.size() - 2));
    };
    bool loggedIn = false;
    ftp.OnLoggedIn = [&](TObject*) { loggedIn = true; };
    ftp.SetServer("real.example");
    ftp.SetPort(2121);
    ftp.Username = "bob";
    ftp.Password = "pw";
    ftp.ProxyUsername = "gate";
    ftp.ProxyPassword = "gatepw";
    ftp.ProxyServer = "127.0.0.5";
    ftp.ProxyPort = 2100;
    ftp.ProxyType = c.proxy;
    if (c.proxy == proxyNone) ftp.SetServer("127.0.0.5"), ftp.SetPort(2100);
    ftp.Connect();
    ASSERT_TRUE(net.RunUntil([&] { return loggedIn; }, 60000)) << c.proxy;
    ASSERT_GE(sent.size(), c.expect.size()) << c.proxy;
    EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + c.expect.size()), c.expect)
        << c.proxy;
    // After the welcome the real server is the one the client names.
    EXPECT_EQ(ftp.GetServer(), c.proxy == proxyNone ? "127.0.0.5" : "real.example");
  }
}

TEST_F(FtpLogin, DetectionResumeProbeAndDirectory) {
  ScriptedFtp server(Net);
  server.Welcome = "220 NetTerm FTP server ready";
  server.Override["SYST"] = [](FakeConn& c, const std::string&) { c.Reply("215 Windows_NT"); };
  server.Override["PWD"] = [](FakeConn& c, const std::string&) { c.Reply("257 \"C:\\pub\\x\""); };
  Ftp->Username = "bob";
  Ftp->Password = "secret";
  ASSERT_TRUE(Login());
  EXPECT_EQ(Ftp->ServerType, ftpstNetTerm);  // the welcome decides before SYST
  EXPECT_TRUE(Ftp->GetCanResume());
  EXPECT_EQ(Ftp->GetCurrentDir(), "/pub/x");
  EXPECT_EQ(Sent, (std::vector<std::string>{"USER bob", "PASS (want to know) :-P", "REST 100",
                                            "REST 0", "PWD"}));
  EXPECT_TRUE(HasInfo(ftpInfoCanResume));
  EXPECT_TRUE(HasInfo(ftpInfoLoggedIn));
}

TEST_F(FtpLogin, SystKeywordsAndInitialDirectory) {
  struct Case { const char* syst; TMFtpServerType type; } cases[] = {
      {"215 UNIX Type: L8", ftpstUNIX}, {"215 VMS MultiNet V4", ftpstVmsMultinet},
      {"215 VMS", ftpstVmsUcx}, {"215 VM/VPS", ftpstVMVPS}, {"215 VM", ftpstVM},
      {"500 no", ftpstDefault}, {"215 MACOS", ftpstDefault}, {"215", ftpstDefault},
  };
  for (const Case& c : cases) {
    FakeNet net;
    ScriptedFtp server(net);
    std::string syst = c.syst;
    server.Override["SYST"] = [syst](FakeConn& k, const std::string&) { k.Reply(syst); };
    server.Override["REST"] = [](FakeConn& k, const std::string&) { k.Reply("502 no"); };
    server.Override["CWD"] = [](FakeConn& k, const std::string&) { k.Reply("250 \"/pub\" now"); };
    TMFtp ftp(nullptr, net.Factory());
    ftp.SetServer("127.0.0.1");
    ftp.InitialDirectory = "/pub";
    bool done = false;
    ftp.OnLoggedIn = [&](TObject*) { done = true; };
    ftp.Connect();
    ASSERT_TRUE(net.RunUntil([&] { return done; }, 60000)) << c.syst;
    EXPECT_EQ(ftp.ServerType, c.type) << c.syst;
    EXPECT_FALSE(ftp.GetCanResume());
    EXPECT_EQ(ftp.GetCurrentDir(), "/pub");
  }
}

TEST_F(FtpLogin, RefusedLoginRetriesThenFinishes) {
  ScriptedFtp server(Net);
  Ftp->Username = "bob";
  Ftp->Password = "wrong";
  Ftp->Retries = 2;
  Ftp->RetryInterval = 3;
  Ftp->Connect();
  ASSERT_TRUE(Net.RunUntil([&] { return HasInfo(ftpInfoRetryFinished); }, 60000));
  EXPECT_EQ(server.Connections, 3);
  EXPECT_TRUE(HasError(ftpErrLogin));
  EXPECT_EQ(LoggedIn, 0);
  EXPECT_GE(Net.Now, 6000u);  // two waits of three seconds
  int retrying = 0;
  for (auto& i : Infos) retrying += i.first == ftpInfoRetrying;
  EXPECT_EQ(retrying, 2);
  EXPECT_TRUE(WaitReady());
}

TEST_F(FtpLogin, EveryFailedAttemptRetries) {
  struct Case { const char* name; std::function<void(FakeNet&, TMFtp&)> arrange; int error; } cases[] = {
      {"refused", [](FakeNet&, TMFtp& f) { f.SetServer("127.0.0.1"); }, ftpErrRefused},
      {"unresolved", [](FakeNet&, TMFtp& f) { f.SetServer("nowhere.invalid"); }, ftpErrResolve},
      {"timed out", [](FakeNet& n, TMFtp& f) {
         n.BlackHoles.push_back(Ip(127, 0, 0, 9));
         f.SetServer("127.0.0.9");
       }, ftpErrTimedOut},
      {"silent after welcome", [](FakeNet& n, TMFtp& f) {
         n.Serve(Ip(127, 0, 0, 1), 21, [](FakeConn& c) { c.Reply("220 hi"); });
         f.SetServer("127.0.0.1");
       }, ftpErrTimedOut},
  };
  for (auto& c : cases) {
    FakeNet net;
    TMFtp ftp(nullptr, net.Factory());
    std::vector<int> errors, infos;
    ftp.OnFtpError = [&](TObject*, int e, const std::string&) { errors.push_back(e); };
    ftp.OnFtpInfo = [&](TObject*, int i, const std::string&) { infos.push_back(i); };
    ftp.SetTimeOut(2);
    ftp.RetryInterval = 1;
    ftp.Retries = 1;
    c.arrange(net, ftp);
    ftp.Connect();
    ASSERT_TRUE(net.RunUntil([&] {
      return std::count(infos.begin(), infos.end(), int(ftpInfoRetryFinished)) > 0;
    }, 60000)) << c.name;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), c.error), 2) << c.name;
    EXPECT_EQ(std::count(infos.begin(), infos.end(), int(ftpInfoRetrying)), 1) << c.name;
    net.RunUntil([] { return false; }, 5000);
    EXPECT_EQ(net.LiveSockets(), 0u) << c.name;
  }
}

TEST_F(FtpLogin, MultiLineRepliesAndOddLines) {
  ScriptedFtp server(Net);
  server.Override["USER"] = [](FakeConn& c, const std::string&) {
    c.Send("230-Welcome\r\n220 foreign code inside\r\n230-more\r\n\r\n" + std::string("230 in\0side", 10) +
           "\r\n");
  };
  server.Override["SYST"] = [](FakeConn& c, const std::string&) { c.Send("2\r\n"); };  // short: final
  ASSERT_TRUE(Login());
  EXPECT_EQ(Sent[0], "USER anonymous");
  EXPECT_EQ(Sent[1], "SYST");  // the multi-line 230 reached the login once
  EXPECT_EQ(Sent[2], "REST 100");
}

TEST_F(FtpLogin, OverlongLineEndsTheConnection) {
  ScriptedFtp server(Net);
  server.Welcome = "220-" + std::string(70 * 1024, 'x');  // and never a line end
  server.Override["USER"] = [](FakeConn&, const std::string&) {};
  Ftp->Connect();
  ASSERT_TRUE(Net.RunUntil([&] { return !Errors.empty(); }, 60000));
  EXPECT_EQ(Errors[0].first, ftpErrReply);
  EXPECT_TRUE(Sent.empty());
}

TEST_F(FtpLogin, NoopKeepsTheConnectionAlive) {
  ScriptedFtp server(Net);
  Ftp->SetNoopInterval(1);
  ASSERT_TRUE(Login());
  size_t before = server.Commands.size();
  Net.RunUntil([] { return false; }, 3500);
  int noops = 0;
  for (size_t i = before; i < server.Commands.size(); ++i) noops += server.Commands[i] == "NOOP";
  EXPECT_EQ(noops, 3);
  EXPECT_FALSE(Ftp->GetBusy());
  // A server that does not know NOOP is not asked again.
  server.Override["NOOP"] = [](FakeConn& c, const std::string&) { c.Reply("502 no"); };
  Net.RunUntil([] { return false; }, 3500);
  noops = 0;
  for (size_t i = before; i < server.Commands.size(); ++i) noops += server.Commands[i] == "NOOP";
  EXPECT_EQ(noops, 4);
}

using FtpDownload = FtpClientFixture;

struct ResumeCase {
  const char* name;
  std::string local;         // "" with exists false: no local file
  bool exists;
  const char* answer;        // resume choice
  std::function<void(ScriptedFtp&)> tweak;
  std::string expect;        // local content afterwards
  bool received;             // OnFileReceived fired
  const char* mustSend;      // a command that must have gone out ("" none)
  const char* mustNotSend;
  int info;                  // an info that must have come (-1 none)
};

TEST_F(FtpDownload, ResumeDecisions) {
  const std::string remote = "0123456789abcdef";
  auto size500 = [](ScriptedFtp& s) {
    s.Override["SIZE"] = [](FakeConn& c, const std::string&) { c.Reply("500 SIZE not understood"); };
  };
  auto sizeText = [](const char* text) {
    return [text](ScriptedFtp& s) {
      s.Override["SIZE"] = [text](FakeConn& c, const std::string&) { c.Reply(std::string("213 ") + text); };
    };
  };
  std::vector<ResumeCase> cases = {
      {"new file", "", false, "", nullptr, remote, true, "RETR f", "SIZE", -1},
      {"resume partial", "01234", true, "Resume", nullptr, remote, true, "REST 5", "", -1},
      {"equal size", remote, true, "Resume", nullptr, remote, false, "SIZE f", "RETR", ftpInfoNothingToDo},
      {"longer local", remote + "TAIL", true, "Resume", nullptr, remote, true, "RETR f", "REST 20",
       ftpInfoCannotResume},
      {"overwrite longer", remote + "TAIL", true, "Overwrite", nullptr, remote, true, "RETR f", "SIZE", -1},
      {"empty answer overwrites", "zz", true, "", nullptr, remote, true, "RETR f", "SIZE", -1},
      {"cancel", "zz", true, "Cancel", nullptr, "zz", false, "", "RETR", -1},
      {"no SIZE resumes by REST", "0123", true, "Resume", size500, remote, true, "REST 4", "", -1},
      {"SIZE abc", "01", true, "Resume", sizeText("abc"), remote, true, "RETR f", "REST 2", -1},
      {"SIZE -5", "01", true, "Resume", sizeText("-5"), remote, true, "RETR f", "REST 2", -1},
      {"SIZE 20 digits", "01", true, "Resume", sizeText("99999999999999999999"), remote, true, "RETR f",
       "REST 2", -1},
      {"server without REST", "01", true, "Resume",
       [](ScriptedFtp& s) { s.Override["REST"] = [](FakeConn& c, const std::string&) { c.Reply("502 no"); }; },
       "01", false, "", "SIZE", ftpInfoCannotResume},
  };
  for (const ResumeCase& c : cases) {
    for (bool passive : {false, true}) {
      FakeNet net;
      ScriptedFtp server(net);
      server.Files["f"] = remote;
      if (c.tweak) c.tweak(server);
      TMFtp ftp(nullptr, net.Factory());
      ftp.SetServer("127.0.0.1");
      ftp.Passive = passive;
      std::vector<std::string> sent;
      std::vector<int> infos;
      int received = 0, ready = 0;
      bool loggedIn = false;
      ftp.OnFtpInfo = [&](TObject*, int code, const std::string& t) {
        infos.push_back(code);
        if (code == ftpInfoCommandSent) sent.push_back(t.substr(0, t.size() - 2));
      };
      ftp.OnFtpNeedInfo = [&](TObject*, int need, std::string& v) {
        if (need == ftpNeedResume) v = c.answer;
      };
      ftp.OnFileReceived = [&](TObject*) { ++received; };
      ftp.OnFtpReady = [&](TObject*) { ++ready; };
      ftp.OnLoggedIn = [&](TObject*) { loggedIn = true; };
      ftp.Connect();
      ASSERT_TRUE(net.RunUntil([&] { return loggedIn && ready > 0; }, 60000)) << c.name;
      std::string file = Local("f");
      std::filesystem::remove(file);
      if (c.exists) Write("f", c.local);
      ftp.Download("f", file);
      ASSERT_TRUE(net.RunUntil([&] { return ready > 1; }, 60000)) << c.name;
      std::string where = std::string(c.name) + (passive ? " (passive)" : " (active)");
      EXPECT_EQ(Read("f"), c.expect) << where;
      EXPECT_EQ(received, c.received ? 1 : 0) << where;
      auto sentAny = [&](const std::string& p) {
        return std::any_of(sent.begin(), sent.end(), [&](auto& s) { return s.rfind(p, 0) == 0; });
      };
      if (*c.mustSend) EXPECT_TRUE(sentAny(c.mustSend)) << where;
      if (*c.mustNotSend) EXPECT_FALSE(sentAny(c.mustNotSend)) << where;
      if (c.info >= 0) EXPECT_TRUE(std::count(infos.begin(), infos.end(), c.info)) << where;
      EXPECT_EQ(std::count(infos.begin(), infos.end(), int(ftpInfoTransferComplete)), c.received ? 1 : 0)
          << where;
      EXPECT_EQ(Entries(), std::vector<std::string>{"f"}) << where << ": a file left beside it";
    }
  }
}

// Whatever fails before the server accepts RETR, and whatever breaks an
// overwrite after that, the local file is exactly as it was.
TEST_F(FtpDownload, AFailedDownloadLeavesTheLocalFileAsItWas) {
  const std::string remote(20000, 'r'), before = "partial-content";
  using Arrange = std::function<void(ScriptedFtp&)>;
  auto reply = [](const char* command, const char* text) -> Arrange {
    return [command, text](ScriptedFtp& s) {
      s.Override[command] = [text](FakeConn& c, const std::string&) { c.Reply(text); };
    };
  };
  auto both = [](Arrange a, Arrange b) -> Arrange { return [a, b](ScriptedFtp& s) { a(s); b(s); }; };
  Arrange refuseRetr = reply("RETR", "550 Failed to open file.");
  // Data on the data connection first, the refusal after it.
  Arrange dataThenRefusal = [](ScriptedFtp& s) {
    s.Override["RETR"] = [&s](FakeConn& c, const std::string&) {
      auto go = [&c](FakeConn& d) {
        d.Send("EARLY");
        d.Close();
        c.Reply("550 Failed to open file.");
      };
      if (s.Passive)
        s.Net.At(s.Net.Now + 20, [&s, go] { if (s.DataConn) go(*s.DataConn); });
      else
        s.Net.ConnectToClient(s.PortTo, s.PortFrom, go);
    };
  };
  auto half = [](std::function<void(ScriptedFtp&)> after) -> Arrange {
    return [after](ScriptedFtp& s) {
      s.SendData = [&s, after](FakeConn& d, const std::string& content) {
        d.Send(content.substr(0, content.size() / 2));
        d.Close();
        after(s);
      };
      s.AfterTransfer = [](FakeConn&) {};
    };
  };
  struct Case { const char* name; const char* answer; Arrange arrange; int error; } cases[] = {
      {"resume: 550 to SIZE and to RETR", "Resume", both(reply("SIZE", "550 Could not get file size."),
                                                           refuseRetr), ftpErrAccess},
      {"resume: SIZE unparsable, RETR refused", "Resume", both(reply("SIZE", "213 abc"), refuseRetr),
       ftpErrAccess},
      {"resume: remote smaller, RETR refused", "Resume", both(reply("SIZE", "213 3"), refuseRetr),
       ftpErrAccess},
      {"resume: no SIZE, RETR refused after REST", "Resume", both(reply("SIZE", "500 no"), refuseRetr),
       ftpErrAccess},
      {"resume: data before the refusal", "Resume", both(reply("SIZE", "500 no"), dataThenRefusal),
       ftpErrAccess},
      {"overwrite: RETR refused", "Overwrite", refuseRetr, ftpErrAccess},
      {"overwrite: data before the refusal", "Overwrite", dataThenRefusal, ftpErrAccess},
      {"overwrite: broken after 150", "Overwrite",
       half([](ScriptedFtp& s) { s.Control->Reply("426 Connection closed; transfer aborted."); }), ftpErrData},
      {"overwrite: half the data, then 226", "Overwrite",
       half([](ScriptedFtp& s) { s.Control->Reply("226 Transfer complete."); }), ftpErrData},
      {"overwrite: control connection lost", "Overwrite",
       half([](ScriptedFtp& s) { s.Control->Close(); }), ftpErrData},
  };
  for (const Case& c : cases) {
    for (bool passive : {false, true}) {
      std::string where = std::string(c.name) + (passive ? " (passive)" : " (active)");
      FakeNet net;
      ScriptedFtp server(net);
      server.Files["f"] = remote;
      c.arrange(server);
      TMFtp ftp(nullptr, net.Factory());
      ftp.SetServer("127.0.0.1");
      ftp.Passive = passive;
      std::vector<int> errors, infos;
      int received = 0, ready = 0;
      bool loggedIn = false;
      ftp.OnFtpError = [&](TObject*, int e, const std::string&) { errors.push_back(e); };
      ftp.OnFtpInfo = [&](TObject*, int i, const std::string&) { infos.push_back(i); };
      ftp.OnFtpNeedInfo = [&](TObject*, int need, std::string& v) { if (need == ftpNeedResume) v = c.answer; };
      ftp.OnFileReceived = [&](TObject*) { ++received; };
      ftp.OnFtpReady = [&](TObject*) { ++ready; };
      ftp.OnLoggedIn = [&](TObject*) { loggedIn = true; };
      ftp.Connect();
      ASSERT_TRUE(net.RunUntil([&] { return loggedIn && ready > 0; }, 60000)) << where;
      Write("f", before);
      ftp.Download("f", Local("f"));
      ASSERT_TRUE(net.RunUntil([&] { return ready > 1; }, 60000)) << where;
      EXPECT_EQ(Read("f"), before) << where;
      ASSERT_FALSE(errors.empty()) << where;
      EXPECT_EQ(errors[0], c.error) << where;
      EXPECT_EQ(received, 0) << where;
      EXPECT_EQ(std::count(infos.begin(), infos.end(), int(ftpInfoTransferComplete)), 0) << where;
      EXPECT_EQ(Entries(), std::vector<std::string>{"f"}) << where << ": a file left beside it";
    }
  }
}

// The replies that end a transfer cannot come once the control connection
// is gone: the download ends in an error (a reset in its own).
TEST_F(FtpDownload, LosingTheControlConnectionMidTransferIsAnError) {
  struct Case { const char* name; int closeError; std::vector<int> errors; } cases[] = {
      {"closed", 0, {ftpErrData}},
      {"reset", wsaEConnReset, {ftpErrReset}},
  };
  for (const Case& c : cases) {
    FakeNet net;
    ScriptedFtp server(net);
    server.Files["f"] = std::string(100000, 'r');
    server.SendData = [&](FakeConn& d, const std::string& content) {
      d.Send(content.substr(0, 1000));
      server.Control->Close(c.closeError);
    };
    server.AfterTransfer = [](FakeConn&) {};
    TMFtp ftp(nullptr, net.Factory());
    ftp.SetServer("127.0.0.1");
    ftp.Passive = true;
    std::vector<std::pair<int, std::string>> errors;
    std::vector<int> infos;
    int received = 0, ready = 0;
    bool loggedIn = false;
    ftp.OnFtpError = [&](TObject*, int e, const std::string& t) { errors.emplace_back(e, t); };
    ftp.OnFtpInfo = [&](TObject*, int i, const std::string&) { infos.push_back(i); };
    ftp.OnFileReceived = [&](TObject*) { ++received; };
    ftp.OnFtpReady = [&](TObject*) { ++ready; };
    ftp.OnLoggedIn = [&](TObject*) { loggedIn = true; };
    ftp.Connect();
    ASSERT_TRUE(net.RunUntil([&] { return loggedIn && ready > 0; }, 60000)) << c.name;
    ftp.Download("f", Local("f"));
    ASSERT_TRUE(net.RunUntil([&] { return ready > 1; }, 60000)) << c.name;
    std::vector<int> codes;
    for (auto& e : errors) codes.push_back(e.first);
    EXPECT_EQ(codes, c.errors) << c.name;
    if (!errors.empty())
      EXPECT_EQ(errors.back().second, c.closeError ? "Connection reset by remote side"
                                                    : "The data connection ended before the whole file arrived")
          << c.name;
    EXPECT_EQ(received, 0) << c.name;
    EXPECT_EQ(std::count(infos.begin(), infos.end(), int(ftpInfoTransferComplete)), 0) << c.name;
    EXPECT_FALSE(ftp.GetConnectedToServer()) << c.name;
    EXPECT_FALSE(ftp.GetBusy()) << c.name;
  }
}

// "226" then a line no command waits for: the data connection that never
// comes is still watched for, on the fake clock.
TEST_F(FtpDownload, AStrayLineAfterTheFinalReplyLeavesTheWatchRunning) {
  ScriptedFtp server(Net);
  server.Files["f"] = "payload";
  server.Override["RETR"] = [](FakeConn& c, const std::string&) { c.Send("226 done\r\n200 x\r\n"); };
  ASSERT_TRUE(Login());
  Ftp->Download("f", Local("f"));
  ASSERT_TRUE(Net.RunUntil([&] { return HasError(ftpErrTimedOut); }, 60000));
  EXPECT_TRUE(Net.RunUntil([&] { return !Ftp->GetBusy(); }, 1000));
  EXPECT_EQ(Received, 0);
}

TEST_F(FtpDownload, PasvReplyWithoutParentheses) {
  ScriptedFtp server(Net);
  server.Files["f"] = "payload";
  server.PasvParentheses = false;
  Ftp->Passive = true;
  ASSERT_TRUE(Login());
  Ftp->Download("f", Local("f"));
  ASSERT_TRUE(WaitReady());
  EXPECT_TRUE(Errors.empty()) << Errors[0].second;
  EXPECT_EQ(Read("f"), "payload");
  EXPECT_EQ(Received, 1);
}

struct Hostile {
  const char* name;
  std::function<void(ScriptedFtp&, FakeNet&)> arrange;
  int error;
  std::string expect;  // local content afterwards ("-" unchecked)
};

TEST_F(FtpDownload, HostileTransfersEndInAnErrorNeverInSuccess) {
  const std::string remote(200000, 'r');
  std::vector<Hostile> cases = {
      {"150 announces more than is sent",
       [&](ScriptedFtp& s, FakeNet&) {
         s.Override["SIZE"] = [](FakeConn& c, const std::string&) { c.Reply("550 no"); };
         s.SendData = [](FakeConn& d, const std::string& content) {
           d.Send(content.substr(0, 1000));
           d.Close();
         };
       }, ftpErrData, "-"},
      {"FIN mid-transfer then 226",
       [&](ScriptedFtp& s, FakeNet&) {
         s.SendData = [](FakeConn& d, const std::string& content) {
           d.Send(content.substr(0, 5000));
           d.Close();
         };
       }, ftpErrData, "-"},
      {"RST mid-transfer",
       [&](ScriptedFtp& s, FakeNet&) {
         s.SendData = [](FakeConn& d, const std::string& content) {
           d.Send(content.substr(0, 5000));
           d.Close(wsaEConnReset);
         };
         s.AfterTransfer = [](FakeConn& c) { c.Reply("426 Connection closed; transfer aborted."); };
       }, ftpErrData, "-"},
      {"RETR refused", [&](ScriptedFtp& s, FakeNet&) { s.Files.clear(); }, ftpErrAccess, ""},
      {"malformed PASV",
       [&](ScriptedFtp& s, FakeNet&) {
         s.Override["PASV"] = [](FakeConn& c, const std::string&) { c.Reply("227 Entering (1,2,3,4,5)"); };
       }, ftpErrReply, ""},
      {"data never comes",
       [&](ScriptedFtp& s, FakeNet&) { s.SendData = [](FakeConn&, const std::string&) {}; },
       ftpErrTimedOut, "-"},
  };
  for (const Hostile& c : cases) {
    FakeNet net;
    ScriptedFtp server(net);
    server.Files["f"] = remote;
    c.arrange(server, net);
    TMFtp ftp(nullptr, net.Factory());
    ftp.SetServer("127.0.0.1");
    ftp.SetTimeOut(2);
    ftp.Passive = true;
    std::vector<int> errors, infos;
    int received = 0, ready = 0;
    bool loggedIn = false;
    ftp.OnFtpError = [&](TObject*, int e, const std::string&) { errors.push_back(e); };
    ftp.OnFtpInfo = [&](TObject*, int i, const std::string&) { infos.push_back(i); };
    ftp.OnFileReceived = [&](TObject*) { ++received; };
    ftp.OnFtpReady = [&](TObject*) { ++ready; };
    ftp.OnLoggedIn = [&](TObject*) { loggedIn = true; };
    ftp.Connect();
    ASSERT_TRUE(net.RunUntil([&] { return loggedIn && ready > 0; }, 60000)) << c.name;
    std::filesystem::remove(Local("f"));
    ftp.Download("f", Local("f"));
    ASSERT_TRUE(net.RunUntil([&] { return ready > 1; }, 60000)) << c.name;
    EXPECT_EQ(received, 0) << c.name;
    EXPECT_EQ(std::count(infos.begin(), infos.end(), int(ftpInfoTransferComplete)), 0) << c.name;
    ASSERT_FALSE(errors.empty()) << c.name;
    EXPECT_EQ(errors[0], c.error) << c.name;
    if (c.expect != "-") EXPECT_EQ(Read("f"), c.expect) << c.name;
  }
}

TEST_F(FtpDownload, PasvNamingAnotherHostStillUsesTheServer) {
  ScriptedFtp server(Net);
  server.Files["f"] = "payload";
  server.PasvNamed = Ip(127, 0, 0, 2);
  Ftp->Passive = true;
  ASSERT_TRUE(Login());
  Ftp->Download("f", Local("f"));
  ASSERT_TRUE(WaitReady());
  EXPECT_EQ(Read("f"), "payload");
  EXPECT_EQ(Received, 1);
  EXPECT_EQ(Net.Attempts[Ip(127, 0, 0, 2)], 0);
}

TEST_F(FtpDownload, ForeignConnectionToTheListenerIsTurnedAway) {
  ScriptedFtp server(Net);
  server.Files["f"] = "payload";
  server.Override["RETR"] = [&](FakeConn& c, const std::string&) {
    c.Reply("150 Opening BINARY mode data connection for f (7 bytes).");
    TSockAddr to = server.PortTo;
    bool intruded = false;
    Net.ConnectToClient(to, Ip(127, 0, 0, 2), [&intruded](FakeConn& d) {
      intruded = true;
      d.Send("EVIL");
      d.Close();
    });
    Net.At(Net.Now + 50, [&, to, &c = c] {
      Net.ConnectToClient(to, Ip(127, 0, 0, 1), [&](FakeConn& d) {
        d.Send("payload");
        d.Close();
        c.Reply("226 Transfer complete.");
      });
    });
  };
  ASSERT_TRUE(Login());
  Ftp->Download("f", Local("f"));
  ASSERT_TRUE(WaitReady());
  EXPECT_EQ(Read("f"), "payload");
  EXPECT_EQ(Received, 1);
}

TEST_F(FtpDownload, BurstThenImmediateCloseLandsEveryByte) {
  ScriptedFtp server(Net);
  std::string big;
  for (int i = 0; i < 300000; ++i) big += static_cast<char>('a' + i % 26);
  server.Files["f"] = big;
  server.SendData = [](FakeConn& d, const std::string& content) {
    for (size_t at = 0; at < content.size(); at += 7000) d.Send(content.substr(at, 7000));
    d.Close();
  };
  Ftp->Passive = true;
  ASSERT_TRUE(Login());
  Ftp->Download("f", Local("f"));
  ASSERT_TRUE(WaitReady());
  EXPECT_EQ(Read("f"), big);
  EXPECT_EQ(Ftp->GetBytesReceived(), static_cast<int64_t>(big.size()));
  EXPECT_EQ(Received, 1);
}

TEST_F(FtpDownload, AsciiModeAndSynchronousWait) {
  ScriptedFtp server(Net);
  server.Files["f"] = "line\r\n";
  ASSERT_TRUE(Login());
  Ftp->TransferMode = AsciiTransfer;
  Ftp->SetAsynchronous(false);
  Ftp->Download("f", Local("f"));  // returns once the download has ended
  EXPECT_FALSE(Ftp->GetBusy());
  EXPECT_EQ(Read("f"), "line\r\n");
  EXPECT_TRUE(SentStarting("TYPE A"));
}

TEST_F(FtpDownload, UnopenableLocalFileAndMissingNames) {
  ScriptedFtp server(Net);
  server.Files["f"] = "x";
  ASSERT_TRUE(Login());
  Ftp->Download("f", (Dir / "no" / "such" / "f").string());
  ASSERT_TRUE(WaitReady());
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_EQ(Errors[0].first, ftpErrLocalFile);
  EXPECT_FALSE(Errors[0].second.empty());
  Ftp->Download("", Local("f"));
  ASSERT_TRUE(WaitReady());
  EXPECT_EQ(Errors.back().first, ftpErrRemoteFile);
  Ftp->Download("f", "");
  ASSERT_TRUE(WaitReady());
  EXPECT_EQ(Errors.back().first, ftpErrLocalFile);
  EXPECT_EQ(Received, 0);
}

using FtpNavigate = FtpClientFixture;

TEST_F(FtpNavigate, FolderThenFileThenOtherHost) {
  ScriptedFtp server(Net);
  ScriptedFtp other(Net, Ip(127, 0, 0, 2));
  server.Files["a b.txt"] = "hello";
  Ftp->Username = "bob";
  Ftp->Password = "secret";
  ASSERT_TRUE(Login());
  Ftp->OpenURL("ftp://127.0.0.1/pub/docs/");
  ASSERT_TRUE(WaitReady());
  EXPECT_EQ(Ftp->GetCurrentDir(), "/pub/docs");
  EXPECT_EQ(server.Connections, 1);  // same site, same login: only CWD

  Answers[ftpNeedLocalFile] = Local("got.txt");
  Ftp->OpenURL("ftp://127.0.0.1/pub/a%20b.txt");
  ASSERT_TRUE(Net.RunUntil([&] { return Received > 0 || !Errors.empty(); }));
  EXPECT_EQ(Read("got.txt"), "hello");
  EXPECT_TRUE(std::count(Asked.begin(), Asked.end(), int(ftpNeedLocalFile)));

  // Another host gets no credentials of this one.
  Ftp->OpenURL("ftp://127.0.0.2/pub/");
  ASSERT_TRUE(WaitReady());
  EXPECT_EQ(other.User, "anonymous");
  EXPECT_EQ(Ftp->Username, "anonymous");
  EXPECT_EQ(Ftp->GetCurrentDir(), "/pub");
}

// The download an address starts runs from a reply's handler, where the
// synchronous wait cannot read the replies it waits for.
TEST_F(FtpNavigate, SynchronousModeCompletesTheDownloadAnAddressNames) {
  ScriptedFtp server(Net);
  server.Files["a.txt"] = "hello";
  ASSERT_TRUE(Login());
  Ftp->SetAsynchronous(false);
  Answers[ftpNeedLocalFile] = Local("a.txt");
  Ftp->OpenURL("ftp://127.0.0.1/pub/a.txt");
  ASSERT_TRUE(Net.RunUntil([&] { return Received > 0 || !Errors.empty(); }, 60000));
  EXPECT_TRUE(Errors.empty()) << Errors[0].first << " " << Errors[0].second;
  EXPECT_EQ(Read("a.txt"), "hello");
  EXPECT_FALSE(Ftp->GetBusy());
}

TEST_F(FtpNavigate, BadAddressesAreRefusedBeforeAnythingIsSent) {
  ScriptedFtp server(Net);
  ASSERT_TRUE(Login());
  size_t sent = Sent.size();
  for (const char* url : {"http://h/", "ftp://u@h/", "ftp://127.0.0.1/a%0D%0ADELE%20x", "ftp://h:99999/"}) {
    Errors.clear();
    Ftp->OpenURL(url);
    ASSERT_EQ(Errors.size(), 1u) << url;
    EXPECT_EQ(Errors[0].first, ftpErrURL) << url;
    EXPECT_FALSE(Ftp->GetBusy());
  }
  EXPECT_EQ(Sent.size(), sent);
}

TEST_F(FtpNavigate, ALineBreakFromTheServerIsNeverSentBack) {
  ScriptedFtp server(Net);
  server.Override["PWD"] = [](FakeConn& c, const std::string&) { c.Reply("257 \"/evil\nDELE x\""); };
  ASSERT_TRUE(Login());
  EXPECT_EQ(Ftp->GetCurrentDir(), "/evil\nDELE x");
  Ftp->InitialDirectory = Ftp->GetCurrentDir();
  server.Dirs.insert("/evil\nDELE x");
  Ftp->OpenURL("ftp://127.0.0.2/");  // reconnects; the initial directory is not taken along here
  Net.RunUntil([] { return false; }, 20000);
  for (const std::string& c : server.Commands) EXPECT_EQ(c.find("DELE"), std::string::npos) << c;
}

TEST_F(FtpNavigate, FileWithoutUsableLocalNameClosesTheConnection) {
  ScriptedFtp server(Net);
  server.Dirs.insert("/pub/CON");
  ASSERT_TRUE(Login());
  Ftp->OpenURL("ftp://127.0.0.1/pub/nul");
  ASSERT_TRUE(Net.RunUntil([&] { return Quit > 0; }, 60000));
  EXPECT_TRUE(std::count(Asked.begin(), Asked.end(), int(ftpNeedLocalFile)) == 0);
  EXPECT_FALSE(Ftp->GetConnectedToServer());
}

using FtpLifetime = FtpClientFixture;

// Destroying the client from inside its own events must leave nothing
// behind: no socket, no timer, no lookup, no crash (ASan watches).
TEST_F(FtpLifetime, DestroyedInsideEachKindOfCallback) {
  for (int when : {ftpInfoResolving, ftpInfoConnected, ftpInfoDataReceived, ftpInfoCommandSent,
                   ftpInfoLoggedIn, ftpInfoProgress, ftpInfoTransferSize}) {
    FakeNet net;
    net.Hosts["site"] = std::string("\x7f\0\0\x01", 4);
    ScriptedFtp server(net);
    server.Files["f"] = std::string(100000, 'x');
    auto ftp = std::make_unique<TMFtp>(nullptr, net.Factory());
    ftp->SetServer("site");
    bool loggedIn = false;
    ftp->OnLoggedIn = [&](TObject*) {
      loggedIn = true;
      ftp->Download("f", Local("f"));
    };
    ftp->OnFtpInfo = [&](TObject*, int code, const std::string&) {
      if (code == when) ftp.reset();
    };
    ftp->Connect();
    net.RunUntil([&] { return !ftp; }, 60000);
    EXPECT_FALSE(ftp) << when;
    net.RunUntil([] { return false; }, 5000);
    EXPECT_EQ(net.LiveSockets(), 0u) << when;
    EXPECT_EQ(net.LiveTimers(), 0u) << when;
  }
}

TEST_F(FtpLifetime, SinksAreCalledAndReleased) {
  ScriptedFtp server(Net);
  int ready = 0, infos = 0;
  int slot = Ftp->RegisterSink(ftpSinkReady, [&](TObject*) { ++ready; });
  int info = Ftp->RegisterInfoSink([&](TObject*, int, const std::string&) { ++infos; });
  EXPECT_EQ(slot, 1);
  EXPECT_EQ(info, 1);
  EXPECT_EQ(Ftp->RegisterSink(ftpSinkReady, nullptr), -1);
  for (int i = 2; i <= 4; ++i) EXPECT_EQ(Ftp->RegisterSink(ftpSinkReady, [](TObject*) {}), i);
  EXPECT_EQ(Ftp->RegisterSink(ftpSinkReady, [](TObject*) {}), -1);
  ASSERT_TRUE(Login());
  EXPECT_EQ(ready, 1);
  EXPECT_GT(infos, 5);
  Ftp->UnregisterSink(ftpSinkReady, slot);
  Ftp->UnregisterInfoSink(info);
  int before = infos;
  Ftp->OpenURL("ftp://127.0.0.1/pub/");
  ASSERT_TRUE(WaitReady());
  EXPECT_EQ(ready, 1);
  EXPECT_EQ(infos, before);
}

// A client whose own operations end through the completion table.
class TWalkingFtp : public TMFtp {
public:
  using TMFtp::TMFtp;
  using TMFtp::CompleteOperation;
};

using FtpCompletion = FtpClientFixture;

TEST_F(FtpCompletion, ResolvedLinksAndAnEndedWalkGoBackToTheirFolders) {
  ScriptedFtp server(Net);
  auto walking = std::make_unique<TWalkingFtp>(nullptr, Net.Factory());
  walking->SetServer("127.0.0.1");
  walking->SetTimeOut(2);
  walking->Retries = 0;
  walking->OnFtpInfo = Ftp->OnFtpInfo;
  walking->OnLoggedIn = Ftp->OnLoggedIn;
  walking->OnFtpReady = Ftp->OnFtpReady;
  walking->OnFtpError = Ftp->OnFtpError;
  int resolved = 0, resolvedSink = 0, changed = 0;
  walking->OnResolvedLinks = [&](TObject*) { ++resolved; };
  walking->RegisterSink(15, [&](TObject*) { ++resolvedSink; });
  walking->OnDirectoryChanged = [&](TObject*) { ++changed; };
  Ftp = std::move(walking);
  auto* ftp = static_cast<TWalkingFtp*>(Ftp.get());
  ASSERT_TRUE(Login());
  Ftp->OpenURL("ftp://127.0.0.1/pub/");
  ASSERT_TRUE(WaitReady());
  ASSERT_EQ(Ftp->GetCurrentDir(), "/pub");

  // Links resolved: back into the folder listed, then a directory change.
  Sent.clear();
  ftp->CompleteOperation(18);
  ASSERT_TRUE(Net.RunUntil([&] { return changed == 2; }, 30000));
  EXPECT_EQ(Sent, (std::vector<std::string>{"CWD /pub", "PWD"}));
  EXPECT_EQ(resolved, 1);
  EXPECT_EQ(resolvedSink, 1);

  // A walk that failed on the way reports it only once the CWD back to the
  // initial folder has been answered.
  Ftp->InitialDirectory = "/pub/docs";
  Ftp->OpenURL("ftp://127.0.0.1/nowhere/");
  ASSERT_TRUE(WaitReady());
  ASSERT_FALSE(Ftp->GetSuccess());
  Infos.clear();
  ftp->CompleteOperation(20);
  ASSERT_TRUE(Net.RunUntil([&] { return HasInfo(ftpInfoListTerminated); }, 30000));
  EXPECT_EQ(server.Cwd, "/pub/docs");
  bool answered = false;
  for (auto& [code, text] : Infos) {
    if (code == ftpInfoDataReceived && text.rfind("250", 0) == 0) answered = true;
    if (code == ftpInfoListTerminated) EXPECT_TRUE(answered) << "reported before the CWD was answered";
  }

  // A server that never answers that CWD: the command watch ends the wait.
  server.Override["CWD"] = [](FakeConn&, const std::string&) {};
  Infos.clear();
  ftp->CompleteOperation(20);
  ASSERT_TRUE(Net.RunUntil([&] { return HasInfo(ftpInfoListTerminated); }, 60000));
  EXPECT_TRUE(HasError(ftpErrTimedOut));
}

}  // namespace
