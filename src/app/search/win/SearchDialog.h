// What the find, replace and hex-find dialogs share: a modal form with the
// "Text to Find:" combo box and its ten-entry history, Ok and Cancel, the
// text boxes' Enter and Esc, and a form storage that keeps the dialog's
// values in its registry section. The dialogs search nothing themselves:
// the main window shows one, reads its controls and searches.
#pragma once

#include <string>

#include "app/search/SearchCommands.h"

#include "platform/win/ExtCtrls.h"
#include "platform/win/Forms.h"
#include "platform/win/StdCtrls.h"

class TFormStorage;

class TSearchDialog : public TForm {
public:
  TComboBox* FindText = nullptr;
  TCheckBox* CaseSensitive = nullptr;
  // The find and replace dialogs' options (the hex find has Origin only).
  TCheckBox* Wholewords = nullptr;
  TRadioGroup* Scope = nullptr;
  TRadioGroup* Direction = nullptr;
  TRadioGroup* Origin = nullptr;
  TButton* OkButton = nullptr;
  TButton* CancelButton = nullptr;

  TFormStorage* GetStorage() const { return FStorage; }

  // The values the main window searches with (what the dialog lacks stays
  // at its default).
  virtual TSearchDialogValues Values() const;

  // Accepts the entry: the current text joins the history of FindText (and
  // of the dialog's other history boxes); the dialog's result follows.
  virtual void AddToHistory();

protected:
  void CreateWnd() override;

  // The form, its storage in section, FindText and Case Sensitive at the top.
  TSearchDialog(TComponent* owner, const std::string& name, const std::string& caption,
                const std::string& section);

  // A combo box with a label above it, at top.
  TComboBox* MakeHistoryBox(const std::string& name, const std::string& label, int top);
  TCheckBox* MakeCheck(const std::string& name, const std::string& caption, int left, int top);
  // Case Sensitive and Whole Words Only on one row at top, Scope and
  // Direction below them, Origin below Scope.
  void MakeOptions(int top);
  TRadioGroup* MakeGroup(const std::string& name, const std::string& caption, const char* first,
                         const char* second, int left, int top);
  // Ok and Cancel (plus any button the dialog adds) along the bottom.
  TButton* MakeButton(const std::string& name, const std::string& caption, int left, int top,
                      int modalResult);
  // Stores "Control.Property" in the section; then Loaded() once all are in.
  void Store(const char* entry);
  void StorageReady();

  // Enter accepts as Ok does, Esc cancels: every text box of the dialog.
  void TextKeyPress(TObject* sender, char& key);
  void OkButtonClick(TObject* sender);
  // The result of an accepted entry (Ok, Enter): 1.
  virtual int AcceptResult() { return mrOk; }

private:
  TFormStorage* FStorage;
};
