// The RTF exporter: control words on attribute changes, escaping, and the
// header with font and colour tables.
#include "editor/RtfExport.h"

#include <algorithm>
#include <cstdio>

#include "editor/CharClasses.h"
#include "editor/ExportClipboard.h"
#include "editor/HighlightAttributes.h"
#include "platform/SysUtils.h"

namespace {

TktRtfExport* gShared = nullptr;

enum : uint8_t { kPlain, kBackslash, kHexByte, kLeadByte };

}  // namespace

// What escaping does with each byte: RTF's own markup characters get a
// backslash; control characters other than TAB (a NUL would also end the
// clipboard's text) and double-byte characters are written as hexadecimal
// byte values, which any reader takes back as the same bytes.
void TktRtfExport::BuildByteClasses() {
  const TCharClassTable& classes = CharClasses();
  for (int b = 0; b < 256; ++b) {
    FByteClass[b] = classes.LeadByte[b] ? kLeadByte : kPlain;
    if (b < 32 && b != '\t') FByteClass[b] = kHexByte;
  }
  FByteClass[uint8_t('\\')] = FByteClass[uint8_t('{')] = FByteClass[uint8_t('}')] = kBackslash;
}

namespace {

void AppendHexByte(TktExportBuffer& out, uint8_t b) {
  static const char kHex[] = "0123456789abcdef";
  char* p = out.Reserve(4);
  p[0] = '\\';
  p[1] = '\'';
  p[2] = kHex[b >> 4];
  p[3] = kHex[b & 15];
  out.Commit(4);
}

void AppendRtfText(TktExportBuffer& out, std::string_view text, const uint8_t* of) {
  const char* p = text.data();
  const char* end = p + text.size();
  while (p < end) {
    const char* run = p;
    while (p < end && of[uint8_t(*p)] == kPlain) ++p;
    if (p > run) out.Append(run, size_t(p - run));
    if (p == end) break;
    switch (of[uint8_t(*p)]) {
      case kBackslash:
        out.Append('\\');
        out.Append(*p++);
        break;
      case kHexByte:
        AppendHexByte(out, uint8_t(*p++));
        break;
      default:  // a lead byte and the byte after it
        AppendHexByte(out, uint8_t(*p++));
        if (p < end) AppendHexByte(out, uint8_t(*p++));
        break;
    }
  }
}

}  // namespace

std::string TktRtfExport::RtfText(std::string_view text) const {
  TktExportBuffer out;
  AppendRtfText(out, text, FByteClass);
  return std::string(out.View());
}

TktRtfExport::TktRtfExport(TComponent* owner) : TktCustomExport(owner) {
  BuildByteClasses();
  SetDefaultFilter("Rich Text Format (*.rtf)|*.rtf");
}

TktRtfExport::~TktRtfExport() {
  if (gShared == this) gShared = nullptr;
}

TktRtfExport* TktRtfExport::SharedInstance() {
  static std::unique_ptr<TktRtfExport> holder;
  if (!gShared) {
    holder = std::make_unique<TktRtfExport>(nullptr);
    gShared = holder.get();
  }
  return gShared;
}

std::string TktRtfExport::GetExporterName() const { return "RTF"; }

unsigned TktRtfExport::GetClipboardFormat() const {
  if (!FClipboardFormat) FClipboardFormat = ExportClipboard().RegisterFormat("Rich Text Format");
  return FClipboardFormat;
}

void TktRtfExport::Init(const TktExportDocument& document, TktCustomHighLighter* highlighter,
                        int sizeHint) {
  TktCustomExport::Init(document, highlighter, sizeHint);
  FColors.clear();
  FFontSizeText = "\\fs" + IntToStr(document.FontSize * 2);
  BuildByteClasses();
}

void TktRtfExport::Clear() {
  TktCustomExport::Clear();
  FColors.clear();
}

int TktRtfExport::ColorIndex(TColor color) {
  const auto it = std::find(FColors.begin(), FColors.end(), color);
  if (it != FColors.end()) return int(it - FColors.begin());
  FColors.push_back(color);
  return int(FColors.size()) - 1;
}

void TktRtfExport::AppendEscaped(std::string_view text) { AppendRtfText(Buffer(), text, FByteClass); }

void TktRtfExport::FormatToken(std::string_view token, TktHighLightAttributes* attribute, bool,
                               bool) {
  TktExportBuffer& out = Buffer();
  if (!attribute) {
    out.Append("\r\n\\par ");
    ForgetLastAttribute();
    return;
  }
  const TColor foreground = ShownForeground(attribute->GetForeground());
  const TColor background = ShownBackground(attribute->GetBackground());
  const TFontStyles style = attribute->GetStyle();
  if (FLastAttributeValid && foreground == FLastForeground && background == FLastBackground &&
      style == FLastStyle) {
    AppendEscaped(token);
    return;
  }
  FLastAttributeValid = true;
  FLastForeground = foreground;
  FLastBackground = background;
  FLastStyle = style;
  const int f = ColorIndex(foreground);
  char number[16];
  out.Append("\\plain");
  out.Append(FFontSizeText);
  if (GetUseBackground()) {
    out.Append("\\cb");
    out.Append(number, size_t(std::snprintf(number, sizeof number, "%d", ColorIndex(background))));
  }
  out.Append("\\cf");
  out.Append(number, size_t(std::snprintf(number, sizeof number, "%d", f)));
  if (style.Contains(fsBold)) out.Append("\\b");
  if (style.Contains(fsItalic)) out.Append("\\i");
  if (style.Contains(fsUnderline)) out.Append("\\ul");
  if (style.Contains(fsStrikeOut)) out.Append("\\strike");
  out.Append(' ');
  AppendEscaped(token);
  if (GetUseBackground()) {
    out.Append("\\plain\\f0");
    out.Append(FFontSizeText);
    out.Append(' ');
    // The reset took the colours away: the next token must set them again.
    ForgetLastAttribute();
  }
}

std::string TktRtfExport::GetHeader() const {
  const TktExportDocument& document = GetDocument();
  const std::string& face = document.FontName;
  std::string header = "{\\rtf1\\ansi\\deff0\\deftab720";
  if (!face.empty() && CharClasses().LeadByte[uint8_t(face[0])])
    header += "{\\fonttbl{\\f0\\fnil\\fcharset134 " + RtfText(face) + ";}}";
  else
    header += "{\\fonttbl{\\f0\\fmodern " + RtfText(face) + ";}}";
  header += "\r\n{\\colortbl";
  for (TColor color : FColors) {
    const TColor rgb = ColorToRGB(color);
    header += "\\red" + IntToStr(ColorRed(rgb)) + "\\green" + IntToStr(ColorGreen(rgb)) + "\\blue" +
              IntToStr(ColorBlue(rgb)) + ";";
  }
  header += "}\r\n{\\info{\\comment Generated by ktRtfExport}\r\n{\\title " + RtfText(GetTitle()) +
            "}}";
  if (GetUseBackground())
    header += "\r\n{\\*\\background{\\shp{{\\sp{\\sn fillColor}{\\sv " +
              IntToStr(ColorToRGB(document.Color)) + "}}}}}";
  header += "\r\n\\deflang1033\\pard\\plain \r\n";
  return header;
}

std::string TktRtfExport::GetFooter() const { return "}"; }
