// The line store: its notifications, the one-line rule, compact storage
// behind the TStrings face, and the forward range rescan.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "BraceHighlighter.h"
#include "editor/EditList.h"
#include "platform/Streams.h"

namespace {

// Records every callback of a list as text, in order.
struct TCallbackLog {
  std::vector<std::string> Calls;
  void Wire(TktEditList& list) {
    list.OnLineAdded = [this, &list](TObject*) { Calls.push_back("added " + std::to_string(list.GetCount())); };
    list.OnCleared = [this, &list](TObject*) { Calls.push_back("cleared " + std::to_string(list.GetCount())); };
    list.OnLineDeleted = [this](int i) { Calls.push_back("deleted " + std::to_string(i)); };
    list.OnLineInserted = [this](int i) { Calls.push_back("inserted " + std::to_string(i)); };
    list.OnTextSet = [this, &list](TObject*) { Calls.push_back("textset " + std::to_string(list.GetCount())); };
    list.OnLinePut = [this](int i) { Calls.push_back("put " + std::to_string(i)); };
    list.OnLinesLoaded = [this, &list](TObject*) { Calls.push_back("loaded " + std::to_string(list.GetCount())); };
    list.OnChanging = [this](TObject*) { Calls.push_back("changing"); };
    list.OnChange = [this](TObject*) { Calls.push_back("change"); };
  }
};

std::vector<std::string> Lines(const TktEditList& list) {
  std::vector<std::string> r;
  for (int i = 0; i < list.GetCount(); ++i) r.push_back(list.Get(i));
  return r;
}

using V = std::vector<std::string>;

}  // namespace

TEST(EditList, OperationsFireTheirCallbackInsideOneChangeBracket) {
  TktEditList list;
  TCallbackLog log;
  log.Wire(list);
  list.Add("a");
  list.Insert(0, "b");
  list.Put(1, "c");
  list.Delete(0);
  EXPECT_EQ(log.Calls, (V{"changing", "added 1", "change", "changing", "inserted 0", "change",
                          "changing", "put 1", "change", "changing", "deleted 0", "change"}));
  EXPECT_EQ(Lines(list), V{"c"});
}

TEST(EditList, DeletingTheOnlyLineEmptiesItAndStillReportsTheDelete) {
  TktEditList list;
  list.Add("only");
  TCallbackLog log;
  log.Wire(list);
  list.Delete(0);
  EXPECT_EQ(Lines(list), V{""});
  EXPECT_EQ(log.Calls, (V{"changing", "deleted 0", "change"}));
}

TEST(EditList, ClearLeavesOneEmptyLine) {
  TktEditList list;
  list.SetText("a\nb\nc");
  TCallbackLog log;
  log.Wire(list);
  list.Clear();
  EXPECT_EQ(Lines(list), V{""});
  // Cleared is told before anything goes; the empty line is appended after.
  EXPECT_EQ(log.Calls, (V{"changing", "cleared 3", "added 1", "change"}));
}

TEST(EditList, ClearInsideAnUpdateBracketWaitsForTheBracketToClose) {
  TktEditList list;
  list.Add("x");
  list.BeginUpdate();
  list.Clear();
  EXPECT_EQ(list.GetCount(), 0);
  list.Add("y");
  list.EndUpdate();
  EXPECT_EQ(Lines(list), V{"y"});
  list.BeginUpdate();
  list.Clear();
  list.EndUpdate();
  EXPECT_EQ(Lines(list), V{""});
}

TEST(EditList, EmptyTextsLeaveOneEmptyLine) {
  {
    TktEditList list;
    TCallbackLog log;
    list.SetText("a\r\nb");
    log.Wire(list);
    list.SetText("");
    EXPECT_EQ(Lines(list), V{""});
    EXPECT_EQ(log.Calls, (V{"changing", "cleared 2", "textset 0", "added 1", "change"}));
  }
  {
    TktEditList list;
    list.SetText("a");
    TStringList empty;
    list.Assign(&empty);
    EXPECT_EQ(Lines(list), V{""});
  }
  {
    TktEditList list;
    list.SetText("a");
    TStringStream stream("");
    list.LoadFromStream(stream);
    EXPECT_EQ(Lines(list), V{""});
  }
}

TEST(EditList, SplitsTextExactlyLikeTheStringList) {
  std::mt19937 rng(7);
  const char alphabet[] = {'a', 'b', '\r', '\n', ' ', '\t', '\0'};
  for (int round = 0; round < 400; ++round) {
    std::string text;
    // Mostly short texts; every tenth long enough for the block-wise scans.
    const int len = int(rng() % (round % 10 == 0 ? 20000 : 40));
    for (int i = 0; i < len; ++i) text += alphabet[rng() % sizeof alphabet];
    TStringList reference;
    reference.SetText(text);
    TktEditList list;
    list.SetText(text);
    TktEditList loaded;
    TStringStream stream(text);
    loaded.LoadFromStream(stream);
    V expected;
    for (int i = 0; i < reference.GetCount(); ++i) expected.push_back(reference.Get(i));
    if (expected.empty()) expected.push_back("");  // the store never stays empty
    ASSERT_EQ(Lines(list), expected) << "round " << round;
    ASSERT_EQ(Lines(loaded), expected) << "round " << round;
  }
}

TEST(EditList, EveryViewIsFollowedByANul) {
  TktEditList list;
  list.SetText("one\r\ntwo\rthree\nfour");
  list.Put(1, "edited");
  list.Insert(2, "new");
  list.Add("");
  TStringList more;
  more.Add("x");
  list.AddStrings(&more);
  ASSERT_EQ(list.GetCount(), 7);
  for (int i = 0; i < list.GetCount(); ++i) {
    std::string_view v = list.GetView(i);
    EXPECT_EQ(v.data()[v.size()], '\0') << "line " << i;
  }
  EXPECT_EQ(list.GetText(), "one\r\nedited\r\nnew\r\nthree\r\nfour\r\n\r\nx\r\n");
}

TEST(EditList, LoadsAStreamAsOneBatchWhenTheEditorWantsIt) {
  TktEditList list;
  TCallbackLog log;
  log.Wire(list);
  TStringStream stream("a\r\nb\r\nc\r\n");
  list.LoadFromStream(stream);
  EXPECT_EQ(Lines(list), (V{"a", "b", "c"}));
  // With OnLinesLoaded set, no per-line OnLineAdded.
  EXPECT_EQ(log.Calls, (V{"changing", "cleared 0", "textset 3", "loaded 3", "change"}));
  EXPECT_TRUE(bool(list.OnLineAdded));  // restored afterwards

  log.Calls.clear();
  list.OnLinesLoaded = nullptr;
  TStringStream again("x\ny");
  list.LoadFromStream(again);
  EXPECT_EQ(log.Calls, (V{"changing", "cleared 3", "added 1", "added 2", "textset 2", "change"}));
}

TEST(EditList, AddStringsReportsOneBatchAndKeepsObjects) {
  TktEditList list;
  TCallbackLog log;
  TStringList source;
  source.AddObject("p", IntToObj(5));
  source.AddObject("q", IntToObj(6));
  log.Wire(list);
  list.AddStrings(&source);  // into an empty list: one shared buffer
  list.AddStrings(&source);  // onto existing lines
  EXPECT_EQ(Lines(list), (V{"p", "q", "p", "q"}));
  EXPECT_EQ(ObjToInt(list.GetObject(3)), 6);
  EXPECT_EQ(log.Calls, (V{"changing", "loaded 2", "change", "changing", "loaded 4", "change"}));
  list.AddStrings(&list);  // itself: every line copied before the list grows
  EXPECT_EQ(Lines(list), (V{"p", "q", "p", "q", "p", "q", "p", "q"}));
}

TEST(EditList, AssignRunsUnderTheLock) {
  TktEditList list;
  list.Add("old");
  TCallbackLog log;
  log.Wire(list);
  TktEditList source;
  source.SetText("n1\nn2");
  list.Assign(&source);
  EXPECT_EQ(Lines(list), (V{"n1", "n2"}));
  EXPECT_EQ(list.GetLockCount(), 0);
  EXPECT_EQ(log.Calls, (V{"changing", "cleared 1", "loaded 2", "change"}));
  struct TNotAList : TPersistent {} notAList;
  EXPECT_THROW(list.Assign(&notAList), EConvertError);
  EXPECT_EQ(list.GetLockCount(), 0);
}

TEST(EditList, ExchangeAndMoveMoveTextsNotRanges) {
  TktEditList list;
  list.SetText("a\nb\nc");
  for (int i = 0; i < 3; ++i) list.SetRange(i, 10 + i);
  TCallbackLog log;
  log.Wire(list);
  list.Exchange(2, 0);
  EXPECT_EQ(Lines(list), (V{"c", "b", "a"}));
  EXPECT_EQ(list.GetRange(0), 10);
  EXPECT_EQ(list.GetRange(2), 12);
  list.Move(0, 2);
  EXPECT_EQ(Lines(list), (V{"b", "a", "c"}));
  EXPECT_EQ(log.Calls, (V{"changing", "put 0", "put 2", "change", "changing", "deleted 0",
                          "inserted 2", "change"}));
}

TEST(EditList, BadIndexesRaise) {
  TktEditList list;
  list.Add("a");
  EXPECT_THROW(list.Get(1), EStringListError);
  EXPECT_THROW(list.GetView(-1), EStringListError);
  EXPECT_THROW(list.Put(1, "x"), EStringListError);
  EXPECT_THROW(list.Delete(1), EStringListError);
  EXPECT_THROW(list.Insert(2, "x"), EStringListError);
  EXPECT_THROW(list.Exchange(0, 1), EStringListError);
  EXPECT_EQ(Lines(list), V{"a"});
}

TEST(EditList, EditedLinesReuseFreedStorage) {
  TktEditList list;
  list.SetText("a\nb\nc\nd");
  for (int round = 0; round < 50; ++round) {
    list.Put(1, std::string(20 + round, 'x'));
    list.Insert(2, "inserted line " + std::to_string(round));
    list.Delete(2);
  }
  EXPECT_EQ(list.Get(1), std::string(69, 'x'));
  EXPECT_EQ(Lines(list), (V{"a", std::string(69, 'x'), "c", "d"}));
}

TEST(EditList, TextLengthFollowsEveryKindOfChange) {
  TktEditList list;
  auto summed = [&] {
    int64_t n = 0;
    for (int i = 0; i < list.GetCount(); ++i) n += int64_t(list.GetView(i).size());
    return n;
  };
  TStringList other;
  other.SetText("12\n345\n");
  TStringStream file("alpha\r\nbeta\n\ngamma");
  const struct {
    const char* Name;
    std::function<void()> Change;
  } steps[] = {
      {"load", [&] { list.LoadFromStream(file); }},
      {"put longer", [&] { list.Put(0, "alphabet"); }},
      {"put empty", [&] { list.Put(1, ""); }},
      {"put owned again", [&] { list.Put(0, "ab"); }},
      {"insert", [&] { list.Insert(2, "inserted"); }},
      {"add", [&] { list.Add("tail"); }},
      {"delete a loaded line", [&] { list.Delete(3); }},
      {"exchange", [&] { list.Exchange(0, 2); }},
      {"move", [&] { list.Move(0, 3); }},
      {"add strings", [&] { list.AddStrings(&other); }},
      {"set text", [&] { list.SetText("x\ny\nzz"); }},
      {"delete all but one", [&] {
         while (list.GetCount() > 1) list.Delete(0);
       }},
      {"delete the only line", [&] { list.Delete(0); }},
      {"clear then add strings", [&] {
         list.Clear();
         list.AddStrings(&other);
       }},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.Name);
    step.Change();
    EXPECT_EQ(list.GetTextLength(), summed());
  }
  EXPECT_EQ(list.GetTextLength(), 5);
}

// ---------------------------------------------------------------------------
// Range rescan
// ---------------------------------------------------------------------------

namespace {

// Wires a list to a highlighter the way the editing control does.
struct TRangeFixture {
  TktEditList List;
  TBraceHighlighter Hl;
  int LastScanned = -1;
  TRangeFixture() {
    List.OnLineAdded = [this](TObject*) { LastScanned = List.RescanAfterAdd(Hl); };
    List.OnLineDeleted = [this](int i) { LastScanned = List.RescanAfterDelete(Hl, i); };
    List.OnLineInserted = [this](int i) { LastScanned = List.RescanAfterInsert(Hl, i); };
    List.OnLinePut = [this](int i) { LastScanned = List.RescanAfterPut(Hl, i); };
    List.OnLinesLoaded = [this](TObject*) { List.RescanAll(Hl); };
    List.OnTextSet = [this](TObject*) {
      if (List.GetCount() == 0) List.Add("");
    };
  }
  // What a scan of the whole text from its first line gives.
  std::vector<TktRange> FullScan() {
    TBraceHighlighter fresh;
    std::vector<TktRange> ranges;
    fresh.ResetRange();
    for (int i = 0; i < List.GetCount(); ++i) {
      ranges.push_back(fresh.GetRange());
      std::string line = List.Get(i);
      fresh.SetLine(line, i);
      fresh.NextToEol();
    }
    return ranges;
  }
  std::vector<TktRange> Stored() {
    std::vector<TktRange> ranges;
    for (int i = 0; i < List.GetCount(); ++i) ranges.push_back(List.GetRange(i));
    return ranges;
  }
};

}  // namespace

TEST(EditListRanges, ScanFromFollowsTheStopTest) {
  TRangeFixture f;
  f.List.SetText("a\n{\nb\nc\n}\nd");
  ASSERT_EQ(f.Stored(), (std::vector<TktRange>{0, 0, 1, 1, 1, 0}));
  // From a line whose end state is unchanged: that line only.
  f.Hl.LinesScanned = 0;
  f.Hl.SetRange(f.List.GetRange(2));
  EXPECT_EQ(f.List.ScanFrom(f.Hl, 2), 2);
  EXPECT_EQ(f.Hl.LinesScanned, 1);
  // The last line: nothing to do.
  f.Hl.LinesScanned = 0;
  EXPECT_EQ(f.List.ScanFrom(f.Hl, 5), 5);
  EXPECT_EQ(f.Hl.LinesScanned, 0);
}

TEST(EditListRanges, OpeningACommentRescansToTheEndAndClosingItRescansBack) {
  TRangeFixture f;
  f.List.SetText("a\nb\nc\nd\ne");
  f.Hl.LinesScanned = 0;
  f.List.Insert(1, "{");
  EXPECT_EQ(f.Stored(), (std::vector<TktRange>{0, 0, 1, 1, 1, 1}));
  EXPECT_EQ(f.LastScanned, 5);
  EXPECT_EQ(f.Hl.LinesScanned, 6);  // line 0, the new line, and the four after it
  f.Hl.LinesScanned = 0;
  f.List.Delete(1);
  EXPECT_EQ(f.Stored(), f.FullScan());
  EXPECT_EQ(f.Stored(), (std::vector<TktRange>{0, 0, 0, 0, 0}));
  EXPECT_EQ(f.Hl.LinesScanned, 5);  // line 0 and the four whose start state went back
}

TEST(EditListRanges, ReplacingALineWithoutChangingItsEndStateScansThatLineOnly) {
  TRangeFixture f;
  f.List.SetText("a\n{\nb\nc\nd");
  f.Hl.LinesScanned = 0;
  f.List.Put(2, "bbbb");
  EXPECT_EQ(f.Hl.LinesScanned, 1);
  EXPECT_EQ(f.LastScanned, 2);
  f.List.Put(2, "}");
  EXPECT_EQ(f.Stored(), f.FullScan());
  EXPECT_EQ(f.LastScanned, 4);
}

TEST(EditListRanges, AnInsertedLineIsScannedEvenWhenItsEmptySlotLooksRight) {
  // The new line's slot starts at 0, which is also the end state of "a":
  // stopping there would leave "b" believing it starts outside the comment.
  TRangeFixture f;
  f.List.SetText("a\nb");
  f.List.Insert(1, "{");
  EXPECT_EQ(f.Stored(), (std::vector<TktRange>{0, 0, 1}));
}

TEST(EditListRanges, RangeSlotsFollowInsertsAndDeletesOnceStored) {
  TktEditList list;
  list.SetText("a\nb\nc");
  EXPECT_EQ(list.GetObject(1), nullptr);  // no range stored yet: all 0
  list.PutObject(1, IntToObj(9));
  list.Insert(1, "new");
  list.Add("end");
  EXPECT_EQ(ObjToInt(list.GetObject(2)), 9);
  EXPECT_EQ(ObjToInt(list.GetObject(1)), 0);
  EXPECT_EQ(ObjToInt(list.GetObject(4)), 0);
  list.Delete(0);
  EXPECT_EQ(ObjToInt(list.GetObject(1)), 9);
  TStringStream stream("x\ny");
  list.LoadFromStream(stream);
  EXPECT_EQ(list.GetObject(1), nullptr);
}

TEST(EditListRanges, WithoutAHighlighterReplacingALineLeavesTheSlotsAlone) {
  TktEditList list;
  list.SetText("a\nb");
  list.SetRange(0, 42);
  list.SetRange(1, 43);
  list.Put(1, "changed");
  EXPECT_EQ(list.GetRange(0), 42);
  EXPECT_EQ(list.GetRange(1), 43);
}

TEST(EditListRanges, StoredRangesEqualAFullRescanAfterRandomEdits) {
  const std::vector<std::string> vocabulary = {"", "x", "{", "}", "{x", "x}", "}{", "{{", "}}}", "a{b}c"};
  for (unsigned seed = 1; seed <= 20; ++seed) {
    std::mt19937 rng(seed);
    TRangeFixture f;
    std::vector<std::string> model;  // what the lines must be
    auto pick = [&] { return vocabulary[rng() % vocabulary.size()]; };
    auto index = [&](int n) { return int(rng() % unsigned(n)); };
    f.List.Add(pick());
    model = Lines(f.List);
    for (int step = 0; step < 400; ++step) {
      const int n = f.List.GetCount();
      const unsigned op = rng() % 100;
      std::string what;
      if (op < 25) {
        int i = index(n + 1);
        std::string s = pick();
        f.List.Insert(i, s);
        model.insert(model.begin() + i, s);
        what = "insert";
      } else if (op < 45) {
        int i = index(n);
        f.List.Delete(i);
        if (model.size() == 1) model[0].clear();
        else model.erase(model.begin() + i);
        what = "delete";
      } else if (op < 70) {
        int i = index(n);
        std::string s = pick();
        f.List.Put(i, s);
        model[size_t(i)] = s;
        what = "put";
      } else if (op < 80) {
        std::string s = pick();
        f.List.Add(s);
        model.push_back(s);
        what = "add";
      } else if (op < 85) {
        int a = index(n), b = index(n);
        f.List.Exchange(a, b);
        std::swap(model[size_t(a)], model[size_t(b)]);
        what = "exchange";
      } else if (op < 90) {
        int a = index(n), b = index(n);
        f.List.Move(a, b);
        std::string s = model[size_t(a)];
        model.erase(model.begin() + a);
        model.insert(model.begin() + b, s);
        what = "move";
      } else if (op < 93) {
        std::string text;
        const int lines = index(6);
        model.clear();
        for (int k = 0; k < lines; ++k) {
          model.push_back(pick());
          text += model.back() + "\n";
        }
        if (model.empty()) model.push_back("");
        if (rng() % 2) {
          f.List.SetText(text);
          what = "settext";
        } else {
          TStringStream stream(text);
          f.List.LoadFromStream(stream);
          what = "load";
        }
      } else if (op < 96) {
        TStringList more;
        for (int k = index(4); k >= 0; --k) more.Add(pick());
        for (int k = 0; k < more.GetCount(); ++k) model.push_back(more.Get(k));
        f.List.AddStrings(&more);
        what = "addstrings";
      } else if (op < 98) {
        f.List.Clear();
        model.assign(1, "");
        what = "clear";
      } else {
        TStringList source;
        for (int k = index(4); k > 0; --k) source.Add(pick());
        f.List.Assign(&source);
        model.clear();
        for (int k = 0; k < source.GetCount(); ++k) model.push_back(source.Get(k));
        if (model.empty()) model.push_back("");
        what = "assign";
      }
      ASSERT_EQ(Lines(f.List), model) << "seed " << seed << " step " << step << " " << what;
      ASSERT_EQ(f.Stored(), f.FullScan()) << "seed " << seed << " step " << step << " " << what;
    }
  }
}
