// The recent-files list the Reopen menus show and the "Opened" record.
#include "app/documents/Session.h"

#include <gtest/gtest.h>

#include "../AppRegistryKey.h"
#include "kit/RxMemDS.h"
#include "platform/Registry.h"

namespace {

struct Session : TAppKeyCase {
  TRxMemoryData fileList{nullptr};
  Session() {
    DefineFileListFields(fileList);
    fileList.Open();
  }
};

TEST_F(Session, ReopenListsTheNewestUpToTheLimitAndDropsBadStamps) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key + "\\Documents", true));
  for (int i = 0; i < 25; ++i) {
    const double when = 45000.0 + (i * 7) % 25;  // out of order
    reg.WriteBinaryData("C:\\f" + std::to_string(i) + ".txt", &when, int(sizeof when));
  }
  reg.WriteString("C:\\bad.txt", "yesterday");
  const int shortStamp = 3;
  reg.WriteBinaryData("C:\\short.txt", &shortStamp, int(sizeof shortStamp));
  const std::vector<std::string> list = ReadReopenList(fileList, 10);
  ASSERT_EQ(list.size(), 10u);
  EXPECT_EQ(list[0], "C:\\f7.txt");  // 7 * 7 % 25 = 24, the newest
  EXPECT_EQ(list[1], "C:\\f14.txt");  // 98 % 25 = 23
  EXPECT_FALSE(reg.ValueExists("C:\\bad.txt"));
  EXPECT_FALSE(reg.ValueExists("C:\\short.txt"));
  EXPECT_TRUE(ReadReopenList(fileList, 0).empty());
  EXPECT_EQ(ReadReopenList(fileList, 100).size(), 25u);
  EXPECT_EQ(fileList.GetRecordCount(), 0);  // the table is a sorting place only
}

TEST_F(Session, ReopenListKeepsLongPathsWholeAndPutsTheLaterOfEqualStampsFirst) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(Key + "\\Documents", true));
  const std::string longPath = "C:\\" + std::string(300, 'd') + "\\deep.txt";
  const double same = 45000.5, older = 44000.0;
  reg.WriteBinaryData("C:\\first.txt", &same, int(sizeof same));
  reg.WriteBinaryData(longPath, &older, int(sizeof older));
  reg.WriteBinaryData("C:\\second.txt", &same, int(sizeof same));
  TStringList names;
  reg.GetValueNames(&names);
  ASSERT_EQ(names.GetCount(), 3);
  // Equal stamps: the one the registry lists later comes first, as the
  // descending sort turns the reading order round.
  const bool firstListedFirst = names.IndexOf("C:\\first.txt") < names.IndexOf("C:\\second.txt");
  const std::vector<std::string> expected = firstListedFirst
      ? std::vector<std::string>{"C:\\second.txt", "C:\\first.txt", longPath}
      : std::vector<std::string>{"C:\\first.txt", "C:\\second.txt", longPath};
  EXPECT_EQ(ReadReopenList(fileList, 10), expected);
}

TEST_F(Session, OpenedIsReplacedWhole) {
  WriteOpenedDocuments({"C:\\a.txt", "C:\\b.txt"});
  WriteOpenedDocuments({"C:\\c.txt"});
  EXPECT_EQ(ReadOpenedDocuments(), std::vector<std::string>{"C:\\c.txt"});
}

}  // namespace
