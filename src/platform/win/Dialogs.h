// The system's common dialogs as components (open and save file, printer
// setup) and the input box (InputQuery, InputBox). Each can be answered by
// a function instead, for tests and scripted runs, as message boxes can
// (TApplication::SetMessageBoxFunc).
#pragma once

#include "platform/Classes.h"
#include "platform/Sets.h"

#include <functional>
#include <memory>
#include <string>

enum TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
  ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
  ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
  ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing
};
using TOpenOptions = TSet<TOpenOption>;

class TOpenDialog;
class TPrinterSetupDialog;

// While it lives, the system shows no critical-error boxes (no disk in the
// drive, a file that cannot be opened): the error mode 0x8001 that file
// and folder dialogs run under.
class TDialogErrorMode {
public:
  TDialogErrorMode();
  ~TDialogErrorMode();
  TDialogErrorMode(const TDialogErrorMode&) = delete;
  TDialogErrorMode& operator=(const TDialogErrorMode&) = delete;

private:
  unsigned FOld;
};

// Answer a file dialog in place of the user: fill FileName (and Files) and
// return true for OK, false for Cancel.
using TFileDialogFunc = std::function<bool(TOpenDialog& dialog)>;
TFileDialogFunc SetFileDialogFunc(TFileDialogFunc func);  // returns the previous one

class TOpenDialog : public TComponent {
public:
  explicit TOpenDialog(TComponent* owner);
  ~TOpenDialog() override;

  // The chosen file (the first of several); the starting name before.
  const std::string& GetFileName() const { return FFileName; }
  void SetFileName(const std::string& name) { FFileName = name; }
  // Every chosen file, with its folder.
  TStrings* GetFiles() const;
  // "Text files (*.txt)|*.txt|All files (*.*)|*.*"
  const std::string& GetFilter() const { return FFilter; }
  void SetFilter(const std::string& filter) { FFilter = filter; }
  // 1-based, as the filter lines are counted.
  int GetFilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int index) { FFilterIndex = index; }
  const std::string& GetInitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& dir) { FInitialDir = dir; }
  // Appended to a typed name without an extension ("txt").
  const std::string& GetDefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& ext) { FDefaultExt = ext; }
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& title) { FTitle = title; }
  TOpenOptions GetOptions() const { return FOptions; }
  void SetOptions(TOpenOptions options) { FOptions = options; }

  virtual bool IsSaveDialog() const { return false; }
  // Shows the dialog; true when the user chose OK. The system's critical
  // error boxes stay away while it runs.
  virtual bool Execute();

  const TClassInfo* ClassInfo() const override;
  static const TClassInfo& StaticClassInfo();

private:
  struct TRun;
  friend struct TRun;
  std::string FFileName;
  std::unique_ptr<TStringList> FFiles;
  std::string FFilter;
  int FFilterIndex = 1;
  std::string FInitialDir;
  std::string FDefaultExt;
  std::string FTitle;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}
  bool IsSaveDialog() const override { return true; }
};

// Answer the printer setup dialog: choose through Printer() and return true
// for OK.
using TPrinterSetupDialogFunc = std::function<bool(TPrinterSetupDialog& dialog)>;
TPrinterSetupDialogFunc SetPrinterSetupDialogFunc(TPrinterSetupDialogFunc func);

// The system's printer setup dialog over Printer(): it starts on the
// current printer and its device mode; OK makes the chosen printer current
// with the paper, orientation and copies chosen.
class TPrinterSetupDialog : public TComponent {
public:
  explicit TPrinterSetupDialog(TComponent* owner) : TComponent(owner) {}
  virtual bool Execute();
};

// Asks for one line of text in a small modal box with OK and Cancel;
// value is the starting text and, after OK, the answer. True for OK.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
// The answer, or defaultValue when the box was cancelled.
std::string InputBox(const std::string& caption, const std::string& prompt,
                     const std::string& defaultValue);

// Answer input boxes in place of the user: set value, return true for OK.
using TInputQueryFunc =
    std::function<bool(const std::string& caption, const std::string& prompt, std::string& value)>;
TInputQueryFunc SetInputQueryFunc(TInputQueryFunc func);
