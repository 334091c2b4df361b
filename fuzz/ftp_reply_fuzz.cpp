// A server whose every reply comes from the fuzzer's bytes, to a client that
// logs in and downloads. Properties: every line the server receives is one
// command (no line break or NUL smuggled in from a reply), the client always
// comes to rest (no hang: the fake clock runs out otherwise), and a download
// reported complete has the size the server announced.
#include <filesystem>
#include <unistd.h>

#include "FuzzCheck.h"
#include "FakeNet.h"
#include "ftp/Ftp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 8192) return 0;
  std::string input(reinterpret_cast<const char*>(data), size);
  // Replies are separated by 0xFF bytes; each answers the next command.
  std::vector<std::string> replies;
  size_t start = 0;
  for (size_t i = 0; i <= input.size(); ++i)
    if (i == input.size() || static_cast<unsigned char>(input[i]) == 0xFF) {
      replies.push_back(input.substr(start, i - start));
      start = i + 1;
    }
  FakeNet net;
  size_t next = 0;
  bool smuggled = false;
  net.Serve(Ip(127, 0, 0, 1), 21, [&](FakeConn& c) {
    if (next < replies.size()) c.Send(replies[next++]);
    c.OnLine = [&](FakeConn& k, const std::string& line) {
      for (char ch : line)
        if (static_cast<unsigned char>(ch) < 32) smuggled = true;
      if (line.rfind("PASV", 0) == 0)
        net.Serve(Ip(127, 0, 0, 1), 1025, [](FakeConn& d) {
          d.Send("data");
          d.Close();
        });
      if (next < replies.size()) k.Send(replies[next++]);
      else k.Close();
    };
  });
  const std::string local =
      (std::filesystem::temp_directory_path() / ("tq-ftp-reply-" + std::to_string(getpid()))).string();
  std::filesystem::remove(local);
  {
    TMFtp ftp(nullptr, net.Factory());
    ftp.SetServer("127.0.0.1");
    ftp.Retries = 1;
    ftp.RetryInterval = 1;
    ftp.SetTimeOut(2);
    ftp.Passive = size % 2 == 0;
    bool downloaded = false, started = false;
    int complete = 0;
    ftp.OnFtpInfo = [&](TObject*, int code, const std::string&) { complete += code == ftpInfoTransferComplete; };
    ftp.OnFileReceived = [&](TObject*) { downloaded = true; };
    ftp.OnLoggedIn = [&](TObject*) {
      started = true;
      ftp.Download("f", local);
    };
    ftp.Connect();
    bool rested = net.RunUntil([&] { return !ftp.GetBusy() && !ftp.GetConnectedToServer() && net.LiveTimers() <= 1; },
                               600000);
    (void)rested;
    FUZZ_CHECK(!smuggled, "a reply's line break reached a command");
    FUZZ_CHECK(net.Now < 600000 || !ftp.GetBusy(), "the client never came to rest");
    if (downloaded) {
      FUZZ_CHECK(started && complete == 1, "a download reported without its completion");
      // "data" is all any data connection ever carries here.
      FUZZ_CHECK(std::filesystem::file_size(local) == 4, "a download reported complete with the wrong size");
    }
  }
  std::filesystem::remove(local);
  return 0;
}
