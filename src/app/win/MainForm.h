// The main window, TMainForm, titled "Tarnquill". Until documents get tabs
// of their own it holds one editor filling its client area, with the Object
// Pascal highlighter; other windows find it by its class name "TMainForm".
#pragma once

#include <string>

// The editor first: its line store declares GetObject, which the Windows
// headers would rename if they came before it.
#include "editor/win/EditWindow.h"
#include "platform/win/Forms.h"

class TktPasSyn;

class TMainForm : public TForm {
public:
  explicit TMainForm(TComponent* owner);

  TktEditWindow* GetEditor() const { return FEditor; }
  // Loads the file into the editor; load errors reach the caller.
  void OpenFile(const std::string& fileName);

private:
  TktPasSyn* FHighlighter;  // owned by the form
  TktEditWindow* FEditor;   // owned by the form
};
