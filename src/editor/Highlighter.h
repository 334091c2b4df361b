// TktCustomHighLighter: the only face of a language highlighter that the
// editing control, its line store and the exporters see. A highlighter scans
// one line at a time; the state it carries from one line to the next (its
// range) is a pointer-sized value the line store keeps beside each line.
//
// Calling order: ResetRange or SetRange(stored range), SetLine, then read
// GetToken/GetTokenPos/GetTokenKind/GetTokenAttribute and call Next until
// AtLineEnd; GetRange then gives the range at the start of the next line.
// Export: SetRange, SetLineForExport, then ExportNextToken until AtLineEnd.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/HighlightAttributes.h"
#include "editor/MethodChain.h"
#include "editor/SupportProcs.h"
#include "platform/Classes.h"
#include "platform/RegistryBackend.h"

class TktCustomExport;

// The highlighter's state between lines.
using TktRange = intptr_t;

// (sender, token kind, token text, line number)
using TTokenEvent =
    std::function<void(TObject* sender, int tokenKind, const std::string& tokenText, int lineNo)>;

// Capability bits of GetCapability.
constexpr int hcAttributeSets = 1;  // ImportAttributeSet / ListAttributeSets work
constexpr int hcRegistry = 2;       // LoadFromRegistry / SaveToRegistry work
constexpr int hcExport = 4;         // ExportNextToken / SetLineForExport work

class TktCustomHighLighter : public TComponent {
public:
  explicit TktCustomHighLighter(TComponent* owner);
  ~TktCustomHighLighter() override;

  // Identifier characters; the base answers every character from 33 to 255.
  virtual TktCharSet GetIdentChars() const;
  virtual int GetAttribCount() const;
  // By position in the name-sorted list; nullptr outside it.
  virtual TktHighLightAttributes* GetAttribute(int index) const;
  // 0: the attribute whose colours stand for plain space (the editor paints
  // its background from it), 1: comment, 2: reserved word; others nullptr.
  virtual TktHighLightAttributes* GetDefaultAttribute(int index) const = 0;
  // An open-dialog filter: description "|" patterns separated by ";".
  virtual std::string GetDefaultFilter() const;
  virtual void SetDefaultFilter(const std::string& value);
  virtual int GetCapability() const;  // base: hcRegistry
  virtual std::string GetLanguageName() const;  // base: "<Unknown>"

  // Scans the next token and hands it to the exporter.
  virtual void ExportNextToken() = 0;
  // The current token is the end-of-line token.
  virtual bool AtLineEnd() const = 0;
  virtual TktRange GetRange() const = 0;
  // Text of the current token (a view into the current line).
  virtual std::string_view GetToken() const = 0;
  virtual TktHighLightAttributes* GetTokenAttribute() const = 0;
  virtual int GetTokenKind() const = 0;
  // 0-based start of the current token in the line.
  virtual int GetTokenPos() const = 0;
  virtual void Next() = 0;
  // Takes the line and scans its first token. The character just past the
  // view, line.data()[line.size()], is a NUL the scanner may stop at (the
  // line store and std::string guarantee it); the view stays valid until the
  // next SetLine.
  virtual void SetLine(std::string_view line, int lineNumber) = 0;
  // Takes the line (same guarantee) and exports its first token.
  virtual void SetLineForExport(std::string_view line) = 0;
  virtual void SetRange(TktRange value) = 0;
  // The state at the start of a text.
  virtual void ResetRange() = 0;
  // Colours of an outside tool; the base has none.
  virtual bool ImportAttributeSet(int index);
  virtual void ListAttributeSets(TStrings* list);
  // Every attribute below root\key (read-only / created when missing), in
  // list order, stopping at the first failure. Failures are results.
  virtual bool LoadFromRegistry(TRegRootKey rootKey, const std::string& key);
  virtual bool SaveToRegistry(TRegRootKey rootKey, const std::string& key);

  // Takes the attribute, filed under its Name. A second attribute of the
  // same name raises EStringListError (and is freed).
  TktHighLightAttributes* AddAttribute(std::unique_ptr<TktHighLightAttributes> attribute);
  void SetAttributesOnChange(const TNotifyEvent& handler);
  // Next until AtLineEnd.
  void NextToEol();
  // The chain fired when an attribute changes (editors repaint from it).
  void HookAttrChangeEvent(const TktNotifyMethod& handler);
  void UnhookAttrChangeEvent(const TktNotifyMethod& handler);

  // The exporter this highlighter feeds while exporting (nullptr otherwise).
  TktCustomExport* GetExporter() const { return FExporter; }
  void SetExporter(TktCustomExport* exporter) { FExporter = exporter; }

  // Stored, fired by nothing in the editor itself.
  TTokenEvent OnToken;

protected:
  // The change handler every attribute reports to: fires the hook chain.
  void DefHighlightChange(TObject* sender);

private:
  TStringList FAttributes;  // sorted by name, owns its objects
  TktNotifyEventChain FAttrChangeHooks;
  TktCustomExport* FExporter = nullptr;
  std::string FDefaultFilter;
};

// The registered highlighter classes: one factory per class.
using TktHighlighterClass = TktCustomHighLighter* (*)(TComponent* owner);
// Adds a class unless present; returns its index.
int RegisterHighlighter(TktHighlighterClass highlighterClass);
const std::vector<TktHighlighterClass>& HighlighterList();
