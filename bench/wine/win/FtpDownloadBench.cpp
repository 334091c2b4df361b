// TMFtp downloading a file over PASV from a local server under Wine: best of
// three, printed as "ftp-download-mbps: N" (10^6 bytes per second).
//   usage: ftp_wine_download_bench <port> <remote path> <local file>
#include "ftp/Ftp.h"
#include "ftp/win/FtpWin.h"

#include "platform/win/WinApi.h"
#include "WineBench.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  return wine_bench::Run(argc, argv, 3, "<port> <remote path> <local file>", [&] {
    InstallWinFtp();
    TMFtp ftp(nullptr);
    ftp.SetServer("127.0.0.1");
    ftp.SetPort(static_cast<uint16_t>(std::atoi(argv[1])));
    ftp.Passive = true;
    ftp.Retries = 0;
    ftp.SetAsynchronous(false);
    bool in = false, failed = false;
    ftp.OnLoggedIn = [&](TObject*) { in = true; };
    ftp.OnFtpError = [&](TObject*, int code, const std::string& text) {
      std::fprintf(stderr, "error %d %s\n", code, text.c_str());
      failed = true;
    };
    ftp.OnFtpNeedInfo = [](TObject*, int, std::string& v) { v = "Overwrite"; };
    ftp.Connect();
    while (!in && !failed) {
      MSG m;
      if (::GetMessageA(&m, nullptr, 0, 0) <= 0) break;
      ::DispatchMessageA(&m);
    }
    if (!in) return 1;
    double best = 0;
    for (int round = 0; round < 3 && !failed; ++round) {
      ::DeleteFileA(argv[3]);
      // Synchronous: the download returns when done.
      const double seconds = wine_bench::Time([&] { ftp.Download(argv[2], argv[3]); });
      const double mbps = double(ftp.GetBytesReceived()) / 1e6 / seconds;
      if (!failed && mbps > best) best = mbps;
    }
    ::DeleteFileA(argv[3]);
    if (failed) return 1;
    std::printf("ftp-download-mbps: %.1f\n", best);
    return 0;
  });
}
