// Search in all open documents: the listed lines against what repeating the
// editor's own search from the top finds, the list lines' text and data, and
// showing a listed hit.
#include <gtest/gtest.h>

#include <random>

#include "../../editor/EditFixture.h"
#include "app/search/FindInDocuments.h"
#include "editor/EditList.h"

namespace {

struct Hit {
  int Document, Line, Column;
  bool operator==(const Hit&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Hit& h) {
  return os << "[" << h.Document << "] " << h.Line << ":" << h.Column;
}

// The listing as the editor's search gives it: from the top, then on from
// the caret while it finds, one entry for each new caret line.
std::vector<Hit> ListBySearchReplace(TktCustomEdit& e, int number, const std::string& text,
                                     uint8_t options) {
  std::vector<Hit> r;
  int previous = 0;
  options |= ktsoEntireScope;
  while (e.SearchReplace(text, text, options) > 0) {
    options &= uint8_t(~ktsoEntireScope);
    const int line = e.GetCaretXY().Y;
    if (line != previous) r.push_back({number, line, e.GetBlockBegin().X});
    previous = line;
  }
  return r;
}

std::vector<Hit> Hits(const std::vector<TFindResult>& results) {
  std::vector<Hit> r;
  for (const TFindResult& f : results) r.push_back({f.Document, f.Line, f.Column});
  return r;
}

// What a search must never move.
struct TEditState {
  TPoint Caret, Anchor, Moving;
  int Top;
  bool Modified;
  int Undo, Redo;
  bool operator==(const TEditState&) const = default;
};
TEditState StateOf(TktCustomEdit& e) {
  return {e.GetCaretXY(), e.GetBlockAnchor(), e.GetBlockMovingEnd(), e.GetTopLine(),
          e.GetModified(), e.GetUndoList().GetCount(), e.GetRedoList().GetCount()};
}

std::unique_ptr<TTestEdit> NewEdit(TktRecordingEditHost& host, const std::string& text) {
  auto e = std::make_unique<TTestEdit>(nullptr);
  e->SetHost(&host);
  e->SetText(text);
  return e;
}

TEST(FindInDocuments, ListsWhatRepeatedSearchesFindAndMovesNoEditor) {
  std::mt19937 rng(20261210);
  const std::string alphabet = "abAB _1.\xe4\xc4";
  const char* const ends[] = {"\r\n", "\n", "\r"};
  auto pick = [&](int n) { return int(rng() % unsigned(n)); };
  int bufferLines = 0, ownLines = 0;
  for (int round = 0; round < 60; ++round) {
    TktRecordingEditHost host;
    std::vector<std::unique_ptr<TTestEdit>> edits;
    std::vector<TSearchDocument> docs;
    const int docCount = 1 + pick(4);
    for (int d = 0; d < docCount; ++d) {
      std::string text;
      const int lines = pick(30);
      for (int l = 0; l < lines; ++l) {
        for (int k = pick(14); k > 0; --k) text += alphabet[size_t(pick(int(alphabet.size())))];
        text += ends[pick(3)];
      }
      edits.push_back(NewEdit(host, text));
      TktEditList& list = *edits.back()->GetLines();
      // Edits give some lines storage of their own and move others about.
      for (int k = pick(4); k > 0 && list.GetCount() > 2; --k) {
        switch (pick(3)) {
          case 0: list.Put(pick(list.GetCount()), "ab a_b AB"); break;
          case 1: list.Exchange(pick(list.GetCount()), pick(list.GetCount())); break;
          default: list.Delete(pick(list.GetCount())); break;
        }
      }
      for (int i = 0; i < list.GetCount(); ++i) (list.IsInLoadBuffer(i) ? bufferLines : ownLines)++;
      edits.back()->SetCaretXY(TPoint(1 + pick(3), 1 + pick(5)));
      // Numbered out of order: the list goes by number.
      docs.push_back({(d * 7) % 5 + d * 5, "C:\\d\\doc" + std::to_string(d) + ".txt", &list});
    }
    std::string pattern;
    for (int k = 1 + pick(3); k > 0; --k) pattern += "abAB_1"[pick(6)];
    const bool matchCase = pick(2), whole = pick(2);
    const uint8_t options = (matchCase ? ktsoMatchCase : 0) | (whole ? ktsoWholeWord : 0);

    std::vector<TEditState> before;
    for (auto& e : edits) before.push_back(StateOf(*e));
    const std::vector<TFindResult> found = FindInDocuments(docs, pattern, matchCase, whole);
    for (size_t i = 0; i < edits.size(); ++i) EXPECT_EQ(StateOf(*edits[i]), before[i]);

    std::vector<size_t> order(docs.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return docs[a].Number < docs[b].Number; });
    std::vector<Hit> expected;
    for (size_t i : order) {
      const std::vector<Hit> h = ListBySearchReplace(*edits[i], docs[i].Number, pattern, options);
      expected.insert(expected.end(), h.begin(), h.end());
    }
    ASSERT_EQ(Hits(found), expected) << "pattern '" << pattern << "' case " << matchCase << " whole " << whole;
  }
  // Both ways of reading lines were taken.
  EXPECT_GT(bufferLines, 1000);
  EXPECT_GT(ownLines, 20);
}

TEST(FindInDocuments, OneLinePerLineWithTheLineTextAndItsNumbersAsData) {
  TktRecordingEditHost host;
  auto first = NewEdit(host, "nothing\r\n");
  auto second = NewEdit(host, "1\n2\n3\n4\ncount = count + count;\n6\n");
  auto third = NewEdit(host, "x\ncount (v2)]\n");
  const std::vector<TSearchDocument> docs = {
      {3, "C:\\docs\\notes (v2) [old].txt", third->GetLines()},
      {1, "C:\\a.pas", first->GetLines()},
      {2, "C:\\b c\\b.pas", second->GetLines()},
  };
  const std::vector<TFindResult> found = FindInDocuments(docs, "Count", false, true);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].Text, "[2]b.pas (5): count = count + count;");
  EXPECT_EQ(Hit({found[0].Document, found[0].Line, found[0].Column}), Hit({2, 5, 1}));
  // A name with brackets and parentheses: the numbers come as data.
  EXPECT_EQ(found[1].Text, "[3]notes (v2) [old].txt (2): count (v2)]");
  EXPECT_EQ(Hit({found[1].Document, found[1].Line, found[1].Column}), Hit({3, 2, 1}));

  EXPECT_TRUE(FindInDocuments(docs, "Count", true, false).empty());
  EXPECT_TRUE(FindInDocuments(docs, "", false, false).empty());
  EXPECT_EQ(FindInDocuments(docs, "oun", false, false).size(), 2u);
  EXPECT_TRUE(FindInDocuments(docs, "oun", false, true).empty());
  // Line ends are word ends; a hit never reaches over one.
  EXPECT_EQ(FindInDocuments(docs, "4", false, true).size(), 1u);
  EXPECT_TRUE(FindInDocuments(docs, "34", false, false).empty());
}

using ShowFindResultTest = EditFixture;

TEST_F(ShowFindResultTest, SelectsTheHitWhileItIsThereElseGoesToTheLine) {
  std::vector<std::string> lines(60, "filler");
  lines[39] = "  Count here";
  SetLines(lines);
  ShowFindResult(*Edit, 40, 3, "count");
  EXPECT_EQ(Edit->GetBlockBegin(), TPoint(3, 40));
  EXPECT_EQ(Edit->GetBlockEnd(), TPoint(8, 40));
  EXPECT_EQ(Edit->GetSelText(), "Count");
  EXPECT_EQ(Edit->GetTopLine(), 40);

  // The text changed since the search: the caret goes to the line's start.
  ShowFindResult(*Edit, 40, 5, "count");
  EXPECT_FALSE(Edit->SelAvail());
  EXPECT_EQ(Edit->GetCaretXY(), TPoint(1, 40));
  ShowFindResult(*Edit, 40, 9, "count");  // would run past the line's end
  EXPECT_FALSE(Edit->SelAvail());

  // A line past the end means the last line.
  ShowFindResult(*Edit, 500, 1, "filler");
  EXPECT_EQ(Edit->GetCaretXY().Y, 60);
  EXPECT_EQ(Edit->GetSelText(), "filler");
}

}  // namespace
