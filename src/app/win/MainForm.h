// The main window, TMainForm, titled "Tarnquill". Until documents get tabs
// of their own it holds one editor filling its client area, with the data
// module's Object Pascal highlighter; other windows find it by its class
// name "TMainForm".
#pragma once

#include <string>

// The editor first: its line store declares GetObject, which the Windows
// headers would rename if they came before it.
#include "editor/win/EditWindow.h"
#include "app/Data.h"
#include "platform/win/Forms.h"

class TSetup;

class TMainForm : public TForm, public IDataMainWindow {
public:
  explicit TMainForm(TComponent* owner);

  TktEditWindow* GetEditor() const { return FEditor; }
  // Loads the file into the editor; load errors reach the caller.
  void OpenFile(const std::string& fileName);

  // The shared highlighters and handlers of data and the options of setup
  // reach the editor.
  void UseSharedSettings(TData* data, TSetup* setup);
  // Copies the options dialog's values onto the editor.
  void ApplyEditorOptions();

  // Gives the program's forms the texts of a language file; what the
  // user's stored settings hold stays.
  void LoadLanguageFile(const std::string& fileName);

  // IDataMainWindow: no status bar and no calculator yet.
  void SetCaretStatus(const std::string&) override {}
  bool EvaluateInText(const std::string&, std::string&) override { return false; }

private:
  TktEditWindow* FEditor;  // owned by the form
  TSetup* FSetup = nullptr;
};
