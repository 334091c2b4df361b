// The FTP client under Wine with real wsock32, hidden windows and timers,
// against the vsftpd and the scripted hostile server scripts/test starts.
#include "ftp/Ftp.h"
#include "ftp/FtpMisc.h"
#include "ftp/win/FtpWin.h"

#include "platform/win/WinApi.h"

#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

// A Unix path of the test machine as Wine's Z: drive shows it.
std::string WinePath(const std::string& unix) {
  std::string p = "Z:" + unix;
  for (char& c : p)
    if (c == '/') c = '\\';
  return p;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string Pattern(size_t size, int modulo) {
  std::string s(size, '\0');
  for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>(i % modulo);
  return s;
}

class FtpWine : public testing::Test {
protected:
  void SetUp() override {
    InstallWinFtp();
    Port = std::atoi(Env("TQ_FTP_PORT").c_str());
    ASSERT_GT(Port, 0) << "the FTP servers are started by scripts/test (TQ_FTP_PORT is not set)";
    char tmp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, tmp);
    Dir = std::string(tmp) + "tq_ftp_" + testing::UnitTest::GetInstance()->current_test_info()->name();
    ::CreateDirectoryA(Dir.c_str(), nullptr);
    Ftp = std::make_unique<TMFtp>(nullptr);
    Ftp->SetServer("127.0.0.1");
    Ftp->SetPort(static_cast<uint16_t>(Port));
    Ftp->SetTimeOut(2);
    Ftp->RetryInterval = 1;
    Ftp->Retries = 0;
    Ftp->SetNoopInterval(1);
    Ftp->OnFtpInfo = [this](TObject*, int code, const std::string& text) {
      Infos.emplace_back(code, text);
      if (code == ftpInfoCommandSent) Sent.push_back(text.substr(0, text.size() - 2));
    };
    Ftp->OnFtpError = [this](TObject*, int code, const std::string& t) { Errors.emplace_back(code, t); };
    Ftp->OnFtpNeedInfo = [this](TObject*, int need, std::string& value) {
      auto it = Answers.find(need);
      if (it != Answers.end()) value = it->second;
    };
    Ftp->OnFtpReady = [this](TObject*) { ++Ready; };
    Ftp->OnLoggedIn = [this](TObject*) { ++LoggedIn; };
    Ftp->OnFileReceived = [this](TObject*) { ++Received; };
  }
  void TearDown() override {
    Ftp.reset();
    Loop([] { return false; }, 100);  // what the sockets still had queued must find no one
  }

  // Runs the thread's message loop until `done` or `ms` pass.
  bool Loop(const std::function<bool()>& done, DWORD ms = 15000) {
    ULONGLONG end = ::GetTickCount64() + ms;
    while (!done()) {
      ULONGLONG now = ::GetTickCount64();
      if (now >= end) return false;
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 50)),
                                  QS_ALLINPUT);
      MSG m;
      while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&m);
        ::DispatchMessageA(&m);
      }
    }
    return true;
  }
  bool Login() {
    Ftp->Connect();
    return Loop([&] { return LoggedIn > 0 || !Errors.empty(); }) && LoggedIn > 0;
  }
  bool WaitReady() {
    int before = Ready;
    return Loop([&] { return Ready > before; });
  }
  std::string Served(const std::string& name) { return ReadFile(WinePath(Env("TQ_FTP_ROOT") + name)); }
  std::string Local(const std::string& name) { return Dir + "\\" + name; }
  bool HasInfo(int code) {
    for (auto& i : Infos)
      if (i.first == code) return true;
    return false;
  }
  int HostilePort(const std::string& scenario) {
    std::ifstream in(WinePath(Env("TQ_FTP_HOSTILE_MAP")));
    std::string name;
    int port;
    while (in >> name >> port)
      if (name == scenario) return port;
    return 0;
  }

  int Port = 0;
  std::string Dir;
  std::unique_ptr<TMFtp> Ftp;
  std::vector<std::pair<int, std::string>> Infos, Errors;
  std::vector<std::string> Sent;
  std::map<int, std::string> Answers;
  int Ready = 0, LoggedIn = 0, Received = 0;
};

TEST_F(FtpWine, AnonymousAndLocalUserLogins) {
  Ftp->InitialDirectory = "/pub";
  ASSERT_TRUE(Login()) << (Errors.empty() ? "" : Errors[0].second);
  EXPECT_EQ(Ftp->GetCurrentDir(), "/pub");
  EXPECT_TRUE(Ftp->GetCanResume());
  EXPECT_EQ(Ftp->ServerType, ftpstUNIX);

  TMFtp local(nullptr);
  local.SetServer("127.0.0.1");
  local.SetPort(static_cast<uint16_t>(Port));
  local.Username = Env("TQ_FTP_USER");
  local.Password = Env("TQ_FTP_PASS");
  local.Retries = 0;
  bool in = false;
  local.OnLoggedIn = [&](TObject*) { in = true; };
  local.Connect();
  ASSERT_TRUE(Loop([&] { return in; }));
  EXPECT_EQ(local.GetCurrentDir(), Env("TQ_FTP_ROOT"));  // the user's home
}

TEST_F(FtpWine, OpenURLToAFolderAndToAFile) {
  std::string site = "ftp://127.0.0.1:" + std::to_string(Port);
  int before = Ready;
  Ftp->OpenURL(site + "/pub/docs/");
  // Logged in is not yet there: the CWD's reply names no folder, so a PWD
  // follows, and the operation ends with its completion.
  ASSERT_TRUE(Loop([&] { return Ready > before && !Ftp->GetBusy(); }));
  EXPECT_EQ(Ftp->GetCurrentDir(), "/pub/docs");
  Answers[ftpNeedLocalFile] = Local("data.bin");
  Ftp->OpenURL(site + "/pub/data.bin");
  ASSERT_TRUE(Loop([&] { return Received > 0 || !Errors.empty(); }));
  EXPECT_TRUE(ReadFile(Local("data.bin")) == Served("/pub/data.bin"));
}

TEST_F(FtpWine, PassiveAndActiveDownloadsMatchByteForByte) {
  ASSERT_TRUE(Login());
  for (bool passive : {true, false}) {
    Ftp->Passive = passive;
    std::string name = passive ? "pasv.bin" : "port.bin";
    Ftp->Download("/pub/data.bin", Local(name));
    ASSERT_TRUE(WaitReady()) << passive;
    EXPECT_TRUE(Errors.empty()) << (Errors.empty() ? "" : Errors[0].second);
    EXPECT_TRUE(ReadFile(Local(name)) == Served("/pub/data.bin")) << passive;
  }
  EXPECT_EQ(Received, 2);
}

TEST_F(FtpWine, ResumeEqualSizeOverwriteAndAscii) {
  ASSERT_TRUE(Login());
  std::string whole = Served("/pub/data.bin");
  Ftp->Passive = true;
  struct Case { std::string local; const char* answer; int info; } cases[] = {
      {whole.substr(0, 1000), "Resume", -1},
      {whole, "Resume", ftpInfoNothingToDo},
      {whole + "TAIL", "Overwrite", -1},
  };
  for (const Case& c : cases) {
    WriteFile(Local("r.bin"), c.local);
    Answers[ftpNeedResume] = c.answer;
    Infos.clear();
    Sent.clear();
    Ftp->Download("/pub/data.bin", Local("r.bin"));
    ASSERT_TRUE(WaitReady());
    EXPECT_TRUE(ReadFile(Local("r.bin")) == whole) << c.answer << " " << c.local.size();
    if (c.info >= 0) EXPECT_TRUE(HasInfo(c.info));
    if (c.local.size() == 1000)
      EXPECT_NE(std::find(Sent.begin(), Sent.end(), "REST 1000"), Sent.end());
  }
  EXPECT_TRUE(Errors.empty());
  Ftp->TransferMode = AsciiTransfer;
  Ftp->Download("/pub/text.txt", Local("t.txt"));
  ASSERT_TRUE(WaitReady());
  EXPECT_NE(std::find(Sent.begin(), Sent.end(), "TYPE A"), Sent.end());
  EXPECT_NE(ReadFile(Local("t.txt")).find("line two"), std::string::npos);
}

TEST_F(FtpWine, NoopEverySecond) {
  ASSERT_TRUE(Login());
  Sent.clear();
  Loop([] { return false; }, 2600);
  EXPECT_GE(std::count(Sent.begin(), Sent.end(), "NOOP"), 2);
  EXPECT_TRUE(Errors.empty());
}

TEST_F(FtpWine, RefusedPortRetriesToTheEnd) {
  Ftp->SetPort(1);
  Ftp->Retries = 1;
  Ftp->Connect();
  ASSERT_TRUE(Loop([&] { return HasInfo(ftpInfoRetryFinished); }));
  EXPECT_TRUE(HasInfo(ftpInfoRetrying));
  ASSERT_FALSE(Errors.empty());
  EXPECT_EQ(Errors[0].first, ftpErrRefused);
}

struct HostileCase {
  const char* scenario;
  int error;            // -1: the download must succeed
  bool passive = true;
  const char* resumeFrom = nullptr;  // a partial local file first
};

TEST_F(FtpWine, HostileServersEndInTheirErrors) {
  const std::string data = Pattern(200000, 251);
  HostileCase cases[] = {
      {"pasv-127.0.0.2", -1}, {"pasv-127.0.0.3", -1}, {"pasv-malformed", ftpErrReply},
      {"size-abc", -1, true, "x"}, {"size-neg", -1, true, "x"}, {"size-20", -1, true, "x"},
      {"short150", ftpErrData}, {"pwd-lf", -1}, {"fin-226", ftpErrData}, {"rst", ftpErrData},
      {"foreign-port", -1, false}, {"normal", -1, false}, {"pasv-noparen", -1},
      {"ctrl-close", ftpErrData}, {"stray-226", ftpErrTimedOut, false},
  };
  for (const HostileCase& c : cases) {
    SCOPED_TRACE(c.scenario);
    int port = HostilePort(c.scenario);
    ASSERT_GT(port, 0);
    TMFtp ftp(nullptr);
    ftp.SetServer("127.0.0.1");
    ftp.SetPort(static_cast<uint16_t>(port));
    ftp.SetTimeOut(2);
    ftp.Retries = 0;
    ftp.Passive = c.passive;
    std::vector<int> errors;
    int ready = 0, received = 0;
    bool in = false;
    std::string dir;
    ftp.OnFtpError = [&](TObject*, int e, const std::string&) { errors.push_back(e); };
    ftp.OnFtpReady = [&](TObject*) { ++ready; };
    ftp.OnLoggedIn = [&](TObject*) { in = true; dir = ftp.GetCurrentDir(); };
    ftp.OnFileReceived = [&](TObject*) { ++received; };
    ftp.OnFtpNeedInfo = [&](TObject*, int need, std::string& v) { if (need == ftpNeedResume) v = "Resume"; };
    ftp.Connect();
    ASSERT_TRUE(Loop([&] { return in; }));
    std::string file = Local(std::string(c.scenario) + ".bin");
    ::DeleteFileA(file.c_str());
    if (c.resumeFrom) WriteFile(file, c.resumeFrom);
    int before = ready;
    ftp.Download("f", file);
    ASSERT_TRUE(Loop([&] { return ready > before; }, 20000));
    if (c.error < 0) {
      EXPECT_TRUE(errors.empty()) << errors[0];
      EXPECT_EQ(received, 1);
      EXPECT_TRUE(ReadFile(file) == data) << ReadFile(file).size();
    } else {
      ASSERT_FALSE(errors.empty());
      EXPECT_EQ(errors[0], c.error);
      EXPECT_EQ(received, 0);
    }
  }
}

// A refused or broken download finds the local file as it was, and leaves
// nothing beside it.
TEST_F(FtpWine, FailedDownloadsLeaveTheLocalFileAsItWas) {
  const std::string before = "partial-content";
  struct Case { const char* scenario; const char* answer; int error; bool passive; } cases[] = {
      {"size550-retr550", "Resume", ftpErrAccess, true}, {"size550-retr550", "Resume", ftpErrAccess, false},
      {"overwrite-break", "Overwrite", ftpErrData, true}, {"ctrl-close", "Overwrite", ftpErrData, true},
      {"vsftpd", "Resume", ftpErrAccess, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.scenario) + (c.passive ? " passive" : " active"));
    bool vsftpd = std::string(c.scenario) == "vsftpd";
    TMFtp ftp(nullptr);
    ftp.SetServer("127.0.0.1");
    ftp.SetPort(static_cast<uint16_t>(vsftpd ? Port : HostilePort(c.scenario)));
    ASSERT_GT(ftp.GetPort(), 0);
    ftp.SetTimeOut(2);
    ftp.Retries = 0;
    ftp.Passive = c.passive;
    // vsftpd refuses SIZE in ASCII mode with 550; the file is not there either.
    if (vsftpd) ftp.TransferMode = AsciiTransfer;
    std::vector<int> errors;
    int ready = 0, received = 0;
    bool in = false;
    ftp.OnFtpError = [&](TObject*, int e, const std::string&) { errors.push_back(e); };
    ftp.OnFtpReady = [&](TObject*) { ++ready; };
    ftp.OnLoggedIn = [&](TObject*) { in = true; };
    ftp.OnFileReceived = [&](TObject*) { ++received; };
    ftp.OnFtpNeedInfo = [&](TObject*, int need, std::string& v) { if (need == ftpNeedResume) v = c.answer; };
    ftp.Connect();
    ASSERT_TRUE(Loop([&] { return in; }));
    std::string file = Local("kept.bin");
    WriteFile(file, before);
    int start = ready;
    ftp.Download(vsftpd ? "/pub/missing.bin" : "f", file);
    ASSERT_TRUE(Loop([&] { return ready > start; }, 20000));
    std::string now = ReadFile(file);
    EXPECT_TRUE(now == before) << now.size() << " bytes: " << now.substr(0, 40);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors[0], c.error);
    EXPECT_EQ(received, 0);
    WIN32_FIND_DATAA found;
    HANDLE h = ::FindFirstFileA((file + ".part*").c_str(), &found);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE) << "left beside it: " << found.cFileName;
    if (h != INVALID_HANDLE_VALUE) ::FindClose(h);
  }
  // An ASCII resume vsftpd cannot size is an overwrite that replaces the file.
  ASSERT_TRUE(Login());
  Ftp->TransferMode = AsciiTransfer;
  Answers[ftpNeedResume] = "Resume";
  WriteFile(Local("t.txt"), "old text that is longer than the new one");
  Ftp->Download("/pub/text.txt", Local("t.txt"));
  ASSERT_TRUE(WaitReady());
  EXPECT_TRUE(Errors.empty()) << Errors[0].second;
  EXPECT_EQ(ReadFile(Local("t.txt")).substr(0, 8), "line one");
  EXPECT_EQ(ReadFile(Local("t.txt")).find("longer"), std::string::npos);
  EXPECT_EQ(Received, 1);
}

TEST_F(FtpWine, BurstThenCloseLandsEveryByte) {
  Ftp->SetPort(static_cast<uint16_t>(HostilePort("burst")));
  Ftp->Passive = true;
  ASSERT_TRUE(Login());
  Ftp->Download("f", Local("burst.bin"));
  ASSERT_TRUE(WaitReady());
  EXPECT_TRUE(Errors.empty());
  EXPECT_TRUE(ReadFile(Local("burst.bin")) == Pattern(5 * 1024 * 1024, 253));
  EXPECT_EQ(Received, 1);
}

TEST_F(FtpWine, OddLinesSilenceAndAnEndlessLine) {
  Ftp->SetPort(static_cast<uint16_t>(HostilePort("oddlines")));
  EXPECT_TRUE(Login());
  Ftp.reset();
  for (const char* scenario : {"silent", "longline"}) {
    SCOPED_TRACE(scenario);
    Errors.clear();
    TMFtp ftp(nullptr);
    ftp.SetServer("127.0.0.1");
    ftp.SetPort(static_cast<uint16_t>(HostilePort(scenario)));
    ftp.SetTimeOut(2);
    ftp.Retries = 0;
    ftp.OnFtpError = [&](TObject*, int e, const std::string& t) { Errors.emplace_back(e, t); };
    ftp.Connect();
    ASSERT_TRUE(Loop([&] { return !Errors.empty(); }, 20000));
    EXPECT_EQ(Errors[0].first, std::string(scenario) == "silent" ? ftpErrTimedOut : ftpErrReply);
  }
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  ASSERT_TRUE(::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof pmc));
  EXPECT_LT(pmc.PeakWorkingSetSize, 64u * 1024 * 1024);
}

TEST_F(FtpWine, AnotherHostIsVisitedAnonymously) {
  Ftp->Username = Env("TQ_FTP_USER");
  Ftp->Password = Env("TQ_FTP_PASS");
  ASSERT_TRUE(Login());
  Ftp->OpenURL("ftp://127.0.0.2:" + std::to_string(HostilePort("anonymous")) + "/");
  ASSERT_TRUE(WaitReady());
  EXPECT_TRUE(Errors.empty()) << Errors[0].second;
  EXPECT_TRUE(Ftp->GetLoggedIn());
  EXPECT_EQ(Ftp->GetCurrentDir(), "/");
  EXPECT_EQ(Ftp->Username, "anonymous");
  EXPECT_EQ(Ftp->GetServer(), "127.0.0.2");
}

}  // namespace
