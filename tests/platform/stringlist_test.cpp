// TStrings and TStringList: text splitting, sorting and duplicates, name and
// value pairs, comma text, change events and files.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "platform/Classes.h"
#include "platform/Streams.h"

namespace {

std::vector<std::string> Items(const TStrings& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.GetCount(); ++i) out.push_back(list.Get(i));
  return out;
}

using Lines = std::vector<std::string>;

TEST(StringListTest, TextSplitsAtCrLfAndCrLf) {
  struct Case {
    const char* Text;
    Lines Expected;
  };
  const Case cases[] = {
      {"", {}},                   {"a", {"a"}},           {"a\r\n", {"a"}},
      {"a\r\nb", {"a", "b"}},     {"a\nb\n", {"a", "b"}}, {"a\rb\r", {"a", "b"}},
      {"a\n\rb", {"a", "", "b"}}, {"\r\n", {""}},         {"\r\n\r\n", {"", ""}},
      {"a\r\r\nb", {"a", "", "b"}}, {"x\n\ny", {"x", "", "y"}}, {"end\r", {"end"}},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.SetText(c.Text);
    EXPECT_EQ(Items(list), c.Expected) << ::testing::PrintToString(std::string(c.Text));
  }
}

TEST(StringListTest, TextKeepsNulBytesAndJoinsWithCrLf) {
  TStringList list;
  list.SetText(std::string("a\0b\nc", 5));
  ASSERT_EQ(list.GetCount(), 2);
  EXPECT_EQ(list.Get(0), std::string("a\0b", 3));
  EXPECT_EQ(list.GetText(), std::string("a\0b\r\nc\r\n", 8));
  TStringList empty;
  EXPECT_EQ(empty.GetText(), "");
}

TEST(StringListTest, IndexErrorsAndViews) {
  TStringList list;
  list.Add("one");
  list.AddObject("two", IntToObj(42));
  EXPECT_EQ(list.GetView(1), "two");
  EXPECT_EQ(ObjToInt(list.GetObject(1)), 42);
  EXPECT_EQ(list.GetObject(0), nullptr);
  try {
    list.Get(2);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (2)");
  }
  EXPECT_THROW(list.GetView(-1), EStringListError);
  EXPECT_THROW(list.Delete(5), EStringListError);
  EXPECT_THROW(list.Insert(3, "x"), EStringListError);
  list.Insert(2, "three");  // at the end is allowed
  EXPECT_EQ(Items(list), (Lines{"one", "two", "three"}));
}

TEST(StringListTest, SortedListsHonourTheDuplicatesRule) {
  TStringList list;
  list.SetSorted(true);
  for (const char* s : {"pear", "Apple", "fig", "apple"}) list.Add(s);
  // Ignored by default, compared without case.
  EXPECT_EQ(Items(list), (Lines{"Apple", "fig", "pear"}));
  EXPECT_EQ(list.Add("APPLE"), 0);

  list.SetDuplicates(dupAccept);
  EXPECT_EQ(list.Add("Fig"), 1);  // before the equal one
  EXPECT_EQ(Items(list), (Lines{"Apple", "Fig", "fig", "pear"}));

  list.SetDuplicates(dupError);
  try {
    list.Add("PEAR");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "String list does not allow duplicates");
  }
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
  EXPECT_THROW(list.Put(0, "x"), EStringListError);

  int index = -1;
  EXPECT_TRUE(list.Find("FIG", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("grape", index));
  EXPECT_EQ(index, 3);
  EXPECT_EQ(list.IndexOf("PEAR"), 3);
  EXPECT_EQ(list.IndexOf("kiwi"), -1);
}

TEST(StringListTest, CaseSensitivityResortsAndChangesLookups) {
  TStringList list;
  list.SetText("b\nB\na\nA\n");
  EXPECT_EQ(list.IndexOf("a"), 2);
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("A"), 3);
  list.SetDuplicates(dupAccept);
  list.SetSorted(true);
  EXPECT_EQ(Items(list), (Lines{"A", "B", "a", "b"}));
  list.SetCaseSensitive(false);  // a sorted list re-sorts under the new rule (stable)
  EXPECT_EQ(Items(list), (Lines{"A", "a", "B", "b"}));
}

TEST(StringListTest, SortAndCustomSort) {
  TStringList list;
  list.SetText("10\n9\n100\n");
  list.Sort();
  EXPECT_EQ(Items(list), (Lines{"10", "100", "9"}));
  list.CustomSort([](TStringList* l, int a, int b) {
    return StrToInt(l->Get(a)) - StrToInt(l->Get(b));
  });
  EXPECT_EQ(Items(list), (Lines{"9", "10", "100"}));
}

TEST(StringListTest, NameValuePairs) {
  TStringList list;
  list.SetText("Font=Courier\nSize=10\nnoequals\nEmpty=\n");
  EXPECT_EQ(list.GetValue("font"), "Courier");
  EXPECT_EQ(list.GetValue("Empty"), "");
  EXPECT_EQ(list.GetValue("noequals"), "");
  EXPECT_EQ(list.IndexOfName("SIZE"), 1);
  EXPECT_EQ(list.GetName(0), "Font");
  EXPECT_EQ(list.GetName(2), "");
  EXPECT_EQ(list.GetValueFromIndex(1), "10");
  list.SetValue("Size", "12");
  list.SetValue("New", "x=y");
  list.SetValue("Font", "");  // an empty value deletes the pair
  EXPECT_EQ(Items(list), (Lines{"Size=12", "noequals", "Empty=", "New=x=y"}));
  EXPECT_EQ(list.GetValue("new"), "x=y");
}

TEST(StringListTest, CommaTextWritesAndReadsBack) {
  struct Case {
    Lines Items;
    const char* Text;
  };
  const Case cases[] = {
      {{}, ""},
      {{""}, "\"\""},
      {{"a", "b"}, "a,b"},
      {{"a b", "c"}, "\"a b\",c"},
      {{"say \"hi\"", "x,y"}, "\"say \"\"hi\"\"\",\"x,y\""},
      {{"a", "", "b"}, "a,,b"},
  };
  for (const Case& c : cases) {
    TStringList list;
    for (const std::string& s : c.Items) list.Add(s);
    EXPECT_EQ(list.GetCommaText(), c.Text);
    TStringList back;
    back.SetCommaText(c.Text);
    EXPECT_EQ(Items(back), c.Items) << c.Text;
  }
}

TEST(StringListTest, CommaTextReaderSkipsBlanksAndSplitsAtThem) {
  TStringList list;
  list.SetCommaText("  one ,two three,, \"q,uoted\"  ");
  EXPECT_EQ(Items(list), (Lines{"one", "two", "three", "", "q,uoted"}));
}

TEST(StringListTest, ChangeEventsFireOncePerUpdateBracket) {
  TStringList list;
  int changing = 0, changed = 0;
  list.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    ++changing;
  };
  list.OnChange = [&](TObject*) { ++changed; };
  list.Add("a");
  EXPECT_EQ(changing, 1);
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("b");
  list.Delete(0);
  list.SetText("x\ny\n");
  list.EndUpdate();
  EXPECT_EQ(changed, 1);  // still inside the outer bracket
  list.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  EXPECT_EQ(list.GetUpdateCount(), 0);
  list.Clear();
  list.Clear();  // nothing to clear: no event
  EXPECT_EQ(changed, 3);
}

TEST(StringListTest, MoveExchangeAndAssignKeepObjects) {
  TStringList list;
  for (int i = 0; i < 4; ++i) list.AddObject(std::string(1, char('a' + i)), IntToObj(i));
  list.Move(0, 3);
  EXPECT_EQ(Items(list), (Lines{"b", "c", "d", "a"}));
  EXPECT_EQ(ObjToInt(list.GetObject(3)), 0);
  list.Exchange(0, 1);
  EXPECT_EQ(Items(list), (Lines{"c", "b", "d", "a"}));
  EXPECT_EQ(ObjToInt(list.GetObject(0)), 2);

  TStringList copy;
  copy.Add("old");
  copy.Assign(&list);
  EXPECT_TRUE(copy.Equals(&list));
  EXPECT_EQ(ObjToInt(copy.GetObject(2)), 3);
  EXPECT_EQ(copy.IndexOfObject(IntToObj(1)), 1);
}

class Tracked : public TObject {
public:
  explicit Tracked(int* counter) : FCounter(counter) {}
  ~Tracked() override { ++*FCounter; }

private:
  int* FCounter;
};

TEST(StringListTest, OwnedObjectsAreDeletedWithTheirItems) {
  int deleted = 0;
  {
    TStringList list(true);
    list.AddObject("a", new Tracked(&deleted));
    list.AddObject("b", new Tracked(&deleted));
    list.AddObject("c", new Tracked(&deleted));
    list.Delete(0);
    EXPECT_EQ(deleted, 1);
    list.PutObject(0, new Tracked(&deleted));  // the replaced one goes
    EXPECT_EQ(deleted, 2);
    list.Move(0, 1);  // moving is no deleting
    list.Exchange(0, 1);
    EXPECT_EQ(deleted, 2);
  }
  EXPECT_EQ(deleted, 4);
}

// A list that watches lines come in, as the editor's line store does.
class TCountingList : public TStringList {
public:
  int Add(const std::string& s) override {
    ++Added;
    return TStringList::Add(s);
  }
  void Insert(int i, const std::string& s) override {
    ++Inserted;
    TStringList::Insert(i, s);
  }
  void LoadQuietly(const std::string& text) { LoadTextLines(text); }
  int Added = 0;
  int Inserted = 0;
};

TEST(StringListTest, SubclassesSeeEveryLineThroughAddAndInsert) {
  TCountingList list;
  list.SetText("a\nb\nc");
  EXPECT_EQ(list.Added, 3);
  list.AddObject("d", IntToObj(4));
  EXPECT_EQ(list.Added, 4);
  EXPECT_EQ(ObjToInt(list.GetObject(3)), 4);
  list.InsertObject(0, "z", IntToObj(9));
  EXPECT_EQ(list.Inserted, 1);
  EXPECT_EQ(ObjToInt(list.GetObject(0)), 9);
  TStringList other;
  other.SetText("x\ny");
  list.AddStrings(&other);
  EXPECT_EQ(list.Added, 6);
  TMemoryStream stream;
  stream.WriteBuffer("1\r\n2\r\n", 6);
  stream.SetPosition(0);
  list.LoadFromStream(stream);
  EXPECT_EQ(list.Added, 8);
  EXPECT_EQ(Items(list), (Lines{"1", "2"}));
  list.LoadQuietly("p\nq\nr\n");  // the direct way, for big loads
  EXPECT_EQ(list.Added, 8);
  EXPECT_EQ(Items(list), (Lines{"p", "q", "r"}));
}

TEST(StringListTest, AssignFromSomethingElseFails) {
  TStringList list;
  TComponent component(nullptr);
  try {
    list.Assign(&component);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TComponent to a TStringList");
  }
}

TEST(StringListTest, StreamsAndFilesRoundTrip) {
  TStringList list;
  list.SetText("first\r\nsecond\nthird");
  TMemoryStream stream;
  stream.WriteBuffer("xx", 2);  // saving writes at the position
  list.SaveToStream(stream);
  EXPECT_EQ(stream.GetSize(), 2 + 22);
  stream.SetPosition(2);
  TStringList back;
  back.LoadFromStream(stream);  // loading reads from the position on
  EXPECT_EQ(Items(back), (Lines{"first", "second", "third"}));

  std::string name = ::testing::TempDir() + "stringlist_test_file.txt";
  list.SaveToFile(name);
  TStringList fromFile;
  fromFile.LoadFromFile(name);
  EXPECT_TRUE(fromFile.Equals(&list));
  {
    TFileStream raw(name, fmOpenRead);
    EXPECT_EQ(raw.ReadRemaining(), "first\r\nsecond\r\nthird\r\n");
  }
  ASSERT_TRUE(FileDelete(name));

  EXPECT_THROW(fromFile.LoadFromFile(name), EFOpenError);
  EXPECT_EQ(fromFile.GetCount(), 3);  // a failed load leaves the list alone
}

// A list that brings its own storage and does not implement GetView: the
// base class's services must work through the virtual accessors alone.
class TVectorStrings : public TStrings {
public:
  int GetCount() const override { return static_cast<int>(FItems.size()); }
  std::string Get(int i) const override { return FItems.at(static_cast<size_t>(i)); }
  TObject* GetObject(int) const override { return nullptr; }
  void Put(int i, const std::string& s) override { FItems.at(static_cast<size_t>(i)) = s; }
  void PutObject(int, TObject*) override {}
  void Insert(int i, const std::string& s) override { FItems.insert(FItems.begin() + i, s); }
  void Delete(int i) override { FItems.erase(FItems.begin() + i); }
  void Clear() override { FItems.clear(); }
  std::vector<std::string> FItems;
};

TEST(StringsTest, BaseServicesWorkOverAnyStorage) {
  TVectorStrings v;
  v.SetText("k1=v1\r\nK2=v2\r\n");
  EXPECT_EQ(v.FItems, (Lines{"k1=v1", "K2=v2"}));
  EXPECT_EQ(v.GetValue("k2"), "v2");
  EXPECT_EQ(v.IndexOf("K1=V1"), 0);
  EXPECT_EQ(v.GetText(), "k1=v1\r\nK2=v2\r\n");
  v.Move(1, 0);
  EXPECT_EQ(v.FItems, (Lines{"K2=v2", "k1=v1"}));
  EXPECT_THROW(v.GetView(0), EAbstractError);
  TStringList copy;
  copy.Assign(&v);
  v.Clear();
  v.Assign(&copy);
  EXPECT_EQ(v.FItems, (Lines{"K2=v2", "k1=v1"}));
}

}  // namespace
