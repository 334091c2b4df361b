// TMFtp: the FTP client. Its own socket is the control connection; two more
// carry the data (one listens in active mode, one transfers). Every command
// is sent with a continuation, the step that receives the final reply; an
// operation ends by posting the completion message to its own window. All on
// one thread, driven by socket messages and timers.
#pragma once

#include "ftp/FtpData.h"
#include "ftp/FtpSocket.h"
#include "platform/SysUtils.h"

#include <array>
#include <memory>

enum TMFtpServerType {
  ftpstAutoDetect, ftpstDefault, ftpstUNIX, ftpstULTRIX, ftpstClix, ftpstChameleon, ftpstNCSA,
  ftpstQVT, ftpstBSD, ftpstSunOS, ftpstVmsMultinet, ftpstVmsUcx, ftpstMVS, ftpstVM, ftpstVMVPS,
  ftpstMSFTP, ftpstNetTerm, ftpstServU, ftpstWFTPD, ftpWarFTPD, ftpstNetware, ftpstNetPresenz
};
enum TMFtpProxyType { proxyNone, proxyHost, proxyHostUser, proxyOpen, proxySite, proxyUserSite };
enum TMFtpTransferType { AsciiTransfer, BinaryTransfer };

// Info codes.
enum : int {
  ftpInfoConnected = 0, ftpInfoNotConnected = 1, ftpInfoResolving = 2, ftpInfoDataReceived = 3,
  ftpInfoCommandSent = 4, ftpInfoBusy = 5, ftpInfoCanResume = 6, ftpInfoProgress = 8,
  ftpInfoTransferComplete = 10, ftpInfoLoggedIn = 12, ftpInfoTransferSize = 13,
  ftpInfoCannotResume = 16, ftpInfoRetrying = 17, ftpInfoConnecting = 18, ftpInfoNothingToDo = 19,
  ftpInfoRetryFinished = 20, ftpInfoListTerminated = 21
};
// Error codes.
enum : int {
  ftpErrQuit = 0, ftpErrNetDown = 1, ftpErrBadAddress = 2, ftpErrInternal = 3, ftpErrWinsock = 4,
  ftpErrAborted = 5, ftpErrReset = 6, ftpErrTimedOut = 7, ftpErrNoSockets = 8,
  ftpErrNetUnreachable = 9, ftpErrAddrNotAvail = 10, ftpErrRefused = 11, ftpErrReply = 12,
  ftpErrResolve = 15, ftpErrHostUnreachable = 17, ftpErrNoServer = 18, ftpErrLocalFile = 20,
  ftpErrShortWrite = 21, ftpErrRemoteFile = 23, ftpErrWelcome = 25, ftpErrLogin = 26,
  ftpErrData = 27, ftpErrResume = 28, ftpErrAccess = 29, ftpErrURL = 30
};
// What OnFtpNeedInfo asks for.
enum : int {
  ftpNeedAccount = 0, ftpNeedHost = 1, ftpNeedLocalFile = 2, ftpNeedResume = 3,
  ftpNeedPassword = 4, ftpNeedUser = 5
};
// Notification kinds of the client sinks (info 0, errors -1).
enum : int {
  ftpSinkError = -1, ftpSinkInfo = 0, ftpSinkDirectoryChanged = 1, ftpSinkFileReceived = 5,
  ftpSinkQuit = 8, ftpSinkReady = 9, ftpSinkListingDone = 10, ftpSinkLoggedIn = 11,
  ftpSinkBusy = 12, ftpSinkAborted = 13, ftpSinkIndexFile = 14
};

using TMFtpInfoEvent = std::function<void(TObject* sender, int info, const std::string& text)>;
using TMFtpErrorEvent = std::function<void(TObject* sender, int error, const std::string& text)>;
using TMFtpInfoNeededEvent = std::function<void(TObject* sender, int need, std::string& value)>;
// Info and error sinks get (client, code, text); the others (client).
using TMFtpCodeSink = std::function<void(TObject* sender, int code, const std::string& text)>;

// The text between the first two double quotes of a reply ("" without).
std::string QuotedText(const std::string& reply);
// The local name offered for a remote file: its last path component with the
// characters Windows forbids replaced by "_"; empty when nothing usable is
// left (".", "..", a device name).
std::string ProposedLocalName(const std::string& remote);
// The "(N bytes)" of a 150 reply; -1 when it holds none.
int64_t AnnouncedSize(const std::string& reply);
// The six numbers of a PASV reply: false unless there are exactly six, each
// 0-255, between the parentheses.
bool ParsePasvNumbers(const std::string& reply, TSockAddr& at);

// An ftp:// address split into its parts (user info before the last "@" of
// the authority; user, password and path decoded after the split).
struct TFtpURL {
  bool HasUser = false;
  std::string User, Password, Host, Path;
  int Port = 0;  // 0: none given
};
// 0 on success, else sets `error` to the text of error 30.
bool SplitFtpURL(const std::string& url, TFtpURL& out, std::string& error);

class TMFtp : public TMSocket {
public:
  explicit TMFtp(TComponent* owner, const TSocketApiFactory& factory = {});
  ~TMFtp() override;

  // Stored properties.
  std::string Username = "anonymous";
  std::string Password = "user@kvqz.test";
  std::string Account, ProxyUsername, ProxyPassword, ProxyServer;
  int Retries = 3;
  int RetryInterval = 15;
  TMFtpServerType ServerType = ftpstAutoDetect;
  std::string InitialDirectory, FileMask;
  bool Cache = true;
  int CacheExpire = 7;
  TMFtpTransferType TransferMode = BinaryTransfer;
  TMFtpProxyType ProxyType = proxyNone;
  int ProxyPort = 21;
  bool Passive = false;

  bool GetAsynchronous() const { return FAsynchronous; }
  void SetAsynchronous(bool value);  // ignored while busy
  int GetNoopInterval() const { return FNoopInterval; }
  void SetNoopInterval(int seconds);
  static const char* GetVersion() { return "Tarnquill FTP 0.4.6"; }

  TMFtpInfoEvent OnFtpInfo;
  TMFtpInfoNeededEvent OnFtpNeedInfo;
  TMFtpErrorEvent OnFtpError;
  TNotifyEvent OnFtpReady, OnLoggedIn, OnDirectoryChanged, OnDirectoryCreated,
      OnDirectoryDeleted, OnFileDeleted, OnIndexFileReceived, OnFileReceived, OnFileStored,
      OnListingDone, OnFileRenamed, OnFtpQuit, OnFileTransferred, OnFtpBusy, OnAborted,
      OnResolvedLinks;

  // Operations.
  void Connect();  // a new connection with its retries
  void OpenURL(const std::string& url);
  void Download(const std::string& remote, const std::string& local);

  // Client sinks: slot 1-4, or -1 when `sink` is empty or every slot is taken.
  int RegisterSink(int kind, TNotifyEvent sink);
  int RegisterInfoSink(TMFtpCodeSink sink);
  int RegisterErrorSink(TMFtpCodeSink sink);
  void UnregisterSink(int kind, int slot);
  void UnregisterInfoSink(int slot) { UnregisterSink(ftpSinkInfo, slot); }
  void UnregisterErrorSink(int slot) { UnregisterSink(ftpSinkError, slot); }

  // State the views and the download window read.
  bool GetBusy() const { return FBusy; }
  bool GetLoggedIn() const { return FLoggedIn; }
  bool GetConnectedToServer() const { return FConnectedToServer; }
  bool GetSuccess() const { return FSuccess; }
  bool GetCanResume() const { return FCanResume; }
  int GetErrorCode() const { return FErrorCode; }
  const std::string& GetCurrentDir() const { return FCurrentDirectory; }
  const std::string& GetLastReply() const { return FLastReply; }
  int64_t GetBytesReceived() const { return FBytes; }
  int64_t GetRemoteSize() const { return FRemoteSize; }
  bool GetListingSuppressed() const { return FListingSuppressed; }
  TMFtpFileInfoList& GetDirectoryList() { return FDirectories; }
  TMFtpFileInfoList& GetFileList() { return FFiles; }
  // The completion message, as the hidden window delivers it.
  void PostReady();
  // Saves both lists to the listing cache when the operation succeeded.
  void SaveListingCache();

protected:
  // Ends an operation as its last reply would: the completion message runs
  // the operation's row of the completion table. For operations whose
  // commands a derived client sends (listing, link resolution...).
  void CompleteOperation(int operation);
  void HostResolved() override;
  void OtherTimer(unsigned id) override;

private:
  using TStep = void (TMFtp::*)(const std::string& reply);

  // Reporting.
  bool DoInfo(int code, const std::string& text = std::string());
  bool DoError(int code);
  void ErrorAndClose(int code);
  bool CheckSocketError(int error);
  std::string Ask(int need, const std::string& proposal = std::string());
  bool Fire(const TNotifyEvent& event);
  void FireSinks(int kind);

  // Commands and replies.
  bool SendCommand(const std::string& text, TStep next);
  void Expect(TStep next);
  void ControlRead(TObject*);
  bool AssembleReply(const std::string& line);
  void Watch();
  void Unwatch();

  // Connection.
  void StartConnect();
  void ConnectAttempt();
  void ConnectDone(TObject*);
  void Disconnected(TObject*);
  void TimedOut(TObject*);
  void StartRetry();
  void Completion(unsigned msg);
  bool BeginOperation();
  void CloseDataSockets();
  void CloseLocalFile();

  // Login.
  void WelcomeReply(const std::string& r);
  void HostProxyReply(const std::string& r);
  void OpenProxyReply(const std::string& r);
  void SiteUserReply(const std::string& r);
  void SitePassReply(const std::string& r);
  void SiteReply(const std::string& r);
  void SendUser(const std::string& command);
  void UserReply(const std::string& r);
  void PassReply(const std::string& r);
  void AcctReply(const std::string& r);
  void Detect();
  void SystReply(const std::string& r);
  void Rest100Reply(const std::string& r);
  void Rest0Reply(const std::string& r);
  void FinishLogin();
  void InitialCwdReply(const std::string& r);
  void PwdReply(const std::string& r);

  // Directories and addresses.
  void ChangeDirectory();
  void CdReply(const std::string& r);
  void CdPwdReply(const std::string& r);
  void CdFileReply(const std::string& r);
  void LoggedInBookkeeping(const std::string& r);
  void QuitReply(const std::string& r);

  // Downloads.
  void TypeReply(const std::string& r);
  void ResumeQuestion();
  void SizeReply(const std::string& r);
  void DataStep(const std::string& r);
  void PortReply(const std::string& r);
  void PasvReply(const std::string& r);
  void RestNext(const std::string& r);
  void RetrNext(const std::string& r);
  void RestReply(const std::string& r);
  void RetrReply(const std::string& r);
  void WireDataEvents();
  void DataConnected(TObject*);
  void DataRead(TObject*);
  void DataClosed(TObject*);
  void FinishTransfer();
  bool TransferBroken();
  bool WriteBlock(const char* data, size_t n);
  void WriteEarlyData();
  bool BeginOverwrite();
  bool CommitLocalFile();

  void ReturnCwdReply(const std::string& r);
  void NoopTick();
  void NoopReply(const std::string& r);
  void SetNoopTimer(bool on);

  std::unique_ptr<TMSocket> FListener, FData;
  bool FAsynchronous = true;
  int FNoopInterval = 30;
  bool FNoopOn = false;
  bool FBusy = false, FRetrying = false, FReportReady = true, FAbortPending = false;
  bool FConnectedToServer = false, FLoggedIn = false, FRetryDone = false, FSuccess = true;
  int FPendingNavigation = 0;
  int FRetryCount = 0;
  bool FCanResume = false, FSizeSupported = true, FNoopSupported = true;
  bool FProxyInUse = false;
  std::string FRealServer;
  uint16_t FRealPort = 21;
  std::string FNavigatePath, FRemoteFile, FLocalFile, FCurrentDirectory;
  std::string FLineBuffer, FMultiCode, FLastReply;
  bool FMultiLine = false, FHandlingReply = false;
  TStep FNext = nullptr, FSavedNext = nullptr;
  std::string FTypeLetter;
  TFileHandle FFile = InvalidFileHandle;
  std::string FTempFile;   // an overwrite's new file until it replaces the target
  std::string FEarlyData;  // data that came before RETR was accepted
  bool FResumeAsked = false;
  int64_t FRemoteSize = 0, FAnnouncedSize = -1, FRestart = 0, FBytes = 0;
  bool FRemoteSizeKnown = false;
  uint64_t FStartTick = 0, FElapsed = 0;
  bool FDataClosed = false, FTransferReplied = false, FTransferring = false;
  bool FDataFailed = false, FWriteFailed = false, FRetrOk = false, FRetrStarted = false;
  bool FDataClosing = false, FAbortedFlag = false, FListingSuppressed = false;
  bool FSecondAbortedFlag = false, FReturnCwdHandled = false;
  int FErrorCode = 0;
  std::string FErrorText;
  int FOperation = 0;
  TMFtpFileInfoList FFiles, FDirectories, FWorkFiles, FWorkDirectories;
  std::array<std::array<TNotifyEvent, 4>, 17> FSinks;  // kinds 1-16 (index = kind)
  std::array<std::array<TMFtpCodeSink, 4>, 2> FCodeSinks;  // 0 errors, 1 info
};
