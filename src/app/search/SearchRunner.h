// The main window's find, replace, hex-search and search-in-all-documents
// commands, over a narrow host: the window shows the dialogs, the messages
// and the results list, and names the current editor and the documents;
// these routines decide what is searched and keep the last search for Find
// Next.
#pragma once

#include <string>
#include <vector>

#include "app/search/FindInDocuments.h"
#include "app/search/SearchCommands.h"

class TktCustomEdit;
class THexEditor;

class TSearchHost {
public:
  virtual ~TSearchHost() = default;
  // The current document's editor while its text view shows, else null.
  virtual TktCustomEdit* TextEditor() = 0;
  // The current document's hex view while it shows, else null.
  virtual THexEditor* HexEditor() = 0;
  // Show the dialog modally with FindText set to word (and selected);
  // values receive what it holds when it closes. Find: true on Ok.
  virtual bool ShowFind(const std::string& word, TSearchDialogValues& values) = 0;
  // The find dialog as "Find in files" (direction, origin and scope
  // disabled, and put back afterwards in every case). True on Ok.
  virtual bool ShowFindInFiles(const std::string& word, TSearchDialogValues& values) = 0;
  // The modal result: 1 Ok, 10 Replace All, anything else cancels.
  virtual int ShowReplace(const std::string& word, TSearchDialogValues& values) = 0;
  // The hex find: true on Ok; findHex is its hex box's text.
  virtual bool ShowHexFind(std::string& findHex, TSearchDialogValues& values) = 0;
  // The hex find's current values without showing it.
  virtual void HexFindValues(std::string& findHex, TSearchDialogValues& values) = 0;
  virtual void ShowMessage(const std::string& text) = 0;
  // The Ctrl+K prefix of the current editor, and the block read it leads to.
  virtual bool BlockPrefixPending() = 0;
  virtual void ReadBlock() = 0;
  // The open documents, and the results list to show (with the searched text).
  virtual std::vector<TSearchDocument> SearchDocuments() = 0;
  virtual void ShowResults(const std::vector<TFindResult>& results, const std::string& searchText) = 0;
};

// Whether every line is empty or blank (the commands do nothing then);
// stops at the first character above a blank, never joining the text.
bool TextIsBlank(const TktCustomEdit& edit);

class TSearchRunner {
public:
  explicit TSearchRunner(TSearchHost& host) : FHost(host) {}

  void Find();
  void FindNext();
  void Replace();
  void FindInAllDocuments();
  void HexFind();
  void HexFindNext();

  const TLastSearch& Last() const { return FLast; }

private:
  using TShowFind = bool (TSearchHost::*)(const std::string& word, TSearchDialogValues& values);
  // The current editor once the find dialog (shown by show, pre-filled with
  // the word at the caret) was accepted with a text, which becomes the last
  // search; null when there is nothing to search.
  TktCustomEdit* AskFind(TShowFind show, TSearchDialogValues& values);
  void Search(TktCustomEdit& edit);
  void HexSearchWith(const std::string& findHex, const TSearchDialogValues& values, bool entireScope);

  TSearchHost& FHost;
  TLastSearch FLast;
};
