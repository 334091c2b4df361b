// The main window's document commands with the real editing control and hex
// view: tabs and numbering, the questions of Close, Close All, shutdown,
// Reload and the view switch with the files checked after, every open road
// and its failures, Save As, autosave, hand-over, the highlighter choice.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "DocumentsFixture.h"
#include "app/documents/HighlighterChoice.h"
#include "app/documents/Session.h"
#include "platform/Registry.h"

namespace {

using Documents = DocumentsCase;

TEST_F(Documents, NumbersAreNeverReusedAndClosingActivatesTheNeighbour) {
  for (int i = 0; i < 3; ++i) Docs->FileNew();
  EXPECT_EQ(Host.Applied, 3);
  // Closing tab 0 of three makes the former tab 1 active.
  Docs->ActivateTab(0);
  Docs->FileClose();
  ASSERT_EQ(Tabs.Pages.size(), 2u);
  EXPECT_EQ(Tabs.Active, 0);
  EXPECT_EQ(Edit()->GetName(), "m2");
  // Closing the last of three makes the one before it active.
  Docs->FileNew();
  Docs->ActivateTab(2);
  Docs->FileClose();
  EXPECT_EQ(Tabs.Active, 1);
  EXPECT_EQ(Edit()->GetName(), "m3");
  Docs->FileNew();
  EXPECT_EQ(Edit()->GetName(), "m5");
  EXPECT_EQ(Tabs.Pages.back().Tag, 5);
  EXPECT_TRUE(Host.Questions.empty());
}

TEST_F(Documents, CloseAfterATabHopAsksAboutTheTabItFrees) {
  Docs->OpenInNewTab(Write("a.txt", "a\r\n"), false);
  Docs->OpenInNewTab(Write("b.txt", "b\r\n"), false);
  Docs->ActivateTab(0);
  Type("x");
  Docs->NextWindow();
  EXPECT_EQ(Edit()->FileName, Dir + "b.txt");
  Docs->PreviousWindow();
  Host.Answers = {anNo};
  Docs->FileClose();
  EXPECT_EQ(Host.Questions, std::vector<std::string>{"Do you want to save this file?"});
  EXPECT_EQ(Captions(), std::vector<std::string>{"b.txt"});
  EXPECT_EQ(Read(Dir + "a.txt"), "a\r\n");
  // F6 from the last tab wraps to the first; Ctrl+F6 from the first to the last.
  Docs->FileNew();
  Docs->NextWindow();
  EXPECT_EQ(Tabs.Active, 0);
  Docs->PreviousWindow();
  EXPECT_EQ(Tabs.Active, 1);
  EXPECT_EQ(Host.WindowMenu, (std::vector<std::string>{"b.txt", ""}));
}

TEST_F(Documents, ClosePromptKeepsTheTabWheneverTheTextWasNotSaved) {
  const struct {
    const char* Name;
    bool Named;
    std::vector<TAnswer> Answers;
    std::vector<std::string> SaveNames;
    bool TabStays;
    const char* File;  // what a.txt holds afterwards
  } cases[] = {
      {"cancel", true, {anCancel}, {}, true, "old\r\n"},
      {"no", true, {anNo}, {}, false, "old\r\n"},
      {"yes", true, {anYes}, {}, false, "xold\r\n"},
      {"yes, name dialog cancelled", false, {anYes}, {""}, true, nullptr},
      {"yes, save fails", false, {anYes}, {"missing-dir/x.txt"}, true, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string a = Write("a.txt", "old\r\n");
    if (c.Named) Docs->OpenInNewTab(a, false);
    else Docs->FileNew();
    Edit()->SetCaretXY(TPoint(1, 1));  // the record of the case before put it elsewhere
    Type("x");
    Host.Answers.assign(c.Answers.begin(), c.Answers.end());
    for (const std::string& n : c.SaveNames) Host.SaveNames.push_back(n.empty() ? n : Dir + n);
    Docs->FileClose();
    EXPECT_EQ(Tabs.Pages.size(), c.TabStays ? 1u : 0u);
    if (c.File) {
      EXPECT_EQ(Read(a), c.File);
    }
    if (c.TabStays) {
      EXPECT_TRUE(Edit()->GetModified());
      EXPECT_EQ(Edit()->GetLines()->Get(0).substr(0, 1), "x");
      EXPECT_EQ(Edit()->FileName, c.Named ? a : "");
      Edit()->SetModified(false);
      Docs->FileClose();
    }
    EXPECT_TRUE(Host.Answers.empty());
    EXPECT_TRUE(Host.SaveNames.empty());
    EXPECT_EQ(Docs->CurrentEditor(), nullptr);
  }
}

TEST_F(Documents, ShutdownRecordsTheTabsAndStopsAtTheFirstUnsavedDocument) {
  const std::string a = Write("a.txt", "a\r\n"), b = Write("b.pas", "b\r\n");
  Docs->OpenInNewTab(a, false);
  Docs->FileNew();
  Type("new");
  Docs->OpenInNewTab(b, false);
  Host.Answers = {anYes};
  Host.SaveNames = {""};  // the unnamed document's name dialog is cancelled
  EXPECT_FALSE(Docs->CloseQuery({}, true));
  EXPECT_EQ(Captions(), (std::vector<std::string>{"", "b.pas"}));
  std::vector<std::string> opened = ReadOpenedDocuments();
  std::sort(opened.begin(), opened.end());
  EXPECT_EQ(opened, (std::vector<std::string>{"", a, b}));
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key + "\\Opened", false));
  EXPECT_EQ(reg.ReadInteger(b), 2);
  EXPECT_EQ(reg.ReadInteger(""), 1);

  // Named, the last round saves it and every tab goes.
  Host.Answers = {anYes};
  Host.SaveNames = {Path("c.txt")};
  EXPECT_TRUE(Docs->CloseQuery({{"Ctrl+Q", "roll"}}, false));
  EXPECT_TRUE(Tabs.Pages.empty());
  EXPECT_EQ(Read(Dir + "c.txt"), "new\r\n");
  EXPECT_EQ(ReadOpenedDocuments().size(), 3u);  // not rewritten
  const std::vector<TRollUpRecord> rolls = ReadRollUps();
  ASSERT_EQ(rolls.size(), 1u);
  EXPECT_EQ(rolls[0].HotKey, "Ctrl+Q");
  EXPECT_EQ(rolls[0].Text, "roll");
}

// A second start's file arriving inside a save question waits for the
// answer: the answer acts on the document asked about, and the file opens
// once nothing runs any more.
TEST_F(Documents, AHandOverDuringAQuestionWaitsUntilTheAnswerHasActed) {
  const std::string a = Write("a.txt", "old a\r\n"), b = Write("b.txt", "old b\r\n");
  Docs->OpenInNewTab(a, false);
  Type("new ");
  int notices = 0;
  Host.OnHeldWork = [&] { ++notices; };
  Host.OnAsk = [&] {
    Docs->HoldHandOver(b);
    Docs->HoldRestore();
    EXPECT_FALSE(Docs->CarryOutHeld()) << "carried out inside the question";
  };
  Host.Answers = {anYes};
  Docs->FileClose();
  Host.OnAsk = nullptr;
  EXPECT_EQ(Host.AskedAbout, std::vector<std::string>{a});
  EXPECT_EQ(Read(a), "new old a\r\n");
  EXPECT_EQ(Read(b), "old b\r\n");
  EXPECT_TRUE(Tabs.Pages.empty()) << "the question's document closes, nothing opened yet";
  EXPECT_EQ(notices, 1) << "told once, when the close had ended";
  EXPECT_TRUE(Docs->CarryOutHeld()) << "the restore is due after the file";
  EXPECT_EQ(Captions(), std::vector<std::string>{"b.txt"});
  EXPECT_FALSE(Docs->HasHeldWork());
}

// In the shutdown's questions: a cancelled shutdown opens the held file
// afterwards; one that goes on leaves it to the next start's session.
TEST_F(Documents, AHandOverDuringTheShutdownOpensOnCancelOrJoinsTheSession) {
  const std::string a = Write("a.txt", "a\r\n"), b = Write("b.txt", "b\r\n");
  for (const TAnswer answer : {anCancel, anNo}) {
    Docs->OpenInNewTab(a, false);
    Type("x");
    Host.OnAsk = [&] { Docs->HoldHandOver(b); };
    Host.Answers = {answer};
    int notices = 0;
    Host.OnHeldWork = [&] { ++notices; };
    const bool closed = Docs->CloseQuery({}, true);
    Host.OnAsk = nullptr;
    std::vector<std::string> opened = ReadOpenedDocuments();
    std::sort(opened.begin(), opened.end());
    if (answer == anCancel) {
      EXPECT_FALSE(closed);
      EXPECT_EQ(notices, 1);
      Docs->CarryOutHeld();
      EXPECT_EQ(Captions(), (std::vector<std::string>{"a.txt", "b.txt"}));
      EXPECT_EQ(opened, std::vector<std::string>{a});
      Host.Answers = {anNo};
      Docs->FileCloseAll();
    } else {
      EXPECT_TRUE(closed);
      EXPECT_EQ(notices, 0);
      EXPECT_TRUE(Tabs.Pages.empty());
      EXPECT_FALSE(Docs->HasHeldWork());
      EXPECT_EQ(opened, (std::vector<std::string>{a, b}));
    }
  }
}

TEST_F(Documents, AShutdownThatLeavesTheKeyAloneStillAsksButWritesNothing) {
  const std::string a = Write("a.txt", "a\r\n"), b = Write("b.pas", "b\r\n");
  Docs->OpenInNewTab(a, false);
  Docs->OpenInNewTab(b, false);
  Type("x");
  // The key as an uninstall or a reinstallation leaves it.
  TRegistry reg;
  ASSERT_TRUE(reg.DeleteKey(Key));
  Host.Answers = {anCancel};
  EXPECT_FALSE(Docs->CloseQuery({{"Ctrl+Q", "roll"}}, true, false));
  EXPECT_FALSE(reg.KeyExists(Key)) << "a cancelled close wrote into the key";
  Host.Answers = {anNo};
  EXPECT_TRUE(Docs->CloseQuery({{"Ctrl+Q", "roll"}}, true, false));
  EXPECT_TRUE(Tabs.Pages.empty());
  EXPECT_EQ(Host.Questions, std::vector<std::string>(2, "Do you want to save this file?"));
  EXPECT_EQ(Read(b), "b\r\n");
  EXPECT_FALSE(reg.KeyExists(Key)) << "roll-ups, tabs or document records came back";
  EXPECT_TRUE(Host.Errors.empty());
}

TEST_F(Documents, CloseAllStopsAtCancelAndLeavesTheRest) {
  Docs->OpenInNewTab(Write("a.txt", "a\r\n"), false);
  Docs->OpenInNewTab(Write("b.txt", "b\r\n"), false);
  Type("x");
  Docs->OpenInNewTab(Write("c.txt", "c\r\n"), false);
  Host.Answers = {anCancel};
  Docs->FileCloseAll();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"b.txt", "c.txt"}));
  EXPECT_EQ(Host.Questions.size(), 1u);
  EXPECT_EQ(Host.ShownAtQuestion, std::vector<std::string>{Dir + "b.txt"}) << "asked with its tab shown";
  EXPECT_EQ(Host.UpdatingAtQuestion, std::vector<bool>{false}) << "asked with the tabs in sight";
  EXPECT_EQ(Tabs.Updating, 0);
  EXPECT_EQ(Edit()->FileName, Dir + "b.txt");
  EXPECT_EQ(Host.Panels[6], Dir + "b.txt");
  EXPECT_EQ(Host.WindowMenu, (std::vector<std::string>{"b.txt", "c.txt"}));
  Host.Answers = {anNo};
  Docs->FileCloseAll();
  EXPECT_EQ(Host.UpdatingAtQuestion, (std::vector<bool>{false, false}));
  EXPECT_EQ(Tabs.Updating, 0);
  EXPECT_TRUE(Tabs.Pages.empty());
  EXPECT_TRUE(Host.WindowMenu.empty());
  EXPECT_EQ(Docs->CurrentEditor(), nullptr);
  EXPECT_EQ(Docs->CurrentHexEditor(), nullptr);
  EXPECT_FALSE(Host.Enabled["aFileClose"]);
  EXPECT_EQ(Host.Caption, "Tarnquill");
}

TEST_F(Documents, ReloadDiscardsOrSavesEditsAndEndsWithoutUndo) {
  const std::string a = Write("a.txt", "one\r\ntwo\r\nthree\r\n");
  Docs->OpenInNewTab(a, false);
  Edit()->SetCaretXY(TPoint(3, 2));
  Type("X");
  Host.Answers = {anNo};
  Docs->FileReload();
  EXPECT_EQ(Edit()->GetText(), "one\r\ntwo\r\nthree\r\n");
  EXPECT_EQ(Edit()->GetCaretXY(), TPoint(4, 2));
  EXPECT_FALSE(Edit()->GetModified());
  EXPECT_FALSE(Edit()->CanUndo());
  EXPECT_FALSE(Edit()->CanRedo());

  // Yes whose save does not happen keeps the edits and stops the reload.
  Type("Y");
  Edit()->FileName = Dir + "missing-dir" + PathDelim + "a.txt";
  Host.Answers = {anYes};
  Docs->FileReload();
  EXPECT_TRUE(Edit()->GetModified());
  EXPECT_NE(Edit()->GetText().find('Y'), std::string::npos);

  Edit()->FileName = a;
  Host.Answers = {anYes};
  Docs->FileReload();
  EXPECT_EQ(Read(a), "one\r\ntwoY\r\nthree\r\n");
  EXPECT_EQ(Edit()->GetText(), "one\r\ntwoY\r\nthree\r\n");
  EXPECT_FALSE(Edit()->CanUndo());
  EXPECT_EQ(Host.Questions, std::vector<std::string>(3, "File was changes. Do you want to save it?"));
}

// A command whose work raises shows the error in the error box under its
// number, keeps the document as it was, and leaves the documents free for
// the next command.
TEST_F(Documents, ACommandThatRaisesShowsTheErrorUnderItsNumberAndTheNextCommandRuns) {
  const std::string a = Write("a.txt", "one\r\n");
  Docs->OpenInNewTab(a, false);
  const std::string missing = Dir + "gone.txt";
  Edit()->FileName = missing;
  Docs->FileReload();
  EXPECT_EQ(Host.Errors, std::vector<std::string>{std::to_string(kPlaceReload) + ": Cannot open file " + missing});
  EXPECT_EQ(Edit()->GetText(), "one\r\n");

  Edit()->FileName = a;
  Write("a.txt", "two\r\n");
  Docs->FileReload();
  EXPECT_EQ(Edit()->GetText(), "two\r\n");
  EXPECT_EQ(Host.Errors.size(), 1u);
}

TEST(RunReportingErrors, ShowsTheProgramsAndTheLibrarysErrorsUnderThePlaceAndStopsThem) {
  TFakeHost host;
  bool ran = false;
  RunReportingErrors(host, 7, [] { throw Exception("no room"); });
  RunReportingErrors(host, 8, [] { throw std::runtime_error("bad state"); });
  RunReportingErrors(host, 9, [&] { ran = true; });
  EXPECT_EQ(host.Errors, (std::vector<std::string>{"7: no room", "8: bad state"}));
  EXPECT_TRUE(ran);
}

TEST_F(Documents, TextHexSwitchNeverLosesEdits) {
  // A document never saved has no file to show: it stays in text.
  Docs->FileNew();
  Type("abc");
  Host.Answers = {anNo};
  Docs->ViewTextBinary();
  EXPECT_TRUE(Docs->TextViewVisible());
  EXPECT_TRUE(Edit()->GetModified());

  const std::string a = Write("a.txt", "AB\r\n");
  Docs->OpenInNewTab(a, false);
  Type("z");
  // No: the hex view shows the file on disk; the edits stay in the editor.
  Host.Answers = {anNo};
  Docs->ViewTextBinary();
  EXPECT_FALSE(Docs->TextViewVisible());
  EXPECT_FALSE(Host.TextShown[Docs->GetWindowCounter()]);
  EXPECT_EQ(Docs->CurrentHexEditor()->GetBytes(0, 4), "AB\r\n");
  EXPECT_EQ(Host.Panels[1], "Binary");
  Docs->ViewTextBinary();
  EXPECT_TRUE(Docs->TextViewVisible());
  EXPECT_EQ(Edit()->GetText(), "zAB\r\n");
  EXPECT_TRUE(Edit()->GetModified());

  // Yes saves first; a byte changed and saved in the hex view is read back.
  Host.Answers = {anYes};
  Docs->ViewTextBinary();
  EXPECT_EQ(Read(a), "zAB\r\n");
  THexEditor* hex = Docs->CurrentHexEditor();
  hex->ChangeByte(0, 'z', 'q');
  Host.Answers = {anYes};
  Docs->ViewTextBinary();
  EXPECT_EQ(Read(a), "qAB\r\n");
  EXPECT_EQ(Edit()->GetText(), "qAB\r\n");
  EXPECT_FALSE(Edit()->GetModified());

  // Cancel stays where it is.
  Type("w");
  Host.Answers = {anCancel};
  Docs->ViewTextBinary();
  EXPECT_TRUE(Docs->TextViewVisible());
  EXPECT_TRUE(Host.Answers.empty());
}

// Edits in both views: back in a modified text whose file the hex view
// changed, Yes reloads the file and No keeps the text edits, modified.
TEST_F(Documents, BackToEditedTextAfterABinarySaveAsksBeforeReloading) {
  const std::string a = Write("a.txt", "AB\r\n");
  const std::string question = "The file was changed in the binary view. Reload it and lose the text changes?";
  for (const TAnswer answer : {anNo, anYes}) {
    Write("a.txt", "AB\r\n");
    Docs->OpenInNewTab(a, false);
    Type("z");
    Host.Answers = {anNo};  // the text edits stay unsaved
    Docs->ViewTextBinary();
    Docs->CurrentHexEditor()->ChangeByte(0, 'A', 'q');
    Host.Answers = {anYes, answer};  // the hex save, then the reload
    Docs->ViewTextBinary();
    EXPECT_EQ(Read(a), "qB\r\n");
    EXPECT_EQ(Host.Questions.back(), question);
    EXPECT_TRUE(Docs->TextViewVisible());
    EXPECT_EQ(Edit()->GetText(), answer == anYes ? "qB\r\n" : "zAB\r\n");
    EXPECT_EQ(Edit()->GetModified(), answer == anNo);
    if (answer == anNo) Host.Answers = {anNo};  // closing drops the kept edits
    Docs->FileClose();
    EXPECT_EQ(Read(a), "qB\r\n");
  }
  EXPECT_TRUE(Host.Answers.empty());
}

TEST_F(Documents, EveryOpenRoadClosesTheTabOfAFileThatFailsToLoad) {
  Docs->OpenInNewTab(Write("a.pas", "begin end.\r\n"), false);
  const std::string missing = Dir + "missing.txt";
  Host.OpenNames = {missing};
  Docs->FileOpen();
  Docs->DropFiles({missing, Dir + "a.pas"}, false);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"a.pas", "a.pas"}));
  EXPECT_EQ(Host.Messages.size(), 2u);
  EXPECT_EQ(Docs->GetWindowCounter(), 4);

  Host.Messages.clear();
  EXPECT_FALSE(Docs->HandOver(missing));
  EXPECT_EQ(Host.Messages, std::vector<std::string>{"File " + missing + " could not be opened."});
  EXPECT_EQ(Tabs.Pages.size(), 2u);
  EXPECT_EQ(Edit()->FileName, Dir + "a.pas");

  // A session restores what it can, without a word about what it cannot.
  WriteOpenedDocuments({Dir + "a.pas", missing, ""});
  Host.Messages.clear();
  Docs->RestoreSession();
  EXPECT_EQ(Tabs.Pages.size(), 3u);
  EXPECT_TRUE(Host.Messages.empty());
  EXPECT_TRUE(Host.Errors.empty());
}

TEST_F(Documents, EveryOpenRoadLeavesTheActionsOfTheDocumentItOpened) {
  const std::string a = Write("a.pas", "begin end.\r\n");
  const struct {
    const char* Road;
    std::function<void()> Open;
  } roads[] = {
      {"open", [&] { Host.OpenNames = {a}; Docs->FileOpen(); }},
      {"reopen", [&] { Docs->ReopenItem(a); }},
      {"drop on the tabs", [&] { Docs->DropFiles({a}, false); }},
      {"drop on an editor", [&] { Docs->DropFiles({a}, true); }},
      {"hand-over", [&] { Docs->HandOver(a); }},
      {"session", [&] { WriteOpenedDocuments({a}); Docs->RestoreSession(); }},
  };
  // Closing records the file: the Reopen button offers it at once.
  Docs->OpenInNewTab(a, false);
  Docs->FileCloseAll();
  EXPECT_TRUE(Host.Enabled["ReopenButton"]);
  for (const auto& road : roads) {
    Docs->FileCloseAll();
    ASSERT_FALSE(Host.Enabled["aFileReload"]) << road.Road;
    road.Open();
    ASSERT_EQ(Tabs.Pages.size(), 1u) << road.Road;
    ASSERT_NE(Edit()->GetHighLighter(), nullptr) << road.Road;
    for (const char* action : {"aFileReload", "aFileExport", "aFileExportToHTML", "aFilePrint", "ReopenButton"})
      EXPECT_TRUE(Host.Enabled[action]) << road.Road << ": " << action;
  }
  // A new document has neither name nor highlighter until Save or Save As
  // gives it both.
  for (const bool saveAs : {false, true}) {
    Docs->FileCloseAll();
    Docs->FileNew();
    EXPECT_FALSE(Host.Enabled["aFileReload"]);
    EXPECT_FALSE(Host.Enabled["aFileExport"]);
    Type("x");
    Host.SaveNames = {Path(saveAs ? "as.pas" : "saved.pas")};
    if (saveAs) Docs->FileSaveAs();
    else Docs->FileSave();
    EXPECT_TRUE(Host.Enabled["aFileReload"]) << saveAs;
    EXPECT_TRUE(Host.Enabled["aFileExport"]) << saveAs;
  }
  EXPECT_TRUE(Host.Questions.empty());
  EXPECT_TRUE(Host.Errors.empty());
}

TEST_F(Documents, OpeningAFileTwiceAsksForEveryTabThatHoldsIt) {
  const std::string a = Write("a.txt", "a\r\n");
  Host.OpenNames = {a, a, a};
  Docs->FileOpen();
  Host.Answers = {anYes};
  Docs->FileOpen();
  EXPECT_EQ(Tabs.Pages.size(), 2u);
  Host.Answers = {anYes, anNo};
  Docs->FileOpen();
  EXPECT_EQ(Tabs.Pages.size(), 2u);
  EXPECT_EQ(Host.Questions.size(), 3u);
  // A reopen item whose file is gone does nothing.
  Docs->ReopenItem(Dir + "gone.txt");
  EXPECT_EQ(Tabs.Pages.size(), 2u);
}

TEST_F(Documents, SaveAsRenamesOnlyAfterTheWriteAndChoosesAgain) {
  const std::string a = Write("a.txt", "a\r\n");
  Docs->OpenInNewTab(a, false);
  Type("x");
  Host.SaveNames = {Dir + "missing-dir" + PathDelim + "b.pas"};
  Docs->FileSaveAs();
  EXPECT_EQ(Edit()->FileName, a);
  EXPECT_EQ(Captions(), std::vector<std::string>{"a.txt"});
  EXPECT_TRUE(Edit()->GetModified());

  Docs->Options.AskFormat = true;
  Host.Answers = {anYes};
  Host.SaveNames = {Path("b.PAS")};
  Docs->FileSaveAs();
  EXPECT_EQ(Read(Dir + "b.PAS"), "xa\n");  // LF though EOL is off
  EXPECT_EQ(Captions(), std::vector<std::string>{"b.PAS"});
  ASSERT_NE(Edit()->GetHighLighter(), nullptr);
  EXPECT_EQ(Edit()->GetHighLighter()->GetName(), "Pascal");
  EXPECT_EQ(Host.Panels[1], "Delphi");
  EXPECT_EQ(Host.Title, "TQ : b.PAS");
  EXPECT_TRUE(Host.Checked["aViewPascal"]);
}

TEST_F(Documents, HighlighterByExtensionCarriesTheScriptColours) {
  auto* js = static_cast<TktCustomHighLighter*>(Data.FindComponent("JScript"));
  js->GetAttribute(0)->SetForeground(0x123456);
  const std::string u = Write("Unit1.PAS", "x\r\n"), none = Write("plain", "x\r\n"), odd = Write("a.zzz", "");
  Docs->OpenInNewTab(u, false);
  EXPECT_EQ(Edit()->GetHighLighter(), Data.FindComponent("Pascal"));
  auto* js1 = static_cast<TktCustomHighLighter*>(Data.FindComponent("JScript1"));
  EXPECT_EQ(js1->GetAttribute(0)->GetForeground(), 0x123456);
  for (int i = 0; i < js1->GetAttribCount(); ++i) EXPECT_EQ(js1->GetAttribute(i)->GetBackground(), kJScriptTint);
  for (const std::string& f : {none, odd}) {
    Docs->OpenInNewTab(f, false);
    EXPECT_EQ(Edit()->GetHighLighter(), nullptr);
    EXPECT_EQ(Host.Panels[1], "");
  }
  // Highlight as: exactly the chosen action is checked; a plain save keeps it.
  Docs->HighlightAs("aViewJScript");
  Docs->HighlightAs("aViewPascal");
  EXPECT_TRUE(Host.Checked["aViewPascal"]);
  EXPECT_FALSE(Host.Checked["aViewJScript"]);
  Type("y");
  Docs->FileSave();
  EXPECT_EQ(Edit()->GetHighLighter(), Data.FindComponent("Pascal"));
  Docs->HighlightAs("aViewSQL");  // not in the data module
  EXPECT_EQ(Edit()->GetHighLighter(), nullptr);
}

TEST_F(Documents, AutosaveWritesModifiedNamedDocumentsInTheirViewWithoutQuestions) {
  const std::string a = Write("a.txt", "a\r\n"), b = Write("b.txt", "b\r\n"), c = Write("c.txt", "c\r\n");
  Docs->OpenInNewTab(a, false);
  Type("1");
  Docs->OpenInNewTab(b, false);
  Docs->ViewTextBinary();
  Docs->CurrentHexEditor()->ChangeByte(0, 'b', 'B');
  Docs->OpenInNewTab(c, false);
  Docs->FileNew();
  Type("unnamed");
  Docs->Options.Eol = true;
  Docs->AutosaveTick();
  EXPECT_EQ(Read(a), "1a\n");
  EXPECT_EQ(Read(b), "B\r\n");
  EXPECT_EQ(Read(c), "c\r\n");
  EXPECT_EQ(Tabs.Active, 3);
  EXPECT_TRUE(Edit()->GetModified());
  EXPECT_TRUE(Host.Questions.empty());
}

TEST_F(Documents, NewFromClipboardMakesAnUnnamedModifiedTabWithTheText) {
  TktRecordingEditHost clipboard;
  Host.EditHost = &clipboard;
  Docs->UpdateActions();
  EXPECT_FALSE(Host.Enabled["aFileNewFromClipboard"]) << "nothing on the clipboard";
  clipboard.Clipboard[kcfText] = "first\r\nsecond";
  Docs->UpdateActions();
  EXPECT_TRUE(Host.Enabled["aFileNewFromClipboard"]);
  Docs->OpenInNewTab(Write("a.txt", "a\r\n"), false);
  Docs->FileNewFromClipboard();
  ASSERT_EQ(Tabs.Pages.size(), 2u);
  EXPECT_EQ(Tabs.Active, 1);
  EXPECT_EQ(Edit()->GetName(), "m2");
  EXPECT_EQ(Edit()->GetText(), "first\r\nsecond\r\n");
  EXPECT_TRUE(Edit()->FileName.empty());
  EXPECT_TRUE(Edit()->GetModified());
  EXPECT_EQ(Host.Panels[4], "Modified");
  EXPECT_EQ(Host.Panels[2], "15");
  EXPECT_TRUE(Host.Enabled["aEditUndo"]) << "the paste is one undo step";
  Edit()->Undo();
  EXPECT_EQ(Edit()->GetText(), "\r\n");
  EXPECT_EQ(Read(Dir + "a.txt"), "a\r\n");
  EXPECT_TRUE(Host.Errors.empty());
}

TEST_F(Documents, StatusBarAndGutterFollowTheDocument) {
  Docs->OpenInNewTab(Write("a.txt", std::string(998, 'x') + "\r\n"), false);
  Edit()->SetCaretXY(TPoint(12, 1));
  Docs->UpdateStatus();
  EXPECT_EQ(Host.Panels[0], "  1: 12");
  EXPECT_EQ(Host.Panels[2], "1000");
  EXPECT_EQ(Host.Panels[4], "");
  EXPECT_EQ(Host.Panels[5], "Win");
  EXPECT_EQ(Host.Panels[6], Dir + "a.txt");
  Type("y");
  EXPECT_EQ(Host.Panels[2], "1`001");
  EXPECT_EQ(Host.Panels[4], "Modified");
  EXPECT_EQ(int64_t(Edit()->GetText().size()), 1001);

  Edit()->SetText("1\r\n2\r\n3\r\n4\r\n");
  for (int n : {1, 2, 4}) Edit()->SetBookMark(n, 1, n);
  Docs->GutterClick(3, false);
  EXPECT_TRUE(Edit()->IsBookMark(3));
  EXPECT_TRUE(Host.Enabled["aGoToBookmark3"]);
  Docs->GutterClick(3, false);
  EXPECT_FALSE(Edit()->IsBookMark(3));
  EXPECT_FALSE(Host.Enabled["aGoToBookmark3"]);
  Tabs.Hidden = false;
  Docs->Options.HideTabs = true;
  Docs->PageControlChange();
  EXPECT_TRUE(Tabs.Hidden);
  Docs->FileNew();
  EXPECT_FALSE(Tabs.Hidden);
}

}  // namespace
