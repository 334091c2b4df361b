// The main window's documents with the real editing control and hex view,
// behind a tab control and a window that only record: each question asked
// (answered from a script), each dialog, message and status text.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FilesCase.h"
#include "app/documents/MainDocuments.h"
#include "editor/CustomEdit.h"
#include "editor/RecordingEditHost.h"
#include "hexedit/HexEditor.h"
#include "highlighters/JScriptSyn.h"
#include "highlighters/PasSyn.h"

class TFakeTabs : public IDocumentTabs {
public:
  struct TPage {
    int Tag;
    std::string Caption;
  };
  std::vector<TPage> Pages;
  int Active = -1;
  bool Hidden = false;
  std::function<void(int tag)> OnFree;

  int GetPageCount() const override { return int(Pages.size()); }
  int GetActivePageIndex() const override { return Active; }
  void SetActivePageIndex(int index) override { Active = index; }
  int AddPage(int tag) override {
    Pages.push_back({tag, ""});
    return int(Pages.size()) - 1;
  }
  void FreePage(int index) override {
    const int tag = Pages[size_t(index)].Tag;
    Pages.erase(Pages.begin() + index);
    if (Pages.empty()) Active = -1;
    else if (Active > index || Active >= int(Pages.size())) --Active;
    OnFree(tag);
  }
  int GetPageTag(int index) const override { return Pages[size_t(index)].Tag; }
  std::string GetPageCaption(int index) const override { return Pages[size_t(index)].Caption; }
  void SetPageCaption(int index, const std::string& caption) override { Pages[size_t(index)].Caption = caption; }
  void SetTabsHidden(bool hidden) override { Hidden = hidden; }
  int Updating = 0;  // how deep the page updates nest now
  void BeginPagesUpdate() override { ++Updating; }
  void EndPagesUpdate() override { --Updating; }
};

class TFakeHost : public IDocumentHost {
public:
  TComponent Owner{nullptr};
  std::map<int, TDocumentViews> Made;
  std::map<int, bool> TextShown;
  std::deque<TAnswer> Answers;
  std::vector<std::string> Questions;
  std::vector<std::string> AskedAbout;  // the document each AskAbout names
  // Runs inside each question, as a message that arrives in its loop would.
  std::function<void()> OnAsk;
  std::function<void()> OnHeldWork;
  std::vector<std::string> ShownAtQuestion;  // status panel 6 when each was asked
  // Whether the tabs were in a page update when each was asked.
  const int* TabsUpdating = nullptr;
  std::vector<bool> UpdatingAtQuestion;
  std::deque<std::string> SaveNames;  // "" cancels the dialog
  std::deque<std::string> OpenNames;
  std::vector<std::string> Messages, Errors;
  std::map<int, std::string> Panels;
  std::map<std::string, bool> Enabled, Checked;
  std::vector<std::string> WindowMenu, Reopen;
  std::string Caption, Title;
  int Applied = 0;
  // The clipboard new editors read (none when null).
  IktEditHost* EditHost = nullptr;

  TDocumentViews CreateViews(int number, int) override {
    TDocumentViews v;
    v.Edit = new TktCustomEdit(&Owner);
    v.Edit->SetName("m" + std::to_string(number));
    if (EditHost) v.Edit->SetHost(EditHost);
    v.Hex = new THexEditor(&Owner);
    v.Hex->SetName("h" + std::to_string(number));
    Made[number] = v;
    return v;
  }
  void Free(int number) {
    delete Made[number].Edit;
    delete Made[number].Hex;
    Made.erase(number);
  }
  void ShowView(int number, bool text) override { TextShown[number] = text; }
  void FocusView(int, bool) override {}
  void ApplyEditorOptions(TktCustomEdit*) override { ++Applied; }
  TAnswer AskAbout(const std::string& document, const std::string& text, TAskKind kind,
                   TAskButtons buttons) override {
    AskedAbout.push_back(document);
    return Ask(text, kind, buttons);
  }
  void HeldWorkWaiting() override {
    if (OnHeldWork) OnHeldWork();
  }
  TAnswer Ask(const std::string& text, TAskKind, TAskButtons) override {
    if (OnAsk) OnAsk();
    Questions.push_back(text);
    ShownAtQuestion.push_back(Panels[6]);
    UpdatingAtQuestion.push_back(TabsUpdating && *TabsUpdating > 0);
    if (Answers.empty()) {
      ADD_FAILURE() << "unexpected question: " << text;
      return anCancel;
    }
    const TAnswer a = Answers.front();
    Answers.pop_front();
    return a;
  }
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  void ShowUnexpectedError(int place, const std::string& message) override {
    Errors.push_back(std::to_string(place) + ": " + message);
  }
  bool RunSaveDialog(std::string& fileName) override { return Next(SaveNames, fileName, "save"); }
  bool RunOpenDialog(std::string& fileName) override { return Next(OpenNames, fileName, "open"); }
  void SetStatusText(int panel, const std::string& text) override { Panels[panel] = text; }
  void SetCaptions(const std::string& window, const std::string& title) override {
    Caption = window;
    Title = title;
  }
  void SetActionEnabled(const std::string& name, bool enabled) override { Enabled[name] = enabled; }
  bool SetActionChecked(const std::string& name, bool checked) override {
    Checked[name] = checked;
    return true;
  }
  void SetWindowMenu(const std::vector<std::string>& captions) override { WindowMenu = captions; }
  void SetReopenMenus(const std::vector<std::string>& paths) override { Reopen = paths; }
  bool ClipboardHasText() override {
    auto* recording = dynamic_cast<TktRecordingEditHost*>(EditHost);
    return recording && recording->Clipboard.count(kcfText) && !recording->Clipboard[kcfText].empty();
  }
  bool HasMacroFiles() override { return false; }
  void PopupBookmarkMenu() override {}

private:
  static bool Next(std::deque<std::string>& queue, std::string& fileName, const char* what) {
    if (queue.empty()) {
      ADD_FAILURE() << "unexpected " << what << " dialog";
      return false;
    }
    fileName = queue.front();
    queue.pop_front();
    return !fileName.empty();
  }
};

class DocumentsCase : public TFilesCase {
protected:
  DocumentsCase() : TFilesCase("tq-docs-") {
    Tabs.OnFree = [this](int tag) { Host.Free(tag); };
    Host.TabsUpdating = &Tabs.Updating;
    for (const char* name : {"Pascal"}) (new TktPasSyn(&Data))->SetName(name);
    for (const char* name : {"JScript", "JScript1"}) (new TktJScriptSyn(&Data))->SetName(name);
    Docs->Data = &Data;
  }
  // The documents go before the files they were read from.
  ~DocumentsCase() override { Docs.reset(); }

  std::string Path(const std::string& name) {
    Files.push_back(Dir + name);
    return Dir + name;
  }
  TktCustomEdit* Edit() const { return Docs->CurrentEditor(); }
  void Type(const std::string& text) {
    for (char c : text) Edit()->KeyPress(c);
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> c;
    for (const auto& p : Tabs.Pages) c.push_back(p.Caption);
    return c;
  }

  TComponent Data{nullptr};
  TFakeTabs Tabs;
  TFakeHost Host;
  // Made last, freed first: its documents go before the window's views.
  std::unique_ptr<TMainDocuments> Docs = std::make_unique<TMainDocuments>(Tabs, Host);
};
