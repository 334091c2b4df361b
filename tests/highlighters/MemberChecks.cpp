// MemberChecks: golden files, identity, keyword data and export checks of
// the family members' tests.
#include "MemberChecks.h"

#include <gtest/gtest.h>

#include <cctype>

#include "platform/TypInfo.h"

void ExpectGoldenFiles(const THighlighterFactory& factory, const std::string& language,
                       const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const TGoldenFile golden =
        ReadGoldenFile(std::string(TQ_TEST_SOURCE_DIR) + "/golden/" + language + "/" + name);
    ASSERT_FALSE(golden.Lines.empty());
    EXPECT_EQ(CheckGolden(factory, golden), "");
  }
}

void ExpectNoFaults(const std::vector<std::string>& faults) {
  EXPECT_TRUE(faults.empty()) << faults.size() << " faults, first: " << faults.front();
}

void ExpectIdentity(TktCustomHighLighter& hl, const TMemberIdentity& id) {
  EXPECT_EQ(hl.GetLanguageName(), id.Language);
  EXPECT_EQ(hl.GetDefaultFilter(), id.Filter);
  EXPECT_EQ(hl.GetCapability(), id.Capability);
  std::vector<std::pair<std::string, std::string>> published;
  for (const TPropInfo* p : GetPropList(&hl)) {
    if (p->Kind != tkClass) continue;
    auto* attr = dynamic_cast<TktHighLightAttributes*>(GetObjectProp(&hl, *p));
    if (attr) published.emplace_back(p->Name, attr->GetName());
  }
  EXPECT_EQ(published, id.Attributes);
  EXPECT_EQ(hl.GetAttribCount(), static_cast<int>(id.Attributes.size()));
  for (int i = 0; i < hl.GetAttribCount(); ++i) {
    TktHighLightAttributes* attr = hl.GetAttribute(i);
    SCOPED_TRACE(attr->GetName());
    EXPECT_EQ(attr->GetForeground(), clNone);
    EXPECT_EQ(attr->GetBackground(), clNone);
    EXPECT_TRUE(attr->GetStyle().Empty());
  }
  for (size_t i = 0; i < id.Defaults.size(); ++i) {
    TktHighLightAttributes* attr = hl.GetDefaultAttribute(static_cast<int>(i));
    ASSERT_NE(attr, nullptr) << i;
    EXPECT_EQ(attr->GetName(), id.Defaults[i]);
  }
  EXPECT_EQ(hl.GetDefaultAttribute(static_cast<int>(id.Defaults.size())), nullptr);
  hl.ResetRange();
  EXPECT_EQ(hl.GetRange(), id.ResetRange);
  std::string ident;
  const TktCharSet set = hl.GetIdentChars();
  for (int c = 0; c < 256; ++c)
    if (set.Contains(static_cast<char>(c))) ident += static_cast<char>(c);
  EXPECT_EQ(ident, id.IdentChars);
  bool registered = false;
  for (TktHighlighterClass cls : HighlighterList()) {
    std::unique_ptr<TktCustomHighLighter> other(cls(nullptr));
    registered |= other->GetLanguageName() == id.Language;
  }
  EXPECT_TRUE(registered);
}

void ExpectKeywordTable(const TKeywordTable& table, int tableSize,
                        const std::vector<std::string>& words,
                        const std::function<int(const std::string&)>& hash) {
  EXPECT_EQ(table.TableSize(), tableSize);
  EXPECT_EQ(CheckKeywordData(table, words), std::vector<std::string>());
  for (const std::string& w : words) EXPECT_EQ(table.HashOf(w), hash(w)) << w;
}

int LetterSum(const std::string& word) {
  int h = 0;
  for (char c : word) {
    if (std::isalpha(static_cast<unsigned char>(c)))
      h += std::tolower(static_cast<unsigned char>(c)) - 'a' + 1;
    else if (c == '_')
      h += 31;
  }
  return h;
}

int KindOfWhole(TktCustomHighLighter& hl, const std::string& text, TktRange range) {
  hl.SetRange(range);
  hl.SetLine(text, 1);
  if (hl.GetToken() != text) return -1;
  return hl.GetTokenKind();
}

void ExpectExport(TktCustomHighLighter& hl, const std::string& line,
                  std::vector<TExpectedCall> want) {
  want.push_back({"", nullptr, false, false});
  EXPECT_EQ(CheckExportCalls(hl, line, want), "") << QuoteText(line);
}
