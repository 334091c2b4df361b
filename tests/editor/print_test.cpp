// Page layout of printing against a recording page device: macros, page
// breaks that keep room for the footer, header and footer alignment, column
// blocks, highlighting, clamped ranges, aborts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/EditList.h"
#include "editor/Print.h"
#include "highlighters/PasSyn.h"
#include "platform/RecordingCanvas.h"

namespace {

// A page 800 x 200 pixels at 100 dpi over a recording canvas whose cells
// are 8 x 16; every page's text calls are kept apart.
class TRecordingPrinter : public IktPrintDevice {
public:
  TRecordingPrinter() : FCanvas(TRect(0, 0, 800, 200), 8, 16) {}
  ICanvas& Canvas() override { return FCanvas; }
  int PageWidth() const override { return 800; }
  int PageHeight() const override { return 200; }
  int PixelsPerInchX() const override { return 100; }
  int PixelsPerInchY() const override { return 100; }
  void SetCopies(int copies) override { Copies = copies; }
  void SetTitle(const std::string& title) override { Title = title; }
  void BeginDoc() override { Log += "begin;"; }
  void NewPage() override {
    TakePage();
    Log += "page;";
  }
  void EndDoc() override {
    TakePage();
    Log += "end;";
  }
  void Abort() override { Log += "abort;"; }

  // Each page's texts as "x,y:text".
  std::vector<std::vector<std::string>> Pages;
  std::vector<TCanvasOp> AllTexts;
  std::string Log, Title;
  int Copies = 0;

private:
  void TakePage() {
    std::vector<std::string> page;
    for (const TCanvasOp& op : FCanvas.OpsOf(coExtTextOut)) {
      page.push_back(std::to_string(op.Pos.X) + "," + std::to_string(op.Pos.Y) + ":" + op.Text);
      AllTexts.push_back(op);
    }
    Pages.push_back(page);
    FCanvas.ClearOps();
  }
  TRecordingCanvas FCanvas;
};

class PrintCase : public ::testing::Test {
protected:
  PrintCase() {
    Lines.SetTextStr("one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\nseven\r\n");
    Doc.Lines = &Lines;
    Doc.FirstLine = 1;
    Doc.LastLine = Lines.GetCount();
    Doc.Font.Height = -16;
    Options.Margins = TRect(10, 20, 30, 40);
  }
  bool Print(const TktPrintStatusCallback& status = nullptr) {
    return PrintDocument(Printer, Doc, Options, status);
  }
  TktEditList Lines;
  TktPrintDocument Doc;
  TktPrintOptions Options;
  TRecordingPrinter Printer;
};

TEST(PrintMacros, ExpandByNameWithoutRegardToCase) {
  TktPrintMacros m{3, "Doc.pas", "1/2/2024", "10:20"};
  const struct {
    const char* In;
    const char* Out;
  } cases[] = {
      {"Page $PAGENUM$", "Page 3"},        {"$ date $", "1/2/2024"},
      {"$Title$: $time$", "Doc.pas: 10:20"}, {"$DATETIME$|$TIMEDATE$", "1/2/2024 10:20|10:20 1/2/2024"},
      {"cost $$5", "cost $5"},             {"$ unknown $!", "UNKNOWN!"},
      {"half $open", "half $open"},        {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandPrintMacros(c.In, m), c.Out) << c.In;
}

TEST(PrintMargins, UnitsBecomePrinterPixels) {
  EXPECT_EQ(MarginToPixels(20, kmuPixels, 600), 20);
  EXPECT_EQ(MarginToPixels(500, kmuThousandthsOfInch, 600), 300);
  EXPECT_EQ(MarginToPixels(254, kmuMillimetres, 600), 6000);
  EXPECT_EQ(MarginToPixels(20, kmuMillimetres, 96), 75);  // not 39: no early rounding
}

TEST_F(PrintCase, PagesBreakBeforeTheFooterWithHeaderAndFooterOnEach) {
  Options.Header.AddObject("$TITLE$", IntToObj(kPrintAlignCenter));
  Options.Footer.AddObject("Page $PAGENUM$", IntToObj(kPrintAlignRight));
  Options.Title = "T";
  Options.Copies = 2;
  std::vector<std::string> status;
  EXPECT_TRUE(Print([&](TktPrintStatus s, int page, bool&) {
    status.push_back(std::to_string(int(s)) + "/" + std::to_string(page));
  }));
  EXPECT_EQ(Printer.Log, "begin;page;end;");
  EXPECT_EQ(status, (std::vector<std::string>{"0/0", "1/2", "2/0"}));
  EXPECT_EQ(Printer.Title, "T");
  EXPECT_EQ(Printer.Copies, 2);
  // Page 200 high, bottom margin 40, one footer line of 16: body rows end
  // at 144. Header at 20 (centred: (10 + 770 - 8) / 2), lines from 36.
  ASSERT_EQ(Printer.Pages.size(), 2u);
  EXPECT_EQ(Printer.Pages[0], (std::vector<std::string>{"386,20:T", "10,36:one", "10,52:two",
                                                        "10,68:three", "10,84:four", "10,100:five",
                                                        "10,116:six", "722,144:Page 1"}));
  EXPECT_EQ(Printer.Pages[1], (std::vector<std::string>{"386,20:T", "10,36:seven", "722,144:Page 2"}));
}

// Body room is 200 - 20 - 40 = 140 pixels, rows of 16: with header
// and footer lines in it: with seven one body row still fits, with eight
// none does.
TEST_F(PrintCase, NoRoomForTextStartsNoJob) {
  for (int i = 0; i < 3; ++i) Options.Header.Add("h");
  for (int i = 0; i < 4; ++i) Options.Footer.Add("f");
  EXPECT_TRUE(Print());
  EXPECT_EQ(Printer.Log.substr(0, 6), "begin;");

  Printer.Log.clear();
  Options.Footer.Add("f");
  EXPECT_THROW(Print(), EPrintLayout);
  EXPECT_EQ(Printer.Log, "");
}

TEST_F(PrintCase, ColumnBlocksStartAtTheMarginAndPartialLinesAtTheirColumn) {
  Doc.FirstLine = 2;
  Doc.LastLine = 4;
  Doc.StartColumn = 2;
  Doc.EndColumn = 4;
  Doc.Column = true;
  EXPECT_TRUE(Print());
  EXPECT_EQ(Printer.Pages[0], (std::vector<std::string>{"10,20:wo", "10,36:hr", "10,52:ou"}));
  // Clipped to the page less its margins, one cell per character.
  const TCanvasOp& op = Printer.AllTexts[0];
  EXPECT_TRUE(op.Options & etoClipped);
  EXPECT_EQ(op.Rect.Right, 26) << "the cells of the text, within the margins";
  EXPECT_EQ(op.Advances, (std::vector<int>{8, 8}));

  Printer.Pages.clear();
  Doc.Column = false;
  EXPECT_TRUE(Print());
  EXPECT_EQ(Printer.Pages[0], (std::vector<std::string>{"18,20:wo", "10,36:three", "10,52:fou"}));
}

TEST_F(PrintCase, RangesOutsideTheTextAreClamped) {
  Doc.FirstLine = -3;
  Doc.LastLine = 500;
  Doc.StartColumn = 1;
  Doc.EndColumn = 1;
  EXPECT_TRUE(Print());
  ASSERT_EQ(Printer.Pages.size(), 1u);
  ASSERT_EQ(Printer.Pages[0].size(), 7u);
  EXPECT_EQ(Printer.Pages[0].front(), "10,20:one");
  EXPECT_EQ(Printer.Pages[0].back(), "10,116:seven") << "the last line is whole";
}

TEST_F(PrintCase, AbortsCancelTheJob) {
  EXPECT_FALSE(Print([](TktPrintStatus, int, bool& abort) { abort = true; }));
  EXPECT_EQ(Printer.Log, "begin;abort;");
  EXPECT_TRUE(Printer.Pages.empty());
  Printer.Log.clear();
  Lines.SetTextStr(std::string(40, '\n'));  // more than one page
  Doc.LastLine = Lines.GetCount();
  EXPECT_FALSE(Print([](TktPrintStatus s, int, bool& abort) { abort = s == psNewPage; }));
  EXPECT_EQ(Printer.Log, "begin;page;abort;");
}

TEST_F(PrintCase, HighlightingPrintsTokenStylesAndColours) {
  TktPasSyn pas(nullptr);
  pas.GetKeyAttri()->SetStyle({fsBold});
  pas.GetKeyAttri()->SetForeground(clNavy);
  pas.GetCommentAttri()->SetBackground(clYellow);
  pas.GetStringAttri()->SetBackground(clWhite);
  Lines.SetTextStr("(* a\r\nb *) begin 'q'");
  Lines.RescanAll(pas);
  Doc.Highlighter = &pas;
  Doc.FontColor = clGreen;
  Doc.Color = clWhite;
  Doc.FirstLine = 2;
  Doc.LastLine = 2;
  Options.Highlighted = true;
  EXPECT_TRUE(Print());
  const auto& ops = Printer.AllTexts;
  ASSERT_EQ(ops.size(), 5u);
  EXPECT_EQ(ops[0].Text, "b *)");  // the stored range: still in the comment
  EXPECT_EQ(ops[0].BrushColor, clYellow);
  EXPECT_TRUE(ops[0].Options & etoOpaque);
  EXPECT_EQ(ops[2].Text, "begin");
  EXPECT_EQ(ops[2].Pos.X, 10 + 5 * 8);
  EXPECT_TRUE(ops[2].Font.Style.Contains(fsBold));
  EXPECT_EQ(ops[2].Font.Color, clNavy);
  EXPECT_EQ(ops[1].Font.Color, clGreen) << "no colour: the editor's font colour";
  EXPECT_EQ(ops[4].Text, "'q'");
  EXPECT_FALSE(ops[4].Options & etoOpaque) << "the editor's own background prints as the page";

  Printer.AllTexts.clear();
  Options.Monochrome = true;
  EXPECT_TRUE(Print());
  EXPECT_EQ(Printer.AllTexts[2].Font.Color, clBlack);
  EXPECT_TRUE(Printer.AllTexts[2].Font.Style.Contains(fsBold));
  EXPECT_FALSE(Printer.AllTexts[0].Options & etoOpaque);
}

}  // namespace
