// Printing rich text: the page loop over an engine, and our own layout for
// engines that print nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kit/RichPrint.h"
#include "platform/RecordingCanvas.h"

namespace {

// A printer that keeps the job's calls; its canvas draws 10 x 20 pixel
// characters on a 200 x 100 page at 1440 dots per inch (one twip a pixel).
class TRecordingPrinter : public IktPrintDevice {
public:
  TRecordingCanvas Page{TRect(0, 0, 200, 100), 10, 20};
  std::vector<std::string> Calls;
  std::string Title;

  ICanvas& Canvas() override { return Page; }
  int PageWidth() const override { return 200; }
  int PageHeight() const override { return 100; }
  int PixelsPerInchX() const override { return 1440; }
  int PixelsPerInchY() const override { return 1440; }
  void SetCopies(int) override {}
  void SetTitle(const std::string& title) override { Title = title; }
  void BeginDoc() override { Calls.push_back("begin"); }
  void NewPage() override { Calls.push_back("page"); }
  void EndDoc() override { Calls.push_back("end"); }
  void Abort() override { Calls.push_back("abort"); }
};

// Pages of perPage characters; stuck: from that character on, no progress.
class TFakeEngine : public IRichPageEngine {
public:
  TFakeEngine(int length, int perPage, int stuck = -1) : FLength(length), FPerPage(perPage), FStuck(stuck) {}
  int TextLength() override { return FLength; }
  int FormatPage(int first, bool render) override {
    if (render) Rendered.push_back(first);
    if (FStuck >= 0 && first >= FStuck) return FStuck == 0 ? 0 : first;
    return std::min(FLength, first + FPerPage);
  }
  void ClearFormatting() override {}
  std::vector<int> Rendered;

private:
  int FLength, FPerPage, FStuck;
};

TEST(RichPrintLoop, PagesUntilTheTextIsPrinted) {
  TRecordingPrinter printer;
  TFakeEngine engine(250, 100);
  int pages = 0;
  ASSERT_TRUE(PrintWithEngine(printer, engine, "Topic", pages));
  EXPECT_EQ(pages, 3);
  EXPECT_EQ(engine.Rendered, (std::vector<int>{0, 100, 200}));
  EXPECT_EQ(printer.Calls, (std::vector<std::string>{"begin", "page", "page", "end"}));
  EXPECT_EQ(printer.Title, "Topic");
}

TEST(RichPrintLoop, AnEngineWithoutProgressStartsNoJob) {
  // Wine's control answers every format request with 0.
  TRecordingPrinter printer;
  TFakeEngine engine(250, 100, 0);
  int pages = -1;
  EXPECT_FALSE(PrintWithEngine(printer, engine, "Topic", pages));
  EXPECT_TRUE(printer.Calls.empty());
  EXPECT_TRUE(engine.Rendered.empty());
}

TEST(RichPrintLoop, APageThatEndsWhereItBeganEndsTheJob) {
  TRecordingPrinter printer;
  TFakeEngine engine(500, 100, 200);
  int pages = 0;
  ASSERT_TRUE(PrintWithEngine(printer, engine, "T", pages));
  EXPECT_EQ(pages, 3);
  EXPECT_EQ(printer.Calls.back(), "end");
}

TEST(RichPrintLoop, AnEmptyTextPrintsOneEmptyPage) {
  TRecordingPrinter printer;
  TFakeEngine engine(0, 100, 0);
  int pages = 0;
  ASSERT_TRUE(PrintWithEngine(printer, engine, "T", pages));
  EXPECT_EQ(pages, 1);
  EXPECT_EQ(printer.Calls, (std::vector<std::string>{"begin", "end"}));
}

TRichParagraph Para(const std::string& text, TRichAlign align = raLeft) {
  TRichParagraph p;
  p.Align = align;
  p.Runs.push_back({text, TRichFont()});
  return p;
}

// The lines of a page as texts, fragments of one line joined with "|".
std::vector<std::string> Lines(const TRichPage& page) {
  std::vector<std::string> lines;
  int y = -1;
  for (const auto& f : page.Fragments) {
    if (f.Y != y) lines.emplace_back();
    else lines.back() += "|";
    lines.back() += f.Text;
    y = f.Y;
  }
  return lines;
}

TEST(RichLayout, WrapsAtBlanksAndBreaksLongWords) {
  TRecordingCanvas canvas(TRect(0, 0, 1000, 1000), 10, 20);
  // 10 characters a line.
  const auto pages = LayoutRichText(canvas, {Para("one two three four"), Para("abcdefghijklmnopqrstuvw x")},
                                    TRect(0, 0, 100, 1000), 1440, 1440);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(Lines(pages[0]),
            (std::vector<std::string>{"one|two", "three|four", "abcdefghij", "klmnopqrst", "uvw|x"}));
  // Fragments sit where the blanks put them, a line each 20 pixels.
  EXPECT_EQ(pages[0].Fragments[1].X, 40);
  EXPECT_EQ(pages[0].Fragments[2].Y, 20);
}

TEST(RichLayout, AlignmentAndIndents) {
  TRecordingCanvas canvas(TRect(0, 0, 1000, 1000), 10, 20);
  TRichParagraph indented = Para("aaaa bbbb cccc");
  indented.FirstIndent = 30;
  indented.LeftIndent = 10;
  indented.RightIndent = 0;
  const auto pages = LayoutRichText(
      canvas, {Para("ab", raRight), Para("ab", raCenter), indented}, TRect(5, 0, 105, 1000), 1440, 1440);
  const auto& f = pages[0].Fragments;
  ASSERT_EQ(f.size(), 5u);
  EXPECT_EQ(f[0].X, 85);  // right: 100 - 20 from the left edge 5
  EXPECT_EQ(f[1].X, 45);  // centred
  EXPECT_EQ(f[2].X, 35);  // first line indent
  EXPECT_EQ(f[2].Text, "aaaa");
  // The first line has room for one word; the others start at the left
  // indent.
  EXPECT_EQ(f[3].X, 15);
  EXPECT_EQ(f[3].Text, "bbbb");
  EXPECT_EQ(f[4].X, 65);
}

TEST(RichLayout, PageBreaksAndPagesSmallerThanALine) {
  TRecordingCanvas canvas(TRect(0, 0, 1000, 1000), 10, 20);
  std::vector<TRichParagraph> paras;
  for (int i = 0; i < 7; ++i) paras.push_back(Para("line" + std::to_string(i)));
  // Three lines of 20 pixels fit in 65.
  auto pages = LayoutRichText(canvas, paras, TRect(0, 0, 100, 65), 1440, 1440);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0].Lines, 3);
  EXPECT_EQ(pages[2].Lines, 1);
  EXPECT_EQ(pages[1].Fragments[0].Y, 0);
  EXPECT_EQ(pages[1].Fragments[0].Text, "line3");
  // A page lower than one line still takes a line: no endless empty pages.
  pages = LayoutRichText(canvas, paras, TRect(0, 0, 100, 5), 1440, 1440);
  EXPECT_EQ(pages.size(), 7u);
}

TEST(RichLayout, EmptyTextAndEmptyParagraphs) {
  TRecordingCanvas canvas(TRect(0, 0, 1000, 1000), 10, 20);
  auto pages = LayoutRichText(canvas, {}, TRect(0, 0, 100, 100), 1440, 1440);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(pages[0].Fragments.empty());
  // An empty paragraph is an empty line.
  pages = LayoutRichText(canvas, {Para("a"), TRichParagraph(), Para("b")}, TRect(0, 0, 100, 100), 1440, 1440);
  ASSERT_EQ(pages[0].Fragments.size(), 2u);
  EXPECT_EQ(pages[0].Fragments[1].Y, 40);
}

TEST(RichLayout, RunsKeepTheirFontsOnOneLine) {
  TRecordingCanvas canvas(TRect(0, 0, 1000, 1000), 10, 20);
  TRichParagraph p;
  TRichFont bold;
  bold.Style = TFontStyles{fsBold};
  bold.Color = clRed;
  p.Runs = {{"Say ", TRichFont()}, {"hel", bold}, {"lo", TRichFont()}};
  auto pages = LayoutRichText(canvas, {p}, TRect(0, 0, 100, 100), 1440, 1440);
  ASSERT_EQ(pages[0].Fragments.size(), 3u);
  EXPECT_EQ(pages[0].Fragments[1].Font, bold);
  EXPECT_EQ(pages[0].Fragments[2].X, 70);
  // A word made of two runs moves to the next line as a whole.
  p.Runs = {{"aaaaaaa ", TRichFont()}, {"bb", bold}, {"cc", TRichFont()}};
  pages = LayoutRichText(canvas, {p}, TRect(0, 0, 100, 100), 1440, 1440);
  EXPECT_EQ(Lines(pages[0]), (std::vector<std::string>{"aaaaaaa", "bb|cc"}));
}

TEST(RichLayout, PrintsEveryPageAsOneJob) {
  TRecordingPrinter printer;
  std::vector<TRichParagraph> paras;
  for (int i = 0; i < 7; ++i) paras.push_back(Para("line" + std::to_string(i)));
  EXPECT_EQ(PrintRichLayout(printer, paras, TRect(0, 0, 200, 100), "Title"), 2);
  EXPECT_EQ(printer.Calls, (std::vector<std::string>{"begin", "page", "end"}));
  EXPECT_EQ(printer.Title, "Title");
  const auto texts = printer.Page.OpsOf(coTextOut);
  ASSERT_EQ(texts.size(), 7u);
  EXPECT_EQ(texts[6].Text, "line6");
  EXPECT_EQ(texts[0].Font.Name, "Arial");
  EXPECT_EQ(texts[0].Font.Height, -200);  // 10 points at 1440 dots per inch
}

}  // namespace
