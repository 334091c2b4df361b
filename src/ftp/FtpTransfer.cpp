// TMFtp: directory changes, ftp:// addresses and downloads with resume.
#include "ftp/Ftp.h"

#include "ftp/FtpMisc.h"

#include <cctype>
#include <cerrno>

namespace {
constexpr size_t kReadBlock = 64 * 1024;
constexpr uint32_t kOpenReadWrite = 0x0002;
// What a server may send before it has answered RETR, kept until it does.
constexpr size_t kMaxEarlyData = 8 * 1024 * 1024;
const char* const kBrokenTransfer = "The data connection ended before the whole file arrived";
bool Starts(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

bool HasLineBreakOrNul(const std::string& s) {
  return s.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

// A non-negative decimal number and nothing else (blanks around allowed).
bool ParseSize(const std::string& text, int64_t& value) {
  std::string t = Trim(text);
  if (t.empty() || t.size() > 19) return false;
  for (char c : t)
    if (c < '0' || c > '9') return false;
  return TryStrToInt64(t, value) && value >= 0;
}
}  // namespace

std::string ProposedLocalName(const std::string& remote) {
  size_t cut = remote.find_last_of("/\\");
  std::string name = cut == std::string::npos ? remote : remote.substr(cut + 1);
  for (char& c : name) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 32 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*')
      c = '_';
  }
  std::string t = Trim(name);
  if (t.empty() || t == "." || t == ".." || IsDeviceName(t)) return std::string();
  return name;
}

int64_t AnnouncedSize(const std::string& reply) {
  size_t open = reply.rfind('(');
  if (open == std::string::npos) return -1;
  size_t end = reply.find(' ', open + 1);
  int64_t n;
  std::string digits = reply.substr(open + 1, end == std::string::npos ? std::string::npos
                                                                         : end - open - 1);
  return ParseSize(digits, n) && !digits.empty() && digits[0] != ' ' ? n : -1;
}

bool ParsePasvNumbers(const std::string& reply, TSockAddr& at) {
  // With parentheses the numbers are what they enclose; without (some
  // servers leave them out), the first six comma-separated numbers after the
  // code, whatever text follows them.
  std::string inner;
  size_t open = reply.find('(');
  if (open != std::string::npos) {
    size_t close = reply.find(')', open + 1);
    if (close == std::string::npos) return false;
    inner = Trim(reply.substr(open + 1, close - open - 1));
  } else {
    size_t first = reply.find_first_of("0123456789", std::min<size_t>(reply.size(), 3));
    if (first == std::string::npos) return false;
    size_t end = first, commas = 0;
    while (end < reply.size() && (std::isdigit(static_cast<unsigned char>(reply[end])) ||
                                  (reply[end] == ',' && ++commas < 6)))
      ++end;
    inner = reply.substr(first, end - first);
  }
  unsigned v[6];
  size_t pos = 0;
  for (int i = 0; i < 6; ++i) {
    size_t comma = inner.find(',', pos);
    if ((i < 5) != (comma != std::string::npos)) return false;
    std::string part = Trim(inner.substr(pos, comma == std::string::npos ? std::string::npos
                                                                          : comma - pos));
    int64_t n;
    if (!ParseSize(part, n) || n > 255) return false;
    v[i] = static_cast<unsigned>(n);
    pos = comma + 1;
  }
  at.Addr = v[0] << 24 | v[1] << 16 | v[2] << 8 | v[3];
  at.Port = static_cast<uint16_t>(v[4] * 256 + v[5]);
  return true;
}

bool SplitFtpURL(const std::string& url, TFtpURL& out, std::string& error) {
  out = TFtpURL();
  std::string s = Trim(url);
  if (LowerCase(s.substr(0, 6)) != "ftp://") {
    error = "The protocol is not supported";
    return false;
  }
  s.erase(0, 6);
  // Split first, decode after: an encoded "@", ":" or "/" is data, not syntax.
  size_t slash = s.find('/');
  std::string authority = s.substr(0, slash);
  std::string path = slash == std::string::npos ? std::string() : s.substr(slash);
  size_t at = authority.rfind('@');
  std::string hostPort = authority;
  error = "Invalid sytax";
  if (at != std::string::npos) {
    std::string userInfo = authority.substr(0, at);
    hostPort = authority.substr(at + 1);
    size_t colon = userInfo.find(':');
    if (colon == std::string::npos) return false;
    out.HasUser = true;
    out.User = DecodeURL(userInfo.substr(0, colon));
    out.Password = DecodeURL(userInfo.substr(colon + 1));
  }
  out.Path = DecodeURL(path);
  if (HasLineBreakOrNul(out.User) || HasLineBreakOrNul(out.Password) || HasLineBreakOrNul(out.Path))
    return false;
  size_t colon = hostPort.find(':');
  out.Host = hostPort.substr(0, colon);
  if (colon != std::string::npos) {
    int64_t port;
    if (!ParseSize(hostPort.substr(colon + 1), port) || port < 1 || port > 65535) return false;
    out.Port = static_cast<int>(port);
  }
  if (HasLineBreakOrNul(out.Host)) return false;
  error.clear();
  return true;
}

// --- directories and addresses ---------------------------------------------

void TMFtp::OpenURL(const std::string& url) {
  if (FBusy) {
    DoInfo(ftpInfoBusy);
    return;
  }
  TFtpURL u;
  std::string error;
  if (!SplitFtpURL(url, u, error)) {
    FErrorText = error;
    DoError(ftpErrURL);
    FBusy = false;
    return;
  }
  int port = u.Port ? u.Port : GetPort();
  std::string host = u.Host;
  if (!u.HasUser) {
    // Credentials belong to the site they were given for: another host or
    // port is visited anonymously.
    if (SameText(host, GetServer()) && port == GetPort()) {
      u.User = Username.empty() ? "anonymous" : Username;
      u.Password = Password.empty() ? "nobody@placeholders.test" : Password;
    } else {
      u.User = "anonymous";
      u.Password = "user@kvqz.test";
    }
  }
  FNavigatePath = u.Path;
  FBusy = true;
  if (!Fire(OnFtpBusy)) return;
  auto alive = AliveToken();
  FireSinks(ftpSinkBusy);
  if (!*alive) return;
  if (u.User == Username && u.Password == Password && host == GetServer() && port == GetPort() &&
      FLoggedIn) {
    ChangeDirectory();
    return;
  }
  Username = u.User;
  Password = u.Password;
  SetServer(host);
  SetPort(static_cast<uint16_t>(port));
  if (FConnectedToServer) {
    FPendingNavigation = 1;
    SendCommand("QUIT", &TMFtp::QuitReply);
  } else {
    FPendingNavigation = 2;
    StartConnect();
  }
}

void TMFtp::QuitReply(const std::string& r) {
  FLoggedIn = false;
  if (!Starts(r, "2")) {
    ErrorAndClose(ftpErrQuit);
    return;
  }
  // The server closes after its goodbye; closing ourselves does not wait
  // for one that does not.
  Close();
}

void TMFtp::ChangeDirectory() {
  FPendingNavigation = 0;
  if (FNavigatePath.empty())
    SendCommand("PWD", &TMFtp::CdReply);
  else
    SendCommand("CWD " + FNavigatePath, &TMFtp::CdReply);
}

void TMFtp::LoggedInBookkeeping(const std::string& r) {
  FOperation = 2;
  FCurrentDirectory = QuotedText(r);
  if (!FLoggedIn) {
    FLoggedIn = true;
    FRetryDone = true;
    DoInfo(ftpInfoLoggedIn);
  }
}

void TMFtp::CdReply(const std::string& r) {
  auto alive = AliveToken();
  if (Starts(r, "2")) {
    LoggedInBookkeeping(r);
    if (!*alive) return;
    if (r.find('"') == std::string::npos)
      SendCommand("PWD", &TMFtp::CdPwdReply);
    else
      PostReady();
    return;
  }
  if (!FNavigatePath.empty() && FNavigatePath.back() == '/') {
    FOperation = 2;
    if (DoError(ftpErrAccess)) PostReady();
    return;
  }
  // Not a folder: the path names a file in one.
  size_t cut = FNavigatePath.rfind('/');
  FRemoteFile = cut == std::string::npos ? FNavigatePath : FNavigatePath.substr(cut + 1);
  FNavigatePath = cut == std::string::npos ? std::string("/") : FNavigatePath.substr(0, cut + 1);
  SendCommand("CWD " + FNavigatePath, &TMFtp::CdFileReply);
}

void TMFtp::CdPwdReply(const std::string& r) {
  if (Starts(r, "2")) {
    FCurrentDirectory = QuotedText(r);
    if (ServerType == ftpstNetTerm || ServerType == ftpstServU)
      FCurrentDirectory = ConvertServerPath(FCurrentDirectory);
  } else if (!DoError(ftpErrReply)) {
    return;
  }
  PostReady();
}

void TMFtp::CdFileReply(const std::string& r) {
  if (!Starts(r, "2")) {
    ErrorAndClose(ftpErrRemoteFile);
    return;
  }
  auto alive = AliveToken();
  LoggedInBookkeeping(r);
  if (!*alive) return;
  if (FCurrentDirectory.empty()) {
    FCurrentDirectory = FNavigatePath;
    if (FCurrentDirectory.size() > 1) FCurrentDirectory.pop_back();
  }
  std::string proposal = ProposedLocalName(FRemoteFile);
  std::string answer;
  if (!FRemoteFile.empty() && !proposal.empty() && OnFtpNeedInfo) {
    answer = Ask(ftpNeedLocalFile, proposal);
    if (!*alive) return;
  }
  if (answer.empty()) {
    Close();
    return;
  }
  FBusy = false;
  Download(FRemoteFile, answer);
}

// --- downloads --------------------------------------------------------------

void TMFtp::Download(const std::string& remote, const std::string& local) {
  if (FOperation != 9 && FOperation != 11) {
    if (!BeginOperation()) return;
    FOperation = 10;
  }
  auto alive = AliveToken();
  FRemoteFile = remote;
  FLocalFile = local;
  FRestart = 0;
  FBytes = 0;
  FSavedNext = nullptr;
  FAnnouncedSize = -1;
  FRemoteSizeKnown = false;
  FDataFailed = FWriteFailed = FRetrOk = FRetrStarted = false;
  FEarlyData.clear();
  if (remote.empty()) {
    if (DoError(ftpErrRemoteFile)) PostReady();
    return;
  }
  if (local.empty()) {
    if (DoError(ftpErrLocalFile)) PostReady();
    return;
  }
  CloseLocalFile();
  bool exists = FileExists(local);
  FFile = exists ? FileOpen(local, kOpenReadWrite) : FileCreate(local);
  if (FFile == InvalidFileHandle) {
    FErrorText = SysErrorMessage(GetLastOSError());
    if (DoError(ftpErrLocalFile)) PostReady();
    return;
  }
  FResumeAsked = exists;
  FDataClosed = FTransferReplied = false;
  std::string letter = TransferMode == BinaryTransfer ? "I" : "A";
  if (letter != FTypeLetter) {
    FTypeLetter = letter;
    SendCommand("TYPE " + letter, &TMFtp::TypeReply);
  } else {
    TypeReply("299");
  }
  if (!*alive) return;
  // Started from a reply (an address naming a file), the download cannot
  // wait here: the replies it needs are read only once that reply's handler
  // has returned. It goes on from the message loop and ends as any other.
  if (!FAsynchronous && !FHandlingReply) {
    while (*alive && FBusy) {
      Api().PumpMessages(1000);
    }
  }
}

void TMFtp::TypeReply(const std::string& r) {
  if (!Starts(r, "2")) {
    FTypeLetter.clear();
    if (DoError(ftpErrReply)) PostReady();
    return;
  }
  if (FResumeAsked)
    ResumeQuestion();
  else
    DataStep("299");
}

bool TMFtp::BeginOverwrite() {
  // The old file stays whole until a complete download replaces it: the
  // data goes into a new file beside it.
  int error = 0;
  for (int i = 0; i < 100; ++i) {
    std::string name = FLocalFile + ".part" + (i ? IntToStr(i) : std::string());
    TFileHandle h = FileCreateNew(name);
    if (h != InvalidFileHandle) {
      CloseLocalFile();
      FFile = h;
      FTempFile = name;
      return true;
    }
    error = GetLastOSError();
    if (!FileExists(name)) break;  // not taken, just not creatable
  }
  FErrorText = "No file could be made beside " + FLocalFile + " for the download: " +
               SysErrorMessage(error);
  CloseLocalFile();
  if (DoError(ftpErrLocalFile)) PostReady();
  return false;
}

bool TMFtp::CommitLocalFile() {
  if (FFile != InvalidFileHandle) FileClose(FFile);
  FFile = InvalidFileHandle;
  if (FTempFile.empty()) return true;
  std::string temp = FTempFile;
  FTempFile.clear();
  if (FileMoveReplacing(temp, FLocalFile)) return true;
  FErrorText = "The download could not replace " + FLocalFile + ": " +
               SysErrorMessage(GetLastOSError());
  FileDelete(temp);
  return false;
}

void TMFtp::ResumeQuestion() {
  FRemoteSize = 0;
  auto alive = AliveToken();
  std::string answer = Ask(ftpNeedResume);
  if (!*alive) return;
  if (answer == "Resume") {
    if (!FCanResume) {
      if (!DoInfo(ftpInfoCannotResume)) return;
      CloseLocalFile();
      FOperation = 0;
      PostReady();
    } else if (FSizeSupported) {
      SendCommand("SIZE " + FRemoteFile, &TMFtp::SizeReply);
    } else {
      SizeReply("500");
    }
  } else if (answer == "Overwrite" || answer.empty()) {
    if (BeginOverwrite()) DataStep("299");
  } else {
    CloseLocalFile();
    FOperation = 0;
    PostReady();
  }
}

void TMFtp::SizeReply(const std::string& r) {
  int64_t local = FileSeek(FFile, 0, 2);
  int64_t remote = 0;
  if (Starts(r, "50")) {
    // No SIZE here: resume from what we hold and let the server say whether
    // that is possible.
    FSizeSupported = false;
    if (local > 0) {
      FSavedNext = &TMFtp::RestNext;
      DataStep("299");
    } else {
      FSavedNext = &TMFtp::RetrNext;
      if (BeginOverwrite()) DataStep("299");
    }
    return;
  }
  if (Starts(r, "2") && ParseSize(r.size() > 4 ? r.substr(4) : std::string(), remote)) {
    FRemoteSize = remote;
    FRemoteSizeKnown = true;
    if (local > 0 && local == remote) {
      if (!DoInfo(ftpInfoNothingToDo)) return;
      CloseLocalFile();
      FOperation = 0;
      PostReady();
      return;
    }
    if (local > 0 && local < remote) {
      FSavedNext = &TMFtp::RestNext;
      DataStep("299");
      return;
    }
    if (!DoInfo(ftpInfoCannotResume, "I don't know how to resume this file, I will overwrite it"))
      return;
  }
  FSavedNext = &TMFtp::RetrNext;
  if (BeginOverwrite()) DataStep("299");
}

void TMFtp::DataStep(const std::string& r) {
  if (!FSavedNext) FSavedNext = &TMFtp::RetrNext;
  if (!Starts(r, "2")) {
    FSavedNext = nullptr;
    if (DoError(ftpErrReply)) PostReady();
    return;
  }
  CloseDataSockets();
  if (Passive) {
    SendCommand("PASV", &TMFtp::PasvReply);
    return;
  }
  // Active: a listener on the address the server already reaches us at.
  FListener->SetIPAddress(GetLocalIP());
  FListener->SetPortNumber(0);
  FListener->RecreateSocket();
  if (!CheckSocketError(FListener->GetLastError())) FListener->Listen();
  if (CheckSocketError(FListener->GetLastError())) return;
  std::string ip = FListener->GetLocalIP();
  uint16_t port = FListener->GetLocalPort();
  for (char& c : ip)
    if (c == '.') c = ',';
  SendCommand("PORT " + ip + "," + IntToStr(port >> 8) + "," + IntToStr(port & 255),
              &TMFtp::PortReply);
}

void TMFtp::PortReply(const std::string& r) {
  if (!Starts(r, "2")) {
    FSavedNext = nullptr;
    CloseDataSockets();
    if (DoError(ftpErrReply)) PostReady();
    return;
  }
  TStep next = FSavedNext;
  FSavedNext = nullptr;
  (this->*next)("299");
}

void TMFtp::PasvReply(const std::string& r) {
  TSockAddr at;
  if (!Starts(r, "2") || !ParsePasvNumbers(r, at)) {
    FSavedNext = nullptr;
    if (DoError(ftpErrReply)) PostReady();
    return;
  }
  // Whatever address the reply names, the data comes from the server we
  // talk to: a reply naming another host must not send us there.
  at.Addr = GetAddress().Addr;
  FData->SetAddress(at);
  FData->RecreateSocket();
  WireDataEvents();
  if (!CheckSocketError(FData->GetLastError())) FData->Connect();
  if (CheckSocketError(FData->GetLastError())) return;
  TStep next = FSavedNext;
  FSavedNext = nullptr;
  (this->*next)("299");
}

void TMFtp::WireDataEvents() {
  FData->OnRead = [this](TObject* s) { DataRead(s); };
  FData->OnDisconnect = [this](TObject* s) { DataClosed(s); };
  FData->OnWrite = nullptr;
  FData->SetTimeOut(GetTimeOut());
  if (Passive)
    FData->OnConnect = [this](TObject* s) { DataConnected(s); };
  else
    FListener->OnAccept = [this](TObject* s) { DataConnected(s); };
}

void TMFtp::RestNext(const std::string&) {
  WireDataEvents();
  FRestart = FileSeek(FFile, 0, 2);
  SendCommand("REST " + IntToStr(FRestart), &TMFtp::RestReply);
}

void TMFtp::RestReply(const std::string& r) {
  if (!Starts(r, "3")) {
    CloseDataSockets();
    FErrorText = "Failed to resume downloading file";
    if (DoError(ftpErrResume)) PostReady();
    return;
  }
  SendCommand("RETR " + FRemoteFile, &TMFtp::RetrReply);
}

void TMFtp::RetrNext(const std::string&) {
  WireDataEvents();
  SendCommand("RETR " + FRemoteFile, &TMFtp::RetrReply);
}

void TMFtp::RetrReply(const std::string& r) {
  auto alive = AliveToken();
  if (Starts(r, "1")) {
    int64_t n = AnnouncedSize(r);
    FAnnouncedSize = n;
    FRetrStarted = true;
    Expect(&TMFtp::RetrReply);
    if (n >= 0 && !DoInfo(ftpInfoTransferSize, IntToStr(n))) return;
    WriteEarlyData();
    return;
  }
  if (Starts(r, "2")) {
    FRetrOk = true;
    WriteEarlyData();
    if (!*alive) return;
    FTransferReplied = true;
    if (FDataClosed) FinishTransfer();
    else Watch();  // the data must go on arriving
    return;
  }
  bool broken = FRetrStarted;
  CloseDataSockets();
  if (FAbortPending && Starts(r, "426")) {
    FAbortedFlag = true;
  } else if (broken) {
    // The server had begun sending: the transfer broke off, it was not refused.
    FErrorText = "The transfer was broken off: " + r;
    if (!DoError(ftpErrData)) return;
  } else {
    FErrorText = "Access denied or file not found";
    if (!DoError(ftpErrAccess)) return;
  }
  PostReady();
}

void TMFtp::DataConnected(TObject*) {
  if (!Passive) {
    FData->Accept(*FListener);
    if (FData->GetLastError() == 0 && FData->GetAddress().Addr != GetAddress().Addr) {
      // Someone else reached our listener first: not our data. Keep waiting
      // for the server.
      FData->OnDisconnect = nullptr;
      FData->Close();
      WireDataEvents();
      return;
    }
    if (FData->GetLastError() == 0) {
      FListener->OnAccept = nullptr;
      FListener->Close();
    }
  }
  int e = FData->GetLastError();
  if (e == 0) {
    FBytes = 0;
    FStartTick = Api().TickCount();
    FElapsed = 0;
    FTransferring = true;
    FDataClosing = false;
    Watch();
  } else if (!FDataClosing && e != wsaENotSock) {
    FDataFailed = true;
    ErrorAndClose(ftpErrData);
  }
}

void TMFtp::DataRead(TObject*) {
  auto alive = AliveToken();
  std::string block(kReadBlock, '\0');
  for (;;) {
    size_t n = FData->Recv(block.data(), block.size());
    int e = FData->GetLastError();
    if (e && !FDataClosing && e != wsaENotSock) {
      FDataFailed = true;
      ErrorAndClose(ftpErrData);
      return;
    }
    if (n == 0) return;
    if (FFile == InvalidFileHandle) continue;  // a stopped transfer drains
    if (!FRetrStarted && !FRetrOk) {
      // Nothing reaches the local file before the server has accepted RETR:
      // a refusal must find the file as it was.
      if (FEarlyData.size() + n > kMaxEarlyData) {
        FDataFailed = true;
        FErrorText = "The server sent data before it accepted the transfer";
        ErrorAndClose(ftpErrData);
        return;
      }
      FEarlyData.append(block.data(), n);
      Watch();
      continue;
    }
    if (!WriteBlock(block.data(), n) || !*alive) return;
  }
}

bool TMFtp::WriteBlock(const char* data, size_t n) {
  FBytes += static_cast<int64_t>(n);
  FElapsed = Api().TickCount() - FStartTick;
  Watch();
  if (!DoInfo(ftpInfoProgress)) return false;
  if (FileWrite(FFile, data, static_cast<int64_t>(n)) == static_cast<int64_t>(n)) return true;
  FWriteFailed = true;
  FErrorText = SysErrorMessage(GetLastOSError());
  CloseLocalFile();
  if (!DoError(ftpErrShortWrite)) return false;
  // The transfer is over for us; the server's reply ends the operation.
  FData->OnRead = nullptr;
  FData->Close();
  return false;
}

void TMFtp::WriteEarlyData() {
  if (FEarlyData.empty() || FFile == InvalidFileHandle) return;
  std::string data = std::move(FEarlyData);
  FEarlyData.clear();
  WriteBlock(data.data(), data.size());
}

void TMFtp::DataClosed(TObject*) {
  if (FData->GetLastError() != 0) FDataFailed = true;
  FElapsed = Api().TickCount() - FStartTick;
  CloseDataSockets();
  FTransferring = false;
  FDataClosed = true;
  if (FTransferReplied) FinishTransfer();
}

void TMFtp::FinishTransfer() {
  int64_t size = FFile != InvalidFileHandle ? FileSeek(FFile, 0, 2) : -1;
  bool complete = true;
  if (TransferMode == BinaryTransfer) {
    if (FRemoteSizeKnown)
      complete = size == FRemoteSize;
    else if (FRestart == 0 && FAnnouncedSize >= 0)
      complete = size == FAnnouncedSize;
  }
  if (!FWriteFailed && !FDataFailed && complete && FRetrOk && !CommitLocalFile()) {
    if (DoError(ftpErrLocalFile)) PostReady();
    return;
  }
  CloseLocalFile();
  if (FWriteFailed) {
    // error 21 was reported when the write fell short
  } else if (FDataFailed || !complete) {
    if (!TransferBroken()) return;
  } else if (!FRetrOk) {
    if (!DoError(ftpErrAccess)) return;
  } else {
    if (!DoInfo(ftpInfoTransferComplete)) return;
  }
  PostReady();
}

bool TMFtp::TransferBroken() {
  FErrorText = kBrokenTransfer;
  return DoError(ftpErrData);
}
