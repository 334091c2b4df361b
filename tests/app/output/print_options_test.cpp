// The print command's options from the dialog's values: title, header and
// footer lines with their alignment, the generated line, custom memos,
// units, colours, highlighting, copies and the printer font.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/output/PrintOptions.h"

namespace {

// "text@alignment" per line.
std::vector<std::string> Lines(const TStringList& list) {
  std::vector<std::string> out;
  for (int i = 0; i < list.GetCount(); ++i)
    out.push_back(list.Get(i) + "@" + std::to_string(ObjToInt(list.GetObject(i))));
  return out;
}

std::string TestComputer() { return "BOX7"; }

class PrintOptionsCase : public ::testing::Test {
protected:
  PrintOptionsCase() { FPrevious = SetComputerNameSource(&TestComputer); }
  ~PrintOptionsCase() override { SetComputerNameSource(FPrevious); }
  TktPrintOptions Build() { return BuildPrintOptions(Values, Doc); }
  TPrintDialogValues Values;
  TPrintDocumentInfo Doc{"C:\\w\\a.pas", true, {}};

private:
  TComputerNameSource FPrevious;
};

using L = std::vector<std::string>;

TEST(PrintAlignment, ItemsMapByMeaning) {
  // Items: "Right Alignment", "Left Alignment", "Center Alignment".
  EXPECT_EQ(PrintAlignmentOfItem(0), kPrintAlignRight);
  EXPECT_EQ(PrintAlignmentOfItem(1), kPrintAlignLeft);
  EXPECT_EQ(PrintAlignmentOfItem(2), kPrintAlignCenter);
  EXPECT_EQ(PrintAlignmentOfItem(-1), kPrintAlignLeft);
  EXPECT_EQ(PrintAlignmentOfItem(3), kPrintAlignLeft);
}

TEST_F(PrintOptionsCase, DialogDefaultsGiveTheFileNameTitleAtTopRight) {
  const TktPrintOptions o = Build();
  EXPECT_EQ(Lines(o.Header), (L{"$title$@1"}));
  EXPECT_EQ(Lines(o.Footer), L{});
  EXPECT_EQ(o.Title, "C:\\w\\a.pas");
  EXPECT_EQ(o.MarginUnits, kmuMillimetres);
  EXPECT_EQ(o.Margins, TRect(20, 20, 20, 20));
  EXPECT_FALSE(o.SelectedOnly);
  EXPECT_FALSE(o.Highlighted);
  EXPECT_FALSE(o.Monochrome);
  EXPECT_EQ(o.Copies, 1);
}

TEST_F(PrintOptionsCase, TitleTextPlaceAndAlignment) {
  const struct {
    bool IsTitle, FileName;
    int V, H;
    L Header, Footer;
    const char* Title;
  } cases[] = {
      {true, true, 0, 2, {"$title$@2"}, {}, "C:\\w\\a.pas"},
      {true, false, 0, 1, {"File: hello@0"}, {}, "C:\\w\\a.pas"},
      {true, true, 1, 0, {}, {"$title$@1"}, "C:\\w\\a.pas"},
      {true, false, 5, -1, {}, {"File: hello@0"}, "C:\\w\\a.pas"},
      {false, true, 0, 0, {}, {}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Title) + " V" + std::to_string(c.V) + " H" + std::to_string(c.H));
    Values.IsTitle = c.IsTitle;
    Values.TitleFileName = c.FileName;
    Values.TitleMessage = "hello";
    Values.TitleV = c.V;
    Values.TitleH = c.H;
    const TktPrintOptions o = Build();
    EXPECT_EQ(Lines(o.Header), c.Header);
    EXPECT_EQ(Lines(o.Footer), c.Footer);
    EXPECT_EQ(o.Title, c.Title);
  }
}

TEST_F(PrintOptionsCase, GeneratedLinesAndMemosForHeaderAndFooter) {
  const struct {
    bool Enabled, Page, Date, Computer, Custom;
    L Expected;  // after the title line, which goes first into the header
  } cases[] = {
      {true, false, false, false, false, {}},
      {true, true, false, false, false, {"Page: $pagenum$@2"}},
      {true, false, true, false, false, {"Date: $time$ $date$@2"}},
      {true, false, false, true, false, {"BOX7@2"}},
      // Only one generated line: computer name over date over page.
      {true, true, true, false, false, {"Date: $time$ $date$@2"}},
      {true, true, true, true, false, {"BOX7@2"}},
      {false, true, true, true, false, {}},
  };
  for (const bool header : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(header ? "header " : "footer ") + std::to_string(&c - cases));
      Values = TPrintDialogValues();
      Values.TitleV = header ? 0 : 1;
      TPrintLinesValues& v = header ? Values.Header : Values.Footer;
      v = TPrintLinesValues{c.Enabled, c.Page, c.Date, c.Computer, c.Custom, {}, 2};
      const TktPrintOptions o = Build();
      L expected{"$title$@1"};
      expected.insert(expected.end(), c.Expected.begin(), c.Expected.end());
      EXPECT_EQ(Lines(header ? o.Header : o.Footer), expected);
    }
  }
}

TEST_F(PrintOptionsCase, CustomMemoReplacesTitleAndGeneratedLine) {
  Values.Header = TPrintLinesValues{true, true, false, false, true, {"first $pagenum$", "", "third"}, 0};
  Values.Footer = TPrintLinesValues{true, false, false, true, true, {}, 1};
  Values.TitleV = 1;
  const TktPrintOptions o = Build();
  EXPECT_EQ(Lines(o.Header), (L{"first $pagenum$@1", "@1", "third@1"}));
  // An empty memo leaves the footer empty: the title is gone with it.
  EXPECT_EQ(Lines(o.Footer), L{});
  // A memo with the header switched off counts for nothing.
  Values.Header.Enabled = false;
  EXPECT_EQ(Lines(Build().Header), L{});
}

TEST_F(PrintOptionsCase, OtherOptions) {
  Values.SelectedOnly = true;
  Values.Highlighted = true;
  Values.IgnoreColors = true;
  Values.WrapLines = true;
  Values.Copies = 3;
  Values.LeftMargin = -5;
  Values.TopMargin = 7;
  Values.RightMargin = 0;
  Values.BottomMargin = -1;
  TktPrintOptions o = Build();
  EXPECT_TRUE(o.SelectedOnly);
  EXPECT_TRUE(o.Highlighted);
  EXPECT_TRUE(o.Monochrome);
  EXPECT_TRUE(o.WrapLines);
  EXPECT_EQ(o.Copies, 3);
  EXPECT_EQ(o.Margins, TRect(0, 7, 0, 0));  // negative margins read as 0

  Doc.HasHighlighter = false;  // highlighting needs a highlighter
  EXPECT_FALSE(Build().Highlighted);

  const struct {
    TPrintUnits In;
    TktMarginUnits Out;
  } units[] = {{puMillimetres, kmuMillimetres}, {puPixels, kmuPixels},
               {puThousandthsOfInch, kmuThousandthsOfInch}};
  for (const auto& u : units) {
    Values.Units = u.In;
    EXPECT_EQ(Build().MarginUnits, u.Out);
  }
}

TEST(PrintFont, FixedSysPrintsAsCourierNew12) {
  TFontData font;
  font.Height = -20;
  font.Style = TFontStyles{fsBold};
  for (const char* name : {"FixedSys", "fixedsys", "FIXEDSYS"}) {
    font.Name = name;
    const TFontData f = PrintFontFor(font);
    EXPECT_EQ(f.Name, "Courier New");
    EXPECT_EQ(f.Height, FontSizeToHeight(12, 96));
    EXPECT_EQ(f.Style, font.Style);
  }
  font.Name = "Courier New";
  EXPECT_EQ(PrintFontFor(font).Height, -20);
  font.Name = "Fixedsys Excelsior";
  EXPECT_EQ(PrintFontFor(font).Name, "Fixedsys Excelsior");
}

}  // namespace
