// The HTML exporter: tags per attribute, character references, and the file
// and clipboard wrappers.
#include "editor/HtmlExport.h"

#include <cstdio>
#include <cstring>

#include "editor/CharClasses.h"
#include "editor/CodePage.h"
#include "editor/ExportClipboard.h"
#include "editor/HighlightAttributes.h"
#include "platform/SysUtils.h"

namespace {

TktHtmlExport* gShared = nullptr;

enum : uint8_t { kAsIs, kReference, kLeadByte };

// The characters with names of their own in the output.
struct TNamed {
  char32_t Code;
  const char* Name;
};
constexpr TNamed kNamed[] = {
    {U'<', "&lt;"},       {U'>', "&gt;"},       {U'&', "&amp;"},       {U'"', "&quot;"},
    {0xA9, "&copy;"},     {0xC0, "&Agrave;"},   {0xE0, "&agrave;"},    {0xC7, "&Ccedil;"},
    {0xE7, "&ccedil;"},   {0xC8, "&Egrave;"},   {0xE8, "&egrave;"},    {0xC9, "&Eacute;"},
    {0xE9, "&eacute;"},   {0xCA, "&Ecirc;"},    {0xEA, "&ecirc;"},     {0xCB, "&Euml;"},
    {0xEB, "&euml;"},     {0xCE, "&Icirc;"},    {0xEE, "&icirc;"},     {0xCF, "&Iuml;"},
    {0xEF, "&iuml;"},     {0xDB, "&Ucirc;"},    {0xFB, "&ucirc;"},     {0xDC, "&Uuml;"},
    {0xFC, "&uuml;"},
};

// The reference that stands for code; NUL (which no reference may name)
// becomes the replacement character.
int WriteReference(char32_t code, char* out) {
  for (const TNamed& named : kNamed)
    if (named.Code == code) {
      const size_t n = std::strlen(named.Name);
      std::memcpy(out, named.Name, n);
      return int(n);
    }
  if (code == 0) code = 0xFFFD;
  return std::snprintf(out, 12, "&#%u;", unsigned(code));
}

// The colour as "#RRGGBB" (system colours resolved).
std::string HexColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", ColorRed(rgb), ColorGreen(rgb), ColorBlue(rgb));
  return text;
}

// The colour as an attribute value: "#RRGGBB" with its quotes.
std::string ColorText(TColor color) {
  const TColor rgb = ColorToRGB(color);
  char text[12];
  std::snprintf(text, sizeof text, "\"#%02X%02X%02X\"", ColorRed(rgb), ColorGreen(rgb),
                ColorBlue(rgb));
  return text;
}

constexpr const char* kClipboardHeader =
    "Version:0.9\r\nStartHTML:%.10d\r\nEndHTML:%.10d\r\nStartFragment:%.10d\r\n"
    "EndFragment:%.10d\r\n";
constexpr const char* kClipboardWrapperStart = "<html>\r\n<head></head><body>";
constexpr const char* kClipboardWrapperEnd = "</body>\r\n</html>";
constexpr const char* kStartFragment = "<!--StartFragment-->";
constexpr const char* kEndFragment = "<!--EndFragment-->";
constexpr const char* kFragmentStart = "<code><pre>";
constexpr const char* kFragmentEnd = "</pre></code>";

}  // namespace

TktHtmlExport::TktHtmlExport(TComponent* owner) : TktCustomExport(owner) {
  SetDefaultFilter("HTML Document (*.htm,*.html)|*.htm;*.html");
  BuildReferences();
}

TktHtmlExport::~TktHtmlExport() {
  if (gShared == this) gShared = nullptr;
}

TktHtmlExport* TktHtmlExport::SharedInstance() {
  static std::unique_ptr<TktHtmlExport> holder;
  if (!gShared) {
    holder = std::make_unique<TktHtmlExport>(nullptr);
    gShared = holder.get();
  }
  return gShared;
}

std::string TktHtmlExport::GetExporterName() const { return "HTML"; }

unsigned TktHtmlExport::GetClipboardFormat() const {
  if (!FClipboardFormat) FClipboardFormat = ExportClipboard().RegisterFormat("HTML Format");
  return FClipboardFormat;
}

void TktHtmlExport::SetBackGround(TColor value) {
  if (IsSystemColor(value)) {
    FBackGround = clWhite;
    FPlainText = clBlack;
    return;
  }
  FBackGround = value;
}

void TktHtmlExport::SetPlainText(TColor value) {
  if (IsSystemColor(value)) {
    FBackGround = clWhite;
    FPlainText = clBlack;
    return;
  }
  FPlainText = value;
}

void TktHtmlExport::Init(const TktExportDocument& document, TktCustomHighLighter* highlighter,
                         int sizeHint) {
  TktCustomExport::Init(document, highlighter, sizeHint);
  if (GetUseBackground()) SetBackGround(document.Color);
  FTags.clear();
  FLastTags = 0;
  FPendingLead = -1;
  BuildReferences();
}

void TktHtmlExport::BuildReferences() {
  const TAnsiCodePage& codePage = AnsiCodePage();
  const TCharClassTable& classes = CharClasses();
  for (int b = 0; b < 256; ++b) {
    FByteKind[b] = kAsIs;
    FReferenceLength[b] = 0;
    if (classes.LeadByte[b] && codePage.DoubleByte) {
      FByteKind[b] = kLeadByte;
      continue;
    }
    const bool markup = b == '<' || b == '>' || b == '&' || b == '"';
    if (b >= 128 || b == 0 || markup) {
      FByteKind[b] = kReference;
      FReferenceLength[b] = uint8_t(WriteReference(codePage.Unicode[b], FReference[size_t(b)].data()));
    }
  }
}

void TktHtmlExport::AppendEscaped(TktExportBuffer& out, std::string_view text,
                                  int& pendingLead) const {
  const char* p = text.data();
  const char* end = p + text.size();
  char reference[12];
  if (pendingLead >= 0 && p < end) {
    // The trail byte of a character whose lead byte ended the last token.
    const char32_t code = AnsiCodePage().DoubleByte(uint8_t(pendingLead), uint8_t(*p++));
    pendingLead = -1;
    out.Append(reference, size_t(WriteReference(code, reference)));
  }
  while (p < end) {
    const char* run = p;
    while (p < end && FByteKind[uint8_t(*p)] == kAsIs) ++p;
    if (p > run) out.Append(run, size_t(p - run));
    if (p == end) break;
    const uint8_t b = uint8_t(*p++);
    if (FByteKind[b] == kReference) {
      out.Append(FReference[b].data(), FReferenceLength[b]);
      continue;
    }
    // A lead byte and its trail byte make one character; one that ends the
    // text waits for the next piece.
    if (p == end) {
      pendingLead = b;
      break;
    }
    const char32_t code = AnsiCodePage().DoubleByte(b, uint8_t(*p++));
    out.Append(reference, size_t(WriteReference(code, reference)));
  }
}

void TktHtmlExport::AppendLoneLeadByte(TktExportBuffer& out, int& pendingLead) const {
  if (pendingLead < 0) return;
  // A lead byte with nothing after it on its line means nothing.
  char reference[12];
  out.Append(reference, size_t(WriteReference(0xFFFD, reference)));
  pendingLead = -1;
}

void TktHtmlExport::FlushPending() { AppendLoneLeadByte(Buffer(), FPendingLead); }

std::string TktHtmlExport::HtmlText(std::string_view text) const {
  TktExportBuffer out;
  int pendingLead = -1;
  AppendEscaped(out, text, pendingLead);
  AppendLoneLeadByte(out, pendingLead);
  return std::string(out.View());
}

const TktHtmlExport::TTags& TktHtmlExport::TagsFor(const TktHighLightAttributes& attribute,
                                                   bool space) {
  const TColor foreground = ShownForeground(attribute.GetForeground());
  const TColor background = ShownBackground(attribute.GetBackground());
  const TFontStyles style = attribute.GetStyle();
  auto matches = [&](const TTags& tags) {
    return tags.Attribute == &attribute && tags.Space == space && tags.Foreground == foreground &&
           tags.Background == background && tags.Style == style;
  };
  if (FLastTags < FTags.size() && matches(FTags[FLastTags])) return FTags[FLastTags];
  for (size_t i = 0; i < FTags.size(); ++i)
    if (matches(FTags[i])) {
      FLastTags = i;
      return FTags[i];
    }

  TTags tags{&attribute, space, foreground, background, style, {}, {}};
  const bool span = GetUseBackground() && ColorToRGB(background) != ColorToRGB(FBackGround);
  const bool font = !space && ColorToRGB(foreground) != ColorToRGB(FPlainText);
  if (span) tags.Open += "<span style=\"background-color: " + HexColor(background) + "\">";
  if (font) tags.Open += "<font color=" + ColorText(foreground) + ">";
  if (style.Contains(fsBold)) tags.Open += "<b>";
  if (style.Contains(fsItalic)) tags.Open += "<i>";
  if (style.Contains(fsUnderline)) tags.Open += "<u>";
  if (style.Contains(fsStrikeOut)) tags.Open += "<strike>";
  if (style.Contains(fsStrikeOut)) tags.Close += "</strike>";
  if (style.Contains(fsUnderline)) tags.Close += "</u>";
  if (style.Contains(fsItalic)) tags.Close += "</i>";
  if (style.Contains(fsBold)) tags.Close += "</b>";
  if (font) tags.Close += "</font>";
  if (span) tags.Close += "</span>";
  FTags.push_back(std::move(tags));
  FLastTags = FTags.size() - 1;
  return FTags.back();
}

void TktHtmlExport::FormatToken(std::string_view token, TktHighLightAttributes* attribute, bool,
                                bool space) {
  TktExportBuffer& out = Buffer();
  if (!attribute) {
    AppendLoneLeadByte(out, FPendingLead);
    out.Append("\r\n");
    return;
  }
  const TTags& tags = TagsFor(*attribute, space);
  out.Append(tags.Open);
  AppendEscaped(out, token, FPendingLead);
  out.Append(tags.Close);
}

bool TktHtmlExport::ForClipboard() const {
  return FClipboardFormatInProgress != 0 && FClipboardFormatInProgress == GetClipboardFormat();
}

std::string TktHtmlExport::GetHeader() const {
  if (ForClipboard()) {
    const std::string wrapperStart = FCreateHTMLFragment ? "" : kClipboardWrapperStart;
    const std::string wrapperEnd = FCreateHTMLFragment ? "" : kClipboardWrapperEnd;
    char probe[160];
    const int startHtml = std::snprintf(probe, sizeof probe, kClipboardHeader, 0, 0, 0, 0);
    const int startFragment =
        startHtml + int(wrapperStart.size()) + int(std::strlen(kStartFragment));
    const int endFragment = startFragment + int(std::strlen(kFragmentStart)) +
                            int(Buffer().Size()) + int(std::strlen(kFragmentEnd));
    const int endHtml = endFragment + int(std::strlen(kEndFragment)) + int(wrapperEnd.size());
    char header[160];
    std::snprintf(header, sizeof header, kClipboardHeader, startHtml, endHtml, startFragment,
                  endFragment);
    return std::string(header) + wrapperStart + kStartFragment + kFragmentStart;
  }
  std::string header;
  if (!FCreateHTMLFragment)
    header = "<html>\r\n<head>\r\n<title>" + HtmlText(GetTitle()) +
             "</title>\r\n</head>\r\n<!-- Generated by ktHtmlExport -->\r\n<body text=" +
             ColorText(FPlainText) + " bgcolor=" + ColorText(FBackGround) + ">\r\n";
  header += "<code><pre>\r\n<font size=" + IntToStr(int(FFontSize) + 1) + " face=\"" +
            HtmlText(GetDocument().FontName) + "\">";
  return header;
}

std::string TktHtmlExport::GetFooter() const {
  if (ForClipboard())
    return std::string(kFragmentEnd) + kEndFragment + (FCreateHTMLFragment ? "" : kClipboardWrapperEnd);
  std::string footer = "</font>\r\n</pre></code>\r\n";
  if (!FCreateHTMLFragment) footer += "</body>\r\n</html>";
  return footer;
}
