// Parsers of what servers and addresses send us, and the socket's own rules.
#include "FakeNet.h"

#include "ftp/Ftp.h"

#include <gtest/gtest.h>

namespace {

TEST(FtpUrl, Split) {
  struct Case {
    const char* url;
    bool ok;
    const char *user, *password, *host, *path;
    int port;
  } cases[] = {
      {"ftp://h/pub/x", true, "", "", "h", "/pub/x", 0},
      {"FTP://H:2121", true, "", "", "H", "", 2121},
      {" ftp://u:p@h/ ", true, "u", "p", "h", "/", 0},
      // The user info ends at the last "@" of the authority; "@" and ":" in
      // the path are path.
      {"ftp://me@x.org:pa@ss@h/a@b:c", true, "me@x.org", "pa@ss", "h", "/a@b:c", 0},
      {"ftp://u%3Ax:p%40q@h/a%20b/%2F", true, "u:x", "p@q", "h", "/a b//", 0},
      {"ftp://h%41/x", true, "", "", "h%41", "/x", 0},  // the host is never decoded
      {"ftp://user@h/", false, "", "", "", "", 0},     // no ":" in the user info
      {"ftp://h/a%0Db", false}, {"ftp://h/a%0Ab", false}, {"ftp://u:p%00@h/", false},
      {"ftp://h:0/", false}, {"ftp://h:65536/", false}, {"ftp://h:x/", false},
      {"ftp://h:65535/", true, "", "", "h", "/", 65535},
      {"http://h/", false}, {"ftp:/h", false},
  };
  for (const Case& c : cases) {
    TFtpURL u;
    std::string error;
    ASSERT_EQ(SplitFtpURL(c.url, u, error), c.ok) << c.url;
    if (!c.ok) {
      EXPECT_EQ(error, std::string(c.url).find("ftp") == std::string::npos ||
                               std::string(c.url).rfind("ftp://", 0) != 0
                           ? "The protocol is not supported" : "Invalid sytax") << c.url;
      continue;
    }
    EXPECT_EQ(u.User, c.user) << c.url;
    EXPECT_EQ(u.Password, c.password) << c.url;
    EXPECT_EQ(u.Host, c.host) << c.url;
    EXPECT_EQ(u.Path, c.path) << c.url;
    EXPECT_EQ(u.Port, c.port) << c.url;
  }
}

TEST(FtpReplies, Pasv) {
  struct Case { const char* reply; bool ok; uint32_t addr; uint16_t port; } cases[] = {
      {"227 Entering Passive Mode (10,0,0,1,4,1).", true, Ip(10, 0, 0, 1), 1025},
      {"227 ( 127,0,0,1,255,255 )", true, Ip(127, 0, 0, 1), 65535},
      {"227 (1,2,3,4,5)", false}, {"227 (1,2,3,4,5,6,7)", false}, {"227 (1,2,3,4,5,256)", false},
      {"227 (1,2,3,4,5,-1)", false}, {"227 (1,2,3,4,5,x)", false},
      {"227 (1,2,3,4,5,6", false}, {"227 (1,,3,4,5,6)", false}, {"227 ()", false},
      {"227 (99999999999999999999,2,3,4,5,6)", false},
      // Without parentheses: the first six comma-separated numbers after the code.
      {"227 Entering Passive Mode 10,0,0,1,4,1", true, Ip(10, 0, 0, 1), 1025},
      {"227 Entering Passive Mode 10,0,0,1,4,1.", true, Ip(10, 0, 0, 1), 1025},
      {"227 =127,0,0,1,255,255,9 and more", true, Ip(127, 0, 0, 1), 65535},
      {"227 1,2,3,4,5", false}, {"227 1,2,3,4,5,256", false}, {"227 1,2,3,4, 5,6", false},
      {"227 Entering Passive Mode", false}, {"227", false},
  };
  for (const Case& c : cases) {
    TSockAddr at;
    ASSERT_EQ(ParsePasvNumbers(c.reply, at), c.ok) << c.reply;
    if (c.ok) {
      EXPECT_EQ(at.Addr, c.addr) << c.reply;
      EXPECT_EQ(at.Port, c.port) << c.reply;
    }
  }
}

TEST(FtpReplies, AnnouncedSizeAndQuotes) {
  EXPECT_EQ(AnnouncedSize("150 Opening BINARY mode data connection for a (1234 bytes)."), 1234);
  EXPECT_EQ(AnnouncedSize("150 Here (x) comes (12 bytes)"), 12);
  EXPECT_EQ(AnnouncedSize("150 Opening data connection."), -1);
  EXPECT_EQ(AnnouncedSize("150 (-5 bytes)"), -1);
  EXPECT_EQ(AnnouncedSize("150 (99999999999999999999 bytes)"), -1);
  EXPECT_EQ(AnnouncedSize("150 (8589934592 bytes)"), 8589934592LL);
  EXPECT_EQ(QuotedText("257 \"/pub\" is current"), "/pub");
  EXPECT_EQ(QuotedText("257 \"/a\nb\""), "/a\nb");
  EXPECT_EQ(QuotedText("257 no quotes"), "");
  EXPECT_EQ(QuotedText("257 \"unterminated"), "");
}

TEST(FtpReplies, ProposedLocalName) {
  struct Case { const char* remote; const char* local; } cases[] = {
      {"/pub/file.txt", "file.txt"}, {"a\\b\\c.zip", "c.zip"}, {"x:y*z?.txt", "x_y_z_.txt"},
      {"/pub/", ""}, {"..", ""}, {".", ""}, {"/pub/CON", ""}, {"nul.txt", ""}, {"  ", ""},
      {"a\"b<c>d|e", "a_b_c_d_e"}, {"tab\there", "tab_here"},
  };
  for (const Case& c : cases) EXPECT_EQ(ProposedLocalName(c.remote), c.local) << c.remote;
}

TEST(FtpSocketAddress, DottedAndServer) {
  uint32_t a = 0;
  for (const char* good : {"10.0.0.1", "255.255.255.255", "0.0.0.0"})
    EXPECT_TRUE(ParseDottedAddress(good, a)) << good;
  for (const char* bad : {"3com.example", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1..2.3", "1.2.3.4 ", "",
                          "0001.2.3.4", "1.2.3.x"})
    EXPECT_FALSE(ParseDottedAddress(bad, a)) << bad;
  FakeNet net;
  TMSocket s(nullptr, net.Factory());
  s.SetServer("  10.0.0.1 ");
  EXPECT_EQ(s.GetIP(), "10.0.0.1");
  EXPECT_EQ(s.GetHost(), "");
  s.SetServer("3com.example");
  EXPECT_EQ(s.GetHost(), "3com.example");
  EXPECT_EQ(s.GetIP(), "");
  s.SetServer("");
  EXPECT_EQ(s.GetServer(), "");
  EXPECT_EQ(s.GetHost(), "3com.example");
}

struct SocketProbe {
  FakeNet net;
  TMSocket sock{nullptr, net.Factory()};
  std::vector<std::string> events;
  SocketProbe() {
    sock.OnConnect = [this](TObject*) { events.push_back("connect " + std::to_string(sock.GetLastError())); };
    sock.OnDisconnect = [this](TObject*) { events.push_back("disconnect"); };
    sock.OnRead = [this](TObject*) { events.push_back("read"); };
    sock.OnLookupDone = [this](TObject*) { events.push_back("lookup " + std::to_string(sock.GetLastError())); };
    sock.OnTimeOut = [this](TObject*) { events.push_back("timeout"); };
  }
};

TEST(FtpSocket, StaleNotificationsAreIgnored) {
  SocketProbe p;
  p.net.Serve(Ip(127, 0, 0, 1), 21, [](FakeConn& c) { c.Reply("220 hi"); });
  p.sock.CreateSocket();
  p.sock.SetAddress({Ip(127, 0, 0, 1), 21});
  p.sock.Connect();
  EXPECT_EQ(p.sock.GetLastError(), 0);  // would-block is not reported
  TSocketHandle old = p.sock.GetHandle();
  p.sock.RecreateSocket();  // the queued FD_CONNECT and FD_READ now name a closed socket
  p.net.RunUntil([] { return false; }, 100);
  EXPECT_TRUE(p.events.empty()) << p.events[0];
  EXPECT_NE(old, p.sock.GetHandle());
}

TEST(FtpSocket, CloseOfUnconnectedSocketAndLookups) {
  SocketProbe p;
  p.net.Hosts["v4"] = std::string("\x7f\0\0\x01", 4);
  p.net.Hosts["v6"] = std::string(16, '\x01');
  p.sock.SetTimeOut(2);
  p.sock.CreateSocket();
  p.sock.Resolve("v6");
  p.net.RunUntil([&] { return !p.events.empty(); }, 100);
  ASSERT_EQ(p.events, std::vector<std::string>{"lookup 11004"});  // not an IPv4 address
  p.sock.Resolve("nowhere");
  p.net.RunUntil([&] { return p.events.size() > 1; }, 100);
  EXPECT_EQ(p.events.back(), "lookup 11001");  // a failed lookup still reports
  // A lookup cancelled by Close never reports; the handle goes and the
  // disconnect is told once.
  p.sock.Resolve("v4");
  p.sock.Close();
  p.net.RunUntil([] { return false; }, 3000);
  EXPECT_EQ(p.events.back(), "disconnect");
  EXPECT_EQ(p.events.size(), 3u);
  EXPECT_EQ(p.net.LiveSockets(), 0u);
  EXPECT_EQ(p.net.LiveTimers(), 0u);
}

TEST(FtpSocket, CountdownCoversConnectOnly) {
  SocketProbe p;
  p.net.BlackHoles.push_back(Ip(127, 0, 0, 9));
  p.sock.SetTimeOut(3);
  p.sock.CreateSocket();
  p.sock.SetAddress({Ip(127, 0, 0, 9), 21});
  p.sock.Connect();
  p.net.RunUntil([&] { return !p.events.empty(); }, 10000);
  EXPECT_EQ(p.events, std::vector<std::string>{"timeout"});
  EXPECT_EQ(p.net.Now, 3000u);
  p.sock.StartTimer(0);
  EXPECT_EQ(p.net.LiveTimers(), 0u);
}

}  // namespace
