// Gutter, selection colours and bookmark options; tab expansion and the
// character-set scans.
#include <gtest/gtest.h>

#include "editor/SupportClasses.h"
#include "editor/SupportProcs.h"

TEST(Gutter, SettersClampAndFireOnlyOnChange) {
  TktGutter g;
  int changes = 0;
  g.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &g);
    ++changes;
  };
  g.SetDigitCount(1);
  EXPECT_EQ(g.GetDigitCount(), 2);
  g.SetDigitCount(20);
  EXPECT_EQ(g.GetDigitCount(), 12);
  EXPECT_EQ(g.GetAutoSizeDigitCount(), 12);
  g.SetWidth(-5);
  EXPECT_EQ(g.GetWidth(), 0);
  g.SetLeftOffset(-1);
  g.SetRightOffset(-1);
  EXPECT_EQ(g.GetLeftOffset(), 0);
  EXPECT_EQ(g.GetRightOffset(), 0);
  EXPECT_EQ(changes, 5);
  g.SetWidth(-7);  // still 0: no change
  g.SetDigitCount(12);
  g.SetVisible(true);
  EXPECT_EQ(changes, 5);
}

TEST(Gutter, FormatsLineNumbers) {
  TktGutter g;
  EXPECT_EQ(g.FormatLineNumber(7), "   7");
  g.SetLeadingZeros(true);
  EXPECT_EQ(g.FormatLineNumber(7), "0007");
  g.SetZeroStart(true);
  EXPECT_EQ(g.FormatLineNumber(7), "0006");
  g.SetLeadingZeros(false);
  EXPECT_EQ(g.FormatLineNumber(7), "   6");
  EXPECT_EQ(g.FormatLineNumber(123456), "123455");  // wider than the field: not cut
}

TEST(Gutter, AutoSizeWidensTheNumberField) {
  TktGutter g;
  g.SetShowLineNumbers(true);
  g.SetAutoSize(true);
  int changes = 0;
  g.OnChange = [&](TObject*) { ++changes; };
  g.AutoSizeDigitCount(12345);
  EXPECT_EQ(g.GetAutoSizeDigitCount(), 5);
  EXPECT_EQ(changes, 1);
  g.AutoSizeDigitCount(12345);
  EXPECT_EQ(changes, 1);
  g.AutoSizeDigitCount(10);  // never below DigitCount
  EXPECT_EQ(g.GetAutoSizeDigitCount(), 4);
  g.SetZeroStart(true);
  g.AutoSizeDigitCount(10000);  // numbered 0..9999
  EXPECT_EQ(g.GetAutoSizeDigitCount(), 4);
  EXPECT_EQ(g.FormatLineNumber(10000), "9999");
  EXPECT_EQ(g.RealGutterWidth(8), 16 + 2 + 4 * 8 + 2);
  g.SetAutoSize(false);
  g.AutoSizeDigitCount(123456);
  EXPECT_EQ(g.GetAutoSizeDigitCount(), 4);
  g.SetShowLineNumbers(false);
  EXPECT_EQ(g.RealGutterWidth(8), 30);
  g.SetVisible(false);
  EXPECT_EQ(g.RealGutterWidth(8), 0);
}

TEST(Gutter, AssignCopiesTheSettingsAndFires) {
  TktGutter a, b;
  a.SetColor(clRed);
  a.SetShowLineNumbers(true);
  a.SetAutoSize(true);
  a.AutoSizeDigitCount(1234567);
  a.SetCursor(5);
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  b.Assign(&a);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(b.GetColor(), clRed);
  EXPECT_TRUE(b.GetShowLineNumbers());
  EXPECT_EQ(b.GetAutoSizeDigitCount(), 7);
  EXPECT_EQ(b.GetCursor(), 0);  // not part of the copy
}

TEST(SelectedColor, DefaultsAndChanges) {
  TktSelectedColor c;
  EXPECT_EQ(c.GetBackground(), clHighlight);
  EXPECT_EQ(c.GetForeground(), clHighlightText);
  int changes = 0;
  c.OnChange = [&](TObject*) { ++changes; };
  c.SetBackground(clHighlight);
  EXPECT_EQ(changes, 0);
  c.SetForeground(clRed);
  EXPECT_EQ(changes, 1);
  TktSelectedColor d;
  d.OnChange = [&](TObject*) { ++changes; };
  d.Assign(&c);
  EXPECT_EQ(d.GetForeground(), clRed);
  EXPECT_EQ(changes, 2);
}

TEST(BookMarkOpt, AsksToHearWhenTheImageListGoes) {
  TComponent owner(nullptr);
  TktBookMarkOpt opt(&owner);
  EXPECT_TRUE(opt.GetEnableKeys());
  EXPECT_TRUE(opt.GetGlyphsVisible());
  EXPECT_EQ(opt.GetLeftMargin(), 2);
  EXPECT_EQ(opt.GetXoffset(), 12);
  struct TListener : TComponent {
    using TComponent::TComponent;
    TComponent* Gone = nullptr;
    void Notification(TComponent* c, TOperation op) override {
      if (op == opRemove) Gone = c;
    }
  } listener(nullptr);
  TktBookMarkOpt opt2(&listener);
  int changes = 0;
  opt2.OnChange = [&](TObject*) { ++changes; };
  {
    TComponent images(nullptr);
    opt2.SetBookmarkImages(&images);
    EXPECT_EQ(changes, 1);
  }
  EXPECT_NE(listener.Gone, nullptr);
}

TEST(TabExpansion, FillsToTheNextTabStop) {
  struct Case {
    int width;
    const char* line;
    const char* expanded;
  } cases[] = {
      {4, "a\tb", "a   b"},      {3, "a\tb", "a  b"},     {1, "a\tb", "a b"},
      {0, "\t\t", "  "},        {8, "\tx", "        x"}, {4, "abcd\te", "abcd    e"},
      {4, "ab\t\tc", "ab      c"}, {5, "a\tbcdefg\th", "a    bcdefg    h"},
      {4, "no tabs", "no tabs"}, {2, "", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseTabExpander(c.width)(c.line, c.width), c.expanded) << c.width << " " << c.line;
}

TEST(CharSetScans, FindForwardAndBackward) {
  const TktCharSet digits = TktCharSet::Range('0', '9');
  EXPECT_EQ(FindCharInSet("ab1c2", 1, digits), 3);
  EXPECT_EQ(FindCharInSet("ab1c2", 4, digits), 5);
  EXPECT_EQ(FindCharInSet("ab1c2", 6, digits), 0);
  EXPECT_EQ(FindCharInSet("ab1c2", 0, digits), 0);
  EXPECT_EQ(FindCharInSet("abc", 1, digits), 0);
  EXPECT_EQ(FindCharInSetBackward("ab1c2", 4, digits), 3);
  EXPECT_EQ(FindCharInSetBackward("ab1c2", 5, digits), 5);
  EXPECT_EQ(FindCharInSetBackward("ab1c2", 2, digits), 0);
  EXPECT_EQ(FindCharInSetBackward("ab1c2", 6, digits), 0);
  const char text[] = "abc\r\ndef";
  EXPECT_EQ(GetEOL(text), text + 3);
  EXPECT_EQ(MinMax(5, 1, 3), 3);
  EXPECT_EQ(MinMax(-5, 1, 3), 1);
}
