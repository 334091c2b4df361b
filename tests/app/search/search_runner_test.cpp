// The find, replace and hex-search commands over a scripted host: what the
// dialogs are given, what gets searched, the messages, the prompt's answers
// and Find Next.
#include <gtest/gtest.h>

#include "../../editor/EditFixture.h"
#include "../../hexedit/HexFixture.h"
#include "app/search/SearchRunner.h"

namespace {

class TScriptedHost : public TSearchHost {
public:
  TktCustomEdit* Edit = nullptr;
  THexEditor* Hex = nullptr;
  TSearchDialogValues Values;   // what the next dialog closes with
  int ReplaceResult = 1;
  bool Accept = true;
  std::string FindHex;
  std::vector<std::string> Shown;  // dialogs shown, with their word
  std::vector<std::string> Messages;
  std::function<void()> WhileShown;
  bool Prefix = false;
  int BlockReads = 0;
  std::vector<TSearchDocument> Docs;
  std::vector<TFindResult> Results;

  TktCustomEdit* TextEditor() override { return Edit; }
  THexEditor* HexEditor() override { return Hex; }
  bool ShowFind(const std::string& word, TSearchDialogValues& v) override { return Show("find:" + word, v); }
  bool ShowFindInFiles(const std::string& word, TSearchDialogValues& v) override {
    return Show("files:" + word, v);
  }
  int ShowReplace(const std::string& word, TSearchDialogValues& v) override {
    Show("replace:" + word, v);
    return ReplaceResult;
  }
  bool ShowHexFind(std::string& findHex, TSearchDialogValues& v) override {
    findHex = FindHex;
    return Show("hex", v);
  }
  void HexFindValues(std::string& findHex, TSearchDialogValues& v) override {
    findHex = FindHex;
    v = Values;
  }
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  bool BlockPrefixPending() override { return Prefix; }
  void ReadBlock() override { ++BlockReads; }
  std::vector<TSearchDocument> SearchDocuments() override { return Docs; }
  void ShowResults(const std::vector<TFindResult>& r, const std::string&) override { Results = r; }

private:
  bool Show(const std::string& what, TSearchDialogValues& v) {
    Shown.push_back(what);
    if (WhileShown) WhileShown();
    v = Values;
    return Accept;
  }
};

class SearchRunnerTest : public EditFixture {
protected:
  void SetUp() override {
    EditFixture::SetUp();
    Host.Edit = Edit.get();
  }
  TScriptedHost Host;
  TSearchRunner Runner{Host};
};

TEST_F(SearchRunnerTest, FindTakesTheWordAtTheCaretAndReportsAMiss) {
  SetLines({"int count = 0;", "count++;", "return count;"});
  Select(TPoint(1, 3), TPoint(4, 3));
  Edit->SetCaretXY(TPoint(6, 1));
  const TPoint anchor = Edit->GetBlockAnchor(), moving = Edit->GetBlockMovingEnd();
  Host.WhileShown = [&] {
    // The selection that was there is there while the dialog shows.
    EXPECT_EQ(Edit->GetBlockAnchor(), anchor);
    EXPECT_EQ(Edit->GetBlockMovingEnd(), moving);
  };
  Host.Values.FindText = "count";
  Host.Values.Origin = 1;  // Entire Scope
  Runner.Find();
  EXPECT_EQ(Host.Shown, std::vector<std::string>{"find:count"});
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(5, 1));
  Host.WhileShown = nullptr;

  // Find Next after an Entire Scope find goes on from the caret.
  Runner.FindNext();
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(1, 2));
  Runner.FindNext();
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(8, 3));
  EXPECT_TRUE(Host.Messages.empty());
  Runner.FindNext();
  EXPECT_EQ(Host.Messages, std::vector<std::string>{"Search string 'count' not found"});
  EXPECT_EQ(Host.Shown.size(), 1u) << "Find Next shows no dialog once there is a search";

  Host.Accept = false;  // a cancelled dialog searches nothing
  Host.Values.FindText = "int";
  Runner.Find();
  EXPECT_EQ(Runner.Last().SearchText, "count");
}

TEST_F(SearchRunnerTest, NothingHappensOnABlankTextOrWithoutAnEditor) {
  SetLines({"   ", ""});
  Runner.Find();
  Runner.Replace();
  Runner.FindInAllDocuments();
  Host.Edit = nullptr;
  Runner.FindNext();
  EXPECT_TRUE(Host.Shown.empty());
}

TEST_F(SearchRunnerTest, ReplaceAsksThroughThePromptAndItsAllAnswerReplacesTheRest) {
  struct Case {
    std::vector<TktReplaceAction> Answers;
    int Result;  // the dialog's button
    bool Prompt;
    std::vector<std::string> Lines;
    int Asked;
  } cases[] = {
      {{raReplace}, 1, true, {"b a a", "a"}, 1},                       // Ok: the first hit only
      {{raSkip, raReplace, raCancel}, 10, true, {"a b a", "a"}, 3},    // Replace All, asked each time
      {{raSkip, raReplaceAll}, 10, true, {"a b b", "b"}, 2},           // All: the rest unasked
      {{}, 10, false, {"b b b", "b"}, 0},                              // no prompt
      {{}, 2, true, {"a a a", "a"}, 0},                                // Cancel
  };
  for (const Case& c : cases) {
    SetLines({"a a a", "a"});
    Edit->SetCaretXY(TPoint(1, 1));
    size_t asked = 0;
    Edit->OnReplaceText = [&](TObject*, const std::string&, const std::string&, int, int, TktReplaceAction& a) {
      a = asked < c.Answers.size() ? c.Answers[asked] : raCancel;
      ++asked;
    };
    Host.Values = TSearchDialogValues{};
    Host.Values.FindText = "a";
    Host.Values.ReplaceText = "b";
    Host.Values.Prompt = c.Prompt;
    Host.ReplaceResult = c.Result;
    Runner.Replace();
    EXPECT_EQ(Lines(), c.Lines) << "result " << c.Result << " answers " << c.Answers.size();
    EXPECT_EQ(int(asked), c.Asked);
  }
}

TEST_F(SearchRunnerTest, ReplaceAfterTheBlockPrefixReadsABlock) {
  SetLines({"a"});
  Host.Prefix = true;
  Runner.Replace();
  EXPECT_EQ(Host.BlockReads, 1);
  EXPECT_TRUE(Host.Shown.empty());
}

TEST_F(SearchRunnerTest, SearchInAllDocumentsListsTheHits) {
  SetLines({"x", "alpha beta"});
  Host.Docs = {{4, "C:\\a.txt", Edit->GetLines()}};
  Host.Values.FindText = "beta";
  Runner.FindInAllDocuments();
  EXPECT_EQ(Host.Shown, std::vector<std::string>{"files:x"});
  ASSERT_EQ(Host.Results.size(), 1u);
  EXPECT_EQ(Host.Results[0].Text, "[4]a.txt (2): alpha beta");
  EXPECT_EQ(Runner.Last().Options, ktsoEntireScope);
}

class HexRunnerTest : public THexTest {
protected:
  TScriptedHost Host;
  TSearchRunner Runner{Host};
};

TEST_F(HexRunnerTest, HexFindAndFindNext) {
  Host.Hex = &Load(std::string("\xab\x0c..\xab\x0c", 6));
  Host.FindHex = "abc";  // AB then 0C
  Host.Values.Origin = 1;
  Runner.HexFind();
  EXPECT_EQ(Hex->GetCursorPosition(), 0) << "an Entire Scope search finds offset 0";
  Runner.HexFindNext();
  EXPECT_EQ(Hex->GetCursorPosition(), 4);
  Runner.HexFindNext();  // a miss changes nothing
  EXPECT_EQ(Hex->GetCursorPosition(), 4);
  EXPECT_EQ(Host.Shown, std::vector<std::string>{"hex"});
  Host.FindHex = " ";
  Runner.HexFindNext();  // nothing to search: the dialog
  EXPECT_EQ(Host.Shown.size(), 2u);
}

}  // namespace
