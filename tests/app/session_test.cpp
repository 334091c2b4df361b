// The recent-files list the Reopen menus show and the "Opened" record.
#include "app/Session.h"

#include <gtest/gtest.h>

#include "AppRegistryKey.h"
#include "platform/Registry.h"

namespace {

using Session = TAppKeyCase;

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
  const std::vector<std::string> list = ReadReopenList(10);
  ASSERT_EQ(list.size(), 10u);
  EXPECT_EQ(list[0], "C:\\f7.txt");  // 7 * 7 % 25 = 24, the newest
  EXPECT_EQ(list[1], "C:\\f14.txt");  // 98 % 25 = 23
  EXPECT_FALSE(reg.ValueExists("C:\\bad.txt"));
  EXPECT_FALSE(reg.ValueExists("C:\\short.txt"));
  EXPECT_TRUE(ReadReopenList(0).empty());
  EXPECT_EQ(ReadReopenList(100).size(), 25u);
}

TEST_F(Session, OpenedIsReplacedWhole) {
  WriteOpenedDocuments({"C:\\a.txt", "C:\\b.txt"});
  WriteOpenedDocuments({"C:\\c.txt"});
  EXPECT_EQ(ReadOpenedDocuments(), std::vector<std::string>{"C:\\c.txt"});
}

}  // namespace
