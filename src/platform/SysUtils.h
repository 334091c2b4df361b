// SysUtils: the exception hierarchy every Tarnquill unit raises and catches,
// and the small string, number and file-name helpers the component layer and
// the subsystems share. Portable: no Windows types.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

// ---------------------------------------------------------------------------
// Exceptions. Every error the program raises is an Exception with a message.
// ---------------------------------------------------------------------------
class Exception : public std::exception {
public:
  explicit Exception(std::string msg);
  const std::string& Message() const { return FMessage; }
  void SetMessage(std::string msg) { FMessage = std::move(msg); }
  const char* what() const noexcept override { return FMessage.c_str(); }

private:
  std::string FMessage;
};

#define TQ_DECLARE_EXCEPTION(Name, Base)                                       \
  class Name : public Base {                                                   \
  public:                                                                      \
    using Base::Base;                                                          \
  };

TQ_DECLARE_EXCEPTION(EAbort, Exception)          // silent: ends a command, shows nothing
TQ_DECLARE_EXCEPTION(EConvertError, Exception)
TQ_DECLARE_EXCEPTION(EAbstractError, Exception)
TQ_DECLARE_EXCEPTION(EListError, Exception)
TQ_DECLARE_EXCEPTION(EStringListError, Exception)
TQ_DECLARE_EXCEPTION(EComponentError, Exception)
TQ_DECLARE_EXCEPTION(EStreamError, Exception)
TQ_DECLARE_EXCEPTION(EFCreateError, EStreamError)
TQ_DECLARE_EXCEPTION(EFOpenError, EStreamError)
TQ_DECLARE_EXCEPTION(EFilerError, EStreamError)
TQ_DECLARE_EXCEPTION(EReadError, EFilerError)
TQ_DECLARE_EXCEPTION(EWriteError, EFilerError)
TQ_DECLARE_EXCEPTION(EInOutError, Exception)
TQ_DECLARE_EXCEPTION(ERegistryException, Exception)
TQ_DECLARE_EXCEPTION(EIniFileException, Exception)
TQ_DECLARE_EXCEPTION(EPropertyError, Exception)    // unknown published property
TQ_DECLARE_EXCEPTION(EPropertyConvertError, Exception)
TQ_DECLARE_EXCEPTION(EOutOfResources, Exception)
TQ_DECLARE_EXCEPTION(EInvalidOperation, Exception)
// Floating-point faults ("Invalid floating point operation", "Floating
// point division by zero", "Floating point overflow", ...).
TQ_DECLARE_EXCEPTION(EMathError, Exception)
TQ_DECLARE_EXCEPTION(EInvalidOp, EMathError)
TQ_DECLARE_EXCEPTION(EZeroDivide, EMathError)
TQ_DECLARE_EXCEPTION(EOverflow, EMathError)
TQ_DECLARE_EXCEPTION(EUnderflow, EMathError)

// A failed system call, with the system's error code.
class EOSError : public Exception {
public:
  EOSError(std::string msg, uint32_t errorCode) : Exception(std::move(msg)), ErrorCode(errorCode) {}
  uint32_t ErrorCode;
};

// Raises EAbort (the "silent" exception).
[[noreturn]] void Abort();

// printf-style formatting into a std::string (g++ 12 has no <format>).
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// ---------------------------------------------------------------------------
// Numbers.
// ---------------------------------------------------------------------------
std::string IntToStr(int64_t value);
std::string IntToHex(int64_t value, int digits);
// Decimal, optional sign, surrounding blanks allowed; "$" or "0x" prefix means
// hexadecimal. Throws EConvertError "'%s' is not a valid integer value".
int StrToInt(const std::string& s);
int64_t StrToInt64(const std::string& s);
int StrToIntDef(const std::string& s, int def);
bool TryStrToInt(const std::string& s, int& value);
bool TryStrToInt64(const std::string& s, int64_t& value);
// "True"/"False" (any case) or a number (non-zero is true); EConvertError otherwise.
bool StrToBool(const std::string& s);
std::string BoolToStr(bool b, bool useBoolStrs = false);  // "-1"/"0", or "True"/"False"
// The general float format with `precision` significant digits and "." as
// decimal separator whatever the locale: fixed notation while the decimal
// exponent lies in -4 .. precision-1, else "1.5E-7" / "1E20" style;
// trailing zeros dropped; "NAN", "INF", "-INF". Extended precision, so the
// calculator's values beyond the double range keep their digits.
std::string FloatToStrG(long double value, int precision);
// Reads a float written with "." (blanks around allowed); false otherwise.
bool TryStrToFloatDot(const std::string& s, double& value);

// ---------------------------------------------------------------------------
// Dates. A TDateTime counts days (and the fraction of a day) since
// 1899-12-30, so dates before 1980 or 1970 are ordinary values.
// ---------------------------------------------------------------------------
using TDateTime = double;
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec = 0);
void DecodeDateTime(TDateTime t, int& year, int& month, int& day, int& hour, int& minute, int& second);
// Seconds since 1970 (UTC) as a local date-time.
TDateTime UnixToLocalDateTime(int64_t seconds);
// The date and time in the user's short formats (natively "yyyy-mm-dd hh:nn").
std::string ShortDateTimeText(TDateTime t);

// ---------------------------------------------------------------------------
// Strings. UpperCase/LowerCase/CompareText/SameText change only ASCII letters;
// the Ansi* versions use the Windows-1252 case table (single-byte text).
// ---------------------------------------------------------------------------
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
int CompareStr(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
char AnsiUpperChar(char c);
char AnsiLowerChar(char c);
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);
int AnsiCompareStr(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
// "*" matches any run and "?" any one character; linear in practice and
// never recursive, whatever the mask. With ignoreCase letters compare
// through the Windows-1252 case table.
bool WildcardMatch(std::string_view mask, std::string_view name, bool ignoreCase);
// The program's one locale order for texts a person reads in a list (file
// names, the in-memory table's strings, FTP listings): CompareStringA under
// Windows, the Windows-1252 order natively. Negative, 0 or positive.
int LocaleCompare(std::string_view a, std::string_view b, bool ignoreCase);
// A key whose plain byte order (std::string's operator<) is LocaleCompare's
// order: sorting many texts compares keys made once instead of asking the
// locale for every comparison.
std::string LocaleSortKey(std::string_view s, bool ignoreCase);
// Trim removes every character <= ' ' from both ends (the left/right forms one end).
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
// 1-based position of sub in s, 0 when absent.
int Pos(std::string_view sub, std::string_view s);
std::string QuotedStr(std::string_view s, char quote = '\'');
// Takes a quoted string off the front of s starting at pos (which must point
// at the quote); doubled quotes stand for one. pos ends after the closing quote.
std::string ExtractQuotedStr(std::string_view s, size_t& pos, char quote);
bool IsValidIdent(std::string_view s);
std::string StringReplaceAll(std::string_view s, std::string_view from, std::string_view to,
                             bool ignoreCase = false);

// ---------------------------------------------------------------------------
// File names. Both '\' and '/' separate folders; PathDelim is this world's own.
// ---------------------------------------------------------------------------
#ifdef _WIN32
inline constexpr char PathDelim = '\\';
#else
inline constexpr char PathDelim = '/';
#endif
std::string ExtractFilePath(std::string_view fileName);   // with trailing separator
std::string ExtractFileDir(std::string_view fileName);    // without
std::string ExtractFileName(std::string_view fileName);
std::string ExtractFileExt(std::string_view fileName);    // with the dot
std::string ChangeFileExt(std::string_view fileName, std::string_view ext);
std::string IncludeTrailingPathDelimiter(std::string_view s);
std::string ExcludeTrailingPathDelimiter(std::string_view s);

// ---------------------------------------------------------------------------
// Files through the C run-time's descriptors (portable; names are ANSI).
// Mode values are the fm* constants of Streams.h. -1 means failure.
// ---------------------------------------------------------------------------
using TFileHandle = int;
inline constexpr TFileHandle InvalidFileHandle = -1;
TFileHandle FileOpen(const std::string& fileName, uint32_t mode);
TFileHandle FileCreate(const std::string& fileName);
// Creates fileName for reading and writing only when no file of that name
// exists (in one step, so two callers can never both get it). When a file
// or folder of that name exists, it fails with GetLastOSError() == EEXIST.
TFileHandle FileCreateNew(const std::string& fileName);
int64_t FileRead(TFileHandle h, void* buffer, int64_t count);
int64_t FileWrite(TFileHandle h, const void* buffer, int64_t count);
int64_t FileSeek(TFileHandle h, int64_t offset, int origin);  // origin 0/1/2
bool FileTruncate(TFileHandle h, int64_t size);
void FileClose(TFileHandle h);
bool FileExists(const std::string& fileName);
bool DirectoryExists(const std::string& dirName);
// Named apart from the Win32 API's macros (DeleteFile, MoveFile) on purpose.
bool FileDelete(const std::string& fileName);
bool FileRename(const std::string& oldName, const std::string& newName);
bool CreateDir(const std::string& dirName);
bool RemoveDir(const std::string& dirName);
int64_t FileSizeByName(const std::string& fileName);  // -1 when absent
// Text of the last file operation's system error (errno based).
std::string SysErrorMessage(int errorCode);
int GetLastOSError();

// ---------------------------------------------------------------------------
// The system's side of things, from the backend linked in (Windows APIs under
// MinGW, POSIX natively).
// ---------------------------------------------------------------------------
// The decimal separator of numbers the user types: the system's under
// Windows, "." natively, until SetDecimalSeparator sets one for the program.
char GetDecimalSeparator();
void SetDecimalSeparator(char separator);
char SystemDecimalSeparator();

// The temporary-files folder with its trailing separator, and the system folder.
std::string SystemTempPath();
std::string SystemFolder();

// True when both names lead to one and the same existing file, however they
// are spelled (Windows: volume and file index; POSIX: device and inode).
bool SameFileIdentity(const std::string& a, const std::string& b);
// Gives the file the modification time of another; false on failure.
bool CopyFileTime(const std::string& source, const std::string& dest);
// The fa* attributes below of a file or folder; -1 when there is none.
// A file without write permission counts as read-only (POSIX), also for a
// user whom the system would let write it.
int FileGetAttr(const std::string& fileName);
// Moves source to dest in one step, replacing the file dest names, and on
// to the disk before it returns: at no instant is there no file named dest.
// False on failure, with both files as they were; GetLastOSError holds the
// cause.
bool FileMoveReplacing(const std::string& source, const std::string& dest);
// Gives replacement what the file named target is besides its content, as
// far as the system lets it: its hidden and system attributes, its creation
// time and its access rights (Windows), its permission bits (POSIX).
void CopyFileMetadata(const std::string& target, const std::string& replacement);
// Gives fileName's file the second name newName (a hard link), or makes
// newName a copy of it where the file system has no links or the file has
// other names already (a backup must not change when they are written to).
// Never replaces a file newName names. False on failure.
bool FileLinkOrCopy(const std::string& fileName, const std::string& newName);

// Listing a folder: FindFirst takes a path whose last part may hold the
// wildcards "*" and "?" (compared without case) and the attributes to list
// besides ordinary files (hidden, system and folders are skipped unless
// asked for). Both return 0 for an entry found, else a system error code;
// FindClose ends the search (also after a failed FindFirst).
constexpr int faReadOnly = 0x01, faHidden = 0x02, faSysFile = 0x04, faVolumeID = 0x08,
              faDirectory = 0x10, faArchive = 0x20, faAnyFile = 0x3F;
// A link (a reparse point under Windows, a symbolic link natively). It is
// reported beside the other bits and never excludes an entry; a link to a
// folder is also faDirectory.
constexpr int faSymLink = 0x400;
struct TSearchRec {
  std::string Name;
  std::string AlternateName;  // the 8.3 short name where the system keeps one, else empty
  int64_t Size = 0;
  int Attr = 0;
  int64_t Time = 0;  // modification time, seconds since 1970 (UTC)
  TDateTime TimeStamp = 0;  // the same as a local date-time (also before 1980 and 1970)
  int ExcludeAttr = 0;
  uintptr_t FindHandle = 0;
};
int FindFirst(const std::string& path, int attr, TSearchRec& f);
int FindNext(TSearchRec& f);
void FindClose(TSearchRec& f);
