// TMFtp: connection, retries, proxies and login. Directory changes,
// addresses and downloads are in FtpTransfer.cpp.
#include "ftp/Ftp.h"

#include "ftp/FtpCache.h"
#include "ftp/FtpMisc.h"

namespace {
constexpr unsigned kNoopTimer = 2, kRetryTimer = 3, kWatchTimer = 4;
// A reply line longer than this without its CR LF is not a reply.
constexpr size_t kMaxReplyLine = 64 * 1024;
constexpr size_t kReadBlock = 64 * 1024;

const char* InfoText(int code) {
  switch (code) {
    case ftpInfoNotConnected: return "Not connected to the server";
    case ftpInfoBusy: return "The component is busy doing something";
    case ftpInfoCanResume: return "This site can resume broken downloads/uploads";
    case ftpInfoLoggedIn: return "Logged in";
    case ftpInfoCannotResume: return "This site cannot resume broken downloads/uploads";
    case ftpInfoRetrying: return "Retrying...";
    case ftpInfoNothingToDo: return "I am afraid I have nothing to do";
    case ftpInfoRetryFinished: return "Retry Finished";
    case ftpInfoListTerminated: return "FileList building was terminated abnormally";
    default: return "";
  }
}

const char* ErrorTextOf(int code) {
  switch (code) {
    case ftpErrNetDown: return "Network down";
    case ftpErrBadAddress: return "Invalid address specified";
    case ftpErrWinsock: return "General Winsock Error";
    case ftpErrAborted: return "Connection aborted due to timeout or other failure";
    case ftpErrReset: return "Connection reset by remote side";
    case ftpErrTimedOut: return "Connection timed out";
    case ftpErrNoSockets: return "Out of sockets";
    case ftpErrNetUnreachable: return "Network unreachable";
    case ftpErrAddrNotAvail: return "Address not available";
    case ftpErrRefused: return "Connection Refused";
    case ftpErrResolve: return "Address resolution error";
    case ftpErrHostUnreachable: return "Host unreachable";
    case ftpErrResume: return "Failed to resume downloading file";
    case ftpErrAccess: return "Access denied or file not found";
    default: return "";
  }
}

bool Starts(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }
}  // namespace

std::string QuotedText(const std::string& reply) {
  size_t a = reply.find('"');
  if (a == std::string::npos) return std::string();
  size_t b = reply.find('"', a + 1);
  if (b == std::string::npos) return std::string();
  return reply.substr(a + 1, b - a - 1);
}

TMFtp::TMFtp(TComponent* owner, const TSocketApiFactory& factory) : TMSocket(owner, factory) {
  FListener = std::make_unique<TMSocket>(nullptr, factory);
  FData = std::make_unique<TMSocket>(nullptr, factory);
  OnMessage = [this](unsigned msg) { Completion(msg); };
  OnConnect = [this](TObject* s) { ConnectDone(s); };
  OnDisconnect = [this](TObject* s) { Disconnected(s); };
  OnRead = [this](TObject* s) { ControlRead(s); };
  OnTimeOut = [this](TObject* s) { TimedOut(s); };
  SetPort(21);
}

TMFtp::~TMFtp() {
  // No event of ours may run from here on, whatever the sockets report as
  // they go.
  OnDisconnect = nullptr;
  OnRead = nullptr;
  FListener.reset();
  FData.reset();
  Api().StopTimer(kNoopTimer);
  Api().StopTimer(kRetryTimer);
  Api().StopTimer(kWatchTimer);
  CloseLocalFile();
}

void TMFtp::SetAsynchronous(bool value) {
  if (!FBusy) FAsynchronous = value;
}

void TMFtp::SetNoopInterval(int seconds) {
  FNoopInterval = seconds;
  if (FNoopOn) SetNoopTimer(true);
}

void TMFtp::SetNoopTimer(bool on) {
  FNoopOn = on;
  if (on && FNoopInterval > 0)
    Api().StartTimer(kNoopTimer, static_cast<unsigned>(FNoopInterval) * 1000);
  else
    Api().StopTimer(kNoopTimer);
}

// --- reporting --------------------------------------------------------------

bool TMFtp::Fire(const TNotifyEvent& event) {
  if (!event) return true;
  auto alive = AliveToken();
  TNotifyEvent copy = event;  // the handler may replace or free the original
  copy(this);
  return *alive;
}

bool TMFtp::DoInfo(int code, const std::string& text) {
  std::string t = text.empty() ? InfoText(code) : text;
  auto alive = AliveToken();
  if (OnFtpInfo) OnFtpInfo(this, code, t);
  for (size_t i = 0; i < 4 && *alive; ++i) {
    TMFtpCodeSink sink = FCodeSinks[1][i];
    if (sink) sink(this, code, t);
  }
  return *alive;
}

bool TMFtp::DoError(int code) {
  FSuccess = false;
  FErrorCode = code;
  std::string t = FErrorText.empty() ? ErrorTextOf(code) : FErrorText;
  auto alive = AliveToken();
  if (OnFtpError) OnFtpError(this, code, t);
  for (size_t i = 0; i < 4 && *alive; ++i) {
    TMFtpCodeSink sink = FCodeSinks[0][i];
    if (sink) sink(this, code, t);
  }
  if (*alive) FErrorText.clear();
  return *alive;
}

void TMFtp::ErrorAndClose(int code) {
  if (FAbortPending) return;
  if (!DoError(code)) return;
  CloseDataSockets();
  // Also a socket still connecting or looking up is closed: the attempt is
  // over and goes through the retry logic like any other failure.
  if (GetHandle() != InvalidSocket || LookupRunning()) Close();
}

bool TMFtp::CheckSocketError(int error) {
  if (error == 0 || FAbortPending || error == wsaENotSock || error == wsaENotConn) {
    FErrorCode = 0;
    return false;
  }
  int code;
  switch (error) {
    case 10013: code = ftpErrBadAddress; break;
    case 10022: code = ftpErrInternal; break;
    case 10024: code = ftpErrNoSockets; break;
    case 10049: code = ftpErrAddrNotAvail; break;
    case 10050: code = ftpErrNetDown; break;
    case 10051: code = ftpErrNetUnreachable; break;
    case 10052: case 10055: code = ftpErrWinsock; break;
    case 10053: code = ftpErrAborted; break;
    case 10054: code = ftpErrReset; break;
    case 10060: code = ftpErrTimedOut; break;
    case 10061: code = ftpErrRefused; break;
    case 10065: code = ftpErrHostUnreachable; break;
    case 11001: case 11002: case 11003: case 11004: code = ftpErrResolve; break;
    default:
      code = ftpErrInternal;
      FErrorText = "Unexpected internal error in component (WinSock Error Code: " +
                   IntToStr(error) + ")";
  }
  ErrorAndClose(code);
  return true;
}

std::string TMFtp::Ask(int need, const std::string& proposal) {
  std::string value = proposal;
  if (OnFtpNeedInfo) OnFtpNeedInfo(this, need, value);
  return value;
}

void TMFtp::FireSinks(int kind) {
  auto alive = AliveToken();
  for (size_t i = 0; i < 4 && *alive; ++i) {
    TNotifyEvent sink = FSinks[kind][i];
    if (sink) sink(this);
  }
}

int TMFtp::RegisterSink(int kind, TNotifyEvent sink) {
  if (kind <= 0) return -1;
  if (!sink || kind > 16) return -1;
  for (int i = 0; i < 4; ++i)
    if (!FSinks[kind][i]) {
      FSinks[kind][i] = std::move(sink);
      return i + 1;
    }
  return -1;
}

static int TakeSlot(std::array<TMFtpCodeSink, 4>& slots, TMFtpCodeSink sink) {
  if (!sink) return -1;
  for (int i = 0; i < 4; ++i)
    if (!slots[i]) {
      slots[i] = std::move(sink);
      return i + 1;
    }
  return -1;
}

int TMFtp::RegisterInfoSink(TMFtpCodeSink sink) { return TakeSlot(FCodeSinks[1], std::move(sink)); }
int TMFtp::RegisterErrorSink(TMFtpCodeSink sink) { return TakeSlot(FCodeSinks[0], std::move(sink)); }

void TMFtp::UnregisterSink(int kind, int slot) {
  if (slot < 1 || slot > 4 || kind < -1 || kind > 16) return;
  if (kind <= 0)
    FCodeSinks[kind == ftpSinkInfo ? 1 : 0][slot - 1] = nullptr;
  else
    FSinks[kind][slot - 1] = nullptr;
}

// --- commands and replies ---------------------------------------------------

bool TMFtp::SendCommand(const std::string& text, TStep next) {
  // A name taken from a reply or an address could carry a line end, which
  // would smuggle a second command onto the connection.
  if (text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
    FErrorText = "The command holds a line break and was not sent";
    if (DoError(ftpErrReply)) PostReady();
    return false;
  }
  std::string line = text + "\r\n";
  if (FAbortPending) return false;
  if (!DoInfo(ftpInfoCommandSent, Starts(line, "PASS ") ? "PASS (want to know) :-P\r\n" : line))
    return false;
  auto alive = AliveToken();
  size_t done = 0;
  while (done < line.size()) {
    if (GetHandle() == InvalidSocket) {
      FErrorText.clear();
      ErrorAndClose(ftpErrAborted);
      return false;
    }
    size_t sent = Send(line.data() + done, line.size() - done);
    int e = GetLastError();
    if (e == wsaENotSock || e == wsaENotConn) {
      ErrorAndClose(ftpErrAborted);
      return false;
    }
    if (CheckSocketError(e)) return false;
    done += sent;
    if (done < line.size() && sent == 0) {
      // The socket's buffer is full: let the loop run until it drains.
      Api().PumpMessages(50);
      if (!*alive || FAbortPending) return false;
    }
  }
  Expect(next);
  return true;
}

void TMFtp::Expect(TStep next) {
  FNext = next;
  Watch();
}

void TMFtp::Watch() {
  if (GetTimeOut() > 0) Api().StartTimer(kWatchTimer, static_cast<unsigned>(GetTimeOut()) * 1000);
}

void TMFtp::Unwatch() { Api().StopTimer(kWatchTimer); }

void TMFtp::ControlRead(TObject*) {
  if (FHandlingReply || FAbortPending) return;
  auto alive = AliveToken();
  std::string block(kReadBlock, '\0');
  while (!FAbortPending) {
    size_t n = Recv(block.data(), block.size());
    if (CheckSocketError(GetLastError())) return;
    if (n == 0) return;
    std::string data = block.substr(0, n);
    if (!DoInfo(ftpInfoDataReceived, data)) return;
    FLineBuffer += data;
    size_t start = 0;
    for (;;) {
      size_t crlf = FLineBuffer.find("\r\n", start);
      if (crlf == std::string::npos) break;
      if (crlf - start > kMaxReplyLine) break;
      std::string line = FLineBuffer.substr(start, crlf - start);
      start = crlf + 2;
      FHandlingReply = true;
      bool ok = AssembleReply(line);
      if (!*alive) return;
      FHandlingReply = false;
      if (!ok || FAbortPending) return;
      if (GetHandle() == InvalidSocket) {  // the reply ended the connection
        FLineBuffer.clear();
        return;
      }
    }
    FLineBuffer.erase(0, start);
    size_t crlf = FLineBuffer.find("\r\n");
    if ((crlf == std::string::npos ? FLineBuffer.size() : crlf) > kMaxReplyLine) {
      FLineBuffer.clear();
      FErrorText = "The server sent a reply line too long to be one";
      ErrorAndClose(ftpErrReply);
      return;
    }
  }
}

bool TMFtp::AssembleReply(const std::string& line) {
  if (line.empty()) return true;
  if (FMultiLine && (line.size() < 4 || line.compare(0, 3, FMultiCode) != 0 || line[3] != ' '))
    return true;  // text inside a multi-line reply
  if (line.size() < 4 || line[3] != '-') {
    FMultiLine = false;
    TStep next = FNext;
    // A line no command waits for is not a reply: it must not stop the
    // watch that waits for one (or for the data a finished RETR promised).
    if (!next) return true;
    FLastReply = line;
    Unwatch();
    FNext = nullptr;
    auto alive = AliveToken();
    (this->*next)(line);
    return *alive;
  }
  FMultiLine = true;
  FMultiCode = line.substr(0, 3);
  return true;
}

void TMFtp::PostReady() {
  FNext = nullptr;
  Unwatch();
  Api().Post(kMsgReady);
}

// --- connecting -------------------------------------------------------------

void TMFtp::Connect() { StartConnect(); }

void TMFtp::StartConnect() {
  FRetryCount = Retries;
  FBusy = false;
  FLoggedIn = false;
  ConnectAttempt();
}

void TMFtp::ConnectAttempt() {
  if (FBusy) {
    DoInfo(ftpInfoBusy);
    return;
  }
  Api().StopTimer(kRetryTimer);
  FRetrying = false;
  SetLastError(0);
  FCurrentDirectory.clear();
  FMultiCode.clear();
  FErrorCode = 0;
  FSuccess = true;
  FMultiLine = false;
  FLineBuffer.clear();
  FSizeSupported = true;
  FNoopSupported = true;
  --FRetryCount;
  // The attempt before may have left the proxy in the real server's place.
  if (FProxyInUse) {
    SetServer(FRealServer);
    SetPort(FRealPort);
    FProxyInUse = false;
  }
  RecreateSocket();
  if (CheckSocketError(GetLastError())) return;
  if (Trim(ProxyServer).empty()) {
    ProxyType = proxyNone;
  } else if (ProxyType != proxyNone) {
    FRealServer = GetServer();
    FRealPort = GetPort();
    FProxyInUse = true;
    SetServer(ProxyServer);
    SetPort(static_cast<uint16_t>(ProxyPort));
  }
  if (Trim(GetServer()).empty()) {
    auto alive = AliveToken();
    std::string host = Trim(Ask(ftpNeedHost));
    if (!*alive) return;
    if (host.empty()) {
      if (DoError(ftpErrNoServer)) PostReady();
      return;
    }
    SetServer(host);
  }
  if (GetPort() == 0) SetPort(21);
  if (!GetIP().empty()) {
    SetIPAddress(GetIP());
    SetPortNumber(GetPort());
    TMSocket::Connect();
  } else {
    if (!DoInfo(ftpInfoResolving, GetHost())) return;
    Resolve(GetHost());
  }
  CheckSocketError(GetLastError());
}

void TMFtp::HostResolved() {
  if (CheckSocketError(GetLastError())) return;
  UseResolvedAddress();
  SetPortNumber(GetPort());
  SetIP(GetIPText());
  if (!DoInfo(ftpInfoConnecting, GetIP())) return;
  TMSocket::Connect();
  CheckSocketError(GetLastError());
}

void TMFtp::ConnectDone(TObject*) {
  if (CheckSocketError(GetLastError())) return;
  if (!DoInfo(ftpInfoConnected, GetIPText())) return;
  FConnectedToServer = true;
  FLineBuffer.clear();
  Expect(&TMFtp::WelcomeReply);
}

void TMFtp::TimedOut(TObject*) {
  FErrorText = "Connection timed out";
  ErrorAndClose(ftpErrTimedOut);
}

void TMFtp::Disconnected(TObject*) {
  int error = GetLastError();
  bool downloading = (FOperation == 10 || FOperation == 11) && FFile != InvalidFileHandle;
  Unwatch();
  FNext = nullptr;
  FMultiLine = false;
  auto alive = AliveToken();
  // A reset is a failure, not the server's goodbye.
  if (error) CheckSocketError(error);
  if (!*alive) return;
  // The replies that would have ended the transfer can no longer come; a
  // download that has already failed was reported.
  if (downloading && FSuccess && !TransferBroken()) return;
  if (!FRetrying) StartRetry();
  if (!*alive) return;
  if (FRetryDone) {
    FConnectedToServer = false;
    CloseDataSockets();
    if (!DoInfo(ftpInfoNotConnected, "Disconnected")) return;
    Api().Post(kMsgDisconnected);
    if (FOperation != 1) FOperation = 0;
    // Leaving one site for another is one operation: it ends when the new
    // site has been reached, not here.
    if (FPendingNavigation != 1) PostReady();
  }
}

void TMFtp::StartRetry() {
  if (FRetryCount < 0) {
    FRetryDone = true;
    DoInfo(ftpInfoRetryFinished, "Retry Finished");
  } else if (!FLoggedIn && FErrorCode != 0) {
    FRetrying = true;
    FRetryDone = false;
    if (!DoInfo(ftpInfoRetrying, "Retrying...")) return;
    // The wait is a timer: the thread goes on handling its messages and the
    // next attempt starts from the loop, not from inside this close.
    Api().StartTimer(kRetryTimer,
                     RetryInterval > 0 ? static_cast<unsigned>(RetryInterval) * 1000 : 1);
  } else {
    // Nothing to retry: the connection is over.
    FRetryDone = true;
  }
}

void TMFtp::OtherTimer(unsigned id) {
  switch (id) {
    case kNoopTimer:
      NoopTick();
      break;
    case kRetryTimer:
      Api().StopTimer(kRetryTimer);
      if (FRetrying && !FRetryDone) ConnectAttempt();
      break;
    case kWatchTimer:
      Unwatch();
      FErrorText = "Connection timed out";
      ErrorAndClose(ftpErrTimedOut);
      break;
    default:
      break;
  }
}

bool TMFtp::BeginOperation() {
  if (!FConnectedToServer) {
    FSuccess = false;
    DoInfo(ftpInfoNotConnected);
    return false;
  }
  if (FBusy) {
    FSuccess = false;
    DoInfo(ftpInfoBusy);
    return false;
  }
  FBusy = true;
  if (!Fire(OnFtpBusy)) return false;
  FireSinks(ftpSinkBusy);
  FSuccess = true;
  SetNoopTimer(false);
  FErrorCode = 0;
  return true;
}

void TMFtp::CloseDataSockets() {
  // Our own close is not the peer's: the handlers must not see it.
  for (TMSocket* s : {FData.get(), FListener.get()}) {
    s->OnRead = nullptr;
    s->OnDisconnect = nullptr;
    s->OnConnect = nullptr;
    s->OnAccept = nullptr;
    s->Close();
  }
  FTransferring = false;
}

void TMFtp::CloseLocalFile() {
  if (FFile != InvalidFileHandle) FileClose(FFile);
  FFile = InvalidFileHandle;
  FEarlyData.clear();
  // A download that did not complete leaves the old file as it was.
  if (!FTempFile.empty()) FileDelete(FTempFile);
  FTempFile.clear();
}

void TMFtp::SaveListingCache() {
  if (!FSuccess) return;
  SaveCacheFile(CacheFileName(GetServer(), Username, FCurrentDirectory, true, GetPort()),
                FDirectories);
  SaveCacheFile(CacheFileName(GetServer(), Username, FCurrentDirectory, false, GetPort()), FFiles);
}

void TMFtp::Completion(unsigned msg) {
  auto alive = AliveToken();
  if (msg == kMsgDisconnected) {
    FBusy = false;
    SetNoopTimer(false);
    FLoggedIn = false;
    if (!Fire(OnFtpQuit)) return;
    FireSinks(ftpSinkQuit);
    if (!*alive) return;
    if (FPendingNavigation == 1) StartConnect();
    return;
  }
  if (msg != kMsgReady) return;
  CloseLocalFile();
  if (FReportReady) {
    FBusy = false;
    if (FLoggedIn || FOperation == 1) SetNoopTimer(true);
    if (FAbortedFlag) {
      FAbortedFlag = false;
      if (!Fire(OnAborted)) return;
      FireSinks(ftpSinkAborted);
      if (!*alive) return;
    }
    if (!Fire(OnFtpReady)) return;
    FireSinks(ftpSinkReady);
    if (!*alive) return;
  }
  if (FDataClosing) {
    CloseDataSockets();
    FDataClosing = false;
  }
  int op = FOperation;
  FOperation = 0;
  auto fire = [&](const TNotifyEvent& e, int kind) {
    if (Fire(e)) FireSinks(kind);
  };
  switch (op) {
    case 1:
      // A login that failed on the way is no login.
      if (!FSuccess) break;
      FLoggedIn = true;
      FRetryDone = true;
      fire(OnLoggedIn, ftpSinkLoggedIn);
      break;
    case 2: case 17: fire(OnDirectoryChanged, ftpSinkDirectoryChanged); break;
    case 3: case 4: if (FReportReady) fire(OnDirectoryCreated, 2); break;
    case 5: case 6: if (FReportReady) fire(OnDirectoryDeleted, 3); break;
    case 7: case 8: if (FReportReady) fire(OnFileDeleted, 4); break;
    case 9: SaveListingCache(); fire(OnIndexFileReceived, ftpSinkIndexFile); break;
    case 10: case 11:
      if (FReportReady && FSuccess) fire(OnFileReceived, ftpSinkFileReceived);
      break;
    case 12: case 13: if (FReportReady) fire(OnFileStored, 7); break;
    case 14:
      if (!FListingSuppressed) {
        FFiles.CopyFrom(FWorkFiles);
        FDirectories.CopyFrom(FWorkDirectories);
        SaveListingCache();
      }
      fire(OnListingDone, ftpSinkListingDone);
      break;
    case 15: case 16: if (FReportReady) fire(OnFileRenamed, 6); break;
    case 18:
      // The links of the listing are resolved: back to the folder listed.
      SaveListingCache();
      FNavigatePath = FCurrentDirectory;
      SendCommand("CWD " + FCurrentDirectory, &TMFtp::CdReply);
      if (!*alive) return;
      fire(OnResolvedLinks, 15);
      break;
    case 20: {
      // A listing walked through folders: back to where it began, and the
      // walk only reports once that CWD has been answered.
      FReturnCwdHandled = false;
      if (SendCommand("CWD " + InitialDirectory, &TMFtp::ReturnCwdReply)) {
        // Ends with the reply, or with the connection (a silent server is
        // closed by the command watch).
        while (*alive && !FReturnCwdHandled && GetHandle() != InvalidSocket) Api().PumpMessages(1000);
      }
      if (!*alive) return;
      if (FSecondAbortedFlag) {
        FSecondAbortedFlag = false;
        if (!Fire(OnAborted)) return;
        FireSinks(ftpSinkAborted);
        if (!*alive) return;
      }
      if (!FSuccess) DoInfo(ftpInfoListTerminated);
      break;
    }
    case 21: case 22: if (FReportReady) fire(OnFileTransferred, 16); break;
    default: break;
  }
}

void TMFtp::CompleteOperation(int operation) {
  FOperation = operation;
  PostReady();
}

void TMFtp::ReturnCwdReply(const std::string&) {
  FReturnCwdHandled = true;
}

// --- login ------------------------------------------------------------------

void TMFtp::WelcomeReply(const std::string& r) {
  if (FPendingNavigation) FPendingNavigation = 2; else FOperation = 1;
  if (!Starts(r, "2")) {
    ErrorAndClose(ftpErrWelcome);
    return;
  }
  auto alive = AliveToken();
  if (Username.empty()) {
    Username = Ask(ftpNeedUser);
    if (!*alive) return;
  }
  if (FProxyInUse) {
    SetServer(FRealServer);
    SetPort(FRealPort);
    FProxyInUse = false;
  } else if (ServerType == ftpstAutoDetect && r.find("NetTerm FTP server") != std::string::npos) {
    ServerType = ftpstNetTerm;
  }
  std::string server = GetServer();
  std::string port;
  if (GetPort() != 21) port.append(":").append(IntToStr(GetPort()));
  switch (ProxyType) {
    case proxyNone: SendUser("USER " + Username); break;
    case proxyHost: SendCommand("HOST " + server, &TMFtp::HostProxyReply); break;
    case proxyHostUser: SendUser("USER " + server + port + "!" + Username); break;
    case proxyOpen: SendCommand("OPEN " + server, &TMFtp::OpenProxyReply); break;
    case proxySite:
      if (ProxyUsername.empty()) {
        ProxyUsername = Ask(ftpNeedUser);
        if (!*alive) return;
      }
      SendCommand("USER " + ProxyUsername, &TMFtp::SiteUserReply);
      break;
    case proxyUserSite: SendUser("USER " + Username + "@" + server + port); break;
  }
}

void TMFtp::HostProxyReply(const std::string& r) {
  if (Starts(r, "3")) SendUser("USER " + Username);
  else ErrorAndClose(ftpErrWelcome);
}

void TMFtp::OpenProxyReply(const std::string& r) {
  if (Starts(r, "2")) SendUser("USER " + Username);
  else ErrorAndClose(ftpErrWelcome);
}

void TMFtp::SiteUserReply(const std::string& r) {
  if (Starts(r, "3")) {
    auto alive = AliveToken();
    if (ProxyPassword.empty()) {
      ProxyPassword = Ask(ftpNeedPassword);
      if (!*alive) return;
    }
    SendCommand("PASS " + ProxyPassword, &TMFtp::SitePassReply);
  } else if (Starts(r, "2")) {
    SendCommand("SITE " + GetServer(), &TMFtp::SiteReply);
  } else {
    ErrorAndClose(ftpErrLogin);
  }
}

void TMFtp::SitePassReply(const std::string& r) {
  if (Starts(r, "2")) SendCommand("SITE " + GetServer(), &TMFtp::SiteReply);
  else ErrorAndClose(ftpErrLogin);
}

void TMFtp::SiteReply(const std::string& r) {
  if (Starts(r, "2")) SendUser("USER " + Username);
  else ErrorAndClose(ftpErrReply);
}

void TMFtp::SendUser(const std::string& command) { SendCommand(command, &TMFtp::UserReply); }

void TMFtp::UserReply(const std::string& r) {
  if (Starts(r, "2")) {
    Detect();
  } else if (Starts(r, "3")) {
    auto alive = AliveToken();
    if (Password.empty()) {
      Password = Ask(ftpNeedPassword);
      if (!*alive) return;
    }
    SendCommand("PASS " + Password, &TMFtp::PassReply);
  } else {
    ErrorAndClose(ftpErrLogin);
  }
}

void TMFtp::PassReply(const std::string& r) {
  if (Starts(r, "2")) {
    Detect();
  } else if (Starts(r, "3")) {
    auto alive = AliveToken();
    if (Account.empty()) {
      Account = Ask(ftpNeedAccount);
      if (!*alive) return;
    }
    SendCommand("ACCT " + Account, &TMFtp::AcctReply);
  } else {
    ErrorAndClose(ftpErrLogin);
  }
}

void TMFtp::AcctReply(const std::string& r) {
  if (Starts(r, "2")) Detect();
  else ErrorAndClose(ftpErrLogin);
}

void TMFtp::Detect() {
  if (ServerType == ftpstAutoDetect) SendCommand("SYST", &TMFtp::SystReply);
  else SendCommand("REST 100", &TMFtp::Rest100Reply);
}

void TMFtp::SystReply(const std::string& r) {
  if (Starts(r, "5")) {
    ServerType = ftpstDefault;
  } else if (ServerType == ftpstAutoDetect) {
    ServerType = ftpstDefault;
    std::string s = r.size() > 4 ? UpperCase(r.substr(4, 99)) : std::string();
    auto has = [&](const char* k) { return s.find(k) != std::string::npos; };
    static const std::pair<const char*, TMFtpServerType> simple[] = {
        {"UNIX", ftpstUNIX}, {"BSD", ftpstBSD}, {"SUNOS", ftpstSunOS}, {"CLIX", ftpstClix},
        {"ULTRIX", ftpstULTRIX}, {"MVS", ftpstMVS}, {"QVT", ftpstQVT}, {"NCSA", ftpstNCSA},
        {"WFTPD", ftpstWFTPD}, {"WINDOWS_NT", ftpstMSFTP}, {"CHAMELEON", ftpstChameleon}};
    bool found = false;
    for (const auto& [key, type] : simple)
      if (has(key)) {
        ServerType = type;
        found = true;
        break;
      }
    if (!found && has("VMS"))
      ServerType = has("MULTINET") ? ftpstVmsMultinet : ftpstVmsUcx;
    else if (!found && has("VM"))
      ServerType = has("VPS") ? ftpstVMVPS : ftpstVM;
  }
  SendCommand("REST 100", &TMFtp::Rest100Reply);
}

void TMFtp::Rest100Reply(const std::string& r) {
  if (Starts(r, "3")) {
    FCanResume = true;
    if (!DoInfo(ftpInfoCanResume)) return;
    SendCommand("REST 0", &TMFtp::Rest0Reply);
  } else {
    FCanResume = false;
    if (!DoInfo(ftpInfoCannotResume)) return;
    FinishLogin();
  }
}

void TMFtp::Rest0Reply(const std::string&) { FinishLogin(); }

void TMFtp::FinishLogin() {
  if (FPendingNavigation) {
    ChangeDirectory();
  } else if (!InitialDirectory.empty()) {
    SendCommand("CWD " + InitialDirectory, &TMFtp::InitialCwdReply);
  } else {
    SendCommand("PWD", &TMFtp::PwdReply);
  }
}

void TMFtp::InitialCwdReply(const std::string& r) {
  if (Starts(r, "2")) FCurrentDirectory = QuotedText(r);
  if (!FCurrentDirectory.empty()) {
    if (DoInfo(ftpInfoLoggedIn)) PostReady();
  } else {
    SendCommand("PWD", &TMFtp::PwdReply);
  }
}

void TMFtp::PwdReply(const std::string& r) {
  if (!FCurrentDirectory.empty()) {
    if (!Starts(r, "2") && !DoError(ftpErrAccess)) return;
  } else if (Starts(r, "2")) {
    FCurrentDirectory = QuotedText(r);
    if (ServerType == ftpstNetTerm || ServerType == ftpstServU)
      FCurrentDirectory = ConvertServerPath(FCurrentDirectory);
  } else {
    ErrorAndClose(ftpErrReply);
    return;
  }
  if (DoInfo(ftpInfoLoggedIn)) PostReady();
}

// --- keep-alive -------------------------------------------------------------

void TMFtp::NoopTick() {
  if (FBusy || !FLoggedIn || !FNoopSupported) return;
  FBusy = true;
  FOperation = 19;
  SendCommand("NOOP", &TMFtp::NoopReply);
}

void TMFtp::NoopReply(const std::string& r) {
  if (Starts(r, "50")) FNoopSupported = false;
  FBusy = false;
  FOperation = 0;
}
