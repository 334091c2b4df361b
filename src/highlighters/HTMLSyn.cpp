// TejHTMLSyn: tag and entity data and the scanner routines of the HTML
// highlighter.
#include "highlighters/HTMLSyn.h"

#include <vector>

#include "editor/LocalStr.h"
#include "highlighters/ScanHelpers.h"

namespace {

constexpr int kKeywordTableSize = 244;

bool IsTagChar(char c) { return hlscan::IsLetter(c) || c == '!' || c == '/'; }

// The tag word's hash: its letters, "!" and "/", then the numeric values of
// the digits after them. length receives the length of both runs. The sum
// stops growing past the table, so no word can overflow it.
int TagHash(const TCharTables& t, std::string_view s, size_t i, size_t* length) {
  const size_t start = i;
  int hash = 0;
  for (; i < s.size() && IsTagChar(s[i]); ++i)
    if (hash < kKeywordTableSize) hash += t.Hash(s[i]);
  for (; i < s.size() && hlscan::IsDigit(s[i]); ++i)
    if (hash < kKeywordTableSize) hash += s[i] - '0';
  *length = i - start;
  return hash;
}

int TagWordHash(const TCharTables& t, std::string_view word) {
  size_t length = 0;
  return TagHash(t, word, 0, &length);
}

// Ends of an attribute name and of a value inside a tag.
bool EndsName(char c) {
  return static_cast<unsigned char>(c) < 33 || c == '"' || c == '=' || c == '>';
}
bool EndsValue(char c) { return static_cast<unsigned char>(c) < 33 || c == '>'; }

// Where text stops: control characters, "<" and "&" (which may start an
// entity).
const std::array<bool, 256>& TextStops() {
  static const std::array<bool, 256> stops = [] {
    std::array<bool, 256> s{};
    for (int c = 0; c < 32; ++c) s[static_cast<size_t>(c)] = true;
    s['<'] = true;
    s['&'] = true;
    return s;
  }();
  return stops;
}

const int kRegistered = RegisterHighlighter(&NewHighlighter<TejHTMLSyn>);

}  // namespace

const TCharTables& TejHTMLSyn::CharTables() {
  static const TCharTables tables = [] {
    TCharTables t;
    for (int c = 0; c < 256; ++c) {
      const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
      t.Ident[static_cast<size_t>(c)] = letter || (c >= '0' && c <= '9');
      if (letter) t.HashValue[static_cast<size_t>(c)] = (c | 0x20) - 'a' + 1;
    }
    t.HashValue['!'] = 123;
    t.HashValue['/'] = 122;
    return t;
  }();
  return tables;
}

const TKeywordTable& TejHTMLSyn::Keywords() {
  static const TKeywordTable table(
      CharTables(), kKeywordTableSize, TKeywordCompare::kcHashValues,
      {
          // Opening tags.
          {"!DOCTYPE"}, {"A"}, {"ABBR"}, {"ACRONYM"}, {"ADDRESS"}, {"APPLET"}, {"AREA"}, {"B"},
          {"BASE"}, {"BASEFONT"}, {"BGSOUND"}, {"BIG"}, {"BLINK"}, {"BLOCKQUOTE"}, {"BODY"},
          {"BR"}, {"BUTTON"}, {"CAPTION"}, {"CENTER"}, {"CITE"}, {"CODE"}, {"COL"},
          {"COLGROUP"}, {"COMMENT"}, {"DD"}, {"DEL"}, {"DFN"}, {"DIR"}, {"DIV"}, {"DL"}, {"DT"},
          {"EM"}, {"EMBED"}, {"FIELDSET"}, {"FONT"}, {"FORM"}, {"FRAME"}, {"FRAMESET"}, {"H1"},
          {"H2"}, {"H3"}, {"H4"}, {"H5"}, {"H6"}, {"HEAD"}, {"HR"}, {"HTML"}, {"I"}, {"IFRAME"},
          {"ILAYER"}, {"IMG"}, {"INPUT"}, {"INS"}, {"ISINDEX"}, {"KBD"}, {"KEYGEN"}, {"LABEL"},
          {"LAYER"}, {"LEGEND"}, {"LI"}, {"LINK"}, {"LISTING"}, {"MAP"}, {"MARQUEE"}, {"MENU"},
          {"META"}, {"MULTICOL"}, {"NEXTID"}, {"NOBR"}, {"NOEMBED"}, {"NOFRAMES"}, {"NOLAYER"},
          {"NOSCRIPT"}, {"OBJECT"}, {"OL"}, {"OPTION"}, {"P"}, {"PARAM"}, {"PLAINTEXT"},
          {"PRE"}, {"Q"}, {"S"}, {"SAMP"}, {"SCRIPT"}, {"SELECT"}, {"SERVER"}, {"SMALL"},
          {"SPACER"}, {"SPAN"}, {"STRIKE"}, {"STRONG"}, {"STYLE"}, {"SUB"}, {"SUP"}, {"TABLE"},
          {"TBODY"}, {"TD"}, {"TEXTAREA"}, {"TFOOT"}, {"TH"}, {"THEAD"}, {"TITLE"}, {"TR"},
          {"TT"}, {"U"}, {"UL"}, {"VAR"}, {"WBR"}, {"XMP"},
          // Closing tags.
          {"/A"}, {"/ABBR"}, {"/ACRONYM"}, {"/ADDRESS"}, {"/APPLET"}, {"/B"}, {"/BIG"},
          {"/BLINK"}, {"/BLOCKQUOTE"}, {"/BODY"}, {"/BUTTON"}, {"/CAPTION"}, {"/CENTER"},
          {"/CITE"}, {"/CODE"}, {"/COLGROUP"}, {"/COMMENT"}, {"/DD"}, {"/DEL"}, {"/DFN"},
          {"/DIR"}, {"/DIV"}, {"/DL"}, {"/DT"}, {"/EM"}, {"/EMBED"}, {"/FIELDSET"}, {"/FONT"},
          {"/FORM"}, {"/FRAMESET"}, {"/H1"}, {"/H2"}, {"/H3"}, {"/H4"}, {"/H5"}, {"/H6"},
          {"/HEAD"}, {"/HTML"}, {"/I"}, {"/IFRAME"}, {"/ILAYER"}, {"/INS"}, {"/KBD"},
          {"/LABEL"}, {"/LAYER"}, {"/LEGEND"}, {"/LI"}, {"/LISTING"}, {"/MAP"}, {"/MARQUEE"},
          {"/MENU"}, {"/MULTICOL"}, {"/NOBR"}, {"/NOEMBED"}, {"/NOFRAMES"}, {"/NOLAYER"},
          {"/NOSCRIPT"}, {"/OBJECT"}, {"/OL"}, {"/OPTION"}, {"/P"}, {"/PRE"}, {"/Q"}, {"/S"},
          {"/SAMP"}, {"/SCRIPT"}, {"/SELECT"}, {"/SERVER"}, {"/SMALL"}, {"/SPAN"}, {"/STRIKE"},
          {"/STRONG"}, {"/STYLE"}, {"/SUB"}, {"/SUP"}, {"/TABLE"}, {"/TBODY"}, {"/TD"},
          {"/TEXTAREA"}, {"/TFOOT"}, {"/TH"}, {"/THEAD"}, {"/TITLE"}, {"/TR"}, {"/TT"}, {"/U"},
          {"/UL"}, {"/VAR"}, {"/XMP"},
      },
      &TagWordHash);
  return table;
}

const std::array<std::string_view, TejHTMLSyn::kEntityCount>& TejHTMLSyn::Entities() {
  static const std::array<std::string_view, kEntityCount> entities = {
      "&amp;", "&lt;", "&gt;", "&quot;", "&trade;", "&nbsp;", "&copy;", "&reg;", "&Agrave;",
      "&Aacute;", "&Acirc;", "&Atilde;", "&Auml;", "&Aring;", "&AElig;", "&Ccedil;", "&Egrave;",
      "&Eacute;", "&Ecirc;", "&Euml;", "&Igrave;", "&Iacute;", "&Icirc;", "&Iuml;", "&ETH;",
      "&Ntilde;", "&Ograve;", "&Oacute;", "&Ocirc;", "&Otilde;", "&Ouml;", "&Oslash;", "&Ugrave;",
      "&Uacute;", "&Ucirc;", "&Uuml;", "&Yacute;", "&THORN;", "&szlig;", "&agrave;", "&aacute;",
      "&acirc;", "&atilde;", "&auml;", "&aring;", "&aelig;", "&ccedil;", "&egrave;", "&eacute;",
      "&ecirc;", "&euml;", "&igrave;", "&iacute;", "&icirc;", "&iuml;", "&eth;", "&ntilde;",
      "&ograve;", "&oacute;", "&ocirc;", "&otilde;", "&ouml;", "&oslash;", "&ugrave;", "&uacute;",
      "&ucirc;", "&uuml;", "&yacute;", "&thorn;", "&yuml;", "&iexcl;", "&cent;", "&pound;",
      "&curren;", "&yen;", "&brvbar;", "&sect;", "&uml;", "&ordf;", "&laquo;", "&shy;", "&macr;",
      "&deg;", "&plusmn;", "&sup2;", "&sup3;", "&acute;", "&micro;", "&middot;", "&cedil;",
      "&sup1;", "&ordm;", "&raquo;", "&frac14;", "&frac12;", "&frac34;", "&iquest;", "&times;",
      "&divide", "&euro;", "&#9;", "&#127;", "&#128;", "&#129;", "&#130;", "&#131;", "&#132;",
      "&ldots;", "&#134;", "&#135;", "&#136;", "&#137;", "&#138;", "&#139;", "&#140;", "&#141;",
      "&#142;", "&#143;", "&#144;", "&#152;", "&#153;", "&#154;", "&#155;", "&#156;", "&#157;",
      "&#158;", "&#159;", "&#161;", "&#162;", "&#163;", "&#164;", "&#165;", "&#166;", "&#167;",
      "&#168;", "&#170;", "&#175;", "&#176;", "&#177;", "&#178;", "&#180;", "&#181;", "&#183;",
      "&#184;", "&#185;", "&#186;", "&#188;", "&#189;", "&#190;", "&#191;", "&#215;",
  };
  return entities;
}

int TejHTMLSyn::EntityAt(std::string_view line, size_t i) {
  // The entities grouped by their second character, in table order.
  static const std::array<std::vector<uint8_t>, 256> bySecond = [] {
    std::array<std::vector<uint8_t>, 256> groups;
    for (size_t e = 0; e < kEntityCount; ++e)
      groups[static_cast<unsigned char>(Entities()[e][1])].push_back(static_cast<uint8_t>(e));
    return groups;
  }();
  if (i + 1 >= line.size() || line[i] != '&') return -1;
  for (uint8_t e : bySecond[static_cast<unsigned char>(line[i + 1])]) {
    const std::string_view text = Entities()[e];
    if (line.compare(i, text.size(), text) == 0) return e;
  }
  return -1;
}

const TktFamilyHighlighter::TProcTable& TejHTMLSyn::Procs() {
  static const TProcTable procs = [] {
    TProcTable p;
    p.fill(Proc(&TejHTMLSyn::IdentProc));
    p[0] = &TejHTMLSyn::NullProc;
    for (int c = 1; c <= 32; ++c) p[static_cast<size_t>(c)] = Proc(&TejHTMLSyn::SpaceProc);
    p['\n'] = Proc(&TejHTMLSyn::LFProc);
    p['\r'] = Proc(&TejHTMLSyn::CRProc);
    p['<'] = Proc(&TejHTMLSyn::LessProc);
    p['>'] = Proc(&TejHTMLSyn::GreaterProc);
    p['='] = Proc(&TejHTMLSyn::EqualProc);
    p['"'] = Proc(&TejHTMLSyn::StringProc);
    p['&'] = Proc(&TejHTMLSyn::AmpersandProc);
    return p;
  }();
  return procs;
}

TejHTMLSyn::TejHTMLSyn(TComponent* owner)
    : TktFamilyHighlighter(owner, CharTables(), Procs(), tkNull, tkText, rsAmpersand, rsValue,
                           rsText) {
  (void)kRegistered;
  FAndAttri = MakeAttribute(SAttrEscapeAmpersand, tkAmpersand, false);
  FASPAttri = MakeAttribute(SAttrASP, tkASP, true);
  FCommentAttri = MakeAttribute(SAttrComment, tkComment, true);
  FIdentifierAttri = MakeAttribute(SAttrIdentifier, tkIdentifier, false);
  FKeyAttri = MakeAttribute(SAttrReservedWord, tkKey, false);
  FSpaceAttri = MakeSpaceAttribute(tkSpace);
  FSymbolAttri = MakeAttribute(SAttrSymbol, tkSymbol, true);
  FTextAttri = MakeAttribute(SAttrText, tkText, true);
  FUndefKeyAttri = MakeAttribute(SAttrUnknownWord, tkUndefKey, true);
  FValueAttri = MakeAttribute(SAttrValue, tkValue, true);
  SetKind(tkString, FValueAttri, true, false);
  SetDefaultKinds(tkSpace, tkComment, tkKey);
  SetDefaultFilter(SFilterHTML);
}

const TClassInfo& TejHTMLSyn::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TejHTMLSyn", &TktFamilyHighlighter::StaticClassInfo())
          .Object("AndAttri", &TejHTMLSyn::GetAndAttri)
          .Object("ASPAttri", &TejHTMLSyn::GetASPAttri)
          .Object("CommentAttri", &TejHTMLSyn::GetCommentAttri)
          .Object("IdentifierAttri", &TejHTMLSyn::GetIdentifierAttri)
          .Object("KeyAttri", &TejHTMLSyn::GetKeyAttri)
          .Object("SpaceAttri", &TejHTMLSyn::GetSpaceAttri)
          .Object("SymbolAttri", &TejHTMLSyn::GetSymbolAttri)
          .Object("TextAttri", &TejHTMLSyn::GetTextAttri)
          .Object("UndefKeyAttri", &TejHTMLSyn::GetUndefKeyAttri)
          .Object("ValueAttri", &TejHTMLSyn::GetValueAttri);
  return info;
}

const TClassInfo* TejHTMLSyn::ClassInfo() const { return &StaticClassInfo(); }

int TejHTMLSyn::GetCapability() const { return hcRegistry | hcExport; }

std::string TejHTMLSyn::GetLanguageName() const { return SLangHTML; }

void TejHTMLSyn::SetRange(TktRange value) {
  TktFamilyHighlighter::SetRange(value);
  if (FRange == rsAmpersand || FRange == 6) FRange = rsText;
  FAndCode = -1;
}

void TejHTMLSyn::Next() {
  FTokenPos = FRun;
  switch (FRange) {
    case rsASP:
      BlockContinue("%", tkASP);
      break;
    case rsComment:
      BlockContinue("--", tkComment);
      break;
    case rsText:
      TextRoutine();
      break;
    default:
      Dispatch();
  }
}

void TejHTMLSyn::LFProc() {
  FTokenKind = tkSpace;
  ++FRun;
}

void TejHTMLSyn::CRProc() {
  FTokenKind = tkSpace;
  FRun = hlscan::LineBreakEnd(FLine, FRun);
}

// Every tab starts a space token of its own.
void TejHTMLSyn::SpaceProc() {
  FTokenKind = tkSpace;
  FRun = hlscan::SkipWhile(FLine, FRun + 1, [](char c) { return hlscan::IsBlank(c) && c != '\t'; });
}

void TejHTMLSyn::LessProc() {
  if (FLine.compare(FRun + 1, 3, "!--") == 0) {
    FTokenKind = tkComment;
    FRun += 4;
    FRange = rsComment;
  } else if (CharAt(FRun + 1) == '%') {
    FTokenKind = tkASP;
    FRun += 2;
    FRange = rsASP;
  } else {
    FTokenKind = tkSymbol;
    ++FRun;
    FRange = rsKey;
  }
}

void TejHTMLSyn::GreaterProc() {
  FTokenKind = tkSymbol;
  ++FRun;
  FRange = rsText;
}

void TejHTMLSyn::EqualProc() {
  FTokenKind = tkSymbol;
  ++FRun;
  FRange = rsValue;
}

void TejHTMLSyn::StringProc() {
  if (FRange == rsValue) {
    FTokenKind = tkValue;
    FRange = rsParam;
  } else {
    FTokenKind = tkString;
  }
  const size_t close = FindChar('"', FRun + 1);
  FRun = close < LineLength() ? close + 1 : LineLength();
}

void TejHTMLSyn::EntityToken(int entity) {
  FTokenKind = tkAmpersand;
  FRun += Entities()[static_cast<size_t>(entity)].size();
}

// The entity the text routine found ahead; anywhere else an "&" is a
// character of text. Either way text follows.
void TejHTMLSyn::AmpersandProc() {
  if (FAndCode >= 0 && EntityAt(FLine, FRun) == FAndCode) {
    EntityToken(FAndCode);
  } else {
    FTokenKind = tkText;
    ++FRun;
  }
  FAndCode = -1;
  FRange = rsText;
}

void TejHTMLSyn::IdentProc() {
  if (FRange == rsKey) {
    size_t length = 0;
    const int hash = TagHash(FTables, FLine, FRun, &length);
    FRange = rsParam;
    if (length == 0) {
      // "<?xml", "<#": no tag word, but still a tag.
      FTokenKind = tkUndefKey;
      FRun = hlscan::SkipWhile(FLine, FRun + 1, [](char c) { return !EndsName(c); });
      return;
    }
    if (hash >= kKeywordTableSize)
      FTokenKind = tkIdentifier;
    else
      FTokenKind = Keywords().Find(hash, FLine.data() + FRun, length) ? tkKey : tkUndefKey;
    FRun += length;
    return;
  }
  if (FRange == rsValue) {
    FTokenKind = tkValue;
    FRange = rsParam;
    FRun = hlscan::SkipWhile(FLine, FRun + 1, [](char c) { return !EndsValue(c); });
    return;
  }
  FTokenKind = tkIdentifier;
  FRun = hlscan::SkipWhile(FLine, FRun + 1, [](char c) { return !EndsName(c); });
}

void TejHTMLSyn::TextRoutine() {
  const char c = CharAt(FRun);
  if (AtEnd() || static_cast<unsigned char>(c) < 32 || c == '<') {
    Dispatch();
    return;
  }
  if (c == '&') {
    const int entity = EntityAt(FLine, FRun);
    if (entity >= 0) {
      EntityToken(entity);
      return;
    }
  }
  // Text up to a control character, "<" or the "&" of an entity; an "&"
  // that starts none is text.
  FTokenKind = tkText;
  const std::array<bool, 256>& stops = TextStops();
  const size_t n = LineLength();
  size_t i = FRun + 1;
  for (; i < n; ++i) {
    const unsigned char u = static_cast<unsigned char>(FLine[i]);
    if (!stops[u]) continue;
    if (u != '&') break;
    const int entity = EntityAt(FLine, i);
    if (entity >= 0) {
      FAndCode = entity;
      FRange = rsAmpersand;
      break;
    }
  }
  FRun = i;
}

void TejHTMLSyn::BlockContinue(std::string_view closer, uint8_t kind) {
  const char c = CharAt(FRun);
  if (AtEnd() || c == '\0' || c == '\n' || c == '\r') {
    Dispatch();  // the line end, a line break or a NUL byte; the range stays
    return;
  }
  FTokenKind = kind;
  const size_t n = LineLength();
  for (size_t i = FindChar('>', FRun); i < n; i = FindChar('>', i + 1)) {
    // The closer may stand before the run, but only inside the line.
    if (i >= closer.size() && FLine.compare(i - closer.size(), closer.size(), closer) == 0) {
      FRun = i + 1;
      FRange = rsText;
      return;
    }
  }
  FRun = n;
}
