// The rich-text control's rules that need no window: which rich-edit
// library to use, the stream flags of a load or save, how plain text reaches
// the control (line ends), the texts a line insertion sends, the record of
// a pressed link, and the conversion formats chosen by file extension.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Keys.h"
#include "platform/Sets.h"

class TStream;

// --- The library ---------------------------------------------------------

// The library files, tried in this order. Tests set other names to reach
// the older library.
struct TRichEditLibraryNames {
  std::string Current = "RICHED20.DLL";  // versions 2 and 3
  std::string Old = "RICHED32.DLL";      // version 1
};

// What the choice asks of the system: loading a library by full path
// (null when it fails) and the system's platform id and major version.
struct TRichEditSystem {
  std::string SystemFolder;
  std::function<void*(const std::string& path)> Load;
  int PlatformId = 2;  // 2: the NT family
  int MajorVersion = 6;
};

struct TRichEditLibrary {
  void* Handle = nullptr;  // null: no library loaded
  int Version = 0;         // 1, 2 or 3; 0 without a library
  std::string Path;
};

// Loads the current library, else the old one, always by full path from the
// system folder: a bare name would be searched for in the program's folder
// first, where any file of that name would run.
TRichEditLibrary ChooseRichEditLibrary(const TRichEditSystem& system, const TRichEditLibraryNames& names);
// "RichEdit20A" for versions 2 and 3, "RICHEDIT" for version 1.
const char* RichEditClassName(int version);

// The library may only go once the program ends and no rich-text window is
// left: a window that outlives the end (a form freed late) still calls
// into it.
class TRichEditLibraryUse {
public:
  void WindowCreated() { ++FWindows; }
  // True when the library is to be freed now.
  bool WindowDestroyed();
  bool ProgramEnded();
  int Windows() const { return FWindows; }
  bool Ended() const { return FEnded; }

private:
  int FWindows = 0;
  bool FEnded = false;
};

// --- Streams ----------------------------------------------------------------

enum TRichStreamFormat { sfDefault, sfRichText, sfPlainText };
enum TRichStreamMode { smSelection, smPlainRtf, smNoObjects, smUnicode };
using TRichStreamModes = TSet<TRichStreamMode, uint8_t>;

// The control's stream flags (the rich-edit message values).
constexpr uint32_t kSfText = 0x0001;
constexpr uint32_t kSfRtf = 0x0002;
constexpr uint32_t kSfRtfNoObjs = 0x0003;
constexpr uint32_t kSfUnicode = 0x0010;
constexpr uint32_t kSffPlainRtf = 0x4000;
constexpr uint32_t kSffSelection = 0x8000;

// Whether a load or save goes as plain text: sfPlainText, or sfDefault while
// the control is in plain-text mode.
bool StreamsPlainText(TRichStreamFormat format, bool plainTextMode);
// The flags of a load (noObjects false) or save. Unicode applies to plain
// text of versions 2 and 3 only.
uint32_t RichStreamFlags(bool plain, TRichStreamModes modes, int version, bool save);

// Feeds a stream to the control piece by piece. Plain text has its line ends
// made CR LF (lone CR, lone LF and CR LF alike; without this the control
// shows CR CR LF as a blank line): a CR that ends a piece is held until the
// next one shows what follows it, and one left at the end of the stream
// becomes CR LF. Unicode text is converted in 16-bit units, so a byte
// that happens to be 13 or 10 inside a character is left alone. Rich
// text passes unchanged: line ends mean nothing there, and binary data may
// hold any byte.
class TRichStreamReader {
public:
  enum TKind { rkRich, rkAnsi, rkUnicode };
  TRichStreamReader(TStream& stream, TKind kind);
  // Fills at most size bytes of buffer; 0 only at the end of the stream.
  // Never writes past size.
  int Read(char* buffer, int size);
  // Back to where the stream stood at construction, in another kind.
  void Restart(TKind kind);

private:
  int Convert(char* buffer, int size);
  TStream& FStream;
  int64_t FStart;
  TKind FKind;
  bool FHeldCR = false;
  bool FEnd = false;
  std::string FPiece;
};

// --- Lines, links, formats --------------------------------------------------

// What a line insertion sends as the selection's replacement: before an
// existing line, or (afterLast) after the last line.
std::string RichInsertLineText(int version, const std::string& line, bool afterLast);

// A press on a link and the release that makes it a click: the release of
// the same button over the same character range. Every release ends the
// press.
class TRichLinkPress {
public:
  void Press(int start, int end, TMouseButton button);
  // True when this release completes a click.
  bool Release(int start, int end, TMouseButton button);
  int Start() const { return FStart; }
  int End() const { return FEnd; }

private:
  int FStart = -1;
  int FEnd = -1;
  TMouseButton FButton = mbLeft;
};

// The conversion formats registered by extension (lower case, no dot):
// "rtf" is rich text, "txt" plain text.
struct TRichConversionFormat {
  std::string Extension;
  bool PlainText = false;
};
void RegisterConversionFormat(const std::string& extension, bool plainText);
// The format of a file name's extension (compared without case); false when
// none is registered.
bool FindConversionFormat(const std::string& fileName, TRichConversionFormat& format);
