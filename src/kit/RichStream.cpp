#include "kit/RichStream.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/Streams.h"
#include "platform/SysUtils.h"

// --- The library ---------------------------------------------------------

TRichEditLibrary ChooseRichEditLibrary(const TRichEditSystem& system, const TRichEditLibraryNames& names) {
  TRichEditLibrary result;
  std::string folder = system.SystemFolder;
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  if (!system.Load) return result;
  result.Path = folder + names.Current;
  result.Handle = system.Load(result.Path);
  if (result.Handle) {
    result.Version = system.PlatformId == 2 && system.MajorVersion >= 5 ? 3 : 2;
    return result;
  }
  result.Path = folder + names.Old;
  result.Handle = system.Load(result.Path);
  if (result.Handle) {
    result.Version = 1;
    return result;
  }
  result.Path.clear();
  return result;
}

const char* RichEditClassName(int version) { return version == 1 ? "RICHEDIT" : "RichEdit20A"; }

bool TRichEditLibraryUse::WindowDestroyed() {
  if (FWindows > 0) --FWindows;
  return FEnded && FWindows == 0;
}

bool TRichEditLibraryUse::ProgramEnded() {
  FEnded = true;
  return FWindows == 0;
}

// --- Streams ----------------------------------------------------------------

bool StreamsPlainText(TRichStreamFormat format, bool plainTextMode) {
  return format == sfPlainText || (format == sfDefault && plainTextMode);
}

uint32_t RichStreamFlags(bool plain, TRichStreamModes modes, int version, bool save) {
  uint32_t flags;
  if (plain) {
    flags = kSfText;
    if (modes.Contains(smUnicode) && version >= 2) flags |= kSfUnicode;
  } else {
    flags = save && modes.Contains(smNoObjects) ? kSfRtfNoObjs : kSfRtf;
    if (modes.Contains(smPlainRtf)) flags |= kSffPlainRtf;
  }
  if (modes.Contains(smSelection)) flags |= kSffSelection;
  return flags;
}

namespace {

// Appends the line ends of units [in, in + count) made CR LF; held carries
// a CR that ended the previous piece. A CR at the end stays held.
template <typename TUnit>
void ConvertLineEnds(const TUnit* in, size_t count, bool& held, std::vector<TUnit>& out) {
  const TUnit cr = 13, lf = 10;
  for (size_t i = 0; i < count; ++i) {
    const TUnit c = in[i];
    if (held) {
      held = false;
      out.push_back(cr);
      out.push_back(lf);
      if (c == lf) continue;  // the held CR's own LF
    }
    if (c == cr) {
      held = true;
    } else if (c == lf) {
      out.push_back(cr);
      out.push_back(lf);
    } else {
      out.push_back(c);
    }
  }
}

}  // namespace

TRichStreamReader::TRichStreamReader(TStream& stream, TKind kind)
    : FStream(stream), FStart(stream.GetPosition()), FKind(kind) {}

void TRichStreamReader::Restart(TKind kind) {
  FStream.SetPosition(FStart);
  FKind = kind;
  FHeldCR = false;
  FEnd = false;
  FPiece.clear();
}

int TRichStreamReader::Read(char* buffer, int size) {
  if (size <= 0) return 0;
  if (FKind == rkRich) return static_cast<int>(FStream.Read(buffer, size));
  // Converted bytes that did not fit last time go first; a piece that
  // converts to nothing (a lone CR held back) is followed by the next one,
  // since an empty answer would end the stream.
  while (FPiece.empty() && !FEnd) {
    const int unit = FKind == rkUnicode ? 2 : 1;
    // Half the buffer in, as conversion may double it.
    int want = std::max(unit, (size / 2) / unit * unit);
    std::string in(static_cast<size_t>(want), '\0');
    const int got = static_cast<int>(FStream.Read(in.data(), want));
    in.resize(static_cast<size_t>(got));
    if (got == 0) FEnd = true;
    if (FKind == rkAnsi) {
      std::vector<char> out;
      out.reserve(in.size() * 2 + 2);
      ConvertLineEnds(in.data(), in.size(), FHeldCR, out);
      if (FEnd && FHeldCR) {
        out.push_back('\r');
        out.push_back('\n');
        FHeldCR = false;
      }
      FPiece.assign(out.begin(), out.end());
    } else {
      // A unit split between pieces: read its second byte now.
      if (got % 2 == 1) {
        char second = 0;
        if (FStream.Read(&second, 1) == 1)
          in.push_back(second);
      }
      const size_t units = in.size() / 2;
      std::vector<uint16_t> wide(units);
      for (size_t i = 0; i < units; ++i)
        wide[i] = static_cast<uint16_t>(static_cast<uint8_t>(in[2 * i]) |
                                        static_cast<uint8_t>(in[2 * i + 1]) << 8);
      std::vector<uint16_t> out;
      out.reserve(units * 2 + 2);
      ConvertLineEnds(wide.data(), units, FHeldCR, out);
      if (FEnd && FHeldCR) {
        out.push_back(13);
        out.push_back(10);
        FHeldCR = false;
      }
      FPiece.clear();
      for (uint16_t u : out) {
        FPiece.push_back(static_cast<char>(u & 0xFF));
        FPiece.push_back(static_cast<char>(u >> 8));
      }
      // An odd last byte has no unit to belong to; it goes as it is.
      if (in.size() % 2 == 1) FPiece.push_back(in.back());
    }
  }
  const int n = static_cast<int>(std::min<size_t>(FPiece.size(), static_cast<size_t>(size)));
  std::memcpy(buffer, FPiece.data(), static_cast<size_t>(n));
  FPiece.erase(0, static_cast<size_t>(n));
  return n;
}

// --- Lines, links, formats --------------------------------------------------

std::string RichInsertLineText(int version, const std::string& line, bool afterLast) {
  const char* end = version == 1 ? "\r\n" : "\r";
  return afterLast ? end + line : line + end;
}

void TRichLinkPress::Press(int start, int end, TMouseButton button) {
  FStart = start;
  FEnd = end;
  FButton = button;
}

bool TRichLinkPress::Release(int start, int end, TMouseButton button) {
  const bool click = FStart >= 0 && start == FStart && end == FEnd && button == FButton;
  FStart = FEnd = -1;
  return click;
}

namespace {

std::vector<TRichConversionFormat>& Formats() {
  static std::vector<TRichConversionFormat> formats = {{"rtf", false}, {"txt", true}};
  return formats;
}

}  // namespace

void RegisterConversionFormat(const std::string& extension, bool plainText) {
  const std::string ext = LowerCase(extension);
  for (auto& f : Formats())
    if (f.Extension == ext) {
      f.PlainText = plainText;
      return;
    }
  Formats().push_back({ext, plainText});
}

bool FindConversionFormat(const std::string& fileName, TRichConversionFormat& format) {
  std::string ext = ExtractFileExt(fileName);
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  ext = LowerCase(ext);
  for (const auto& f : Formats())
    if (f.Extension == ext) {
      format = f;
      return true;
    }
  return false;
}
