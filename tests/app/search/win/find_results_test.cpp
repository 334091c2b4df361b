// The results list of a search in all documents on a real form: the lines
// go in, and a real double click hands on the hit's own numbers, also for a
// file whose name holds brackets and parentheses.
#include <gtest/gtest.h>

#include "app/search/win/FindResults.h"
#include "editor/CustomEdit.h"
#include "editor/RecordingEditHost.h"
#include "platform/win/Forms.h"
#include "platform/win/RealInput.h"
#include "platform/win/WinTestSupport.h"

namespace {

TEST(FindResults, ADoubleClickOpensTheHitByItsData) {
  TktRecordingEditHost editHost;
  TktCustomEdit first(nullptr), notes(nullptr);
  for (TktCustomEdit* e : {&first, &notes}) e->SetHost(&editHost);
  first.SetText("Alpha\r\n");
  notes.SetText("x\r\n  (5) [7] alpha\r\n");
  const std::vector<TFindResult> hits =
      FindInDocuments({{1, "C:\\a.txt", first.GetLines()}, {3, "C:\\d\\notes (v2) [old].txt", notes.GetLines()}},
                      "alpha", false, false);

  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(50, 50, 500, 300);
  TFindResultsPane pane(&form, &form);
  EXPECT_FALSE(pane.PFindResult->GetVisible());
  form.Show();
  pane.Show(hits, "alpha");
  EXPECT_TRUE(pane.PFindResult->GetVisible());
  ASSERT_EQ(pane.FindBox->GetCount(), 2);
  EXPECT_EQ(::SendMessageA(pane.FindBox->GetHandle(), LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(pane.FindBox->GetItemText(1), "[3]notes (v2) [old].txt (2):   (5) [7] alpha");

  std::vector<TFindResult> opened;
  pane.OnOpen = [&](const TFindResult& hit, const std::string& text) {
    opened.push_back(hit);
    EXPECT_EQ(text, "alpha");
    ShowFindResult(notes, hit.Line, hit.Column, text);
  };
  ASSERT_TRUE(BringToFront(form.GetHandle()));
  RECT r{};
  ::SendMessageA(pane.FindBox->GetHandle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  POINT p{r.left + 20, (r.top + r.bottom) / 2};
  ::ClientToScreen(pane.FindBox->GetHandle(), &p);
  ClickAt(p.x, p.y, 2);
  PumpUntil([&] { return !opened.empty(); }, 3000);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].Document, 3);
  EXPECT_EQ(opened[0].Line, 2);
  EXPECT_EQ(opened[0].Column, 11);
  EXPECT_EQ(notes.GetSelText(), "alpha");

  pane.Hide();
  EXPECT_FALSE(pane.PFindResult->GetVisible());
}

}  // namespace
