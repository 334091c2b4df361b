// TrvMultiSyn: colours a text that mixes languages, such as a web page with
// scripts. A default highlighter colours the text; each scheme names a start
// and an end expression and a highlighter that takes over between the two
// markers, which are shown as tokens of the scheme's marker style.
//
// The whole state between lines is the range: the high 16 bits hold the
// current scheme's index + 1 (0 outside every scheme); the low bits hold
// the active highlighter's range in bits 0-7 and, inside a scheme, the
// default highlighter's range at the scheme's entry in bits 8-15. Entering
// a scheme resets its highlighter; leaving it gives the default highlighter
// its saved range back. So a line rescans the same from its stored range
// whatever was scanned before.
//
// Highlighters are held without ownership and dropped when they are freed.
// Sub-highlighters scan stretches of the line (views that end before the
// next marker that applies): they must scan by the view's length, as the
// family members do. It has no export operations: exporting through it is
// the exporter's clean error.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/Highlighter.h"
#include "highlighters/RegExpr.h"
#include "platform/Collections.h"

class TrvMultiSyn;

// One embedded language: its markers' expressions, its highlighter and the
// style its markers are drawn in. Each expression is compiled when it is
// set; a scheme whose expressions are empty or do not compile, that has no
// highlighter, or whose highlighter is itself multi-language, is skipped.
class TgmScheme : public TCollectionItem {
public:
  explicit TgmScheme(TCollection* collection);
  ~TgmScheme() override;

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();
  void Assign(TPersistent* source) override;

  const std::string& GetStartExpr() const { return FStartExpr; }
  void SetStartExpr(const std::string& value);
  const std::string& GetEndExpr() const { return FEndExpr; }
  void SetEndExpr(const std::string& value);
  TktCustomHighLighter* GetHighlighter() const { return FHighlighter; }
  void SetHighlighter(TktCustomHighLighter* value);
  // Owned: "Marker", yellow background, bold. Setting copies into it.
  TktHighLightAttributes* GetMarkerAttri() const { return FMarkerAttri.get(); }
  void SetMarkerAttri(TktHighLightAttributes* value);
  const std::string& GetSchemeName() const { return FSchemeName; }
  void SetSchemeName(const std::string& value);

  bool IsUsable() const;

private:
  friend class TrvMultiSyn;
  // Compiles into re; false when the text is empty or does not compile.
  static bool Compile(TRegExpr& re, const std::string& text);

  std::string FStartExpr;
  std::string FEndExpr;
  TktCustomHighLighter* FHighlighter = nullptr;
  std::unique_ptr<TktHighLightAttributes> FMarkerAttri;
  std::string FSchemeName;
  TRegExpr FStartRe;
  TRegExpr FEndRe;
  bool FStartOk = false;
  bool FEndOk = false;
};

// The schemes of one multi-language highlighter, which hears every change.
class TgmSchemes : public TCollection {
public:
  TgmSchemes(TrvMultiSyn* owner, TItemFactory factory)
      : TCollection(std::move(factory)), FOwner(owner) {}
  TrvMultiSyn* GetOwner() const { return FOwner; }
  TgmScheme* GetItem(int index) const { return static_cast<TgmScheme*>(TCollection::GetItem(index)); }
  TgmScheme* Add() { return static_cast<TgmScheme*>(TCollection::Add()); }

protected:
  void Update(TCollectionItem* item) override;

private:
  TrvMultiSyn* FOwner;
};

// A marker found in the current line.
struct TgmMarker {
  int SchemeIndex = -1;
  int Position = 0;  // 1-based in the line
  int Length = 0;
  bool IsOpenMarker = false;
  std::string_view Text;  // the matched characters (valid until the next SetLine)
};

class TrvMultiSyn : public TktCustomHighLighter {
public:
  // The kind of a marker token (the sub-highlighters' kinds are never
  // negative).
  static constexpr int tkMarker = -1;

  explicit TrvMultiSyn(TComponent* owner);
  ~TrvMultiSyn() override;

  // Published: Schemes and DefaultHighlighter.
  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

  TktHighLightAttributes* GetDefaultAttribute(int index) const override;
  std::string GetLanguageName() const override;

  bool AtLineEnd() const override;
  TktRange GetRange() const override;
  std::string_view GetToken() const override;
  TktHighLightAttributes* GetTokenAttribute() const override;
  int GetTokenKind() const override;
  int GetTokenPos() const override;
  void Next() override;
  void SetLine(std::string_view line, int lineNumber) override;
  void SetRange(TktRange value) override;
  void ResetRange() override;
  // No export: both raise EAbstractError, as the exporter does before it
  // would call them (the capability has no export bit).
  void ExportNextToken() override;
  void SetLineForExport(std::string_view line) override;

  TgmSchemes* GetSchemes() const { return FSchemes.get(); }
  void SetSchemes(TgmSchemes* value);
  TktCustomHighLighter* GetDefaultHighlighter() const { return FDefaultHighlighter; }
  // A multi-language highlighter cannot be the default one (it would scan
  // itself): it is taken as none.
  void SetDefaultHighlighter(TktCustomHighLighter* value);

  // The markers of the current line, sorted by position, start markers
  // before end markers, then in scheme order.
  const std::vector<TgmMarker>& GetMarkers() const { return FMarkers; }
  // The scheme the scan is in, -1 outside every scheme.
  int GetCurrentScheme() const { return FCurrScheme; }

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TgmScheme;
  friend class TgmSchemes;

  // One search per distinct expression text, for every scheme that uses it.
  // An expression without special characters is a plain text: it is found
  // with the other plain texts that start with the same byte, in one pass
  // over the line, instead of through the matcher.
  struct TSearch {
    TRegExpr* Re;
    bool Open;
    std::vector<int> Schemes;
    bool IsLiteral = false;
    size_t NextAllowed = 0;  // where the next match may start
  };

  void WatchHighlighter(TktCustomHighLighter* hl);
  void SchemesChanged();
  TgmScheme* Scheme(int index) const { return FSchemes->GetItem(index); }
  TktCustomHighLighter* Active() const;
  void FindMarkers();
  void AddMarkers(const TSearch& search, size_t position, size_t length);
  // The marker that applies at the 1-based position p, or -1.
  int MarkerAt(int p) const;
  // The first marker that applies at or after p, or -1.
  int NextMarkerFrom(int p) const;
  bool Applies(const TgmMarker& m) const;
  void EnterScheme(int index);
  void LeaveScheme();
  void TakeSubToken();

  std::unique_ptr<TgmSchemes> FSchemes;
  TktCustomHighLighter* FDefaultHighlighter = nullptr;
  // Drawn for a token whose highlighter gives no attribute: never nil,
  // which means a line end.
  std::unique_ptr<TktHighLightAttributes> FPlainAttri;
  std::vector<TSearch> FSearches;
  // The plain-text searches by their first byte.
  std::vector<std::pair<char, std::vector<size_t>>> FLiteralsByFirst;
  std::vector<TgmMarker> FMarkers;

  int FCurrScheme = -1;
  uint8_t FSavedDefaultRange = 0;  // the default's range when the scheme was entered
  std::string_view FLine;
  int FLineNumber = 0;
  size_t FTokenPos = 0;
  size_t FRun = 0;         // end of the current token
  int FMarker = -1;        // the current token is this marker
  bool FAtEnd = false;
  bool FInStretch = false;  // the active highlighter is scanning a stretch
  bool FEndScanned = false;  // the active highlighter has scanned to the line's end
  size_t FStretchStart = 0;
  size_t FStretchEnd = 0;
};

// The application's nine schemes (JavaScript, VBScript and server-script
// blocks in web pages) on html as the default highlighter.
void SetApplicationSchemes(TrvMultiSyn& multi, TktCustomHighLighter* html,
                           TktCustomHighLighter* javaScript, TktCustomHighLighter* vbScript,
                           TktCustomHighLighter* visualBasic);
