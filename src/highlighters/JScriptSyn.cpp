// TktJScriptSyn: tables and scanner routines of the JavaScript highlighter.
#include "highlighters/JScriptSyn.h"

#include "editor/LocalStr.h"
#include "highlighters/ScanHelpers.h"

using namespace hlscan;

const int kRegistered = RegisterHighlighter(&NewHighlighter<TktJScriptSyn>);

const TCharTables& TktJScriptSyn::CharTables() {
  static constexpr TCharTables tables = hlscan::StandardCharTables();
  return tables;
}

const TKeywordTable& TktJScriptSyn::Keywords() {
  // clang-format off
  static const TKeywordTable table(CharTables(), kKeywordTableSize, TKeywordCompare::kcHashValues, {
          {"abs"}, {"acos"}, {"action"}, {"alert"}, {"alinkColor"}, {"Anchor"}, {"anchor"},
          {"anchors"}, {"appCodeName"}, {"Applet"}, {"applets"}, {"appName"}, {"appVersion"},
          {"Area"}, {"arguments"}, {"Array"}, {"array"}, {"asin"}, {"atan"}, {"atan2"}, {"back"},
          {"bgColor"}, {"big"}, {"blink"}, {"blur"}, {"bold"}, {"Boolean"}, {"border"}, {"break"},
          {"Button"}, {"caller"}, {"ceil"}, {"charAt"}, {"Checkbox"}, {"checked"}, {"clearTimeout"},
          {"click"}, {"close"}, {"closed"}, {"comment"}, {"complete"}, {"confirm"}, {"constructor"},
          {"continue"}, {"cookie"}, {"cos"}, {"current"}, {"Date"}, {"defaultChecked"},
          {"defaultSelected"}, {"defaultStatus"}, {"defaultValue"}, {"description"}, {"document"},
          {"domain"}, {"E"}, {"elements"}, {"else"}, {"embeds"}, {"enabledPlugin"}, {"encoding"},
          {"escape"}, {"eval"}, {"exp"}, {"fgColor"}, {"filename"}, {"FileUpload"}, {"fixed"},
          {"floor"}, {"focus"}, {"fontcolor"}, {"fontsize"}, {"for"}, {"Form"}, {"form"}, {"forms"},
          {"forward"}, {"Frame"}, {"frames"}, {"Function"}, {"function"}, {"getDate"}, {"getDay"},
          {"getHours"}, {"getMinutes"}, {"getMonth"}, {"getSeconds"}, {"getTime"},
          {"getTimezoneOffset"}, {"getYear"}, {"go"}, {"hash"}, {"height"}, {"Hidden"}, {"history"},
          {"host"}, {"hostname"}, {"href"}, {"hspace"}, {"if"}, {"Image"}, {"images"}, {"in"},
          {"index"}, {"indexOf"}, {"isNaN"}, {"italics"}, {"javaEnabled"}, {"join"},
          {"lastIndexOf"}, {"lastModified"}, {"length"}, {"Link"}, {"link"}, {"linkColor"},
          {"links"}, {"LN10"}, {"LN2"}, {"location"}, {"log"}, {"LOG10E"}, {"LOG2E"}, {"loop"},
          {"lowsrc"}, {"Math"}, {"max"}, {"MAX_VALUE"}, {"method"}, {"MimeType"}, {"mimeTypes"},
          {"min"}, {"MIN_VALUE"}, {"name"}, {"NaN"}, {"navigator"}, {"NEGATIVE_INFINITY"}, {"new"},
          {"next"}, {"Number"}, {"object"}, {"onAbort"}, {"onBlur"}, {"onChange"}, {"onClick"},
          {"onError"}, {"onFocus"}, {"onLoad"}, {"onMouseOut"}, {"onMouseOver"}, {"onReset"},
          {"onSelect"}, {"onSubmit"}, {"onUnload"}, {"open"}, {"opener"}, {"Option"}, {"options"},
          {"parent"}, {"parse"}, {"parseFloat"}, {"parseInt"}, {"Password"}, {"pathname"}, {"PI"},
          {"Plugin"}, {"plugins"}, {"port"}, {"POSITIVE_INFINITY"}, {"pow"}, {"previous"},
          {"prompt"}, {"property"}, {"protocol"}, {"prototype"}, {"Radio"}, {"random"},
          {"referrer"}, {"refresh"}, {"reload"}, {"replace"}, {"Reset"}, {"reset"}, {"return"},
          {"reverse"}, {"round"}, {"scroll"}, {"search"}, {"Select"}, {"select"}, {"selected"},
          {"selectedIndex"}, {"self"}, {"setDate"}, {"setHours"}, {"setMinutes"}, {"setMonth"},
          {"setSeconds"}, {"setTime"}, {"setTimeout"}, {"setYear"}, {"sin"}, {"small"}, {"sort"},
          {"split"}, {"sqrt"}, {"SQRT1_2"}, {"SQRT2"}, {"src"}, {"status"}, {"strike"}, {"String"},
          {"sub"}, {"submit"}, {"substring"}, {"suffixes"}, {"sup"}, {"taint"}, {"taintEnabled"},
          {"tan"}, {"target"}, {"Text"}, {"text"}, {"Textarea"}, {"this"}, {"title"},
          {"toGMTString"}, {"toLocaleString"}, {"toLowerCase"}, {"top"}, {"toString"},
          {"toUpperCase"}, {"type"}, {"unescape"}, {"untaint"}, {"URL"}, {"userAgent"}, {"UTC"},
          {"value"}, {"valueOf"}, {"var"}, {"vlinkColor"}, {"vspace"}, {"while"}, {"width"},
          {"window"}, {"with"}, {"write"}, {"writeln"},
  });
  // clang-format on
  return table;
}

const TktFamilyHighlighter::TProcTable& TktJScriptSyn::Procs() {
  static const TProcTable procs = [] {
    TProcTable p;
    FillUsualProcs<tkSpace>(
        p, Proc(&TktJScriptSyn::OneCharProc<tkUnknown>),
        Proc(&TktJScriptSyn::KeywordRunProc<&TktJScriptSyn::Keywords, tkKey, tkIdentifier>),
        Proc(&TktJScriptSyn::NumberProc));
    p['"'] = Proc(&TktJScriptSyn::StringProc);
    p['\''] = Proc(&TktJScriptSyn::StringProc);
    p['#'] = Proc(&TktJScriptSyn::RunProc<tkString, IsDigit>);
    p['$'] = Proc(&TktJScriptSyn::RunProc<tkNumber, IsHexDigit>);
    p['%'] = Proc(&TktJScriptSyn::PairProc<tkSymbol, '='>);
    p['&'] = Proc(&TktJScriptSyn::PairProc<tkSymbol, '&', '='>);
    p['*'] = Proc(&TktJScriptSyn::PairProc<tkSymbol, '='>);
    p['+'] = Proc(&TktJScriptSyn::PairProc<tkSymbol, '+', '='>);
    p['-'] = Proc(&TktJScriptSyn::PairProc<tkSymbol, '-', '=', '>'>);
    p['.'] = Proc(&TktJScriptSyn::DotsProc<tkSymbol>);
    p['/'] = Proc(&TktJScriptSyn::SlashProc);
    p['|'] = Proc(&TktJScriptSyn::PairProc<tkSymbol, '|', '='>);
    for (char c : std::string_view("(),{}~"))
      p[static_cast<unsigned char>(c)] = Proc(&TktJScriptSyn::OneCharProc<tkSymbol>);
    return p;
  }();
  return procs;
}

TktJScriptSyn::TktJScriptSyn(TComponent* owner)
    : TktFamilyHighlighter(owner, CharTables(), Procs(), tkNull, tkUnknown, rsNormal, rsComment,
                           rsNormal) {
  (void)kRegistered;
  FCommentAttri = MakeAttribute(SAttrComment, tkComment, true);
  FIdentifierAttri = MakeAttribute(SAttrIdentifier, tkIdentifier, false);
  FKeyAttri = MakeAttribute(SAttrReservedWord, tkKey, false);
  FNumberAttri = MakeAttribute(SAttrNumber, tkNumber, false);
  FSpaceAttri = MakeSpaceAttribute(tkSpace);
  FStringAttri = MakeAttribute(SAttrString, tkString, true);
  FSymbolAttri = MakeAttribute(SAttrSymbol, tkSymbol, true);
  SetKind(tkUnknown, FStringAttri, true, false);
  SetDefaultKinds(tkSpace, tkComment, tkKey);
  SetDefaultFilter(SFilterJScript);
}

const TClassInfo& TktJScriptSyn::StaticClassInfo() {
  static const TClassInfo info =
      TClassInfo("TktJScriptSyn", &TktFamilyHighlighter::StaticClassInfo())
          .Object("CommentAttri", &TktJScriptSyn::GetCommentAttri)
          .Object("IdentifierAttri", &TktJScriptSyn::GetIdentifierAttri)
          .Object("KeyAttri", &TktJScriptSyn::GetKeyAttri)
          .Object("NumberAttri", &TktJScriptSyn::GetNumberAttri)
          .Object("SpaceAttri", &TktJScriptSyn::GetSpaceAttri)
          .Object("StringAttri", &TktJScriptSyn::GetStringAttri)
          .Object("SymbolAttri", &TktJScriptSyn::GetSymbolAttri);
  return info;
}

const TClassInfo* TktJScriptSyn::ClassInfo() const { return &StaticClassInfo(); }

int TktJScriptSyn::GetCapability() const {
  return TktFamilyHighlighter::GetCapability() | hcExport;
}

std::string TktJScriptSyn::GetLanguageName() const { return SLangJScript; }

void TktJScriptSyn::Next() {
  FTokenPos = FRun;
  if (FRange == rsComment && !AtLineEndOrBreak()) {
    FTokenKind = tkComment;
    CommentFrom(FRun);
    return;
  }
  Dispatch();
}

void TktJScriptSyn::CommentFrom(size_t from) {
  const TCommentScan comment = CCommentFrom(FLine, from);
  FRun = comment.End;
  // Not closed at a line break or the line end: the comment stays open.
  FRange = comment.Closed ? rsNormal : rsComment;
}

void TktJScriptSyn::NumberProc() {
  FTokenKind = tkNumber;
  FRun = NumberRunEnd(FLine, FRun, [](char c) { return IsDigit(c) || c == 'e' || c == 'E'; });
}

void TktJScriptSyn::StringProc() {
  FTokenKind = tkString;
  // No escape character; a line break or the line end ends it open.
  FRun = QuotedEnd(FLine, FRun, FLine[FRun], LineBreakFrom(FLine, FRun + 1));
}

void TktJScriptSyn::SlashProc() {
  const char next = CharAt(FRun + 1);
  if (next == '*') {
    FTokenKind = tkComment;
    // From the opener's "*", so "/*/" is a whole comment.
    CommentFrom(FRun + 1);
    return;
  }
  LineCommentOrSlash<tkComment, tkSymbol, true>();
}
