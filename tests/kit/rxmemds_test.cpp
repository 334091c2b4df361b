// The in-memory table: records, identifiers, sorting, locate, blobs and the
// record layout.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "kit/RxMemDS.h"

namespace {

// A table of names and numbers, opened, with rows appended in order.
struct Table {
  TRxMemoryData t{nullptr};
  Table() {
    t.GetFieldDefs().Add("Name", ftString, 20);
    t.GetFieldDefs().Add("N", ftInteger);
    t.Open();
  }
  void Add(const std::string& name, int n) {
    t.Append();
    t.FieldByName("Name")->SetAsString(name);
    t.FieldByName("N")->SetAsInteger(n);
    t.Post();
  }
  // The N column from first to last.
  std::vector<int> Ns() {
    std::vector<int> out;
    for (t.First(); !t.GetEof(); t.Next()) out.push_back(t.FieldByName("N")->GetAsInteger());
    return out;
  }
  std::vector<std::string> Names() {
    std::vector<std::string> out;
    for (t.First(); !t.GetEof(); t.Next()) out.push_back(t.FieldByName("Name")->GetAsString());
    return out;
  }
};

TEST(MemoryTableTest, EdgeCases) {
  struct Case {
    const char* name;
    std::function<void()> run;
  };
  const Case cases[] = {
      {"first identifier, and again after EmptyTable",
       [] {
         Table a;
         a.Add("x", 1);
         a.Add("y", 2);
         EXPECT_EQ(a.t.GetRecord(0)->GetID(), -2147483647);
         EXPECT_EQ(a.t.GetRecord(1)->GetID(), -2147483646);
         a.t.EmptyTable();
         EXPECT_EQ(a.t.GetRecordCount(), 0);
         EXPECT_TRUE(a.t.IsEmpty());
         a.Add("z", 3);
         EXPECT_EQ(a.t.GetRecord(0)->GetID(), -2147483647);
       }},
      {"insert into an empty table lands at index 0, insert goes before the current record",
       [] {
         Table a;
         a.t.Insert();
         a.t.FieldByName("N")->SetAsInteger(1);
         a.t.Post();
         EXPECT_EQ(a.t.GetRecNo(), 1);
         a.Add("", 3);
         a.t.First();
         a.t.Next();  // on 3
         a.t.Insert();
         a.t.FieldByName("N")->SetAsInteger(2);
         a.t.Post();
         EXPECT_EQ(a.t.GetRecNo(), 2);
         EXPECT_EQ(a.Ns(), (std::vector<int>{1, 2, 3}));
       }},
      {"equal sort keys keep creation order, reversed when descending",
       [] {
         Table a;
         for (int i = 1; i <= 4; ++i) a.Add("same", i);
         a.t.SortOnFields("Name");
         EXPECT_EQ(a.Ns(), (std::vector<int>{1, 2, 3, 4}));
         a.t.SortOnFields("Name", false, true);
         EXPECT_EQ(a.Ns(), (std::vector<int>{4, 3, 2, 1}));
       }},
      {"an empty string reads as null and sorts before any text (after it descending)",
       [] {
         Table a;
         a.Add("b", 1);
         a.Add("", 2);
         a.Add("a", 3);
         a.t.First();
         a.t.Next();
         EXPECT_TRUE(a.t.FieldByName("Name")->IsNull());
         EXPECT_FALSE(a.t.FieldByName("N")->IsNull());
         a.t.SortOnFields("Name");
         EXPECT_EQ(a.Ns(), (std::vector<int>{2, 3, 1}));
         a.t.SortOnFields("Name", false, true);
         EXPECT_EQ(a.Ns(), (std::vector<int>{1, 3, 2}));
       }},
      {"sorting on a missing field fails and leaves no sort fields",
       [] {
         Table a;
         a.Add("b", 1);
         a.t.SortOnFields("N");
         EXPECT_TRUE(a.t.GetIsIndexField(a.t.FieldByName("N")));
         try {
           a.t.SortOnFields("N;Nope");
           ADD_FAILURE() << "no error";
         } catch (const EDatabaseError& e) {
           EXPECT_STREQ(e.what(), "Field 'Nope' not found");
         }
         EXPECT_FALSE(a.t.GetIsIndexField(a.t.FieldByName("N")));
       }},
      {"partial-key locate matches upper case only without case",
       [] {
         Table a;
         a.Add("xyz", 1);
         a.Add("ABCD", 2);
         a.t.First();
         EXPECT_FALSE(a.t.Locate("Name", {std::string("ab")}, loPartialKey));
         EXPECT_EQ(a.t.FieldByName("N")->GetAsInteger(), 1);  // back where it was
         EXPECT_TRUE(a.t.Locate("Name", {std::string("ab")}, loPartialKey | loCaseInsensitive));
         EXPECT_EQ(a.t.FieldByName("N")->GetAsInteger(), 2);
         EXPECT_FALSE(a.t.Locate("Name", {std::string("ab")}, loCaseInsensitive));
         EXPECT_TRUE(a.t.Locate("Name;N", {std::string("xyz"), int64_t{1}}, 0));
         EXPECT_EQ(a.t.GetRecNo(), 1);
         EXPECT_TRUE(a.t.Locate("N", {2.0}, 0));  // numbers compare by value
         EXPECT_EQ(a.t.GetRecNo(), 2);
       }},
      {"a move past either end of a one-record table sets only that end; the table is not empty",
       [] {
         Table a;
         a.Add("only", 1);
         a.t.First();
         a.t.Next();
         EXPECT_TRUE(a.t.GetEof());
         EXPECT_FALSE(a.t.GetBof());
         EXPECT_FALSE(a.t.IsEmpty());
         EXPECT_TRUE(a.t.Locate("Name", {std::string("only")}, 0));
         a.t.Last();
         a.t.Prior();
         EXPECT_TRUE(a.t.GetBof());
         EXPECT_FALSE(a.t.GetEof());
         EXPECT_FALSE(a.t.IsEmpty());
         EXPECT_EQ(a.t.FieldByName("N")->GetAsInteger(), 1);
         a.t.Delete();
         EXPECT_EQ(a.t.GetRecordCount(), 0);
         EXPECT_TRUE(a.t.IsEmpty());
       }},
      {"record number of an empty table is 0 and ignores settings out of range",
       [] {
         Table a;
         EXPECT_EQ(a.t.GetRecNo(), 0);
         a.t.SetRecNo(0);
         a.t.SetRecNo(1);
         EXPECT_EQ(a.t.GetRecNo(), 0);
         a.Add("a", 1);
         a.Add("b", 2);
         a.t.SetRecNo(3);
         EXPECT_EQ(a.t.GetRecNo(), 2);
         a.t.SetRecNo(1);
         EXPECT_EQ(a.t.FieldByName("N")->GetAsInteger(), 1);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.run();
  }
}

TEST(MemoryTableTest, EditCancelDeleteAndBookmarks) {
  Table a;
  for (int i = 1; i <= 4; ++i) a.Add("r" + std::to_string(i), i);
  a.t.First();
  a.t.Next();
  const TBookmark second = a.t.GetBookmark();
  a.t.Edit();
  a.t.FieldByName("Name")->SetAsString("changed");
  a.t.Cancel();
  EXPECT_EQ(a.t.FieldByName("Name")->GetAsString(), "r2");
  a.t.Edit();
  a.t.FieldByName("Name")->SetAsString("posted");
  a.t.Last();  // browsing posts a modified edit
  EXPECT_EQ(a.Names(), (std::vector<std::string>{"r1", "posted", "r3", "r4"}));

  a.t.GotoBookmark(second);
  EXPECT_EQ(a.t.FieldByName("N")->GetAsInteger(), 2);
  a.t.Last();
  const TBookmark last = a.t.GetBookmark();
  EXPECT_EQ(a.t.CompareBookmarks(second, last), -1);
  EXPECT_EQ(a.t.CompareBookmarks(last, TBookmark()), 1);
  EXPECT_EQ(a.t.CompareBookmarks(TBookmark(), TBookmark()), 0);
  a.t.Delete();  // the last record: the cursor steps back
  EXPECT_EQ(a.t.FieldByName("N")->GetAsInteger(), 3);
  EXPECT_EQ(a.t.GetRecordCount(), 3);
  EXPECT_TRUE(a.t.BookmarkValid(second));
  a.t.Append();
  a.t.Cancel();
  EXPECT_EQ(a.t.GetRecordCount(), 3);

  a.t.Close();
  EXPECT_THROW(a.t.First(), EDatabaseError);
  EXPECT_FALSE(a.t.BookmarkValid(second));
}

TEST(MemoryTableTest, WritesOutsideEditingFailAndStringsStayInTheirBlock) {
  Table a;
  a.Add("x", 1);
  a.t.First();
  try {
    a.t.FieldByName("Name")->SetAsString("y");
    ADD_FAILURE() << "no error";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Dataset not in edit or insert mode");
  }
  a.t.Edit();
  a.t.FieldByName("Name")->SetAsString(std::string(100, 'w'));  // the field holds 20
  a.t.FieldByName("N")->SetAsInteger(7);
  a.t.Post();
  EXPECT_EQ(a.t.FieldByName("Name")->GetAsString(), std::string(20, 'w'));
  EXPECT_EQ(a.t.FieldByName("N")->GetAsInteger(), 7);
  a.t.FieldByName("N")->SetReadOnly(true);
  a.t.Edit();
  try {
    a.t.FieldByName("N")->SetAsInteger(8);
    ADD_FAILURE() << "no error";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'N' cannot be modified");
  }
}

TEST(MemoryTableTest, SortsEveryKindInItsOwnOrder) {
  TRxMemoryData t(nullptr);
  t.GetFieldDefs().Add("S", ftString, 10);
  t.GetFieldDefs().Add("Big", ftLargeint);
  t.GetFieldDefs().Add("W", ftWord);
  t.GetFieldDefs().Add("F", ftFloat);
  t.GetFieldDefs().Add("Raw", ftBytes, 4);
  t.Open();
  struct Row {
    const char* s;
    int64_t big;
    int w;
    double f;
  } rows[] = {{"b", 3221225472LL, 65535, -1.5}, {"B", 2147483648LL, 1, 2.0}, {"a", -5, 300, 0.0}};
  for (const Row& r : rows) {
    t.Append();
    t.FieldByName("S")->SetAsString(r.s);
    t.FieldByName("Big")->SetAsLargeInt(r.big);
    t.FieldByName("W")->SetAsInteger(r.w);
    t.FieldByName("F")->SetAsFloat(r.f);
    t.FieldByName("Raw")->SetAsBytes(std::string("\x01\x00\x02\x00", 4));
    t.Post();
  }
  auto order = [&](const char* field, bool ci = false, bool desc = false) {
    t.SortOnFields(field, ci, desc);
    std::string s;
    for (t.First(); !t.GetEof(); t.Next()) s += t.FieldByName("S")->GetAsString();
    return s;
  };
  EXPECT_EQ(order("Big"), "aBb");  // 64-bit: 3 GiB after 2 GiB, nothing negative
  EXPECT_EQ(order("W"), "Bab");    // unsigned 16-bit
  EXPECT_EQ(order("F"), "baB");
  EXPECT_EQ(order("S", true), "abB");  // b and B tie; creation order
  EXPECT_EQ(order("S", true, true), "Bba");
  EXPECT_EQ(order("Raw"), "bBa");  // raw bytes do not order
  t.First();
  EXPECT_EQ(t.FieldByName("Raw")->GetAsBytes(), std::string("\x01\x00\x02\x00", 4));
  EXPECT_EQ(t.FieldByName("Big")->GetAsString(), "3221225472");
  EXPECT_THROW(t.SortOnFields("Nope"), EDatabaseError);
}

TEST(MemoryTableTest, CalculatedFieldsAndFilter) {
  TRxMemoryData t(nullptr);
  t.AddField("N", ftInteger);
  TField* twice = t.AddField("Twice", ftInteger, 0, fkCalculated);
  int calcRuns = 0;
  t.OnCalcFields = [&](TDataSet& ds) {
    ++calcRuns;
    if (!ds.FieldByName("N")->IsNull()) twice->SetAsInteger(ds.FieldByName("N")->GetAsInteger() * 2);
  };
  t.Open();
  for (int i = 1; i <= 5; ++i) {
    t.Append();
    t.FieldByName("N")->SetAsInteger(i);
    EXPECT_EQ(twice->GetAsInteger(), 2 * i);  // recalculated while editing
    t.Post();
  }
  EXPECT_GT(calcRuns, 0);
  t.SetOnFilterRecord([](TDataSet& ds, bool& accept) { accept = ds.FieldByName("N")->GetAsInteger() % 2 == 1; });
  t.SetFiltered(true);
  std::vector<int> seen;
  for (t.First(); !t.GetEof(); t.Next()) seen.push_back(twice->GetAsInteger());
  EXPECT_EQ(seen, (std::vector<int>{2, 6, 10}));
  t.Last();
  t.Delete();  // 5 goes; the cursor falls back to the last accepted record
  EXPECT_EQ(t.FieldByName("N")->GetAsInteger(), 3);
  // A calculated field cannot be sorted on.
  EXPECT_THROW(t.SortOnFields("Twice"), EDatabaseError);

  TRxMemoryData bad(nullptr);
  bad.AddField("X", ftCursor);
  try {
    bad.Open();
    ADD_FAILURE() << "no error";
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'X' is of an unknown type");
  }
  EXPECT_FALSE(bad.GetActive());
}

TEST(MemoryTableTest, BlobEditsStayInTheBufferUntilPost) {
  TRxMemoryData t(nullptr);
  t.GetFieldDefs().Add("Memo", ftMemo);
  t.Open();
  TField* memo = t.FieldByName("Memo");
  {
    // No record: nothing to read, nothing opened.
    auto s = t.CreateBlobStream(memo, bmRead);
    EXPECT_EQ(s->GetSize(), 0);
    char c;
    EXPECT_EQ(s->Read(&c, 1), 0);
  }
  t.Append();
  memo->SetAsString("stored");
  t.Post();
  t.Edit();
  memo->SetAsString("edited");
  EXPECT_EQ(memo->GetAsString(), "edited");
  EXPECT_EQ(t.GetRecord(0)->Blobs[0], "stored");  // the record is untouched before Post
  t.Cancel();
  EXPECT_EQ(memo->GetAsString(), "stored");
  t.Edit();
  {
    auto s = t.CreateBlobStream(memo, bmReadWrite);
    EXPECT_EQ(s->Seek(2, soEnd), 8);  // past the end is allowed
    char buf[4];
    EXPECT_EQ(s->Read(buf, 4), 0);
    s->WriteBuffer("!", 1);  // the gap fills with zeros
    EXPECT_EQ(s->GetSize(), 9);
    EXPECT_EQ(s->Seek(-20, soCurrent), -11);
    EXPECT_EQ(s->Read(buf, 4), 0);
    EXPECT_EQ(s->Write("x", 1), 0);
    s->SetPosition(0);
    EXPECT_EQ(s->Read(buf, 4), 4);
    EXPECT_EQ(std::string(buf, 4), "stor");
  }
  t.Post();
  EXPECT_EQ(t.GetRecord(0)->Blobs[0], std::string("stored\0\0!", 9));
  // Writing needs an edit; write mode empties the buffer's copy at once.
  EXPECT_THROW(t.CreateBlobStream(memo, bmWrite), EDatabaseError);
  t.Edit();
  EXPECT_EQ(t.CreateBlobStream(memo, bmWrite)->GetSize(), 0);
  EXPECT_TRUE(memo->IsNull());
  t.Cancel();
  EXPECT_EQ(memo->GetAsString().size(), 9u);
}

TEST(MemoryTableTest, LayoutPast64KiBKeepsFieldsApart) {
  TRxMemoryData t(nullptr);
  t.GetFieldDefs().Add("A", ftString, 40000);
  t.GetFieldDefs().Add("B", ftString, 40000);
  t.GetFieldDefs().Add("C", ftInteger);
  t.Open();
  EXPECT_EQ(t.GetRecordSize(), 40001u + 1 + 40001 + 1 + 5);
  EXPECT_EQ(t.GetFieldOffset(t.FieldByName("C")), 80004u);
  t.Append();
  t.FieldByName("A")->SetAsString(std::string(40000, 'a'));
  t.FieldByName("B")->SetAsString(std::string(40000, 'b'));
  t.FieldByName("C")->SetAsInteger(12345);
  t.Post();
  EXPECT_EQ(t.FieldByName("A")->GetAsString(), std::string(40000, 'a'));
  EXPECT_EQ(t.FieldByName("B")->GetAsString(), std::string(40000, 'b'));
  EXPECT_EQ(t.FieldByName("C")->GetAsInteger(), 12345);
}

TEST(MemoryTableTest, AutoIncrementAndEvents) {
  TRxMemoryData t(nullptr);
  t.GetFieldDefs().Add("Id", ftAutoInc);
  t.GetFieldDefs().Add("V", ftString, 5);
  std::string log;
  t.BeforeInsert = [&](TDataSet&) { log += "i"; };
  t.BeforePost = [&](TDataSet&) { log += "p"; };
  t.AfterCancel = [&](TDataSet&) { log += "c"; };
  t.BeforeDelete = [&](TDataSet&) { log += "d"; };
  t.Open();
  for (const char* v : {"a", "b"}) {
    t.Append();
    t.FieldByName("V")->SetAsString(v);
    t.Post();
  }
  t.Append();
  t.Cancel();
  t.Delete();
  EXPECT_EQ(log, "ipipicd");
  t.First();
  EXPECT_EQ(t.FieldByName("Id")->GetAsInteger(), 1);
  t.DisableControls();
  t.DisableControls();
  t.EnableControls();
  EXPECT_TRUE(t.ControlsDisabled());
  t.EnableControls();
  EXPECT_FALSE(t.ControlsDisabled());
}

}  // namespace
