// TData, the global data module Data: the components every document
// shares -- one highlighter per language, the multi-language web-page
// highlighter with its three script highlighters, the two exporters -- and
// the two handlers every document's editor gets for double clicks and keys.
// The Windows build adds the save dialog and the form storage that keeps
// every highlighter attribute's colours in the registry ("Data").
#pragma once

#include <cstdint>
#include <string>

#include "editor/CustomEdit.h"
#include "platform/DataModule.h"
#include "platform/IniFiles.h"
#include "platform/Keys.h"

class TDcjCppSyn;
class TuxDfmSyn;
class TktFortranSyn;
class TejHTMLSyn;
class TqaIniSyn;
class TDcjJavaSyn;
class TktJScriptSyn;
class TyfVbsSyn;
class TuxBatSyn;
class TktPasSyn;
class TDcjPerlSyn;
class TrvSQLSyn;
class TpsVisualBasicSyn;
class TgxAsmSyn;
class TrvMultiSyn;
class TwbADSP21xxSyn;
class TktRtfExport;
class TktHtmlExport;
class TktCustomHighLighter;

// What the data module's handlers need of the main window.
class IDataMainWindow {
public:
  virtual ~IDataMainWindow() = default;
  // Status panel 0.
  virtual void SetCaretStatus(const std::string& text) = 0;
};

// Set when the user chose to uninstall: nothing is saved on the way out.
extern bool UninstallRequested;

class TData : public TDataModule {
public:
  explicit TData(TComponent* owner);
  ~TData() override;

  TDcjCppSyn* C;
  TuxDfmSyn* Dfm;
  TktFortranSyn* Fortran;
  TejHTMLSyn* HTML1;
  TqaIniSyn* Ini;
  TDcjJavaSyn* Java;
  TktJScriptSyn* JScript;
  TyfVbsSyn* VbScript;
  TuxBatSyn* Batch;
  TktPasSyn* Pascal;
  TDcjPerlSyn* Perl;
  TrvSQLSyn* SQL;
  TpsVisualBasicSyn* VisualBasic;
  TgxAsmSyn* Assembler;
  TktRtfExport* RtfExport;
  TktHtmlExport* HtmlExport;
  TrvMultiSyn* HTML;
  TktJScriptSyn* JScript1;
  TyfVbsSyn* VbScript1;
  TpsVisualBasicSyn* VisualBasic1;
  TwbADSP21xxSyn* ADSP;

  // The highlighter a file type's Highlighter names (the fourteen language
  // highlighters, HTML and ADSP, names compared without case); nullptr for
  // any other name, the script highlighters used only inside HTML included.
  TktCustomHighLighter* FindHighlighter(const std::string& name) const;

  // The stored properties, "Component.Property": every token attribute that
  // a highlighter component publishes (each stored as its Foreground,
  // Background and Style).
  void ListStoredProps(TStrings* props) const;
  // Writes and reads them in a section (natively the tests' store; the
  // Windows build goes through its form storage).
  void SaveProps(TCustomIniFile& ini, const std::string& section);
  void RestoreProps(TCustomIniFile& ini, const std::string& section);

  // The handlers every editor gets; the editor passed is the one that
  // raised the event. typed is the character the key types in the current
  // keyboard layout (0 when none).
  IDataMainWindow* MainWindow = nullptr;
  void EditorClick(TktCustomEdit& edit);
  void EditorKeyDown(TktCustomEdit& edit, uint16_t& key, TShiftState shift, char typed);

private:
  void ShowCaretPosition(const TktCustomEdit& edit);
};

// Data, once created.
extern TData* Data;

// The in-text calculator, for the "=" key and the Solve command: inserts
// "=" at the caret (over the selection), followed by the value of the
// expression before it when that is a calculation. Nothing in a read-only
// editor.
void SolveAtCaret(TktCustomEdit& edit);
