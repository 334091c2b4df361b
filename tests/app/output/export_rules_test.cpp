// The export commands' checks: which highlighters can export, and which
// target names are an open document's own file.
#include <gtest/gtest.h>

#include "app/output/ExportRules.h"
#include "highlighters/MultiSyn.h"
#include "highlighters/PasSyn.h"
#include "platform/SysUtils.h"

namespace {

TEST(ExportRules, OnlyExportingHighlightersPass) {
  TktPasSyn pascal(nullptr);
  TrvMultiSyn multi(nullptr);
  EXPECT_NO_THROW(CheckExportable(&pascal));
  EXPECT_THROW(CheckExportable(&multi), EAbstractError);
  EXPECT_THROW(CheckExportable(nullptr), EAbstractError);
}

TEST(ExportRules, OpenDocumentFilesAreFoundWithoutCase) {
  const std::vector<std::string> open{"C:\\Work\\Page.html", "", "\\\\srv\\share\\a.pas"};
  const struct {
    const char* Target;
    bool Open;
  } cases[] = {
      {"C:\\Work\\Page.html", true},
      {"c:\\WORK\\page.HTML", true},
      {"C:/Work/Page.html", true},
      {"C:\\Work\\.\\sub\\..\\Page.html", true},
      {"C:\\Work\\\\Page.html", true},
      {"C:\\Work\\Page.html.htm", false},
      {"C:\\Other\\Page.html", false},
      {"D:\\Work\\Page.html", false},
      {"\\\\SRV\\Share\\A.pas", true},
      {"\\srv\\share\\a.pas", false},
      {"", false},  // an unnamed document is no file
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Target);
    EXPECT_EQ(IsOpenDocumentFile(c.Target, open), c.Open);
  }
  // ".." never climbs above the drive.
  EXPECT_EQ(NormalizedPath("C:\\..\\..\\a"), "c:\\a");
}

}  // namespace
